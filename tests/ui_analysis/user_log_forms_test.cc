// The user log windows, the merge window, and how the analysis window shows and hides them.
#include "ui/analysis/user_log_forms.h"

#include <gtest/gtest.h>

#include <QTest>

#include "analysis/sample_files.h"
#include "common/cp932.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "ui/analysis/bet_patternanalyze_form.h"
#include "ui/analysis/log_merge_form.h"
#include "ui/common/qt_ports.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;

void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

TEST(UserLog1FormTest, ButtonsFillTheRoadAndSaveIt) {
  TempFolder folder;
  FakeDialogs dialogs;
  TUserLog1Form form(folder.path(), &dialogs);
  EXPECT_EQ(form.windowTitle(), "簡易プレーログ作成");
  for (QPushButton* b : {form.banker_button(), form.banker_button(), form.player_button()}) Click(b);
  EXPECT_EQ(form.model().grid().ReadOut(), "BBP");
  EXPECT_EQ(form.road_view()->width(), 300 * RoadGridView::kCell + 1);
  for (int i = 0; i < 20; ++i) Click(form.player_button());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"縦列は20個までです"});
  Click(form.delete_last_button());
  QTest::keyClicks(form.name_edit(), "today");
  Click(form.save_button());
  EXPECT_EQ(dialogs.messages.back(), "保存しました");
  EXPECT_EQ(ReadWholeFile(folder / "history/today_user1.txt"), "BBPPPPPPPPPPPPPPPPPPP\r\n");
}

TEST(UserLog2FormTest, EnteringRoundsThroughTheFields) {
  TempFolder folder;
  FakeDialogs dialogs;
  TUserLog2Form form(folder.path(), &dialogs);
  form.show();
  EXPECT_FALSE(form.add_button()->isEnabled());
  EXPECT_FALSE(form.record_list()->isEnabled());
  QTest::keyClicks(form.start_edit(), "1000");
  QTest::keyClick(form.start_edit(), Qt::Key_Return);
  EXPECT_TRUE(form.add_button()->isEnabled());
  EXPECT_EQ(form.current_edit()->text(), "1000");
  EXPECT_EQ(form.round_label()->text(), "ラウンド：0");

  Click(form.side_button('B'));
  QTest::keyClicks(form.stake_edit(), "30");
  Click(form.won_button());
  EXPECT_EQ(form.result_edit()->text(), "勝ち");
  EXPECT_EQ(form.new_balance_edit()->text(), "1028");
  Click(form.add_button());
  ASSERT_EQ(form.record_list()->count(), 1);
  EXPECT_EQ(form.record_list()->item(0)->text(), "1000,B,30,勝ち,1028");
  EXPECT_EQ(form.current_edit()->text(), "1028");
  EXPECT_EQ(form.round_label()->text(), "ラウンド：1");

  Click(form.side_button('P'));
  QTest::keyClicks(form.stake_edit(), "10");
  Click(form.lost_button());
  Click(form.add_button());
  form.record_list()->setCurrentRow(0);  // selecting copies the record into the fields
  EXPECT_EQ(form.stake_edit()->text(), "30");
  EXPECT_EQ(form.side_edit()->text(), "B");
  Click(form.clear_selection_button());
  EXPECT_EQ(form.current_edit()->text(), "1018");
  Click(form.rebuild_road_button());
  EXPECT_EQ(form.model().road().ReadOut(), "BB");

  form.name_edit()->setText(QStringLiteral("十日"));
  Click(form.save_button());
  EXPECT_EQ(dialogs.messages.back(), "保存しました");
  ASSERT_EQ(form.file_combo()->count(), 2);
  EXPECT_EQ(form.file_combo()->itemText(1), "十日");
  Click(form.all_clear_button());
  EXPECT_FALSE(form.add_button()->isEnabled());
  EXPECT_EQ(form.record_list()->count(), 0);
  form.file_combo()->setCurrentIndex(1);
  emit form.file_combo()->activated(1);
  Click(form.load_button());
  EXPECT_EQ(form.record_list()->count(), 2);
  EXPECT_EQ(form.start_edit()->text(), "1000");
  EXPECT_EQ(form.name_edit()->text(), "十日");
}

TEST(LogMergeFormTest, MergesAndClosesOrPointsAtTheField) {
  TempFolder home, inputs;
  testing::WriteCp932(inputs, "x_user2.txt", "1000,B,30,勝ち,1028\r\n");
  FakeDialogs dialogs;
  TLogMergeForm form(home.path(), &dialogs);
  EXPECT_EQ(form.windowTitle(), "ログ結合");
  EXPECT_EQ(form.kind_combo()->itemText(0), "選択してください");
  EXPECT_EQ(form.kind_combo()->itemText(4), "詳細作成にて生成したログ");
  form.show();
  Click(form.merge_button());
  EXPECT_EQ(dialogs.messages.back(), "結合したいログの種類を選択してください");
  form.kind_combo()->setCurrentIndex(4);
  dialogs.chosen_files = {inputs.path().string()};
  Click(form.browse_button());
  EXPECT_EQ(FromQt(form.folder_edit()->text()), inputs.path().string());
  Click(form.merge_button());
  EXPECT_EQ(dialogs.messages.back(), "保存ファイル名が空白です");
  EXPECT_TRUE(form.name_edit()->hasFocus() || !QApplication::focusWidget());
  QTest::keyClicks(form.name_edit(), "all");
  Click(form.merge_button());
  ASSERT_TRUE(form.merged());
  EXPECT_EQ(*form.merged(), home / "history/all_merge3.txt");
  EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(AnalysisUserLogsTest, ShownBesideTheAnalysisAndHiddenWithIt) {
  TempFolder folder;
  FakeDialogs dialogs;
  QWidget table;  // stands for the table window that owns the session's user log windows
  {
    TBetPatternanalyze w(folder.path(), &dialogs, &table);
    w.show();
    Click(w.simple_log_button());
    Click(w.detailed_log_button());
    auto* simple = table.findChild<TUserLog1Form*>();
    auto* detailed = table.findChild<TUserLog2Form*>();
    ASSERT_NE(simple, nullptr);
    ASSERT_NE(detailed, nullptr);
    EXPECT_TRUE(simple->isVisible());
    EXPECT_TRUE(detailed->isVisible());
    EXPECT_FALSE(simple->isModal());
    Click(simple->banker_button());
    Click(w.simple_log_button());  // shown again: still the same window
    EXPECT_EQ(table.findChildren<TUserLog1Form*>().size(), 1);
    w.accept();
    EXPECT_FALSE(simple->isVisible());
    EXPECT_FALSE(detailed->isVisible());
  }
  // The next analysis window finds what was typed.
  TBetPatternanalyze again(folder.path(), &dialogs, &table);
  again.show();
  Click(again.simple_log_button());
  EXPECT_EQ(table.findChild<TUserLog1Form*>()->model().grid().ReadOut(), "B");
}

TEST(AnalysisUserLogsTest, MergedFileBecomesTheAnalysisFile) {
  TempFolder folder;
  testing::WriteCp932(folder, "history/days_merge3.txt", "1000,B,30,勝ち,1028\r\n1028,P,10,負け,1018\r\n");
  FakeDialogs dialogs;
  TBetPatternanalyze w(folder.path(), &dialogs);
  w.merge_window = [&]() -> std::optional<fs::path> { return folder / "history/days_merge3.txt"; };
  Click(w.merge_button());
  EXPECT_EQ(w.kind_edit()->text(), "ユーザ詳細作成");
  EXPECT_EQ(w.rounds_edit()->text(), "2");
  w.merge_window = [] { return std::optional<fs::path>(); };  // cancelled: nothing changes
  Click(w.merge_button());
  EXPECT_EQ(w.kind_edit()->text(), "ユーザ詳細作成");
}

}  // namespace
}  // namespace vessaro
