#include "analysis/analyze_command.h"

#include "analysis/analysis_texts.h"
#include "analysis/grid_search.h"
#include "analysis/log_merge.h"
#include "analysis/log_replay.h"
#include "autosim/system_sources.h"
#include "common/command_line.h"
#include "common/names.h"
#include "analysis/log_analysis.h"
#include "analysis/pattern_grid.h"
#include "common/text.h"

namespace vessaro {
namespace {

constexpr int kDone = 0;
constexpr int kRefused = 2;
constexpr int kSettingsError = 3;

std::string Shown(std::string_view message) { return ReplaceAll(message, "\r\n", "\n"); }

int Refuse(std::ostream& err, std::string_view message) {
  err << Shown(message) << "\n";
  return kRefused;
}

// A whole number of at least minimum; nullopt otherwise.
std::optional<int64_t> WholeAtLeast(const std::string& text, int64_t minimum) {
  long long v = 0;
  if (!ParseInt64(text, v) || v < minimum) return std::nullopt;
  return v;
}

// Messages of the merge: results to the output, refusals to the error stream; the question
// before replacing a merged file is answered by --overwrite.
class ConsoleDialogs : public Dialogs {
 public:
  ConsoleDialogs(std::ostream& out, std::ostream& err, bool yes) : out_(out), err_(err), yes_(yes) {}
  void ShowMessage(std::string_view text, MessageKind kind) override {
    (kind == MessageKind::kInformation ? out_ : err_) << Shown(text) << "\n";
  }
  bool AskYesNo(std::string_view) override {
    if (!yes_) declined_ = true;
    return yes_;
  }
  std::optional<std::string> ChooseOpenFile(const FileFilter&) override { return std::nullopt; }
  std::optional<std::string> ChooseSaveFile(const FileFilter&) override { return std::nullopt; }
  std::optional<std::string> ChooseFolder(std::string_view, std::string_view) override { return std::nullopt; }
  bool declined() const { return declined_; }

 private:
  std::ostream& out_;
  std::ostream& err_;
  bool yes_;
  bool declined_ = false;
};

int RunMerge(const AnalyzeOptions& options, std::ostream& out, std::ostream& err) {
  const fs::path home = fs::absolute(options.home);
  if (!FolderExists(home)) return Refuse(err, "プログラムフォルダが存在しません / no such program folder: " + home.string());
  long long kind = -1;
  if (!ParseInt64(*options.kind, kind) || kind < 0 || kind > 3) kind = -1;
  ConsoleDialogs dialogs(out, err, options.overwrite);
  MergeOutcome merged = MergeLogs(home, MergeRequest{static_cast<int>(kind), options.target, *options.name}, dialogs);
  if (!merged.merged) {
    if (dialogs.declined()) err << "同じファイル名が存在します（上書きは --overwrite）/ the merged file exists (--overwrite replaces it)\n";
    return kRefused;
  }
  out << merged.merged->string() << "\n";
  return kDone;
}

// Status messages of the replay all go to the error stream: the output holds only the graph file
// and the summary lines.
class StatusDialogs : public ConsoleDialogs {
 public:
  explicit StatusDialogs(std::ostream& err) : ConsoleDialogs(err, err, false) {}
  void ShowMessage(std::string_view text, MessageKind kind) override {
    // No graph window opens here: its announcement would say what does not happen.
    if (text == replay_texts::kFinished) return;
    ConsoleDialogs::ShowMessage(text, kind);
  }
};

// Between yields the replay only looks whether it was interrupted.
class InterruptPump : public EventPump {
 public:
  explicit InterruptPump(const volatile std::sig_atomic_t* interrupted) : interrupted_(interrupted) {}
  void set_replay(LogReplay* replay) { replay_ = replay; }
  void ProcessEvents() override {
    if (interrupted_ != nullptr && *interrupted_ != 0 && replay_ != nullptr) replay_->RequestStop();
  }
  void Pause(int) override { ProcessEvents(); }
  void Sleep(int) override {}

 private:
  const volatile std::sig_atomic_t* interrupted_;
  LogReplay* replay_ = nullptr;
};

int RunReplay(const AnalyzeOptions& options, Clock& clock, std::ostream& out, std::ostream& err,
              const volatile std::sig_atomic_t* interrupted) {
  const fs::path home = fs::absolute(options.home);
  if (!FolderExists(home)) return Refuse(err, "プログラムフォルダが存在しません / no such program folder: " + home.string());
  // The names as the window's lists could hold them: no separators, no forbidden characters.
  for (const std::string* name : {&*options.system, &*options.pattern})
    if (auto refusal = CheckNameCharacters(Trim(*name), NameKind::kFile)) return Refuse(err, *refusal);
  const fs::path log = options.target;
  if (!FileExists(log)) return Refuse(err, analysis_texts::kFileMissing);
  // The kind as choosing the file gives it, from the name and the first line only: the replay
  // reads the log itself, a piece at a time.
  const bool detailed = IsDetailedLogName(log);
  if (!detailed) {
    std::string first;
    try {
      first = FirstLineOf(log);
    } catch (const IoError& e) {
      return Refuse(err, e.what());
    }
    if (!Contains(first, "ゲーム:") && first.find_first_of("BP") == std::string::npos)
      return Refuse(err, analysis_texts::kFileInvalid);
  }

  StatusDialogs dialogs(err);
  InterruptPump pump(interrupted);
  SystemsRunSourceLoader loader;
  LogReplay replay(home, dialogs, pump, clock, loader);
  pump.set_replay(&replay);
  ReplayObserver observer;
  ReplayRequest request;
  request.file = log;
  request.kind = detailed ? LogKind::kUserDetailed : LogKind::kInterCasino;
  request.system_name = Trim(*options.system);
  request.pattern_name = Trim(*options.pattern);
  request.free_graph_name = true;  // never over another run's or replay's graph
  ReplayResult result = replay.Run(request, observer);
  // The exit codes of runs: not started (refused, with the window's message) or a file failure 2,
  // a settings stop 3, interrupted 130.
  RunEnd end = RunEnd::kFinished;
  if (!result.started) {
    end = RunEnd::kNotStarted;
  } else if (result.settings_error) {
    end = RunEnd::kSettingsError;
  } else if (result.cancelled) {
    end = RunEnd::kCancelled;
  } else if (!result.completed) {
    end = RunEnd::kFileError;
  }
  if (end != RunEnd::kNotStarted && end != RunEnd::kFileError)
    out << result.graph_file.string() << "\n" << result.summary1 << "\n" << result.summary2 << "\n";
  return RunExitCode(end);
}

bool IsBetSequence(const std::string& bets) {
  if (bets.size() > 20) return false;
  for (char c : bets)
    if (c != 'P' && c != 'B') return false;
  return true;
}

}  // namespace

std::string AnalyzeHelpText() {
  return
      "使い方 / Usage:\n"
      "  vessaro-analyze report LOG\n"
      "  vessaro-analyze bankruptcy LOG --bets SEQ\n"
      "  vessaro-analyze grid LOG --length N [--from A] [--to B] [--where EXPR] [--out FILE]\n"
      "  vessaro-analyze replay LOG --home DIR --system NAME --pattern NAME\n"
      "  vessaro-analyze merge FOLDER --kind K --name NAME --home DIR [--overwrite]\n"
      "  vessaro-analyze --help\n"
      "\n"
      "解析画面（トレーニング分析）の解析を表示なしで行います。LOG はプレイ履歴、インターカジノ形式の\n"
      "ログ、ユーザ簡易作成（_user1.txt）、ユーザ詳細作成（_user2.txt、_merge3.txt）のログです。\n"
      "Runs the analyses of the analysis window without display. LOG is a play history, an\n"
      "InterCasino-format log, or a user log (_user1.txt simple; _user2.txt or _merge3.txt detailed).\n"
      "\n"
      "  report        ログ解析（解析開始）の一覧を表示します。インターカジノ・ユーザ詳細作成のログのみ。\n"
      "                prints the log report's lines (InterCasino and detailed user logs only).\n"
      "  bankruptcy    破産パターン出現解析の結果を表示します。\n"
      "                prints the bankruptcy-pattern message.\n"
      "    --bets SEQ    ベット順（P と B、20文字まで）/ the bet sequence (P and B, at most 20)\n"
      "  grid          全出現パターン解析の出現率表（TmpGrid.txt と同じ形式）を書きます。\n"
      "                writes the pattern frequency table (the layout of TmpGrid.txt).\n"
      "    --length N    パターン桁数（4から12）/ the pattern length (4 to 12)\n"
      "    --from A      範囲の開始（1戦目から数える、省略時は1）/ range start, from 1 (default 1)\n"
      "    --to B        範囲の終了（省略時はログの最後）/ range end (default: the end of the log)\n"
      "    --where EXPR  グリッド内条件検索の条件式で絞り込みます。例:\n"
      "                  narrows the table by a condition expression of the grid search, e.g.\n"
      "                  '\"出現回数,数値,>=,12\",AND,\"出現パターン,文字列,*,PB\"'\n"
      "    --out FILE    FILE にコードページ932・CR LF で書きます（省略時は標準出力に UTF-8）。\n"
      "                  writes FILE in code page 932 with CR LF (default: UTF-8 to standard output).\n"
      "  replay        LOG の結果を別のシステムとパターンで再生し（別システムで高速シミュレート）、\n"
      "                グラフファイル（DIR\\Graph\\..._TmpGraph.txt）のパスと集計2行を表示します。\n"
      "                replays LOG under another system and pattern, writes the graph file\n"
      "                (DIR/Graph/..._TmpGraph.txt) and prints its path and the two summary lines.\n"
      "    --home DIR    プログラムフォルダ（betpattern\\ のシステム・パターン）/ the program folder\n"
      "    --system NAME ベットシステム名 / the betting system's name\n"
      "    --pattern NAME ベットパターン名（固定または特殊）/ the pattern's name (fixed or special)\n"
      "  merge         FOLDER 内の同じ種類のログを DIR\\history\\NAME_mergeK.txt に結合します（ログ結合）。\n"
      "                joins the logs of one kind in FOLDER into DIR/history/NAME_mergeK.txt.\n"
      "    --kind K      0 Kindletのログ, 1 インターカジノのログ, 2 簡易作成, 3 詳細作成\n"
      "                  0 play histories, 1 InterCasino logs, 2 simple user logs, 3 detailed user logs\n"
      "    --name NAME   結合後のファイル名 / the merged file's name\n"
      "    --home DIR    プログラムフォルダ / the program folder\n"
      "    --overwrite   同名の結合ファイルを置き換えます / replaces a merged file of that name\n"
      "\n"
      "終了コード / exit status: 0 完了 / done; 2 入力の誤り（画面と同じメッセージ）、ファイルの\n"
      "  読み書きの失敗 / refused input (with the window's message) or a file that cannot be read or\n"
      "  written; 3 システム・パターンの設定で再生が止まった（途中までのグラフは書かれます）/ the\n"
      "  replay stopped on the system's or the pattern's settings (the graph of the rounds replayed\n"
      "  is written); 130 再生を中断した（Ctrl+C）/ the replay was interrupted (Ctrl+C); the graph\n"
      "  holds the rounds replayed.\n";
}

std::optional<AnalyzeOptions> ParseAnalyzeArguments(const std::vector<std::string>& args, std::string& error) {
  AnalyzeOptions o;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      o.help = true;
      return o;
    }
    auto value = [&](std::optional<std::string>& into) { return TakeOptionValue(args, i, into.emplace(), error); };
    std::optional<std::string> home;
    if (a == "--overwrite") {
      o.overwrite = true;
    } else if (a == "--kind") {
      if (!value(o.kind)) return std::nullopt;
    } else if (a == "--name") {
      if (!value(o.name)) return std::nullopt;
    } else if (a == "--system") {
      if (!value(o.system)) return std::nullopt;
    } else if (a == "--pattern") {
      if (!value(o.pattern)) return std::nullopt;
    } else if (a == "--home") {
      if (!value(home)) return std::nullopt;
      o.home = *home;
    } else if (a == "--bets") {
      if (!value(o.bets)) return std::nullopt;
    } else if (a == "--length") {
      if (!value(o.length)) return std::nullopt;
    } else if (a == "--from") {
      if (!value(o.from)) return std::nullopt;
    } else if (a == "--to") {
      if (!value(o.to)) return std::nullopt;
    } else if (a == "--where") {
      if (!value(o.where)) return std::nullopt;
    } else if (a == "--out") {
      if (!value(o.out)) return std::nullopt;
    } else if (StartsWith(a, "--")) {
      error = "不明な引数です / unknown argument: " + a;
      return std::nullopt;
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 2) {
    error = "コマンドと対象を1つずつ指定してください / give one command and one target";
    return std::nullopt;
  }
  o.command = positional[0];
  o.target = positional[1];
  if (o.command != "report" && o.command != "bankruptcy" && o.command != "grid" && o.command != "merge" &&
      o.command != "replay") {
    error = "不明なコマンドです / unknown command: " + o.command;
    return std::nullopt;
  }
  if (o.command == "bankruptcy" && !o.bets) {
    error = "--bets を指定してください / bankruptcy needs --bets";
    return std::nullopt;
  }
  if (o.command == "grid" && !o.length) {
    error = "--length を指定してください / grid needs --length";
    return std::nullopt;
  }
  if (o.command == "replay" && (!o.system || !o.pattern || o.home.empty())) {
    error = "replay には --home, --system, --pattern を指定してください / replay needs --home, --system and --pattern";
    return std::nullopt;
  }
  if (o.command == "merge" && (!o.kind || !o.name || o.home.empty())) {
    error = "merge には --kind, --name, --home を指定してください / merge needs --kind, --name and --home";
    return std::nullopt;
  }
  return o;
}

int RunAnalyzeCommand(const AnalyzeOptions& options, Clock& clock, std::ostream& out, std::ostream& err,
                      const volatile std::sig_atomic_t* interrupted) {
  if (options.command == "merge") return RunMerge(options, out, err);
  if (options.command == "replay") return RunReplay(options, clock, out, err, interrupted);
  // The checks of the boxes the window offers, before anything is read.
  std::optional<int64_t> from, to;
  int length = 0;
  if (options.command == "bankruptcy" && !IsBetSequence(*options.bets))
    return Refuse(err, "--bets は P と B の20文字までです / --bets takes up to 20 letters P and B");
  if (options.command == "grid") {
    auto n = WholeAtLeast(*options.length, kMinPatternLength);
    if (!n || *n > kMaxPatternLength) return Refuse(err, analysis_texts::kPatternLengthInvalid);
    length = static_cast<int>(*n);
    if (options.from && !(from = WholeAtLeast(*options.from, 1)))
      return Refuse(err, "--from は1以上の整数です / --from takes a whole number of 1 or more");
    if (options.to && !(to = WholeAtLeast(*options.to, 1)))
      return Refuse(err, "--to は1以上の整数です / --to takes a whole number of 1 or more");
    if (options.where) {
      if (auto problem = CheckConditionExpression(*options.where))
        return Refuse(err, "--where: " + *problem);
    }
  }

  const fs::path log = options.target;
  try {
    if (!FileExists(log)) return Refuse(err, analysis_texts::kFileMissing);
    ChosenFile chosen = ChooseAnalysisFile(log, IsDetailedLogName(log));
    if (!chosen.warning.empty()) err << Shown(chosen.warning) << "\n";
    if (!chosen.message.empty()) return Refuse(err, chosen.message);

    if (options.command == "report") {
      AnalysisOutcome report = RunLogReport(log, chosen.kind);
      if (report.refused) return Refuse(err, report.message);
      for (const std::string& line : report.lines) out << line << "\n";
      return kDone;
    }
    if (options.command == "bankruptcy") {
      AnalysisOutcome result = RunBankruptcyAnalysis(log, chosen.kind, *options.bets);
      if (result.refused) return Refuse(err, result.message);
      out << Shown(result.message) << "\n";
      return kDone;
    }
    AnalysisOutcome table = RunAllPatternAnalysis(log, chosen.kind, length, from, to);
    if (table.refused) return Refuse(err, table.message);
    std::vector<std::string> lines = std::move(table.lines);
    if (options.where) {
      FilteredTable filtered = FilterTableLines(lines, *options.where);
      if (filtered.matched == 0) return Refuse(err, analysis_texts::kNothingMatches);
      lines = std::move(filtered.lines);
    }
    if (options.out) {
      WriteTableFile(*options.out, lines);
      out << *options.out << "\n";
    } else {
      for (const std::string& line : lines) out << line << "\n";
    }
    return kDone;
  } catch (const IoError& e) {
    return Refuse(err, e.what());
  }
}

}  // namespace vessaro
