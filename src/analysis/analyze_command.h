// vessaro-analyze: the analysis window's analyses from the command line, over the same core, for
// scripting and for checking results without a display.
#pragma once

#include <csignal>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/ports.h"

namespace vessaro {

struct AnalyzeOptions {
  std::string command;  // "report", "bankruptcy", "grid", "merge"
  std::string target;   // the log, or the folder to merge
  std::string home;
  std::optional<std::string> kind;
  std::optional<std::string> name;
  std::optional<std::string> system;
  std::optional<std::string> pattern;
  bool overwrite = false;
  std::optional<std::string> bets;
  std::optional<std::string> length;
  std::optional<std::string> from;
  std::optional<std::string> to;
  std::optional<std::string> where;
  std::optional<std::string> out;
  bool help = false;
};

// Parses the arguments (without the program name); on failure returns nullopt and sets error.
std::optional<AnalyzeOptions> ParseAnalyzeArguments(const std::vector<std::string>& args, std::string& error);

// The --help text, in Japanese and English.
std::string AnalyzeHelpText();

// Runs the command. Results go to out; refusals and warnings to err. Exit code: 0 when done, 2
// for refused input (the window's message) or a file that cannot be read or written, 3 when a
// replay stopped on the system's or the pattern's settings, 130 when a replay was interrupted
// (interrupted, when given, is polled as the window's cancel is; a signal handler sets it).
int RunAnalyzeCommand(const AnalyzeOptions& options, Clock& clock, std::ostream& out, std::ostream& err,
                      const volatile std::sig_atomic_t* interrupted = nullptr);

}  // namespace vessaro
