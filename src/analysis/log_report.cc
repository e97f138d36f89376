#include "analysis/log_report.h"

#include "analysis/analysis_texts.h"
#include "autosim/run_statistics.h"
#include "common/format.h"
#include "common/rounding.h"
#include "common/text.h"

namespace vessaro {
namespace {

long long Share(int64_t count, int64_t total) {
  return total > 0 ? static_cast<long long>(RoundHalfUpRatio(count * 100, total)) : 0;
}

}  // namespace

std::optional<Cents> ReadHeaderAmount(std::string_view line) {
  size_t colon = line.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  std::string_view rest = line.substr(colon + 1);
  if (rest.empty()) return std::nullopt;
  // The one character after the colon is normally "$" (or the "-" of "-$"); it may be a whole
  // Japanese character in a damaged line.
  size_t skip = 1;
  while (skip < rest.size() && (static_cast<unsigned char>(rest[skip]) & 0xC0) == 0x80) ++skip;
  rest = rest.substr(skip);
  size_t blank = rest.find(' ');
  if (blank != std::string_view::npos) rest = rest.substr(0, blank);
  std::string amount = RemoveAll(rest, ",");
  if (!amount.empty() && amount[0] == '$') amount[0] = '-';
  return ParseMoney(amount);
}

std::string ReportPayoutText(Cents table_bet, Cents net) {
  if (table_bet == 0) return "0.00";
  return PercentText(static_cast<__int128>(table_bet) + net, table_bet);
}

std::vector<std::string> MakeLogReport(const LogLines& log) {
  std::vector<std::string> list;
  list.emplace_back(analysis_texts::kReportBasic);
  std::vector<std::string_view> header;
  size_t i = 1;
  for (; i < log.size() && !log[i].empty(); ++i) {
    header.push_back(log[i]);
    list.emplace_back(log[i]);
  }
  list.emplace_back();

  for (size_t h = 0; h < header.size(); ++h) {
    if (!Contains(header[h], "テーブルベット:")) continue;
    // An amount that cannot be read counts as 0, which shows the payout as 0.00.
    const Cents bet = ReadHeaderAmount(header[h]).value_or(0);
    std::string payout = "0.00";
    if (h + 1 < header.size() && Contains(header[h + 1], "結果:")) {
      if (auto net = ReadHeaderAmount(header[h + 1])) payout = ReportPayoutText(bet, *net);
    }
    list.push_back(Format(analysis_texts::kReportPayout, payout.c_str()));
    list.emplace_back();
    break;
  }

  list.emplace_back(analysis_texts::kReportHistory);
  int64_t player = 0, banker = 0, ties = 0;
  int64_t wins = 0, losses = 0, pushes = 0;
  int64_t win_streak = 0, loss_streak = 0, longest_win = 0, longest_loss = 0;
  std::string letters;
  auto line_at = [&log](size_t k) { return k < log.size() ? log[k] : std::string_view(); };
  for (size_t k = 1; k < log.size(); ++k) {
    std::string_view line = log[k];
    if (Contains(line, "プレーヤーの勝ち")) {
      letters.push_back('P');
      ++player;
    } else if (Contains(line, "バンカーの勝ち")) {
      letters.push_back('B');
      ++banker;
    } else if (Contains(line, "引き分け")) {
      letters.push_back('T');
      ++ties;
    } else {
      continue;
    }
    if (letters.size() == 50) {
      list.push_back(std::move(letters));
      letters.clear();
    }
    // The bettor's result: nothing paid back is a loss; a payment with a final result of 0 is the
    // stake returned on a tie; any other payment is a win.
    if (Contains(line_at(k + 1), "支払済み: $0.00")) {
      ++losses;
      ++loss_streak;
      win_streak = 0;
      if (loss_streak > longest_loss) longest_loss = loss_streak;
    } else if (Contains(line_at(k + 2), "最終結果: $0.00")) {
      ++pushes;
    } else {
      ++wins;
      ++win_streak;
      loss_streak = 0;
      if (win_streak > longest_win) longest_win = win_streak;
    }
  }
  if (!letters.empty()) list.push_back(std::move(letters));
  list.emplace_back();
  const int64_t sides = player + banker + ties;
  list.push_back(Format(analysis_texts::kReportSides, static_cast<long long>(player),
                        Share(player, sides), static_cast<long long>(banker), Share(banker, sides),
                        static_cast<long long>(ties), Share(ties, sides)));
  list.emplace_back();
  list.emplace_back(analysis_texts::kReportWinLoss);
  const int64_t outcomes = wins + losses + pushes;
  list.push_back(Format(analysis_texts::kReportOutcomes, static_cast<long long>(wins),
                        Share(wins, outcomes), static_cast<long long>(losses), Share(losses, outcomes),
                        static_cast<long long>(pushes), Share(pushes, outcomes)));
  list.emplace_back();
  list.push_back(Format(analysis_texts::kReportStreaks, static_cast<long long>(longest_win),
                        static_cast<long long>(longest_loss)));
  return list;
}

std::string BankruptcyPattern(std::string_view bets) {
  std::string pattern(bets);
  for (char& c : pattern) {
    if (c == 'P') {
      c = 'B';
    } else if (c == 'B') {
      c = 'P';
    }
  }
  return pattern;
}

std::string BankruptcyMessage(std::string_view sequence, std::string_view bets) {
  const std::string pattern = BankruptcyPattern(bets);
  const int64_t count = CountOccurrences(sequence, pattern);
  if (count == 0) return analysis_texts::kNoBankruptcy;
  return Format(analysis_texts::kBankruptcyFound, static_cast<int>(sequence.size()), pattern.c_str(),
                static_cast<int>(count));
}

}  // namespace vessaro
