#include "balancesheet/aggregates.h"

#include "common/format.h"
#include "common/text.h"

namespace vessaro {

WeekSpan WeekOf(const CivilDate& date) {
  const int weekday = Weekday(date);
  return {AddDays(date, -(weekday - 1)), AddDays(date, 7 - weekday)};
}

std::string WeekFileStem(const WeekSpan& week) {
  return CompactDate(week.sunday) + "-" + Format("%02d%02d", week.saturday.month, week.saturday.day);
}

std::optional<WeekSpan> ParseWeekFileName(std::string_view name) {
  if (EndsWith(name, ".txt")) name.remove_suffix(4);
  if (name.size() != 13 || name[8] != '-') return std::nullopt;
  auto sunday = ParseCompactDate(name.substr(0, 8));
  if (!sunday || Weekday(*sunday) != 1) return std::nullopt;
  WeekSpan week{*sunday, AddDays(*sunday, 6)};
  if (WeekFileStem(week) != name) return std::nullopt;
  return week;
}

std::optional<AggregateEntry> MakeAggregateEntry(const SheetFolders& folders, std::string_view place,
                                                 std::string_view game, std::string_view profit,
                                                 std::string_view report_name) {
  auto date = ParseCompactDate(report_name.substr(0, std::min<size_t>(8, report_name.size())));
  if (!date) return std::nullopt;
  AggregateEntry entry;
  entry.files[0] = folders.year / Format("%04d.txt", date->year);
  entry.files[1] = folders.month / Format("%04d%02d.txt", date->year, date->month);
  entry.files[2] = folders.week / (WeekFileStem(WeekOf(*date)) + ".txt");
  entry.line = Format("%02d%02d,", date->month, date->day);
  entry.line.append(profit).append(",\"").append(place).append("\",\"").append(game).append("\"");
  return entry;
}

bool AppendAggregates(const SheetFolders& folders, std::string_view place, std::string_view game,
                      std::string_view profit, std::string_view report_name) {
  auto entry = MakeAggregateEntry(folders, place, game, profit, report_name);
  if (!entry) return false;
  for (const fs::path& file : entry->files) AppendLine(entry->line, file);
  return true;
}

}  // namespace vessaro
