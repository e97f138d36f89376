// The analysis window "解析" (TBetPatternanalyze): the analysis file and its kind, the range and
// pattern-length boxes, the bet sequence, and the commands that analyse the file. Messages go
// through Dialogs; the windows it opens go through AnalysisWindowPorts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/log_replay.h"
#include "analysis/play_log.h"
#include "common/files.h"
#include "common/ports.h"
#include "systems/folders.h"

namespace vessaro {

class AnalysisWindowPorts {
 public:
  virtual ~AnalysisWindowPorts() = default;
  // The frequency grid window on the table file, modal: returns once it is closed.
  virtual void ShowFrequencyGrid(const fs::path& table_file) = 0;
  // The editors of systems and of patterns, modal.
  virtual void OpenSystemEditor() {}
  virtual void OpenPatternEditor() {}
  // The log merge window, modal: the merged file, or nothing.
  virtual std::optional<fs::path> OpenMerge() { return std::nullopt; }
};

class AnalysisWindowModel {
 public:
  static constexpr int kMaxBets = 20;

  AnalysisWindowModel(fs::path program_folder, Dialogs& dialogs, AnalysisWindowPorts& ports);

  // The opening state: no file, boxes disabled, pattern length 4, lists filled.
  void Open();

  // "参照": a file chosen in history/ becomes the analysis file.
  void Browse();
  // Sets the analysis file and recognises its kind; after a merge only "_merge3.txt" names are
  // read as detailed logs. False (after the message) when the file is refused.
  bool ChooseFile(const fs::path& file, bool after_merge = false);

  // The range boxes (1-based) and the pattern length box (4 to 12).
  void set_range_from(int64_t from) { range_from_ = from; }
  void set_range_to(int64_t to) { range_to_ = to; }
  void set_pattern_length(int length);

  // "BANKER" / "PLAYER" / "クリア".
  void AddBet(char side);
  void ClearBets() { bets_.clear(); }

  // "破産パターン出現解析".
  void BankruptcyAnalysis();
  // "解析開始": the report's lines replace the list.
  void LogReport();
  // "全出現パターン解析": writes tmp/TmpGrid.txt, shows the grid window, and deletes the table
  // (and any filtered table) when it closes, whatever happened.
  void AllPatternAnalysis();

  // "ログを結合する": a merged file becomes the analysis file.
  void Merge();

  // "シミュレート開始": the log replay of the analysis file under the chosen system and pattern.
  // Every other command of the window is refused while it runs.
  ReplayResult Replay(LogReplay& replay, ReplayObserver& observer);
  bool replaying() const { return replaying_; }

  // "ベットシステムの追加" / "ベットパターンの追加": the editor, then the lists again.
  void AddSystem();
  void AddPattern();
  void RefillLists();

  const fs::path& program_folder() const { return program_folder_; }
  const fs::path& file() const { return file_; }
  LogKind kind() const { return kind_; }
  std::string kind_label() const { return LogKindLabel(kind_); }
  int64_t total_rounds() const { return total_rounds_; }
  bool has_file() const { return !file_.empty(); }
  // The from list holds 1 to N - 1, the to list 2 to N.
  int64_t range_from() const { return range_from_; }
  int64_t range_to() const { return range_to_; }
  bool range_enabled() const { return range_enabled_; }
  int pattern_length() const { return pattern_length_; }
  const std::string& bets() const { return bets_; }
  const std::vector<std::string>& report_lines() const { return report_lines_; }
  int report_revision() const { return report_revision_; }
  NameChoice& system_choice() { return systems_; }
  NameChoice& pattern_choice() { return patterns_; }

 private:
  void ResetFile();
  void ShowWarning(const std::string& warning);

  fs::path program_folder_;
  Dialogs& dialogs_;
  AnalysisWindowPorts& ports_;
  fs::path file_;
  LogKind kind_ = LogKind::kInvalid;
  int64_t total_rounds_ = 0;
  int64_t range_from_ = 0;
  int64_t range_to_ = 0;
  bool range_enabled_ = false;
  int pattern_length_ = 4;
  std::string bets_;
  std::vector<std::string> report_lines_;
  int report_revision_ = 0;
  NameChoice systems_;
  NameChoice patterns_;
  bool replaying_ = false;
};

}  // namespace vessaro
