// vessaro-sheet: the balance sheet from the command line, for scripts and backups. "export"
// writes the preview's CSV for a date range; "reindex" rebuilds the search index and aggregates.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/ports.h"

namespace vessaro {

struct SheetOptions {
  std::string home;
  std::string command;  // "export" or "reindex"
  std::optional<std::string> from;
  std::optional<std::string> to;
  std::optional<std::string> out;
  std::optional<std::string> where;
  bool help = false;
};

// Parses the arguments (without the program name); on failure returns nullopt and sets error.
std::optional<SheetOptions> ParseSheetArguments(const std::vector<std::string>& args, std::string& error);

// The --help text, in Japanese and English.
std::string SheetHelpText();

// Runs the command. The CSV goes to out when no --out is given; what the command reports goes to
// report. Exit code 0 when done, 2 for refused input or a file failure.
int RunSheetCommand(const SheetOptions& options, Clock& clock, std::ostream& out, std::ostream& report);

}  // namespace vessaro
