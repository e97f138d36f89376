// vessaro-analyze: the training analysis from the command line (scripts, checks without display).
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "analysis/analyze_command.h"
#include "common/command_line.h"
#include "common/process_setup.h"
#include "common/system_clock.h"

int main(int argc, char** argv) {
  vessaro::IgnoreFileSizeSignal();
  // Ctrl+C ends a replay as its cancel does: the graph holds the rounds replayed, on whole lines.
  const volatile std::sig_atomic_t* interrupted = vessaro::CatchInterrupts();
  try {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto options = vessaro::ParseAnalyzeArguments(args, error);
    if (!options) {
      std::cerr << error << "\n\n" << vessaro::AnalyzeHelpText();
      return 2;
    }
    if (options->help) {
      std::cout << vessaro::AnalyzeHelpText();
      return 0;
    }
    vessaro::SystemClock clock;
    return vessaro::RunAnalyzeCommand(*options, clock, std::cout, std::cerr, interrupted);
  } catch (const std::exception& e) {
    std::cout << std::flush;
    std::cerr << "予期しないエラーで終了しました / stopped on an unexpected error: " << e.what() << "\n";
    return 2;
  }
}
