// The simulator's main window "VessaroMain": the baccarat table. A thin view over TableSession:
// it draws the session's display state and forwards the user's commands.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "autosim/run_driver.h"
#include "autosim/stop_conditions.h"
#include "common/ports.h"
#include "engine/sound.h"
#include "engine/table_session.h"
#include "ui/table/chip_animation.h"
#include "ui/table/counter_chip.h"
#include "ui/table/table_pictures.h"
#include "ui/table/window_placement.h"

namespace vessaro {

class BetArea;
class TGraphBunsekiForm;

// The ports a window runs on; tests hand in fakes.
struct MainWindowPorts {
  Dialogs* dialogs = nullptr;        // default: message boxes over the window
  EventPump* pump = nullptr;         // default: the Qt event loop
  Clock* clock = nullptr;            // default: the system clock
  Shell* shell = nullptr;            // default: the desktop
  RuleDialogPort* rule_dialog = nullptr;  // default: TRuleDlgForm
  SessionServices* services = nullptr;    // default: the window's own (run lists, stop limits, sound)
  SoundOut* sound = nullptr;              // default: Qt Multimedia
  bool animate_cards = true;              // tests of other behaviour deal without the animations
  // Opens another window ("graph", "log", "system-editor", "pattern-editor", "study") instead of
  // the real modal one; tests record what would open.
  std::function<void(const std::string& window, const std::string& file, int64_t rounds)> open_window;
};

class TVessaroMain : public QWidget, public TableView, public RuleDialogPort, public RunObserver {
  Q_OBJECT
 public:
  static constexpr int kWidth = 1000;
  static constexpr int kHeightClosed = 640;
  static constexpr int kHeightOpen = 768;

  explicit TVessaroMain(const fs::path& program_folder, MainWindowPorts ports = {},
                        QWidget* parent = nullptr);
  ~TVessaroMain() override;

  // The start-up work of the first display; false when the program must end (files missing, or
  // handed over to the updated launcher).
  bool FirstDisplay();

  TableSession& session() { return *session_; }

  // TableView
  void Refresh() override;
  void AnimateCard(CardPlace place) override;
  // RuleDialogPort
  bool RunRuleDialog(bool forced) override;
  // RunObserver
  void OnLogFile(const fs::path& auto_log) override;
  void OnRunStarted(RunKind kind) override;
  void OnProgress(int64_t done, int64_t total) override;
  void OnRunFinishing(RunKind kind) override;
  void ShowGraph(const fs::path& graph_file, int64_t rounds) override;

  RunDriver& driver() { return *driver_; }
  const StopLimits& stop_limits() const { return limits_; }
  void set_stop_limits(const StopLimits& limits) { limits_ = limits; }

  // Controls, for tests and for the panels that later issues fill in.
  ChipButton* chip(int index) const { return chips_[index]; }
  BetArea* player_area() const { return player_area_; }
  BetArea* banker_area() const { return banker_area_; }
  QPushButton* deal_button() const { return deal_button_; }
  QPushButton* rebet_button() const { return rebet_button_; }
  QPushButton* clear_button() const { return clear_button_; }
  QPushButton* all_clear_button() const { return all_clear_button_; }
  QLabel* round_label() const { return round_label_; }
  QLabel* stats_label() const { return stats_label_; }
  QLabel* balance_label() const { return balance_label_; }
  QLabel* stake_label() const { return stake_label_; }
  QLabel* winnings_label() const { return winnings_label_; }
  QLabel* banner_label() const { return banner_label_; }
  QLabel* card_label(int place) const { return card_labels_[place]; }
  QTableWidget* grid() const { return grid_; }
  QLineEdit* log_edit() const { return log_edit_; }
  QWidget* run_panel() const { return run_panel_; }
  // The window is still growing or shrinking towards its height with or without the panel.
  bool panel_moving() const { return panel_timer_.isActive(); }
  QFrame* settings_menu() const { return settings_menu_; }
  QToolButton* settings_toggle() const { return settings_toggle_; }
  TCounterChip* pile(int index) const { return piles_[index]; }
  QComboBox* system_combo() const { return system_combo_; }
  QComboBox* pattern_combo() const { return pattern_combo_; }
  QLineEdit* trials_edit() const { return trials_edit_; }
  QPushButton* stop_button() const { return stop_button_; }
  QLabel* progress_label() const { return progress_label_; }
  TableSound& sound() { return *sound_; }
  TMouseEventManager& hover() { return hover_; }
  TAnimateManeger& pulses() { return pulses_; }

 public slots:
  void BtnDealClick();
  void BtnRebetClick();
  void BtnClearClick();
  void BtnAllClearClick();
  void MenuRuleClick();
  void MenuManualClick();
  void ScreenshotClick();
  void BalanceSheetClick();
  void SettingsToggleClick();
  void PanelToggleClick();
  void BtnStopClick();
  void BtnAutoGuiClick();
  void BtnAutoOnlyClick();
  void BtnStopConditionClick();
  void BtnBrowseLogClick();
  void BtnViewLogClick();
  void BtnGraphClick();
  void BtnAddSystemClick();
  void BtnAddPatternClick();
  void BtnStudyClick();
  void VolumeClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildBannerBar();
  void BuildFelt();
  void BuildGridAndStatus();
  void BuildRunPanel();
  void RefreshGrid();
  void AnimatePanelHeight();
  void FitRows();
  PanelPlacement Placement() const;
  void Placeholder(const QString& what);
  RunRequest MakeRunRequest(RunKind kind) const;
  void StartRun(RunKind kind);
  bool Idle() const;
  void OpenSystemEditor();
  void OpenPatternEditor();
  template <typename F>
  void Guarded(F&& command);

  fs::path program_folder_;
  std::unique_ptr<Dialogs> own_dialogs_;
  std::unique_ptr<EventPump> own_pump_;
  std::unique_ptr<Clock> own_clock_;
  std::unique_ptr<Shell> own_shell_;
  std::unique_ptr<SoundOut> own_sound_;
  std::unique_ptr<TableSound> sound_;
  std::unique_ptr<SessionServices> own_services_;
  MainWindowPorts ports_;
  std::unique_ptr<TableSession> session_;
  std::unique_ptr<RunSourceLoader> loader_;
  std::unique_ptr<RunDriver> driver_;
  StopLimits limits_;  // for the program's lifetime, never saved
  TGraphBunsekiForm* detail_form_ = nullptr;
  TablePictures pictures_;
  TAnimateManeger pulses_;  // the chips' hover pulses
  TMouseEventManager hover_;

  bool first_display_done_ = false;
  bool handed_over_ = false;
  bool close_pending_ = false;
  uint64_t shown_grid_revision_ = ~0ull;
  QTimer panel_timer_;
  // Rounds of the most recent automatic run or log replay: the graph windows thin by it.
  int64_t graph_rounds_ = 0;

  QWidget* felt_ = nullptr;
  QLabel* round_label_ = nullptr;
  QLabel* stats_label_ = nullptr;
  QLabel* min_label_ = nullptr;
  QLabel* max_label_ = nullptr;
  std::array<QLabel*, 6> card_labels_{};
  QLabel* player_total_label_ = nullptr;
  QLabel* banker_total_label_ = nullptr;
  QLabel* banner_label_ = nullptr;
  BetArea* player_area_ = nullptr;
  BetArea* banker_area_ = nullptr;
  std::array<TCounterChip*, 4> piles_{};  // player stake, banker stake, player won, banker won
  std::array<ChipButton*, 8> chips_{};
  QPushButton* deal_button_ = nullptr;
  QPushButton* rebet_button_ = nullptr;
  QPushButton* clear_button_ = nullptr;
  QPushButton* all_clear_button_ = nullptr;
  QToolButton* settings_toggle_ = nullptr;
  QToolButton* panel_toggle_ = nullptr;
  QToolButton* volume_button_ = nullptr;
  QToolButton* screenshot_button_ = nullptr;
  QFrame* settings_menu_ = nullptr;
  QWidget* banner_bar_ = nullptr;
  QTableWidget* grid_ = nullptr;
  QLabel* balance_label_ = nullptr;
  QLabel* stake_label_ = nullptr;
  QLabel* winnings_label_ = nullptr;
  QWidget* run_panel_ = nullptr;
  QComboBox* system_combo_ = nullptr;
  QComboBox* pattern_combo_ = nullptr;
  QLineEdit* trials_edit_ = nullptr;
  QLineEdit* log_edit_ = nullptr;
  QPushButton* stop_button_ = nullptr;
  std::vector<QPushButton*> run_commands_;
  QFrame* progress_panel_ = nullptr;
  QLabel* progress_label_ = nullptr;
  QProgressBar* progress_bar_ = nullptr;
};

// A betting area: a click places the selected chip on its side.
class BetArea : public QWidget {
  Q_OBJECT
 public:
  BetArea(BetSide side, QWidget* parent);
  BetSide side() const { return side_; }

 signals:
  void clicked(BetSide side);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  BetSide side_;
};

}  // namespace vessaro
