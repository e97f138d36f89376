// The panel of automatic runs: its commands reach the run driver, the table follows the run, and
// the windows a run opens are asked for.
#include <gtest/gtest.h>

#include <QTest>

#include "common/text.h"
#include "program_folder_fixture.h"
#include "support/fakes.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "ui/common/qt_ports.h"
#include "ui/table/stop_jyoken_form.h"
#include "ui/table/vessaro_main.h"

namespace vessaro {
namespace {

using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeEventPump;
using testing::ProgramFolder;

class NoRuleDialog : public RuleDialogPort {
 public:
  bool RunRuleDialog(bool) override { return false; }
};

class RunPanelTest : public ::testing::Test {
 protected:
  RunPanelTest() {
    EnsureFolder(BetPatternFolder(folder.path()));
    std::vector<CardFields> system(60), pattern(20);
    system[0] = {"10", "1", "1"};
    pattern[0] = {"B", "1", "1"};
    WriteCardFile(SystemFilePath(folder.path(), "flat"), system);
    WriteCardFile(PatternFilePath(folder.path(), "banker"), pattern);
    MainWindowPorts ports;
    ports.dialogs = &dialogs;
    ports.pump = &pump;
    ports.clock = &clock;
    ports.rule_dialog = &no_dialog;
    ports.open_window = [this](const std::string& window, const std::string& file, int64_t rounds) {
      opened.push_back(window + ":" + file + ":" + std::to_string(rounds));
    };
    w = std::make_unique<TVessaroMain>(folder.path(), ports);
    w->FirstDisplay();
  }
  void Choose(int system, int pattern, const char* trials) {
    w->system_combo()->setCurrentIndex(system);
    w->pattern_combo()->setCurrentIndex(pattern);
    w->trials_edit()->setText(trials);
  }

  ProgramFolder folder;
  FakeDialogs dialogs;
  FakeEventPump pump;
  FakeClock clock;
  NoRuleDialog no_dialog;
  std::vector<std::string> opened;
  std::unique_ptr<TVessaroMain> w;
};

TEST_F(RunPanelTest, ListsStartOnTheirPrompts) {
  ASSERT_EQ(w->system_combo()->count(), 2);
  EXPECT_EQ(w->system_combo()->itemText(0), "登録システムを選択してください");
  EXPECT_EQ(w->system_combo()->itemText(1), "flat");
  EXPECT_EQ(w->pattern_combo()->itemText(0), "登録パターンを選択してください");
  EXPECT_EQ(w->trials_edit()->text(), "100");
  EXPECT_FALSE(w->stop_button()->isEnabled());
  w->BtnAutoGuiClick();
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"システムとパターンを選択してください"});
}

TEST_F(RunPanelTest, RunOnTheTableShowsItsRoundsAndOpensTheGraph) {
  Choose(1, 1, "5");
  w->PanelToggleClick();
  w->BtnAutoGuiClick();
  EXPECT_TRUE(w->session().display().run_panel_open);  // left open for the log and the graph
  EXPECT_EQ(w->round_label()->text(), "ラウンド5");
  EXPECT_TRUE(EndsWith(FromQt(w->log_edit()->text()), "20240101130000AutoGUI.txt"));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"終了しました。グラフを表示します"});
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "graph:" + (folder / "Graph/202401011300_TmpGraph.txt").string() + ":5");
  EXPECT_TRUE(w->deal_button()->isEnabled());
  EXPECT_FALSE(w->driver().running());
}

TEST_F(RunPanelTest, RunWithoutDisplayShowsProgressAndLeavesItsBalance) {
  Choose(1, 1, "300");
  clock.monotonic_step = RunDriver::kYieldMillis;
  std::vector<std::string> progress;
  pump.on_process = [&] { progress.push_back(FromQt(w->progress_label()->text())); };
  w->PanelToggleClick();
  w->BtnAutoOnlyClick();
  EXPECT_TRUE(w->session().display().run_panel_open);
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), "処理中です... 300/300");
  const auto log = ReadTextLines(folder / "log/20240101130000Auto.txt");
  const std::string& last_round = log[301];
  EXPECT_NE(last_round.find("【残高：" + FromQt(w->balance_label()->text()) + "】"), std::string::npos) << last_round;
  EXPECT_EQ(w->round_label()->text(), "ラウンド0");  // the table itself dealt nothing
}

TEST_F(RunPanelTest, ConfirmedCancelStopsTheRun) {
  Choose(1, 1, "1000");
  clock.monotonic_step = RunDriver::kYieldMillis;
  dialogs.answers = {false, true};  // the first question is declined, the second confirmed
  int yields = 0;
  pump.on_process = [&] {
    if (++yields == 10 || yields == 20) w->stop_button()->click();
  };
  w->BtnAutoOnlyClick();
  EXPECT_EQ(dialogs.questions,
            (std::vector<std::string>{"オート処理を中断します\r\nよろしいですか？", "オート処理を中断します\r\nよろしいですか？"}));
  const auto log = ReadTextLines(folder / "log/20240101130000Auto.txt");
  // The twentieth yield comes before round 19 is dealt (the first one comes before round 1).
  EXPECT_EQ(log.back(), "---------------試行回数18　途中終了---------------");
  // The graph of a cancelled run is thinned by the rounds it played, also when shown again later.
  ASSERT_FALSE(opened.empty());
  EXPECT_TRUE(EndsWith(opened.back(), ":18")) << opened.back();
  w->BtnGraphClick();
  EXPECT_EQ(opened.back(), "graph::18");
}

TEST_F(RunPanelTest, ViewingAMissingLog) {
  w->BtnViewLogClick();
  EXPECT_EQ(dialogs.messages,
            std::vector<std::string>{"ログファイルが存在しません\r\nオート実行を行うか参照ボタンより過去ログを選択してください"});
  folder.Write("log/old.txt", "x");
  dialogs.chosen_files.push_back((folder / "log/old.txt").string());
  w->BtnBrowseLogClick();
  EXPECT_EQ(dialogs.file_requests.back().title, "ファイルを選択してください。");
  w->BtnViewLogClick();
  EXPECT_EQ(opened, std::vector<std::string>{"log:" + (folder / "log/old.txt").string() + ":0"});
}

TEST_F(RunPanelTest, EditorsOpenAndTheListsFollowThem) {
  w->BtnAddSystemClick();
  ASSERT_EQ(opened, std::vector<std::string>{"system-editor::0"});
  // What an editor saves shows in the lists once it closes.
  WriteCardFile(SystemFilePath(folder.path(), "added"), std::vector<CardFields>(60));
  WriteCardFile(PatternFilePath(folder.path(), "new"), std::vector<CardFields>(20));
  w->BtnAddPatternClick();
  EXPECT_EQ(opened.back(), "pattern-editor::0");
  EXPECT_EQ(w->system_combo()->count(), 3);
  EXPECT_EQ(w->pattern_combo()->count(), 3);
}

TEST_F(RunPanelTest, StopConditionDialogStoresBothLimits) {
  TStopJyokenForm dialog(StopLimits{}, dialogs);
  EXPECT_EQ(dialog.profit_edit()->text(), "0");
  dialog.profit_edit()->setText("100");
  dialog.loss_edit()->setText("");
  dialog.BtnSetClick();
  EXPECT_EQ(dialogs.messages.back(), "設定を行う場合は利益及び損失の両方を設定の上\r\n0以上の半角数値にしてください");
  dialog.loss_edit()->setText("200");
  dialog.BtnSetClick();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.limits().profit, 100);
  EXPECT_EQ(dialog.limits().loss, 200);
  // Enter in an empty field writes 0 there.
  TStopJyokenForm again(StopLimits{}, dialogs);
  again.profit_edit()->clear();
  QTest::keyClick(again.profit_edit(), Qt::Key_Return);
  EXPECT_EQ(again.profit_edit()->text(), "0");
}

}  // namespace
}  // namespace vessaro
