#include "ui/common/application.h"

#include <QMessageBox>
#include <exception>

#include "common/process_setup.h"
#include "ui/common/window_helpers.h"

namespace vessaro {

VessaroApplication::VessaroApplication(int& argc, char** argv, const QString& name) : QApplication(argc, argv) {
  IgnoreFileSizeSignal();
  setApplicationName(name);
  SetUpJapaneseApplication();
}

bool VessaroApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowUnexpectedError(e.what());
  } catch (...) {
    ShowUnexpectedError("");
  }
  return false;
}

void VessaroApplication::ShowUnexpectedError(const char* reason) {
  QString text = QStringLiteral("予期しないエラーが発生しました。");
  if (reason != nullptr && *reason != '\0') text += QStringLiteral("\r\n") + QString::fromUtf8(reason);
  QMessageBox::critical(nullptr, QApplication::applicationName(), text);
}

}  // namespace vessaro
