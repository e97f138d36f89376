// The card dialog "システムカード設定" of the system editor: the three fields of one system card.
// SystemCardDialogModel checks them; the dialog closes with OK only when the model accepts.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "systems/system_editor.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

class TCardSettingDlg : public QDialog {
  Q_OBJECT
 public:
  // The dialog on card number's fields. dialogs nullptr: message boxes over this dialog.
  TCardSettingDlg(int number, const CardFields& card, Dialogs* dialogs, QWidget* parent = nullptr);

  // The card to store after the dialog was accepted.
  const CardFields& result() const { return model_.result(); }
  const SystemCardDialogModel& model() const { return model_; }

  QLineEdit* stake_edit() const { return stake_; }
  QLineEdit* win_edit() const { return win_; }
  QLineEdit* lose_edit() const { return lose_; }
  QPushButton* ok_button() const { return ok_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 public slots:
  void BtnOkClick();
  void EditStakeReturn();
  void EditLoseReturn();

 private:
  void TakeFields();
  void ShowFields();

  DialogsHolder dialogs_;
  SystemCardDialogModel model_;
  QLineEdit* stake_ = nullptr;
  QLineEdit* win_ = nullptr;
  QLineEdit* lose_ = nullptr;
  QPushButton* ok_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
};

}  // namespace vessaro
