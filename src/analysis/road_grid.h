// The road entry grid: P and B letters entered into columns the way a big road draws them (a
// column holds one winner repeated; a change of winner starts the next column at the top). The
// search-pattern entry and the user logs use it with their own size, limit and messages.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vessaro {

struct RoadGridLimits {
  int rows = 12;
  int columns = 12;
  int letter_limit = 0;  // 0: none
  std::string full_column_message;
  std::string full_row_message;
};

// The three users' grids.
RoadGridLimits SearchPatternGridLimits(int max_pattern_length);
RoadGridLimits UserLogGridLimits();

class RoadGrid {
 public:
  explicit RoadGrid(RoadGridLimits limits);

  // Adds "P" or "B"; the message to show when the letter is refused (nothing changes then).
  std::optional<std::string> Add(char letter);
  // "最後を削除": removes the last letter entered; nothing happens on an empty grid.
  void DeleteLast();
  // "すべて削除".
  void Clear();
  // Column by column from the first, each from the top down to its first empty cell.
  std::string ReadOut() const;

  // 0 for an empty cell.
  char At(int column, int row) const { return cells_[Index(column, row)]; }
  bool empty() const { return last_column_ < 0; }
  int letters() const { return letters_; }
  const RoadGridLimits& limits() const { return limits_; }
  // The columns that hold a letter (for views that scroll to the end).
  int used_columns() const { return empty() ? 0 : column_ + 1; }

 private:
  size_t Index(int column, int row) const {
    return static_cast<size_t>(column) * static_cast<size_t>(limits_.rows) + static_cast<size_t>(row);
  }
  void Put(int column, int row, char letter);

  RoadGridLimits limits_;
  std::vector<char> cells_;
  int column_ = 0;  // current column
  int row_ = 0;     // next row
  int last_column_ = -1, last_row_ = -1;
  int letters_ = 0;
};

}  // namespace vessaro
