// The launcher: brings the simulator's files up to date, shows the maker's announcements and
// starts the simulator.
#include <QApplication>

#include "common/program_folder.h"
#include "launcher/kindlet_form.h"
#include "ui/common/window_helpers.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kindlet"));
  vessaro::SetUpJapaneseApplication();
  vessaro::TKindletForm window(vessaro::ResolveProgramFolder());
  QObject::connect(&window, &vessaro::TKindletForm::finished, &app, [](vessaro::LauncherEnd end) {
    if (end == vessaro::LauncherEnd::kStarted || end == vessaro::LauncherEnd::kStartFailed) QCoreApplication::quit();
  });
  window.show();
  return app.exec();
}
