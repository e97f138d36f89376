#include "ui/balancesheet/list_add_dlg_form.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "balancesheet/sheet_texts.h"
#include "ui/common/qt_ports.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

TListAddDlgForm::TListAddDlgForm(std::function<bool(const std::string&)> accept, QWidget* parent)
    : QDialog(parent), accept_(std::move(accept)) {
  setObjectName(QStringLiteral("ListAddDlgForm"));
  setWindowTitle(ToQt(sheet_text::kListAddTitle));
  setModal(true);
  input_ = new QLineEdit;
  input_->setObjectName(QStringLiteral("InputEdit"));
  input_->setMinimumWidth(260);
  add_button_ = MakeButton("追加", QStringLiteral("BtnAdd"));
  cancel_button_ = MakeButton("キャンセル", QStringLiteral("BtnCancel"));
  connect(input_, &QLineEdit::returnPressed, this, &TListAddDlgForm::BtnAddClick);
  connect(add_button_, &QPushButton::clicked, this, &TListAddDlgForm::BtnAddClick);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(add_button_);
  buttons->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(input_);
  layout->addLayout(buttons);
}

void TListAddDlgForm::BtnAddClick() {
  if (accept_(FromQt(input_->text()))) accept();
}

}  // namespace vessaro
