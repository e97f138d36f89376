#include "analysis/grid_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>

#include "analysis/analysis_texts.h"
#include "analysis/play_log.h"
#include "common/format.h"
#include "common/text.h"

namespace vessaro {
namespace {

struct CellKey {
  bool number = false;
  double value = 0;
  int64_t scaled = 0;  // value in ten-thousandths, when it fits
  bool scaled_fits = false;
  std::string text;
};

CellKey MakeKey(std::string_view cell) {
  CellKey key;
  key.text = Trim(RemoveAll(RemoveAll(cell, "約"), "%"));
  const std::string& t = key.text;
  if (t.empty()) return key;
  // Plain decimals only: digits with an optional sign and fraction.
  size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
  size_t digits = 0;
  bool point = false;
  for (; i < t.size(); ++i) {
    if (t[i] >= '0' && t[i] <= '9') {
      ++digits;
    } else if (t[i] == '.' && !point) {
      point = true;
    } else {
      return key;
    }
  }
  if (digits == 0) return key;
  const char* begin = t.data() + (t[0] == '+' ? 1 : 0);
  double v = 0;
  if (std::from_chars(begin, t.data() + t.size(), v).ec != std::errc()) return key;
  key.number = true;
  key.value = v;
  if (std::fabs(v) < 9e14) {
    key.scaled = std::llround(v * 10000.0);
    key.scaled_fits = true;
  }
  return key;
}

int CompareKeys(const CellKey& a, const CellKey& b) {
  if (a.number != b.number) return a.number ? -1 : 1;
  if (a.number) {
    if (a.scaled_fits && b.scaled_fits)
      return a.scaled < b.scaled ? -1 : (a.scaled > b.scaled ? 1 : 0);
    return a.value < b.value ? -1 : (a.value > b.value ? 1 : 0);
  }
  int c = a.text.compare(b.text);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

int CompareGridCells(std::string_view a, std::string_view b) { return CompareKeys(MakeKey(a), MakeKey(b)); }

GridTable LoadGridTable(const fs::path& file) {
  GridTable table;
  LogLines lines = ReadLogLines(file);
  if (lines.empty()) return table;
  table.heading = std::string(lines[0]);
  table.rows.reserve(lines.size());
  for (size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    SplitResult split = SplitFields(lines[i], 5, ",");
    GridRow row;
    for (size_t c = 0; c < 5; ++c) row.cells[c] = std::move(split.fields[c]);
    table.rows.push_back(std::move(row));
  }
  if (!table.rows.empty()) table.max_pattern_length = static_cast<int>(table.rows[0].cells[0].size());
  return table;
}

FrequencyGridModel::FrequencyGridModel(fs::path table_file, Dialogs& dialogs, SearchPort search)
    : table_file_(std::move(table_file)), dialogs_(dialogs), search_(std::move(search)) {}

void FrequencyGridModel::Open() { Load(table_file_); }

bool FrequencyGridModel::Load(const fs::path& file) {
  try {
    table_ = LoadGridTable(file);
  } catch (const IoError& error) {
    dialogs_.ShowMessage(error.what(), MessageKind::kError);
    return false;
  }
  ++revision_;
  return true;
}

void FrequencyGridModel::Sort(int column, bool ascending) {
  if (column < 1 || column > 4) return;
  std::vector<GridRow>& rows = table_.rows;
  std::vector<CellKey> keys;
  keys.reserve(rows.size());
  for (const GridRow& r : rows) keys.push_back(MakeKey(r.cells[static_cast<size_t>(column)]));
  std::vector<size_t> order(rows.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) {
    int c = CompareKeys(keys[x], keys[y]);
    return ascending ? c < 0 : c > 0;
  });
  std::vector<GridRow> sorted;
  sorted.reserve(rows.size());
  for (size_t i : order) sorted.push_back(std::move(rows[i]));
  rows = std::move(sorted);
  ++revision_;
}

void FrequencyGridModel::ToggleMark(int row, int column) {
  if (row < 0 || row >= static_cast<int>(table_.rows.size()) || column < 0 || column >= 5) return;
  MarkColour& mark = table_.rows[static_cast<size_t>(row)].marks[static_cast<size_t>(column)];
  mark = mark == MarkColour::kNone ? colour_ : MarkColour::kNone;
}

void FrequencyGridModel::ConditionSearch() {
  if (!search_) return;
  std::optional<fs::path> filtered = search_(table_file_, table_.max_pattern_length);
  if (!filtered) return;
  // The filtered file is read once and never outlives this command.
  struct Remove {
    const fs::path& file;
    ~Remove() { DeleteFileIfExists(file); }
  } remove{*filtered};
  if (!Load(*filtered)) return;
  result_text_ = Format(analysis_texts::kGridResultCount, static_cast<int>(table_.rows.size()));
}

void FrequencyGridModel::ClearSearch() {
  if (Load(table_file_)) result_text_.clear();
}

}  // namespace vessaro
