#include "analysis/grid_search.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

#include "analysis/analysis_texts.h"
#include "analysis/grid_table.h"
#include "analysis/pattern_grid.h"
#include "analysis/play_log.h"
#include "common/compare_value.h"
#include "common/text.h"

namespace vessaro {
namespace {

constexpr int kEndConnector = 2;  // "終了"

// The column of the table each item reads (0-based); the pattern length has none.
int ColumnOfItem(int item) {
  switch (item) {
    case 0: return 0;
    case 2: return 1;
    case 3: return 2;
    case 4: return 3;
    case 5: return 4;
    default: return -1;
  }
}

bool IsKnownItem(std::string_view name) {
  return std::any_of(kSearchItems.begin(), kSearchItems.end(),
                     [&](const SearchItem& i) { return name == i.name; });
}

}  // namespace

std::vector<SearchOperator> OperatorsOfType(std::string_view type) {
  if (type == "数値")
    return {{"等しい（＝）", "="}, {"等しくない（＜＞）", "<>"}, {"より大きい（＞）", ">"},
            {"より小さい（＜）", "<"}, {"以上（＞＝）", ">="}, {"以下（＜＝）", "<="}};
  if (type == "文字") return {{"等しい（＝）", "="}, {"等しくない（＜＞）", "<>"}};
  if (type == "文字列") return {{"ワイルド", "*"}};
  return {};
}

std::string PercentToFraction(std::string_view text) {
  std::string t = Trim(RemoveAll(text, " %"));
  double v = 0;
  const char* begin = t.data() + (!t.empty() && t[0] == '+' ? 1 : 0);
  auto r = std::from_chars(begin, t.data() + t.size(), v);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size()) v = 0;
  return FixedText(v / 100.0, 6);
}

std::string GridRecord::Value(std::string_view item) const {
  if (item == "出現パターン") return pattern;
  if (item == "パターン桁数") return length;
  if (item == "出現回数") return count;
  if (item == "出現率") return rate;
  if (item == "理論値") return theoretical;
  if (item == "差分値") return difference;
  return {};
}

GridRecord MakeGridRecord(std::string_view table_line) {
  SplitResult f = SplitFields(table_line, 5, ",");
  GridRecord r;
  r.pattern = f.fields[0];
  r.length = std::to_string(r.pattern.size());
  r.count = f.fields[1];
  r.rate = PercentToFraction(f.fields[2]);
  r.theoretical = PercentToFraction(f.fields[3]);
  r.difference = PercentToFraction(f.fields[4]);
  return r;
}

std::string ConditionRecord(std::string_view item, std::string_view type, std::string_view symbol,
                            std::string_view value) {
  std::string r(item);
  r += ',';
  r += type;
  r += ',';
  r += symbol;
  r += ',';
  r += value;
  return r;
}

std::vector<ConditionElement> ParseConditionExpression(std::string_view expression) {
  std::vector<ConditionElement> elements;
  for (std::string& part : SplitFields(expression, 0, ",").fields) {
    ConditionElement e;
    if (part.find(',') == std::string::npos) {
      e.connector = Trim(part);
    } else {
      e.is_condition = true;
      SplitResult f = SplitFields(part, 4, ",");
      e.item = f.fields[0];
      e.type = f.fields[1];
      e.symbol = f.fields[2];
      e.value = f.fields[3];
      // A percentage chosen from the list compares against rates converted alike.
      if (e.value.find(" %") != std::string::npos) e.value = PercentToFraction(e.value);
    }
    elements.push_back(std::move(e));
  }
  return elements;
}

std::optional<std::string> CheckConditionExpression(std::string_view expression) {
  std::vector<ConditionElement> elements = ParseConditionExpression(expression);
  if (elements.empty()) return "検索条件がありません";
  for (size_t i = 0; i < elements.size(); ++i) {
    const ConditionElement& e = elements[i];
    const bool want_condition = i % 2 == 0;
    if (e.is_condition != want_condition)
      return want_condition ? "条件の位置に接続詞があります: " + e.connector
                            : "AND または OR がありません";
    if (!e.is_condition && e.connector != "AND" && e.connector != "OR")
      return "接続詞は AND か OR です: " + e.connector;
    if (e.is_condition && !IsKnownItem(e.item)) return "検索項目が不正です: " + e.item;
  }
  if (!elements.back().is_condition) return "最後の条件がありません";
  return std::nullopt;
}

bool EvaluateConditions(const std::vector<ConditionElement>& elements, const GridRecord& record) {
  bool last = true;
  bool result = false;
  bool skip = false;
  for (const ConditionElement& e : elements) {
    if (e.is_condition) {
      if (skip) {
        skip = false;
        continue;
      }
      last = CompareValue(e.type, e.symbol, record.Value(e.item), e.value);
      result = last;
    } else if (e.connector == "OR") {
      if (last) return true;
      result = false;
    } else if (e.connector == "AND") {
      if (!last) {
        result = false;
        skip = true;
      }
    }
  }
  return result;
}

bool EvaluateConditions(std::string_view expression, const GridRecord& record) {
  return EvaluateConditions(ParseConditionExpression(expression), record);
}

FilteredTable FilterTableLines(const std::vector<std::string>& lines, std::string_view expression) {
  const std::vector<ConditionElement> elements = ParseConditionExpression(expression);
  FilteredTable out;
  for (const std::string& line : lines) {
    if (line.find(',') == std::string::npos) {
      out.lines.push_back(line);
    } else if (EvaluateConditions(elements, MakeGridRecord(line))) {
      out.lines.push_back(line);
      ++out.matched;
    }
  }
  return out;
}

ConditionSearchModel::ConditionSearchModel(fs::path table_file, int max_pattern_length,
                                           fs::path result_file, Dialogs& dialogs,
                                           PatternPort pattern_entry)
    : table_file_(std::move(table_file)),
      max_pattern_length_(max_pattern_length),
      result_file_(std::move(result_file)),
      dialogs_(dialogs),
      pattern_entry_(std::move(pattern_entry)) {}

void ConditionSearchModel::Open() {
  try {
    LogLines lines = ReadLogLines(table_file_);
    table_lines_.clear();
    for (size_t i = 0; i < lines.size(); ++i)
      if (!lines[i].empty()) table_lines_.emplace_back(lines[i]);
  } catch (const IoError& error) {
    dialogs_.ShowMessage(error.what(), MessageKind::kError);
  }
  Clear();
}

void ConditionSearchModel::Clear() {
  rows_ = {};
  rows_[0].item_enabled = true;
}

void ConditionSearchModel::ClearAfter(int field) {
  for (int row = 0; row < kRows; ++row) {
    Row& r = rows_[static_cast<size_t>(row)];
    const int base = row * 4;
    if (base + 0 > field) {
      r.connector = -1;
      r.connector_enabled = false;
    }
    if (base + 1 > field) {
      r.item = -1;
      r.item_enabled = false;
      r.type.clear();
    }
    if (base + 2 > field) {
      r.op = -1;
      r.op_enabled = false;
      r.operators.clear();
    }
    if (base + 3 > field) {
      r.value = -1;
      r.value_enabled = false;
      r.values.clear();
      r.pattern.clear();
    }
  }
}

std::vector<std::string> ConditionSearchModel::ValuesOf(int item) const {
  std::vector<std::string> values;
  if (item == 1) {
    for (int k = 1; k <= max_pattern_length_; ++k) values.push_back(std::to_string(k));
    return values;
  }
  const int column = ColumnOfItem(item);
  if (column < 0) return values;
  std::unordered_set<std::string> seen;
  for (const std::string& line : table_lines_) {
    if (line.find(',') == std::string::npos) continue;
    std::string v = SplitFields(line, 5, ",").fields[static_cast<size_t>(column)];
    if (seen.insert(v).second) values.push_back(std::move(v));
  }
  std::stable_sort(values.begin(), values.end(),
                   [](const std::string& a, const std::string& b) { return CompareGridCells(a, b) < 0; });
  return values;
}

void ConditionSearchModel::ChooseConnector(int row, int index) {
  if (row < 1 || row >= kRows || index < 0 || index >= static_cast<int>(kConnectorLabels.size())) return;
  Row& r = rows_[static_cast<size_t>(row)];
  if (!r.connector_enabled) return;
  r.connector = index;
  ClearAfter(row * 4);
  if (index != kEndConnector) r.item_enabled = true;
}

void ConditionSearchModel::ChooseItem(int row, int index) {
  if (row < 0 || row >= kRows || index < 0 || index >= static_cast<int>(kSearchItems.size())) return;
  Row& r = rows_[static_cast<size_t>(row)];
  if (!r.item_enabled) return;
  r.item = index;
  ClearAfter(row * 4 + 1);
  r.type = kSearchItems[static_cast<size_t>(index)].type;
  r.operators = OperatorsOfType(r.type);
  r.op_enabled = true;
}

void ConditionSearchModel::ChooseOperator(int row, int index) {
  if (row < 0 || row >= kRows) return;
  Row& r = rows_[static_cast<size_t>(row)];
  if (!r.op_enabled || index < 0 || index >= static_cast<int>(r.operators.size())) return;
  r.op = index;
  ClearAfter(row * 4 + 2);
  if (std::string_view(r.operators[static_cast<size_t>(index)].symbol) == "*") {
    std::optional<std::string> pattern =
        pattern_entry_ ? pattern_entry_(max_pattern_length_) : std::nullopt;
    if (!pattern || pattern->empty()) return;
    r.pattern = *pattern;
    if (row + 1 < kRows) rows_[static_cast<size_t>(row) + 1].connector_enabled = true;
    return;
  }
  r.values = ValuesOf(r.item);
  r.value_enabled = true;
}

void ConditionSearchModel::ChooseValue(int row, int index) {
  if (row < 0 || row >= kRows) return;
  Row& r = rows_[static_cast<size_t>(row)];
  if (!r.value_enabled || index < 0 || index >= static_cast<int>(r.values.size())) return;
  r.value = index;
  ClearAfter(row * 4 + 3);
  if (row + 1 < kRows) rows_[static_cast<size_t>(row) + 1].connector_enabled = true;
}

std::optional<std::string> ConditionSearchModel::Expression() {
  int n = 0;
  for (int k = 1; k < kRows; ++k) {
    if (rows_[static_cast<size_t>(k)].connector == kEndConnector) {
      n = k;
      break;
    }
  }
  if (n == 0) {
    if (!rows_[kRows - 1].HasValue()) {
      dialogs_.ShowMessage(analysis_texts::kNoConditionEnd, MessageKind::kWarning);
      return std::nullopt;
    }
    n = kRows;
  }
  std::string expression;
  for (int i = 0; i < n; ++i) {
    const Row& r = rows_[static_cast<size_t>(i)];
    if (i > 0) expression += r.connector == 0 ? ",AND," : ",OR,";
    const SearchItem& item = kSearchItems[static_cast<size_t>(std::max(r.item, 0))];
    const char* symbol = r.op >= 0 ? r.operators[static_cast<size_t>(r.op)].symbol : "";
    expression += '"' + ConditionRecord(item.name, item.type, symbol, r.ValueText()) + '"';
  }
  return expression;
}

std::optional<fs::path> ConditionSearchModel::Search() {
  std::optional<std::string> expression = Expression();
  if (!expression) return std::nullopt;
  FilteredTable filtered = FilterTableLines(table_lines_, *expression);
  if (filtered.matched == 0) {
    dialogs_.ShowMessage(analysis_texts::kNothingMatches, MessageKind::kInformation);
    return std::nullopt;
  }
  try {
    WriteTableFile(result_file_, filtered.lines);
  } catch (const IoError& error) {
    dialogs_.ShowMessage(error.what(), MessageKind::kError);
    return std::nullopt;
  }
  return result_file_;
}

}  // namespace vessaro
