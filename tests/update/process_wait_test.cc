// Waiting for the other program, and where the update settings come from.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/fakes.h"
#include "support/temp_folder.h"
#include "update/process_wait.h"
#include "update/update_config.h"

namespace vessaro::testing {
namespace {

struct WaitCase {
  std::string name;
  std::deque<std::vector<std::string>> lists;
  bool ended;
  size_t pauses;
};

// ctest lists the case by its name.
void PrintTo(const WaitCase& c, std::ostream* os) { *os << c.name; }

class WaitForProgramTest : public ::testing::TestWithParam<WaitCase> {};

TEST_P(WaitForProgramTest, PollsEvery100MsForAtMost5Seconds) {
  FakeProcessList processes;
  processes.lists = GetParam().lists;
  FakeEventPump pump;
  EXPECT_EQ(WaitForProgramToEnd(processes, pump, "Vessaro"), GetParam().ended);
  EXPECT_EQ(pump.pauses, std::vector<int>(GetParam().pauses, 100));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, WaitForProgramTest,
    ::testing::Values(WaitCase{"NotRunning", {{"bash", "Kindlet"}}, true, 0},
                      WaitCase{"StillRunningAfterFiveSeconds", {{"bash", "Vessaro"}}, false, 50},
                      WaitCase{"EndsAfterThreePolls", {{"vessaro"}, {"VESSARO"}, {"Vessaro"}, {"bash"}}, true, 3},
                      // The command-line companions are other programs.
                      WaitCase{"CompanionsDoNotCount", {{"vessaro-sim", "vessaro-update"}}, true, 0}),
    [](const auto& info) { return info.param.name; });

TEST(SystemProcessListTest, ListsThisProgram) {
  SystemProcessList processes;
  EXPECT_THAT(processes.ProgramNames(), ::testing::Contains("update_tests"));
}

class UpdateConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv(kUpdateRootVariable);
    unsetenv(kUpdateTimeoutVariable);
  }
  void TearDown() override { SetUp(); }
  TempFolder folder_;
};

TEST_F(UpdateConfigTest, ReadsTheShippedFileAndLetsTheEnvironmentOverrideIt) {
  EXPECT_EQ(LoadUpdateConfig(folder_.path()).root, "");
  EXPECT_EQ(LoadUpdateConfig(folder_.path()).timeout_ms, 300000);
  folder_.Write("System/Update.ini",
                "[update]\r\nroot= https://updates.example.jp/vessaro/ \r\ntimeout_seconds=20\r\n"
                "[web]\r\nadmin_help1=https://example.jp/1\r\nforum=https://example.jp/bbs\r\nforum_password=abc\r\n");
  UpdateConfig config = LoadUpdateConfig(folder_.path());
  EXPECT_EQ(config.root, "https://updates.example.jp/vessaro");
  EXPECT_EQ(config.timeout_ms, 20000);
  EXPECT_EQ(config.admin_help_url1, "https://example.jp/1");
  EXPECT_EQ(config.admin_help_url2, "");
  EXPECT_EQ(config.forum_url, "https://example.jp/bbs");
  EXPECT_EQ(config.forum_password, "abc");

  setenv(kUpdateRootVariable, "http://127.0.0.1:8080/", 1);
  setenv(kUpdateTimeoutVariable, "250", 1);
  config = LoadUpdateConfig(folder_.path());
  EXPECT_EQ(config.root, "http://127.0.0.1:8080");
  EXPECT_EQ(config.timeout_ms, 250);
  setenv(kUpdateRootVariable, "", 1);
  EXPECT_EQ(LoadUpdateConfig(folder_.path()).root, "");
}

TEST_F(UpdateConfigTest, TheProgramFolderShipsASettingsFileWithoutAServer) {
  ASSERT_TRUE(FileExists(VESSARO_SHIPPED_SETTINGS));
  const fs::path folder = fs::path(VESSARO_SHIPPED_SETTINGS).parent_path().parent_path();
  UpdateConfig config = LoadUpdateConfig(folder);
  EXPECT_EQ(config.root, "");
  EXPECT_EQ(config.timeout_ms, 300000);
}

}  // namespace
}  // namespace vessaro::testing
