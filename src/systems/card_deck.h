// Numbered cards of three text fields, shared by system files (60 cards: stake, win-next,
// lose-next) and pattern files (20 cards: side, win-next, lose-next): their INI layout, the
// check before saving, and the jump from card to card after a round.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/files.h"
#include "engine/bets.h"

namespace vessaro {

inline constexpr int kSystemCardCount = 60;
inline constexpr int kPatternCardCount = 20;
inline constexpr const char* kCardSection = "BETPATTERN";

struct CardFields {
  std::string first;  // the stake of a system card, the side of a pattern card
  std::string win;    // card after a won round
  std::string lose;   // card after a lost round

  bool IsEmpty() const { return first.empty() && win.empty() && lose.empty(); }
  bool IsFilled() const { return !first.empty() && !win.empty() && !lose.empty(); }
  bool operator==(const CardFields&) const = default;
};

// The first three comma-separated fields of a "%s,%s,%s" value; missing fields read empty.
CardFields SplitCardValue(std::string_view value);

// Cards 1..count of section "BETPATTERN", keys "CardNo%d"; a missing section or key is an empty
// card.
std::vector<CardFields> ParseCardText(std::string_view text, int count);
// "[BETPATTERN]" and every card as "CardNo%d=%s,%s,%s", CR LF after each line.
std::string MakeCardText(const std::vector<CardFields>& cards);

// Reads the file through the code page; a missing file gives empty cards.
std::vector<CardFields> ReadCardFile(const fs::path& path, int count);
// Replaces the file as a whole (atomically), creating its folder.
void WriteCardFile(const fs::path& path, const std::vector<CardFields>& cards);

// A card number or jump as a whole number (blanks around and one sign allowed); nullopt for
// anything else, including numbers outside the range of int.
std::optional<int> ReadCardNumber(std::string_view text);

// The check before saving a deck, over the cards in order. nullopt when the deck may be saved,
// otherwise the message of the first failure. For systems the "%" of a stake is ignored; the
// side of a pattern card is not checked here.
std::optional<std::string> CheckDeck(const std::vector<CardFields>& cards, bool system_cards);

// A deck held in memory for a run: lookups and jumps touch no file and allocate nothing.
class LoadedCards {
 public:
  void Assign(const std::vector<CardFields>& cards);
  int count() const { return static_cast<int>(cards_.size()); }
  // nullptr for a number outside 1..count (a hand-edited jump to card 9999, say).
  const CardFields* Card(int number) const;
  // Win: the card's win-next, loss: its lose-next, tie: the current card unchanged. 0 when the
  // field is empty or not a number, the card does not exist, or the outcome is unknown.
  int NextCard(BetOutcome outcome, int current) const;

 protected:
  std::vector<CardFields> cards_;
  std::vector<std::array<int, 2>> jumps_;  // read once: 0 where not a number
};

// The next card after a round; below 1 means the system or pattern is broken.
int GetNextCard(BetOutcome outcome, const LoadedCards& cards, int current_card);

}  // namespace vessaro
