// The search index: for 29 report fields, the distinct values saved reports have had (compared
// regardless of letter case), one file per field in 99_indexdata, in the order first seen. And
// the regeneration that rebuilds the index and the aggregate files from the report files.
#pragma once

#include <array>
#include <string>
#include <unordered_set>
#include <vector>

#include "balancesheet/daily_report.h"
#include "balancesheet/sheet_folders.h"
#include "common/ports.h"

namespace vessaro {

inline constexpr int kIndexKeyCount = 29;
// Index key i is the report field kIndexFields[i] (every field but the end date and time).
extern const std::array<ReportField, kIndexKeyCount> kIndexFields;

// 99_indexdata/col_<i>.txt
fs::path IndexFilePath(const fs::path& index_folder, int key);

// Adds each non-empty value of the report that its index file does not hold yet (regardless of
// letter case) as a new last line, creating the file when needed.
void UpdateIndex(const fs::path& index_folder, const DailyReport& report);

// The lines of an index file (empty lines skipped); none when the file is missing.
std::vector<std::string> ReadIndexValues(const fs::path& index_folder, int key);

// The index of many reports built in memory and written once (the regeneration).
class IndexBuilder {
 public:
  void Add(const DailyReport& report);
  // Writes one file per key that has a value into an empty folder (lines are appended, nothing
  // is synced to disk); returns the files written.
  std::vector<fs::path> WriteTo(const fs::path& index_folder) const;

 private:
  std::array<std::vector<std::string>, kIndexKeyCount> values_;
  std::array<std::unordered_set<std::string>, kIndexKeyCount> seen_;
};

// What the window shows while the regeneration runs.
class RegenerationObserver {
 public:
  virtual ~RegenerationObserver() = default;
  // The pages are disabled and the progress line shown.
  virtual void OnRegenerationStarted() {}
  // "検索INDEXの再生成を行っています(k/n)".
  virtual void OnRegenerationProgress(const std::string& /*text*/) {}
  // The pages are enabled again and the progress line hidden (also after a failure).
  virtual void OnRegenerationFinished() {}
};

struct RegenerationResult {
  int files = 0;    // files of the day folder looked at
  int reports = 0;  // report files read
};

// Rebuilds 00_year, 01_month, 02_week and 99_indexdata from the report files of the day folder,
// in name order regardless of case, without a question. The new folders are built beside the old
// ones and swapped in only at the end, so a failure half-way leaves the old ones in place. Yields
// to the event loop every 15 ms (progress line updated then); never pauses per file. Raises
// IoError.
RegenerationResult RebuildIndex(const SheetFolders& folders, EventPump& pump, Clock& clock,
                                RegenerationObserver& observer);

// "INDEX再生成": asks first; false when the user said No.
bool RegenerateIndex(const SheetFolders& folders, Dialogs& dialogs, EventPump& pump, Clock& clock,
                     RegenerationObserver& observer);

}  // namespace vessaro
