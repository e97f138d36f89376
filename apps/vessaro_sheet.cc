// vessaro-sheet: the balance sheet from the command line (CSV export, index regeneration).
#include "balancesheet/sheet_command.h"
#include "common/command_line.h"
#include "common/process_setup.h"
#include "common/system_clock.h"

int main(int argc, char** argv) {
  vessaro::IgnoreFileSizeSignal();
  return vessaro::RunCommandLine(argc, argv, vessaro::SheetHelpText(), vessaro::ParseSheetArguments,
                                 [](const vessaro::SheetOptions& options) {
                                   vessaro::SystemClock clock;
                                   return vessaro::RunSheetCommand(options, clock, std::cout, std::cerr);
                                 });
}
