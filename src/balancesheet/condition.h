// The condition search of the preview: the items a condition can test with their types and
// index files, the operators and connectors, the condition string and its test against a report
// (`MatchesCondition`, AND binding tighter than OR), the condition window "検索条件追加" with its
// wildcard input "ワイルド検索", and the saved search patterns of 20_searchpattern.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "balancesheet/daily_report.h"
#include "balancesheet/sheet_folders.h"
#include "common/ports.h"

namespace vessaro {

struct ConditionItem {
  const char* name;  // the report key it tests
  const char* type;  // "日付", "数値", "文字" or "文字列"
  int index_key;     // the index file of its values
};
inline constexpr int kConditionItemCount = 20;
extern const std::array<ConditionItem, kConditionItemCount> kConditionItems;

struct OperatorLabel {
  const char* label;   // "等しい（＝）"
  const char* symbol;  // "="
};
// The operators offered for a type, in list order.
std::vector<OperatorLabel> OperatorsFor(std::string_view type);

inline constexpr const char* kConnectorAnd = "かつ（AND）";
inline constexpr const char* kConnectorOr = "または（OR）";
inline constexpr const char* kConnectorEnd = "終了";

// True when the report satisfies the condition string: conditions (item,type,symbol,value in
// double quotes) joined by AND and OR, tested left to right with AND binding tighter than OR.
// Everything after a condition's third comma is its value.
bool MatchesCondition(std::string_view condition, const DailyReport& report);
bool MatchesCondition(std::string_view condition, const fs::path& report_file);
// The condition string is well formed: conditions of four parts joined by AND or OR.
bool IsConditionString(std::string_view condition);

// A value list in the order the condition window offers it: after removing every "約" and "%"
// and trimming, numbers first by value, then the other texts in code page order.
void SortValueList(std::vector<std::string>& values);

// "ワイルド検索": the trimmed text to search for, or the message refusing the input (blank, more
// than 14 code page bytes as typed, or a forbidden character).
struct WildInput {
  std::optional<std::string> text;
  std::string message;
};
WildInput CheckWildInput(std::string_view typed);

// The condition window. Its nineteen choice fields and five type fields are numbered as the
// pattern files store them: row r (0 to 4) has the item field choice(4r), the operator choice(4r+1),
// the value choice(4r+2) and, for rows 0 to 3, the connector choice(4r+3); type(r) is its type.
class ConditionWindowModel {
 public:
  static constexpr int kRows = 5;
  static constexpr int kChoiceCount = 19;

  struct Choice {
    std::vector<std::string> items;
    std::string text;  // what the field shows
    bool enabled = false;
  };

  ConditionWindowModel(const SheetFolders& folders, Dialogs& dialogs);

  const Choice& choice(int n) const { return choices_[n]; }
  const std::string& type(int row) const { return types_[row]; }
  static int ItemField(int row) { return 4 * row; }
  static int OperatorField(int row) { return 4 * row + 1; }
  static int ValueField(int row) { return 4 * row + 2; }
  static int ConnectorField(int row) { return 4 * row + 3; }

  // Opening and "条件クリア".
  void Clear();
  void ChooseItem(int row, const std::string& item);
  // True when the operator is "ワイルド": the window then asks for the text (SetWildValue).
  bool ChooseOperator(int row, const std::string& label);
  void SetWildValue(int row, const std::string& text);
  void ChooseValue(int row, const std::string& value);
  void ChooseConnector(int row, const std::string& label);
  // "OK": the condition string, or nullopt after "検索条件の終了がありません".
  std::optional<std::string> Confirm();

  // Saved patterns.
  const std::vector<std::string>& pattern_names() const { return pattern_names_; }
  const std::string& pattern_name() const { return pattern_name_; }
  void SetPatternName(std::string name) { pattern_name_ = std::move(name); }
  // "パターンへ登録する".
  bool SavePattern();
  // "パターン読み込み" of the pattern at index (-1: none selected).
  bool LoadPattern(int index);
  // "パターン削除".
  bool DeletePattern(int index);

 private:
  // Empties and disables every field after the choice field n (and the type fields of later rows).
  void ClearAfter(int n);
  void FillOperators(int row);
  void FillValues(int row);
  void ReloadPatternNames();
  std::string ConditionOfRow(int row) const;

  SheetFolders folders_;
  Dialogs& dialogs_;
  std::array<Choice, kChoiceCount> choices_;
  std::array<std::string, kRows> types_;
  std::vector<std::string> pattern_names_;
  std::string pattern_name_;
};

}  // namespace vessaro
