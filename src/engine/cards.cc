#include "engine/cards.h"

#include <string>

namespace vessaro {
namespace {

constexpr std::array<std::string_view, 52> kNames = {
    "D1", "D2", "D3", "D4", "D5", "D6", "D7", "D8", "D9", "D10", "D11", "D12", "D13",
    "S1", "S2", "S3", "S4", "S5", "S6", "S7", "S8", "S9", "S10", "S11", "S12", "S13",
    "C1", "C2", "C3", "C4", "C5", "C6", "C7", "C8", "C9", "C10", "C11", "C12", "C13",
    "H1", "H2", "H3", "H4", "H5", "H6", "H7", "H8", "H9", "H10", "H11", "H12", "H13"};

std::array<Card, kDrawTableSize> BuildDrawTable() {
  std::array<Card, kDrawTableSize> table{};
  for (int i = 0; i < kDrawTableSize; ++i) table[i] = Card{static_cast<uint8_t>(i % 52)};
  return table;
}

// An invertible 32-bit finaliser (every step is a bijection of 32-bit words).
uint32_t Mix32(uint32_t x) {
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x;
}

}  // namespace

uint64_t SplitMix64(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

std::string_view CardName(Card card) { return kNames[card.index % 52]; }

bool CardFromName(std::string_view name, Card& card) {
  for (size_t i = 0; i < kNames.size(); ++i) {
    if (kNames[i] == name) {
      card = Card{static_cast<uint8_t>(i)};
      return true;
    }
  }
  return false;
}

int CardPoint(std::string_view name) {
  // Remove the suit letter and read the rank; anything unreadable counts 0.
  if (name.size() < 2) return 0;
  int rank = 0;
  for (char c : name.substr(1)) {
    if (c < '0' || c > '9') return 0;
    rank = rank * 10 + (c - '0');
    if (rank > 100) return 0;
  }
  return rank >= 1 && rank <= 9 ? rank : 0;
}

const std::array<Card, kDrawTableSize>& CardDrawTable() {
  static const std::array<Card, kDrawTableSize> table = BuildDrawTable();
  return table;
}

uint32_t SeedForRound(uint64_t session_seed, uint64_t round_index) {
  uint64_t key = SplitMix64(session_seed);
  // Adding k to a fixed offset and passing the sum through a bijection keeps the seeds of the
  // first 2^32 rounds distinct; the xor with the key's other half keeps that true.
  return Mix32(static_cast<uint32_t>(key) + static_cast<uint32_t>(round_index)) ^
         static_cast<uint32_t>(key >> 32);
}

}  // namespace vessaro
