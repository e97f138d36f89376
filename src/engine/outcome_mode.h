// The six outcome modes: the bias code of a round, made from the stake share, and the Banker's
// draws under it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/money.h"
#include "engine/cards.h"

namespace vessaro {

enum class OutcomeMode { kPerfect, kCryptoLogic, kPlayTech, kHeaven, kHell, kSuperHell };

// In the order the settings dialog lists them.
inline constexpr std::array<std::string_view, 6> kOutcomeModeNames = {
    "完全確率モード", "クリプトロジックモード", "プレイテックモード",
    "天国モード",     "地獄モード",             "スーパー地獄モード"};

std::optional<OutcomeMode> OutcomeModeFromName(std::string_view name);
std::string_view OutcomeModeName(OutcomeMode mode);

// Which side carries the round's stake, as the bias code writes it.
enum class BiasSide { kPlayer = 0, kBanker = 1 };

// "side,strength", or empty. Strength 2 favours the user, 1 works against, 0 strongly against.
struct BiasCode {
  int side = -1;
  int strength = -1;
  bool empty() const { return side < 0; }
  std::string Text() const;  // "" or "%d,%d"
  friend bool operator==(const BiasCode&, const BiasCode&) = default;
};

// s = Round(q / (q + Round(m)) * 100), halves to even, computed exactly on whole numbers.
int StakeShare(int64_t stake, Cents balance_after_stake);

// The round's code. A mode of neither kind (nullopt: an unknown name) draws the number but
// yields no code, as do the casino emulations most of the time. Uses gen only for the casino
// emulations and unknown modes.
BiasCode MakeBiasCode(std::optional<OutcomeMode> mode, int64_t stake, Cents balance_after_stake,
                      BiasSide side, RandomGenerator& gen);

// The Banker's card under a code: a candidate, replaced by fresh draws as the strength says.
Card DrawBankerCard(RandomGenerator& gen, const BiasCode& code, int banker_total,
                    int player_total);

// Whether card c pays or costs the user whose stake is on side, given the totals.
bool CardPaysUser(const BiasCode& code, int banker_total, int player_total, Card c);
bool CardCostsUser(const BiasCode& code, int banker_total, int player_total, Card c);

}  // namespace vessaro
