// Graph files and auto logs as the runs write them, made up for tests and measurements.
#pragma once

#include <string>
#include <string_view>

#include "support/temp_folder.h"

namespace vessaro::testing {

// A run's graph file (UTF-8 text, CR LF): header, one point line per round, two summary lines.
// Balances wander from 1000 with stakes of 10; the flat balance follows the same results.
std::string MakeRunGraph(int rounds, const std::string& system = "マーチン",
                         const std::string& pattern = "BBPP");

// A processing-only run's auto log (UTF-8 text, CR LF) of the given number of rounds.
std::string MakeAutoLog(int rounds);

// Writes UTF-8 text below the folder as code page 932, the way the program writes its files.
void WriteCp932(const TempFolder& folder, std::string_view relative, std::string_view text);

}  // namespace vessaro::testing
