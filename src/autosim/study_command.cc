#include "autosim/study_command.h"

#include "autosim/study_report.h"
#include "autosim/system_sources.h"
#include "common/command_line.h"
#include "common/format.h"
#include "common/text.h"

namespace vessaro {
namespace {

// Streams the sessions to the CSV file in session order as the study hands them over, and turns
// an interruption into the study's cancel.
class CsvWriter : public StudyObserver {
 public:
  CsvWriter(const std::string& path, Cents starting_balance, Study& study,
            const volatile std::sig_atomic_t* interrupted)
      : starting_balance_(starting_balance), study_(study), interrupted_(interrupted) {
    if (path.empty()) return;
    file_.emplace(fs::path(path));
    chunk_ = StudyCsvHeader() + "\r\n";
  }
  void OnSession(int64_t index, uint64_t seed, const SessionResult& session) override {
    if (!file_) return;
    AppendStudyCsvLine(chunk_, index, seed, session, starting_balance_);
    chunk_ += "\r\n";
    if (chunk_.size() >= (1u << 20)) {
      file_->Write(chunk_);
      chunk_.clear();
    }
  }
  void OnProgress(int64_t, int64_t) override {
    if (interrupted_ != nullptr && *interrupted_ != 0) study_.RequestStop();
  }
  void Commit() {
    if (!file_) return;
    file_->Write(chunk_);
    file_->Commit();
  }

 private:
  Cents starting_balance_;
  Study& study_;
  const volatile std::sig_atomic_t* interrupted_;
  std::optional<StreamedFile> file_;
  std::string chunk_;
};

}  // namespace

bool TakeStudyArguments(std::vector<std::string>& args, StudyOptions& out, std::string& error) {
  std::vector<std::string> rest;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string* into = a == "--sessions" ? &out.sessions.emplace()
                        : a == "--jobs"   ? &out.jobs
                        : a == "--csv"    ? &out.csv
                        : a == "--json"   ? &out.json
                                          : nullptr;
    if (into == nullptr) {
      rest.push_back(a);
      continue;
    }
    if (!TakeOptionValue(args, i, *into, error)) return false;
    if (into->empty()) {
      error = MissingValueMessage(a);
      return false;
    }
  }
  if (!out.sessions && (!out.jobs.empty() || !out.csv.empty() || !out.json.empty())) {
    error = "--jobs, --csv, --json は --sessions と一緒に指定してください / --jobs, --csv and --json go with --sessions";
    return false;
  }
  args = std::move(rest);
  return true;
}

std::string StudyHelpText() {
  return "\n"
         "モンテカルロ検証 / Monte Carlo study:\n"
         "  vessaro-sim --sessions K [--jobs J] [--csv FILE] [--json FILE] --home DIR --system NAME\n"
         "      --pattern NAME --rounds N [--seed S] [--profit P --loss L]\n"
         "\n"
         "1回の実行の代わりに、同じ条件のセッションをK回（1から10000000まで）独立に行い、破産率・利益目標\n"
         "到達率（95%信頼区間）、最終残高の平均と分布、ペイアウト率、平均ラウンド数を表示します。各セッション\n"
         "は「オート実行処理のみ」と同じ規則で進み、オートログ・グラフ・プレイ履歴は書きません。\n"
         "Plays K independent sessions (1 to 10,000,000) instead of one run, each exactly as a run without\n"
         "display, and prints the risk of ruin and the share reaching the profit target (95 % Wilson\n"
         "intervals), the mean and percentiles of the final balance, the payout and the mean rounds. No\n"
         "auto log, graph file or play history is written.\n"
         "\n"
         "  --sessions K    セッション数 / the number of sessions\n"
         "  --jobs J        並列数（省略時はCPUコア数、1から256）。結果は並列数によらず同じです。\n"
         "                  workers (default: one per core, 1 to 256); the results never depend on it\n"
         "  --csv FILE      セッションごとの結果（UTF-8、見出し行つき）/ one line per session (UTF-8):\n"
         "                  session,seed,end,rounds,final_balance,lowest_balance,max_drawdown_pct,\n"
         "                  total_staked,total_paid\n"
         "                  end: target（利益目標）, loss_limit（損失上限）, insufficient（残高不足）,\n"
         "                  bankrupt（残高1未満）, rounds（全ラウンド終了）, error（設定エラー）\n"
         "  --json FILE     集計と残高の分布の推移（5/25/50/75/95パーセンタイル）/ the summary and the\n"
         "                  5/25/50/75/95 percentile bands of the balance over the rounds\n"
         "  --seed S        検証全体のシード。セッションiのシードはCSVのseed列にあり、--seed に渡すと\n"
         "                  そのセッションを1回の実行として再現できます。\n"
         "                  the study's seed; session i's own seed (CSV column seed) given to --seed\n"
         "                  replays that session as one run\n"
         "\n"
         "終了コード / exit status: 0 完了 / done; 2 引数・ファイルの誤り / refused input or a file\n"
         "  failure; 3 設定エラーで終わったセッションがある / a session ended on a settings error;\n"
         "  130 中断（Ctrl+C）、途中までの結果を表示・保存 / interrupted, what was finished is kept.\n";
}

int RunStudyCommand(const StudyOptions& options, StudyRequest request, const fs::path& home,
                    const TableSettings& settings, Clock& clock, std::ostream& out,
                    const volatile std::sig_atomic_t* interrupted) {
  StudyCounts counts;
  if (auto message = ReadStudyCounts(options.sessions.value_or(""), IntText(request.rounds), options.jobs, counts)) {
    out << *message << "\n";
    return 2;
  }
  request.sessions = counts.sessions;
  request.jobs = counts.jobs;

  SystemsRunSourceLoader loader;
  Study study(home, settings, clock, loader);
  const Cents starting_balance = ParseMoney(settings.balance_setting).value_or(0);
  StudyResult result;
  try {
    CsvWriter csv(options.csv, starting_balance, study, interrupted);
    result = study.Run(request, csv);
    if (!result.started) {
      out << ReplaceAll(result.message, "\r\n", "\n") << "\n";
      return 2;
    }
    csv.Commit();
    if (!options.json.empty()) {
      StudyDescription description{request.system_name, request.pattern_name, settings.outcome_mode,
                                   request.rounds,      request.seed,         request.limits};
      WriteWholeFile(options.json, StudyJson(description, result));
    }
  } catch (const IoError& e) {
    out << e.what() << "\n";
    return 2;
  }
  const StudySummary& s = result.summary;
  out << "モンテカルロ検証 / Monte Carlo study: " << request.system_name << " × " << request.pattern_name << "（"
      << settings.outcome_mode << "）、シード / seed " << request.seed << "\n";
  for (const auto& [label, value] : StudySummaryRows(s)) out << label << "：" << value << "\n";
  if (!options.csv.empty()) out << "CSV: " << options.csv << "\n";
  if (!options.json.empty()) out << "JSON: " << options.json << "\n";
  if (s.cancelled) return kStudyInterrupted;
  return s.ends[static_cast<size_t>(SessionEnd::kError)] > 0 ? 3 : 0;
}

}  // namespace vessaro
