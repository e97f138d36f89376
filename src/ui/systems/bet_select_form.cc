#include "ui/systems/bet_select_form.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "systems/messages.h"
#include "ui/common/qt_ports.h"
#include "ui/common/window_helpers.h"
#include "ui/systems/editor_widgets.h"

namespace vessaro {

namespace st = systems_text;

TBetSelectForm::TBetSelectForm(std::string_view caption, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("BetSelectForm"));
  setWindowTitle(ToQt(st::kBetSelectTitle));
  setModal(true);

  caption_ = new QLabel(BreakAnywhere(ToQt(caption)));
  caption_->setObjectName(QStringLiteral("CaptionLabel"));
  // A sequence may hold 72 letters; it wraps rather than widening the dialog off the screen.
  caption_->setWordWrap(true);
  caption_->setMinimumWidth(360);
  caption_->setMaximumWidth(560);
  QFont font = caption_->font();
  font.setPointSizeF(font.pointSizeF() * 1.2);
  caption_->setFont(font);

  player_button_ = MakeButton(st::kBetPlayer, QStringLiteral("BtnPlayer"));
  player_button_->setStyleSheet(QStringLiteral("color: #1f4fbf; font-weight: bold;"));
  banker_button_ = MakeButton(st::kBetBanker, QStringLiteral("BtnBanker"));
  banker_button_->setStyleSheet(QStringLiteral("color: #c02020; font-weight: bold;"));
  connect(player_button_, &QPushButton::clicked, this, &TBetSelectForm::BtnPlayerClick);
  connect(banker_button_, &QPushButton::clicked, this, &TBetSelectForm::BtnBankerClick);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(player_button_);
  buttons->addWidget(banker_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TBetSelectForm::BtnPlayerClick() {
  side_ = "P";
  accept();
}

void TBetSelectForm::BtnBankerClick() {
  side_ = "B";
  accept();
}

std::string QtBetSelect::ChooseBetSide(std::string_view caption) {
  TBetSelectForm form(caption, owner_);
  form.adjustSize();
  CenterOver(owner_, &form, 0.5, 0.5);
  form.exec();
  return form.side();
}

}  // namespace vessaro
