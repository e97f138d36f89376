// Times the log replay without display: a 50,000-round and a 1,000,000-round InterCasino-format
// log replayed under a flat system on Banker (log read, every round settled, the graph file
// written), through the same LogReplay the window runs. Prints the best and the median of several
// runs and the largest gap between two yields.
//
//   replay_bench [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/log_replay.h"
#include "autosim/system_sources.h"
#include "common/files.h"
#include "bench_folder.h"
#include "quiet_dialogs.h"
#include "common/money.h"
#include "common/system_clock.h"
#include "systems/card_deck.h"
#include "systems/folders.h"

using namespace vessaro;

namespace {

// Records the time between two yields (and from the start to the first): how long the window would
// wait for its events.
class GapPump : public EventPump {
 public:
  void ProcessEvents() override {
    const auto now = std::chrono::steady_clock::now();
    if (seen) gap = std::max(gap, std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
    seen = true;
    ++yields;
  }
  void Pause(int) override {}
  void Sleep(int) override {}
  void Reset() { seen = false, gap = 0, yields = 0; }
  std::chrono::steady_clock::time_point last;
  bool seen = false;
  double gap = 0;
  int yields = 0;
};

std::string InterCasinoLog(long rounds) {
  std::string text;
  text.reserve(static_cast<size_t>(rounds) * 120);
  uint32_t state = 99;
  Cents balance = 10'000'000;
  std::string body;
  body.reserve(static_cast<size_t>(rounds) * 110);
  for (long i = 0; i < rounds; ++i) {
    state = state * 134775813u + 1u;
    const uint32_t r = static_cast<uint32_t>((static_cast<uint64_t>(state) * 10000) >> 32);
    if (r < 952) {
      body += "引き分け\r\n支払済み: $10.00\r\n最終結果: $0.00\r\n";
    } else if (r < 952 + 4586) {
      body += "バンカーの勝ち\r\n支払済み: $19.50\r\n最終結果: $9.50\r\n";
      balance += 950;
    } else {
      body += "プレーヤーの勝ち\r\n支払済み: $0.00\r\n最終結果: -$10.00\r\n";
      balance -= 1000;
    }
    body += "新しい残高: $" + FormatCents(balance) + "\r\n\r\n";
  }
  text = "ゲーム:Baccarat\r\nゲーム開始時残高:$100000.00    ゲーム終了時残高:$" + FormatCents(balance) +
         "\r\nテーブルベット:$0.00    ベット数:" + std::to_string(rounds) + "\r\n結果:$0.00\r\n\r\n\r\n";
  return text + body;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  char pattern[] = "/tmp/vessaro-replay-bench-XXXXXX";
  const fs::path home = ::mkdtemp(pattern);
  MakeBenchFolder(home);
  EnsureFolder(home / "history");

  QuietDialogs dialogs;
  GapPump pump;
  SystemClock clock;
  SystemsRunSourceLoader loader;
  LogReplay replay(home, dialogs, pump, clock, loader);
  ReplayObserver observer;
  for (long rounds : {50'000L, 1'000'000L}) {
    const fs::path log = home / "history" / ("log" + std::to_string(rounds) + ".txt");
    WriteTextFile(log, InterCasinoLog(rounds));
    std::vector<double> ms;
    double gap = 0;
    for (int i = 0; i < runs; ++i) {
      pump.Reset();
      const auto start = std::chrono::steady_clock::now();
      pump.last = start;  // the wait before the first yield counts too
      pump.seen = true;
      ReplayResult r = replay.Run(ReplayRequest{log, LogKind::kInterCasino, "flat", "banker", true}, observer);
      ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      gap = std::max(gap, pump.gap);
      if (!r.completed || r.rounds_replayed != rounds) {
        std::fprintf(stderr, "replay did not complete: %s\n", dialogs.last.c_str());
        return 1;
      }
      DeleteFileIfExists(r.graph_file);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("replay of %7ld rounds (log %5.1f MB): best %7.1f ms  median %7.1f ms  longest gap between yields %.1f ms\n",
                rounds, static_cast<double>(FileSizeOf(log)) / 1e6, ms.front(), ms[ms.size() / 2], gap);
  }
  RemoveFolder(home);
  return 0;
}
