// Times the training analysis windows on large inputs (not a test; run it offscreen): the frequency
// grid with 8,190 rows (opening, each sort, a mark), and the analysis window choosing a log of
// ten million letters and dropping down its range lists.
//
//   analysis_window_timing [letters]
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

#include "analysis/log_samples.h"
#include "common/cp932.h"
#include "analysis/pattern_grid.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "ui/analysis/analysis_grid_form.h"
#include "ui/analysis/bet_patternanalyze_form.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "ui/common/window_helpers.h"
#include <QTimer>
#include <algorithm>

using namespace vessaro;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SetUpJapaneseApplication();
  const long letters = argc > 1 ? std::atol(argv[1]) : 10'000'000;
  testing::TempFolder folder;
  testing::FakeDialogs dialogs;
  QElapsedTimer t;

  WriteTableFile(FrequencyTablePath(folder.path()),
                 FrequencyTableLines(testing::MakeOutcomeLetters(1'000'000), 12));
  {
    t.start();
    TAnalysisGridForm grid(FrequencyTablePath(folder.path()), &dialogs);
    grid.show();
    app.processEvents();
    std::printf("grid window, 8,190 rows: opened and drawn in %lld ms\n", t.elapsed());
    for (int column = 1; column <= 4; ++column) {
      for (bool ascending : {true, false}) {
        t.restart();
        grid.SortClick(column, ascending);
        app.processEvents();
        std::printf("  sort column %d %s: %lld ms\n", column, ascending ? "ascending " : "descending",
                    t.elapsed());
      }
    }
    t.restart();
    grid.GridCellClick(grid.item_model()->index(100, 2));
    app.processEvents();
    std::printf("  mark a cell: %lld ms\n", t.elapsed());
  }

  {
    std::string text;
    const std::string seq = testing::MakeOutcomeLetters(letters);
    text = testing::InLines(seq, 100);
    folder.Write("history/long.txt", text);
    TBetPatternanalyze w(folder.path(), &dialogs);
    w.show();
    app.processEvents();
    t.restart();
    w.model().ChooseFile(folder / "history/long.txt");
    std::printf("analysis window, %ld-letter log chosen (read and counted) in %lld ms\n", letters, t.elapsed());
    t.restart();
    dialogs.chosen_files = {(folder / "history/long.txt").string()};
    w.Button6Click();
    app.processEvents();
    std::printf("  chosen through the window (range lists filled, drawn) in %lld ms\n", t.elapsed());
    t.restart();
    w.to_combo()->showPopup();
    app.processEvents();
    std::printf("  the 'to' list dropped down at %s in %lld ms\n", qPrintable(w.to_combo()->currentText()),
                t.elapsed());
    w.to_combo()->hidePopup();
  }

  {
    // A replay of a million rounds from the window: how long the event loop ever waits.
    testing::WriteFlatBanker(folder.path());
    const long replay_rounds = argc > 2 ? std::atol(argv[2]) : 1'000'000;
    folder.Write("history/replay.txt", *EncodeCp932(testing::MakeInterCasinoLog(testing::MakeOutcomeLetters(replay_rounds, 8))));
    TBetPatternanalyze w(folder.path(), &dialogs);
    int64_t shown_rounds = -1;
    w.open_window = [&](const std::string&, const fs::path&, int64_t rounds) { shown_rounds = rounds; };
    w.show();
    app.processEvents();
    w.model().ChooseFile(folder / "history/replay.txt");
    w.model().system_choice().Choose("flat");
    w.model().pattern_choice().Choose("banker");
    QElapsedTimer clock;
    int64_t last = 0, longest = 0, turns = 0;
    QTimer tick;
    tick.setInterval(0);
    QObject::connect(&tick, &QTimer::timeout, [&] {
      const int64_t now = clock.elapsed();
      longest = std::max(longest, now - last);
      last = now;
      ++turns;
    });
    tick.start();
    clock.start();
    w.Button12Click();
    const int64_t total = clock.elapsed();
    tick.stop();
    std::printf("replay of %ld rounds in the window: %lld ms, %lld turns of the event loop, longest wait %lld ms "
                "(the end's messages and graph are not timed), graph of %lld rounds\n",
                replay_rounds, static_cast<long long>(total), static_cast<long long>(turns),
                static_cast<long long>(longest), static_cast<long long>(shown_rounds));
  }
  return 0;
}
