// The window "モンテカルロ検証": the fields reach the model, progress and the end arrive through
// queued signals, cancel keeps a marked part, the charts and the summary show the result, and the
// run panel opens it.
#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTest>

#include "../ui/program_folder_fixture.h"
#include "common/text.h"
#include "support/fakes.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "ui/autosim/study_form.h"
#include "ui/common/qt_ports.h"
#include "ui/table/vessaro_main.h"

namespace vessaro {
namespace {

using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeEventPump;
using testing::ProgramFolder;

class StudyFormTest : public ::testing::Test {
 protected:
  StudyFormTest() {
    EnsureFolder(BetPatternFolder(folder.path()));
    std::vector<CardFields> system(60), pattern(20);
    for (int k = 0; k < 6; ++k) system[k] = {std::to_string(10 << k), "1", std::to_string(k == 5 ? 1 : k + 2)};
    pattern[0] = {"B", "1", "1"};
    WriteCardFile(SystemFilePath(folder.path(), "doubling"), system);
    WriteCardFile(PatternFilePath(folder.path(), "banker"), pattern);
    ReadTableSettings(folder.path(), settings);
  }
  std::unique_ptr<TStudyForm> Open(const std::string& system = "doubling") {
    return std::make_unique<TStudyForm>(folder.path(), settings, StopLimits{300, 400}, system, "banker", &dialogs,
                                        &clock);
  }
  // Handles window events until the study has ended; the end itself arrives as a queued signal,
  // so this waits for events, never for time.
  static void RunUntilEnd(TStudyForm& w) {
    while (w.running()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }

  ProgramFolder folder;
  TableSettings settings;
  FakeDialogs dialogs;
  FakeClock clock;
};

TEST_F(StudyFormTest, ShowsTheStudyItPlayed) {
  auto w = Open();
  EXPECT_EQ(w->system_combo()->currentText(), "doubling");  // the run panel's choice
  EXPECT_EQ(w->profit_edit()->text(), "300");                 // the table's stop limits
  EXPECT_FALSE(w->cancel_button()->isEnabled());
  EXPECT_FALSE(w->csv_button()->isEnabled());
  w->sessions_edit()->setText("400");
  w->rounds_edit()->setText("300");
  w->seed_edit()->setText("5");
  w->start_button()->click();
  ASSERT_TRUE(w->running());
  EXPECT_TRUE(w->cancel_button()->isEnabled());
  EXPECT_FALSE(w->start_button()->isEnabled());
  EXPECT_FALSE(w->sessions_edit()->isEnabled());
  RunUntilEnd(*w);

  EXPECT_EQ(w->status_label()->text(), "完了しました：400 セッション");
  EXPECT_EQ(w->progress_bar()->value(), 1000);
  EXPECT_TRUE(w->csv_button()->isEnabled());
  EXPECT_TRUE(w->start_button()->isEnabled());
  QTableWidget* table = w->summary_table();
  ASSERT_GT(table->rowCount(), 10);
  EXPECT_EQ(table->item(0, 0)->text(), "セッション数");
  EXPECT_EQ(table->item(0, 1)->text(), "400");
  EXPECT_EQ(table->item(table->rowCount() - 1, 1)->text(), "5");  // the seed
  // The histogram's outline encloses every session; the fan chart has round 0 and 300 points.
  double sessions = 0;
  const QList<QPointF> outline = w->histogram_outline()->points();
  for (qsizetype i = 1; i + 1 < outline.size(); i += 2) sessions += outline[i].y();
  EXPECT_EQ(sessions, 400);
  ASSERT_EQ(w->median_series()->count(), 301);
  EXPECT_EQ(w->median_series()->at(0), QPointF(0, 1000));
  EXPECT_EQ(w->histogram_chart()->title(), "最終残高の分布");

  dialogs.chosen_files.push_back((folder / "study.csv").string());
  w->csv_button()->click();
  EXPECT_EQ(dialogs.messages.back(), "保存しました");
  EXPECT_EQ(SplitLines(ReadWholeFile(folder / "study.csv")).size(), 401u);
}

TEST_F(StudyFormTest, CancelShowsAMarkedPart) {
  auto w = Open();
  w->sessions_edit()->setText("1000000");
  w->rounds_edit()->setText("1000");
  w->start_button()->click();
  ASSERT_TRUE(w->running());
  w->cancel_button()->click();
  RunUntilEnd(*w);
  EXPECT_TRUE(StartsWith(FromQt(w->status_label()->text()), "中止しました：")) << FromQt(w->status_label()->text());
  EXPECT_TRUE(w->histogram_chart()->title().contains("途中結果"));
  EXPECT_TRUE(w->fan_chart()->title().contains("/ 1000000 セッション"));
  EXPECT_TRUE(w->summary_table()->item(0, 1)->text().contains("中止"));
  EXPECT_LT(w->progress_bar()->value(), 1000);
}

TEST_F(StudyFormTest, RefusedInputStartsNothing) {
  auto w = Open();
  w->sessions_edit()->setText("0");
  w->start_button()->click();
  EXPECT_FALSE(w->running());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"セッション数は1から1000000までの半角数字で入力してください"});
  EXPECT_TRUE(w->start_button()->isEnabled());
  // Closing during a study stops it.
  w->sessions_edit()->setText("1000000");
  w->start_button()->click();
  ASSERT_TRUE(w->running());
  w->reject();
  EXPECT_FALSE(w->running());
}

class NoRuleDialog : public RuleDialogPort {
 public:
  bool RunRuleDialog(bool) override { return false; }
};

TEST_F(StudyFormTest, RunPanelOpensItWithItsChoices) {
  FakeEventPump pump;
  NoRuleDialog no_dialog;
  std::vector<std::string> opened;
  MainWindowPorts ports;
  ports.dialogs = &dialogs;
  ports.pump = &pump;
  ports.clock = &clock;
  ports.rule_dialog = &no_dialog;
  ports.open_window = [&](const std::string& window, const std::string& file, int64_t) {
    opened.push_back(window + ":" + file);
  };
  TVessaroMain main(folder.path(), ports);
  main.FirstDisplay();
  main.system_combo()->setCurrentIndex(1);
  main.pattern_combo()->setCurrentIndex(1);
  QPushButton* button = main.run_panel()->findChild<QPushButton*>(QStringLiteral("モンテカルロ検証"));
  ASSERT_NE(button, nullptr);
  button->click();
  EXPECT_EQ(opened, std::vector<std::string>{"study:doubling|banker"});
}

}  // namespace
}  // namespace vessaro
