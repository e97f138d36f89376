// Statistical properties of dealing with fixed session seeds; tolerances are wide enough that
// the fixed seeds can never flake, yet a correlated or biased generator fails them.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>

#include "engine/round.h"

namespace vessaro {
namespace {

constexpr double kTotal = 4826809.0;  // 13^6
constexpr double kBanker = 2212744 / kTotal;
constexpr double kPlayer = 2153464 / kTotal;
constexpr double kTie = 460601 / kTotal;

TEST(DealingStatisticsTest, PerfectProbabilityMatchesTheExactOdds) {
  constexpr int kRounds = 1'000'000;
  for (uint64_t session : {20240101ull, 987654321ull}) {
    RoundEngine engine(session);
    RoundRecord round;
    int64_t b = 0, p = 0, t = 0;
    for (int i = 0; i < kRounds; ++i) {
      engine.DealRound(OutcomeMode::kPerfect, 10, 100000, BiasSide::kPlayer, round);
      (round.result == 'B' ? b : round.result == 'P' ? p : t)++;
    }
    auto within = [](int64_t count, double prob) {
      double se = std::sqrt(prob * (1 - prob) / kRounds);
      return std::abs(count / static_cast<double>(kRounds) - prob) < 4 * se;
    };
    EXPECT_TRUE(within(b, kBanker)) << b;
    EXPECT_TRUE(within(p, kPlayer)) << p;
    EXPECT_TRUE(within(t, kTie)) << t;
  }
}

// Chi-square of the ranks of the first cards of consecutive rounds (13 x 13 cells).
double ConsecutiveFirstCardChiSquare(const std::function<uint32_t(uint64_t)>& seed_of_round) {
  constexpr int kRounds = 400'000;
  std::array<std::array<double, 13>, 13> pairs{};
  RandomGenerator gen;
  int previous = -1;
  for (int k = 0; k < kRounds; ++k) {
    gen.Seed(seed_of_round(k));
    int rank = CardRank(DrawCard(gen)) - 1;
    if (previous >= 0) pairs[previous][rank] += 1;
    previous = rank;
  }
  const double expected = (kRounds - 1) / 169.0;
  double chi = 0;
  for (auto& row : pairs)
    for (double n : row) chi += (n - expected) * (n - expected) / expected;
  return chi;
}

TEST(DealingStatisticsTest, FirstCardsOfConsecutiveRoundsAreIndependent) {
  // 168 degrees of freedom: the 1-in-a-million critical value is about 270.
  double chi = ConsecutiveFirstCardChiSquare([](uint64_t k) { return SeedForRound(4242, k); });
  EXPECT_LT(chi, 270.0);
  // Seeding from a clock that ticks by one per round fails the same test by a wide margin.
  double clock_chi = ConsecutiveFirstCardChiSquare([](uint64_t k) { return static_cast<uint32_t>(36000000 + k); });
  EXPECT_GT(clock_chi, 10000.0);
}

TEST(DealingStatisticsTest, HeavenIsKinderAndHellHarsherThanPerfect) {
  // A flat Banker stake of 10 from 1000: mean return per unit staked under each mode.
  auto edge = [](OutcomeMode mode) {
    RoundEngine engine(55);
    RoundRecord round;
    int64_t net = 0;
    for (int i = 0; i < 200'000; ++i) {
      engine.DealRound(mode, 10, 99000, BiasSide::kBanker, round);
      net += round.result == 'B' ? 95 : round.result == 'P' ? -100 : 0;
    }
    return net / (200'000 * 100.0);
  };
  double perfect = edge(OutcomeMode::kPerfect);
  EXPECT_GT(edge(OutcomeMode::kHeaven), perfect + 0.05);
  EXPECT_LT(edge(OutcomeMode::kHell), perfect - 0.05);
  EXPECT_LT(edge(OutcomeMode::kSuperHell), edge(OutcomeMode::kHell));
}

}  // namespace
}  // namespace vessaro
