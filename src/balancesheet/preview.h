// The preview page "戦績プレビュー": the year, month, week and day pickers built from the names of
// the aggregate and balance-detail files, the report selection `FindReports`, the result table
// with the chosen columns, the profit and balance graphs, and the table as CSV.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "balancesheet/aggregates.h"
#include "balancesheet/daily_report.h"
#include "balancesheet/sheet_folders.h"
#include "common/ports.h"

namespace vessaro {

enum class SearchMode { kYear, kMonth, kWeek, kDay };

// A report that passes the condition string of the preview (empty: every report passes).
using ReportFilter = std::function<bool(const DailyReport&)>;

struct FoundReport {
  std::string name;  // report name ("2024010501収支日報")
  DailyReport report;
};
struct FoundReports {
  std::vector<FoundReport> reports;
  bool truncated = false;  // more reports matched than the limit
};

inline constexpr size_t kMaxFoundReports = 10000;

// For each key in order, the report files of the day folder in name order that start with the key
// (yyyy, yyyymm, yyyymmdd; in day mode the key is the report's yyyymmddNN and names it exactly, and
// its balance-detail file must exist), kept when the filter passes. At most limit reports.
FoundReports FindReports(const fs::path& day_folder, const std::vector<std::string>& keys,
                         SearchMode mode, const ReportFilter& filter, size_t limit = kMaxFoundReports);

// Reports whose date lies from..to (yyyymmdd, inclusive), in name order, without a limit: the
// command-line export.
std::vector<FoundReport> FindReportsBetween(const fs::path& day_folder, const CivilDate& from,
                                            const CivilDate& to, const ReportFilter& filter);

struct GraphSeries {
  std::string title;        // "収支推移グラフ" / "残高推移グラフ"
  std::string series;       // "収支推移" / "残高推移"
  std::string total_label;  // "トータル収支" / "残高"
  std::vector<std::pair<long long, long long>> points;
};
GraphSeries EmptyProfitGraph();
// (0, 0), then the running total of each row's "収支" column (0 when that column is not shown
// or the text is not a whole number).
GraphSeries ProfitGraph(const std::vector<std::string>& columns,
                        const std::vector<std::vector<std::string>>& rows);
// Line i of the balance-detail file as the point (i, value), "," removed, unreadable 0.
GraphSeries BalanceGraph(const std::vector<std::string>& lines);

// The table as CSV text (header row, then the rows), CR LF line ends; fields holding a comma, a
// double quote or a line break are quoted and their quotes doubled.
std::string TableCsv(const std::vector<std::string>& columns,
                     const std::vector<std::vector<std::string>>& rows);
// The CSV text in code page 932, as a Japanese spreadsheet reads it.
std::string TableCsvBytes(const std::vector<std::string>& columns,
                          const std::vector<std::vector<std::string>>& rows);

// A drop-down of the preview: items without the prompt, -1 for the prompt (nothing chosen).
struct Picker {
  std::vector<std::string> items;
  int selected = -1;
  bool enabled = false;
};

class PreviewModel {
 public:
  PreviewModel(const fs::path& program_folder, Dialogs& dialogs);

  // The year list is rebuilt; month, week and day are emptied and disabled.
  void ResetPickers();
  // Columns from the settings file (a damaged file is reported once and shows every column).
  void ReloadColumns();

  const Picker& year() const { return year_; }
  const Picker& month() const { return month_; }
  const Picker& week() const { return week_; }
  const Picker& day() const { return day_; }
  void ChooseYear(int index);
  void ChooseMonth(int index);
  void ChooseWeek(int index);
  void ChooseDay(int index);

  // "検索".
  void Search();
  // "絞り込みクリア".
  void ClearNarrowing();
  // After the column dialog's OK: the table emptied, its columns rebuilt, the search run again
  // when a year is chosen.
  void ColumnsChanged();

  // The condition string of the condition window; "有" is shown while it is set.
  const std::string& condition() const { return condition_; }
  void SetCondition(std::string condition) { condition_ = std::move(condition); }

  const std::vector<std::string>& columns() const { return columns_; }
  const std::vector<std::vector<std::string>>& rows() const { return rows_; }
  const GraphSeries& graph() const { return graph_; }

  // "CSVエクスポート": asks for a file and writes the table as shown. True when written.
  bool ExportCsv();

 private:
  std::string ChosenYear() const;

  SheetFolders folders_;
  Dialogs& dialogs_;
  Picker year_, month_, week_, day_;
  std::vector<WeekSpan> week_spans_;      // the week of each week item
  std::vector<std::string> day_reports_;  // the yyyymmddNN of each day item
  std::vector<std::string> columns_;
  std::vector<std::vector<std::string>> rows_;
  GraphSeries graph_;
  std::string condition_;
};

}  // namespace vessaro
