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

}  // namespace

RunDriver::RunDriver(fs::path program_folder, Dialogs& dialogs, EventPump& pump, Clock& clock,
                     RunSourceLoader& loader)
    : program_folder_(std::move(program_folder)), dialogs_(dialogs), pump_(pump), clock_(clock), loader_(loader) {}

void RunDriver::Stop(RunResult& result, const std::string& log_line, const std::string& message) {
  stop_ = true;
  if (!log_line.empty()) {
    try {
      log_.Append(log_line);
      log_.Flush();
    } catch (const IoError&) {
    }
  }
  result.stop_message = message;
  if (!message.empty()) dialogs_.ShowMessage(message, MessageKind::kWarning);
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

RunResult RunDriver::Run(const RunRequest& request, RunTable& table, RunObserver& observer) {
  RunResult result;
  if (running_) return result;
  const bool gui = request.kind == RunKind::kGui;

  if (request.system_name.empty() || request.pattern_name.empty()) {
    dialogs_.ShowMessage(run_texts::kChooseSystemAndPattern, MessageKind::kWarning);
    return result;
  }

  const DateTime start = clock_.LocalNow();
  fs::path log_folder = fs::path(request.log_field).parent_path();
  if (log_folder.empty()) log_folder = program_folder_ / "log";
  result.auto_log = log_folder / (StampSecond(start) + (gui ? "AutoGUI.txt" : "Auto.txt"));
  result.graph_file = program_folder_ / "Graph" / (StampMinute(start) + "_TmpGraph.txt");
  observer.OnLogFile(result.auto_log);
  EnsureFolder(log_folder);
  EnsureFolder(result.graph_file.parent_path());

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
  last_requested_ = requested;
  table.BeginRun(requested);
  observer.OnRunStarted(request.kind);
  // A graph file of the same minute left by an earlier run is replaced, not appended to.
  DeleteFileIfExists(result.graph_file);
  log_.Discard();
  graph_.Discard();
  log_.SetPath(result.auto_log);
  graph_.SetPath(result.graph_file);

  RunSources sources;
  try {
    log_.Append(AutoLogHeader(start, table.Settings().outcome_mode, requested));
    log_.Flush();
    sources = loader_.Load(program_folder_, request.system_name, request.pattern_name);
  } catch (const IoError& e) {
    sources.message = e.what();
    sources.system.reset();
  }
  if (!sources.system || !sources.pattern) {
    // Nothing to play: the log keeps only its header.
    table.EndRun();
    running_ = false;
    result.stop_message = sources.message;
    dialogs_.ShowMessage(sources.message, MessageKind::kWarning);
    observer.OnRunFinishing(request.kind);
    return result;
  }
  result.started = true;

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
        Yield(request.kind, i + 1, requested, table, observer, false);
        if (stop_) break;
      }
      if (procedure.Play(i, &writer) != RoundStop::kNone) {
        Stop(result, procedure.stop_log_line(), procedure.stop_message());
        break;
      }
      if (gui) {
        Yield(request.kind, i + 1, requested, table, observer, true);
        pump_.Pause(1);
      }
    }
  } catch (const IoError& e) {
    // A file could not be written: what was written stays, and the run ends here.
    Stop(result, "", e.what());
  }

  const bool stopped = stop_;
  stop_ = false;
  result.end_label = stopped ? run_texts::kStoppedMidway : run_texts::kFinished;
  // A negative count typed in the field plays nothing, and the closing lines say so ("試行回数0")
  // rather than repeating the negative number as if it had been played.
  result.rounds_played = stopped ? table.RoundCounter() : std::max<int64_t>(requested, 0);
  result.completed = !stopped;
  const std::string statistics_line = table.StatisticsLine();
  const RunStatistics& stats = procedure.stats();
  result.summary1 = SummaryLine1(stats, result.rounds_played, statistics_line);
  result.summary2 = SummaryLine2(stats, result.rounds_played, statistics_line);
  try {
    graph_.Append(result.summary1);
    graph_.Append(result.summary2);
    log_.Append(AutoLogStatisticsLine(stats, statistics_line));
    log_.Append(AutoLogClosingLine(result.rounds_played, result.end_label));
    log_.Flush();
    graph_.Flush();
    table.FlushFiles();
  } catch (const IoError& e) {
    dialogs_.ShowMessage(e.what(), MessageKind::kError);
  }
  observer.OnRunFinishing(request.kind);
  table.EndRun();
  running_ = false;
  if (result.rounds_played < 1) {
    DeleteFileIfExists(result.graph_file);
    dialogs_.ShowMessage(run_texts::kZeroRounds, MessageKind::kInformation);
  } else {
    dialogs_.ShowMessage(run_texts::kFinishedShowGraph, MessageKind::kInformation);
    observer.ShowGraph(result.graph_file, requested);
  }
  return result;
}

}  // namespace vessaro
