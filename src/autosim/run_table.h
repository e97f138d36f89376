// The table an automatic run plays on: the table window's session (a run on the table) or the bare
// engine (a run without display). The run driver knows only this interface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/money.h"
#include "common/ports.h"
#include "engine/bets.h"
#include "engine/round.h"
#include "engine/scoreboard.h"
#include "engine/table_session.h"
#include "engine/table_settings.h"

namespace vessaro {

struct SettledRound {
  int64_t round = 0;  // the round counter after the deal
  char winner = 0;
  BetOutcome outcome = BetOutcome::kLoss;
  Cents payout = 0;
  std::string payout_text;
  std::string balance_text;
  int player_total = 0;
  int banker_total = 0;
  std::string player_cards;
  std::string banker_cards;
};

class RunTable {
 public:
  virtual ~RunTable() = default;
  // All Clear, automatic mode, and the history buffer emptied.
  virtual void BeginRun(int64_t requested_rounds) = 0;
  virtual const TableSettings& Settings() const = 0;
  virtual Cents Balance() const = 0;
  virtual std::string BalanceText() const = 0;
  virtual std::string StatisticsLine() const = 0;
  virtual const LastRoundRecord& LastRound() const = 0;
  virtual int64_t RoundCounter() const = 0;
  // Before each round: the table clears the last round and shows the card backs.
  virtual void PrepareRound() {}
  virtual BetResult PlaceStake(BetSide side, int64_t stake) = 0;
  // Deals, settles and books the round. May raise IoError from the play history.
  virtual void DealAndSettle(SettledRound& out) = 0;
  // Writes what the play history holds.
  virtual void FlushFiles() = 0;
  // Back to normal mode: the last-round record cleared, the bets zeroed.
  virtual void EndRun() = 0;
};

// A run on the table window: every round through the session's deal, with the cards shown.
class SessionRunTable : public RunTable {
 public:
  explicit SessionRunTable(TableSession& session) : session_(session) {}
  void BeginRun(int64_t requested_rounds) override;
  const TableSettings& Settings() const override { return session_.settings(); }
  Cents Balance() const override { return session_.bets().balance; }
  std::string BalanceText() const override { return session_.bets().balance_text; }
  std::string StatisticsLine() const override { return session_.display().statistics_line; }
  const LastRoundRecord& LastRound() const override { return session_.scoreboard().record(); }
  int64_t RoundCounter() const override { return session_.round_counter(); }
  void PrepareRound() override;
  BetResult PlaceStake(BetSide side, int64_t stake) override;
  void DealAndSettle(SettledRound& out) override;
  void FlushFiles() override { session_.scoreboard().FlushHistory(); }
  void EndRun() override;

 private:
  TableSession& session_;
};

// A run without display: the engine on a private balance. With a session, the run starts from the
// table's All Clear and writes its final balance back to the table's display.
class EngineRunTable : public RunTable {
 public:
  EngineRunTable(const fs::path& program_folder, const TableSettings& settings, Clock& clock,
                 uint64_t session_seed, TableSession* session = nullptr);
  void BeginRun(int64_t requested_rounds) override;
  const TableSettings& Settings() const override { return settings_; }
  Cents Balance() const override { return bets_.balance; }
  std::string BalanceText() const override { return bets_.balance_text; }
  std::string StatisticsLine() const override { return scoreboard_.StatisticsLine(); }
  const LastRoundRecord& LastRound() const override { return scoreboard_.record(); }
  int64_t RoundCounter() const override { return round_counter_; }
  BetResult PlaceStake(BetSide side, int64_t stake) override;
  void DealAndSettle(SettledRound& out) override;
  void FlushFiles() override { scoreboard_.FlushHistory(); }
  void EndRun() override;

  // For the sessions of a study: the deals of the next run.
  void SetSessionSeed(uint64_t session_seed) { engine_.SetSessionSeed(session_seed); }
  // A table that shows and writes nothing (the study's sessions): no play history, and no
  // balance, payout or card texts, which nothing would read (BalanceText() keeps the starting
  // balance's text; systems stake from the balance in cents).
  void SetQuiet();

 private:
  TableSession* session_;
  bool quiet_ = false;
  TableSettings settings_;
  std::optional<OutcomeMode> mode_;
  BetState bets_;
  Scoreboard scoreboard_;
  RoundEngine engine_;
  RoundRecord round_;
  int64_t round_counter_ = 0;
  int64_t requested_rounds_ = 0;
};

}  // namespace vessaro
