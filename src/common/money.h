// Money in exact integer cents, and the texts the table shows for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vessaro {

using Cents = int64_t;

constexpr Cents UnitsToCents(int64_t units) { return units * 100; }

// "%.2f": 123450 -> "1234.50", -5 -> "-0.05".
std::string FormatCents(Cents cents);
void AppendCents(std::string& out, Cents cents);
// Two decimals only when there is a fractional part: 100000 -> "1000", 100950 -> "1009.50".
std::string FormatCentsPlain(Cents cents);
// "%d.00" of a whole stake.
std::string FormatStake(int64_t units);

// Digits with at most one "." and an optional leading "-"; more than two decimals round to the
// cent, halves to even. nullopt for anything else, or beyond 10^15 units.
std::optional<Cents> ParseMoney(std::string_view text);

// Whole units toward zero ("truncated to an integer").
constexpr int64_t TruncateToUnits(Cents cents) { return cents / 100; }

}  // namespace vessaro
