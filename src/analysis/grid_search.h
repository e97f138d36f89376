// The condition search over the pattern frequency table: search items, condition records and
// expressions, their evaluation over a table line, and the logic of the search window
// "グリッド内条件検索" (its five rows, what each choice enables, and the search itself).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/files.h"
#include "common/ports.h"

namespace vessaro {

struct SearchItem {
  const char* name;
  const char* type;
};
// "出現パターン" (文字列), "パターン桁数", "出現回数", "出現率", "理論値", "差分値" (数値).
inline constexpr std::array<SearchItem, 6> kSearchItems = {{{"出現パターン", "文字列"},
                                                            {"パターン桁数", "数値"},
                                                            {"出現回数", "数値"},
                                                            {"出現率", "数値"},
                                                            {"理論値", "数値"},
                                                            {"差分値", "数値"}}};

struct SearchOperator {
  const char* label;
  const char* symbol;
};
// The operators a type offers, in the order of the list.
std::vector<SearchOperator> OperatorsOfType(std::string_view type);

inline constexpr std::array<const char*, 3> kConnectorLabels = {"かつ（AND）", "または（OR）", "終了"};

// A percentage as the table writes it ("1.23 %"): " %" removed, read as a decimal (0 when not a
// number), divided by 100, "%.6f".
std::string PercentToFraction(std::string_view text);

// The values of one table line that conditions look up by item name.
struct GridRecord {
  std::string pattern;         // 出現パターン
  std::string length;          // パターン桁数
  std::string count;           // 出現回数
  std::string rate;            // 出現率 as a fraction
  std::string theoretical;     // 理論値 as a fraction
  std::string difference;      // 差分値 as a fraction
  // The value of an item; "" for an unknown name.
  std::string Value(std::string_view item) const;
};
GridRecord MakeGridRecord(std::string_view table_line);

// "item,type,symbol,value".
std::string ConditionRecord(std::string_view item, std::string_view type, std::string_view symbol,
                            std::string_view value);

// An expression split into its conditions and connectors, ready to test many records.
struct ConditionElement {
  bool is_condition = false;
  std::string connector;  // "AND" / "OR"
  std::string item, type, symbol, value;
};
std::vector<ConditionElement> ParseConditionExpression(std::string_view expression);
// nullopt when the expression reads as conditions on the table's items joined by AND / OR;
// otherwise why not.
std::optional<std::string> CheckConditionExpression(std::string_view expression);

// Left to right, AND binding tighter than OR: true when some run of AND-joined conditions holds
// in full. A condition whose outcome can no longer change the result is not tested.
bool EvaluateConditions(const std::vector<ConditionElement>& elements, const GridRecord& record);
bool EvaluateConditions(std::string_view expression, const GridRecord& record);

// The table's lines narrowed by an expression: lines without a comma (the header) stay, data lines
// stay when the expression holds. matched counts the data lines kept.
struct FilteredTable {
  std::vector<std::string> lines;
  int matched = 0;
};
FilteredTable FilterTableLines(const std::vector<std::string>& lines, std::string_view expression);

// The search window's state and rules.
class ConditionSearchModel {
 public:
  static constexpr int kRows = 5;
  // The search-pattern entry window for a wildcard: the letters, or nothing.
  using PatternPort = std::function<std::optional<std::string>(int max_length)>;

  struct Row {
    int connector = -1;  // rows 2 to 5 begin with one
    bool connector_enabled = false;
    int item = -1;
    bool item_enabled = false;
    std::string type;
    std::vector<SearchOperator> operators;
    int op = -1;
    bool op_enabled = false;
    std::vector<std::string> values;
    int value = -1;
    bool value_enabled = false;
    std::string pattern;  // a wildcard's letters

    bool HasValue() const { return value >= 0 || !pattern.empty(); }
    std::string ValueText() const { return value >= 0 ? values[static_cast<size_t>(value)] : pattern; }
  };

  ConditionSearchModel(fs::path table_file, int max_pattern_length, fs::path result_file,
                       Dialogs& dialogs, PatternPort pattern_entry);

  // Reads the table (for the value lists) and shows the opening state.
  void Open();
  void ChooseConnector(int row, int index);
  void ChooseItem(int row, int index);
  void ChooseOperator(int row, int index);
  void ChooseValue(int row, int index);
  // "条件クリア".
  void Clear();
  // "検索": the filtered table file when something matched (the window then closes with it).
  std::optional<fs::path> Search();

  const Row& row(int index) const { return rows_[static_cast<size_t>(index)]; }
  // The expression of the rows in use, or nullopt (after the message) when the rows have no end.
  std::optional<std::string> Expression();

 private:
  // Empties and disables every field after field (connector, item, operator, value of each row
  // in order; field = row * 4 + part).
  void ClearAfter(int field);
  std::vector<std::string> ValuesOf(int item) const;

  fs::path table_file_;
  int max_pattern_length_;
  fs::path result_file_;
  Dialogs& dialogs_;
  PatternPort pattern_entry_;
  std::vector<std::string> table_lines_;
  std::array<Row, kRows> rows_;
};

}  // namespace vessaro
