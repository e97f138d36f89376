// The rounding rules of the system, one place each.
#pragma once

#include <cstdint>

namespace vessaro {

// x >= 0: whole part of x + 0.5; x < 0: whole part of x - 0.5 (halves away from zero).
int64_t RoundHalfUp(double x);
// Nearest integer, an exact half to the even neighbour.
int64_t RoundHalfEven(double x);

// Exact forms on a fraction num / den (den > 0), for figures defined on whole numbers.
int64_t RoundHalfEvenRatio(int64_t num, int64_t den);
int64_t RoundHalfUpRatio(int64_t num, int64_t den);  // halves away from zero

// Whole part toward zero of num / den.
int64_t TruncateRatio(int64_t num, int64_t den);

}  // namespace vessaro
