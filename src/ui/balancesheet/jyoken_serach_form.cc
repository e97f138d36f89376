#include "ui/balancesheet/jyoken_serach_form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "balancesheet/sheet_texts.h"
#include "systems/editor_common.h"
#include "ui/balancesheet/wild_seach_form.h"
#include "ui/common/qt_ports.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

using W = ConditionWindowModel;

TJyokenSerachForm::TJyokenSerachForm(const SheetFolders& folders, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), model_(folders, dialogs) {
  setObjectName(QStringLiteral("JyokenSerachForm"));
  setWindowTitle(ToQt(sheet_text::kConditionTitle));
  setModal(true);

  auto* grid = new QGridLayout;
  const char* headers[] = {"", "項目", "型", "条件", "値", "次の条件"};
  for (int c = 0; c < 6; ++c) {
    auto* label = MakeLabel(headers[c]);
    label->setStyleSheet(QStringLiteral("color: #404040;"));
    grid->addWidget(label, 0, c);
  }
  for (int n = 0; n < W::kChoiceCount; ++n) {
    choices_[n] = new QComboBox;
    choices_[n]->setObjectName(QStringLiteral("ComboBox%1").arg(n + 1));
    choices_[n]->setEditable(false);
    connect(choices_[n], &QComboBox::activated, this,
            [this, n](int index) { ChoiceActivated(n, choices_[n]->itemText(index)); });
  }
  for (int row = 0; row < W::kRows; ++row) {
    types_[row] = new QLineEdit;
    types_[row]->setObjectName(QStringLiteral("Edit%1").arg(row + 1));
    types_[row]->setReadOnly(true);
    types_[row]->setFocusPolicy(Qt::NoFocus);
    types_[row]->setFixedWidth(64);
    choices_[W::ItemField(row)]->setMinimumWidth(150);
    choices_[W::OperatorField(row)]->setMinimumWidth(160);
    choices_[W::ValueField(row)]->setMinimumWidth(190);
    grid->addWidget(new QLabel(QStringLiteral("条件%1").arg(row + 1)), row + 1, 0);
    grid->addWidget(choices_[W::ItemField(row)], row + 1, 1);
    grid->addWidget(types_[row], row + 1, 2);
    grid->addWidget(choices_[W::OperatorField(row)], row + 1, 3);
    grid->addWidget(choices_[W::ValueField(row)], row + 1, 4);
    if (row < W::kRows - 1) {
      choices_[W::ConnectorField(row)]->setMinimumWidth(130);
      grid->addWidget(choices_[W::ConnectorField(row)], row + 1, 5);
    }
  }

  pattern_list_ = new QListWidget;
  pattern_list_->setObjectName(QStringLiteral("PatternList"));
  pattern_list_->setFixedHeight(90);
  pattern_name_edit_ = new QLineEdit;
  pattern_name_edit_->setObjectName(QStringLiteral("PatternNameEdit"));
  pattern_name_edit_->setMinimumWidth(180);
  pattern_save_button_ = MakeButton("パターンへ登録する", QStringLiteral("BtnPatternSave"));
  pattern_load_button_ = MakeButton("パターン読み込み", QStringLiteral("BtnPatternLoad"));
  pattern_delete_button_ = MakeButton("パターン削除", QStringLiteral("BtnPatternDelete"));
  connect(pattern_name_edit_, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.SetPatternName(FromQt(text)); });
  connect(pattern_save_button_, &QPushButton::clicked, this, [this] {
    Run([this] { model_.SavePattern(); });
    Refresh();
  });
  connect(pattern_load_button_, &QPushButton::clicked, this, [this] {
    Run([this] { model_.LoadPattern(SelectedPattern()); });
    Refresh();
  });
  connect(pattern_delete_button_, &QPushButton::clicked, this, [this] {
    Run([this] { model_.DeletePattern(SelectedPattern()); });
    Refresh();
  });
  auto* patterns = new QGroupBox(QStringLiteral("条件パターン"));
  auto* name_row = new QHBoxLayout;
  name_row->addWidget(MakeLabel("この条件に"));
  name_row->addWidget(pattern_name_edit_, 1);
  name_row->addWidget(MakeLabel("という名前を付けて"));
  name_row->addWidget(pattern_save_button_);
  auto* pattern_buttons = new QVBoxLayout;
  pattern_buttons->addWidget(pattern_load_button_);
  pattern_buttons->addWidget(pattern_delete_button_);
  pattern_buttons->addStretch();
  auto* list_row = new QHBoxLayout;
  list_row->addWidget(pattern_list_, 1);
  list_row->addLayout(pattern_buttons);
  auto* patterns_layout = new QVBoxLayout(patterns);
  patterns_layout->addLayout(list_row);
  patterns_layout->addLayout(name_row);

  clear_button_ = MakeButton("条件クリア", QStringLiteral("BtnClear"));
  ok_button_ = MakeButton("OK", QStringLiteral("BtnOk"));
  cancel_button_ = MakeButton("キャンセル", QStringLiteral("BtnCancel"));
  connect(clear_button_, &QPushButton::clicked, this, [this] {
    Run([this] { model_.Clear(); });
    Refresh();
  });
  connect(ok_button_, &QPushButton::clicked, this, &TJyokenSerachForm::BtnOkClick);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(clear_button_);
  buttons->addStretch();
  buttons->addWidget(ok_button_);
  buttons->addWidget(cancel_button_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(patterns);
  layout->addLayout(buttons);
  Refresh();
}

void TJyokenSerachForm::Run(const std::function<void()>& command) { GuardFileErrors(dialogs_, command); }

int TJyokenSerachForm::SelectedPattern() const {
  const auto selected = pattern_list_->selectedItems();
  return selected.isEmpty() ? -1 : pattern_list_->row(selected.first());
}

void TJyokenSerachForm::ChoiceActivated(int n, const QString& text) {
  const int row = n / 4;
  const std::string chosen = FromQt(text);
  Run([&] {
    switch (n % 4) {
      case 0:
        model_.ChooseItem(row, chosen);
        break;
      case 1:
        if (model_.ChooseOperator(row, chosen)) {
          Refresh();
          TWildSeachForm wild(dialogs_, this);
          if (wild.exec() == QDialog::Accepted) model_.SetWildValue(row, wild.text());
        }
        break;
      case 2:
        model_.ChooseValue(row, chosen);
        break;
      default:
        model_.ChooseConnector(row, chosen);
        break;
    }
  });
  Refresh();
}

void TJyokenSerachForm::Refresh() {
  for (int n = 0; n < W::kChoiceCount; ++n) {
    const W::Choice& c = model_.choice(n);
    QStringList items;
    for (const std::string& item : c.items) items << ToQt(item);
    const QString text = ToQt(c.text);
    // A text the list does not hold (the prompt, a loaded or a wildcard value) is shown on top.
    if (!text.isEmpty() && !items.contains(text)) items.prepend(text);
    QComboBox* combo = choices_[n];
    const QSignalBlocker block(combo);
    QStringList current;
    for (int i = 0; i < combo->count(); ++i) current << combo->itemText(i);
    if (current != items) {
      combo->clear();
      combo->addItems(items);
    }
    combo->setCurrentIndex(text.isEmpty() ? -1 : combo->findText(text));
    combo->setEnabled(c.enabled);
  }
  for (int row = 0; row < W::kRows; ++row) types_[row]->setText(ToQt(model_.type(row)));
  QStringList names;
  for (const std::string& name : model_.pattern_names()) names << ToQt(name);
  QStringList shown;
  for (int i = 0; i < pattern_list_->count(); ++i) shown << pattern_list_->item(i)->text();
  if (shown != names) {
    pattern_list_->clear();
    pattern_list_->addItems(names);
  }
  if (pattern_name_edit_->text() != ToQt(model_.pattern_name())) pattern_name_edit_->setText(ToQt(model_.pattern_name()));
}

void TJyokenSerachForm::BtnOkClick() {
  auto condition = model_.Confirm();
  if (!condition) return;
  condition_ = *condition;
  accept();
}

}  // namespace vessaro
