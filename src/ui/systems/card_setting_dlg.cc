#include "ui/systems/card_setting_dlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "systems/messages.h"
#include "ui/common/qt_ports.h"

namespace vessaro {

namespace st = systems_text;

namespace {

QLabel* Note(const char* text) {
  auto* label = MakeLabel(text);
  label->setStyleSheet(QStringLiteral("color: #a03030;"));
  return label;
}

}  // namespace

TCardSettingDlg::TCardSettingDlg(int number, const CardFields& card, Dialogs* dialogs,
                                 QWidget* parent)
    : QDialog(parent), dialogs_(dialogs, this), model_(card) {
  setObjectName(QStringLiteral("CardSettingDlg"));
  setWindowTitle(ToQt(st::kSystemCardTitle));
  setModal(true);

  auto* heading = new QLabel(QStringLiteral("カード%1").arg(number));
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);

  stake_ = MakeNumberEdit(QStringLiteral("StakeEdit"), 90);
  win_ = MakeNumberEdit(QStringLiteral("WinEdit"), 90);
  lose_ = MakeNumberEdit(QStringLiteral("LoseEdit"), 90);

  auto* grid = new QGridLayout;
  grid->addWidget(MakeLabel("ベット額"), 0, 0);
  grid->addWidget(stake_, 0, 1);
  grid->addWidget(Note("※1から10000まで、または1%から100%まで"), 0, 2);
  grid->addWidget(MakeLabel("勝った場合の次のカード"), 1, 0);
  grid->addWidget(win_, 1, 1);
  grid->addWidget(Note("※1から60まで"), 1, 2);
  grid->addWidget(MakeLabel("負けた場合の次のカード"), 2, 0);
  grid->addWidget(lose_, 2, 1);
  grid->addWidget(Note("※1から60まで"), 2, 2);

  ok_button_ = MakeButton("OK", QStringLiteral("BtnOk"));
  cancel_button_ = MakeButton("CANCEL", QStringLiteral("BtnCancel"));
  connect(ok_button_, &QPushButton::clicked, this, &TCardSettingDlg::BtnOkClick);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
  connect(stake_, &QLineEdit::returnPressed, this, &TCardSettingDlg::EditStakeReturn);
  connect(win_, &QLineEdit::returnPressed, lose_, [this] { lose_->setFocus(); });
  connect(lose_, &QLineEdit::returnPressed, this, &TCardSettingDlg::EditLoseReturn);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_button_);
  buttons->addWidget(cancel_button_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  ShowFields();
  stake_->setFocus();
}

void TCardSettingDlg::TakeFields() {
  model_.fields = CardFields{FromQt(stake_->text()), FromQt(win_->text()), FromQt(lose_->text())};
}

void TCardSettingDlg::ShowFields() {
  stake_->setText(ToQt(model_.fields.first));
  win_->setText(ToQt(model_.fields.win));
  lose_->setText(ToQt(model_.fields.lose));
}

void TCardSettingDlg::BtnOkClick() {
  TakeFields();
  const bool closes = model_.Confirm(dialogs_.get());
  // A refused percent stake comes back with its "%" again.
  if (!closes) {
    ShowFields();
    return;
  }
  accept();
}

void TCardSettingDlg::EditStakeReturn() {
  TakeFields();
  if (model_.EnterInStake(dialogs_.get())) win_->setFocus();
}

void TCardSettingDlg::EditLoseReturn() {
  TakeFields();
  if (model_.EnterInLose(dialogs_.get())) {
    accept();
  } else {
    ShowFields();
  }
}

}  // namespace vessaro
