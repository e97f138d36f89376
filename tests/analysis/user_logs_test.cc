// The simple and detailed user logs: entries, balances, checks and messages, and their files.
#include "analysis/user_logs.h"

#include <gtest/gtest.h>

#include "analysis/sample_files.h"
#include "common/cp932.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;

class SimpleLogTest : public ::testing::Test {
 protected:
  void Enter(std::string_view letters) {
    for (char c : letters) log.Add(c);
  }
  TempFolder folder;
  FakeDialogs dialogs;
  SimpleLogModel log{folder.path(), dialogs};
};

TEST_F(SimpleLogTest, SavesItsLettersInLinesOfFifty) {
  std::string letters;
  for (int i = 0; i < 51; ++i) letters.push_back(i % 3 == 0 ? 'B' : 'P');
  Enter(letters);
  log.set_name(" 今日 ");
  EXPECT_TRUE(log.Save());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"保存しました"});
  EXPECT_EQ(ReadWholeFile(folder / "history/今日_user1.txt"),
            *EncodeCp932(letters.substr(0, 50) + "\r\n" + letters.substr(50) + "\r\n"));
}

TEST_F(SimpleLogTest, ColumnsAndASingleLine) {
  Enter("BBPPPB");
  log.set_name("x");
  log.Save();
  EXPECT_EQ(ReadWholeFile(folder / "history/x_user1.txt"), "BBPPPB\r\n");
  Enter(std::string(19, 'B'));  // column 3 now holds 20 B
  log.Add('B');
  EXPECT_EQ(dialogs.messages.back(), "縦列は20個までです");
}

TEST_F(SimpleLogTest, RefusedSavesLeaveTheFileAlone) {
  folder.Write("history/x_user1.txt", "PPPP\r\n");
  struct Case {
    const char* name;
    bool letters;
    const char* message;
  } cases[] = {
      {"  ", true, "保存ファイル名を入力してください"},
      {"a.b", true, "\\/:*?\"<'>|.,は禁止文字です"},
      {"a,b", true, "\\/:*?\"<'>|.,は禁止文字です"},
      {"x", false, "保存内容がありません"},
  };
  for (const Case& c : cases) {
    log.DeleteAll();
    if (c.letters) Enter("B");
    log.set_name(c.name);
    dialogs.messages.clear();
    EXPECT_FALSE(log.Save()) << c.name;
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{c.message}) << c.name;
  }
  Enter("B");
  dialogs.answers = {false};  // "上書きしますか？" No
  log.set_name("x");
  EXPECT_FALSE(log.Save());
  EXPECT_EQ(dialogs.questions, std::vector<std::string>{"同じファイル名が存在します\r\n上書きしますか？"});
  EXPECT_EQ(ReadWholeFile(folder / "history/x_user1.txt"), "PPPP\r\n");
  dialogs.answers = {true};
  EXPECT_TRUE(log.Save());
  EXPECT_EQ(ReadWholeFile(folder / "history/x_user1.txt"), "B\r\n");
}

TEST(NewBalanceTest, ExactWithHalvesToEven) {
  EXPECT_EQ(NewBalance(1000, "B", 30, true), 1028);  // 1028.5
  EXPECT_EQ(NewBalance(1000, "B", 10, true), 1010);  // 1009.5
  EXPECT_EQ(NewBalance(1000, "B", 50, true), 1048);  // 1047.5
  EXPECT_EQ(NewBalance(1000, "P", 30, true), 1030);
  EXPECT_EQ(NewBalance(1000, "B", 30, false), 970);
  EXPECT_EQ(NewBalance(10'000'000'000, "B", 3, true), 10'000'000'003);  // 2.85 up to 3
  EXPECT_EQ(RecordWinner("1000,P,10,勝ち,1010"), 'P');
  EXPECT_EQ(RecordWinner("1000,B,10,負け,990"), 'P');
  EXPECT_EQ(RecordWinner("1000,P,10,負け,990"), 'B');
  EXPECT_EQ(RecordWinner("1000,B,10,勝ち,1010"), 'B');
  EXPECT_EQ(RecordWinner("broken"), 'B');
}

class DetailedLogTest : public ::testing::Test {
 protected:
  DetailedLogTest() {
    log.start_balance() = "1000";
    log.Start();
  }
  void Round(const char* side, const char* stake, bool won) {
    log.SetSide(side);
    log.entry().stake = stake;
    log.SetResult(won);
    ASSERT_TRUE(log.AddRound()) << (dialogs.messages.empty() ? "" : dialogs.messages.back());
  }
  TempFolder folder;
  FakeDialogs dialogs;
  DetailedLogModel log{folder.path(), dialogs};
};

TEST_F(DetailedLogTest, AddingARoundStoresItsRecordAndCarriesTheBalance) {
  EXPECT_TRUE(log.entry_enabled());
  EXPECT_EQ(log.entry().current, "1000");
  log.SetSide("B");
  log.entry().stake = "30";
  log.SetResult(true);
  EXPECT_EQ(log.entry().result, "勝ち");
  EXPECT_EQ(log.entry().new_balance, "1028");
  log.entry().new_balance = "5000";  // typed over: replaced by the computed one
  ASSERT_TRUE(log.AddRound());
  EXPECT_EQ(log.records(), std::vector<std::string>{"1000,B,30,勝ち,1028"});
  EXPECT_EQ(log.entry().current, "1028");
  EXPECT_EQ(log.entry().side, "");
  EXPECT_EQ(log.entry().stake, "");
  EXPECT_EQ(log.entry().new_balance, "");
  EXPECT_EQ(log.round_counter(), 1);
  Round("B", "10", true);
  EXPECT_EQ(log.records().back(), "1028,B,10,勝ち,1038");  // 1037.5 to even
}

TEST_F(DetailedLogTest, ChecksInTheirOrder) {
  log.SetResult(true);
  EXPECT_EQ(dialogs.messages.back(), "ベット先またはベット額が入力されていません");
  EXPECT_EQ(log.entry().result, "");
  log.SetSide("P");
  log.entry().stake = "10";
  EXPECT_FALSE(log.AddRound());
  EXPECT_EQ(dialogs.messages.back(), "空白があります");
  log.SetResult(false);
  log.entry().stake = "1.5";
  EXPECT_FALSE(log.AddRound());
  EXPECT_EQ(dialogs.messages.back(), "数値項目は半角整数の0から1000000のみ有効です");
  log.entry().stake = "-5";
  EXPECT_FALSE(log.AddRound());
  log.entry().stake = "10000000001";
  EXPECT_FALSE(log.AddRound());
  EXPECT_TRUE(log.records().empty());
  // A balance grown past a million stays enterable.
  log.entry().current = "2500000";
  log.entry().stake = "10000";
  log.SetResult(true);
  EXPECT_TRUE(log.AddRound());
}

TEST_F(DetailedLogTest, ModifyingInsertingAndDeletingNeedASelection) {
  Round("P", "10", true);
  Round("P", "10", true);
  Round("B", "20", false);
  EXPECT_EQ(log.records(),
            (std::vector<std::string>{"1000,P,10,勝ち,1010", "1010,P,10,勝ち,1020", "1020,B,20,負け,1000"}));
  EXPECT_FALSE(log.ModifyRound());
  EXPECT_EQ(dialogs.messages.back(), "修正対象のリストを選択してください");
  EXPECT_FALSE(log.InsertRound());
  EXPECT_EQ(dialogs.messages.back(), "挿入対象のリストを選択してください");
  EXPECT_FALSE(log.DeleteRound());
  EXPECT_EQ(dialogs.messages.back(), "削除対象のリストを選択してください");

  log.Select(0);
  EXPECT_EQ(log.entry().stake, "10");
  log.entry().stake = "50";
  log.SetResult(false);
  ASSERT_TRUE(log.ModifyRound());
  // The records after it keep their balances.
  EXPECT_EQ(log.records(),
            (std::vector<std::string>{"1000,P,50,負け,950", "1010,P,10,勝ち,1020", "1020,B,20,負け,1000"}));
  EXPECT_EQ(log.selected(), -1);
  EXPECT_EQ(log.entry().current, "");
  EXPECT_EQ(log.round_counter(), 3);

  log.Select(2);
  log.entry().current = "1020";
  log.entry().stake = "5";
  log.SetResult(true);
  ASSERT_TRUE(log.InsertRound());
  EXPECT_EQ(log.records()[2], "1020,B,5,勝ち,1025");  // 1024.75 to 1025
  EXPECT_EQ(log.round_counter(), 4);
  log.Select(3);
  ASSERT_TRUE(log.DeleteRound());
  EXPECT_EQ(log.records().size(), 3u);
  EXPECT_EQ(log.round_counter(), 3);
  log.ClearSelection();
  EXPECT_EQ(log.entry().current, "1025");
}

TEST_F(DetailedLogTest, StartChecks) {
  DetailedLogModel fresh(folder.path(), dialogs);
  EXPECT_FALSE(fresh.entry_enabled());
  fresh.start_balance() = " ";
  fresh.Start();
  EXPECT_EQ(dialogs.messages.back(), "開始残高が空白です");
  fresh.start_balance() = "1000円";
  fresh.Start();
  EXPECT_EQ(dialogs.messages.back(), "開始残高は半角整数の0から1000000のみ有効です");
  EXPECT_FALSE(fresh.entry_enabled());
  fresh.ClearSelection();
  EXPECT_EQ(fresh.entry().current, "");  // an empty list leaves it empty
}

TEST_F(DetailedLogTest, RoadViewShowsTheWinners) {
  Round("P", "10", true);   // P
  Round("B", "10", false);  // P
  Round("P", "10", false);  // B
  Round("B", "10", true);   // B
  log.RebuildRoad();
  EXPECT_EQ(log.road().ReadOut(), "PPBB");
  EXPECT_EQ(log.road().At(1, 1), 'B');
  log.ClearRoad();
  EXPECT_TRUE(log.road().empty());
}

TEST_F(DetailedLogTest, SaveLoadDeleteAndReset) {
  Round("B", "30", true);
  Round("P", "10", false);
  log.save_name() = "十日";
  ASSERT_TRUE(log.Save());
  EXPECT_EQ(ReadWholeFile(folder / "history/十日_user2.txt"),
            *EncodeCp932("1000,B,30,勝ち,1028\r\n1028,P,10,負け,1018\r\n"));
  EXPECT_EQ(log.files().names, std::vector<std::string>{"十日"});

  log.AllClear();
  EXPECT_TRUE(log.records().empty());
  EXPECT_FALSE(log.entry_enabled());
  EXPECT_EQ(log.files().selected, -1);
  EXPECT_FALSE(log.Load());
  EXPECT_EQ(dialogs.messages.back(), "読み込みたいファイルを選択してください");

  // A damaged line loads as it is.
  testing::WriteCp932(folder, "history/十日_user2.txt", "1000,B,30,勝ち,1028\r\n1028,P,10\r\n\r\n1028,P,10,負け,1018\r\n");
  log.RefillFiles();
  log.files().selected = 0;
  ASSERT_TRUE(log.Load());
  EXPECT_EQ(log.records().size(), 3u);
  EXPECT_EQ(log.records()[1], "1028,P,10");
  EXPECT_EQ(log.start_balance(), "1000");
  EXPECT_EQ(log.save_name(), "十日");
  EXPECT_TRUE(log.entry_enabled());
  EXPECT_EQ(log.road().ReadOut(), "BBB");

  EXPECT_TRUE(log.DeleteFile());
  EXPECT_EQ(dialogs.messages.back(), "削除しました");
  EXPECT_FALSE(FileExists(folder / "history/十日_user2.txt"));
  EXPECT_TRUE(log.records().empty());
  EXPECT_TRUE(log.files().names.empty());
  EXPECT_FALSE(log.DeleteFile());
  EXPECT_EQ(dialogs.messages.back(), "削除したいファイルを選択してください");
}

}  // namespace
}  // namespace vessaro
