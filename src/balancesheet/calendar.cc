#include "balancesheet/calendar.h"

#include "common/format.h"
#include "common/text.h"

namespace vessaro {
namespace {

bool ReadSmallNumber(std::string_view text, size_t min_digits, size_t max_digits, int& value) {
  if (text.size() < min_digits || text.size() > max_digits || !IsDigits(text)) return false;
  value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return true;
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::optional<CivilDate> ParseSlashDate(std::string_view text) {
  const size_t a = text.find('/');
  if (a == std::string_view::npos) return std::nullopt;
  const size_t b = text.find('/', a + 1);
  if (b == std::string_view::npos) return std::nullopt;
  CivilDate d;
  if (!ReadSmallNumber(text.substr(0, a), 4, 4, d.year) ||
      !ReadSmallNumber(text.substr(a + 1, b - a - 1), 1, 2, d.month) ||
      !ReadSmallNumber(text.substr(b + 1), 1, 2, d.day) || !IsValidDate(d.year, d.month, d.day))
    return std::nullopt;
  return d;
}

std::optional<CivilDate> ParseCompactDate(std::string_view text) {
  CivilDate d;
  if (text.size() != 8 || !ReadSmallNumber(text.substr(0, 4), 4, 4, d.year) ||
      !ReadSmallNumber(text.substr(4, 2), 2, 2, d.month) ||
      !ReadSmallNumber(text.substr(6, 2), 2, 2, d.day) || !IsValidDate(d.year, d.month, d.day))
    return std::nullopt;
  return d;
}

std::string SlashDate(const CivilDate& d) { return Format("%04d/%02d/%02d", d.year, d.month, d.day); }
std::string CompactDate(const CivilDate& d) { return Format("%04d%02d%02d", d.year, d.month, d.day); }

// Howard Hinnant's days-from-civil and its inverse.
int64_t DayNumber(const CivilDate& d) {
  const int64_t y = d.year - (d.month <= 2 ? 1 : 0);
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t mp = (d.month + 9) % 12;
  const int64_t doy = (153 * mp + 2) / 5 + d.day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate DateOfDayNumber(int64_t days) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t doe = days - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  CivilDate d;
  d.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  d.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  d.year = static_cast<int>(yoe + era * 400 + (d.month <= 2 ? 1 : 0));
  return d;
}

CivilDate AddDays(const CivilDate& d, int64_t days) { return DateOfDayNumber(DayNumber(d) + days); }

int Weekday(const CivilDate& d) {
  // 1970-01-01 was a Thursday (5).
  const int64_t n = DayNumber(d);
  return static_cast<int>(((n % 7) + 7 + 4) % 7) + 1;
}

std::optional<int> ParseTimeOfDay(std::string_view text) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  int hour = 0;
  int minute = 0;
  if (!ReadSmallNumber(text.substr(0, colon), 1, 2, hour) ||
      !ReadSmallNumber(text.substr(colon + 1), 1, 2, minute) || hour > 23 || minute > 59)
    return std::nullopt;
  return hour * 60 + minute;
}

}  // namespace vessaro
