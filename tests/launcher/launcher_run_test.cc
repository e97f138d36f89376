// The launcher's run against the test server: update, announcements, start of the simulator.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "launcher/launcher_run.h"
#include "update/update_fixture.h"

namespace vessaro::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RecordingLauncherView : public LauncherView {
 public:
  void SetMaximum(int maximum) override { maxima.push_back(maximum); }
  void SetPosition(int position) override { positions.push_back(position); }
  void ShowAnnouncement(const fs::path& picture) override { shown.push_back(picture); }
  std::vector<int> maxima;
  std::vector<int> positions;
  std::vector<fs::path> shown;
};

class LauncherRunTest : public ::testing::Test {
 protected:
  LauncherEnd Run(const std::string& root) {
    LauncherPorts ports{rig_.ports, dialogs_, processes_, shell_};
    return RunLauncher(ports, view_, rig_.base.path(), root, rig_.base / "Kindlet");
  }
  LauncherEnd Run() { return Run(rig_.server.root()); }
  fs::path Popup(const std::string& name) const { return rig_.base / ("popup/" + name); }
  void ServeAnnouncements(const std::string& list) {
    rig_.server.SetReply("/popup/popuplist.txt", Reply{200, list});
  }
  // An earlier run's announcements.
  void LeaveEarlierAnnouncements() {
    rig_.base.Write("popup/popuplist.txt", "popup1=old.jpg\r\n");
    rig_.base.Write("popup/old.jpg", "old picture");
    rig_.base.Write("popup/news.jpg", "last week's news");
  }

  UpdateRig rig_;
  FakeDialogs dialogs_;
  FakeProcessList processes_;
  FakeShell shell_;
  RecordingLauncherView view_;
};

TEST_F(LauncherRunTest, UpdatesShowsTheNamedAnnouncementsInOrderCleansUpAndStartsTheSimulator) {
  rig_.server.AddUpdateFile("baccarat", "Vessaro", "simulator", "202401051230");
  rig_.server.AddUpdateFile("baccarat", "image/card.bmp", "card", "202401051230");
  LeaveEarlierAnnouncements();
  ServeAnnouncements("popup1=news.jpg\r\npopup3=later.jpg\r\n");
  rig_.server.SetReply("/popup/news.jpg", Reply{200, "this week's news"});
  rig_.server.SetReply("/popup/later.jpg", Reply{200, "never asked for"});

  EXPECT_EQ(Run(), LauncherEnd::kStarted);
  EXPECT_THAT(dialogs_.messages, IsEmpty());
  EXPECT_EQ(ReadWholeFile(rig_.base / "Vessaro"), "simulator");
  EXPECT_EQ(view_.maxima, std::vector<int>({2}));
  EXPECT_EQ(view_.positions.back(), 2);
  // popup3 is not reached without a popup2.
  EXPECT_THAT(view_.shown, ElementsAre(Popup("news.jpg")));
  std::vector<std::string> targets;
  for (const ServedRequest& r : rig_.server.RequestsTo("/popup/")) targets.push_back(r.target);
  EXPECT_THAT(targets, ElementsAre("/popup/popuplist.txt?202401051230", "/popup/news.jpg?202401051230"));
  EXPECT_THAT(TreeOf(rig_.base / "popup"), ElementsAre("news.jpg", "popuplist.txt"));
  EXPECT_EQ(ReadWholeFile(Popup("news.jpg")), "this week's news");
  EXPECT_THAT(shell_.started, ElementsAre((rig_.base / "Vessaro").string()));
}

TEST_F(LauncherRunTest, ARunningSimulatorStopsTheLauncherAfterFiveSeconds) {
  processes_.lists = {{"bash", "Vessaro"}};
  LeaveEarlierAnnouncements();
  EXPECT_EQ(Run(), LauncherEnd::kSimulatorRunning);
  EXPECT_THAT(dialogs_.messages, ElementsAre("Vessaroが既に起動されています。"));
  EXPECT_EQ(rig_.pump.pauses, std::vector<int>(50, 100));
  EXPECT_THAT(rig_.server.requests(), IsEmpty());
  EXPECT_THAT(shell_.started, IsEmpty());
  EXPECT_THAT(TreeOf(rig_.base / "popup"), ElementsAre("news.jpg", "old.jpg", "popuplist.txt"));
}

struct FailedUpdateCase {
  std::string name;
  std::string list;
  std::string message;
};

// ctest lists the case by its name.
void PrintTo(const FailedUpdateCase& c, std::ostream* os) { *os << c.name; }

class LauncherFailedUpdateTest : public LauncherRunTest, public ::testing::WithParamInterface<FailedUpdateCase> {};

TEST_P(LauncherFailedUpdateTest, ANegativeResultIsShownAndNothingStarts) {
  rig_.server.QueueListReply(Reply{200, GetParam().list});
  ServeAnnouncements("popup1=news.jpg\r\n");
  EXPECT_EQ(Run(), LauncherEnd::kUpdateFailed);
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].substr(0, GetParam().message.size()), GetParam().message);
  EXPECT_THAT(rig_.server.RequestsTo("/popup/"), IsEmpty());
  EXPECT_THAT(shell_.started, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Lists, LauncherFailedUpdateTest,
    ::testing::Values(
        FailedUpdateCase{"ServerStatus", "status=-7&messages=サーバーを停止しています", "サーバーを停止しています"},
        FailedUpdateCase{"NoStatusAtAll", "Vessaro,F=202401051230", "通信に失敗しました(-300)"},
        FailedUpdateCase{"MissingFile", "status=0&Vessaro,F=202401051230",
                         "アップデートファイルのダウンロードに失敗しました\\(-2) ファイル名: http://127.0.0.1:"},
        FailedUpdateCase{"OutsideTheFolder", "status=0&../Vessaro,F=202401051230",
                         "アップデートファイルの保存先が不正です(-5) ファイル名: ../Vessaro"}),
    [](const auto& info) { return info.param.name; });

struct GoingOnCase {
  std::string name;
  std::vector<Reply> replies;
};

// ctest lists the case by its name.
void PrintTo(const GoingOnCase& c, std::ostream* os) { *os << c.name; }

class LauncherGoesOnTest : public LauncherRunTest, public ::testing::WithParamInterface<GoingOnCase> {};

TEST_P(LauncherGoesOnTest, APositiveResultOrAServerMessageIsNotReported) {
  for (const Reply& r : GetParam().replies) rig_.server.QueueListReply(r);
  ServeAnnouncements("popup1=news.jpg\r\n");
  rig_.server.SetReply("/popup/news.jpg", Reply{200, "news"});
  rig_.base.Write("Vessaro", "simulator");
  fs::permissions(rig_.base / "Vessaro", fs::perms(0755));
  EXPECT_EQ(Run(), LauncherEnd::kStarted);
  EXPECT_THAT(dialogs_.messages, IsEmpty());
  EXPECT_THAT(view_.shown, ElementsAre(Popup("news.jpg")));
  EXPECT_THAT(shell_.started, ElementsAre((rig_.base / "Vessaro").string()));
}

INSTANTIATE_TEST_SUITE_P(Answers, LauncherGoesOnTest,
                         ::testing::Values(GoingOnCase{"Http503Twice", {Reply{503, ""}}},
                                           GoingOnCase{"PositiveStatus", {Reply{200, "status=3&messages=混雑中"}}},
                                           GoingOnCase{"MessageWithSuccess",
                                                       {Reply{200, "status=0&messages=新バージョンです"}}}),
                         [](const auto& info) { return info.param.name; });

TEST_F(LauncherRunTest, WithoutAServerTheSimulatorStartsWithoutAMessageAndOldPicturesGo) {
  std::string gone_root;
  {
    TestUpdateServer gone;
    gone_root = gone.root();
  }
  rig_.base.Write("Vessaro", "simulator");
  fs::permissions(rig_.base / "Vessaro", fs::perms(0755));
  LeaveEarlierAnnouncements();
  EXPECT_EQ(Run(gone_root), LauncherEnd::kStarted);
  EXPECT_THAT(dialogs_.messages, IsEmpty());
  EXPECT_THAT(view_.shown, IsEmpty());
  EXPECT_THAT(TreeOf(rig_.base / "popup"), IsEmpty());
  EXPECT_THAT(shell_.started, ElementsAre((rig_.base / "Vessaro").string()));
}

TEST_F(LauncherRunTest, WithoutAConfiguredRootNothingIsAskedAndTheSimulatorStarts) {
  rig_.base.Write("Vessaro", "simulator");
  fs::permissions(rig_.base / "Vessaro", fs::perms(0755));
  LeaveEarlierAnnouncements();
  EXPECT_EQ(Run(""), LauncherEnd::kStarted);
  EXPECT_THAT(dialogs_.messages, IsEmpty());
  EXPECT_THAT(TreeOf(rig_.base / "popup"), IsEmpty());
  EXPECT_THAT(shell_.started, ElementsAre((rig_.base / "Vessaro").string()));
}

TEST_F(LauncherRunTest, ASimulatorThatCannotStartIsReportedWithTheReason) {
  EXPECT_EQ(Run(""), LauncherEnd::kStartFailed);
  EXPECT_THAT(dialogs_.messages, ElementsAre("Vessaroの起動に失敗しました\\(2)"));

  rig_.base.Write("Vessaro", "not a program");
  fs::permissions(rig_.base / "Vessaro", fs::perms(0644));
  EXPECT_EQ(Run(""), LauncherEnd::kStartFailed);
  EXPECT_EQ(dialogs_.messages.back(), "Vessaroの起動に失敗しました\\(13)");

  fs::permissions(rig_.base / "Vessaro", fs::perms(0755));
  shell_.succeed = false;
  EXPECT_EQ(Run(""), LauncherEnd::kStartFailed);
  EXPECT_EQ(dialogs_.messages.back(), "Vessaroの起動に失敗しました\\(1)");
}

TEST_F(LauncherRunTest, AnnouncementNamesThatAreNotPlainFileNamesAreLeftOut) {
  ServeAnnouncements("POPUP1=../evil.jpg\r\npopup2=sub/x.jpg\r\npopup3=popuplist.txt\r\npopup4=missing.jpg\r\n"
                     "popup5=ok.jpg\r\n");
  rig_.server.SetReply("/popup/ok.jpg", Reply{200, "ok"});
  rig_.server.SetReply("/popup/../evil.jpg", Reply{200, "evil"});
  EXPECT_EQ(Run(), LauncherEnd::kStartFailed);  // no simulator in this folder
  EXPECT_THAT(view_.shown, ElementsAre(Popup("ok.jpg")));
  std::vector<std::string> paths;
  for (const ServedRequest& r : rig_.server.RequestsTo("/popup/")) paths.push_back(r.path);
  EXPECT_THAT(paths, ElementsAre("/popup/popuplist.txt", "/popup/missing.jpg", "/popup/ok.jpg"));
  EXPECT_THAT(TreeOf(rig_.base.path()), ElementsAre("popup", "popup/ok.jpg", "popup/popuplist.txt"));
}

}  // namespace
}  // namespace vessaro::testing
