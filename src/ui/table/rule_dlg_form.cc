#include "ui/table/rule_dlg_form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "common/program_folder.h"
#include "engine/outcome_mode.h"
#include "ui/common/qt_ports.h"
#include "ui/common/window_helpers.h"

namespace vessaro {
namespace {

QLabel* Note(const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text));
  label->setStyleSheet(QStringLiteral("color: #a03030;"));
  return label;
}

}  // namespace

TRuleDlgForm::TRuleDlgForm(const fs::path& program_folder, TableSettings& settings, Dialogs& dialogs,
                           bool forced, QWidget* parent)
    : QDialog(parent), program_folder_(program_folder), settings_(settings), dialogs_(dialogs) {
  setObjectName(QStringLiteral("RuleDlgForm"));
  setWindowTitle(QStringLiteral("ルール設定"));
  setModal(true);

  auto* speed_box = new QGroupBox(QStringLiteral("ゲーム速度"));
  speed_ = new QComboBox;
  speed_->setObjectName(QStringLiteral("SpeedCombo"));
  for (const char* name : kSpeedNames) speed_->addItem(QString::fromUtf8(name));
  auto* speed_layout = new QVBoxLayout(speed_box);
  speed_layout->addWidget(speed_);
  speed_layout->addWidget(Note("※ゲーム速度の設定を行います"));

  auto* mode_box = new QGroupBox(QStringLiteral("乱数エミュレートモード"));
  mode_ = new QComboBox;
  mode_->setObjectName(QStringLiteral("ModeCombo"));
  for (std::string_view name : kOutcomeModeNames) mode_->addItem(ToQt(name));
  auto* mode_layout = new QVBoxLayout(mode_box);
  mode_layout->addWidget(mode_);
  mode_layout->addWidget(Note("※乱数生成のモードです"));

  auto* balance_box = new QGroupBox(QStringLiteral("初期残高"));
  balance_ = new QLineEdit;
  balance_->setObjectName(QStringLiteral("BalanceEdit"));
  remember_ = new QCheckBox(QStringLiteral("残高を記憶する"));
  remember_->setObjectName(QStringLiteral("RememberCheck"));
  auto* balance_layout = new QGridLayout(balance_box);
  balance_layout->addWidget(balance_, 0, 0);
  balance_layout->addWidget(remember_, 0, 1);
  balance_layout->addWidget(Note("※1から100000までの設定が可能です"), 1, 0, 1, 2);

  auto* rate_box = new QGroupBox(QStringLiteral("テーブルレート"));
  minimum_ = new QLineEdit;
  minimum_->setObjectName(QStringLiteral("MinEdit"));
  maximum_ = new QLineEdit;
  maximum_->setObjectName(QStringLiteral("MaxEdit"));
  auto* rate_layout = new QGridLayout(rate_box);
  rate_layout->addWidget(new QLabel(QStringLiteral("MIN")), 0, 0);
  rate_layout->addWidget(minimum_, 0, 1);
  rate_layout->addWidget(new QLabel(QStringLiteral("MAX")), 0, 2);
  rate_layout->addWidget(maximum_, 0, 3);
  rate_layout->addWidget(Note("※1から10000までの設定が可能です"), 1, 0, 1, 4);

  confirm_button_ = new QPushButton(QStringLiteral("設定"));
  confirm_button_->setObjectName(QStringLiteral("BtnSet"));
  confirm_button_->setDefault(true);
  cancel_button_ = new QPushButton(QStringLiteral("キャンセル"));
  cancel_button_->setObjectName(QStringLiteral("BtnCancel"));
  cancel_button_->setEnabled(!forced);
  connect(confirm_button_, &QPushButton::clicked, this, &TRuleDlgForm::BtnSetClick);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(confirm_button_);
  buttons->addWidget(cancel_button_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(speed_box);
  layout->addWidget(mode_box);
  layout->addWidget(balance_box);
  layout->addWidget(rate_box);
  layout->addLayout(buttons);
  setFixedWidth(380);

  SetValues(RuleDialogValues{});
}

RuleDialogValues TRuleDlgForm::Values() const {
  RuleDialogValues v;
  v.speed_index = speed_->currentIndex();
  v.mode_index = mode_->currentIndex();
  v.balance = FromQt(balance_->text());
  v.remember = remember_->isChecked();
  v.minimum = FromQt(minimum_->text());
  v.maximum = FromQt(maximum_->text());
  return v;
}

void TRuleDlgForm::SetValues(const RuleDialogValues& v) {
  speed_->setCurrentIndex(v.speed_index);
  mode_->setCurrentIndex(v.mode_index);
  balance_->setText(ToQt(v.balance));
  remember_->setChecked(v.remember);
  minimum_->setText(ToQt(v.minimum));
  maximum_->setText(ToQt(v.maximum));
}

void TRuleDlgForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!RunOnce(shown_)) return;
  try {
    SetValues(PrepareRuleDialog(program_folder_, settings_));
  } catch (const IoError& e) {  // an unreadable file: the dialog shows its defaults
    dialogs_.ShowMessage(e.what(), MessageKind::kError);
  }
  CenterOver(parentWidget(), this, 0.5, 0.5);
}

void TRuleDlgForm::BtnSetClick() {
  RuleDialogResult result;
  try {
    result = ConfirmRuleDialog(program_folder_, Values(), settings_);
  } catch (const IoError& e) {
    dialogs_.ShowMessage(e.what(), MessageKind::kError);
    return;
  }
  for (const std::string& message : result.messages) dialogs_.ShowMessage(message, MessageKind::kWarning);
  if (result.confirmed) accept();
}

}  // namespace vessaro
