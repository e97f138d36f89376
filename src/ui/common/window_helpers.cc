#include "ui/common/window_helpers.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QMimeData>
#include <QScreen>
#include <QUrl>

#include "common/rounding.h"
#include "common/shell_open.h"
#include "ui/common/qt_ports.h"

namespace vessaro {

void SetUpJapaneseApplication() {
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  font.setPointSize(10);
  QApplication::setFont(font);
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  static QTranslator qt_texts;
  if (qt_texts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qt_texts);
}

void CenterOver(QWidget* owner, QWidget* dialog, double vertical, double horizontal) {
  if (dialog == nullptr) return;
  QRect area;
  if (owner != nullptr && owner->isVisible() && !owner->isMinimized()) {
    area = owner->frameGeometry();
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  } else {
    return;
  }
  const QSize size = dialog->frameGeometry().size();
  const int left = area.left() + static_cast<int>(RoundHalfUp(horizontal * (area.width() - size.width())));
  const int top = area.top() + static_cast<int>(RoundHalfUp(vertical * (area.height() - size.height())));
  dialog->move(left, top);
}

int ShowMessageOver(QWidget* owner, const QString& text, QMessageBox::Icon icon,
                    QMessageBox::StandardButtons buttons, const QString& title) {
  QMessageBox box(icon, title, text, buttons, owner);
  // Named here as well, so the buttons read Japanese even where Qt's translations are missing.
  const std::pair<QMessageBox::StandardButton, const char*> names[] = {
      {QMessageBox::Yes, "はい"}, {QMessageBox::No, "いいえ"}, {QMessageBox::Ok, "OK"},
      {QMessageBox::Cancel, "キャンセル"}};
  for (const auto& [button, name] : names)
    if (QAbstractButton* b = box.button(button)) b->setText(QString::fromUtf8(name));
  if (owner != nullptr) {
    box.adjustSize();
    CenterOver(owner, &box, 0.5, 0.5);
  }
  return box.exec();
}

bool ChooseFile(QWidget* owner, const QString& initial_folder, QLineEdit* field, const QString& title,
                const QString& pattern) {
  const QString used_pattern = pattern.isEmpty() ? QStringLiteral("*.TXT") : pattern;
  QFileDialog dialog(owner, title.isEmpty() ? QString::fromUtf8(kChooseInputFileTitle) : title,
                     initial_folder, ToQtFilter(MakeFileFilter(FromQt(used_pattern))));
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (field != nullptr && !field->text().isEmpty()) dialog.selectFile(QFileInfo(field->text()).fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  if (field != nullptr) field->setText(dialog.selectedFiles().first());
  return true;
}

QLineEdit* DropToField(QWidget* window, const std::vector<DropTarget>& targets, QDropEvent* event,
                       Dialogs& dialogs) {
  if (window == nullptr || event == nullptr || !event->mimeData()->hasUrls()) return nullptr;
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty()) return nullptr;
  const QString first = urls.first().toLocalFile();
  const QPoint point = event->position().toPoint();
  for (const DropTarget& target : targets) {
    auto* field = window->findChild<QLineEdit*>(target.field_name);
    if (field == nullptr || !field->isEnabled() || !field->isVisible()) continue;
    const QRect rect(field->mapTo(window, QPoint(0, 0)), field->size());
    if (!rect.contains(point)) continue;
    const bool is_folder = QFileInfo(first).isDir();
    if (target.kind == DropKind::kFile && is_folder) {
      dialogs.ShowMessage("ファイルを指定してくだい。", MessageKind::kWarning);
      return nullptr;
    }
    if (target.kind == DropKind::kFolder && !is_folder) {
      dialogs.ShowMessage("フォルダを指定してくだい。", MessageKind::kWarning);
      return nullptr;
    }
    field->setText(first);
    return field;
  }
  return nullptr;
}

}  // namespace vessaro
