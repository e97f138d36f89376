#include "balancesheet/condition.h"

#include <gtest/gtest.h>

#include "balancesheet/sample_reports.h"
#include "balancesheet/search_index.h"
#include "balancesheet/sheet_texts.h"
#include "common/cp932.h"
#include "common/hex.h"
#include "common/names.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using F = ReportField;
using testing::FakeDialogs;
using testing::TempFolder;
namespace st = sheet_text;
using W = ConditionWindowModel;

DailyReport Report(const std::string& profit, const std::string& place, const std::string& remarks = "") {
  DailyReport r;
  r[F::kProfit] = profit;
  r[F::kPlace] = place;
  r[F::kRemarks] = remarks;
  r[F::kStartDate] = "2024/01/05";
  r[F::kPlayTime] = "25:30";
  return r;
}

TEST(MatchesConditionTest, AndBindsTighterThanOr) {
  const std::string condition =
      "\"収支,数値,>,0\",OR,\"収支,数値,<,-100\",AND,\"プレー場所,文字,=,A\"";
  EXPECT_TRUE(MatchesCondition(condition, Report("50", "B")));
  EXPECT_TRUE(MatchesCondition(condition, Report("-200", "A")));
  EXPECT_FALSE(MatchesCondition(condition, Report("-200", "B")));
  EXPECT_FALSE(MatchesCondition(condition, Report("-50", "A")));
  EXPECT_FALSE(MatchesCondition(condition, Report("0", "A")));
  EXPECT_TRUE(IsConditionString(condition));
}

TEST(MatchesConditionTest, EveryShapeOfAndAndOr) {
  // Conditions A, B, C on three fields that each hold or fail.
  auto report = [](bool a, bool b, bool c) {
    DailyReport r;
    r[F::kPlace] = a ? "a" : "-";
    r[F::kGame] = b ? "b" : "-";
    r[F::kRemarks] = c ? "c" : "-";
    return r;
  };
  const std::string A = "\"プレー場所,文字,=,a\"", B = "\"プレーゲーム,文字,=,b\"", C = "\"備考,文字列,*,*c*\"";
  for (int bits = 0; bits < 8; ++bits) {
    const bool a = bits & 1, b = bits & 2, c = bits & 4;
    const DailyReport r = report(a, b, c);
    EXPECT_EQ(MatchesCondition(A + ",OR," + B + ",AND," + C, r), a || (b && c)) << bits;
    EXPECT_EQ(MatchesCondition(A + ",AND," + B + ",OR," + C, r), (a && b) || c) << bits;
    EXPECT_EQ(MatchesCondition(A + ",AND," + B + ",AND," + C, r), a && b && c) << bits;
    EXPECT_EQ(MatchesCondition(A + ",OR," + B + ",OR," + C, r), a || b || c) << bits;
    EXPECT_EQ(MatchesCondition(A, r), a) << bits;
  }
}

TEST(MatchesConditionTest, ValuesTypesAndOddInput) {
  EXPECT_TRUE(MatchesCondition("\"備考,文字列,*,*ボーナス*\"", Report("0", "A", "初回ボーナス<BR>消化")));
  EXPECT_TRUE(MatchesCondition("\"備考,文字列,*,*ス消*\"", Report("0", "A", "初回ボーナス<BR>消化")));
  EXPECT_TRUE(MatchesCondition("\"プレー場所,文字,=,Casino, Tokyo\"", Report("0", "Casino, Tokyo")));
  EXPECT_TRUE(MatchesCondition("\"開始日付年月日,日付,>=,2024/01/05\"", Report("0", "A")));
  EXPECT_FALSE(MatchesCondition("\"開始日付年月日,日付,>,2024/01/05\"", Report("0", "A")));
  EXPECT_TRUE(MatchesCondition("\"プレー時間,日付,>,24:00\"", Report("0", "A")));
  // A value that is no date fails its condition and the search goes on.
  EXPECT_FALSE(MatchesCondition("\"開始日付年月日,日付,=,someday\"", Report("0", "A")));
  EXPECT_TRUE(MatchesCondition("\"開始日付年月日,日付,=,someday\",OR,\"収支,数値,=,0\"", Report("0", "A")));
  for (const char* odd : {"", "garbage", "\"a,b\"", ",,,", "OR", "\"収支,数値\",AND"}) {
    EXPECT_FALSE(MatchesCondition(odd, Report("1", "A"))) << odd;
    EXPECT_FALSE(IsConditionString(odd)) << odd;
  }
}

TEST(ValueListTest, NumbersByValueThenTexts) {
  std::vector<std::string> v = {"100", "20", "-5"};
  SortValueList(v);
  EXPECT_EQ(v, (std::vector<std::string>{"-5", "20", "100"}));
  v = {"約10%", "5"};
  SortValueList(v);
  EXPECT_EQ(v, (std::vector<std::string>{"5", "約10%"}));
  v = {"B", "A", "10"};
  SortValueList(v);
  EXPECT_EQ(v, (std::vector<std::string>{"10", "A", "B"}));
  v = {"2024/01/10", "2023/12/31", "150.00", "99.5"};
  SortValueList(v);
  EXPECT_EQ(v, (std::vector<std::string>{"99.5", "150.00", "2023/12/31", "2024/01/10"}));
}

TEST(WildInputTest, ChecksBlankLengthAndCharacters) {
  EXPECT_EQ(CheckWildInput(" ボーナス ").text, "ボーナス");
  EXPECT_EQ(CheckWildInput("  ").message, st::kWildBlank);
  EXPECT_EQ(CheckWildInput("あいうえおかき").text, "あいうえおかき");  // 14 bytes
  EXPECT_EQ(CheckWildInput("あいうえおかきa").message, st::kWildTooLong);
  EXPECT_EQ(CheckWildInput("abcdefghijklmn").text, "abcdefghijklmn");
  EXPECT_EQ(CheckWildInput("abcdefghijklmno").message, st::kWildTooLong);
  EXPECT_EQ(CheckWildInput("a,b").message, ForbiddenCharactersMessage(NameKind::kFile));
  EXPECT_EQ(CheckWildInput("a*").message, ForbiddenCharactersMessage(NameKind::kFile));
  EXPECT_EQ(CheckWildInput("😀").message, kUnstorableCharacterMessage);
}

class ConditionWindowTest : public ::testing::Test {
 protected:
  ConditionWindowTest() : folders(home.path()) {
    EnsureBalanceSheetFolders(folders);
    for (const char* profit : {"100", "20", "-5"}) {
      DailyReport r = Report(profit, "A");
      UpdateIndex(folders.index, r);
    }
  }
  TempFolder home;
  SheetFolders folders;
  FakeDialogs dialogs;
};

TEST_F(ConditionWindowTest, RowsEnableOneAfterAnother) {
  W w(folders, dialogs);
  EXPECT_EQ(w.choice(W::ItemField(0)).text, st::kChoosePrompt);
  EXPECT_TRUE(w.choice(W::ItemField(0)).enabled);
  for (int n = 1; n < W::kChoiceCount; ++n) EXPECT_FALSE(w.choice(n).enabled) << n;
  EXPECT_EQ(w.Confirm(), std::nullopt);  // untouched
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kNoConditionEnd});

  w.ChooseItem(0, "収支");
  EXPECT_EQ(w.type(0), "数値");
  EXPECT_EQ(w.choice(W::OperatorField(0)).items.size(), 6u);
  EXPECT_FALSE(w.ChooseOperator(0, "より大きい（＞）"));
  EXPECT_EQ(w.choice(W::ValueField(0)).items, (std::vector<std::string>{"-5", "20", "100"}));
  w.ChooseValue(0, "0");
  EXPECT_TRUE(w.choice(W::ConnectorField(0)).enabled);
  w.ChooseConnector(0, kConnectorOr);
  w.ChooseItem(1, "収支");
  w.ChooseOperator(1, "より小さい（＜）");
  w.ChooseValue(1, "-100");
  w.ChooseConnector(1, kConnectorAnd);
  w.ChooseItem(2, "プレー場所");
  EXPECT_EQ(w.choice(W::OperatorField(2)).items, (std::vector<std::string>{"等しい（＝）", "等しくない（＜＞）"}));
  w.ChooseOperator(2, "等しい（＝）");
  EXPECT_EQ(w.choice(W::ValueField(2)).items, std::vector<std::string>{"A"});
  w.ChooseValue(2, "A");
  w.ChooseConnector(2, kConnectorEnd);
  EXPECT_FALSE(w.choice(W::ItemField(3)).enabled);
  EXPECT_EQ(w.Confirm(), "\"収支,数値,>,0\",OR,\"収支,数値,<,-100\",AND,\"プレー場所,文字,=,A\"");

  // Choosing again in row 1 empties and disables everything after it.
  w.ChooseItem(0, "備考");
  EXPECT_EQ(w.type(0), "文字列");
  EXPECT_EQ(w.type(1), "");
  EXPECT_FALSE(w.choice(W::ItemField(1)).enabled);
  EXPECT_EQ(w.choice(W::ConnectorField(1)).text, "");
  EXPECT_TRUE(w.ChooseOperator(0, "ワイルド"));
  EXPECT_FALSE(w.choice(W::ConnectorField(0)).enabled);
  w.SetWildValue(0, "ボーナス");
  EXPECT_TRUE(w.choice(W::ConnectorField(0)).enabled);
  w.ChooseConnector(0, kConnectorEnd);
  EXPECT_EQ(w.Confirm(), "\"備考,文字列,*,*ボーナス*\"");
}

TEST_F(ConditionWindowTest, FiveConditionsNeedTheLastValue) {
  W w(folders, dialogs);
  for (int row = 0; row < 5; ++row) {
    w.ChooseItem(row, "収支");
    w.ChooseOperator(row, "以上（＞＝）");
    if (row == 4) {
      EXPECT_EQ(w.Confirm(), std::nullopt);
      EXPECT_EQ(dialogs.messages.back(), st::kNoConditionEnd);
    }
    w.ChooseValue(row, "20");
    if (row < 4) w.ChooseConnector(row, kConnectorAnd);
  }
  auto condition = w.Confirm();
  ASSERT_TRUE(condition);
  EXPECT_EQ(std::count(condition->begin(), condition->end(), 'A'), 4);
  EXPECT_TRUE(IsConditionString(*condition));
}

TEST_F(ConditionWindowTest, ASavedPatternReproducesItsCondition) {
  W w(folders, dialogs);
  w.ChooseItem(0, "プレー場所");
  w.ChooseOperator(0, "等しい（＝）");
  w.ChooseValue(0, "A");
  w.ChooseConnector(0, kConnectorAnd);
  w.ChooseItem(1, "収支");
  w.ChooseOperator(1, "より大きい（＞）");
  w.ChooseValue(1, "0");
  w.ChooseConnector(1, kConnectorEnd);
  const auto wanted = w.Confirm();
  EXPECT_EQ(wanted, "\"プレー場所,文字,=,A\",AND,\"収支,数値,>,0\"");

  w.SetPatternName("  ");
  EXPECT_FALSE(w.SavePattern());
  EXPECT_EQ(dialogs.messages.back(), st::kEnterName);
  w.SetPatternName("A.B");
  EXPECT_FALSE(w.SavePattern());
  EXPECT_EQ(dialogs.messages.back(), ForbiddenCharactersMessage(NameKind::kFile));
  w.SetPatternName(" 場所Aの勝ち ");
  ASSERT_TRUE(w.SavePattern());
  EXPECT_EQ(dialogs.messages.back(), st::kSaved);
  const std::string file = ReadWholeFile(folders.patterns / "場所Aの勝ち.dat");
  EXPECT_EQ(file.substr(0, file.find("\r\n")), "ComboBox1=" + HexEncodeBytes(EncodeCp932Lossy("プレー場所")));
  EXPECT_NE(file.find("\r\nComboBox19=\r\nEdit1=95B68E9A\r\n"), std::string::npos);

  W fresh(folders, dialogs);
  EXPECT_EQ(fresh.pattern_names(), std::vector<std::string>{"場所Aの勝ち"});
  EXPECT_FALSE(fresh.LoadPattern(-1));
  EXPECT_EQ(dialogs.messages.back(), st::kChoosePatternToLoad);
  ASSERT_TRUE(fresh.LoadPattern(0));
  EXPECT_EQ(fresh.pattern_name(), "場所Aの勝ち");
  EXPECT_TRUE(fresh.choice(W::ConnectorField(1)).enabled);
  EXPECT_FALSE(fresh.choice(W::ItemField(2)).enabled);
  EXPECT_EQ(fresh.Confirm(), wanted);

  EXPECT_FALSE(fresh.DeletePattern(-1));
  EXPECT_EQ(dialogs.messages.back(), st::kChooseListToDelete);
  EXPECT_TRUE(fresh.DeletePattern(0));
  EXPECT_TRUE(fresh.pattern_names().empty());
  EXPECT_FALSE(FileExists(folders.patterns / "場所Aの勝ち.dat"));
}

TEST_F(ConditionWindowTest, DamagedPatternsLoadNothing) {
  WriteWholeFile(folders.patterns / "odd.dat", "ComboBox1=4142F\r\nComboBox2=ZZ\r\n");
  WriteWholeFile(folders.patterns / "binary.dat", std::string("\x00\x01\x02\xFF\xFE", 5));
  WriteWholeFile(folders.patterns / "short.dat", "ComboBox1=8E\r\n");  // half a character
  W w(folders, dialogs);
  ASSERT_EQ(w.pattern_names(), (std::vector<std::string>{"binary", "odd", "short"}));
  for (int i = 0; i < 3; ++i) {
    dialogs.messages.clear();
    EXPECT_FALSE(w.LoadPattern(i)) << i;
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find(w.pattern_names()[i] + ".dat"), std::string::npos);
    EXPECT_EQ(w.choice(W::ItemField(0)).text, st::kChoosePrompt);
  }
  // An odd final digit is ignored, as the hexadecimal storage always has.
  WriteWholeFile(folders.patterns / "tail.dat", "ComboBox1=8EFB8E78F\r\n");
  W again(folders, dialogs);
  ASSERT_TRUE(again.LoadPattern(3));
  EXPECT_EQ(again.choice(W::ItemField(0)).text, "収支");
}

}  // namespace
}  // namespace vessaro
