// Fixed bet patterns of 20 pattern cards: a pattern loaded once for a run and the side of a card.
#pragma once

#include "engine/bets.h"
#include "systems/card_deck.h"
#include "systems/load_status.h"

namespace vessaro {

// "P" is Player, "B" Banker; anything else (lower case too) is no side.
BetSide SideOfLetter(std::string_view letter);

class LoadedPattern : public LoadedCards {
 public:
  // Reads betpattern/<name>_pattern.txt once; a missing file is reported (kMissing).
  LoadStatus Load(const fs::path& path);
  BetSide SideOf(int card) const;
};

// The evaluation operation of runs and replays: the side of the current pattern card.
BetSide GetPatternSide(const LoadedPattern& pattern, int card);

}  // namespace vessaro
