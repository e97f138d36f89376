#include "ui/systems/bet_pattern_form.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

#include "common/program_folder.h"
#include "systems/messages.h"
#include "ui/common/qt_ports.h"
#include "ui/common/window_helpers.h"
#include "ui/systems/card_setting_dlg2.h"
#include "ui/systems/make_face_card_form.h"

namespace vessaro {

namespace st = systems_text;

namespace {

constexpr int kTileColumns = 5;
constexpr std::array<const char*, 3> kCaptions = {"ベット先", "勝ち →", "負け →"};
constexpr const char* kSides[2] = {"P", "B"};

// The chosen first bet or default side as the buttons set it.
void ShowSide(QLabel* label, const std::string& side) {
  label->setText(side.empty() ? QStringLiteral("－") : ToQt(side));
  QString colour = side == "P"   ? QStringLiteral("#1f4fbf")
                   : side == "B" ? QStringLiteral("#c02020")
                                 : QStringLiteral("#808080");
  label->setStyleSheet(
      QStringLiteral("color: %1; font-weight: bold; font-size: 14pt;").arg(colour));
}

QLabel* SideLabel(const QString& object_name) {
  auto* label = new QLabel;
  label->setObjectName(object_name);
  label->setFixedWidth(28);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

TBetPatternForm::TBetPatternForm(const fs::path& program_folder, Dialogs* dialogs, QWidget* parent)
    : QDialog(parent),
      program_folder_(program_folder),
      dialogs_(dialogs, this),
      model_(program_folder, dialogs_.get()) {
  setObjectName(QStringLiteral("BetPatternForm"));
  setWindowTitle(ToQt(st::kPatternEditorTitle));
  setModal(true);

  tabs_ = new QTabWidget;
  tabs_->setObjectName(QStringLiteral("PatternPages"));
  tabs_->addTab(BuildFixedPage(), ToQt(st::kFixedPageTitle));
  tabs_->addTab(BuildSpecialPage(), ToQt(st::kSpecialPageTitle));

  close_button_ = MakeButton("閉じる", QStringLiteral("BtnClose"));
  connect(close_button_, &QPushButton::clicked, this, &QDialog::accept);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(close_button_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addLayout(bottom);
  Refresh();
}

QWidget* TBetPatternForm::BuildFixedPage() {
  FileBar bar;
  QVBoxLayout* bar_rows = MakeFileBar(QStringLiteral("PatternCombo"), QStringLiteral("Pattern"),
                                      "登録パターン", "パターン名", bar);
  pattern_combo_ = bar.combo;
  pattern_name_edit_ = bar.name;
  pattern_load_button_ = bar.load;
  pattern_save_button_ = bar.save;
  pattern_delete_button_ = bar.remove;
  pattern_clear_button_ = bar.clear;

  QWidget* cards = MakeCardPage(1, kPatternCardCount, kTileColumns, kCaptions, true, tiles_);
  for (CardTile* tile : tiles_)
    connect(tile, &CardTile::SetClicked, this, &TBetPatternForm::BtnSetCardClick);

  connect(pattern_combo_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!refreshing_) model_.ChoosePattern(ChoiceIndex(index));
  });
  connect(pattern_name_edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!refreshing_) model_.SetPatternName(FromQt(text));
  });
  connect(pattern_load_button_, &QPushButton::clicked, this, &TBetPatternForm::BtnPatternLoadClick);
  connect(pattern_save_button_, &QPushButton::clicked, this, &TBetPatternForm::BtnPatternSaveClick);
  connect(pattern_delete_button_, &QPushButton::clicked, this,
          &TBetPatternForm::BtnPatternDeleteClick);
  connect(pattern_clear_button_, &QPushButton::clicked, this, &TBetPatternForm::BtnAllClearClick);

  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(bar_rows);
  layout->addWidget(cards);
  layout->addStretch();
  return page;
}

QWidget* TBetPatternForm::BuildSpecialPage() {
  FileBar bar;
  QVBoxLayout* bar_rows = MakeFileBar(QStringLiteral("SpecialCombo"), QStringLiteral("Special"),
                                      "登録パターン", "パターン名", bar);
  special_combo_ = bar.combo;
  special_name_edit_ = bar.name;
  special_load_button_ = bar.load;
  special_save_button_ = bar.save;
  special_delete_button_ = bar.remove;
  special_clear_button_ = bar.clear;

  // Fixed strategy: the first bet and one rule for every round.
  fixed_radio_ = new QRadioButton(ToQt(st::kFixedStrategy));
  fixed_radio_->setObjectName(QStringLiteral("FixedStrategyRadio"));
  fixed_controls_ = new QWidget;
  auto* fixed_layout = new QVBoxLayout(fixed_controls_);
  fixed_layout->setContentsMargins(24, 0, 0, 0);
  auto* first_row = new QHBoxLayout;
  first_row->addWidget(MakeLabel("初回ベット"));
  first_bet_label_ = SideLabel(QStringLiteral("FirstBetLabel"));
  first_row->addWidget(first_bet_label_);
  for (int i = 0; i < 2; ++i) {
    first_bet_buttons_[i] = MakeButton(kSides[i], QStringLiteral("BtnFirstBet%1").arg(kSides[i]));
    first_bet_buttons_[i]->setFixedWidth(44);
    first_row->addWidget(first_bet_buttons_[i]);
    const std::string side = kSides[i];
    connect(first_bet_buttons_[i], &QPushButton::clicked, this, [this, side] {
      model_.SetFirstBet(side);
      Refresh();
    });
  }
  first_row->addStretch();
  fixed_layout->addLayout(first_row);
  select_group_ = new QButtonGroup(this);
  for (int rule = 1; rule <= 4; ++rule) {
    auto* radio = new QRadioButton(ToQt(st::kSelectCaptions[rule - 1]));
    radio->setObjectName(QStringLiteral("SelectRadio%1").arg(rule));
    select_group_->addButton(radio, rule);
    select_radios_.push_back(radio);
    fixed_layout->addWidget(radio);
  }
  connect(select_group_, &QButtonGroup::idClicked, this, [this](int rule) {
    model_.SetSelect(rule);
    Refresh();
  });
  auto* fixed_box = new QGroupBox;
  auto* fixed_box_layout = new QVBoxLayout(fixed_box);
  fixed_box_layout->addWidget(fixed_radio_);
  fixed_box_layout->addWidget(fixed_controls_);
  fixed_box_layout->addStretch();

  // Condition strategy: up to three conditions in priority order, and the side when none holds.
  condition_radio_ = new QRadioButton(ToQt(st::kConditionStrategy));
  condition_radio_->setObjectName(QStringLiteral("ConditionStrategyRadio"));
  condition_controls_ = new QWidget;
  auto* condition_layout = new QVBoxLayout(condition_controls_);
  condition_layout->setContentsMargins(24, 0, 0, 0);
  auto* default_row = new QHBoxLayout;
  default_row->addWidget(MakeLabel("条件に当てはまらない場合のベット"));
  default_side_label_ = SideLabel(QStringLiteral("DefaultSideLabel"));
  default_row->addWidget(default_side_label_);
  for (int i = 0; i < 2; ++i) {
    default_side_buttons_[i] =
        MakeButton(kSides[i], QStringLiteral("BtnDefaultSide%1").arg(kSides[i]));
    default_side_buttons_[i]->setFixedWidth(44);
    default_row->addWidget(default_side_buttons_[i]);
    const std::string side = kSides[i];
    connect(default_side_buttons_[i], &QPushButton::clicked, this, [this, side] {
      model_.SetDefaultSide(side);
      Refresh();
    });
  }
  default_row->addStretch();
  condition_layout->addLayout(default_row);

  const char* const* streak_captions[2] = {st::kPriority1Caption, st::kPriority2Caption};
  for (int priority = 1; priority <= 3; ++priority) {
    const char* head = priority < 3 ? streak_captions[priority - 1][0] : st::kPriority3Caption[0];
    const char* tail = priority < 3 ? streak_captions[priority - 1][1] : st::kPriority3Caption[1];
    auto* check = new QCheckBox(QString::fromUtf8(head));
    check->setObjectName(QStringLiteral("ConditionCheck%1").arg(priority));
    condition_checks_.push_back(check);
    connect(check, &QCheckBox::toggled, this, [this, priority](bool on) {
      if (refreshing_) return;
      model_.SetConditionEnabled(priority, on);
      Refresh();
    });
    auto* combo = new QComboBox;
    combo->setEditable(false);
    if (priority < 3) {
      combo->setObjectName(QStringLiteral("RunLengthCombo%1").arg(priority));
      combo->addItem(ToQt(st::kChoosePrompt));
      for (int n : PatternEditorModel::kRunLengths) combo->addItem(QString::number(n));
      run_length_combos_.push_back(combo);
      connect(combo, &QComboBox::currentIndexChanged, this, [this, priority](int index) {
        if (refreshing_ || index < 0) return;
        model_.SetRunLength(priority,
                            index == 0 ? 0 : PatternEditorModel::kRunLengths.at(index - 1));
      });
    } else {
      combo->setObjectName(QStringLiteral("FaceListCombo"));
      combo->setMinimumWidth(200);
      face_list_combo_ = combo;
      connect(combo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!refreshing_) model_.ChooseFaceList(ChoiceIndex(index));
      });
    }
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(check);
    row->addWidget(combo);
    row->addWidget(new QLabel(QString::fromUtf8(tail)));
    row->addStretch();
    condition_layout->addLayout(row);
  }
  auto* condition_box = new QGroupBox;
  auto* condition_box_layout = new QVBoxLayout(condition_box);
  condition_box_layout->addWidget(condition_radio_);
  condition_box_layout->addWidget(condition_controls_);
  condition_box_layout->addStretch();

  // The face pattern lists are files of their own; editing them does not depend on the strategy.
  face_editor_button_ = MakeButton(st::kAddEditFacePatterns, QStringLiteral("BtnFaceEditor"));
  connect(face_editor_button_, &QPushButton::clicked, this, &TBetPatternForm::BtnFaceEditorClick);
  auto* face_row = new QHBoxLayout;
  face_row->addStretch();
  face_row->addWidget(face_editor_button_);
  condition_box_layout->addLayout(face_row);

  auto* strategies = new QButtonGroup(this);
  strategies->addButton(fixed_radio_);
  strategies->addButton(condition_radio_);
  connect(fixed_radio_, &QRadioButton::toggled, this, [this](bool on) {
    if (refreshing_ || !on) return;
    model_.ChooseStrategy(PatternEditorModel::Strategy::kFixed);
    Refresh();
  });
  connect(condition_radio_, &QRadioButton::toggled, this, [this](bool on) {
    if (refreshing_ || !on) return;
    model_.ChooseStrategy(PatternEditorModel::Strategy::kCondition);
    Refresh();
  });

  connect(special_combo_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!refreshing_) model_.ChooseSpecial(ChoiceIndex(index));
  });
  connect(special_name_edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!refreshing_) model_.SetSpecialName(FromQt(text));
  });
  connect(special_load_button_, &QPushButton::clicked, this, &TBetPatternForm::BtnSpecialLoadClick);
  connect(special_save_button_, &QPushButton::clicked, this, &TBetPatternForm::BtnSpecialSaveClick);
  connect(special_delete_button_, &QPushButton::clicked, this,
          &TBetPatternForm::BtnSpecialDeleteClick);
  connect(special_clear_button_, &QPushButton::clicked, this, &TBetPatternForm::BtnAllClearClick);

  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(bar_rows);
  layout->addWidget(fixed_box);
  layout->addWidget(condition_box);
  layout->addStretch();
  return page;
}

void TBetPatternForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!RunOnce(shown_)) return;
  model_.Show();
  Refresh();
  CenterOver(parentWidget(), this, 0.5, 0.5);
}

void TBetPatternForm::Refresh() {
  refreshing_ = true;
  ShowChoice(pattern_combo_, model_.patterns());
  if (FromQt(pattern_name_edit_->text()) != model_.pattern_name())
    pattern_name_edit_->setText(ToQt(model_.pattern_name()));
  for (CardTile* tile : tiles_) tile->SetCard(model_.card(tile->number()));

  ShowChoice(special_combo_, model_.specials());
  if (FromQt(special_name_edit_->text()) != model_.special_name())
    special_name_edit_->setText(ToQt(model_.special_name()));
  const SpecialPatternDefinition& special = model_.special();
  const bool fixed = special.strategy == PatternEditorModel::Strategy::kFixed;
  fixed_radio_->setChecked(fixed);
  condition_radio_->setChecked(!fixed);
  fixed_controls_->setEnabled(fixed);
  condition_controls_->setEnabled(!fixed);
  ShowSide(first_bet_label_, model_.first_bet());
  ShowSide(default_side_label_, model_.default_side());
  if (special.select >= 1 && special.select <= 4)
    select_radios_[special.select - 1]->setChecked(true);
  for (int i = 0; i < 2; ++i) {
    condition_checks_[i]->setChecked(special.streaks[i].enabled);
    int index = 0;
    for (size_t k = 0; k < PatternEditorModel::kRunLengths.size(); ++k)
      if (PatternEditorModel::kRunLengths[k] == special.streaks[i].run_length)
        index = static_cast<int>(k) + 1;
    run_length_combos_[i]->setCurrentIndex(index);
  }
  condition_checks_[2]->setChecked(special.face_enabled);
  ShowChoice(face_list_combo_, model_.face_lists());
  refreshing_ = false;
}

void TBetPatternForm::BtnSetCardClick(int number) {
  TCardSettingDlg2 dialog(number, model_.card(number), dialogs_.given(), this);
  dialog.adjustSize();
  CenterOver(this, &dialog, 0.5, 0.5);
  if (dialog.exec() != QDialog::Accepted) return;
  model_.ApplyCard(number, dialog.model());
  Refresh();
}

void TBetPatternForm::BtnPatternLoadClick() {
  model_.LoadPattern();
  Refresh();
}

void TBetPatternForm::BtnPatternSaveClick() {
  model_.SavePattern();
  Refresh();
}

void TBetPatternForm::BtnPatternDeleteClick() {
  model_.DeletePattern();
  Refresh();
}

void TBetPatternForm::BtnSpecialLoadClick() {
  model_.LoadSpecial();
  Refresh();
}

void TBetPatternForm::BtnSpecialSaveClick() {
  model_.SaveSpecial();
  Refresh();
}

void TBetPatternForm::BtnSpecialDeleteClick() {
  model_.DeleteSpecial();
  Refresh();
}

void TBetPatternForm::BtnAllClearClick() {
  model_.AllClear();
  Refresh();
}

void TBetPatternForm::BtnFaceEditorClick() {
  {
    TMakeFaceCardForm editor(program_folder_, dialogs_.given(), nullptr, this);
    editor.exec();
  }
  model_.RefillFaceLists();
  Refresh();
}

}  // namespace vessaro
