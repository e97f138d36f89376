#include "ui/balancesheet/record_balance_form.h"

#include <QChart>
#include <QLineSeries>
#include <QTest>
#include <gtest/gtest.h>

#include "balancesheet/bonus.h"
#include "balancesheet/sample_reports.h"
#include "balancesheet/search_index.h"
#include "balancesheet/sheet_texts.h"
#include "modal.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "ui/balancesheet/bonus_condition_form.h"
#include "ui/balancesheet/bonus_make_form.h"
#include "ui/balancesheet/date_select_form.h"
#include "ui/balancesheet/item_select_form.h"
#include "ui/balancesheet/jyoken_serach_form.h"
#include "ui/balancesheet/wild_seach_form.h"
#include "ui/balancesheet/play_history_form.h"
#include "ui/balancesheet/sheet_chart.h"

namespace vessaro {
namespace {

using F = ReportField;
using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeEventPump;
using testing::ModalScript;
using testing::TempFolder;
namespace st = sheet_text;

class RecordBalanceFormTest : public ::testing::Test {
 protected:
  RecordBalanceFormTest() { clock.local = {2024, 3, 9, 18, 30, 0, 0}; }

  std::unique_ptr<TRecordBalanceForm> Open() {
    auto w = std::make_unique<TRecordBalanceForm>(home.path(), SheetWindowPorts{&dialogs, &clock, &pump});
    w->show();
    return w;
  }
  void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
  // Types into a field and presses Enter, as the user does.
  void Type(TRecordBalanceForm& w, F f, const char* text) {
    QLineEdit* edit = w.field_edit(f);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromUtf8(text));
    QTest::keyClick(edit, Qt::Key_Return);
  }
  void PickDate(TRecordBalanceForm& w, QPushButton* button, QDate date, int hour, int minute) {
    ModalScript script(&w);
    script.Then<TDateSelectForm>([&](TDateSelectForm* d) {
      EXPECT_EQ(d->windowTitle(), "日付選択");
      d->calendar()->setSelectedDate(date);
      d->hour_combo()->setCurrentIndex(hour);
      d->minute_combo()->setCurrentIndex(minute);
      Click(d->ok_button());
    });
    Click(button);
    EXPECT_EQ(script.steps_run(), 1);
  }
  // The money and bet fields of a short visit, each confirmed with Enter.
  void TypeMoney(TRecordBalanceForm& w) {
    for (auto [f, text] : {std::pair{F::kStartBalance, "100"}, {F::kDeposit, "0"}, {F::kEndBalance, "90"},
                           {F::kWithdrawal, "0"}, {F::kBets, "5"}, {F::kWins, "2"}, {F::kLosses, "3"},
                           {F::kTies, "0"}, {F::kTotalBet, "100"}, {F::kHighestBet, "20"},
                           {F::kWinStreak, "1"}, {F::kLoseStreak, "2"}})
      Type(w, f, text);
  }
  void Choose(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }

  TempFolder home;
  FakeDialogs dialogs;
  FakeClock clock;
  FakeEventPump pump;
};

TEST_F(RecordBalanceFormTest, AReportTypedWithEnterIsSavedAndPreviewed) {
  auto w = Open();
  EXPECT_EQ(w->windowTitle(), "収支表");
  EXPECT_EQ(w->pages()->tabText(0), "収支日報");
  EXPECT_EQ(w->pages()->tabText(1), "戦績プレビュー");
  PickDate(*w, w->start_date_button(), QDate(2024, 1, 5), 23, 0);
  EXPECT_EQ(w->report_name_label()->text(), "2024010501収支日報");
  PickDate(*w, w->end_date_button(), QDate(2024, 1, 6), 1, 30);
  EXPECT_EQ(w->field_edit(F::kPlayTime)->text(), "02:30");
  EXPECT_EQ(w->field_edit(F::kEndTime)->text(), "1:30");
  EXPECT_EQ(w->focusWidget(), w->field_edit(F::kStartBalance));

  Type(*w, F::kStartBalance, "1000");
  EXPECT_EQ(w->focusWidget(), w->field_edit(F::kDeposit));
  Type(*w, F::kDeposit, "0");
  Type(*w, F::kEndBalance, "1500");
  EXPECT_EQ(w->field_edit(F::kProfit)->text(), "500");
  EXPECT_EQ(w->field_edit(F::kHourlyRate)->text(), "200");
  Type(*w, F::kWithdrawal, "abc");
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kRange0To100000});
  EXPECT_EQ(w->focusWidget(), w->field_edit(F::kWithdrawal));
  Type(*w, F::kWithdrawal, "0");
  for (auto [f, text] : {std::pair{F::kBets, "0"}, {F::kWins, "0"}, {F::kLosses, "0"}, {F::kTies, "0"},
                         {F::kTotalBet, "300"}, {F::kHighestBet, "50"}, {F::kWinStreak, "2"}, {F::kLoseStreak, "1"}})
    Type(*w, f, text);
  EXPECT_EQ(w->field_edit(F::kAverageBet)->text(), "300.00");
  EXPECT_EQ(w->field_edit(F::kPayout)->text(), "266.67");
  EXPECT_EQ(w->focusWidget(), w->remarks_edit());
  QTest::keyClicks(w->remarks_edit(), "line1");
  QTest::keyClick(w->remarks_edit(), Qt::Key_Return);
  QTest::keyClicks(w->remarks_edit(), "line2");

  dialogs.messages.clear();
  Click(w->save_button());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kSaved});
  EXPECT_NE(ReadTextFile(home.path() / "balancesheet/03_day/2024010501収支日報_day.txt").find("備考=line1<BR>line2\r\n"),
            std::string::npos);
  EXPECT_EQ(w->report_combo()->count(), 2);  // the prompt and the saved report

  // The preview offers the year at once and shows the month.
  Choose(w->year_combo(), "2024年");
  Choose(w->month_combo(), "01月");
  Click(w->search_button());
  ASSERT_EQ(w->table()->model()->rowCount(), 1);
  EXPECT_EQ(w->table()->model()->columnCount(), 29);
  EXPECT_EQ(w->table()->model()->data(w->table()->model()->index(0, 8)).toString(), "500");
  EXPECT_EQ(w->chart()->chart()->title(), "収支推移グラフ");
  EXPECT_EQ(w->chart()->series()->count(), 2);
  EXPECT_EQ(w->chart()->series()->at(1), QPointF(1, 500));

  // Saved: closing asks nothing.
  dialogs.questions.clear();
  Click(w->close_button());
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_FALSE(w->isVisible());
}

TEST_F(RecordBalanceFormTest, ClosingUnsavedAsksAndTheCloseBoxDoesToo) {
  auto w = Open();
  dialogs.answers = {false};
  w->close();
  EXPECT_EQ(dialogs.questions, std::vector<std::string>{st::kCloseUnsaved});
  EXPECT_TRUE(w->isVisible());
  dialogs.answers = {true};
  Click(w->close_button());
  EXPECT_FALSE(w->isVisible());
}

TEST_F(RecordBalanceFormTest, ColumnDialogRebuildsTheTable) {
  testing::ReportFields fields;
  SaveSampleReport(home.path(), fields);
  auto w = Open();
  Choose(w->year_combo(), "2024年");
  Click(w->search_button());
  ModalScript script(w.get());
  script.Then<TItemSelectForm>([&](TItemSelectForm* d) {
    EXPECT_EQ(d->windowTitle(), "一覧表示項目設定");
    EXPECT_EQ(d->custom_list()->count(), 29);
    d->custom_list()->selectAll();
    Click(d->remove_button());
    Click(d->ok_button());
    EXPECT_EQ(dialogs.messages.back(), st::kNeedOneColumn);
    d->default_list()->item(8)->setSelected(true);
    d->default_list()->item(0)->setSelected(true);
    Click(d->add_button());
    EXPECT_EQ(d->custom_list()->count(), 2);
    Click(d->ok_button());
  });
  Click(w->columns_button());
  EXPECT_EQ(script.steps_run(), 1);
  ASSERT_EQ(w->table()->model()->columnCount(), 2);
  EXPECT_EQ(w->table()->model()->headerData(0, Qt::Horizontal).toString(), "日付");
  EXPECT_EQ(w->table()->model()->data(w->table()->model()->index(0, 1)).toString(), "500");
}

TEST_F(RecordBalanceFormTest, ADayWithItsBalanceList) {
  auto w = Open();
  PickDate(*w, w->start_date_button(), QDate(2024, 2, 1), 10, 0);
  PickDate(*w, w->end_date_button(), QDate(2024, 2, 1), 11, 0);
  TypeMoney(*w);
  ModalScript script(w.get());
  script.Then<TPlayHistoryForm>([&](TPlayHistoryForm* d) {
    EXPECT_EQ(d->windowTitle(), "プレー毎残高入力");
    for (const char* v : {"100", "120", "90"}) {
      QTest::keyClicks(d->input(), v);
      QTest::keyClick(d->input(), Qt::Key_Return);
    }
    EXPECT_EQ(d->list()->count(), 3);
    EXPECT_TRUE(d->input()->text().isEmpty());
    Click(d->save_button());
  });
  Click(w->detail_button());
  ASSERT_EQ(script.steps_run(), 1);
  EXPECT_TRUE(w->field_edit(F::kBalanceDetail)->text().endsWith("202403091830_detailed.txt"));
  Click(w->save_button());
  ASSERT_EQ(dialogs.messages.back(), st::kSaved);
  EXPECT_TRUE(w->field_edit(F::kBalanceDetail)->text().endsWith("2024020101_detailed.txt"));

  w->pages()->setCurrentIndex(1);
  Choose(w->year_combo(), "2024年");
  Choose(w->month_combo(), "02月");
  Choose(w->week_combo(), "0128-0203週");
  Choose(w->day_combo(), "2024年02月01日-01");
  Click(w->search_button());
  EXPECT_EQ(w->chart()->chart()->title(), "残高推移グラフ");
  EXPECT_EQ(w->chart()->series()->points(), (QList<QPointF>{{0, 100}, {1, 120}, {2, 90}}));
}

TEST_F(RecordBalanceFormTest, RegenerationDisablesThePagesAndKeepsEventsFlowing) {
  testing::SaveSampleReports(home.path(), 2024, 60);
  auto w = Open();
  clock.monotonic_step = 4;  // about 4 ms a file: a yield every few files
  int yields_while_disabled = 0;
  pump.on_process = [&] {
    if (!w->pages()->isEnabled() && w->progress_label()->isVisible() &&
        w->progress_label()->text().startsWith("検索INDEXの再生成を行っています("))
      ++yields_while_disabled;
    w->close();  // closing is refused while the regeneration runs
  };
  dialogs.answers = {true};
  Click(w->regenerate_button());
  EXPECT_GT(yields_while_disabled, 5);
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(pump.pauses.empty());  // no pause per file
  EXPECT_TRUE(w->pages()->isEnabled());
  EXPECT_FALSE(w->progress_label()->isVisible());
  EXPECT_EQ(dialogs.messages.back(), st::kRegenerateDone);
  EXPECT_EQ(ReadIndexValues(SheetFolders(home.path()).index, 3).size(), 4u);
}

TEST_F(RecordBalanceFormTest, BonusAreaFollowsItsCheckBoxAndCarriesProgressIntoTheSave) {
  auto w = Open();
  EXPECT_FALSE(w->bonus_combo()->isEnabled());
  w->bonus_check()->click();
  EXPECT_TRUE(w->bonus_combo()->isEnabled());
  ModalScript make(w.get());
  make.Then<TBonusMakeForm>([&](TBonusMakeForm* d) {
    EXPECT_EQ(d->windowTitle(), "ボーナスの追加");
    d->name_edit()->setText(QStringLiteral("初回"));
    QTest::keyClick(d->name_edit(), Qt::Key_Return);
    EXPECT_EQ(d->focusWidget(), d->amount_edit());
    QTest::keyClicks(d->amount_edit(), "10000");
    QTest::keyClick(d->amount_edit(), Qt::Key_Return);
  });
  Click(w->bonus_add_button());
  ASSERT_EQ(make.steps_run(), 1);
  ASSERT_EQ(w->bonus_combo()->count(), 2);

  Click(w->bonus_progress_button());
  EXPECT_EQ(dialogs.messages.back(), st::kBonusNotRead);
  Choose(w->bonus_combo(), "初回");
  EXPECT_EQ(w->field_edit(F::kBonusRequired)->text(), "10000");
  EXPECT_EQ(w->field_edit(F::kBonusRate)->text(), "0%");

  ModalScript progress(w.get());
  progress.Then<TBonusConditionForm>([&](TBonusConditionForm* d) {
    EXPECT_EQ(d->windowTitle(), "ボーナス消化進捗");
    d->rate_edit(0)->setText("10");
    Click(d->ok_button());
    EXPECT_EQ(dialogs.messages.back(), st::kRateAndBetPair);
    EXPECT_EQ(d->focusWidget(), d->bet_edit(0));
    d->bet_edit(0)->setText("5000");
    d->rate_edit(1)->setText("100");
    d->bet_edit(1)->setText("2000");
    d->bet_edit(6)->setFocus();
    QTest::keyClick(d->bet_edit(6), Qt::Key_Return);  // Enter in the last bet is OK
  });
  Click(w->bonus_progress_button());
  ASSERT_EQ(progress.steps_run(), 1);
  EXPECT_EQ(w->field_edit(F::kBonusWagered)->text(), "2500");
  EXPECT_EQ(w->field_edit(F::kBonusRate)->text(), "25%");
  EXPECT_EQ(w->field_edit(F::kBonusLeft)->text(), "7500");

  PickDate(*w, w->start_date_button(), QDate(2024, 1, 5), 10, 0);
  PickDate(*w, w->end_date_button(), QDate(2024, 1, 5), 11, 0);
  TypeMoney(*w);
  Click(w->save_button());
  ASSERT_EQ(dialogs.messages.back(), st::kSaved);
  EXPECT_EQ(ReadTextFile(SheetFolders(home.path()).bonus / "初回_bonus.txt"),
            "bonusname=初回_bonus.txt\r\nbonuscondition=10000\r\nbettotal=2500\r\nadvance=25\r\nleftover=7500\r\n");
  const std::string report = ReadTextFile(SheetFolders(home.path()).day / "2024010501収支日報_day.txt");
  EXPECT_NE(report.find("ボーナスプレー中=True\r\nボーナス種別=初回\r\n必要額=10000\r\n現在までの賭け額=2500\r\n"
                        "達成率=25\r\n残ベット数=7500\r\n"),
            std::string::npos);

  w->bonus_check()->click();  // off: chooser back to the prompt, numbers emptied
  EXPECT_EQ(w->bonus_combo()->currentIndex(), 0);
  EXPECT_EQ(w->field_edit(F::kBonusRequired)->text(), "");
}

TEST_F(RecordBalanceFormTest, TheConditionWindowNarrowsThePreview) {
  for (const char* remarks : {"初回ボーナス<BR>消化", "通常", "ボーナスなし"}) {
    testing::ReportFields fields;
    fields.remarks = remarks;
    fields.end_balance = std::string(remarks) == "通常" ? 2000 : 500;
    SaveSampleReport(home.path(), fields);
  }
  auto w = Open();
  w->pages()->setCurrentIndex(1);
  using CW = ConditionWindowModel;
  ModalScript script(w.get());
  script.Then<TJyokenSerachForm>([&](TJyokenSerachForm* d) {
    EXPECT_EQ(d->windowTitle(), "検索条件追加");
    EXPECT_EQ(d->choice(CW::ItemField(0))->currentText(), "選択してください");
    EXPECT_FALSE(d->choice(CW::OperatorField(0))->isEnabled());
    Click(d->ok_button());
    EXPECT_EQ(dialogs.messages.back(), st::kNoConditionEnd);
    Choose(d->choice(CW::ItemField(0)), "備考");
    EXPECT_EQ(d->type_edit(0)->text(), "文字列");
    ModalScript wild(d);
    wild.Then<TWildSeachForm>([&](TWildSeachForm* ws) {
      EXPECT_EQ(ws->windowTitle(), "ワイルド検索");
      ws->input()->setText(QStringLiteral("ボーナス"));
      Click(ws->ok_button());
    });
    Choose(d->choice(CW::OperatorField(0)), "ワイルド");
    EXPECT_EQ(wild.steps_run(), 1);
    EXPECT_EQ(d->choice(CW::ValueField(0))->currentText(), "*ボーナス*");
    Choose(d->choice(CW::ConnectorField(0)), "かつ（AND）");
    Choose(d->choice(CW::ItemField(1)), "収支");
    Choose(d->choice(CW::OperatorField(1)), "以下（＜＝）");
    EXPECT_EQ(d->choice(CW::ValueField(1))->count(), 2);  // -500 and 1000, from the index
    Choose(d->choice(CW::ValueField(1)), "-500");
    Choose(d->choice(CW::ConnectorField(1)), "終了");
    Click(d->ok_button());
  });
  Click(w->condition_button());
  ASSERT_EQ(script.steps_run(), 1);
  EXPECT_EQ(w->condition_label()->text(), "有");
  EXPECT_EQ(w->preview().condition(), "\"備考,文字列,*,*ボーナス*\",AND,\"収支,数値,<=,-500\"");
  Choose(w->year_combo(), "2024年");
  Click(w->search_button());
  EXPECT_EQ(w->table()->model()->rowCount(), 2);
  Click(w->condition_clear_button());
  EXPECT_EQ(w->condition_label()->text(), "");
  Click(w->search_button());
  EXPECT_EQ(w->table()->model()->rowCount(), 3);
}

}  // namespace
}  // namespace vessaro
