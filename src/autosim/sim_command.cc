#include "autosim/sim_command.h"

#include <tuple>

#include "autosim/run_driver.h"
#include "autosim/run_table.h"
#include "autosim/stop_conditions.h"
#include "autosim/system_sources.h"
#include "common/command_line.h"
#include "common/names.h"
#include "common/text.h"
#include "engine/table_settings.h"

namespace vessaro {
namespace {

// Messages of the run go to the output; questions are answered No.
class ConsoleDialogs : public Dialogs {
 public:
  explicit ConsoleDialogs(std::ostream& out) : out_(out) {}
  void ShowMessage(std::string_view text, MessageKind) override {
    out_ << ReplaceAll(text, "\r\n", "\n") << "\n";
    last_ = std::string(text);
  }
  bool AskYesNo(std::string_view) override { return false; }
  std::optional<std::string> ChooseOpenFile(const FileFilter&) override { return std::nullopt; }
  std::optional<std::string> ChooseSaveFile(const FileFilter&) override { return std::nullopt; }
  std::optional<std::string> ChooseFolder(std::string_view, std::string_view) override { return std::nullopt; }
  const std::string& last() const { return last_; }

 private:
  std::ostream& out_;
  std::string last_;
};

// Between rounds the run only looks whether it was interrupted.
class InterruptPump : public EventPump {
 public:
  explicit InterruptPump(const volatile std::sig_atomic_t* interrupted) : interrupted_(interrupted) {}
  void set_driver(RunDriver* driver) { driver_ = driver; }
  void ProcessEvents() override {
    if (interrupted_ != nullptr && *interrupted_ != 0 && driver_ != nullptr) driver_->RequestStop();
  }
  void Pause(int) override { ProcessEvents(); }
  void Sleep(int) override {}

 private:
  const volatile std::sig_atomic_t* interrupted_;
  RunDriver* driver_ = nullptr;
};

// The name as the editors take it: trimmed, not empty, none of the forbidden characters, no line
// break, nothing the data files' code page cannot hold. A name is a file name inside betpattern/,
// never a path.
std::optional<std::string> CheckRunName(std::string_view option, std::string_view name) {
  const std::string trimmed = Trim(name);
  if (trimmed.empty()) return std::string(option) + " に名前がありません / " + std::string(option) + " needs a name";
  if (auto refusal = CheckNameCharacters(trimmed, NameKind::kFile)) {
    return std::string(option) + ": " + *refusal;
  }
  return std::nullopt;
}

// A relative path inside a working folder that was deleted meanwhile cannot be resolved.
std::optional<fs::path> ResolvePath(std::string_view option, const std::string& path, std::ostream& out) {
  std::error_code ec;
  fs::path absolute = fs::absolute(path, ec);
  if (ec) {
    out << "作業フォルダが見つからないため " << option << " " << path
        << " を解決できません（削除された可能性があります）。絶対パスで指定してください\n"
        << "cannot resolve " << option << " " << path
        << ": the current folder no longer exists; give an absolute path\n";
    return std::nullopt;
  }
  return absolute;
}

}  // namespace

std::string SimHelpText() {
  return
      "使い方 / Usage:\n"
      "  vessaro-sim --home DIR --system NAME --pattern NAME --rounds N [--seed S] [--profit P --loss L]\n"
      "              [--log FILE] [--graph FILE]\n"
      "\n"
      "プログラムフォルダ DIR の設定で、表示なしのオート実行（オート実行処理のみ）を1回行います。\n"
      "Plays one automatic run without display over the program folder DIR.\n"
      "\n"
      "  --home DIR      プログラムフォルダ。System\\Rules.dat のテーブル設定（乱数エミュレートモード、\n"
      "                  MIN/MAX、初期残高）と betpattern\\ のシステム・パターンを使います。\n"
      "                  The program folder: its System/Rules.dat gives the outcome mode, the table\n"
      "                  limits and the starting balance; betpattern/ holds systems and patterns.\n"
      "  --system NAME   ベットシステム名 / the betting system's name\n"
      "  --pattern NAME  ベットパターン名（固定または特殊パターン）/ the pattern's name (fixed or special)\n"
      "  --rounds N      試行回数（1000000回まで）/ the number of rounds (at most 1,000,000)\n"
      "  --seed S        乱数のセッションシード（省略時は現在時刻のミリ秒）\n"
      "                  the session seed of the deals (default: the time of day in milliseconds)\n"
      "  --profit P      合計利益がPを超えたら終了（--loss と同時に指定、1から99999）\n"
      "                  stop when the profit exceeds P (give it with --loss; 1 to 99999)\n"
      "  --loss L        合計損失額がLを超えたら終了（--profit と同時に指定、1から99999）\n"
      "                  stop when the loss exceeds L (give it with --profit; 1 to 99999)\n"
      "  --log FILE      オートログのパス（省略時は log\\<日時>Auto.txt）/ the auto log's path\n"
      "  --graph FILE    グラフファイルのパス（省略時は Graph\\<日時>_TmpGraph.txt）/ the graph file's path\n"
      "  --help          この説明を表示します / shows this text\n"
      "\n"
      "オートログ（log\\）、グラフファイル（Graph\\..._TmpGraph.txt）、プレイ履歴（history\\）を\n"
      "画面のオート実行と同じ形式で書き、ファイルのパスと集計2行を表示します。\n"
      "It writes the auto log, the graph temp file and the play history exactly as the window's run\n"
      "does, then prints their paths and the two summary lines.\n"
      "同じ名前のファイルがすでにあるとき（同じ秒・分の別の実行など）は置き換えず、\"_2\" などを付けた\n"
      "新しい名前で書きます。When a file of that name exists (another run of the same second or\n"
      "minute), it is kept and the new file gets a free name with \"_2\", \"_3\" ….\n"
      "\n"
      "終了コード / exit status:\n"
      "  0   最後まで実行した、または終了条件・残高不足で停止した\n"
      "      the run finished, or stopped on a stop limit or on the balance\n"
      "  2   引数・名前の誤り、Rules.dat がない・不正、必要なファイルがない、ファイルの読み書きに失敗した\n"
      "      refused input (arguments, names, a missing or invalid Rules.dat, a missing file), or a\n"
      "      file that could not be read or written\n"
      "  3   システムまたはパターンの設定エラーで停止した（カードの飛び先の誤り、テーブル上下限外の賭け額など）\n"
      "      the run stopped on an error of the system or pattern (a broken card chain, a stake\n"
      "      outside the table limits)\n"
      "  130 中断された（Ctrl+C）/ interrupted (Ctrl+C); the files hold the rounds played\n" +
      StudyHelpText();
}

std::optional<SimOptions> ParseSimArguments(const std::vector<std::string>& arguments, std::string& error) {
  SimOptions o;
  std::vector<std::string> args = arguments;
  if (!TakeStudyArguments(args, o.study, error)) return std::nullopt;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      o.help = true;
      return o;
    }
    auto value = [&](std::string& into) { return TakeOptionValue(args, i, into, error); };
    std::string v;
    if (a == "--home") {
      if (!value(o.home)) return std::nullopt;
    } else if (a == "--system") {
      if (!value(o.system)) return std::nullopt;
    } else if (a == "--pattern") {
      if (!value(o.pattern)) return std::nullopt;
    } else if (a == "--rounds") {
      if (!value(o.rounds)) return std::nullopt;
    } else if (a == "--seed") {
      if (!value(v)) return std::nullopt;
      if (!IsDigits(v) || v.size() > 19) {
        error = "--seed は0以上の整数です / --seed takes a whole number";
        return std::nullopt;
      }
      o.seed = std::stoull(v);
    } else if (a == "--profit") {
      if (!value(v)) return std::nullopt;
      o.profit = v;
    } else if (a == "--loss") {
      if (!value(v)) return std::nullopt;
      o.loss = v;
    } else if (a == "--log") {
      if (!value(o.log)) return std::nullopt;
    } else if (a == "--graph") {
      if (!value(o.graph)) return std::nullopt;
    } else {
      error = "不明な引数です / unknown argument: " + a;
      return std::nullopt;
    }
  }
  if (o.home.empty() || o.system.empty() || o.pattern.empty() || o.rounds.empty()) {
    error = "--home, --system, --pattern, --rounds は必須です / --home, --system, --pattern and --rounds are required";
    return std::nullopt;
  }
  for (auto [option, name] : {std::pair<const char*, const std::string*>{"--system", &o.system},
                               {"--pattern", &o.pattern}}) {
    if (auto refusal = CheckRunName(option, *name)) {
      error = *refusal;
      return std::nullopt;
    }
  }
  long long n = 0;
  if (!ParseInt64(o.rounds, n) || n < 0) {
    error = "--rounds は0以上の整数です / --rounds takes a whole number of 0 or more";
    return std::nullopt;
  }
  if (o.profit.has_value() != o.loss.has_value()) {
    error = "--profit と --loss は両方指定してください / give both --profit and --loss, or neither";
    return std::nullopt;
  }
  return o;
}

int RunSimCommand(const SimOptions& options, Clock& clock, std::ostream& out,
                  const volatile std::sig_atomic_t* interrupted) {
  const std::optional<fs::path> resolved = ResolvePath("--home", options.home, out);
  if (!resolved) return 2;
  const fs::path home = *resolved;
  RunRequest request;
  for (auto [option, given, into] : {std::tuple{"--log", &options.log, &request.auto_log_path},
                                     std::tuple{"--graph", &options.graph, &request.graph_path}}) {
    if (given->empty()) continue;
    const std::optional<fs::path> path = ResolvePath(option, *given, out);
    if (!path) return 2;
    *into = *path;
  }
  StopLimits limits;
  if (options.profit) {
    StopDialogResult checked = CheckStopLimits(*options.profit, *options.loss);
    if (!checked.accepted) {
      out << ReplaceAll(checked.message, "\r\n", "\n") << "\n";
      return 2;
    }
    limits = checked.limits;
  }
  long long rounds = 0;
  ParseInt64(options.rounds, rounds);
  if (rounds > RunDriver::kProcessingMaximum) {
    out << "自動実行は1000000回までです\n";
    return 2;
  }
  TableSettings settings;
  try {
    switch (ReadTableSettings(home, settings)) {
      case SettingsLoadResult::kMissing:
        out << "ルール設定ファイルが見つかりません: " << RulesPath(home).string() << "\n";
        return 2;
      case SettingsLoadResult::kInvalid:
        out << "ルール設定に誤りがあります: " << RulesPath(home).string() << "\n";
        return 2;
      case SettingsLoadResult::kLoaded:
        break;
    }
  } catch (const IoError& e) {
    out << e.what() << "\n";
    return 2;
  }
  const uint64_t seed = options.seed ? *options.seed : static_cast<uint64_t>(MillisecondsOfDay(clock.UtcNow()));
  if (options.study.sessions) {
    if (!options.log.empty() || !options.graph.empty()) {
      out << "--log と --graph は --sessions と一緒には使えません（検証はファイルを書きません）/ a study writes no "
             "auto log or graph: --log and --graph do not go with --sessions\n";
      return 2;
    }
    StudyRequest study{Trim(options.system), Trim(options.pattern), 0, rounds, limits, seed};
    return RunStudyCommand(options.study, study, home, settings, clock, out, interrupted);
  }

  ConsoleDialogs dialogs(out);
  InterruptPump pump(interrupted);
  SystemsRunSourceLoader loader;
  RunDriver driver(home, dialogs, pump, clock, loader);
  pump.set_driver(&driver);
  EngineRunTable table(home, settings, clock, seed);
  RunObserver observer;
  request.kind = RunKind::kProcessingOnly;
  request.system_name = Trim(options.system);
  request.pattern_name = Trim(options.pattern);
  request.trials_text = options.rounds;
  request.log_field = (home / "log" / "x").string();
  request.limits = limits;
  request.fresh_files = true;
  RunResult result;
  try {
    result = driver.Run(request, table, observer);
  } catch (const IoError& e) {
    out << e.what() << "\n";
    return 2;
  }
  if (!result.started) return RunExitCode(result.end);
  out << "オートログ / auto log: " << result.auto_log.string() << "\n";
  out << "グラフファイル / graph file: "
      << (FileExists(result.graph_file) ? result.graph_file.string() : std::string("(削除 / deleted)")) << "\n";
  if (result.end == RunEnd::kFileError) {
    // The summary would speak of rounds that a file lacks: say what was played instead.
    out << AutoLogClosingLine(result.rounds_played, result.end_label) << "\n";
    return RunExitCode(result.end);
  }
  out << result.summary1 << "\n" << result.summary2 << "\n";
  if (result.end == RunEnd::kCancelled) out << AutoLogClosingLine(result.rounds_played, result.end_label) << "\n";
  return RunExitCode(result.end);
}

}  // namespace vessaro
