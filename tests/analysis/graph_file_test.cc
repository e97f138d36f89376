// Reading graph files: points, thinning by the last run's length, names and summary, and files that
// were cut short, edited by hand or are not graph files at all.
#include "analysis/graph_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/sample_files.h"
#include "common/format.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

std::vector<int64_t> DrawnLines(const GraphContent& content) {
  std::vector<int64_t> xs;
  for (const GraphPoint& p : content.points)
    if (p.x > 0) xs.push_back(p.x);
  return xs;
}

std::vector<int64_t> Every(int64_t step, int64_t last) {
  std::vector<int64_t> xs;
  for (int64_t x = step; x <= last; x += step) xs.push_back(x);
  return xs;
}

// n point lines "1000+k,1000-k"; the lines listed in zero_lines hold a 0 in one of the fields.
std::string PointLines(int n, const std::vector<int>& zero_lines = {}) {
  std::string text = "1000,0,S,P\r\n";
  for (int k = 1; k <= n; ++k) {
    bool zero = false;
    for (int z : zero_lines) zero |= z == k;
    text += zero ? (k % 2 ? Format("0,%d\r\n", 1000 - k) : Format("%d,0\r\n", 1000 + k))
                 : Format("%d,%d\r\n", 1000 + k, 1000 - k);
  }
  return text + "試行回数：1 x\r\nline 2\r\n";
}

struct ThinningCase {
  const char* label;
  GraphFlavour flavour;
  int64_t rounds;
  int lines;
  std::vector<int> zero_lines;
  std::vector<int64_t> drawn;
  friend void PrintTo(const ThinningCase& c, std::ostream* os) { *os << c.label; }
};

class ThinningTest : public ::testing::TestWithParam<ThinningCase> {};

TEST_P(ThinningTest, DrawsTheLinesOfTheStep) {
  const ThinningCase& c = GetParam();
  GraphContent content = ReadGraph(PointLines(c.lines, c.zero_lines), c.rounds, c.flavour);
  EXPECT_EQ(DrawnLines(content), c.drawn);
  EXPECT_EQ(content.point_lines, c.lines);
  EXPECT_EQ(content.points.front(), (GraphPoint{0, 1000, 1000}));
}

std::vector<int64_t> Merge(std::vector<int64_t> a, std::vector<int64_t> extra) {
  a.insert(a.end(), extra.begin(), extra.end());
  std::sort(a.begin(), a.end());
  a.erase(std::unique(a.begin(), a.end()), a.end());
  return a;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ThinningTest,
    ::testing::Values(
        ThinningCase{"Run120", GraphFlavour::kRun, 120, 120, {3, 8, 9}, Every(2, 120)},
        ThinningCase{
            "Replay120", GraphFlavour::kReplay, 120, 120, {3, 8, 9}, Merge(Every(2, 120), {3, 9})},
        ThinningCase{"Run50", GraphFlavour::kRun, 50, 50, {}, Every(1, 50)},
        ThinningCase{"Run51", GraphFlavour::kRun, 51, 60, {}, Every(1, 60)},
        ThinningCase{"Run1000", GraphFlavour::kRun, 1000, 1000, {}, Every(20, 1000)},
        // A graph longer than the length it is thinned by: the last line is drawn all the same.
        ThinningCase{"StoppedRun", GraphFlavour::kRun, 1000, 130, {}, Merge(Every(20, 130), {130})},
        // Runs thin by the rounds they played: one that went broke at 21,453 of 1,000,000 ends
        // its curve at its real last round, one stopped after 59 draws all 59.
        ThinningCase{"BrokeEarly", GraphFlavour::kRun, 21453, 21453, {}, Merge(Every(429, 21453), {21453})},
        ThinningCase{"LimitAfter59", GraphFlavour::kRun, 59, 59, {}, Every(1, 59)},
        // No run yet in this session: a saved graph is drawn whole.
        ThinningCase{"NoRunYet", GraphFlavour::kRun, 0, 70, {}, Every(1, 70)},
        // ...unless it is so long that drawing every line would stall the window.
        ThinningCase{"NoRunYetLong", GraphFlavour::kRun, 0, 25000, {}, Merge(Every(3, 25000), {25000})},
        ThinningCase{"ShortRunLong", GraphFlavour::kRun, 100, 40000, {}, Every(4, 40000)}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(GraphFileTest, ReadsHeaderPointsAndSummary) {
  const std::string line1 =
      "試行回数：3 PLAYER：0(0%) BANKER：2(67%) TIE：0(0%) 合計IN：30.00 合計OUT：39.00 "
      "ペイアウト：130.00%(フラット:130.00%) 平均ベット：10.00";
  const std::string line2 =
      "最大ベット：10.00 最大損失時残高：1000.00 最大ドローダウン：0.00% 最大連勝数：1 "
      "最大連敗数：1 "
      "勝ち：2回(66.67%) 負け：1回(33.33%) 引分：0回(0.00%)";
  GraphContent c = ReadGraph("1000,3,マーチン,BBPP\r\n1010,1010\r\n1000,1000\r\n1009,1009\r\n" +
                                 line1 + "\r\n" + line2 + "\r\n",
                             3, GraphFlavour::kRun);
  EXPECT_EQ(c.start, 1000);
  EXPECT_EQ(c.system_name, "マーチン");
  EXPECT_EQ(c.pattern_name, "BBPP");
  EXPECT_EQ(c.points, (std::vector<GraphPoint>{
                          {0, 1000, 1000}, {1, 1010, 1010}, {2, 1000, 1000}, {3, 1009, 1009}}));
  EXPECT_EQ(c.summary, line1 + " " + line2);
  EXPECT_EQ(c.summary_lines, (std::vector<std::string>{line1, line2}));
}

TEST(GraphFileTest, ReplayHeaderKeepsQuotedNames) {
  GraphContent c = ReadGraph("5000,5000,\"sys,1\",pat\r\n4990,4980\r\n", 0, GraphFlavour::kReplay);
  EXPECT_EQ(c.start, 5000);
  EXPECT_EQ(c.system_name, "sys,1");
  EXPECT_EQ(c.pattern_name, "pat");
  EXPECT_EQ(c.points.back(), (GraphPoint{1, 4990, 4980}));
  EXPECT_EQ(c.summary, "");
}

TEST(GraphFileTest, ZeroPayoutLinesAreTheSummaryNotPoints) {
  const std::string zero = "【PLAYER：1(50%) BANKER：1(50%) TIE：0(0%) ペイアウト：0% 】";
  GraphContent c = ReadGraph("1000,2,S,P\r\n990,990\r\n980,980\r\n" + zero + "\r\n" + zero + "\r\n",
                             2, GraphFlavour::kRun);
  EXPECT_EQ(DrawnLines(c), (std::vector<int64_t>{1, 2}));
  EXPECT_EQ(c.points.back(), (GraphPoint{2, 980, 980}));
  EXPECT_EQ(c.summary, zero);
  EXPECT_EQ(c.summary_lines, std::vector<std::string>{zero});
}

TEST(GraphFileTest, ReplayWithoutPayoutLeavesNoExtraPoints) {
  // A replay that never paid writes its two summary lines empty.
  GraphContent c =
      ReadGraph("1000,1000,S,P\r\n0,990\r\n0,980\r\n\r\n\r\n", 200, GraphFlavour::kReplay);
  EXPECT_EQ(DrawnLines(c), (std::vector<int64_t>{1, 2}));
  EXPECT_EQ(c.summary, "");
}

struct BrokenCase {
  const char* label;
  std::string text;
  int64_t start;
  std::vector<GraphPoint> points;  // after the start point
  bool has_names;
  friend void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.label; }
};

class BrokenFileTest : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenFileTest, ReadsWhatItCanAndZeroForTheRest) {
  const BrokenCase& c = GetParam();
  GraphContent content = ReadGraph(c.text, 0, GraphFlavour::kRun);
  EXPECT_EQ(content.start, c.start);
  std::vector<GraphPoint> expected{{0, c.start, c.start}};
  expected.insert(expected.end(), c.points.begin(), c.points.end());
  EXPECT_EQ(content.points, expected);
  EXPECT_EQ(content.system_name.has_value(), c.has_names);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenFileTest,
    ::testing::Values(
        BrokenCase{"Empty", "", 0, {}, false},
        BrokenCase{"HeaderOnly", "1000,10,S,P\r\n", 1000, {}, true},
        // A kill during a write leaves a torn last line: it is not read at all.
        BrokenCase{"TornHeader", "1000,10,S,P", 0, {}, false},
        BrokenCase{"ShortHeader", "1000,10,S\r\n5,6\r\n", 1000, {{1, 5, 6}}, false},
        BrokenCase{"HeaderNotANumber", "abc,10,S,P\r\n5,6\r\n", 0, {{1, 5, 6}}, true},
        BrokenCase{"DecimalsAndWords",
                   "1000.50,1\r\n1009.50,x\r\n-20,-30\r\n",
                   0,
                   {{1, 0, 0}, {2, -20, -30}},
                   false},
        BrokenCase{
            "BlanksAroundNumbers", " 1000 ,1\r\n 990 , 980 \r\n", 1000, {{1, 990, 980}}, false},
        BrokenCase{"Truncated", "1000,3,S,P\r\n990,990\r\n98", 1000, {{1, 990, 990}}, true},
        BrokenCase{"EmptyLineInside",
                   "1000,3,S,P\r\n990,990\r\n\r\n970,970\r\n",
                   1000,
                   {{1, 990, 990}, {3, 970, 970}},
                   true},
        BrokenCase{"LoneLineEnds",
                   "1000,3,S,P\n990,990\r980,980\n",
                   1000,
                   {{1, 990, 990}, {2, 980, 980}},
                   true},
        BrokenCase{"HugeNumbers", "1000\r\n99999999999999999999,5\r\n", 1000, {{1, 0, 5}}, false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(GraphFileTest, BinaryFileNeverBreaksTheReader) {
  std::string bytes;
  uint32_t state = 7;
  for (int i = 0; i < 200000; ++i) {
    state = state * 134775813u + 1u;
    bytes.push_back(static_cast<char>(state >> 24));
  }
  testing::TempFolder folder;
  folder.Write("Graph/junk.bin", bytes);
  for (GraphFlavour flavour : {GraphFlavour::kRun, GraphFlavour::kReplay}) {
    GraphContent c = ReadGraphFile(folder / "Graph/junk.bin", 120, flavour);
    ASSERT_FALSE(c.points.empty());
    for (size_t i = 1; i < c.points.size(); ++i) EXPECT_LT(c.points[i - 1].x, c.points[i].x);
  }
}

TEST(GraphFileTest, ReadsTheFileThroughTheCodePage) {
  testing::TempFolder folder;
  const std::string text = testing::MakeRunGraph(10000);
  testing::WriteCp932(folder, "Graph/202401011300_TmpGraph.txt", text);
  GraphContent c =
      ReadGraphFile(folder / "Graph/202401011300_TmpGraph.txt", 10000, GraphFlavour::kRun);
  EXPECT_EQ(c.system_name, "マーチン");
  EXPECT_EQ(c.point_lines, 10000);
  EXPECT_EQ(DrawnLines(c), Every(200, 10000));
  EXPECT_EQ(c.summary.rfind("試行回数：10000 PLAYER：", 0), 0u);
  EXPECT_NE(c.summary.find(" 最大ベット：30.00"), std::string::npos);

  GraphContent missing = ReadGraphFile(folder / "Graph/none.txt", 0, GraphFlavour::kRun);
  EXPECT_EQ(missing.points, (std::vector<GraphPoint>{{0, 0, 0}}));
}

}  // namespace
}  // namespace vessaro
