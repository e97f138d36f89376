#include "engine/bets.h"

#include "common/format.h"
#include "common/text.h"

namespace vessaro {
namespace {

int64_t& StakeRef(BetState& s, BetSide side) {
  return side == BetSide::kPlayer ? s.player_stake : s.banker_stake;
}

}  // namespace

void SetBalance(BetState& state, Cents balance, std::string display_text) {
  state.balance = balance;
  state.balance_text = std::move(display_text);
}

BetResult PlaceChip(BetState& state, BetSide side, int table_minimum, int table_maximum) {
  state.last_bet.clear();
  BetSide other = side == BetSide::kPlayer ? BetSide::kBanker : BetSide::kPlayer;
  if (state.StakeOn(other) != 0) return {false, bet_messages::kBothSides};
  int64_t amount = state.selected_chip;
  if (table_minimum > state.table_stake + amount) amount = table_minimum;
  if (state.balance < UnitsToCents(amount)) return {false, bet_messages::kBalanceShort};
  if (state.table_stake + amount > table_maximum) return {false, bet_messages::kOverTableMax};
  state.table_stake += amount;
  StakeRef(state, side) = state.table_stake;
  state.stake_text = FormatStake(state.table_stake);
  state.balance -= UnitsToCents(amount);
  state.balance_text = FormatCents(state.balance);
  return {true, {}};
}

bool Rebet(BetState& state, int table_maximum) {
  if (state.last_bet.empty()) return false;
  SplitResult parts = SplitFields(state.last_bet, 2, ",");
  BetSide side = parts.fields[0] == "P" ? BetSide::kPlayer
                 : parts.fields[0] == "B" ? BetSide::kBanker
                                           : BetSide::kNone;
  long long amount = 0;
  if (side == BetSide::kNone || !ParseInt64(parts.fields[1], amount) || amount <= 0) return false;
  if (UnitsToCents(amount) > state.balance) return false;
  if (state.StakeOn(side) + amount > table_maximum) return false;
  // A rebet onto a table that still carries a stake on the other side would bet both sides.
  if (state.StakeOn(side == BetSide::kPlayer ? BetSide::kBanker : BetSide::kPlayer) != 0)
    return false;
  StakeRef(state, side) += amount;
  state.table_stake = state.StakeOn(side);
  state.stake_text = FormatStake(state.table_stake);
  state.balance -= UnitsToCents(amount);
  state.balance_text = FormatCents(state.balance);
  return true;
}

void ClearBets(BetState& state) {
  state.last_bet.clear();
  state.balance += UnitsToCents(state.player_stake + state.banker_stake);
  state.balance_text = FormatCents(state.balance);
  state.winnings_text = "0.00";
  state.stake_text = "0.00";
  state.player_stake = 0;
  state.banker_stake = 0;
  state.table_stake = 0;
}

bool MakeLastBet(BetState& state) {
  if (state.player_stake == 0 && state.banker_stake == 0) return false;
  state.last_bet.assign(state.player_stake != 0 ? "P," : "B,");
  AppendInt(state.last_bet, state.player_stake != 0 ? state.player_stake : state.banker_stake);
  return true;
}

BetResult PlaceAutoStake(BetState& state, BetSide side, int64_t amount, int table_maximum) {
  if (state.balance < UnitsToCents(amount)) {
    return {false, Format("残高が足りません 残高＝%s 賭け額＝%s", FormatCents(state.balance).c_str(),
                          FormatCents(UnitsToCents(amount)).c_str())};
  }
  int64_t new_stake = state.StakeOn(side) + amount;
  if (new_stake > table_maximum) return {false, bet_messages::kAutoOverMax};
  StakeRef(state, side) = new_stake;
  state.table_stake = new_stake;
  state.balance -= UnitsToCents(amount);
  if (state.style == MoneyTextStyle::kNone) return {true, {}};
  state.stake_text = IntText(new_stake);
  state.balance_text = state.style == MoneyTextStyle::kTable ? FormatCents(state.balance)
                                                             : FormatCentsPlain(state.balance);
  return {true, {}};
}

std::array<int64_t, 8> DecomposeChips(int64_t amount) {
  std::array<int64_t, 8> counts{};
  for (size_t i = 0; i < kPileChipValues.size(); ++i) {
    counts[i] = amount > 0 ? amount / kPileChipValues[i] : 0;
    amount -= counts[i] * kPileChipValues[i];
  }
  return counts;
}

Cents Payout(BetSide staked_side, int64_t stake, char result) {
  if (result == 'T') return UnitsToCents(stake);
  if (result == 'P' && staked_side == BetSide::kPlayer) return 2 * UnitsToCents(stake);
  if (result == 'B' && staked_side == BetSide::kBanker) return stake * 195;
  return 0;
}

BetOutcome Settle(BetState& state, char result, bool automatic_run) {
  const bool table = state.style == MoneyTextStyle::kTable;
  const bool texts = state.style != MoneyTextStyle::kNone;
  if (texts) state.winnings_text.assign(1, '0');  // (a plain literal trips a false GCC 12 warning)
  BetOutcome outcome = BetOutcome::kLoss;
  if (result == 'B' || result == 'P') {
    BetSide winner = result == 'B' ? BetSide::kBanker : BetSide::kPlayer;
    int64_t stake = state.StakeOn(winner);
    if (stake != 0) {
      state.winnings = Payout(winner, stake, result);
      state.balance += state.winnings;
      // The runs without a table write the Banker's 1.95x with cents and whole payouts plainly.
      bool two_decimals = table || result == 'B';
      if (texts) {
        state.balance_text = two_decimals ? FormatCents(state.balance) : FormatCentsPlain(state.balance);
        state.winnings_text = two_decimals ? FormatCents(state.winnings) : FormatCentsPlain(state.winnings);
      }
      outcome = BetOutcome::kWin;
    } else {
      state.winnings = 0;
    }
  } else if (result == 'T') {
    state.winnings = UnitsToCents(state.player_stake + state.banker_stake);
    state.balance += state.winnings;
    if (texts) {
      state.balance_text = table ? FormatCents(state.balance) : FormatCentsPlain(state.balance);
      state.winnings_text = table ? FormatCents(state.winnings) : FormatCentsPlain(state.winnings);
    }
    outcome = BetOutcome::kTie;
  }
  state.outcome = outcome;
  if (!automatic_run) {
    state.player_stake = 0;
    state.banker_stake = 0;
    state.table_stake = 0;
  }
  return outcome;
}

}  // namespace vessaro
