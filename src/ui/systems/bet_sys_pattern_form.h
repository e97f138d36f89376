// The system editor "ベットシステム設定": 60 system cards on three pages of 20 tiles, the list of
// saved systems with load, save, delete and all clear, and a fourth page that opens the Ashfinch
// editor. SystemEditorModel holds every rule; the window shows its state and forwards clicks.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <vector>

#include "systems/system_editor.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

class TBetSysPatternForm : public QDialog {
  Q_OBJECT
 public:
  // dialogs nullptr: message boxes over this window (and over each window it opens).
  TBetSysPatternForm(const fs::path& program_folder, Dialogs* dialogs, QWidget* parent = nullptr);

  const SystemEditorModel& model() const { return model_; }

  QTabWidget* tabs() const { return tabs_; }
  CardTile* tile(int number) const { return tiles_.at(number - 1); }
  QComboBox* system_combo() const { return system_combo_; }
  QLineEdit* name_edit() const { return name_edit_; }
  QPushButton* load_button() const { return load_button_; }
  QPushButton* save_button() const { return save_button_; }
  QPushButton* delete_button() const { return delete_button_; }
  QPushButton* clear_button() const { return clear_button_; }
  QPushButton* close_button() const { return close_button_; }
  QPushButton* ashfinch_button() const { return ashfinch_button_; }

 public slots:
  void BtnSetCardClick(int number);
  void BtnLoadClick();
  void BtnSaveClick();
  void BtnDeleteClick();
  void BtnAllClearClick();
  void BtnAshfinchClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Refresh();

  fs::path program_folder_;
  DialogsHolder dialogs_;
  SystemEditorModel model_;
  bool refreshing_ = false;

  QTabWidget* tabs_ = nullptr;
  std::vector<CardTile*> tiles_;
  QComboBox* system_combo_ = nullptr;
  QLineEdit* name_edit_ = nullptr;
  QPushButton* load_button_ = nullptr;
  QPushButton* save_button_ = nullptr;
  QPushButton* delete_button_ = nullptr;
  QPushButton* clear_button_ = nullptr;
  QPushButton* close_button_ = nullptr;
  QPushButton* ashfinch_button_ = nullptr;
};

}  // namespace vessaro
