#include "common/compare_value.h"

#include <gtest/gtest.h>

namespace vessaro {
namespace {

struct Case {
  const char* type;
  const char* op;
  const char* record;
  const char* condition;
  bool holds;
};

void ExpectCases(const std::vector<Case>& cases) {
  for (const Case& c : cases)
    EXPECT_EQ(CompareValue(c.type, c.op, c.record, c.condition), c.holds)
        << c.type << " " << c.record << " " << c.op << " " << c.condition;
}

TEST(CompareValueTest, NumbersByEverySymbol) {
  ExpectCases({
      {"数値", "=", "12", "12.0", true},         {"数値", "=", "0.012300", "0.0123", true},
      {"数値", "<>", "12", "12", false},         {"数値", "<>", "12", "13", true},
      {"数値", ">", "13", "12", true},           {"数値", ">", "12", "12", false},
      {"数値", "<", "-5", "3", true},            {"数値", "<", "-5", "-6", false},
      {"数値", ">=", "12", "12", true},          {"数値", ">=", "11.99", "12", false},
      {"数値", "<=", "-0.5", "-0.25", true},     {"数値", "<=", "100", "20", false},
      {"数値", "*", "12", "12", false},          {"数値", "==", "12", "12", false},
      {"数値", "=", "1.5e2", "150", true},       {"数値", "=", " 7 ", "7", true},
      {"数値", "=", "-0", "0", true},            {"数値", "<", "-0.0001", "0", true},
  });
}

TEST(CompareValueTest, NumbersAreExactWhereSinglePrecisionWouldMergeThem) {
  ExpectCases({
      {"数値", "=", "1000000.01", "1000000.02", false},
      {"数値", "<", "1000000.01", "1000000.02", true},
      {"数値", ">", "123456789012345678901", "123456789012345678900", true},
      {"数値", "=", "0.1", "0.10000001", false},
  });
}

TEST(CompareValueTest, TextThatIsNoNumberReadsAsZero) {
  ExpectCases({
      {"数値", "=", "abc", "0", true},       {"数値", "=", "", "0", true},
      {"数値", "=", "1,234", "0", true},     {"数値", "=", "12 %", "0", true},
      {"数値", ">", "1", "約10%", true},     {"数値", "=", "1e", "0", true},
      {"数値", "=", "--1", "0", true},       {"数値", "=", ".", "0", true},
      {"数値", "=", "1e999999999999", "0", true},
  });
}

TEST(CompareValueTest, WildcardLooksForTheTextInsideTheRecord) {
  ExpectCases({
      {"文字列", "*", "PB", "PB", true},       {"文字列", "*", "PPB", "PB", true},
      {"文字列", "*", "BPBP", "*PB*", true},   {"文字列", "*", "BP", "PB", false},
      {"文字列", "*", "BBB", "PB", false},     {"文字列", "*", "PB", "", false},
      {"文字列", "*", "PB", "**", false},      {"文字列", "=", "PB", "PB", false},
      {"文字列", "*", "初回ボーナス<BR>消化", "*ボーナス消化*", true},
  });
}

TEST(CompareValueTest, TextEqualityIsExact) {
  ExpectCases({
      {"文字", "=", "A", "A", true},      {"文字", "=", "A", "a", false},
      {"文字", "=", "A ", "A", false},    {"文字", "<>", "A", "B", true},
      {"文字", "<>", "A", "A", false},    {"文字", ">", "B", "A", false},
      {"文字", "*", "AB", "A", false},
  });
}

TEST(CompareValueTest, DatesAndTimes) {
  ExpectCases({
      {"日付", "=", "2024/03/05", "2024/3/5", true},
      {"日付", "<", "2023/12/31", "2024/01/01", true},
      {"日付", ">", "2024/02/29", "2024/02/28", true},
      {"日付", ">=", "2024/01/01 10:00", "2024/01/01", true},
      {"日付", "<>", "2024/01/01", "2024/01/02", true},
      {"日付", "<=", "09:05", "9:05", true},
      {"日付", ">", "10:00", "9:59", true},
      {"日付", ">", "25:30", "24:00", true},  // a play time longer than a day
      {"日付", ">", "2024/01/01", "23:59", true},
      {"日付", "*", "2024/01/01", "2024/01/01", false},
  });
}

TEST(CompareValueTest, UnreadableDateNeverHolds) {
  for (const char* bad : {"", "2023/02/29", "2024/13/01", "2024/00/10", "12:60", "abc",
                          "2024/01/01 24:00", "2024-01-01", "2024/01/01x"}) {
    for (const char* op : {"=", "<>", ">", "<", ">=", "<="}) {
      EXPECT_FALSE(CompareValue("日付", op, bad, "2024/01/01")) << bad << op;
      EXPECT_FALSE(CompareValue("日付", op, "2024/01/01", bad)) << bad << op;
    }
  }
}

TEST(CompareValueTest, UnknownTypeFails) {
  EXPECT_FALSE(CompareValue("", "=", "1", "1"));
  EXPECT_FALSE(CompareValue("数", "=", "1", "1"));
}

}  // namespace
}  // namespace vessaro
