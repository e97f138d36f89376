// Pictures of the balance-sheet window and its dialogs with sample reports, for checking that the
// entry page, the preview's table and graphs and every dialog read well. Not a test: run it under
// xvfb-run (see docs/sheet-screenshots.md).
//
//   sheet_screenshots <output folder>
#include <QApplication>
#include <QDir>
#include <QTest>
#include <cstdio>

#include "balancesheet/bonus.h"
#include "balancesheet/sample_reports.h"
#include "balancesheet/sheet_folders.h"
#include "modal.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "ui/balancesheet/bonus_condition_form.h"
#include "ui/balancesheet/date_select_form.h"
#include "ui/balancesheet/item_select_form.h"
#include "ui/balancesheet/jyoken_serach_form.h"
#include "ui/balancesheet/record_balance_form.h"
#include "ui/common/window_helpers.h"

using namespace vessaro;
using F = ReportField;

namespace {

QString g_folder;

void Save(QWidget* w, const char* name) {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  const QString file = g_folder + "/" + name + ".png";
  if (!w->grab().save(file)) std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
  std::printf("%s  %dx%d\n", qPrintable(file), w->width(), w->height());
}

void Choose(QComboBox* combo, const char* text) {
  const int index = combo->findText(QString::fromUtf8(text));
  if (index < 0) std::fprintf(stderr, "no %s in %s\n", text, qPrintable(combo->objectName()));
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

void Type(TRecordBalanceForm& w, F f, const char* text) {
  QLineEdit* edit = w.field_edit(f);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, QString::fromUtf8(text));
  QTest::keyClick(edit, Qt::Key_Return);
}

// Answers every question with Yes and keeps messages off the screen.
class QuietDialogs : public vessaro::testing::FakeDialogs {
 public:
  bool AskYesNo(std::string_view text) override {
    questions.emplace_back(text);
    return true;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SetUpJapaneseApplication();
  if (argc < 2) {
    std::fprintf(stderr, "usage: sheet_screenshots <output folder>\n");
    return 2;
  }
  g_folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(g_folder);
  vessaro::testing::TempFolder home;
  vessaro::testing::SaveSampleReports(home.path(), 2024, 400);
  SheetFolders folders(home.path());
  for (const char* place : {"カジノA", "カジノB", "ミラージュ", "Sky"}) AppendLine(place, folders.place_list);
  for (const char* game : {"バカラ", "ブラックジャック", "ルーレット"}) AppendLine(game, folders.game_list);
  WriteBonusFile(BonusFilePath(folders.bonus, "初回入金ボーナス"), "初回入金ボーナス", {"20000", "6500", "32", "13500"});

  QuietDialogs dialogs;
  vessaro::testing::FakeClock fake_clock;
  fake_clock.local = {2024, 12, 14, 21, 40, 0, 0};
  vessaro::testing::FakeEventPump pump;
  TRecordBalanceForm w(home.path(), SheetWindowPorts{&dialogs, &fake_clock, &pump});
  w.resize(1180, 760);
  w.show();

  // The date dialog, then a visit typed in.
  {
    vessaro::testing::ModalScript script(&w);
    script.Then<TDateSelectForm>([](TDateSelectForm* d) {
      d->calendar()->setSelectedDate(QDate(2024, 12, 14));
      d->hour_combo()->setCurrentIndex(19);
      d->minute_combo()->setCurrentIndex(30);
      Save(d, "02-date-dialog");
      d->accept();
    });
    QTest::mouseClick(w.start_date_button(), Qt::LeftButton);
  }
  w.entry().PickEndDate({{2024, 12, 14}, 22, 15});
  QTest::mouseClick(w.pick_list(PickKind::kPlace)->viewport(), Qt::LeftButton, {},
                    w.pick_list(PickKind::kPlace)->visualItemRect(w.pick_list(PickKind::kPlace)->item(2)).center());
  QTest::mouseClick(w.pick_list(PickKind::kGame)->viewport(), Qt::LeftButton, {},
                    w.pick_list(PickKind::kGame)->visualItemRect(w.pick_list(PickKind::kGame)->item(0)).center());
  for (auto [f, text] : {std::pair{F::kStartBalance, "30000"}, {F::kDeposit, "10000"}, {F::kEndBalance, "46500"},
                         {F::kWithdrawal, "20000"}, {F::kBets, "86"}, {F::kWins, "45"}, {F::kLosses, "37"},
                         {F::kTies, "4"}, {F::kTotalBet, "64000"}, {F::kHighestBet, "2000"},
                         {F::kWinStreak, "6"}, {F::kLoseStreak, "4"}})
    Type(w, f, text);
  w.remarks_edit()->setPlainText(QStringLiteral("序盤はバンカー連勝に乗れた。\n後半は2000ベットを控えた。"));
  w.bonus_check()->click();
  Choose(w.bonus_combo(), "初回入金ボーナス");
  {
    vessaro::testing::ModalScript script(&w);
    script.Then<TBonusConditionForm>([](TBonusConditionForm* d) {
      d->rate_edit(0)->setText("100");
      d->bet_edit(0)->setText("4000");
      d->rate_edit(1)->setText("10");
      d->bet_edit(1)->setText("12000");
      Save(d, "08-bonus-progress-dialog");
      QTest::mouseClick(d->ok_button(), Qt::LeftButton);
    });
    QTest::mouseClick(w.bonus_progress_button(), Qt::LeftButton);
  }
  Save(&w, "01-entry-page-filled-in");
  Save(w.findChild<QWidget*>(QStringLiteral("BonusArea")), "09-bonus-area-during-play");

  // The preview: a month of reports with the profit graph.
  w.pages()->setCurrentIndex(1);
  Choose(w.year_combo(), "2024年");
  Choose(w.month_combo(), "03月");
  QTest::mouseClick(w.search_button(), Qt::LeftButton);
  Save(&w, "03-preview-month-profit-graph");

  // A day with its balance graph.
  Choose(w.week_combo(), "0303-0309週");
  if (w.day_combo()->count() > 1) {
    w.day_combo()->setCurrentIndex(1);
    emit w.day_combo()->activated(1);
  }
  QTest::mouseClick(w.search_button(), Qt::LeftButton);
  Save(&w, "04-preview-day-balance-graph");

  // The column dialog.
  {
    vessaro::testing::ModalScript script(&w);
    script.Then<TItemSelectForm>([](TItemSelectForm* d) {
      d->default_list()->item(3)->setSelected(true);
      d->custom_list()->item(5)->setSelected(true);
      Save(d, "05-column-dialog");
      d->reject();
    });
    QTest::mouseClick(w.columns_button(), Qt::LeftButton);
  }
  // The condition window with three rows, then the preview it narrows.
  {
    using CW = ConditionWindowModel;
    vessaro::testing::ModalScript script(&w);
    script.Then<TJyokenSerachForm>([](TJyokenSerachForm* d) {
      Choose(d->choice(CW::ItemField(0)), "収支");
      Choose(d->choice(CW::OperatorField(0)), "以上（＞＝）");
      Choose(d->choice(CW::ValueField(0)), "900");
      Choose(d->choice(CW::ConnectorField(0)), "または（OR）");
      Choose(d->choice(CW::ItemField(1)), "収支");
      Choose(d->choice(CW::OperatorField(1)), "以下（＜＝）");
      Choose(d->choice(CW::ValueField(1)), "-800");
      Choose(d->choice(CW::ConnectorField(1)), "かつ（AND）");
      Choose(d->choice(CW::ItemField(2)), "プレー場所");
      Choose(d->choice(CW::OperatorField(2)), "等しい（＝）");
      Choose(d->choice(CW::ValueField(2)), "Sky");
      Choose(d->choice(CW::ConnectorField(2)), "終了");
      d->pattern_name_edit()->setText(QStringLiteral("大勝ちか Sky の大負け"));
      Save(d, "06-condition-window");
      QTest::mouseClick(d->ok_button(), Qt::LeftButton);
    });
    QTest::mouseClick(w.condition_button(), Qt::LeftButton);
  }
  Choose(w.year_combo(), "2024年");
  Choose(w.month_combo(), "03月");
  QTest::mouseClick(w.search_button(), Qt::LeftButton);
  Save(&w, "07-preview-narrowed-by-condition");
  for (const std::string& m : dialogs.messages) std::printf("message: %s\n", m.c_str());
  return 0;
}
