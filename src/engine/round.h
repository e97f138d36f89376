// Dealing and classifying one round of baccarat: naturals, the third-card rules and the result.
// One implementation serves the table (which listens to every card) and processing-only runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/cards.h"
#include "engine/outcome_mode.h"

namespace vessaro {

enum class Hand { kPlayer, kBanker };

inline constexpr std::string_view kTrailSeparator = "→";

struct RoundRecord {
  char result = 0;                // 'P', 'B' or 'T'
  std::string_view outcome_name;  // "Natural_Player_Win" ... "Tie"
  int player_total = 0;
  int banker_total = 0;
  std::string player_trail;  // "D1→S12→H5"
  std::string banker_trail;
  std::optional<Card> player_third;
  std::optional<Card> banker_third;
  BiasCode bias;
  uint32_t seed = 0;
  std::string_view ResultText() const;  // "P", "B" or "T"
};

// Told after every card: the hand, the card's place 1 to 3, the card and the hand's new total.
class CardDealtListener {
 public:
  virtual ~CardDealtListener() = default;
  virtual void OnCardDealt(Hand hand, int position, Card card, int new_total) = 0;
};

// Where the cards of a round come from: the seeded generator, or a script in tests.
class CardSource {
 public:
  virtual ~CardSource() = default;
  virtual Card DrawCard() = 0;
  virtual Card DrawBankerCard(const BiasCode& code, int banker_total, int player_total) = 0;
};

// Asked once per round, after the Player's second card, for the round's bias code.
class BiasSource {
 public:
  virtual ~BiasSource() = default;
  virtual BiasCode MakeBias() = 0;
};

struct TwoCardResult {
  char result = 0;  // 0 when the two-card step does not decide the round
  std::string_view outcome_name;
};

TwoCardResult ClassifyTwoCards(int player_total, int banker_total);

// The third-card step on the record's two-card totals: draws, notifies and sets the result,
// outcome name and final totals in the record. Without trails the card names are not written.
void PlayThirdCards(CardSource& source, const BiasCode& code, RoundRecord& round,
                    CardDealtListener* listener, bool trails = true);

// Deals a whole round from the source into round (whose buffers are reused). bias may be null.
// Without trails (nothing shows or logs the cards) the trails stay empty.
void PlayRound(CardSource& source, BiasSource* bias, CardDealtListener* listener,
               RoundRecord& round, bool trails = true);

// Card source over the generator: plain draws, and the Banker's draws under a bias code.
class GeneratorCardSource : public CardSource {
 public:
  explicit GeneratorCardSource(RandomGenerator& gen) : gen_(gen) {}
  Card DrawCard() override { return vessaro::DrawCard(gen_); }
  Card DrawBankerCard(const BiasCode& code, int banker_total, int player_total) override {
    return vessaro::DrawBankerCard(gen_, code, banker_total, player_total);
  }

 private:
  RandomGenerator& gen_;
};

// The outcome mode as the round's bias source: it draws its number from the round's generator.
class ModeBiasSource : public BiasSource {
 public:
  ModeBiasSource(std::optional<OutcomeMode> mode, int64_t stake, Cents balance_after_stake,
                 BiasSide side, RandomGenerator& gen)
      : mode_(mode), stake_(stake), balance_(balance_after_stake), side_(side), gen_(gen) {}
  BiasCode MakeBias() override { return MakeBiasCode(mode_, stake_, balance_, side_, gen_); }

 private:
  std::optional<OutcomeMode> mode_;
  int64_t stake_;
  Cents balance_;
  BiasSide side_;
  RandomGenerator& gen_;
};

// Deals rounds of a session: round k is seeded with SeedForRound(session seed, k).
class RoundEngine {
 public:
  explicit RoundEngine(uint64_t session_seed = 0) : session_seed_(session_seed) {}

  void SetSessionSeed(uint64_t seed) {
    session_seed_ = seed;
    next_round_ = 0;
  }
  uint64_t session_seed() const { return session_seed_; }
  uint64_t rounds_dealt() const { return next_round_; }
  void set_listener(CardDealtListener* listener) { listener_ = listener; }
  // Whether dealt rounds write their card trails (the study's sessions need none).
  void set_trails(bool trails) { trails_ = trails; }

  // Seeds the generator for the next round and returns the seed.
  uint32_t SeedNextRound();
  // Seeds the next round, then deals it with the mode's bias for the given stake.
  void DealRound(std::optional<OutcomeMode> mode, int64_t stake, Cents balance_after_stake,
                 BiasSide side, RoundRecord& round);
  // Deals a round from a given seed (reproduction of a round).
  void DealRoundWithSeed(uint32_t seed, std::optional<OutcomeMode> mode, int64_t stake,
                         Cents balance_after_stake, BiasSide side, RoundRecord& round);

  RandomGenerator& generator() { return gen_; }

 private:
  uint64_t session_seed_;
  uint64_t next_round_ = 0;
  RandomGenerator gen_;
  CardDealtListener* listener_ = nullptr;
  bool trails_ = true;
};

}  // namespace vessaro
