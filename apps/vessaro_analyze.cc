// vessaro-analyze: the training analysis from the command line (scripts, checks without display).
#include <iostream>
#include <string>
#include <vector>

#include "analysis/analyze_command.h"
#include "common/system_clock.h"

int main(int argc, char** argv) {
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
  return vessaro::RunAnalyzeCommand(*options, clock, std::cout, std::cerr);
}
