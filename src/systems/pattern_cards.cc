#include "systems/pattern_cards.h"

#include "systems/messages.h"

namespace vessaro {

BetSide SideOfLetter(std::string_view letter) {
  if (letter == "P") return BetSide::kPlayer;
  if (letter == "B") return BetSide::kBanker;
  return BetSide::kNone;
}

LoadStatus LoadedPattern::Load(const fs::path& path) {
  if (!FileExists(path)) {
    Assign(std::vector<CardFields>(kPatternCardCount));
    return LoadStatus::Missing(systems_text::kPatternFileMissing);
  }
  Assign(ReadCardFile(path, kPatternCardCount));
  return LoadStatus::Ok();
}

BetSide LoadedPattern::SideOf(int card) const {
  const CardFields* fields = Card(card);
  return fields == nullptr ? BetSide::kNone : SideOfLetter(fields->first);
}

BetSide GetPatternSide(const LoadedPattern& pattern, int card) { return pattern.SideOf(card); }

}  // namespace vessaro
