#include "common/hex.h"

#include <gtest/gtest.h>

namespace vessaro {
namespace {

TEST(HexTest, EncodesAndDecodes) {
  EXPECT_EQ(HexEncodeText("abc"), "616263");
  EXPECT_EQ(*HexDecodeText("6162630"), "abc");  // a final single character is ignored
  EXPECT_EQ(*HexDecodeText("6a6B"), "jk");      // either case
  EXPECT_EQ(HexEncodeText("blance="), "626C616E63653D");
}

TEST(HexTest, EncodesCodePage932Bytes) {
  EXPECT_EQ(HexEncodeText("天国モード"), "93568D918382815B8368");
  EXPECT_EQ(*HexDecodeText("93568D918382815B8368"), "天国モード");
}

TEST(HexTest, NonHexadecimalPairIsAnError) {
  EXPECT_FALSE(HexDecodeText("61zz").has_value());
  EXPECT_FALSE(HexDecodeBytes("blance").has_value());
}

}  // namespace
}  // namespace vessaro
