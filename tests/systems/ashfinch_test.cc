#include "systems/ashfinch.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/cp932.h"
#include "common/hex.h"
#include "common/text.h"
#include "support/temp_folder.h"
#include "systems/folders.h"

namespace vessaro {
namespace {

using testing::TempFolder;
using O = BetOutcome;

class AshfinchTest : public ::testing::Test {
 protected:
  // Saves the settings as the editor does and loads them for a run.
  void Start(const AshfinchSettings& settings) {
    WriteAshfinchFile(Path(), settings);
    LoadStatus status = LoadAshfinchSystem(Path(), system);
    ASSERT_TRUE(status.ok()) << status.message;
  }
  fs::path Path() const { return AshfinchFilePath(dir.path(), "t"); }
  std::string Bet() { return GetAshfinchBet(system, balance, card).stake; }
  // One round as a run plays it: the stake leaves the balance only through the result.
  AshfinchStep Play(BetOutcome outcome) {
    AshfinchStep step = GetAshfinchNext(system, outcome, balance, card);
    card = step.next_card;
    balance += step.result * 100;
    return step;
  }
  const AshfinchState& state() const { return system.state(); }
  AshfinchSettings WithParlay(int64_t start_x) {
    dir.Write("betpattern/parlay_syspattern.txt", "[BETPATTERN]\r\nCardNo1=50,1,1\r\n");
    AshfinchSettings s;
    s.mode(AshfinchMode::kP).enabled = true;
    s.mode(AshfinchMode::kP).start_x = start_x;
    s.mode(AshfinchMode::kP).p_system = "parlay";
    return s;
  }

  TempFolder dir;
  AshfinchSystem system;
  Cents balance = 100000;
  int card = 1;
};

TEST_F(AshfinchTest, WorkedStartStakesFiveThenTenThenResets) {
  Start(AshfinchSettings{});
  EXPECT_EQ(Bet(), "5");
  EXPECT_EQ(Play(O::kLoss).result, -5);
  EXPECT_EQ(state().lu, 1);
  EXPECT_EQ(state().lr, 1.0);  // 1 / 2 = 0.5 lies below C_LRMin and becomes C_LRDef
  EXPECT_EQ(state().m, 1.5);
  EXPECT_EQ(state().nbu, 2);  // 1.5 to even
  EXPECT_EQ(Bet(), "10");
  AshfinchStep win = Play(O::kWin);
  EXPECT_EQ(win.result, 10);
  EXPECT_EQ(win.next_card, 1);
  EXPECT_EQ(state().mode, AshfinchMode::kN);
  EXPECT_EQ(state().nbu, 1);
  EXPECT_EQ(state().lu, 0);
  EXPECT_EQ(state().lr, 0.0);
  EXPECT_EQ(state().round, 0);
  EXPECT_EQ(state().cumulative, 0);
  EXPECT_EQ(state().n_successes, 1);
  EXPECT_EQ(Bet(), "5");
}

TEST_F(AshfinchTest, ParlayFailureHandsItsLuAndLrToNormalMode) {
  AshfinchSettings s = WithParlay(1);
  s.mode(AshfinchMode::kP).fail_def_lu = 20;
  s.mode(AshfinchMode::kP).fail_def_lr = 20;
  Start(s);
  Play(O::kWin);  // the first N success starts P mode
  ASSERT_EQ(state().mode, AshfinchMode::kP);
  EXPECT_EQ(state().n_successes, 0);
  EXPECT_EQ(Bet(), "50");
  AshfinchStep step = Play(O::kLoss);  // -10 units: P fails
  EXPECT_EQ(step.next_card, 1);
  EXPECT_EQ(state().mode, AshfinchMode::kN);
  EXPECT_EQ(state().lu, 20);
  EXPECT_EQ(state().lr, 20.0);
  EXPECT_EQ(state().m, 2.5);
  EXPECT_EQ(state().nbu, 2);  // 2.5 to even
  EXPECT_EQ(Bet(), "10");
}

TEST_F(AshfinchTest, MultiplierBandsIncludeTheirLowerBoundOnly) {
  struct Case {
    double lr;
    double m;
    int64_t nbu;  // 20 / LR x M, halves to even
  } cases[] = {{0.5, 2, 80}, {1, 1.5, 30},  {1.99, 1.5, 15},
               {2, 2, 20},   {2.99, 2, 13}, {3, 2.5, 17}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lr);
    AshfinchSettings s = WithParlay(1);
    s.mode(AshfinchMode::kP).fail_def_lu = 20;
    s.mode(AshfinchMode::kP).fail_def_lr = c.lr;
    Start(s);
    Play(O::kWin);
    Play(O::kLoss);  // P fails: LR is set exactly, M comes from the P mode's bands
    EXPECT_EQ(state().m, c.m);
    EXPECT_EQ(state().nbu, c.nbu);
  }
}

TEST_F(AshfinchTest, ParlayPlaysItsSystemCardsUntilItSucceeds) {
  AshfinchSettings s = WithParlay(1);
  dir.Write("betpattern/parlay_syspattern.txt",
            "[BETPATTERN]\r\nCardNo1=5,2,1\r\nCardNo2=1%,1,1\r\n");
  s.mode(AshfinchMode::kP).success_x = 3;
  Start(s);
  Play(O::kWin);
  ASSERT_EQ(state().mode, AshfinchMode::kP);
  EXPECT_EQ(Bet(), "5");
  EXPECT_EQ(Play(O::kWin).next_card, 2);  // 1 unit gained: the P system moves on
  EXPECT_EQ(state().PUnits(5), 1.0);
  EXPECT_EQ(Bet(), "10");                 // 1% of 1010.00
  EXPECT_EQ(Play(O::kWin).next_card, 1);  // 3 units: P succeeds
  EXPECT_EQ(state().mode, AshfinchMode::kN);
  EXPECT_EQ(state().cumulative, 0);
}

TEST_F(AshfinchTest, RecoveryStakesInBlocksAndReturnsToNormal) {
  AshfinchSettings s;
  s.mode(AshfinchMode::kN).lr2 = 3;
  s.mode(AshfinchMode::kN).jyoken_count = 1;
  s.mode(AshfinchMode::kN).jyoken_lu = 2;
  Start(s);
  Play(O::kLoss);
  Play(O::kLoss);  // LU 3 > 2 fails N: R block = 3 / 1
  ASSERT_EQ(state().mode, AshfinchMode::kR);
  EXPECT_EQ(state().r_block, 3);
  EXPECT_EQ(state().nbu, 1);
  EXPECT_EQ(Bet(), "15");
  Play(O::kWin);  // the loss of 15 is won back
  EXPECT_EQ(state().mode, AshfinchMode::kN);
  EXPECT_EQ(Bet(), "5");
}

TEST_F(AshfinchTest, TiesOnlyCountRounds) {
  AshfinchSettings s;
  AshfinchModeConfig& n = s.mode(AshfinchMode::kN);
  n.jyoken_count = 1;
  n.jyoken_round = 3;
  n.jyoken_lu = n.jyoken_lr = n.jyoken_nbu = 100;
  Start(s);
  Play(O::kLoss);
  Play(O::kTie);
  Play(O::kTie);
  EXPECT_EQ(state().lu, 1);
  EXPECT_EQ(state().lr, 1.0);
  EXPECT_EQ(state().round, 3);
  EXPECT_EQ(state().mode, AshfinchMode::kN);
  EXPECT_EQ(Play(O::kTie).result, 0);
  EXPECT_EQ(state().mode, AshfinchMode::kR);  // ROUND 4 > 3
}

TEST_F(AshfinchTest, NormalSuccessesInARowStartParlay) {
  AshfinchSettings s = WithParlay(3);
  s.mode(AshfinchMode::kN).jyoken_count = 1;
  s.mode(AshfinchMode::kN).jyoken_lu = 0;  // any loss fails N
  Start(s);
  Play(O::kWin);
  Play(O::kWin);
  EXPECT_EQ(state().n_successes, 2);
  Play(O::kLoss);
  ASSERT_EQ(state().mode, AshfinchMode::kR);
  EXPECT_EQ(state().n_successes, 0);
  Play(O::kWin);  // R wins its loss back
  ASSERT_EQ(state().mode, AshfinchMode::kN);
  EXPECT_EQ(state().n_successes, 0);
  Play(O::kWin);
  Play(O::kWin);
  EXPECT_EQ(state().mode, AshfinchMode::kN);
  Play(O::kWin);
  EXPECT_EQ(state().mode, AshfinchMode::kP);
  EXPECT_EQ(state().n_successes, 0);
}

TEST_F(AshfinchTest, DivisionsByZeroFallBackToOneUnit) {
  struct Case {
    const char* why;
    void (*configure)(AshfinchSettings&);
    AshfinchMode mode;
    double lr;
  } cases[] = {
      {"LR of 0 with LU 1 when NBU is computed",
       [](AshfinchSettings& s) { s.mode(AshfinchMode::kN).lr_def = 0; }, AshfinchMode::kN, 0},
      {"LR of 0 when R mode is entered",
       [](AshfinchSettings& s) {
         s.mode(AshfinchMode::kN).lr_def = 0;
         s.mode(AshfinchMode::kN).jyoken_count = 1;
         s.mode(AshfinchMode::kN).jyoken_lu = 0;
       },
       AshfinchMode::kR, 0},
      {"C_LR2 of 0 leaves LR as it was",
       [](AshfinchSettings& s) { s.mode(AshfinchMode::kN).lr2 = 0; }, AshfinchMode::kN, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    AshfinchSettings s;
    c.configure(s);
    Start(s);
    Play(O::kLoss);
    EXPECT_EQ(state().mode, c.mode);
    EXPECT_EQ(state().lr, c.lr);
    EXPECT_TRUE(std::isfinite(state().m));
    EXPECT_EQ(state().nbu, 1);
    if (c.mode == AshfinchMode::kR) {
      EXPECT_EQ(state().r_block, 1);
    }
    EXPECT_EQ(Bet(), "5");
  }
}

TEST_F(AshfinchTest, ParlayFailureWithoutLrStakesOneUnit) {
  AshfinchSettings s = WithParlay(1);
  s.mode(AshfinchMode::kP).fail_def_lu = 20;
  Start(s);
  Play(O::kWin);
  Play(O::kLoss);
  EXPECT_EQ(state().mode, AshfinchMode::kN);
  EXPECT_EQ(state().nbu, 1);
}

TEST_F(AshfinchTest, RunawayProgressionSaturatesInsteadOfOverflowing) {
  AshfinchSettings s;
  AshfinchModeConfig& n = s.mode(AshfinchMode::kN);
  n.jyoken_count = 5;  // never fails
  n.lr1 = 0;           // LR is never lowered
  n.m1 = n.m2 = n.m3 = 1000000;
  Start(s);
  for (int i = 0; i < 20000; ++i) Play(O::kLoss);
  EXPECT_EQ(state().nbu, 1000000000000000);
  EXPECT_EQ(state().lu, INT64_MAX);
  EXPECT_LT(state().cumulative, 0);
  long long stake;
  ASSERT_TRUE(ParseInt64(Bet(), stake));
  EXPECT_EQ(stake, 5000000000000000);
}

TEST_F(AshfinchTest, OldFormatUsesCnbuAsTheMultiplier) {
  const std::string old_text =
      "[BETPATTERN]\r\nUnit=5\r\nCNBU=3\r\nCLR1=2\r\nCLR2=2\r\nCLRMin=1\r\nCLRDef=1\r\n"
      "CJyokenCount=2\r\nCJyokenLU=20\r\nCJyokenLR=4\r\nCJyokenNBU=8\r\nCJyokenRound=15\r\n";
  dir.Write("betpattern/t_ashfinchbasic_syspattern.txt", HexEncodeText(old_text));
  ASSERT_TRUE(LoadAshfinchSystem(Path(), system).ok());
  EXPECT_EQ(system.settings().fixed_m, 3.0);
  EXPECT_TRUE(system.settings().mode(AshfinchMode::kR).enabled);
  EXPECT_FALSE(system.settings().mode(AshfinchMode::kP).enabled);
  Play(O::kLoss);
  EXPECT_EQ(state().m, 3.0);
  EXPECT_EQ(state().nbu, 3);
  Play(O::kLoss);  // LU 4, LR 2: every step uses M = 3
  EXPECT_EQ(state().m, 3.0);
  EXPECT_EQ(state().nbu, 6);
}

TEST_F(AshfinchTest, OldFormatSpreadIntoBandsStakesTheSame) {
  const std::string old_text =
      "[BETPATTERN]\r\nUnit=5\r\nCNBU=3\r\nCLR1=2\r\nCLR2=2\r\nCLRMin=1\r\nCLRDef=1\r\n"
      "CJyokenCount=2\r\nCJyokenLU=20\r\nCJyokenLR=4\r\nCJyokenNBU=8\r\nCJyokenRound=15\r\n";
  dir.Write("betpattern/t_ashfinchbasic_syspattern.txt", old_text);
  ASSERT_TRUE(LoadAshfinchSystem(Path(), system).ok());
  // Long enough losing and winning stretches to reach every band of LR and R mode.
  const std::vector<O> outcomes = {O::kLoss, O::kLoss, O::kLoss, O::kWin,  O::kLoss, O::kLoss,
                                   O::kLoss, O::kLoss, O::kTie,  O::kLoss, O::kWin,  O::kLoss,
                                   O::kLoss, O::kLoss, O::kLoss, O::kLoss, O::kLoss, O::kWin,
                                   O::kWin,  O::kLoss, O::kWin,  O::kWin,  O::kWin,  O::kLoss};
  auto stakes_of = [&] {
    std::vector<std::string> stakes;
    for (O o : outcomes) {
      stakes.push_back(Bet());
      Play(o);
    }
    return stakes;
  };
  const std::vector<std::string> old_stakes = stakes_of();
  const AshfinchSettings old_settings = system.settings();
  auto replay = [&](const AshfinchSettings& settings) {
    balance = 100000;
    card = 1;
    Start(settings);
    return stakes_of();
  };

  AshfinchSettings spread = old_settings;
  SpreadFixedMultiplier(spread);
  EXPECT_FALSE(spread.fixed_m);
  EXPECT_EQ(replay(spread), old_stakes);
  AshfinchSettings default_bands = old_settings;
  default_bands.fixed_m.reset();
  EXPECT_NE(replay(default_bands), old_stakes);  // what saving without the spread would do
}

TEST_F(AshfinchTest, SavedFileIsHexadecimalOfTheIniText) {
  AshfinchSettings s;
  s.mode(AshfinchMode::kP).p_system = "日本語の系";
  s.mode(AshfinchMode::kR).m1 = 1.25;
  WriteAshfinchFile(Path(), s);
  std::string bytes = ReadWholeFile(Path());
  EXPECT_EQ(bytes.substr(0, 6), "5B4245");
  EXPECT_EQ(bytes.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  const std::string text = DecodeCp932(*HexDecodeBytes(bytes));
  const std::string head =
      "[BETPATTERN]\r\nUnit=5\r\n[INFORMATION]\r\nVersion=2.1\r\n[N]\r\nEnabled=True\r\nC_LR1="
      "2\r\n";
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_NE(text.find("[P]\r\nEnabled=False\r\n"), std::string::npos);
  EXPECT_NE(text.find("C_M1=1.25\r\n"), std::string::npos);
  AshfinchSettings back;
  ASSERT_TRUE(ReadAshfinchFile(Path(), back).ok());
  EXPECT_EQ(back, s);
}

TEST_F(AshfinchTest, PlainTextAndTrailingLineEndStillLoad) {
  AshfinchSettings s;
  s.unit = 25;
  dir.Write("betpattern/t_ashfinchbasic_syspattern.txt", *EncodeCp932(MakeAshfinchText(s)));
  AshfinchSettings back;
  ASSERT_TRUE(ReadAshfinchFile(Path(), back).ok());
  EXPECT_EQ(back, s);
  dir.Write("betpattern/t_ashfinchbasic_syspattern.txt",
            HexEncodeText(MakeAshfinchText(s)) + "\r\n");
  ASSERT_TRUE(ReadAshfinchFile(Path(), back).ok());
  EXPECT_EQ(back.unit, 25);
}

TEST_F(AshfinchTest, UnreadableFilesNameTheFileAndKey) {
  const std::string good = MakeAshfinchText(AshfinchSettings{});
  auto in_section = [&](const char* section, const char* from, const char* to) {
    std::string text = good;
    size_t at = text.find(from, text.find(section));
    return text.replace(at, std::string(from).size(), to);
  };
  struct Case {
    std::string text;
    const char* key;
  } cases[] = {
      {"", "Unit"},
      {ReplaceAll(good, "Unit=5", "Unit=abc"), "Unit"},
      {in_section("[R]", "C_M2=2\r\n", "C_M2=1.5.2\r\n"), "[R] C_M2"},
      {in_section("[N]", "C_LR1=2\r\n", "C_LR1=2.5\r\n"), "[N] C_LR1"},
      {in_section("[P]", "C_PSystem=", "C_PSys="), "[P] C_PSystem"},
      {"[BETPATTERN]\r\nUnit=5\r\nCNBU=3\r\nCLR1=2\r\n", "CLR2"},
  };
  for (const Case& c : cases) {
    dir.Write("betpattern/t_ashfinchbasic_syspattern.txt", HexEncodeText(c.text));
    LoadStatus status = LoadAshfinchSystem(Path(), system);
    EXPECT_EQ(status.error, LoadError::kInvalid) << c.key;
    EXPECT_EQ(
        status.message,
        std::string(
            "Ashfinchシステムファイル「t_ashfinchbasic_syspattern.txt」を読み込めません\r\n") +
            c.key + "の値がないか、数値ではありません");
    EXPECT_FALSE(system.loaded());
  }
  EXPECT_EQ(LoadAshfinchSystem(dir / "betpattern/none_ashfinchbasic_syspattern.txt", system).error,
            LoadError::kMissing);
}

TEST(AshfinchDecimalTest, PlainDecimalsOnly) {
  EXPECT_EQ(ParseAshfinchDecimal("1.5"), 1.5);
  EXPECT_EQ(ParseAshfinchDecimal("-2"), -2.0);
  EXPECT_EQ(ParseAshfinchDecimal(".5"), 0.5);
  EXPECT_EQ(ParseAshfinchDecimal("1e3"), std::nullopt);
  EXPECT_EQ(ParseAshfinchDecimal("1,5"), std::nullopt);
  EXPECT_EQ(ParseAshfinchDecimal(std::string(400, '9')), std::nullopt);
  EXPECT_EQ(AshfinchDecimalText(2.5), "2.5");
  EXPECT_EQ(AshfinchDecimalText(3), "3");
  EXPECT_EQ(AshfinchDecimalText(0.1), "0.1");
}

}  // namespace
}  // namespace vessaro
