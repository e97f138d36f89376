#include "engine/bets.h"

#include <gtest/gtest.h>

namespace vessaro {
namespace {

BetState WithBalance(Cents balance, MoneyTextStyle style = MoneyTextStyle::kTable) {
  BetState s;
  s.style = style;
  SetBalance(s, balance, FormatCents(balance));
  return s;
}

TEST(PlaceChipTest, FirstChipIsRaisedToTheMinimum) {
  BetState s = WithBalance(100000);
  s.selected_chip = 25;
  EXPECT_TRUE(PlaceChip(s, BetSide::kPlayer, 100, 5000).ok);
  EXPECT_EQ(s.player_stake, 100);
  EXPECT_EQ(s.balance_text, "900.00");
  EXPECT_TRUE(PlaceChip(s, BetSide::kPlayer, 100, 5000).ok);
  EXPECT_EQ(s.player_stake, 125);
  EXPECT_EQ(s.stake_text, "125.00");
  EXPECT_EQ(s.balance, 87500);
}

struct RefusalCase {
  const char* why;
  Cents balance;
  int64_t player_stake;
  int64_t banker_stake;
  int chip;
  int minimum, maximum;
  BetSide side;
  const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.why; }

class PlaceChipRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(PlaceChipRefusalTest, ChangesNothing) {
  const RefusalCase& c = GetParam();
  BetState s = WithBalance(c.balance);
  s.player_stake = c.player_stake;
  s.banker_stake = c.banker_stake;
  s.table_stake = c.player_stake + c.banker_stake;
  s.stake_text = "keep";
  s.last_bet = "P,10";
  s.selected_chip = c.chip;
  BetResult r = PlaceChip(s, c.side, c.minimum, c.maximum);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, c.message);
  EXPECT_EQ(s.player_stake, c.player_stake);
  EXPECT_EQ(s.banker_stake, c.banker_stake);
  EXPECT_EQ(s.balance, c.balance);
  EXPECT_EQ(s.stake_text, "keep");
  EXPECT_EQ(s.last_bet, "");  // forgotten even by a refused chip
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaceChipRefusalTest,
    ::testing::Values(
        RefusalCase{"minimum above balance", 6000, 0, 0, 25, 100, 5000, BetSide::kPlayer, "残高が足りません"},
        RefusalCase{"over the maximum", 100000, 4900, 0, 250, 1, 5000, BetSide::kPlayer,
                    "テーブルレートの上限を超えています"},
        RefusalCase{"both sides", 100000, 100, 0, 5, 1, 5000, BetSide::kBanker, "両サイドベッティングはできません"}));

TEST(RebetTest, RepeatsWithinLimitsAndSilentlyRefuses) {
  BetState s = WithBalance(100000);
  s.last_bet = "P,300";
  EXPECT_TRUE(Rebet(s, 500));
  EXPECT_EQ(s.player_stake, 300);
  EXPECT_EQ(s.balance_text, "700.00");
  EXPECT_FALSE(Rebet(s, 500));  // 600 would exceed 500
  EXPECT_EQ(s.player_stake, 300);
  EXPECT_EQ(s.balance, 70000);
  s.selected_chip = 25;
  EXPECT_TRUE(PlaceChip(s, BetSide::kPlayer, 1, 500).ok);
  EXPECT_EQ(s.player_stake, 325);

  BetState poor = WithBalance(20000);
  poor.last_bet = "B,300";
  EXPECT_FALSE(Rebet(poor, 5000));
  EXPECT_EQ(poor.banker_stake, 0);
  BetState garbled = WithBalance(20000);
  garbled.last_bet = "X,abc";
  EXPECT_FALSE(Rebet(garbled, 5000));
}

TEST(ClearBetsTest, ReturnsStakesAndForgetsTheLastBet) {
  BetState s = WithBalance(90000);
  s.banker_stake = s.table_stake = 100;
  s.last_bet = "B,100";
  ClearBets(s);
  EXPECT_EQ(s.balance_text, "1000.00");
  EXPECT_EQ(s.stake_text, "0.00");
  EXPECT_EQ(s.winnings_text, "0.00");
  EXPECT_EQ(s.last_bet, "");
  EXPECT_EQ(s.banker_stake, 0);
  EXPECT_FALSE(MakeLastBet(s));
}

TEST(MakeLastBetTest, RecordsTheStakedSide) {
  BetState s;
  EXPECT_FALSE(MakeLastBet(s));
  s.banker_stake = 40;
  EXPECT_TRUE(MakeLastBet(s));
  EXPECT_EQ(s.last_bet, "B,40");
}

TEST(PlaceAutoStakeTest, ChecksBalanceAndMaximum) {
  BetState s = WithBalance(8000);
  BetResult r = PlaceAutoStake(s, BetSide::kBanker, 100, 500);
  EXPECT_EQ(r.message, "残高が足りません 残高＝80.00 賭け額＝100.00");
  EXPECT_EQ(s.balance, 8000);
  s = WithBalance(100000);
  EXPECT_EQ(PlaceAutoStake(s, BetSide::kBanker, 600, 500).message, "トータルベットが上限を超えています");
  EXPECT_TRUE(PlaceAutoStake(s, BetSide::kBanker, 100, 500).ok);
  EXPECT_EQ(s.stake_text, "100");
  EXPECT_EQ(s.balance_text, "900.00");
  BetState quiet = WithBalance(100000, MoneyTextStyle::kProcessingOnly);
  EXPECT_TRUE(PlaceAutoStake(quiet, BetSide::kPlayer, 10, 500).ok);
  EXPECT_EQ(quiet.balance_text, "990");
}

struct SettleCase {
  const char* why;
  MoneyTextStyle style;
  BetSide side;
  int64_t stake;
  Cents balance_after_stake;
  char result;
  BetOutcome outcome;
  const char* balance_text;
  const char* winnings_text;
};

void PrintTo(const SettleCase& c, std::ostream* os) { *os << c.why; }

class SettleTest : public ::testing::TestWithParam<SettleCase> {};

TEST_P(SettleTest, PaysTheTable) {
  const SettleCase& c = GetParam();
  BetState s = WithBalance(c.balance_after_stake, c.style);
  (c.side == BetSide::kPlayer ? s.player_stake : s.banker_stake) = c.stake;
  s.table_stake = c.stake;
  EXPECT_EQ(Settle(s, c.result, false), c.outcome);
  EXPECT_EQ(s.outcome, c.outcome);
  EXPECT_EQ(s.balance_text, c.balance_text);
  EXPECT_EQ(s.winnings_text, c.winnings_text);
  EXPECT_EQ(s.player_stake + s.banker_stake + s.table_stake, 0);
}

constexpr auto kTable = MoneyTextStyle::kTable;
constexpr auto kQuiet = MoneyTextStyle::kProcessingOnly;

INSTANTIATE_TEST_SUITE_P(
    Cases, SettleTest,
    ::testing::Values(
        SettleCase{"banker win of 25", kTable, BetSide::kBanker, 25, 97500, 'B', BetOutcome::kWin, "1023.75", "48.75"},
        SettleCase{"player win", kTable, BetSide::kPlayer, 10, 99000, 'P', BetOutcome::kWin, "1010.00", "20.00"},
        SettleCase{"loss", kTable, BetSide::kPlayer, 10, 99000, 'B', BetOutcome::kLoss, "990.00", "0"},
        SettleCase{"tie returns the stake", kTable, BetSide::kBanker, 100, 90000, 'T', BetOutcome::kTie, "1000.00", "100.00"},
        // Exact cents near one million: a balance ending in .95 stays .95.
        SettleCase{"tie near a million", kTable, BetSide::kPlayer, 100, 99989995, 'T', BetOutcome::kTie, "999999.95", "100.00"},
        SettleCase{"banker win near a million", kTable, BetSide::kBanker, 10, 99979995, 'B', BetOutcome::kWin, "999819.45", "19.50"},
        SettleCase{"run: player win plain", kQuiet, BetSide::kPlayer, 10, 99000, 'P', BetOutcome::kWin, "1010", "20"},
        SettleCase{"run: banker win two decimals", kQuiet, BetSide::kBanker, 10, 99000, 'B', BetOutcome::kWin, "1009.50", "19.50"},
        SettleCase{"run: tie plain", kQuiet, BetSide::kBanker, 10, 99050, 'T', BetOutcome::kTie, "1000.50", "10"}));

TEST(SettleTest, AutomaticRunsKeepTheirStakes) {
  BetState s = WithBalance(99000);
  s.player_stake = s.table_stake = 10;
  Settle(s, 'P', true);
  EXPECT_EQ(s.player_stake, 10);
}

TEST(DecomposeChipsTest, GreedyFromTheLargest) {
  EXPECT_EQ(DecomposeChips(5330), (std::array<int64_t, 8>{1, 0, 0, 1, 0, 3, 1, 0}));
  EXPECT_EQ(DecomposeChips(0), (std::array<int64_t, 8>{}));
  EXPECT_EQ(DecomposeChips(4999), (std::array<int64_t, 8>{0, 4, 1, 1, 2, 1, 4, 4}));
}

TEST(PayoutTest, GrossReturns) {
  EXPECT_EQ(Payout(BetSide::kBanker, 10000, 'B'), 1950000);
  EXPECT_EQ(Payout(BetSide::kPlayer, 7, 'P'), 1400);
  EXPECT_EQ(Payout(BetSide::kPlayer, 7, 'B'), 0);
  EXPECT_EQ(Payout(BetSide::kBanker, 7, 'T'), 700);
}

}  // namespace
}  // namespace vessaro
