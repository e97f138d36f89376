// vessaro-update over the test server: in process, and the built program once end to end.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <sstream>

#include "update/update_command.h"
#include "update/update_config.h"
#include "update/update_fixture.h"

namespace vessaro::testing {
namespace {

using ::testing::HasSubstr;

TEST(UpdateArgumentsTest, RefusesWhatCannotBeRun) {
  TempFolder home;
  std::string error;
  EXPECT_FALSE(ParseUpdateArguments({}, error));
  EXPECT_THAT(error, HasSubstr("--home"));
  EXPECT_FALSE(ParseUpdateArguments({"--home", (home / "missing").string()}, error));
  EXPECT_FALSE(ParseUpdateArguments({"--home", home.path().string(), "--file", "../Kindlet"}, error));
  EXPECT_FALSE(ParseUpdateArguments({"--home", home.path().string(), "--root"}, error));
  EXPECT_FALSE(ParseUpdateArguments({"--home", home.path().string(), "--bogus", "1"}, error));
  auto ok = ParseUpdateArguments({"--home", home.path().string(), "--root", "http://x", "--file", "Kindlet"}, error);
  ASSERT_TRUE(ok);
  EXPECT_EQ(*ok->root, "http://x");
  EXPECT_EQ(ok->file_name, "Kindlet");
  EXPECT_TRUE(ParseUpdateArguments({"--help"}, error)->help);
}

TEST(UpdateCommandTest, PrintsEachReplacedFileAndTheResult) {
  UpdateRig rig;
  rig.server.AddUpdateFile("baccarat", "image/a b.gif", "gif", "202401051230");
  UpdateCommandOptions options;
  options.home = rig.base.path().string();
  options.root = rig.server.root();
  std::ostringstream out;
  EXPECT_EQ(RunUpdateCommand(options, rig.ports, "/nowhere/vessaro-update", out), 0);
  EXPECT_EQ(out.str(), "更新 / replaced: " + (rig.base / "image/a b.gif").string() +
                           "\n結果 / result: 0 (1 件更新 / files replaced)\n");

  rig.server.QueueListReply(Reply{200, "status=7&messages=停止中です"});
  std::ostringstream failed;
  EXPECT_EQ(RunUpdateCommand(options, rig.ports, "/nowhere/vessaro-update", failed), 2);
  EXPECT_EQ(failed.str(), "停止中です\n結果 / result: 7 (0 件更新 / files replaced)\n");

  options.root = std::nullopt;  // the folder has no settings: no server
  std::ostringstream none;
  EXPECT_EQ(RunUpdateCommand(options, rig.ports, "/nowhere/vessaro-update", none), 2);
  EXPECT_EQ(none.str(), "アップデートサーバーが設定されていません。\n");
}

TEST(UpdateCommandTest, TheProgramRunsAgainstTheServer) {
  UpdateRig rig;
  rig.server.AddUpdateFile("baccarat", "Manual.pdf", "pdf", "202401051230");
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QString::fromUtf8(kUpdateRootVariable), QString::fromStdString(rig.server.root()));
  process.setProcessEnvironment(env);
  QEventLoop loop;
  QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(60000, &loop, &QEventLoop::quit);  // a hung program fails the test, not the run
  process.start(VESSARO_UPDATE_PROGRAM, {"--home", QString::fromStdString(rig.base.path().string())});
  loop.exec();
  ASSERT_EQ(process.state(), QProcess::NotRunning);
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  EXPECT_THAT(process.readAllStandardOutput().toStdString(), HasSubstr("結果 / result: 0 (1 件更新"));
  EXPECT_EQ(ReadWholeFile(rig.base / "Manual.pdf"), "pdf");
}

}  // namespace
}  // namespace vessaro::testing
