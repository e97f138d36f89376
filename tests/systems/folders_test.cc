#include "systems/folders.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace vessaro {
namespace {

TEST(SystemFoldersTest, NameListsAsEachWindowShowsThem) {
  testing::TempFolder dir;
  for (const char* file : {"betpattern/b_syspattern.txt", "betpattern/A_syspattern.txt",
                           "betpattern/x_ashfinchbasic_syspattern.txt", "betpattern/p_pattern.txt",
                           "betpattern/p_facepattern.txt", "betpattern/s_facepattern.txt",
                           "betpattern/notes.txt", "betpattern/.b_syspattern.txt.tmp123",
                           "facepattern/f_facepattern.txt", "facepattern/other.txt"})
    dir.Write(file, "");
  using V = std::vector<std::string>;
  EXPECT_EQ(ListSystemNames(dir.path()), (V{"A", "b", "x_ashfinchbasic"}));
  EXPECT_EQ(ListOrdinarySystemNames(dir.path()), (V{"A", "b"}));
  EXPECT_EQ(ListPatternNames(dir.path()), (V{"p"}));
  EXPECT_EQ(ListSpecialPatternNames(dir.path()), (V{"p", "s"}));
  EXPECT_EQ(ListRunPatternNames(dir.path()), (V{"p", "p", "s"}));
  EXPECT_EQ(ListAshfinchNames(dir.path()), (V{"x"}));
  EXPECT_EQ(ListFaceListNames(dir.path()), (V{"f"}));
  EXPECT_TRUE(IsAshfinchSystemPath(SystemFilePath(dir.path(), "x_ashfinchbasic")));
  EXPECT_FALSE(IsAshfinchSystemPath(SystemFilePath(dir.path(), "b")));
}

TEST(SystemFoldersTest, ListsOfAMissingFolderAreEmpty) {
  testing::TempFolder dir;
  EXPECT_TRUE(ListSystemNames(dir.path()).empty());
  EXPECT_TRUE(ListFaceListNames(dir.path()).empty());
}

}  // namespace
}  // namespace vessaro
