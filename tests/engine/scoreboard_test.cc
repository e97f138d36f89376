#include "engine/scoreboard.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::FakeClock;
using testing::TempFolder;

TEST(FormatResultCountsTest, SharesRoundHalfUp) {
  EXPECT_EQ(FormatResultCounts(0, 0, 0), "PLAYER：0(0%) BANKER：0(0%) TIE：0(0%)");
  EXPECT_EQ(FormatResultCounts(1, 1, 1), "PLAYER：1(33%) BANKER：1(33%) TIE：1(33%)");
  EXPECT_EQ(FormatResultCounts(1, 7, 0), "PLAYER：1(13%) BANKER：7(88%) TIE：0(0%)");
}

class ScoreboardTest : public ::testing::Test {
 protected:
  std::string Play(Scoreboard& board, std::string_view letters, bool automatic = false,
                   int64_t requested = 0, const char* mode = "完全確率モード") {
    std::string line;
    for (char c : letters) line = board.RecordResult(c, automatic, ++counter, requested, mode);
    return line;
  }
  TempFolder dir;
  FakeClock clock;
  ResultGrid grid;
  int64_t counter = 0;
};

TEST_F(ScoreboardTest, GridAndRecordFollowTheWinners) {
  Scoreboard board(&grid, dir.path(), clock);
  EXPECT_EQ(Play(board, "PPTB"), "PLAYER：2(50%) BANKER：1(25%) TIE：1(25%)");
  EXPECT_EQ(grid.At(0, 0), 'P');
  EXPECT_EQ(grid.At(0, 1), 'P');
  EXPECT_EQ(grid.At(0, 2), 'T');
  EXPECT_EQ(grid.At(1, 0), 'B');
  EXPECT_EQ(board.RecordText(), "B,1,0,1,2,1");
  EXPECT_EQ(grid.selected_column(), 1);
  EXPECT_EQ(grid.selected_row(), 0);
}

TEST_F(ScoreboardTest, FirstTieLeavesTheLetterEmpty) {
  Scoreboard board(&grid, dir.path(), clock);
  Play(board, "T");
  EXPECT_EQ(board.RecordText(), ",0,0,0,0,1");
  Play(board, "P");
  EXPECT_EQ(grid.At(1, 0), 'P');
}

TEST_F(ScoreboardTest, GridGrowsDownAndAcross) {
  Scoreboard board(&grid, dir.path(), clock);
  Play(board, "BBBBBB");
  EXPECT_EQ(grid.rows(), 6);
  EXPECT_EQ(grid.At(0, 5), 'B');
  std::string alternating;
  for (int i = 0; i < 42; ++i) alternating += (i % 2 ? 'B' : 'P');
  Play(board, alternating);
  EXPECT_EQ(grid.columns(), 43);
  EXPECT_EQ(grid.At(0, 5), 'B');  // growth keeps what was there
  grid.Clear();
  EXPECT_EQ(grid.columns(), 41);
  EXPECT_EQ(grid.rows(), 5);
}

TEST_F(ScoreboardTest, WithoutAGridColumnAndRowStayZero) {
  Scoreboard board(nullptr, dir.path(), clock);
  Play(board, "PBBT");
  EXPECT_EQ(board.RecordText(), "B,0,0,2,1,1");
}

TEST_F(ScoreboardTest, ManualPlayWritesNoHistory) {
  Scoreboard board(&grid, dir.path(), clock);
  Play(board, std::string(300, 'P'));
  board.FlushHistory();
  EXPECT_FALSE(FolderExists(dir / "history") && !ListFiles(dir / "history").empty());
}

TEST_F(ScoreboardTest, AutomaticRunWritesHundredsThenTheRest) {
  Scoreboard board(nullptr, dir.path(), clock);
  std::string letters;
  for (int i = 0; i < 250; ++i) letters += (i % 3 ? 'B' : 'P');
  Play(board, letters, true, 250, "天国モード");
  board.FlushHistory();
  auto lines = ReadTextLines(dir / "history/Tengoku20240101.txt");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], letters.substr(0, 100));
  EXPECT_EQ(lines[1], letters.substr(100, 100));
  EXPECT_EQ(lines[2], letters.substr(200));
}

TEST_F(ScoreboardTest, TiesAtTheEndGiveAnEmptyLineAndRunsAppend) {
  Scoreboard board(nullptr, dir.path(), clock);
  Play(board, std::string(100, 'B') + "TT", true, 102);
  counter = 0;
  board.ResetHistoryBuffer();
  Play(board, "PTP", true, 3);
  board.FlushHistory();
  EXPECT_EQ(ReadWholeFile(dir / "history/Normal20240101.txt"),
            std::string(100, 'B') + "\r\n\r\nPP\r\n");
}

TEST_F(ScoreboardTest, RunPastMidnightMovesToTheNextDay) {
  Scoreboard board(nullptr, dir.path(), clock);
  Play(board, std::string(100, 'P'), true, 150, "地獄モード");
  clock.local = DateTime{2024, 1, 2, 0, 0, 1, 0};
  Play(board, std::string(50, 'B'), true, 150, "地獄モード");
  board.FlushHistory();
  EXPECT_EQ(ReadTextLines(dir / "history/Jigoku20240101.txt"), std::vector<std::string>{std::string(100, 'P')});
  EXPECT_EQ(ReadTextLines(dir / "history/Jigoku20240102.txt"), std::vector<std::string>{std::string(50, 'B')});
}

TEST(HistoryFilePathTest, PrefixPerMode) {
  DateTime d{2024, 1, 1};
  const char* expected[] = {"Normal", "CryptoLogic", "PlayTech", "Tengoku", "Jigoku", "SuperJigoku"};
  const char* modes[] = {"完全確率モード", "クリプトロジックモード", "プレイテックモード",
                         "天国モード",     "地獄モード",             "スーパー地獄モード"};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(HistoryFilePath("/p", modes[i], d), fs::path("/p/history") / (std::string(expected[i]) + "20240101.txt"));
}

TEST(LastRoundRecordTest, ParseIsForgiving) {
  LastRoundRecord r = LastRoundRecord::Parse("P,3,1,4,5,6");
  EXPECT_FALSE(r.empty);
  EXPECT_EQ(r.Text(), "P,3,1,4,5,6");
  EXPECT_TRUE(LastRoundRecord::Parse("P,x,1,4,5,6").empty);
  EXPECT_TRUE(LastRoundRecord::Parse("").empty);
}

}  // namespace
}  // namespace vessaro
