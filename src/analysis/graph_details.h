// The detailed analysis values: a graph's summary text cut into label / value rows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vessaro {

struct DetailRow {
  std::string label;
  std::string value;
  bool operator==(const DetailRow&) const = default;
};

// Run summaries and replay summaries write their colons, blanks and brackets differently; both
// come out as the same kind of rows ("PLAYER" | "45(45.00%)", "ペイアウト" | "98.00%").
std::vector<DetailRow> MakeDetailRows(std::string_view summary);

}  // namespace vessaro
