#include "autosim/stop_conditions.h"

#include <gtest/gtest.h>

namespace vessaro {
namespace {

TEST(StopLimitsTest, DialogChecks) {
  struct Case {
    const char* profit;
    const char* loss;
    bool accepted;
    const char* message;
    int p, l;
  } cases[] = {
      {"", "", true, "", 0, 0},
      {"abc", "x", true, "", 0, 0},
      {"0", " 0 ", true, "", 0, 0},
      {"100", "", false, stop_texts::kBothNeeded, 0, 0},
      {"-5", "10", false, stop_texts::kRange, 0, 0},
      {"100000", "10", false, stop_texts::kRange, 0, 0},
      {"1.5", "10", false, stop_texts::kBothNeeded, 0, 0},  // not a number counts as 0
      {" 100 ", "200", true, "", 100, 200},
      {"99999", "1", true, "", 99999, 1},
  };
  for (const Case& c : cases) {
    StopDialogResult r = CheckStopLimits(c.profit, c.loss);
    EXPECT_EQ(r.accepted, c.accepted) << c.profit << "/" << c.loss;
    EXPECT_EQ(r.message, c.message) << c.profit << "/" << c.loss;
    EXPECT_EQ(r.limits.profit, c.p);
    EXPECT_EQ(r.limits.loss, c.l);
  }
}

TEST(StopBoundsTest, TruncatedBalanceAgainstBounds) {
  StopBounds b = MakeStopBounds(StopLimits{100, 200}, 100000);
  EXPECT_FALSE(b.Reached(110050));  // 1100.50 truncates to 1100
  EXPECT_TRUE(b.Reached(110100));
  EXPECT_FALSE(b.Reached(80000));
  EXPECT_TRUE(b.Reached(79999));
  StopBounds low = MakeStopBounds(StopLimits{100, 5000}, 100000);
  EXPECT_EQ(low.lower, 0);
  EXPECT_FALSE(MakeStopBounds(StopLimits{}, 100000).Reached(1));
}

}  // namespace
}  // namespace vessaro
