// "ボーナスの追加": a bonus name and the wagering it needs; "追加" writes its bonus file.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "balancesheet/bonus.h"

namespace vessaro {

class TBonusMakeForm : public QDialog {
  Q_OBJECT
 public:
  TBonusMakeForm(BonusMakeModel& model, Dialogs& dialogs, QWidget* parent = nullptr);

  QLineEdit* name_edit() const { return name_edit_; }
  QLineEdit* amount_edit() const { return amount_edit_; }
  QPushButton* add_button() const { return add_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 public slots:
  void BtnAddClick();

 private:
  void Pull();

  BonusMakeModel& model_;
  Dialogs& dialogs_;
  QLineEdit* name_edit_;
  QLineEdit* amount_edit_;
  QPushButton* add_button_;
  QPushButton* cancel_button_;
};

}  // namespace vessaro
