#include "systems/pattern_cards.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace vessaro {
namespace {

TEST(PatternCardsTest, SideOfCard) {
  std::vector<CardFields> cards(kPatternCardCount);
  cards[0] = {"P", "1", "1"};
  cards[1] = {"B", "1", "1"};
  cards[2] = {"p", "1", "1"};
  cards[3] = {"PB", "1", "1"};
  LoadedPattern pattern;
  pattern.Assign(cards);
  EXPECT_EQ(GetPatternSide(pattern, 1), BetSide::kPlayer);
  EXPECT_EQ(GetPatternSide(pattern, 2), BetSide::kBanker);
  EXPECT_EQ(GetPatternSide(pattern, 3), BetSide::kNone);  // lower case stops the run
  EXPECT_EQ(GetPatternSide(pattern, 4), BetSide::kNone);
  EXPECT_EQ(GetPatternSide(pattern, 5), BetSide::kNone);  // empty card
  EXPECT_EQ(GetPatternSide(pattern, 21), BetSide::kNone);
  EXPECT_EQ(GetPatternSide(pattern, 0), BetSide::kNone);
}

// Walks a pattern through outcomes the way a run does and returns the sides bet.
std::string SidesBet(const LoadedPattern& pattern, const std::vector<BetOutcome>& outcomes) {
  std::string sides;
  int card = 1;
  for (BetOutcome o : outcomes) {
    sides += GetPatternSide(pattern, card) == BetSide::kPlayer ? 'P' : 'B';
    card = GetNextCard(o, pattern, card);
  }
  return sides;
}

TEST(PatternCardsTest, TwoCardPatternAlternatesAndRepeatsAfterATie) {
  testing::TempFolder dir;
  dir.Write("betpattern/alt_pattern.txt", "[BETPATTERN]\r\nCardNo1=P,2,2\r\nCardNo2=B,1,1\r\n");
  LoadedPattern pattern;
  ASSERT_TRUE(pattern.Load(dir / "betpattern/alt_pattern.txt").ok());
  using O = BetOutcome;
  EXPECT_EQ(SidesBet(pattern, {O::kWin, O::kLoss, O::kTie, O::kWin, O::kLoss}), "PBPPB");
}

TEST(PatternCardsTest, StaysOnPlayerWhileItWins) {
  std::vector<CardFields> cards(kPatternCardCount);
  cards[0] = {"P", "1", "2"};
  cards[1] = {"B", "1", "1"};
  LoadedPattern pattern;
  pattern.Assign(cards);
  using O = BetOutcome;
  EXPECT_EQ(SidesBet(pattern, {O::kWin, O::kWin, O::kWin, O::kLoss, O::kWin}), "PPPPB");
}

}  // namespace
}  // namespace vessaro
