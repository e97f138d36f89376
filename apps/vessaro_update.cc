// vessaro-update: the file-list update of a program folder from the command line.
#include <QCoreApplication>

#include "common/command_line.h"
#include "common/process_setup.h"
#include "common/system_clock.h"
#include "ui/common/qt_ports.h"
#include "update/qt_http_client.h"
#include "update/update_command.h"
#include "update/update_config.h"

int main(int argc, char** argv) {
  vessaro::IgnoreFileSizeSignal();
  QCoreApplication app(argc, argv);
  return vessaro::RunCommandLine(argc, argv, vessaro::UpdateHelpText(), vessaro::ParseUpdateArguments,
                                 [](const vessaro::UpdateCommandOptions& options) {
                                   vessaro::QtHttpClient http(vessaro::LoadUpdateConfig(options.home).timeout_ms);
                                   vessaro::QtEventPump pump;
                                   vessaro::SystemClock clock;
                                   vessaro::UpdatePorts ports{http, pump, clock};
                                   return vessaro::RunUpdateCommand(options, ports, vessaro::RunningProgramFile(),
                                                                    std::cout);
                                 });
}
