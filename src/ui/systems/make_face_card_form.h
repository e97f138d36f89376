// The face pattern editor "出現パターン設定": a sequence of results drawn on a 6 x 12 grid, the
// list of face patterns with their sides, and the face pattern list files.
// FacePatternEditorModel holds the grid, the list and the files; the window draws and forwards.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <memory>
#include <vector>

#include "systems/face_editor.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

class TMakeFaceCardForm : public QDialog {
  Q_OBJECT
 public:
  // dialogs nullptr: message boxes over this window; side_dialog nullptr: the side is asked with
  // TBetSelectForm over this window.
  TMakeFaceCardForm(const fs::path& program_folder, Dialogs* dialogs,
                    BetSelectPort* side_dialog = nullptr, QWidget* parent = nullptr);
  ~TMakeFaceCardForm() override;

  const FacePatternEditorModel& model() const { return model_; }

  // 0-based column and row.
  QLabel* cell(int column, int row) const {
    return cells_.at(column * FacePatternEditorModel::kRows + row);
  }
  QLabel* sequence_label() const { return sequence_; }
  QListWidget* line_list() const { return line_list_; }
  QComboBox* file_combo() const { return file_combo_; }
  QLineEdit* name_edit() const { return name_edit_; }
  QPushButton* player_button() const { return player_button_; }
  QPushButton* banker_button() const { return banker_button_; }
  QPushButton* clear_last_button() const { return clear_last_button_; }
  QPushButton* add_button() const { return add_button_; }
  QPushButton* remove_button() const { return remove_button_; }
  QPushButton* line_to_grid_button() const { return line_to_grid_button_; }
  QPushButton* replace_button() const { return replace_button_; }
  QPushButton* load_button() const { return load_button_; }
  QPushButton* save_button() const { return save_button_; }
  QPushButton* delete_button() const { return delete_button_; }
  QPushButton* clear_button() const { return clear_button_; }
  QPushButton* close_button() const { return close_button_; }

 public slots:
  void BtnPlayerClick();
  void BtnBankerClick();
  void BtnClearLastClick();
  void BtnAddClick();
  void BtnRemoveClick();
  void BtnLineToGridClick();
  void BtnReplaceClick();
  void BtnLoadClick();
  void BtnSaveClick();
  void BtnDeleteClick();
  void BtnAllClearClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Refresh();

  DialogsHolder dialogs_;
  std::unique_ptr<BetSelectPort> own_side_dialog_;
  BetSelectPort& side_dialog_;
  FacePatternEditorModel model_;
  bool shown_ = false;
  bool refreshing_ = false;

  std::vector<QLabel*> cells_;  // column by column
  QLabel* sequence_ = nullptr;
  QListWidget* line_list_ = nullptr;
  QComboBox* file_combo_ = nullptr;
  QLineEdit* name_edit_ = nullptr;
  QPushButton* player_button_ = nullptr;
  QPushButton* banker_button_ = nullptr;
  QPushButton* clear_last_button_ = nullptr;
  QPushButton* add_button_ = nullptr;
  QPushButton* remove_button_ = nullptr;
  QPushButton* line_to_grid_button_ = nullptr;
  QPushButton* replace_button_ = nullptr;
  QPushButton* load_button_ = nullptr;
  QPushButton* save_button_ = nullptr;
  QPushButton* delete_button_ = nullptr;
  QPushButton* clear_button_ = nullptr;
  QPushButton* close_button_ = nullptr;
};

}  // namespace vessaro
