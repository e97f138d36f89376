#include "common/names.h"

#include <gtest/gtest.h>

namespace vessaro {
namespace {

TEST(NamesTest, ForbiddenCharactersByKind) {
  const std::string file_msg = "\\/:*?\"<'>|.,は禁止文字です";
  const std::string graph_msg = "\\/:*?\"<'>|.は禁止文字です";
  for (std::string bad : {"a\\b", "a/b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "a.b"}) {
    EXPECT_EQ(CheckNameCharacters(bad, NameKind::kFile), file_msg) << bad;
    EXPECT_EQ(CheckNameCharacters(bad, NameKind::kGraph), graph_msg) << bad;
  }
  EXPECT_EQ(CheckNameCharacters("a,b", NameKind::kFile), file_msg);
  EXPECT_EQ(CheckNameCharacters("a,b", NameKind::kGraph), std::nullopt);
  EXPECT_EQ(CheckNameCharacters("ma'rtin", NameKind::kFile), std::nullopt);  // quote is allowed
  EXPECT_EQ(CheckNameCharacters("表システム", NameKind::kFile), std::nullopt);
  EXPECT_EQ(CheckNameCharacters("sys😀", NameKind::kFile), kUnstorableCharacterMessage);
}

}  // namespace
}  // namespace vessaro
