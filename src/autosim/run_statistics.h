// The statistics of an automatic run, the flat comparison, and the texts of the auto log and of
// the graph file's summary lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/datetime.h"
#include "common/money.h"
#include "engine/bets.h"

namespace vessaro {

enum class RunKind { kGui, kProcessingOnly };

namespace run_texts {
inline constexpr const char* kChooseSystemAndPattern = "システムとパターンを選択してください";
inline constexpr const char* kGuiLimit = "GUI有での自動実行は10000回までです";
inline constexpr const char* kProcessingLimit = "自動実行は1000000回までです";
inline constexpr const char* kFilesMissing = "システムまたはパターンファイルが存在しません";
inline constexpr const char* kUnrecoverable = "続行不能なエラーが発生しました";
inline constexpr const char* kStopConditionReached = "終了条件に達しました";
inline constexpr const char* kPatternBroken = "パターン設定に誤りがあります";
inline constexpr const char* kSystemBroken = "システム設定に誤りがあります";
inline constexpr const char* kFinishedShowGraph = "終了しました。グラフを表示します";
inline constexpr const char* kZeroRounds =
    "試行回数が0回です\r\nテーブルレートとシステムの開始ベットの確認してください\r\n"
    "また、残高とシステム開始ベットの確認をしてください";
inline constexpr const char* kFinished = "終了";
inline constexpr const char* kStoppedMidway = "途中終了";
inline constexpr const char* kProgress = "処理中です... %d/%d";
}  // namespace run_texts

// The flat bettor: the first stake on the system's side every round.
struct FlatComparison {
  Cents balance = 0;  // kept as a two-decimal text in the log's terms; exact here
  Cents payout = 0;   // of the last round
  std::string payout_text;
  bool keep_text = true;  // false: payout_text is not written (a study's sessions show nothing)
};

// Applies one round to the flat balance; returns the flat payout of the round.
void UpdateFlatResult(FlatComparison& flat, char winner, BetOutcome outcome, int64_t first_stake);

// "%d,%d": the balance and the flat balance after a round, rounded to whole units, halves to even.
std::string GraphPointLine(Cents balance, Cents flat_balance);

// "%d,%d,%s,%s": the graph file's header.
std::string GraphHeaderLine(Cents start_balance, int64_t requested_rounds, std::string_view system,
                            std::string_view pattern);

struct RunStatistics {
  int64_t total_in = 0;    // units
  Cents total_out = 0;
  Cents flat_out = 0;
  int64_t first_stake = 0;
  int64_t largest_stake = 0;
  Cents starting_balance = 0;
  Cents lowest_balance = 0;
  int64_t wins = 0, losses = 0, ties = 0;
  int64_t win_streak = 0, loss_streak = 0;
  int64_t longest_win_streak = 0, longest_loss_streak = 0;

  // Steps 3 to 5 of the per-round bookkeeping.
  void AddRound(int64_t stake, Cents payout, Cents flat_payout, BetOutcome outcome);
};

// "----------【yyyy/mm/dd hh:nn】<mode> 試行回数:%d ----------".
std::string AutoLogHeader(const DateTime& start, std::string_view mode_name, int64_t requested_rounds);

struct RoundLineFields {
  int64_t round = 0;
  std::string stake;
  std::string payout;
  std::string balance;
  int player_total = 0;
  std::string player_cards;
  int banker_total = 0;
  std::string banker_cards;
};
// The round's line: half-width colons for a run on the table, full-width ones without display.
std::string AutoLogRoundLine(RunKind kind, const RoundLineFields& f);

// The statistics line, followed by "【ペイアウト: %.2f %% 】" when the run paid anything.
std::string AutoLogStatisticsLine(const RunStatistics& s, std::string_view statistics_line);
// "---------------試行回数%d　<label>---------------".
std::string AutoLogClosingLine(int64_t rounds_played, std::string_view end_label);

// The two summary lines of the graph file.
std::string SummaryLine1(const RunStatistics& s, int64_t rounds_played, std::string_view statistics_line);
std::string SummaryLine2(const RunStatistics& s, int64_t rounds_played, std::string_view statistics_line);

// num / den * 100 with two decimals ("97.50"), halves away from zero; "0.00" for den 0.
std::string PercentText(__int128 num, __int128 den);

}  // namespace vessaro
