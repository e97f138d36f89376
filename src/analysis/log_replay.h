// The log replay "別システムで高速シミュレートを行う": the rounds of an InterCasino-format log (or of
// a detailed user log's generated log) played again under another betting system and pattern,
// settled against the winners the log recorded. It writes a graph file of the replay's balance
// beside the log's and the two summary lines, and never sleeps per round: it yields to the window
// as the runs without display do, and can be cancelled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/play_log.h"
#include "autosim/run_driver.h"
#include "common/files.h"
#include "common/line_appender.h"
#include "common/ports.h"

namespace vessaro {

namespace replay_texts {
inline constexpr const char* kUnrecoverable = "続行不能なエラーが発生しました";
inline constexpr const char* kPatternBroken = "続行不能なエラーが発生しました(パターン設定)";
inline constexpr const char* kSystemBroken = "続行不能なエラーが発生しました(システム設定)";
inline constexpr const char* kFinished = "解析が終了しました。グラフを表示します";
// An ending before the log's last round says how far the replay came.
inline constexpr const char* kEndedEarly = "%lld/%lld回で終了しました。再生した回までのグラフを表示します";
inline constexpr const char* kStartUnreadable = "ログのゲーム開始時残高を読み取れません";
inline constexpr const char* kBalancesUnreadable =
    "ログの残高を読み取れない回がありました（%lld回）\r\nその回はひとつ前の残高で表示します";
}  // namespace replay_texts

// The rounds of an InterCasino-format log as the replay reads them.
struct LogRounds {
  bool start_readable = false;
  int64_t start_balance = 0;  // the whole-dollar part of "ゲーム開始時残高:"
  std::string winners;        // "P", "B", "T" per winner line
  std::vector<int64_t> log_balances;  // per "新しい残高:" line; unreadable ones repeat the one before
  int64_t unreadable_balances = 0;
};
// Reads the rounds line by line, as the lines come.
class LogRoundsReader {
 public:
  void Feed(std::string_view line);
  const LogRounds& rounds() const { return rounds_; }

 private:
  LogRounds rounds_;
};
LogRounds ReadLogRounds(const LogLines& log);

// The whole-dollar part of an amount line: the digits after the first "$", thousands separators
// removed, up to the first "." (a "-" just before the "$" makes it negative). nullopt when there
// are none.
std::optional<int64_t> WholeDollars(std::string_view line);

struct ReplaySettlement {
  BetOutcome outcome = BetOutcome::kLoss;
  Cents payout = 0;
  int64_t balance_after = 0;
};
// A stake settled against the recorded winner: Player on P pays 2 stakes, Banker on B 1.95 (the
// balance rounded to a whole number, halves to even), a tie returns the stake, anything else loses.
ReplaySettlement SettleReplayRound(int64_t balance, BetSide side, int64_t stake, char winner);

struct ReplayRequest {
  fs::path file;
  LogKind kind = LogKind::kInvalid;
  std::string system_name;  // empty while the list shows its prompt
  std::string pattern_name;
  // Choose a graph file name no other file has (the command line); otherwise a graph file of the
  // same minute is replaced, as runs do.
  bool free_graph_name = false;
};

class ReplayObserver {
 public:
  virtual ~ReplayObserver() = default;
  virtual void OnReplayStarted() {}
  // While the log is read, before the rounds: how much of it, in percent.
  virtual void OnReadingLog(int percent) {}
  // "処理中です... %d/%d", at every yield.
  virtual void OnProgress(int64_t done, int64_t total) {}
  virtual void OnReplayFinishing() {}
  // The log graph window on the replay's graph file; rounds thins it.
  virtual void ShowGraph(const fs::path& graph_file, int64_t rounds) {}
};

struct ReplayResult {
  bool started = false;      // the preparation passed
  bool completed = false;    // every round of the log was replayed
  bool cancelled = false;
  bool settings_error = false;  // ended by the system's or the pattern's settings
  int64_t rounds_total = 0;
  int64_t rounds_replayed = 0;
  fs::path graph_file;
  std::string summary1;
  std::string summary2;
  std::string stop_message;
};

class LogReplay {
 public:
  static constexpr int kYieldMillis = RunDriver::kYieldMillis;

  LogReplay(fs::path program_folder, Dialogs& dialogs, EventPump& pump, Clock& clock,
            RunSourceLoader& loader);

  // The whole replay: preparation and its refusals, the round loop, the graph file, the ending.
  ReplayResult Run(const ReplayRequest& request, ReplayObserver& observer);

  bool running() const { return running_; }
  // The cancel command (after its question): the loop ends before its next round.
  void RequestStop() { stop_ = true; }

 private:
  // Every kYieldMillis: the progress shown, the graph flushed, the window's events run.
  template <typename Progress>
  void Yield(bool force, Progress&& progress);
  // The log's rounds, read a piece at a time with yields between pieces (a detailed log through
  // its generated log); false when cancelled meanwhile. Raises IoError.
  bool ReadRounds(const fs::path& file, bool detailed, LogRoundsReader& reader, std::string& warning,
                  ReplayObserver& observer);
  static constexpr size_t kHistoryKept = 100;  // the result history the special patterns read

  fs::path program_folder_;
  Dialogs& dialogs_;
  EventPump& pump_;
  Clock& clock_;
  RunSourceLoader& loader_;
  bool running_ = false;
  bool stop_ = false;
  int64_t last_yield_ = 0;
  LineAppender graph_;
};

// The summary lines of a replay of n rounds; empty when nothing was staked or paid.
std::string ReplaySummaryLine1(const RunStatistics& s, int64_t n, int64_t player, int64_t banker, int64_t ties);
std::string ReplaySummaryLine2(const RunStatistics& s, int64_t n);

}  // namespace vessaro
