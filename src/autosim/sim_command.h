// vessaro-sim: one run without display over a program folder, from the command line.
#pragma once

#include <csignal>
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
  std::string log;    // --log: the auto log's path instead of log/<time>Auto.txt
  std::string graph;  // --graph: the graph file's path instead of Graph/<time>_TmpGraph.txt
  bool help = false;
  StudyOptions study;  // --sessions: a Monte Carlo study instead of one run
};

// Parses the arguments (without the program name); on failure returns nullopt and sets error.
std::optional<SimOptions> ParseSimArguments(const std::vector<std::string>& args, std::string& error);

// The --help text, in Japanese and English.
std::string SimHelpText();

// Runs the command; writes what it reports to out. Exit code: 0 when the run finished or stopped
// on a stop limit or the balance, 3 when it stopped on an error of the system or pattern, 2 for
// refused input (arguments, names, Rules.dat, missing files) and for a file that could not be
// read or written, 130 when interrupted. interrupted, when given, is polled between rounds (a
// signal handler sets it) and cancels the run as the window's cancel does.
int RunSimCommand(const SimOptions& options, Clock& clock, std::ostream& out,
                  const volatile std::sig_atomic_t* interrupted = nullptr);

}  // namespace vessaro
