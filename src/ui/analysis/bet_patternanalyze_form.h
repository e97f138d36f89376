// The analysis window "解析" (TBetPatternanalyze): the analysis file and its kind, the log report,
// the bankruptcy-pattern analysis, the all-pattern analysis with its frequency grid, and the group
// of the log replay. AnalysisWindowModel holds every rule; the window shows its state.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/analysis_window_model.h"
#include "common/ports.h"
#include "ui/analysis/number_choice.h"

namespace vessaro {

class TBetPatternanalyze : public QDialog, public AnalysisWindowPorts, public ReplayObserver {
  Q_OBJECT
 public:
  // dialogs nullptr: message boxes over this window (and the windows it opens).
  TBetPatternanalyze(const fs::path& program_folder, Dialogs* dialogs, QWidget* parent = nullptr);
  ~TBetPatternanalyze() override;

  AnalysisWindowModel& model() { return *model_; }

  // Opens another window ("grid", "system-editor", "pattern-editor", "replay-graph") instead of
  // the real modal one; tests record what would open.
  std::function<void(const std::string& window, const fs::path& file, int64_t rounds)> open_window;
  // Stands for the merge window in tests: the merged file, or nothing.
  std::function<std::optional<fs::path>()> merge_window;

  // AnalysisWindowPorts
  void ShowFrequencyGrid(const fs::path& table_file) override;
  void OpenSystemEditor() override;
  void OpenPatternEditor() override;
  std::optional<fs::path> OpenMerge() override;
  // ReplayObserver
  void OnReplayStarted() override;
  void OnReadingLog(int percent) override;
  void OnProgress(int64_t done, int64_t total) override;
  void OnReplayFinishing() override;
  void ShowGraph(const fs::path& graph_file, int64_t rounds) override;
  // Rounds of the last replay of this window; -1 when it replayed nothing.
  int64_t last_replay_rounds() const { return last_replay_rounds_; }

  LogReplay& replay() { return *replay_; }
  QFrame* progress_panel() const { return progress_panel_; }
  QLabel* progress_label() const { return progress_label_; }
  QProgressBar* progress_bar() const { return progress_bar_; }
  QPushButton* cancel_replay_button() const { return cancel_replay_button_; }

  QLineEdit* file_edit() const { return file_edit_; }
  QLineEdit* kind_edit() const { return kind_edit_; }
  QLineEdit* rounds_edit() const { return rounds_edit_; }
  NumberChoice* from_combo() const { return from_combo_; }
  NumberChoice* to_combo() const { return to_combo_; }
  QComboBox* length_combo() const { return length_combo_; }
  QLineEdit* bets_edit() const { return bets_edit_; }
  QListWidget* report_list() const { return report_list_; }
  QComboBox* system_combo() const { return system_combo_; }
  QComboBox* pattern_combo() const { return pattern_combo_; }
  QPushButton* browse_button() const { return browse_button_; }
  QPushButton* merge_button() const { return merge_button_; }
  QPushButton* simple_log_button() const { return simple_log_button_; }
  QPushButton* detailed_log_button() const { return detailed_log_button_; }
  QPushButton* banker_button() const { return banker_button_; }
  QPushButton* player_button() const { return player_button_; }
  QPushButton* clear_bets_button() const { return clear_bets_button_; }
  QPushButton* bankruptcy_button() const { return bankruptcy_button_; }
  QPushButton* all_pattern_button() const { return all_pattern_button_; }
  QPushButton* report_button() const { return report_button_; }
  QPushButton* add_system_button() const { return add_system_button_; }
  QPushButton* add_pattern_button() const { return add_pattern_button_; }
  QPushButton* replay_button() const { return replay_button_; }
  QPushButton* close_button() const { return close_button_; }

 public slots:
  void Button6Click();   // 参照
  void Button4Click();   // 破産パターン出現解析
  void Button14Click();  // 全出現パターン解析
  void Button8Click();   // 解析開始
  void Button15Click();  // ログを結合する
  void Button12Click();  // シミュレート開始
  void BtnCancelReplayClick();
  void BtnSimpleLogClick();
  void BtnDetailedLogClick();
  // Closing hides the user log windows with it.
  void done(int result) override;
  void BtnBankerClick();
  void BtnPlayerClick();
  void BtnClearBetsClick();
  void BtnAddSystemClick();
  void BtnAddPatternClick();

 private:
  void Refresh();
  void TakeBoxes();
  // The user log windows live under the table window (or this one when it has no owner).
  QWidget* UserLogOwner();
  QGroupBox* BuildFileGroup();
  QGroupBox* BuildGridGroup();
  QGroupBox* BuildBankruptcyGroup();
  QGroupBox* BuildReplayGroup();
  QGroupBox* BuildReportGroup();

  fs::path program_folder_;
  Dialogs* given_dialogs_;
  std::unique_ptr<Dialogs> own_dialogs_;
  std::unique_ptr<AnalysisWindowModel> model_;
  std::unique_ptr<EventPump> pump_;
  std::unique_ptr<Clock> clock_;
  std::unique_ptr<RunSourceLoader> loader_;
  std::unique_ptr<LogReplay> replay_;
  bool close_pending_ = false;
  QFrame* progress_panel_ = nullptr;
  QLabel* progress_label_ = nullptr;
  QProgressBar* progress_bar_ = nullptr;
  QPushButton* cancel_replay_button_ = nullptr;
  std::vector<QWidget*> commands_;  // disabled while a replay runs
  fs::path shown_file_;
  int64_t shown_rounds_ = -1;
  int64_t last_replay_rounds_ = -1;
  int shown_report_ = -1;

  QLineEdit* file_edit_ = nullptr;
  QLineEdit* kind_edit_ = nullptr;
  QLineEdit* rounds_edit_ = nullptr;
  NumberChoice* from_combo_ = nullptr;
  NumberChoice* to_combo_ = nullptr;
  QComboBox* length_combo_ = nullptr;
  QLineEdit* bets_edit_ = nullptr;
  QListWidget* report_list_ = nullptr;
  QComboBox* system_combo_ = nullptr;
  QComboBox* pattern_combo_ = nullptr;
  QPushButton* browse_button_ = nullptr;
  QPushButton* merge_button_ = nullptr;
  QPushButton* simple_log_button_ = nullptr;
  QPushButton* detailed_log_button_ = nullptr;
  QPushButton* banker_button_ = nullptr;
  QPushButton* player_button_ = nullptr;
  QPushButton* clear_bets_button_ = nullptr;
  QPushButton* bankruptcy_button_ = nullptr;
  QPushButton* all_pattern_button_ = nullptr;
  QPushButton* report_button_ = nullptr;
  QPushButton* add_system_button_ = nullptr;
  QPushButton* add_pattern_button_ = nullptr;
  QPushButton* replay_button_ = nullptr;
  QPushButton* close_button_ = nullptr;
};

}  // namespace vessaro
