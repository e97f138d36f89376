#include "systems/special_pattern.h"

#include <gtest/gtest.h>

#include "common/cp932.h"
#include "common/files.h"
#include "support/temp_folder.h"
#include "systems/messages.h"

namespace vessaro {
namespace {

using testing::TempFolder;

struct FixedCase {
  const char* why;
  const char* select;
  const char* record;
  const char* history;
  BetSide side;
};

void PrintTo(const FixedCase& c, std::ostream* os) { *os << c.why; }

class SpecialFixedRuleTest : public ::testing::TestWithParam<FixedCase> {};

TEST_P(SpecialFixedRuleTest, SideFromTheLastRoundRecord) {
  const FixedCase& c = GetParam();
  EXPECT_EQ(GetFaceSide("0", c.select, "B", {}, LastRoundRecord::Parse(c.record), c.history),
            c.side);
}

INSTANTIATE_TEST_SUITE_P(
    SpecialPattern, SpecialFixedRuleTest,
    ::testing::Values(
        FixedCase{"against the last result", "1", "B,1,1,2,1,0", "PBB", BetSide::kPlayer},
        FixedCase{"with the last result", "2", "B,1,1,2,1,0", "PBB", BetSide::kBanker},
        FixedCase{"higher count, Player ahead", "3", "P,0,0,2,5,0", "PPBPP", BetSide::kPlayer},
        FixedCase{"higher count, equal counts: otherbets", "3", "P,0,0,5,5,1", "PBPBPBPBPB",
                  BetSide::kBanker},
        FixedCase{"lower count, Player ahead", "4", "P,0,0,2,5,0", "PPBPP", BetSide::kBanker},
        FixedCase{"lower count, Banker ahead", "4", "B,0,0,3,1,0", "BPBB", BetSide::kPlayer},
        FixedCase{"round 1: empty record", "1", "", "", BetSide::kBanker},
        FixedCase{"empty history", "2", ",0,0,0,0,3", "", BetSide::kBanker},
        FixedCase{"unknown rule", "9", "P,0,0,0,1,0", "P", BetSide::kBanker}));

TEST(SpecialPatternTest, DefaultSideAndUnknownMode) {
  LastRoundRecord record = LastRoundRecord::Parse("P,0,0,0,1,0");
  EXPECT_EQ(GetFaceSide("1", "", "P", {}, record, "P"), BetSide::kPlayer);
  EXPECT_EQ(GetFaceSide("2", "1", "B", {}, record, "P"), BetSide::kBanker);
  EXPECT_EQ(GetFaceSide("1", "", "X", {}, record, "P"), BetSide::kNone);
  EXPECT_EQ(GetFaceSide("1", "", "P", {}, LastRoundRecord{}, ""), BetSide::kPlayer);
}

TEST(SpecialPatternTest, FirstMatchingPairDecides) {
  LastRoundRecord record = LastRoundRecord::Parse("P,0,0,1,3,0");
  ConditionList list = {{"PPP", BetSide::kBanker}, {"PP", BetSide::kPlayer}};
  EXPECT_EQ(GetFaceSide("1", "", "P", list, record, "BPPP"), BetSide::kBanker);
  EXPECT_EQ(GetFaceSide("1", "", "B", list, record, "BPP"), BetSide::kPlayer);
  EXPECT_EQ(GetFaceSide("1", "", "B", list, record, "PPB"), BetSide::kBanker);  // none: default
  EXPECT_EQ(GetFaceSide("1", "", "B", list, record, "PP"), BetSide::kPlayer);   // PPP is longer
  // A matching pair without a side leaves the default and ends the search.
  ConditionList sideless = {{"PB", BetSide::kNone}, {"B", BetSide::kPlayer}};
  EXPECT_EQ(GetFaceSide("1", "", "B", sideless, record, "PPB"), BetSide::kBanker);
}

class FaceConditionsTest : public ::testing::Test {
 protected:
  LoadStatus Load(std::string_view special_text) {
    dir.Write("betpattern/s_facepattern.txt", special_text);
    return pattern.Load(dir / "betpattern/s_facepattern.txt", dir.path());
  }
  BetSide SideAfter(std::string_view history) {
    return pattern.SideFor(LastRoundRecord::Parse("P,0,0,0,1,0"), history);
  }
  TempFolder dir;
  LoadedSpecialPattern pattern;
};

TEST_F(FaceConditionsTest, StreaksThenFaceListInKeyOrder) {
  dir.Write("facepattern/faces_facepattern.txt",
            *EncodeCp932("PBPB のパターンが発生した場合 P にベットする\r\n\r\n"
                         "BBP のパターンが発生した場合  にベットする\r\n"));
  ASSERT_TRUE(
      Load("mode=1\r\notherbets=B\r\nchecked1=1,4,\r\nchecked2=3,faces_facepattern.txt,FACE\r\n")
          .ok());
  ASSERT_EQ(pattern.conditions().size(), 4u);
  EXPECT_EQ(pattern.conditions()[0].sequence, "PPPP");
  EXPECT_EQ(pattern.conditions()[0].side, BetSide::kBanker);
  EXPECT_EQ(pattern.conditions()[1].sequence, "BBBB");
  EXPECT_EQ(pattern.conditions()[1].side, BetSide::kPlayer);
  EXPECT_EQ(pattern.conditions()[2].sequence, "PBPB");
  // A run of four Player results bets Banker until the run breaks.
  EXPECT_EQ(SideAfter("BPPPP"), BetSide::kBanker);
  EXPECT_EQ(SideAfter("BPPPPP"), BetSide::kBanker);
  EXPECT_EQ(SideAfter("BPPPPPB"), BetSide::kBanker);  // no match: the default
  EXPECT_EQ(SideAfter("PPBBBB"), BetSide::kPlayer);
  EXPECT_EQ(SideAfter("BPBPB"), BetSide::kPlayer);  // face pattern PBPB
  EXPECT_EQ(SideAfter("PBBP"), BetSide::kBanker);   // face line without a side: the default
}

TEST_F(FaceConditionsTest, PriorityTwoFollowsTheRun) {
  ASSERT_TRUE(Load("mode=1\r\notherbets=P\r\nchecked1=2,3,\r\n").ok());
  EXPECT_EQ(SideAfter("PBBB"), BetSide::kBanker);
  EXPECT_EQ(SideAfter("BPPP"), BetSide::kPlayer);
  EXPECT_EQ(SideAfter("PPB"), BetSide::kPlayer);
}

TEST_F(FaceConditionsTest, MissingFaceListFails) {
  LoadStatus status = Load("mode=1\r\notherbets=P\r\nchecked1=3,gone_facepattern.txt,FACE\r\n");
  EXPECT_EQ(status.error, LoadError::kMissing);
  EXPECT_EQ(status.message, systems_text::kFaceFileMissing);
}

TEST_F(FaceConditionsTest, FaceListIsOnlyLookedUpInsideItsFolder) {
  dir.Write("secret_facepattern.txt",
            *EncodeCp932("PP のパターンが発生した場合 P にベットする\r\n"));
  LoadStatus status =
      Load("mode=1\r\notherbets=P\r\nchecked1=3,../secret_facepattern.txt,FACE\r\n");
  EXPECT_EQ(status.error, LoadError::kMissing);
}

TEST_F(FaceConditionsTest, MoreThanTenThousandPairsRefuseToLoad) {
  auto list = [](int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) text += "PB のパターンが発生した場合 P にベットする\r\n";
    return *EncodeCp932(text);
  };
  dir.Write("facepattern/big_facepattern.txt", list(9998));
  // 2 streak pairs + 9998 face pairs fit exactly.
  ASSERT_TRUE(
      Load("mode=1\r\notherbets=P\r\nchecked1=1,2,\r\nchecked2=3,big_facepattern.txt,FACE\r\n")
          .ok());
  EXPECT_EQ(pattern.conditions().size(), kMaxConditionPairs);

  dir.Write("facepattern/big_facepattern.txt", list(9999));
  LoadStatus status =
      Load("mode=1\r\notherbets=P\r\nchecked1=1,2,\r\nchecked2=3,big_facepattern.txt,FACE\r\n");
  EXPECT_EQ(status.error, LoadError::kInvalid);
  EXPECT_EQ(status.message,
            "フェイスパターンの条件が10001件あります\r\n使用できる条件は合計10000件までです"
            "（s_facepattern.txt）");
  EXPECT_TRUE(pattern.conditions().empty());
}

TEST_F(FaceConditionsTest, BrokenRunLengthsAreRefusedAndLongRunsNeverMatch) {
  EXPECT_EQ(Load("mode=1\r\notherbets=P\r\nchecked1=1,abc,\r\n").error, LoadError::kInvalid);
  EXPECT_EQ(Load("mode=1\r\notherbets=P\r\nchecked1=2,0,\r\n").error, LoadError::kInvalid);
  ASSERT_TRUE(Load("mode=1\r\notherbets=P\r\nchecked1=1,2000000000,\r\n").ok());
  EXPECT_EQ(SideAfter(std::string(100, 'P')), BetSide::kPlayer);  // the default, not a match
  EXPECT_LE(pattern.conditions()[0].sequence.size(), kResultHistoryLength + 1);
}

TEST_F(FaceConditionsTest, FixedModeBuildsNoConditions) {
  ASSERT_TRUE(
      Load("mode=0\r\notherbets=P\r\nselect=2\r\nchecked1=3,gone_facepattern.txt,FACE\r\n").ok());
  EXPECT_TRUE(pattern.conditions().empty());
  EXPECT_EQ(SideAfter("PB"), BetSide::kPlayer);  // with the last result (record letter P)
}

TEST(SpecialPatternFileTest, LinesRoundTrip) {
  SpecialPatternDefinition d;
  d.strategy = SpecialPatternDefinition::Strategy::kCondition;
  d.otherbets = "B";
  d.streaks[0] = {true, 4};
  d.face_enabled = true;
  d.face_list = "faces";
  const std::string text = MakeSpecialPatternText(d);
  EXPECT_EQ(text,
            "mode=1\r\notherbets=B\r\nchecked1=1,4,\r\nchecked2=3,faces_facepattern.txt,FACE\r\n");
  SpecialPatternDefinition back = DefinitionFromFile(ParseSpecialPatternText(text));
  EXPECT_EQ(back.strategy, d.strategy);
  EXPECT_EQ(back.otherbets, "B");
  EXPECT_TRUE(back.streaks[0].enabled);
  EXPECT_EQ(back.streaks[0].run_length, 4);
  EXPECT_FALSE(back.streaks[1].enabled);
  EXPECT_EQ(back.face_list, "faces");

  SpecialPatternDefinition fixed;
  fixed.otherbets = "P";
  fixed.select = 3;
  EXPECT_EQ(MakeSpecialPatternText(fixed), "mode=0\r\notherbets=P\r\nselect=3\r\n");
}

}  // namespace
}  // namespace vessaro
