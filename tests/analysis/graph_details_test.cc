// The detailed analysis rows cut from the summaries that runs and replays write.
#include "analysis/graph_details.h"

#include <gtest/gtest.h>

namespace vessaro {
namespace {

TEST(GraphDetailsTest, ReplaySummaryGivesCleanRows) {
  const std::string line1 =
      "【試行回数：100  PLAYER:45(45.00 %) BANKER:46(46.00 %) TIE:9(9.00 %)  合計IN：1000.00 "
      "合計OUT：980.00　ペイアウト: 98.00 % 　平均ベット： 10.00】 ";
  const std::string line2 =
      "【最大ベット: 10.00  最大損失時残高：950.00  最大ドローダウン: 5.00 %  最大連勝数： 4  "
      "最大連敗数： 6  勝ち：45回(45.00 %) 負け：46回(46.00 %) 引分：9回(9.00 %) 】";
  EXPECT_EQ(MakeDetailRows(line1 + " " + line2),
            (std::vector<DetailRow>{{"試行回数", "100"},
                                    {"PLAYER", "45(45.00%)"},
                                    {"BANKER", "46(46.00%)"},
                                    {"TIE", "9(9.00%)"},
                                    {"合計IN", "1000.00"},
                                    {"合計OUT", "980.00"},
                                    {"ペイアウト", "98.00%"},
                                    {"平均ベット", "10.00"},
                                    {"最大ベット", "10.00"},
                                    {"最大損失時残高", "950.00"},
                                    {"最大ドローダウン", "5.00%"},
                                    {"最大連勝数", "4"},
                                    {"最大連敗数", "6"},
                                    {"勝ち", "45回(45.00%)"},
                                    {"負け", "46回(46.00%)"},
                                    {"引分", "9回(9.00%)"}}));
}

TEST(GraphDetailsTest, RunSummaryKeepsTheFlatShareInsideThePayout) {
  const std::string summary =
      "試行回数：2 PLAYER：0(0%) BANKER：1(50%) TIE：0(0%) 合計IN：20.00 合計OUT：19.50 "
      "ペイアウト：97.50%(フラット:97.50%) 平均ベット：10.00 最大ベット：10.00 "
      "最大損失時残高：990.00 "
      "最大ドローダウン：1.00% 最大連勝数：1 最大連敗数：1 勝ち：1回(50.00%) 負け：1回(50.00%) "
      "引分：0回(0.00%)";
  EXPECT_EQ(MakeDetailRows(summary),
            (std::vector<DetailRow>{{"試行回数", "2"},
                                    {"PLAYER", "0(0%)"},
                                    {"BANKER", "1(50%)"},
                                    {"TIE", "0(0%)"},
                                    {"合計IN", "20.00"},
                                    {"合計OUT", "19.50"},
                                    {"ペイアウト", "97.50%(フラット:97.50%)"},
                                    {"平均ベット", "10.00"},
                                    {"最大ベット", "10.00"},
                                    {"最大損失時残高", "990.00"},
                                    {"最大ドローダウン", "1.00%"},
                                    {"最大連勝数", "1"},
                                    {"最大連敗数", "1"},
                                    {"勝ち", "1回(50.00%)"},
                                    {"負け", "1回(50.00%)"},
                                    {"引分", "0回(0.00%)"}}));
}

TEST(GraphDetailsTest, OddTokens) {
  // Brackets around a count become parentheses; a value stops at a further colon; a token
  // without a colon is a label alone; lone brackets and runs of blanks give no rows.
  EXPECT_EQ(MakeDetailRows("PLAYER：3【x】  【 】 a：b：c 合計 "),
            (std::vector<DetailRow>{{"PLAYER", "3（x）"}, {"a", "b"}, {"合計", ""}}));
  EXPECT_TRUE(MakeDetailRows("").empty());
}

}  // namespace
}  // namespace vessaro
