#include "systems/system_editor.h"

#include "common/names.h"
#include "common/text.h"
#include "systems/editor_common.h"
#include "systems/messages.h"

namespace vessaro {

namespace st = systems_text;

bool SystemCardDialogModel::Confirm(Dialogs& dialogs) {
  std::string stake = Trim(fields.first);
  const std::string& win = fields.win;
  const std::string& lose = fields.lose;
  if (stake.empty() && win.empty() && lose.empty()) {
    result_ = CardFields{};
    return true;
  }
  if (stake.empty() || win.empty() || lose.empty()) {
    dialogs.ShowMessage(st::kHasBlanks, MessageKind::kWarning);
    return false;
  }
  const bool percent = Contains(stake, "%") || Contains(stake, "％");
  if (percent) {
    std::string rest = RemoveAll(RemoveAll(stake, "%"), "％");
    if (!DigitsInRange(rest, 1, 100)) {
      dialogs.ShowMessage(st::kPercentRange, MessageKind::kWarning);
      fields.first = rest + "%";
      return false;
    }
    stake = rest;
  }
  if (!DigitsInRange(stake, 1, 10000) || !DigitsInRange(win, 1, kSystemCardCount) ||
      !DigitsInRange(lose, 1, kSystemCardCount)) {
    dialogs.ShowMessage(st::kHalfWidthDigits, MessageKind::kWarning);
    return false;
  }
  result_ = CardFields{percent ? stake + "%" : stake, win, lose};
  return true;
}

bool SystemCardDialogModel::EnterInStake(Dialogs& dialogs) {
  if (!fields.first.empty()) return true;
  dialogs.ShowMessage(st::kBlank, MessageKind::kWarning);
  return false;
}

bool SystemCardDialogModel::EnterInLose(Dialogs& dialogs) {
  if (fields.lose.empty()) {
    dialogs.ShowMessage(st::kBlank, MessageKind::kWarning);
    return false;
  }
  return Confirm(dialogs);
}

SystemEditorModel::SystemEditorModel(fs::path program_folder, Dialogs& dialogs)
    : program_folder_(std::move(program_folder)),
      dialogs_(dialogs),
      systems_{st::kSystemPrompt, {}, -1},
      cards_(kSystemCardCount) {}

void SystemEditorModel::Show() {
  GuardFileErrors(dialogs_, [&] { systems_.Refill(ListSystemNames(program_folder_)); });
}

void SystemEditorModel::Load() {
  cards_.assign(kSystemCardCount, CardFields{});
  name_.clear();
  GuardFileErrors(dialogs_, [&] {
    fs::path path = SystemFilePath(program_folder_, systems_.Shown());
    if (!systems_.HasChoice() || !FileExists(path)) {
      dialogs_.ShowMessage(st::kSystemFileMissing, MessageKind::kWarning);
      return;
    }
    cards_ = ReadCardFile(path, kSystemCardCount);
    name_ = systems_.Shown();
  });
}

bool SystemEditorModel::Save() {
  return GuardFileErrors(dialogs_, [&] {
    const std::string name = Trim(name_);
    if (name.empty()) {
      dialogs_.ShowMessage(st::kEnterSystemName, MessageKind::kWarning);
      return false;
    }
    if (auto refusal = CheckNameCharacters(name, NameKind::kFile)) {
      dialogs_.ShowMessage(*refusal, MessageKind::kWarning);
      return false;
    }
    if (auto problem = CheckDeck(cards_, true)) {
      dialogs_.ShowMessage(*problem, MessageKind::kWarning);
      return false;
    }
    fs::path path = SystemFilePath(program_folder_, name);
    if (FileExists(path) && !dialogs_.AskYesNo(st::kSystemExists)) return false;
    // The write replaces the old file as a whole in one step, so nothing of it survives and a
    // failed write leaves the old system intact.
    WriteCardFile(path, cards_);
    systems_.AddIfMissing(name);
    dialogs_.ShowMessage(st::kSaved, MessageKind::kInformation);
    return true;
  });
}

void SystemEditorModel::Delete() {
  GuardFileErrors(dialogs_, [&] {
    if (!systems_.HasChoice()) {
      dialogs_.ShowMessage(st::kChooseSystemToDelete, MessageKind::kWarning);
      return;
    }
    fs::path path = SystemFilePath(program_folder_, systems_.Shown());
    if (!FileExists(path)) {
      dialogs_.ShowMessage(st::kSettingsFileMissing, MessageKind::kWarning);
      return;
    }
    if (!DeleteFileIfExists(path)) ThrowIoError(IoAction::kDelete, path);
    systems_.Refill(ListSystemNames(program_folder_));
    cards_.assign(kSystemCardCount, CardFields{});
    dialogs_.ShowMessage(st::kDeleted, MessageKind::kInformation);
  });
}

void SystemEditorModel::AllClear() {
  cards_.assign(kSystemCardCount, CardFields{});
  name_.clear();
  systems_.Reset();
}

}  // namespace vessaro
