// Measures how the table window behaves during a 1,000,000-round run without display: the longest
// gap between two ticks of a 5 ms timer (how often window events get through), the time from a
// confirmed cancel to the end of the run, and the run's wall time when left alone.
//
//   QT_QPA_PLATFORM=offscreen window_run_bench [rounds]
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "common/hex.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "ui/table/vessaro_main.h"

using namespace vessaro;

namespace {

class NoRuleDialog : public RuleDialogPort {
 public:
  bool RunRuleDialog(bool) override { return false; }
};

struct Measured {
  double run_seconds = 0;
  double longest_gap_ms = 0;
  double cancel_to_end_ms = -1;
  std::string end;
};

Measured RunOnce(const fs::path& home, const char* rounds, int cancel_after_ms) {
  testing::FakeDialogs dialogs;
  dialogs.answers = {true};
  NoRuleDialog no_dialog;
  MainWindowPorts ports;
  ports.dialogs = &dialogs;
  ports.rule_dialog = &no_dialog;
  ports.open_window = [](const std::string&, const std::string&, int64_t) {};
  TVessaroMain w(home, ports);
  w.FirstDisplay();
  w.system_combo()->setCurrentIndex(1);
  w.pattern_combo()->setCurrentIndex(1);
  w.trials_edit()->setText(rounds);

  Measured m;
  QElapsedTimer clock;
  qint64 last_tick = -1;
  qint64 cancelled_at = -1;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  ticker.setInterval(5);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    if (last_tick >= 0) m.longest_gap_ms = std::max(m.longest_gap_ms, (now - last_tick) / 1e6);
    last_tick = now;
    if (cancel_after_ms >= 0 && cancelled_at < 0 && now / 1000000 >= cancel_after_ms) {
      w.stop_button()->click();  // the question is answered Yes
      cancelled_at = clock.nsecsElapsed();
    }
  });
  QTimer::singleShot(0, [&] {
    clock.start();
    ticker.start();
    w.BtnAutoOnlyClick();
    const qint64 end = clock.nsecsElapsed();
    m.run_seconds = end / 1e9;
    if (cancelled_at >= 0) m.cancel_to_end_ms = (end - cancelled_at) / 1e6;
    ticker.stop();
    QCoreApplication::quit();
  });
  QCoreApplication::exec();
  m.end = dialogs.messages.empty() ? "" : dialogs.messages.back();
  return m;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const char* rounds = argc > 1 ? argv[1] : "1000000";
  testing::TempFolder home;
  home.Write("System/Rules.dat",
             HexEncodeText("blance=1000000&minimum=1&maximum=10000&blancememory=False&sleeptime=100&"
                           "randommode=完全確率モード"));
  for (const char* f : {"chip0_5", "chip1", "chip5", "chip25", "chip100", "chip250", "chip500", "chip1000",
                        "chip5000", "card"})
    home.Write(std::string("image/") + f + ".bmp", "");
  for (int i = 0; i < 52; ++i) home.Write("image/" + std::string(CardName(Card{static_cast<uint8_t>(i)})) + ".bmp", "");
  EnsureFolder(BetPatternFolder(home.path()));
  std::vector<CardFields> system(60), pattern(20);
  system[0] = {"10", "1", "1"};
  pattern[0] = {"B", "1", "1"};
  WriteCardFile(SystemFilePath(home.path(), "flat"), system);
  WriteCardFile(PatternFilePath(home.path(), "banker"), pattern);

  Measured whole = RunOnce(home.path(), rounds, -1);
  std::printf("run of %s rounds in the window: %.3f s, longest gap between 5 ms ticks %.1f ms\n", rounds,
              whole.run_seconds, whole.longest_gap_ms);
  Measured cancelled = RunOnce(home.path(), rounds, 300);
  std::printf("cancel confirmed after 300 ms: the run ended %.1f ms later (longest gap %.1f ms)\n",
              cancelled.cancel_to_end_ms, cancelled.longest_gap_ms);
  return 0;
}
