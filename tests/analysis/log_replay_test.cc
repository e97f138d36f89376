// The log replay: settlement against the recorded winners, streaks and counts, the graph file and
// its summary, early ends, cancelling, yielding and the refusals of the preparation.
#include "analysis/log_replay.h"

#include <gtest/gtest.h>

#include "analysis/log_samples.h"
#include "analysis/sample_files.h"
#include "autosim/system_sources.h"
#include "common/text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "systems/special_pattern.h"

namespace vessaro {
namespace {

using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeEventPump;
using testing::TempFolder;

class RecordingObserver : public ReplayObserver {
 public:
  void OnProgress(int64_t done, int64_t total) override { progress.emplace_back(done, total); }
  void OnReadingLog(int percent) override { reading.push_back(percent); }
  void ShowGraph(const fs::path& file, int64_t rounds) override {
    shown = file;
    shown_rounds = rounds;
  }
  std::vector<std::pair<int64_t, int64_t>> progress;
  std::vector<int> reading;
  fs::path shown;
  int64_t shown_rounds = -1;
};

class LogReplayTest : public ::testing::Test {
 protected:
  LogReplayTest() {
    EnsureFolder(BetPatternFolder(folder.path()));
    System("flat10", {{"10", "1", "1"}});
    Pattern("banker", {{"B", "1", "1"}});
  }
  void System(const char* name, std::vector<CardFields> cards) {
    cards.resize(60);
    WriteCardFile(SystemFilePath(folder.path(), name), cards);
  }
  void Pattern(const char* name, std::vector<CardFields> cards) {
    cards.resize(20);
    WriteCardFile(PatternFilePath(folder.path(), name), cards);
  }
  ReplayResult Replay(std::string_view winners, const char* system = "flat10", const char* pattern = "banker") {
    testing::WriteCp932(folder, "history/ic.txt", testing::MakeInterCasinoLog(winners));
    return replay.Run(ReplayRequest{folder / "history/ic.txt", LogKind::kInterCasino, system, pattern}, observer);
  }
  std::vector<std::string> GraphLines(const ReplayResult& r) { return ReadTextLines(r.graph_file); }

  TempFolder folder;
  FakeDialogs dialogs;
  FakeEventPump pump;
  FakeClock clock;
  SystemsRunSourceLoader loader;
  RecordingObserver observer;
  LogReplay replay{folder.path(), dialogs, pump, clock, loader};
};

TEST(ReplaySettlementTest, EachWinnerAgainstEachSide) {
  struct Case {
    BetSide side;
    char winner;
    BetOutcome outcome;
    Cents payout;
    int64_t after;
  } cases[] = {
      {BetSide::kPlayer, 'P', BetOutcome::kWin, 2000, 1010},  {BetSide::kBanker, 'B', BetOutcome::kWin, 1950, 1010},
      {BetSide::kBanker, 'T', BetOutcome::kTie, 1000, 1000},  {BetSide::kPlayer, 'T', BetOutcome::kTie, 1000, 1000},
      {BetSide::kBanker, 'P', BetOutcome::kLoss, 0, 990},     {BetSide::kPlayer, 'B', BetOutcome::kLoss, 0, 990},
  };
  for (const Case& c : cases) {
    ReplaySettlement s = SettleReplayRound(1000, c.side, 10, c.winner);
    EXPECT_EQ(s.outcome, c.outcome) << c.winner;
    EXPECT_EQ(s.payout, c.payout) << c.winner;
    EXPECT_EQ(s.balance_after, c.after) << c.winner;  // 1009.5 to even
  }
  EXPECT_EQ(SettleReplayRound(990, BetSide::kBanker, 10, 'B').balance_after, 1000);  // 999.5 to even
  EXPECT_EQ(SettleReplayRound(1000, BetSide::kBanker, 30, 'B').balance_after, 1028);
}

TEST_F(LogReplayTest, WorkedExampleOfFourRounds) {
  ReplayResult r = Replay("PBTB");
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(r.rounds_replayed, 4);
  EXPECT_EQ(r.graph_file, folder / "Graph/202401011300_TmpGraph.txt");
  const std::vector<std::string> lines = GraphLines(r);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "1000,1000,flat10,banker");
  EXPECT_EQ(lines[1], "990,990");
  EXPECT_EQ(lines[2], "1000,999");  // the log's own balance: 999.50, whole dollars
  EXPECT_EQ(lines[3], "1000,999");
  EXPECT_EQ(lines[4], "1010,1009");
  EXPECT_EQ(lines[5],
            "【試行回数：4  PLAYER:1(25.00 %) BANKER:2(50.00 %) TIE:1(25.00 %)  合計IN：40.00 合計OUT：49.00　"
            "ペイアウト: 122.50 % 　平均ベット： 10.00】 ");
  EXPECT_EQ(lines[6],
            "【最大ベット: 10.00  最大損失時残高：990.00  最大ドローダウン: 1.00 %  最大連勝数： 2  最大連敗数： 1  "
            "勝ち：2回(50.00 %) 負け：1回(25.00 %) 引分：1回(25.00 %) 】");
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"解析が終了しました。グラフを表示します"});
  EXPECT_EQ(observer.shown, r.graph_file);
  EXPECT_EQ(observer.shown_rounds, 4);
  EXPECT_FALSE(replay.running());
}

TEST_F(LogReplayTest, TieBetweenWinsKeepsTheStreak) {
  ReplayResult r = Replay("BTB");
  const std::vector<std::string> lines = GraphLines(r);
  ASSERT_EQ(lines.size(), 6u);  // header, three rounds, two summary lines
  EXPECT_NE(lines[5].find("最大連勝数： 2  最大連敗数： 0"), std::string::npos) << lines[5];
}

TEST_F(LogReplayTest, StakeZeroStopsAtTheFirstRound) {
  System("zero", {{"0", "1", "1"}});
  ReplayResult r = Replay("BBPB", "zero");
  EXPECT_FALSE(r.completed);
  EXPECT_TRUE(r.settings_error);
  EXPECT_EQ(r.rounds_replayed, 0);
  EXPECT_EQ(dialogs.messages,
            (std::vector<std::string>{"続行不能なエラーが発生しました", "0/4回で終了しました。再生した回までのグラフを表示します"}));
  EXPECT_EQ(GraphLines(r), (std::vector<std::string>{"1000,1000,zero,banker", "", ""}));
  EXPECT_EQ(observer.shown_rounds, 0);
}

TEST_F(LogReplayTest, BrokenChainEndsWithAGraphOfTheRoundsReplayed) {
  Pattern("short", {{"B", "1", ""}});  // no card after a loss
  ReplayResult r = Replay("BBPBB", "flat10", "short");
  EXPECT_TRUE(r.settings_error);
  EXPECT_EQ(r.rounds_replayed, 3);
  EXPECT_EQ(dialogs.messages.front(), "続行不能なエラーが発生しました(パターン設定)");
  const std::vector<std::string> lines = GraphLines(r);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[3], "1010,1009");  // 1009.5 to 1010, 1019.5 to 1020, then a loss
  // Averages and shares over the three rounds played, not the log's five.
  EXPECT_EQ(lines[4].substr(0, std::string("【試行回数：3  PLAYER:1(33.33 %) BANKER:2(66.67 %)").size()),
            "【試行回数：3  PLAYER:1(33.33 %) BANKER:2(66.67 %)");
  EXPECT_NE(lines[4].find("平均ベット： 10.00"), std::string::npos);
  EXPECT_EQ(observer.shown_rounds, 3);

  System("nosecond", {{"10", "", "1"}});  // no card after a win
  dialogs.messages.clear();
  r = Replay("BBP", "nosecond");
  EXPECT_EQ(dialogs.messages.front(), "続行不能なエラーが発生しました(システム設定)");
  EXPECT_EQ(r.rounds_replayed, 1);
}

TEST_F(LogReplayTest, SpecialPatternReadsTheReplaysOwnRecord) {
  // Rule 3 of the fixed strategy compares the record's fourth and fifth fields: in a replay they
  // hold the Player and the Banker counts, the other way round from the table's record.
  SpecialPatternDefinition definition;
  definition.strategy = SpecialPatternDefinition::Strategy::kFixed;
  definition.otherbets = "B";
  definition.select = 3;
  WriteWholeFile(SpecialPatternFilePath(folder.path(), "counts"), MakeSpecialPatternText(definition));
  ReplayResult r = Replay("BBPP", "flat10", "counts");
  ASSERT_TRUE(r.completed);
  // Sides B (no record yet), then P, P, P: the balances 1010 (won), 1000, 1010, 1020.
  const std::vector<std::string> lines = GraphLines(r);
  EXPECT_EQ(lines[1].substr(0, 5), "1010,");
  EXPECT_EQ(lines[2].substr(0, 5), "1000,");
  EXPECT_EQ(lines[3].substr(0, 5), "1010,");
  EXPECT_EQ(lines[4].substr(0, 5), "1020,");
}

TEST_F(LogReplayTest, CancelEndsLikeAnEarlyStop) {
  clock.monotonic_step = LogReplay::kYieldMillis;  // a yield before every round
  int yields = 0;
  pump.on_process = [&] {
    if (++yields == 4) replay.RequestStop();
  };
  ReplayResult r = Replay(std::string(50, 'B'));
  EXPECT_TRUE(r.cancelled);
  EXPECT_FALSE(r.settings_error);
  EXPECT_EQ(r.rounds_replayed, 2);  // yields before rounds 1, 2 and 3 (the first at the start)
  EXPECT_EQ(GraphLines(r).size(), 5u);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"2/50回で終了しました。再生した回までのグラフを表示します"});
}

TEST_F(LogReplayTest, YieldsOnlyAsTimePasses) {
  clock.monotonic_step = 1;  // 1 ms per clock read: a yield every fifteen reads or so
  ReplayResult r = Replay(std::string(300, 'P'));
  ASSERT_TRUE(r.completed);
  ASSERT_GE(observer.progress.size(), 10u);
  EXPECT_LE(observer.progress.size(), 40u);
  EXPECT_EQ(observer.progress.front().first, 1);  // shown before the first round
  EXPECT_EQ(observer.progress.front().second, 300);
  EXPECT_EQ(static_cast<size_t>(pump.process_calls), observer.progress.size() + observer.reading.size());
  EXPECT_TRUE(pump.sleeps.empty());
  EXPECT_TRUE(pump.pauses.empty());
}

TEST_F(LogReplayTest, EveryRoundOfALongLogIsReplayed) {
  ReplayResult r = Replay(testing::MakeOutcomeLetters(60000, 3));
  EXPECT_TRUE(r.completed);
  EXPECT_EQ(r.rounds_replayed, 60000);
  EXPECT_EQ(GraphLines(r).size(), 60003u);
}

TEST_F(LogReplayTest, DetailedLogReplaysItsGeneratedLog) {
  testing::WriteCp932(folder, "history/d_user2.txt", "1000,B,30,勝ち,1028\r\nbroken\r\n1028,P,10,負け,1018\r\n");
  ReplayResult r = replay.Run(ReplayRequest{folder / "history/d_user2.txt", LogKind::kUserDetailed, "flat10", "banker"},
                              observer);
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(dialogs.messages.front(), "読み込めない行を除いて解析します（1行）\r\n最初の行：2行目");
  const std::vector<std::string> lines = GraphLines(r);
  EXPECT_EQ(lines[0], "1000,1000,flat10,banker");
  EXPECT_EQ(lines[1], "1010,1028");  // (B, 勝ち): Banker won, and the log's own balance
  EXPECT_EQ(lines[2], "1020,1018");  // (P, 負け): Banker won again
  EXPECT_EQ(ListFiles(folder / "history").size(), 1u);  // nothing generated is left behind
}

TEST_F(LogReplayTest, MergedDetailedLogsReplayAsOneLog) {
  // Two days merged: the second day's balances simply follow the first's records.
  testing::WriteCp932(folder, "history/days_merge3.txt",
                      "1000,B,30,勝ち,1028\r\n1028,P,10,負け,1018\r\n500,P,10,勝ち,510\r\n");
  ReplayResult r = replay.Run(ReplayRequest{folder / "history/days_merge3.txt", LogKind::kUserDetailed, "flat10", "banker"},
                              observer);
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(r.rounds_replayed, 3);
  const std::vector<std::string> lines = GraphLines(r);
  EXPECT_EQ(lines[3], "1010,510");  // (P, 勝ち): Player won, the Banker bet lost
}

TEST_F(LogReplayTest, UnreadableLogBalancesRepeatTheOneBefore) {
  std::string log = testing::MakeInterCasinoLog("PBB");
  log = ReplaceAll(log, "新しい残高: $999.50", "新しい残高: $abc");
  testing::WriteCp932(folder, "history/ic.txt", log);
  ReplayResult r = replay.Run(ReplayRequest{folder / "history/ic.txt", LogKind::kInterCasino, "flat10", "banker"}, observer);
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(dialogs.messages.front(), "ログの残高を読み取れない回がありました（1回）\r\nその回はひとつ前の残高で表示します");
  const std::vector<std::string> lines = GraphLines(r);
  EXPECT_EQ(lines[1], "990,990");
  EXPECT_EQ(lines[2], "1000,990");
  EXPECT_EQ(lines[3], "1010,1009");
}

TEST_F(LogReplayTest, PreparationRefusals) {
  testing::WriteCp932(folder, "history/ic.txt", testing::MakeInterCasinoLog("PB"));
  testing::WriteCp932(folder, "history/k.txt", "BBPP\r\n");
  SpecialPatternDefinition faces;
  faces.strategy = SpecialPatternDefinition::Strategy::kCondition;
  faces.otherbets = "B";
  faces.face_enabled = true;
  faces.face_list = "missing";
  WriteWholeFile(SpecialPatternFilePath(folder.path(), "faces"), MakeSpecialPatternText(faces));
  struct Case {
    const char* file;
    const char* system;
    const char* pattern;
    const char* message;
  } cases[] = {
      {"history/none.txt", "flat10", "banker", "解析ファイルが存在しません"},
      {"history/ic.txt", "", "banker", "システムとパターンを選択してください"},
      {"history/ic.txt", "flat10", "", "システムとパターンを選択してください"},
      {"history/ic.txt", "other", "banker", "システムまたはパターンファイルが存在しません"},
      {"history/ic.txt", "flat10", "other", "システムまたはパターンファイルが存在しません"},
      {"history/ic.txt", "flat10", "faces", "フェイスファイルが存在しません"},
      {"history/k.txt", "flat10", "banker", "インターカジノのログまたはユーザ詳細作成のログではありません"},
  };
  for (const Case& c : cases) {
    dialogs.messages.clear();
    ReplayResult r = replay.Run(ReplayRequest{folder / c.file, LogKind::kInterCasino, c.system, c.pattern}, observer);
    EXPECT_FALSE(r.started) << c.message;
    ASSERT_FALSE(dialogs.messages.empty()) << c.message;
    EXPECT_NE(dialogs.messages[0].find(c.message), std::string::npos) << dialogs.messages[0];
  }
  EXPECT_FALSE(FolderExists(folder / "Graph"));
}

TEST_F(LogReplayTest, GraphNamesOfTheSameMinute) {
  ReplayResult first = Replay("PB");
  ReplayResult again = replay.Run(ReplayRequest{folder / "history/ic.txt", LogKind::kInterCasino, "flat10", "banker", true},
                                  observer);
  EXPECT_EQ(again.graph_file, folder / "Graph/202401011300_TmpGraph_2.txt");
  EXPECT_TRUE(FileExists(first.graph_file));
  ReplayResult replaced = Replay("B");
  EXPECT_EQ(replaced.graph_file, first.graph_file);
  EXPECT_EQ(GraphLines(replaced).size(), 4u);
}

TEST(WholeDollarsTest, LogAmounts) {
  EXPECT_EQ(WholeDollars("ゲーム開始時残高:$1,000.00    ゲーム終了時残高:$980.00"), 1000);
  EXPECT_EQ(WholeDollars("新しい残高: $999.50"), 999);
  EXPECT_EQ(WholeDollars("新しい残高: $12"), 12);
  EXPECT_EQ(WholeDollars("新しい残高: -$5.00"), -5);
  EXPECT_EQ(WholeDollars("新しい残高: $-20.00"), -20);
  EXPECT_EQ(WholeDollars("新しい残高: $abc"), std::nullopt);
  EXPECT_EQ(WholeDollars("新しい残高: 100"), std::nullopt);
}

}  // namespace
}  // namespace vessaro
