#include "common/money.h"

#include <charconv>

#include "common/format.h"

namespace vessaro {

void AppendCents(std::string& out, Cents cents) {
  const bool negative = cents < 0;
  const uint64_t a = negative ? static_cast<uint64_t>(-(cents + 1)) + 1 : static_cast<uint64_t>(cents);
  if (negative) out.push_back('-');
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof(buf), a / 100);
  out.append(buf, r.ptr);
  const unsigned frac = static_cast<unsigned>(a % 100);
  out.push_back('.');
  out.push_back(static_cast<char>('0' + frac / 10));
  out.push_back(static_cast<char>('0' + frac % 10));
}

std::string FormatCents(Cents cents) {
  std::string out;
  AppendCents(out, cents);
  return out;
}

std::string FormatCentsPlain(Cents cents) {
  if (cents % 100 != 0) return FormatCents(cents);
  return IntText(cents / 100);
}

std::string FormatStake(int64_t units) { return IntText(units) + ".00"; }

std::optional<Cents> ParseMoney(std::string_view text) {
  bool negative = false;
  if (!text.empty() && text[0] == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  size_t dot = text.find('.');
  std::string_view whole = dot == std::string_view::npos ? text : text.substr(0, dot);
  std::string_view frac = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
  if (whole.empty() && frac.empty()) return std::nullopt;
  for (char c : whole)
    if (c < '0' || c > '9') return std::nullopt;
  for (char c : frac)
    if (c < '0' || c > '9') return std::nullopt;
  while (whole.size() > 1 && whole[0] == '0') whole.remove_prefix(1);
  if (whole.size() > 15) return std::nullopt;
  int64_t units = 0;
  for (char c : whole) units = units * 10 + (c - '0');
  int64_t cents = 0;
  for (size_t i = 0; i < 2; ++i) cents = cents * 10 + (i < frac.size() ? frac[i] - '0' : 0);
  if (frac.size() > 2) {
    // Round at the cent: above half up, exactly half to the even cent.
    int first = frac[2] - '0';
    bool rest_nonzero = false;
    for (size_t i = 3; i < frac.size(); ++i) rest_nonzero |= frac[i] != '0';
    int64_t total = units * 100 + cents;
    if (first > 5 || (first == 5 && (rest_nonzero || total % 2 != 0))) ++total;
    units = total / 100;
    cents = total % 100;
  }
  Cents value = units * 100 + cents;
  return negative ? -value : value;
}

}  // namespace vessaro
