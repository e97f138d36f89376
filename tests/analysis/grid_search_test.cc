// The frequency grid (loading, sorting, marks) and the condition search over it: records,
// expressions and their evaluation, and the search window's rows.
#include "analysis/grid_search.h"

#include <gtest/gtest.h>

#include "analysis/grid_table.h"
#include "analysis/pattern_grid.h"
#include "analysis/play_log.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;

std::vector<std::string> Words(const std::vector<std::string>& lines) {
  std::vector<std::string> words;
  for (const std::string& l : lines)
    if (l.find(',') != std::string::npos) words.push_back(l.substr(0, l.find(',')));
  return words;
}

TEST(GridRecordTest, PercentagesBecomeFractions) {
  GridRecord r = MakeGridRecord("BBP,2,25.00 %,12.67 %,12.33 %");
  EXPECT_EQ(r.Value("出現パターン"), "BBP");
  EXPECT_EQ(r.Value("パターン桁数"), "3");
  EXPECT_EQ(r.Value("出現回数"), "2");
  EXPECT_EQ(r.Value("出現率"), "0.250000");
  EXPECT_EQ(r.Value("理論値"), "0.126700");
  EXPECT_EQ(r.Value("差分値"), "0.123300");
  EXPECT_EQ(r.Value("何か"), "");
  EXPECT_EQ(PercentToFraction("-5.92 %"), "-0.059200");
  EXPECT_EQ(PercentToFraction("abc %"), "0.000000");
}

// A OR B AND C over one record, with each condition true or false as the case says.
TEST(EvaluateConditionsTest, AndBindsTighterThanOr) {
  GridRecord record = MakeGridRecord("PB,5,10.00 %,25.00 %,-15.00 %");
  const std::string t = "\"出現回数,数値,=,5\"";
  const std::string f = "\"出現回数,数値,=,6\"";
  struct Case {
    std::string expression;
    bool holds;
  } cases[] = {
      {f + ",OR," + t + ",AND," + f, false},  // A false, B true, C false
      {t + ",OR," + t + ",AND," + f, true},   // A true decides
      {t + ",OR," + f + ",AND," + f, true},
      {f + ",OR," + t + ",AND," + t, true},
      {t + ",AND," + f + ",OR," + t, true},
      {f + ",AND," + t + ",OR," + f, false},
      {f + ",AND," + t, false},  // a false start is not rescued by a later AND
      {t + ",AND," + t + ",AND," + t, true},
      {t, true},
      {f, false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(EvaluateConditions(c.expression, record), c.holds) << c.expression;
}

const std::vector<std::string>& Table() {
  static const std::vector<std::string> lines = FrequencyTableLines("BBPBBPBBPPPBPBBB", 4);
  return lines;
}

TEST(FilterTableTest, CountAtLeast) {
  FilteredTable f = FilterTableLines(Table(), "\"出現回数,数値,>=,4\"");
  EXPECT_EQ(f.lines.front(), Table().front());
  std::vector<std::string> expected;
  for (const std::string& word : Words(Table()))
    if (CountOccurrences("BBPBBPBBPPPBPBBB", word) >= 4) expected.push_back(word);
  EXPECT_EQ(Words(f.lines), expected);
  EXPECT_EQ(f.matched, static_cast<int>(expected.size()));
  EXPECT_GE(expected.size(), 3u);
}

TEST(FilterTableTest, RateEqualToZeroKeepsTheWordsThatNeverOccurred) {
  FilteredTable f = FilterTableLines(Table(), "\"出現率,数値,=,0.00 %\"");
  for (const std::string& word : Words(f.lines)) EXPECT_EQ(CountOccurrences("BBPBBPBBPPPBPBBB", word), 0) << word;
  int never = 0;
  for (const std::string& word : Words(Table())) never += CountOccurrences("BBPBBPBBPPPBPBBB", word) == 0;
  EXPECT_EQ(f.matched, never);
  EXPECT_GT(never, 0);
}

TEST(FilterTableTest, WildcardKeepsEveryWordHoldingTheLetters) {
  std::vector<std::string> words = Words(FilterTableLines(Table(), "\"出現パターン,文字列,*,PB\"").lines);
  for (const char* kept : {"PB", "PPB", "BPBP", "PBBB"})
    EXPECT_NE(std::find(words.begin(), words.end(), kept), words.end()) << kept;
  for (const char* dropped : {"BP", "BBB", "PPP", "P", "B", "BBBP"})
    EXPECT_EQ(std::find(words.begin(), words.end(), dropped), words.end()) << dropped;
}

TEST(FilterTableTest, TwoConditionsWithOr) {
  std::vector<std::string> words =
      Words(FilterTableLines(Table(), "\"パターン桁数,数値,=,1\",OR,\"出現パターン,文字列,*,PPP\"").lines);
  EXPECT_EQ(words, (std::vector<std::string>{"PPPP", "PPPB", "BPPP", "PPP", "P", "B"}));
}

TEST(FilterTableTest, ExpressionCheck) {
  EXPECT_EQ(CheckConditionExpression("\"出現回数,数値,>=,4\",AND,\"出現率,数値,>,1.00 %\""), std::nullopt);
  EXPECT_NE(CheckConditionExpression(""), std::nullopt);
  EXPECT_NE(CheckConditionExpression("\"出現回数,数値,>=,4\",AND"), std::nullopt);
  EXPECT_NE(CheckConditionExpression("\"出現回数,数値,>=,4\",XOR,\"出現回数,数値,>=,4\""), std::nullopt);
  EXPECT_NE(CheckConditionExpression("\"残高,数値,>=,4\""), std::nullopt);
  EXPECT_NE(CheckConditionExpression("AND,\"出現回数,数値,>=,4\""), std::nullopt);
}

TEST(GridCellOrderTest, NumbersByValueTextsByBytes) {
  EXPECT_LT(CompareGridCells("0.00 %", "10.00 %"), 0);
  EXPECT_LT(CompareGridCells("9", "10"), 0);
  EXPECT_LT(CompareGridCells("-5", "20"), 0);
  EXPECT_EQ(CompareGridCells("約10%", "10.00001"), 0);  // the same to four decimals
  EXPECT_LT(CompareGridCells("10.0001", "10.0002"), 0);
  EXPECT_LT(CompareGridCells("5", "約10%"), 0);
  EXPECT_LT(CompareGridCells("10", "A"), 0);
  EXPECT_LT(CompareGridCells("A", "B"), 0);
}

class FrequencyGridTest : public ::testing::Test {
 protected:
  FrequencyGridTest() { WriteTableFile(table, Table()); }

  TempFolder folder;
  fs::path table = FrequencyTablePath(folder.path());
  FakeDialogs dialogs;
};

TEST_F(FrequencyGridTest, LoadsHeadingRowsAndLongestWord) {
  FrequencyGridModel grid(table, dialogs, nullptr);
  grid.Open();
  EXPECT_EQ(grid.table().heading, "全16戦（引分けを除く） パターン桁:4桁(30通り)");
  ASSERT_EQ(grid.table().rows.size(), 30u);
  EXPECT_EQ(grid.table().rows[0].cells[0], "PPPP");
  EXPECT_EQ(grid.table().rows[0].cells[2], "0.00 %");
  EXPECT_EQ(grid.table().max_pattern_length, 4);
}

TEST_F(FrequencyGridTest, SortingMovesRowsWithTheirMarks) {
  FrequencyGridModel grid(table, dialogs, nullptr);
  grid.Open();
  grid.ToggleMark(0, 0);  // PPPP, aqua
  grid.set_colour(MarkColour::kRed);
  grid.ToggleMark(29, 4);  // B, red
  grid.ToggleMark(29, 1);
  grid.ToggleMark(29, 1);  // a second click takes the mark away
  grid.Sort(2, true);      // 出現率 ascending
  const auto& rows = grid.table().rows;
  EXPECT_EQ(rows.front().cells[2], "0.00 %");
  for (size_t i = 1; i < rows.size(); ++i)
    EXPECT_LE(CompareGridCells(rows[i - 1].cells[2], rows[i].cells[2]), 0) << i;
  for (const GridRow& r : rows) {
    EXPECT_EQ(r.marks[0], r.cells[0] == "PPPP" ? MarkColour::kAqua : MarkColour::kNone);
    EXPECT_EQ(r.marks[4], r.cells[0] == "B" ? MarkColour::kRed : MarkColour::kNone);
    EXPECT_EQ(r.marks[1], MarkColour::kNone);
  }
  std::vector<std::string> once;
  for (const GridRow& r : rows) once.push_back(r.cells[2]);
  grid.Sort(2, true);
  std::vector<std::string> twice;
  for (const GridRow& r : grid.table().rows) twice.push_back(r.cells[2]);
  EXPECT_EQ(once, twice);
  grid.Sort(4, false);  // 差分値 descending
  const auto& by_difference = grid.table().rows;
  for (size_t i = 1; i < by_difference.size(); ++i)
    EXPECT_GE(CompareGridCells(by_difference[i - 1].cells[4], by_difference[i].cells[4]), 0) << i;
}

TEST_F(FrequencyGridTest, SearchResultIsShownThenItsFileDeleted) {
  const fs::path filtered = FilteredTablePath(folder.path());
  int max_length = -1;
  FrequencyGridModel grid(table, dialogs, [&](const fs::path& full, int length) -> std::optional<fs::path> {
    EXPECT_EQ(full, table);
    max_length = length;
    LogLines lines = ReadLogLines(full);
    WriteTableFile(filtered, {std::string(lines[0]), std::string(lines[29]), std::string(lines[30])});
    return filtered;
  });
  grid.Open();
  grid.ToggleMark(0, 0);
  grid.ConditionSearch();
  EXPECT_EQ(max_length, 4);
  EXPECT_FALSE(FileExists(filtered));
  ASSERT_EQ(grid.table().rows.size(), 2u);
  EXPECT_EQ(grid.table().rows[0].cells[0], "P");
  EXPECT_EQ(grid.table().rows[0].marks[0], MarkColour::kNone);
  EXPECT_EQ(grid.table().max_pattern_length, 1);
  EXPECT_EQ(grid.result_text(), "検索結果 2件");
  grid.ClearSearch();
  EXPECT_EQ(grid.table().rows.size(), 30u);
  EXPECT_EQ(grid.result_text(), "");
}

class ConditionWindowTest : public ::testing::Test {
 protected:
  ConditionWindowTest() {
    WriteTableFile(table, Table());
    model.Open();
  }
  TempFolder folder;
  fs::path table = FrequencyTablePath(folder.path());
  fs::path result = FilteredTablePath(folder.path());
  FakeDialogs dialogs;
  std::vector<int> asked;
  std::optional<std::string> pattern = "PB";
  ConditionSearchModel model{table, 4, result, dialogs, [this](int max) {
                               asked.push_back(max);
                               return pattern;
                             }};
};

TEST_F(ConditionWindowTest, OpeningStateAndUntouchedSearch) {
  EXPECT_TRUE(model.row(0).item_enabled);
  EXPECT_FALSE(model.row(0).op_enabled);
  for (int r = 1; r < 5; ++r) {
    EXPECT_FALSE(model.row(r).connector_enabled);
    EXPECT_FALSE(model.row(r).item_enabled);
  }
  EXPECT_EQ(model.Search(), std::nullopt);
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"検索条件の終了がありません"}));
  EXPECT_FALSE(FileExists(result));
}

TEST_F(ConditionWindowTest, EachChoiceEnablesTheNextAndClearsWhatFollows) {
  model.ChooseItem(0, 2);  // 出現回数
  EXPECT_EQ(model.row(0).type, "数値");
  ASSERT_EQ(model.row(0).operators.size(), 6u);
  EXPECT_EQ(std::string(model.row(0).operators[4].label), "以上（＞＝）");
  model.ChooseOperator(0, 4);
  EXPECT_TRUE(model.row(0).value_enabled);
  // Distinct counts, ascending by value.
  const std::vector<std::string>& values = model.row(0).values;
  EXPECT_EQ(values.front(), "0");
  for (size_t i = 1; i < values.size(); ++i) EXPECT_LT(std::stoi(values[i - 1]), std::stoi(values[i]));
  model.ChooseValue(0, 1);
  EXPECT_TRUE(model.row(1).connector_enabled);
  model.ChooseConnector(1, 0);  // AND
  EXPECT_TRUE(model.row(1).item_enabled);
  model.ChooseItem(1, 1);  // パターン桁数
  model.ChooseOperator(1, 0);
  EXPECT_EQ(model.row(1).values, (std::vector<std::string>{"1", "2", "3", "4"}));
  model.ChooseValue(1, 1);
  model.ChooseConnector(2, 2);  // 終了
  EXPECT_FALSE(model.row(2).item_enabled);
  EXPECT_FALSE(model.row(3).connector_enabled);

  // A new item on row 1 clears everything after it.
  model.ChooseItem(0, 3);
  EXPECT_EQ(model.row(0).op, -1);
  EXPECT_TRUE(model.row(0).values.empty());
  EXPECT_FALSE(model.row(1).connector_enabled);
  EXPECT_EQ(model.row(1).item, -1);
  EXPECT_EQ(model.row(1).type, "");
  EXPECT_EQ(model.row(2).connector, -1);
}

TEST_F(ConditionWindowTest, EndOnRowThreeSearchesTwoConditions) {
  model.ChooseItem(0, 1);
  model.ChooseOperator(0, 0);
  model.ChooseValue(0, 1);  // パターン桁数 = 2
  model.ChooseConnector(1, 0);
  model.ChooseItem(1, 0);
  model.ChooseOperator(1, 0);  // ワイルド: the pattern entry gives PB
  EXPECT_EQ(asked, std::vector<int>{4});
  EXPECT_EQ(model.row(1).ValueText(), "PB");
  model.ChooseConnector(2, 2);
  EXPECT_EQ(model.Expression(), "\"パターン桁数,数値,=,2\",AND,\"出現パターン,文字列,*,PB\"");
  std::optional<fs::path> path = model.Search();
  ASSERT_EQ(path, result);
  LogLines written = ReadLogLines(result);
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[0], Table()[0]);
  EXPECT_EQ(written[1].substr(0, 3), "PB,");
}

TEST_F(ConditionWindowTest, CancelledPatternLeavesTheRowWithoutValue) {
  pattern = std::nullopt;
  model.ChooseItem(0, 0);
  model.ChooseOperator(0, 0);
  EXPECT_FALSE(model.row(0).HasValue());
  EXPECT_FALSE(model.row(1).connector_enabled);
}

TEST_F(ConditionWindowTest, NothingMatchingKeepsTheConditions) {
  model.ChooseItem(0, 2);
  model.ChooseOperator(0, 2);  // >
  model.ChooseValue(0, static_cast<int>(model.row(0).values.size()) - 1);  // the largest count
  model.ChooseConnector(1, 2);
  EXPECT_EQ(model.Search(), std::nullopt);
  EXPECT_EQ(dialogs.messages.back(), "検索条件に該当するデータがありません");
  EXPECT_FALSE(FileExists(result));
  EXPECT_EQ(model.row(0).value, static_cast<int>(model.row(0).values.size()) - 1);
  model.Clear();
  EXPECT_EQ(model.row(0).item, -1);
  EXPECT_FALSE(model.row(1).connector_enabled);
}

TEST_F(ConditionWindowTest, FiveRowsWithoutEnd) {
  for (int r = 0; r < 5; ++r) {
    if (r > 0) model.ChooseConnector(r, 1);  // OR
    model.ChooseItem(r, 1);
    model.ChooseOperator(r, 0);
    model.ChooseValue(r, r % 4);
  }
  std::optional<fs::path> path = model.Search();
  ASSERT_TRUE(path);
  EXPECT_EQ(ReadLogLines(*path).size(), 31u);  // every length from 1 to 4 chosen: all rows
}

}  // namespace
}  // namespace vessaro
