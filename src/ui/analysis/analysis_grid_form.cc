#include "ui/analysis/analysis_grid_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPixmap>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "analysis/analysis_texts.h"
#include "analysis/pattern_grid.h"
#include "ui/analysis/analysis_widgets.h"
#include "ui/analysis/grid_jyoken_serach_form.h"
#include "ui/common/qt_ports.h"

namespace vessaro {
namespace {

constexpr int kColumnWidth = 150;

}  // namespace

QColor MarkQColor(MarkColour colour) {
  switch (colour) {
    case MarkColour::kAqua: return QColor(0x00, 0xFF, 0xFF);
    case MarkColour::kRed: return QColor(0xFF, 0x00, 0x00);
    case MarkColour::kYellow: return QColor(0xFF, 0xFF, 0x00);
    case MarkColour::kFuchsia: return QColor(0xFF, 0x00, 0xFF);
    case MarkColour::kBlue: return QColor(0x00, 0x00, 0xFF);
    case MarkColour::kNone: break;
  }
  return {};
}

int GridItemModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(grid_.table().rows.size());
}

int GridItemModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 5; }

QVariant GridItemModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const GridRow& row = grid_.table().rows[static_cast<size_t>(index.row())];
  const MarkColour mark = row.marks[static_cast<size_t>(index.column())];
  switch (role) {
    case Qt::DisplayRole:
      return ToQt(row.cells[static_cast<size_t>(index.column())]);
    case Qt::BackgroundRole:
      if (mark != MarkColour::kNone) return MarkQColor(mark);
      return {};
    case Qt::ForegroundRole:
      // Dark marks keep their text readable.
      if (mark == MarkColour::kBlue || mark == MarkColour::kRed) return QColor(Qt::white);
      return {};
    case Qt::TextAlignmentRole:
      return int((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant GridItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 5)
    return QString::fromUtf8(kGridColumnTitles[static_cast<size_t>(section)]);
  return QAbstractTableModel::headerData(section, orientation, role);
}

void GridItemModel::Reload() {
  beginResetModel();
  endResetModel();
}

void GridItemModel::CellChanged(int row, int column) {
  const QModelIndex cell = index(row, column);
  emit dataChanged(cell, cell, {Qt::BackgroundRole, Qt::ForegroundRole});
}

TAnalysisGridForm::TAnalysisGridForm(const fs::path& table_file, Dialogs* dialogs, QWidget* parent,
                                     FrequencyGridModel::SearchPort search)
    : QDialog(parent), own_dialogs_(dialogs != nullptr ? nullptr : std::make_unique<QtDialogs>(this)) {
  setObjectName(QStringLiteral("AnalysisGridForm"));
  setWindowTitle(QString::fromUtf8(analysis_texts::kGridCaption));
  setModal(true);
  Dialogs& shown = dialogs != nullptr ? *dialogs : *own_dialogs_;
  if (!search) {
    search = [this, dialogs](const fs::path& table, int max_length) -> std::optional<fs::path> {
      // The filtered table goes beside the full one, in the program folder's tmp/.
      TGridJyokenSerachForm form(table, max_length, FilteredTablePath(table.parent_path().parent_path()),
                                 dialogs, this);
      if (form.exec() != QDialog::Accepted) return std::nullopt;
      return form.result();
    };
  }
  model_ = std::make_unique<FrequencyGridModel>(table_file, shown, std::move(search));

  heading_label_ = new QLabel;
  heading_label_->setObjectName(QStringLiteral("HeadingLabel"));
  QFont heading_font = heading_label_->font();
  heading_font.setBold(true);
  heading_font.setPointSizeF(heading_font.pointSizeF() * 1.15);
  heading_label_->setFont(heading_font);
  theory_label_ = new QLabel(QString::fromUtf8(analysis_texts::kGridTheoryHeading));
  theory_label_->setObjectName(QStringLiteral("TheoryLabel"));

  items_ = new GridItemModel(*model_, this);
  grid_ = new QTableView;
  grid_->setObjectName(QStringLiteral("PatternGrid"));
  grid_->setModel(items_);
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setFocusPolicy(Qt::NoFocus);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  grid_->horizontalHeader()->setSectionsClickable(false);
  grid_->setMinimumWidth(5 * kColumnWidth + grid_->verticalScrollBar()->sizeHint().width() + 4);
  grid_->setMinimumHeight(420);
  connect(grid_, &QTableView::clicked, this, &TAnalysisGridForm::GridCellClick);

  // "▲" / "▼" under the four number columns, each pair as wide as its column.
  auto* sort_bar = new QHBoxLayout;
  sort_bar->setSpacing(0);
  sort_bar->addSpacing(kColumnWidth + 2);
  for (int column = 1; column <= 4; ++column) {
    auto* pair = new QWidget;
    pair->setFixedWidth(kColumnWidth);
    auto* pair_layout = new QHBoxLayout(pair);
    pair_layout->setContentsMargins(16, 0, 16, 0);
    for (bool ascending : {true, false}) {
      QPushButton* b = MakeButton(ascending ? "▲" : "▼",
                                  (std::string(ascending ? "BtnUp" : "BtnDown") + std::to_string(column)).c_str());
      b->setFixedWidth(44);
      pair_layout->addWidget(b);
      sort_buttons_[static_cast<size_t>((column - 1) * 2 + (ascending ? 0 : 1))] = b;
      connect(b, &QPushButton::clicked, this, [this, column, ascending] { SortClick(column, ascending); });
    }
    sort_bar->addWidget(pair);
  }
  sort_bar->addStretch();

  colours_ = new QButtonGroup(this);
  auto* colour_bar = new QHBoxLayout;
  colour_bar->addWidget(new QLabel(QStringLiteral("マーク色：")));
  const MarkColour marks[] = {MarkColour::kAqua, MarkColour::kRed, MarkColour::kYellow, MarkColour::kFuchsia,
                              MarkColour::kBlue};
  for (int i = 0; i < 5; ++i) {
    auto* radio = new QRadioButton(QString::fromUtf8(kMarkColourNames[static_cast<size_t>(i)]));
    radio->setObjectName(QStringLiteral("ColourRadio%1").arg(i + 1));
    QPixmap swatch(14, 14);
    swatch.fill(MarkQColor(marks[i]));
    radio->setIcon(QIcon(swatch));
    colours_->addButton(radio, static_cast<int>(marks[i]));
    colour_bar->addWidget(radio);
    if (i == 0) radio->setChecked(true);
  }
  colour_bar->addStretch();
  connect(colours_, &QButtonGroup::idClicked, this,
          [this](int id) { model_->set_colour(static_cast<MarkColour>(id)); });

  search_button_ = MakeButton("グリッド内条件検索", "BtnSearch");
  clear_button_ = MakeButton("条件検索クリア", "BtnClearSearch");
  close_button_ = MakeButton("閉じる", "BtnClose");
  result_label_ = new QLabel;
  result_label_->setObjectName(QStringLiteral("ResultLabel"));
  result_label_->setMinimumWidth(120);
  auto* commands = new QHBoxLayout;
  commands->addWidget(search_button_);
  commands->addWidget(clear_button_);
  commands->addWidget(result_label_);
  commands->addStretch();
  commands->addWidget(close_button_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_label_);
  layout->addWidget(theory_label_);
  layout->addWidget(grid_, 1);
  layout->addLayout(sort_bar);
  layout->addLayout(colour_bar);
  layout->addLayout(commands);

  connect(search_button_, &QPushButton::clicked, this, &TAnalysisGridForm::BtnSearchClick);
  connect(clear_button_, &QPushButton::clicked, this, &TAnalysisGridForm::BtnClearClick);
  connect(close_button_, &QPushButton::clicked, this, &QDialog::accept);

  model_->Open();
  Refresh();
  resize(minimumSizeHint().width() + 20, 640);
}

TAnalysisGridForm::~TAnalysisGridForm() = default;

QPushButton* TAnalysisGridForm::sort_button(int column, bool ascending) const {
  if (column < 1 || column > 4) return nullptr;
  return sort_buttons_[static_cast<size_t>((column - 1) * 2 + (ascending ? 0 : 1))];
}

void TAnalysisGridForm::Refresh() {
  heading_label_->setText(ToQt(model_->table().heading));
  result_label_->setText(ToQt(model_->result_text()));
  if (shown_revision_ != model_->revision()) {
    shown_revision_ = model_->revision();
    items_->Reload();
  }
}

void TAnalysisGridForm::SortClick(int column, bool ascending) {
  model_->Sort(column, ascending);
  Refresh();
}

void TAnalysisGridForm::GridCellClick(const QModelIndex& index) {
  if (!index.isValid()) return;
  model_->ToggleMark(index.row(), index.column());
  items_->CellChanged(index.row(), index.column());
}

void TAnalysisGridForm::BtnSearchClick() {
  model_->ConditionSearch();
  Refresh();
}

void TAnalysisGridForm::BtnClearClick() {
  model_->ClearSearch();
  Refresh();
}

}  // namespace vessaro
