#include "ui/systems/bet_sys_pattern_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

#include "systems/messages.h"
#include "ui/common/qt_ports.h"
#include "ui/common/window_helpers.h"
#include "ui/systems/ashfinch2_form.h"
#include "ui/systems/card_setting_dlg.h"

namespace vessaro {

namespace st = systems_text;

namespace {

constexpr int kCardsPerPage = 20;
constexpr int kTileColumns = 5;
constexpr std::array<const char*, 3> kCaptions = {"ベット額", "勝ち →", "負け →"};

}  // namespace

TBetSysPatternForm::TBetSysPatternForm(const fs::path& program_folder, Dialogs* dialogs,
                                       QWidget* parent)
    : QDialog(parent),
      program_folder_(program_folder),
      dialogs_(dialogs, this),
      model_(program_folder, dialogs_.get()) {
  setObjectName(QStringLiteral("BetSysPatternForm"));
  setWindowTitle(ToQt(st::kSystemEditorTitle));
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

  tabs_ = new QTabWidget;
  tabs_->setObjectName(QStringLiteral("CardPages"));
  for (int page = 0; page < 3; ++page) {
    QWidget* cards = MakeCardPage(page * kCardsPerPage + 1, kCardsPerPage, kTileColumns, kCaptions,
                                  false, tiles_);
    tabs_->addTab(cards, ToQt(st::kSystemPages[page]));
  }
  for (CardTile* tile : tiles_)
    connect(tile, &CardTile::SetClicked, this, &TBetSysPatternForm::BtnSetCardClick);

  auto* ashfinch_page = new QWidget;
  auto* ashfinch_layout = new QVBoxLayout(ashfinch_page);
  auto* ashfinch_text = MakeLabel(
      "カードの代わりに、負けた単位数からベット額を計算するシステムです。\n"
      "N・R・Pの3つのモードを設定し、システム名を付けて保存します。");
  ashfinch_button_ =
      MakeButton("AshfinchBasic ver. 2.1 の設定を開く", QStringLiteral("BtnAshfinch"));
  ashfinch_layout->addWidget(ashfinch_text);
  ashfinch_layout->addWidget(ashfinch_button_, 0, Qt::AlignLeft);
  ashfinch_layout->addStretch();
  tabs_->addTab(ashfinch_page, QStringLiteral("AshfinchBasic"));

  connect(system_combo_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!refreshing_) model_.ChooseSystem(ChoiceIndex(index));
  });
  connect(name_edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!refreshing_) model_.SetName(FromQt(text));
  });
  connect(load_button_, &QPushButton::clicked, this, &TBetSysPatternForm::BtnLoadClick);
  connect(save_button_, &QPushButton::clicked, this, &TBetSysPatternForm::BtnSaveClick);
  connect(delete_button_, &QPushButton::clicked, this, &TBetSysPatternForm::BtnDeleteClick);
  connect(clear_button_, &QPushButton::clicked, this, &TBetSysPatternForm::BtnAllClearClick);
  connect(close_button_, &QPushButton::clicked, this, &QDialog::accept);
  connect(ashfinch_button_, &QPushButton::clicked, this, &TBetSysPatternForm::BtnAshfinchClick);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar_rows);
  layout->addWidget(tabs_);
  Refresh();
}

void TBetSysPatternForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  model_.Show();
  Refresh();
  CenterOver(parentWidget(), this, 0.5, 0.5);
}

void TBetSysPatternForm::Refresh() {
  refreshing_ = true;
  ShowChoice(system_combo_, model_.systems());
  if (FromQt(name_edit_->text()) != model_.name()) name_edit_->setText(ToQt(model_.name()));
  for (CardTile* tile : tiles_) tile->SetCard(model_.card(tile->number()));
  refreshing_ = false;
}

void TBetSysPatternForm::BtnSetCardClick(int number) {
  TCardSettingDlg dialog(number, model_.card(number), dialogs_.given(), this);
  dialog.adjustSize();
  CenterOver(this, &dialog, 0.5, 0.5);
  if (dialog.exec() != QDialog::Accepted) return;
  model_.ApplyCard(number, dialog.model());
  Refresh();
}

void TBetSysPatternForm::BtnLoadClick() {
  model_.Load();
  Refresh();
}

void TBetSysPatternForm::BtnSaveClick() {
  model_.Save();
  Refresh();
}

void TBetSysPatternForm::BtnDeleteClick() {
  model_.Delete();
  Refresh();
}

void TBetSysPatternForm::BtnAllClearClick() {
  model_.AllClear();
  Refresh();
}

void TBetSysPatternForm::BtnAshfinchClick() {
  {
    TAshfinch2Form editor(program_folder_, dialogs_.given(), this);
    editor.exec();
  }
  // An Ashfinch system saved or deleted there belongs to this list too; the choice survives when
  // its file still exists.
  const std::string chosen = model_.systems().HasChoice() ? model_.systems().Shown() : "";
  model_.Show();
  const std::vector<std::string>& names = model_.systems().names;
  for (size_t i = 0; i < names.size(); ++i)
    if (!chosen.empty() && names[i] == chosen) model_.ChooseSystem(static_cast<int>(i));
  Refresh();
}

}  // namespace vessaro
