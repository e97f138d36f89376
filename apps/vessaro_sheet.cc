// vessaro-sheet: the balance sheet from the command line (CSV export, index regeneration).
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "balancesheet/sheet_command.h"
#include "common/process_setup.h"
#include "common/system_clock.h"

int main(int argc, char** argv) {
  vessaro::IgnoreFileSizeSignal();
  try {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto options = vessaro::ParseSheetArguments(args, error);
    if (!options) {
      std::cerr << error << "\n\n" << vessaro::SheetHelpText();
      return 2;
    }
    if (options->help) {
      std::cout << vessaro::SheetHelpText();
      return 0;
    }
    vessaro::SystemClock clock;
    return vessaro::RunSheetCommand(*options, clock, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cout << std::flush;
    std::cerr << "予期しないエラーで終了しました / stopped on an unexpected error: " << e.what() << "\n";
    return 2;
  }
}
