#include "analysis/log_samples.h"

#include "common/money.h"
#include "systems/card_deck.h"
#include "systems/folders.h"

namespace vessaro::testing {

std::string MakeInterCasinoLog(std::string_view winners) {
  std::string rounds;
  Cents balance = 100000;
  Cents bet = 0, start = balance;
  int64_t count = 0;
  for (char w : winners) {
    ++count;
    bet += 1000;
    if (w == 'B') {
      rounds += "バンカーの勝ち\r\n支払済み: $19.50\r\n最終結果: $9.50\r\n";
      balance += 950;
    } else if (w == 'T') {
      rounds += "引き分け\r\n支払済み: $10.00\r\n最終結果: $0.00\r\n";
    } else {
      rounds += "プレーヤーの勝ち\r\n支払済み: $0.00\r\n最終結果: -$10.00\r\n";
      balance -= 1000;
    }
    rounds += "新しい残高: $" + FormatCents(balance) + "\r\n\r\n";
  }
  std::string text = "ゲーム:Baccarat\r\n";
  text += "ゲーム開始時残高:$" + FormatCents(start) + "    ゲーム終了時残高:$" + FormatCents(balance) + "\r\n";
  text += "テーブルベット:$" + FormatCents(bet) + "    ベット数:" + std::to_string(count) + "\r\n";
  const Cents net = balance - start;
  text += net < 0 ? "結果:-$" + FormatCents(-net) + "\r\n" : "結果:$" + FormatCents(net) + "\r\n";
  text += "\r\n\r\n";
  return text + rounds;
}

std::string MakeOutcomeLetters(int64_t count, uint32_t seed) {
  std::string letters;
  letters.reserve(static_cast<size_t>(count));
  uint32_t state = seed;
  for (int64_t i = 0; i < count; ++i) {
    state = state * 134775813u + 1u;
    letters.push_back((static_cast<uint64_t>(state) * 10000 >> 32) < 5068 ? 'B' : 'P');
  }
  return letters;
}

void WriteFlatBanker(const fs::path& program_folder) {
  std::vector<CardFields> system(60), pattern(20);
  system[0] = {"10", "1", "1"};
  pattern[0] = {"B", "1", "1"};
  WriteCardFile(SystemFilePath(program_folder, "flat"), system);
  WriteCardFile(PatternFilePath(program_folder, "banker"), pattern);
}

std::string InLines(std::string_view letters, size_t per_line) {
  std::string out;
  for (size_t i = 0; i < letters.size(); i += per_line) {
    out.append(letters.substr(i, per_line));
    out += "\r\n";
  }
  return out;
}

}  // namespace vessaro::testing
