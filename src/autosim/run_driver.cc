#include "autosim/run_driver.h"

#include <limits>

#include "autosim/run_round.h"
#include "common/format.h"
#include "common/text.h"

namespace vessaro {
namespace {

// The typed number of rounds: not a number counts as 0; a number too long to read is too many.
int64_t ReadRounds(std::string_view typed) {
  const std::string text = Trim(typed);
  long long n = 0;
  if (ParseInt64(text, n)) return n;
  if (IsDigits(text)) return std::numeric_limits<int64_t>::max();
  return 0;
}

RunEnd EndOf(RoundStop why) {
  switch (why) {
    case RoundStop::kNone:
      return RunEnd::kFinished;
    case RoundStop::kProfitLimit:
    case RoundStop::kLossLimit:
      return RunEnd::kStopLimit;
    case RoundStop::kBalanceBelowOne:
    case RoundStop::kBalanceShort:
      return RunEnd::kBalance;
    case RoundStop::kNoSide:
    case RoundStop::kEmptyStake:
    case RoundStop::kStakeRefused:
    case RoundStop::kOverMaximum:
    case RoundStop::kPatternBroken:
    case RoundStop::kSystemBroken:
      return RunEnd::kSettingsError;
  }
  return RunEnd::kSettingsError;
}

}  // namespace

int RunExitCode(RunEnd end) {
  switch (end) {
    case RunEnd::kCancelled:
      return 130;
    case RunEnd::kFinished:
    case RunEnd::kStopLimit:
    case RunEnd::kBalance:
      return 0;
    case RunEnd::kSettingsError:
      return 3;
    case RunEnd::kNotStarted:
    case RunEnd::kFileError:
      return 2;
  }
  return 2;
}

RunDriver::RunDriver(fs::path program_folder, Dialogs& dialogs, EventPump& pump, Clock& clock,
                     RunSourceLoader& loader)
    : program_folder_(std::move(program_folder)), dialogs_(dialogs), pump_(pump), clock_(clock), loader_(loader) {}

// The stop is recorded here and told at the end of the run, once every file holds what the run
// did: a message box waits for the user, and a kill meanwhile must not lose the last lines.
void RunDriver::Stop(RunResult& result, RunEnd why, const std::string& log_line, const std::string& message) {
  stop_ = true;
  result.end = why;
  if (!log_line.empty()) log_.Append(log_line);
  result.stop_message = message;
}

void RunDriver::Yield(RunKind kind, int64_t done, int64_t total, RunTable& table, RunObserver& observer,
                      bool force) {
  const int64_t now = clock_.MonotonicMillis();
  if (!force && now - last_yield_ < kYieldMillis) return;
  last_yield_ = now;
  if (kind == RunKind::kProcessingOnly) observer.OnProgress(done, total);
  log_.Flush();
  graph_.Flush();
  table.FlushFiles();
  if (kind == RunKind::kProcessingOnly) pump_.ProcessEvents();
}

void RunDriver::ChooseFiles(const RunRequest& request, const DateTime& start, RunResult& result) {
  const bool gui = request.kind == RunKind::kGui;
  fs::path log_folder = fs::path(request.log_field).parent_path();
  if (log_folder.empty()) log_folder = program_folder_ / "log";
  result.auto_log = !request.auto_log_path.empty()
                        ? request.auto_log_path
                        : log_folder / (StampSecond(start) + (gui ? "AutoGUI.txt" : "Auto.txt"));
  result.graph_file = !request.graph_path.empty()
                          ? request.graph_path
                          : program_folder_ / "Graph" / (StampMinute(start) + "_TmpGraph.txt");
  EnsureFolder(result.auto_log.parent_path());
  EnsureFolder(result.graph_file.parent_path());
}

RunResult RunDriver::Run(const RunRequest& request, RunTable& table, RunObserver& observer) {
  RunResult result;
  if (running_) return result;
  const bool gui = request.kind == RunKind::kGui;

  if (request.system_name.empty() || request.pattern_name.empty()) {
    dialogs_.ShowMessage(run_texts::kChooseSystemAndPattern, MessageKind::kWarning);
    return result;
  }

  const DateTime start = clock_.LocalNow();
  ChooseFiles(request, start, result);
  observer.OnLogFile(result.auto_log);

  const int64_t requested = ReadRounds(request.trials_text);
  if (gui && requested > kGuiMaximum) {
    dialogs_.ShowMessage(run_texts::kGuiLimit, MessageKind::kWarning);
    return result;
  }
  if (!gui && requested > kProcessingMaximum) {
    dialogs_.ShowMessage(run_texts::kProcessingLimit, MessageKind::kWarning);
    return result;
  }

  running_ = true;
  stop_ = false;
  // Whatever escapes from here on (an unreadable settings file in the table's all-clear, say)
  // must not leave the program believing a run is still going: no run could start and the
  // window could never close.
  struct RunningGuard {
    RunDriver& driver;
    RunTable& table;
    ~RunningGuard() {
      if (!driver.running_) return;
      driver.running_ = false;
      driver.stop_ = false;
      try {
        table.EndRun();
      } catch (const IoError&) {
      }
    }
  } guard{*this, table};
  table.BeginRun(requested);
  observer.OnRunStarted(request.kind);
  log_.Discard();
  graph_.Discard();

  RunSources sources;
  try {
    if (request.fresh_files) {
      // Another run of the same second (or given the same names) keeps its files.
      result.auto_log = CreateFreshFile(result.auto_log);
      result.graph_file = CreateFreshFile(result.graph_file);
      observer.OnLogFile(result.auto_log);
    } else {
      // A graph file of the same minute left by an earlier run is replaced, not appended to.
      if (!DeleteFileIfExists(result.graph_file)) ThrowIoError(IoAction::kDelete, result.graph_file, errno);
    }
    log_.SetPath(result.auto_log);
    graph_.SetPath(result.graph_file);
    log_.Append(AutoLogHeader(start, table.Settings().outcome_mode, requested));
    log_.Flush();
    sources = loader_.Load(program_folder_, request.system_name, request.pattern_name);
  } catch (const IoError& e) {
    sources.message = e.what();
    sources.system.reset();
    result.end = RunEnd::kFileError;
  }
  if (!sources.system || !sources.pattern) {
    // Nothing to play: the log keeps only its header.
    if (request.fresh_files && FileSizeOf(result.graph_file) == 0) DeleteFileIfExists(result.graph_file);
    table.EndRun();
    running_ = false;
    result.stop_message = sources.message;
    dialogs_.ShowMessage(sources.message, MessageKind::kWarning);
    observer.OnRunFinishing(request.kind);
    return result;
  }
  result.started = true;
  result.end = RunEnd::kFinished;

  RoundProcedure procedure(request.kind, *sources.system, *sources.pattern, table);
  // The round's graph and log lines, written between its settlement and the card moves.
  struct LineWriter : RoundListener {
    RunDriver& driver;
    RunTable& table;
    RunKind kind;
    LineWriter(RunDriver& d, RunTable& t, RunKind k) : driver(d), table(t), kind(k) {}
    void OnSettled(const RoundProcedure& round) override {
      const SettledRound& settled = round.settled();
      driver.graph_.Append(GraphPointLine(table.Balance(), round.flat().balance));
      RoundLineFields fields{settled.round,        round.stake_text(),    settled.payout_text,
                             settled.balance_text, settled.player_total, settled.player_cards,
                             settled.banker_total, settled.banker_cards};
      driver.log_.Append(round.pending() + AutoLogRoundLine(kind, fields));
    }
  } writer(*this, table, request.kind);
  try {
    log_.Append("");
    graph_.Append(GraphHeaderLine(table.Balance(), requested, request.system_name, request.pattern_name));
    procedure.Begin(request.limits);
    last_yield_ = clock_.MonotonicMillis();
    Yield(request.kind, 0, requested, table, observer, true);

    for (int64_t i = 0; i < requested; ++i) {
      if (stop_) break;
      if (gui) {
        table.PrepareRound();
      } else {
        const bool full = log_.pending_bytes() >= kFlushBytes || graph_.pending_bytes() >= kFlushBytes;
        Yield(request.kind, i + 1, requested, table, observer, full);
        if (stop_) break;
      }
      if (const RoundStop why = procedure.Play(i, &writer); why != RoundStop::kNone) {
        Stop(result, EndOf(why), procedure.stop_log_line(), procedure.stop_message());
        break;
      }
      if (gui) {
        Yield(request.kind, i + 1, requested, table, observer, true);
        pump_.Pause(1);
      }
    }
  } catch (const IoError& e) {
    // A file could not be written: the run stops at once. That file ends at its last whole
    // line and takes no more; the others still receive everything the run did.
    stop_ = true;
    result.end = RunEnd::kFileError;
    result.stop_message = e.what();
  }
  if (result.end == RunEnd::kFinished && stop_) result.end = RunEnd::kCancelled;

  const bool stopped = stop_;
  stop_ = false;
  result.end_label = stopped ? run_texts::kStoppedMidway : run_texts::kFinished;
  // A negative count typed in the field plays nothing, and the closing lines say so ("試行回数0")
  // rather than repeating the negative number as if it had been played.
  result.rounds_played = stopped ? table.RoundCounter() : std::max<int64_t>(requested, 0);
  result.completed = !stopped;
  last_rounds_ = result.rounds_played;
  const std::string statistics_line = table.StatisticsLine();
  const RunStatistics& stats = procedure.stats();
  result.summary1 = SummaryLine1(stats, result.rounds_played, statistics_line);
  result.summary2 = SummaryLine2(stats, result.rounds_played, statistics_line);
  // Every file is written before anything is shown. A file that fails here fails alone: the
  // others still get their last lines.
  auto attempt = [&](auto&& write) {
    try {
      write();
    } catch (const IoError& e) {
      if (result.end == RunEnd::kFileError) return;
      result.end = RunEnd::kFileError;
      result.stop_message = e.what();
    }
  };
  attempt([&] {
    graph_.Append(result.summary1);
    graph_.Append(result.summary2);
    graph_.Flush();
  });
  attempt([&] {
    log_.Append(AutoLogStatisticsLine(stats, statistics_line));
    log_.Append(AutoLogClosingLine(result.rounds_played, result.end_label));
    log_.Flush();
  });
  attempt([&] { table.FlushFiles(); });
  const bool file_failed = result.end == RunEnd::kFileError;
  // A file that failed keeps what reached it; only a graph of no round at all is removed.
  if (result.rounds_played < 1) DeleteFileIfExists(result.graph_file);
  if (!gui) observer.OnProgress(result.rounds_played, requested);
  if (!result.stop_message.empty())
    dialogs_.ShowMessage(result.stop_message, file_failed ? MessageKind::kError : MessageKind::kWarning);
  observer.OnRunFinishing(request.kind);
  table.EndRun();
  running_ = false;
  if (file_failed) return result;
  if (result.rounds_played < 1) {
    dialogs_.ShowMessage(run_texts::kZeroRounds, MessageKind::kInformation);
  } else {
    dialogs_.ShowMessage(run_texts::kFinishedShowGraph, MessageKind::kInformation);
    observer.ShowGraph(result.graph_file, result.rounds_played);
  }
  return result;
}

}  // namespace vessaro
