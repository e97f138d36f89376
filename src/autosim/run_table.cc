#include "autosim/run_table.h"

namespace vessaro {
namespace {

void FillFromRound(const RoundRecord& round, SettledRound& out) {
  out.winner = round.result;
  out.player_total = round.player_total;
  out.banker_total = round.banker_total;
  out.player_cards = round.player_trail;
  out.banker_cards = round.banker_trail;
}

}  // namespace

void SessionRunTable::BeginRun(int64_t requested_rounds) {
  session_.AllClear();
  session_.scoreboard().ResetHistoryBuffer();
  session_.set_requested_rounds(requested_rounds);
  session_.set_automatic_state(1);
  session_.SetTableEnabled(false);
}

void SessionRunTable::PrepareRound() {
  session_.ClearRoundDisplay();
  session_.ShowCardBacks();
}

BetResult SessionRunTable::PlaceStake(BetSide side, int64_t stake) {
  BetState& bets = session_.mutable_bets();
  bets.player_stake = bets.banker_stake = bets.table_stake = 0;
  BetResult r = PlaceAutoStake(bets, side, stake, session_.settings().maximum);
  if (r.ok) {
    TableDisplay& d = session_.mutable_display();
    d.player_pile = bets.player_stake;
    d.banker_pile = bets.banker_stake;
  }
  return r;
}

void SessionRunTable::DealAndSettle(SettledRound& out) {
  const BetState& bets = session_.bets();
  const BetSide side = bets.StakedSide();
  const int64_t stake = bets.player_stake + bets.banker_stake;
  session_.Deal();
  FillFromRound(session_.last_round(), out);
  out.round = session_.round_counter();
  out.outcome = session_.bets().outcome;
  out.payout = Payout(side, stake, out.winner);
  out.payout_text = session_.bets().winnings_text;
  out.balance_text = session_.bets().balance_text;
}

void SessionRunTable::EndRun() {
  session_.scoreboard().ClearRecord();
  // Back to normal mode while still counting as a run, so the panel stays open for "ログを見る"
  // and "グラフ表示" on what just ran.
  session_.SetTableEnabled(true);
  session_.set_automatic_state(0);
  BetState& bets = session_.mutable_bets();
  bets.player_stake = bets.banker_stake = bets.table_stake = 0;
}

EngineRunTable::EngineRunTable(const fs::path& program_folder, const TableSettings& settings, Clock& clock,
                               uint64_t session_seed, TableSession* session)
    : session_(session),
      settings_(settings),
      mode_(OutcomeModeFromName(settings.outcome_mode)),
      scoreboard_(nullptr, program_folder, clock),
      engine_(session_seed) {
  bets_.style = MoneyTextStyle::kProcessingOnly;
}

void EngineRunTable::BeginRun(int64_t requested_rounds) {
  if (session_ != nullptr) {
    session_->AllClear();
    session_->scoreboard().ResetHistoryBuffer();
    session_->set_automatic_state(1);
    session_->SetTableEnabled(false);
    settings_ = session_->settings();
    mode_ = OutcomeModeFromName(settings_.outcome_mode);
    SetBalance(bets_, session_->bets().balance, session_->bets().balance_text);
  } else {
    SetBalance(bets_, ParseMoney(settings_.balance_setting).value_or(0), settings_.balance_setting);
  }
  requested_rounds_ = requested_rounds;
  round_counter_ = 0;
  scoreboard_.ClearRecord();
  scoreboard_.ResetHistoryBuffer();
}

BetResult EngineRunTable::PlaceStake(BetSide side, int64_t stake) {
  bets_.player_stake = bets_.banker_stake = bets_.table_stake = 0;
  return PlaceAutoStake(bets_, side, stake, settings_.maximum);
}

void EngineRunTable::SetQuiet() {
  quiet_ = true;
  bets_.style = MoneyTextStyle::kNone;
  engine_.set_trails(false);
}

void EngineRunTable::DealAndSettle(SettledRound& out) {
  const BetSide side = bets_.StakedSide();
  const int64_t stake = bets_.player_stake + bets_.banker_stake;
  if (!quiet_) MakeLastBet(bets_);
  engine_.DealRound(mode_, stake, bets_.balance, side == BetSide::kBanker ? BiasSide::kBanker : BiasSide::kPlayer,
                    round_);
  ++round_counter_;
  out.outcome = Settle(bets_, round_.result, true);
  out.round = round_counter_;
  out.payout = Payout(side, stake, round_.result);
  if (quiet_) {
    out.winner = round_.result;
    out.player_total = round_.player_total;
    out.banker_total = round_.banker_total;
  } else {
    FillFromRound(round_, out);
    out.payout_text = bets_.winnings_text;
    out.balance_text = bets_.balance_text;
  }
  scoreboard_.Book(round_.result, !quiet_, round_counter_, requested_rounds_, settings_.outcome_mode);
}

void EngineRunTable::EndRun() {
  scoreboard_.ClearRecord();
  if (session_ == nullptr) return;
  BetState& table = session_->mutable_bets();
  SetBalance(table, bets_.balance, bets_.balance_text);
  table.player_stake = table.banker_stake = table.table_stake = 0;
  session_->scoreboard().ClearRecord();
  session_->SetTableEnabled(true);  // before the state, as above: the panel stays open
  session_->set_automatic_state(0);
}

}  // namespace vessaro
