// vessaro-sim: automatic runs without display from the command line (scripts, batches, benchmarks).
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "autosim/sim_command.h"
#include "common/command_line.h"
#include "common/process_setup.h"
#include "common/system_clock.h"

int main(int argc, char** argv) {
  vessaro::IgnoreFileSizeSignal();
  // Ctrl+C ends the run as its cancel does: the files are closed on whole lines and say how many
  // rounds were played.
  const volatile std::sig_atomic_t* interrupted = vessaro::CatchInterrupts();
  try {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto options = vessaro::ParseSimArguments(args, error);
    if (!options) {
      std::cerr << error << "\n\n" << vessaro::SimHelpText();
      return 2;
    }
    if (options->help) {
      std::cout << vessaro::SimHelpText();
      return 0;
    }
    vessaro::SystemClock clock;
    return vessaro::RunSimCommand(*options, clock, std::cout, interrupted);
  } catch (const std::exception& e) {
    std::cout << std::flush;
    std::cerr << "予期しないエラーで終了しました / stopped on an unexpected error: " << e.what() << "\n";
    return 2;
  }
}
