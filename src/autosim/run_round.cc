#include "autosim/run_round.h"

#include "autosim/run_driver.h"
#include "common/format.h"
#include "common/text.h"

namespace vessaro {

RoundProcedure::RoundProcedure(RunKind kind, RunSystem& system, RunPattern& pattern, RunTable& table, bool texts)
    : kind_(kind), system_(system), pattern_(pattern), table_(table), texts_(texts) {}

void RoundProcedure::Begin(const StopLimits& limits) {
  const Cents balance = table_.Balance();
  stats_ = RunStatistics{};
  stats_.starting_balance = stats_.lowest_balance = balance;
  flat_ = FlatComparison{};
  flat_.balance = balance;
  flat_.keep_text = texts_;
  bounds_ = MakeStopBounds(limits, balance);
  history_.clear();
  history_start_ = 0;
  system_card_ = 1;
  pattern_card_ = 1;
}

RoundStop RoundProcedure::Stop(RoundStop why, std::string log_line, std::string message) {
  stop_log_line_ = std::move(log_line);
  stop_message_ = std::move(message);
  return why;
}

RoundStop RoundProcedure::Play(int64_t index, RoundListener* listener) {
  const bool gui = kind_ == RunKind::kGui;
  const Cents balance = table_.Balance();
  if (balance < stats_.lowest_balance) stats_.lowest_balance = balance;
  if (!gui && TruncateToUnits(balance) < 1)
    return Stop(RoundStop::kBalanceBelowOne, run_texts::kUnrecoverable, run_texts::kUnrecoverable);
  if (bounds_.Reached(balance)) {
    const RoundStop why = TruncateToUnits(balance) > bounds_.upper ? RoundStop::kProfitLimit : RoundStop::kLossLimit;
    return Stop(why, "", run_texts::kStopConditionReached);
  }
  const BetSide side = pattern_.Side(pattern_card_, history(), table_.LastRound());
  if (side == BetSide::kNone && !gui) {
    return Stop(RoundStop::kNoSide, run_texts::kUnrecoverable,
                Format("続行不能なエラーが発生しました。パターンカード番号%d", pattern_card_));
  }
  StakeAsked asked = texts_ ? system_.Stake(system_card_, balance, table_.BalanceText())
                            : system_.Stake(system_card_, balance, std::string_view());
  pending_ = std::move(asked.error);
  if (!gui && asked.stake.empty()) {
    return Stop(RoundStop::kEmptyStake, run_texts::kUnrecoverable,
                Format("続行不能なエラーが発生しました。システムカード番号%d", system_card_));
  }
  long long stake = 0;
  const bool numeric = IsDigits(asked.stake) && ParseInt64(asked.stake, stake);
  if (index == 0) stats_.first_stake = stake;
  if (stake > stats_.largest_stake) stats_.largest_stake = stake;
  if (side == BetSide::kNone) return Stop(RoundStop::kNoSide, run_texts::kUnrecoverable, run_texts::kUnrecoverable);
  const TableSettings& settings = table_.Settings();
  const bool no_limits = settings.minimum == 0 && settings.maximum == 0;
  if (!numeric || (!no_limits && (stake < settings.minimum || stake > settings.maximum))) {
    std::string line = pending_;
    line += "\r\n";
    line += run_texts::kUnrecoverable;
    return Stop(RoundStop::kStakeRefused, std::move(line), run_texts::kUnrecoverable);
  }
  BetResult placed = table_.PlaceStake(side, stake);
  if (!placed.ok) {
    const RoundStop why =
        placed.message == bet_messages::kAutoOverMax ? RoundStop::kOverMaximum : RoundStop::kBalanceShort;
    std::string line = placed.message;
    return Stop(why, std::move(line), std::move(placed.message));
  }
  stake_ = stake;
  // The run on the table logs the stake it placed; runs without display log the card's text.
  if (gui) {
    stake_text_.clear();
    AppendInt(stake_text_, stake);
  } else {
    stake_text_ = std::move(asked.stake);
  }

  table_.DealAndSettle(settled_);
  if (settled_.winner != 'T') {
    history_.push_back(settled_.winner);
    if (history_.size() - history_start_ > 100) ++history_start_;
    if (history_start_ >= 100) {
      history_.erase(0, history_start_);
      history_start_ = 0;
    }
  }
  UpdateFlatResult(flat_, settled_.winner, settled_.outcome, stats_.first_stake);
  if (listener != nullptr) listener->OnSettled(*this);
  stats_.AddRound(stake, settled_.payout, flat_.payout, settled_.outcome);
  if (pattern_.fixed()) {
    pattern_card_ = pattern_.Next(settled_.outcome, pattern_card_);
    if (pattern_card_ < 1) return Stop(RoundStop::kPatternBroken, run_texts::kPatternBroken, run_texts::kUnrecoverable);
  }
  system_card_ = system_.Next(settled_.outcome, system_card_, balance);
  if (system_card_ < 1) return Stop(RoundStop::kSystemBroken, run_texts::kSystemBroken, run_texts::kUnrecoverable);
  return RoundStop::kNone;
}

}  // namespace vessaro
