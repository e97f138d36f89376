#include "ui/balancesheet/date_select_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include "balancesheet/sheet_texts.h"
#include "ui/common/qt_ports.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

TDateSelectForm::TDateSelectForm(const DatePick& start, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DateSelectForm"));
  setWindowTitle(ToQt(sheet_text::kDateDialogTitle));
  setModal(true);

  calendar_ = new QCalendarWidget;
  calendar_->setObjectName(QStringLiteral("Calendar"));
  calendar_->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  calendar_->setFirstDayOfWeek(Qt::Sunday);
  calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar_->setSelectedDate(QDate(start.date.year, start.date.month, start.date.day));

  hour_combo_ = new QComboBox;
  hour_combo_->setObjectName(QStringLiteral("HourCombo"));
  for (int h = 0; h < 24; ++h) hour_combo_->addItem(QString::number(h));
  hour_combo_->setCurrentIndex(start.hour);
  minute_combo_ = new QComboBox;
  minute_combo_->setObjectName(QStringLiteral("MinuteCombo"));
  for (int m = 0; m < 60; ++m) minute_combo_->addItem(QStringLiteral("%1").arg(m, 2, 10, QChar('0')));
  minute_combo_->setCurrentIndex(start.minute);

  ok_button_ = MakeButton("OK", QStringLiteral("BtnOk"));
  cancel_button_ = MakeButton("ｷｬﾝｾﾙ", QStringLiteral("BtnCancel"));
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);

  auto* time_row = new QHBoxLayout;
  time_row->addWidget(MakeLabel("時刻"));
  time_row->addWidget(hour_combo_);
  time_row->addWidget(MakeLabel("時"));
  time_row->addWidget(minute_combo_);
  time_row->addWidget(MakeLabel("分"));
  time_row->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_button_);
  buttons->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(calendar_);
  layout->addLayout(time_row);
  layout->addLayout(buttons);
}

DatePick TDateSelectForm::result() const {
  const QDate d = calendar_->selectedDate();
  return {{d.year(), d.month(), d.day()}, hour_combo_->currentIndex(), minute_combo_->currentIndex()};
}

}  // namespace vessaro
