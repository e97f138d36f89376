// The launcher: brings the simulator's files up to date, shows the maker's announcements and
// starts the simulator.
#include <exception>

#include "common/program_folder.h"
#include "launcher/kindlet_form.h"
#include "ui/common/application.h"

int main(int argc, char** argv) {
  vessaro::VessaroApplication app(argc, argv, QStringLiteral("Kindlet"));
  try {
    vessaro::TKindletForm window(vessaro::ResolveProgramFolder());
    QObject::connect(&window, &vessaro::TKindletForm::finished, &app, [](vessaro::LauncherEnd end) {
      if (end == vessaro::LauncherEnd::kStarted || end == vessaro::LauncherEnd::kStartFailed) QCoreApplication::quit();
    });
    window.show();
    return app.exec();
  } catch (const std::exception& e) {
    vessaro::VessaroApplication::ShowUnexpectedError(e.what());
    return 1;
  }
}
