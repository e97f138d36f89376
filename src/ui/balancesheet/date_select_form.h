// The date dialog "日付選択": a calendar, an hour list "0" to "23" and a minute list "00" to
// "59". It starts on the value the entry page hands in and gives back what OK confirmed.
#pragma once

#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>

#include "balancesheet/entry_page.h"

namespace vessaro {

class TDateSelectForm : public QDialog {
  Q_OBJECT
 public:
  explicit TDateSelectForm(const DatePick& start, QWidget* parent = nullptr);

  // What the controls show: the result after "OK".
  DatePick result() const;

  QCalendarWidget* calendar() const { return calendar_; }
  QComboBox* hour_combo() const { return hour_combo_; }
  QComboBox* minute_combo() const { return minute_combo_; }
  QPushButton* ok_button() const { return ok_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 private:
  QCalendarWidget* calendar_;
  QComboBox* hour_combo_;
  QComboBox* minute_combo_;
  QPushButton* ok_button_;
  QPushButton* cancel_button_;
};

}  // namespace vessaro
