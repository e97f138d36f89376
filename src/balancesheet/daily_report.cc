#include "balancesheet/daily_report.h"

#include "balancesheet/calendar.h"
#include "common/format.h"
#include "common/money.h"
#include "common/rounding.h"
#include "common/text.h"

namespace vessaro {

const std::array<const char*, kReportFieldCount> kReportKeys = {
    "開始日付年月日", "開始時刻",   "終了日付年月日", "終了時刻",       "プレー時間",
    "プレー場所",     "プレーゲーム", "開始残高",       "追加入金",       "終了残高",
    "収支",           "出金",       "時給",           "ベット数",       "勝敗詳細勝",
    "勝敗詳細負",     "勝敗詳細分", "トータルベット", "最高ベット",     "平均ベット",
    "ペイアウト",     "最大連勝数", "最大連敗数",     "残高詳細情報",   "ボーナスプレー中",
    "ボーナス種別",   "必要額",     "現在までの賭け額", "達成率",         "残ベット数",
    "備考",
};

namespace {

int KeyIndex(std::string_view key) {
  for (int i = 0; i < kReportFieldCount; ++i)
    if (key == kReportKeys[i]) return i;
  return -1;
}

// A decimal as the computations read it, in hundredths; unreadable counts as 1.
Cents DecimalOrOne(std::string_view text) {
  auto value = ParseMoney(Trim(text));
  return value ? *value : UnitsToCents(1);
}

}  // namespace

std::string DailyReport::ValueOfKey(std::string_view key) const {
  const int i = KeyIndex(key);
  return i < 0 ? std::string() : values[i];
}

DailyReport ParseReport(std::string_view text) {
  DailyReport report;
  std::array<bool, kReportFieldCount> seen{};
  for (const std::string& line : SplitLines(text)) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const int i = KeyIndex(std::string_view(line).substr(0, eq));
    if (i < 0 || seen[i]) continue;
    seen[i] = true;
    report.values[i] = line.substr(eq + 1);
  }
  return report;
}

std::string SerializeReport(const DailyReport& report) {
  std::string out;
  for (int i = 0; i < kReportFieldCount; ++i) {
    out += kReportKeys[i];
    out += '=';
    out += report.values[i];
    out += "\r\n";
  }
  return out;
}

DailyReport ReadReportFile(const fs::path& path) { return ParseReport(ReadTextFile(path)); }

std::string ReportFileName(std::string_view report_name) {
  return std::string(report_name) + kReportSuffix;
}

std::string DetailFileName(std::string_view report_name) {
  return RemoveAll(report_name, kReportWord) + kDetailSuffix;
}

std::optional<std::string> ReportNameOfFile(std::string_view file_name) {
  const std::string tail = std::string(kReportWord) + kReportSuffix;
  if (!EndsWith(file_name, tail) || StartsWith(file_name, ".")) return std::nullopt;
  return std::string(file_name.substr(0, file_name.size() - std::string_view(kReportSuffix).size()));
}

std::string NextReportName(const fs::path& day_folder, std::string_view start_date) {
  const std::string date = RemoveAll(start_date, "/");
  for (int n = 1;; ++n) {
    const std::string candidate = date + Format("%2.2d", n);
    if (!FileExists(day_folder / ReportFileName(candidate + kReportWord)))
      return candidate + kReportWord;
  }
}

bool DigitsInRange(std::string_view text, long long low, long long high) {
  if (!IsDigits(text)) return false;
  while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
  long long value = 0;
  return ParseInt64(text, value) && value >= low && value <= high;
}

long long ComputeProfit(std::string_view start_balance, std::string_view deposit,
                        std::string_view end_balance) {
  auto whole = [](std::string_view t) { return ToIntDef(Trim(t), 0); };
  return whole(end_balance) - whole(start_balance) - whole(deposit);
}

long long ComputeHourlyRate(long long profit, std::string_view play_time) {
  const std::string time = Trim(play_time);
  if (time.empty() || profit <= 0) return 0;
  const size_t colon = time.find(':');
  const long long hours = ToIntDef(time.substr(0, colon), 0);
  long long minutes = 0;
  if (colon != std::string::npos && colon + 1 < time.size())
    minutes = ToIntDef(time.substr(colon + 1), 1);
  // H + M × 0.01667, cut to two decimals as "%.2f" does: hundredths of an hour.
  const long long hundredths = RoundHalfUpRatio(hours * 100000 + minutes * 1667, 1000);
  if (hundredths == 0) return 0;
  return TruncateRatio(profit * 100 * (hundredths < 0 ? -1 : 1), hundredths < 0 ? -hundredths : hundredths);
}

std::optional<std::string> ComputePlayTime(std::string_view start_date, std::string_view start_time,
                                           std::string_view end_date, std::string_view end_time) {
  auto sd = ParseSlashDate(Trim(start_date));
  auto st = ParseTimeOfDay(Trim(start_time));
  auto ed = ParseSlashDate(Trim(end_date));
  auto et = ParseTimeOfDay(Trim(end_time));
  if (!sd || !st || !ed || !et) return std::nullopt;
  const long long start = DayNumber(*sd) * 1440 + *st;
  const long long end = DayNumber(*ed) * 1440 + *et;
  if (end < start) return std::string("0:00");
  const long long minutes = end - start;
  return Format("%02lld:%02lld", minutes / 60, minutes % 60);
}

std::string ComputeAverageBet(std::string_view total_bet, std::string_view bets) {
  const Cents total = DecimalOrOne(total_bet);
  const Cents count = DecimalOrOne(bets);
  if (total == 0 || count == 0) return FormatCents(total);
  return FormatCents(RoundHalfEvenRatio(total * 100, count));
}

PayoutResult ComputePayout(std::string_view total_bet, std::string_view profit) {
  const Cents total = DecimalOrOne(total_bet);
  const Cents gain = DecimalOrOne(profit);
  if (total == 0) return {PayoutResult::kUndefined, {}};
  const bool negative = total + gain != 0 && (total + gain < 0) != (total < 0);
  if (negative) return {PayoutResult::kNegative, {}};
  return {PayoutResult::kComputed, FormatCents(RoundHalfEvenRatio((total + gain) * 10000, total))};
}

std::string RemarksToFile(std::string_view shown) {
  return ReplaceAll(ReplaceAll(ReplaceAll(shown, "\r\n", "<BR>"), "\n", "<BR>"), "\r", "<BR>");
}

std::string RemarksFromFile(std::string_view stored) { return ReplaceAll(stored, "<BR>", "\n"); }

std::string DetailFileOfField(std::string_view field) {
  std::string path = Trim(field);
  if (StartsWith(path, kDetailMarker)) path.erase(0, std::string_view(kDetailMarker).size());
  return FileNamePart(path);
}

std::vector<std::string> ReadDetailLines(const fs::path& path) {
  std::vector<std::string> lines;
  for (std::string& line : ReadTextLines(path))
    if (!Trim(line).empty()) lines.push_back(std::move(line));
  return lines;
}

}  // namespace vessaro
