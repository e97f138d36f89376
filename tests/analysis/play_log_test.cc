// Log kinds, outcome sequences, the generated log of a detailed user log, and the count of a
// pattern.
#include "analysis/play_log.h"

#include <gtest/gtest.h>

#include "analysis/log_analysis.h"
#include "analysis/log_report.h"
#include "analysis/log_samples.h"
#include "analysis/sample_files.h"
#include "engine/scoreboard.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::TempFolder;

TEST(CountOccurrencesTest, NeverOverlapsAndScansTheWholeText) {
  struct Case {
    const char* sequence;
    const char* pattern;
    int64_t count;
  } cases[] = {
      {"PPPPPP", "PPPP", 1}, {"PPPPP", "PP", 2},  {"BBPBBPBB", "BB", 3}, {"BBPBBPBB", "BBP", 2},
      {"BBPBBPBB", "P", 2},  {"BBPBBPBBP", "BBP", 3}, {"PBP", "PBP", 1},  {"PB", "PBP", 0},
      {"PBPB", "", 0},       {"", "P", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CountOccurrences(c.sequence, c.pattern), c.count) << c.sequence << " / " << c.pattern;
}

TEST(OutcomeSequenceTest, InterCasinoLogGivesOneLetterPerPlayerOrBankerRound) {
  OutcomeSequence s = ToOutcomeSequence(LogLines(testing::MakeInterCasinoLog("PBTBBTP")));
  EXPECT_TRUE(s.valid);
  EXPECT_TRUE(s.intercasino);
  EXPECT_EQ(s.letters, "PBBBP");
}

TEST(OutcomeSequenceTest, OutcomeFileJoinsItsLinesAndSkipsEmptyOnes) {
  OutcomeSequence s = ToOutcomeSequence(LogLines("BBPBBP\r\n\r\n BBP \nPP\rB"));
  EXPECT_TRUE(s.valid);
  EXPECT_FALSE(s.intercasino);
  EXPECT_EQ(s.letters, "BBPBBPBBPPPB");
  EXPECT_EQ(s.rounds(), 12);
}

TEST(OutcomeSequenceTest, FirstLineDecides) {
  EXPECT_FALSE(ToOutcomeSequence(LogLines("")).valid);
  EXPECT_FALSE(ToOutcomeSequence(LogLines("xyz\r\nBBP\r\n")).valid);  // letters only later
  EXPECT_FALSE(ToOutcomeSequence(LogLines("\r\nBBP\r\n")).valid);
  EXPECT_TRUE(ToOutcomeSequence(LogLines("ABC\r\n")).valid);  // any text holding a B
}

// A play history's last line without its line end was torn by a kill during a run: it is left out.
// Other logs (a casino's log saved without a final line break) are read to their last letter.
TEST(OutcomeSequenceTest, ATornHistoryLineIsLeftOutButOtherLogsAreReadWhole) {
  TempFolder dir;
  dir.Write("history/Normal20240101.txt", "BBPBBP\r\nPPB");
  dir.Write("history/mine_user1.txt", "BBPBBP\r\nPPB");
  EXPECT_EQ(ToOutcomeSequence(ReadLogLines(dir / "history/Normal20240101.txt")).letters, "BBPBBP");
  EXPECT_EQ(ToOutcomeSequence(ReadLogLines(dir / "history/mine_user1.txt")).letters, "BBPBBPPPB");
  EXPECT_TRUE(IsPlayHistoryFile("Jigoku20241231.txt"));
  EXPECT_FALSE(IsPlayHistoryFile("Jigoku2024123.txt"));
  EXPECT_FALSE(IsPlayHistoryFile("Normal20240101_merge1.txt"));
}

// A 101-round InterCasino log: its outcome sequence runs across the place where a temporary
// file of 100-letter lines would break, and a pattern across it is counted.
TEST(OutcomeSequenceTest, OccurrenceAcrossHundredLettersIsCounted) {
  std::string winners(99, 'P');
  winners += "BBP";  // letters 100 to 102 (one is a tie below)
  winners.insert(50, "T");
  OutcomeSequence s = ToOutcomeSequence(LogLines(testing::MakeInterCasinoLog(winners)));
  ASSERT_EQ(s.rounds(), 102);
  EXPECT_EQ(CountOccurrences(s.letters, "PBB"), 1);
  EXPECT_EQ(BankruptcyMessage(s.letters, "PPB"),
            "引分けを除く【102戦】で破産パターン【BBP】が【1回】出現しました");
}

TEST(BankruptcyTest, PatternAndMessage) {
  EXPECT_EQ(BankruptcyPattern("PPB"), "BBP");
  EXPECT_EQ(BankruptcyMessage("BBPBBPBBP", "PPB"),
            "引分けを除く【9戦】で破産パターン【BBP】が【3回】出現しました");
  EXPECT_EQ(BankruptcyMessage("BBPBBPBBP", ""), "解析ファイル内で破産パターンは出現しませんでした");
  EXPECT_EQ(BankruptcyMessage("BBBB", "BB"), "解析ファイル内で破産パターンは出現しませんでした");
}

class ChooseFileTest : public ::testing::Test {
 protected:
  ChosenFile Choose(std::string_view name, std::string_view bytes) {
    folder.Write(name, bytes);
    return ChooseAnalysisFile(folder / name, IsDetailedLogName(folder / name));
  }
  TempFolder folder;
};

TEST_F(ChooseFileTest, KindByNameAndFirstLine) {
  struct Case {
    const char* name;
    std::string text;
    LogKind kind;
    int64_t rounds;
  } cases[] = {
      {"x_user1.txt", "BBPPPB\r\n", LogKind::kUserSimple, 6},
      {"x.txt", "BBPPPB\r\n", LogKind::kKindlet, 6},
      {"all_merge2.txt", "BBP\r\nPPB\r\n", LogKind::kKindlet, 6},
      {"ic.txt", testing::MakeInterCasinoLog("PBTB"), LogKind::kInterCasino, 3},
      {"ic_user1.txt", testing::MakeInterCasinoLog("PB"), LogKind::kInterCasino, 2},
      {"d_user2.txt", "1000,B,30,勝ち,1028\r\n1028,P,10,負け,1018\r\n", LogKind::kUserDetailed, 2},
      {"d_merge3.txt", "1000,B,30,勝ち,1028\r\n", LogKind::kUserDetailed, 1},
  };
  for (const Case& c : cases) {
    testing::WriteCp932(folder, c.name, c.text);
    ChosenFile chosen = ChooseAnalysisFile(folder / c.name, IsDetailedLogName(folder / c.name));
    EXPECT_EQ(chosen.message, "") << c.name;
    EXPECT_EQ(chosen.kind, c.kind) << c.name;
    EXPECT_EQ(chosen.rounds, c.rounds) << c.name;
  }
  EXPECT_EQ(std::string(LogKindLabel(LogKind::kUserSimple)), "ユーザ簡易作成");
  EXPECT_EQ(std::string(LogKindLabel(LogKind::kKindlet)), "Kindlet");
}

TEST_F(ChooseFileTest, BadInputIsRefusedWithoutHarm) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>(i % 3 == 0 ? 0 : 0x80 + i % 128));
  EXPECT_EQ(Choose("binary.dat", binary).message, "解析ファイルが不正です");
  EXPECT_EQ(Choose("empty.txt", "").message, "解析ファイルが不正です");
  EXPECT_EQ(Choose("long.txt", std::string(10 * 1024 * 1024, 'x')).message, "解析ファイルが不正です");
  ChosenFile ten_million = Choose("big.txt", std::string(10'000'000, 'B'));
  EXPECT_EQ(ten_million.kind, LogKind::kKindlet);
  EXPECT_EQ(ten_million.rounds, 10'000'000);
}

// Lines of a text cut into pieces anywhere are the lines of the whole text.
TEST(LineSplitterTest, PiecesCutAnywhereGiveTheSameLines) {
  const std::string text = "ab\r\ncd\n\r\ne\rf\r\r\ng";
  const LogLines whole(text);
  for (size_t cut1 = 0; cut1 <= text.size(); ++cut1) {
    for (size_t cut2 = cut1; cut2 <= text.size(); ++cut2) {
      std::vector<std::string> lines;
      auto on_line = [&](std::string_view l) { lines.emplace_back(l); };
      LineSplitter splitter;
      splitter.Feed(std::string_view(text).substr(0, cut1), on_line);
      splitter.Feed(std::string_view(text).substr(cut1, cut2 - cut1), on_line);
      splitter.Feed(std::string_view(text).substr(cut2), on_line);
      splitter.Finish(on_line);
      ASSERT_EQ(lines.size(), whole.size()) << cut1 << "," << cut2;
      for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], whole[i]) << cut1 << "," << cut2;
    }
  }
}

TEST(GeneratedLogTest, WholeTextOfAFourRecordLog) {
  GeneratedLog g = GenerateInterCasinoLog(
      LogLines("1000,P,10,勝ち,1010\r\n1010,B,30,負け,980\r\n980,P,10,負け,970\r\n"
               "970,B,10,勝ち,980\r\n"));
  EXPECT_EQ(g.records, 4);
  EXPECT_EQ(g.damaged, 0);
  EXPECT_EQ(g.DamageMessage(), "");
  const char* expected[] = {
      "ゲーム:Baccarat",
      "ゲーム開始時残高:$1000.00    ゲーム終了時残高:$980.00",
      "テーブルベット:$60.00    ベット数:4",
      "結果:-$20.00",
      "",
      "",
      "プレーヤーの勝ち", "支払済み: $10.00", "最終結果: $10.00", "新しい残高: $1010.00", "",
      "プレーヤーの勝ち", "支払済み: $0.00", "最終結果: -$30.00", "新しい残高: $980.00", "",
      "バンカーの勝ち", "支払済み: $0.00", "最終結果: -$10.00", "新しい残高: $970.00", "",
      "バンカーの勝ち", "支払済み: $10.00", "最終結果: $10.00", "新しい残高: $980.00", "",
  };
  ASSERT_EQ(g.log.size(), std::size(expected));
  for (size_t i = 0; i < g.log.size(); ++i) EXPECT_EQ(g.log[i], expected[i]) << i;
}

TEST(GeneratedLogTest, BankerWinsRoundTheirResultToEven) {
  GeneratedLog g = GenerateInterCasinoLog(LogLines("1000,B,30,勝ち,1028\r\n1028,B,10,勝ち,1038\r\n"));
  EXPECT_EQ(g.log[3], "結果:$38.00");
  EXPECT_EQ(g.log[8], "最終結果: $28.00");   // 28.5 to even
  EXPECT_EQ(g.log[13], "最終結果: $10.00");  // 9.5 to even
}

TEST(GeneratedLogTest, DamagedLinesAreLeftOutAndCounted) {
  GeneratedLog g = GenerateInterCasinoLog(
      LogLines("1000,B,30,勝ち,1028\r\n1028,B,30,勝ち\r\n\r\n1028,B,abc,負け,998\r\n"
               "1028,P,10,引分,1028\r\n1028,P,10,負け,1018\r\n"));
  EXPECT_EQ(g.records, 2);
  EXPECT_EQ(g.damaged, 3);
  EXPECT_EQ(g.first_damaged_line, 2);
  EXPECT_EQ(g.DamageMessage(), "読み込めない行を除いて解析します（3行）\r\n最初の行：2行目");
  EXPECT_EQ(ToOutcomeSequence(g.log).letters, "BB");
}

TEST(GeneratedLogTest, EmptyDetailedLogGivesARoundlessLog) {
  GeneratedLog g = GenerateInterCasinoLog(LogLines(""));
  EXPECT_EQ(g.log[1], "ゲーム開始時残高:$0.00    ゲーム終了時残高:$0.00");
  OutcomeSequence s = ToOutcomeSequence(g.log);
  EXPECT_TRUE(s.valid);
  EXPECT_EQ(s.rounds(), 0);
}

}  // namespace
}  // namespace vessaro
