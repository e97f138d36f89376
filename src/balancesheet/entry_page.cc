#include "balancesheet/entry_page.h"

#include <algorithm>

#include "balancesheet/aggregates.h"
#include "balancesheet/bonus.h"
#include "balancesheet/calendar.h"
#include "balancesheet/sheet_texts.h"
#include "common/cp932.h"
#include "common/format.h"
#include "common/names.h"
#include "common/text.h"

namespace vessaro {

using F = ReportField;
namespace st = sheet_text;

namespace {

struct TypedField {
  ReportField field;
  long long low;
  long long high;
  const char* message;
};
// The Enter order of the typed fields with their ranges.
constexpr TypedField kTypedFields[] = {
    {F::kStartBalance, 0, 100000, st::kRange0To100000}, {F::kDeposit, 0, 100000, st::kRange0To100000},
    {F::kEndBalance, 0, 100000, st::kRange0To100000},   {F::kWithdrawal, 0, 100000, st::kRange0To100000},
    {F::kBets, 0, 100000, st::kRange0To100000},         {F::kWins, 0, 100000, st::kRange0To100000},
    {F::kLosses, 0, 100000, st::kRange0To100000},       {F::kTies, 0, 100000, st::kRange0To100000},
    {F::kTotalBet, 1, 100000, st::kRange1To100000},     {F::kHighestBet, 1, 100000, st::kRange1To100000},
    {F::kWinStreak, 0, 100, st::kRange0To100},          {F::kLoseStreak, 0, 100, st::kRange0To100},
};

// The four number fields of the bonus area.
constexpr ReportField kBonusNumbers[] = {F::kBonusRequired, F::kBonusWagered, F::kBonusRate, F::kBonusLeft};

// Text split into characters (code points), for the date search's character positions.
std::vector<std::string> Characters(std::string_view text) {
  std::vector<std::string> chars;
  for (size_t i = 0; i < text.size();) {
    size_t n = 1;
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0xF0) n = 4;
    else if (c >= 0xE0) n = 3;
    else if (c >= 0xC0) n = 2;
    n = std::min(n, text.size() - i);
    chars.emplace_back(text.substr(i, n));
    i += n;
  }
  return chars;
}

std::string JoinRange(const std::vector<std::string>& chars, size_t from, size_t count) {
  std::string out;
  for (size_t i = from; i < from + count && i < chars.size(); ++i) out += chars[i];
  return out;
}

}  // namespace

std::string PickedDateText(const DatePick& pick) { return SlashDate(pick.date); }
std::string PickedTimeText(const DatePick& pick) { return Format("%d:%02d", pick.hour, pick.minute); }

// ---------------------------------------------------------------------------------------------
// Balance details.

BalanceDetailModel::BalanceDetailModel(fs::path day_folder, std::string_view field, Dialogs& dialogs,
                                       Clock& clock)
    : day_folder_(std::move(day_folder)), file_name_(DetailFileOfField(field)), dialogs_(dialogs), clock_(clock) {
  if (!file_name_.empty())
    for (const std::string& line : ReadDetailLines(day_folder_ / file_name_)) lines_.push_back(Trim(line));
}

std::optional<std::string> BalanceDetailModel::CheckedValue(std::string_view input) {
  std::string value = Trim(input);
  if (!DigitsInRange(value, 0, 100000)) {
    dialogs_.ShowMessage(st::kRange0To100000, MessageKind::kWarning);
    return std::nullopt;
  }
  return value;
}

bool BalanceDetailModel::Append(std::string_view input) {
  auto value = CheckedValue(input);
  if (!value) return false;
  lines_.push_back(std::move(*value));
  return true;
}

std::optional<std::string> BalanceDetailModel::CheckedEdit(int selected, std::string_view input,
                                                        const char* no_selection) {
  if (selected < 0 || selected >= static_cast<int>(lines_.size())) {
    dialogs_.ShowMessage(no_selection, MessageKind::kWarning);
    return std::nullopt;
  }
  if (Trim(input).empty()) {
    dialogs_.ShowMessage(st::kValueBlank, MessageKind::kWarning);
    return std::nullopt;
  }
  return CheckedValue(input);
}

bool BalanceDetailModel::Modify(int selected, std::string_view input) {
  auto value = CheckedEdit(selected, input, st::kChooseLineToEdit);
  if (!value) return false;
  lines_[selected] = std::move(*value);
  return true;
}

bool BalanceDetailModel::Insert(int selected, std::string_view input) {
  auto value = CheckedEdit(selected, input, st::kChooseLineToInsert);
  if (!value) return false;
  lines_.insert(lines_.begin() + selected, std::move(*value));
  return true;
}

bool BalanceDetailModel::Remove(int selected) {
  if (selected < 0 || selected >= static_cast<int>(lines_.size())) {
    dialogs_.ShowMessage(st::kChooseLineToDelete, MessageKind::kWarning);
    return false;
  }
  lines_.erase(lines_.begin() + selected);
  return true;
}

std::optional<fs::path> BalanceDetailModel::Save() {
  if (lines_.empty()) {
    dialogs_.ShowMessage(st::kListBlank, MessageKind::kWarning);
    return std::nullopt;
  }
  // A new list waits under the time it was made until its report is saved.
  if (file_name_.empty()) file_name_ = StampMinute(clock_.LocalNow()) + kDetailSuffix;
  const fs::path path = day_folder_ / file_name_;
  std::string text;
  for (const std::string& line : lines_) text.append(line).append("\r\n");
  WriteTextFile(path, text);
  return path;
}

// ---------------------------------------------------------------------------------------------
// The entry page.

EntryPageModel::EntryPageModel(const fs::path& program_folder, Dialogs& dialogs, Clock& clock,
                               EventPump& pump)
    : folders_(program_folder),
      dialogs_(dialogs),
      clock_(clock),
      pump_(pump),
      places_(folders_.place_list),
      games_(folders_.game_list) {}

bool EntryPageModel::Refuse(const std::string& message, std::optional<ReportField> focus) {
  dialogs_.ShowMessage(message, MessageKind::kWarning);
  if (focus) focus_ = focus;
  return false;
}

void EntryPageModel::ClearPage() {
  const bool bonus = bonus_play_;
  page_ = DailyReport{};
  bonus_play_ = bonus;
  report_name_.clear();
  chosen_bonus_ = -1;
  bonus_read_ = false;
  saved_ = false;
  loaded_ = false;
  loaded_name_.clear();
  chosen_report_ = -1;
  focus_.reset();
}

void EntryPageModel::Open() {
  bonus_play_ = false;
  AllClear();
}

void EntryPageModel::AllClear() {
  ClearPage();
  EnsureBalanceSheetFolders(folders_);
  ReloadBonusNames();
  ReloadReports();
  places_.Reload();
  games_.Reload();
}

void EntryPageModel::ReloadReports() {
  reports_.clear();
  for (const std::string& file : ListSheetFileNames(folders_.day))
    if (EndsWith(file, kReportSuffix) && !StartsWith(file, "."))
      reports_.push_back(file.substr(0, file.size() - std::string_view(kReportSuffix).size()));
  chosen_report_ = -1;
  for (size_t i = 0; i < reports_.size() && !loaded_name_.empty(); ++i)
    if (reports_[i] == loaded_name_) chosen_report_ = static_cast<int>(i);
}

void EntryPageModel::ReloadBonusNames() {
  const std::string chosen = ChosenBonusName();
  bonus_names_ = ListBonusNames(folders_.bonus);
  chosen_bonus_ = -1;
  for (size_t i = 0; i < bonus_names_.size() && !chosen.empty(); ++i)
    if (bonus_names_[i] == chosen) chosen_bonus_ = static_cast<int>(i);
}

std::string EntryPageModel::ChosenBonusName() const {
  return chosen_bonus_ < 0 || chosen_bonus_ >= static_cast<int>(bonus_names_.size())
             ? std::string()
             : bonus_names_[chosen_bonus_];
}

std::optional<ReportField> EntryPageModel::NextField(ReportField f) {
  constexpr size_t n = std::size(kTypedFields);
  for (size_t i = 0; i < n; ++i)
    if (kTypedFields[i].field == f) return i + 1 < n ? kTypedFields[i + 1].field : F::kRemarks;
  return std::nullopt;
}

bool EntryPageModel::EnterIn(ReportField f) {
  focus_.reset();
  for (const TypedField& typed : kTypedFields) {
    if (typed.field != f) continue;
    if (!DigitsInRange(Trim(page_[f]), typed.low, typed.high)) return Refuse(typed.message, f);
    if (f == F::kEndBalance) ComputeProfitAndRate();
    if (f == F::kTotalBet && !ComputeAverageAndPayout(true)) {
      focus_ = f;
      return false;
    }
    focus_ = NextField(f);
    return true;
  }
  return false;
}

void EntryPageModel::ComputeProfitAndRate() {
  const long long profit = ComputeProfit(page_[F::kStartBalance], page_[F::kDeposit], page_[F::kEndBalance]);
  page_[F::kProfit] = std::to_string(profit);
  page_[F::kHourlyRate] = std::to_string(ComputeHourlyRate(profit, page_[F::kPlayTime]));
}

bool EntryPageModel::ComputeAverageAndPayout(bool on_enter) {
  page_[F::kAverageBet] = ComputeAverageBet(page_[F::kTotalBet], page_[F::kBets]);
  PayoutResult payout = ComputePayout(page_[F::kTotalBet], page_[F::kProfit]);
  if (payout.kind == PayoutResult::kComputed) {
    page_[F::kPayout] = payout.text;
    return true;
  }
  if (payout.kind == PayoutResult::kNegative) dialogs_.ShowMessage(st::kNegativePayout, MessageKind::kWarning);
  // A save never keeps a payout computed from other figures: the empty field stops it.
  if (!on_enter) page_[F::kPayout].clear();
  return false;
}

void EntryPageModel::RecomputePlayTime() {
  auto time = ComputePlayTime(page_[F::kStartDate], page_[F::kStartTime], page_[F::kEndDate],
                              page_[F::kEndTime]);
  if (time) page_[F::kPlayTime] = *time;
}

DatePick EntryPageModel::DialogStart(bool end_date) const {
  const std::string& date = page_[end_date ? F::kEndDate : F::kStartDate];
  const std::string& time = page_[end_date ? F::kEndTime : F::kStartTime];
  DatePick pick;
  if (auto d = ParseSlashDate(Trim(date))) {
    pick.date = *d;
    if (auto minutes = ParseTimeOfDay(Trim(time))) {
      pick.hour = *minutes / 60;
      pick.minute = *minutes % 60;
    }
  } else {
    const DateTime now = clock_.LocalNow();
    pick.date = {now.year, now.month, now.day};
  }
  return pick;
}

void EntryPageModel::PickStartDate(const DatePick& pick) {
  focus_.reset();
  page_[F::kStartDate] = PickedDateText(pick);
  page_[F::kStartTime] = PickedTimeText(pick);
  RecomputePlayTime();
  report_name_ = NextReportName(folders_.day, page_[F::kStartDate]);
}

void EntryPageModel::PickEndDate(const DatePick& pick) {
  page_[F::kEndDate] = PickedDateText(pick);
  page_[F::kEndTime] = PickedTimeText(pick);
  RecomputePlayTime();
  focus_ = F::kStartBalance;
}

bool EntryPageModel::CheckBeforeSave() {
  auto blank = [this](ReportField f) { return Trim(page_[f]).empty(); };
  if (blank(F::kStartDate) || blank(F::kStartTime) || blank(F::kEndDate) || blank(F::kEndTime))
    return Refuse(st::kDatesRequired);
  if (blank(F::kStartBalance) || blank(F::kDeposit) || blank(F::kEndBalance) || blank(F::kWithdrawal))
    return Refuse(st::kMoneyRequired);
  if (blank(F::kProfit) || blank(F::kHourlyRate)) return Refuse(st::kProfitNotComputed);
  if (blank(F::kAverageBet) || blank(F::kPayout)) return Refuse(st::kPayoutNotComputed);
  for (const TypedField& typed : kTypedFields)
    if (!DigitsInRange(Trim(page_[typed.field]), 0, 100000)) return Refuse(st::kWholeNumber, typed.field);
  if (Trim(report_name_).empty()) return Refuse(st::kEnterName);
  if (auto message = CheckNameCharacters(report_name_, NameKind::kFile)) return Refuse(*message);
  // The file's code page cannot hold every character a field can be given (an emoji in the
  // remarks): refuse rather than store a replacement.
  for (int i = 0; i < kReportFieldCount; ++i)
    if (!IsCp932Encodable(page_.values[i]))
      return Refuse(kUnstorableCharacterMessage, static_cast<ReportField>(i));
  return true;
}

void EntryPageModel::SettleBalanceDetail() {
  const std::string source_name = DetailFileOfField(page_[F::kBalanceDetail]);
  if (source_name.empty()) return;
  const std::string target_name = DetailFileName(report_name_);
  const fs::path target = folders_.day / target_name;
  if (source_name != target_name) {
    const fs::path source = folders_.day / source_name;
    bool copied = false;
    if (FileExists(source)) {
      constexpr int kAttempts = 10;
      for (int attempt = 1; attempt <= kAttempts && !copied; ++attempt) {
        try {
          WriteWholeFile(target, ReadWholeFile(source));
          copied = true;
        } catch (const IoError&) {
          if (attempt < kAttempts) pump_.Pause(300);
        }
      }
    }
    if (!copied) return;
    // A list that still belongs to another saved report stays with it; only a provisional list
    // moves.
    const std::string owner = RemoveAll(source_name, kDetailSuffix) + kReportWord;
    if (!FileExists(folders_.day / ReportFileName(owner))) DeleteFileIfExists(source);
  }
  page_[F::kBalanceDetail] = std::string(kDetailMarker) + target.string();
}

DailyReport EntryPageModel::RecordToSave() const {
  DailyReport record;
  for (int i = 0; i < kReportFieldCount; ++i) record.values[i] = Trim(page_.values[i]);
  record[F::kBonusPlay] = FlagToText(bonus_play_);
  record[F::kBonusName] = ChosenBonusName();
  record[F::kBonusRate] = Trim(RemoveAll(page_[F::kBonusRate], "%"));
  record[F::kRemarks] = RemarksToFile(page_[F::kRemarks]);
  return record;
}

void EntryPageModel::WriteBonusProgress() {
  const std::string name = ChosenBonusName();
  if (name.empty()) return;
  WriteBonusFile(BonusFilePath(folders_.bonus, name), name,
                 {Trim(page_[F::kBonusRequired]), Trim(page_[F::kBonusWagered]),
                  Trim(RemoveAll(page_[F::kBonusRate], "%")), Trim(page_[F::kBonusLeft])});
}

bool EntryPageModel::Save() {
  focus_.reset();
  ComputeProfitAndRate();
  ComputeAverageAndPayout(false);
  if (!CheckBeforeSave()) return false;
  const fs::path file = folders_.day / ReportFileName(report_name_);
  if (FileExists(file) && !dialogs_.AskYesNo(st::kReportExists)) return false;
  SettleBalanceDetail();
  const DailyReport record = RecordToSave();
  // Written through a temporary file renamed over the old report: a failed write keeps it.
  WriteTextFile(file, SerializeReport(record));
  if (bonus_play_) WriteBonusProgress();
  AppendAggregates(folders_, record[F::kPlace], record[F::kGame], record[F::kProfit], report_name_);
  UpdateIndex(folders_.index, record);
  ReloadBonusNames();
  ReloadReports();
  dialogs_.ShowMessage(st::kSaved, MessageKind::kInformation);
  saved_ = true;
  return true;
}

void EntryPageModel::ChooseReport(int index) {
  if (index < 0 || index >= static_cast<int>(reports_.size())) return;
  chosen_report_ = index;
  LoadReport(reports_[index]);
}

void EntryPageModel::LoadReport(const std::string& name) {
  focus_.reset();
  report_name_ = name;
  const fs::path file = folders_.day / ReportFileName(name);
  if (!FileExists(file)) return;
  DailyReport report = ReadReportFile(file);
  const bool bonus = TextToFlag(report[F::kBonusPlay]);
  if (bonus != bonus_play_) SetBonusPlay(bonus);
  const std::string bonus_name = report[F::kBonusName];
  page_ = std::move(report);
  if (!page_[F::kBonusRate].empty()) page_[F::kBonusRate] += "%";
  page_[F::kRemarks] = RemarksFromFile(page_[F::kRemarks]);
  // The chooser shows the report's bonus, even one whose file has been deleted since.
  chosen_bonus_ = -1;
  if (!bonus_name.empty()) {
    auto it = std::find(bonus_names_.begin(), bonus_names_.end(), bonus_name);
    if (it == bonus_names_.end()) it = bonus_names_.insert(bonus_names_.end(), bonus_name);
    chosen_bonus_ = static_cast<int>(it - bonus_names_.begin());
  }
  loaded_ = true;
  loaded_name_ = name;
}

bool EntryPageModel::Delete(RegenerationObserver& observer) {
  if (!loaded_) return Refuse(st::kLoadReportToDelete);
  if (!dialogs_.AskYesNo(st::kDeleteQuestion)) return false;
  const std::string name = loaded_name_;
  for (const fs::path& file : {folders_.day / ReportFileName(name), folders_.day / DetailFileName(name)})
    if (!DeleteFileIfExists(file)) ThrowIoError(IoAction::kDelete, file);
  AllClear();
  Regenerate(observer);
  dialogs_.ShowMessage(st::kDeleted, MessageKind::kInformation);
  loaded_ = false;
  return true;
}

bool EntryPageModel::Regenerate(RegenerationObserver& observer) {
  if (!RegenerateIndex(folders_, dialogs_, pump_, clock_, observer)) return false;
  ReloadBonusNames();
  ReloadReports();
  return true;
}

bool EntryPageModel::ConfirmClose() { return saved_ || dialogs_.AskYesNo(st::kCloseUnsaved); }

bool EntryPageModel::DateSearch(std::string_view typed) {
  const std::string input = Trim(typed);
  if (input.empty()) return Refuse(st::kSearchValueBlank);
  const std::vector<std::string> chars = Characters(input);
  if (chars.size() > 8) return Refuse(st::kEightDigits);
  const std::string date =
      JoinRange(chars, 0, 4) + "/" + JoinRange(chars, 4, 2) + "/" + JoinRange(chars, 6, 2);
  if (!ParseSlashDate(date)) return Refuse(st::kBadDate);
  for (size_t i = 0; i < reports_.size(); ++i) {
    if (reports_[i].substr(0, 8) == input && Contains(reports_[i], kReportWord)) {
      ChooseReport(static_cast<int>(i));
      return true;
    }
  }
  return Refuse(st::kNoSearchResult);
}

bool EntryPageModel::AddToList(PickKind kind, std::string_view typed) {
  PickList& list = kind == PickKind::kPlace ? places_ : games_;
  if (auto message = list.Add(typed)) return Refuse(*message);
  places_.Reload();
  games_.Reload();
  return true;
}

void EntryPageModel::RemoveFromList(PickKind kind, int index) {
  PickList& list = kind == PickKind::kPlace ? places_ : games_;
  if (!list.RemoveAt(index)) {
    Refuse(st::kChooseListToDelete);
    return;
  }
  ClearPicked(kind);
}

void EntryPageModel::PickFromList(PickKind kind, int index) {
  const auto& entries = list(kind).entries();
  if (index < 0 || index >= static_cast<int>(entries.size())) return;
  page_[kind == PickKind::kPlace ? F::kPlace : F::kGame] = entries[index];
}

void EntryPageModel::ClearPicked(PickKind kind) { page_[kind == PickKind::kPlace ? F::kPlace : F::kGame].clear(); }

BalanceDetailModel EntryPageModel::OpenBalanceDetail() {
  return BalanceDetailModel(folders_.day, page_[F::kBalanceDetail], dialogs_, clock_);
}

void EntryPageModel::BalanceDetailSaved(const fs::path& path) {
  page_[F::kBalanceDetail] = std::string(kDetailMarker) + path.string();
}

void EntryPageModel::ClearBalanceDetail() {
  const std::string name = DetailFileOfField(page_[F::kBalanceDetail]);
  if (!name.empty() && !DeleteFileIfExists(folders_.day / name))
    ThrowIoError(IoAction::kDelete, folders_.day / name);
  page_[F::kBalanceDetail].clear();
}

void EntryPageModel::SetBonusPlay(bool on) {
  bonus_play_ = on;
  bonus_read_ = false;
  if (!on) {
    chosen_bonus_ = -1;
    for (ReportField f : kBonusNumbers) page_[f].clear();
  }
}

void EntryPageModel::ChooseBonus(int index) {
  if (!bonus_play_ || index < -1 || index >= static_cast<int>(bonus_names_.size())) return;
  chosen_bonus_ = index;
  ReadBonus();
}

void EntryPageModel::ReadBonus() {
  const std::string name = ChosenBonusName();
  if (name.empty()) return;
  auto bonus = ReadBonusFile(BonusFilePath(folders_.bonus, name));
  if (!bonus) return;
  page_[F::kBonusRequired] = bonus->condition;
  page_[F::kBonusWagered] = bonus->bettotal;
  page_[F::kBonusRate] = bonus->advance + "%";
  page_[F::kBonusLeft] = bonus->leftover;
  bonus_read_ = true;
}

void EntryPageModel::DeleteBonus() {
  const std::string name = ChosenBonusName();
  if (name.empty()) {
    Refuse(st::kChooseBonusToDelete);
    return;
  }
  const fs::path file = BonusFilePath(folders_.bonus, name);
  if (!FileExists(file)) {
    Refuse(st::kSettingsFileMissing);
    return;
  }
  if (!DeleteFileIfExists(file)) ThrowIoError(IoAction::kDelete, file);
  bonus_read_ = false;
  chosen_bonus_ = -1;
  ReloadBonusNames();
  for (ReportField f : kBonusNumbers) page_[f].clear();
}

void EntryPageModel::BonusDialogClosed() {
  ReloadBonusNames();
  ReloadReports();
}

bool EntryPageModel::CanAddBonusProgress() {
  if (bonus_read_) return true;
  return Refuse(st::kBonusNotRead);
}

void EntryPageModel::AddBonusProgress(long long increment) {
  BonusProgressTexts texts = AddProgress(page_[F::kBonusRequired], page_[F::kBonusWagered], increment);
  page_[F::kBonusWagered] = texts.wagered;
  page_[F::kBonusRate] = texts.rate;
  page_[F::kBonusLeft] = texts.left;
}

}  // namespace vessaro
