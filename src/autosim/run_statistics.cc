#include "autosim/run_statistics.h"

#include "common/format.h"
#include "common/rounding.h"

namespace vessaro {
namespace {

bool HasPayout(const RunStatistics& s) { return s.total_in > 0 && s.total_out > 0; }

std::string ZeroPayoutLine(std::string_view statistics_line) {
  return Format("【%s ペイアウト：0%% 】", std::string(statistics_line).c_str());
}

// a / b with two decimals, halves away from zero (b > 0).
std::string Ratio2(__int128 a, __int128 b) {
  if (b == 0) return "0.00";
  bool negative = (a < 0) != (b < 0);
  if (a < 0) a = -a;
  if (b < 0) b = -b;
  __int128 hundredths = (a * 200 + b) / (2 * b);
  long long whole = static_cast<long long>(hundredths / 100);
  long long frac = static_cast<long long>(hundredths % 100);
  return Format("%s%lld.%02lld", negative && hundredths != 0 ? "-" : "", whole, frac);
}

}  // namespace

std::string PercentText(__int128 num, __int128 den) { return Ratio2(num * 100, den); }

void UpdateFlatResult(FlatComparison& flat, char winner, BetOutcome outcome, int64_t first_stake) {
  switch (outcome) {
    case BetOutcome::kLoss:
      flat.balance -= UnitsToCents(first_stake);
      flat.payout = 0;
      if (flat.keep_text) flat.payout_text.assign(1, '0');  // (a plain literal trips a false GCC 12 warning)
      break;
    case BetOutcome::kTie:
      flat.payout = UnitsToCents(first_stake);
      if (flat.keep_text) flat.payout_text = IntText(first_stake);
      break;
    case BetOutcome::kWin:
      if (winner == 'B') {
        flat.balance += first_stake * 95;
        flat.payout = first_stake * 195;
        if (flat.keep_text) flat.payout_text = FormatCents(flat.payout);
      } else {
        flat.balance += UnitsToCents(first_stake);
        flat.payout = 2 * UnitsToCents(first_stake);
        if (flat.keep_text) flat.payout_text = IntText(2 * first_stake);
      }
      break;
  }
}

std::string GraphPointLine(Cents balance, Cents flat_balance) {
  std::string line;
  AppendInt(line, RoundHalfEvenRatio(balance, 100));
  line.push_back(',');
  AppendInt(line, RoundHalfEvenRatio(flat_balance, 100));
  return line;
}

std::string GraphHeaderLine(Cents start_balance, int64_t requested_rounds, std::string_view system,
                            std::string_view pattern) {
  return Format("%lld,%lld,%s,%s", static_cast<long long>(TruncateToUnits(start_balance)),
                static_cast<long long>(requested_rounds), std::string(system).c_str(),
                std::string(pattern).c_str());
}

void RunStatistics::AddRound(int64_t stake, Cents payout, Cents flat_payout, BetOutcome outcome) {
  total_in += stake;
  total_out += payout;
  flat_out += flat_payout;
  switch (outcome) {
    case BetOutcome::kWin:
      ++wins;
      ++win_streak;
      loss_streak = 0;
      if (win_streak > longest_win_streak) longest_win_streak = win_streak;
      break;
    case BetOutcome::kLoss:
      ++losses;
      ++loss_streak;
      win_streak = 0;
      if (loss_streak > longest_loss_streak) longest_loss_streak = loss_streak;
      break;
    case BetOutcome::kTie:
      ++ties;
      if (loss_streak > longest_loss_streak) longest_loss_streak = loss_streak;
      break;
  }
}

std::string AutoLogHeader(const DateTime& start, std::string_view mode_name, int64_t requested_rounds) {
  return Format("----------【%s】%s 試行回数:%lld ----------", FormatDisplayMinute(start).c_str(),
                std::string(mode_name).c_str(), static_cast<long long>(requested_rounds));
}

std::string AutoLogRoundLine(RunKind kind, const RoundLineFields& f) {
  // "ラウンド:%d ベット額:%s 獲得賞金:%s 【残高:%s】 PLAYER:%d(%s) BANKER:%d(%s)", with full-width
  // colons for runs without display; built by hand because it is written once per round.
  const std::string_view colon = kind == RunKind::kGui ? ":" : "：";
  std::string line;
  line.reserve(160);
  line.append("ラウンド").append(colon);
  AppendInt(line, f.round);
  line.append(" ベット額").append(colon).append(f.stake);
  line.append(" 獲得賞金").append(colon).append(f.payout);
  line.append(" 【残高").append(colon).append(f.balance).append("】 PLAYER").append(colon);
  AppendInt(line, f.player_total);
  line.append("(").append(f.player_cards).append(") BANKER").append(colon);
  AppendInt(line, f.banker_total);
  line.append("(").append(f.banker_cards).append(")");
  return line;
}

std::string AutoLogStatisticsLine(const RunStatistics& s, std::string_view statistics_line) {
  std::string line(statistics_line);
  if (HasPayout(s))
    line += Format("【ペイアウト: %s %% 】", PercentText(s.total_out, UnitsToCents(s.total_in)).c_str());
  return line;
}

std::string AutoLogClosingLine(int64_t rounds_played, std::string_view end_label) {
  return Format("---------------試行回数%lld　%s---------------", static_cast<long long>(rounds_played),
                std::string(end_label).c_str());
}

std::string SummaryLine1(const RunStatistics& s, int64_t n, std::string_view statistics_line) {
  if (!HasPayout(s)) return ZeroPayoutLine(statistics_line);
  const __int128 flat_divisor = static_cast<__int128>(n) * s.first_stake * 100;  // in cents
  return Format("試行回数：%lld %s 合計IN：%s 合計OUT：%s ペイアウト：%s%%(フラット:%s%%) 平均ベット：%s",
                static_cast<long long>(n), std::string(statistics_line).c_str(),
                FormatCents(UnitsToCents(s.total_in)).c_str(), FormatCents(s.total_out).c_str(),
                PercentText(s.total_out, UnitsToCents(s.total_in)).c_str(),
                PercentText(s.flat_out, flat_divisor).c_str(), Ratio2(s.total_in, n).c_str());
}

std::string SummaryLine2(const RunStatistics& s, int64_t n, std::string_view statistics_line) {
  if (!HasPayout(s)) return ZeroPayoutLine(statistics_line);
  const __int128 drawdown = s.starting_balance - s.lowest_balance;
  return Format(
      "最大ベット：%s 最大損失時残高：%s 最大ドローダウン：%s%% 最大連勝数：%lld 最大連敗数：%lld "
      "勝ち：%lld回(%s%%) 負け：%lld回(%s%%) 引分：%lld回(%s%%)",
      FormatCents(UnitsToCents(s.largest_stake)).c_str(), FormatCents(s.lowest_balance).c_str(),
      PercentText(drawdown, s.starting_balance).c_str(), static_cast<long long>(s.longest_win_streak),
      static_cast<long long>(s.longest_loss_streak), static_cast<long long>(s.wins),
      PercentText(s.wins, n).c_str(), static_cast<long long>(s.losses), PercentText(s.losses, n).c_str(),
      static_cast<long long>(s.ties), PercentText(s.ties, n).c_str());
}

}  // namespace vessaro
