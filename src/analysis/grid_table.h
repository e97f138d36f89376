// The pattern frequency grid window's logic ("パターン別出現率解析値"): the table file loaded into
// rows, sorting by a column, the colour marks that move with their rows, and the condition search
// that narrows the rows down.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/files.h"
#include "common/ports.h"

namespace vessaro {

inline constexpr std::array<const char*, 5> kGridColumnTitles = {"出現パターン", "出現回数", "出現率",
                                                                 "理論値", "差分値"};

// Order of two cells as the grid sorts them: every "約" and "%" and the blanks around removed,
// two numbers by value to four decimal places, two texts by their bytes, and numbers before texts
// (so that a column mixing both still sorts consistently). Negative, 0 or positive.
int CompareGridCells(std::string_view a, std::string_view b);

enum class MarkColour : uint8_t { kNone, kAqua, kRed, kYellow, kFuchsia, kBlue };
// The five choices in the order the window offers them: aqua (the default), red, yellow, fuchsia,
// blue.
inline constexpr std::array<const char*, 5> kMarkColourNames = {"アクア", "赤", "黄", "フューシャ", "青"};

struct GridRow {
  std::array<std::string, 5> cells;
  std::array<MarkColour, 5> marks{};
};

struct GridTable {
  std::string heading;  // the table file's first line
  std::vector<GridRow> rows;
  int max_pattern_length = 0;  // length of the first row's word
};

// Reads a table file (code page 932). Never fails on content: short lines get empty cells.
GridTable LoadGridTable(const fs::path& file);

class FrequencyGridModel {
 public:
  // Runs the condition search window over the table: the filtered table file, or nothing.
  using SearchPort = std::function<std::optional<fs::path>(const fs::path& table, int max_length)>;

  FrequencyGridModel(fs::path table_file, Dialogs& dialogs, SearchPort search);

  // The first display: loads the full table.
  void Open();
  // "▲" / "▼" under column 1 to 4 ("出現回数" to "差分値").
  void Sort(int column, bool ascending);
  // A click on a cell: an unmarked cell takes the selected colour, a marked one loses its mark.
  void ToggleMark(int row, int column);
  void set_colour(MarkColour colour) { colour_ = colour; }
  MarkColour colour() const { return colour_; }
  // "グリッド内条件検索": on a result, the grid shows the filtered table and its count.
  void ConditionSearch();
  // "条件検索クリア": the full table again.
  void ClearSearch();

  const fs::path& table_file() const { return table_file_; }
  const GridTable& table() const { return table_; }
  const std::string& result_text() const { return result_text_; }
  // Grows whenever rows change (load, sort), so a view redraws only then.
  int revision() const { return revision_; }

 private:
  // False (after the message) when the file cannot be read; the grid then stays as it was.
  bool Load(const fs::path& file);

  fs::path table_file_;
  Dialogs& dialogs_;
  SearchPort search_;
  GridTable table_;
  MarkColour colour_ = MarkColour::kAqua;
  std::string result_text_;
  int revision_ = 0;
};

}  // namespace vessaro
