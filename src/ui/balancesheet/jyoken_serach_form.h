// The condition window "検索条件追加": five rows of item, type, operator, value and connector,
// the saved patterns "条件パターン", "条件クリア", "OK" and "キャンセル". ConditionWindowModel
// holds every rule; OK returns the condition string.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <array>

#include "balancesheet/condition.h"

namespace vessaro {

class TJyokenSerachForm : public QDialog {
  Q_OBJECT
 public:
  TJyokenSerachForm(const SheetFolders& folders, Dialogs& dialogs, QWidget* parent = nullptr);

  ConditionWindowModel& model() { return model_; }
  // The condition string "OK" returned.
  const std::string& condition() const { return condition_; }

  // ComboBox1 to ComboBox19 and Edit1 to Edit5 of the pattern files, 0-based.
  QComboBox* choice(int n) const { return choices_.at(n); }
  QLineEdit* type_edit(int row) const { return types_.at(row); }
  QListWidget* pattern_list() const { return pattern_list_; }
  QLineEdit* pattern_name_edit() const { return pattern_name_edit_; }
  QPushButton* pattern_save_button() const { return pattern_save_button_; }
  QPushButton* pattern_load_button() const { return pattern_load_button_; }
  QPushButton* pattern_delete_button() const { return pattern_delete_button_; }
  QPushButton* clear_button() const { return clear_button_; }
  QPushButton* ok_button() const { return ok_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 public slots:
  void BtnOkClick();

 private:
  void ChoiceActivated(int n, const QString& text);
  void Refresh();
  int SelectedPattern() const;
  void Run(const std::function<void()>& command);

  Dialogs& dialogs_;
  ConditionWindowModel model_;
  std::string condition_;
  std::array<QComboBox*, ConditionWindowModel::kChoiceCount> choices_{};
  std::array<QLineEdit*, ConditionWindowModel::kRows> types_{};
  QListWidget* pattern_list_;
  QLineEdit* pattern_name_edit_;
  QPushButton* pattern_save_button_;
  QPushButton* pattern_load_button_;
  QPushButton* pattern_delete_button_;
  QPushButton* clear_button_;
  QPushButton* ok_button_;
  QPushButton* cancel_button_;
};

}  // namespace vessaro
