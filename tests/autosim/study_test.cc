#include "autosim/study.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <set>

#include "autosim/run_table.h"
#include "autosim/system_sources.h"
#include "common/hex.h"
#include "common/text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/ashfinch.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "systems/special_pattern.h"

namespace vessaro {
namespace {

using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeEventPump;
using testing::TempFolder;

// Keeps every session it is told of, in order.
class Recorder : public StudyObserver {
 public:
  void OnSession(int64_t index, uint64_t seed, const SessionResult& s) override {
    indices.push_back(index);
    seeds.push_back(seed);
    sessions.push_back(s);
    if (on_session) on_session(index);
  }
  void OnProgress(int64_t done, int64_t total) override { progress.emplace_back(done, total); }
  std::vector<int64_t> indices;
  std::vector<uint64_t> seeds;
  std::vector<SessionResult> sessions;
  std::vector<std::pair<int64_t, int64_t>> progress;
  std::function<void(int64_t)> on_session;
};

bool SameSession(const SessionResult& a, const SessionResult& b) {
  return a.final_balance == b.final_balance && a.lowest_balance == b.lowest_balance &&
         a.total_paid == b.total_paid && a.total_staked == b.total_staked && a.rounds == b.rounds && a.end == b.end;
}

// A program folder with the table settings and a few systems and patterns.
class StudyTest : public ::testing::Test {
 protected:
  StudyTest() {
    SetRules("1000", 1, 500);
    EnsureFolder(BetPatternFolder(dir.path()));
    std::vector<CardFields> flat(60), doubling(60), pattern(20), broken(60);
    flat[0] = {"50", "1", "1"};
    // 10, 20, 40, 80, 160, 320 and back to 10 after the sixth loss; a win starts again.
    for (int k = 0; k < 6; ++k)
      doubling[k] = {std::to_string(10 << k), "1", std::to_string(k == 5 ? 1 : k + 2)};
    pattern[0] = {"B", "1", "1"};
    broken[0] = {"10", "2", "2"};
    broken[1] = {"600", "1", "1"};  // above the table maximum of 500
    WriteCardFile(SystemFilePath(dir.path(), "flat"), flat);
    WriteCardFile(SystemFilePath(dir.path(), "doubling"), doubling);
    WriteCardFile(SystemFilePath(dir.path(), "broken"), broken);
    WriteCardFile(PatternFilePath(dir.path(), "banker"), pattern);
    WriteAshfinchFile(AshfinchFilePath(dir.path(), "ash"), AshfinchSettings{});
    SpecialPatternDefinition against;  // bets against a run of two, from the result history
    against.strategy = SpecialPatternDefinition::Strategy::kCondition;
    against.otherbets = "P";
    against.streaks[0] = {true, 2};
    WriteTextFile(SpecialPatternFilePath(dir.path(), "against"), MakeSpecialPatternText(against));
  }
  void SetRules(const std::string& balance, int minimum, int maximum) {
    dir.Write("System/Rules.dat", HexEncodeText("blance=" + balance + "&minimum=" + std::to_string(minimum) +
                                                "&maximum=" + std::to_string(maximum) +
                                                "&blancememory=False&sleeptime=250&randommode=完全確率モード"));
    ASSERT_EQ(ReadTableSettings(dir.path(), settings), SettingsLoadResult::kLoaded);
  }
  StudyResult Play(const StudyRequest& request, StudyObserver& observer) {
    Study study(dir.path(), settings, clock, loader);
    return study.Run(request, observer);
  }
  static StudyRequest Request(std::string system, std::string pattern, int64_t sessions, int64_t rounds,
                              StopLimits limits = {}, int jobs = 2) {
    StudyRequest r;
    r.system_name = std::move(system);
    r.pattern_name = std::move(pattern);
    r.sessions = sessions;
    r.rounds = rounds;
    r.limits = limits;
    r.seed = 20240101;
    r.jobs = jobs;
    return r;
  }

  TempFolder dir;
  TableSettings settings;
  FakeClock clock;
  SystemsRunSourceLoader loader;
};

// ---- Theory: the exact ruin probability by dynamic programming over the balance ----

// One round under "完全確率モード": of the 13^6 equally likely card sequences, Banker wins
// 2,212,744, Player 2,153,464 and 460,601 are ties.
constexpr double kAll = 4826809.0;
constexpr double kBanker = 2212744 / kAll, kPlayer = 2153464 / kAll, kTie = 460601 / kAll;

struct Card {
  int64_t stake;
  int win_next, lose_next;
};

// Ruin and target probabilities of betting Banker with the given cards (card 1 first) from
// `start` cents over `rounds` rounds, with the checks a run makes before each bet: the balance
// below 1 unit, the stop bounds (whole units, strictly beyond), the stake above the balance.
struct Exact {
  double ruin = 0, target = 0;
};
Exact ExactByDynamicProgramming(const std::vector<Card>& cards, int64_t start, int profit, int loss, int rounds) {
  const int64_t t = start / 100;
  const int64_t upper = t + profit, lower = std::max<int64_t>(0, t - loss);
  std::map<std::pair<int64_t, int>, double> now{{{start, 1}, 1.0}};
  Exact e;
  for (int r = 0; r < rounds; ++r) {
    std::map<std::pair<int64_t, int>, double> next;
    for (const auto& [state, p] : now) {
      const auto [balance, card] = state;
      const int64_t units = balance / 100;
      if (units < 1) {
        e.ruin += p;
        continue;
      }
      if (profit != 0 && (units < lower || units > upper)) {
        (units > upper ? e.target : e.ruin) += p;
        continue;
      }
      const Card& c = cards[card - 1];
      if (balance < c.stake * 100) {
        e.ruin += p;
        continue;
      }
      next[{balance + 95 * c.stake, c.win_next}] += p * kBanker;
      next[{balance - 100 * c.stake, c.lose_next}] += p * kPlayer;
      next[{balance, card}] += p * kTie;
    }
    now = std::move(next);
  }
  return e;
}

// |observed - p| within the 99 % interval of a binomial share of n.
void ExpectWithin99(double observed, double p, int64_t n, const char* what) {
  const double half = 2.5758293035489 * std::sqrt(p * (1 - p) / static_cast<double>(n));
  EXPECT_NEAR(observed, p, half) << what << ": exact " << p << ", observed " << observed;
}

TEST_F(StudyTest, RuinOfFlatBettingMatchesTheExactProbability) {
  // Flat 50 on Banker from 1000, stopping beyond a profit of 300 or a loss of 300.
  Recorder quiet;
  StudyResult r = Play(Request("flat", "banker", 20000, 120, {300, 300}), quiet);
  ASSERT_TRUE(r.started) << r.message;
  const Exact exact = ExactByDynamicProgramming({{50, 1, 1}}, 100000, 300, 300, 120);
  ASSERT_GT(exact.ruin, 0.2);
  ASSERT_GT(exact.target, 0.2);
  ExpectWithin99(r.summary.ruin.share, exact.ruin, 20000, "ruin");
  ExpectWithin99(r.summary.target.share, exact.target, 20000, "target");
  EXPECT_EQ(r.summary.ends[static_cast<int>(SessionEnd::kLossLimit)], r.summary.ruin.count);
}

TEST_F(StudyTest, RuinOfADoublingSystemMatchesTheExactProbability) {
  // 10 doubling up to 320 on Banker from 1000 with a loss limit of 800 (the profit limit is set
  // too, as a run needs both, but out of reach). Ruin comes from the loss limit and from stakes
  // above the balance.
  std::vector<Card> cards;
  for (int k = 0; k < 6; ++k) cards.push_back({10LL << k, 1, k == 5 ? 1 : k + 2});
  Recorder recorder;
  StudyResult r = Play(Request("doubling", "banker", 20000, 100, {99999, 800}), recorder);
  ASSERT_TRUE(r.started) << r.message;
  const Exact exact = ExactByDynamicProgramming(cards, 100000, 99999, 800, 100);
  ASSERT_GT(exact.ruin, 0.1);
  ExpectWithin99(r.summary.ruin.share, exact.ruin, 20000, "ruin");
  EXPECT_EQ(r.summary.ends[static_cast<int>(SessionEnd::kTarget)], 0);
  EXPECT_GT(r.summary.ends[static_cast<int>(SessionEnd::kInsufficient)], 0);
  EXPECT_GT(r.summary.ends[static_cast<int>(SessionEnd::kLossLimit)], 0);
  // The Wilson interval holds the share.
  EXPECT_LT(r.summary.ruin.low, r.summary.ruin.share);
  EXPECT_GT(r.summary.ruin.high, r.summary.ruin.share);
}

// ---- Workers never change the result ----

TEST_F(StudyTest, AnyNumberOfWorkersGivesTheSameStudy) {
  // An Ashfinch progression carries state from round to round, and a special pattern reads the
  // result history: both must start afresh in every session whichever worker plays it.
  for (const auto& [system, pattern] : {std::pair{"ash_ashfinchbasic", "against"}, std::pair{"doubling", "banker"}}) {
    SCOPED_TRACE(system);
    std::vector<Recorder> recorders(3);
    std::vector<StudyResult> results;
    for (int jobs : {1, 2, 3}) {
      results.push_back(
          Play(Request(system, pattern, 300, 200, {200, 300}, jobs), recorders[static_cast<size_t>(jobs - 1)]));
      ASSERT_TRUE(results.back().started) << results.back().message;
    }
    for (size_t k = 1; k < 3; ++k) {
      ASSERT_EQ(recorders[k].sessions.size(), 300u);
      EXPECT_EQ(recorders[k].seeds, recorders[0].seeds);
      for (size_t s = 0; s < 300; ++s)
        ASSERT_TRUE(SameSession(recorders[k].sessions[s], recorders[0].sessions[s])) << "session " << s;
      EXPECT_EQ(results[k].summary.final_percentiles, results[0].summary.final_percentiles);
      EXPECT_EQ(results[k].summary.mean_final, results[0].summary.mean_final);
      EXPECT_EQ(results[k].bands.values, results[0].bands.values);
    }
    std::vector<int64_t> order(300);
    for (size_t s = 0; s < 300; ++s) order[s] = static_cast<int64_t>(s);
    EXPECT_EQ(recorders[1].indices, order);
  }
}

// ---- A session is a run without display with the session's seed ----

TEST_F(StudyTest, EverySessionPlaysAsARunWithItsSeed) {
  // Between them the two cases meet every ending: the target, the loss limit, a stake above the
  // balance, a balance below 1 and the last round; a stake above the table maximum is an error.
  struct Case {
    const char* balance;
    const char* system;
    StopLimits limits;
  } cases[] = {{"700", "doubling", {150, 600}}, {"100", "flat", {}}};
  std::set<SessionEnd> ends;
  for (const Case& c : cases) {
    SetRules(c.balance, 1, 500);
    Recorder recorder;
    StudyResult study = Play(Request(c.system, "banker", 40, 120, c.limits), recorder);
    ASSERT_TRUE(study.started) << study.message;
    for (size_t i = 0; i < recorder.sessions.size(); ++i) {
      const SessionResult& s = recorder.sessions[i];
      ends.insert(s.end);
      FakeDialogs dialogs;
      FakeEventPump pump;
      RunDriver driver(dir.path(), dialogs, pump, clock, loader);
      EngineRunTable table(dir.path(), settings, clock, recorder.seeds[i]);
      RunObserver observer;
      RunRequest run;
      run.system_name = c.system;
      run.pattern_name = "banker";
      run.trials_text = "120";
      run.log_field = (dir / "log/x").string();
      run.limits = c.limits;
      RunResult result = driver.Run(run, table, observer);
      SCOPED_TRACE(std::string(c.system) + " session " + std::to_string(i) + ", " +
                   std::string(SessionEndName(s.end)));
      EXPECT_EQ(result.rounds_played, s.rounds);
      EXPECT_EQ(table.Balance(), s.final_balance);
      // The run's summary lines carry its total staked and its lowest balance.
      if (s.total_paid > 0) {
        EXPECT_NE(result.summary1.find("合計IN：" + FormatCents(UnitsToCents(s.total_staked)) + " "),
                  std::string::npos)
            << result.summary1;
        EXPECT_NE(result.summary2.find("最大損失時残高：" + FormatCents(s.lowest_balance) + " "),
                  std::string::npos)
            << result.summary2;
      }
      const char* message = s.end == SessionEnd::kRounds        ? ""
                            : s.end == SessionEnd::kBankrupt     ? "続行不能なエラーが発生しました"
                            : s.end == SessionEnd::kInsufficient ? "残高が足りません"
                                                                 : "終了条件に達しました";
      EXPECT_TRUE(StartsWith(result.stop_message, message)) << result.stop_message;
    }
  }
  for (SessionEnd end : {SessionEnd::kTarget, SessionEnd::kLossLimit, SessionEnd::kInsufficient,
                         SessionEnd::kBankrupt, SessionEnd::kRounds})
    EXPECT_TRUE(ends.count(end)) << "no session ended as " << SessionEndName(end);
  Recorder errors;
  StudyResult broken = Play(Request("broken", "banker", 20, 50), errors);
  EXPECT_EQ(broken.summary.ends[static_cast<int>(SessionEnd::kError)], 20);
}

// ---- Summary, bands, cancel ----

TEST_F(StudyTest, SummaryAndBandsDescribeTheSessions) {
  SetRules("100000", 1, 500);  // no session can end early: every band point is a played round
  Recorder recorder;
  StudyResult r = Play(Request("flat", "banker", 501, 1000), recorder);
  ASSERT_TRUE(r.started);
  const StudySummary& s = r.summary;
  EXPECT_EQ(s.sessions_done, 501);
  EXPECT_FALSE(s.cancelled);
  EXPECT_EQ(s.starting_balance, 10000000);
  EXPECT_EQ(s.ends[static_cast<int>(SessionEnd::kRounds)], 501);
  EXPECT_EQ(s.total_rounds, 501 * 1000);
  EXPECT_DOUBLE_EQ(s.mean_rounds(), 1000.0);
  std::vector<Cents> finals;
  __int128 paid = 0;
  for (const SessionResult& session : recorder.sessions) {
    finals.push_back(session.final_balance);
    paid += session.total_paid;
    EXPECT_EQ(session.total_staked, 50 * 1000);
  }
  std::sort(finals.begin(), finals.end());
  // Nearest rank: the 1st percentile of 501 values is the 6th smallest, the median the 251st.
  EXPECT_EQ(s.final_percentiles[0], finals[5]);
  EXPECT_EQ(s.final_percentiles[3], finals[250]);
  EXPECT_EQ(s.final_percentiles[6], finals[495]);
  EXPECT_EQ(s.lowest_final, finals.front());
  EXPECT_EQ(s.highest_final, finals.back());
  EXPECT_NEAR(s.payout_pct(), static_cast<double>(paid) / (501.0 * 50 * 1000), 1e-9);
  EXPECT_NEAR(s.payout_pct(), 98.9, 1.0);  // Banker's house edge of about 1.06 %

  // 1000 points, at rounds 1 to 1000, after round 0; the last point is the final balance.
  ASSERT_EQ(r.bands.rounds.size(), 1001u);
  EXPECT_EQ(r.bands.rounds[1], 1);
  EXPECT_EQ(r.bands.rounds.back(), 1000);
  for (const auto& band : r.bands.values) EXPECT_EQ(band[0], 100000.0);
  const std::array<size_t, 5> ranks = {25, 125, 250, 375, 475};  // ceil(q x 501 / 100) - 1
  for (size_t k = 0; k < 5; ++k)
    EXPECT_NEAR(r.bands.values[k].back(), static_cast<double>(finals[ranks[k]]) / 100, 0.01);
  for (size_t j = 1; j < r.bands.rounds.size(); ++j)
    for (size_t k = 1; k < 5; ++k) ASSERT_LE(r.bands.values[k - 1][j], r.bands.values[k][j]);
}

TEST_F(StudyTest, CancelKeepsTheSessionsFinishedInOrder) {
  Recorder recorder;
  StudyRequest request = Request("doubling", "banker", 5000, 1000, {200, 300});
  Study study(dir.path(), settings, clock, loader);
  recorder.on_session = [&](int64_t index) {
    if (index == 0) study.RequestStop();
  };
  StudyResult cancelled = study.Run(request, recorder);
  ASSERT_TRUE(cancelled.started);
  const StudySummary& s = cancelled.summary;
  EXPECT_TRUE(s.cancelled);
  EXPECT_GE(s.sessions_done, 1);
  EXPECT_LT(s.sessions_done, 5000);
  EXPECT_EQ(static_cast<int64_t>(recorder.sessions.size()), s.sessions_done);
  EXPECT_EQ(static_cast<int64_t>(cancelled.finals.size()), s.sessions_done);
  EXPECT_EQ(recorder.progress.back(), std::make_pair(s.sessions_done, int64_t{5000}));
  // What was kept is exactly the study of that many sessions.
  request.sessions = s.sessions_done;
  Recorder whole;
  StudyResult shorter = Play(request, whole);
  EXPECT_EQ(shorter.summary.ends, s.ends);
  EXPECT_EQ(shorter.summary.final_percentiles, s.final_percentiles);
  EXPECT_EQ(shorter.bands.values, cancelled.bands.values);
  // A stop asked before the start plays nothing and says so.
  Study stopped(dir.path(), settings, clock, loader);
  stopped.RequestStop();
  Recorder none;
  StudyResult empty = stopped.Run(request, none);
  EXPECT_TRUE(empty.summary.cancelled);
  EXPECT_EQ(empty.summary.sessions_done, 0);
  EXPECT_TRUE(none.sessions.empty());
}

// ---- Input ----

TEST_F(StudyTest, RefusesWhatItCannotPlay) {
  struct Case {
    const char *sessions, *rounds, *jobs, *message;
  } cases[] = {
      {"10000", "1000", "", nullptr},
      {"10000000", "1000000", "256", nullptr},
      {"0", "1000", "", study_texts::kSessionsRange},
      {"10000001", "1000", "", study_texts::kSessionsRange},
      {"-5", "1000", "", study_texts::kSessionsRange},
      {"1e3", "1000", "", study_texts::kSessionsRange},
      {"10", "0", "", study_texts::kRoundsRange},
      {"10", "1000001", "", study_texts::kRoundsRange},
      {"10", "", "", study_texts::kRoundsRange},
      {"10", "10", "0", study_texts::kJobsRange},
      {"10", "10", "257", study_texts::kJobsRange},
  };
  for (const Case& c : cases) {
    StudyCounts counts;
    auto message = ReadStudyCounts(c.sessions, c.rounds, c.jobs, counts);
    EXPECT_EQ(message.value_or(""), c.message ? c.message : "") << c.sessions << " " << c.rounds << " " << c.jobs;
  }
  Recorder recorder;
  StudyResult missing = Play(Request("none", "banker", 10, 10), recorder);
  EXPECT_FALSE(missing.started);
  EXPECT_EQ(missing.message, "システムまたはパターンファイルが存在しません");
  StudyResult unnamed = Play(Request("", "banker", 10, 10), recorder);
  EXPECT_EQ(unnamed.message, run_texts::kChooseSystemAndPattern);
  StudyResult too_many = Play(Request("flat", "banker", kStudyMaxSessions + 1, 10), recorder);
  EXPECT_EQ(too_many.message, study_texts::kSessionsRange);
  EXPECT_TRUE(recorder.sessions.empty());
}

TEST(StudyMathTest, IntervalsPercentilesHistogramAndPoints) {
  // Wilson score intervals (95 %): 50 of 100 gives 0.4038 to 0.5962; 0 of 10 starts at 0.
  Proportion half = WilsonInterval(50, 100);
  EXPECT_NEAR(half.low, 0.40383, 1e-5);
  EXPECT_NEAR(half.high, 0.59617, 1e-5);
  Proportion none = WilsonInterval(0, 10);
  EXPECT_EQ(none.low, 0.0);
  EXPECT_NEAR(none.high, 0.27753, 1e-5);

  std::vector<int> values = {7, 1, 9, 3, 3, 5, 10, 2, 8, 4};
  std::array<int, 3> out{};
  const int qs[] = {10, 50, 99};
  NearestRankPercentiles(values, 0, values.size(), qs, 3, out.data());
  EXPECT_EQ(out, (std::array<int, 3>{1, 4, 10}));
  std::vector<int> one = {42};
  NearestRankPercentiles(one, 0, 1, qs, 3, out.data());
  EXPECT_EQ(out, (std::array<int, 3>{42, 42, 42}));

  // Band percentiles without reordering: spread values, negative ones, a few values repeated a
  // million times (the balances after one or two rounds), and one value.
  std::vector<std::vector<float>> samples(4);
  uint32_t x = 12345;
  for (int i = 0; i < 20000; ++i) {
    x = x * 134775813u + 1u;
    samples[0].push_back(static_cast<float>(x % 2000000) / 100.0f);
    samples[1].push_back(static_cast<float>(static_cast<int>(x % 20001) - 10000) / 8.0f);
  }
  for (int i = 0; i < 1000000; ++i) samples[2].push_back(i % 7 < 3 ? 990.0f : i % 7 < 6 ? 1009.5f : 1000.0f);
  samples[3] = {42.5f};
  for (std::vector<float>& values : samples) {
    std::array<float, 5> fast{}, exact{};
    BandPercentiles(values.data(), values.size(), fast.data());
    std::vector<float> copy = values;
    NearestRankPercentiles(copy, 0, copy.size(), kBandPercentiles.data(), 5, exact.data());
    EXPECT_EQ(fast, exact) << values.size() << " values";
  }

  Histogram h = MakeHistogram({0, 100, 200, 300, 400}, 4);
  EXPECT_EQ(h.edges, (std::vector<Cents>{0, 100, 200, 300, 400}));
  EXPECT_EQ(h.counts, (std::vector<int64_t>{1, 1, 1, 2}));
  Histogram flat = MakeHistogram({500, 500}, 3);
  EXPECT_EQ(flat.counts[0] + flat.counts[1] + flat.counts[2], 2);

  // Up to 1000 points, fewer for short sessions or so many sessions that memory would grow.
  EXPECT_EQ(StudyPointCount(10000, 1000), 1000);
  EXPECT_EQ(StudyPointCount(10000, 20), 20);
  EXPECT_EQ(StudyPointCount(1000000, 1000000), 24);
  EXPECT_EQ(StudyPointCount(kStudyMaxSessions, 1000000), 2);
  EXPECT_LE(StudyPointCount(kStudyMaxSessions, 1000000) * kStudyMaxSessions * 4, 100 * 1000 * 1000);
  EXPECT_EQ(StudyPointRound(0, 3, 10), 3);
  EXPECT_EQ(StudyPointRound(2, 3, 10), 10);
  // Session seeds differ and do not depend on anything but the study seed and the index.
  EXPECT_NE(StudySessionSeed(1, 0), StudySessionSeed(1, 1));
  EXPECT_NE(StudySessionSeed(1, 1), StudySessionSeed(2, 0));
  EXPECT_EQ(StudySessionSeed(7, 5), StudySessionSeed(7, 5));
}

}  // namespace
}  // namespace vessaro
