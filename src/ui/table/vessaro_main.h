// The simulator's main window "VessaroMain": the baccarat table. A thin view over TableSession:
// it draws the session's display state and forwards the user's commands.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <memory>

#include "common/ports.h"
#include "engine/table_session.h"
#include "ui/table/counter_chip.h"
#include "ui/table/table_pictures.h"

namespace vessaro {

class BetArea;

// The ports a window runs on; tests hand in fakes.
struct MainWindowPorts {
  Dialogs* dialogs = nullptr;        // default: message boxes over the window
  EventPump* pump = nullptr;         // default: the Qt event loop
  Clock* clock = nullptr;            // default: the system clock
  Shell* shell = nullptr;            // default: the desktop
  RuleDialogPort* rule_dialog = nullptr;  // default: TRuleDlgForm
  SessionServices* services = nullptr;    // default: nothing plugged in yet
};

class TVessaroMain : public QWidget, public TableView, public RuleDialogPort {
  Q_OBJECT
 public:
  static constexpr int kWidth = 1000;
  static constexpr int kHeightClosed = 640;
  static constexpr int kHeightOpen = 768;

  explicit TVessaroMain(const fs::path& program_folder, MainWindowPorts ports = {},
                        QWidget* parent = nullptr);
  ~TVessaroMain() override;

  // The start-up work of the first display; false when the program must end (files missing).
  bool FirstDisplay();

  TableSession& session() { return *session_; }

  // TableView
  void Refresh() override;
  // RuleDialogPort
  bool RunRuleDialog(bool forced) override;

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
  QFrame* settings_menu() const { return settings_menu_; }
  TCounterChip* pile(int index) const { return piles_[index]; }

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
  void Placeholder(const QString& what);
  template <typename F>
  void Guarded(F&& command);

  fs::path program_folder_;
  std::unique_ptr<Dialogs> own_dialogs_;
  std::unique_ptr<EventPump> own_pump_;
  std::unique_ptr<Clock> own_clock_;
  std::unique_ptr<Shell> own_shell_;
  std::unique_ptr<SessionServices> own_services_;
  MainWindowPorts ports_;
  std::unique_ptr<TableSession> session_;
  TablePictures pictures_;

  bool first_display_done_ = false;
  bool close_pending_ = false;
  uint64_t shown_grid_revision_ = ~0ull;
  QTimer panel_timer_;

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
