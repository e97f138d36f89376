// Reports for tests, benchmarks and screenshots, written as the entry page's save writes them.
#pragma once

#include <string>
#include <string_view>

#include "balancesheet/daily_report.h"

namespace vessaro::testing {

struct ReportFields {
  std::string date = "2024/01/05";  // start date
  std::string start_time = "20:00";
  std::string play_time = "02:30";
  std::string place = "A";
  std::string game = "バカラ";
  long long start_balance = 1000;
  long long end_balance = 1500;
  long long total_bet = 1000;
  std::string remarks;
  std::string detail;  // field 24
  bool bonus = false;
  std::string bonus_name;
};

// A complete record: profit, hourly rate, average bet and payout computed as the page does.
DailyReport MakeReport(const ReportFields& fields);

// Writes the report file into the day folder under the next free number of its date and, like a
// save, appends its aggregate lines and updates the index. Returns the report name.
std::string SaveSampleReport(const fs::path& program_folder, const ReportFields& fields);

// count reports from 1 January of first_year on, 2 to 4 a day (1,000 reports fill 333 days),
// places and games from small lists, profits from a fixed sequence; every fifth report has a
// balance-detail file of 30 balances. Aggregates and index as saves would leave them.
void SaveSampleReports(const fs::path& program_folder, int first_year, int count);

}  // namespace vessaro::testing
