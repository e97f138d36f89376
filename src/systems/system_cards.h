// Betting systems of 60 system cards: a system loaded once for a run, and the stake of a card for
// a balance (a whole number of units, or a percent of the balance).
#pragma once

#include <string>
#include <string_view>

#include "common/money.h"
#include "systems/card_deck.h"
#include "systems/load_status.h"

namespace vessaro {

struct StakeResult {
  std::string stake;       // as the run checks and logs it; "" for an empty or missing card
  std::string_view error;  // empty, or the percent computation's failure text
};

// The percent stake of a balance: the balance rounded to whole units (halves to even), times the
// percent, rounded halves to even. Exact: 5% of 1010 is 50.5 and stakes 50, of 1030 stakes 52.
// nullopt when the percent text is not a number or the stake does not fit in 64 bits.
std::optional<int64_t> PercentStake(Cents balance, std::string_view percent_text);

class LoadedSystem : public LoadedCards {
 public:
  // Reads betpattern/<name>_syspattern.txt once. A missing file is reported (kMissing); any
  // existing text loads, hand-edited mistakes surface when their card is reached.
  LoadStatus Load(const fs::path& path);
  void Assign(const std::vector<CardFields>& cards);

  // The stake of a card: a units stake unchanged, a percent stake computed from the balance
  // ("0" and the error text when its percent is not a number), "" for an empty card.
  StakeResult StakeFor(int card, Cents balance) const;

 private:
  struct Percent {
    bool is_percent = false;
    bool valid = false;
    __int128 numerator = 0;  // percent * 10^6
  };
  std::vector<Percent> percents_;
};

// The evaluation operation of runs and replays.
StakeResult GetSystemBet(const LoadedSystem& system, Cents balance, int card);
// As above from a balance text; a text that is not money fails a percent card like a bad percent.
StakeResult GetSystemBet(const LoadedSystem& system, std::string_view balance_text, int card);

}  // namespace vessaro
