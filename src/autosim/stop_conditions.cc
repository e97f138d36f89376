#include "autosim/stop_conditions.h"

#include "common/text.h"

namespace vessaro {

StopDialogResult CheckStopLimits(std::string_view profit_text, std::string_view loss_text) {
  const std::string profit = Trim(profit_text);
  const std::string loss = Trim(loss_text);
  const long long p = ToIntDef(profit, 0);
  const long long l = ToIntDef(loss, 0);
  StopDialogResult r;
  if (p == 0 && l == 0) {
    r.accepted = true;
    return r;
  }
  if (p == 0 || l == 0) {
    r.message = stop_texts::kBothNeeded;
    return r;
  }
  auto valid = [](const std::string& t, long long v) { return IsDigits(t) && v >= 1 && v <= 99999; };
  if (!valid(profit, p) || !valid(loss, l)) {
    r.message = stop_texts::kRange;
    return r;
  }
  r.accepted = true;
  r.limits = StopLimits{static_cast<int>(p), static_cast<int>(l)};
  return r;
}

bool StopBounds::Reached(Cents balance) const {
  if (!on) return false;
  const int64_t units = TruncateToUnits(balance);
  return units < lower || units > upper;
}

StopBounds MakeStopBounds(const StopLimits& limits, Cents starting_balance) {
  StopBounds b;
  b.on = limits.on();
  const int64_t t = TruncateToUnits(starting_balance);
  b.upper = t + limits.profit;
  b.lower = t - limits.loss < 0 ? 0 : t - limits.loss;
  return b;
}

}  // namespace vessaro
