// The Monte Carlo study of a betting system: K independent sessions of a system and a pattern
// under the table settings, each played exactly as a run without display (the same round
// procedure, checks and stop reasons; no files written) from its own session seed, spread over
// worker threads. Everything it yields depends on the inputs and the study seed only, never on
// the number of workers.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "autosim/run_driver.h"
#include "autosim/run_round.h"
#include "autosim/stop_conditions.h"
#include "common/money.h"
#include "engine/table_settings.h"

namespace vessaro {

namespace study_texts {
inline constexpr const char* kTitle = "モンテカルロ検証";
inline constexpr const char* kSessionsRange = "セッション数は1から10000000までの半角数字で入力してください";
inline constexpr const char* kRoundsRange = "試行回数は1から1000000までの半角数字で入力してください";
inline constexpr const char* kJobsRange = "並列数は1から256までの半角数字で入力してください";
}  // namespace study_texts

inline constexpr int64_t kStudyMaxSessions = 10000000;
inline constexpr int64_t kStudyMaxRounds = RunDriver::kProcessingMaximum;
inline constexpr int kStudyMaxJobs = 256;
// The balance bands are kept at up to this many evenly spaced rounds...
inline constexpr int kStudyMaxPoints = 1000;
// ...and at fewer when sessions x points would pass this many values (4 bytes each), so memory
// stays bounded whatever the number of sessions.
inline constexpr int64_t kStudyPointBudget = 24000000;

// How a session ended. Ruin is kLossLimit, kInsufficient or kBankrupt.
enum class SessionEnd : uint8_t { kTarget, kLossLimit, kInsufficient, kBankrupt, kRounds, kError };
inline constexpr int kSessionEndCount = 6;
// "target", "loss_limit", "insufficient", "bankrupt", "rounds", "error".
std::string_view SessionEndName(SessionEnd end);
// What the window shows for it.
std::string_view SessionEndLabel(SessionEnd end);
bool IsRuin(SessionEnd end);
SessionEnd SessionEndOf(RoundStop stop);

// The session seed of session index i: a run without display given this seed plays the session.
uint64_t StudySessionSeed(uint64_t study_seed, int64_t index);

struct StudyRequest {
  std::string system_name;
  std::string pattern_name;
  int64_t sessions = 0;
  int64_t rounds = 0;
  StopLimits limits;
  uint64_t seed = 0;
  int jobs = 0;  // workers; 0 for one per core
};

// The sessions, rounds and workers as typed: whole numbers in range, or the message to show.
struct StudyCounts {
  int64_t sessions = 0;
  int64_t rounds = 0;
  int jobs = 0;
};
std::optional<std::string> ReadStudyCounts(std::string_view sessions, std::string_view rounds,
                                           std::string_view jobs, StudyCounts& out);

struct SessionResult {
  Cents final_balance = 0;
  Cents lowest_balance = 0;  // as a run measures it: at the start of each round, before the bet
  Cents total_paid = 0;
  int64_t total_staked = 0;  // units
  int32_t rounds = 0;
  SessionEnd end = SessionEnd::kRounds;
};

// A share with its 95 % Wilson score interval.
struct Proportion {
  int64_t count = 0;
  double share = 0;
  double low = 0;
  double high = 0;
};
Proportion WilsonInterval(int64_t count, int64_t n, double z = 1.959963984540054);

inline constexpr std::array<int, 7> kFinalPercentiles = {1, 5, 25, 50, 75, 95, 99};
inline constexpr std::array<int, 5> kBandPercentiles = {5, 25, 50, 75, 95};

// Percentiles by nearest rank: the q-th (0 < q < 100) of n values is the value at rank
// ceil(q/100 x n). Fills out[k] for qs[k] (ascending) over values[begin, end), which it reorders;
// each selection works inside the range the previous one left, so five of them cost little more
// than two passes. Zeros for an empty range.
template <typename T>
void NearestRankPercentiles(std::vector<T>& values, size_t begin, size_t end, const int* qs, size_t count,
                            T* out) {
  struct Local {
    // The middle percentile first; the others lie left or right of it. A rank that falls outside
    // [lo, hi) is an earlier selection's place, which already holds its value.
    static void Select(std::vector<T>& v, size_t total, size_t base, size_t lo, size_t hi, const int* q,
                       size_t k, T* result) {
      if (k == 0) return;
      const size_t mid = k / 2;
      size_t rank = static_cast<size_t>((static_cast<unsigned __int128>(total) * q[mid] + 99) / 100);
      rank = std::clamp<size_t>(rank, 1, total);
      const size_t at = base + rank - 1;
      if (at >= lo && at < hi)
        std::nth_element(v.begin() + static_cast<std::ptrdiff_t>(lo), v.begin() + static_cast<std::ptrdiff_t>(at),
                         v.begin() + static_cast<std::ptrdiff_t>(hi));
      result[mid] = v[at];
      Select(v, total, base, lo, std::clamp(at, lo, hi), q, mid, result);
      Select(v, total, base, std::clamp(at + 1, lo, hi), hi, q + mid + 1, k - mid - 1, result + mid + 1);
    }
  };
  if (end <= begin) {
    for (size_t k = 0; k < count; ++k) out[k] = T{};
    return;
  }
  Local::Select(values, end - begin, begin, begin, end, qs, count, out);
}

// The band percentiles (kBandPercentiles) of n values by nearest rank, as NearestRankPercentiles
// gives them, without reordering the values and in bounded memory, however many values repeat.
void BandPercentiles(const float* values, size_t n, float* out);

struct StudySummary {
  int64_t sessions_requested = 0;
  int64_t sessions_done = 0;  // sessions 0 .. done - 1; fewer than requested when cancelled
  bool cancelled = false;
  int64_t rounds_requested = 0;
  Cents starting_balance = 0;
  std::array<int64_t, kSessionEndCount> ends{};
  Proportion ruin;
  Proportion target;
  Cents mean_final = 0;  // rounded to the cent, halves away from zero
  std::array<Cents, kFinalPercentiles.size()> final_percentiles{};
  Cents lowest_final = 0;
  Cents highest_final = 0;
  __int128 total_staked = 0;  // units
  __int128 total_paid = 0;    // cents
  int64_t total_rounds = 0;
  // Total paid out over total staked, in percent; 0 when nothing was staked.
  double payout_pct() const;
  double mean_rounds() const;
};

// The balance over the rounds: round 0 and the points, each with the five band percentiles.
struct StudyBands {
  std::vector<int64_t> rounds;
  std::array<std::vector<double>, kBandPercentiles.size()> values;  // units
};

class StudyObserver {
 public:
  virtual ~StudyObserver() = default;
  // Every finished session, in session order, on the thread that runs the study. May raise
  // IoError (a file being written), which cancels the study and leaves Run.
  virtual void OnSession(int64_t index, uint64_t seed, const SessionResult& session) {}
  // Sessions finished so far (in order): at the start, about every 50 ms whether or not a session
  // ended meanwhile, and once at the end. May call Study::RequestStop.
  virtual void OnProgress(int64_t done, int64_t total) {}
};

struct StudyResult {
  bool started = false;
  std::string message;  // why it could not start
  StudySummary summary;
  StudyBands bands;
  // Final balances of the sessions done, in no particular order (the histogram's input).
  std::vector<Cents> finals;
};

// Histogram of final balances: `bins` equal classes from the lowest to the highest balance.
struct Histogram {
  std::vector<Cents> edges;  // bins + 1, cents
  std::vector<int64_t> counts;
};
Histogram MakeHistogram(const std::vector<Cents>& values, int bins);

// The number of band points for K sessions of N rounds.
int StudyPointCount(int64_t sessions, int64_t rounds);
// Rounds after which point j (0-based) of `points` is taken: (j + 1) x N / points.
int64_t StudyPointRound(int j, int points, int64_t rounds);

// One Study plays one study.
class Study {
 public:
  Study(fs::path program_folder, TableSettings settings, Clock& clock, RunSourceLoader& loader);

  // Plays the study. The system and pattern are loaded as a run loads them; a failure (or a
  // request outside the ranges) is returned with its message and nothing played.
  StudyResult Run(const StudyRequest& request, StudyObserver& observer);
  // From any thread, at any time: workers leave their sessions within a few thousand rounds, and
  // Run returns what was finished before (a complete prefix of the sessions), marked as cancelled.
  void RequestStop();

 private:
  fs::path program_folder_;
  TableSettings settings_;
  Clock& clock_;
  RunSourceLoader& loader_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
};

}  // namespace vessaro
