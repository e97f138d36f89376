#include "analysis/analysis_window_model.h"

#include "analysis/analysis_texts.h"
#include "analysis/log_analysis.h"
#include "analysis/pattern_grid.h"
#include "systems/editor_common.h"

namespace vessaro {

AnalysisWindowModel::AnalysisWindowModel(fs::path program_folder, Dialogs& dialogs,
                                         AnalysisWindowPorts& ports)
    : program_folder_(std::move(program_folder)), dialogs_(dialogs), ports_(ports) {
  systems_.prompt = "登録システムを選択してください";
  patterns_.prompt = "登録パターンを選択してください";
}

void AnalysisWindowModel::Open() {
  ResetFile();
  bets_.clear();
  pattern_length_ = kMinPatternLength;
  report_lines_.clear();
  ++report_revision_;
  RefillLists();
}

void AnalysisWindowModel::RefillLists() {
  systems_.Refill(ListSystemNames(program_folder_));
  patterns_.Refill(ListRunPatternNames(program_folder_));
}

void AnalysisWindowModel::ResetFile() {
  file_.clear();
  kind_ = LogKind::kInvalid;
  total_rounds_ = 0;
  range_from_ = range_to_ = 0;
  range_enabled_ = false;
}

void AnalysisWindowModel::ShowWarning(const std::string& warning) {
  if (!warning.empty()) dialogs_.ShowMessage(warning, MessageKind::kWarning);
}

void AnalysisWindowModel::Browse() {
  if (replaying_) return;
  FileFilter filter;
  filter.title = analysis_texts::kChooseFileTitle;
  filter.filter = "TEXT FILE(*.txt)|*.txt|ALL FILE(*.*)|*.*";
  filter.initial = (program_folder_ / "history").string();
  std::optional<std::string> chosen = dialogs_.ChooseOpenFile(filter);
  if (!chosen) return;
  ChooseFile(*chosen);
}

bool AnalysisWindowModel::ChooseFile(const fs::path& file, bool after_merge) {
  const bool detailed = after_merge ? file.filename().string().find("_merge3.txt") != std::string::npos
                                    : IsDetailedLogName(file);
  ChosenFile chosen;
  try {
    chosen = ChooseAnalysisFile(file, detailed);
  } catch (const IoError& error) {
    ResetFile();
    dialogs_.ShowMessage(error.what(), MessageKind::kError);
    return false;
  }
  ShowWarning(chosen.warning);
  if (!chosen.message.empty()) {
    ResetFile();
    dialogs_.ShowMessage(chosen.message, MessageKind::kWarning);
    return false;
  }
  file_ = file;
  kind_ = chosen.kind;
  total_rounds_ = chosen.rounds;
  range_from_ = 1;
  range_to_ = total_rounds_;
  range_enabled_ = true;
  return true;
}

void AnalysisWindowModel::set_pattern_length(int length) {
  if (length >= kMinPatternLength && length <= kMaxPatternLength) pattern_length_ = length;
}

void AnalysisWindowModel::AddBet(char side) {
  if (static_cast<int>(bets_.size()) >= kMaxBets || (side != 'P' && side != 'B')) return;
  bets_.push_back(side);
}

void AnalysisWindowModel::BankruptcyAnalysis() {
  if (replaying_) return;
  GuardFileErrors(dialogs_, [&] {
    AnalysisOutcome out = RunBankruptcyAnalysis(file_, kind_, bets_);
    ShowWarning(out.warning);
    dialogs_.ShowMessage(out.message, out.refused ? MessageKind::kWarning : MessageKind::kInformation);
  });
}

void AnalysisWindowModel::LogReport() {
  if (replaying_) return;
  GuardFileErrors(dialogs_, [&] {
    AnalysisOutcome out = RunLogReport(file_, kind_);
    ShowWarning(out.warning);
    if (out.refused) {
      dialogs_.ShowMessage(out.message, MessageKind::kWarning);
      return;
    }
    report_lines_ = std::move(out.lines);
    ++report_revision_;
    dialogs_.ShowMessage(out.message, MessageKind::kInformation);
  });
}

void AnalysisWindowModel::AllPatternAnalysis() {
  if (replaying_) return;
  const fs::path table = FrequencyTablePath(program_folder_);
  const fs::path filtered = FilteredTablePath(program_folder_);
  // The tables live only while the grid window is open, also when something fails on the way.
  struct Remove {
    const fs::path& table;
    const fs::path& filtered;
    ~Remove() {
      DeleteFileIfExists(table);
      DeleteFileIfExists(filtered);
    }
  };
  GuardFileErrors(dialogs_, [&] {
    const bool boxes = range_enabled_;
    AnalysisOutcome out = RunAllPatternAnalysis(
        file_, kind_, pattern_length_, boxes && range_from_ > 0 ? std::optional<int64_t>(range_from_) : std::nullopt,
        boxes && range_to_ > 0 ? std::optional<int64_t>(range_to_) : std::nullopt);
    ShowWarning(out.warning);
    if (out.refused) {
      dialogs_.ShowMessage(out.message, MessageKind::kWarning);
      return;
    }
    Remove remove{table, filtered};
    WriteTableFile(table, out.lines);
    ports_.ShowFrequencyGrid(table);
  });
}

void AnalysisWindowModel::Merge() {
  if (replaying_) return;
  if (std::optional<fs::path> merged = ports_.OpenMerge()) ChooseFile(*merged, true);
}

ReplayResult AnalysisWindowModel::Replay(LogReplay& replay, ReplayObserver& observer) {
  if (replaying_) return {};
  replaying_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{replaying_};
  ReplayRequest request;
  request.file = file_;
  request.kind = kind_;
  if (systems_.HasChoice()) request.system_name = systems_.Shown();
  if (patterns_.HasChoice()) request.pattern_name = patterns_.Shown();
  return replay.Run(request, observer);
}

void AnalysisWindowModel::AddSystem() {
  if (replaying_) return;
  ports_.OpenSystemEditor();
  RefillLists();
}

void AnalysisWindowModel::AddPattern() {
  if (replaying_) return;
  ports_.OpenPatternEditor();
  RefillLists();
}

}  // namespace vessaro
