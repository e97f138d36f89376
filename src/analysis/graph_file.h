// Reading a graph file (the balance course of a run or a replay) into the points the graph windows
// draw, thinned by the round count of the last run, and the summary shown beside them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/files.h"

namespace vessaro {

// The run graph window and the replay graph window read the same files slightly differently.
enum class GraphFlavour { kRun, kReplay };

struct GraphPoint {
  int64_t x = 0;       // the line's position after the header; 0 for the start
  int64_t system = 0;  // field 1: the system's balance
  int64_t second = 0;  // field 2: the flat balance, or the log's balance in a replay
  bool operator==(const GraphPoint&) const = default;
};

struct GraphContent {
  int64_t start = 0;  // header field 1; 0 when it is not a whole number
  // Header fields 3 and 4, present only when the header has both.
  std::optional<std::string> system_name;
  std::optional<std::string> pattern_name;
  std::vector<GraphPoint> points;  // (0, start, start) first, then the drawn lines
  int64_t point_lines = 0;         // lines read as points, drawn or not
  std::string summary;             // the two summary lines joined by a blank; empty when none
  std::vector<std::string> summary_lines;  // the same lines apart, for showing them one per line
};

// Step of the thinning: every step-th line is drawn. 0 (no thinning) up to 50 rounds.
int64_t ThinningStep(int64_t rounds);

// Past this many drawn lines the thinning grows, so that a long graph loaded without a recent run
// of that length still draws in a moment.
inline constexpr int64_t kMaxDrawnLines = 10000;

// Never fails: missing fields, broken numbers and undecodable bytes read as 0.
GraphContent ReadGraph(std::string_view text, int64_t rounds, GraphFlavour flavour);
// The file's text through the code page; a missing file reads as an empty text.
GraphContent ReadGraphFile(const fs::path& file, int64_t rounds, GraphFlavour flavour);

}  // namespace vessaro
