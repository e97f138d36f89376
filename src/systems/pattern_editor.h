// The logic of the pattern editor "ベットパターン設定": its page "固定パターン設定" with the card
// dialog "パターンカード設定", and its page "特殊パターン設定（条件・螺旋）".
#pragma once

#include <array>
#include <string>
#include <vector>

#include "common/files.h"
#include "common/ports.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "systems/special_pattern.h"

namespace vessaro {

class PatternCardDialogModel {
 public:
  explicit PatternCardDialogModel(CardFields card = {}) : fields(std::move(card)) {}

  CardFields fields;  // as typed: side, win-next, lose-next

  void PressPlayer() { fields.first = "P"; }  // "PLAYER"
  void PressBanker() { fields.first = "B"; }  // "BANKER"
  // "OK": true when the dialog closes with result() to store.
  bool Confirm(Dialogs& dialogs);
  // Enter in win-next: true to move on to lose-next; "空白です" when win-next is empty.
  bool EnterInWin(Dialogs& dialogs);

  const CardFields& result() const { return result_; }

 private:
  CardFields result_;
};

class PatternEditorModel {
 public:
  using Strategy = SpecialPatternDefinition::Strategy;
  static constexpr std::array<int, 14> kRunLengths = {2, 3,  4,  5,  6,  7,  8,
                                                      9, 10, 11, 12, 13, 14, 15};

  PatternEditorModel(fs::path program_folder, Dialogs& dialogs);

  // The first display: fills the pattern lists of both pages and the face pattern lists.
  void Show();

  // --- Page "固定パターン設定".
  const NameChoice& patterns() const { return patterns_; }
  void ChoosePattern(int index) { patterns_.selected = index; }
  const std::string& pattern_name() const { return pattern_name_; }
  void SetPatternName(std::string name) { pattern_name_ = std::move(name); }
  const std::vector<CardFields>& cards() const { return cards_; }
  const CardFields& card(int number) const { return cards_.at(number - 1); }
  PatternCardDialogModel OpenCard(int number) const { return PatternCardDialogModel(card(number)); }
  void ApplyCard(int number, const PatternCardDialogModel& dialog) {
    cards_.at(number - 1) = dialog.result();
  }
  void LoadPattern();    // "読み込み"
  bool SavePattern();    // "保存"
  void DeletePattern();  // "パターン削除"

  // --- Page "特殊パターン設定（条件・螺旋）".
  const NameChoice& specials() const { return specials_; }
  void ChooseSpecial(int index) { specials_.selected = index; }
  const std::string& special_name() const { return special_name_; }
  void SetSpecialName(std::string name) { special_name_ = std::move(name); }
  const SpecialPatternDefinition& special() const { return special_; }
  // The strategies exclude each other: choosing one resets the other's controls.
  void ChooseStrategy(Strategy strategy);
  // "P"/"B" buttons of the fixed strategy's first bet and of the condition strategy's default
  // side; each works only while its strategy is chosen.
  void SetFirstBet(std::string_view side);
  void SetDefaultSide(std::string_view side);
  std::string first_bet() const;
  std::string default_side() const;
  void SetSelect(int rule);  // 1 to 4
  // Priorities 1 and 2 (streaks) and 3 (face pattern list).
  void SetConditionEnabled(int priority, bool enabled);
  void SetRunLength(int priority, int run_length);  // one of kRunLengths, 0 for none
  const NameChoice& face_lists() const { return face_lists_; }
  void ChooseFaceList(int index);
  // After "フェイスパターンの追加・編集" has closed the face pattern editor.
  void RefillFaceLists();
  void LoadSpecial();    // "読み込み"
  bool SaveSpecial();    // "保存"
  void DeleteSpecial();  // "パターン削除"

  // "オールクリア" of either page: both pages and both lists.
  void AllClear();

 private:
  void ClearFixedPage();
  void ClearSpecialPage();
  void RefillPatternLists();

  fs::path program_folder_;
  Dialogs& dialogs_;
  NameChoice patterns_;
  std::string pattern_name_;
  std::vector<CardFields> cards_;
  NameChoice specials_;
  std::string special_name_;
  SpecialPatternDefinition special_;
  NameChoice face_lists_;
};

}  // namespace vessaro
