// Money at the table: chips, stakes within the table limits, rebet, bet clear, the automatic
// placement and settlement, in exact cents, with the texts the table and the runs show.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/money.h"

namespace vessaro {

// Side of a stake or of a pattern: 1 Player, 2 Banker, 0 none.
enum class BetSide { kNone = 0, kPlayer = 1, kBanker = 2 };

// Bet outcome of a settled round.
enum class BetOutcome { kWin = 0, kLoss = 1, kTie = 2 };

inline constexpr std::array<int, 8> kChipValues = {1, 5, 25, 100, 250, 500, 1000, 5000};

namespace bet_messages {
inline constexpr const char* kBothSides = "両サイドベッティングはできません";
inline constexpr const char* kBalanceShort = "残高が足りません";
inline constexpr const char* kOverTableMax = "テーブルレートの上限を超えています";
inline constexpr const char* kAutoOverMax = "トータルベットが上限を超えています";
}  // namespace bet_messages

// How the balance and winnings texts are written: the table always shows two decimals; the
// processing-only runs write plain numbers except after a Banker win; the sessions of a study
// show nothing and keep no texts.
enum class MoneyTextStyle { kTable, kProcessingOnly, kNone };

struct BetState {
  int selected_chip = 1;
  int64_t player_stake = 0;
  int64_t banker_stake = 0;
  int64_t table_stake = 0;
  std::string last_bet;  // "P,%d" / "B,%d", empty when forgotten
  Cents balance = 0;
  Cents winnings = 0;
  BetOutcome outcome = BetOutcome::kWin;

  // The displays under the table ("残高", "ベット額", "獲得賞金").
  std::string balance_text;
  std::string stake_text = "0.00";
  std::string winnings_text = "0.00";
  MoneyTextStyle style = MoneyTextStyle::kTable;

  int64_t StakeOn(BetSide side) const {
    return side == BetSide::kPlayer ? player_stake : side == BetSide::kBanker ? banker_stake : 0;
  }
  BetSide StakedSide() const {
    return player_stake != 0 ? BetSide::kPlayer : banker_stake != 0 ? BetSide::kBanker : BetSide::kNone;
  }
};

struct BetResult {
  bool ok = false;
  std::string message;  // empty for a silent refusal
};

// Sets the balance and its display, e.g. from the balance setting at start-up.
void SetBalance(BetState& state, Cents balance, std::string display_text);

// Places the selected chip on side (the last bet is forgotten first, even when refused).
BetResult PlaceChip(BetState& state, BetSide side, int table_minimum, int table_maximum);

// Repeats the last bet; false (silently) when there is none or it does not fit.
bool Rebet(BetState& state, int table_maximum);

// Takes all stakes back and forgets the last bet.
void ClearBets(BetState& state);

// Whether a round may be dealt; records the last bet when it may.
bool MakeLastBet(BetState& state);

// The automatic runs' placement; the caller has checked the amount against the limits.
BetResult PlaceAutoStake(BetState& state, BetSide side, int64_t amount, int table_maximum);

// Applies the payout for the result letter and returns the bettor's outcome. Outside automatic
// runs the stakes are set to 0 afterwards.
BetOutcome Settle(BetState& state, char result, bool automatic_run);

// An amount as chips, greedily from the largest: counts for 5000, 1000, 500, 250, 100, 25, 5, 1.
inline constexpr std::array<int, 8> kPileChipValues = {5000, 1000, 500, 250, 100, 25, 5, 1};
std::array<int64_t, 8> DecomposeChips(int64_t amount);

// The gross amount a settled stake returns: 2x for Player, 1.95x for Banker, 1x for a tie.
Cents Payout(BetSide staked_side, int64_t stake, char result);

}  // namespace vessaro
