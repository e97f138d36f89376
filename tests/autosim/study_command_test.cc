#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <sstream>

#include "autosim/sim_command.h"
#include "autosim/study_report.h"
#include "common/hex.h"
#include "common/text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/card_deck.h"
#include "systems/folders.h"

namespace vessaro {
namespace {

using testing::FakeClock;
using testing::TempFolder;

class StudyCommandTest : public ::testing::Test {
 protected:
  StudyCommandTest() {
    dir.Write("System/Rules.dat",
              HexEncodeText("blance=1000&minimum=1&maximum=500&blancememory=False&sleeptime=250&randommode=完全確率モード"));
    EnsureFolder(BetPatternFolder(dir.path()));
    std::vector<CardFields> doubling(60), broken(60), pattern(20);
    for (int k = 0; k < 6; ++k) doubling[k] = {std::to_string(10 << k), "1", std::to_string(k == 5 ? 1 : k + 2)};
    broken[0] = {"600", "1", "1"};  // above the table maximum
    pattern[0] = {"B", "1", "1"};
    WriteCardFile(SystemFilePath(dir.path(), "doubling"), doubling);
    WriteCardFile(SystemFilePath(dir.path(), "broken"), broken);
    WriteCardFile(PatternFilePath(dir.path(), "banker"), pattern);
  }
  // vessaro-sim with these arguments after --home; the exit code, and what it printed in `output`.
  int Sim(std::vector<std::string> args, std::string& output, const volatile std::sig_atomic_t* interrupted = nullptr) {
    args.insert(args.begin(), {"--home", dir.path().string()});
    std::string error;
    auto options = ParseSimArguments(args, error);
    if (!options) {
      output = error;
      return 2;
    }
    std::ostringstream out;
    const int code = RunSimCommand(*options, clock, out, interrupted);
    output = out.str();
    return code;
  }
  std::vector<std::string> Study(const std::string& jobs, const std::string& name) {
    return {"--system",   "doubling", "--pattern", "banker", "--rounds", "300",   "--seed", "99", "--profit",
            "300",        "--loss",   "400",       "--sessions", "500",  "--jobs", jobs,    "--csv",
            (dir / (name + ".csv")).string(), "--json", (dir / (name + ".json")).string()};
  }
  TempFolder dir;
  FakeClock clock;
};

TEST_F(StudyCommandTest, SameOutputWhateverTheNumberOfWorkers) {
  std::string one, two;
  ASSERT_EQ(Sim(Study("1", "one"), one), 0) << one;
  ASSERT_EQ(Sim(Study("2", "two"), two), 0) << two;
  EXPECT_EQ(ReplaceAll(one, "one.", "x."), ReplaceAll(two, "two.", "x."));
  EXPECT_EQ(ReadWholeFile(dir / "one.csv"), ReadWholeFile(dir / "two.csv"));
  EXPECT_EQ(ReadWholeFile(dir / "one.json"), ReadWholeFile(dir / "two.json"));
  EXPECT_NE(one.find("破産率"), std::string::npos) << one;
  EXPECT_NE(one.find("セッション数：500\n"), std::string::npos) << one;

  // The CSV: a header, then one line per session in session order.
  const std::vector<std::string> lines = SplitLines(ReadWholeFile(dir / "one.csv"));
  ASSERT_EQ(lines.size(), 501u);
  EXPECT_EQ(lines[0], "session,seed,end,rounds,final_balance,lowest_balance,max_drawdown_pct,total_staked,total_paid");
  std::map<std::string, int> ends;
  for (size_t i = 1; i < lines.size(); ++i) {
    SplitResult f = SplitFields(lines[i], 0, ",");
    ASSERT_EQ(f.count, 9) << lines[i];
    EXPECT_EQ(f.fields[0], std::to_string(i - 1));
    ++ends[f.fields[2]];
  }
  EXPECT_GT(ends["target"], 0);
  EXPECT_GT(ends["loss_limit"] + ends["insufficient"], 0);
  const std::string json = ReadWholeFile(dir / "one.json");
  for (const char* key : {"\"sessions_done\": 500", "\"complete\": true", "\"ruin\": {\"count\": ",
                          "\"percentiles\": [5, 25, 50, 75, 95]", "{\"round\": 300, \"balance\": ["})
    EXPECT_NE(json.find(key), std::string::npos) << key;

  // A study writes no auto log, graph file or play history.
  EXPECT_FALSE(FolderExists(dir / "log"));
  EXPECT_FALSE(FolderExists(dir / "Graph"));
  EXPECT_FALSE(FolderExists(dir / "history"));

  // A session's seed, given to a single run, plays that session: same rounds, same end.
  SplitResult session = SplitFields(lines[8], 0, ",");
  std::string run;
  ASSERT_EQ(Sim({"--system", "doubling", "--pattern", "banker", "--rounds", "300", "--profit", "300", "--loss", "400",
                 "--seed", session.fields[1]},
                run),
            0)
      << run;
  EXPECT_NE(run.find("試行回数：" + session.fields[3] + " "), std::string::npos) << run << lines[8];
  EXPECT_NE(run.find("最大損失時残高：" + session.fields[5] + " "), std::string::npos) << run << lines[8];
}

TEST_F(StudyCommandTest, RefusesBadInputWithExitTwo) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--sessions", "0"}, "セッション数は1から10000000までの半角数字で入力してください"},
      {{"--sessions", "10000001"}, "セッション数は1から10000000までの半角数字で入力してください"},
      {{"--sessions", "ten"}, "セッション数は1から10000000までの半角数字で入力してください"},
      {{"--sessions", "10", "--jobs", "0"}, "並列数は1から256までの半角数字で入力してください"},
      {{"--sessions", "10", "--rounds", "1000001"}, "自動実行は1000000回までです"},
      {{"--sessions", "10", "--rounds", "0"}, "試行回数は1から1000000までの半角数字で入力してください"},
      {{"--sessions", "10", "--system", "none"}, "システムまたはパターンファイルが存在しません"},
      {{"--sessions"}, "--sessions に値がありません"},
      {{"--jobs", "2"}, "--jobs, --csv, --json は --sessions と一緒に指定してください"},
      {{"--sessions", "10", "--csv", (dir / "no/such/folder/x.csv").string()}, "ファイルに書き込めませんでした。"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--system", "doubling", "--pattern", "banker", "--rounds", "50"};
    // A later value of the same option wins, as the parser reads them in order.
    args.insert(args.end(), c.args.begin(), c.args.end());
    std::string out;
    EXPECT_EQ(Sim(args, out), 2) << c.message;
    EXPECT_NE(out.find(c.message), std::string::npos) << out;
  }
  EXPECT_FALSE(FolderExists(dir / "no"));
}

TEST_F(StudyCommandTest, InterruptedStudySaysSoAndKeepsItsFiles) {
  volatile std::sig_atomic_t interrupted = 1;  // Ctrl+C before the first session ends
  std::string out;
  EXPECT_EQ(Sim(Study("2", "cut"), out, &interrupted), 130) << out;
  EXPECT_NE(out.find("セッション数：0 / 500（中止：途中までの結果）"), std::string::npos) << out;
  EXPECT_EQ(SplitLines(ReadWholeFile(dir / "cut.csv")).size(), 1u);  // the header
  EXPECT_NE(ReadWholeFile(dir / "cut.json").find("\"complete\": false"), std::string::npos);
  // A study writes no auto log or graph, so it refuses to be told where to.
  EXPECT_EQ(Sim({"--system", "doubling", "--pattern", "banker", "--rounds", "10", "--sessions", "5", "--log",
                 (dir / "x.txt").string()},
                out),
            2);
  EXPECT_NE(out.find("--log と --graph は --sessions と一緒には使えません"), std::string::npos) << out;
}

TEST_F(StudyCommandTest, SettingsErrorsInSessionsExitWithThree) {
  std::string out;
  EXPECT_EQ(Sim({"--system", "broken", "--pattern", "banker", "--rounds", "50", "--sessions", "20"}, out), 3);
  EXPECT_NE(out.find("終了理由：設定エラー：20\n"), std::string::npos) << out;
}

TEST(StudyReportTest, CsvLineAndFileThatIsWholeOrAbsent) {
  SessionResult s;
  s.final_balance = 100950;
  s.lowest_balance = 87500;
  s.total_staked = 1230;
  s.total_paid = 121785;
  s.rounds = 77;
  s.end = SessionEnd::kLossLimit;
  std::string line;
  AppendStudyCsvLine(line, 3, 18446744073709551615ull, s, 100000);
  EXPECT_EQ(line, "3,18446744073709551615,loss_limit,77,1009.50,875.00,12.50,1230,1217.85");

  TempFolder dir;
  const fs::path target = dir / "out.csv";
  dir.Write("out.csv", "old");
  {
    StreamedFile file(target);
    file.Write("new");
  }  // never committed: the target keeps what it had, and no temporary file stays
  EXPECT_EQ(ReadWholeFile(target), "old");
  EXPECT_EQ(ListFiles(dir.path()).size(), 1u);
  WriteStudyCsv(target, {s, s}, 7, 100000);
  EXPECT_EQ(SplitLines(ReadWholeFile(target)).size(), 3u);
  EXPECT_EQ(ListFiles(dir.path()).size(), 1u);
}

}  // namespace
}  // namespace vessaro
