// The table window's own behaviour: its controls reach the session, show what it decides, and keep
// a round from starting while one is dealt.
#include <gtest/gtest.h>

#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "common/text.h"
#include "program_folder_fixture.h"
#include "support/fakes.h"
#include "ui/common/qt_ports.h"
#include "ui/table/counter_chip.h"
#include "ui/table/rule_dlg_form.h"
#include "ui/table/vessaro_main.h"
#include "ui/table/window_placement.h"

namespace vessaro {
namespace {

using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeEventPump;
using testing::ProgramFolder;

class ScriptedRuleDialog : public RuleDialogPort {
 public:
  bool RunRuleDialog(bool forced) override {
    calls.push_back(forced);
    if (!confirm || window == nullptr) return false;
    TableSettings& s = window->session().mutable_settings();
    PrepareRuleDialog(folder, s);
    return ConfirmRuleDialog(folder, values, s).confirmed;
  }
  TVessaroMain* window = nullptr;
  fs::path folder;
  bool confirm = true;
  RuleDialogValues values;
  std::vector<bool> calls;
};

class TableWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<TVessaroMain> Open(bool real_pump = false) {
    rule_dialog.folder = folder.path();
    MainWindowPorts ports;
    ports.shell = &shell;
    ports.dialogs = &dialogs;
    ports.pump = real_pump ? nullptr : &pump;
    ports.clock = &clock;
    ports.rule_dialog = &rule_dialog;
    ports.animate_cards = false;
    auto w = std::make_unique<TVessaroMain>(folder.path(), ports);
    rule_dialog.window = w.get();
    return w;
  }

  void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10)); }
  void Bet(TVessaroMain& w, int chip_index, bool banker) {
    Click(w.chip(chip_index));
    Click(banker ? static_cast<QWidget*>(w.banker_area()) : w.player_area());
  }

  ProgramFolder folder;
  FakeDialogs dialogs;
  FakeEventPump pump;
  FakeClock clock;
  testing::FakeShell shell;
  ScriptedRuleDialog rule_dialog;
};

TEST_F(TableWindowTest, StartsWithTheSettingsShown) {
  auto w = Open();
  ASSERT_TRUE(w->FirstDisplay());
  EXPECT_EQ(w->balance_label()->text(), "1000.00");
  EXPECT_EQ(w->stake_label()->text(), "0.00");
  EXPECT_EQ(w->winnings_label()->text(), "0.00");
  EXPECT_EQ(w->round_label()->text(), "ラウンド0");
  EXPECT_EQ(w->stats_label()->text(), "PLAYER：0(0%) BANKER：0(0%) TIE：0(0%)");
  EXPECT_EQ(w->deal_button()->text(), "ディール\nDEAL");
  EXPECT_EQ(w->rebet_button()->text(), "再ベット\nREBET");
  EXPECT_EQ(w->clear_button()->text(), "ベットクリア\nBETSCLEAR");
  EXPECT_TRUE(w->chip(0)->selected());
  EXPECT_EQ(w->grid()->columnCount(), 41);
  EXPECT_EQ(w->grid()->rowCount(), 5);
  EXPECT_EQ(w->height(), TVessaroMain::kHeightClosed);
}

TEST_F(TableWindowTest, MissingCardBackEndsTheStart) {
  DeleteFileIfExists(folder / "image/card.bmp");
  auto w = Open();
  EXPECT_FALSE(w->FirstDisplay());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"起動に必要なファイルが足りません\r\nimage\\card.bmp"});
}

// The open settings menu hides what lies under it (All Clear); nothing shows through.
TEST_F(TableWindowTest, SettingsMenuIsDrawnOpaque) {
  auto w = Open();
  ASSERT_TRUE(w->FirstDisplay());
  w->show();
  Click(w->settings_toggle());
  ASSERT_TRUE(w->settings_menu()->isVisible());
  const QImage shot = w->grab().toImage();
  // The right end of the menu's last entry, where it covers the All Clear button.
  const QRect button = QRect(w->all_clear_button()->mapTo(w.get(), QPoint(0, 0)), w->all_clear_button()->size());
  const QRect menu = QRect(w->settings_menu()->mapTo(w.get(), QPoint(0, 0)), w->settings_menu()->size());
  const QRect covered = button.intersected(menu).adjusted(0, 3, -8, -3);
  ASSERT_FALSE(covered.isEmpty());
  const QPoint probe(covered.right() - 2, covered.center().y());
  EXPECT_EQ(shot.pixelColor(probe), QColor(0x14, 0x14, 0x14)) << probe.x() << "," << probe.y();
}

// After a long session every row of the result grid stays above its scroll bar, and the grid is
// scrolled a whole column at a time with the newest result in view.
TEST_F(TableWindowTest, GridRowsAndColumnsStayWholeAfterLongPlay) {
  auto w = Open();
  ASSERT_TRUE(w->FirstDisplay());
  w->show();
  TableSession& s = w->session();
  s.engine().SetSessionSeed(20241210);
  for (int i = 0; i < 300; ++i) {
    s.ClearBetsCommand();
    s.SelectChip(5);
    s.PlaceChip(i % 2 ? BetSide::kPlayer : BetSide::kBanker);
    s.Deal();
  }
  QApplication::processEvents();
  QTableWidget* grid = w->grid();
  ASSERT_GT(grid->columnCount(), 41);
  const QRect view = grid->viewport()->rect();
  for (int r = 0; r < grid->rowCount(); ++r)
    EXPECT_LE(grid->rowViewportPosition(r) + grid->rowHeight(r), view.height()) << "row " << r;
  const int first = grid->columnAt(0);
  EXPECT_EQ(grid->columnViewportPosition(first), 0) << "the first visible column is cut";
  const QRect newest = grid->visualItemRect(grid->currentItem());
  EXPECT_TRUE(view.contains(newest)) << newest.x() << "," << newest.width();
}

// On a 1366 x 768 screen (the tests' offscreen screen) the open panel's commands are all on it.
TEST_F(TableWindowTest, OpenPanelFitsASmallScreen) {
  auto w = Open();
  ASSERT_TRUE(w->FirstDisplay());
  w->show();
  const QRect screen = w->screen()->availableGeometry();
  ASSERT_EQ(screen.size(), QSize(1366, 768));
  w->PanelToggleClick();
  for (int i = 0; i < 1000 && w->panel_moving(); ++i) QTest::qWait(10);
  ASSERT_FALSE(w->panel_moving());
  for (QAbstractButton* b : w->run_panel()->findChildren<QAbstractButton*>()) {
    const QRect on_screen(b->mapToGlobal(QPoint(0, 0)), b->size());
    EXPECT_TRUE(screen.contains(on_screen)) << b->text().toStdString();
  }
}

TEST(WindowPlacementTest, PanelStaysOnTheScreen) {
  struct Case {
    const char* label;
    QRect available;
    QMargins frame;
    int frame_top;
    bool open;
    PanelPlacement want;
  } cases[] = {
      {"large screen, room below", QRect(0, 0, 1920, 1040), QMargins(1, 30, 1, 1), 200, true, {768, 640, 200}},
      {"no room below: moves up", QRect(0, 0, 1920, 1040), QMargins(1, 30, 1, 1), 300, true, {768, 640, 241}},
      {"1366 x 768 without frame", QRect(0, 0, 1366, 768), QMargins(), 64, true, {768, 640, 0}},
      {"1366 x 768 with title and task bar", QRect(0, 0, 1366, 728), QMargins(1, 30, 1, 1), 44, true,
       {697, 569, 0}},
      {"closed", QRect(0, 0, 1366, 728), QMargins(1, 30, 1, 1), 44, false, {640, 640, 44}},
  };
  for (const Case& c : cases) {
    const PanelPlacement p = PlacePanel(c.available, c.frame, c.frame_top, 640, 768, c.open);
    EXPECT_EQ(p.height, c.want.height) << c.label;
    EXPECT_EQ(p.panel_top, c.want.panel_top) << c.label;
    EXPECT_EQ(p.frame_top, c.want.frame_top) << c.label;
  }
}

TEST_F(TableWindowTest, MissingRulesOpenTheForcedDialog) {
  DeleteFileIfExists(folder / "System/Rules.dat");
  auto w = Open();
  ASSERT_TRUE(w->FirstDisplay());
  EXPECT_EQ(rule_dialog.calls, std::vector<bool>{true});
  EXPECT_EQ(w->balance_label()->text(), "5000.00");  // the dialog's defaults, confirmed
}

TEST_F(TableWindowTest, DealingWithNoStakeDoesNothing) {
  auto w = Open();
  w->FirstDisplay();
  Click(w->deal_button());
  EXPECT_EQ(w->round_label()->text(), "ラウンド0");
  EXPECT_TRUE(pump.pauses.empty());
}

TEST_F(TableWindowTest, DealRepeatsTheLastBetUnlessNewChipsArePlaced) {
  auto w = Open();
  w->FirstDisplay();
  Bet(*w, 1, false);  // 5 on Player
  EXPECT_EQ(w->stake_label()->text(), "5.00");
  EXPECT_EQ(w->balance_label()->text(), "995.00");
  Click(w->deal_button());
  EXPECT_EQ(w->round_label()->text(), "ラウンド1");
  EXPECT_EQ(w->deal_button()->text(), "再ベットディール\nREBETS DEAL");
  EXPECT_FALSE(w->banner_label()->text().isEmpty());
  EXPECT_EQ(w->grid()->item(0, 0)->text(), QString(QChar(w->session().last_result())));

  Click(w->deal_button());  // repeats P,5
  EXPECT_EQ(w->round_label()->text(), "ラウンド2");
  EXPECT_EQ(w->session().bets().last_bet, "P,5");

  Bet(*w, 2, true);  // 25 on Banker instead
  EXPECT_EQ(w->deal_button()->text(), "ディール\nDEAL");
  EXPECT_EQ(w->stake_label()->text(), "25.00");
  EXPECT_TRUE(w->banner_label()->isHidden());  // the previous result is cleared by the chip
  Click(w->deal_button());
  EXPECT_EQ(w->session().bets().last_bet, "B,25");
}

TEST_F(TableWindowTest, BetClearForgetsTheLastBet) {
  auto w = Open();
  w->FirstDisplay();
  Bet(*w, 1, false);
  Click(w->deal_button());
  Click(w->clear_button());
  EXPECT_EQ(w->deal_button()->text(), "ディール\nDEAL");
  Click(w->deal_button());
  EXPECT_EQ(w->round_label()->text(), "ラウンド1");
}

TEST_F(TableWindowTest, RefusedChipShowsItsMessage) {
  auto w = Open();
  w->FirstDisplay();
  Bet(*w, 1, false);
  Click(w->banker_area());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"両サイドベッティングはできません"});
  EXPECT_EQ(w->stake_label()->text(), "5.00");
}

TEST_F(TableWindowTest, AllClearKeepsStakesAndResetsTheBalanceDisplay) {
  auto w = Open();
  w->FirstDisplay();
  Bet(*w, 3, false);  // 100 on Player
  Click(w->all_clear_button());
  EXPECT_EQ(w->balance_label()->text(), "1000");
  EXPECT_EQ(w->stake_label()->text(), "0");
  EXPECT_EQ(w->session().bets().player_stake, 100);
  EXPECT_EQ(w->pile(0)->amount(), 100);
}

TEST_F(TableWindowTest, ApplyingRuleSettingsStartsFromRoundZero) {
  auto w = Open();
  w->FirstDisplay();
  Bet(*w, 1, false);
  Click(w->deal_button());
  rule_dialog.values.balance = "2000";
  w->MenuRuleClick();
  EXPECT_EQ(w->round_label()->text(), "ラウンド0");
  EXPECT_EQ(w->stats_label()->text(), "0戦 0勝(0%) 0敗(0%) 0分(0%) ペイアウト：0%");
  EXPECT_EQ(w->balance_label()->text(), "2000.00");
  EXPECT_EQ(w->grid()->item(0, 0) ? w->grid()->item(0, 0)->text() : QString(), QString());
}

TEST_F(TableWindowTest, ClosingSavesTheSettingsByTheRememberFlag) {
  folder.WriteRules("blance=1000&minimum=1&maximum=500&blancememory=True&sleeptime=100&randommode=完全確率モード");
  {
    auto w = Open();
    w->FirstDisplay();
    Bet(*w, 3, true);
    Click(w->deal_button());
    const std::string shown = FromQt(w->balance_label()->text());
    w->close();
    EXPECT_EQ(GetField(folder.RulesText(), "&", 1), "blance=" + shown);
  }
  folder.WriteRules("blance=1000&minimum=1&maximum=500&blancememory=False&sleeptime=100&randommode=完全確率モード");
  auto w = Open();
  w->FirstDisplay();
  Bet(*w, 3, true);
  Click(w->deal_button());
  w->close();
  EXPECT_EQ(GetField(folder.RulesText(), "&", 1), "blance=1000");
}

TEST_F(TableWindowTest, NoSecondRoundWhileOneIsDealtAndEventsKeepFlowing) {
  auto w = Open(/*real_pump=*/true);
  w->FirstDisplay();
  w->show();
  Bet(*w, 1, false);
  int ticks = 0;
  QTimer clicker;
  clicker.setInterval(20);
  QObject::connect(&clicker, &QTimer::timeout, [&] {
    ++ticks;
    w->BtnDealClick();  // a second press while the first round is being dealt
    QTest::mouseClick(w->chip(2), Qt::LeftButton);
  });
  clicker.start();
  w->BtnDealClick();
  clicker.stop();
  EXPECT_GE(ticks, 10);  // 100 ms pauses between cards let the timer run
  EXPECT_EQ(w->round_label()->text(), "ラウンド1");
  EXPECT_EQ(w->session().bets().selected_chip, 5);  // chips were disabled during the round
}

TEST_F(TableWindowTest, DroppedFileGoesIntoTheOpenLogField) {
  auto w = Open();
  w->FirstDisplay();
  w->show();
  w->PanelToggleClick();
  for (int i = 0; i < 1000 && w->panel_moving(); ++i) QTest::qWait(10);
  ASSERT_FALSE(w->panel_moving());
  ASSERT_TRUE(w->log_edit()->isVisible());
  folder.Write("log/old.txt", "x");
  auto drop = [&](const fs::path& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path.string()))});
    QPoint at = w->log_edit()->mapTo(w.get(), QPoint(5, 5));
    // As a desktop drag does: the window accepts the drag first, then receives the drop.
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.get(), &enter);
    QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.get(), &event);
  };
  drop(folder / "log");
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"ファイルを指定してくだい。"});
  drop(folder / "log/old.txt");
  EXPECT_EQ(w->log_edit()->text().toStdString(), (folder / "log/old.txt").string());
}

TEST_F(TableWindowTest, ScreenshotIsSavedAsJpeg) {
  auto w = Open();
  w->FirstDisplay();
  w->show();
  const fs::path file = folder / "shot.jpg";
  dialogs.chosen_files.push_back(file.string());
  w->ScreenshotClick();
  EXPECT_EQ(dialogs.file_requests.back().title, "出力先を選択してください。");
  EXPECT_EQ(dialogs.file_requests.back().default_extension, "JPG");
  EXPECT_EQ(ReadWholeFile(file).substr(0, 3), "\xFF\xD8\xFF");  // a JPEG stream
  w->ScreenshotClick();  // cancelled: nothing happens
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(TableWindowTest, ManualOpensWithItsProgram) {
  auto w = Open();
  w->FirstDisplay();
  folder.Write("Manual.pdf", "%PDF-1.4\n");
  w->MenuManualClick();
  EXPECT_EQ(shell.opened, std::vector<std::string>{(folder / "Manual.pdf").string()});
  shell.succeed = false;
  w->MenuManualClick();
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"アプリケーションファイルを起動できませんでした。"});
  // The desktop's opener would report success for a file that is gone; the table must not.
  shell.succeed = true;
  DeleteFileIfExists(folder / "Manual.pdf");
  w->MenuManualClick();
  EXPECT_EQ(shell.opened.size(), 2u);  // the missing file never reached the opener
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(TableWindowTest, ChipPileGrowsUpwardsFromItsBottomEdge) {
  TablePictures pictures(folder.path());
  QWidget area;
  TCounterChip pile(pictures, &area);
  pile.move(10, 200);
  const int bottom = pile.geometry().bottom();
  struct Case {
    int64_t amount;
    int chips;
  } cases[] = {{5330, 6}, {0, 0}, {1, 1}, {10000, 2}};  // 5000+250+25+25+25+5
  for (const Case& c : cases) {
    pile.ShowChipPile(c.amount);
    EXPECT_EQ(pile.chip_count(), c.chips) << c.amount;
    EXPECT_EQ(pile.height(), 7 * c.chips + 50) << c.amount;
    EXPECT_EQ(pile.geometry().bottom(), bottom) << c.amount;
  }
}

TEST(SelectChipPictureTest, FillsWithTheBottomLeftColourAndDrawsTheChipTwice) {
  QImage chip(20, 20, QImage::Format_ARGB32);
  chip.fill(Qt::red);
  chip.setPixelColor(0, 19, Qt::blue);
  const QImage selected = SelectChipPicture(QPixmap::fromImage(chip)).toImage();
  ASSERT_EQ(selected.size(), QSize(20, 20));
  EXPECT_EQ(selected.pixelColor(19, 0), QColor(Qt::blue));  // only the fill reaches this corner
  EXPECT_EQ(selected.pixelColor(8, 8), QColor(Qt::red));
}

TEST_F(TableWindowTest, RuleDialogChecksAndWrites) {
  TableSettings settings;
  TRuleDlgForm forced(folder.path(), settings, dialogs, true);
  EXPECT_FALSE(forced.cancel_button()->isEnabled());
  TRuleDlgForm dialog(folder.path(), settings, dialogs, false);
  EXPECT_TRUE(dialog.cancel_button()->isEnabled());
  dialog.show();  // first display reads Rules.dat
  EXPECT_EQ(dialog.Values().balance, "1000");
  EXPECT_EQ(dialog.Values().speed_index, 2);
  RuleDialogValues v = dialog.Values();
  v.balance = "1234.50";
  dialog.SetValues(v);
  dialog.BtnSetClick();
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"残高に小数点を使う場合は.5のみ有効です", "入力値が不正です"}));
  EXPECT_TRUE(dialog.isVisible());
  v.balance = "1234.5";
  dialog.SetValues(v);
  dialog.BtnSetClick();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(GetField(folder.RulesText(), "&", 1), "blance=1234.5");
}

}  // namespace
}  // namespace vessaro
