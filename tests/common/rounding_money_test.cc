#include <gtest/gtest.h>

#include "common/format.h"
#include "common/money.h"
#include "common/rounding.h"

namespace vessaro {
namespace {

TEST(RoundingTest, HalfUpGoesAwayFromZero) {
  EXPECT_EQ(RoundHalfUp(2.5), 3);
  EXPECT_EQ(RoundHalfUp(-2.5), -3);
  EXPECT_EQ(RoundHalfUp(2.4999), 2);
  EXPECT_EQ(RoundHalfUpRatio(100, 8), 13);   // 12.5
  EXPECT_EQ(RoundHalfUpRatio(-100, 8), -13);
}

TEST(RoundingTest, HalfEvenGoesToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(12.5), 12);
  EXPECT_EQ(RoundHalfEven(13.5), 14);
  EXPECT_EQ(RoundHalfEvenRatio(125, 10), 12);
  EXPECT_EQ(RoundHalfEvenRatio(135, 10), 14);
  EXPECT_EQ(RoundHalfEvenRatio(105, 10), 10);
  EXPECT_EQ(RoundHalfEvenRatio(-125, 10), -12);
  EXPECT_EQ(RoundHalfEvenRatio(100950, 100), 1010);  // 1009.50 rounds to 1010
}

TEST(MoneyTest, TextsOfCents) {
  EXPECT_EQ(FormatCents(123450), "1234.50");
  EXPECT_EQ(FormatCents(-5), "-0.05");
  EXPECT_EQ(FormatCents(0), "0.00");
  EXPECT_EQ(FormatCentsPlain(100000), "1000");
  EXPECT_EQ(FormatCentsPlain(100950), "1009.50");
  EXPECT_EQ(FormatStake(25), "25.00");
  EXPECT_EQ(Format("%d,%s", 3, "x"), "3,x");
  EXPECT_EQ(Format("%s", std::string(300, 'a').c_str()).size(), 300u);
}

TEST(MoneyTest, ParsesBalanceTexts) {
  struct Case {
    const char* text;
    std::optional<Cents> cents;
  } cases[] = {{"5000", 500000}, {"1234.5", 123450}, {"1234.50", 123450}, {"0.05", 5},
               {"-10.00", -1000}, {"1.005", 100},     {"1.015", 102},      {"1.0051", 101},
               {"", std::nullopt}, {"1,000", std::nullopt}, {"1.2.3", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(ParseMoney(c.text), c.cents) << c.text;
}

}  // namespace
}  // namespace vessaro
