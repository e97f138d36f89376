#include "engine/outcome_mode.h"

#include "common/format.h"
#include "common/rounding.h"

namespace vessaro {

std::optional<OutcomeMode> OutcomeModeFromName(std::string_view name) {
  for (size_t i = 0; i < kOutcomeModeNames.size(); ++i)
    if (kOutcomeModeNames[i] == name) return static_cast<OutcomeMode>(i);
  return std::nullopt;
}

std::string_view OutcomeModeName(OutcomeMode mode) {
  return kOutcomeModeNames[static_cast<size_t>(mode)];
}

std::string BiasCode::Text() const { return empty() ? std::string() : Format("%d,%d", side, strength); }

int StakeShare(int64_t stake, Cents balance_after_stake) {
  int64_t m = RoundHalfEvenRatio(balance_after_stake, 100);
  int64_t den = stake + m;
  if (den <= 0) return 100;  // everything that is left is on the table
  return static_cast<int>(RoundHalfEvenRatio(stake * 100, den));
}

BiasCode MakeBiasCode(std::optional<OutcomeMode> mode, int64_t stake, Cents balance_after_stake,
                      BiasSide side, RandomGenerator& gen) {
  const int s_side = static_cast<int>(side);
  if (mode == OutcomeMode::kPerfect) return {};
  if (mode == OutcomeMode::kHeaven) return {s_side, 2};
  if (mode == OutcomeMode::kHell) return {s_side, 1};
  if (mode == OutcomeMode::kSuperHell) return {s_side, 0};
  const int s = StakeShare(stake, balance_after_stake);
  const uint32_t r = gen.Random(1001) % 10;
  if (mode == OutcomeMode::kPlayTech) {
    if (s <= 5) {
      if (r == 3 || r == 5) return {s_side, 1};
      if (r == 4 || r == 6) return {s_side, 2};
    } else if (s <= 10) {
      if (r == 2) return {s_side, 2};
      if (r == 1) return {s_side, 0};
    } else if (r == 4 || r == 9) {
      return {s_side, 1};
    }
    return {};
  }
  if (mode == OutcomeMode::kCryptoLogic) {
    if (s <= 15) {
      if (r == 3) return {s_side, 2};
    } else if (s <= 25) {
      if (r == 8) return {s_side, 1};
    } else if (r == 4 || r == 9) {
      return {s_side, 0};
    }
    return {};
  }
  return {};
}

bool CardPaysUser(const BiasCode& code, int banker_total, int player_total, Card c) {
  int b = AddPoint(banker_total, CardPoint(c));
  return code.side == 0 ? b < player_total : b > player_total;
}

bool CardCostsUser(const BiasCode& code, int banker_total, int player_total, Card c) {
  int b = AddPoint(banker_total, CardPoint(c));
  return code.side == 0 ? b > player_total : b < player_total;
}

Card DrawBankerCard(RandomGenerator& gen, const BiasCode& code, int banker_total,
                    int player_total) {
  Card c1 = DrawCard(gen);
  if (code.empty() || (code.side != 0 && code.side != 1)) return c1;
  switch (code.strength) {
    case 2:
      return CardCostsUser(code, banker_total, player_total, c1) ? DrawCard(gen) : c1;
    case 1:
      return CardPaysUser(code, banker_total, player_total, c1) ? DrawCard(gen) : c1;
    case 0: {
      if (!CardPaysUser(code, banker_total, player_total, c1)) return c1;
      Card c2 = DrawCard(gen);
      if (!CardPaysUser(code, banker_total, player_total, c2)) return c2;
      return DrawCard(gen);
    }
    default:
      return c1;
  }
}

}  // namespace vessaro
