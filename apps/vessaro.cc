// The simulator: one instance at a time, the table window as the main window.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include "common/program_folder.h"
#include "common/single_instance.h"
#include "engine/table_session.h"
#include "ui/common/qt_ports.h"
#include "ui/common/window_helpers.h"
#include "ui/table/vessaro_main.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vessaro"));
  vessaro::SetUpJapaneseApplication();

  vessaro::SingleInstanceLock lock("Baccarat");
  if (!lock.owned()) {
    vessaro::QtDialogs dialogs;
    dialogs.ShowTitledMessage(vessaro::table_texts::kAlreadyRunningTitle, vessaro::table_texts::kAlreadyRunning,
                              vessaro::MessageKind::kInformation);
    return 0;
  }
  vessaro::TVessaroMain window(vessaro::ResolveProgramFolder());
  window.show();
  return app.exec();
}
