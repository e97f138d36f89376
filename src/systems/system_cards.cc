#include "systems/system_cards.h"

#include <charconv>
#include <limits>

#include "common/rounding.h"
#include "common/text.h"
#include "systems/messages.h"

namespace vessaro {
namespace {

// Fraction digits kept of a percent: far below what a stake can show.
constexpr int kPercentScaleDigits = 6;
constexpr int64_t kPercentScale = 1000000;

// A plain decimal ("5", "12.5", "-3") as value * 10^6; nullopt for anything else. Digits past the
// sixth decimal are dropped.
std::optional<__int128> ParsePercent(std::string_view text) {
  std::string trimmed = Trim(text);
  std::string_view s = trimmed;
  bool negative = false;
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  size_t dot = s.find('.');
  std::string_view whole = s.substr(0, dot);
  std::string_view fraction =
      dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  for (char c : whole)
    if (c < '0' || c > '9') return std::nullopt;
  for (char c : fraction)
    if (c < '0' || c > '9') return std::nullopt;
  while (whole.size() > 1 && whole[0] == '0') whole.remove_prefix(1);
  if (whole.size() > 24) return std::nullopt;  // beyond any stake a 64-bit count can hold
  __int128 value = 0;
  for (char c : whole) value = value * 10 + (c - '0');
  for (int i = 0; i < kPercentScaleDigits; ++i)
    value = value * 10 + (i < static_cast<int>(fraction.size()) ? fraction[i] - '0' : 0);
  return negative ? -value : value;
}

// num / den rounded halves to even, den > 0.
__int128 RoundHalfEven128(__int128 num, __int128 den) {
  __int128 q = num / den;
  __int128 r = num % den;
  if (r < 0) {
    --q;
    r += den;
  }
  if (r * 2 > den || (r * 2 == den && (q & 1) != 0)) ++q;
  return q;
}

std::string IntegerText(int64_t v) {
  char buf[24];
  auto [end, ec] = std::to_chars(buf, buf + sizeof(buf), v);
  return std::string(buf, end);
}

std::optional<int64_t> StakeOfPercent(Cents balance, __int128 percent_scaled) {
  const __int128 units = RoundHalfEvenRatio(balance, 100);
  __int128 product;
  if (__builtin_mul_overflow(units, percent_scaled, &product)) return std::nullopt;
  __int128 stake = RoundHalfEven128(product, static_cast<__int128>(100) * kPercentScale);
  if (stake > std::numeric_limits<int64_t>::max() || stake < std::numeric_limits<int64_t>::min())
    return std::nullopt;
  return static_cast<int64_t>(stake);
}

}  // namespace

std::optional<int64_t> PercentStake(Cents balance, std::string_view percent_text) {
  std::optional<__int128> percent = ParsePercent(RemoveAll(percent_text, "%"));
  if (!percent) return std::nullopt;
  return StakeOfPercent(balance, *percent);
}

LoadStatus LoadedSystem::Load(const fs::path& path) {
  if (!FileExists(path)) {
    Assign(std::vector<CardFields>(kSystemCardCount));
    return LoadStatus::Missing(systems_text::kSystemFileMissing);
  }
  Assign(ReadCardFile(path, kSystemCardCount));
  return LoadStatus::Ok();
}

void LoadedSystem::Assign(const std::vector<CardFields>& cards) {
  LoadedCards::Assign(cards);
  percents_.assign(cards_.size(), Percent{});
  for (size_t i = 0; i < cards_.size(); ++i) {
    if (!Contains(cards_[i].first, "%")) continue;
    std::optional<__int128> p = ParsePercent(RemoveAll(cards_[i].first, "%"));
    percents_[i] = Percent{true, p.has_value(), p.value_or(0)};
  }
}

StakeResult LoadedSystem::StakeFor(int card, Cents balance) const {
  const CardFields* fields = Card(card);
  if (fields == nullptr || static_cast<size_t>(card) > percents_.size()) return {};
  const Percent& percent = percents_[card - 1];
  if (!percent.is_percent) return {fields->first, {}};
  std::optional<int64_t> stake;
  if (percent.valid) stake = StakeOfPercent(balance, percent.numerator);
  if (!stake) return {"0", systems_text::kPercentStakeError};
  return {IntegerText(*stake), {}};
}

StakeResult GetSystemBet(const LoadedSystem& system, Cents balance, int card) {
  return system.StakeFor(card, balance);
}

StakeResult GetSystemBet(const LoadedSystem& system, std::string_view balance_text, int card) {
  std::optional<Cents> balance = ParseMoney(Trim(balance_text));
  const CardFields* fields = system.Card(card);
  if (!balance && fields != nullptr && Contains(fields->first, "%"))
    return {"0", systems_text::kPercentStakeError};
  return system.StakeFor(card, balance.value_or(0));
}

}  // namespace vessaro
