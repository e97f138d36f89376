#include "analysis/log_replay.h"

#include "analysis/analysis_texts.h"
#include "analysis/log_analysis.h"
#include "analysis/log_view_model.h"
#include "common/format.h"
#include "common/rounding.h"
#include "common/text.h"
#include "engine/scoreboard.h"

namespace vessaro {
namespace {

namespace rt = replay_texts;

// The stake a system gave: a whole number of at least 1, or nullopt (no stake to place).
std::optional<int64_t> StakeUnits(const std::string& text) {
  long long v = 0;
  if (!ParseInt64(Trim(text), v) || v < 1) return std::nullopt;
  return v;
}

// The graph file of a replay started at this minute. With free_name it is created under a name no
// other file has ("_2", "_3" … as the command-line runs do); otherwise a graph file of the same
// minute is replaced, as the window's runs do. Raises IoError.
fs::path ReplayGraphFile(const fs::path& program_folder, const DateTime& start, bool free_name) {
  const fs::path folder = program_folder / "Graph";
  if (!EnsureFolder(folder)) ThrowIoError(IoAction::kCreateFolder, folder);
  const fs::path wanted = folder / (StampMinute(start) + "_TmpGraph.txt");
  if (free_name) return CreateFreshFile(wanted);
  if (!DeleteFileIfExists(wanted)) ThrowIoError(IoAction::kDelete, wanted);
  return wanted;
}

}  // namespace

std::optional<int64_t> WholeDollars(std::string_view line) {
  const size_t dollar = line.find('$');
  if (dollar == std::string_view::npos) return std::nullopt;
  // "-$5.00" as InterCasino writes a loss, "$-5.00" as a generated log writes a balance below 0.
  size_t i = dollar + 1;
  const bool negative = (dollar > 0 && line[dollar - 1] == '-') || (i < line.size() && line[i] == '-');
  if (i < line.size() && line[i] == '-') ++i;
  int64_t value = 0;
  int digits = 0;
  for (; i < line.size(); ++i) {
    const char c = line[i];
    if (c == ',') continue;
    if (c < '0' || c > '9') break;
    if (++digits > 15) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (digits == 0) return std::nullopt;
  return negative ? -value : value;
}

void LogRoundsReader::Feed(std::string_view line) {
  LogRounds& r = rounds_;
  if (!r.start_readable && Contains(line, "ゲーム開始時残高:")) {
    if (auto start = WholeDollars(line)) {
      r.start_balance = *start;
      r.start_readable = true;
    }
  } else if (Contains(line, "プレーヤーの勝ち")) {
    r.winners.push_back('P');
  } else if (Contains(line, "バンカーの勝ち")) {
    r.winners.push_back('B');
  } else if (Contains(line, "引き分け")) {
    r.winners.push_back('T');
  } else if (Contains(line, "新しい残高:")) {
    std::optional<int64_t> balance = WholeDollars(line);
    if (!balance) {
      ++r.unreadable_balances;
      balance = r.log_balances.empty() ? r.start_balance : r.log_balances.back();
    }
    r.log_balances.push_back(*balance);
  }
}

LogRounds ReadLogRounds(const LogLines& log) {
  LogRoundsReader reader;
  for (size_t i = 0; i < log.size(); ++i) reader.Feed(log[i]);
  return reader.rounds();
}

ReplaySettlement SettleReplayRound(int64_t balance, BetSide side, int64_t stake, char winner) {
  ReplaySettlement s;
  if (winner == 'P' && side == BetSide::kPlayer) {
    s.outcome = BetOutcome::kWin;
    s.payout = 2 * UnitsToCents(stake);
    s.balance_after = balance + stake;
  } else if (winner == 'B' && side == BetSide::kBanker) {
    s.outcome = BetOutcome::kWin;
    s.payout = stake * 195;
    s.balance_after = RoundHalfEvenRatio(balance * 100 + stake * 95, 100);
  } else if (winner == 'T') {
    s.outcome = BetOutcome::kTie;
    s.payout = UnitsToCents(stake);
    s.balance_after = balance;
  } else {
    s.outcome = BetOutcome::kLoss;
    s.payout = 0;
    s.balance_after = balance - stake;
  }
  return s;
}

std::string ReplaySummaryLine1(const RunStatistics& s, int64_t n, int64_t player, int64_t banker, int64_t ties) {
  if (s.total_in <= 0 || s.total_out <= 0 || n <= 0) return {};
  const std::string sides = Format("PLAYER:%lld(%s %%) BANKER:%lld(%s %%) TIE:%lld(%s %%)", static_cast<long long>(player),
                                   PercentText(player, n).c_str(), static_cast<long long>(banker),
                                   PercentText(banker, n).c_str(), static_cast<long long>(ties),
                                   PercentText(ties, n).c_str());
  return Format("【試行回数：%lld  %s  合計IN：%s 合計OUT：%s　ペイアウト: %s %% 　平均ベット： %s】 ",
                static_cast<long long>(n), sides.c_str(), FormatCents(UnitsToCents(s.total_in)).c_str(),
                FormatCents(s.total_out).c_str(), PercentText(s.total_out, UnitsToCents(s.total_in)).c_str(),
                FormatCents(RoundHalfUpRatio(UnitsToCents(s.total_in), n)).c_str());
}

std::string ReplaySummaryLine2(const RunStatistics& s, int64_t n) {
  if (s.total_in <= 0 || s.total_out <= 0 || n <= 0) return {};
  return Format(
      "【最大ベット: %s  最大損失時残高：%s  最大ドローダウン: %s %%  最大連勝数： %lld  最大連敗数： %lld  "
      "勝ち：%lld回(%s %%) 負け：%lld回(%s %%) 引分：%lld回(%s %%) 】",
      FormatCents(UnitsToCents(s.largest_stake)).c_str(), FormatCents(s.lowest_balance).c_str(),
      PercentText(s.starting_balance - s.lowest_balance, s.starting_balance).c_str(),
      static_cast<long long>(s.longest_win_streak), static_cast<long long>(s.longest_loss_streak),
      static_cast<long long>(s.wins), PercentText(s.wins, n).c_str(), static_cast<long long>(s.losses),
      PercentText(s.losses, n).c_str(), static_cast<long long>(s.ties), PercentText(s.ties, n).c_str());
}

LogReplay::LogReplay(fs::path program_folder, Dialogs& dialogs, EventPump& pump, Clock& clock,
                     RunSourceLoader& loader)
    : program_folder_(std::move(program_folder)), dialogs_(dialogs), pump_(pump), clock_(clock), loader_(loader) {}

template <typename Progress>
void LogReplay::Yield(bool force, Progress&& progress) {
  if (!force && clock_.MonotonicMillis() - last_yield_ < kYieldMillis) return;
  progress();
  graph_.Flush();
  pump_.ProcessEvents();
  // Counted from the end of the yield: however long the window took to draw, the replay gets its
  // stretch of work before the next one.
  last_yield_ = clock_.MonotonicMillis();
}

bool LogReplay::ReadRounds(const fs::path& file, bool detailed, LogRoundsReader& reader, std::string& warning,
                           ReplayObserver& observer) {
  const int passes = detailed ? 2 : 1;
  auto feed = [&reader](std::string_view line) { reader.Feed(line); };
  // One reading of the file, its lines to on_line.
  auto pass = [&](int index, auto&& on_line) {
    LogTextReader text(file, IsPlayHistoryFile(file));
    LineSplitter lines;
    while (std::optional<std::string> piece = text.Next()) {
      lines.Feed(*piece, on_line);
      const int64_t total = std::max<int64_t>(text.total_bytes(), 1);
      Yield(false, [&] {
        observer.OnReadingLog(static_cast<int>((index * 100 + text.read_bytes() * 100 / total) / passes));
      });
      if (stop_) return false;
    }
    lines.Finish(on_line);
    return true;
  };
  if (!detailed) return pass(0, feed);
  // The generated log's header needs every record: the detailed log is read twice.
  GeneratedLogBuilder builder;
  if (!pass(0, [&builder](std::string_view line) { builder.Count(line); })) return false;
  LineSplitter generated;
  generated.Feed(builder.HeaderText(), feed);
  if (!pass(1, [&](std::string_view line) { generated.Feed(builder.RoundText(line), feed); })) return false;
  generated.Finish(feed);
  warning = DamagedRecordsMessage(builder.damaged(), builder.first_damaged_line());
  return true;
}

ReplayResult LogReplay::Run(const ReplayRequest& request, ReplayObserver& observer) {
  ReplayResult result;
  if (running_) return result;
  auto refuse = [&](const std::string& message) {
    dialogs_.ShowMessage(message, MessageKind::kWarning);
    result.stop_message = message;
    return result;
  };
  if (!FileExists(request.file)) return refuse(analysis_texts::kFileMissing);
  if (request.system_name.empty() || request.pattern_name.empty()) return refuse(run_texts::kChooseSystemAndPattern);
  const bool detailed = request.kind == LogKind::kUserDetailed;
  RunSources sources;
  try {
    sources = loader_.Load(program_folder_, request.system_name, request.pattern_name);
    if (sources.system && sources.pattern && !detailed && !Contains(FirstLineOf(request.file), "ゲーム:"))
      return refuse(analysis_texts::kNotReportable);
  } catch (const IoError& e) {
    return refuse(e.what());
  }
  if (!sources.system || !sources.pattern) return refuse(sources.message);

  running_ = true;
  stop_ = false;
  struct RunningGuard {
    LogReplay& replay;
    ~RunningGuard() { replay.running_ = false; }
  } guard{*this};
  observer.OnReplayStarted();
  last_yield_ = clock_.MonotonicMillis();

  LogRoundsReader reader;
  std::string warning;
  try {
    // The log is read with yields too: a million rounds are some 80 MB.
    result.cancelled = !ReadRounds(request.file, detailed, reader, warning, observer);
  } catch (const IoError& e) {
    observer.OnReplayFinishing();
    return refuse(e.what());
  }
  const LogRounds& rounds = reader.rounds();
  if (!warning.empty()) dialogs_.ShowMessage(warning, MessageKind::kWarning);
  if (!result.cancelled && !rounds.start_readable) {
    observer.OnReplayFinishing();
    return refuse(rt::kStartUnreadable);
  }
  if (rounds.unreadable_balances > 0)
    dialogs_.ShowMessage(Format(rt::kBalancesUnreadable, static_cast<long long>(rounds.unreadable_balances)),
                         MessageKind::kWarning);

  const int64_t n = static_cast<int64_t>(rounds.winners.size());
  result.rounds_total = n;
  result.started = true;

  RunSystem& system = *sources.system;
  RunPattern& pattern = *sources.pattern;
  RunStatistics stats;
  stats.starting_balance = UnitsToCents(rounds.start_balance);
  stats.lowest_balance = stats.starting_balance;
  int64_t balance = rounds.start_balance;
  int system_card = 1, pattern_card = 1;
  int64_t player = 0, banker = 0, ties = 0;
  std::string history;  // the last 100 non-tie winners at its end
  LastRoundRecord record;
  std::string stopped_by;
  try {
    result.graph_file = ReplayGraphFile(program_folder_, clock_.LocalNow(), request.free_graph_name);
    graph_.Discard();
    graph_.SetPath(result.graph_file);
    const std::string start_text = IntText(rounds.start_balance);
    graph_.Append(JoinFields({start_text, start_text, request.system_name, request.pattern_name}, 0, 4, ","));

    for (int64_t i = 0; i < n && !result.cancelled; ++i) {
      Yield(i == 0, [&] { observer.OnProgress(i + 1, n); });
      if (stop_) {
        result.cancelled = true;
        break;
      }
      const char winner = rounds.winners[static_cast<size_t>(i)];
      if (UnitsToCents(balance) < stats.lowest_balance) stats.lowest_balance = UnitsToCents(balance);
      const std::string_view recent =
          std::string_view(history).substr(history.size() > kHistoryKept ? history.size() - kHistoryKept : 0);
      const BetSide side = pattern.Side(pattern_card, recent, record);
      const StakeAsked asked = system.Stake(system_card, UnitsToCents(balance), IntText(balance));
      const std::optional<int64_t> stake = StakeUnits(asked.stake);
      if (stake && *stake > stats.largest_stake) stats.largest_stake = *stake;
      if (side == BetSide::kNone || !stake) {
        stopped_by = rt::kUnrecoverable;
        break;
      }
      const ReplaySettlement settled = SettleReplayRound(balance, side, *stake, winner);
      stats.AddRound(*stake, settled.payout, 0, settled.outcome);
      if (winner == 'P') ++player;
      if (winner == 'B') ++banker;
      if (winner == 'T') ++ties;
      // The replay's own record: the winner (a tie as "T"), then the Player count where the table's
      // record holds its Banker count and the Banker count where it holds its Player count.
      record.empty = false;
      record.letter.assign(1, winner);
      record.column = record.row = 0;
      record.banker = player;
      record.player = banker;
      record.ties = ties;
      if (winner != 'T') {
        history.push_back(winner);
        if (history.size() > 2 * kHistoryKept) history.erase(0, history.size() - kHistoryKept);
      }
      const int64_t balance_before = balance;
      balance = settled.balance_after;
      const size_t at = static_cast<size_t>(i);
      const int64_t log_balance =
          at < rounds.log_balances.size() ? rounds.log_balances[at]
                                          : (rounds.log_balances.empty() ? rounds.start_balance : rounds.log_balances.back());
      std::string line = IntText(balance);
      line.push_back(',');
      AppendInt(line, log_balance);
      graph_.Append(line);
      result.rounds_replayed = i + 1;
      if (pattern.fixed()) {
        pattern_card = pattern.Next(settled.outcome, pattern_card);
        if (pattern_card < 1) {
          stopped_by = rt::kPatternBroken;
          break;
        }
      }
      system_card = system.Next(settled.outcome, system_card, UnitsToCents(balance_before));
      if (system_card < 1) {
        stopped_by = rt::kSystemBroken;
        break;
      }
    }
    if (!stopped_by.empty()) {
      result.settings_error = true;
      result.stop_message = stopped_by;
      dialogs_.ShowMessage(stopped_by, MessageKind::kWarning);
    }
    // Averages and shares over the rounds replayed, not over the log's length.
    result.summary1 = ReplaySummaryLine1(stats, result.rounds_replayed, player, banker, ties);
    result.summary2 = ReplaySummaryLine2(stats, result.rounds_replayed);
    graph_.Append(result.summary1);
    graph_.Append(result.summary2);
    graph_.Flush();
  } catch (const IoError& e) {
    // What was written stays; without its graph the replay has nothing to show.
    result.stop_message = e.what();
    dialogs_.ShowMessage(e.what(), MessageKind::kError);
    observer.OnReplayFinishing();
    return result;
  }
  result.completed = result.rounds_replayed == n && stopped_by.empty() && !result.cancelled;
  observer.OnReplayFinishing();
  running_ = false;
  if (result.completed) {
    dialogs_.ShowMessage(rt::kFinished, MessageKind::kInformation);
  } else {
    dialogs_.ShowMessage(Format(rt::kEndedEarly, static_cast<long long>(result.rounds_replayed),
                                static_cast<long long>(n)),
                         MessageKind::kInformation);
  }
  observer.ShowGraph(result.graph_file, result.rounds_replayed);
  return result;
}

}  // namespace vessaro
