#include "common/text.h"

#include <gtest/gtest.h>

namespace vessaro {
namespace {

struct SplitCase {
  std::string text;
  int limit;
  std::vector<std::string> fields;
  int count;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.text << " limit " << c.limit; }

class SplitFieldsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitFieldsTest, ReadsFields) {
  const SplitCase& c = GetParam();
  SplitResult r = SplitFields(c.text, c.limit, ",");
  EXPECT_EQ(r.fields, c.fields);
  EXPECT_EQ(r.count, c.count);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitFieldsTest,
    ::testing::Values(
        SplitCase{"a,b,", 0, {"a", "b", ""}, 3},           // a trailing separator ends in an empty field
        SplitCase{"\"a,b\",c", 0, {"a,b", "c"}, 2},        // quoted field keeps its separator
        SplitCase{"", 0, {}, 0},                           // empty text, no field
        SplitCase{",", 0, {"", ""}, 2},
        SplitCase{"a,b,c", 2, {"a", "b"}, 2},              // limit stops reading
        SplitCase{"a", 3, {"a", "", ""}, 1},               // limit pads, count stays honest
        SplitCase{"\"x\"\"y\",z", 0, {"x\"\"y", "z"}, 2},  // doubled quote is not unescaped
        SplitCase{"\"open,rest", 0, {"open,rest"}, 1}));   // unclosed quote runs to the end

TEST(TextTest, GetFieldBeyondTheLastIsEmpty) {
  EXPECT_EQ(GetField("x,y", ",", 3), "");
  EXPECT_EQ(GetField("x,y", ",", 2), "y");
  EXPECT_EQ(GetField("blance=1&minimum=2", "&", 2), "minimum=2");
}

TEST(TextTest, JoinQuotesEntriesHoldingTheSeparator) {
  EXPECT_EQ(JoinFields({"a,b", "c"}, 0, 2, ","), "\"a,b\",c");
  EXPECT_EQ(JoinFields({"x", "y", "z"}, 1, 2, "&"), "y&z");
  // Half a character left at the end of an entry is dropped.
  std::string cut = std::string("あ").substr(0, 2);
  EXPECT_EQ(JoinFields({"ab" + cut, "c"}, 0, 2, ","), "ab,c");
}

TEST(TextTest, AppendFieldBuildsTrails) {
  std::string trail = AppendField("", "D1", "→", false);
  trail = AppendField(trail, "S12", "→", true);
  EXPECT_EQ(AppendField(trail, "H5", "→", true), "D1→S12→H5");
  EXPECT_EQ(AppendField("a", "b,c", ",", true), "a,\"b,c\"");
}

TEST(TextTest, FindFromNeverMatchesInsideACharacter) {
  // "表" is 0x95 0x5C in Shift-JIS; inside the program its bytes hold no backslash at all, and a
  // search for a multi-byte needle cannot start in the middle of a character.
  std::string text = "表\\x";
  EXPECT_EQ(FindFrom(1, text, "\\"), 4u);
  std::string kana = "アイ";  // E3 82 A2 E3 82 A4
  EXPECT_EQ(FindFrom(1, kana, "\x82\xA4"), 0u);
  EXPECT_EQ(FindFrom(1, "a,b,c", ","), 2u);
  EXPECT_EQ(FindFrom(3, "a,b,c", ","), 4u);
  EXPECT_EQ(FindFrom(5, "a,b,c", ","), 0u);
}

TEST(TextTest, LeftAndRightCutAtCharacterBoundaries) {
  EXPECT_EQ(Left("abc", 2), "ab");
  EXPECT_EQ(Left("あい", 4), "あ");
  EXPECT_EQ(Right("あい", 4), "い");
  EXPECT_EQ(Right("abc", 10), "abc");
}

TEST(TextTest, FlagsAndSmallHelpers) {
  EXPECT_TRUE(TextToFlag("TRUE"));
  EXPECT_TRUE(TextToFlag("true"));
  EXPECT_FALSE(TextToFlag("yes"));
  EXPECT_EQ(FlagToText(true), "True");
  EXPECT_EQ(FlagToText(false), "False");
  EXPECT_EQ(Trim("  a b \t"), "a b");
  EXPECT_EQ(SplitLines("a\r\nb\nc\r\n"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
  long long v = 0;
  EXPECT_TRUE(ParseInt64("-42", v));
  EXPECT_EQ(v, -42);
  EXPECT_FALSE(ParseInt64("4.2", v));
  EXPECT_FALSE(ParseInt64("1234567890123456789", v));
  EXPECT_EQ(ToIntDef("abc", 0), 0);
}

}  // namespace
}  // namespace vessaro
