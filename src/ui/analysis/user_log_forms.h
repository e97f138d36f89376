// The user log windows "簡易プレーログ作成" (TUserLog1Form) and "詳細プレーログ作成" (TUserLog2Form):
// made once for the session, shown without modality from the analysis window and hidden with it;
// what was typed stays in them between showings. SimpleLogModel and DetailedLogModel hold every
// rule.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QWidget>
#include <memory>

#include "analysis/user_logs.h"
#include "common/ports.h"
#include "ui/analysis/road_grid_view.h"

namespace vessaro {

class TUserLog1Form : public QDialog {
  Q_OBJECT
 public:
  // dialogs nullptr: message boxes over this window.
  TUserLog1Form(const fs::path& program_folder, Dialogs* dialogs, QWidget* parent = nullptr);
  ~TUserLog1Form() override;

  SimpleLogModel& model() { return *model_; }
  RoadGridView* road_view() const { return view_; }
  QScrollArea* road_area() const { return area_; }
  QPushButton* banker_button() const { return banker_button_; }
  QPushButton* player_button() const { return player_button_; }
  QPushButton* delete_last_button() const { return delete_last_button_; }
  QPushButton* delete_all_button() const { return delete_all_button_; }
  QLineEdit* name_edit() const { return name_edit_; }
  QPushButton* save_button() const { return save_button_; }

 public slots:
  void BtnBankerClick();
  void BtnPlayerClick();
  void BtnDeleteLastClick();
  void BtnDeleteAllClick();
  void BtnSaveClick();

 private:
  void Redraw();

  std::unique_ptr<Dialogs> own_dialogs_;
  std::unique_ptr<SimpleLogModel> model_;
  RoadGridView* view_ = nullptr;
  QScrollArea* area_ = nullptr;
  QLabel* count_label_ = nullptr;
  QPushButton* banker_button_ = nullptr;
  QPushButton* player_button_ = nullptr;
  QPushButton* delete_last_button_ = nullptr;
  QPushButton* delete_all_button_ = nullptr;
  QLineEdit* name_edit_ = nullptr;
  QPushButton* save_button_ = nullptr;
};

class TUserLog2Form : public QDialog {
  Q_OBJECT
 public:
  TUserLog2Form(const fs::path& program_folder, Dialogs* dialogs, QWidget* parent = nullptr);
  ~TUserLog2Form() override;

  DetailedLogModel& model() { return *model_; }
  QLineEdit* start_edit() const { return start_edit_; }
  QPushButton* start_button() const { return start_button_; }
  QLineEdit* current_edit() const { return current_edit_; }
  QLineEdit* side_edit() const { return side_edit_; }
  QLineEdit* stake_edit() const { return stake_edit_; }
  QLineEdit* result_edit() const { return result_edit_; }
  QLineEdit* new_balance_edit() const { return new_balance_edit_; }
  QPushButton* side_button(char side) const { return side == 'P' ? p_button_ : b_button_; }
  QPushButton* won_button() const { return won_button_; }
  QPushButton* lost_button() const { return lost_button_; }
  QPushButton* add_button() const { return add_button_; }
  QPushButton* modify_button() const { return modify_button_; }
  QPushButton* insert_button() const { return insert_button_; }
  QPushButton* delete_button() const { return delete_button_; }
  QListWidget* record_list() const { return list_; }
  QPushButton* clear_selection_button() const { return clear_selection_button_; }
  QLabel* round_label() const { return round_label_; }
  RoadGridView* road_view() const { return view_; }
  QPushButton* rebuild_road_button() const { return rebuild_road_button_; }
  QPushButton* clear_road_button() const { return clear_road_button_; }
  QLineEdit* name_edit() const { return name_edit_; }
  QPushButton* save_button() const { return save_button_; }
  QComboBox* file_combo() const { return file_combo_; }
  QPushButton* load_button() const { return load_button_; }
  QPushButton* delete_file_button() const { return delete_file_button_; }
  QPushButton* all_clear_button() const { return all_clear_button_; }

 public slots:
  void BtnStartClick();
  void BtnAddClick();
  void BtnModifyClick();
  void BtnInsertClick();
  void BtnDeleteClick();
  void BtnClearSelectionClick();
  void BtnRebuildRoadClick();
  void BtnClearRoadClick();
  void BtnSaveClick();
  void BtnLoadClick();
  void BtnDeleteFileClick();
  void BtnAllClearClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void TakeFields();
  void Refresh();

  std::unique_ptr<Dialogs> own_dialogs_;
  std::unique_ptr<DetailedLogModel> model_;
  QWidget* entry_area_ = nullptr;
  QLineEdit* start_edit_ = nullptr;
  QPushButton* start_button_ = nullptr;
  QLineEdit* current_edit_ = nullptr;
  QLineEdit* side_edit_ = nullptr;
  QLineEdit* stake_edit_ = nullptr;
  QLineEdit* result_edit_ = nullptr;
  QLineEdit* new_balance_edit_ = nullptr;
  QPushButton* p_button_ = nullptr;
  QPushButton* b_button_ = nullptr;
  QPushButton* won_button_ = nullptr;
  QPushButton* lost_button_ = nullptr;
  QPushButton* add_button_ = nullptr;
  QPushButton* modify_button_ = nullptr;
  QPushButton* insert_button_ = nullptr;
  QPushButton* delete_button_ = nullptr;
  QListWidget* list_ = nullptr;
  QPushButton* clear_selection_button_ = nullptr;
  QLabel* round_label_ = nullptr;
  RoadGridView* view_ = nullptr;
  QScrollArea* area_ = nullptr;
  QPushButton* rebuild_road_button_ = nullptr;
  QPushButton* clear_road_button_ = nullptr;
  QLineEdit* name_edit_ = nullptr;
  QPushButton* save_button_ = nullptr;
  QComboBox* file_combo_ = nullptr;
  QPushButton* load_button_ = nullptr;
  QPushButton* delete_file_button_ = nullptr;
  QPushButton* all_clear_button_ = nullptr;
};

// The session's user log windows: made the first time they are asked for, as children of owner
// (the table window, so they outlive each analysis window), and found there afterwards.
TUserLog1Form* SimpleLogFormOf(QWidget* owner, const fs::path& program_folder, Dialogs* dialogs);
TUserLog2Form* DetailedLogFormOf(QWidget* owner, const fs::path& program_folder, Dialogs* dialogs);

}  // namespace vessaro
