#include "engine/table_session.h"

#include <gtest/gtest.h>

#include "common/hex.h"
#include "common/text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeEventPump;
using testing::TempFolder;

// Confirms with the given values (like a user pressing "設定"), or cancels.
class ScriptedRuleDialog : public RuleDialogPort {
 public:
  explicit ScriptedRuleDialog(const fs::path& folder, TableSettings*& settings)
      : folder_(folder), settings_(settings) {}
  bool RunRuleDialog(bool forced) override {
    calls.push_back(forced);
    if (!confirm) return false;
    PrepareRuleDialog(folder_, *settings_);
    return ConfirmRuleDialog(folder_, values, *settings_).confirmed;
  }
  bool confirm = true;
  RuleDialogValues values;
  std::vector<bool> calls;

 private:
  fs::path folder_;
  TableSettings*& settings_;
};

class CountingView : public TableView {
 public:
  void Refresh() override { ++refreshes; }
  void AnimateCard(CardPlace) override { ++animations; }
  int refreshes = 0;
  int animations = 0;
};

class TableSessionTest : public ::testing::Test {
 protected:
  TableSessionTest() {
    WriteRules("blance=1000&minimum=1&maximum=500&blancememory=False&sleeptime=250&randommode=完全確率モード");
  }

  void WriteRules(const std::string& text) { dir.Write("System/Rules.dat", HexEncodeText(text)); }

  TableSession& Start() {
    session = std::make_unique<TableSession>(dir.path(), dialogs, pump, clock, rule_dialog, services);
    settings_ptr = &session->mutable_settings();
    session->set_view(&view);
    session->FirstDisplay();
    return *session;
  }

  void Bet(BetSide side, int chip) {
    session->SelectChip(chip);
    session->PlaceChip(side);
  }

  TempFolder dir;
  FakeDialogs dialogs;
  FakeEventPump pump;
  FakeClock clock;
  SessionServices services;
  TableSettings* settings_ptr = nullptr;
  ScriptedRuleDialog rule_dialog{dir.path(), settings_ptr};
  CountingView view;
  std::unique_ptr<TableSession> session;
};

TEST_F(TableSessionTest, FirstDisplayShowsTheSettings) {
  TableSession& s = Start();
  EXPECT_EQ(s.bets().balance_text, "1000.00");
  EXPECT_EQ(s.display().minimum_text, "1");
  EXPECT_EQ(s.display().maximum_text, "500");
  EXPECT_EQ(s.bets().selected_chip, 1);
  EXPECT_EQ(s.display().log_file, (dir / "log/2024010113logfile.txt").string());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(TableSessionTest, MissingRulesOpenTheForcedDialog) {
  DeleteFileIfExists(RulesPath(dir.path()));
  rule_dialog.values.balance = "2500";
  TableSession& s = Start();
  EXPECT_EQ(rule_dialog.calls, std::vector<bool>{true});
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(s.bets().balance_text, "2500.00");
}

TEST_F(TableSessionTest, DealingWithNoStakeDoesNothing) {
  TableSession& s = Start();
  s.Deal();
  EXPECT_EQ(s.round_counter(), 0);
  EXPECT_TRUE(pump.pauses.empty());
  EXPECT_EQ(s.display().round_caption, "ラウンド0");
}

TEST_F(TableSessionTest, ARoundDealsPausesAndSettles) {
  TableSession& s = Start();
  Bet(BetSide::kBanker, 25);
  s.Deal();
  EXPECT_EQ(s.round_counter(), 1);
  EXPECT_EQ(s.display().round_caption, "ラウンド1");
  // A pause before the first card and after each of the first four, all at the deal interval.
  ASSERT_GE(pump.pauses.size(), 5u);
  for (int ms : pump.pauses) EXPECT_EQ(ms, 250);
  EXPECT_EQ(view.animations, static_cast<int>(2 + 2 + (s.last_round().player_third ? 1 : 0) +
                                              (s.last_round().banker_third ? 1 : 0)));
  EXPECT_EQ(pump.sleeps.size(), s.last_round().player_third ? 1u : 0u);
  EXPECT_NE(s.display().banner, BannerKind::kNone);
  EXPECT_TRUE(s.display().rebet_caption);
  EXPECT_TRUE(s.display().table_enabled);
  const char r = s.last_result();
  const std::string expected_balance = r == 'B' ? "1023.75" : r == 'T' ? "1000.00" : "975.00";
  EXPECT_EQ(s.bets().balance_text, expected_balance);
  EXPECT_EQ(s.display().banker_total_red, r == 'B');
  EXPECT_EQ(s.display().player_total_red, r == 'P');
  EXPECT_EQ(s.display().banker_win_pile, r == 'B' ? 48 : r == 'T' ? 25 : 0);
  EXPECT_EQ(s.display().statistics_line, FormatResultCounts(r == 'P', r == 'B', r == 'T'));
}

TEST_F(TableSessionTest, DealAfterARoundRepeatsTheLastBet) {
  TableSession& s = Start();
  Bet(BetSide::kPlayer, 5);
  s.Deal();
  Cents before = s.bets().balance;
  s.Deal();
  EXPECT_EQ(s.round_counter(), 2);
  EXPECT_EQ(s.bets().last_bet, "P,5");
  EXPECT_EQ(s.bets().balance - before, Payout(BetSide::kPlayer, 5, s.last_result()) - 500);
}

TEST_F(TableSessionTest, NewChipsReplaceTheRepeatedBet) {
  TableSession& s = Start();
  Bet(BetSide::kPlayer, 5);
  s.Deal();
  Bet(BetSide::kBanker, 25);
  EXPECT_FALSE(s.display().rebet_caption);
  s.Deal();
  EXPECT_EQ(s.bets().last_bet, "B,25");
}

TEST_F(TableSessionTest, BetClearForgetsTheLastBet) {
  TableSession& s = Start();
  Bet(BetSide::kPlayer, 5);
  s.Deal();
  s.ClearBetsCommand();
  s.Deal();
  EXPECT_EQ(s.round_counter(), 1);
}

TEST_F(TableSessionTest, NoSecondRoundWhileOneIsDealt) {
  TableSession& s = Start();
  Bet(BetSide::kPlayer, 5);
  int attempts = 0;
  pump.on_process = [&] {
    ++attempts;
    s.Deal();
    s.PlaceChip(BetSide::kPlayer);
    s.AllClear();
  };
  s.Deal();
  EXPECT_GT(attempts, 0);
  EXPECT_EQ(s.round_counter(), 1);
}

TEST_F(TableSessionTest, AllClearKeepsStakesAndResetsTheBalance) {
  TableSession& s = Start();
  Bet(BetSide::kPlayer, 5);
  s.Deal();
  Bet(BetSide::kBanker, 100);
  s.AllClear();
  EXPECT_EQ(s.bets().banker_stake, 100);
  EXPECT_EQ(s.bets().balance_text, "1000");  // the balance setting as it stands
  EXPECT_EQ(s.round_counter(), 0);
  EXPECT_EQ(s.display().statistics_line, kEmptyStatisticsLine);
  EXPECT_EQ(s.grid().At(0, 0), 0);
  EXPECT_EQ(s.scoreboard().RecordText(), "");
}

TEST_F(TableSessionTest, ApplyingRuleSettingsStartsOver) {
  TableSession& s = Start();
  Bet(BetSide::kPlayer, 5);
  s.Deal();
  rule_dialog.values.balance = "3000";
  rule_dialog.values.maximum = "1000";
  s.ApplyRuleSettings();
  EXPECT_EQ(s.display().round_caption, "ラウンド0");
  EXPECT_EQ(s.display().statistics_line, "0戦 0勝(0%) 0敗(0%) 0分(0%) ペイアウト：0%");
  EXPECT_EQ(s.bets().balance_text, "3000.00");
  EXPECT_EQ(s.display().maximum_text, "1000");
  EXPECT_EQ(s.bets().last_bet, "");
  EXPECT_FALSE(s.display().rebet_caption);
  // Cancelling changes nothing but the file written before the dialog.
  rule_dialog.confirm = false;
  Bet(BetSide::kPlayer, 5);
  s.ApplyRuleSettings();
  EXPECT_EQ(s.bets().player_stake, 5);
}

TEST_F(TableSessionTest, ClosingRemembersTheBalanceWhenAsked) {
  WriteRules("blance=1000&minimum=1&maximum=500&blancememory=True&sleeptime=100&randommode=天国モード");
  TableSession& s = Start();
  Bet(BetSide::kPlayer, 5);
  s.Deal();
  std::string shown = s.bets().balance_text;
  s.SaveOnClose();
  EXPECT_EQ(GetField(*HexDecodeText(ReadWholeFile(RulesPath(dir.path()))), "&", 1), "blance=" + shown);
}

TEST_F(TableSessionTest, WritabilityProbe) {
  TableSession& s = Start();
  EXPECT_TRUE(s.ProbeWritable());
  EXPECT_FALSE(FolderExists(dir / "tmp2024010113"));
  dir.Write("blocker", "");
  FakeDialogs d;
  SessionServices none;
  TableSession blocked(dir / "blocker", d, pump, clock, rule_dialog, none);
  EXPECT_FALSE(blocked.ProbeWritable());
  EXPECT_EQ(d.messages.size(), 1u);
  EXPECT_TRUE(StartsWith(d.messages[0], "Kindletを管理者モードで実行していない為"));
}

TEST(RequiredFilesTest, PicturesAndFolders) {
  TempFolder dir;
  for (const char* f : {"chip0_5", "chip1", "chip5", "chip25", "chip100", "chip250", "chip500", "chip1000",
                        "chip5000", "card"})
    dir.Write(std::string("image/") + f + ".bmp", "");
  for (char suit : {'D', 'S', 'C', 'H'})
    for (int r = 1; r <= 13; ++r) dir.Write(std::string("image/") + suit + std::to_string(r) + ".bmp", "");
  EXPECT_EQ(MissingRequiredFiles(dir.path()), std::vector<std::string>{});
  for (const char* f : {"log", "betpattern", "history", "tmp", "Graph"}) EXPECT_TRUE(FolderExists(dir / f)) << f;
  DeleteFileIfExists(dir / "image/H13.bmp");
  DeleteFileIfExists(dir / "image/card.bmp");
  fs::remove(dir / "Graph");
  dir.Write("Graph", "a plain file where the folder belongs");
  const std::vector<std::string> missing = MissingRequiredFiles(dir.path());
  EXPECT_EQ(missing, (std::vector<std::string>{"image\\card.bmp", "image\\H13.bmp", "Graph\\"}));
  // The message names them on a further line, and only the first few of many.
  EXPECT_EQ(MissingFilesMessage(missing), "起動に必要なファイルが足りません\r\nimage\\card.bmp、image\\H13.bmp、Graph\\");
  fs::remove(dir / "Graph");
  fs::remove_all(dir / "image");
  EXPECT_EQ(MissingFilesMessage(MissingRequiredFiles(dir.path())),
            "起動に必要なファイルが足りません\r\nimage\\chip0_5.bmp、image\\chip1.bmp、image\\chip5.bmp、"
            "image\\chip25.bmp、image\\chip100.bmp ほか57件");
}

}  // namespace
}  // namespace vessaro
