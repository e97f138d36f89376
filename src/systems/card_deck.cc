#include "systems/card_deck.h"

#include <charconv>

#include "common/format.h"
#include "common/ini.h"
#include "common/text.h"
#include "systems/messages.h"

namespace vessaro {

CardFields SplitCardValue(std::string_view value) {
  std::array<std::string, 3> fields;
  size_t start = 0;
  for (size_t i = 0; i < fields.size() && start <= value.size(); ++i) {
    size_t comma = value.find(',', start);
    if (comma == std::string_view::npos) {
      fields[i] = std::string(value.substr(start));
      break;
    }
    fields[i] = std::string(value.substr(start, comma - start));
    start = comma + 1;
  }
  return CardFields{std::move(fields[0]), std::move(fields[1]), std::move(fields[2])};
}

std::vector<CardFields> ParseCardText(std::string_view text, int count) {
  IniDocument doc = IniDocument::Parse(text);
  std::vector<CardFields> cards(static_cast<size_t>(count));
  if (!doc.HasSection(kCardSection)) return cards;
  for (int i = 1; i <= count; ++i)
    cards[i - 1] = SplitCardValue(doc.Get(kCardSection, Format("CardNo%d", i)));
  return cards;
}

std::string MakeCardText(const std::vector<CardFields>& cards) {
  std::string out = std::string("[") + kCardSection + "]\r\n";
  for (size_t i = 0; i < cards.size(); ++i) {
    const CardFields& c = cards[i];
    out += Format("CardNo%zu=%s,%s,%s\r\n", i + 1, c.first.c_str(), c.win.c_str(), c.lose.c_str());
  }
  return out;
}

std::vector<CardFields> ReadCardFile(const fs::path& path, int count) {
  return ParseCardText(ReadTextFile(path), count);
}

void WriteCardFile(const fs::path& path, const std::vector<CardFields>& cards) {
  EnsureFolder(path.parent_path());
  WriteTextFile(path, MakeCardText(cards));
}

std::optional<int> ReadCardNumber(std::string_view text) {
  std::string trimmed = Trim(text);
  std::string_view digits = trimmed;
  if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
  if (digits.empty() || digits[0] == '+') return std::nullopt;
  int value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

std::optional<std::string> CheckDeck(const std::vector<CardFields>& cards, bool system_cards) {
  const int count = static_cast<int>(cards.size());
  for (int number = 1; number <= count; ++number) {
    const CardFields& card = cards[number - 1];
    if (card.IsEmpty()) continue;
    if (!card.IsFilled()) return Format(systems_text::kCardHasBlank, number);
    std::optional<int> win = ReadCardNumber(card.win);
    std::optional<int> lose = ReadCardNumber(card.lose);
    bool stake_ok = !system_cards || ReadCardNumber(RemoveAll(card.first, "%")).has_value();
    if (!stake_ok || !win || !lose) return Format(systems_text::kCardHasError, number);
    for (int target : {*win, *lose}) {
      bool filled = target >= 1 && target <= count && cards[target - 1].IsFilled();
      if (!filled) return Format(systems_text::kCardTargetBlank, number, target);
    }
  }
  return std::nullopt;
}

void LoadedCards::Assign(const std::vector<CardFields>& cards) {
  cards_ = cards;
  jumps_.clear();
  jumps_.reserve(cards_.size());
  for (const CardFields& c : cards_)
    jumps_.push_back({ReadCardNumber(c.win).value_or(0), ReadCardNumber(c.lose).value_or(0)});
}

const CardFields* LoadedCards::Card(int number) const {
  if (number < 1 || number > count()) return nullptr;
  return &cards_[number - 1];
}

int LoadedCards::NextCard(BetOutcome outcome, int current) const {
  if (outcome == BetOutcome::kTie) return current;
  if (current < 1 || current > count()) return 0;
  switch (outcome) {
    case BetOutcome::kWin:
      return jumps_[current - 1][0];
    case BetOutcome::kLoss:
      return jumps_[current - 1][1];
    default:
      return 0;
  }
}

int GetNextCard(BetOutcome outcome, const LoadedCards& cards, int current_card) {
  return cards.NextCard(outcome, current_card);
}

}  // namespace vessaro
