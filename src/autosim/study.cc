#include "autosim/study.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <exception>
#include <thread>

#include "autosim/run_table.h"
#include "common/text.h"
#include "engine/cards.h"

namespace vessaro {
namespace {

constexpr std::array<std::string_view, kSessionEndCount> kEndNames = {"target",   "loss_limit", "insufficient",
                                                                      "bankrupt", "rounds",     "error"};
constexpr std::array<std::string_view, kSessionEndCount> kEndLabels = {
    "利益目標に到達", "損失上限に到達", "残高不足", "残高1未満", "全ラウンド終了", "設定エラー"};

// Sessions are handed to the workers in blocks of about this many rounds, so that a block is
// worth the hand-over and a cancel or the end of the study never waits long for one.
constexpr int64_t kBlockRounds = 16384;
constexpr int64_t kMaxBlockSessions = 256;
// The band table's rows hold whole cache lines of a block (16 floats), so two workers never write
// into the same line.
constexpr int64_t kLineFloats = 16;

int64_t BlockSessions(int64_t rounds) {
  const int64_t sessions = std::clamp<int64_t>(kBlockRounds / rounds, 1, kMaxBlockSessions);
  return sessions >= kLineFloats ? sessions / kLineFloats * kLineFloats : sessions;
}

// a / b rounded to the nearest whole number, halves away from zero (b > 0).
__int128 RoundedQuotient(__int128 a, __int128 b) {
  const bool negative = a < 0;
  if (negative) a = -a;
  const __int128 q = (2 * a + b) / (2 * b);
  return negative ? -q : q;
}

// What one worker plays with: its own copy of the system and pattern (an Ashfinch progression
// carries state), its own table, and the shared round procedure over them. Aligned to cache
// lines, so that two workers' tables, which change every round, never share one.
struct alignas(64) Worker {
  RunSources sources;
  std::optional<EngineRunTable> table;
  std::optional<RoundProcedure> procedure;
  // The band points of the block's sessions, one row per session, copied out point by point when
  // the block is done: writing each round's point straight into the study's point-major table
  // would touch a new cache line every time.
  std::vector<float> block_points;
};

struct SessionPlan {
  const StudyRequest* request = nullptr;
  int64_t sessions = 0;
  size_t row = 0;  // floats from one point's row to the next: sessions, rounded up to whole lines
  int points = 0;
  std::vector<int64_t> point_rounds;
  float* point_values = nullptr;  // point-major: [j * row + index]
  Cents* finals = nullptr;
};

// Plays session `index` as a run without display plays it; false when the study was cancelled
// before the session ended.
bool PlaySession(Worker& w, const SessionPlan& plan, int64_t index, float* values, const std::atomic<bool>& stop,
                 SessionResult& out) {
  const StudyRequest& request = *plan.request;
  EngineRunTable& table = *w.table;
  RoundProcedure& procedure = *w.procedure;
  table.SetSessionSeed(StudySessionSeed(request.seed, index));
  table.BeginRun(request.rounds);
  w.sources.system->Restart();
  procedure.Begin(request.limits);

  int next_point = 0;
  int64_t next_point_round = plan.point_rounds[0];
  RoundStop why = RoundStop::kNone;
  for (int64_t i = 0; i < request.rounds; ++i) {
    if ((i & 1023) == 0 && stop.load(std::memory_order_relaxed)) return false;
    why = procedure.Play(i, nullptr);
    if (why != RoundStop::kNone) break;
    if (i + 1 == next_point_round) {
      values[next_point] = static_cast<float>(table.Balance()) / 100.0f;
      ++next_point;
      next_point_round = next_point < plan.points ? plan.point_rounds[next_point] : -1;
    }
  }
  const Cents final_balance = table.Balance();
  // A session that ended keeps its final balance in the later points.
  for (; next_point < plan.points; ++next_point)
    values[next_point] = static_cast<float>(final_balance) / 100.0f;
  plan.finals[index] = final_balance;

  const RunStatistics& stats = procedure.stats();
  out.final_balance = final_balance;
  out.lowest_balance = stats.lowest_balance;
  out.total_paid = stats.total_out;
  out.total_staked = stats.total_in;
  out.rounds = static_cast<int32_t>(table.RoundCounter());
  out.end = why == RoundStop::kNone ? SessionEnd::kRounds : SessionEndOf(why);
  table.EndRun();
  return true;
}

// Floats as unsigned keys in the same order.
uint32_t OrderKey(float f) {
  uint32_t bits = 0;
  std::memcpy(&bits, &f, sizeof bits);
  return (bits & 0x80000000u) != 0 ? ~bits : (bits | 0x80000000u);
}

float FromOrderKey(uint32_t key) {
  const uint32_t bits = (key & 0x80000000u) != 0 ? (key & 0x7FFFFFFFu) : ~key;
  float f = 0;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

// Runs fn(i) for i in [0, count) on `threads` threads.
template <typename F>
void ParallelFor(int threads, int64_t count, F fn) {
  std::atomic<int64_t> next{0};
  auto body = [&] {
    for (int64_t i = next++; i < count; i = next++) fn(i);
  };
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(body);
  body();
  for (std::thread& t : pool) t.join();
}

}  // namespace

// A histogram of the keys over their range finds the
// class that holds each wanted rank; a class of few values is gathered and selected among, a
// crowded one (many sessions on the same few balances) is split by a finer histogram of its own
// range until its keys are single values or few enough.
void BandPercentiles(const float* values, size_t n, float* out) {
  constexpr int kBits = 12;
  constexpr uint32_t kClasses = 1u << kBits;
  constexpr size_t kGatherAtMost = 1 << 16;
  constexpr size_t kWanted = kBandPercentiles.size();
  if (n == 0) {
    std::fill(out, out + kWanted, 0.0f);
    return;
  }
  uint32_t lo = UINT32_MAX;
  uint32_t hi = 0;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t k = OrderKey(values[i]);
    lo = std::min(lo, k);
    hi = std::max(hi, k);
  }
  // Classes of 2^shift keys from base; the histogram of the keys in [base, base + 2^width).
  struct Level {
    uint32_t base = 0;
    int shift = 0;
    std::array<uint32_t, kClasses> counts{};
  };
  auto count = [&](Level& level, uint32_t base, uint64_t span, int shift) {
    level.base = base;
    level.shift = shift;
    level.counts.fill(0);
    for (size_t i = 0; i < n; ++i) {
      const uint32_t offset = OrderKey(values[i]) - base;
      if (offset < span) ++level.counts[offset >> shift];
    }
  };
  int top_shift = 0;
  while (((hi - lo) >> top_shift) >= kClasses) ++top_shift;
  Level top;
  count(top, lo, static_cast<uint64_t>(hi - lo) + 1, top_shift);

  // Where each wanted rank lies in the top histogram.
  std::array<uint32_t, kWanted> cls{};
  std::array<size_t, kWanted> inside{};
  size_t below = 0;
  uint32_t c = 0;
  for (size_t q = 0; q < kWanted; ++q) {
    size_t rank = static_cast<size_t>((static_cast<unsigned __int128>(n) * kBandPercentiles[q] + 99) / 100);
    rank = std::clamp<size_t>(rank, 1, n);
    while (below + top.counts[c] < rank) below += top.counts[c++];
    cls[q] = c;
    inside[q] = rank - below;
  }
  // Few-valued classes of the top histogram: gathered together in one pass.
  std::array<uint8_t, kClasses> slot_of;
  slot_of.fill(UINT8_MAX);
  uint8_t slots = 0;
  for (size_t q = 0; q < kWanted; ++q)
    if ((top_shift == 0 || top.counts[cls[q]] <= kGatherAtMost) && slot_of[cls[q]] == UINT8_MAX)
      slot_of[cls[q]] = slots++;
  thread_local std::array<std::vector<uint32_t>, kWanted> gathered;
  if (top_shift > 0 && slots > 0) {
    for (uint8_t k = 0; k < slots; ++k) gathered[k].clear();
    for (size_t i = 0; i < n; ++i) {
      const uint32_t k = OrderKey(values[i]);
      const uint8_t to = slot_of[(k - lo) >> top_shift];
      if (to != UINT8_MAX) gathered[to].push_back(k);
    }
  }
  Level finer;
  for (size_t q = 0; q < kWanted; ++q) {
    if (top_shift == 0) {
      out[q] = FromOrderKey(lo + cls[q]);
      continue;
    }
    if (slot_of[cls[q]] != UINT8_MAX) {
      std::vector<uint32_t>& in = gathered[slot_of[cls[q]]];
      auto nth = in.begin() + static_cast<std::ptrdiff_t>(inside[q] - 1);
      std::nth_element(in.begin(), nth, in.end());
      out[q] = FromOrderKey(*nth);
      continue;
    }
    // A crowded class: narrow it down level by level.
    uint32_t base = lo + (cls[q] << top_shift);
    int shift = top_shift;
    size_t rank = inside[q];
    for (;;) {
      const int next_shift = std::max(0, shift - kBits);
      count(finer, base, uint64_t{1} << shift, next_shift);
      size_t skipped = 0;
      uint32_t f = 0;
      while (skipped + finer.counts[f] < rank) skipped += finer.counts[f++];
      rank -= skipped;
      base += f << next_shift;
      shift = next_shift;
      if (shift == 0) {
        out[q] = FromOrderKey(base);
        break;
      }
      if (finer.counts[f] <= kGatherAtMost) {
        thread_local std::vector<uint32_t> narrowed;
        std::vector<uint32_t>& in = narrowed;
        in.clear();
        for (size_t i = 0; i < n; ++i) {
          const uint32_t k = OrderKey(values[i]);
          if (k - base < (uint64_t{1} << shift)) in.push_back(k);
        }
        auto nth = in.begin() + static_cast<std::ptrdiff_t>(rank - 1);
        std::nth_element(in.begin(), nth, in.end());
        out[q] = FromOrderKey(*nth);
        break;
      }
    }
  }
}

std::string_view SessionEndName(SessionEnd end) { return kEndNames[static_cast<size_t>(end)]; }
std::string_view SessionEndLabel(SessionEnd end) { return kEndLabels[static_cast<size_t>(end)]; }

bool IsRuin(SessionEnd end) {
  return end == SessionEnd::kLossLimit || end == SessionEnd::kInsufficient || end == SessionEnd::kBankrupt;
}

SessionEnd SessionEndOf(RoundStop stop) {
  switch (stop) {
    case RoundStop::kNone:
      return SessionEnd::kRounds;
    case RoundStop::kProfitLimit:
      return SessionEnd::kTarget;
    case RoundStop::kLossLimit:
      return SessionEnd::kLossLimit;
    case RoundStop::kBalanceShort:
      return SessionEnd::kInsufficient;
    case RoundStop::kBalanceBelowOne:
      return SessionEnd::kBankrupt;
    default:
      return SessionEnd::kError;
  }
}

uint64_t StudySessionSeed(uint64_t study_seed, int64_t index) {
  // Keyed by the study seed, then counted: distinct sessions of one study never share a seed.
  return SplitMix64(SplitMix64(study_seed) + static_cast<uint64_t>(index));
}

std::optional<std::string> ReadStudyCounts(std::string_view sessions, std::string_view rounds,
                                           std::string_view jobs, StudyCounts& out) {
  auto read = [](std::string_view typed, int64_t low, int64_t high, int64_t& value) {
    const std::string text = Trim(typed);
    long long v = 0;
    if (!IsDigits(text) || !ParseInt64(text, v) || v < low || v > high) return false;
    value = v;
    return true;
  };
  int64_t jobs_value = 0;
  if (!read(sessions, 1, kStudyMaxSessions, out.sessions)) return study_texts::kSessionsRange;
  if (!read(rounds, 1, kStudyMaxRounds, out.rounds)) return study_texts::kRoundsRange;
  if (!Trim(jobs).empty() && !read(jobs, 1, kStudyMaxJobs, jobs_value)) return study_texts::kJobsRange;
  out.jobs = static_cast<int>(jobs_value);
  return std::nullopt;
}

Proportion WilsonInterval(int64_t count, int64_t n, double z) {
  Proportion p;
  p.count = count;
  if (n <= 0) return p;
  const double nn = static_cast<double>(n);
  const double share = static_cast<double>(count) / nn;
  const double z2 = z * z;
  const double denominator = 1 + z2 / nn;
  const double centre = (share + z2 / (2 * nn)) / denominator;
  const double half = z / denominator * std::sqrt(share * (1 - share) / nn + z2 / (4 * nn * nn));
  p.share = share;
  p.low = std::max(0.0, centre - half);
  p.high = std::min(1.0, centre + half);
  return p;
}

double StudySummary::payout_pct() const {
  if (total_staked <= 0) return 0;
  return static_cast<double>(total_paid) / static_cast<double>(total_staked);  // cents / units = percent
}

double StudySummary::mean_rounds() const {
  return sessions_done > 0 ? static_cast<double>(total_rounds) / static_cast<double>(sessions_done) : 0;
}

Histogram MakeHistogram(const std::vector<Cents>& values, int bins) {
  Histogram h;
  if (values.empty() || bins < 1) return h;
  const auto [lo_it, hi_it] = std::minmax_element(values.begin(), values.end());
  const Cents lo = *lo_it;
  Cents hi = *hi_it;
  if (hi == lo) hi = lo + 100;  // one class one unit wide
  const __int128 span = static_cast<__int128>(hi) - lo;
  h.edges.resize(static_cast<size_t>(bins) + 1);
  for (int i = 0; i <= bins; ++i) h.edges[i] = lo + static_cast<Cents>(span * i / bins);
  h.counts.assign(static_cast<size_t>(bins), 0);
  for (Cents v : values) {
    int64_t k = static_cast<int64_t>((static_cast<__int128>(v) - lo) * bins / span);
    if (k >= bins) k = bins - 1;  // the highest value closes the last class
    ++h.counts[static_cast<size_t>(k)];
  }
  return h;
}

int StudyPointCount(int64_t sessions, int64_t rounds) {
  int64_t points = std::min<int64_t>(kStudyMaxPoints, rounds);
  if (sessions > 0) points = std::min<int64_t>(points, std::max<int64_t>(1, kStudyPointBudget / sessions));
  return static_cast<int>(std::max<int64_t>(points, 1));
}

int64_t StudyPointRound(int j, int points, int64_t rounds) {
  return static_cast<int64_t>(static_cast<__int128>(j + 1) * rounds / points);
}

Study::Study(fs::path program_folder, TableSettings settings, Clock& clock, RunSourceLoader& loader)
    : program_folder_(std::move(program_folder)), settings_(std::move(settings)), clock_(clock), loader_(loader) {}

void Study::RequestStop() {
  stop_ = true;
  { std::lock_guard<std::mutex> lock(mutex_); }
  changed_.notify_all();
}

StudyResult Study::Run(const StudyRequest& request, StudyObserver& observer) {
  StudyResult result;
  if (request.sessions < 1 || request.sessions > kStudyMaxSessions) {
    result.message = study_texts::kSessionsRange;
    return result;
  }
  if (request.rounds < 1 || request.rounds > kStudyMaxRounds) {
    result.message = study_texts::kRoundsRange;
    return result;
  }
  if (request.jobs < 0 || request.jobs > kStudyMaxJobs) {
    result.message = study_texts::kJobsRange;
    return result;
  }
  if (Trim(request.system_name).empty() || Trim(request.pattern_name).empty()) {
    result.message = run_texts::kChooseSystemAndPattern;
    return result;
  }

  const int64_t sessions = request.sessions;
  const int64_t block = BlockSessions(request.rounds);
  const int64_t blocks = (sessions + block - 1) / block;
  int jobs = request.jobs > 0 ? request.jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  jobs = static_cast<int>(std::min<int64_t>(jobs, blocks));

  // Every worker loads the files as a run loads them, before any session is played.
  std::vector<std::unique_ptr<Worker>> workers;
  for (int k = 0; k < jobs; ++k) {
    Worker& w = *workers.emplace_back(std::make_unique<Worker>());
    try {
      w.sources = loader_.Load(program_folder_, request.system_name, request.pattern_name);
    } catch (const IoError& e) {
      w.sources.message = e.what();
      w.sources.system.reset();
    }
    if (!w.sources.system || !w.sources.pattern) {
      result.message = w.sources.message;
      return result;
    }
    w.table.emplace(program_folder_, settings_, clock_, 0);
    w.table->SetQuiet();
    w.procedure.emplace(RunKind::kProcessingOnly, *w.sources.system, *w.sources.pattern, *w.table, /*texts=*/false);
  }
  result.started = true;
  workers[0]->table->BeginRun(request.rounds);
  const Cents starting_balance = workers[0]->table->Balance();

  SessionPlan plan;
  plan.request = &request;
  plan.sessions = sessions;
  plan.row = static_cast<size_t>((sessions + kLineFloats - 1) / kLineFloats * kLineFloats);
  plan.points = StudyPointCount(sessions, request.rounds);
  for (int j = 0; j < plan.points; ++j) plan.point_rounds.push_back(StudyPointRound(j, plan.points, request.rounds));
  // Left uninitialised: every value read was written by the block that played its session, and the
  // workers touch the pages for the first time in parallel.
  struct Free {
    void operator()(float* p) const { std::free(p); }
  };
  std::unique_ptr<float[], Free> point_values(static_cast<float*>(
      std::aligned_alloc(kLineFloats * sizeof(float), static_cast<size_t>(plan.points) * plan.row * sizeof(float))));
  if (!point_values) throw std::bad_alloc();
  result.finals.resize(static_cast<size_t>(sessions));
  plan.point_values = point_values.get();
  plan.finals = result.finals.data();
  for (auto& w : workers) w->block_points.resize(static_cast<size_t>(block) * static_cast<size_t>(plan.points));

  // Finished blocks wait in a ring until the study's thread takes them in order; workers never
  // run further ahead than the ring holds, so memory does not grow with the number of sessions.
  const int64_t ring = 4 * static_cast<int64_t>(jobs) + 8;
  std::vector<SessionResult> slots(static_cast<size_t>(ring * block));
  std::vector<char> slot_done(static_cast<size_t>(ring), 0);
  int64_t next_block = 0;
  int64_t taken = 0;  // blocks handed to the observer, in order
  std::exception_ptr failure;

  auto work = [&](Worker& w) {
    try {
      for (;;) {
        int64_t b = 0;
        {
          std::unique_lock<std::mutex> lock(mutex_);
          changed_.wait(lock, [&] { return stop_ || next_block >= blocks || next_block < taken + ring; });
          if (stop_ || next_block >= blocks) return;
          b = next_block++;
        }
        SessionResult* out = &slots[static_cast<size_t>((b % ring) * block)];
        const int64_t first = b * block;
        const int64_t last = std::min(sessions, first + block);
        const size_t points = static_cast<size_t>(plan.points);
        for (int64_t s = first; s < last; ++s)
          if (!PlaySession(w, plan, s, &w.block_points[static_cast<size_t>(s - first) * points], stop_,
                           out[s - first]))
            return;
        const size_t count = static_cast<size_t>(last - first);
        for (size_t j = 0; j < points; ++j) {
          float* to = plan.point_values + j * plan.row + static_cast<size_t>(first);
          for (size_t k = 0; k < count; ++k) to[k] = w.block_points[k * points + j];
        }
        {
          std::lock_guard<std::mutex> lock(mutex_);
          slot_done[static_cast<size_t>(b % ring)] = 1;
        }
        changed_.notify_all();
      }
    } catch (...) {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!failure) failure = std::current_exception();
      stop_ = true;
      changed_.notify_all();
    }
  };
  std::vector<std::thread> threads;
  // Whatever leaves this function, the workers are stopped and joined first.
  struct Joiner {
    Study& study;
    std::vector<std::thread>& threads;
    ~Joiner() {
      study.RequestStop();
      for (std::thread& t : threads)
        if (t.joinable()) t.join();
    }
  } joiner{*this, threads};
  for (auto& w : workers) threads.emplace_back(work, std::ref(*w));

  StudySummary& summary = result.summary;
  summary.sessions_requested = sessions;
  summary.rounds_requested = request.rounds;
  summary.starting_balance = starting_balance;
  __int128 final_sum = 0;
  auto last_progress = std::chrono::steady_clock::now();
  observer.OnProgress(0, sessions);
  while (taken < blocks) {
    bool ready = false;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait_for(lock, std::chrono::milliseconds(50),
                        [&] { return stop_ || slot_done[static_cast<size_t>(taken % ring)] != 0; });
      if (stop_) break;
      ready = slot_done[static_cast<size_t>(taken % ring)] != 0;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - last_progress >= std::chrono::milliseconds(50)) {
      last_progress = now;
      observer.OnProgress(std::min(sessions, taken * block), sessions);
    }
    if (!ready) continue;
    const SessionResult* in = &slots[static_cast<size_t>((taken % ring) * block)];
    const int64_t first = taken * block;
    const int64_t last = std::min(sessions, first + block);
    for (int64_t s = first; s < last; ++s) {
      const SessionResult& r = in[s - first];
      ++summary.ends[static_cast<size_t>(r.end)];
      summary.total_staked += r.total_staked;
      summary.total_paid += r.total_paid;
      summary.total_rounds += r.rounds;
      final_sum += r.final_balance;
      observer.OnSession(s, StudySessionSeed(request.seed, s), r);
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      slot_done[static_cast<size_t>(taken % ring)] = 0;
      ++taken;
    }
    changed_.notify_all();
  }
  // Workers waiting for room in the ring hear of a stop raised without a notification.
  { std::lock_guard<std::mutex> lock(mutex_); }
  changed_.notify_all();
  for (std::thread& t : threads) t.join();
  threads.clear();
  if (failure) std::rethrow_exception(failure);

  const int64_t done = std::min(sessions, taken * block);
  summary.sessions_done = done;
  summary.cancelled = done < sessions;
  observer.OnProgress(done, sessions);
  result.finals.resize(static_cast<size_t>(done));
  result.finals.shrink_to_fit();
  summary.ruin = WilsonInterval(summary.ends[static_cast<size_t>(SessionEnd::kLossLimit)] +
                                    summary.ends[static_cast<size_t>(SessionEnd::kInsufficient)] +
                                    summary.ends[static_cast<size_t>(SessionEnd::kBankrupt)],
                                done);
  summary.target = WilsonInterval(summary.ends[static_cast<size_t>(SessionEnd::kTarget)], done);
  if (done == 0) return result;
  summary.mean_final = static_cast<Cents>(RoundedQuotient(final_sum, done));
  const auto [lo, hi] = std::minmax_element(result.finals.begin(), result.finals.end());
  summary.lowest_final = *lo;
  summary.highest_final = *hi;
  NearestRankPercentiles(result.finals, 0, result.finals.size(), kFinalPercentiles.data(), kFinalPercentiles.size(),
                         summary.final_percentiles.data());

  StudyBands& bands = result.bands;
  bands.rounds.push_back(0);
  for (int64_t r : plan.point_rounds) bands.rounds.push_back(r);
  for (auto& v : bands.values) {
    v.assign(bands.rounds.size(), 0.0);
    v[0] = static_cast<double>(starting_balance) / 100.0;
  }
  ParallelFor(jobs, plan.points, [&](int64_t j) {
    std::array<float, kBandPercentiles.size()> band{};
    BandPercentiles(point_values.get() + static_cast<size_t>(j) * plan.row,
                    static_cast<size_t>(done), band.data());
    for (size_t k = 0; k < band.size(); ++k) bands.values[k][static_cast<size_t>(j) + 1] = band[k];
  });
  return result;
}

}  // namespace vessaro
