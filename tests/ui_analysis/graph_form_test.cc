// The graph windows' own behaviour: the chart shows the file with its titles, the controls reach
// the model, the run window refuses its close box, and the detail window stays usable beside a
// modal graph window.
#include "ui/analysis/graph_form.h"

#include <gtest/gtest.h>

#include <QLegend>
#include <QTest>

#include "analysis/sample_files.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "ui/analysis/graph_bunseki_form.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;

constexpr const char* kTmp = "Graph/202401011300_TmpGraph.txt";

// Records whether Qt counts a window as blocked by a modal one.
class BlockWatcher : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::WindowBlocked) blocked = true;
    if (event->type() == QEvent::WindowUnblocked) blocked = false;
    return false;
  }
  bool blocked = false;
};

class GraphFormTest : public ::testing::Test {
 protected:
  GraphFormTest() {
    testing::WriteCp932(folder, kTmp, testing::MakeRunGraph(120, "マーチン", "BBPP"));
  }

  void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

  TempFolder folder;
  FakeDialogs dialogs;
  TGraphBunsekiForm detail;
};

TEST_F(GraphFormTest, OpeningDrawsTheFileWithItsTitles) {
  TGraphForm w(folder.path(), folder / kTmp, 120, &dialogs, &detail);
  w.show();
  EXPECT_EQ(w.windowTitle(), "残高推移グラフ");
  EXPECT_EQ(w.chart()->title(), "残高推移グラフ");
  EXPECT_EQ(w.y_axis()->titleText(), "残高");
  EXPECT_EQ(w.x_axis()->titleText(), "試行回数");
  EXPECT_EQ(w.chart()->legend()->alignment(), Qt::AlignTop);
  EXPECT_EQ(w.system_series()->name(), "マーチン");
  EXPECT_EQ(w.flat_series()->name(), "フラットベット");
  EXPECT_EQ(w.pattern_label()->text(), "【パターン名：BBPP】");
  const QString summary = w.summary_label()->text().remove(QChar(0x2060));
  EXPECT_TRUE(summary.startsWith("試行回数：120  PLAYER："));
  EXPECT_TRUE(summary.contains("平均ベット：20.00\n最大ベット：30.00  "));
  EXPECT_EQ(w.graph_combo()->itemText(0), "グラフを選択してください");

  const std::vector<GraphPoint>& points = w.model().content().points;
  ASSERT_EQ(w.system_series()->count(), 61);
  ASSERT_EQ(w.flat_series()->count(), 61);
  for (int i = 0; i < 61; ++i) {
    EXPECT_EQ(w.system_series()->at(i), QPointF(points[i].x, points[i].system));
    EXPECT_EQ(w.flat_series()->at(i), QPointF(points[i].x, points[i].second));
    EXPECT_GE(points[i].system, w.y_axis()->min());
    EXPECT_LE(points[i].system, w.y_axis()->max());
  }
  EXPECT_EQ(w.system_series()->at(1).x(), 2);
  EXPECT_GE(w.x_axis()->max(), 120);

  TGraphLogForm replay(folder.path(), folder / kTmp, 120, &dialogs, &detail);
  replay.show();
  EXPECT_EQ(replay.flat_series()->name(), "インターカジノログ");
  EXPECT_NE(replay.load_button(), nullptr);
  EXPECT_EQ(w.load_button(), nullptr);
}

TEST_F(GraphFormTest, RunWindowClosesOnlyThroughItsCloseCommand) {
  TGraphForm w(folder.path(), folder / kTmp, 120, &dialogs, &detail);
  w.show();
  w.BtnDetailClick();
  ASSERT_TRUE(detail.isVisible());
  EXPECT_FALSE(w.close());
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(dialogs.questions.empty());

  Click(w.close_button());  // unsaved: asked, and No keeps it open
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(detail.isVisible());
  EXPECT_EQ(dialogs.questions,
            std::vector<std::string>{"内容が保存されていません。グラフを破棄して終了しますか？"});
  dialogs.answers = {true};
  Click(w.close_button());
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_FALSE(FileExists(folder / kTmp));
}

TEST_F(GraphFormTest, ReplayWindowCloseBoxClosesWithoutQuestionOrCleanUp) {
  TGraphLogForm w(folder.path(), folder / kTmp, 120, &dialogs, &detail);
  w.show();
  w.BtnDetailClick();
  EXPECT_TRUE(w.close());
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_TRUE(FileExists(folder / kTmp));
  EXPECT_TRUE(detail.isVisible());  // only the run window puts the details away
}

TEST_F(GraphFormTest, NameFieldAndDropDownDriveSaveAndLoad) {
  testing::WriteCp932(folder, "Graph/a_Graph_Log.txt", testing::MakeRunGraph(10, "A", "PA"));
  TGraphForm w(folder.path(), folder / kTmp, 120, &dialogs, &detail);
  w.show();
  ASSERT_EQ(w.graph_combo()->count(), 2);

  QTest::keyClicks(w.name_edit(), "x");
  Click(w.save_button());
  EXPECT_TRUE(FileExists(folder / "Graph/x_Graph_Flat.txt"));
  EXPECT_EQ(w.graph_combo()->count(), 3);
  EXPECT_EQ(w.graph_combo()->itemText(2), "x");

  // Choosing loads at once in the run window.
  emit w.graph_combo()->activated(1);
  EXPECT_EQ(w.system_series()->name(), "A");
  EXPECT_EQ(w.flat_series()->name(), "インターカジノログ");
  EXPECT_EQ(w.name_edit()->text(), "a");
  EXPECT_EQ(w.system_series()->count(), 6);  // thinned by the last run: 120 rounds, step 2
  EXPECT_EQ(w.graph_combo()->currentIndex(), 1);

  Click(w.delete_button());
  EXPECT_FALSE(FileExists(folder / "Graph/a_Graph_Log.txt"));
  EXPECT_EQ(w.graph_combo()->count(), 2);
  EXPECT_EQ(w.graph_combo()->currentIndex(), 0);
  EXPECT_EQ(w.name_edit()->text(), "");
  EXPECT_EQ(w.system_series()->count(), 0);
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"保存しました", "削除しました"}));
}

TEST_F(GraphFormTest, ReplayWindowLoadsOnItsButton) {
  testing::WriteCp932(folder, "Graph/a_Graph_Flat.txt", testing::MakeRunGraph(10, "A", "PA"));
  TGraphLogForm w(folder.path(), folder / kTmp, 0, &dialogs, &detail);
  w.show();
  emit w.graph_combo()->activated(1);
  EXPECT_EQ(w.system_series()->name(), "マーチン");
  Click(w.load_button());
  EXPECT_EQ(w.system_series()->name(), "A");
  EXPECT_EQ(w.flat_series()->name(), "フラットベット");
  EXPECT_EQ(w.system_series()->count(), 11);
  EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(GraphFormTest, DetailWindowShowsTheRowsAndStaysUsableBesideTheModalGraph) {
  BlockWatcher watcher;
  detail.installEventFilter(&watcher);
  TGraphForm w(folder.path(), folder / kTmp, 120, &dialogs, &detail);
  w.setWindowModality(Qt::ApplicationModal);  // as exec() runs it
  w.show();
  Click(w.detail_button());
  ASSERT_TRUE(detail.isVisible());
  EXPECT_EQ(detail.windowTitle(), "詳細解析値");
  ASSERT_EQ(detail.grid()->rowCount(), 16);
  EXPECT_EQ(detail.grid()->item(0, 0)->text(), "試行回数");
  EXPECT_EQ(detail.grid()->item(0, 1)->text(), "120");
  EXPECT_EQ(detail.grid()->item(6, 0)->text(), "ペイアウト");
  QApplication::processEvents();
  EXPECT_FALSE(watcher.blocked);
}

}  // namespace
}  // namespace vessaro
