#include "ui/balancesheet/bonus_make_form.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "balancesheet/sheet_texts.h"
#include "systems/editor_common.h"
#include "ui/common/qt_ports.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

TBonusMakeForm::TBonusMakeForm(BonusMakeModel& model, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), model_(model), dialogs_(dialogs) {
  setObjectName(QStringLiteral("BonusMakeForm"));
  setWindowTitle(ToQt(sheet_text::kBonusMakeTitle));
  setModal(true);
  name_edit_ = new QLineEdit;
  name_edit_->setObjectName(QStringLiteral("BonusNameEdit"));
  name_edit_->setMinimumWidth(220);
  amount_edit_ = MakeNumberEdit(QStringLiteral("BonusAmountEdit"), 120);
  add_button_ = MakeButton("追加", QStringLiteral("BtnAdd"));
  cancel_button_ = MakeButton("キャンセル", QStringLiteral("BtnCancel"));
  connect(name_edit_, &QLineEdit::returnPressed, this, [this] {
    Pull();
    if (model_.EnterInName()) amount_edit_->setFocus();
  });
  connect(amount_edit_, &QLineEdit::returnPressed, this, [this] {
    Pull();
    if (GuardFileErrors(dialogs_, [this] { return model_.EnterInAmount(); })) accept();
  });
  connect(add_button_, &QPushButton::clicked, this, &TBonusMakeForm::BtnAddClick);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
  auto* form = new QFormLayout;
  form->addRow(MakeLabel("登録ボーナス名："), name_edit_);
  form->addRow(MakeLabel("条件クリアまでの必要賭け金："), amount_edit_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(add_button_);
  buttons->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
}

void TBonusMakeForm::Pull() {
  model_.name = FromQt(name_edit_->text());
  model_.amount = FromQt(amount_edit_->text());
}

void TBonusMakeForm::BtnAddClick() {
  Pull();
  if (GuardFileErrors(dialogs_, [this] { return model_.Add(); })) accept();
}

}  // namespace vessaro
