// "プレー毎残高入力": the balances of one visit in play order, typed one by one (Enter appends),
// corrected, inserted or deleted in the list, and saved to the visit's balance-detail file.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <optional>

#include "balancesheet/entry_page.h"

namespace vessaro {

class TPlayHistoryForm : public QDialog {
  Q_OBJECT
 public:
  // dialogs: where a file error of "保存" is shown (the model's own messages go through it too).
  TPlayHistoryForm(BalanceDetailModel& model, Dialogs& dialogs, QWidget* parent = nullptr);

  // The file "保存" wrote.
  const std::optional<fs::path>& saved_path() const { return saved_path_; }

  QListWidget* list() const { return list_; }
  QLineEdit* input() const { return input_; }
  QPushButton* modify_button() const { return modify_button_; }
  QPushButton* insert_button() const { return insert_button_; }
  QPushButton* delete_button() const { return delete_button_; }
  QPushButton* save_button() const { return save_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 public slots:
  void InputReturnPressed();
  void BtnModifyClick();
  void BtnInsertClick();
  void BtnDeleteClick();
  void BtnSaveClick();

 private:
  void Refresh(int select = -1);
  int Selected() const;

  BalanceDetailModel& model_;
  Dialogs& dialogs_;
  std::optional<fs::path> saved_path_;
  QListWidget* list_;
  QLineEdit* input_;
  QPushButton* modify_button_;
  QPushButton* insert_button_;
  QPushButton* delete_button_;
  QPushButton* save_button_;
  QPushButton* cancel_button_;
};

}  // namespace vessaro
