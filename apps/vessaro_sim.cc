// vessaro-sim: automatic runs without display from the command line (scripts, batches, benchmarks).
#include <iostream>
#include <string>
#include <vector>

#include "autosim/sim_command.h"
#include "common/system_clock.h"

int main(int argc, char** argv) {
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
  return vessaro::RunSimCommand(*options, clock, std::cout);
}
