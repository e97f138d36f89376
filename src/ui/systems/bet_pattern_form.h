// The pattern editor "ベットパターン設定": the page "固定パターン設定" with 20 pattern cards as
// tiles, and the page "特殊パターン設定（条件・螺旋）" with the fixed and the condition strategy,
// from which the face pattern editor opens. PatternEditorModel holds every rule.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <array>
#include <vector>

#include "systems/pattern_editor.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

class TBetPatternForm : public QDialog {
  Q_OBJECT
 public:
  // dialogs nullptr: message boxes over this window (and over each window it opens).
  TBetPatternForm(const fs::path& program_folder, Dialogs* dialogs, QWidget* parent = nullptr);

  const PatternEditorModel& model() const { return model_; }

  QTabWidget* tabs() const { return tabs_; }
  QPushButton* close_button() const { return close_button_; }

  // Page "固定パターン設定".
  CardTile* tile(int number) const { return tiles_.at(number - 1); }
  QComboBox* pattern_combo() const { return pattern_combo_; }
  QLineEdit* pattern_name_edit() const { return pattern_name_edit_; }
  QPushButton* pattern_load_button() const { return pattern_load_button_; }
  QPushButton* pattern_save_button() const { return pattern_save_button_; }
  QPushButton* pattern_delete_button() const { return pattern_delete_button_; }
  QPushButton* pattern_clear_button() const { return pattern_clear_button_; }

  // Page "特殊パターン設定（条件・螺旋）".
  QComboBox* special_combo() const { return special_combo_; }
  QLineEdit* special_name_edit() const { return special_name_edit_; }
  QPushButton* special_load_button() const { return special_load_button_; }
  QPushButton* special_save_button() const { return special_save_button_; }
  QPushButton* special_delete_button() const { return special_delete_button_; }
  QPushButton* special_clear_button() const { return special_clear_button_; }
  QRadioButton* fixed_radio() const { return fixed_radio_; }
  QRadioButton* condition_radio() const { return condition_radio_; }
  // side 0 "P", 1 "B".
  QPushButton* first_bet_button(int side) const { return first_bet_buttons_[side]; }
  QLabel* first_bet_label() const { return first_bet_label_; }
  QRadioButton* select_radio(int rule) const { return select_radios_.at(rule - 1); }
  QPushButton* default_side_button(int side) const { return default_side_buttons_[side]; }
  QLabel* default_side_label() const { return default_side_label_; }
  QCheckBox* condition_check(int priority) const { return condition_checks_.at(priority - 1); }
  QComboBox* run_length_combo(int priority) const { return run_length_combos_.at(priority - 1); }
  QComboBox* face_list_combo() const { return face_list_combo_; }
  QPushButton* face_editor_button() const { return face_editor_button_; }

 public slots:
  void BtnSetCardClick(int number);
  void BtnPatternLoadClick();
  void BtnPatternSaveClick();
  void BtnPatternDeleteClick();
  void BtnSpecialLoadClick();
  void BtnSpecialSaveClick();
  void BtnSpecialDeleteClick();
  void BtnAllClearClick();
  void BtnFaceEditorClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildFixedPage();
  QWidget* BuildSpecialPage();
  void Refresh();

  fs::path program_folder_;
  DialogsHolder dialogs_;
  PatternEditorModel model_;
  bool shown_ = false;
  bool refreshing_ = false;

  QTabWidget* tabs_ = nullptr;
  QPushButton* close_button_ = nullptr;

  std::vector<CardTile*> tiles_;
  QComboBox* pattern_combo_ = nullptr;
  QLineEdit* pattern_name_edit_ = nullptr;
  QPushButton* pattern_load_button_ = nullptr;
  QPushButton* pattern_save_button_ = nullptr;
  QPushButton* pattern_delete_button_ = nullptr;
  QPushButton* pattern_clear_button_ = nullptr;

  QComboBox* special_combo_ = nullptr;
  QLineEdit* special_name_edit_ = nullptr;
  QPushButton* special_load_button_ = nullptr;
  QPushButton* special_save_button_ = nullptr;
  QPushButton* special_delete_button_ = nullptr;
  QPushButton* special_clear_button_ = nullptr;
  QRadioButton* fixed_radio_ = nullptr;
  QRadioButton* condition_radio_ = nullptr;
  QWidget* fixed_controls_ = nullptr;
  QWidget* condition_controls_ = nullptr;
  std::array<QPushButton*, 2> first_bet_buttons_{};
  QLabel* first_bet_label_ = nullptr;
  QButtonGroup* select_group_ = nullptr;
  std::vector<QRadioButton*> select_radios_;
  std::array<QPushButton*, 2> default_side_buttons_{};
  QLabel* default_side_label_ = nullptr;
  std::vector<QCheckBox*> condition_checks_;
  std::vector<QComboBox*> run_length_combos_;
  QComboBox* face_list_combo_ = nullptr;
  QPushButton* face_editor_button_ = nullptr;
};

}  // namespace vessaro
