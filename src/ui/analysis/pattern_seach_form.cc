#include "ui/analysis/pattern_seach_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "analysis/analysis_texts.h"
#include "common/text.h"
#include "ui/analysis/analysis_widgets.h"
#include "ui/common/qt_ports.h"

namespace vessaro {

TPatternSeachForm::TPatternSeachForm(int max_pattern_length, Dialogs* dialogs, QWidget* parent)
    : QDialog(parent),
      own_dialogs_(dialogs != nullptr ? nullptr : std::make_unique<QtDialogs>(this)),
      dialogs_(dialogs != nullptr ? *dialogs : *own_dialogs_),
      grid_(SearchPatternGridLimits(max_pattern_length)) {
  setObjectName(QStringLiteral("PatternSeachForm"));
  setWindowTitle(QString::fromUtf8(analysis_texts::kPatternEntryCaption));
  setModal(true);

  view_ = new RoadGridView(&grid_);
  view_->setObjectName(QStringLiteral("PatternGrid"));
  player_button_ = MakeButton("PLAYER", "BtnPlayer");
  banker_button_ = MakeButton("BANKER", "BtnBanker");
  StyleSideButton(player_button_, 'P');
  StyleSideButton(banker_button_, 'B');
  delete_last_button_ = MakeButton("最後を削除", "BtnDeleteLast");
  delete_all_button_ = MakeButton("すべて削除", "BtnDeleteAll");
  set_button_ = MakeButton("このパターンを設定", "BtnSet");
  cancel_button_ = MakeButton("キャンセル", "BtnCancel");

  auto* note = new QLabel(QString::fromUtf8("PLAYER / BANKER のボタンで検索したい出現パターンを入力してください"));
  auto* sides = new QHBoxLayout;
  sides->addWidget(player_button_);
  sides->addWidget(banker_button_);
  sides->addStretch();
  sides->addWidget(delete_last_button_);
  sides->addWidget(delete_all_button_);
  auto* ends = new QHBoxLayout;
  ends->addStretch();
  ends->addWidget(set_button_);
  ends->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note);
  layout->addWidget(view_, 0, Qt::AlignHCenter);
  layout->addLayout(sides);
  layout->addLayout(ends);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(player_button_, &QPushButton::clicked, this, &TPatternSeachForm::BtnPlayerClick);
  connect(banker_button_, &QPushButton::clicked, this, &TPatternSeachForm::BtnBankerClick);
  connect(delete_last_button_, &QPushButton::clicked, this, &TPatternSeachForm::BtnDeleteLastClick);
  connect(delete_all_button_, &QPushButton::clicked, this, &TPatternSeachForm::BtnDeleteAllClick);
  connect(set_button_, &QPushButton::clicked, this, &TPatternSeachForm::BtnSetClick);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
}

TPatternSeachForm::~TPatternSeachForm() = default;

void TPatternSeachForm::Add(char letter) {
  if (std::optional<std::string> refused = grid_.Add(letter)) {
    dialogs_.ShowMessage(*refused, MessageKind::kWarning);
    return;
  }
  view_->update();
}

void TPatternSeachForm::BtnPlayerClick() { Add('P'); }
void TPatternSeachForm::BtnBankerClick() { Add('B'); }

void TPatternSeachForm::BtnDeleteLastClick() {
  grid_.DeleteLast();
  view_->update();
}

void TPatternSeachForm::BtnDeleteAllClick() {
  grid_.Clear();
  view_->update();
}

void TPatternSeachForm::BtnSetClick() {
  std::string letters = Trim(grid_.ReadOut());
  pattern_ = letters.empty() ? std::nullopt : std::optional<std::string>(letters);
  accept();
}

}  // namespace vessaro
