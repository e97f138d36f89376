#include "autosim/run_driver.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "common/hex.h"
#include "common/text.h"
#include "support/child_process.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeEventPump;
using testing::TempFolder;

// A table whose rounds end as scripted: money through the real bets and settlement.
class ScriptedTable : public RunTable {
 public:
  explicit ScriptedTable(std::string winners) : winners_(std::move(winners)) {
    settings_.minimum = 1;
    settings_.maximum = 500;
    settings_.outcome_mode = "完全確率モード";
    bets_.style = MoneyTextStyle::kProcessingOnly;
  }
  void BeginRun(int64_t) override {
    SetBalance(bets_, start_, FormatCents(start_));
    counter_ = 0;
    begun = true;
  }
  const TableSettings& Settings() const override { return settings_; }
  Cents Balance() const override { return bets_.balance; }
  std::string BalanceText() const override { return bets_.balance_text; }
  std::string StatisticsLine() const override { return FormatResultCounts(p_, b_, t_); }
  const LastRoundRecord& LastRound() const override { return record_; }
  int64_t RoundCounter() const override { return counter_; }
  BetResult PlaceStake(BetSide side, int64_t stake) override {
    bets_.player_stake = bets_.banker_stake = bets_.table_stake = 0;
    return PlaceAutoStake(bets_, side, stake, settings_.maximum);
  }
  void DealAndSettle(SettledRound& out) override {
    const char w = winners_.empty() ? 'B' : winners_[counter_ % winners_.size()];
    const BetSide side = bets_.StakedSide();
    const int64_t stake = bets_.player_stake + bets_.banker_stake;
    out.outcome = Settle(bets_, w, true);
    out.winner = w;
    out.round = ++counter_;
    out.payout = Payout(side, stake, w);
    out.payout_text = bets_.winnings_text;
    out.balance_text = bets_.balance_text;
    out.player_cards = "D1→D2";
    out.banker_cards = "S3→S4";
    (w == 'P' ? p_ : w == 'B' ? b_ : t_)++;
  }
  void FlushFiles() override {}
  void EndRun() override { ended = true; }

  TableSettings settings_;
  Cents start_ = 100000;
  bool begun = false, ended = false;

 private:
  std::string winners_;
  BetState bets_;
  LastRoundRecord record_;
  int64_t counter_ = 0;
  int64_t p_ = 0, b_ = 0, t_ = 0;
};

class ScriptedSystem : public RunSystem {
 public:
  StakeAsked Stake(int card, Cents, std::string_view) override {
    if (cards_seen) cards_seen->push_back(card);
    return {stake_of(card), ""};
  }
  int Next(BetOutcome outcome, int card, Cents) override {
    return outcome == BetOutcome::kTie ? card : outcome == BetOutcome::kWin ? win_next : lose_next;
  }
  std::function<std::string(int)> stake_of = [](int) { return std::string("10"); };
  int win_next = 1, lose_next = 1;
  std::vector<int>* cards_seen = nullptr;
};

class ScriptedPattern : public RunPattern {
 public:
  bool fixed() const override { return true; }
  BetSide Side(int card, std::string_view history, const LastRoundRecord&) override {
    if (histories) histories->emplace_back(history);
    return side;
  }
  int Next(BetOutcome outcome, int card) override { return outcome == BetOutcome::kTie ? card : next; }
  BetSide side = BetSide::kBanker;
  int next = 1;
  std::vector<std::string>* histories = nullptr;
};

class ScriptedLoader : public RunSourceLoader {
 public:
  RunSources Load(const fs::path&, std::string_view, std::string_view) override {
    RunSources s;
    if (!message.empty()) {
      s.message = message;
      return s;
    }
    auto sys = std::make_unique<ScriptedSystem>(system);
    auto pat = std::make_unique<ScriptedPattern>(pattern);
    sys->cards_seen = &cards_seen;
    pat->histories = &histories;
    s.system = std::move(sys);
    s.pattern = std::move(pat);
    return s;
  }
  ScriptedSystem system;
  ScriptedPattern pattern;
  std::vector<int> cards_seen;  // what the run's system and pattern were asked
  std::vector<std::string> histories;
  std::string message;
};

class RecordingObserver : public RunObserver {
 public:
  void OnLogFile(const fs::path& p) override { log = p; }
  void OnProgress(int64_t done, int64_t total) override { progress.emplace_back(done, total); }
  void ShowGraph(const fs::path& g, int64_t rounds) override { graphs.emplace_back(g, rounds); }
  fs::path log;
  std::vector<std::pair<int64_t, int64_t>> progress;
  std::vector<std::pair<fs::path, int64_t>> graphs;
};

class RunDriverTest : public ::testing::Test {
 protected:
  RunResult Run(RunTable& table, std::string trials, RunKind kind = RunKind::kProcessingOnly) {
    RunRequest r;
    r.kind = kind;
    r.system_name = "sys";
    r.pattern_name = "pat";
    r.trials_text = std::move(trials);
    r.log_field = (dir / "log/2024010113logfile.txt").string();
    r.limits = limits;
    return driver.Run(r, table, observer);
  }
  std::vector<std::string> Lines(const fs::path& p) { return ReadTextLines(p); }

  TempFolder dir;
  FakeDialogs dialogs;
  FakeEventPump pump;
  FakeClock clock;
  ScriptedLoader loader;
  RecordingObserver observer;
  StopLimits limits;
  RunDriver driver{dir.path(), dialogs, pump, clock, loader};
};

TEST_F(RunDriverTest, ThreeRoundRunWritesTheWorkedGraphLines) {
  ScriptedTable table("BPB");
  RunResult r = Run(table, "3");
  ASSERT_TRUE(r.started);
  EXPECT_EQ(r.auto_log, dir / "log/20240101130000Auto.txt");
  EXPECT_EQ(r.graph_file, dir / "Graph/202401011300_TmpGraph.txt");
  auto graph = Lines(r.graph_file);
  ASSERT_EQ(graph.size(), 6u);
  EXPECT_EQ(graph[0], "1000,3,sys,pat");
  EXPECT_EQ(graph[1], "1010,1010");
  EXPECT_EQ(graph[2], "1000,1000");
  EXPECT_EQ(graph[3], "1009,1009");
  EXPECT_TRUE(StartsWith(graph[4], "試行回数：3 "));
  EXPECT_TRUE(StartsWith(graph[5], "最大ベット：10.00 "));
  auto log = Lines(r.auto_log);
  ASSERT_EQ(log.size(), 7u);
  EXPECT_EQ(log[0], "----------【2024/01/01 13:00】完全確率モード 試行回数:3 ----------");
  EXPECT_EQ(log[1], "");
  EXPECT_EQ(log[2], "ラウンド：1 ベット額：10 獲得賞金：19.50 【残高：1009.50】 PLAYER：0(D1→D2) BANKER：0(S3→S4)");
  EXPECT_EQ(log[3], "ラウンド：2 ベット額：10 獲得賞金：0 【残高：999.50】 PLAYER：0(D1→D2) BANKER：0(S3→S4)");
  EXPECT_EQ(log[6], "---------------試行回数3　終了---------------");
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"終了しました。グラフを表示します"});
  ASSERT_EQ(observer.graphs.size(), 1u);
  EXPECT_EQ(observer.graphs[0].second, 3);
  EXPECT_EQ(observer.log, r.auto_log);
  EXPECT_TRUE(table.ended);
}

TEST_F(RunDriverTest, ZeroRoundsWriteFourLinesAndDeleteTheGraph) {
  for (const char* trials : {"0", "abc", "-3"}) {
    FakeDialogs d;
    RunDriver driver2(dir.path(), d, pump, clock, loader);
    ScriptedTable table("B");
    clock.local.second += 1;
    RunRequest req;
    req.system_name = "s";
    req.pattern_name = "p";
    req.trials_text = trials;
    RunResult r = driver2.Run(req, table, observer);
    auto log = Lines(r.auto_log);
    ASSERT_EQ(log.size(), 4u) << trials;
    EXPECT_EQ(log[2], kEmptyStatisticsLine);
    EXPECT_EQ(log[3], "---------------試行回数0　終了---------------");
    EXPECT_FALSE(FileExists(r.graph_file));
    EXPECT_EQ(d.messages.back(),
              "試行回数が0回です\r\nテーブルレートとシステムの開始ベットの確認してください\r\nまた、残高とシステム開始ベットの確認をしてください");
  }
}

TEST_F(RunDriverTest, RoundLimitsPerKind) {
  struct Case {
    RunKind kind;
    const char* trials;
    bool starts;
  } cases[] = {{RunKind::kGui, "10000", true},
               {RunKind::kGui, "10001", false},
               {RunKind::kProcessingOnly, "1000000", true},
               {RunKind::kProcessingOnly, "1000001", false},
               {RunKind::kProcessingOnly, "99999999999999999999999", false}};
  for (const Case& c : cases) {
    // A stake above the maximum ends every accepted run in its first round.
    loader.system.stake_of = [](int) { return std::string("501"); };
    ScriptedTable table("B");
    FakeDialogs d;
    RunDriver drv(dir.path(), d, pump, clock, loader);
    RunRequest req;
    req.kind = c.kind;
    req.system_name = "s";
    req.pattern_name = "p";
    req.trials_text = c.trials;
    EXPECT_EQ(drv.Run(req, table, observer).started, c.starts) << c.trials;
    if (!c.starts) {
      EXPECT_EQ(d.messages.front(), c.kind == RunKind::kGui ? run_texts::kGuiLimit : run_texts::kProcessingLimit);
      EXPECT_FALSE(table.begun);
    }
  }
}

TEST_F(RunDriverTest, ChoosingNothingRefusesTheStart) {
  ScriptedTable table("B");
  RunRequest req;
  req.pattern_name = "p";
  EXPECT_FALSE(driver.Run(req, table, observer).started);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"システムとパターンを選択してください"});
}

TEST_F(RunDriverTest, MissingFilesLeaveOnlyTheHeader) {
  loader.message = run_texts::kFilesMissing;
  ScriptedTable table("B");
  RunResult r = Run(table, "10");
  EXPECT_FALSE(r.started);
  EXPECT_EQ(Lines(r.auto_log).size(), 1u);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"システムまたはパターンファイルが存在しません"});
  EXPECT_TRUE(table.ended);
  EXPECT_FALSE(driver.running());
}

TEST_F(RunDriverTest, StakeAboveTheMaximumStopsInRoundOne) {
  loader.system.stake_of = [](int) { return std::string("600"); };
  ScriptedTable table("B");
  RunResult r = Run(table, "10");
  EXPECT_EQ(r.rounds_played, 0);
  EXPECT_EQ(r.end_label, "途中終了");
  auto log = Lines(r.auto_log);
  // The stop line is the pending text (empty), a line break and the message.
  EXPECT_EQ(log[2], "");
  EXPECT_EQ(log[3], "続行不能なエラーが発生しました");
  EXPECT_EQ(log.back(), "---------------試行回数0　途中終了---------------");
  EXPECT_EQ(dialogs.messages.front(), "続行不能なエラーが発生しました");
  EXPECT_FALSE(FileExists(r.graph_file));
}

TEST_F(RunDriverTest, StopReasonsAndTheirMessages) {
  struct Case {
    const char* why;
    std::function<void(ScriptedLoader&, ScriptedTable&)> setup;
    RunKind kind;
    std::string log_line;
    std::string message;
    RunEnd end;
  } cases[] = {
      {"side 0", [](ScriptedLoader& l, ScriptedTable&) { l.pattern.side = BetSide::kNone; },
       RunKind::kProcessingOnly, "続行不能なエラーが発生しました", "続行不能なエラーが発生しました。パターンカード番号1",
       RunEnd::kSettingsError},
      {"side 0 on the table", [](ScriptedLoader& l, ScriptedTable&) { l.pattern.side = BetSide::kNone; },
       RunKind::kGui, "続行不能なエラーが発生しました", "続行不能なエラーが発生しました", RunEnd::kSettingsError},
      {"empty stake", [](ScriptedLoader& l, ScriptedTable&) { l.system.stake_of = [](int) { return std::string(); }; },
       RunKind::kProcessingOnly, "続行不能なエラーが発生しました", "続行不能なエラーが発生しました。システムカード番号1",
       RunEnd::kSettingsError},
      {"pattern jump", [](ScriptedLoader& l, ScriptedTable&) { l.pattern.next = 0; }, RunKind::kProcessingOnly,
       "パターン設定に誤りがあります", "続行不能なエラーが発生しました", RunEnd::kSettingsError},
      {"system jump", [](ScriptedLoader& l, ScriptedTable&) { l.system.lose_next = 0; }, RunKind::kProcessingOnly,
       "システム設定に誤りがあります", "続行不能なエラーが発生しました", RunEnd::kSettingsError},
      {"balance short", [](ScriptedLoader&, ScriptedTable& t) { t.start_ = 500; }, RunKind::kProcessingOnly,
       "残高が足りません 残高＝5.00 賭け額＝10.00", "残高が足りません 残高＝5.00 賭け額＝10.00", RunEnd::kBalance},
      {"broke", [](ScriptedLoader&, ScriptedTable& t) { t.start_ = 99; }, RunKind::kProcessingOnly,
       "続行不能なエラーが発生しました", "続行不能なエラーが発生しました", RunEnd::kBalance},
  };
  for (const Case& c : cases) {
    ScriptedLoader l;
    ScriptedTable table("P");
    c.setup(l, table);
    FakeDialogs d;
    RunDriver drv(dir.path(), d, pump, clock, l);
    clock.local.second += 1;
    RunRequest req;
    req.kind = c.kind;
    req.system_name = "s";
    req.pattern_name = "p";
    req.trials_text = "5";
    // When the message box appears, the files already say everything: a kill while it waits
    // loses nothing.
    std::string log_at_message;
    d.on_message = [&](std::string_view) {
      if (log_at_message.empty()) log_at_message = ReadTextFile(observer.log);
    };
    RunResult r = drv.Run(req, table, observer);
    auto log = Lines(r.auto_log);
    ASSERT_GE(log.size(), 4u) << c.why;
    EXPECT_EQ(log[log.size() - 3], c.log_line) << c.why;
    ASSERT_FALSE(d.messages.empty()) << c.why;
    EXPECT_EQ(d.messages.front(), c.message) << c.why;
    EXPECT_EQ(r.end_label, "途中終了") << c.why;
    EXPECT_EQ(r.end, c.end) << c.why;
    EXPECT_EQ(log_at_message, ReadTextFile(r.auto_log)) << c.why;
  }
}

TEST_F(RunDriverTest, CancelAfterFiftyRounds) {
  ScriptedTable table("BPT");
  clock.monotonic_step = RunDriver::kYieldMillis;  // every round yields
  pump.on_process = [&] {
    if (table.RoundCounter() == 50) driver.RequestStop();
  };
  RunResult r = Run(table, "1000");
  EXPECT_EQ(r.rounds_played, 50);
  EXPECT_EQ(r.end_label, "途中終了");
  EXPECT_TRUE(StartsWith(r.summary1, "試行回数：50 "));
  auto log = Lines(r.auto_log);
  EXPECT_EQ(log.back(), "---------------試行回数50　途中終了---------------");
  EXPECT_EQ(Lines(r.graph_file).size(), 1u + 50u + 2u);
  // The files end in whole lines.
  EXPECT_TRUE(EndsWith(ReadWholeFile(r.auto_log), "\r\n"));
  EXPECT_TRUE(EndsWith(ReadWholeFile(r.graph_file), "\r\n"));
  ASSERT_FALSE(observer.progress.empty());
  EXPECT_EQ(observer.progress.back().second, 1000);
}

TEST_F(RunDriverTest, StopLimitsEndTheRunBeforeTheRoundThatStartsBeyond) {
  limits = StopLimits{100, 100};
  loader.system.stake_of = [](int) { return std::string("50"); };
  ScriptedTable table("P");  // +50 a round: 1050, 1100, then 1150 is beyond
  RunResult r = Run(table, "10");
  EXPECT_EQ(r.rounds_played, 3);
  EXPECT_EQ(r.end, RunEnd::kStopLimit);
  EXPECT_EQ(dialogs.messages.front(), "終了条件に達しました");
}

// A run that stopped early is thinned by the rounds it played, and its progress shows that count
// when the stop is told.
TEST_F(RunDriverTest, AnEarlyStopShowsAndThinsByTheRoundsPlayed) {
  limits = StopLimits{100, 100};
  loader.system.stake_of = [](int) { return std::string("2"); };
  ScriptedTable table("P");  // +2 a round: round 51 would start at 1102
  std::pair<int64_t, int64_t> progress_at_message;
  dialogs.on_message = [&](std::string_view text) {
    if (text == run_texts::kStopConditionReached) progress_at_message = observer.progress.back();
  };
  RunResult r = Run(table, "1000000");
  EXPECT_EQ(r.rounds_played, 51);
  EXPECT_EQ(progress_at_message, (std::pair<int64_t, int64_t>{51, 1000000}));
  ASSERT_EQ(observer.graphs.size(), 1u);
  EXPECT_EQ(observer.graphs[0].second, 51);
  EXPECT_EQ(driver.last_run_rounds(), 51);
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"終了条件に達しました", "終了しました。グラフを表示します"}));
}

// A file that cannot be written stops the run at once with that file's message, and nothing
// pretends the run went well or blames the table limits.
TEST_F(RunDriverTest, AGraphFileThatCannotBeReplacedStopsTheStartWithItsMessage) {
  ASSERT_TRUE(EnsureFolder(dir / "Graph/202401011300_TmpGraph.txt"));  // a folder where the file goes
  ScriptedTable table("BP");
  RunResult r = Run(table, "100");
  EXPECT_FALSE(r.started);
  EXPECT_EQ(r.end, RunEnd::kFileError);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(StartsWith(dialogs.messages[0], "ファイルを削除できませんでした。")) << dialogs.messages[0];
  EXPECT_TRUE(observer.graphs.empty());
  EXPECT_FALSE(driver.running());
}

TEST_F(RunDriverTest, AFullDiskMidRunKeepsEveryFileWholeAndTrue) {
  ScriptedTable table("BPBT");
  clock.monotonic_step = RunDriver::kYieldMillis;  // every round writes its lines
  // The auto log reaches the limit after a few hundred rounds; the graph lines are shorter.
  const int code = testing::WithFileSizeLimit(30000, [&] {
    RunResult r = Run(table, "100000");
    std::string report = std::to_string(static_cast<int>(r.end)) + "\n" + std::to_string(r.rounds_played) + "\n";
    for (const std::string& m : dialogs.messages) report += ReplaceAll(m, "\r\n", " ") + "\n";
    WriteTextFile(dir / "report.txt", report);
    return 0;
  });
  ASSERT_EQ(code, 0);
  const std::vector<std::string> report = Lines(dir / "report.txt");
  ASSERT_EQ(report.size(), 3u) << "exactly one message";
  EXPECT_EQ(report[0], std::to_string(static_cast<int>(RunEnd::kFileError)));
  const int64_t played = std::stoll(report[1]);
  EXPECT_GT(played, 100);
  EXPECT_LT(played, 100000);
  EXPECT_TRUE(StartsWith(report[2], "ファイルに書き込めませんでした。")) << report[2];
  // The auto log ends on a whole round line, without a closing line it could not hold.
  const std::string log = ReadWholeFile(dir / "log/20240101130000Auto.txt");
  EXPECT_TRUE(EndsWith(log, "\r\n"));
  const std::vector<std::string> log_lines = Lines(dir / "log/20240101130000Auto.txt");
  EXPECT_TRUE(StartsWith(log_lines.back(), "ラウンド：")) << log_lines.back();
  EXPECT_LE(static_cast<int64_t>(log_lines.size()) - 2, played);
  // The graph file holds every round played and a summary of exactly those rounds.
  const std::vector<std::string> graph = Lines(dir / "Graph/202401011300_TmpGraph.txt");
  ASSERT_EQ(static_cast<int64_t>(graph.size()), 1 + played + 2);
  EXPECT_TRUE(StartsWith(graph[graph.size() - 2], "試行回数：" + std::to_string(played) + " "));
}

TEST_F(RunDriverTest, AFailedStartLeavesNoRunGoing) {
  class UnreadableSettingsTable : public ScriptedTable {
   public:
    UnreadableSettingsTable() : ScriptedTable("B") {}
    void BeginRun(int64_t) override { throw IoError("cannot read System/Rules.dat"); }
  } broken;
  EXPECT_THROW(Run(broken, "3"), IoError);
  EXPECT_FALSE(driver.running());
  EXPECT_TRUE(broken.ended);  // the table is back in normal mode
  ScriptedTable table("B");
  EXPECT_TRUE(Run(table, "3").started);
}

TEST_F(RunDriverTest, TiesLeaveCardsAndHistoryAlone) {
  loader.system.win_next = 2;
  loader.system.lose_next = 3;
  loader.system.stake_of = [](int) { return std::string("10"); };
  ScriptedTable table("TBT");
  Run(table, "3");
  EXPECT_EQ(loader.cards_seen, (std::vector<int>{1, 1, 2}));
  EXPECT_EQ(loader.histories, (std::vector<std::string>{"", "", "B"}));
}

TEST_F(RunDriverTest, ResultHistoryKeepsTheLastHundred) {
  ScriptedTable table("PB");
  Run(table, "150");
  const std::string& last = loader.histories.back();
  EXPECT_EQ(last.size(), 100u);
  EXPECT_EQ(last.substr(0, 4), "BPBP");  // oldest dropped first
}

TEST_F(RunDriverTest, PercentErrorStartsTheStopLine) {
  ScriptedTable table("B");
  struct Loader : RunSourceLoader {
    RunSources Load(const fs::path&, std::string_view, std::string_view) override {
      struct Sys : RunSystem {
        StakeAsked Stake(int, Cents, std::string_view) override { return {"0", "賭け額(%)の計算中に例外が発生しました"}; }
        int Next(BetOutcome, int c, Cents) override { return c; }
      };
      RunSources s;
      s.system = std::make_unique<Sys>();
      s.pattern = std::make_unique<ScriptedPattern>();
      return s;
    }
  } error_loader;
  RunDriver drv(dir.path(), dialogs, pump, clock, error_loader);
  RunRequest req;
  req.system_name = "s";
  req.pattern_name = "p";
  req.trials_text = "3";
  RunResult r = drv.Run(req, table, observer);
  auto log = Lines(r.auto_log);
  EXPECT_EQ(log[2], "賭け額(%)の計算中に例外が発生しました");
  EXPECT_EQ(log[3], "続行不能なエラーが発生しました");
}

class NoRuleDialog : public RuleDialogPort {
 public:
  bool RunRuleDialog(bool) override { return false; }
};

class RunOnTablesTest : public RunDriverTest {
 protected:
  RunOnTablesTest() {
    dir.Write("System/Rules.dat",
              HexEncodeText("blance=1000&minimum=1&maximum=500&blancememory=False&sleeptime=700&randommode=天国モード"));
    session.FirstDisplay();
  }
  RunResult RunOn(RunTable& table, RunKind kind, const char* trials) {
    RunRequest req;
    req.kind = kind;
    req.system_name = "s";
    req.pattern_name = "p";
    req.trials_text = trials;
    req.log_field = session.display().log_file;
    clock.local.second += 1;
    return driver.Run(req, table, observer);
  }
  NoRuleDialog no_dialog;
  SessionServices services;
  TableSession session{dir.path(), dialogs, pump, clock, no_dialog, services};
};

TEST_F(RunOnTablesTest, RunWithoutDisplayWritesItsBalanceBackToTheTable) {
  EngineRunTable table(dir.path(), session.settings(), clock, 99, &session);
  RunResult r = RunOn(table, RunKind::kProcessingOnly, "250");
  EXPECT_EQ(r.rounds_played, 250);
  const std::string last = Lines(r.auto_log)[251];
  const std::string balance = last.substr(last.find("【残高：") + std::string("【残高：").size());
  EXPECT_TRUE(StartsWith(balance, session.bets().balance_text + "】")) << last;
  EXPECT_FALSE(session.automatic_run());
  EXPECT_TRUE(session.display().table_enabled);
  // Every automatic round went into the day's history of the mode: 100, 100 and the rest.
  auto history = Lines(dir / "history/Tengoku20240101.txt");
  ASSERT_EQ(history.size(), 3u);
  EXPECT_EQ(history[0].size(), 100u);
  // The next run starts again from the starting balance.
  EngineRunTable again(dir.path(), session.settings(), clock, 100, &session);
  RunResult r2 = RunOn(again, RunKind::kProcessingOnly, "1");
  EXPECT_EQ(Lines(r2.graph_file)[0], "1000,1,s,p");
}

TEST_F(RunOnTablesTest, RunOnTheTableDealsThroughTheSession) {
  SessionRunTable table(session);
  RunResult r = RunOn(table, RunKind::kGui, "20");
  EXPECT_EQ(r.rounds_played, 20);
  EXPECT_TRUE(EndsWith(r.auto_log.string(), "AutoGUI.txt"));
  auto log = Lines(r.auto_log);
  EXPECT_TRUE(StartsWith(log[2], "ラウンド:1 ベット額:10 獲得賞金:")) << log[2];
  EXPECT_EQ(session.round_counter(), 20);
  EXPECT_FALSE(session.automatic_run());
  EXPECT_EQ(session.bets().banker_stake, 0);
  EXPECT_EQ(session.scoreboard().RecordText(), "");
  // Cards were paced at 10 ms and each round yielded for 1 ms.
  EXPECT_NE(std::find(pump.pauses.begin(), pump.pauses.end(), 10), pump.pauses.end());
  EXPECT_NE(std::find(pump.pauses.begin(), pump.pauses.end(), 1), pump.pauses.end());
  EXPECT_EQ(std::find(pump.pauses.begin(), pump.pauses.end(), 700), pump.pauses.end());
}

}  // namespace
}  // namespace vessaro
