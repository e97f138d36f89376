// The simulator: one instance at a time, the table window as the main window.
#include <exception>

#include "common/program_folder.h"
#include "common/single_instance.h"
#include "engine/table_session.h"
#include "ui/common/application.h"
#include "ui/common/qt_ports.h"
#include "ui/table/vessaro_main.h"

int main(int argc, char** argv) {
  vessaro::VessaroApplication app(argc, argv, QStringLiteral("Vessaro"));
  try {
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
  } catch (const std::exception& e) {
    vessaro::VessaroApplication::ShowUnexpectedError(e.what());
    return 1;
  }
}
