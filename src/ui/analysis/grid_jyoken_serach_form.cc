#include "ui/analysis/grid_jyoken_serach_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "analysis/analysis_texts.h"
#include "ui/analysis/analysis_widgets.h"
#include "ui/analysis/pattern_seach_form.h"
#include "ui/common/qt_ports.h"

namespace vessaro {
namespace {

QComboBox* MakeChoice(const QString& name, int width) {
  auto* combo = new QComboBox;
  combo->setObjectName(name);
  combo->setEditable(false);
  combo->setMinimumWidth(width);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  // Thousands of distinct values at most: a list view with uniform rows keeps the popup quick.
  auto* view = new QListView;
  view->setUniformItemSizes(true);
  combo->setView(view);
  return combo;
}

// Fills a combo when its entries changed, then shows the choice (-1: empty).
void Show(QComboBox* combo, const QStringList& entries, int selected, bool enabled) {
  QSignalBlocker block(combo);
  QStringList current;
  for (int i = 0; i < combo->count(); ++i) current << combo->itemText(i);
  if (current != entries) {
    combo->clear();
    combo->addItems(entries);
  }
  combo->setCurrentIndex(selected);
  combo->setEnabled(enabled);
}

}  // namespace

TGridJyokenSerachForm::TGridJyokenSerachForm(const fs::path& table_file, int max_pattern_length,
                                             const fs::path& result_file, Dialogs* dialogs,
                                             QWidget* parent, ConditionSearchModel::PatternPort pattern_entry)
    : QDialog(parent), own_dialogs_(dialogs != nullptr ? nullptr : std::make_unique<QtDialogs>(this)) {
  setObjectName(QStringLiteral("GridJyokenSerachForm"));
  setWindowTitle(QString::fromUtf8(analysis_texts::kSearchCaption));
  setModal(true);
  Dialogs& shown = dialogs != nullptr ? *dialogs : *own_dialogs_;
  if (!pattern_entry) {
    pattern_entry = [this, dialogs](int max_length) -> std::optional<std::string> {
      TPatternSeachForm entry(max_length, dialogs, this);
      if (entry.exec() != QDialog::Accepted) return std::nullopt;
      return entry.pattern();
    };
  }
  model_ = std::make_unique<ConditionSearchModel>(table_file, max_pattern_length, result_file, shown,
                                                  std::move(pattern_entry));

  auto* grid = new QGridLayout;
  const char* titles[] = {"", "検索項目", "型", "条件", "値"};
  for (int c = 0; c < 5; ++c) grid->addWidget(new QLabel(QString::fromUtf8(titles[c])), 0, c);
  for (int r = 0; r < kRows; ++r) {
    const QString n = QString::number(r + 1);
    if (r > 0) {
      connectors_[r] = MakeChoice(QStringLiteral("ConnectorCombo") + n, 120);
      grid->addWidget(connectors_[r], r + 1, 0);
      connect(connectors_[r], &QComboBox::activated, this, [this, r](int i) {
        model_->ChooseConnector(r, i);
        Refresh();
      });
    }
    items_[r] = MakeChoice(QStringLiteral("ItemCombo") + n, 130);
    if (r == 0) items_[r]->setPlaceholderText(QString::fromUtf8(analysis_texts::kChoosePrompt));
    types_[r] = MakeReadOnlyField(("TypeEdit" + std::to_string(r + 1)).c_str(), 64);
    types_[r]->setMaximumWidth(80);
    operators_[r] = MakeChoice(QStringLiteral("OperatorCombo") + n, 150);
    values_[r] = MakeChoice(QStringLiteral("ValueCombo") + n, 130);
    grid->addWidget(items_[r], r + 1, 1);
    grid->addWidget(types_[r], r + 1, 2);
    grid->addWidget(operators_[r], r + 1, 3);
    grid->addWidget(values_[r], r + 1, 4);
    connect(items_[r], &QComboBox::activated, this, [this, r](int i) {
      model_->ChooseItem(r, i);
      Refresh();
    });
    connect(operators_[r], &QComboBox::activated, this, [this, r](int i) {
      model_->ChooseOperator(r, i);
      Refresh();
    });
    connect(values_[r], &QComboBox::activated, this, [this, r](int i) {
      model_->ChooseValue(r, i);
      Refresh();
    });
  }

  search_button_ = MakeButton("検索", "BtnSearch");
  clear_button_ = MakeButton("条件クリア", "BtnClear");
  cancel_button_ = MakeButton("キャンセル", "BtnCancel");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(clear_button_);
  buttons->addStretch();
  buttons->addWidget(search_button_);
  buttons->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(buttons);

  connect(search_button_, &QPushButton::clicked, this, &TGridJyokenSerachForm::BtnSearchClick);
  connect(clear_button_, &QPushButton::clicked, this, &TGridJyokenSerachForm::BtnClearClick);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);

  model_->Open();
  Refresh();
}

TGridJyokenSerachForm::~TGridJyokenSerachForm() = default;

void TGridJyokenSerachForm::Refresh() {
  QStringList item_names;
  for (const SearchItem& item : kSearchItems) item_names << QString::fromUtf8(item.name);
  QStringList connector_names;
  for (const char* label : kConnectorLabels) connector_names << QString::fromUtf8(label);
  for (int r = 0; r < kRows; ++r) {
    const ConditionSearchModel::Row& row = model_->row(r);
    if (r > 0) Show(connectors_[r], row.connector_enabled ? connector_names : QStringList(), row.connector,
                    row.connector_enabled);
    Show(items_[r], row.item_enabled || r == 0 ? item_names : QStringList(), row.item, row.item_enabled);
    types_[r]->setText(ToQt(row.type));
    QStringList ops;
    for (const SearchOperator& op : row.operators) ops << QString::fromUtf8(op.label);
    Show(operators_[r], ops, row.op, row.op_enabled);
    QStringList values;
    if (!row.pattern.empty()) {
      values << ToQt(row.pattern);  // the wildcard's letters, shown where a value goes
    } else {
      for (const std::string& v : row.values) values << ToQt(v);
    }
    // A wildcard's letters read as chosen, not greyed out; choosing them again changes nothing.
    Show(values_[r], values, row.pattern.empty() ? row.value : 0, row.value_enabled || !row.pattern.empty());
  }
}

void TGridJyokenSerachForm::BtnSearchClick() {
  if (std::optional<fs::path> path = model_->Search()) {
    result_ = std::move(path);
    accept();
  }
}

void TGridJyokenSerachForm::BtnClearClick() {
  model_->Clear();
  Refresh();
}

}  // namespace vessaro
