// The simulator's start-up update of the launcher, and its hand-over.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "launcher/update_splash_form.h"
#include "update/start_update.h"
#include "update/update_fixture.h"

namespace vessaro::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RecordingSplash : public StartUpdateView {
 public:
  void Show() override { ++shown; }
  void Close() override { ++closed; }
  void SetMaximum(int maximum) override { maxima.push_back(maximum); }
  void SetPosition(int position) override { positions.push_back(position); }
  int shown = 0;
  int closed = 0;
  std::vector<int> maxima;
  std::vector<int> positions;
};

class StartUpdateTest : public ::testing::Test {
 protected:
  StartUpdateTest() {
    rig_.server.AddUpdateFile("baccarat", "Kindlet", "new launcher", "202401051230");
    rig_.server.AddUpdateFile("baccarat", "Vessaro", "new simulator", "202401051230");
  }
  bool Run(const std::string& root) {
    StartUpdatePorts ports{rig_.ports, dialogs_, processes_, shell_};
    return UpdateLauncherAtStart(ports, splash_, rig_.base.path(), root, rig_.base / "Vessaro");
  }
  bool Run() { return Run(rig_.server.root()); }

  UpdateRig rig_;
  FakeDialogs dialogs_;
  FakeProcessList processes_;
  FakeShell shell_;
  RecordingSplash splash_;
};

TEST_F(StartUpdateTest, AnUpdatedLauncherIsStartedAndTheSimulatorEnds) {
  EXPECT_TRUE(Run());
  EXPECT_EQ(rig_.server.requests()[0].form, "command=getupdatelist&app=baccarat&filename=Kindlet");
  EXPECT_EQ(ReadWholeFile(rig_.base / "Kindlet"), "new launcher");
  EXPECT_FALSE(fs::exists(rig_.base / "Vessaro"));
  EXPECT_THAT(dialogs_.messages,
              ElementsAre("起動プログラムのアップデートがありました。アプリケーションを再起動します。"));
  EXPECT_THAT(shell_.started, ElementsAre((rig_.base / "Kindlet").string()));
  EXPECT_EQ(splash_.shown, 1);
  EXPECT_EQ(splash_.closed, 1);
  EXPECT_EQ(splash_.maxima, std::vector<int>({1}));

  // The launcher is current now: the simulator goes on.
  EXPECT_FALSE(Run());
  EXPECT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(shell_.started.size(), 1u);
}

TEST_F(StartUpdateTest, ALauncherStillRunningIsReportedAndNotUpdated) {
  processes_.lists = {{"Kindlet"}};
  EXPECT_FALSE(Run());
  EXPECT_THAT(dialogs_.messages, ElementsAre("Kindletが既に起動されています。"));
  EXPECT_EQ(rig_.pump.pauses, std::vector<int>(50, 100));
  EXPECT_THAT(rig_.server.requests(), IsEmpty());
  EXPECT_EQ(splash_.closed, 1);
}

TEST_F(StartUpdateTest, WithoutARootNothingHappensAtAll) {
  EXPECT_FALSE(Run(""));
  EXPECT_EQ(splash_.shown, 0);
  EXPECT_THAT(dialogs_.messages, IsEmpty());
  EXPECT_THAT(rig_.server.requests(), IsEmpty());
}

TEST_F(StartUpdateTest, AnUnreachableServerGivesNoMessage) {
  std::string gone_root;
  {
    TestUpdateServer gone;
    gone_root = gone.root();
  }
  EXPECT_FALSE(Run(gone_root));
  EXPECT_THAT(dialogs_.messages, IsEmpty());
  EXPECT_THAT(shell_.started, IsEmpty());
}

struct MessageCase {
  std::string name;
  Reply reply;
  std::vector<std::string> messages;
};

// ctest lists the case by its name.
void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

class StartUpdateMessageTest : public StartUpdateTest, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(StartUpdateMessageTest, ShowsNegativeResultsAndTheServersOwnMessages) {
  rig_.server.QueueListReply(GetParam().reply);
  EXPECT_FALSE(Run());
  EXPECT_EQ(dialogs_.messages, GetParam().messages);
  EXPECT_THAT(shell_.started, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, StartUpdateMessageTest,
    ::testing::Values(MessageCase{"Http503", Reply{503, ""}, {}},
                      MessageCase{"NegativeWithoutMessage", Reply{200, "status=-2"}, {"通信に失敗しました(-2)"}},
                      MessageCase{"NoStatus", Reply{200, "Kindlet,F=202401051230"}, {"通信に失敗しました(-300)"}},
                      MessageCase{"ServerMessage", Reply{200, "status=5&messages=メンテナンス中です"},
                                  {"メンテナンス中です"}},
                      MessageCase{"MessageWithSuccess", Reply{200, "status=0&messages=新しいお知らせがあります"},
                                  {"新しいお知らせがあります"}}),
    [](const auto& info) { return info.param.name; });

TEST_F(StartUpdateTest, ALauncherThatCannotStartKeepsTheSimulatorRunning) {
  shell_.succeed = false;
  EXPECT_FALSE(Run());
  EXPECT_THAT(dialogs_.messages,
              ElementsAre("起動プログラムのアップデートがありました。アプリケーションを再起動します。",
                          "Kindletの起動に失敗しました\\(1)"));
}

TEST_F(StartUpdateTest, TheWindowsStartUpdateUsesTheProgramFoldersSettingsAndTheSplash) {
  rig_.base.Write("System/Update.ini", "[update]\r\nroot=" + rig_.server.root() + "\r\n");
  StartUpdateWindowPorts ports{dialogs_, rig_.pump, rig_.clock, shell_, &processes_, &rig_.http};
  EXPECT_TRUE(RunStartUpdate(nullptr, rig_.base.path(), ports));
  EXPECT_THAT(shell_.started, ElementsAre((rig_.base / "Kindlet").string()));

  TempFolder no_settings;
  EXPECT_FALSE(RunStartUpdate(nullptr, no_settings.path(), ports));
  EXPECT_EQ(rig_.server.requests().size(), 2u);  // the list and the launcher's file, once
}

}  // namespace
}  // namespace vessaro::testing
