#include "ui/systems/make_face_card_form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

#include "common/program_folder.h"
#include "systems/messages.h"
#include "ui/common/qt_ports.h"
#include "ui/common/window_helpers.h"
#include "ui/systems/bet_select_form.h"

namespace vessaro {

namespace st = systems_text;

namespace {

constexpr int kCellSize = 30;

QString CellStyle(char letter, bool cursor) {
  if (letter == 0) return QStringLiteral("background: #fafafa; border: 1px solid #e2e2e2;");
  QString style = letter == 'P' ? QStringLiteral("background: #2a5cc8; color: white; ")
                                : QStringLiteral("background: #cc2b2b; color: white; ");
  style += QStringLiteral("border-radius: 15px; font-weight: bold; ");
  // The cursor is the last result, the one "クリア" removes.
  style += cursor ? QStringLiteral("border: 3px solid #f0b400;")
                  : QStringLiteral("border: 1px solid white;");
  return style;
}

}  // namespace

TMakeFaceCardForm::TMakeFaceCardForm(const fs::path& program_folder, Dialogs* dialogs,
                                     BetSelectPort* side_dialog, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs, this),
      own_side_dialog_(side_dialog != nullptr ? nullptr : std::make_unique<QtBetSelect>(this)),
      side_dialog_(side_dialog != nullptr ? *side_dialog : *own_side_dialog_),
      model_(program_folder, dialogs_.get()) {
  setObjectName(QStringLiteral("MakeFaceCardForm"));
  setWindowTitle(ToQt(st::kFaceEditorTitle));
  setModal(true);

  close_button_ = MakeButton("閉じる", QStringLiteral("BtnClose"));
  FileBar bar;
  QVBoxLayout* bar_rows = MakeFileBar(QStringLiteral("FileCombo"), QString(),
                                      "登録フェイスパターン", "パターン名", bar, close_button_);
  file_combo_ = bar.combo;
  name_edit_ = bar.name;
  load_button_ = bar.load;
  save_button_ = bar.save;
  delete_button_ = bar.remove;
  clear_button_ = bar.clear;

  // The grid: columns left to right, each filled from the top, like a big road.
  auto* board = new QFrame;
  board->setObjectName(QStringLiteral("FaceGrid"));
  board->setStyleSheet(
      QStringLiteral("#FaceGrid { background: white; border: 1px solid #9a9a9a; }"));
  auto* grid = new QGridLayout(board);
  grid->setSpacing(2);
  grid->setContentsMargins(4, 4, 4, 4);
  for (int column = 0; column < FacePatternEditorModel::kColumns; ++column) {
    for (int row = 0; row < FacePatternEditorModel::kRows; ++row) {
      auto* cell = new QLabel;
      cell->setObjectName(QStringLiteral("Cell%1_%2").arg(column + 1).arg(row + 1));
      cell->setFixedSize(kCellSize, kCellSize);
      cell->setAlignment(Qt::AlignCenter);
      grid->addWidget(cell, row, column);
      cells_.push_back(cell);
    }
  }
  board->setFixedSize(board->sizeHint());

  player_button_ = MakeButton("PLAYER", QStringLiteral("BtnPlayer"));
  player_button_->setStyleSheet(QStringLiteral("color: #1f4fbf; font-weight: bold;"));
  banker_button_ = MakeButton("BANKER", QStringLiteral("BtnBanker"));
  banker_button_->setStyleSheet(QStringLiteral("color: #c02020; font-weight: bold;"));
  clear_last_button_ = MakeButton("クリア", QStringLiteral("BtnClearLast"));
  add_button_ = MakeButton("リストに追加", QStringLiteral("BtnAddToList"));
  sequence_ = new QLabel;
  sequence_->setObjectName(QStringLiteral("SequenceLabel"));
  sequence_->setWordWrap(true);

  auto* grid_buttons = new QHBoxLayout;
  grid_buttons->addWidget(player_button_);
  grid_buttons->addWidget(banker_button_);
  grid_buttons->addWidget(clear_last_button_);
  grid_buttons->addStretch();
  grid_buttons->addWidget(add_button_);
  auto* grid_box = new QGroupBox(QStringLiteral("出現パターン"));
  auto* grid_layout = new QVBoxLayout(grid_box);
  grid_layout->addWidget(board);
  grid_layout->addWidget(sequence_);
  grid_layout->addLayout(grid_buttons);
  grid_layout->addStretch();

  line_list_ = new QListWidget;
  line_list_->setObjectName(QStringLiteral("LineList"));
  line_list_->setMinimumWidth(380);
  line_list_->setWordWrap(true);
  line_list_->setAlternatingRowColors(true);
  line_list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  remove_button_ = MakeButton("リストから削除", QStringLiteral("BtnRemoveFromList"));
  line_to_grid_button_ = MakeButton("リスト読み込み", QStringLiteral("BtnLineToGrid"));
  replace_button_ = MakeButton("リスト修正", QStringLiteral("BtnReplaceLine"));
  auto* list_buttons = new QHBoxLayout;
  list_buttons->addWidget(remove_button_);
  list_buttons->addWidget(line_to_grid_button_);
  list_buttons->addWidget(replace_button_);
  list_buttons->addStretch();
  auto* list_box = new QGroupBox(QStringLiteral("パターンリスト"));
  auto* list_layout = new QVBoxLayout(list_box);
  list_layout->addWidget(line_list_);
  list_layout->addLayout(list_buttons);

  auto* work_row = new QHBoxLayout;
  work_row->addWidget(grid_box);
  work_row->addWidget(list_box, 1);

  connect(player_button_, &QPushButton::clicked, this, &TMakeFaceCardForm::BtnPlayerClick);
  connect(banker_button_, &QPushButton::clicked, this, &TMakeFaceCardForm::BtnBankerClick);
  connect(clear_last_button_, &QPushButton::clicked, this, &TMakeFaceCardForm::BtnClearLastClick);
  connect(add_button_, &QPushButton::clicked, this, &TMakeFaceCardForm::BtnAddClick);
  connect(remove_button_, &QPushButton::clicked, this, &TMakeFaceCardForm::BtnRemoveClick);
  connect(line_to_grid_button_, &QPushButton::clicked, this,
          &TMakeFaceCardForm::BtnLineToGridClick);
  connect(replace_button_, &QPushButton::clicked, this, &TMakeFaceCardForm::BtnReplaceClick);
  connect(load_button_, &QPushButton::clicked, this, &TMakeFaceCardForm::BtnLoadClick);
  connect(save_button_, &QPushButton::clicked, this, &TMakeFaceCardForm::BtnSaveClick);
  connect(delete_button_, &QPushButton::clicked, this, &TMakeFaceCardForm::BtnDeleteClick);
  connect(clear_button_, &QPushButton::clicked, this, &TMakeFaceCardForm::BtnAllClearClick);
  connect(close_button_, &QPushButton::clicked, this, &QDialog::accept);
  connect(line_list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!refreshing_) model_.SelectLine(row);
  });
  connect(file_combo_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!refreshing_) model_.ChooseFile(ChoiceIndex(index));
  });
  connect(name_edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!refreshing_) model_.SetName(FromQt(text));
  });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar_rows);
  layout->addLayout(work_row, 1);
  Refresh();
}

TMakeFaceCardForm::~TMakeFaceCardForm() = default;

void TMakeFaceCardForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!RunOnce(shown_)) return;
  model_.Show();
  Refresh();
  CenterOver(parentWidget(), this, 0.5, 0.5);
}

void TMakeFaceCardForm::Refresh() {
  refreshing_ = true;
  int cursor_column = -1, cursor_row = -1;
  const bool has_cursor = model_.Cursor(cursor_column, cursor_row);
  for (int column = 0; column < FacePatternEditorModel::kColumns; ++column) {
    for (int row = 0; row < FacePatternEditorModel::kRows; ++row) {
      const char letter = model_.Cell(column, row);
      QLabel* c = cell(column, row);
      c->setText(letter == 0 ? QString() : QString(QLatin1Char(letter)));
      c->setStyleSheet(
          CellStyle(letter, has_cursor && column == cursor_column && row == cursor_row));
    }
  }
  sequence_->setText(BreakAnywhere(ToQt(model_.Sequence())));

  QStringList lines;
  for (const std::string& line : model_.lines()) lines << ToQt(line);
  QStringList shown;
  for (int i = 0; i < line_list_->count(); ++i)
    shown << line_list_->item(i)->data(Qt::UserRole).toString();
  if (shown != lines) {
    line_list_->clear();
    for (const QString& line : lines) {
      // A line of 72 results wraps instead of running off the list.
      auto* item = new QListWidgetItem(BreakAnywhere(line), line_list_);
      item->setData(Qt::UserRole, line);
    }
  }
  const int selected = model_.selected_line();
  if (selected >= 0 && selected < line_list_->count()) {
    line_list_->setCurrentRow(selected);
  } else {
    line_list_->setCurrentRow(-1);
    line_list_->clearSelection();
  }

  ShowChoice(file_combo_, model_.files());
  if (FromQt(name_edit_->text()) != model_.name()) name_edit_->setText(ToQt(model_.name()));
  refreshing_ = false;
}

void TMakeFaceCardForm::BtnPlayerClick() {
  model_.AddPlayer();
  Refresh();
}

void TMakeFaceCardForm::BtnBankerClick() {
  model_.AddBanker();
  Refresh();
}

void TMakeFaceCardForm::BtnClearLastClick() {
  model_.ClearLast();
  Refresh();
}

void TMakeFaceCardForm::BtnAddClick() {
  model_.AddToList(side_dialog_);
  Refresh();
}

void TMakeFaceCardForm::BtnRemoveClick() {
  model_.RemoveFromList();
  Refresh();
}

void TMakeFaceCardForm::BtnLineToGridClick() {
  model_.LoadLineIntoGrid();
  Refresh();
}

void TMakeFaceCardForm::BtnReplaceClick() {
  model_.ReplaceLine(side_dialog_);
  Refresh();
}

void TMakeFaceCardForm::BtnLoadClick() {
  model_.Load();
  Refresh();
}

void TMakeFaceCardForm::BtnSaveClick() {
  model_.Save();
  Refresh();
}

void TMakeFaceCardForm::BtnDeleteClick() {
  model_.Delete();
  Refresh();
}

void TMakeFaceCardForm::BtnAllClearClick() {
  model_.AllClear();
  Refresh();
}

}  // namespace vessaro
