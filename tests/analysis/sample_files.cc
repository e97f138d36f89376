#include "analysis/sample_files.h"

#include <cstdint>

#include "common/cp932.h"
#include "common/format.h"

namespace vessaro::testing {
namespace {

// A fixed little generator: the samples are the same on every run.
class Dice {
 public:
  uint32_t Next(uint32_t n) {
    state_ = state_ * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(state_) * n) >> 32);
  }

 private:
  uint32_t state_ = 20241209u;
};

const char* const kSuits[] = {"D", "S", "C", "H"};

std::string Card(Dice& dice) { return Format("%s%u", kSuits[dice.Next(4)], dice.Next(13) + 1); }

}  // namespace

std::string MakeRunGraph(int rounds, const std::string& system, const std::string& pattern) {
  Dice dice;
  std::string text = Format("1000,%d,%s,%s\r\n", rounds, system.c_str(), pattern.c_str());
  int64_t balance = 100000;  // cents
  int64_t flat = 100000;
  int wins = 0;
  for (int i = 0; i < rounds; ++i) {
    const bool win = dice.Next(100) < 49;
    const int64_t stake = 1000 * (1 + dice.Next(3));
    balance += win ? stake : -stake;
    flat += win ? 1000 : -1000;
    wins += win;
    text += Format("%lld,%lld\r\n", static_cast<long long>(balance / 100),
                   static_cast<long long>(flat / 100));
  }
  const int losses = rounds - wins;
  text += Format(
      "試行回数：%d PLAYER：%d(49%%) BANKER：%d(46%%) TIE：%d(5%%) 合計IN：%d.00 合計OUT：%d.00 "
      "ペイアウト：98.00%%(フラット:98.50%%) 平均ベット：20.00\r\n",
      rounds, rounds * 49 / 100, rounds * 46 / 100, rounds * 5 / 100, rounds * 20, rounds * 19);
  text += Format(
      "最大ベット：30.00 最大損失時残高：850.00 最大ドローダウン：15.00%% 最大連勝数：7 "
      "最大連敗数：9 "
      "勝ち：%d回(49.00%%) 負け：%d回(51.00%%) 引分：0回(0.00%%)\r\n",
      wins, losses);
  return text;
}

std::string MakeAutoLog(int rounds) {
  Dice dice;
  std::string text =
      Format("----------【2024/01/01 13:00】完全確率モード 試行回数:%d ----------\r\n\r\n", rounds);
  int64_t balance = 5000;
  for (int round = 1; round <= rounds; ++round) {
    const bool win = dice.Next(100) < 49;
    balance += win ? 10 : -10;
    const std::string p1 = Card(dice), p2 = Card(dice), b1 = Card(dice), b2 = Card(dice);
    text += Format(
        "ラウンド：%d ベット額：10 獲得賞金：%s 【残高：%lld.00】 PLAYER：%u(%s,%s) "
        "BANKER：%u(%s,%s)\r\n",
        round, win ? "20" : "0", static_cast<long long>(balance), dice.Next(10), p1.c_str(),
        p2.c_str(), dice.Next(10), b1.c_str(), b2.c_str());
  }
  text += "PLAYER：490(49%) BANKER：460(46%) TIE：50(5%)【ペイアウト: 98.00 % 】\r\n";
  text += Format("---------------試行回数%d　終了---------------\r\n", rounds);
  return text;
}

void WriteCp932(const TempFolder& folder, std::string_view relative, std::string_view text) {
  folder.Write(relative, EncodeCp932Lossy(text));
}

}  // namespace vessaro::testing
