// The column dialog "一覧表示項目設定": "デフォルト項目" (the 29 columns) and "カスタム項目"
// (the visible columns in order), with "追加>>", "挿入>>", "<<削除", "OK" and "キャンセル".
#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>

#include "balancesheet/preview_columns.h"
#include "common/ports.h"

namespace vessaro {

class TItemSelectForm : public QDialog {
  Q_OBJECT
 public:
  TItemSelectForm(ColumnDialogModel& model, Dialogs& dialogs, QWidget* parent = nullptr);

  QListWidget* default_list() const { return default_list_; }
  QListWidget* custom_list() const { return custom_list_; }
  QPushButton* add_button() const { return add_button_; }
  QPushButton* insert_button() const { return insert_button_; }
  QPushButton* remove_button() const { return remove_button_; }
  QPushButton* ok_button() const { return ok_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 public slots:
  void BtnAddClick();
  void BtnInsertClick();
  void BtnRemoveClick();
  void BtnOkClick();

 private:
  void Refresh();

  ColumnDialogModel& model_;
  Dialogs& dialogs_;
  QListWidget* default_list_;
  QListWidget* custom_list_;
  QPushButton* add_button_;
  QPushButton* insert_button_;
  QPushButton* remove_button_;
  QPushButton* ok_button_;
  QPushButton* cancel_button_;
};

// The selected rows of a list, in row order.
std::vector<int> SelectedRows(const QListWidget* list);

}  // namespace vessaro
