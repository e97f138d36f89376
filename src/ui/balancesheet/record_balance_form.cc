#include "ui/balancesheet/record_balance_form.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "balancesheet/sheet_texts.h"
#include "systems/editor_common.h"
#include "common/system_clock.h"
#include "ui/balancesheet/bonus_condition_form.h"
#include "ui/balancesheet/bonus_make_form.h"
#include "ui/balancesheet/date_select_form.h"
#include "ui/balancesheet/item_select_form.h"
#include "ui/balancesheet/jyoken_serach_form.h"
#include "ui/balancesheet/list_add_dlg_form.h"
#include "ui/balancesheet/play_history_form.h"
#include "ui/balancesheet/sheet_chart.h"
#include "ui/common/qt_ports.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

using F = ReportField;
namespace st = sheet_text;

namespace {

// Puts the prompt and the items into a drop-down when they changed, and shows the choice.
void ShowItems(QComboBox* combo, const std::vector<std::string>& items, int selected) {
  QStringList wanted{ToQt(st::kChoosePrompt)};
  for (const std::string& item : items) wanted << ToQt(item);
  QStringList current;
  for (int i = 0; i < combo->count(); ++i) current << combo->itemText(i);
  const QSignalBlocker block(combo);
  if (current != wanted) {
    combo->clear();
    combo->addItems(wanted);
  }
  combo->setCurrentIndex(selected + 1);
}

void ShowText(QLineEdit* edit, const std::string& text) {
  const QString shown = ToQt(text);
  if (edit->text() != shown) edit->setText(shown);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The result table.

void SheetTableModel::Set(const std::vector<std::string>& columns,
                          const std::vector<std::vector<std::string>>& rows) {
  beginResetModel();
  columns_.clear();
  for (const std::string& c : columns) columns_ << ToQt(c);
  rows_.clear();
  rows_.reserve(rows.size());
  for (const auto& row : rows) {
    std::vector<QString> cells;
    cells.reserve(row.size());
    for (const std::string& cell : row) cells.push_back(QString::fromUtf8(cell.data(), static_cast<int>(cell.size())));
    rows_.push_back(std::move(cells));
  }
  endResetModel();
}

int SheetTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SheetTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  if (role != Qt::DisplayRole) return {};
  const auto& row = rows_[index.row()];
  return index.column() < static_cast<int>(row.size()) ? row[index.column()] : QString();
}

std::vector<int> SheetTableModel::TextWidths(const QFontMetrics& cells, const QFontMetrics& header) const {
  std::vector<int> widths;
  QHash<QString, int> measured;
  for (int c = 0; c < columns_.size(); ++c) {
    int width = header.horizontalAdvance(columns_[c]);
    for (const auto& row : rows_) {
      if (c >= static_cast<int>(row.size()) || row[c].isEmpty()) continue;
      auto it = measured.find(row[c]);
      if (it == measured.end()) it = measured.insert(row[c], cells.horizontalAdvance(row[c]));
      width = std::max(width, it.value());
    }
    widths.push_back(width);
  }
  return widths;
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return section < columns_.size() ? columns_[section] : QString();
}

// ---------------------------------------------------------------------------------------------
// The window.

TRecordBalanceForm::TRecordBalanceForm(const fs::path& program_folder, SheetWindowPorts ports, QWidget* parent)
    : QDialog(parent), program_folder_(program_folder) {
  setObjectName(QStringLiteral("RecordBalanceForm"));
  setWindowTitle(ToQt(st::kWindowTitle));
  setModal(true);
  if (ports.dialogs == nullptr) own_dialogs_ = std::make_unique<QtDialogs>(this);
  if (ports.clock == nullptr) own_clock_ = std::make_unique<SystemClock>();
  if (ports.pump == nullptr) own_pump_ = std::make_unique<QtEventPump>();
  dialogs_ = ports.dialogs != nullptr ? ports.dialogs : own_dialogs_.get();
  clock_ = ports.clock != nullptr ? ports.clock : own_clock_.get();
  pump_ = ports.pump != nullptr ? ports.pump : own_pump_.get();
  entry_ = std::make_unique<EntryPageModel>(program_folder, *dialogs_, *clock_, *pump_);
  preview_ = std::make_unique<PreviewModel>(program_folder, *dialogs_);

  setStyleSheet(QStringLiteral("QLineEdit[readOnly=\"true\"] { background: #eef0f3; color: #202020; }"));
  pages_ = new QTabWidget;
  pages_->setObjectName(QStringLiteral("Pages"));
  pages_->addTab(BuildEntryPage(), ToQt(st::kEntryPage));
  pages_->addTab(BuildPreviewPage(), ToQt(st::kPreviewPage));

  progress_label_ = new QLabel;
  progress_label_->setObjectName(QStringLiteral("ProgressLabel"));
  progress_label_->setStyleSheet(QStringLiteral("color: #a03000; font-weight: bold;"));
  progress_label_->hide();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_, 1);
  layout->addWidget(progress_label_);

  Run([this] {
    entry_->Open();
    preview_->ResetPickers();
    preview_->ReloadColumns();
  });
  Refresh();
  RefreshPreview(true);
}

TRecordBalanceForm::~TRecordBalanceForm() = default;

QLineEdit* TRecordBalanceForm::AddField(ReportField f, bool typed, int width) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QStringLiteral("Field%1").arg(Index(f) + 1));
  edit->setFixedWidth(width);
  edit->setReadOnly(!typed);
  if (typed) {
    edit->setAlignment(Qt::AlignRight);
    connect(edit, &QLineEdit::textEdited, this, [this, f](const QString& text) { entry_->SetField(f, FromQt(text)); });
    connect(edit, &QLineEdit::returnPressed, this, [this, f] {
      Run([this, f] { entry_->EnterIn(f); });
      Refresh();
      ApplyFocus();
    });
  } else {
    edit->setFocusPolicy(Qt::ClickFocus);
  }
  edits_[Index(f)] = edit;
  return edit;
}

QGroupBox* TRecordBalanceForm::BuildPickList(PickKind kind, const char* title) {
  const int k = kind == PickKind::kGame;
  const QString prefix = k ? QStringLiteral("Game") : QStringLiteral("Place");
  auto* box = new QGroupBox(QString::fromUtf8(title));
  QLineEdit* field = AddField(k ? F::kGame : F::kPlace, false, 200);
  field->setFixedWidth(QWIDGETSIZE_MAX);
  field->setMinimumWidth(160);
  pick_lists_[k] = new QListWidget;
  pick_lists_[k]->setObjectName(prefix + QStringLiteral("List"));
  pick_lists_[k]->setFixedHeight(72);
  pick_add_buttons_[k] = MakeButton("リストに追加", QStringLiteral("Btn%1ListAdd").arg(prefix));
  pick_remove_buttons_[k] = MakeButton("リストから削除", QStringLiteral("Btn%1ListRemove").arg(prefix));
  pick_clear_buttons_[k] = MakeButton("クリア", QStringLiteral("Btn%1Clear").arg(prefix));
  connect(pick_lists_[k], &QListWidget::itemClicked, this, [this, kind, k](QListWidgetItem* item) {
    entry_->PickFromList(kind, pick_lists_[k]->row(item));
    Refresh();
  });
  connect(pick_add_buttons_[k], &QPushButton::clicked, this, [this, kind] { AddToPickList(kind); });
  connect(pick_remove_buttons_[k], &QPushButton::clicked, this, [this, kind, k] {
    const auto selected = pick_lists_[k]->selectedItems();
    const int row = selected.isEmpty() ? -1 : pick_lists_[k]->row(selected.first());
    Run([this, kind, row] { entry_->RemoveFromList(kind, row); });
    Refresh();
  });
  connect(pick_clear_buttons_[k], &QPushButton::clicked, this, [this, kind] {
    entry_->ClearPicked(kind);
    Refresh();
  });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(pick_add_buttons_[k]);
  buttons->addWidget(pick_remove_buttons_[k]);
  buttons->addWidget(pick_clear_buttons_[k]);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(field);
  layout->addWidget(pick_lists_[k]);
  layout->addLayout(buttons);
  return box;
}

QGroupBox* TRecordBalanceForm::BuildBonusArea() {
  auto* box = new QGroupBox(ToQt(st::kBonusArea));
  box->setObjectName(QStringLiteral("BonusArea"));
  bonus_check_ = new QCheckBox(ToQt(st::kBonusPlaying));
  bonus_check_->setObjectName(QStringLiteral("BonusCheck"));
  bonus_combo_ = new QComboBox;
  bonus_combo_->setObjectName(QStringLiteral("BonusCombo"));
  bonus_combo_->setMinimumWidth(160);
  bonus_add_button_ = MakeButton("登録", QStringLiteral("BtnBonusAdd"));
  bonus_delete_button_ = MakeButton("削除", QStringLiteral("BtnBonusDelete"));
  bonus_read_button_ = MakeButton("読込", QStringLiteral("BtnBonusRead"));
  bonus_progress_button_ = MakeButton("ボーナス進捗入力", QStringLiteral("BtnBonusProgress"));
  bonus_progress_button_->setMinimumWidth(bonus_progress_button_->sizeHint().width() + 12);
  connect(bonus_check_, &QCheckBox::toggled, this, [this](bool on) {
    if (refreshing_) return;
    entry_->SetBonusPlay(on);
    Refresh();
  });
  connect(bonus_combo_, &QComboBox::activated, this, [this](int index) {
    Run([this, index] { entry_->ChooseBonus(index - 1); });
    Refresh();
  });
  connect(bonus_read_button_, &QPushButton::clicked, this, [this] {
    Run([this] { entry_->ReadBonus(); });
    Refresh();
  });
  connect(bonus_delete_button_, &QPushButton::clicked, this, [this] {
    Run([this] { entry_->DeleteBonus(); });
    Refresh();
  });
  connect(bonus_add_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnBonusAddClick);
  connect(bonus_progress_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnBonusProgressClick);

  auto* chooser = new QHBoxLayout;
  chooser->addWidget(MakeLabel("ボーナス種別："));
  chooser->addWidget(bonus_combo_, 1);
  auto* commands = new QHBoxLayout;
  commands->addWidget(bonus_add_button_);
  commands->addWidget(bonus_delete_button_);
  commands->addWidget(bonus_read_button_);
  commands->addStretch();
  commands->addWidget(bonus_progress_button_);
  auto* numbers = new QGridLayout;
  numbers->addWidget(MakeLabel("必要額："), 0, 0);
  numbers->addWidget(AddField(F::kBonusRequired, false), 0, 1);
  numbers->addWidget(MakeLabel("現在までの賭け額："), 0, 2);
  numbers->addWidget(AddField(F::kBonusWagered, false), 0, 3);
  numbers->addWidget(MakeLabel("達成率："), 1, 0);
  numbers->addWidget(AddField(F::kBonusRate, false), 1, 1);
  numbers->addWidget(MakeLabel("残ベット額："), 1, 2);
  numbers->addWidget(AddField(F::kBonusLeft, false), 1, 3);
  for (F f : {F::kBonusRequired, F::kBonusWagered, F::kBonusRate, F::kBonusLeft})
    edits_[Index(f)]->setAlignment(Qt::AlignRight);
  auto* note = new QLabel(ToQt(st::kBonusNote));
  note->setWordWrap(true);
  note->setStyleSheet(QStringLiteral("color: #505050;"));
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(bonus_check_);
  layout->addLayout(chooser);
  layout->addLayout(commands);
  layout->addLayout(numbers);
  layout->addWidget(note);
  return box;
}

QWidget* TRecordBalanceForm::BuildEntryPage() {
  // Top: the saved reports, the date search and the current report's name.
  report_combo_ = new QComboBox;
  report_combo_->setObjectName(QStringLiteral("ReportCombo"));
  report_combo_->setMinimumWidth(230);
  connect(report_combo_, &QComboBox::activated, this, [this](int index) {
    if (index <= 0) return;
    Run([this, index] { entry_->ChooseReport(index - 1); });
    Refresh();
  });
  date_search_edit_ = new QLineEdit;
  date_search_edit_->setObjectName(QStringLiteral("DateSearchEdit"));
  date_search_edit_->setFixedWidth(100);
  date_search_button_ = MakeButton("検索", QStringLiteral("BtnDateSearch"));
  connect(date_search_edit_, &QLineEdit::returnPressed, this, &TRecordBalanceForm::BtnDateSearchClick);
  connect(date_search_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnDateSearchClick);
  report_name_label_ = new QLabel;
  report_name_label_->setObjectName(QStringLiteral("ReportNameLabel"));
  report_name_label_->setMinimumWidth(170);
  report_name_label_->setStyleSheet(QStringLiteral("font-weight: bold;"));
  auto* top = new QHBoxLayout;
  top->addWidget(MakeLabel("日報一覧"));
  top->addWidget(report_combo_);
  top->addSpacing(16);
  top->addWidget(MakeLabel("直接検索："));
  top->addWidget(date_search_edit_);
  top->addWidget(date_search_button_);
  top->addWidget(MakeLabel(st::kDateSearchNote));
  top->addStretch();
  top->addWidget(MakeLabel("保存ファイル名："));
  top->addWidget(report_name_label_);

  // Left: when and where.
  start_date_button_ = MakeButton("日付選択", QStringLiteral("BtnStartDate"));
  end_date_button_ = MakeButton("日付選択", QStringLiteral("BtnEndDate"));
  connect(start_date_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnStartDateClick);
  connect(end_date_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnEndDateClick);
  auto* when = new QGroupBox(QStringLiteral("日時"));
  auto* when_grid = new QGridLayout(when);
  when_grid->addWidget(MakeLabel("開始日時"), 0, 0);
  when_grid->addWidget(AddField(F::kStartDate, false, 92), 0, 1);
  when_grid->addWidget(AddField(F::kStartTime, false, 52), 0, 2);
  when_grid->addWidget(start_date_button_, 0, 3);
  when_grid->addWidget(MakeLabel("終了日時"), 1, 0);
  when_grid->addWidget(AddField(F::kEndDate, false, 92), 1, 1);
  when_grid->addWidget(AddField(F::kEndTime, false, 52), 1, 2);
  when_grid->addWidget(end_date_button_, 1, 3);
  when_grid->addWidget(MakeLabel("プレー時間"), 2, 0);
  when_grid->addWidget(AddField(F::kPlayTime, false, 60), 2, 1);
  auto* left = new QVBoxLayout;
  left->addWidget(when);
  left->addWidget(BuildPickList(PickKind::kPlace, "プレー場所"));
  left->addWidget(BuildPickList(PickKind::kGame, "プレーゲーム"));
  left->addStretch();

  // Middle: the money and the bets, typed with Enter.
  auto* money = new QGroupBox(QStringLiteral("マネー情報"));
  auto* money_form = new QFormLayout(money);
  money_form->addRow(MakeLabel("開始残高"), AddField(F::kStartBalance, true));
  money_form->addRow(MakeLabel("追加入金"), AddField(F::kDeposit, true));
  money_form->addRow(MakeLabel("終了残高"), AddField(F::kEndBalance, true));
  money_form->addRow(MakeLabel("収支"), AddField(F::kProfit, false));
  money_form->addRow(MakeLabel("出金"), AddField(F::kWithdrawal, true));
  money_form->addRow(MakeLabel("時給"), AddField(F::kHourlyRate, false));
  auto* bets = new QGroupBox(QStringLiteral("ベット情報"));
  auto* bets_form = new QFormLayout(bets);
  bets_form->addRow(MakeLabel("ベット数"), AddField(F::kBets, true));
  auto* results = new QHBoxLayout;
  results->addWidget(MakeLabel("勝"));
  results->addWidget(AddField(F::kWins, true, 56));
  results->addWidget(MakeLabel("負"));
  results->addWidget(AddField(F::kLosses, true, 56));
  results->addWidget(MakeLabel("分"));
  results->addWidget(AddField(F::kTies, true, 56));
  bets_form->addRow(MakeLabel("勝敗詳細"), results);
  bets_form->addRow(MakeLabel("トータルベット"), AddField(F::kTotalBet, true));
  bets_form->addRow(MakeLabel("最高ベット"), AddField(F::kHighestBet, true));
  bets_form->addRow(MakeLabel("平均ベット"), AddField(F::kAverageBet, false));
  auto* payout = new QHBoxLayout;
  payout->addWidget(AddField(F::kPayout, false));
  payout->addWidget(MakeLabel("％"));
  payout->addStretch();
  bets_form->addRow(MakeLabel("ペイアウト"), payout);
  bets_form->addRow(MakeLabel("最大連勝数"), AddField(F::kWinStreak, true));
  bets_form->addRow(MakeLabel("最大連敗数"), AddField(F::kLoseStreak, true));
  for (F f : {F::kProfit, F::kHourlyRate, F::kAverageBet, F::kPayout}) edits_[Index(f)]->setAlignment(Qt::AlignRight);
  auto* middle = new QVBoxLayout;
  middle->addWidget(money);
  middle->addWidget(bets);
  middle->addStretch();

  // Right: balance details, bonus and remarks.
  detail_button_ = MakeButton("プレー毎の残高推移を入力する", QStringLiteral("BtnDetail"));
  detail_clear_button_ = MakeButton("クリア", QStringLiteral("BtnDetailClear"));
  connect(detail_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnDetailClick);
  connect(detail_clear_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnDetailClearClick);
  auto* detail = new QGroupBox(QStringLiteral("残高詳細情報"));
  auto* detail_layout = new QGridLayout(detail);
  QLineEdit* detail_field = AddField(F::kBalanceDetail, false);
  detail_field->setFixedWidth(QWIDGETSIZE_MAX);
  detail_layout->addWidget(detail_field, 0, 0, 1, 2);
  detail_layout->addWidget(detail_button_, 1, 0);
  detail_layout->addWidget(detail_clear_button_, 1, 1);
  remarks_ = new QPlainTextEdit;
  remarks_->setObjectName(QStringLiteral("RemarksEdit"));
  remarks_->setMinimumHeight(90);
  connect(remarks_, &QPlainTextEdit::textChanged, this, [this] {
    if (!refreshing_) entry_->SetField(F::kRemarks, FromQt(remarks_->toPlainText()));
  });
  auto* remarks_box = new QGroupBox(QStringLiteral("備考"));
  auto* remarks_layout = new QVBoxLayout(remarks_box);
  remarks_layout->addWidget(remarks_);
  auto* right = new QVBoxLayout;
  right->addWidget(detail);
  right->addWidget(BuildBonusArea());
  right->addWidget(remarks_box, 1);

  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 3);
  columns->addLayout(middle, 2);
  columns->addLayout(right, 4);

  // Bottom: the note and the commands.
  save_button_ = MakeButton("保存", QStringLiteral("BtnSave"));
  delete_button_ = MakeButton("日報削除", QStringLiteral("BtnDelete"));
  all_clear_button_ = MakeButton("オールクリア", QStringLiteral("BtnAllClear"));
  regenerate_button_ = MakeButton("INDEX再生成", QStringLiteral("BtnRegenerate"));
  close_button_ = MakeButton("閉じる", QStringLiteral("BtnClose"));
  connect(save_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnSaveClick);
  connect(delete_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnDeleteClick);
  connect(all_clear_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnAllClearClick);
  connect(regenerate_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnRegenerateClick);
  connect(close_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnCloseClick);
  auto* note = new QLabel(ToQt(st::kEnterNote));
  note->setStyleSheet(QStringLiteral("color: #a03000;"));
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(note);
  bottom->addStretch();
  bottom->addWidget(regenerate_button_);
  bottom->addSpacing(16);
  bottom->addWidget(all_clear_button_);
  bottom->addWidget(delete_button_);
  bottom->addWidget(save_button_);
  bottom->addWidget(close_button_);

  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(top);
  layout->addLayout(columns, 1);
  layout->addLayout(bottom);
  return page;
}

QWidget* TRecordBalanceForm::BuildPreviewPage() {
  static const char* kPickerLabels[4] = {"年", "月", "週", "日"};
  static const char* kPickerNames[4] = {"YearCombo", "MonthCombo", "WeekCombo", "DayCombo"};
  auto* pickers = new QHBoxLayout;
  for (int i = 0; i < 4; ++i) {
    pickers_[i] = new QComboBox;
    pickers_[i]->setObjectName(QString::fromUtf8(kPickerNames[i]));
    pickers_[i]->setMinimumWidth(i == 3 ? 170 : 120);
    pickers->addWidget(MakeLabel(kPickerLabels[i]));
    pickers->addWidget(pickers_[i]);
    connect(pickers_[i], &QComboBox::activated, this, [this, i](int index) {
      Run([this, i, index] {
        switch (i) {
          case 0: preview_->ChooseYear(index - 1); break;
          case 1: preview_->ChooseMonth(index - 1); break;
          case 2: preview_->ChooseWeek(index - 1); break;
          default: preview_->ChooseDay(index - 1); break;
        }
      });
      RefreshPreview(false);
    });
  }
  search_button_ = MakeButton("検索", QStringLiteral("BtnSearch"));
  narrowing_clear_button_ = MakeButton("絞り込みクリア", QStringLiteral("BtnNarrowingClear"));
  connect(search_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnSearchClick);
  connect(narrowing_clear_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnNarrowingClearClick);
  pickers->addWidget(search_button_);
  pickers->addWidget(narrowing_clear_button_);
  pickers->addStretch();

  columns_button_ = MakeButton("表示項目設定", QStringLiteral("BtnColumns"));
  condition_button_ = MakeButton("検索条件追加", QStringLiteral("BtnCondition"));
  condition_clear_button_ = MakeButton("クリア", QStringLiteral("BtnConditionClear"));
  condition_label_ = new QLabel;
  condition_label_->setObjectName(QStringLiteral("ConditionLabel"));
  condition_label_->setMinimumWidth(24);
  condition_label_->setStyleSheet(QStringLiteral("color: #c02020; font-weight: bold;"));
  csv_button_ = MakeButton("CSVエクスポート", QStringLiteral("BtnCsv"));
  connect(columns_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnColumnsClick);
  connect(condition_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnConditionClick);
  connect(condition_clear_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnConditionClearClick);
  connect(csv_button_, &QPushButton::clicked, this, &TRecordBalanceForm::BtnCsvClick);
  auto* commands = new QHBoxLayout;
  commands->addWidget(columns_button_);
  commands->addSpacing(16);
  commands->addWidget(condition_button_);
  commands->addWidget(MakeLabel("検索条件："));
  commands->addWidget(condition_label_);
  commands->addWidget(condition_clear_button_);
  commands->addStretch();
  commands->addWidget(csv_button_);

  table_ = new QTableView;
  table_->setObjectName(QStringLiteral("ResultTable"));
  table_model_ = new SheetTableModel(this);
  table_->setModel(table_model_);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->setDefaultSectionSize(22);
  table_->setAlternatingRowColors(true);
  chart_ = new SheetChart;
  chart_->setObjectName(QStringLiteral("PreviewChart"));
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->addWidget(table_);
  splitter->addWidget(chart_);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({320, 320});

  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(pickers);
  layout->addLayout(commands);
  layout->addWidget(splitter, 1);
  return page;
}

void TRecordBalanceForm::Run(const std::function<void()>& command) { GuardFileErrors(*dialogs_, command); }

void TRecordBalanceForm::Refresh() {
  refreshing_ = true;
  const EntryPageModel& m = *entry_;
  for (int i = 0; i < kReportFieldCount; ++i)
    if (edits_[i] != nullptr) ShowText(edits_[i], m.page().values[i]);
  const QString remarks = ToQt(m.field(F::kRemarks));
  if (remarks_->toPlainText() != remarks) remarks_->setPlainText(remarks);
  report_name_label_->setText(ToQt(m.report_name()));
  ShowItems(report_combo_, m.reports(), m.chosen_report());
  for (PickKind kind : {PickKind::kPlace, PickKind::kGame}) {
    QListWidget* list = pick_list(kind);
    QStringList wanted;
    for (const std::string& e : m.list(kind).entries()) wanted << ToQt(e);
    QStringList current;
    for (int i = 0; i < list->count(); ++i) current << list->item(i)->text();
    if (current != wanted) {
      list->clear();
      list->addItems(wanted);
    }
  }
  bonus_check_->setChecked(m.bonus_play());
  ShowItems(bonus_combo_, m.bonus_names(), m.chosen_bonus());
  for (QWidget* w : std::initializer_list<QWidget*>{bonus_combo_, bonus_add_button_, bonus_delete_button_,
                                                    bonus_read_button_, bonus_progress_button_})
    w->setEnabled(m.bonus_play());
  refreshing_ = false;
}

void TRecordBalanceForm::RefreshPreview(bool table_changed) {
  const Picker* pickers[4] = {&preview_->year(), &preview_->month(), &preview_->week(), &preview_->day()};
  for (int i = 0; i < 4; ++i) {
    ShowItems(pickers_[i], pickers[i]->items, pickers[i]->selected);
    pickers_[i]->setEnabled(pickers[i]->enabled);
  }
  condition_label_->setText(preview_->condition().empty() ? QString() : ToQt(st::kConditionSet));
  if (!table_changed) return;
  table_model_->Set(preview_->columns(), preview_->rows());
  // Each column as wide as its widest text plus 3 pixels, beside the cell's own padding.
  const std::vector<int> widths = table_model_->TextWidths(QFontMetrics(table_->font()),
                                                           QFontMetrics(table_->horizontalHeader()->font()));
  for (size_t c = 0; c < widths.size(); ++c) table_->setColumnWidth(static_cast<int>(c), widths[c] + 16 + 3);
  chart_->Show(preview_->graph());
}

void TRecordBalanceForm::ApplyFocus() {
  auto focus = entry_->focus();
  if (!focus) return;
  if (*focus == F::kRemarks) {
    remarks_->setFocus();
  } else if (QLineEdit* edit = edits_[Index(*focus)]) {
    edit->setFocus();
    edit->selectAll();
  }
}

void TRecordBalanceForm::BtnSaveClick() {
  bool saved = false;
  Run([this, &saved] { saved = entry_->Save(); });
  if (saved) Run([this] { preview_->ResetPickers(); });
  Refresh();
  RefreshPreview(false);
  ApplyFocus();
}

void TRecordBalanceForm::BtnDeleteClick() {
  Run([this] {
    if (entry_->Delete(*this)) preview_->ResetPickers();
  });
  Refresh();
  RefreshPreview(false);
}

void TRecordBalanceForm::BtnAllClearClick() {
  Run([this] {
    entry_->AllClear();
    preview_->ResetPickers();
    preview_->ReloadColumns();
  });
  Refresh();
  RefreshPreview(true);
}

void TRecordBalanceForm::BtnRegenerateClick() {
  Run([this] {
    if (entry_->Regenerate(*this)) preview_->ResetPickers();
  });
  Refresh();
  RefreshPreview(false);
}

void TRecordBalanceForm::OnRegenerationStarted() {
  regenerating_ = true;
  pages_->setEnabled(false);
  progress_label_->show();
}

void TRecordBalanceForm::OnRegenerationProgress(const std::string& text) { progress_label_->setText(ToQt(text)); }

void TRecordBalanceForm::OnRegenerationFinished() {
  pages_->setEnabled(true);
  progress_label_->hide();
  regenerating_ = false;
}

void TRecordBalanceForm::BtnCloseClick() {
  if (regenerating_) return;
  if (entry_->ConfirmClose()) accept();
}

void TRecordBalanceForm::reject() { BtnCloseClick(); }

void TRecordBalanceForm::BtnStartDateClick() {
  TDateSelectForm dialog(entry_->DialogStart(false), this);
  if (dialog.exec() != QDialog::Accepted) return;
  Run([this, &dialog] { entry_->PickStartDate(dialog.result()); });
  Refresh();
  ApplyFocus();
}

void TRecordBalanceForm::BtnEndDateClick() {
  TDateSelectForm dialog(entry_->DialogStart(true), this);
  if (dialog.exec() != QDialog::Accepted) return;
  entry_->PickEndDate(dialog.result());
  Refresh();
  ApplyFocus();
}

void TRecordBalanceForm::BtnDateSearchClick() {
  Run([this] { entry_->DateSearch(FromQt(date_search_edit_->text())); });
  Refresh();
}

void TRecordBalanceForm::AddToPickList(PickKind kind) {
  TListAddDlgForm dialog(
      [this, kind](const std::string& text) {
        bool added = false;
        Run([&] { added = entry_->AddToList(kind, text); });
        return added;
      },
      this);
  dialog.exec();
  Refresh();
}

void TRecordBalanceForm::BtnDetailClick() {
  std::optional<BalanceDetailModel> model;
  Run([this, &model] { model.emplace(entry_->OpenBalanceDetail()); });
  if (!model) return;
  TPlayHistoryForm dialog(*model, *dialogs_, this);
  if (dialog.exec() == QDialog::Accepted && dialog.saved_path()) entry_->BalanceDetailSaved(*dialog.saved_path());
  Refresh();
}

void TRecordBalanceForm::BtnDetailClearClick() {
  Run([this] { entry_->ClearBalanceDetail(); });
  Refresh();
}

void TRecordBalanceForm::BtnBonusAddClick() {
  BonusMakeModel model(entry_->folders().bonus, *dialogs_);
  TBonusMakeForm dialog(model, *dialogs_, this);
  dialog.exec();
  Run([this] { entry_->BonusDialogClosed(); });
  Refresh();
}

void TRecordBalanceForm::BtnBonusProgressClick() {
  if (!entry_->CanAddBonusProgress()) return;
  TBonusConditionForm dialog(*dialogs_, this);
  dialog.exec();
  entry_->AddBonusProgress(dialog.increment().value_or(0));
  Refresh();
}

void TRecordBalanceForm::BtnSearchClick() {
  Run([this] { preview_->Search(); });
  RefreshPreview(true);
}

void TRecordBalanceForm::BtnNarrowingClearClick() {
  Run([this] { preview_->ClearNarrowing(); });
  RefreshPreview(true);
}

void TRecordBalanceForm::BtnColumnsClick() {
  std::optional<ColumnDialogModel> model;
  Run([this, &model] { model.emplace(entry_->folders().column_settings); });
  if (!model) return;
  TItemSelectForm dialog(*model, *dialogs_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  Run([this] { preview_->ColumnsChanged(); });
  RefreshPreview(true);
}

void TRecordBalanceForm::BtnConditionClick() {
  TJyokenSerachForm dialog(entry_->folders(), *dialogs_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  preview_->SetCondition(dialog.condition());
  RefreshPreview(false);
}

void TRecordBalanceForm::BtnConditionClearClick() {
  preview_->SetCondition({});
  RefreshPreview(false);
}

void TRecordBalanceForm::BtnCsvClick() {
  Run([this] { preview_->ExportCsv(); });
}

}  // namespace vessaro
