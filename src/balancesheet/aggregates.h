// The year, month and week aggregate files: one line per saved report, "mmdd,profit,"place","game"",
// appended to the files of the report's date. Only their names are read back (the preview's
// pickers); the lines themselves are for the user and other tools.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "balancesheet/calendar.h"
#include "balancesheet/sheet_folders.h"

namespace vessaro {

// Sunday to Saturday.
struct WeekSpan {
  CivilDate sunday;
  CivilDate saturday;
};
WeekSpan WeekOf(const CivilDate& date);
// "yyyymmdd-mmdd": the Sunday in full, the Saturday's month and day.
std::string WeekFileStem(const WeekSpan& week);
// The week a week file's name (with or without ".txt") stands for; nullopt for other names.
std::optional<WeekSpan> ParseWeekFileName(std::string_view name);

struct AggregateEntry {
  std::array<fs::path, 3> files;  // year, month and week file, in that order
  std::string line;
};
// The line and the three files for a report; nullopt when the report name does not start with a
// real date yyyymmdd.
std::optional<AggregateEntry> MakeAggregateEntry(const SheetFolders& folders, std::string_view place,
                                                 std::string_view game, std::string_view profit,
                                                 std::string_view report_name);

// Appends the report's line to its year, month and week file, creating them when missing. False
// (nothing written) when the report name does not start with a date. Raises IoError.
bool AppendAggregates(const SheetFolders& folders, std::string_view place, std::string_view game,
                      std::string_view profit, std::string_view report_name);

}  // namespace vessaro
