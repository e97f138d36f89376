// The automatic run: start checks, the round loop over a RunTable, the stop reasons, the auto log,
// the graph temp file, and the end of the run. One driver serves the run on the table, the run
// without display and vessaro-sim.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "autosim/run_statistics.h"
#include "autosim/run_table.h"
#include "autosim/stop_conditions.h"
#include "common/files.h"
#include "common/line_appender.h"
#include "common/ports.h"

namespace vessaro {

struct StakeAsked {
  std::string stake;  // the stake text; empty for an empty card
  std::string error;  // the percent computation's error text, if any
};

// The betting system of a run, loaded once at its start.
class RunSystem {
 public:
  virtual ~RunSystem() = default;
  virtual StakeAsked Stake(int card, Cents balance, std::string_view balance_text) = 0;
  virtual int Next(BetOutcome outcome, int card, Cents balance_before_bet) = 0;
  // Back to the state of a freshly loaded system, for the next session of a study.
  virtual void Restart() {}
};

// The pattern of a run: fixed cards, or a special pattern that reads the recent results.
class RunPattern {
 public:
  virtual ~RunPattern() = default;
  virtual bool fixed() const = 0;
  virtual BetSide Side(int card, std::string_view result_history, const LastRoundRecord& last_round) = 0;
  virtual int Next(BetOutcome outcome, int card) = 0;
};

struct RunSources {
  std::unique_ptr<RunSystem> system;
  std::unique_ptr<RunPattern> pattern;
  std::string message;  // why they could not be loaded
};

// Finds and loads the system and pattern files of the chosen names.
class RunSourceLoader {
 public:
  virtual ~RunSourceLoader() = default;
  virtual RunSources Load(const fs::path& program_folder, std::string_view system_name,
                          std::string_view pattern_name) = 0;
};

struct RunRequest {
  RunKind kind = RunKind::kProcessingOnly;
  std::string system_name;  // empty when the list shows its prompt
  std::string pattern_name;
  std::string trials_text;
  std::string log_field;  // only its folder is used
  StopLimits limits;
  // Command-line runs: the files' paths when given (instead of the time-stamped names), and
  // whether each file is created afresh under a free name ("_2", "_3" … before the extension)
  // rather than replacing or appending to another run's file of the same name.
  fs::path auto_log_path;
  fs::path graph_path;
  bool fresh_files = false;
};

// What the window (or the command-line runner) shows of a run.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  // The log field takes the new auto log's path.
  virtual void OnLogFile(const fs::path& auto_log) {}
  virtual void OnRunStarted(RunKind kind) {}
  // Runs without display: "処理中です... %d/%d", at every yield.
  virtual void OnProgress(int64_t done, int64_t total) {}
  virtual void OnRunFinishing(RunKind kind) {}
  // The graph window opens on the run's graph file.
  virtual void ShowGraph(const fs::path& graph_file, int64_t rounds) {}
};

// Why a run ended.
enum class RunEnd {
  kNotStarted,     // a start check refused it, or its files were missing
  kFinished,       // every requested round was played
  kCancelled,      // the cancel command
  kStopLimit,      // the profit or loss limit
  kBalance,        // the balance fell below 1, or could not cover the stake
  kSettingsError,  // the system or pattern cannot go on: no side, a stake outside the limits, a broken card chain
  kFileError,      // a file could not be written
};

struct RunResult {
  bool started = false;  // the start checks passed
  bool completed = false;
  RunEnd end = RunEnd::kNotStarted;
  int64_t rounds_played = 0;
  std::string end_label;
  fs::path auto_log;
  fs::path graph_file;
  std::string summary1;
  std::string summary2;
  std::string stop_message;  // the stop reason's message, if any
};

// What the command-line programs exit with for a run that ended this way: 0 it finished or met a
// stop limit or the balance, 2 it could not start or a file failed, 3 the system or pattern has an
// error, 130 it was interrupted.
int RunExitCode(RunEnd end);

class RunDriver {
 public:
  static constexpr int64_t kGuiMaximum = 10000;
  static constexpr int64_t kProcessingMaximum = 1000000;
  static constexpr int kYieldMillis = 15;

  RunDriver(fs::path program_folder, Dialogs& dialogs, EventPump& pump, Clock& clock,
            RunSourceLoader& loader);

  // Plays a whole run. Messages go through Dialogs; the observer hears of progress and the end.
  RunResult Run(const RunRequest& request, RunTable& table, RunObserver& observer);

  bool running() const { return running_; }
  // The cancel command (after its question): the loop stops before its next round.
  void RequestStop() { stop_ = true; }
  // Rounds played in the most recent run (the graph windows thin their points by it).
  int64_t last_run_rounds() const { return last_rounds_; }

 private:
  // Buffered lines are written at least this often, so a failed write stops the run early.
  static constexpr size_t kFlushBytes = 1 << 20;

  void Stop(RunResult& result, RunEnd why, const std::string& log_line, const std::string& message);
  void Yield(RunKind kind, int64_t done, int64_t total, RunTable& table, RunObserver& observer,
             bool force);
  void ChooseFiles(const RunRequest& request, const DateTime& start, RunResult& result);

  fs::path program_folder_;
  Dialogs& dialogs_;
  EventPump& pump_;
  Clock& clock_;
  RunSourceLoader& loader_;
  bool running_ = false;
  bool stop_ = false;
  int64_t last_rounds_ = 0;
  int64_t last_yield_ = 0;
  LineAppender log_;
  LineAppender graph_;
};

}  // namespace vessaro
