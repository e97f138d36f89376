// The windows of the launcher and of the simulator's update side, offscreen.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "common/cp932.h"
#include "launcher/casino_popup_form.h"
#include "launcher/kindlet_form.h"
#include "launcher/update_info_form.h"
#include "update/update_fixture.h"
#include "update/update_info.h"
#include "update/zip_maker.h"

namespace vessaro::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class KindletFormTest : public ::testing::Test {
 protected:
  KindletFormTest() {
    rig_.base.Write("System/Update.ini", "[update]\r\nroot=" + rig_.server.root() + "\r\n");
    ports_.dialogs = &dialogs_;
    ports_.pump = &rig_.pump;
    ports_.clock = &rig_.clock;
    ports_.processes = &processes_;
    ports_.shell = &shell_;
    ports_.http = &rig_.http;
    ports_.show_announcement = [this](const fs::path& p) { shown_.push_back(p); };
  }
  UpdateRig rig_;
  FakeDialogs dialogs_;
  FakeProcessList processes_;
  FakeShell shell_;
  std::vector<fs::path> shown_;
  KindletPorts ports_;
};

TEST_F(KindletFormTest, ItsFirstPaintRunsTheLauncherWithTheProgressBar) {
  rig_.server.AddUpdateFile("baccarat", "Vessaro", "simulator", "202401051230");
  rig_.server.AddUpdateFile("baccarat", "Manual.pdf", "manual", "202401051230");
  rig_.server.SetReply("/popup/popuplist.txt", Reply{200, "popup1=a.jpg\r\n"});
  rig_.server.SetReply("/popup/a.jpg", Reply{200, "jpeg"});
  TKindletForm form(rig_.base.path(), ports_);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Vessaro - 起動中"));
  EXPECT_EQ(form.status_label()->text(), QStringLiteral("アップデートを行っています..."));
  QSignalSpy finished(&form, &TKindletForm::finished);
  form.show();
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_EQ(finished.at(0).at(0).value<LauncherEnd>(), LauncherEnd::kStarted);
  EXPECT_EQ(form.progress_bar()->maximum(), 2);
  EXPECT_EQ(form.progress_bar()->value(), 2);
  EXPECT_THAT(shown_, ElementsAre(rig_.base / "popup/a.jpg"));
  EXPECT_THAT(shell_.started, ElementsAre((rig_.base / "Vessaro").string()));
  EXPECT_FALSE(form.isVisible());
}

TEST_F(KindletFormTest, AStopLeavesTheWindowOpenAndAClosingDuringTheRunWaitsForItsEnd) {
  rig_.server.QueueListReply(Reply{200, "status=-1&messages=停止中です"});
  TKindletForm form(rig_.base.path(), ports_);
  form.show();
  EXPECT_EQ(form.Run(), LauncherEnd::kUpdateFailed);
  EXPECT_THAT(dialogs_.messages, ElementsAre("停止中です"));
  EXPECT_TRUE(form.isVisible());

  // The user closes the window during the wait for the simulator: the run goes on to its end.
  processes_.lists = {{"Vessaro"}};
  TKindletForm* running = nullptr;
  int refused = 0;
  rig_.pump.on_process = [&] {
    if (running != nullptr && running->isVisible() && !running->close()) ++refused;
  };
  TKindletForm second(rig_.base.path(), ports_);
  running = &second;
  second.show();
  EXPECT_EQ(second.Run(), LauncherEnd::kSimulatorRunning);
  EXPECT_EQ(refused, 50);
  EXPECT_FALSE(second.isVisible());
}

QString SavePicture(const fs::path& file, int w, int h, const char* format) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(QColor(20, 90, 160));
  const QString path = QString::fromStdString(file.string());
  image.save(path, format);
  return path;
}

TEST(CasinoPopupFormTest, ShowsThePictureAndClosesOnClickOkOrEnter) {
  TempFolder folder;
  SavePicture(folder / "news.jpg", 400, 300, "JPG");
  SavePicture(folder / "news.bmp", 200, 100, "BMP");
  folder.Write("broken.jpg", "not a picture");

  TCasinoPopupForm picture_click(folder / "news.jpg");
  EXPECT_TRUE(picture_click.has_picture());
  EXPECT_EQ(picture_click.windowTitle(), QStringLiteral("お知らせ"));
  EXPECT_EQ(picture_click.size(), QSize(400, 300));
  picture_click.show();
  QTest::mouseClick(picture_click.picture_label(), Qt::LeftButton, {}, QPoint(50, 50));
  EXPECT_EQ(picture_click.result(), QDialog::Accepted);
  EXPECT_FALSE(picture_click.isVisible());

  TCasinoPopupForm ok_mark(folder / "news.bmp");
  EXPECT_EQ(ok_mark.size(), QSize(200, 100));
  ok_mark.show();
  QTest::mouseClick(ok_mark.ok_mark(), Qt::LeftButton);
  EXPECT_FALSE(ok_mark.isVisible());

  TCasinoPopupForm enter(folder / "news.jpg");
  enter.show();
  QTest::keyClick(&enter, Qt::Key_Return);
  EXPECT_FALSE(enter.isVisible());

  EXPECT_FALSE(TCasinoPopupForm(folder / "broken.jpg").has_picture());
}

class UpdateInfoFormTest : public ::testing::Test {
 protected:
  UpdateInfoFormTest() {
    ports_.dialogs = &dialogs_;
    ports_.pump = &rig_.pump;
    ports_.clock = &rig_.clock;
    ports_.http = &rig_.http;
    ports_.open_url = [this](const std::string& url) { opened_.push_back(url); };
  }
  void Configure(const std::string& lines) { rig_.base.Write("System/Update.ini", lines); }

  UpdateRig rig_;
  FakeDialogs dialogs_;
  std::vector<std::string> opened_;
  UpdateInfoPorts ports_;
};

TEST_F(UpdateInfoFormTest, ShowsTheReleaseNoteReadOnly) {
  rig_.base.Write("releasenote.txt", *EncodeCp932("2024/01/05 バージョン1.2\r\n・アップデート情報を追加\r\n"));
  TUpdateInfoForm form(rig_.base.path(), ports_);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("アップデート情報"));
  EXPECT_TRUE(form.release_note()->isReadOnly());
  EXPECT_EQ(form.release_note()->toPlainText(), QStringLiteral("2024/01/05 バージョン1.2\n・アップデート情報を追加\n"));
  EXPECT_EQ(form.admin_check_button()->text(), QStringLiteral("管理者モード実行かの確認をする"));
  EXPECT_EQ(form.admin_help_button()->text(), QStringLiteral("管理者モードで実行するには？"));
  EXPECT_EQ(form.forum_button()->text(), QStringLiteral("交流掲示板"));
}

TEST_F(UpdateInfoFormTest, TheForumShowsItsPasswordThenOpensAndSaysSoWhenNotConfigured) {
  {
    TUpdateInfoForm form(rig_.base.path(), ports_);
    QTest::mouseClick(form.forum_button(), Qt::LeftButton);
  }
  EXPECT_THAT(dialogs_.messages, ElementsAre("交流掲示板のアドレスが設定されていません。"));
  EXPECT_THAT(opened_, IsEmpty());

  Configure("[web]\r\nforum=https://bbs.example.jp/vessaro\r\nforum_password=kindlet2024\r\n");
  TUpdateInfoForm form(rig_.base.path(), ports_);
  QTest::mouseClick(form.forum_button(), Qt::LeftButton);
  EXPECT_EQ(dialogs_.messages.back(), "交流掲示板のパスワードは「kindlet2024」です。");
  EXPECT_THAT(opened_, ElementsAre("https://bbs.example.jp/vessaro"));
}

TEST_F(UpdateInfoFormTest, TheHelpWindowsPagesOpenWhenConfigured) {
  UpdateConfig config;
  config.admin_help_url2 = "https://example.jp/run-as-admin";
  TAdminHelpForm help(config, dialogs_, ports_.open_url);
  EXPECT_EQ(help.windowTitle(), QStringLiteral("管理者モードで実行するには？"));
  QTest::mouseClick(help.page_button(0), Qt::LeftButton);
  QTest::mouseClick(help.page_button(1), Qt::LeftButton);
  EXPECT_THAT(dialogs_.messages, ElementsAre("このページのアドレスが設定されていません。"));
  EXPECT_THAT(opened_, ElementsAre("https://example.jp/run-as-admin"));
}

struct AdminCase {
  std::string name;
  bool configured;
  bool archive;
  bool blocked;  // a folder where the archive's file must go
  std::string message_start;
};

// ctest lists the case by its name.
void PrintTo(const AdminCase& c, std::ostream* os) { *os << c.name; }

class AdminCheckTest : public UpdateInfoFormTest, public ::testing::WithParamInterface<AdminCase> {};

TEST_P(AdminCheckTest, TellsWhetherTheProgramMayWriteItsFolder) {
  if (GetParam().configured) Configure("[update]\r\nroot=" + rig_.server.root() + "\r\n");
  if (GetParam().archive)
    rig_.server.SetReply("/update/baccarat/update.zip",
                         Reply{200, ZipBytes({{"Kindlet", "launcher"}, {"Vessaro", "simulator"}}, kArchivePassword)});
  if (GetParam().blocked) fs::create_directories(rig_.base / "Kindlet" / "in-the-way");
  TUpdateInfoForm form(rig_.base.path(), ports_);
  QTest::mouseClick(form.admin_check_button(), Qt::LeftButton);
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].substr(0, GetParam().message_start.size()), GetParam().message_start);
  EXPECT_TRUE(form.isEnabled());
  EXPECT_FALSE(fs::exists(rig_.base / "Vessaro"));  // the running simulator is never copied over
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdminCheckTest,
    ::testing::Values(AdminCase{"Writable", true, true, false, "管理者モードで実行されています"},
                      AdminCase{"NotWritable", true, true, true,
                                "管理者モードで実行されていません\r\n管理者モードにて実行してください"},
                      AdminCase{"NoArchive", true, false, false,
                                "アップデートファイルのダウンロードに失敗しました\\(-2) ファイル名http://127.0.0.1:"},
                      AdminCase{"NoServer", false, true, false,
                                "アップデートサーバーが設定されていないため、確認できません。"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vessaro::testing
