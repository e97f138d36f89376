// The log report of an InterCasino-format log (its own, or one generated from a detailed user
// log): basic information, payout, game history, side counts, wins and losses, longest streaks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/play_log.h"
#include "common/money.h"

namespace vessaro {

// The amount of a header line such as "テーブルベット:$1,234.00    ベット数:10" or "結果:-$5.00":
// the text after the first ":" and the one character after it, cut at its first blank, thousands
// separators removed, a "$" left at its start read as a minus. nullopt when that is not money.
std::optional<Cents> ReadHeaderAmount(std::string_view line);

// The payout shown for a table bet and a net result, "%.2f" of (bet + net) / bet x 100 with
// halves away from zero. A table bet of 0 has no payout to speak of and shows "0.00", as a log
// without a result line does.
std::string ReportPayoutText(Cents table_bet, Cents net);

// The report's list lines. The log's first line must hold "ゲーム:" (the caller checks it).
std::vector<std::string> MakeLogReport(const LogLines& log);

// The bankruptcy pattern of a bet sequence: every bet of it lost (P and B swapped).
std::string BankruptcyPattern(std::string_view bets);
// The message of the bankruptcy-pattern analysis over an outcome sequence.
std::string BankruptcyMessage(std::string_view sequence, std::string_view bets);

}  // namespace vessaro
