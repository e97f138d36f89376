#include "common/cp932.h"

#include <gtest/gtest.h>

namespace vessaro {
namespace {

TEST(Cp932Test, RoundTripsTheSystemsTexts) {
  for (std::string text : {"完全確率モード", "ラウンド：1 【残高：1000】", "D1→S12", "　全角スペース",
                           "ﾊﾝｶｸｶﾅ", "①②", "～〜", "\\/:*?\"<'>|.,は禁止文字です"}) {
    auto bytes = EncodeCp932(text);
    ASSERT_TRUE(bytes.has_value()) << text;
    std::string back = DecodeCp932(*bytes);
    // The wave dash and the full-width tilde share one code; everything else comes back.
    if (text != "～〜") {
      EXPECT_EQ(back, text);
    }
  }
}

TEST(Cp932Test, KnownBytes) {
  EXPECT_EQ(*EncodeCp932("表"), "\x95\x5C");
  EXPECT_EQ(*EncodeCp932("→"), "\x81\xA8");
  EXPECT_EQ(*EncodeCp932("："), "\x81\x46");
  EXPECT_EQ(DecodeCp932("\x95\x5C"), "表");
  EXPECT_EQ(Cp932Length("あいうabc"), 9u);
}

TEST(Cp932Test, UndecodableBytesBecomeReplacementCharacters) {
  // A lone lead byte at the end, an invalid trail byte and an unassigned single byte.
  std::string out = DecodeCp932(std::string("a\x81", 2));
  EXPECT_EQ(out, "a\xEF\xBF\xBD");
  EXPECT_EQ(DecodeCp932("\x81\x20x"), "\xEF\xBF\xBD x");
  EXPECT_FALSE(DecodeCp932("\xA0").empty());
  // An unassigned pair is one character: its trail byte never reads as a separator.
  EXPECT_EQ(DecodeCp932("\x85\x5C,\x85\x2C"), "\xEF\xBF\xBD,\xEF\xBF\xBD,");
}

TEST(Cp932Test, RefusesWhatItCannotHold) {
  EXPECT_FALSE(EncodeCp932("絵文字😀").has_value());
  EXPECT_FALSE(IsCp932Encodable("한국어"));
  EXPECT_EQ(EncodeCp932Lossy("a😀b"), "a?b");
  EXPECT_FALSE(EncodeCp932("\xFF\xFE").has_value());  // not UTF-8
}

TEST(Cp932Test, ByteOrderMarkMeansUtf8) {
  EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF" "表"), "表");
  EXPECT_EQ(DecodeFileText("\x95\x5C"), "表");
}

}  // namespace
}  // namespace vessaro
