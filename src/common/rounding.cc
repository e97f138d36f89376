#include "common/rounding.h"

#include <cmath>

namespace vessaro {

int64_t RoundHalfUp(double x) {
  return x >= 0 ? static_cast<int64_t>(std::floor(x + 0.5)) : -static_cast<int64_t>(std::floor(-x + 0.5));
}

int64_t RoundHalfEven(double x) { return static_cast<int64_t>(std::nearbyint(x)); }

namespace {

// Floor division and remainder with a non-negative remainder.
void FloorDiv(__int128 num, __int128 den, __int128& q, __int128& r) {
  q = num / den;
  r = num % den;
  if (r < 0) {
    --q;
    r += den;
  }
}

}  // namespace

int64_t RoundHalfEvenRatio(int64_t num, int64_t den) {
  if (den < 0) {
    num = -num;
    den = -den;
  }
  __int128 q, r;
  FloorDiv(num, den, q, r);
  __int128 twice = r * 2;
  if (twice > den || (twice == den && (q & 1) != 0)) ++q;
  return static_cast<int64_t>(q);
}

int64_t RoundHalfUpRatio(int64_t num, int64_t den) {
  if (den < 0) {
    num = -num;
    den = -den;
  }
  bool negative = num < 0;
  __int128 a = negative ? -static_cast<__int128>(num) : num;
  __int128 q = (a * 2 + den) / (2 * static_cast<__int128>(den));
  return static_cast<int64_t>(negative ? -q : q);
}

int64_t TruncateRatio(int64_t num, int64_t den) { return num / den; }

}  // namespace vessaro
