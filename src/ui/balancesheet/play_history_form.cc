#include "ui/balancesheet/play_history_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "balancesheet/sheet_texts.h"
#include "systems/editor_common.h"
#include "ui/common/qt_ports.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

TPlayHistoryForm::TPlayHistoryForm(BalanceDetailModel& model, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), model_(model), dialogs_(dialogs) {
  setObjectName(QStringLiteral("PlayHistoryForm"));
  setWindowTitle(ToQt(sheet_text::kDetailTitle));
  setModal(true);
  list_ = new QListWidget;
  list_->setObjectName(QStringLiteral("BalanceList"));
  list_->setMinimumSize(180, 320);
  input_ = MakeNumberEdit(QStringLiteral("BalanceEdit"), 120);
  modify_button_ = MakeButton("リスト修正", QStringLiteral("BtnModify"));
  insert_button_ = MakeButton("リスト挿入", QStringLiteral("BtnInsert"));
  delete_button_ = MakeButton("リスト削除", QStringLiteral("BtnDelete"));
  save_button_ = MakeButton("保存", QStringLiteral("BtnSave"));
  cancel_button_ = MakeButton("キャンセル", QStringLiteral("BtnCancel"));
  connect(input_, &QLineEdit::returnPressed, this, &TPlayHistoryForm::InputReturnPressed);
  connect(modify_button_, &QPushButton::clicked, this, &TPlayHistoryForm::BtnModifyClick);
  connect(insert_button_, &QPushButton::clicked, this, &TPlayHistoryForm::BtnInsertClick);
  connect(delete_button_, &QPushButton::clicked, this, &TPlayHistoryForm::BtnDeleteClick);
  connect(save_button_, &QPushButton::clicked, this, &TPlayHistoryForm::BtnSaveClick);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);

  auto* side = new QVBoxLayout;
  side->addWidget(MakeLabel("残高（エンターで追加）"));
  side->addWidget(input_);
  side->addSpacing(12);
  side->addWidget(modify_button_);
  side->addWidget(insert_button_);
  side->addWidget(delete_button_);
  side->addStretch();
  side->addWidget(save_button_);
  side->addWidget(cancel_button_);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(side);
  Refresh();
  input_->setFocus();
}

int TPlayHistoryForm::Selected() const {
  const auto rows = list_->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void TPlayHistoryForm::Refresh(int select) {
  list_->clear();
  for (const std::string& line : model_.lines()) list_->addItem(ToQt(line));
  if (select >= 0 && select < list_->count()) {
    list_->setCurrentRow(select);
    list_->scrollToItem(list_->item(select));
  } else {
    list_->clearSelection();
    list_->scrollToBottom();
  }
}

void TPlayHistoryForm::InputReturnPressed() {
  if (!model_.Append(FromQt(input_->text()))) return;
  input_->clear();
  Refresh();
}

void TPlayHistoryForm::BtnModifyClick() {
  if (model_.Modify(Selected(), FromQt(input_->text()))) Refresh();
}

void TPlayHistoryForm::BtnInsertClick() {
  const int row = Selected();
  if (model_.Insert(row, FromQt(input_->text()))) Refresh(row + 1);
}

void TPlayHistoryForm::BtnDeleteClick() {
  if (model_.Remove(Selected())) Refresh();
}

void TPlayHistoryForm::BtnSaveClick() {
  saved_path_ = GuardFileErrors(dialogs_, [this] { return model_.Save(); });
  if (saved_path_) accept();
}

}  // namespace vessaro
