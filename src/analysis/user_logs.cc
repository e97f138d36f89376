#include "analysis/user_logs.h"

#include "common/format.h"
#include "common/names.h"
#include "common/rounding.h"
#include "common/text.h"
#include "systems/editor_common.h"

namespace vessaro {
namespace {

namespace ut = user_log_texts;

fs::path HistoryFolder(const fs::path& program_folder) { return program_folder / "history"; }

bool IsNumberField(std::string_view text) { return DigitsInRange(text, 0, kMaxUserLogNumber); }

int64_t WholeOf(std::string_view digits) { return ToIntDef(digits, 0); }

// Saving either log: the name's checks, the content's, the overwrite question, the atomic write.
bool SaveUserLog(Dialogs& dialogs, const fs::path& program_folder, const std::string& typed_name,
                 fs::path (*path_of)(const fs::path&, std::string_view), bool has_content,
                 const std::string& content) {
  return GuardFileErrors(dialogs, [&] {
    const std::string name = Trim(typed_name);
    if (name.empty()) {
      dialogs.ShowMessage(ut::kEnterName, MessageKind::kWarning);
      return false;
    }
    if (auto refusal = CheckNameCharacters(name, NameKind::kFile)) {
      dialogs.ShowMessage(*refusal, MessageKind::kWarning);
      return false;
    }
    if (!has_content) {
      dialogs.ShowMessage(ut::kNothingToSave, MessageKind::kWarning);
      return false;
    }
    if (!EnsureFolder(HistoryFolder(program_folder)))
      ThrowIoError(IoAction::kCreateFolder, HistoryFolder(program_folder));
    const fs::path path = path_of(program_folder, name);
    if (FileExists(path) && !dialogs.AskYesNo(ut::kFileExists)) return false;
    // Replaced in one step: a failed write leaves the old file whole.
    WriteTextFile(path, content);
    dialogs.ShowMessage(ut::kSaved, MessageKind::kInformation);
    return true;
  });
}

}  // namespace

fs::path SimpleLogPath(const fs::path& program_folder, std::string_view name) {
  return HistoryFolder(program_folder) / (std::string(name) + "_user1.txt");
}

fs::path DetailedLogPath(const fs::path& program_folder, std::string_view name) {
  return HistoryFolder(program_folder) / (std::string(name) + "_user2.txt");
}

std::vector<std::string> ListDetailedLogNames(const fs::path& program_folder) {
  std::vector<std::string> names;
  for (const fs::path& file : ListFiles(HistoryFolder(program_folder))) {
    if (StartsWith(file.filename().string(), ".")) continue;  // an interrupted save's temporary
    const std::string base = file.stem().string();
    if (Contains(base, "_user2")) names.push_back(RemoveAll(base, "_user2"));
  }
  return names;
}

int64_t NewBalance(int64_t current, std::string_view side, int64_t stake, bool won) {
  if (!won) return current - stake;
  if (side == "P") return current + stake;
  return RoundHalfEvenRatio(current * 100 + stake * 95, 100);
}

char RecordWinner(std::string_view record) {
  SplitResult f = SplitFields(record, 0, ",");
  if (f.count < 4) return 'B';
  const std::string side = Trim(f.fields[1]);
  const std::string result = Trim(f.fields[3]);
  return (side == "P" && result == ut::kWon) || (side == "B" && result == ut::kLost) ? 'P' : 'B';
}

SimpleLogModel::SimpleLogModel(fs::path program_folder, Dialogs& dialogs)
    : program_folder_(std::move(program_folder)), dialogs_(dialogs), grid_(UserLogGridLimits()) {}

void SimpleLogModel::Add(char letter) {
  if (auto refused = grid_.Add(letter)) dialogs_.ShowMessage(*refused, MessageKind::kWarning);
}

bool SimpleLogModel::Save() {
  const std::string letters = grid_.ReadOut();
  std::string content;
  for (size_t i = 0; i < letters.size(); i += 50) {
    content.append(letters, i, 50);
    content += "\r\n";
  }
  return SaveUserLog(dialogs_, program_folder_, name_, &SimpleLogPath, grid_.At(0, 0) != 0, content);
}

DetailedLogModel::DetailedLogModel(fs::path program_folder, Dialogs& dialogs)
    : program_folder_(std::move(program_folder)), dialogs_(dialogs), road_(UserLogGridLimits()) {
  files_.prompt = ut::kChoosePrompt;
}

void DetailedLogModel::Start() {
  const std::string start = Trim(start_balance_);
  if (start.empty()) {
    dialogs_.ShowMessage(ut::kStartBlank, MessageKind::kWarning);
    return;
  }
  if (!IsNumberField(start)) {
    dialogs_.ShowMessage(ut::kStartNumbersOnly, MessageKind::kWarning);
    return;
  }
  entry_enabled_ = true;
  entry_.current = start;
  round_counter_ = 0;
}

void DetailedLogModel::SetResult(bool won) {
  const std::string current = Trim(entry_.current);
  const std::string stake = Trim(entry_.stake);
  if (Trim(entry_.side).empty() || stake.empty()) {
    dialogs_.ShowMessage(ut::kNoSideOrStake, MessageKind::kWarning);
    return;
  }
  if (!IsNumberField(current) || !IsNumberField(stake)) {
    dialogs_.ShowMessage(ut::kNumbersOnly, MessageKind::kWarning);
    return;
  }
  entry_.result = won ? ut::kWon : ut::kLost;
  entry_.new_balance = IntText(NewBalance(WholeOf(current), Trim(entry_.side), WholeOf(stake), won));
}

std::optional<std::string> DetailedLogModel::CheckedRecord() {
  const std::string current = Trim(entry_.current);
  const std::string side = Trim(entry_.side);
  const std::string stake = Trim(entry_.stake);
  const std::string result = Trim(entry_.result);
  const std::string typed_new = Trim(entry_.new_balance);
  if (current.empty() || side.empty() || stake.empty() || result.empty() || typed_new.empty()) {
    dialogs_.ShowMessage(ut::kBlankField, MessageKind::kWarning);
    return std::nullopt;
  }
  if (!IsNumberField(current) || !IsNumberField(stake) || !IsNumberField(typed_new)) {
    dialogs_.ShowMessage(ut::kNumbersOnly, MessageKind::kWarning);
    return std::nullopt;
  }
  // Whatever was typed, the new balance is the one the round gives.
  entry_.new_balance = IntText(NewBalance(WholeOf(current), side, WholeOf(stake), result == ut::kWon));
  return current + "," + side + "," + stake + "," + result + "," + entry_.new_balance;
}

bool DetailedLogModel::AddRound() {
  std::optional<std::string> record = CheckedRecord();
  if (!record) return false;
  records_.push_back(std::move(*record));
  ++round_counter_;
  const std::string next = entry_.new_balance;
  EmptyEntry();
  entry_.current = next;
  return true;
}

bool DetailedLogModel::ModifyRound() {
  if (selected_ < 0) {
    dialogs_.ShowMessage(ut::kChooseToModify, MessageKind::kWarning);
    return false;
  }
  std::optional<std::string> record = CheckedRecord();
  if (!record) return false;
  records_[static_cast<size_t>(selected_)] = std::move(*record);
  selected_ = -1;
  EmptyEntry();
  return true;
}

bool DetailedLogModel::InsertRound() {
  if (selected_ < 0) {
    dialogs_.ShowMessage(ut::kChooseToInsert, MessageKind::kWarning);
    return false;
  }
  std::optional<std::string> record = CheckedRecord();
  if (!record) return false;
  records_.insert(records_.begin() + selected_, std::move(*record));
  ++round_counter_;
  selected_ = -1;
  EmptyEntry();
  return true;
}

bool DetailedLogModel::DeleteRound() {
  if (selected_ < 0) {
    dialogs_.ShowMessage(ut::kChooseToDelete, MessageKind::kWarning);
    return false;
  }
  records_.erase(records_.begin() + selected_);
  // A loaded log keeps the counter it had, which may be below its records: never below 0.
  if (round_counter_ > 0) --round_counter_;
  selected_ = -1;
  EmptyEntry();
  return true;
}

void DetailedLogModel::Select(int index) {
  if (index < 0 || index >= static_cast<int>(records_.size())) {
    selected_ = -1;
    return;
  }
  selected_ = index;
  SplitResult f = SplitFields(records_[static_cast<size_t>(index)], 5, ",");
  entry_ = Entry{f.fields[0], f.fields[1], f.fields[2], f.fields[3], f.fields[4]};
}

void DetailedLogModel::ClearSelection() {
  selected_ = -1;
  EmptyEntry();
  if (!records_.empty()) entry_.current = GetField(records_.back(), ",", 5);
}

void DetailedLogModel::RebuildRoad() {
  road_.Clear();
  for (const std::string& record : records_) {
    if (auto refused = road_.Add(RecordWinner(record))) {
      // Going on would put the later rounds in the wrong columns.
      dialogs_.ShowMessage(*refused, MessageKind::kWarning);
      return;
    }
  }
}

void DetailedLogModel::AllClear() {
  start_balance_.clear();
  save_name_.clear();
  files_.Reset();
  records_.clear();
  road_.Clear();
  round_counter_ = 0;
  selected_ = -1;
  entry_enabled_ = false;
  EmptyEntry();
}

void DetailedLogModel::RefillFiles() { files_.Refill(ListDetailedLogNames(program_folder_)); }

bool DetailedLogModel::Save() {
  std::string content;
  for (const std::string& record : records_) content += record + "\r\n";
  if (!SaveUserLog(dialogs_, program_folder_, save_name_, &DetailedLogPath, !records_.empty(), content))
    return false;
  RefillFiles();
  return true;
}

bool DetailedLogModel::Load() {
  return GuardFileErrors(dialogs_, [&] {
    if (!files_.HasChoice()) {
      dialogs_.ShowMessage(ut::kChooseFileToLoad, MessageKind::kWarning);
      return false;
    }
    const std::string name = files_.Shown();
    const fs::path path = DetailedLogPath(program_folder_, name);
    if (!FileExists(path)) {
      dialogs_.ShowMessage(ut::kFileMissing, MessageKind::kWarning);
      return false;
    }
    // Loaded as written: a damaged line is shown as it is and left out only where it is read.
    std::vector<std::string> lines;
    for (std::string& line : ReadTextLines(path))
      if (!Trim(line).empty()) lines.push_back(std::move(line));
    road_.Clear();
    records_ = std::move(lines);
    selected_ = -1;
    entry_enabled_ = true;
    EmptyEntry();
    start_balance_ = records_.empty() ? std::string() : GetField(records_.front(), ",", 1);
    RebuildRoad();
    save_name_ = name;
    RefillFiles();
    files_.Choose(name);
    return true;
  });
}

bool DetailedLogModel::DeleteFile() {
  return GuardFileErrors(dialogs_, [&] {
    if (!files_.HasChoice()) {
      dialogs_.ShowMessage(ut::kChooseFileToDelete, MessageKind::kWarning);
      return false;
    }
    const fs::path path = DetailedLogPath(program_folder_, files_.Shown());
    if (!FileExists(path)) {
      dialogs_.ShowMessage(ut::kFileMissing, MessageKind::kWarning);
      return false;
    }
    if (!DeleteFileIfExists(path)) ThrowIoError(IoAction::kDelete, path);
    AllClear();
    RefillFiles();  // the deleted log is no longer offered
    dialogs_.ShowMessage(ut::kDeleted, MessageKind::kInformation);
    return true;
  });
}

}  // namespace vessaro
