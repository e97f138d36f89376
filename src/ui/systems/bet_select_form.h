// The side dialog "ベット先の選択" of the face pattern editor, and the BetSelectPort that opens it.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <string>

#include "systems/face_editor.h"

namespace vessaro {

class TBetSelectForm : public QDialog {
  Q_OBJECT
 public:
  // caption: the sequence followed by " のパターンが発生した場合 " (BetSelectCaption).
  explicit TBetSelectForm(std::string_view caption, QWidget* parent = nullptr);

  // "P", "B", or "" when the dialog was closed without a choice.
  const std::string& side() const { return side_; }

  // As shown; WithoutBreaks gives the caption back.
  QLabel* caption_label() const { return caption_; }
  QPushButton* player_button() const { return player_button_; }
  QPushButton* banker_button() const { return banker_button_; }

 public slots:
  void BtnPlayerClick();
  void BtnBankerClick();

 private:
  std::string side_;
  QLabel* caption_ = nullptr;
  QPushButton* player_button_ = nullptr;
  QPushButton* banker_button_ = nullptr;
};

// Opens TBetSelectForm modally over the owner.
class QtBetSelect : public BetSelectPort {
 public:
  explicit QtBetSelect(QWidget* owner) : owner_(owner) {}
  std::string ChooseBetSide(std::string_view caption) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace vessaro
