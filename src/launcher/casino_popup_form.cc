#include "launcher/casino_popup_form.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include "launcher/launcher_run.h"
#include "ui/common/window_helpers.h"

namespace vessaro {

TCasinoPopupForm::TCasinoPopupForm(const fs::path& picture, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CasinoPopup"));
  setWindowTitle(QString::fromUtf8(launcher_texts::kAnnouncementTitle));
  QPixmap pixmap(QString::fromStdString(picture.string()));
  has_picture_ = !pixmap.isNull();
  if (!has_picture_) pixmap = QPixmap(320, 200);
  // A picture larger than the screen is shown smaller, never cut.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize room = screen->availableGeometry().size() * 0.9;
    if (pixmap.width() > room.width() || pixmap.height() > room.height())
      pixmap = pixmap.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  picture_ = new QLabel(this);
  picture_->setObjectName(QStringLiteral("AnnouncementPicture"));
  picture_->setPixmap(pixmap);
  picture_->setGeometry(0, 0, pixmap.width(), pixmap.height());
  picture_->setCursor(Qt::PointingHandCursor);
  setFixedSize(pixmap.size());

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("OkMark"));
  ok_->setDefault(true);
  ok_->setCursor(Qt::PointingHandCursor);
  ok_->setStyleSheet(QStringLiteral(
      "QPushButton { color: #2b1a00; font-weight: bold; border: 1px solid #7a5a10; border-radius: 12px;"
      " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbe6a2, stop:1 #d8a840); }"
      "QPushButton:pressed { background: #c99a30; }"));
  ok_->setGeometry(pixmap.width() - 74, pixmap.height() - 38, 64, 28);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  CenterOver(parent, this, 0.5, 0.5);
}

void TCasinoPopupForm::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    accept();
    return;
  }
  QDialog::mousePressEvent(event);
}

void TCasinoPopupForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace vessaro
