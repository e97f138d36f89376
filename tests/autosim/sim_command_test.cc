#include "autosim/sim_command.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <csignal>
#include <sstream>

#include "common/hex.h"
#include "common/text.h"
#include "support/child_process.h"
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
  // The same seed deals the same rounds. A run of the same minute (or second) keeps the other
  // run's files and takes free names.
  const std::string first_log = ReadWholeFile(log);
  const std::string first_graph = ReadWholeFile(graph);
  clock.local.second = 1;
  ASSERT_EQ(Run(out), 0);
  const std::string second_log = ReadWholeFile(dir / "log/20240101130001Auto.txt");
  EXPECT_EQ(first_log.substr(first_log.find("\r\n")), second_log.substr(second_log.find("\r\n")));
  EXPECT_EQ(ReadWholeFile(graph), first_graph);
  EXPECT_EQ(ReadWholeFile(dir / "Graph/202401011300_TmpGraph_2.txt"), first_graph);
  ASSERT_EQ(Run(out), 0);
  EXPECT_NE(out.find((dir / "log/20240101130001Auto_2.txt").string()), std::string::npos) << out;
  EXPECT_EQ(ReadWholeFile(log), first_log);
}

TEST_F(SimCommandTest, LogAndGraphGoWhereTheyAreToldWithoutReplacingAnything) {
  options.log = (dir / "out/run.log").string();
  options.graph = (dir / "out/run.graph").string();
  std::string out;
  ASSERT_EQ(Run(out), 0) << out;
  EXPECT_EQ(ReadTextLines(dir / "out/run.graph").size(), 1u + 200u + 2u);
  EXPECT_EQ(ReadTextLines(dir / "out/run.log").back(), "---------------試行回数200　終了---------------");
  ASSERT_EQ(Run(out), 0) << out;
  EXPECT_TRUE(FileExists(dir / "out/run_2.log"));
  EXPECT_TRUE(FileExists(dir / "out/run_2.graph"));
  EXPECT_FALSE(FileExists(dir / "log/20240101130000Auto.txt"));
}

// Exit codes say how the run ended: 0 as runs end, 3 a settings error, 2 refused input.
TEST_F(SimCommandTest, ExitCodesSayHowTheRunEnded) {
  std::vector<CardFields> broken(60), high(60), pattern(20);
  broken[0] = {"10", "0", "0"};  // jumps to card 0 after the first round
  high[0] = {"600", "1", "1"};   // above the table maximum of 500
  WriteCardFile(SystemFilePath(dir.path(), "broken"), broken);
  WriteCardFile(SystemFilePath(dir.path(), "high"), high);
  std::vector<CardFields> all_in(60);
  all_in[0] = {"500", "1", "1"};
  WriteCardFile(SystemFilePath(dir.path(), "allin"), all_in);
  struct Case {
    const char* system;
    const char* rounds;
    std::optional<std::string> limit;
    int code;
  } cases[] = {
      {"flat", "50", std::nullopt, 0},
      {"flat", "100000", "20", 0},       // stop limit
      {"allin", "100000", std::nullopt, 0},  // the balance ran out
      {"broken", "50", std::nullopt, 3},
      {"high", "50", std::nullopt, 3},
      {"none", "50", std::nullopt, 2},
  };
  for (const Case& c : cases) {
    options.system = c.system;
    options.rounds = c.rounds;
    options.profit = c.limit;
    options.loss = c.limit;
    std::string out;
    EXPECT_EQ(Run(out), c.code) << c.system << "\n" << out;
    clock.local.second += 1;
  }
}

TEST_F(SimCommandTest, NamesAreCheckedAsTheEditorsCheckThem) {
  dir.Write("secret_syspattern.txt", "outside betpattern");
  for (const std::string name : {"../secret", "/etc/passwd", "a,b", "a.b", "a\nb", "😀", " ", "sub\\flat"}) {
    std::string error;
    std::vector<std::string> args{"--home", dir.path().string(), "--system", name, "--pattern", "banker", "--rounds", "1"};
    EXPECT_FALSE(ParseSimArguments(args, error).has_value()) << name;
    EXPECT_TRUE(StartsWith(error, "--system")) << error;
    args[3] = "flat";
    args[5] = name;
    EXPECT_FALSE(ParseSimArguments(args, error).has_value()) << name;
  }
  std::string error;
  EXPECT_FALSE(ParseSimArguments({"--home", "d", "--system", "a,b", "--pattern", "p", "--rounds", "1"}, error));
  EXPECT_EQ(error, "--system: \\/:*?\"<'>|.,は禁止文字です");
}

TEST_F(SimCommandTest, AnUnreadableRulesFileIsReportedNotFatal) {
  DeleteFileIfExists(dir / "System/Rules.dat");
  // A file that is there but whose read fails (page 0 of a process is never mapped), as a damaged
  // disk or a permission would fail it.
  fs::create_symlink("/proc/self/mem", dir / "System/Rules.dat");
  std::string out;
  EXPECT_EQ(Run(out), 2);
  EXPECT_TRUE(StartsWith(out, "ファイルを読み込めませんでした。")) << out;
}

TEST_F(SimCommandTest, AnInterruptEndsTheRunLikeACancel) {
  options.rounds = "1000";
  volatile std::sig_atomic_t interrupted = 1;
  std::ostringstream out;
  EXPECT_EQ(RunSimCommand(options, clock, out, &interrupted), 130);
  EXPECT_NE(out.str().find("途中終了"), std::string::npos) << out.str();
  const auto log = ReadTextLines(dir / "log/20240101130000Auto.txt");
  EXPECT_EQ(log.back(), "---------------試行回数0　途中終了---------------");
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

// The program itself, started as a user starts it: nothing it meets may abort it.
class SimProgramTest : public SimCommandTest {
 protected:
  // Runs vessaro-sim with the fixture's options in cwd (when given) under a file-size limit (when
  // given); its output goes to out.txt in the folder.
  int RunProgram(const fs::path& cwd = {}, rlim_t file_limit = RLIM_INFINITY) {
    const fs::path out_file = dir / "out.txt";
    const pid_t child = ::fork();
    if (child == 0) {
      if (file_limit != RLIM_INFINITY) {
        rlimit limit{file_limit, file_limit};
        ::setrlimit(RLIMIT_FSIZE, &limit);  // the signal stays at its default: the program must ignore it
      }
      const int fd = ::open(out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ::dup2(fd, 1);
      ::dup2(fd, 2);
      if (!cwd.empty() && ::chdir(cwd.c_str()) != 0) ::_exit(99);
      std::vector<std::string> args{VESSARO_SIM_PROGRAM, "--home", home_arg, "--system", "flat", "--pattern", "banker",
                                    "--rounds", options.rounds, "--seed", "7"};
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(98);
    }
    const int code = testing::WaitForChild(child);
    output = ReadWholeFile(out_file);
    return code;
  }
  std::string home_arg = dir.path().string();
  std::string output;
};

TEST_F(SimProgramTest, AFileSizeLimitIsAReportedFailureNotAKill) {
  options.rounds = "100000";
  // out.txt itself stays far below the limit.
  EXPECT_EQ(RunProgram({}, 200000), 2) << output;
  EXPECT_NE(output.find("ファイルに書き込めませんでした。"), std::string::npos) << output;
  EXPECT_NE(output.find("途中終了"), std::string::npos) << output;
}

TEST_F(SimProgramTest, ARelativeHomeInADeletedFolderIsReportedNotFatal) {
  const fs::path gone = dir / "gone";
  ASSERT_TRUE(EnsureFolder(gone));
  const pid_t child = ::fork();
  if (child == 0) {
    // Enter the folder, then remove it under our feet, then start the program from there.
    if (::chdir(gone.c_str()) != 0 || ::rmdir(gone.c_str()) != 0) ::_exit(97);
    home_arg = ".";
    ::_exit(RunProgram());
  }
  EXPECT_EQ(testing::WaitForChild(child), 2);
  EXPECT_NE(ReadWholeFile(dir / "out.txt").find("絶対パスで指定してください"), std::string::npos)
      << ReadWholeFile(dir / "out.txt");
}

TEST_F(SimProgramTest, HelpListsTheExitCodes) {
  std::string error;
  const std::string help = SimHelpText();
  for (const char* code : {"  0 ", "  2 ", "  3 ", "  130 "}) EXPECT_NE(help.find(code), std::string::npos) << code;
}

}  // namespace
}  // namespace vessaro
