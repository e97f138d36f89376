#include "ui/analysis/bet_patternanalyze_form.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "analysis/analysis_texts.h"
#include "analysis/pattern_grid.h"
#include "autosim/run_statistics.h"
#include "autosim/system_sources.h"
#include "common/format.h"
#include "common/system_clock.h"
#include "engine/table_session.h"
#include "ui/analysis/graph_form.h"
#include "ui/analysis/analysis_grid_form.h"
#include "ui/analysis/analysis_widgets.h"
#include "ui/analysis/log_merge_form.h"
#include "ui/analysis/user_log_forms.h"
#include "ui/common/qt_ports.h"
#include "ui/systems/bet_pattern_form.h"
#include "ui/systems/bet_sys_pattern_form.h"

namespace vessaro {
namespace {

void FillChoice(QComboBox* combo, const NameChoice& choice) {
  QSignalBlocker block(combo);
  combo->clear();
  combo->addItem(ToQt(choice.prompt));
  for (const std::string& name : choice.names) combo->addItem(ToQt(name));
  combo->setCurrentIndex(choice.selected + 1);
}

}  // namespace

TBetPatternanalyze::TBetPatternanalyze(const fs::path& program_folder, Dialogs* dialogs, QWidget* parent)
    : QDialog(parent),
      program_folder_(program_folder),
      given_dialogs_(dialogs),
      own_dialogs_(dialogs != nullptr ? nullptr : std::make_unique<QtDialogs>(this)) {
  setObjectName(QStringLiteral("BetPatternanalyze"));
  setWindowTitle(QString::fromUtf8(analysis_texts::kAnalysisCaption));
  setModal(true);
  Dialogs& shown = dialogs != nullptr ? *dialogs : *own_dialogs_;
  model_ = std::make_unique<AnalysisWindowModel>(program_folder, shown, *this);
  pump_ = std::make_unique<QtEventPump>();
  clock_ = std::make_unique<SystemClock>();
  loader_ = std::make_unique<SystemsRunSourceLoader>();
  replay_ = std::make_unique<LogReplay>(program_folder, shown, *pump_, *clock_, *loader_);

  close_button_ = MakeButton("閉じる", "BtnClose");
  connect(close_button_, &QPushButton::clicked, this, &QDialog::accept);

  auto* left = new QVBoxLayout;
  left->addWidget(BuildGridGroup());
  left->addWidget(BuildBankruptcyGroup());
  left->addWidget(BuildReplayGroup());
  left->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addWidget(BuildReportGroup(), 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(close_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildFileGroup());
  layout->addLayout(columns, 1);
  layout->addLayout(bottom);

  // The progress of a replay, over the window; only its cancel button is usable meanwhile.
  progress_panel_ = new QFrame(this);
  progress_panel_->setObjectName(QStringLiteral("ReplayProgress"));
  progress_panel_->setFrameShape(QFrame::StyledPanel);
  progress_panel_->setAutoFillBackground(true);
  progress_label_ = new QLabel;
  progress_label_->setObjectName(QStringLiteral("ReplayProgressLabel"));
  progress_bar_ = new QProgressBar;
  progress_bar_->setRange(0, 1000);
  progress_bar_->setTextVisible(false);
  cancel_replay_button_ = MakeButton("中断", "BtnCancelReplay");
  connect(cancel_replay_button_, &QPushButton::clicked, this, &TBetPatternanalyze::BtnCancelReplayClick);
  auto* panel = new QVBoxLayout(progress_panel_);
  panel->addWidget(progress_label_);
  panel->addWidget(progress_bar_);
  panel->addWidget(cancel_replay_button_, 0, Qt::AlignRight);
  progress_panel_->resize(420, 110);
  progress_panel_->hide();
  for (QWidget* w : findChildren<QWidget*>())
    if (qobject_cast<QPushButton*>(w) || qobject_cast<QComboBox*>(w))
      if (w != cancel_replay_button_) commands_.push_back(w);

  model_->Open();
  Refresh();
  resize(980, 660);
}

TBetPatternanalyze::~TBetPatternanalyze() = default;

QGroupBox* TBetPatternanalyze::BuildFileGroup() {
  auto* group = new QGroupBox(QStringLiteral("解析ファイル"));
  file_edit_ = MakeReadOnlyField("FileEdit", 420);
  kind_edit_ = MakeReadOnlyField("KindEdit", 110);
  rounds_edit_ = MakeReadOnlyField("RoundsEdit", 90);
  rounds_edit_->setAlignment(Qt::AlignRight);
  browse_button_ = MakeButton("参照", "Button6");
  merge_button_ = MakeButton("ログを結合する", "Button15");
  simple_log_button_ = MakeButton("簡易ログ作成", "BtnSimpleLog");
  detailed_log_button_ = MakeButton("詳細ログ作成", "BtnDetailedLog");
  connect(browse_button_, &QPushButton::clicked, this, &TBetPatternanalyze::Button6Click);
  connect(merge_button_, &QPushButton::clicked, this, &TBetPatternanalyze::Button15Click);
  connect(simple_log_button_, &QPushButton::clicked, this, &TBetPatternanalyze::BtnSimpleLogClick);
  connect(detailed_log_button_, &QPushButton::clicked, this, &TBetPatternanalyze::BtnDetailedLogClick);

  auto* grid = new QGridLayout(group);
  grid->addWidget(new QLabel(QStringLiteral("ファイル：")), 0, 0);
  grid->addWidget(file_edit_, 0, 1, 1, 4);
  grid->addWidget(browse_button_, 0, 5);
  grid->addWidget(merge_button_, 0, 6);
  grid->addWidget(new QLabel(QStringLiteral("ログ種別：")), 1, 0);
  grid->addWidget(kind_edit_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("総ゲーム数（引分けを除く）：")), 1, 2, Qt::AlignRight);
  grid->addWidget(rounds_edit_, 1, 3);
  grid->setColumnStretch(4, 1);
  grid->addWidget(simple_log_button_, 1, 5);
  grid->addWidget(detailed_log_button_, 1, 6);
  return group;
}

QGroupBox* TBetPatternanalyze::BuildGridGroup() {
  auto* group = new QGroupBox(QStringLiteral("全出現パターン解析"));
  from_combo_ = new NumberChoice;
  from_combo_->setObjectName(QStringLiteral("FromCombo"));
  to_combo_ = new NumberChoice;
  to_combo_->setObjectName(QStringLiteral("ToCombo"));
  length_combo_ = new QComboBox;
  length_combo_->setObjectName(QStringLiteral("LengthCombo"));
  for (int k = kMinPatternLength; k <= kMaxPatternLength; ++k) length_combo_->addItem(QString::number(k));
  all_pattern_button_ = MakeButton("全出現パターン解析", "Button14");
  connect(all_pattern_button_, &QPushButton::clicked, this, &TBetPatternanalyze::Button14Click);
  connect(length_combo_, &QComboBox::activated, this,
          [this](int i) { model_->set_pattern_length(kMinPatternLength + i); });
  connect(from_combo_, &QComboBox::activated, this, [this] { TakeBoxes(); });
  connect(to_combo_, &QComboBox::activated, this, [this] { TakeBoxes(); });

  auto* range = new QHBoxLayout;
  range->addWidget(new QLabel(QStringLiteral("範囲：")));
  range->addWidget(from_combo_);
  range->addWidget(new QLabel(QStringLiteral("戦目から")));
  range->addWidget(to_combo_);
  range->addWidget(new QLabel(QStringLiteral("戦目まで")));
  range->addStretch();
  auto* length = new QHBoxLayout;
  length->addWidget(new QLabel(QStringLiteral("パターン桁数：")));
  length->addWidget(length_combo_);
  length->addWidget(new QLabel(QStringLiteral("桁まで")));
  length->addStretch();
  length->addWidget(all_pattern_button_);
  auto* layout = new QVBoxLayout(group);
  layout->addLayout(range);
  layout->addLayout(length);
  return group;
}

QGroupBox* TBetPatternanalyze::BuildBankruptcyGroup() {
  auto* group = new QGroupBox(QStringLiteral("破産パターン出現解析"));
  banker_button_ = MakeButton("BANKER", "BtnBanker");
  player_button_ = MakeButton("PLAYER", "BtnPlayer");
  StyleSideButton(banker_button_, 'B');
  StyleSideButton(player_button_, 'P');
  clear_bets_button_ = MakeButton("クリア", "BtnClearBets");
  bets_edit_ = MakeReadOnlyField("BetsEdit", 200);
  bankruptcy_button_ = MakeButton("破産パターン出現解析", "Button4");
  connect(banker_button_, &QPushButton::clicked, this, &TBetPatternanalyze::BtnBankerClick);
  connect(player_button_, &QPushButton::clicked, this, &TBetPatternanalyze::BtnPlayerClick);
  connect(clear_bets_button_, &QPushButton::clicked, this, &TBetPatternanalyze::BtnClearBetsClick);
  connect(bankruptcy_button_, &QPushButton::clicked, this, &TBetPatternanalyze::Button4Click);

  auto* note = new QLabel(QStringLiteral("ベットの順番を入力してください（20回まで）"));
  auto* sides = new QHBoxLayout;
  sides->addWidget(banker_button_);
  sides->addWidget(player_button_);
  sides->addWidget(clear_bets_button_);
  sides->addStretch();
  auto* bets = new QHBoxLayout;
  bets->addWidget(new QLabel(QStringLiteral("ベット順：")));
  bets->addWidget(bets_edit_, 1);
  bets->addWidget(bankruptcy_button_);
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(note);
  layout->addLayout(sides);
  layout->addLayout(bets);
  return group;
}

QGroupBox* TBetPatternanalyze::BuildReplayGroup() {
  auto* group = new QGroupBox(QStringLiteral("別システムで高速シミュレートを行う"));
  system_combo_ = new QComboBox;
  system_combo_->setObjectName(QStringLiteral("SystemCombo"));
  pattern_combo_ = new QComboBox;
  pattern_combo_->setObjectName(QStringLiteral("PatternCombo"));
  for (QComboBox* combo : {system_combo_, pattern_combo_}) {
    combo->setMinimumWidth(240);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  }
  add_system_button_ = MakeButton("ベットシステムの追加", "BtnAddSystem");
  add_pattern_button_ = MakeButton("ベットパターンの追加", "BtnAddPattern");
  replay_button_ = MakeButton("シミュレート開始", "Button12");
  connect(replay_button_, &QPushButton::clicked, this, &TBetPatternanalyze::Button12Click);
  connect(system_combo_, &QComboBox::activated, this,
          [this](int i) { model_->system_choice().selected = i - 1; });
  connect(pattern_combo_, &QComboBox::activated, this,
          [this](int i) { model_->pattern_choice().selected = i - 1; });
  connect(add_system_button_, &QPushButton::clicked, this, &TBetPatternanalyze::BtnAddSystemClick);
  connect(add_pattern_button_, &QPushButton::clicked, this, &TBetPatternanalyze::BtnAddPatternClick);

  auto* grid = new QGridLayout(group);
  grid->addWidget(new QLabel(QStringLiteral("システム：")), 0, 0);
  grid->addWidget(system_combo_, 0, 1);
  grid->addWidget(add_system_button_, 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("パターン：")), 1, 0);
  grid->addWidget(pattern_combo_, 1, 1);
  grid->addWidget(add_pattern_button_, 1, 2);
  grid->addWidget(replay_button_, 2, 2);
  return group;
}

QGroupBox* TBetPatternanalyze::BuildReportGroup() {
  auto* group = new QGroupBox(QStringLiteral("ログ解析（インターカジノ・ユーザ詳細作成のログ）"));
  report_button_ = MakeButton("解析開始", "Button8");
  report_list_ = new QListWidget;
  report_list_->setObjectName(QStringLiteral("ReportList"));
  report_list_->setUniformItemSizes(true);
  report_list_->setMinimumWidth(380);
  connect(report_button_, &QPushButton::clicked, this, &TBetPatternanalyze::Button8Click);
  auto* top = new QHBoxLayout;
  top->addStretch();
  top->addWidget(report_button_);
  auto* layout = new QVBoxLayout(group);
  layout->addLayout(top);
  layout->addWidget(report_list_, 1);
  return group;
}

void TBetPatternanalyze::Refresh() {
  file_edit_->setText(ToQt(model_->file().string()));
  kind_edit_->setText(ToQt(model_->kind_label()));
  rounds_edit_->setText(model_->has_file() ? QString::number(model_->total_rounds()) : QString());
  const bool enabled = model_->range_enabled();
  if (shown_file_ != model_->file() || shown_rounds_ != model_->total_rounds()) {
    shown_file_ = model_->file();
    shown_rounds_ = model_->total_rounds();
    const int64_t n = enabled ? model_->total_rounds() : 0;
    from_combo_->SetRange(1, n - 1);
    to_combo_->SetRange(2, n);
  }
  from_combo_->SetValue(model_->range_from());
  to_combo_->SetValue(model_->range_to());
  from_combo_->setEnabled(enabled);
  to_combo_->setEnabled(enabled);
  length_combo_->setEnabled(enabled);
  length_combo_->setCurrentIndex(model_->pattern_length() - kMinPatternLength);
  bets_edit_->setText(ToQt(model_->bets()));
  if (shown_report_ != model_->report_revision()) {
    shown_report_ = model_->report_revision();
    report_list_->clear();
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(model_->report_lines().size()));
    for (const std::string& line : model_->report_lines()) lines << ToQt(line);
    report_list_->addItems(lines);
  }
  FillChoice(system_combo_, model_->system_choice());
  FillChoice(pattern_combo_, model_->pattern_choice());
}

void TBetPatternanalyze::TakeBoxes() {
  // A box that shows no number leaves its default to the analysis.
  model_->set_range_from(from_combo_->value());
  model_->set_range_to(to_combo_->value());
}

void TBetPatternanalyze::Button6Click() {
  model_->Browse();
  Refresh();
}

void TBetPatternanalyze::Button4Click() {
  model_->BankruptcyAnalysis();
  Refresh();
}

void TBetPatternanalyze::Button14Click() {
  model_->AllPatternAnalysis();
  Refresh();
}

void TBetPatternanalyze::Button8Click() {
  model_->LogReport();
  Refresh();
}

void TBetPatternanalyze::Button15Click() {
  model_->Merge();
  Refresh();
}

QWidget* TBetPatternanalyze::UserLogOwner() { return parentWidget() != nullptr ? parentWidget() : this; }

void TBetPatternanalyze::BtnSimpleLogClick() {
  TUserLog1Form* form = SimpleLogFormOf(UserLogOwner(), program_folder_, given_dialogs_);
  form->hide();  // an open copy comes to the front afresh
  ShowUsableBeside(form, this);
}

void TBetPatternanalyze::BtnDetailedLogClick() {
  TUserLog2Form* form = DetailedLogFormOf(UserLogOwner(), program_folder_, given_dialogs_);
  form->hide();
  ShowUsableBeside(form, this);
}

void TBetPatternanalyze::done(int result) {
  if (model_->replaying()) {
    // The replay is on the stack below the events that asked to close: close once it ends.
    close_pending_ = true;
    replay_->RequestStop();
    return;
  }
  QWidget* owner = UserLogOwner();
  for (QDialog* form : {static_cast<QDialog*>(owner->findChild<TUserLog1Form*>(QString(), Qt::FindDirectChildrenOnly)),
                        static_cast<QDialog*>(owner->findChild<TUserLog2Form*>(QString(), Qt::FindDirectChildrenOnly))})
    if (form != nullptr) form->hide();
  QDialog::done(result);
}

std::optional<fs::path> TBetPatternanalyze::OpenMerge() {
  if (merge_window) return merge_window();
  TLogMergeForm form(program_folder_, given_dialogs_, this);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.merged();
}

void TBetPatternanalyze::Button12Click() {
  if (model_->replaying()) return;
  model_->Replay(*replay_, *this);
  Refresh();
  if (close_pending_) {
    close_pending_ = false;
    reject();
  }
}

void TBetPatternanalyze::BtnCancelReplayClick() {
  if (!model_->replaying()) return;
  Dialogs& dialogs = given_dialogs_ != nullptr ? *given_dialogs_ : *own_dialogs_;
  if (dialogs.AskYesNo(table_texts::kStopQuestion)) replay_->RequestStop();
}

void TBetPatternanalyze::OnReadingLog(int percent) {
  progress_label_->setText(QStringLiteral("ログを読み込んでいます... %1%").arg(percent));
  progress_bar_->setValue(percent * 10);
}

void TBetPatternanalyze::OnReplayStarted() {
  for (QWidget* w : commands_) w->setEnabled(false);
  progress_bar_->setValue(0);
  progress_label_->clear();
  progress_panel_->move((width() - progress_panel_->width()) / 2, (height() - progress_panel_->height()) / 2);
  progress_panel_->show();
  progress_panel_->raise();
}

void TBetPatternanalyze::OnProgress(int64_t done, int64_t total) {
  progress_label_->setText(QString::fromUtf8(
      Format(run_texts::kProgress, static_cast<int>(done), static_cast<int>(total)).c_str()));
  progress_bar_->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
}

void TBetPatternanalyze::OnReplayFinishing() {
  progress_panel_->hide();
  for (QWidget* w : commands_) w->setEnabled(true);
  Refresh();
}

void TBetPatternanalyze::ShowGraph(const fs::path& graph_file, int64_t rounds) {
  last_replay_rounds_ = rounds;
  if (open_window) {
    open_window("replay-graph", graph_file, rounds);
    return;
  }
  TGraphLogForm graph(program_folder_, graph_file, rounds, given_dialogs_, nullptr, this);
  graph.exec();
}

void TBetPatternanalyze::BtnBankerClick() {
  model_->AddBet('B');
  Refresh();
}

void TBetPatternanalyze::BtnPlayerClick() {
  model_->AddBet('P');
  Refresh();
}

void TBetPatternanalyze::BtnClearBetsClick() {
  model_->ClearBets();
  Refresh();
}

void TBetPatternanalyze::BtnAddSystemClick() {
  model_->AddSystem();
  Refresh();
}

void TBetPatternanalyze::BtnAddPatternClick() {
  model_->AddPattern();
  Refresh();
}

void TBetPatternanalyze::ShowFrequencyGrid(const fs::path& table_file) {
  if (open_window) {
    open_window("grid", table_file, 0);
    return;
  }
  TAnalysisGridForm grid(table_file, given_dialogs_, this);
  grid.exec();
}

void TBetPatternanalyze::OpenSystemEditor() {
  if (open_window) {
    open_window("system-editor", {}, 0);
    return;
  }
  TBetSysPatternForm(program_folder_, given_dialogs_, this).exec();
}

void TBetPatternanalyze::OpenPatternEditor() {
  if (open_window) {
    open_window("pattern-editor", {}, 0);
    return;
  }
  TBetPatternForm(program_folder_, given_dialogs_, this).exec();
}

}  // namespace vessaro
