// The stop-condition dialog "オート実行　終了条件設定": the profit and loss limits of automatic
// runs. The check and its messages are CheckStopLimits'.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "autosim/stop_conditions.h"
#include "common/ports.h"

namespace vessaro {

class TStopJyokenForm : public QDialog {
  Q_OBJECT
 public:
  TStopJyokenForm(const StopLimits& current, Dialogs& dialogs, QWidget* parent = nullptr);
  // The limits to keep once the dialog was accepted.
  const StopLimits& limits() const { return limits_; }
  QLineEdit* profit_edit() const { return profit_; }
  QLineEdit* loss_edit() const { return loss_; }

 public slots:
  void BtnSetClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Dialogs& dialogs_;
  StopLimits limits_;
  QLineEdit* profit_ = nullptr;
  QLineEdit* loss_ = nullptr;
};

}  // namespace vessaro
