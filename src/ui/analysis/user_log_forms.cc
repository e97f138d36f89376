#include "ui/analysis/user_log_forms.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/analysis/analysis_widgets.h"
#include "ui/common/qt_ports.h"

namespace vessaro {
namespace {

namespace ut = user_log_texts;

QScrollArea* RoadArea(RoadGridView* view, int visible_columns) {
  const int cell = view->cell();
  auto* area = new QScrollArea;
  area->setWidget(view);
  area->setWidgetResizable(false);
  area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  area->setFixedHeight(view->height() + area->horizontalScrollBar()->sizeHint().height() + 4);
  area->setMinimumWidth(visible_columns * cell + 4);
  return area;
}

// Keeps the column being filled in sight.
void FollowLastColumn(QScrollArea* area, const RoadGrid& grid) {
  const int cell = static_cast<RoadGridView*>(area->widget())->cell();
  const int right = grid.used_columns() * cell;
  area->ensureVisible(std::max(0, right - cell / 2), cell, cell, 0);
}

void SetText(QLineEdit* edit, const std::string& text) {
  const QString shown = ToQt(text);
  if (edit->text() != shown) edit->setText(shown);
}

QLineEdit* Field(const char* name, int width) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::fromUtf8(name));
  edit->setFixedWidth(width);
  return edit;
}

}  // namespace

TUserLog1Form::TUserLog1Form(const fs::path& program_folder, Dialogs* dialogs, QWidget* parent)
    : QDialog(parent), own_dialogs_(dialogs != nullptr ? nullptr : std::make_unique<QtDialogs>(this)) {
  setObjectName(QStringLiteral("UserLog1Form"));
  setWindowTitle(QString::fromUtf8(ut::kSimpleCaption));
  setModal(false);
  model_ = std::make_unique<SimpleLogModel>(program_folder, dialogs != nullptr ? *dialogs : *own_dialogs_);

  view_ = new RoadGridView(&model_->grid());
  view_->setObjectName(QStringLiteral("RoadGrid"));
  area_ = RoadArea(view_, 40);
  banker_button_ = MakeButton("BANKER", "BtnBanker");
  player_button_ = MakeButton("PLAYER", "BtnPlayer");
  StyleSideButton(banker_button_, 'B');
  StyleSideButton(player_button_, 'P');
  delete_last_button_ = MakeButton("最後を削除", "BtnDeleteLast");
  delete_all_button_ = MakeButton("すべて削除", "BtnDeleteAll");
  name_edit_ = Field("NameEdit", 200);
  save_button_ = MakeButton("保存", "BtnSave");
  count_label_ = new QLabel;
  count_label_->setObjectName(QStringLiteral("CountLabel"));

  auto* note = new QLabel(QStringLiteral("勝った側（引分けを除く）を順に入力してください"));
  auto* entry = new QHBoxLayout;
  entry->addWidget(banker_button_);
  entry->addWidget(player_button_);
  entry->addSpacing(12);
  entry->addWidget(delete_last_button_);
  entry->addWidget(delete_all_button_);
  entry->addSpacing(12);
  entry->addWidget(count_label_);
  entry->addStretch();
  entry->addWidget(new QLabel(QStringLiteral("保存ファイル名：")));
  entry->addWidget(name_edit_);
  entry->addWidget(save_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note);
  layout->addWidget(area_);
  layout->addLayout(entry);

  connect(banker_button_, &QPushButton::clicked, this, &TUserLog1Form::BtnBankerClick);
  connect(player_button_, &QPushButton::clicked, this, &TUserLog1Form::BtnPlayerClick);
  connect(delete_last_button_, &QPushButton::clicked, this, &TUserLog1Form::BtnDeleteLastClick);
  connect(delete_all_button_, &QPushButton::clicked, this, &TUserLog1Form::BtnDeleteAllClick);
  connect(save_button_, &QPushButton::clicked, this, &TUserLog1Form::BtnSaveClick);
  connect(name_edit_, &QLineEdit::textEdited, this, [this](const QString& t) { model_->set_name(FromQt(t)); });
  Redraw();
}

TUserLog1Form::~TUserLog1Form() = default;

void TUserLog1Form::Redraw() {
  view_->update();
  FollowLastColumn(area_, model_->grid());
  count_label_->setText(QStringLiteral("%1ゲーム").arg(model_->grid().letters()));
}

void TUserLog1Form::BtnBankerClick() {
  model_->Add('B');
  Redraw();
}

void TUserLog1Form::BtnPlayerClick() {
  model_->Add('P');
  Redraw();
}

void TUserLog1Form::BtnDeleteLastClick() {
  model_->DeleteLast();
  Redraw();
}

void TUserLog1Form::BtnDeleteAllClick() {
  model_->DeleteAll();
  Redraw();
}

void TUserLog1Form::BtnSaveClick() {
  model_->set_name(FromQt(name_edit_->text()));
  model_->Save();
}

TUserLog2Form::TUserLog2Form(const fs::path& program_folder, Dialogs* dialogs, QWidget* parent)
    : QDialog(parent), own_dialogs_(dialogs != nullptr ? nullptr : std::make_unique<QtDialogs>(this)) {
  setObjectName(QStringLiteral("UserLog2Form"));
  setWindowTitle(QString::fromUtf8(ut::kDetailedCaption));
  setModal(false);
  model_ = std::make_unique<DetailedLogModel>(program_folder, dialogs != nullptr ? *dialogs : *own_dialogs_);

  start_edit_ = Field("StartEdit", 120);
  start_button_ = MakeButton("開始", "BtnStart");
  round_label_ = new QLabel;
  round_label_->setObjectName(QStringLiteral("RoundLabel"));

  current_edit_ = Field("CurrentEdit", 120);
  side_edit_ = MakeReadOnlyField("SideEdit");
  side_edit_->setFixedWidth(40);
  stake_edit_ = Field("StakeEdit", 120);
  result_edit_ = MakeReadOnlyField("ResultEdit");
  result_edit_->setFixedWidth(60);
  new_balance_edit_ = Field("NewBalanceEdit", 120);
  p_button_ = MakeButton("P", "BtnP");
  b_button_ = MakeButton("B", "BtnB");
  StyleSideButton(p_button_, 'P');
  StyleSideButton(b_button_, 'B');
  won_button_ = MakeButton("勝ち", "BtnWon");
  lost_button_ = MakeButton("負け", "BtnLost");
  add_button_ = MakeButton(">>追加", "BtnAdd");
  modify_button_ = MakeButton(">>修正", "BtnModify");
  insert_button_ = MakeButton(">>挿入", "BtnInsert");
  delete_button_ = MakeButton("削除", "BtnDelete");
  list_ = new QListWidget;
  list_->setObjectName(QStringLiteral("RecordList"));
  list_->setMinimumWidth(260);
  list_->setMinimumHeight(220);
  clear_selection_button_ = MakeButton("リスト選択クリア", "BtnClearSelection");

  // Smaller cells than the simple log's: the view only shows, and the list needs the room.
  view_ = new RoadGridView(&model_->road(), nullptr, 16);
  view_->setObjectName(QStringLiteral("RoadView"));
  area_ = RoadArea(view_, 50);
  rebuild_road_button_ = MakeButton("現在までの登録をフェイスカードに読み込む", "BtnRebuildRoad");
  clear_road_button_ = MakeButton("フェイスカードクリア", "BtnClearRoad");

  name_edit_ = Field("NameEdit", 180);
  save_button_ = MakeButton("保存", "BtnSave");
  file_combo_ = new QComboBox;
  file_combo_->setObjectName(QStringLiteral("FileCombo"));
  file_combo_->setMinimumWidth(180);
  load_button_ = MakeButton("ファイル読込", "BtnLoad");
  delete_file_button_ = MakeButton("ファイル削除", "BtnDeleteFile");
  all_clear_button_ = MakeButton("オールクリア", "BtnAllClear");

  // The entry area: fields, their buttons, the list and its commands.
  entry_area_ = new QWidget;
  auto* fields = new QGridLayout;
  int row = 0;
  fields->addWidget(new QLabel(QStringLiteral("現在残高")), row, 0);
  fields->addWidget(current_edit_, row++, 1);
  fields->addWidget(new QLabel(QStringLiteral("ベット先")), row, 0);
  auto* sides = new QHBoxLayout;
  sides->addWidget(side_edit_);
  sides->addWidget(p_button_);
  sides->addWidget(b_button_);
  sides->addStretch();
  fields->addLayout(sides, row++, 1);
  fields->addWidget(new QLabel(QStringLiteral("ベット額")), row, 0);
  fields->addWidget(stake_edit_, row++, 1);
  fields->addWidget(new QLabel(QStringLiteral("勝敗")), row, 0);
  auto* results = new QHBoxLayout;
  results->addWidget(result_edit_);
  results->addWidget(won_button_);
  results->addWidget(lost_button_);
  results->addStretch();
  fields->addLayout(results, row++, 1);
  fields->addWidget(new QLabel(QStringLiteral("新残高")), row, 0);
  fields->addWidget(new_balance_edit_, row++, 1);
  fields->setRowStretch(row, 1);  // the fields stay together at the top
  auto* commands = new QVBoxLayout;
  for (QPushButton* b : {add_button_, modify_button_, insert_button_, delete_button_}) commands->addWidget(b);
  commands->addStretch();
  auto* list_side = new QVBoxLayout;
  list_side->addWidget(list_, 1);
  list_side->addWidget(clear_selection_button_);
  auto* entry = new QHBoxLayout(entry_area_);
  entry->setContentsMargins(0, 0, 0, 0);
  entry->addLayout(fields);
  entry->addLayout(commands);
  entry->addLayout(list_side, 1);

  auto* start = new QHBoxLayout;
  start->addWidget(new QLabel(QStringLiteral("開始残高：")));
  start->addWidget(start_edit_);
  start->addWidget(start_button_);
  start->addSpacing(24);
  start->addWidget(round_label_);
  start->addStretch();
  auto* road_commands = new QHBoxLayout;
  road_commands->addWidget(rebuild_road_button_);
  road_commands->addWidget(clear_road_button_);
  road_commands->addStretch();
  auto* files = new QHBoxLayout;
  files->addWidget(new QLabel(QStringLiteral("保存ファイル名：")));
  files->addWidget(name_edit_);
  files->addWidget(save_button_);
  files->addSpacing(16);
  files->addWidget(file_combo_);
  files->addWidget(load_button_);
  files->addWidget(delete_file_button_);
  files->addStretch();
  files->addWidget(all_clear_button_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(start);
  layout->addWidget(entry_area_, 1);
  layout->addWidget(area_);
  layout->addLayout(road_commands);
  layout->addLayout(files);

  connect(start_button_, &QPushButton::clicked, this, &TUserLog2Form::BtnStartClick);
  connect(start_edit_, &QLineEdit::returnPressed, this, &TUserLog2Form::BtnStartClick);
  connect(p_button_, &QPushButton::clicked, this, [this] {
    TakeFields();
    model_->SetSide("P");
    Refresh();
  });
  connect(b_button_, &QPushButton::clicked, this, [this] {
    TakeFields();
    model_->SetSide("B");
    Refresh();
  });
  connect(won_button_, &QPushButton::clicked, this, [this] {
    TakeFields();
    model_->SetResult(true);
    Refresh();
  });
  connect(lost_button_, &QPushButton::clicked, this, [this] {
    TakeFields();
    model_->SetResult(false);
    Refresh();
  });
  connect(add_button_, &QPushButton::clicked, this, &TUserLog2Form::BtnAddClick);
  connect(modify_button_, &QPushButton::clicked, this, &TUserLog2Form::BtnModifyClick);
  connect(insert_button_, &QPushButton::clicked, this, &TUserLog2Form::BtnInsertClick);
  connect(delete_button_, &QPushButton::clicked, this, &TUserLog2Form::BtnDeleteClick);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0 || row == model_->selected()) return;
    model_->Select(row);
    Refresh();
  });
  connect(clear_selection_button_, &QPushButton::clicked, this, &TUserLog2Form::BtnClearSelectionClick);
  connect(rebuild_road_button_, &QPushButton::clicked, this, &TUserLog2Form::BtnRebuildRoadClick);
  connect(clear_road_button_, &QPushButton::clicked, this, &TUserLog2Form::BtnClearRoadClick);
  connect(save_button_, &QPushButton::clicked, this, &TUserLog2Form::BtnSaveClick);
  connect(file_combo_, &QComboBox::activated, this, [this](int i) { model_->files().selected = i - 1; });
  connect(load_button_, &QPushButton::clicked, this, &TUserLog2Form::BtnLoadClick);
  connect(delete_file_button_, &QPushButton::clicked, this, &TUserLog2Form::BtnDeleteFileClick);
  connect(all_clear_button_, &QPushButton::clicked, this, &TUserLog2Form::BtnAllClearClick);
  Refresh();
}

TUserLog2Form::~TUserLog2Form() = default;

void TUserLog2Form::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The saved logs are listed afresh each time the window is drawn; a chosen one stays chosen.
  const std::string chosen = model_->files().HasChoice() ? model_->files().Shown() : std::string();
  model_->RefillFiles();
  if (!chosen.empty()) model_->files().Choose(chosen);
  Refresh();
}

void TUserLog2Form::TakeFields() {
  DetailedLogModel::Entry& e = model_->entry();
  e.current = FromQt(current_edit_->text());
  e.stake = FromQt(stake_edit_->text());
  e.new_balance = FromQt(new_balance_edit_->text());
  model_->start_balance() = FromQt(start_edit_->text());
  model_->save_name() = FromQt(name_edit_->text());
}

void TUserLog2Form::Refresh() {
  const DetailedLogModel::Entry& e = model_->entry();
  SetText(start_edit_, model_->start_balance());
  SetText(current_edit_, e.current);
  SetText(side_edit_, e.side);
  SetText(stake_edit_, e.stake);
  SetText(result_edit_, e.result);
  SetText(new_balance_edit_, e.new_balance);
  SetText(name_edit_, model_->save_name());
  round_label_->setText(QStringLiteral("ラウンド：%1").arg(model_->round_counter()));
  entry_area_->setEnabled(model_->entry_enabled());
  {
    QSignalBlocker block(list_);
    QStringList shown;
    for (const std::string& r : model_->records()) shown << ToQt(r);
    QStringList listed;
    for (int i = 0; i < list_->count(); ++i) listed << list_->item(i)->text();
    if (shown != listed) {
      list_->clear();
      list_->addItems(shown);
    }
    list_->setCurrentRow(model_->selected());
    if (model_->selected() < 0) list_->clearSelection();
  }
  {
    QSignalBlocker block(file_combo_);
    file_combo_->clear();
    file_combo_->addItem(ToQt(model_->files().prompt));
    for (const std::string& name : model_->files().names) file_combo_->addItem(ToQt(name));
    file_combo_->setCurrentIndex(model_->files().selected + 1);
  }
  view_->update();
  FollowLastColumn(area_, model_->road());
}

void TUserLog2Form::BtnStartClick() {
  TakeFields();
  model_->Start();
  Refresh();
}

void TUserLog2Form::BtnAddClick() {
  TakeFields();
  model_->AddRound();
  Refresh();
  if (model_->entry_enabled()) list_->scrollToBottom();
}

void TUserLog2Form::BtnModifyClick() {
  TakeFields();
  model_->ModifyRound();
  Refresh();
}

void TUserLog2Form::BtnInsertClick() {
  TakeFields();
  model_->InsertRound();
  Refresh();
}

void TUserLog2Form::BtnDeleteClick() {
  TakeFields();
  model_->DeleteRound();
  Refresh();
}

void TUserLog2Form::BtnClearSelectionClick() {
  model_->ClearSelection();
  Refresh();
}

void TUserLog2Form::BtnRebuildRoadClick() {
  model_->RebuildRoad();
  Refresh();
}

void TUserLog2Form::BtnClearRoadClick() {
  model_->ClearRoad();
  Refresh();
}

void TUserLog2Form::BtnSaveClick() {
  TakeFields();
  model_->Save();
  Refresh();
}

void TUserLog2Form::BtnLoadClick() {
  TakeFields();
  model_->Load();
  Refresh();
}

void TUserLog2Form::BtnDeleteFileClick() {
  model_->DeleteFile();
  Refresh();
}

void TUserLog2Form::BtnAllClearClick() {
  model_->AllClear();
  Refresh();
}

TUserLog1Form* SimpleLogFormOf(QWidget* owner, const fs::path& program_folder, Dialogs* dialogs) {
  if (auto* form = owner->findChild<TUserLog1Form*>(QString(), Qt::FindDirectChildrenOnly)) return form;
  return new TUserLog1Form(program_folder, dialogs, owner);
}

TUserLog2Form* DetailedLogFormOf(QWidget* owner, const fs::path& program_folder, Dialogs* dialogs) {
  if (auto* form = owner->findChild<TUserLog2Form*>(QString(), Qt::FindDirectChildrenOnly)) return form;
  return new TUserLog2Form(program_folder, dialogs, owner);
}

}  // namespace vessaro
