#include "balancesheet/search_index.h"

#include <map>

#include "balancesheet/aggregates.h"
#include "balancesheet/sheet_texts.h"
#include "common/format.h"
#include "common/text.h"

namespace vessaro {

using F = ReportField;

const std::array<ReportField, kIndexKeyCount> kIndexFields = {
    F::kStartDate,  F::kStartTime,  F::kPlayTime,   F::kPlace,        F::kGame,      F::kStartBalance,
    F::kDeposit,    F::kEndBalance, F::kProfit,     F::kWithdrawal,   F::kHourlyRate, F::kBets,
    F::kWins,       F::kLosses,     F::kTies,       F::kTotalBet,     F::kHighestBet, F::kAverageBet,
    F::kPayout,     F::kWinStreak,  F::kLoseStreak, F::kBalanceDetail, F::kBonusPlay, F::kBonusName,
    F::kBonusRequired, F::kBonusWagered, F::kBonusRate, F::kBonusLeft, F::kRemarks,
};

fs::path IndexFilePath(const fs::path& index_folder, int key) {
  return index_folder / Format("col_%d.txt", key);
}

std::vector<std::string> ReadIndexValues(const fs::path& index_folder, int key) {
  std::vector<std::string> values;
  for (std::string& line : ReadTextLines(IndexFilePath(index_folder, key)))
    if (!line.empty()) values.push_back(std::move(line));
  return values;
}

void UpdateIndex(const fs::path& index_folder, const DailyReport& report) {
  for (int key = 0; key < kIndexKeyCount; ++key) {
    const std::string& value = report[kIndexFields[key]];
    if (value.empty()) continue;
    bool known = false;
    for (const std::string& line : ReadIndexValues(index_folder, key))
      if (EqualsIgnoreCase(line, value)) {
        known = true;
        break;
      }
    if (!known) AppendLine(value, IndexFilePath(index_folder, key));
  }
}

void IndexBuilder::Add(const DailyReport& report) {
  for (int key = 0; key < kIndexKeyCount; ++key) {
    const std::string& value = report[kIndexFields[key]];
    if (value.empty()) continue;
    if (seen_[key].insert(ToUpperAscii(value)).second) values_[key].push_back(value);
  }
}

void IndexBuilder::WriteTo(const fs::path& index_folder) const {
  for (int key = 0; key < kIndexKeyCount; ++key) {
    if (values_[key].empty()) continue;
    std::string text;
    for (const std::string& v : values_[key]) text.append(v).append("\r\n");
    WriteTextFile(IndexFilePath(index_folder, key), text);
  }
}

namespace {

constexpr int64_t kYieldMillis = 15;

// The four rebuilt folders, each with its place in the tree.
struct Rebuilt {
  const fs::path* live;
  fs::path fresh;
  fs::path old;
};

// Ends the progress display however the rebuild ends.
class FinishGuard {
 public:
  explicit FinishGuard(RegenerationObserver& observer) : observer_(observer) {}
  ~FinishGuard() { observer_.OnRegenerationFinished(); }

 private:
  RegenerationObserver& observer_;
};

void Rename(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  if (ec) ThrowIoError(IoAction::kWrite, to, ec.value());
}

}  // namespace

RegenerationResult RebuildIndex(const SheetFolders& folders, EventPump& pump, Clock& clock,
                                RegenerationObserver& observer) {
  const fs::path work = folders.root / ".regenerating";
  const fs::path retired = folders.root / ".retired";
  std::vector<Rebuilt> parts;
  for (const fs::path* live : {&folders.year, &folders.month, &folders.week, &folders.index})
    parts.push_back({live, work / live->filename(), retired / live->filename()});
  // Leftovers of a rebuild that never finished are of no use.
  for (const fs::path& leftover : {work, retired})
    if (FolderExists(leftover) && RemoveFolder(leftover) != 0) ThrowIoError(IoAction::kDelete, leftover);
  for (const Rebuilt& p : parts)
    if (!EnsureFolder(p.fresh)) ThrowIoError(IoAction::kCreateFolder, p.fresh);

  observer.OnRegenerationStarted();
  FinishGuard finish(observer);
  RegenerationResult result;
  // The rebuilt tree: aggregate lines and index values gathered in memory, written at the end.
  SheetFolders fresh = folders;
  fresh.year = parts[0].fresh;
  fresh.month = parts[1].fresh;
  fresh.week = parts[2].fresh;
  fresh.index = parts[3].fresh;
  std::map<fs::path, std::string> aggregates;
  IndexBuilder index;

  const std::vector<std::string> files = ListSheetFileNames(folders.day);
  const int total = static_cast<int>(files.size());
  int64_t last_yield = clock.MonotonicMillis();
  auto progress = [&](int k) {
    observer.OnRegenerationProgress(Format(sheet_text::kRegenerateProgress, k, total));
    pump.ProcessEvents();
    last_yield = clock.MonotonicMillis();
  };
  progress(0);
  for (int k = 1; k <= total; ++k) {
    if (clock.MonotonicMillis() - last_yield >= kYieldMillis) progress(k);
    ++result.files;
    const std::string& file = files[k - 1];
    if (Contains(file, "_detailed")) continue;
    auto name = ReportNameOfFile(file);
    if (!name) continue;
    const DailyReport report = ReadReportFile(folders.day / file);
    auto entry = MakeAggregateEntry(fresh, report[F::kPlace], report[F::kGame], report[F::kProfit], *name);
    if (!entry) continue;
    ++result.reports;
    for (const fs::path& target : entry->files) aggregates[target].append(entry->line).append("\r\n");
    index.Add(report);
  }
  progress(total);

  for (const auto& [path, text] : aggregates) WriteTextFile(path, text);
  index.WriteTo(fresh.index);

  // Swap the rebuilt folders in; each live folder is out of the way only for one rename.
  if (!EnsureFolder(retired)) ThrowIoError(IoAction::kCreateFolder, retired);
  for (const Rebuilt& p : parts) {
    const bool had_live = FolderExists(*p.live);
    if (had_live) Rename(*p.live, p.old);
    try {
      Rename(p.fresh, *p.live);
    } catch (const IoError&) {
      std::error_code ec;
      if (had_live) fs::rename(p.old, *p.live, ec);
      throw;
    }
  }
  RemoveFolder(retired);
  RemoveFolder(work);
  return result;
}

bool RegenerateIndex(const SheetFolders& folders, Dialogs& dialogs, EventPump& pump, Clock& clock,
                     RegenerationObserver& observer) {
  if (!dialogs.AskYesNo(sheet_text::kRegenerateQuestion)) return false;
  RebuildIndex(folders, pump, clock, observer);
  dialogs.ShowMessage(sheet_text::kRegenerateDone, MessageKind::kInformation);
  return true;
}

}  // namespace vessaro
