#include "balancesheet/daily_report.h"

#include <gtest/gtest.h>

#include "balancesheet/calendar.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::TempFolder;

struct RateCase {
  const char* start;
  const char* deposit;
  const char* end;
  const char* play_time;
  long long profit;
  long long rate;
};

class ProfitAndRateTest : public ::testing::TestWithParam<RateCase> {};

TEST_P(ProfitAndRateTest, ComputesExactly) {
  const RateCase& c = GetParam();
  const long long profit = ComputeProfit(c.start, c.deposit, c.end);
  EXPECT_EQ(profit, c.profit);
  EXPECT_EQ(ComputeHourlyRate(profit, c.play_time), c.rate);
}

INSTANTIATE_TEST_SUITE_P(
    DailyReport, ProfitAndRateTest,
    ::testing::Values(
        // A loss never has an hourly rate, whatever the play time.
        RateCase{"800", "300", "900", "02:30", -200, 0}, RateCase{"800", "300", "900", "", -200, 0},
        // 2:30 is 2.50 hours.
        RateCase{"1000", "0", "1500", "2:30", 500, 200}, RateCase{"1000", "0", "1500", "02:30", 500, 200},
        RateCase{"1000", "0", "1500", "0:00", 500, 0}, RateCase{"1000", "0", "1500", "", 500, 0},
        // 1:20 is 1 + 20 × 0.01667 = 1.3334, cut to 1.33 hours: 1000 / 1.33 = 751.8.
        RateCase{"0", "0", "1000", "1:20", 1000, 751},
        // Whole hours beyond a day count: 25 hours.
        RateCase{"0", "0", "5000", "25:00", 5000, 200},
        // Unreadable parts: the hours count 0, the minutes 1; a missing minute part 0.
        RateCase{"0", "0", "100", "x:30", 100, 200}, RateCase{"0", "0", "100", "1:xx", 100, 98},
        RateCase{"0", "0", "100", "2", 100, 50}, RateCase{"abc", "", "700", "1:00", 700, 700}));

TEST(DailyReportTest, PlayTimeAcrossMidnightAndBeyondADay) {
  EXPECT_EQ(ComputePlayTime("2024/01/05", "23:00", "2024/01/06", "1:30"), "02:30");
  EXPECT_EQ(ComputePlayTime("2024/01/05", "9:05", "2024/01/05", "9:05"), "00:00");
  EXPECT_EQ(ComputePlayTime("2024/01/05", "10:00", "2024/01/05", "9:59"), "0:00");
  EXPECT_EQ(ComputePlayTime("2024/01/05", "10:00", "2024/01/06", "11:00"), "25:00");
  EXPECT_EQ(ComputePlayTime("2024/02/28", "0:00", "2024/03/01", "0:00"), "48:00");
  EXPECT_EQ(ComputePlayTime("2024/01/05", "", "2024/01/05", "1:00"), std::nullopt);
  EXPECT_EQ(ComputePlayTime("2024/13/05", "1:00", "2024/01/05", "1:00"), std::nullopt);
}

TEST(DailyReportTest, AverageBetAndPayout) {
  EXPECT_EQ(ComputeAverageBet("300", "0"), "300.00");
  EXPECT_EQ(ComputeAverageBet("300", ""), "300.00");  // unreadable counts 1
  EXPECT_EQ(ComputeAverageBet("1000", "3"), "333.33");
  EXPECT_EQ(ComputeAverageBet("2000", "3"), "666.67");
  EXPECT_EQ(ComputeAverageBet("1", "8"), "0.12");  // an exact half goes to the even cent
  EXPECT_EQ(ComputePayout("1000", "500").text, "150.00");
  EXPECT_EQ(ComputePayout("3", "-2").text, "33.33");
  EXPECT_EQ(ComputePayout("100", "-100").kind, PayoutResult::kComputed);
  EXPECT_EQ(ComputePayout("100", "-100").text, "0.00");
  EXPECT_EQ(ComputePayout("100", "-120").kind, PayoutResult::kNegative);
  EXPECT_EQ(ComputePayout("0", "50").kind, PayoutResult::kUndefined);
}

TEST(DailyReportTest, DigitsInRangeTakesOnlyHalfWidthDigits) {
  EXPECT_TRUE(DigitsInRange("0", 0, 100));
  EXPECT_TRUE(DigitsInRange("0000000000000000000000100", 0, 100));
  EXPECT_FALSE(DigitsInRange("101", 0, 100));
  EXPECT_FALSE(DigitsInRange("99999999999999999999999", 0, 100));
  for (const char* bad : {"", "-1", "+1", "1.0", "１", " 1", "1e2"}) EXPECT_FALSE(DigitsInRange(bad, 0, 100)) << bad;
}

TEST(DailyReportTest, FileRoundTripAndDamagedText) {
  DailyReport r;
  for (int i = 0; i < kReportFieldCount; ++i) r.values[i] = "v" + std::to_string(i);
  r[ReportField::kRemarks] = RemarksToFile("一行目\n二行目=x");
  const std::string text = SerializeReport(r);
  EXPECT_EQ(text.substr(0, text.find("\r\n")), "開始日付年月日=v0");
  EXPECT_NE(text.find("\r\n備考=一行目<BR>二行目=x\r\n"), std::string::npos);
  EXPECT_EQ(ParseReport(text).values, r.values);
  EXPECT_EQ(RemarksFromFile(ParseReport(text)[ReportField::kRemarks]), "一行目\n二行目=x");

  // Missing keys read empty, the first of a repeated key wins, lines without "=" are ignored.
  DailyReport partial = ParseReport("収支=-5\r\nゴミ\r\n収支=7\r\n未知=1\r\n\x82\xA0\xFF=2\r\n");
  EXPECT_EQ(partial[ReportField::kProfit], "-5");
  EXPECT_EQ(partial[ReportField::kPlace], "");
  EXPECT_EQ(partial.ValueOfKey("収支"), "-5");
  EXPECT_EQ(partial.ValueOfKey("nonsense"), "");
}

TEST(DailyReportTest, NextReportNameTakesTheFirstFreeNumber) {
  TempFolder home;
  const fs::path day = home.path();
  EXPECT_EQ(NextReportName(day, "2024/01/05"), "2024010501収支日報");
  WriteWholeFile(day / "2024010501収支日報_day.txt", "");
  WriteWholeFile(day / "2024010502収支日報_day.txt", "");
  EXPECT_EQ(NextReportName(day, "2024/01/05"), "2024010503収支日報");
  fs::remove(day / "2024010502収支日報_day.txt");
  EXPECT_EQ(NextReportName(day, "2024/01/05"), "2024010502収支日報");
  EXPECT_EQ(DetailFileName("2024010502収支日報"), "2024010502_detailed.txt");
  EXPECT_EQ(ReportNameOfFile("2024010502収支日報_day.txt"), "2024010502収支日報");
  EXPECT_EQ(ReportNameOfFile("2024010502_detailed.txt"), std::nullopt);
  EXPECT_EQ(DetailFileOfField("【有】C:\\vessaro\\balancesheet\\03_day\\202401051230_detailed.txt"),
            "202401051230_detailed.txt");
  EXPECT_EQ(DetailFileOfField(""), "");
}

TEST(CalendarTest, WeekdaysAndDayArithmetic) {
  EXPECT_EQ(Weekday({2024, 1, 7}), 1);   // Sunday
  EXPECT_EQ(Weekday({2024, 1, 10}), 4);  // Wednesday
  EXPECT_EQ(Weekday({2024, 1, 13}), 7);  // Saturday
  EXPECT_EQ(AddDays({2023, 12, 31}, 1), (CivilDate{2024, 1, 1}));
  EXPECT_EQ(AddDays({2024, 3, 1}, -1), (CivilDate{2024, 2, 29}));
  EXPECT_FALSE(ParseCompactDate("20230229"));
  EXPECT_TRUE(ParseCompactDate("20240229"));
  EXPECT_FALSE(ParseSlashDate("2024/1"));
  EXPECT_EQ(ParseTimeOfDay("9:05"), 545);
  EXPECT_EQ(ParseTimeOfDay("24:00"), std::nullopt);
}

}  // namespace
}  // namespace vessaro
