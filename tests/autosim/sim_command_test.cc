#include "autosim/sim_command.h"

#include <gtest/gtest.h>

#include <sstream>

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

TEST(SimArgumentsTest, RefusesWhatItCannotUse) {
  struct Case {
    std::vector<std::string> args;
    bool ok;
  } cases[] = {
      {{"--home", "d", "--system", "s", "--pattern", "p", "--rounds", "10"}, true},
      {{"--home", "d", "--system", "s", "--pattern", "p", "--rounds", "10", "--seed", "7", "--profit", "1",
        "--loss", "2"},
       true},
      {{"--home", "d", "--system", "s", "--pattern", "p"}, false},
      {{"--home", "d", "--system", "s", "--pattern", "p", "--rounds", "ten"}, false},
      {{"--home", "d", "--system", "s", "--pattern", "p", "--rounds", "10", "--profit", "5"}, false},
      {{"--home", "d", "--system", "s", "--pattern", "p", "--rounds", "10", "--seed", "-1"}, false},
      {{"--home", "d", "--system", "s", "--pattern", "p", "--rounds", "10", "--colour"}, false},
      {{"--home"}, false},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_EQ(ParseSimArguments(c.args, error).has_value(), c.ok) << JoinFields(c.args, 0, c.args.size(), " ");
    EXPECT_EQ(error.empty(), c.ok);
  }
  std::string error;
  EXPECT_TRUE(ParseSimArguments({"--help"}, error)->help);
  EXPECT_NE(SimHelpText().find("--profit"), std::string::npos);
}

class SimCommandTest : public ::testing::Test {
 protected:
  SimCommandTest() {
    dir.Write("System/Rules.dat",
              HexEncodeText("blance=1000&minimum=1&maximum=500&blancememory=False&sleeptime=250&randommode=完全確率モード"));
    EnsureFolder(BetPatternFolder(dir.path()));
    std::vector<CardFields> system(60), pattern(20);
    system[0] = {"10", "1", "1"};
    pattern[0] = {"B", "1", "1"};
    WriteCardFile(SystemFilePath(dir.path(), "flat"), system);
    WriteCardFile(PatternFilePath(dir.path(), "banker"), pattern);
    options.home = dir.path().string();
    options.system = "flat";
    options.pattern = "banker";
    options.rounds = "200";
    options.seed = 42;
  }
  int Run(std::string& output) {
    std::ostringstream out;
    int code = RunSimCommand(options, clock, out);
    output = out.str();
    return code;
  }
  TempFolder dir;
  FakeClock clock;
  SimOptions options;
};

TEST_F(SimCommandTest, RunsAndReportsItsFiles) {
  std::string out;
  ASSERT_EQ(Run(out), 0) << out;
  const fs::path log = dir / "log/20240101130000Auto.txt";
  const fs::path graph = dir / "Graph/202401011300_TmpGraph.txt";
  EXPECT_NE(out.find(log.string()), std::string::npos) << out;
  EXPECT_NE(out.find(graph.string()), std::string::npos) << out;
  EXPECT_NE(out.find("試行回数：200 "), std::string::npos) << out;
  EXPECT_EQ(ReadTextLines(graph).size(), 1u + 200u + 2u);
  EXPECT_EQ(ReadTextLines(dir / "history/Normal20240101.txt").size(), 2u);
  // The same seed deals the same rounds; a graph file of the same minute is replaced.
  const std::string first_log = ReadWholeFile(log);
  clock.local.second = 1;
  ASSERT_EQ(Run(out), 0);
  const std::string second_log = ReadWholeFile(dir / "log/20240101130001Auto.txt");
  EXPECT_EQ(first_log.substr(first_log.find("\r\n")), second_log.substr(second_log.find("\r\n")));
  EXPECT_EQ(ReadTextLines(graph).size(), 1u + 200u + 2u);
}

TEST_F(SimCommandTest, StopsAtItsLimitsAndStillEndsWell) {
  options.profit = "20";
  options.loss = "20";
  options.rounds = "100000";
  std::string out;
  EXPECT_EQ(Run(out), 0);
  EXPECT_NE(out.find("終了条件に達しました"), std::string::npos) << out;
  EXPECT_NE(ReadTextFile(dir / "log/20240101130000Auto.txt").find("途中終了"), std::string::npos);
}

TEST_F(SimCommandTest, ProblemsExitWithTwo) {
  std::string out;
  options.system = "none";
  EXPECT_EQ(Run(out), 2);
  EXPECT_NE(out.find("システムまたはパターンファイルが存在しません"), std::string::npos);
  options.system = "flat";
  options.rounds = "1000001";
  EXPECT_EQ(Run(out), 2);
  options.rounds = "10";
  options.profit = "0";
  options.loss = "5";
  EXPECT_EQ(Run(out), 2);
  options.profit.reset();
  options.loss.reset();
  dir.Write("System/Rules.dat", "zz");
  EXPECT_EQ(Run(out), 2);
  EXPECT_NE(out.find("ルール設定に誤りがあります"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(dir / "System/Rules.dat"), "zz");  // left as it was
  DeleteFileIfExists(dir / "System/Rules.dat");
  EXPECT_EQ(Run(out), 2);
  EXPECT_NE(out.find("ルール設定ファイルが見つかりません"), std::string::npos);
}

}  // namespace
}  // namespace vessaro
