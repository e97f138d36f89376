#include "autosim/run_statistics.h"

#include <gtest/gtest.h>

namespace vessaro {
namespace {

TEST(FlatComparisonTest, EachOutcome) {
  FlatComparison flat{100000, 0, ""};
  UpdateFlatResult(flat, 'B', BetOutcome::kWin, 10);
  EXPECT_EQ(flat.balance, 100950);
  EXPECT_EQ(flat.payout_text, "19.50");
  EXPECT_EQ(GraphPointLine(100950, flat.balance), "1010,1010");  // 1009.50 rounds to even
  UpdateFlatResult(flat, 'P', BetOutcome::kWin, 10);
  EXPECT_EQ(flat.payout_text, "20");
  EXPECT_EQ(flat.balance, 101950);
  EXPECT_EQ(GraphPointLine(0, 101050), "0,1010");  // 1010.50 also to 1010
  UpdateFlatResult(flat, 'T', BetOutcome::kTie, 10);
  EXPECT_EQ(flat.payout_text, "10");
  EXPECT_EQ(flat.balance, 101950);
  UpdateFlatResult(flat, 'P', BetOutcome::kLoss, 10);
  EXPECT_EQ(flat.payout_text, "0");
  EXPECT_EQ(flat.balance, 100950);
}

TEST(RunStatisticsTest, StreaksAcrossTies) {
  RunStatistics s;
  for (BetOutcome o : {BetOutcome::kWin, BetOutcome::kTie, BetOutcome::kWin}) s.AddRound(10, 0, 0, o);
  EXPECT_EQ(s.longest_win_streak, 2);
  RunStatistics l;
  for (BetOutcome o : {BetOutcome::kLoss, BetOutcome::kTie, BetOutcome::kTie, BetOutcome::kLoss})
    l.AddRound(10, 0, 0, o);
  EXPECT_EQ(l.loss_streak, 2);
  EXPECT_EQ(l.longest_loss_streak, 2);
  EXPECT_EQ(l.ties, 2);
}

TEST(RunStatisticsTest, TwoRoundExamplePaysNinetySevenAndAHalf) {
  RunStatistics s;
  s.first_stake = 10;
  s.largest_stake = 10;
  s.starting_balance = s.lowest_balance = 100000;
  s.AddRound(10, 1950, 1950, BetOutcome::kWin);
  s.AddRound(10, 0, 0, BetOutcome::kLoss);
  const std::string stats = "PLAYER：1(50%) BANKER：1(50%) TIE：0(0%)";
  EXPECT_EQ(SummaryLine1(s, 2, stats),
            "試行回数：2 PLAYER：1(50%) BANKER：1(50%) TIE：0(0%) 合計IN：20.00 合計OUT：19.50 "
            "ペイアウト：97.50%(フラット:97.50%) 平均ベット：10.00");
  EXPECT_EQ(SummaryLine2(s, 2, stats),
            "最大ベット：10.00 最大損失時残高：1000.00 最大ドローダウン：0.00% 最大連勝数：1 最大連敗数：1 "
            "勝ち：1回(50.00%) 負け：1回(50.00%) 引分：0回(0.00%)");
  EXPECT_EQ(AutoLogStatisticsLine(s, stats), stats + "【ペイアウト: 97.50 % 】");
}

TEST(RunStatisticsTest, FlatDivisorBeyondThirtyTwoBits) {
  // 1,000,000 rounds at a first stake of 10,000: the divisor 10^10 must not wrap.
  RunStatistics s;
  s.first_stake = 10000;
  s.total_in = 1000000LL * 10000;
  s.total_out = UnitsToCents(s.total_in);
  s.flat_out = UnitsToCents(s.total_in) / 2;
  s.starting_balance = s.lowest_balance = UnitsToCents(1000000);
  const std::string line = SummaryLine1(s, 1000000, "x");
  EXPECT_NE(line.find("ペイアウト：100.00%(フラット:50.00%)"), std::string::npos) << line;
  EXPECT_NE(line.find("合計IN：10000000000.00"), std::string::npos) << line;
}

TEST(RunStatisticsTest, NoPayoutGivesTheZeroLines) {
  RunStatistics s;
  s.AddRound(10, 0, 0, BetOutcome::kLoss);
  const std::string stats = "PLAYER：1(100%) BANKER：0(0%) TIE：0(0%)";
  EXPECT_EQ(SummaryLine1(s, 1, stats), "【" + stats + " ペイアウト：0% 】");
  EXPECT_EQ(SummaryLine2(s, 1, stats), SummaryLine1(s, 1, stats));
  EXPECT_EQ(AutoLogStatisticsLine(s, stats), stats);
}

TEST(AutoLogTest, LinesByteForByte) {
  EXPECT_EQ(AutoLogHeader(DateTime{2024, 1, 2, 3, 4, 5, 6}, "天国モード", 100),
            "----------【2024/01/02 03:04】天国モード 試行回数:100 ----------");
  RoundLineFields f{7, "10", "19.50", "1009.50", 5, "D1→S4", 8, "H8→C10"};
  EXPECT_EQ(AutoLogRoundLine(RunKind::kGui, f),
            "ラウンド:7 ベット額:10 獲得賞金:19.50 【残高:1009.50】 PLAYER:5(D1→S4) BANKER:8(H8→C10)");
  EXPECT_EQ(AutoLogRoundLine(RunKind::kProcessingOnly, f),
            "ラウンド：7 ベット額：10 獲得賞金：19.50 【残高：1009.50】 PLAYER：5(D1→S4) BANKER：8(H8→C10)");
  EXPECT_EQ(AutoLogClosingLine(50, "途中終了"), "---------------試行回数50　途中終了---------------");
  EXPECT_EQ(GraphHeaderLine(100050, 3, "sys", "pat"), "1000,3,sys,pat");
}

TEST(PercentTextTest, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(PercentText(1, 8), "12.50");
  EXPECT_EQ(PercentText(1, 3), "33.33");
  EXPECT_EQ(PercentText(2, 3), "66.67");
  EXPECT_EQ(PercentText(1, 0), "0.00");
  EXPECT_EQ(PercentText(-1, 8), "-12.50");
}

}  // namespace
}  // namespace vessaro
