// Times automatic runs without display: a whole run through the run driver with the auto log, the
// graph file and the play history written (what vessaro-sim and the window do), and the round
// procedure alone with its log lines formatted but not written. Prints wall time, rounds per second
// and the peak resident memory.
//
//   run_bench [rounds] [folder]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "autosim/run_driver.h"
#include "autosim/run_table.h"
#include "autosim/system_sources.h"
#include "common/system_clock.h"
#include "bench_folder.h"
#include "bench_measures.h"
#include "quiet_dialogs.h"

using namespace vessaro;
using namespace vessaro::bench;

namespace {

class CountingPump : public EventPump {
 public:
  void ProcessEvents() override { ++yields; }
  void Pause(int) override {}
  void Sleep(int) override {}
  int64_t yields = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const int64_t rounds = argc > 1 ? std::atoll(argv[1]) : 1000000;
  const fs::path home = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "vessaro-bench";
  MakeBenchFolder(home);
  SystemClock clock;
  TableSettings settings;
  ReadTableSettings(home, settings);

  // 1. The round procedure with its lines formatted, nothing written.
  {
    SystemsRunSourceLoader loader;
    RunSources sources = loader.Load(home, "flat", "banker");
    EngineRunTable table(home, settings, clock, 12345);
    table.BeginRun(rounds + 1);  // the history line of the last round is never due
    SettledRound round;
    RunStatistics stats;
    FlatComparison flat{table.Balance(), 0, ""};
    size_t bytes = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int64_t i = 0; i < rounds; ++i) {
      const Cents balance = table.Balance();
      const BetSide side = sources.pattern->Side(1, "", table.LastRound());
      const StakeAsked stake = sources.system->Stake(1, balance, table.BalanceText());
      table.PlaceStake(side, 10);
      table.DealAndSettle(round);
      UpdateFlatResult(flat, round.winner, round.outcome, 10);
      bytes += GraphPointLine(table.Balance(), flat.balance).size();
      bytes += AutoLogRoundLine(RunKind::kProcessingOnly,
                                {round.round, stake.stake, round.payout_text, round.balance_text, round.player_total,
                                 round.player_cards, round.banker_total, round.banker_cards})
                   .size();
      stats.AddRound(10, round.payout, flat.payout, round.outcome);
    }
    const double s = Seconds(start);
    std::printf("round procedure without files: %lld rounds in %.3f s (%.0f rounds/s), %zu bytes of lines\n",
                static_cast<long long>(rounds), s, rounds / s, bytes);
  }

  // 2. A whole run through the driver, every file written.
  {
    QuietDialogs dialogs;
    CountingPump pump;
    SystemsRunSourceLoader loader;
    RunDriver driver(home, dialogs, pump, clock, loader);
    EngineRunTable table(home, settings, clock, 12345);
    RunObserver observer;
    RunRequest request;
    request.kind = RunKind::kProcessingOnly;
    request.system_name = "flat";
    request.pattern_name = "banker";
    request.trials_text = std::to_string(rounds);
    request.log_field = (home / "log" / "x").string();
    const auto start = std::chrono::steady_clock::now();
    RunResult result = driver.Run(request, table, observer);
    const double s = Seconds(start);
    std::printf("run with files: %lld rounds in %.3f s (%.0f rounds/s), %lld yields, %s\n",
                static_cast<long long>(result.rounds_played), s, result.rounds_played / s,
                static_cast<long long>(pump.yields), result.end_label.c_str());
    std::printf("  auto log %.1f MB, graph file %.1f MB\n", FileSizeOf(result.auto_log) / 1e6,
                FileSizeOf(result.graph_file) / 1e6);
  }
  std::printf("peak resident memory: %.1f MB\n", PeakResidentKb() / 1024.0);
  RemoveFolder(home);
  return 0;
}
