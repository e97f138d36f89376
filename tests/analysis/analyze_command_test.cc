// vessaro-analyze: arguments, the three analyses, their refusals and their output.
#include "analysis/analyze_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "analysis/log_samples.h"
#include "analysis/pattern_grid.h"
#include "analysis/sample_files.h"
#include "common/cp932.h"
#include "common/text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/card_deck.h"
#include "systems/folders.h"

namespace vessaro {
namespace {

using testing::TempFolder;

TEST(AnalyzeArgumentsTest, RefusesWhatItCannotUse) {
  struct Case {
    std::vector<std::string> args;
    bool ok;
  } cases[] = {
      {{"report", "log.txt"}, true},
      {{"bankruptcy", "log.txt", "--bets", "PPB"}, true},
      {{"grid", "log.txt", "--length", "8", "--from", "2", "--to", "9", "--out", "t.txt"}, true},
      {{"grid", "log.txt", "--length", "8", "--where", "\"出現回数,数値,>=,1\""}, true},
      {{"report"}, false},
      {{"report", "a", "b"}, false},
      {{"count", "log.txt"}, false},
      {{"bankruptcy", "log.txt"}, false},
      {{"grid", "log.txt"}, false},
      {{"grid", "log.txt", "--length"}, false},
      {{"report", "log.txt", "--colour", "red"}, false},
      {{"merge", "in", "--kind", "2", "--name", "all", "--home", "h"}, true},
      {{"merge", "in", "--kind", "2", "--name", "all"}, false},
      {{"replay", "log", "--home", "h", "--system", "s", "--pattern", "p"}, true},
      {{"replay", "log", "--home", "h", "--system", "s"}, false},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_EQ(ParseAnalyzeArguments(c.args, error).has_value(), c.ok) << JoinFields(c.args, 0, c.args.size(), " ");
    EXPECT_EQ(error.empty(), c.ok);
  }
  std::string error;
  EXPECT_TRUE(ParseAnalyzeArguments({"--help"}, error)->help);
  EXPECT_NE(AnalyzeHelpText().find("--where"), std::string::npos);
  EXPECT_NE(AnalyzeHelpText().find("exit status"), std::string::npos);
}

class AnalyzeCommandTest : public ::testing::Test {
 protected:
  AnalyzeCommandTest() {
    testing::WriteCp932(dir, "ic.txt", testing::MakeInterCasinoLog("PBTBBPBBPPB"));
    testing::WriteCp932(dir, "x_user1.txt", "BBPBBP\r\nBBP\r\n");
  }
  int Run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    std::string error;
    auto options = ParseAnalyzeArguments(args, error);
    EXPECT_TRUE(options) << error;
    return options ? RunAnalyzeCommand(*options, clock, out, err, &interrupted) : -1;
  }
  volatile std::sig_atomic_t interrupted = 0;
  std::string Path(const char* name) const { return (dir / name).string(); }

  TempFolder dir;
  testing::FakeClock clock;
  std::ostringstream out, err;
};

TEST_F(AnalyzeCommandTest, ReportPrintsTheListLines) {
  EXPECT_EQ(Run({"report", Path("ic.txt")}), 0);
  std::vector<std::string> lines = SplitLines(out.str());
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[0], "【基本情報】");
  EXPECT_EQ(lines.back(), "【最大連勝数:3回　最大連敗数：2回】");  // a push between wins
  EXPECT_EQ(err.str(), "");
}

TEST_F(AnalyzeCommandTest, RefusalsCarryTheWindowsMessage) {
  EXPECT_EQ(Run({"report", Path("x_user1.txt")}), 2);
  EXPECT_EQ(err.str(), "インターカジノのログまたはユーザ詳細作成のログではありません\n");
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Run({"report", Path("none.txt")}), 2);
  EXPECT_EQ(err.str(), "解析ファイルが存在しません\n");
  dir.Write("bin.dat", std::string("\x01\x02\xff\xfe", 4));
  EXPECT_EQ(Run({"grid", Path("bin.dat"), "--length", "4"}), 2);
  EXPECT_EQ(err.str(), "解析ファイルが不正です\n");
  EXPECT_EQ(Run({"grid", Path("ic.txt"), "--length", "4", "--from", "5", "--to", "4"}), 2);
  EXPECT_EQ(err.str(), "戦績の範囲指定が不正です\n");
  EXPECT_EQ(Run({"grid", Path("ic.txt"), "--length", "13"}), 2);
  EXPECT_EQ(err.str(), "パターン桁数は4から12までです\n");
  EXPECT_EQ(Run({"grid", Path("ic.txt"), "--length", "4", "--from", "0"}), 2);
  EXPECT_EQ(Run({"grid", Path("ic.txt"), "--length", "4", "--where", "\"残高,数値,>,1\""}), 2);
  EXPECT_EQ(Run({"grid", Path("ic.txt"), "--length", "4", "--where", "\"出現回数,数値,>,1000\""}), 2);
  EXPECT_EQ(err.str(), "検索条件に該当するデータがありません\n");
  EXPECT_EQ(Run({"bankruptcy", Path("ic.txt"), "--bets", "PXB"}), 2);
  EXPECT_EQ(ListFiles(dir.path()).size(), 3u);  // nothing written on the way
}

TEST_F(AnalyzeCommandTest, BankruptcyMessage) {
  EXPECT_EQ(Run({"bankruptcy", Path("x_user1.txt"), "--bets", "PPB"}), 0);
  EXPECT_EQ(out.str(), "引分けを除く【9戦】で破産パターン【BBP】が【3回】出現しました\n");
  EXPECT_EQ(Run({"bankruptcy", Path("x_user1.txt"), "--bets", ""}), 0);
  EXPECT_EQ(out.str(), "解析ファイル内で破産パターンは出現しませんでした\n");
}

TEST_F(AnalyzeCommandTest, GridToStandardOutputAndToAFile) {
  EXPECT_EQ(Run({"grid", Path("x_user1.txt"), "--length", "4", "--from", "2", "--to", "8"}), 0);
  std::vector<std::string> lines = SplitLines(out.str());
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines[0], "全7戦（引分けを除く） パターン桁:4桁(30通り)");
  EXPECT_EQ(lines, FrequencyTableLines("BPBBPBB", 4));

  EXPECT_EQ(Run({"grid", Path("x_user1.txt"), "--length", "4", "--where", "\"出現回数,数値,>=,3\"",
                 "--out", Path("table.txt")}),
            0);
  const std::string bytes = ReadWholeFile(dir / "table.txt");
  EXPECT_EQ(bytes, *EncodeCp932("全9戦（引分けを除く） パターン桁:4桁(30通り)\r\nBBP,3,33.33 %,12.67 %,20.67 %\r\n"
                                "BP,3,33.33 %,25.00 %,8.34 %\r\nBB,3,33.33 %,25.68 %,7.65 %\r\n"
                                "P,3,33.33 %,49.32 %,-15.99 %\r\nB,6,66.67 %,50.68 %,15.99 %\r\n"));
  EXPECT_EQ(out.str(), Path("table.txt") + "\n");
}

TEST_F(AnalyzeCommandTest, DetailedLogWarnsOfDamagedLinesAndGoesOn) {
  testing::WriteCp932(dir, "d_user2.txt", "1000,B,30,勝ち,1028\r\nbroken\r\n1028,B,10,負け,1018\r\n");
  EXPECT_EQ(Run({"report", Path("d_user2.txt")}), 0);
  EXPECT_EQ(err.str(), "読み込めない行を除いて解析します（1行）\n最初の行：2行目\n");
  EXPECT_NE(out.str().find("\nBP\n"), std::string::npos);
}

TEST_F(AnalyzeCommandTest, ReplayPrintsItsGraphAndSummary) {
  TempFolder home;
  testing::WriteFlatBanker(home.path());
  std::vector<CardFields> zero(60);
  zero[0] = {"0", "1", "1"};
  WriteCardFile(SystemFilePath(home.path(), "zero"), zero);
  testing::WriteCp932(dir, "four.txt", testing::MakeInterCasinoLog("PBTB"));
  const std::string h = home.path().string();
  EXPECT_EQ(Run({"replay", Path("four.txt"), "--home", h, "--system", "flat", "--pattern", "banker"}), 0);
  std::vector<std::string> lines = SplitLines(out.str());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], (home / "Graph/202401011300_TmpGraph.txt").string());
  EXPECT_NE(lines[1].find("ペイアウト: 122.50 %"), std::string::npos);
  EXPECT_NE(lines[2].find("最大ドローダウン: 1.00 %"), std::string::npos);
  EXPECT_EQ(ReadTextLines(home / "Graph/202401011300_TmpGraph.txt").size(), 7u);
  EXPECT_EQ(err.str(), "");
  // The same minute again: a graph file of its own.
  EXPECT_EQ(Run({"replay", Path("four.txt"), "--home", h, "--system", "flat", "--pattern", "banker"}), 0);
  EXPECT_EQ(SplitLines(out.str())[0], (home / "Graph/202401011300_TmpGraph_2.txt").string());

  EXPECT_EQ(Run({"replay", Path("four.txt"), "--home", h, "--system", "zero", "--pattern", "banker"}), 3);
  EXPECT_EQ(err.str(), "続行不能なエラーが発生しました\n0/4回で終了しました。再生した回までのグラフを表示します\n");
  EXPECT_EQ(SplitLines(out.str()).size(), 3u);
  interrupted = 1;  // Ctrl+C: the replay ends at its first yield, its graph holds what was replayed
  EXPECT_EQ(Run({"replay", Path("four.txt"), "--home", h, "--system", "flat", "--pattern", "banker"}), 130);
  EXPECT_EQ(SplitLines(out.str())[0], (home / "Graph/202401011300_TmpGraph_4.txt").string());
  EXPECT_EQ(ReadTextLines(home / "Graph/202401011300_TmpGraph_4.txt").size(), 3u);
  interrupted = 0;
  EXPECT_EQ(Run({"replay", Path("four.txt"), "--home", h, "--system", "none", "--pattern", "banker"}), 2);
  EXPECT_EQ(err.str(), "システムまたはパターンファイルが存在しません\n");
  EXPECT_EQ(Run({"replay", Path("four.txt"), "--home", h, "--system", "../flat", "--pattern", "banker"}), 2);
  EXPECT_EQ(err.str(), "\\/:*?\"<'>|.,は禁止文字です\n");
  EXPECT_EQ(Run({"replay", Path("x_user1.txt"), "--home", h, "--system", "flat", "--pattern", "banker"}), 2);
  EXPECT_EQ(err.str(), "インターカジノのログまたはユーザ詳細作成のログではありません\n");
  EXPECT_EQ(out.str(), "");
}

TEST_F(AnalyzeCommandTest, MergeAsksBeforeReplacing) {
  TempFolder home;
  const std::string in = (dir / "").string();
  DeleteFileIfExists(dir / "ic.txt");
  testing::WriteCp932(dir, "y_user1.txt", "PPP\r\n");
  EXPECT_EQ(Run({"merge", in, "--kind", "2", "--name", "all", "--home", home.path().string()}), 0);
  EXPECT_EQ(out.str(), "結合処理が終了しました\n" + (home / "history/all_merge2.txt").string() + "\n");
  EXPECT_EQ(ReadWholeFile(home / "history/all_merge2.txt"), "BBPBBP\r\nBBP\r\nPPP\r\n");
  // Again: the file exists, and without --overwrite nothing is written.
  WriteWholeFile(home / "history/all_merge2.txt", "old\r\n");
  EXPECT_EQ(Run({"merge", in, "--kind", "2", "--name", "all", "--home", home.path().string()}), 2);
  EXPECT_EQ(ReadWholeFile(home / "history/all_merge2.txt"), "old\r\n");
  EXPECT_EQ(Run({"merge", in, "--kind", "2", "--name", "all", "--home", home.path().string(), "--overwrite"}), 0);
  EXPECT_EQ(ReadWholeFile(home / "history/all_merge2.txt"), "BBPBBP\r\nBBP\r\nPPP\r\n");
  EXPECT_EQ(Run({"merge", in, "--kind", "3", "--name", "all", "--home", home.path().string()}), 2);
  EXPECT_EQ(err.str(), "別形式のファイルがあります ファイル名:x_user1.txt\n");
  EXPECT_EQ(Run({"merge", in, "--kind", "7", "--name", "all", "--home", home.path().string()}), 2);
  EXPECT_EQ(err.str(), "結合したいログの種類を選択してください\n");
  EXPECT_EQ(Run({"merge", in, "--kind", "2", "--name", "a/b", "--home", home.path().string()}), 2);
  EXPECT_EQ(err.str(), "\\/:*?\"<'>|.,は禁止文字です\n");
}

}  // namespace
}  // namespace vessaro
