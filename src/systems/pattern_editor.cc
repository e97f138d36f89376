#include "systems/pattern_editor.h"

#include <algorithm>

#include "common/format.h"
#include "common/names.h"
#include "common/text.h"
#include "systems/editor_common.h"
#include "systems/messages.h"

namespace vessaro {

namespace st = systems_text;

namespace {

bool IsListedRunLength(int n) {
  const auto& listed = PatternEditorModel::kRunLengths;
  return std::find(listed.begin(), listed.end(), n) != listed.end();
}

}  // namespace

bool PatternCardDialogModel::Confirm(Dialogs& dialogs) {
  if (fields.first.empty() || fields.win.empty() || fields.lose.empty()) {
    if (!fields.win.empty() || !fields.lose.empty()) {
      dialogs.ShowMessage(st::kHasBlanks, MessageKind::kWarning);
      return false;
    }
    fields.first.clear();
    result_ = CardFields{};
    return true;
  }
  if (fields.first != "P" && fields.first != "B") {
    dialogs.ShowMessage(st::kSideLetter, MessageKind::kWarning);
    return false;
  }
  if (!DigitsInRange(fields.win, 1, kPatternCardCount) ||
      !DigitsInRange(fields.lose, 1, kPatternCardCount)) {
    dialogs.ShowMessage(st::kHalfWidthDigits, MessageKind::kWarning);
    return false;
  }
  result_ = fields;
  return true;
}

bool PatternCardDialogModel::EnterInWin(Dialogs& dialogs) {
  if (!fields.win.empty()) return true;
  dialogs.ShowMessage(st::kBlank, MessageKind::kWarning);
  return false;
}

PatternEditorModel::PatternEditorModel(fs::path program_folder, Dialogs& dialogs)
    : program_folder_(std::move(program_folder)),
      dialogs_(dialogs),
      patterns_{st::kPatternPrompt, {}, -1},
      cards_(kPatternCardCount),
      specials_{st::kPatternPrompt, {}, -1},
      face_lists_{st::kChoosePrompt, {}, -1} {}

void PatternEditorModel::Show() {
  GuardFileErrors(dialogs_, [&] {
    RefillPatternLists();
    face_lists_.Refill(ListFaceListNames(program_folder_));
  });
}

void PatternEditorModel::RefillPatternLists() {
  patterns_.Refill(ListPatternNames(program_folder_));
  specials_.Refill(ListSpecialPatternNames(program_folder_));
}

void PatternEditorModel::ClearFixedPage() {
  cards_.assign(kPatternCardCount, CardFields{});
  pattern_name_.clear();
}

void PatternEditorModel::ClearSpecialPage() {
  special_ = SpecialPatternDefinition{};
  special_name_.clear();
  face_lists_.Reset();
}

void PatternEditorModel::LoadPattern() {
  ClearFixedPage();
  GuardFileErrors(dialogs_, [&] {
    fs::path path = PatternFilePath(program_folder_, patterns_.Shown());
    if (!patterns_.HasChoice() || !FileExists(path)) {
      dialogs_.ShowMessage(st::kPatternFileMissing, MessageKind::kWarning);
      return;
    }
    cards_ = ReadCardFile(path, kPatternCardCount);
    pattern_name_ = patterns_.Shown();
  });
}

bool PatternEditorModel::SavePattern() {
  return GuardFileErrors(dialogs_, [&] {
    const std::string name = Trim(pattern_name_);
    if (name.empty()) {
      dialogs_.ShowMessage(st::kEnterPatternName, MessageKind::kWarning);
      return false;
    }
    if (auto refusal = CheckNameCharacters(name, NameKind::kFile)) {
      dialogs_.ShowMessage(*refusal, MessageKind::kWarning);
      return false;
    }
    if (auto problem = CheckDeck(cards_, false)) {
      dialogs_.ShowMessage(*problem, MessageKind::kWarning);
      return false;
    }
    fs::path path = PatternFilePath(program_folder_, name);
    if (FileExists(path) && !dialogs_.AskYesNo(st::kPatternExists)) return false;
    WriteCardFile(path, cards_);
    patterns_.AddIfMissing(name);
    dialogs_.ShowMessage(st::kSaved, MessageKind::kInformation);
    return true;
  });
}

void PatternEditorModel::DeletePattern() {
  GuardFileErrors(dialogs_, [&] {
    if (!patterns_.HasChoice()) {
      dialogs_.ShowMessage(st::kChoosePatternToDelete, MessageKind::kWarning);
      return;
    }
    fs::path path = PatternFilePath(program_folder_, patterns_.Shown());
    if (!FileExists(path)) {
      dialogs_.ShowMessage(st::kSettingsFileMissing, MessageKind::kWarning);
      return;
    }
    if (!DeleteFileIfExists(path)) ThrowIoError(IoAction::kDelete, path);
    RefillPatternLists();
    ClearFixedPage();
    dialogs_.ShowMessage(st::kDeleted, MessageKind::kInformation);
  });
}

void PatternEditorModel::ChooseStrategy(Strategy strategy) {
  if (strategy == special_.strategy) return;
  SpecialPatternDefinition fresh;
  fresh.strategy = strategy;
  special_ = fresh;
  face_lists_.Reset();
}

void PatternEditorModel::SetFirstBet(std::string_view side) {
  if (special_.strategy == Strategy::kFixed && (side == "P" || side == "B"))
    special_.otherbets = side;
}

void PatternEditorModel::SetDefaultSide(std::string_view side) {
  if (special_.strategy == Strategy::kCondition && (side == "P" || side == "B"))
    special_.otherbets = side;
}

std::string PatternEditorModel::first_bet() const {
  return special_.strategy == Strategy::kFixed ? special_.otherbets : std::string();
}

std::string PatternEditorModel::default_side() const {
  return special_.strategy == Strategy::kCondition ? special_.otherbets : std::string();
}

void PatternEditorModel::SetSelect(int rule) {
  if (special_.strategy == Strategy::kFixed && rule >= 1 && rule <= 4) special_.select = rule;
}

void PatternEditorModel::SetConditionEnabled(int priority, bool enabled) {
  if (special_.strategy != Strategy::kCondition) return;
  if (priority == 1 || priority == 2) special_.streaks[priority - 1].enabled = enabled;
  if (priority == 3) special_.face_enabled = enabled;
}

void PatternEditorModel::SetRunLength(int priority, int run_length) {
  if (special_.strategy != Strategy::kCondition || (priority != 1 && priority != 2)) return;
  if (run_length == 0 || IsListedRunLength(run_length))
    special_.streaks[priority - 1].run_length = run_length;
}

void PatternEditorModel::ChooseFaceList(int index) {
  if (special_.strategy != Strategy::kCondition) return;
  face_lists_.selected = index;
  special_.face_list = face_lists_.HasChoice() ? face_lists_.Shown() : std::string();
}

void PatternEditorModel::RefillFaceLists() {
  GuardFileErrors(dialogs_, [&] {
    face_lists_.Refill(ListFaceListNames(program_folder_));
    // A list deleted meanwhile must not be saved by name as if it were still chosen.
    if (!face_lists_.Choose(special_.face_list)) special_.face_list.clear();
  });
}

void PatternEditorModel::LoadSpecial() {
  ClearSpecialPage();
  GuardFileErrors(dialogs_, [&] {
    fs::path path = SpecialPatternFilePath(program_folder_, specials_.Shown());
    if (!specials_.HasChoice() || !FileExists(path)) {
      dialogs_.ShowMessage(st::kPatternFileMissing, MessageKind::kWarning);
      return;
    }
    special_ = DefinitionFromFile(ParseSpecialPatternText(ReadTextFile(path)));
    // What the page cannot show (a hand-edited run length, a face list that is gone) counts as
    // not chosen, so that saving asks for it instead of writing back a value the user never saw.
    for (SpecialPatternDefinition::Streak& streak : special_.streaks)
      if (!IsListedRunLength(streak.run_length)) streak.run_length = 0;
    if (!face_lists_.Choose(special_.face_list)) special_.face_list.clear();
    special_name_ = specials_.Shown();
  });
}

bool PatternEditorModel::SaveSpecial() {
  return GuardFileErrors(dialogs_, [&] {
    auto refuse = [&](const std::string& message) {
      dialogs_.ShowMessage(message, MessageKind::kWarning);
      return false;
    };
    const std::string name = Trim(special_name_);
    if (name.empty()) return refuse(st::kEnterPatternName);
    if (special_.strategy == Strategy::kFixed) {
      if (special_.otherbets.empty()) return refuse(st::kEnterFirstBet);
    } else {
      if (special_.otherbets.empty()) return refuse(st::kEnterDefaultBet);
      bool any = false;
      for (int priority = 1; priority <= 2; ++priority) {
        const SpecialPatternDefinition::Streak& s = special_.streaks[priority - 1];
        if (s.enabled && s.run_length == 0)
          return refuse(Format(st::kRunLengthNotChosen, priority));
        any |= s.enabled;
      }
      if (special_.face_enabled && special_.face_list.empty())
        return refuse(Format(st::kFaceListNotChosen, 3));
      any |= special_.face_enabled;
      if (!any) return refuse(st::kNeedCondition);
    }
    if (auto refusal = CheckNameCharacters(name, NameKind::kFile)) return refuse(*refusal);
    fs::path path = SpecialPatternFilePath(program_folder_, name);
    if (FileExists(path) && !dialogs_.AskYesNo(st::kPatternExists)) return false;
    EnsureFolder(path.parent_path());
    WriteTextFile(path, MakeSpecialPatternText(special_));
    specials_.AddIfMissing(name);
    dialogs_.ShowMessage(st::kSaved, MessageKind::kInformation);
    return true;
  });
}

void PatternEditorModel::DeleteSpecial() {
  GuardFileErrors(dialogs_, [&] {
    if (!specials_.HasChoice()) {
      dialogs_.ShowMessage(st::kChoosePatternToDelete, MessageKind::kWarning);
      return;
    }
    fs::path path = SpecialPatternFilePath(program_folder_, specials_.Shown());
    if (!FileExists(path)) {
      dialogs_.ShowMessage(st::kSettingsFileMissing, MessageKind::kWarning);
      return;
    }
    if (!DeleteFileIfExists(path)) ThrowIoError(IoAction::kDelete, path);
    RefillPatternLists();
    ClearSpecialPage();
    dialogs_.ShowMessage(st::kDeleted, MessageKind::kInformation);
  });
}

void PatternEditorModel::AllClear() {
  ClearFixedPage();
  ClearSpecialPage();
  patterns_.Reset();
  specials_.Reset();
}

}  // namespace vessaro
