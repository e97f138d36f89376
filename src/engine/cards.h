// Cards, the draw table of six decks, hand totals and the round's random generator.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vessaro {

// A card by its place in the canonical order D1..D13, S1..S13, C1..C13, H1..H13.
struct Card {
  uint8_t index = 0;
  friend bool operator==(Card a, Card b) { return a.index == b.index; }
};

constexpr int kDrawTableSize = 312;

// "D1" ... "H13".
std::string_view CardName(Card card);
// Rank 1 to 13.
constexpr int CardRank(Card card) { return card.index % 13 + 1; }
// Ranks 1 to 9 count their face value, 10 to 13 count 0.
constexpr int CardPoint(Card card) { return CardRank(card) >= 10 ? 0 : CardRank(card); }
// The point of a card given by name; 0 for a text that names no card.
int CardPoint(std::string_view name);
// The card a name stands for; false when it names none.
bool CardFromName(std::string_view name, Card& card);

constexpr int AddPoint(int total, int point) { return (total + point) % 10; }

// The 312 entries: the 52 cards in canonical order, six times. A random number maps to a card
// through it, which fixes how a seed reproduces its deals.
const std::array<Card, kDrawTableSize>& CardDrawTable();

// The 32-bit linear congruential generator: state = state * 134775813 + 1 (mod 2^32).
class RandomGenerator {
 public:
  explicit RandomGenerator(uint32_t seed = 0) : state_(seed) {}
  void Seed(uint32_t seed) { state_ = seed; }
  uint32_t state() const { return state_; }
  // One step, then the high 32 bits of state * n: a number in 0 .. n-1.
  uint32_t Random(uint32_t n) {
    state_ = state_ * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(state_) * n) >> 32);
  }

 private:
  uint32_t state_;
};

// The SplitMix64 finaliser: a bijection of 64-bit words that scatters nearby inputs.
uint64_t SplitMix64(uint64_t x);

// The seed of round k of a session. A bijection of k for a fixed session seed, so no two rounds
// of a session share a seed, and mixed so that adjacent rounds get unrelated seeds.
uint32_t SeedForRound(uint64_t session_seed, uint64_t round_index);

// One draw from the table, with replacement.
inline Card DrawCard(RandomGenerator& gen) { return CardDrawTable()[gen.Random(kDrawTableSize)]; }

}  // namespace vessaro
