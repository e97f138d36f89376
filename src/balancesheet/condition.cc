#include "balancesheet/condition.h"

#include <algorithm>

#include "balancesheet/search_index.h"
#include "balancesheet/sheet_texts.h"
#include "common/compare_value.h"
#include "common/cp932.h"
#include "common/format.h"
#include "common/hex.h"
#include "common/money.h"
#include "common/names.h"
#include "common/text.h"

namespace vessaro {

namespace st = sheet_text;

const std::array<ConditionItem, kConditionItemCount> kConditionItems = {{
    {"開始日付年月日", "日付", 0}, {"プレー時間", "日付", 2},   {"プレー場所", "文字", 3},
    {"プレーゲーム", "文字", 4},   {"開始残高", "数値", 5},     {"追加入金", "数値", 6},
    {"終了残高", "数値", 7},       {"収支", "数値", 8},         {"出金", "数値", 9},
    {"時給", "数値", 10},          {"ベット数", "数値", 11},    {"トータルベット", "数値", 15},
    {"最高ベット", "数値", 16},    {"平均ベット", "数値", 17},  {"ペイアウト", "数値", 18},
    {"最大連勝数", "数値", 19},    {"最大連敗数", "数値", 20},  {"残高詳細情報", "文字", 21},
    {"ボーナス種別", "文字", 23},  {"備考", "文字列", 28},
}};

namespace {

struct OperatorDef {
  OperatorLabel label;
  bool dates_and_numbers;  // offered for 日付 and 数値
  bool letters;            // offered for 文字
  bool wild;               // offered for 文字列 only
};
constexpr OperatorDef kOperators[] = {
    {{"等しい（＝）", "="}, true, true, false},   {{"等しくない（＜＞）", "<>"}, true, true, false},
    {{"より大きい（＞）", ">"}, true, false, false}, {{"より小さい（＜）", "<"}, true, false, false},
    {{"以上（＞＝）", ">="}, true, false, false},   {{"以下（＜＝）", "<="}, true, false, false},
    {{"ワイルド", "*"}, false, false, true},
};

const ConditionItem* FindItem(std::string_view name) {
  for (const ConditionItem& item : kConditionItems)
    if (name == item.name) return &item;
  return nullptr;
}

std::string SymbolOf(std::string_view label) {
  for (const OperatorDef& op : kOperators)
    if (label == op.label.label) return op.label.symbol;
  return {};
}

std::string WordOf(std::string_view connector) {
  if (connector == kConnectorAnd) return "AND";
  if (connector == kConnectorOr) return "OR";
  return {};
}

struct ParsedCondition {
  std::string item, type, symbol, value;
};

// item,type,symbol,value: the value is everything after the third comma, so a place written
// with a comma is compared whole.
std::optional<ParsedCondition> ParseCondition(std::string_view element) {
  ParsedCondition c;
  std::string* parts[3] = {&c.item, &c.type, &c.symbol};
  for (std::string* part : parts) {
    const size_t comma = element.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    *part = std::string(element.substr(0, comma));
    element.remove_prefix(comma + 1);
  }
  c.value = std::string(element);
  return c;
}

}  // namespace

std::vector<OperatorLabel> OperatorsFor(std::string_view type) {
  std::vector<OperatorLabel> labels;
  const bool dates_and_numbers = type == "日付" || type == "数値";
  for (const OperatorDef& op : kOperators)
    if ((dates_and_numbers && op.dates_and_numbers) || (type == "文字" && op.letters) ||
        (type == "文字列" && op.wild))
      labels.push_back(op.label);
  return labels;
}

bool MatchesCondition(std::string_view condition, const DailyReport& report) {
  const std::vector<std::string> elements = SplitFields(condition, 0, ",").fields;
  bool last = true;
  bool result = false;
  bool skip = false;
  bool tested = false;  // a connector before any condition decides nothing
  for (const std::string& element : elements) {
    if (Contains(element, ",")) {
      if (skip) {
        skip = false;
        continue;
      }
      auto c = ParseCondition(element);
      last = c && CompareValue(c->type, c->symbol, report.ValueOfKey(c->item), c->value);
      result = last;
      tested = true;
    } else if (element == "OR") {
      if (last && tested) return true;
      result = false;
    } else if (element == "AND") {
      if (!last) {
        result = false;
        skip = true;
      }
    }
  }
  return result;
}

bool MatchesCondition(std::string_view condition, const fs::path& report_file) {
  return MatchesCondition(condition, ReadReportFile(report_file));
}

bool IsConditionString(std::string_view condition) {
  const std::vector<std::string> elements = SplitFields(condition, 0, ",").fields;
  if (elements.empty()) return false;
  for (size_t i = 0; i < elements.size(); ++i) {
    if (i % 2 == 0) {
      if (!ParseCondition(elements[i])) return false;
    } else if (elements[i] != "AND" && elements[i] != "OR") {
      return false;
    }
  }
  return elements.size() % 2 == 1;
}

void SortValueList(std::vector<std::string>& values) {
  struct Keyed {
    std::optional<Cents> number;
    std::string bytes;
    std::string value;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(values.size());
  for (std::string& v : values) {
    const std::string bare = Trim(RemoveAll(RemoveAll(v, "約"), "%"));
    keyed.push_back({ParseMoney(bare), EncodeCp932Lossy(bare), std::move(v)});
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    if (a.number.has_value() != b.number.has_value()) return a.number.has_value();
    if (a.number && *a.number != *b.number) return *a.number < *b.number;
    return a.bytes < b.bytes;
  });
  for (size_t i = 0; i < values.size(); ++i) values[i] = std::move(keyed[i].value);
}

WildInput CheckWildInput(std::string_view typed) {
  std::string text = Trim(typed);
  if (text.empty()) return {std::nullopt, st::kWildBlank};
  if (Cp932Length(typed) > 14) return {std::nullopt, st::kWildTooLong};
  if (auto message = CheckNameCharacters(text, NameKind::kFile)) return {std::nullopt, *message};
  return {std::move(text), {}};
}

// ---------------------------------------------------------------------------------------------
// The condition window.

ConditionWindowModel::ConditionWindowModel(const SheetFolders& folders, Dialogs& dialogs)
    : folders_(folders), dialogs_(dialogs) {
  Clear();
}

void ConditionWindowModel::Clear() {
  for (int n = 0; n < kChoiceCount; ++n) choices_[n] = Choice{};
  for (int row = 0; row < kRows; ++row) {
    for (const ConditionItem& item : kConditionItems) choices_[ItemField(row)].items.emplace_back(item.name);
    if (row < kRows - 1)
      choices_[ConnectorField(row)].items = {kConnectorAnd, kConnectorOr, kConnectorEnd};
    types_[row].clear();
  }
  choices_[ItemField(0)].text = st::kChoosePrompt;
  choices_[ItemField(0)].enabled = true;
  pattern_name_.clear();
  ReloadPatternNames();
}

void ConditionWindowModel::ClearAfter(int n) {
  for (int m = n + 1; m < kChoiceCount; ++m) {
    choices_[m].text.clear();
    choices_[m].enabled = false;
    if (m % 4 == 1 || m % 4 == 2) choices_[m].items.clear();  // operator and value lists
  }
  for (int row = n / 4 + 1; row < kRows; ++row) types_[row].clear();
}

void ConditionWindowModel::FillOperators(int row) {
  Choice& op = choices_[OperatorField(row)];
  op.items.clear();
  for (const OperatorLabel& label : OperatorsFor(types_[row])) op.items.emplace_back(label.label);
}

void ConditionWindowModel::FillValues(int row) {
  Choice& value = choices_[ValueField(row)];
  value.items.clear();
  if (const ConditionItem* item = FindItem(choices_[ItemField(row)].text)) {
    value.items = ReadIndexValues(folders_.index, item->index_key);
    SortValueList(value.items);
  }
}

void ConditionWindowModel::ChooseItem(int row, const std::string& name) {
  const ConditionItem* item = FindItem(name);
  if (row < 0 || row >= kRows || item == nullptr || !choices_[ItemField(row)].enabled) return;
  ClearAfter(ItemField(row));
  choices_[ItemField(row)].text = name;
  types_[row] = item->type;
  choices_[OperatorField(row)].enabled = true;
  FillOperators(row);
}

bool ConditionWindowModel::ChooseOperator(int row, const std::string& label) {
  if (row < 0 || row >= kRows || !choices_[OperatorField(row)].enabled) return false;
  const std::string symbol = SymbolOf(label);
  if (symbol.empty()) return false;
  ClearAfter(OperatorField(row));
  choices_[OperatorField(row)].text = label;
  if (symbol == "*") return true;
  choices_[ValueField(row)].enabled = true;
  FillValues(row);
  return false;
}

void ConditionWindowModel::SetWildValue(int row, const std::string& text) {
  if (row < 0 || row >= kRows) return;
  choices_[ValueField(row)].text = "*" + text + "*";
  if (row < kRows - 1) choices_[ConnectorField(row)].enabled = true;
}

void ConditionWindowModel::ChooseValue(int row, const std::string& value) {
  if (row < 0 || row >= kRows || !choices_[ValueField(row)].enabled) return;
  ClearAfter(ValueField(row));
  choices_[ValueField(row)].text = value;
  if (row < kRows - 1) choices_[ConnectorField(row)].enabled = true;
}

void ConditionWindowModel::ChooseConnector(int row, const std::string& label) {
  if (row < 0 || row >= kRows - 1 || !choices_[ConnectorField(row)].enabled) return;
  ClearAfter(ConnectorField(row));
  choices_[ConnectorField(row)].text = label;
  if (label != kConnectorEnd) choices_[ItemField(row + 1)].enabled = true;
}

std::string ConditionWindowModel::ConditionOfRow(int row) const {
  return "\"" + choices_[ItemField(row)].text + "," + types_[row] + "," +
         SymbolOf(choices_[OperatorField(row)].text) + "," + choices_[ValueField(row)].text + "\"";
}

std::optional<std::string> ConditionWindowModel::Confirm() {
  int n = 0;
  for (int row = 0; row < kRows - 1 && n == 0; ++row)
    if (choices_[ConnectorField(row)].text == kConnectorEnd) n = row + 1;
  if (n == 0 && !choices_[ValueField(kRows - 1)].text.empty()) n = kRows;
  if (n == 0) {
    dialogs_.ShowMessage(st::kNoConditionEnd, MessageKind::kWarning);
    return std::nullopt;
  }
  std::string condition = ConditionOfRow(0);
  for (int row = 1; row < n; ++row)
    condition += "," + WordOf(choices_[ConnectorField(row - 1)].text) + "," + ConditionOfRow(row);
  return condition;
}

void ConditionWindowModel::ReloadPatternNames() {
  pattern_names_.clear();
  for (const std::string& file : ListSheetFileNames(folders_.patterns))
    if (EndsWith(file, ".dat")) pattern_names_.push_back(file.substr(0, file.size() - 4));
}

namespace {

std::string PatternKey(int n) {
  return n < ConditionWindowModel::kChoiceCount ? Format("ComboBox%d", n + 1)
                                                : Format("Edit%d", n - ConditionWindowModel::kChoiceCount + 1);
}

}  // namespace

bool ConditionWindowModel::SavePattern() {
  const std::string name = Trim(pattern_name_);
  auto refuse = [this](const std::string& message) {
    dialogs_.ShowMessage(message, MessageKind::kWarning);
    return false;
  };
  if (name.empty()) return refuse(st::kEnterName);
  if (auto message = CheckNameCharacters(name, NameKind::kFile)) return refuse(*message);
  std::string text;
  for (int n = 0; n < kChoiceCount + kRows; ++n) {
    const std::string& value = n < kChoiceCount ? choices_[n].text : types_[n - kChoiceCount];
    text += PatternKey(n) + "=" + HexEncodeText(value) + "\r\n";
  }
  WriteTextFile(folders_.patterns / (name + ".dat"), text);
  ReloadPatternNames();
  dialogs_.ShowMessage(st::kSaved, MessageKind::kInformation);
  return true;
}

bool ConditionWindowModel::LoadPattern(int index) {
  if (index < 0 || index >= static_cast<int>(pattern_names_.size())) {
    dialogs_.ShowMessage(st::kChoosePatternToLoad, MessageKind::kWarning);
    return false;
  }
  const std::string name = pattern_names_[index];
  const fs::path file = folders_.patterns / (name + ".dat");
  std::array<std::string, kChoiceCount + kRows> texts;
  bool any_key = false;
  bool readable = true;
  const std::vector<std::string> lines = ReadTextLines(file);
  for (int n = 0; n < kChoiceCount + kRows && readable; ++n) {
    const std::string key = PatternKey(n);
    for (const std::string& line : lines) {
      const size_t eq = line.find('=');
      if (eq == std::string::npos || !EqualsIgnoreCase(std::string_view(line).substr(0, eq), key)) continue;
      auto decoded = HexDecodeText(Trim(line.substr(eq + 1)));
      if (!decoded || !IsCp932Encodable(*decoded)) readable = false;
      if (decoded) texts[n] = *decoded;
      any_key = true;
      break;
    }
  }
  if (!any_key || !readable) {
    dialogs_.ShowMessage(Format(st::kPatternUnreadable, file.filename().string().c_str()), MessageKind::kWarning);
    return false;
  }
  pattern_name_ = name;
  for (int n = 0; n < kChoiceCount; ++n) {
    choices_[n].text = texts[n];
    choices_[n].enabled = !texts[n].empty();
  }
  for (int row = 0; row < kRows; ++row) {
    types_[row] = texts[kChoiceCount + row];
    // The lists follow what the fields show, so a loaded condition can be changed as a new one.
    FillOperators(row);
    if (SymbolOf(choices_[OperatorField(row)].text) != "*" && !choices_[OperatorField(row)].text.empty())
      FillValues(row);
    else
      choices_[ValueField(row)].items.clear();
  }
  return true;
}

bool ConditionWindowModel::DeletePattern(int index) {
  if (index < 0 || index >= static_cast<int>(pattern_names_.size())) {
    dialogs_.ShowMessage(st::kChooseListToDelete, MessageKind::kWarning);
    return false;
  }
  const fs::path file = folders_.patterns / (pattern_names_[index] + ".dat");
  if (!DeleteFileIfExists(file)) ThrowIoError(IoAction::kDelete, file);
  pattern_names_.erase(pattern_names_.begin() + index);
  return true;
}

}  // namespace vessaro
