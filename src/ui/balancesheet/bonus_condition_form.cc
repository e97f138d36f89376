#include "ui/balancesheet/bonus_condition_form.h"

#include <QGridLayout>
#include <QLabel>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "balancesheet/sheet_texts.h"
#include "ui/common/qt_ports.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

TBonusConditionForm::TBonusConditionForm(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), model_(dialogs) {
  setObjectName(QStringLiteral("BonusConditionForm"));
  setWindowTitle(ToQt(sheet_text::kBonusProgressTitle));
  setModal(true);
  auto* grid = new QGridLayout;
  for (int row = 0; row < BonusProgressModel::kRows; ++row) {
    rates_[row] = MakeNumberEdit(QStringLiteral("RateEdit%1").arg(row + 1), 48);
    bets_[row] = MakeNumberEdit(QStringLiteral("BetEdit%1").arg(row + 1), 90);
    grid->addWidget(new QLabel(QStringLiteral("【%1】反映率").arg(row + 1)), row, 0);
    grid->addWidget(rates_[row], row, 1);
    grid->addWidget(MakeLabel("％のゲームに"), row, 2);
    grid->addWidget(bets_[row], row, 3);
    grid->addWidget(MakeLabel("ベットした"), row, 4);
  }
  for (int row = 0; row < BonusProgressModel::kRows; ++row) {
    connect(rates_[row], &QLineEdit::returnPressed, this, [this, row] { bets_[row]->setFocus(); });
    connect(bets_[row], &QLineEdit::returnPressed, this, [this, row] {
      if (row + 1 < BonusProgressModel::kRows) {
        rates_[row + 1]->setFocus();
      } else {
        BtnOkClick();
      }
    });
  }
  ok_button_ = MakeButton("OK", QStringLiteral("BtnOk"));
  cancel_button_ = MakeButton("キャンセル", QStringLiteral("BtnCancel"));
  connect(ok_button_, &QPushButton::clicked, this, &TBonusConditionForm::BtnOkClick);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_button_);
  buttons->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
}

void TBonusConditionForm::BtnOkClick() {
  for (int row = 0; row < BonusProgressModel::kRows; ++row) {
    model_.rates[row] = FromQt(rates_[row]->text());
    model_.bets[row] = FromQt(bets_[row]->text());
  }
  BonusProgressModel::Result result = model_.Confirm();
  if (!result.increment) {
    QLineEdit* field = result.focus == BonusProgressModel::Focus::kRate ? rates_[result.row] : bets_[result.row];
    field->setFocus();
    return;
  }
  increment_ = result.increment;
  accept();
}

}  // namespace vessaro
