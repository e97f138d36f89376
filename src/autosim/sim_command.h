// vessaro-sim: one run without display over a program folder, from the command line.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "autosim/study_command.h"
#include "common/ports.h"

namespace vessaro {

struct SimOptions {
  std::string home;
  std::string system;
  std::string pattern;
  std::string rounds;
  std::optional<uint64_t> seed;
  std::optional<std::string> profit;
  std::optional<std::string> loss;
  bool help = false;
  StudyOptions study;  // --sessions: a Monte Carlo study instead of one run
};

// Parses the arguments (without the program name); on failure returns nullopt and sets error.
std::optional<SimOptions> ParseSimArguments(const std::vector<std::string>& args, std::string& error);

// The --help text, in Japanese and English.
std::string SimHelpText();

// Runs the command; writes what it reports to out. Exit code: 0 when the run ended ("終了" or
// "途中終了"), 2 for wrong arguments, a missing or invalid Rules.dat, or a missing file.
int RunSimCommand(const SimOptions& options, Clock& clock, std::ostream& out);

}  // namespace vessaro
