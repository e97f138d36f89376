// Measures the bettor's edge of a flat Banker and a flat Player stake under each outcome mode,
// for a small (1 %) and a large (30 %) stake share, and prints a Markdown table.
//
//   mode_edges [rounds] [session seed]
#include <cstdio>
#include <cstdlib>

#include "common/money.h"
#include "engine/bets.h"
#include "engine/round.h"

using namespace vessaro;

namespace {

// Bettor's edge in percent: mean net result per unit staked. The balance is held fixed so that
// every round sees the same stake share.
double Edge(OutcomeMode mode, BetSide side, int64_t stake, Cents balance_after, int rounds,
            uint64_t seed) {
  RoundEngine engine(seed);
  RoundRecord round;
  Cents net = 0;
  const BiasSide bias_side = side == BetSide::kBanker ? BiasSide::kBanker : BiasSide::kPlayer;
  for (int i = 0; i < rounds; ++i) {
    engine.DealRound(mode, stake, balance_after, bias_side, round);
    net += Payout(side, stake, round.result) - UnitsToCents(stake);
  }
  return 100.0 * static_cast<double>(net) / (static_cast<double>(rounds) * UnitsToCents(stake));
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
  const uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20241209;
  // Stake 10; the balance left after the stake gives the share: 990 -> 1 %, 23.33 -> 30 %.
  struct Share {
    const char* label;
    Cents balance_after;
  } shares[] = {{"1 %", 99000}, {"30 %", 2333}};
  std::printf("Rounds per cell: %d, session seed %llu, stake 10.\n\n", rounds,
              static_cast<unsigned long long>(seed));
  std::printf("| outcome mode | Banker, share 1 %% | Player, share 1 %% | Banker, share 30 %% | Player, share 30 %% |\n");
  std::printf("|---|---|---|---|---|\n");
  for (size_t m = 0; m < kOutcomeModeNames.size(); ++m) {
    auto mode = static_cast<OutcomeMode>(m);
    std::printf("| %s |", std::string(kOutcomeModeNames[m]).c_str());
    for (const Share& s : shares)
      for (BetSide side : {BetSide::kBanker, BetSide::kPlayer})
        std::printf(" %+.2f %% |", Edge(mode, side, 10, s.balance_after, rounds, seed));
    std::printf("\n");
    std::fflush(stdout);
  }
  return 0;
}
