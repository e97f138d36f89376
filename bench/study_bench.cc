// Times the Monte Carlo study: K sessions of N rounds (flat 10 on Banker, "完全確率モード", a
// balance no session can lose in N rounds, so every round is played) with 1 and with 2 workers,
// checks that both give the same sessions, and times a cancel. Prints the load average beside the
// figures, since the machine is shared.
//
//   study_bench [sessions] [rounds] [repeats]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "autosim/study.h"
#include "autosim/system_sources.h"
#include "common/system_clock.h"
#include "bench_folder.h"
#include "bench_measures.h"

using namespace vessaro;
using namespace vessaro::bench;

namespace {

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string a, b, c;
  in >> a >> b >> c;
  return a + " " + b + " " + c;
}

// Folds every session, in order, into one number: equal for equal studies.
class Fingerprint : public StudyObserver {
 public:
  void OnSession(int64_t index, uint64_t seed, const SessionResult& s) override {
    for (uint64_t v : {static_cast<uint64_t>(index), seed, static_cast<uint64_t>(s.final_balance),
                       static_cast<uint64_t>(s.lowest_balance), static_cast<uint64_t>(s.total_staked),
                       static_cast<uint64_t>(s.rounds), static_cast<uint64_t>(s.end)})
      hash = (hash ^ v) * 0x100000001B3ull;
  }
  // The last progress report comes when every session is in: what follows is the summary.
  void OnProgress(int64_t, int64_t) override {
    last_progress = std::chrono::steady_clock::now();
    cpu_at_last_progress = CpuSeconds();
  }
  double cpu_at_last_progress = 0;
  uint64_t hash = 0xCBF29CE484222325ull;
  std::chrono::steady_clock::time_point last_progress;
};

}  // namespace

int main(int argc, char** argv) {
  const int64_t sessions = argc > 1 ? std::atoll(argv[1]) : 10000;
  const int64_t rounds = argc > 2 ? std::atoll(argv[2]) : 1000;
  const int repeats = argc > 3 ? std::atoi(argv[3]) : 3;
  const fs::path home = fs::temp_directory_path() / "vessaro-study-bench";
  MakeBenchFolder(home);
  SystemClock clock;
  TableSettings settings;
  ReadTableSettings(home, settings);
  SystemsRunSourceLoader loader;

  StudyRequest request;
  request.system_name = "flat";
  request.pattern_name = "banker";
  request.sessions = sessions;
  request.rounds = rounds;
  request.seed = 20261210;

  std::printf("study of %lld sessions x %lld rounds, hardware threads %u\n", static_cast<long long>(sessions),
              static_cast<long long>(rounds), std::thread::hardware_concurrency());
  double best[3] = {0, 0, 0};
  uint64_t hashes[3] = {0, 0, 0};
  for (int jobs : {1, 2}) {
    for (int r = 0; r < repeats; ++r) {
      request.jobs = jobs;
      Study study(home, settings, clock, loader);
      Fingerprint fingerprint;
      const std::string load = LoadAverage();
      const double cpu_start = CpuSeconds();
      const auto start = std::chrono::steady_clock::now();
      StudyResult result = study.Run(request, fingerprint);
      const double s = Seconds(start);
      const double cpu = CpuSeconds() - cpu_start;
      if (!result.started) {
        std::printf("did not start: %s\n", result.message.c_str());
        return 1;
      }
      const double summary_ms = Seconds(fingerprint.last_progress) * 1000;
      const double summary_cpu_ms = (CpuSeconds() - fingerprint.cpu_at_last_progress) * 1000;
      std::printf("  jobs %d: %.3f s wall (summary %.1f ms, %.1f ms CPU), %.3f s CPU (%.0f ns CPU a round), %lld rounds "
                  "(%.2f million rounds/s), ruin %lld, load before %s\n",
                  jobs, s, summary_ms, summary_cpu_ms, cpu, cpu * 1e9 / result.summary.total_rounds,
                  static_cast<long long>(result.summary.total_rounds), result.summary.total_rounds / s / 1e6,
                  static_cast<long long>(result.summary.ruin.count), load.c_str());
      if (best[jobs] == 0 || s < best[jobs]) best[jobs] = s;
      hashes[jobs] = fingerprint.hash;
    }
  }
  std::printf("best: 1 worker %.3f s, 2 workers %.3f s, speed-up %.2f; same sessions: %s\n", best[1], best[2],
              best[1] / best[2], hashes[1] == hashes[2] ? "yes" : "NO");

  // A cancel a third of the way through a 2-worker study: how long until Run returns.
  {
    request.jobs = 2;
    Study study(home, settings, clock, loader);
    StudyObserver quiet;
    StudyResult result;
    std::chrono::steady_clock::time_point asked;
    std::thread runner([&] { result = study.Run(request, quiet); });
    std::this_thread::sleep_for(std::chrono::duration<double>(best[2] / 3));
    asked = std::chrono::steady_clock::now();
    study.RequestStop();
    runner.join();
    std::printf("cancel: Run returned %.1f ms after the request, %lld of %lld sessions kept, partial: %s\n",
                Seconds(asked) * 1000, static_cast<long long>(result.summary.sessions_done),
                static_cast<long long>(sessions), result.summary.cancelled ? "yes" : "no");
  }
  std::printf("peak resident memory: %.1f MB; load now %s\n", PeakResidentKb() / 1024.0, LoadAverage().c_str());
  RemoveFolder(home);
  return 0;
}
