// "ボーナス消化進捗": seven rows "【n】反映率 … ％のゲームに … ベットした". Enter moves on; Enter
// in the last bet acts as "OK", which closes with the increment of the wagering.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <optional>

#include "balancesheet/bonus.h"

namespace vessaro {

class TBonusConditionForm : public QDialog {
  Q_OBJECT
 public:
  TBonusConditionForm(Dialogs& dialogs, QWidget* parent = nullptr);

  // The increment "OK" confirmed; nullopt when cancelled.
  std::optional<long long> increment() const { return increment_; }

  QLineEdit* rate_edit(int row) const { return rates_.at(row); }
  QLineEdit* bet_edit(int row) const { return bets_.at(row); }
  QPushButton* ok_button() const { return ok_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 public slots:
  void BtnOkClick();

 private:
  BonusProgressModel model_;
  std::optional<long long> increment_;
  std::array<QLineEdit*, BonusProgressModel::kRows> rates_{};
  std::array<QLineEdit*, BonusProgressModel::kRows> bets_{};
  QPushButton* ok_button_;
  QPushButton* cancel_button_;
};

}  // namespace vessaro
