// The log merge: the checks of the fields and of the inputs, the four kinds, and the files.
#include "analysis/log_merge.h"

#include <gtest/gtest.h>

#include "analysis/log_analysis.h"
#include "analysis/log_samples.h"
#include "analysis/sample_files.h"
#include "common/cp932.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;

class LogMergeTest : public ::testing::Test {
 protected:
  MergeOutcome Merge(int kind, std::string folder_text, std::string name = "all") {
    return MergeLogs(home.path(), MergeRequest{kind, std::move(folder_text), std::move(name)}, dialogs);
  }
  std::string In() const { return (inputs / "").string(); }
  TempFolder home;
  TempFolder inputs;
  FakeDialogs dialogs;
};

TEST_F(LogMergeTest, SimpleLogsJoinInNameOrder) {
  testing::WriteCp932(inputs, "y_user1.txt", "PPP\r\n");
  testing::WriteCp932(inputs, "x_user1.txt", "BBPBBP\r\n\r\nBBP\r\n");
  MergeOutcome out = Merge(2, In());
  ASSERT_TRUE(out.merged);
  EXPECT_EQ(*out.merged, home / "history/all_merge2.txt");
  EXPECT_EQ(ReadWholeFile(*out.merged), "BBPBBP\r\nBBP\r\nPPP\r\n");
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"結合処理が終了しました"});
  ChosenFile chosen = ChooseAnalysisFile(*out.merged, false);
  EXPECT_EQ(std::string(LogKindLabel(chosen.kind)), "Kindlet");
  EXPECT_EQ(chosen.rounds, 12);
}

TEST_F(LogMergeTest, FieldChecksInOrderWithTheirField) {
  struct Case {
    int kind;
    std::string folder, name;
    const char* message;
    MergeOutcome::Field focus;
  } cases[] = {
      {-1, "", "", "結合したいログの種類を選択してください", MergeOutcome::Field::kKind},
      {0, "", "", "フォルダ名が空白です", MergeOutcome::Field::kFolder},
      {0, In(), "", "保存ファイル名が空白です", MergeOutcome::Field::kName},
      {0, (inputs / "none").string(), "all", "指定されたディレクトリが存在しません", MergeOutcome::Field::kFolder},
      {0, In(), "a.b", "\\/:*?\"<'>|.,は禁止文字です", MergeOutcome::Field::kName},
      {0, In(), "all", "結合するファイルがありません", MergeOutcome::Field::kFolder},
  };
  for (const Case& c : cases) {
    dialogs.messages.clear();
    MergeOutcome out = Merge(c.kind, c.folder, c.name);
    EXPECT_FALSE(out.merged);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(out.focus, c.focus) << c.message;
  }
  EXPECT_FALSE(FolderExists(home / "history"));
}

TEST_F(LogMergeTest, InputChecksStopAtTheFirstFailingFile) {
  testing::WriteCp932(inputs, "x_user1.txt", "BBP\r\n");
  testing::WriteCp932(inputs, "y_user1.txt", "PPB\r\n");
  EXPECT_FALSE(Merge(3, In()).merged);
  EXPECT_EQ(dialogs.messages.back(), "別形式のファイルがあります ファイル名:x_user1.txt");
  testing::WriteCp932(inputs, "all_merge2.txt", "BBP\r\n");
  EXPECT_FALSE(Merge(2, In()).merged);
  EXPECT_EQ(dialogs.messages.back(), "1度結合されたファイルは再結合できません ファイル名:all_merge2.txt");
  EXPECT_FALSE(FolderExists(home / "history"));
}

TEST_F(LogMergeTest, KindTests) {
  EXPECT_TRUE(PassesMergeTest(0, "BBPP"));
  EXPECT_FALSE(PassesMergeTest(0, "1000,B,30,勝ち,1028"));
  EXPECT_FALSE(PassesMergeTest(2, "xyz"));
  EXPECT_TRUE(PassesMergeTest(1, "ゲーム:Baccarat"));
  EXPECT_FALSE(PassesMergeTest(1, "BBP"));
  EXPECT_TRUE(PassesMergeTest(3, "1000,B,30,勝ち,1028"));
  EXPECT_FALSE(PassesMergeTest(3, "1000,B,30,勝ち"));
  EXPECT_FALSE(PassesMergeTest(3, "1000,X,30,勝ち,1028"));
  EXPECT_FALSE(PassesMergeTest(3, ""));
}

TEST_F(LogMergeTest, InterCasinoLogsBecomeLinesOfAHundredLetters) {
  testing::WriteCp932(inputs, "a.txt", testing::MakeInterCasinoLog(testing::MakeOutcomeLetters(60, 1) + "TT"));
  testing::WriteCp932(inputs, "b.txt", testing::MakeInterCasinoLog(testing::MakeOutcomeLetters(70, 2)));
  // An earlier merge of the same name is replaced after the question, never appended to.
  testing::WriteCp932(home, "history/all_merge1.txt", "PPPP\r\n");
  dialogs.answers = {false};
  EXPECT_FALSE(Merge(1, In()).merged);
  EXPECT_EQ(ReadWholeFile(home / "history/all_merge1.txt"), "PPPP\r\n");
  dialogs.answers = {true};
  MergeOutcome out = Merge(1, In());
  ASSERT_TRUE(out.merged);
  std::vector<std::string> lines = ReadTextLines(*out.merged);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 100u);
  EXPECT_EQ(lines[1].size(), 30u);
  EXPECT_EQ(lines[0] + lines[1], testing::MakeOutcomeLetters(60, 1) + testing::MakeOutcomeLetters(70, 2));
}

TEST_F(LogMergeTest, DetailedLogsMergeIntoOneDetailedLog) {
  testing::WriteCp932(inputs, "d1_user2.txt", "1000,B,30,勝ち,1028\r\n");
  testing::WriteCp932(inputs, "d2_user2.txt", "500,P,10,負け,490\r\n490,P,10,勝ち,500\r\n");
  MergeOutcome out = Merge(3, In(), "days");
  ASSERT_TRUE(out.merged);
  EXPECT_EQ(ReadWholeFile(*out.merged), *EncodeCp932("1000,B,30,勝ち,1028\r\n500,P,10,負け,490\r\n490,P,10,勝ち,500\r\n"));
  ChosenFile chosen = ChooseAnalysisFile(*out.merged, true);
  EXPECT_EQ(chosen.kind, LogKind::kUserDetailed);
  EXPECT_EQ(chosen.rounds, 3);
}

}  // namespace
}  // namespace vessaro
