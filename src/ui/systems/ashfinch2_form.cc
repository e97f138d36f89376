#include "ui/systems/ashfinch2_form.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>
#include <initializer_list>

#include "common/format.h"
#include "systems/messages.h"
#include "ui/common/qt_ports.h"
#include "ui/common/window_helpers.h"

namespace vessaro {

namespace st = systems_text;

namespace {

using F = AshfinchField;

// Object names of the field edits: the keys the file gives the values.
constexpr const char* kFieldKeys[kAshfinchFieldCount] = {
    "Unit",       "C_LR1",       "C_LR2",       "C_LRMin",       "C_LRDef",    "C_JyokenCount",
    "C_JyokenLU", "C_JyokenLR",  "C_JyokenNBU", "C_JyokenRound", "C_StartX",   "C_SuccessX",
    "C_FailX",    "C_FailDefLU", "C_M1",        "C_M2",          "C_M3",       "C_MLow1",
    "C_MHigh1",   "C_MLow2",     "C_MHigh2",    "C_MLow3",       "C_FailDefLR"};

// A row of widgets and texts, left aligned.
QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
  auto* row = new QHBoxLayout;
  row->setSpacing(4);
  for (QWidget* w : widgets) row->addWidget(w);
  row->addStretch();
  return row;
}

QLabel* Text(const char* text) { return MakeLabel(text); }

QLabel* Target(const QString& object_name) {
  auto* label = new QLabel;
  label->setObjectName(object_name);
  label->setStyleSheet(QStringLiteral("color: #1f4f8f; font-weight: bold;"));
  return label;
}

QString TargetText(const char* modes) { return ToQt(Format(st::kTargetMode, modes)); }

}  // namespace

TAshfinch2Form::TAshfinch2Form(const fs::path& program_folder, Dialogs* dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs, this), model_(program_folder, dialogs_.get()) {
  setObjectName(QStringLiteral("Ashfinch2Form"));
  setWindowTitle(ToQt(st::kAshfinchTitle));
  setModal(true);

  close_button_ = MakeButton("閉じる", QStringLiteral("BtnClose"));
  FileBar bar;
  QVBoxLayout* bar_rows = MakeFileBar(QStringLiteral("SystemCombo"), QString(), "登録システム",
                                      "システム名", bar, close_button_);
  system_combo_ = bar.combo;
  name_edit_ = bar.name;
  load_button_ = bar.load;
  save_button_ = bar.save;
  delete_button_ = bar.remove;
  clear_button_ = bar.clear;

  // The unit is shared by the modes; the mode list, its switch and description sit beside the
  // panel of the chosen mode.
  auto* unit_row = Row({Text(st::kUnitCaption), AddField(F::kUnit, false)});
  mode_list_ = new QListWidget;
  mode_list_->setObjectName(QStringLiteral("ModeList"));
  for (const char* name : st::kModeNames) mode_list_->addItem(ToQt(name));
  mode_list_->setCurrentRow(0);
  mode_list_->setFixedHeight(mode_list_->sizeHintForRow(0) * 3 + 2 * mode_list_->frameWidth() + 4);
  enabled_combo_ = new QComboBox;
  enabled_combo_->setObjectName(QStringLiteral("EnabledCombo"));
  description_ = new QLabel;
  description_->setObjectName(QStringLiteral("DescriptionLabel"));
  description_->setWordWrap(true);
  description_->setMinimumHeight(60);
  description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* mode_box = new QGroupBox(QStringLiteral("モード"));
  auto* mode_layout = new QVBoxLayout(mode_box);
  mode_layout->addWidget(mode_list_);
  mode_layout->addWidget(Text(st::kEnabledCaption));
  mode_layout->addWidget(enabled_combo_);
  mode_layout->addWidget(description_);
  mode_layout->addStretch();
  mode_box->setFixedWidth(230);

  panels_ = new QStackedWidget;
  normal_panel_ = BuildNormalPanel();
  parlay_panel_ = BuildParlayPanel();
  panels_->addWidget(normal_panel_);
  panels_->addWidget(parlay_panel_);

  auto* work_row = new QHBoxLayout;
  work_row->addWidget(mode_box);
  work_row->addWidget(panels_, 1);
  work_row->addWidget(BuildTrialPanel());

  for (const FieldEdit& f : fields_) {
    QLineEdit* edit = f.edit;
    const AshfinchField field = f.field;
    connect(edit, &QLineEdit::textChanged, this,
            [this, field, edit](const QString& text) { FieldEdited(field, edit, text); });
    // Enter goes on to the next field, as in the trial panel.
    connect(edit, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
  }
  connect(mode_list_, &QListWidget::currentRowChanged, this, &TAshfinch2Form::ListModeChanged);
  connect(enabled_combo_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (refreshing_ || index < 0) return;
    model_.SetEnabled(index == 0);
    Refresh();
  });
  connect(p_system_combo_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!refreshing_) model_.ChoosePSystem(ChoiceIndex(index));
  });
  connect(system_combo_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!refreshing_) model_.ChooseSystem(ChoiceIndex(index));
  });
  connect(name_edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!refreshing_) model_.SetName(FromQt(text));
  });
  connect(load_button_, &QPushButton::clicked, this, &TAshfinch2Form::BtnLoadClick);
  connect(save_button_, &QPushButton::clicked, this, &TAshfinch2Form::BtnSaveClick);
  connect(delete_button_, &QPushButton::clicked, this, &TAshfinch2Form::BtnDeleteClick);
  connect(clear_button_, &QPushButton::clicked, this, &TAshfinch2Form::BtnAllClearClick);
  connect(close_button_, &QPushButton::clicked, this, &QDialog::accept);
  connect(win_button_, &QPushButton::clicked, this, &TAshfinch2Form::BtnWinClick);
  connect(lose_button_, &QPushButton::clicked, this, &TAshfinch2Form::BtnLoseClick);
  connect(tie_button_, &QPushButton::clicked, this, &TAshfinch2Form::BtnTieClick);
  connect(trial_clear_button_, &QPushButton::clicked, this, &TAshfinch2Form::BtnTrialClearClick);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar_rows);
  layout->addLayout(unit_row);
  layout->addLayout(work_row, 1);
  Refresh();
}

QLineEdit* TAshfinch2Form::AddField(AshfinchField field, bool parlay_panel) {
  const int index = static_cast<int>(field);
  QString name = QString::fromUtf8(kFieldKeys[index]);
  if (parlay_panel) name += QStringLiteral("_P");
  QLineEdit* edit = MakeNumberEdit(name, index == 0 ? 80 : 52);
  fields_.push_back({field, parlay_panel, edit});
  return edit;
}

QLineEdit* TAshfinch2Form::field_edit(AshfinchField field, bool parlay_panel) const {
  for (const FieldEdit& f : fields_)
    if (f.field == field && f.parlay_panel == parlay_panel) return f.edit;
  // Fields shown once live on their one panel.
  for (const FieldEdit& f : fields_)
    if (f.field == field) return f.edit;
  return nullptr;
}

QWidget* TAshfinch2Form::BuildNormalPanel() {
  auto* formula = new QGroupBox(ToQt(st::kFormulaCaption));
  auto* fl = new QVBoxLayout(formula);
  fl->addWidget(Text("NBU = (LU / LR) × M"));
  fl->addLayout(Row({Text("LU <"), AddField(F::kLr1, false), Text("× LR の場合、LR = LU /"),
                     AddField(F::kLr2, false)}));
  fl->addLayout(Row({Text("0 < LR <"), AddField(F::kLrMin, false), Text("の場合、LR ="),
                     AddField(F::kLrDef, false)}));
  fl->addLayout(Row({AddField(F::kMLow1, false), Text("≦ LR <"), AddField(F::kMHigh1, false),
                     Text("の場合、M ="), AddField(F::kM1, false)}));
  fl->addLayout(Row({AddField(F::kMLow2, false), Text("≦ LR <"), AddField(F::kMHigh2, false),
                     Text("の場合、M ="), AddField(F::kM2, false)}));
  fl->addLayout(
      Row({AddField(F::kMLow3, false), Text("≦ LR の場合、M ="), AddField(F::kM3, false)}));

  auto* failure = new QGroupBox(ToQt(st::kFailureCaption));
  auto* fa = new QVBoxLayout(failure);
  fa->addLayout(Row(
      {Text(st::kFailureCount[0]), AddField(F::kJyokenCount, false), Text(st::kFailureCount[1])}));
  auto* conditions = new QGridLayout;
  conditions->setHorizontalSpacing(4);
  conditions->addWidget(Text("・LU >"), 0, 0);
  conditions->addWidget(AddField(F::kJyokenLu, false), 0, 1);
  conditions->addWidget(Text("　・LR >"), 0, 2);
  conditions->addWidget(AddField(F::kJyokenLr, false), 0, 3);
  conditions->addWidget(Text("・NBU >"), 1, 0);
  conditions->addWidget(AddField(F::kJyokenNbu, false), 1, 1);
  conditions->addWidget(Text("　・ROUND >"), 1, 2);
  conditions->addWidget(AddField(F::kJyokenRound, false), 1, 3);
  conditions->setColumnStretch(4, 1);
  fa->addLayout(conditions);
  failure_target_ = Target(QStringLiteral("FailureTarget"));
  fa->addWidget(failure_target_);

  auto* success = new QGroupBox(ToQt(st::kSuccessCaption));
  auto* su = new QVBoxLayout(success);
  success_text_ = new QLabel;
  success_text_->setObjectName(QStringLiteral("SuccessText"));
  // R mode's rule takes two lines; N's one line keeps the same room so the window keeps its size.
  success_text_->setMinimumHeight(2 * success_text_->fontMetrics().lineSpacing());
  success_text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  su->addWidget(success_text_);
  success_target_ = Target(QStringLiteral("SuccessTarget"));
  su->addWidget(success_target_);

  auto* panel = new QWidget;
  panel->setObjectName(QStringLiteral("NormalPanel"));
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(formula);
  layout->addWidget(failure);
  layout->addWidget(success);
  layout->addStretch();
  return panel;
}

QWidget* TAshfinch2Form::BuildParlayPanel() {
  auto* start = new QGroupBox(QStringLiteral("ベットシステム・開始条件"));
  auto* sl = new QVBoxLayout(start);
  sl->addWidget(Text(st::kParlaySystem));
  p_system_combo_ = new QComboBox;
  p_system_combo_->setObjectName(QStringLiteral("PSystemCombo"));
  p_system_combo_->setEditable(false);
  p_system_combo_->setMinimumWidth(260);
  sl->addLayout(Row({Text("　"), p_system_combo_}));
  sl->addLayout(
      Row({Text(st::kParlayStart[0]), AddField(F::kStartX, true), Text(st::kParlayStart[1])}));

  auto* success = new QGroupBox(ToQt(st::kSuccessCaption));
  auto* su = new QVBoxLayout(success);
  su->addLayout(Row({AddField(F::kSuccessX, true), Text(st::kParlaySuccess)}));
  QLabel* success_target = Target(QStringLiteral("ParlaySuccessTarget"));
  success_target->setText(TargetText("N"));
  su->addWidget(success_target);

  // After a failure N mode starts from the given LU and LR, with M from this mode's bands.
  auto* failure = new QGroupBox(ToQt(st::kFailureCaption));
  auto* fa = new QVBoxLayout(failure);
  fa->addLayout(Row({AddField(F::kFailX, true), Text(st::kParlayFailure)}));
  QLabel* failure_target = Target(QStringLiteral("ParlayFailureTarget"));
  fa->addWidget(failure_target);
  fa->addLayout(Row({Text("　初期値 LU ="), AddField(F::kFailDefLu, true), Text("　LR ="),
                     AddField(F::kFailDefLr, true)}));
  fa->addLayout(Row({Text("　"), AddField(F::kMLow1, true), Text("≦ LR <"),
                     AddField(F::kMHigh1, true), Text("の場合、M ="), AddField(F::kM1, true)}));
  fa->addLayout(Row({Text("　"), AddField(F::kMLow2, true), Text("≦ LR <"),
                     AddField(F::kMHigh2, true), Text("の場合、M ="), AddField(F::kM2, true)}));
  fa->addLayout(Row(
      {Text("　"), AddField(F::kMLow3, true), Text("≦ LR の場合、M ="), AddField(F::kM3, true)}));

  failure_target->setText(TargetText("N"));

  auto* panel = new QWidget;
  panel->setObjectName(QStringLiteral("ParlayPanel"));
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(start);
  layout->addWidget(success);
  layout->addWidget(failure);
  layout->addStretch();
  return panel;
}

QWidget* TAshfinch2Form::BuildTrialPanel() {
  auto* box = new QGroupBox(ToQt(st::kTrialCaption));
  box->setObjectName(QStringLiteral("TrialPanel"));
  auto* form = new QFormLayout;
  const char* captions[9] = {"NBU",
                             "LU",
                             "LR",
                             "Round",
                             "モード",
                             st::kTrialBalance,
                             "M",
                             st::kPUnitsCaption,
                             st::kNSuccessCount};
  const char* names[9] = {"TrialNBU",     "TrialLU", "TrialLR",     "TrialRound",     "TrialMode",
                          "TrialBalance", "TrialM",  "TrialPUnits", "TrialNSuccesses"};
  for (int i = 0; i < 9; ++i) {
    trial_[i] = MakeNumberEdit(QString::fromUtf8(names[i]), 90);
    // The panel shows the model's state; the fields only read it out.
    trial_[i]->setReadOnly(true);
    trial_[i]->setStyleSheet(QStringLiteral("background: #f2f2f2;"));
    connect(trial_[i], &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    form->addRow(MakeLabel(captions[i]), trial_[i]);
  }
  win_button_ = MakeButton("Win", QStringLiteral("BtnWin"));
  lose_button_ = MakeButton("Lose", QStringLiteral("BtnLose"));
  tie_button_ = MakeButton("Tie", QStringLiteral("BtnTie"));
  trial_clear_button_ = MakeButton("Clear", QStringLiteral("BtnTrialClear"));
  auto* buttons = new QGridLayout;
  buttons->addWidget(win_button_, 0, 0);
  buttons->addWidget(lose_button_, 0, 1);
  buttons->addWidget(tie_button_, 1, 0);
  buttons->addWidget(trial_clear_button_, 1, 1);
  auto* layout = new QVBoxLayout(box);
  layout->addLayout(form);
  layout->addLayout(buttons);
  layout->addStretch();
  return box;
}

void TAshfinch2Form::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  model_.Show();
  Refresh();
  CenterOver(parentWidget(), this, 0.5, 0.5);
}

void TAshfinch2Form::FieldEdited(AshfinchField field, QLineEdit* source, const QString& text) {
  if (refreshing_) return;
  model_.SetField(field, FromQt(text));
  // The other edits of the field, and the band that joins it, follow the model.
  refreshing_ = true;
  ShowFields(source);
  refreshing_ = false;
}

void TAshfinch2Form::ShowFields(const QLineEdit* except) {
  for (const FieldEdit& f : fields_) {
    if (f.edit == except) continue;
    const QString text = ToQt(model_.field(f.field));
    if (f.edit->text() != text) f.edit->setText(text);
  }
}

void TAshfinch2Form::Refresh() {
  refreshing_ = true;
  const int mode = static_cast<int>(model_.mode());
  ShowFields(nullptr);
  if (mode_list_->currentRow() != mode) mode_list_->setCurrentRow(mode);

  QStringList choices;
  for (const std::string& choice : model_.EnabledChoices()) choices << ToQt(choice);
  QStringList shown;
  for (int i = 0; i < enabled_combo_->count(); ++i) shown << enabled_combo_->itemText(i);
  if (shown != choices) {
    enabled_combo_->clear();
    enabled_combo_->addItems(choices);
  }
  enabled_combo_->setCurrentIndex(model_.enabled() ? 0 : 1);
  description_->setText(ToQt(st::kModeDescriptions[mode]));

  panels_->setCurrentWidget(model_.mode() == AshfinchMode::kP ? parlay_panel_ : normal_panel_);
  if (model_.mode() == AshfinchMode::kR) {
    failure_target_->setText(TargetText("N"));
    success_text_->setText(ToQt(st::kRecoverySuccess[0]) + QLatin1Char('\n') +
                           ToQt(st::kRecoverySuccess[1]));
    success_target_->setText(TargetText("N"));
  } else {
    failure_target_->setText(TargetText("R"));
    success_text_->setText(ToQt(st::kNormalSuccess));
    success_target_->setText(TargetText("N / P"));
  }
  ShowChoice(p_system_combo_, model_.p_systems());
  ShowChoice(system_combo_, model_.systems());
  if (FromQt(name_edit_->text()) != model_.name()) name_edit_->setText(ToQt(model_.name()));

  const AshfinchTrialView v = model_.trial();
  const std::string* values[9] = {&v.nbu,     &v.lu, &v.lr,      &v.round,      &v.mode,
                                  &v.balance, &v.m,  &v.p_units, &v.n_successes};
  for (int i = 0; i < 9; ++i) trial_[i]->setText(ToQt(*values[i]));
  refreshing_ = false;
}

void TAshfinch2Form::ListModeChanged(int row) {
  if (refreshing_ || row < 0 || row > 2) return;
  // A refused field keeps the mode; the list goes back to it.
  model_.SelectMode(static_cast<AshfinchMode>(row));
  Refresh();
}

void TAshfinch2Form::BtnLoadClick() {
  model_.Load();
  Refresh();
}

void TAshfinch2Form::BtnSaveClick() {
  model_.Save();
  Refresh();
}

void TAshfinch2Form::BtnDeleteClick() {
  model_.Delete();
  Refresh();
}

void TAshfinch2Form::BtnAllClearClick() {
  model_.AllClear();
  Refresh();
}

void TAshfinch2Form::BtnWinClick() {
  model_.TrialStep(BetOutcome::kWin);
  Refresh();
}

void TAshfinch2Form::BtnLoseClick() {
  model_.TrialStep(BetOutcome::kLoss);
  Refresh();
}

void TAshfinch2Form::BtnTieClick() {
  model_.TrialStep(BetOutcome::kTie);
  Refresh();
}

void TAshfinch2Form::BtnTrialClearClick() {
  model_.TrialClear();
  Refresh();
}

}  // namespace vessaro
