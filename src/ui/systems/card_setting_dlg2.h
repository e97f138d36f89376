// The card dialog "パターンカード設定" of the pattern editor: side, win-next and lose-next of one
// pattern card, with "PLAYER" and "BANKER" buttons for the side. PatternCardDialogModel checks.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "systems/pattern_editor.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

class TCardSettingDlg2 : public QDialog {
  Q_OBJECT
 public:
  // The dialog on card number's fields. dialogs nullptr: message boxes over this dialog.
  TCardSettingDlg2(int number, const CardFields& card, Dialogs* dialogs, QWidget* parent = nullptr);

  const CardFields& result() const { return model_.result(); }
  const PatternCardDialogModel& model() const { return model_; }

  QLineEdit* side_edit() const { return side_; }
  QLineEdit* win_edit() const { return win_; }
  QLineEdit* lose_edit() const { return lose_; }
  QPushButton* player_button() const { return player_button_; }
  QPushButton* banker_button() const { return banker_button_; }
  QPushButton* ok_button() const { return ok_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 public slots:
  void BtnPlayerClick();
  void BtnBankerClick();
  void BtnOkClick();
  void EditWinReturn();

 private:
  void TakeFields();
  void ShowFields();

  DialogsHolder dialogs_;
  PatternCardDialogModel model_;
  QLineEdit* side_ = nullptr;
  QLineEdit* win_ = nullptr;
  QLineEdit* lose_ = nullptr;
  QPushButton* player_button_ = nullptr;
  QPushButton* banker_button_ = nullptr;
  QPushButton* ok_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
};

}  // namespace vessaro
