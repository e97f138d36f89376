// One round of an automatic run: the checks before the bet, the side and the stake, the deal and
// settlement, the bookkeeping and the card moves, with the reason when the round stops the run.
// The run driver and the Monte Carlo study play every round through it, so a session of a study
// decides and stops exactly as a run with the same session seed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "autosim/run_statistics.h"
#include "autosim/run_table.h"
#include "autosim/stop_conditions.h"

namespace vessaro {

class RunSystem;
class RunPattern;
struct StakeAsked;

// Why a round ended the run; kNone when it was played and the run goes on.
enum class RoundStop {
  kNone,
  kBalanceBelowOne,  // runs without display only
  kProfitLimit,      // the balance above the upper stop bound
  kLossLimit,        // the balance below the lower stop bound
  kNoSide,           // the pattern gave no side
  kEmptyStake,       // runs without display: an empty system card
  kStakeRefused,     // not digits, or outside the table limits
  kBalanceShort,     // the placement found the balance below the stake
  kOverMaximum,      // the placement found the total above the table maximum
  kPatternBroken,    // a pattern jump below 1
  kSystemBroken,     // a system jump below 1
};

class RoundProcedure;

// Hears of every settled round after the flat comparison and before the statistics and the card
// moves: where the run writes its graph and log lines.
class RoundListener {
 public:
  virtual ~RoundListener() = default;
  virtual void OnSettled(const RoundProcedure& round) = 0;
};

class RoundProcedure {
 public:
  // texts false: nothing shows or logs the rounds (a study's sessions), so the texts that only
  // the log would read (the flat payout, the balance handed to the system) are not made.
  RoundProcedure(RunKind kind, RunSystem& system, RunPattern& pattern, RunTable& table, bool texts = true);

  // The start of the round loop: cards 1, empty result history, statistics and the flat balance
  // from the table's current balance, the stop bounds fixed from it.
  void Begin(const StopLimits& limits);
  // Round index i (from 0). On a stop, stop_log_line() and stop_message() say what the run writes
  // and shows (either may be empty).
  RoundStop Play(int64_t index, RoundListener* listener);

  const RunStatistics& stats() const { return stats_; }
  const FlatComparison& flat() const { return flat_; }
  // The last 100 non-tie winners, oldest first.
  std::string_view history() const { return std::string_view(history_).substr(history_start_); }
  int system_card() const { return system_card_; }
  int pattern_card() const { return pattern_card_; }
  // The round just settled (valid in OnSettled and after a played round).
  const SettledRound& settled() const { return settled_; }
  const std::string& stake_text() const { return stake_text_; }
  int64_t stake() const { return stake_; }
  // The percent computation's error text, written before the round's log line.
  const std::string& pending() const { return pending_; }
  const std::string& stop_log_line() const { return stop_log_line_; }
  const std::string& stop_message() const { return stop_message_; }

 private:
  RoundStop Stop(RoundStop why, std::string log_line, std::string message);

  RunKind kind_;
  RunSystem& system_;
  RunPattern& pattern_;
  RunTable& table_;
  bool texts_;
  RunStatistics stats_;
  FlatComparison flat_;
  StopBounds bounds_;
  std::string history_;  // the result history from history_start_ on, kept so that a round
  size_t history_start_ = 0;  // moves no more than a few bytes
  int system_card_ = 1;
  int pattern_card_ = 1;
  SettledRound settled_;
  std::string stake_text_;
  std::string pending_;
  int64_t stake_ = 0;
  std::string stop_log_line_;
  std::string stop_message_;
};

}  // namespace vessaro
