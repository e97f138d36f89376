// The training analysis windows: what the analysis window shows and opens, the frequency grid's
// sorting and marks, the condition search's rows, the pattern entry, the long range boxes, and the
// table's training button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QRadioButton>
#include <QTest>

#include "analysis/log_samples.h"
#include "analysis/pattern_grid.h"
#include "analysis/sample_files.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "ui/analysis/analysis_grid_form.h"
#include "ui/analysis/bet_patternanalyze_form.h"
#include "ui/analysis/grid_jyoken_serach_form.h"
#include "ui/analysis/pattern_seach_form.h"
#include "ui/common/qt_ports.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;

class AnalysisFormTest : public ::testing::Test {
 protected:
  AnalysisFormTest() {
    testing::WriteCp932(folder, "history/ic.txt", testing::MakeInterCasinoLog("PBTBBPBBPPB"));
    testing::WriteCp932(folder, "history/x_user1.txt", "BBPBBP\r\nBBP\r\n");
    w.open_window = [this](const std::string& window, const fs::path& file, int64_t) {
      opened.push_back(window);
      if (window == "grid") table_existed = FileExists(file);
      if (window == "system-editor") {
        std::vector<CardFields> cards(60);
        cards[0] = {"10", "1", "1"};
        WriteCardFile(SystemFilePath(folder.path(), "新しい"), cards);
      }
    };
  }
  TempFolder folder;
  FakeDialogs dialogs;
  TBetPatternanalyze w{folder.path(), &dialogs};
  std::vector<std::string> opened;
  bool table_existed = false;
};

TEST_F(AnalysisFormTest, ChoosingAFileFillsTheFieldsAndBoxes) {
  EXPECT_EQ(w.windowTitle(), "解析");
  EXPECT_FALSE(w.from_combo()->isEnabled());
  EXPECT_FALSE(w.length_combo()->isEnabled());
  EXPECT_EQ(w.length_combo()->currentText(), "4");
  dialogs.chosen_files = {(folder / "history/ic.txt").string()};
  QTest::mouseClick(w.browse_button(), Qt::LeftButton);
  EXPECT_EQ(FromQt(w.file_edit()->text()), (folder / "history/ic.txt").string());
  EXPECT_EQ(w.kind_edit()->text(), "インターカジノ");
  EXPECT_EQ(w.rounds_edit()->text(), "10");
  EXPECT_TRUE(w.from_combo()->isEnabled());
  EXPECT_EQ(w.from_combo()->count(), 9);
  EXPECT_EQ(w.from_combo()->currentText(), "1");
  EXPECT_EQ(w.to_combo()->count(), 9);
  EXPECT_EQ(w.to_combo()->currentText(), "10");

  QTest::mouseClick(w.report_button(), Qt::LeftButton);
  EXPECT_EQ(dialogs.messages.back(), "解析が終了しました");
  EXPECT_EQ(w.report_list()->item(0)->text(), "【基本情報】");
  EXPECT_EQ(w.report_list()->count(), static_cast<int>(w.model().report_lines().size()));
}

TEST_F(AnalysisFormTest, BetButtonsAndBankruptcy) {
  w.model().ChooseFile(folder / "history/x_user1.txt");
  for (QPushButton* b : {w.player_button(), w.player_button(), w.banker_button()}) QTest::mouseClick(b, Qt::LeftButton);
  EXPECT_EQ(w.bets_edit()->text(), "PPB");
  QTest::mouseClick(w.bankruptcy_button(), Qt::LeftButton);
  EXPECT_EQ(dialogs.messages.back(), "引分けを除く【9戦】で破産パターン【BBP】が【3回】出現しました");
  QTest::mouseClick(w.clear_bets_button(), Qt::LeftButton);
  EXPECT_EQ(w.bets_edit()->text(), "");
}

TEST_F(AnalysisFormTest, AllPatternAnalysisUsesTheChosenBoxes) {
  dialogs.chosen_files = {(folder / "history/ic.txt").string()};
  w.Button6Click();
  w.length_combo()->setCurrentIndex(2);
  emit w.length_combo()->activated(2);  // 6 letters
  w.to_combo()->setCurrentIndex(2);     // "4"
  emit w.to_combo()->activated(2);
  EXPECT_EQ(w.model().range_to(), 4);
  EXPECT_EQ(w.model().pattern_length(), 6);
  QTest::mouseClick(w.all_pattern_button(), Qt::LeftButton);
  EXPECT_EQ(opened, std::vector<std::string>{"grid"});
  EXPECT_TRUE(table_existed);
  EXPECT_FALSE(FileExists(FrequencyTablePath(folder.path())));
}

TEST_F(AnalysisFormTest, EditorButtonRefillsTheLists) {
  EXPECT_EQ(w.system_combo()->count(), 1);
  EXPECT_EQ(w.system_combo()->itemText(0), "登録システムを選択してください");
  QTest::mouseClick(w.add_system_button(), Qt::LeftButton);
  EXPECT_EQ(opened, std::vector<std::string>{"system-editor"});
  ASSERT_EQ(w.system_combo()->count(), 2);
  EXPECT_EQ(w.system_combo()->itemText(1), "新しい");
}

// A range box of ten million entries opens its list at once and takes a choice.
TEST(NumberChoiceTest, LongRangeListsAndChooses) {
  NumberChoice box;
  box.SetRange(2, 10'000'000);
  box.SetValue(10'000'000);
  EXPECT_EQ(box.currentText(), "10000000");
  box.show();
  box.showPopup();
  ASSERT_NE(box.popup_view(), nullptr);
  EXPECT_EQ(box.popup_view()->model()->rowCount(), 9'999'999);
  int activated = -1;
  QObject::connect(&box, &QComboBox::activated, [&](int i) { activated = i; });
  emit box.popup_view()->clicked(box.popup_view()->model()->index(4, 0));
  EXPECT_EQ(activated, 4);
  EXPECT_EQ(box.value(), 6);
  EXPECT_FALSE(box.popup_view()->isVisible());
  box.SetValue(1);  // not in the list
  EXPECT_EQ(box.value(), 0);
}

class GridFormTest : public ::testing::Test {
 protected:
  GridFormTest() {
    WriteTableFile(table, FrequencyTableLines(testing::MakeOutcomeLetters(5000), 12));
  }
  TempFolder folder;
  fs::path table = FrequencyTablePath(folder.path());
  FakeDialogs dialogs;
};

TEST_F(GridFormTest, SortingKeepsMarksOnTheirRows) {
  TAnalysisGridForm form(table, &dialogs);
  EXPECT_EQ(form.windowTitle(), "パターン別出現率解析値");
  EXPECT_EQ(form.heading_label()->text(), "全5000戦（引分けを除く） パターン桁:12桁(8190通り)");
  EXPECT_EQ(form.theory_label()->text(), "理論値算出計算値（バンカー勝率:50.68%  プレーヤー勝率:49.32%）");
  GridItemModel* items = form.item_model();
  ASSERT_EQ(items->rowCount(), 8190);
  EXPECT_EQ(items->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), "差分値");
  const QString first_word = items->index(0, 0).data().toString();
  emit form.grid()->clicked(items->index(0, 4));  // aqua
  form.colour_group()->button(static_cast<int>(MarkColour::kFuchsia))->click();
  emit form.grid()->clicked(items->index(8189, 0));  // fuchsia
  const QString last_word = items->index(8189, 0).data().toString();
  EXPECT_EQ(items->index(0, 4).data(Qt::BackgroundRole).value<QColor>(), QColor(0, 255, 255));

  QTest::mouseClick(form.sort_button(2, true), Qt::LeftButton);  // 出現率 ▲
  EXPECT_EQ(items->index(0, 2).data().toString(), "0.00 %");
  int marked = 0;
  for (int r = 0; r < items->rowCount(); ++r) {
    const QString word = items->index(r, 0).data().toString();
    if (word == first_word) {
      EXPECT_EQ(items->index(r, 4).data(Qt::BackgroundRole).value<QColor>(), QColor(0, 255, 255));
      ++marked;
    }
    if (word == last_word) {
      EXPECT_EQ(items->index(r, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 255));
      ++marked;
    }
  }
  EXPECT_EQ(marked, 2);
  QTest::mouseClick(form.sort_button(4, false), Qt::LeftButton);  // 差分値 ▼
  EXPECT_GE(CompareGridCells(FromQt(items->index(0, 4).data().toString()),
                             FromQt(items->index(1, 4).data().toString())), 0);
}

TEST_F(GridFormTest, SearchAndClear) {
  int searches = 0;
  TAnalysisGridForm form(table, &dialogs, nullptr, [&](const fs::path& full, int max_length) -> std::optional<fs::path> {
    ++searches;
    EXPECT_EQ(max_length, 12);
    const fs::path out = FilteredTablePath(folder.path());
    WriteTableFile(out, FilterTableLines(FrequencyTableLines(testing::MakeOutcomeLetters(5000), 12),
                                         "\"パターン桁数,数値,<=,2\"").lines);
    return out;
  });
  QTest::mouseClick(form.search_button(), Qt::LeftButton);
  EXPECT_EQ(searches, 1);
  EXPECT_EQ(form.item_model()->rowCount(), 6);
  EXPECT_EQ(form.result_label()->text(), "検索結果 6件");
  EXPECT_FALSE(FileExists(FilteredTablePath(folder.path())));
  QTest::mouseClick(form.clear_button(), Qt::LeftButton);
  EXPECT_EQ(form.item_model()->rowCount(), 8190);
  EXPECT_EQ(form.result_label()->text(), "");
}

TEST_F(GridFormTest, ConditionRowsFollowTheModel) {
  const fs::path result = FilteredTablePath(folder.path());
  TGridJyokenSerachForm form(table, 12, result, &dialogs, nullptr, [](int) { return std::string("PB"); });
  EXPECT_EQ(form.item_combo(0)->placeholderText(), "選択してください");
  EXPECT_TRUE(form.item_combo(0)->isEnabled());
  EXPECT_FALSE(form.operator_combo(0)->isEnabled());
  EXPECT_FALSE(form.connector_combo(1)->isEnabled());
  form.item_combo(0)->setCurrentIndex(0);
  emit form.item_combo(0)->activated(0);  // 出現パターン
  EXPECT_EQ(form.type_edit(0)->text(), "文字列");
  ASSERT_EQ(form.operator_combo(0)->count(), 1);
  EXPECT_EQ(form.operator_combo(0)->itemText(0), "ワイルド");
  emit form.operator_combo(0)->activated(0);
  EXPECT_EQ(form.value_combo(0)->currentText(), "PB");
  EXPECT_TRUE(form.connector_combo(1)->isEnabled());
  emit form.connector_combo(1)->activated(0);  // AND
  emit form.item_combo(1)->activated(2);       // 出現回数
  emit form.operator_combo(1)->activated(4);   // >=
  EXPECT_TRUE(form.value_combo(1)->isEnabled());
  EXPECT_GT(form.value_combo(1)->count(), 10);
  emit form.value_combo(1)->activated(1);
  emit form.connector_combo(2)->activated(2);  // 終了
  EXPECT_FALSE(form.item_combo(2)->isEnabled());
  EXPECT_FALSE(form.connector_combo(3)->isEnabled());
  form.show();
  QTest::mouseClick(form.search_button(), Qt::LeftButton);
  ASSERT_TRUE(form.result());
  EXPECT_EQ(*form.result(), result);
  EXPECT_FALSE(form.isVisible());
  const std::vector<std::string> kept = ReadTextLines(result);
  EXPECT_GT(kept.size(), 1u);
  for (size_t i = 1; i < kept.size(); ++i) {
    const std::string word = kept[i].substr(0, kept[i].find(','));
    EXPECT_NE(word.find("PB"), std::string::npos) << word;
  }

  QTest::mouseClick(form.clear_button(), Qt::LeftButton);
  EXPECT_EQ(form.item_combo(0)->currentIndex(), -1);
  EXPECT_FALSE(form.value_combo(0)->isEnabled());
}

TEST(PatternEntryTest, LettersLimitAndResult) {
  FakeDialogs dialogs;
  TPatternSeachForm form(3, &dialogs);
  EXPECT_EQ(form.windowTitle(), "検索パターン入力");
  for (QPushButton* b : {form.player_button(), form.banker_button(), form.banker_button(), form.player_button()})
    QTest::mouseClick(b, Qt::LeftButton);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"現在の検索パターンの最大桁数は 3 です"});
  QTest::mouseClick(form.delete_last_button(), Qt::LeftButton);
  EXPECT_EQ(form.grid().ReadOut(), "PB");
  QTest::mouseClick(form.set_button(), Qt::LeftButton);
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(form.pattern(), std::optional<std::string>("PB"));

  TPatternSeachForm empty(3, &dialogs);
  QTest::mouseClick(empty.player_button(), Qt::LeftButton);
  QTest::mouseClick(empty.delete_all_button(), Qt::LeftButton);
  QTest::mouseClick(empty.set_button(), Qt::LeftButton);
  EXPECT_EQ(empty.pattern(), std::nullopt);
}

}  // namespace
}  // namespace vessaro
