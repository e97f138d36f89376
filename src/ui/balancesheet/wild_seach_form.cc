#include "ui/balancesheet/wild_seach_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "balancesheet/condition.h"
#include "balancesheet/sheet_texts.h"
#include "ui/common/qt_ports.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

TWildSeachForm::TWildSeachForm(Dialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("WildSeachForm"));
  setWindowTitle(ToQt(sheet_text::kWildTitle));
  setModal(true);
  input_ = new QLineEdit;
  input_->setObjectName(QStringLiteral("WildEdit"));
  input_->setMinimumWidth(240);
  ok_button_ = MakeButton("OK", QStringLiteral("BtnOk"));
  cancel_button_ = MakeButton("キャンセル", QStringLiteral("BtnCancel"));
  connect(input_, &QLineEdit::returnPressed, this, &TWildSeachForm::BtnOkClick);
  connect(ok_button_, &QPushButton::clicked, this, &TWildSeachForm::BtnOkClick);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
  auto* note = new QLabel(ToQt(sheet_text::kWildNote2));
  note->setStyleSheet(QStringLiteral("color: #505050;"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_button_);
  buttons->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(ToQt(sheet_text::kWildNote1)));
  layout->addWidget(input_);
  layout->addWidget(note);
  layout->addLayout(buttons);
}

void TWildSeachForm::BtnOkClick() {
  WildInput checked = CheckWildInput(FromQt(input_->text()));
  if (!checked.text) {
    dialogs_.ShowMessage(checked.message, MessageKind::kWarning);
    return;
  }
  text_ = *checked.text;
  accept();
}

}  // namespace vessaro
