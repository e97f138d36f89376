// The road entry grid of the search-pattern entry and the user logs.
#include "analysis/road_grid.h"

#include <gtest/gtest.h>

namespace vessaro {
namespace {

std::string Column(const RoadGrid& g, int c) {
  std::string s;
  for (int r = 0; r < g.limits().rows && g.At(c, r) != 0; ++r) s.push_back(g.At(c, r));
  return s;
}

void Enter(RoadGrid& g, std::string_view letters) {
  for (char c : letters) ASSERT_EQ(g.Add(c), std::nullopt) << letters;
}

TEST(RoadGridTest, ColumnsChangeWithTheWinner) {
  RoadGrid g(UserLogGridLimits());
  Enter(g, "BBPPPB");
  EXPECT_EQ(Column(g, 0), "BB");
  EXPECT_EQ(Column(g, 1), "PPP");
  EXPECT_EQ(Column(g, 2), "B");
  EXPECT_EQ(g.ReadOut(), "BBPPPB");
  EXPECT_EQ(g.used_columns(), 3);
}

TEST(RoadGridTest, FullColumnRefusesWithoutWrapping) {
  RoadGrid g(UserLogGridLimits());
  Enter(g, std::string(20, 'P'));
  EXPECT_EQ(g.Add('P'), "縦列は20個までです");
  EXPECT_EQ(g.letters(), 20);
  EXPECT_EQ(g.At(1, 0), 0);
  EXPECT_EQ(g.Add('B'), std::nullopt);
  EXPECT_EQ(Column(g, 1), "B");
}

TEST(RoadGridTest, FullRowOfColumnsRefuses) {
  RoadGrid g(UserLogGridLimits());
  std::string alternating;
  for (int i = 0; i < 300; ++i) alternating.push_back(i % 2 ? 'P' : 'B');
  Enter(g, alternating);
  EXPECT_EQ(g.Add('B'), "横列は300個までです");  // would open column 301
  EXPECT_EQ(g.Add('P'), std::nullopt);            // the last column still grows
  EXPECT_EQ(Column(g, 299), "PP");
}

TEST(RoadGridTest, LetterLimitOfThePatternEntry) {
  RoadGrid four(SearchPatternGridLimits(4));
  Enter(four, "PBPB");
  EXPECT_EQ(four.Add('P'), "現在の検索パターンの最大桁数は 4 です");
  EXPECT_EQ(four.ReadOut(), "PBPB");
  // At the largest length the limit comes first, however the letters fall.
  for (std::string letters : {std::string(12, 'P'), std::string("PBPBPBPBPBPB")}) {
    RoadGrid g(SearchPatternGridLimits(12));
    Enter(g, letters);
    EXPECT_EQ(g.Add('P'), "現在の検索パターンの最大桁数は 12 です");
    EXPECT_EQ(g.Add('B'), "現在の検索パターンの最大桁数は 12 です");
  }
}

TEST(RoadGridTest, DeletingStepsBack) {
  RoadGrid g(UserLogGridLimits());
  Enter(g, "BBP");
  g.DeleteLast();  // the top of column 1: back to column 0, below its last B
  EXPECT_EQ(g.ReadOut(), "BB");
  Enter(g, "B");
  EXPECT_EQ(Column(g, 0), "BBB");
  g.DeleteLast();
  g.DeleteLast();
  Enter(g, "P");
  EXPECT_EQ(g.ReadOut(), "BP");
  g.DeleteLast();
  g.DeleteLast();
  EXPECT_TRUE(g.empty());
  g.DeleteLast();  // nothing to delete
  Enter(g, "P");
  EXPECT_EQ(g.ReadOut(), "P");
}

TEST(RoadGridTest, DeletingFromAFullColumnAndAfterIt) {
  RoadGrid g(UserLogGridLimits());
  Enter(g, std::string(20, 'B'));
  g.DeleteLast();
  Enter(g, "B");
  EXPECT_EQ(g.Add('B'), "縦列は20個までです");
  Enter(g, "P");
  g.DeleteLast();  // back to the full column
  EXPECT_EQ(g.Add('B'), "縦列は20個までです");
  Enter(g, "P");
  EXPECT_EQ(g.ReadOut(), std::string(20, 'B') + "P");
}

TEST(RoadGridTest, ClearEmptiesEverything) {
  RoadGrid g(SearchPatternGridLimits(6));
  Enter(g, "PPBBBP");
  g.Clear();
  EXPECT_TRUE(g.empty());
  EXPECT_EQ(g.letters(), 0);
  EXPECT_EQ(g.ReadOut(), "");
  Enter(g, "BBBBBB");
  EXPECT_EQ(g.ReadOut(), "BBBBBB");
}

}  // namespace
}  // namespace vessaro
