#include "balancesheet/preview.h"

#include <cerrno>

#include "balancesheet/calendar.h"
#include "balancesheet/condition.h"
#include "balancesheet/preview_columns.h"
#include "balancesheet/sheet_texts.h"
#include "common/cp932.h"
#include "common/format.h"
#include "common/text.h"

namespace vessaro {
namespace {

// The report files of the day folder in name order, as (report name, path).
std::vector<std::pair<std::string, fs::path>> ReportFiles(const fs::path& day_folder) {
  std::vector<std::pair<std::string, fs::path>> files;
  for (const std::string& file : ListSheetFileNames(day_folder))
    if (auto name = ReportNameOfFile(file)) files.emplace_back(std::move(*name), day_folder / file);
  return files;
}

bool Passes(const ReportFilter& filter, const DailyReport& report) { return !filter || filter(report); }

std::string QuoteCsv(const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  return "\"" + ReplaceAll(field, "\"", "\"\"") + "\"";
}

// "01月" style item texts and the yyyymm of a month file.
bool IsDigitsOfLength(std::string_view text, size_t n) { return text.size() == n && IsDigits(text); }

std::string Stem(const std::string& file_name) {
  return EndsWith(file_name, ".txt") ? file_name.substr(0, file_name.size() - 4) : std::string();
}

}  // namespace

FoundReports FindReports(const fs::path& day_folder, const std::vector<std::string>& keys,
                         SearchMode mode, const ReportFilter& filter, size_t limit) {
  FoundReports found;
  const auto files = ReportFiles(day_folder);
  for (const std::string& key : keys) {
    for (const auto& [name, path] : files) {
      const bool match = mode == SearchMode::kDay ? name == key + kReportWord : StartsWith(name, key);
      if (!match) continue;
      if (mode == SearchMode::kDay && !FileExists(day_folder / DetailFileName(name))) continue;
      DailyReport report = ReadReportFile(path);
      if (!Passes(filter, report)) continue;
      if (found.reports.size() >= limit) {
        found.truncated = true;
        return found;
      }
      found.reports.push_back({name, std::move(report)});
    }
  }
  return found;
}

std::vector<FoundReport> FindReportsBetween(const fs::path& day_folder, const CivilDate& from,
                                            const CivilDate& to, const ReportFilter& filter) {
  std::vector<FoundReport> found;
  const std::string low = CompactDate(from);
  const std::string high = CompactDate(to);
  for (const auto& [name, path] : ReportFiles(day_folder)) {
    const std::string date = name.substr(0, 8);
    if (!ParseCompactDate(date) || date < low || date > high) continue;
    DailyReport report = ReadReportFile(path);
    if (Passes(filter, report)) found.push_back({name, std::move(report)});
  }
  return found;
}

GraphSeries EmptyProfitGraph() {
  return {sheet_text::kProfitGraphTitle, sheet_text::kProfitSeries, sheet_text::kProfitTotal, {}};
}

GraphSeries ProfitGraph(const std::vector<std::string>& columns,
                        const std::vector<std::vector<std::string>>& rows) {
  GraphSeries graph = EmptyProfitGraph();
  int profit_column = -1;
  for (size_t c = 0; c < columns.size() && profit_column < 0; ++c)
    if (columns[c] == "収支") profit_column = static_cast<int>(c);
  long long total = 0;
  graph.points.emplace_back(0, 0);
  for (size_t i = 0; i < rows.size(); ++i) {
    if (profit_column >= 0) total += ToIntDef(Trim(rows[i][profit_column]), 0);
    graph.points.emplace_back(static_cast<long long>(i + 1), total);
  }
  return graph;
}

GraphSeries BalanceGraph(const std::vector<std::string>& lines) {
  GraphSeries graph{sheet_text::kBalanceGraphTitle, sheet_text::kBalanceSeries,
                    sheet_text::kBalanceTotal, {}};
  for (size_t i = 0; i < lines.size(); ++i)
    graph.points.emplace_back(static_cast<long long>(i), ToIntDef(Trim(RemoveAll(lines[i], ",")), 0));
  return graph;
}

std::string TableCsv(const std::vector<std::string>& columns,
                     const std::vector<std::vector<std::string>>& rows) {
  std::string out;
  auto add_row = [&out](const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) out += ',';
      out += QuoteCsv(fields[i]);
    }
    out += "\r\n";
  };
  add_row(columns);
  for (const auto& row : rows) add_row(row);
  return out;
}

std::string TableCsvBytes(const std::vector<std::string>& columns,
                          const std::vector<std::vector<std::string>>& rows) {
  return EncodeCp932Lossy(TableCsv(columns, rows));
}

PreviewModel::PreviewModel(const fs::path& program_folder, Dialogs& dialogs)
    : folders_(program_folder), dialogs_(dialogs), graph_(EmptyProfitGraph()) {}

void PreviewModel::ResetPickers() {
  year_ = Picker{};
  year_.enabled = true;
  for (const std::string& file : ListSheetFileNames(folders_.year)) {
    const std::string stem = Stem(file);
    if (IsDigitsOfLength(stem, 4) && stem != "0000") year_.items.push_back(stem + "年");
  }
  month_ = week_ = day_ = Picker{};
  week_spans_.clear();
  day_reports_.clear();
}

void PreviewModel::ReloadColumns() {
  ColumnSettings settings = ReadColumnSettings(folders_.column_settings);
  if (settings.unreadable)
    dialogs_.ShowMessage(sheet_text::kColumnSettingsUnreadable, MessageKind::kWarning);
  columns_ = std::move(settings.names);
  rows_.clear();
}

std::string PreviewModel::ChosenYear() const {
  return year_.selected < 0 ? std::string() : RemoveAll(year_.items[year_.selected], "年");
}

void PreviewModel::ChooseYear(int index) {
  if (index < -1 || index >= static_cast<int>(year_.items.size())) return;
  year_.selected = index;
  month_ = week_ = day_ = Picker{};
  week_spans_.clear();
  day_reports_.clear();
  if (index < 0) return;
  const std::string year = ChosenYear();
  const auto files = ListSheetFileNames(folders_.month);
  for (const std::string& file : files) {
    const std::string stem = Stem(file);
    if (IsDigitsOfLength(stem, 6) && StartsWith(stem, year)) month_.items.push_back(stem.substr(4) + "月");
  }
  if (month_.items.empty()) {
    dialogs_.ShowMessage(sheet_text::kNoMonthResult, MessageKind::kWarning);
    if (files.empty()) year_.selected = -1;
    return;
  }
  month_.enabled = true;
}

void PreviewModel::ChooseMonth(int index) {
  if (!month_.enabled || index < -1 || index >= static_cast<int>(month_.items.size())) return;
  month_.selected = index;
  week_ = day_ = Picker{};
  week_spans_.clear();
  day_reports_.clear();
  if (index < 0) return;
  const int year = static_cast<int>(ToIntDef(ChosenYear(), 0));
  const int month = static_cast<int>(ToIntDef(RemoveAll(month_.items[index], "月"), 0));
  const auto files = ListSheetFileNames(folders_.week);
  for (const std::string& file : files) {
    auto span = ParseWeekFileName(file);
    if (!span) continue;
    // A week belongs to every month it overlaps, across the turn of the year too.
    const bool starts = span->sunday.year == year && span->sunday.month == month;
    const bool ends = span->saturday.year == year && span->saturday.month == month;
    if (!starts && !ends) continue;
    week_.items.push_back(Format("%02d%02d-%02d%02d週", span->sunday.month, span->sunday.day,
                                 span->saturday.month, span->saturday.day));
    week_spans_.push_back(*span);
  }
  if (week_.items.empty()) {
    dialogs_.ShowMessage(sheet_text::kNoWeekResult, MessageKind::kWarning);
    if (files.empty()) month_.selected = -1;
    return;
  }
  week_.enabled = true;
}

void PreviewModel::ChooseWeek(int index) {
  if (!week_.enabled || index < -1 || index >= static_cast<int>(week_.items.size())) return;
  week_.selected = index;
  day_ = Picker{};
  day_reports_.clear();
  if (index < 0) return;
  const auto files = ListSheetFileNames(folders_.day);
  for (int offset = 0; offset < 7; ++offset) {
    const std::string date = CompactDate(AddDays(week_spans_[index].sunday, offset));
    for (const std::string& file : files) {
      if (!StartsWith(file, date) || !EndsWith(file, kDetailSuffix)) continue;
      // Only the balance-detail files of saved reports: a list not yet saved with its report
      // has a time of day where the number would be.
      const std::string number = file.substr(8, file.size() - 8 - std::string_view(kDetailSuffix).size());
      const std::string report = date + number;
      if (!IsDigits(number) || !FileExists(folders_.day / ReportFileName(report + kReportWord))) continue;
      day_.items.push_back(date.substr(0, 4) + "年" + date.substr(4, 2) + "月" + date.substr(6, 2) +
                           "日-" + number);
      day_reports_.push_back(report);
    }
  }
  if (day_.items.empty()) {
    dialogs_.ShowMessage(sheet_text::kNoDayResult, MessageKind::kWarning);
    if (files.empty()) week_.selected = -1;
    return;
  }
  day_.enabled = true;
}

void PreviewModel::ChooseDay(int index) {
  if (!day_.enabled || index < -1 || index >= static_cast<int>(day_.items.size())) return;
  day_.selected = index;
}

void PreviewModel::Search() {
  if (year_.selected < 0) {
    dialogs_.ShowMessage(sheet_text::kNoNarrowing, MessageKind::kWarning);
    return;
  }
  std::vector<std::string> keys;
  SearchMode mode = SearchMode::kYear;
  const std::string year = ChosenYear();
  if (day_.selected >= 0) {
    mode = SearchMode::kDay;
    keys.push_back(day_reports_[day_.selected]);
  } else if (week_.selected >= 0) {
    mode = SearchMode::kWeek;
    for (int offset = 0; offset < 7; ++offset)
      keys.push_back(CompactDate(AddDays(week_spans_[week_.selected].sunday, offset)));
  } else if (month_.selected >= 0) {
    mode = SearchMode::kMonth;
    keys.push_back(year + RemoveAll(month_.items[month_.selected], "月"));
  } else {
    keys.push_back(year);
  }
  rows_.clear();
  ReportFilter filter;
  if (!condition_.empty())
    filter = [condition = condition_](const DailyReport& r) { return MatchesCondition(condition, r); };
  FoundReports found = FindReports(folders_.day, keys, mode, filter);
  if (found.reports.empty()) {
    dialogs_.ShowMessage(sheet_text::kZeroResults, MessageKind::kInformation);
    return;
  }
  rows_.reserve(found.reports.size());
  for (const FoundReport& r : found.reports) {
    std::vector<std::string> row;
    row.reserve(columns_.size());
    for (const std::string& column : columns_) row.push_back(ShownText(column, r.report));
    rows_.push_back(std::move(row));
  }
  if (mode == SearchMode::kDay) {
    const FoundReport& first = found.reports.front();
    std::string file = DetailFileOfField(first.report[ReportField::kBalanceDetail]);
    if (file.empty()) file = DetailFileName(first.name);
    const fs::path path = folders_.day / file;
    if (!FileExists(path)) {
      dialogs_.ShowMessage(IoErrorMessage(IoAction::kRead, path, ENOENT), MessageKind::kError);
    } else {
      graph_ = BalanceGraph(ReadDetailLines(path));
    }
  } else {
    graph_ = ProfitGraph(columns_, rows_);
  }
  if (found.truncated)
    dialogs_.ShowMessage(Format(sheet_text::kTooManyResults, static_cast<int>(kMaxFoundReports),
                                static_cast<int>(kMaxFoundReports)),
                         MessageKind::kInformation);
}

void PreviewModel::ClearNarrowing() {
  ResetPickers();
  rows_.clear();
  graph_ = EmptyProfitGraph();
}

void PreviewModel::ColumnsChanged() {
  ReloadColumns();
  if (year_.selected >= 0) Search();
}

bool PreviewModel::ExportCsv() {
  if (rows_.empty()) {
    dialogs_.ShowMessage(sheet_text::kCsvNothingToExport, MessageKind::kWarning);
    return false;
  }
  FileFilter filter;
  filter.title = sheet_text::kCsvExportTitle;
  filter.filter = "CSV FILE(*.csv)|*.csv|ALL FILE(*.*)|*.*";
  filter.initial = (folders_.root / "収支表.csv").string();
  filter.default_extension = "csv";
  auto file = dialogs_.ChooseSaveFile(filter);
  if (!file) return false;
  WriteWholeFile(*file, TableCsvBytes(columns_, rows_));
  dialogs_.ShowMessage(sheet_text::kSaved, MessageKind::kInformation);
  return true;
}

}  // namespace vessaro
