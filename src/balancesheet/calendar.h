// Calendar dates of reports: reading and writing "yyyy/mm/dd" and yyyymmdd, day arithmetic and the
// Sunday-to-Saturday weeks of the aggregate files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vessaro {

struct CivilDate {
  int year = 2000;
  int month = 1;
  int day = 1;
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

bool IsValidDate(int year, int month, int day);

// "yyyy/mm/dd" (one- or two-digit month and day accepted, as typed dates are); nullopt otherwise.
std::optional<CivilDate> ParseSlashDate(std::string_view text);
// Exactly eight digits yyyymmdd forming a real date.
std::optional<CivilDate> ParseCompactDate(std::string_view text);

std::string SlashDate(const CivilDate& d);    // yyyy/mm/dd
std::string CompactDate(const CivilDate& d);  // yyyymmdd

// Days since 1970-01-01 (negative before), and back.
int64_t DayNumber(const CivilDate& d);
CivilDate DateOfDayNumber(int64_t days);
CivilDate AddDays(const CivilDate& d, int64_t days);
// 1 for Sunday to 7 for Saturday.
int Weekday(const CivilDate& d);

// A time of day written hours ":" minutes ("9:05", "23:00"): minutes since midnight, or nullopt.
std::optional<int> ParseTimeOfDay(std::string_view text);

}  // namespace vessaro
