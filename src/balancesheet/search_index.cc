#include "balancesheet/search_index.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <map>

#include "balancesheet/aggregates.h"
#include "balancesheet/sheet_texts.h"
#include "common/format.h"
#include "common/line_appender.h"
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

std::vector<fs::path> IndexBuilder::WriteTo(const fs::path& index_folder) const {
  std::vector<fs::path> files;
  for (int key = 0; key < kIndexKeyCount; ++key) {
    if (values_[key].empty()) continue;
    files.push_back(IndexFilePath(index_folder, key));
    LineAppender out(files.back());
    for (const std::string& v : values_[key]) out.Append(v);
    out.Flush();
  }
  return files;
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

// Makes what was written to a file or the entries of a folder durable.
void SyncToDisk(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) ThrowIoError(IoAction::kWrite, path, errno);
  const bool synced = ::fsync(fd) == 0;
  const int saved = errno;
  ::close(fd);
  if (!synced) ThrowIoError(IoAction::kWrite, path, saved);
}

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
  std::map<fs::path, LineAppender> aggregates;
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
    for (const fs::path& target : entry->files) aggregates.try_emplace(target, target).first->second.Append(entry->line);
    index.Add(report);
  }
  progress(total);

  // The fresh folders are nobody else's until the swap, so their files are written straight and
  // made durable together: one journal commit for all of them instead of one per file.
  auto keep_responsive = [&] {
    if (clock.MonotonicMillis() - last_yield >= kYieldMillis) progress(total);
  };
  std::vector<fs::path> written;
  for (auto& [path, lines] : aggregates) {
    lines.Flush();
    written.push_back(path);
    keep_responsive();
  }
  for (const fs::path& path : index.WriteTo(fresh.index)) written.push_back(path);
  for (const fs::path& path : written) {
    SyncToDisk(path);
    keep_responsive();
  }
  for (const Rebuilt& p : parts) SyncToDisk(p.fresh);

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
  SyncToDisk(folders.root);
  // The old files go one by one, with the window kept responsive between them.
  std::error_code ec;
  std::vector<fs::path> old_files;
  for (fs::recursive_directory_iterator it(retired, ec), end; !ec && it != end; it.increment(ec))
    if (!it->is_directory(ec)) old_files.push_back(it->path());
  for (const fs::path& file : old_files) {
    DeleteFileIfExists(file);
    keep_responsive();
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
