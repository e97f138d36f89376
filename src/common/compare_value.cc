#include "common/compare_value.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/text.h"

namespace vessaro {
namespace {

// A decimal number held exactly: 0.digits x 10^exponent, digits without leading or trailing
// zeros (empty for zero). Comparing these never loses a digit, so 1000000.01 and 1000000.02
// stay apart at any size.
struct Decimal {
  bool negative = false;
  std::string digits;
  int64_t exponent = 0;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<Decimal> ParseDecimal(std::string_view text) {
  std::string trimmed = Trim(text);
  std::string_view s = trimmed;
  size_t i = 0;
  Decimal d;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) d.negative = s[i++] == '-';
  std::string digits;
  size_t whole = 0;
  while (i < s.size() && IsDigit(s[i])) digits += s[i++], ++whole;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) digits += s[i++];
  }
  if (digits.empty()) return std::nullopt;
  int64_t exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool exp_negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) exp_negative = s[i++] == '-';
    size_t start = i;
    while (i < s.size() && IsDigit(s[i]) && i - start < 9) exponent = exponent * 10 + (s[i++] - '0');
    if (i == start) return std::nullopt;
    if (exp_negative) exponent = -exponent;
  }
  if (i != s.size()) return std::nullopt;
  size_t lead = digits.find_first_not_of('0');
  if (lead == std::string::npos) return Decimal{};  // zero, whatever its sign
  size_t last = digits.find_last_not_of('0');
  d.digits = digits.substr(lead, last - lead + 1);
  d.exponent = static_cast<int64_t>(whole) - static_cast<int64_t>(lead) + exponent;
  return d;
}

int Sign(const Decimal& d) { return d.digits.empty() ? 0 : (d.negative ? -1 : 1); }

int CompareDecimals(const Decimal& a, const Decimal& b) {
  int sa = Sign(a), sb = Sign(b);
  if (sa != sb) return sa < sb ? -1 : 1;
  if (sa == 0) return 0;
  int magnitude = 0;
  if (a.exponent != b.exponent) {
    magnitude = a.exponent < b.exponent ? -1 : 1;
  } else {
    int c = a.digits.compare(b.digits);
    magnitude = c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  return sa > 0 ? magnitude : -magnitude;
}

// Reads "d+" of at most max_len digits at s[i], advancing i.
std::optional<int64_t> ReadNumber(std::string_view s, size_t& i, size_t max_len) {
  size_t start = i;
  int64_t v = 0;
  while (i < s.size() && IsDigit(s[i]) && i - start < max_len) v = v * 10 + (s[i++] - '0');
  if (i == start) return std::nullopt;
  return v;
}

// Days from 1899/12/30 (day 0 of the date-times the balance sheet's values come from).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + 25569;  // 25569: days from 1899/12/30 to 1970/01/01
}

bool IsLeap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int64_t DaysInMonth(int64_t y, int64_t m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// "h:nn" or "h:nn:ss" from s[i] to the end, as seconds; max_hour bounds the hours.
std::optional<int64_t> ParseTime(std::string_view s, size_t i, int64_t max_hour) {
  auto h = ReadNumber(s, i, 5);
  if (!h || i >= s.size() || s[i] != ':') return std::nullopt;
  ++i;
  auto n = ReadNumber(s, i, 2);
  if (!n || *h > max_hour || *n > 59) return std::nullopt;
  int64_t sec = 0;
  if (i < s.size() && s[i] == ':') {
    ++i;
    auto ss = ReadNumber(s, i, 2);
    if (!ss || *ss > 59) return std::nullopt;
    sec = *ss;
  }
  if (i != s.size()) return std::nullopt;
  return (*h * 60 + *n) * 60 + sec;
}

// A date-time in seconds from 1899/12/30 00:00; a time of day alone counts from that day, as a
// date-time without its date does.
std::optional<int64_t> ParseDateTime(std::string_view text) {
  std::string trimmed = Trim(text);
  std::string_view s = trimmed;
  if (s.find('/') == std::string_view::npos) return ParseTime(s, 0, 99999);
  size_t i = 0;
  auto y = ReadNumber(s, i, 4);
  if (!y || i >= s.size() || s[i] != '/') return std::nullopt;
  ++i;
  auto m = ReadNumber(s, i, 2);
  if (!m || i >= s.size() || s[i] != '/') return std::nullopt;
  ++i;
  auto d = ReadNumber(s, i, 2);
  if (!d || *y < 1 || *m < 1 || *m > 12 || *d < 1 || *d > DaysInMonth(*y, *m)) return std::nullopt;
  int64_t seconds = DaysFromCivil(*y, *m, *d) * 86400;
  if (i == s.size()) return seconds;
  if (s[i] != ' ') return std::nullopt;
  while (i < s.size() && s[i] == ' ') ++i;
  auto t = ParseTime(s, i, 23);
  if (!t) return std::nullopt;
  return seconds + *t;
}

// The six comparison symbols on an ordering result; false for any other symbol.
bool Holds(const std::string& op, int order) {
  if (op == "=") return order == 0;
  if (op == "<>") return order != 0;
  if (op == ">") return order > 0;
  if (op == "<") return order < 0;
  if (op == ">=") return order >= 0;
  if (op == "<=") return order <= 0;
  return false;
}

}  // namespace

bool CompareValue(const std::string& type, const std::string& op, const std::string& record_value,
                  const std::string& condition_value) {
  if (type == "数値") {
    Decimal record = ParseDecimal(record_value).value_or(Decimal{});
    Decimal condition = ParseDecimal(condition_value).value_or(Decimal{});
    return Holds(op, CompareDecimals(record, condition));
  }
  if (type == "文字列") {
    if (op != "*") return false;
    std::string wanted = RemoveAll(condition_value, "*");
    if (wanted.empty()) return false;
    return RemoveAll(record_value, "<BR>").find(wanted) != std::string::npos;
  }
  if (type == "文字") {
    if (op == "=") return record_value == condition_value;
    if (op == "<>") return record_value != condition_value;
    return false;
  }
  if (type == "日付") {
    auto record = ParseDateTime(record_value);
    auto condition = ParseDateTime(condition_value);
    if (!record || !condition) return false;
    return Holds(op, *record < *condition ? -1 : (*record > *condition ? 1 : 0));
  }
  return false;
}

}  // namespace vessaro
