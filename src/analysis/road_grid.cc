#include "analysis/road_grid.h"

#include "analysis/analysis_texts.h"
#include "common/format.h"

namespace vessaro {

RoadGridLimits SearchPatternGridLimits(int max_pattern_length) {
  return {12, 12, max_pattern_length, "縦列は12個までです", "横列は12個までです"};
}

RoadGridLimits UserLogGridLimits() { return {20, 300, 0, "縦列は20個までです", "横列は300個までです"}; }

RoadGrid::RoadGrid(RoadGridLimits limits) : limits_(std::move(limits)) {
  if (limits_.rows < 1) limits_.rows = 1;
  if (limits_.columns < 1) limits_.columns = 1;
  cells_.assign(static_cast<size_t>(limits_.rows) * static_cast<size_t>(limits_.columns), 0);
}

void RoadGrid::Put(int column, int row, char letter) {
  cells_[Index(column, row)] = letter;
  last_column_ = column;
  last_row_ = row;
  ++letters_;
}

std::optional<std::string> RoadGrid::Add(char letter) {
  if (limits_.letter_limit > 0 && letters_ >= limits_.letter_limit)
    return Format(analysis_texts::kPatternLimit, limits_.letter_limit);
  if (empty()) {
    Put(0, 0, letter);
    column_ = 0;
    row_ = limits_.rows > 1 ? 1 : 0;
    return std::nullopt;
  }
  const char above = At(column_, row_ - 1 >= 0 ? row_ - 1 : 0);
  if (above == letter) {
    if (At(column_, row_) != 0) return limits_.full_column_message;
    Put(column_, row_, letter);
    if (row_ < limits_.rows - 1) ++row_;
    return std::nullopt;
  }
  if (At(limits_.columns - 1, 0) != 0) return limits_.full_row_message;
  ++column_;
  Put(column_, 0, letter);
  row_ = limits_.rows > 1 ? 1 : 0;
  return std::nullopt;
}

void RoadGrid::DeleteLast() {
  if (empty()) return;
  const int column = last_column_, row = last_row_;
  cells_[Index(column, row)] = 0;
  --letters_;
  if (letters_ == 0) {
    column_ = row_ = 0;
    last_column_ = last_row_ = -1;
    return;
  }
  if (row == 0) {
    column_ = column - 1;
    int lowest = 0;
    while (lowest + 1 < limits_.rows && At(column_, lowest + 1) != 0) ++lowest;
    last_column_ = column_;
    last_row_ = lowest;
    row_ = lowest + 1 < limits_.rows ? lowest + 1 : lowest;
    return;
  }
  row_ = row;
  last_row_ = row - 1;
}

void RoadGrid::Clear() {
  cells_.assign(cells_.size(), 0);
  column_ = row_ = 0;
  last_column_ = last_row_ = -1;
  letters_ = 0;
}

std::string RoadGrid::ReadOut() const {
  std::string out;
  for (int c = 0; c < limits_.columns; ++c) {
    if (At(c, 0) == 0) continue;
    for (int r = 0; r < limits_.rows && At(c, r) != 0; ++r) out.push_back(At(c, r));
  }
  return out;
}

}  // namespace vessaro
