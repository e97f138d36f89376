#include "autosim/sim_command.h"

#include "autosim/run_driver.h"
#include "autosim/run_table.h"
#include "autosim/stop_conditions.h"
#include "autosim/system_sources.h"
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

class NoPump : public EventPump {
 public:
  void ProcessEvents() override {}
  void Pause(int) override {}
  void Sleep(int) override {}
};

}  // namespace

std::string SimHelpText() {
  return
      "使い方 / Usage:\n"
      "  vessaro-sim --home DIR --system NAME --pattern NAME --rounds N [--seed S] [--profit P --loss L]\n"
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
      "  --help          この説明を表示します / shows this text\n"
      "\n"
      "オートログ（log\\）、グラフファイル（Graph\\..._TmpGraph.txt）、プレイ履歴（history\\）を\n"
      "画面のオート実行と同じ形式で書き、ファイルのパスと集計2行を表示します。\n"
      "It writes the auto log, the graph temp file and the play history exactly as the window's run\n"
      "does, then prints their paths and the two summary lines.\n"
      "\n"
      "終了コード / exit status: 0 実行した（終了・途中終了）/ the run ended (finished or stopped);\n"
      "  2 引数の誤り、Rules.dat がない・不正、必要なファイルがない / wrong arguments, a missing or\n"
      "  invalid Rules.dat, or a missing file.\n" +
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
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) {
        error = a + " に値がありません / " + a + " needs a value";
        return false;
      }
      into = args[++i];
      return true;
    };
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
    } else {
      error = "不明な引数です / unknown argument: " + a;
      return std::nullopt;
    }
  }
  if (o.home.empty() || o.system.empty() || o.pattern.empty() || o.rounds.empty()) {
    error = "--home, --system, --pattern, --rounds は必須です / --home, --system, --pattern and --rounds are required";
    return std::nullopt;
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

int RunSimCommand(const SimOptions& options, Clock& clock, std::ostream& out) {
  const fs::path home = fs::absolute(options.home);
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
  const uint64_t seed = options.seed ? *options.seed : static_cast<uint64_t>(MillisecondsOfDay(clock.UtcNow()));
  if (options.study.sessions) {
    StudyRequest study{options.system, options.pattern, 0, rounds, limits, seed};
    return RunStudyCommand(options.study, study, home, settings, clock, out);
  }

  ConsoleDialogs dialogs(out);
  NoPump pump;
  SystemsRunSourceLoader loader;
  RunDriver driver(home, dialogs, pump, clock, loader);
  EngineRunTable table(home, settings, clock, seed);
  RunObserver observer;
  RunRequest request;
  request.kind = RunKind::kProcessingOnly;
  request.system_name = options.system;
  request.pattern_name = options.pattern;
  request.trials_text = options.rounds;
  request.log_field = (home / "log" / "x").string();
  request.limits = limits;
  RunResult result;
  try {
    result = driver.Run(request, table, observer);
  } catch (const IoError& e) {
    out << e.what() << "\n";
    return 2;
  }
  if (!result.started) return 2;
  out << "オートログ / auto log: " << result.auto_log.string() << "\n";
  out << "グラフファイル / graph file: "
      << (FileExists(result.graph_file) ? result.graph_file.string() : std::string("(削除 / deleted)")) << "\n";
  out << result.summary1 << "\n" << result.summary2 << "\n";
  return 0;
}

}  // namespace vessaro
