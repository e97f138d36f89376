#include "ui/balancesheet/item_select_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "balancesheet/sheet_texts.h"
#include "systems/editor_common.h"
#include "ui/common/qt_ports.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

std::vector<int> SelectedRows(const QListWidget* list) {
  std::vector<int> rows;
  for (const QModelIndex& index : list->selectionModel()->selectedIndexes()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

TItemSelectForm::TItemSelectForm(ColumnDialogModel& model, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), model_(model), dialogs_(dialogs) {
  setObjectName(QStringLiteral("ItemSelectForm"));
  setWindowTitle(ToQt(sheet_text::kColumnDialogTitle));
  setModal(true);
  default_list_ = new QListWidget;
  default_list_->setObjectName(QStringLiteral("DefaultList"));
  custom_list_ = new QListWidget;
  custom_list_->setObjectName(QStringLiteral("CustomList"));
  for (QListWidget* list : {default_list_, custom_list_}) {
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setMinimumSize(180, 420);
  }
  for (const PreviewColumn& c : kPreviewColumns) default_list_->addItem(QString::fromUtf8(c.name));
  add_button_ = MakeButton("追加>>", QStringLiteral("BtnAdd"));
  insert_button_ = MakeButton("挿入>>", QStringLiteral("BtnInsert"));
  remove_button_ = MakeButton("<<削除", QStringLiteral("BtnRemove"));
  ok_button_ = MakeButton("OK", QStringLiteral("BtnOk"));
  cancel_button_ = MakeButton("キャンセル", QStringLiteral("BtnCancel"));
  connect(add_button_, &QPushButton::clicked, this, &TItemSelectForm::BtnAddClick);
  connect(insert_button_, &QPushButton::clicked, this, &TItemSelectForm::BtnInsertClick);
  connect(remove_button_, &QPushButton::clicked, this, &TItemSelectForm::BtnRemoveClick);
  connect(ok_button_, &QPushButton::clicked, this, &TItemSelectForm::BtnOkClick);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);

  auto* middle = new QVBoxLayout;
  middle->addStretch();
  middle->addWidget(add_button_);
  middle->addWidget(insert_button_);
  middle->addWidget(remove_button_);
  middle->addStretch();
  auto* grid = new QGridLayout;
  grid->addWidget(MakeLabel("デフォルト項目"), 0, 0);
  grid->addWidget(MakeLabel("カスタム項目"), 0, 2);
  grid->addWidget(default_list_, 1, 0);
  grid->addLayout(middle, 1, 1);
  grid->addWidget(custom_list_, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_button_);
  buttons->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  Refresh();
}

void TItemSelectForm::Refresh() {
  custom_list_->clear();
  for (const std::string& name : model_.custom()) custom_list_->addItem(ToQt(name));
}

void TItemSelectForm::BtnAddClick() {
  model_.AddSelected(SelectedRows(default_list_));
  default_list_->clearSelection();
  Refresh();
  custom_list_->scrollToBottom();
}

void TItemSelectForm::BtnInsertClick() {
  model_.InsertSelected(SelectedRows(default_list_), SelectedRows(custom_list_));
  Refresh();
}

void TItemSelectForm::BtnRemoveClick() {
  model_.RemoveSelected(SelectedRows(custom_list_));
  Refresh();
}

void TItemSelectForm::BtnOkClick() {
  auto refused = GuardFileErrors(dialogs_, [this]() -> std::optional<std::optional<std::string>> {
    return model_.Confirm();
  });
  if (!refused) return;  // a file error, already shown
  if (*refused) {
    dialogs_.ShowMessage(**refused, MessageKind::kWarning);
    return;
  }
  accept();
}

}  // namespace vessaro
