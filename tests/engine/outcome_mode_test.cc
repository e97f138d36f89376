#include "engine/outcome_mode.h"

#include <gtest/gtest.h>

#include <vector>

namespace vessaro {
namespace {

// A generator state whose next draws give cards of the given points.
uint32_t SeedDrawingPoints(const std::vector<int>& points) {
  for (uint32_t seed = 0;; ++seed) {
    RandomGenerator gen(seed);
    bool ok = true;
    for (int p : points) ok = ok && CardPoint(DrawCard(gen)) == p;
    if (ok) return seed;
  }
}

// A generator state whose next Random(1001) % 10 is r.
uint32_t SeedDrawingNumber(uint32_t r) {
  for (uint32_t seed = 0;; ++seed) {
    RandomGenerator gen(seed);
    if (gen.Random(1001) % 10 == r) return seed;
  }
}

// How many draws DrawBankerCard took, and what it returned.
std::pair<int, Card> BankerDraw(uint32_t seed, const BiasCode& code, int banker, int player) {
  RandomGenerator gen(seed);
  Card c = DrawBankerCard(gen, code, banker, player);
  RandomGenerator count(seed);
  for (int n = 0; n < 5; ++n) {
    if (count.state() == gen.state()) return {n, c};
    count.Random(312);
  }
  return {-1, c};
}

TEST(StakeShareTest, RoundsHalvesToEven) {
  EXPECT_EQ(StakeShare(100, 190000), 5);   // 100 / 2000
  EXPECT_EQ(StakeShare(500, 100000), 33);  // 500 / 1500
  EXPECT_EQ(StakeShare(1, 700), 12);       // exactly 12.5
  EXPECT_EQ(StakeShare(21, 17900), 10);    // exactly 10.5
  EXPECT_EQ(StakeShare(3, 2150), 12);      // balance 21.50 rounds to 22 (even): 3 / 25 = 12
  EXPECT_EQ(StakeShare(3, 2050), 13);      // balance 20.50 rounds to 20 (even): 3 / 23 = 13.04
}

TEST(MakeBiasCodeTest, FixedModesDrawNoNumber) {
  struct Case {
    OutcomeMode mode;
    std::string code;
  } cases[] = {{OutcomeMode::kPerfect, ""},
               {OutcomeMode::kHeaven, "1,2"},
               {OutcomeMode::kHell, "1,1"},
               {OutcomeMode::kSuperHell, "1,0"}};
  for (const Case& c : cases) {
    RandomGenerator gen(42);
    EXPECT_EQ(MakeBiasCode(c.mode, 10, 100000, BiasSide::kBanker, gen).Text(), c.code);
    EXPECT_EQ(gen.state(), 42u);
  }
  RandomGenerator gen(42);
  EXPECT_EQ(MakeBiasCode(OutcomeMode::kHell, 10, 100000, BiasSide::kPlayer, gen).Text(), "0,1");
}

struct CasinoCase {
  std::optional<OutcomeMode> mode;
  int64_t stake;
  Cents balance;
  uint32_t r;
  std::string code;
};

void PrintTo(const CasinoCase& c, std::ostream* os) {
  *os << (c.mode ? static_cast<int>(*c.mode) : -1) << " stake " << c.stake << " r " << c.r;
}

class CasinoModesTest : public ::testing::TestWithParam<CasinoCase> {};

TEST_P(CasinoModesTest, CodeFromShareAndNumber) {
  const CasinoCase& c = GetParam();
  RandomGenerator gen(SeedDrawingNumber(c.r));
  uint32_t before = gen.state();
  EXPECT_EQ(MakeBiasCode(c.mode, c.stake, c.balance, BiasSide::kPlayer, gen).Text(), c.code);
  EXPECT_EQ(gen.state(), before * 134775813u + 1u);  // exactly one number drawn
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CasinoModesTest,
    ::testing::Values(
        // PlayTech, share 5 (100 against 1900 left).
        CasinoCase{OutcomeMode::kPlayTech, 100, 190000, 3, "0,1"},
        CasinoCase{OutcomeMode::kPlayTech, 100, 190000, 5, "0,1"},
        CasinoCase{OutcomeMode::kPlayTech, 100, 190000, 6, "0,2"},
        CasinoCase{OutcomeMode::kPlayTech, 100, 190000, 0, ""},
        // PlayTech, share 10 (100 against 900).
        CasinoCase{OutcomeMode::kPlayTech, 100, 90000, 2, "0,2"},
        CasinoCase{OutcomeMode::kPlayTech, 100, 90000, 1, "0,0"},
        CasinoCase{OutcomeMode::kPlayTech, 100, 90000, 3, ""},
        // PlayTech, share 11 and more.
        CasinoCase{OutcomeMode::kPlayTech, 500, 100000, 9, "0,1"},
        CasinoCase{OutcomeMode::kPlayTech, 500, 100000, 2, ""},
        // CryptoLogic, shares 15, 25, 33.
        CasinoCase{OutcomeMode::kCryptoLogic, 15, 8500, 3, "0,2"},
        CasinoCase{OutcomeMode::kCryptoLogic, 15, 8500, 8, ""},
        CasinoCase{OutcomeMode::kCryptoLogic, 25, 7500, 8, "0,1"},
        CasinoCase{OutcomeMode::kCryptoLogic, 500, 100000, 4, "0,0"},
        CasinoCase{OutcomeMode::kCryptoLogic, 500, 100000, 9, "0,0"},
        CasinoCase{OutcomeMode::kCryptoLogic, 500, 100000, 3, ""},
        // An unknown mode draws the number and steers nothing.
        CasinoCase{std::nullopt, 500, 100000, 4, ""}));

TEST(DrawBankerCardTest, HeavenReplacesACostlyCardOnce) {
  // Stake on Player, Player 5, Banker 9: a 0 keeps the Banker on 9, which costs the user; the
  // replacement stands even though it costs again.
  uint32_t seed = SeedDrawingPoints({0, 0});
  auto [draws, card] = BankerDraw(seed, BiasCode{0, 2}, 9, 5);
  EXPECT_EQ(draws, 2);
  EXPECT_EQ(CardPoint(card), 0);
}

TEST(DrawBankerCardTest, HellLeavesEqualTotalsAlone) {
  uint32_t seed = SeedDrawingPoints({5});
  auto [draws, card] = BankerDraw(seed, BiasCode{0, 1}, 0, 5);
  EXPECT_EQ(draws, 1);
  EXPECT_EQ(CardPoint(card), 5);
}

TEST(DrawBankerCardTest, SuperHellReplacesUpToTwice) {
  // Stake on Banker, Player 4, Banker 0: a 6 pays the user, so does a 7; the third card stands.
  uint32_t seed = SeedDrawingPoints({6, 7, 9});
  auto [draws, card] = BankerDraw(seed, BiasCode{1, 0}, 0, 4);
  EXPECT_EQ(draws, 3);
  EXPECT_EQ(CardPoint(card), 9);
  // A first candidate that does not pay stands at once.
  seed = SeedDrawingPoints({2});
  EXPECT_EQ(BankerDraw(seed, BiasCode{1, 0}, 0, 4).first, 1);
}

TEST(DrawBankerCardTest, EmptyCodeIsAPlainDraw) {
  uint32_t seed = SeedDrawingPoints({6, 7});
  EXPECT_EQ(BankerDraw(seed, BiasCode{}, 0, 4).first, 1);
}

TEST(OutcomeModeTest, NamesInDialogOrder) {
  EXPECT_EQ(OutcomeModeFromName("スーパー地獄モード"), OutcomeMode::kSuperHell);
  EXPECT_EQ(OutcomeModeName(OutcomeMode::kCryptoLogic), "クリプトロジックモード");
  EXPECT_FALSE(OutcomeModeFromName("普通モード").has_value());
}

}  // namespace
}  // namespace vessaro
