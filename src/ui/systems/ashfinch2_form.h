// The Ashfinch editor "Kindlet - ベットシステム設定 - Ashfinch ver. 2.1": the unit, the three
// modes with their panels, the list of Ashfinch systems, and the trial panel "簡易検証".
// AshfinchEditorModel holds the fields, their numbered check, the joined bands and the files.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <array>
#include <vector>

#include "systems/ashfinch_editor.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

class TAshfinch2Form : public QDialog {
  Q_OBJECT
 public:
  // dialogs nullptr: message boxes over this window.
  TAshfinch2Form(const fs::path& program_folder, Dialogs* dialogs, QWidget* parent = nullptr);

  const AshfinchEditorModel& model() const { return model_; }

  // The edit of a field; the M bands appear on the N/R panel and again on the P panel.
  QLineEdit* field_edit(AshfinchField field, bool parlay_panel = false) const;
  QListWidget* mode_list() const { return mode_list_; }
  QComboBox* enabled_combo() const { return enabled_combo_; }
  QLabel* description_label() const { return description_; }
  QStackedWidget* panels() const { return panels_; }
  QWidget* normal_panel() const { return normal_panel_; }
  QWidget* parlay_panel() const { return parlay_panel_; }
  QLabel* failure_target_label() const { return failure_target_; }
  QLabel* success_target_label() const { return success_target_; }
  QComboBox* p_system_combo() const { return p_system_combo_; }
  QComboBox* system_combo() const { return system_combo_; }
  QLineEdit* name_edit() const { return name_edit_; }
  QPushButton* load_button() const { return load_button_; }
  QPushButton* save_button() const { return save_button_; }
  QPushButton* delete_button() const { return delete_button_; }
  QPushButton* clear_button() const { return clear_button_; }
  QPushButton* close_button() const { return close_button_; }

  // The trial panel: NBU, LU, LR, Round, mode, balance, M, P units, N successes.
  enum TrialItem { kNbu, kLu, kLr, kRound, kMode, kBalance, kM, kPUnits, kNSuccesses };
  QLineEdit* trial_edit(TrialItem item) const { return trial_[item]; }
  QPushButton* win_button() const { return win_button_; }
  QPushButton* lose_button() const { return lose_button_; }
  QPushButton* tie_button() const { return tie_button_; }
  QPushButton* trial_clear_button() const { return trial_clear_button_; }

 public slots:
  void ListModeChanged(int row);
  void BtnLoadClick();
  void BtnSaveClick();
  void BtnDeleteClick();
  void BtnAllClearClick();
  void BtnWinClick();
  void BtnLoseClick();
  void BtnTieClick();
  void BtnTrialClearClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* AddField(AshfinchField field, bool parlay_panel);
  QWidget* BuildNormalPanel();
  QWidget* BuildParlayPanel();
  QWidget* BuildTrialPanel();
  void FieldEdited(AshfinchField field, QLineEdit* source, const QString& text);
  void ShowFields(const QLineEdit* except);
  void Refresh();

  DialogsHolder dialogs_;
  AshfinchEditorModel model_;
  bool refreshing_ = false;

  struct FieldEdit {
    AshfinchField field;
    bool parlay_panel;
    QLineEdit* edit;
  };
  std::vector<FieldEdit> fields_;
  QListWidget* mode_list_ = nullptr;
  QComboBox* enabled_combo_ = nullptr;
  QLabel* description_ = nullptr;
  QStackedWidget* panels_ = nullptr;
  QWidget* normal_panel_ = nullptr;
  QWidget* parlay_panel_ = nullptr;
  QLabel* failure_target_ = nullptr;
  QLabel* success_target_ = nullptr;
  QLabel* success_text_ = nullptr;
  QComboBox* p_system_combo_ = nullptr;
  QComboBox* system_combo_ = nullptr;
  QLineEdit* name_edit_ = nullptr;
  QPushButton* load_button_ = nullptr;
  QPushButton* save_button_ = nullptr;
  QPushButton* delete_button_ = nullptr;
  QPushButton* clear_button_ = nullptr;
  QPushButton* close_button_ = nullptr;
  std::array<QLineEdit*, 9> trial_{};
  QPushButton* win_button_ = nullptr;
  QPushButton* lose_button_ = nullptr;
  QPushButton* tie_button_ = nullptr;
  QPushButton* trial_clear_button_ = nullptr;
};

}  // namespace vessaro
