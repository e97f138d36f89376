// The logic of the system editor "ベットシステム設定" and of its card dialog "システムカード設定":
// every command, check and message, so the windows only show the state and forward clicks.
#pragma once

#include <string>
#include <vector>

#include "common/files.h"
#include "common/ports.h"
#include "systems/card_deck.h"
#include "systems/folders.h"

namespace vessaro {

// The card dialog: the window binds its three edits to fields and calls the commands.
class SystemCardDialogModel {
 public:
  explicit SystemCardDialogModel(CardFields card = {}) : fields(std::move(card)) {}

  CardFields fields;  // as typed: stake, win-next, lose-next

  // "OK": true when the dialog closes with result() to store; false keeps it open (a message has
  // been shown, and a refused percent stake is shown again with its "%").
  bool Confirm(Dialogs& dialogs);
  // Enter in the stake field: true to move on to win-next; "空白です" when the stake is empty.
  bool EnterInStake(Dialogs& dialogs);
  // Enter in lose-next: runs Confirm; "空白です" (and false) when lose-next is empty.
  bool EnterInLose(Dialogs& dialogs);

  const CardFields& result() const { return result_; }

 private:
  CardFields result_;
};

class SystemEditorModel {
 public:
  SystemEditorModel(fs::path program_folder, Dialogs& dialogs);

  // Every time the editor is shown: the list is refilled from the betpattern folder.
  void Show();

  const NameChoice& systems() const { return systems_; }
  void ChooseSystem(int index) { systems_.selected = index; }
  const std::string& name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  const std::vector<CardFields>& cards() const { return cards_; }
  const CardFields& card(int number) const { return cards_.at(number - 1); }
  // "設定する" of a card: the dialog on that card's fields; after its OK, ApplyCard stores it.
  SystemCardDialogModel OpenCard(int number) const { return SystemCardDialogModel(card(number)); }
  void ApplyCard(int number, const SystemCardDialogModel& dialog) {
    cards_.at(number - 1) = dialog.result();
  }

  // "読み込み": empties the cards and the name, then loads the chosen system.
  void Load();
  // "保存": checks, asks before overwriting, writes the 60 cards. True when saved.
  bool Save();
  // "パターン削除": deletes the chosen system's file.
  void Delete();
  // "オールクリア".
  void AllClear();

 private:
  fs::path program_folder_;
  Dialogs& dialogs_;
  NameChoice systems_;
  std::string name_;
  std::vector<CardFields> cards_;
};

}  // namespace vessaro
