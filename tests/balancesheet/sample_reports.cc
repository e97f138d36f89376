#include "balancesheet/sample_reports.h"

#include "balancesheet/aggregates.h"
#include "balancesheet/calendar.h"
#include "balancesheet/search_index.h"
#include "balancesheet/sheet_folders.h"
#include "common/format.h"
#include "common/text.h"

namespace vessaro::testing {

using F = ReportField;

DailyReport MakeReport(const ReportFields& fields) {
  DailyReport r;
  r[F::kStartDate] = fields.date;
  r[F::kStartTime] = fields.start_time;
  r[F::kEndDate] = fields.date;
  r[F::kEndTime] = "23:59";
  r[F::kPlayTime] = fields.play_time;
  r[F::kPlace] = fields.place;
  r[F::kGame] = fields.game;
  r[F::kStartBalance] = std::to_string(fields.start_balance);
  r[F::kDeposit] = "0";
  r[F::kEndBalance] = std::to_string(fields.end_balance);
  const long long profit = ComputeProfit(r[F::kStartBalance], r[F::kDeposit], r[F::kEndBalance]);
  r[F::kProfit] = std::to_string(profit);
  r[F::kWithdrawal] = "0";
  r[F::kHourlyRate] = std::to_string(ComputeHourlyRate(profit, fields.play_time));
  r[F::kBets] = "20";
  r[F::kWins] = "11";
  r[F::kLosses] = "8";
  r[F::kTies] = "1";
  r[F::kTotalBet] = std::to_string(fields.total_bet);
  r[F::kHighestBet] = "100";
  r[F::kAverageBet] = ComputeAverageBet(r[F::kTotalBet], r[F::kBets]);
  r[F::kPayout] = ComputePayout(r[F::kTotalBet], r[F::kProfit]).text;
  r[F::kWinStreak] = "4";
  r[F::kLoseStreak] = "3";
  r[F::kBalanceDetail] = fields.detail;
  r[F::kBonusPlay] = fields.bonus ? "True" : "False";
  r[F::kBonusName] = fields.bonus_name;
  r[F::kRemarks] = fields.remarks;
  return r;
}

std::string SaveSampleReport(const fs::path& program_folder, const ReportFields& fields) {
  SheetFolders folders(program_folder);
  EnsureBalanceSheetFolders(folders);
  const std::string name = NextReportName(folders.day, fields.date);
  const DailyReport report = MakeReport(fields);
  WriteTextFile(folders.day / ReportFileName(name), SerializeReport(report));
  AppendAggregates(folders, report[F::kPlace], report[F::kGame], report[F::kProfit], name);
  UpdateIndex(folders.index, report);
  return name;
}

void SaveSampleReports(const fs::path& program_folder, int first_year, int count) {
  SheetFolders folders(program_folder);
  EnsureBalanceSheetFolders(folders);
  static const char* kPlaces[] = {"カジノA", "カジノB", "ミラージュ", "Sky"};
  static const char* kGames[] = {"バカラ", "ブラックジャック", "ルーレット"};
  static const long long kProfits[] = {500, -300, 1200, -800, 0, 250, -50, 900, -1500, 400};
  CivilDate day{first_year, 1, 1};
  IndexBuilder index;
  for (int i = 0, d = 0; i < count; ++d) {
    for (int k = 0; k < 2 + d % 3 && i < count; ++k, ++i) {
      ReportFields fields;
      fields.date = SlashDate(day);
      fields.start_time = Format("%d:%02d", 10 + k * 3, (i * 7) % 60);
      fields.play_time = Format("%02d:%02d", 1 + i % 4, (i * 13) % 60);
      fields.place = kPlaces[i % 4];
      fields.game = kGames[i % 3];
      fields.start_balance = 1000 + (i % 5) * 100;
      fields.end_balance = fields.start_balance + kProfits[i % 10];
      fields.total_bet = 2000 + (i % 7) * 150;
      fields.remarks = i % 3 == 0 ? Format("メモ%d<BR>二行目", i) : "";
      const std::string name = CompactDate(day) + Format("%02d", k + 1) + kReportWord;
      if (i % 5 == 0) {
        const fs::path detail = folders.day / DetailFileName(name);
        std::string text;
        long long balance = fields.start_balance;
        for (int p = 0; p < 30; ++p) {
          balance += ((p * 37 + i) % 11 - 5) * 20;
          if (balance < 0) balance = 0;
          text += std::to_string(balance) + "\r\n";
        }
        WriteTextFile(detail, text);
        fields.detail = std::string(kDetailMarker) + detail.string();
      }
      const DailyReport report = MakeReport(fields);
      WriteTextFile(folders.day / ReportFileName(name), SerializeReport(report));
      AppendAggregates(folders, report[F::kPlace], report[F::kGame], report[F::kProfit], name);
      index.Add(report);
    }
    day = AddDays(day, 1);
  }
  index.WriteTo(folders.index);
}

}  // namespace vessaro::testing
