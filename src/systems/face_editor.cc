#include "systems/face_editor.h"

#include "common/names.h"
#include "common/text.h"
#include "systems/editor_common.h"
#include "systems/messages.h"
#include "systems/special_pattern.h"

namespace vessaro {

namespace st = systems_text;

std::string BetSelectCaption(std::string_view sequence) {
  return std::string(sequence) + st::kFaceLineMiddle;
}

FacePatternEditorModel::FacePatternEditorModel(fs::path program_folder, Dialogs& dialogs)
    : program_folder_(std::move(program_folder)),
      dialogs_(dialogs),
      files_{st::kFacePrompt, {}, -1} {}

void FacePatternEditorModel::Show() {
  GuardFileErrors(dialogs_, [&] { files_.Refill(ListFaceListNames(program_folder_)); });
}

bool FacePatternEditorModel::AddResult(char letter) {
  if (!columns_.empty() && columns_.back().back() == letter) {
    if (static_cast<int>(columns_.back().size()) >= kRows) {
      dialogs_.ShowMessage(st::kColumnFull, MessageKind::kWarning);
      return false;
    }
    columns_.back().push_back(letter);
    return true;
  }
  if (static_cast<int>(columns_.size()) >= kColumns) {
    dialogs_.ShowMessage(st::kColumnsFull, MessageKind::kWarning);
    return false;
  }
  columns_.emplace_back(1, letter);
  return true;
}

void FacePatternEditorModel::ClearLast() {
  if (columns_.empty()) return;
  columns_.back().pop_back();
  if (columns_.back().empty()) columns_.pop_back();
}

char FacePatternEditorModel::Cell(int column, int row) const {
  if (column < 0 || row < 0 || column >= static_cast<int>(columns_.size())) return 0;
  const std::string& c = columns_[column];
  return row < static_cast<int>(c.size()) ? c[row] : 0;
}

bool FacePatternEditorModel::Cursor(int& column, int& row) const {
  if (columns_.empty()) return false;
  column = static_cast<int>(columns_.size()) - 1;
  row = static_cast<int>(columns_.back().size()) - 1;
  return true;
}

std::string FacePatternEditorModel::Sequence() const {
  std::string out;
  for (const std::string& c : columns_) out += c;
  return out;
}

bool FacePatternEditorModel::AddToList(BetSelectPort& side_dialog) {
  std::string sequence = Sequence();
  if (sequence.size() < 2) {
    dialogs_.ShowMessage(st::kFaceTooShort, MessageKind::kWarning);
    return false;
  }
  std::string side = side_dialog.ChooseBetSide(BetSelectCaption(sequence));
  lines_.push_back(MakeFaceLine(sequence, side));
  columns_.clear();
  return true;
}

bool FacePatternEditorModel::RemoveFromList() {
  if (selected_line_ < 0 || selected_line_ >= static_cast<int>(lines_.size())) {
    dialogs_.ShowMessage(st::kChooseLineToDelete, MessageKind::kWarning);
    return false;
  }
  lines_.erase(lines_.begin() + selected_line_);
  selected_line_ = -1;
  return true;
}

bool FacePatternEditorModel::LayOut(std::string_view sequence, std::vector<std::string>& columns) {
  columns.clear();
  for (char letter : sequence) {
    if (letter != 'P' && letter != 'B') {
      dialogs_.ShowMessage(st::kFaceLineUnreadable, MessageKind::kWarning);
      return false;
    }
    if (!columns.empty() && columns.back().back() == letter) {
      if (static_cast<int>(columns.back().size()) >= kRows) {
        dialogs_.ShowMessage(st::kColumnFull, MessageKind::kWarning);
        return false;
      }
      columns.back().push_back(letter);
    } else {
      if (static_cast<int>(columns.size()) >= kColumns) {
        dialogs_.ShowMessage(st::kColumnsFull, MessageKind::kWarning);
        return false;
      }
      columns.emplace_back(1, letter);
    }
  }
  return true;
}

bool FacePatternEditorModel::LoadLineIntoGrid() {
  if (selected_line_ < 0 || selected_line_ >= static_cast<int>(lines_.size())) {
    dialogs_.ShowMessage(st::kChooseLineToLoad, MessageKind::kWarning);
    return false;
  }
  std::vector<std::string> columns;
  if (!LayOut(SplitFaceLine(lines_[selected_line_]).sequence, columns)) return false;
  columns_ = std::move(columns);
  return true;
}

bool FacePatternEditorModel::ReplaceLine(BetSelectPort& side_dialog) {
  if (selected_line_ < 0 || selected_line_ >= static_cast<int>(lines_.size())) {
    dialogs_.ShowMessage(st::kChooseLineToEdit, MessageKind::kWarning);
    return false;
  }
  std::string sequence = Sequence();
  if (sequence.size() < 2) {
    dialogs_.ShowMessage(st::kFaceTooShort, MessageKind::kWarning);
    return false;
  }
  std::string side = side_dialog.ChooseBetSide(BetSelectCaption(sequence));
  lines_[selected_line_] = MakeFaceLine(sequence, side);
  columns_.clear();
  return true;
}

bool FacePatternEditorModel::Save() {
  return GuardFileErrors(dialogs_, [&] {
    const std::string name = Trim(name_);
    auto refuse = [&](const std::string& message) {
      dialogs_.ShowMessage(message, MessageKind::kWarning);
      return false;
    };
    if (name.empty()) return refuse(st::kEnterPatternName);
    if (lines_.empty()) return refuse(st::kNoPatternList);
    if (auto refusal = CheckNameCharacters(name, NameKind::kFile)) return refuse(*refusal);
    fs::path path = FaceListFilePath(program_folder_, name);
    if (FileExists(path) && !dialogs_.AskYesNo(st::kFaceExists)) return false;
    WriteFaceListFile(path, lines_);
    files_.AddIfMissing(name);
    dialogs_.ShowMessage(st::kSaved, MessageKind::kInformation);
    return true;
  });
}

void FacePatternEditorModel::Load() {
  GuardFileErrors(dialogs_, [&] {
    fs::path path = FaceListFilePath(program_folder_, files_.Shown());
    if (!files_.HasChoice() || !FileExists(path)) {
      dialogs_.ShowMessage(st::kFaceListFileMissing, MessageKind::kWarning);
      return;
    }
    lines_ = ReadFaceListLines(path);
    selected_line_ = -1;
    name_ = files_.Shown();
  });
}

void FacePatternEditorModel::Delete() {
  GuardFileErrors(dialogs_, [&] {
    if (!files_.HasChoice()) {
      dialogs_.ShowMessage(st::kChooseFaceToDelete, MessageKind::kWarning);
      return;
    }
    fs::path path = FaceListFilePath(program_folder_, files_.Shown());
    if (!FileExists(path)) {
      dialogs_.ShowMessage(st::kSettingsFileMissing, MessageKind::kWarning);
      return;
    }
    if (!DeleteFileIfExists(path)) ThrowIoError(IoAction::kDelete, path);
    files_.Refill(ListFaceListNames(program_folder_));
    lines_.clear();
    selected_line_ = -1;
    dialogs_.ShowMessage(st::kDeleted, MessageKind::kInformation);
  });
}

void FacePatternEditorModel::AllClear() {
  files_.Reset();
  name_.clear();
}

}  // namespace vessaro
