// The balance-sheet window "収支表" with its pages "収支日報" (entry of a daily report, with the
// bonus area) and "戦績プレビュー" (pickers, result table and graph). A thin view: EntryPageModel
// and PreviewModel hold every rule; the window forwards actions and redraws from them.
#pragma once

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <array>
#include <functional>
#include <memory>

#include "balancesheet/entry_page.h"
#include "balancesheet/preview.h"
#include "common/ports.h"

namespace vessaro {

class SheetChart;

// The ports the window runs on; tests hand in fakes.
struct SheetWindowPorts {
  Dialogs* dialogs = nullptr;  // default: message boxes over the window
  Clock* clock = nullptr;      // default: the system clock
  EventPump* pump = nullptr;   // default: the Qt event loop
};

// The preview's rows as a table: one column per visible column name, text centred.
class SheetTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void Set(const std::vector<std::string>& columns, const std::vector<std::vector<std::string>>& rows);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // The widest text of each column, its header included (each distinct text measured once).
  std::vector<int> TextWidths(const QFontMetrics& cells, const QFontMetrics& header) const;

 private:
  QStringList columns_;
  std::vector<std::vector<QString>> rows_;
};

class TRecordBalanceForm : public QDialog, public RegenerationObserver {
  Q_OBJECT
 public:
  TRecordBalanceForm(const fs::path& program_folder, SheetWindowPorts ports = {}, QWidget* parent = nullptr);
  ~TRecordBalanceForm() override;

  EntryPageModel& entry() { return *entry_; }
  PreviewModel& preview() { return *preview_; }

  QTabWidget* pages() const { return pages_; }
  // The field of a report value (nullptr for the remarks and the bonus check box).
  QLineEdit* field_edit(ReportField f) const { return edits_[Index(f)]; }
  QPlainTextEdit* remarks_edit() const { return remarks_; }
  QLabel* report_name_label() const { return report_name_label_; }
  QComboBox* report_combo() const { return report_combo_; }
  QLineEdit* date_search_edit() const { return date_search_edit_; }
  QPushButton* date_search_button() const { return date_search_button_; }
  QPushButton* start_date_button() const { return start_date_button_; }
  QPushButton* end_date_button() const { return end_date_button_; }
  QListWidget* pick_list(PickKind kind) const { return pick_lists_[kind == PickKind::kGame]; }
  QPushButton* pick_add_button(PickKind kind) const { return pick_add_buttons_[kind == PickKind::kGame]; }
  QPushButton* pick_remove_button(PickKind kind) const { return pick_remove_buttons_[kind == PickKind::kGame]; }
  QPushButton* pick_clear_button(PickKind kind) const { return pick_clear_buttons_[kind == PickKind::kGame]; }
  QPushButton* detail_button() const { return detail_button_; }
  QPushButton* detail_clear_button() const { return detail_clear_button_; }
  QCheckBox* bonus_check() const { return bonus_check_; }
  QComboBox* bonus_combo() const { return bonus_combo_; }
  QPushButton* bonus_add_button() const { return bonus_add_button_; }
  QPushButton* bonus_delete_button() const { return bonus_delete_button_; }
  QPushButton* bonus_read_button() const { return bonus_read_button_; }
  QPushButton* bonus_progress_button() const { return bonus_progress_button_; }
  QPushButton* save_button() const { return save_button_; }
  QPushButton* delete_button() const { return delete_button_; }
  QPushButton* all_clear_button() const { return all_clear_button_; }
  QPushButton* regenerate_button() const { return regenerate_button_; }
  QPushButton* close_button() const { return close_button_; }
  QLabel* progress_label() const { return progress_label_; }

  QComboBox* year_combo() const { return pickers_[0]; }
  QComboBox* month_combo() const { return pickers_[1]; }
  QComboBox* week_combo() const { return pickers_[2]; }
  QComboBox* day_combo() const { return pickers_[3]; }
  QPushButton* search_button() const { return search_button_; }
  QPushButton* narrowing_clear_button() const { return narrowing_clear_button_; }
  QPushButton* columns_button() const { return columns_button_; }
  QPushButton* condition_button() const { return condition_button_; }
  QPushButton* condition_clear_button() const { return condition_clear_button_; }
  QLabel* condition_label() const { return condition_label_; }
  QPushButton* csv_button() const { return csv_button_; }
  QTableView* table() const { return table_; }
  SheetChart* chart() const { return chart_; }

  // RegenerationObserver
  void OnRegenerationStarted() override;
  void OnRegenerationProgress(const std::string& text) override;
  void OnRegenerationFinished() override;

 public slots:
  void BtnSaveClick();
  void BtnDeleteClick();
  void BtnAllClearClick();
  void BtnRegenerateClick();
  void BtnCloseClick();
  void BtnStartDateClick();
  void BtnEndDateClick();
  void BtnDateSearchClick();
  void BtnDetailClick();
  void BtnDetailClearClick();
  void BtnBonusAddClick();
  void BtnBonusProgressClick();
  void BtnSearchClick();
  void BtnNarrowingClearClick();
  void BtnColumnsClick();
  void BtnConditionClick();
  void BtnConditionClearClick();
  void BtnCsvClick();
  // The close box and Esc ask like "閉じる".
  void reject() override;

 private:
  QWidget* BuildEntryPage();
  QWidget* BuildPreviewPage();
  QGroupBox* BuildPickList(PickKind kind, const char* title);
  QGroupBox* BuildBonusArea();
  QLineEdit* AddField(ReportField f, bool typed, int width = 90);
  // Runs a command of a model; a file error ends it with its message.
  void Run(const std::function<void()>& command);
  void Refresh();
  void RefreshPreview(bool table_changed);
  void ApplyFocus();
  void AddToPickList(PickKind kind);

  fs::path program_folder_;
  std::unique_ptr<Dialogs> own_dialogs_;
  std::unique_ptr<Clock> own_clock_;
  std::unique_ptr<EventPump> own_pump_;
  Dialogs* dialogs_;
  Clock* clock_;
  EventPump* pump_;
  std::unique_ptr<EntryPageModel> entry_;
  std::unique_ptr<PreviewModel> preview_;
  bool refreshing_ = false;
  bool regenerating_ = false;

  QWidget* content_ = nullptr;
  QTabWidget* pages_ = nullptr;
  std::array<QLineEdit*, kReportFieldCount> edits_{};
  QPlainTextEdit* remarks_ = nullptr;
  QLabel* report_name_label_ = nullptr;
  QComboBox* report_combo_ = nullptr;
  QLineEdit* date_search_edit_ = nullptr;
  QPushButton* date_search_button_ = nullptr;
  QPushButton* start_date_button_ = nullptr;
  QPushButton* end_date_button_ = nullptr;
  std::array<QListWidget*, 2> pick_lists_{};
  std::array<QPushButton*, 2> pick_add_buttons_{};
  std::array<QPushButton*, 2> pick_remove_buttons_{};
  std::array<QPushButton*, 2> pick_clear_buttons_{};
  QPushButton* detail_button_ = nullptr;
  QPushButton* detail_clear_button_ = nullptr;
  QCheckBox* bonus_check_ = nullptr;
  QComboBox* bonus_combo_ = nullptr;
  QPushButton* bonus_add_button_ = nullptr;
  QPushButton* bonus_delete_button_ = nullptr;
  QPushButton* bonus_read_button_ = nullptr;
  QPushButton* bonus_progress_button_ = nullptr;
  QPushButton* save_button_ = nullptr;
  QPushButton* delete_button_ = nullptr;
  QPushButton* all_clear_button_ = nullptr;
  QPushButton* regenerate_button_ = nullptr;
  QPushButton* close_button_ = nullptr;
  QLabel* progress_label_ = nullptr;

  std::array<QComboBox*, 4> pickers_{};
  QPushButton* search_button_ = nullptr;
  QPushButton* narrowing_clear_button_ = nullptr;
  QPushButton* columns_button_ = nullptr;
  QPushButton* condition_button_ = nullptr;
  QPushButton* condition_clear_button_ = nullptr;
  QLabel* condition_label_ = nullptr;
  QPushButton* csv_button_ = nullptr;
  QTableView* table_ = nullptr;
  SheetTableModel* table_model_ = nullptr;
  SheetChart* chart_ = nullptr;
};

}  // namespace vessaro
