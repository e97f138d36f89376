// vessaro-update: the file-list update of a program folder from the command line.
#include <QCoreApplication>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "common/process_setup.h"
#include "common/system_clock.h"
#include "ui/common/qt_ports.h"
#include "update/qt_http_client.h"
#include "update/update_command.h"
#include "update/update_config.h"

int main(int argc, char** argv) try {
  vessaro::IgnoreFileSizeSignal();
  QCoreApplication app(argc, argv);
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  auto options = vessaro::ParseUpdateArguments(args, error);
  if (!options) {
    std::cerr << error << "\n\n" << vessaro::UpdateHelpText();
    return 2;
  }
  if (options->help) {
    std::cout << vessaro::UpdateHelpText();
    return 0;
  }
  vessaro::QtHttpClient http(vessaro::LoadUpdateConfig(options->home).timeout_ms);
  vessaro::QtEventPump pump;
  vessaro::SystemClock clock;
  vessaro::UpdatePorts ports{http, pump, clock};
  return vessaro::RunUpdateCommand(*options, ports, vessaro::RunningProgramFile(), std::cout);
} catch (const std::exception& e) {
  std::cerr << "予期しないエラーで終了しました / stopped on an unexpected error: " << e.what() << "\n";
  return 2;
}
