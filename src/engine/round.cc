#include "engine/round.h"

namespace vessaro {
namespace {

constexpr std::string_view kNaturalPlayerWin = "Natural_Player_Win";
constexpr std::string_view kNaturalBankerWin = "Natural_Banker_Win";
constexpr std::string_view kNaturalTie = "Natural_Tie";
constexpr std::string_view kPlayerWin = "Player_Win";
constexpr std::string_view kBankerWin = "Banker_Win";
constexpr std::string_view kTie = "Tie";

void AddToTrail(std::string& trail, Card card) {
  if (!trail.empty()) trail.append(kTrailSeparator);
  trail.append(CardName(card));
}

// Whether the Banker draws on two-card total b, given the Player's third card (if any).
bool BankerDraws(int b, const std::optional<Card>& player_third) {
  if (!player_third) return b <= 5;
  const int t = CardPoint(*player_third);
  switch (b) {
    case 0:
    case 1:
    case 2:
      return true;
    case 3:
      return t != 8;
    case 4:
      return t >= 2 && t <= 7;
    case 5:
      return t >= 4 && t <= 7;
    case 6:
      return t == 6 || t == 7;
    default:
      return false;
  }
}

}  // namespace

std::string_view RoundRecord::ResultText() const {
  switch (result) {
    case 'P':
      return "P";
    case 'B':
      return "B";
    case 'T':
      return "T";
    default:
      return "";
  }
}

TwoCardResult ClassifyTwoCards(int p, int b) {
  if (p >= 8 || b >= 8) {
    if (p > b) return {'P', kNaturalPlayerWin};
    if (b > p) return {'B', kNaturalBankerWin};
    return {'T', kNaturalTie};
  }
  if (p == 6 && b == 7) return {'B', kNaturalBankerWin};
  if (p == 7 && b == 6) return {'P', kNaturalPlayerWin};
  if ((p == 6 && b == 6) || (p == 7 && b == 7)) return {'T', kNaturalTie};
  return {};
}

void PlayThirdCards(CardSource& source, const BiasCode& code, RoundRecord& round,
                    CardDealtListener* listener, bool trails) {
  int p = round.player_total;
  int b = round.banker_total;
  if (p <= 5) {
    Card c = source.DrawCard();
    round.player_third = c;
    if (trails) AddToTrail(round.player_trail, c);
    p = AddPoint(p, CardPoint(c));
    round.player_total = p;
    if (listener) listener->OnCardDealt(Hand::kPlayer, 3, c, p);
  }
  if (BankerDraws(b, round.player_third)) {
    Card c = source.DrawBankerCard(code, b, p);
    round.banker_third = c;
    if (trails) AddToTrail(round.banker_trail, c);
    b = AddPoint(b, CardPoint(c));
    round.banker_total = b;
    if (listener) listener->OnCardDealt(Hand::kBanker, 3, c, b);
  }
  if (p > b) {
    round.result = 'P';
    round.outcome_name = kPlayerWin;
  } else if (b > p) {
    round.result = 'B';
    round.outcome_name = kBankerWin;
  } else {
    round.result = 'T';
    round.outcome_name = kTie;
  }
}

void PlayRound(CardSource& source, BiasSource* bias, CardDealtListener* listener,
               RoundRecord& round, bool trails) {
  round.player_trail.clear();
  round.banker_trail.clear();
  round.player_total = 0;
  round.banker_total = 0;
  round.player_third.reset();
  round.banker_third.reset();
  round.bias = {};
  round.result = 0;
  round.outcome_name = {};

  Card c = source.DrawCard();
  if (trails) AddToTrail(round.player_trail, c);
  round.player_total = AddPoint(0, CardPoint(c));
  if (listener) listener->OnCardDealt(Hand::kPlayer, 1, c, round.player_total);

  c = source.DrawBankerCard(BiasCode{}, 0, round.player_total);
  if (trails) AddToTrail(round.banker_trail, c);
  round.banker_total = AddPoint(0, CardPoint(c));
  if (listener) listener->OnCardDealt(Hand::kBanker, 1, c, round.banker_total);

  c = source.DrawCard();
  if (trails) AddToTrail(round.player_trail, c);
  round.player_total = AddPoint(round.player_total, CardPoint(c));
  if (listener) listener->OnCardDealt(Hand::kPlayer, 2, c, round.player_total);

  if (bias) round.bias = bias->MakeBias();

  c = source.DrawBankerCard(round.bias, round.banker_total, round.player_total);
  if (trails) AddToTrail(round.banker_trail, c);
  round.banker_total = AddPoint(round.banker_total, CardPoint(c));
  if (listener) listener->OnCardDealt(Hand::kBanker, 2, c, round.banker_total);

  TwoCardResult two = ClassifyTwoCards(round.player_total, round.banker_total);
  if (two.result != 0) {
    round.result = two.result;
    round.outcome_name = two.outcome_name;
    return;
  }
  PlayThirdCards(source, round.bias, round, listener, trails);
}

uint32_t RoundEngine::SeedNextRound() {
  uint32_t seed = SeedForRound(session_seed_, next_round_++);
  gen_.Seed(seed);
  return seed;
}

void RoundEngine::DealRound(std::optional<OutcomeMode> mode, int64_t stake,
                            Cents balance_after_stake, BiasSide side, RoundRecord& round) {
  DealRoundWithSeed(SeedNextRound(), mode, stake, balance_after_stake, side, round);
}

void RoundEngine::DealRoundWithSeed(uint32_t seed, std::optional<OutcomeMode> mode, int64_t stake,
                                    Cents balance_after_stake, BiasSide side,
                                    RoundRecord& round) {
  gen_.Seed(seed);
  GeneratorCardSource source(gen_);
  ModeBiasSource bias(mode, stake, balance_after_stake, side, gen_);
  PlayRound(source, &bias, listener_, round, trails_);
  round.seed = seed;
}

}  // namespace vessaro
