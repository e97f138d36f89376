#include "engine/round.h"

#include <gtest/gtest.h>

#include <unordered_set>
#include <vector>

namespace vessaro {
namespace {

// Hands out cards of given points in order (rank 10 for a point of 0).
class ScriptedSource : public CardSource {
 public:
  explicit ScriptedSource(std::vector<int> points) : points_(std::move(points)) {}
  Card DrawCard() override { return Next(); }
  Card DrawBankerCard(const BiasCode&, int, int) override { return Next(); }
  size_t used() const { return next_; }

 private:
  Card Next() {
    int p = next_ < points_.size() ? points_[next_] : 0;
    ++next_;
    return Card{static_cast<uint8_t>(p == 0 ? 9 : p - 1)};  // diamonds: D10 or D1..D9
  }
  std::vector<int> points_;
  size_t next_ = 0;
};

class Recorder : public CardDealtListener {
 public:
  void OnCardDealt(Hand hand, int position, Card card, int total) override {
    events.push_back({hand, position, std::string(CardName(card)), total});
  }
  struct Event {
    Hand hand;
    int position;
    std::string card;
    int total;
  };
  std::vector<Event> events;
};

TEST(RoundTest, ExhaustiveInfiniteDeckGivesTheExactCounts) {
  // Every sequence of six rank values (0 four times over, 1..9 once), dealt through the real
  // drawing rules; unused cards of a sequence still count, so each sequence weighs the same.
  static constexpr int kValues[13] = {0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  int64_t banker = 0, player = 0, tie = 0;
  RoundRecord round;
  std::vector<int> pts(6);
  for (int a = 0; a < 13; ++a)
    for (int b = 0; b < 13; ++b)
      for (int c = 0; c < 13; ++c)
        for (int d = 0; d < 13; ++d)
          for (int e = 0; e < 13; ++e)
            for (int f = 0; f < 13; ++f) {
              ScriptedSource src({kValues[a], kValues[b], kValues[c], kValues[d], kValues[e], kValues[f]});
              PlayRound(src, nullptr, nullptr, round);
              if (round.result == 'B') ++banker;
              else if (round.result == 'P') ++player;
              else ++tie;
            }
  EXPECT_EQ(banker, 2212744);
  EXPECT_EQ(player, 2153464);
  EXPECT_EQ(tie, 460601);
}

struct DrawCase {
  const char* name;
  std::vector<int> points;  // P1, B1, P2, B2, then third cards in order
  char result;
  const char* outcome;
  int cards_used;
};

void PrintTo(const DrawCase& c, std::ostream* os) { *os << c.name; }

class DrawingRulesTest : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawingRulesTest, Deals) {
  const DrawCase& c = GetParam();
  ScriptedSource src(c.points);
  RoundRecord round;
  PlayRound(src, nullptr, nullptr, round);
  EXPECT_EQ(round.result, c.result);
  EXPECT_EQ(round.outcome_name, c.outcome);
  EXPECT_EQ(static_cast<int>(src.used()), c.cards_used);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawingRulesTest,
    ::testing::Values(
        DrawCase{"six_against_seven", {3, 3, 3, 4, 9, 9}, 'B', "Natural_Banker_Win", 4},
        DrawCase{"seven_against_six", {3, 3, 4, 3, 9, 9}, 'P', "Natural_Player_Win", 4},
        DrawCase{"six_six", {3, 3, 3, 3, 9, 9}, 'T', "Natural_Tie", 4},
        DrawCase{"seven_seven", {3, 3, 4, 4, 9, 9}, 'T', "Natural_Tie", 4},
        DrawCase{"natural_nine_beats_eight", {4, 4, 5, 4}, 'P', "Natural_Player_Win", 4},
        DrawCase{"natural_eight_each", {4, 4, 4, 4}, 'T', "Natural_Tie", 4},
        // Player 5, Banker 5: Player draws; a third card of 4 makes the Banker draw.
        DrawCase{"five_five_third_four", {2, 2, 3, 3, 4, 1}, 'P', "Player_Win", 6},
        // ... a third card of 3 leaves the Banker standing on 5.
        DrawCase{"five_five_third_three", {2, 2, 3, 3, 3, 9}, 'P', "Player_Win", 5},
        // Player 0..5 against Banker 6: Banker draws only on a Player third card of 6 or 7.
        DrawCase{"banker_six_third_six", {0, 3, 5, 3, 6, 2}, 'B', "Banker_Win", 6},
        DrawCase{"banker_six_third_picture", {0, 3, 5, 3, 0, 9}, 'B', "Banker_Win", 5},
        // Player stands on 7, Banker 5 draws.
        DrawCase{"player_stands_banker_five_draws", {3, 2, 4, 3, 1}, 'P', "Player_Win", 5},
        DrawCase{"banker_three_third_eight", {1, 1, 1, 2, 8, 9}, 'B', "Banker_Win", 5},
        DrawCase{"banker_four_third_one", {1, 2, 1, 2, 1, 9}, 'B', "Banker_Win", 5},
        DrawCase{"banker_four_third_two", {1, 2, 1, 2, 2, 0}, 'T', "Tie", 6},
        DrawCase{"tie_after_third_cards", {1, 1, 1, 1, 0, 0}, 'T', "Tie", 6}),
    [](const ::testing::TestParamInfo<DrawCase>& info) { return std::string(info.param.name); });

TEST(RoundTest, PictureCardsCountZero) {
  Card h13;
  ASSERT_TRUE(CardFromName("H13", h13));
  EXPECT_EQ(AddPoint(4, CardPoint(h13)), 4);
  EXPECT_EQ(CardPoint("S10"), 0);
  EXPECT_EQ(CardPoint("C9"), 9);
  EXPECT_EQ(CardPoint("x"), 0);
}

TEST(RoundTest, TrailsAndNotificationsFollowTheDealOrder) {
  ScriptedSource src({1, 2, 1, 2, 2, 0});  // P 2, B 4, P draws 2 -> 4, B draws
  Recorder rec;
  RoundRecord round;
  PlayRound(src, nullptr, &rec, round);
  EXPECT_EQ(round.player_trail, "D1→D1→D2");
  EXPECT_EQ(round.banker_trail, "D2→D2→D10");
  ASSERT_EQ(rec.events.size(), 6u);
  const Hand order[] = {Hand::kPlayer, Hand::kBanker, Hand::kPlayer, Hand::kBanker, Hand::kPlayer, Hand::kBanker};
  const int positions[] = {1, 1, 2, 2, 3, 3};
  const int totals[] = {1, 2, 2, 4, 4, 4};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(rec.events[i].hand, order[i]) << i;
    EXPECT_EQ(rec.events[i].position, positions[i]) << i;
    EXPECT_EQ(rec.events[i].total, totals[i]) << i;
  }
  ScriptedSource natural({4, 4, 4, 4});
  PlayRound(natural, nullptr, nullptr, round);
  EXPECT_EQ(round.player_trail, "D4→D4");
  EXPECT_FALSE(round.player_third.has_value());
}

TEST(RoundTest, GeneratorIsTheSpecifiedLcg) {
  RandomGenerator gen(0);
  // state 1 after one step; high 32 bits of 1 * 312 is 0.
  EXPECT_EQ(gen.Random(312), 0u);
  EXPECT_EQ(gen.state(), 1u);
  gen.Seed(0xFFFFFFFFu);
  uint32_t expected_state = 0xFFFFFFFFu * 134775813u + 1u;
  uint32_t r = gen.Random(1001);
  EXPECT_EQ(gen.state(), expected_state);
  EXPECT_EQ(r, static_cast<uint32_t>((static_cast<uint64_t>(expected_state) * 1001) >> 32));
}

TEST(RoundTest, SeedsOfASessionNeverRepeatAndReproduceTheirRound) {
  std::unordered_set<uint32_t> seen;
  seen.reserve(2'000'000);
  for (uint64_t k = 0; k < 1'000'000; ++k) ASSERT_TRUE(seen.insert(SeedForRound(12345, k)).second) << k;
  // Adjacent rounds get unrelated seeds.
  EXPECT_GT(SeedForRound(1, 1) ^ SeedForRound(1, 0), 0xFFu);

  RoundEngine engine(777);
  RoundRecord first, again;
  for (int i = 0; i < 50; ++i) {
    engine.DealRound(OutcomeMode::kPerfect, 10, 99000, BiasSide::kPlayer, first);
    RoundEngine other;
    other.DealRoundWithSeed(first.seed, OutcomeMode::kPerfect, 10, 99000, BiasSide::kPlayer, again);
    EXPECT_EQ(first.player_trail, again.player_trail);
    EXPECT_EQ(first.banker_trail, again.banker_trail);
    EXPECT_EQ(first.result, again.result);
  }
}

}  // namespace
}  // namespace vessaro
