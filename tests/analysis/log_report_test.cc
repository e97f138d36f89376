// The log report's lines, the payout and the reading of header amounts.
#include "analysis/log_report.h"

#include <gtest/gtest.h>

#include "analysis/log_samples.h"

namespace vessaro {
namespace {

std::vector<std::string> Report(std::string_view text) { return MakeLogReport(LogLines(std::string(text))); }

TEST(LogReportTest, EveryListLineOfASmallLog) {
  // P (lost), B (won), T (push), B (won) for a bettor on Banker.
  const std::vector<std::string> expected = {
      "【基本情報】",
      "ゲーム開始時残高:$1000.00    ゲーム終了時残高:$1009.00",
      "テーブルベット:$40.00    ベット数:4",
      "結果:$9.00",
      "",
      "【ペイアウト: 122.50 % 】",
      "",
      "【ゲーム履歴】",
      "PBTB",
      "",
      "PLAYER:1【25%】 BANKER:2【50%】 TIE:1【25%】",
      "",
      "【ゲーム勝敗】",
      "WIN:2【50%】 LOSE:1【25%】 TIE:1【25%】",
      "",
      "【最大連勝数:2回　最大連敗数：1回】",
  };
  EXPECT_EQ(Report(testing::MakeInterCasinoLog("PBTB")), expected);
}

TEST(LogReportTest, PushLeavesBothStreaksAlone) {
  // Banker wins around a tie whose stake came back: 20 paid, final result 0.
  std::vector<std::string> lines = Report(testing::MakeInterCasinoLog("PBTBPP"));
  EXPECT_EQ(lines.back(), "【最大連勝数:2回　最大連敗数：2回】");
  EXPECT_EQ(lines[lines.size() - 3], "WIN:2【33%】 LOSE:3【50%】 TIE:1【17%】");
}

TEST(LogReportTest, HistoryFiftyLettersALine) {
  std::string winners(120, 'B');
  std::vector<std::string> lines = Report(testing::MakeInterCasinoLog(winners));
  auto history = std::find(lines.begin(), lines.end(), "【ゲーム履歴】");
  ASSERT_NE(history, lines.end());
  EXPECT_EQ(history[1], std::string(50, 'B'));
  EXPECT_EQ(history[2], std::string(50, 'B'));
  EXPECT_EQ(history[3], std::string(20, 'B'));
  EXPECT_EQ(history[4], "");
  EXPECT_EQ(history[5], "PLAYER:0【0%】 BANKER:120【100%】 TIE:0【0%】");
}

TEST(LogReportTest, PayoutFromTheHeader) {
  struct Case {
    const char* bet_line;
    const char* result_line;
    const char* payout;  // nullptr: no payout line
  } cases[] = {
      {"テーブルベット:$1,000.00    ベット数:10", "結果:-$25.00", "97.50"},
      {"テーブルベット:$200.00    ベット数:10", "結果:$1,234.56", "717.28"},
      {"テーブルベット:$0.00    ベット数:0", "結果:$0.00", "0.00"},  // no stake: shown as 0
      {"テーブルベット:$0.00    ベット数:0", "結果:-$5.00", "0.00"},
      {"テーブルベット:$abc    ベット数:1", "結果:$5.00", "0.00"},
      {"テーブルベット:$    ベット数:1", "結果:$5.00", "0.00"},
      {"テーブルベット:$100.00    ベット数:1", "結果:-$-5", "0.00"},   // unreadable result
      {"テーブルベット:$100.00    ベット数:1", "結果:$abc", "0.00"},
      {"テーブルベット:$100.00    ベット数:1", "ベット数:1", "0.00"},   // no result line
      {"テーブル:$100.00", "結果:$5.00", nullptr},
  };
  for (const Case& c : cases) {
    std::string text = "ゲーム:Baccarat\r\n" + std::string(c.bet_line) + "\r\n" + c.result_line + "\r\n\r\n";
    std::vector<std::string> lines = Report(text);
    const std::string want = c.payout ? "【ペイアウト: " + std::string(c.payout) + " % 】" : "";
    EXPECT_EQ(lines[4], c.payout ? want : "【ゲーム履歴】") << c.bet_line << " " << c.result_line;
  }
}

TEST(LogReportTest, HeaderAmounts) {
  EXPECT_EQ(ReadHeaderAmount("テーブルベット:$1,234.50    ベット数:10"), 123450);
  EXPECT_EQ(ReadHeaderAmount("結果:-$5.00"), -500);
  EXPECT_EQ(ReadHeaderAmount("結果:$abc"), std::nullopt);
  EXPECT_EQ(ReadHeaderAmount("結果:$"), std::nullopt);
  EXPECT_EQ(ReadHeaderAmount("結果:-$-5"), std::nullopt);
  EXPECT_EQ(ReadHeaderAmount("結果:"), std::nullopt);
  EXPECT_EQ(ReadHeaderAmount("結果:ー5"), 500);  // a damaged multibyte sign is skipped whole
  EXPECT_EQ(ReportPayoutText(0, 500), "0.00");
}

TEST(LogReportTest, MissingRoundLinesNeverReadBeyondTheLog) {
  // Winner lines without their paid and final lines, the last one at the very end.
  std::vector<std::string> lines =
      Report("ゲーム:Baccarat\r\n\r\nバンカーの勝ち\r\nプレーヤーの勝ち\r\n支払済み: $0.00\r\nバンカーの勝ち");
  EXPECT_EQ(lines[3], "BPB");
  EXPECT_EQ(lines[lines.size() - 3], "WIN:2【67%】 LOSE:1【33%】 TIE:0【0%】");
}

TEST(LogReportTest, LogWithoutRoundsShowsZeroShares) {
  std::vector<std::string> lines = Report("ゲーム:Baccarat");
  EXPECT_EQ(lines, (std::vector<std::string>{"【基本情報】", "", "【ゲーム履歴】", "",
                                             "PLAYER:0【0%】 BANKER:0【0%】 TIE:0【0%】", "",
                                             "【ゲーム勝敗】", "WIN:0【0%】 LOSE:0【0%】 TIE:0【0%】", "",
                                             "【最大連勝数:0回　最大連敗数：0回】"}));
}

}  // namespace
}  // namespace vessaro
