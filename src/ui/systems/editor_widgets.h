// Pieces the betting-system editors share: the compact card tile of the card pages, name
// drop-downs that mirror a NameChoice, and the buttons and fields every editor builds the same way.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "common/ports.h"
#include "systems/card_deck.h"
#include "systems/folders.h"

namespace vessaro {

// A command button. Enter in a field never presses it: fields give Enter their own meaning.
QPushButton* MakeButton(const char* text, const QString& object_name);
QLabel* MakeLabel(const char* text);
// A short field for a number; the width fits a few digits.
QLineEdit* MakeNumberEdit(const QString& object_name, int width = 56);

// The file commands at the top of an editor: the list of saved names with load, delete and all
// clear, and the name field with save (and the window's close command, when given).
struct FileBar {
  QComboBox* combo = nullptr;
  QLineEdit* name = nullptr;
  QPushButton* load = nullptr;
  QPushButton* save = nullptr;
  QPushButton* remove = nullptr;
  QPushButton* clear = nullptr;
};
// Object names: combo_name for the list, "Btn" + prefix + "Load" (Save, Delete, AllClear) for the
// commands and prefix + "NameEdit" for the name field.
QVBoxLayout* MakeFileBar(const QString& combo_name, const QString& prefix, const char* list_label,
                         const char* name_label, FileBar& bar, QPushButton* close = nullptr);

// Puts the prompt and the names into the drop-down (only when they changed, so an open popup is
// left alone) and shows the choice. Emits no signal.
void ShowChoice(QComboBox* combo, const NameChoice& choice);
// The text with a break opportunity between any two letters, for showing long result sequences
// ("PPPP...B", up to 72 letters) in a wrapping label or list instead of cutting them off.
QString BreakAnywhere(const QString& text);
// The shown text back without those break opportunities.
QString WithoutBreaks(QString text);

// The drop-down index of a choice (0 is the prompt) back to a NameChoice index (-1 the prompt).
inline int ChoiceIndex(int combo_index) { return combo_index - 1; }

// The Dialogs a window uses: the one handed in, or message boxes over the window itself.
class DialogsHolder {
 public:
  DialogsHolder(Dialogs* given, QWidget* owner);
  Dialogs& get() { return given_ != nullptr ? *given_ : *own_; }
  // What child windows are handed: the same port, or nullptr so they build their own over
  // themselves.
  Dialogs* given() const { return given_; }

 private:
  Dialogs* given_;
  std::unique_ptr<Dialogs> own_;
};

// One card of a deck: its number, its three fields in short and the "設定する" button.
class CardTile : public QFrame {
  Q_OBJECT
 public:
  // captions: what the three fields mean ("ベット額", "勝ち →", "負け →").
  CardTile(int number, const std::array<const char*, 3>& captions, QWidget* parent = nullptr);

  int number() const { return number_; }
  void SetCard(const CardFields& card);
  // Side letters are coloured as on the table (Player blue, Banker red).
  void set_side_colours(bool on) { side_colours_ = on; }

  QLabel* value(int field) const { return values_[field]; }
  QPushButton* set_button() const { return set_button_; }

 signals:
  void SetClicked(int number);

 private:
  int number_;
  bool side_colours_ = false;
  std::array<QLabel*, 3> values_{};
  QPushButton* set_button_ = nullptr;
};

// A page of tiles for cards first..first+count-1, laid out in rows of columns.
QWidget* MakeCardPage(int first, int count, int columns, const std::array<const char*, 3>& captions,
                      bool side_colours, std::vector<CardTile*>& tiles);

}  // namespace vessaro
