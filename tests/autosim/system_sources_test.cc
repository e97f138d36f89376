#include "autosim/system_sources.h"

#include <gtest/gtest.h>

#include "systems/ashfinch.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "systems/special_pattern.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::TempFolder;

class SystemSourcesTest : public ::testing::Test {
 protected:
  SystemSourcesTest() {
    EnsureFolder(BetPatternFolder(dir.path()));
    std::vector<CardFields> system(60);
    system[0] = {"10", "2", "1"};
    system[1] = {"5%", "1", "1"};
    WriteCardFile(SystemFilePath(dir.path(), "flat"), system);
    std::vector<CardFields> pattern(20);
    pattern[0] = {"B", "2", "2"};
    pattern[1] = {"P", "1", "1"};
    WriteCardFile(PatternFilePath(dir.path(), "twin"), pattern);
  }
  RunSources Load(std::string_view system, std::string_view pattern) {
    return loader.Load(dir.path(), system, pattern);
  }
  TempFolder dir;
  SystemsRunSourceLoader loader;
  LastRoundRecord record;
};

TEST_F(SystemSourcesTest, CardsGiveStakesSidesAndJumps) {
  RunSources s = Load(" flat ", "twin");
  ASSERT_TRUE(s.system && s.pattern) << s.message;
  EXPECT_EQ(s.system->Stake(1, 100000, "").stake, "10");
  EXPECT_EQ(s.system->Stake(2, 103000, "").stake, "52");  // 5 % of 1030, halves to even
  EXPECT_EQ(s.system->Next(BetOutcome::kWin, 1, 0), 2);
  EXPECT_EQ(s.system->Next(BetOutcome::kTie, 2, 0), 2);
  EXPECT_TRUE(s.pattern->fixed());
  EXPECT_EQ(s.pattern->Side(1, "", record), BetSide::kBanker);
  EXPECT_EQ(s.pattern->Side(2, "", record), BetSide::kPlayer);
  EXPECT_EQ(s.pattern->Next(BetOutcome::kLoss, 1), 2);
}

TEST_F(SystemSourcesTest, FixedPatternWinsOverASpecialOfTheSameName) {
  SpecialPatternDefinition special;
  special.otherbets = "P";
  WriteTextFile(SpecialPatternFilePath(dir.path(), "twin"), MakeSpecialPatternText(special));
  WriteTextFile(SpecialPatternFilePath(dir.path(), "only"), MakeSpecialPatternText(special));
  EXPECT_TRUE(Load("flat", "twin").pattern->fixed());
  RunSources s = Load("flat", "only");
  ASSERT_TRUE(s.pattern) << s.message;
  EXPECT_FALSE(s.pattern->fixed());
}

TEST_F(SystemSourcesTest, MissingFilesAndBrokenOnesAreRefused) {
  EXPECT_EQ(Load("none", "twin").message, "システムまたはパターンファイルが存在しません");
  EXPECT_EQ(Load("flat", "none").message, "システムまたはパターンファイルが存在しません");
  SpecialPatternDefinition faces;
  faces.strategy = SpecialPatternDefinition::Strategy::kCondition;
  faces.otherbets = "B";
  faces.face_enabled = true;
  faces.face_list = "gone";
  WriteTextFile(SpecialPatternFilePath(dir.path(), "faces"), MakeSpecialPatternText(faces));
  RunSources s = Load("flat", "faces");
  EXPECT_FALSE(s.system);
  EXPECT_EQ(s.message, "フェイスファイルが存在しません");
  WriteTextFile(AshfinchFilePath(dir.path(), "broken"), "[BET]\r\nnothing=1\r\n");
  RunSources a = Load("broken_ashfinchbasic", "twin");
  EXPECT_FALSE(a.system);
  EXPECT_FALSE(a.message.empty());
}

}  // namespace
}  // namespace vessaro
