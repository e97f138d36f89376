#include "ui/table/stop_jyoken_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/common/qt_ports.h"

namespace vessaro {

TStopJyokenForm::TStopJyokenForm(const StopLimits& current, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), limits_(current) {
  setObjectName(QStringLiteral("StopJyokenForm"));
  setWindowTitle(QString::fromUtf8(stop_texts::kTitle));
  profit_ = new QLineEdit(QString::number(current.profit));
  profit_->setObjectName(QStringLiteral("ProfitEdit"));
  loss_ = new QLineEdit(QString::number(current.loss));
  loss_->setObjectName(QStringLiteral("LossEdit"));
  for (QLineEdit* e : {profit_, loss_}) {
    e->setMaximumWidth(110);
    e->setAlignment(Qt::AlignRight);
    e->installEventFilter(this);
  }
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("合計利益が")), 0, 0);
  grid->addWidget(profit_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("を超えたらオートプレーを終了する。")), 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("合計損失額が")), 1, 0);
  grid->addWidget(loss_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("を超えたらオートプレーを終了する。")), 1, 2);
  auto* note = new QLabel(QString::fromUtf8(stop_texts::kNote));
  note->setStyleSheet(QStringLiteral("color: #a03030;"));
  auto* set = new QPushButton(QStringLiteral("設定"));
  set->setObjectName(QStringLiteral("BtnSet"));
  set->setAutoDefault(false);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"));
  cancel->setAutoDefault(false);
  connect(set, &QPushButton::clicked, this, &TStopJyokenForm::BtnSetClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(set);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(note);
  layout->addLayout(buttons);
}

bool TStopJyokenForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      auto* field = static_cast<QLineEdit*>(watched);
      if (field->text().trimmed().isEmpty()) field->setText(QStringLiteral("0"));
      if (watched == profit_) {
        loss_->setFocus();
      } else {
        BtnSetClick();
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TStopJyokenForm::BtnSetClick() {
  StopDialogResult r = CheckStopLimits(FromQt(profit_->text()), FromQt(loss_->text()));
  if (!r.accepted) {
    dialogs_.ShowMessage(r.message, MessageKind::kWarning);
    return;
  }
  limits_ = r.limits;
  accept();
}

}  // namespace vessaro
