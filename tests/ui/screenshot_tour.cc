// Plays a scripted tour of the table and saves screenshots of it, for looking at the table the way
// a player sees it. Not a test: run it under xvfb-run (see docs/screenshots.md).
//
//   table_screenshots <program folder with image/> <output folder>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <cstdio>

#include "common/files.h"
#include "common/hex.h"
#include "program_folder_fixture.h"
#include "support/fakes.h"
#include "ui/table/rule_dlg_form.h"
#include "ui/table/vessaro_main.h"
#include "ui/common/qt_ports.h"
#include "ui/common/window_helpers.h"

using namespace vessaro;

namespace {

void Save(QWidget* w, const QString& folder, const QString& name) {
  QApplication::processEvents();
  const QString file = folder + "/" + name + ".png";
  if (!w->grab().save(file)) std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
  std::printf("%s\n", qPrintable(file));
}

class NoDialog : public RuleDialogPort {
 public:
  bool RunRuleDialog(bool) override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vessaro::SetUpJapaneseApplication();
  if (argc < 3) {
    std::fprintf(stderr, "usage: table_screenshots <program folder> <output folder>\n");
    return 2;
  }
  const fs::path folder = testing::MakeScratchProgramFolder(argv[1], "vessaro-screenshots");
  const QString out = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(out);

  testing::FakeDialogs dialogs;
  testing::FakeEventPump pump;
  NoDialog no_dialog;
  MainWindowPorts ports;
  ports.dialogs = &dialogs;
  ports.pump = &pump;
  ports.rule_dialog = &no_dialog;
  ports.animate_cards = false;  // the tour deals many rounds; table_animation_frames shows the animations
  TVessaroMain w(folder, ports);
  w.show();
  w.FirstDisplay();
  Save(&w, out, "01-empty-table");

  TableSession& s = w.session();
  s.engine().SetSessionSeed(20241209);
  auto bet = [&](int chip, BetSide side) {
    s.ClearBetsCommand();
    s.SelectChip(chip);
    s.PlaceChip(side);
  };
  auto deal_until = [&](auto wanted) {
    for (int i = 0; i < 500; ++i) {
      bet(100, BetSide::kBanker);
      s.SelectChip(25);
      s.PlaceChip(BetSide::kBanker);
      s.Deal();
      if (wanted()) return true;
    }
    return false;
  };
  deal_until([&] { return s.last_round().player_third && s.last_round().banker_third; });
  Save(&w, out, "02-both-third-cards");
  deal_until([&] { return s.bets().outcome == BetOutcome::kLoss; });
  Save(&w, out, "03-lost-round");

  s.AllClear();
  for (int i = 0; i < 60; ++i) {
    bet(5, i % 3 == 0 ? BetSide::kPlayer : BetSide::kBanker);
    s.Deal();
  }
  Save(&w, out, "04-grid-after-60-rounds");
  for (int i = 60; i < 300; ++i) {
    bet(5, i % 3 == 0 ? BetSide::kPlayer : BetSide::kBanker);
    s.Deal();
  }
  Save(&w, out, "04b-grid-after-300-rounds");

  s.ToggleSettingsMenu();
  Save(&w, out, "05-settings-menu");
  s.ToggleSettingsMenu();
  s.ToggleRunPanel();
  for (int i = 0; i < 1000 && w.panel_moving(); ++i) {
    QApplication::processEvents();
    QThread::msleep(2);
  }
  Save(&w, out, "06-run-panel-open");
  // The whole screen, to see that the open panel stays on it (run on a 1366 x 768 screen).
  if (QScreen* screen = w.screen()) {
    const QString file = out + "/06b-screen-with-panel.png";
    screen->grabWindow(0).save(file);
    std::printf("%s\n", qPrintable(file));
  }

  TableSettings settings;
  TRuleDlgForm rule(folder, settings, dialogs, false, &w);
  rule.show();
  Save(&rule, out, "07-rule-dialog");
  rule.close();
  TRuleDlgForm forced(folder, settings, dialogs, true, &w);
  forced.show();
  Save(&forced, out, "08-forced-rule-dialog");
  forced.close();

  QMessageBox box(QMessageBox::Information, QStringLiteral("二重起動"), QStringLiteral("すでに起動されています。"),
                  QMessageBox::Ok);
  box.show();
  Save(&box, out, "09-second-start");
  box.close();

  // A question as the table asks it (cancelling an automatic run): its buttons read Japanese.
  QTimer::singleShot(300, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      Save(modal, out, "10-question");
      modal->close();
    }
  });
  QtDialogs(&w).AskYesNo(table_texts::kStopQuestion);
  RemoveFolder(folder);
  return 0;
}
