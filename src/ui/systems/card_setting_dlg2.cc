#include "ui/systems/card_setting_dlg2.h"

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

TCardSettingDlg2::TCardSettingDlg2(int number, const CardFields& card, Dialogs* dialogs,
                                   QWidget* parent)
    : QDialog(parent), dialogs_(dialogs, this), model_(card) {
  setObjectName(QStringLiteral("CardSettingDlg2"));
  setWindowTitle(ToQt(st::kPatternCardTitle));
  setModal(true);

  auto* heading = new QLabel(QStringLiteral("カード%1").arg(number));
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);

  side_ = MakeNumberEdit(QStringLiteral("SideEdit"), 56);
  side_->setAlignment(Qt::AlignCenter);
  win_ = MakeNumberEdit(QStringLiteral("WinEdit"), 56);
  lose_ = MakeNumberEdit(QStringLiteral("LoseEdit"), 56);
  player_button_ = MakeButton("PLAYER", QStringLiteral("BtnPlayer"));
  player_button_->setStyleSheet(QStringLiteral("color: #1f4fbf; font-weight: bold;"));
  banker_button_ = MakeButton("BANKER", QStringLiteral("BtnBanker"));
  banker_button_->setStyleSheet(QStringLiteral("color: #c02020; font-weight: bold;"));

  auto* side_row = new QHBoxLayout;
  side_row->addWidget(side_);
  side_row->addWidget(player_button_);
  side_row->addWidget(banker_button_);
  side_row->addStretch();

  auto* grid = new QGridLayout;
  grid->addWidget(MakeLabel("ベット先"), 0, 0);
  grid->addLayout(side_row, 0, 1);
  grid->addWidget(Note("※半角英字のPかB"), 1, 1);
  grid->addWidget(MakeLabel("勝った場合の次のカード"), 2, 0);
  grid->addWidget(win_, 2, 1);
  grid->addWidget(MakeLabel("負けた場合の次のカード"), 3, 0);
  grid->addWidget(lose_, 3, 1);
  grid->addWidget(Note("※1から20まで"), 4, 1);

  ok_button_ = MakeButton("OK", QStringLiteral("BtnOk"));
  cancel_button_ = MakeButton("CANCEL", QStringLiteral("BtnCancel"));
  connect(player_button_, &QPushButton::clicked, this, &TCardSettingDlg2::BtnPlayerClick);
  connect(banker_button_, &QPushButton::clicked, this, &TCardSettingDlg2::BtnBankerClick);
  connect(ok_button_, &QPushButton::clicked, this, &TCardSettingDlg2::BtnOkClick);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
  connect(side_, &QLineEdit::returnPressed, win_, [this] { win_->setFocus(); });
  connect(win_, &QLineEdit::returnPressed, this, &TCardSettingDlg2::EditWinReturn);
  connect(lose_, &QLineEdit::returnPressed, this, &TCardSettingDlg2::BtnOkClick);

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
  side_->setFocus();
}

void TCardSettingDlg2::TakeFields() {
  model_.fields = CardFields{FromQt(side_->text()), FromQt(win_->text()), FromQt(lose_->text())};
}

void TCardSettingDlg2::ShowFields() {
  side_->setText(ToQt(model_.fields.first));
  win_->setText(ToQt(model_.fields.win));
  lose_->setText(ToQt(model_.fields.lose));
}

void TCardSettingDlg2::BtnPlayerClick() {
  TakeFields();
  model_.PressPlayer();
  ShowFields();
}

void TCardSettingDlg2::BtnBankerClick() {
  TakeFields();
  model_.PressBanker();
  ShowFields();
}

void TCardSettingDlg2::BtnOkClick() {
  TakeFields();
  if (model_.Confirm(dialogs_.get())) {
    accept();
  } else {
    ShowFields();
  }
}

void TCardSettingDlg2::EditWinReturn() {
  TakeFields();
  if (model_.EnterInWin(dialogs_.get())) lose_->setFocus();
}

}  // namespace vessaro
