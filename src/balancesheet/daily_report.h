// The daily report "収支日報": its 31 fields in their file order, the report and balance-detail
// files of the day folder, and the computations of the entry page (profit, hourly rate, play time,
// average bet, payout, the next free report name). Money is read and computed exactly.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/files.h"

namespace vessaro {

enum class ReportField {
  kStartDate,
  kStartTime,
  kEndDate,
  kEndTime,
  kPlayTime,
  kPlace,
  kGame,
  kStartBalance,
  kDeposit,
  kEndBalance,
  kProfit,
  kWithdrawal,
  kHourlyRate,
  kBets,
  kWins,
  kLosses,
  kTies,
  kTotalBet,
  kHighestBet,
  kAverageBet,
  kPayout,
  kWinStreak,
  kLoseStreak,
  kBalanceDetail,
  kBonusPlay,
  kBonusName,
  kBonusRequired,
  kBonusWagered,
  kBonusRate,
  kBonusLeft,
  kRemarks,
};
inline constexpr int kReportFieldCount = 31;

inline int Index(ReportField f) { return static_cast<int>(f); }

// The key of each field as the report file writes it, in file order.
extern const std::array<const char*, kReportFieldCount> kReportKeys;

// One report: the values as stored (remarks with "<BR>" for line breaks).
struct DailyReport {
  std::array<std::string, kReportFieldCount> values;

  const std::string& operator[](ReportField f) const { return values[Index(f)]; }
  std::string& operator[](ReportField f) { return values[Index(f)]; }
  // The value of a key given by its text (the keys of the search conditions); empty when the
  // text is not a report key.
  std::string ValueOfKey(std::string_view key) const;
};

// Each line's key is the text before its first "=", its value everything after; the first line
// of a key wins, a missing key reads empty, lines without "=" are ignored.
DailyReport ParseReport(std::string_view text);
// The 31 "key=value" lines, each ended by CR LF.
std::string SerializeReport(const DailyReport& report);
// Reads a report file through the code page; an empty report when the file is missing.
DailyReport ReadReportFile(const fs::path& path);

// Names: "2024010503収支日報" is report 03 of 5 January 2024.
inline constexpr const char* kReportWord = "収支日報";
inline constexpr const char* kReportSuffix = "_day.txt";
inline constexpr const char* kDetailSuffix = "_detailed.txt";
// Field 24 is this marker followed by the path of the balance-detail file.
inline constexpr const char* kDetailMarker = "【有】";
// <name>_day.txt
std::string ReportFileName(std::string_view report_name);
// The report name without "収支日報" + "_detailed.txt".
std::string DetailFileName(std::string_view report_name);
// A report file name ("…収支日報_day.txt") back to its report name; nullopt for other files.
std::optional<std::string> ReportNameOfFile(std::string_view file_name);

// The first candidate yyyymmdd + "%2.2d"(n) whose report file is not in the day folder, + "収支日報".
// start_date is "yyyy/mm/dd" as the picker writes it.
std::string NextReportName(const fs::path& day_folder, std::string_view start_date);

// Half-width digits only whose value lies in [low, high] (leading zeros allowed).
bool DigitsInRange(std::string_view text, long long low, long long high);

// profit = end - start - deposit, each read as a whole number (unreadable 0).
long long ComputeProfit(std::string_view start_balance, std::string_view deposit,
                        std::string_view end_balance);
// profit / hours truncated toward zero, where hours = H + M × 0.01667 cut to two decimals; 0 when
// there is no play time, the profit is not positive or the hours are 0.
long long ComputeHourlyRate(long long profit, std::string_view play_time);

// "hh:nn" from the four date and time fields; whole hours beyond a day count (25 hours is
// "25:00"). "0:00" when the end lies before the start; nullopt when a field is empty or unreadable.
std::optional<std::string> ComputePlayTime(std::string_view start_date, std::string_view start_time,
                                           std::string_view end_date, std::string_view end_time);

// "%.2f" of total ÷ bets when both are non-zero, else of the total; unreadable values count 1.
std::string ComputeAverageBet(std::string_view total_bet, std::string_view bets);
// "%.2f" of (total + profit) ÷ total × 100. Unreadable values count 1; a total of 0 gives no payout.
struct PayoutResult {
  enum Kind { kComputed, kNegative, kUndefined } kind;
  std::string text;
};
PayoutResult ComputePayout(std::string_view total_bet, std::string_view profit);

// Remarks between the page (line breaks) and the file ("<BR>").
std::string RemarksToFile(std::string_view shown);
std::string RemarksFromFile(std::string_view stored);

// The file-name part of field 24 ("【有】" + path), empty when the field names no file.
std::string DetailFileOfField(std::string_view field);

// A balance-detail file: one whole number per line (blank lines skipped).
std::vector<std::string> ReadDetailLines(const fs::path& path);

}  // namespace vessaro
