// The all-pattern analysis: counts, rates, theoretical values, the table's lines and their order.
#include "analysis/pattern_grid.h"

#include <gtest/gtest.h>

#include <map>

#include "analysis/log_samples.h"
#include "analysis/play_log.h"

namespace vessaro {
namespace {

std::map<std::string, std::string> LinesByWord(const std::vector<std::string>& lines) {
  std::map<std::string, std::string> by_word;
  for (size_t i = 1; i < lines.size(); ++i) by_word[lines[i].substr(0, lines[i].find(','))] = lines[i];
  return by_word;
}

TEST(PatternGridTest, LengthFourWritesThirtyWordsLongestFirst) {
  std::vector<std::string> lines = FrequencyTableLines("BBPBBPBB", 4);
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines[0], "全8戦（引分けを除く） パターン桁:4桁(30通り)");
  EXPECT_EQ(lines[1].substr(0, 5), "PPPP,");
  EXPECT_EQ(lines[2].substr(0, 5), "PPPB,");
  EXPECT_EQ(lines[16].substr(0, 5), "BBBB,");
  EXPECT_EQ(lines[17].substr(0, 4), "PPP,");
  EXPECT_EQ(lines[29].substr(0, 2), "P,");
  EXPECT_EQ(lines[30].substr(0, 2), "B,");
  EXPECT_EQ(FrequencyTableLines("", 12).size(), 8191u);
  EXPECT_EQ(FrequencyTableLines("", 12)[0], "全0戦（引分けを除く） パターン桁:12桁(8190通り)");
}

TEST(PatternGridTest, CountsRatesAndDifferences) {
  auto by_word = LinesByWord(FrequencyTableLines("BBPBBPBB", 4));
  EXPECT_EQ(by_word["BB"], "BB,3,37.50 %,25.68 %,11.82 %");
  EXPECT_EQ(by_word["BBP"].substr(0, 6), "BBP,2,");
  EXPECT_EQ(by_word["P"], "P,2,25.00 %,49.32 %,-24.32 %");
  EXPECT_EQ(by_word["PPPP"], "PPPP,0,0.00 %,5.92 %,-5.92 %");
}

TEST(PatternGridTest, TheoreticalValues) {
  struct Case {
    const char* word;
    const char* shown;
  } cases[] = {{"B", "50.68"}, {"P", "49.32"}, {"PB", "25.00"}, {"BP", "25.00"}, {"PP", "24.32"},
               {"BB", "25.68"}, {"PPPP", "5.92"}, {"BBBB", "6.60"}};
  for (const Case& c : cases) EXPECT_EQ(FixedText(TheoreticalPercent(c.word), 2), c.shown) << c.word;
  EXPECT_NEAR(TheoreticalPercent("PB"), 24.9954, 1e-4);
}

TEST(PatternGridTest, OneGameRange) {
  std::string letters = "BBPBPBB";
  std::string_view range = RangeText(letters, 5, 5);
  EXPECT_EQ(range, "P");
  auto by_word = LinesByWord(FrequencyTableLines(range, 4));
  EXPECT_EQ(by_word["P"], "P,1,100.00 %,49.32 %,50.68 %");
  for (const auto& [word, line] : by_word) {
    if (word != "P") {
      EXPECT_EQ(line.substr(word.size(), 3), ",0,") << word;
    }
  }
}

TEST(PatternGridTest, RangeIsClippedAtTheEnd) {
  EXPECT_EQ(RangeText("BBPBP", 2, 4), "BPB");
  EXPECT_EQ(RangeText("BBPBP", 4, 100), "BP");
  EXPECT_EQ(RangeText("BBPBP", 6, 9), "");
  EXPECT_EQ(FrequencyTableLines(RangeText("BBPBP", 4, 100), 4)[0], "全2戦（引分けを除く） パターン桁:4桁(30通り)");
}

// The one-pass count must agree with scanning the range for each word on its own, across every
// word, on sequences with long runs and with letters that are neither P nor B.
TEST(PatternGridTest, OnePassCountEqualsScanningEachWord) {
  std::vector<std::string> ranges = {testing::MakeOutcomeLetters(3000, 7), std::string(40, 'P') + "B" +
                                                                                std::string(33, 'B'),
                                     "PPBxPPBBP?BBBPPPPB", testing::MakeOutcomeLetters(500, 99)};
  for (const std::string& range : ranges) {
    const int n = 8;
    auto counts = CountAllWords(range, n);
    for (int k = 1; k <= n; ++k)
      for (uint32_t w = 0; w < (1u << k); ++w)
        ASSERT_EQ(counts[k][w], CountOccurrences(range, PatternWord(k, w)))
            << PatternWord(k, w) << " in a range of " << range.size();
  }
}

TEST(PatternGridTest, WordsOfNumbers) {
  EXPECT_EQ(PatternWord(4, 0), "BBBB");
  EXPECT_EQ(PatternWord(4, 15), "PPPP");
  EXPECT_EQ(PatternWord(3, 6), "PPB");
  EXPECT_EQ(PatternWord(1, 1), "P");
}

}  // namespace
}  // namespace vessaro
