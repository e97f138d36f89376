#include "systems/ashfinch_editor.h"

#include <gtest/gtest.h>

#include "common/names.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/messages.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;
using F = AshfinchField;
namespace st = systems_text;

class AshfinchEditorTest : public ::testing::Test {
 protected:
  AshfinchEditorTest() : editor(dir.path(), dialogs) {}
  TempFolder dir;
  FakeDialogs dialogs;
  AshfinchEditorModel editor;
};

TEST_F(AshfinchEditorTest, FirstInvalidFieldIsNumberedFromMinusOne) {
  struct Case {
    F field;
    const char* text;
    const char* message;
  } cases[] = {
      {F::kUnit, "abc", "不正な値があります。正しい数値を入力してください(-1)"},
      {F::kLr2, "1.5", "不正な値があります。正しい数値を入力してください(-3)"},
      {F::kJyokenRound, "", "不正な値があります。正しい数値を入力してください(-10)"},
      {F::kFailDefLu, "-999", "不正な値があります。正しい数値を入力してください(-14)"},
      {F::kM1, "x", "不正な値があります。正しい数値を入力してください(-15)"},
      {F::kMLow3, "-999.0", "不正な値があります。正しい数値を入力してください(-22)"},
      {F::kFailDefLr, "1e2", "不正な値があります。正しい数値を入力してください(-23)"},
  };
  for (const Case& c : cases) {
    AshfinchEditorModel fresh(dir.path(), dialogs);
    fresh.SetField(c.field, c.text);
    fresh.SetField(F::kFailDefLr,
                   c.field == F::kFailDefLr ? c.text : "2.5");  // a later field is fine
    dialogs.messages.clear();
    EXPECT_FALSE(fresh.SelectMode(AshfinchMode::kR));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(fresh.mode(), AshfinchMode::kN);
  }
}

TEST_F(AshfinchEditorTest, SwitchingModesStoresTheModeLeft) {
  editor.SetField(F::kLr1, "5");
  editor.SetField(F::kUnit, "25");
  ASSERT_TRUE(editor.SelectMode(AshfinchMode::kR));
  EXPECT_EQ(editor.field(F::kLr1), "2");
  EXPECT_EQ(editor.field(F::kUnit), "25");
  EXPECT_EQ(editor.settings().mode(AshfinchMode::kN).lr1, 5);
  editor.SetEnabled(false);
  ASSERT_TRUE(editor.SelectMode(AshfinchMode::kN));
  EXPECT_EQ(editor.field(F::kLr1), "5");
  EXPECT_FALSE(editor.settings().mode(AshfinchMode::kR).enabled);
  editor.SetEnabled(false);
  EXPECT_TRUE(editor.enabled());  // N mode cannot be switched off
  EXPECT_EQ(editor.EnabledChoices(), std::vector<std::string>{st::kEnabledText});
}

TEST_F(AshfinchEditorTest, UpperBoundsJoinTheNextBand) {
  editor.SetField(F::kMHigh1, "2.5");
  editor.SetField(F::kMHigh2, "4");
  EXPECT_EQ(editor.field(F::kMLow2), "2.5");
  EXPECT_EQ(editor.field(F::kMLow3), "4");
  EXPECT_EQ(editor.field(F::kM3), "2.5");
}

TEST_F(AshfinchEditorTest, SaveChecksThenWritesHexadecimal) {
  auto refusal = [&]() {
    dialogs.messages.clear();
    EXPECT_FALSE(editor.Save());
    return dialogs.messages.empty() ? std::string() : dialogs.messages.back();
  };
  EXPECT_EQ(refusal(), st::kEnterSystemName);
  editor.SetName("a*b");
  EXPECT_EQ(refusal(), ForbiddenCharactersMessage(NameKind::kFile));
  editor.SetName("ash");
  editor.SetField(F::kM2, "two");
  EXPECT_EQ(refusal(), "不正な値があります。正しい数値を入力してください(-16)");
  editor.SetField(F::kM2, "2");
  ASSERT_TRUE(editor.SelectMode(AshfinchMode::kP));
  editor.SetEnabled(true);
  EXPECT_EQ(refusal(), st::kChoosePSystem);

  dir.Write("betpattern/flat_syspattern.txt", "[BETPATTERN]\r\nCardNo1=5,1,1\r\n");
  dir.Write("betpattern/old_ashfinchbasic_syspattern.txt", "00");
  editor.Show();
  ASSERT_EQ(editor.p_systems().names, std::vector<std::string>{"flat"});  // no Ashfinch systems
  editor.ChoosePSystem(0);
  ASSERT_TRUE(editor.Save());
  EXPECT_EQ(dialogs.messages.back(), st::kSaved);
  const std::string bytes = ReadWholeFile(dir / "betpattern/ash_ashfinchbasic_syspattern.txt");
  EXPECT_EQ(bytes.substr(0, 6), "5B4245");
  AshfinchSettings saved;
  ASSERT_TRUE(ReadAshfinchFile(dir / "betpattern/ash_ashfinchbasic_syspattern.txt", saved).ok());
  EXPECT_EQ(saved, editor.settings());
  EXPECT_EQ(saved.mode(AshfinchMode::kP).p_system, "flat");
  EXPECT_TRUE(saved.mode(AshfinchMode::kP).enabled);

  dialogs.answers = {false};
  EXPECT_FALSE(editor.Save());
  EXPECT_EQ(dialogs.questions.back(), st::kSystemExists);
}

TEST_F(AshfinchEditorTest, LoadRestoresDefaultsFirst) {
  AshfinchSettings s;
  s.unit = 10;
  s.mode(AshfinchMode::kN).jyoken_lu = 30;
  WriteAshfinchFile(dir / "betpattern/b_ashfinchbasic_syspattern.txt", s);
  dir.Write("betpattern/bad_ashfinchbasic_syspattern.txt", "5B42");
  editor.Show();
  ASSERT_EQ(editor.systems().names, (std::vector<std::string>{"b", "bad"}));
  editor.SetField(F::kLr1, "9");
  editor.ChooseSystem(0);
  editor.Load();
  EXPECT_EQ(editor.name(), "b");
  EXPECT_EQ(editor.field(F::kUnit), "10");
  EXPECT_EQ(editor.field(F::kJyokenLu), "30");
  EXPECT_EQ(editor.field(F::kLr1), "2");

  editor.ChooseSystem(1);
  editor.Load();
  EXPECT_EQ(dialogs.messages.back(),
            "Ashfinchシステムファイル「bad_ashfinchbasic_syspattern.txt」を読み込めません\r\n"
            "Unitの値がないか、数値ではありません");
  EXPECT_EQ(editor.field(F::kUnit), "5");

  editor.AllClear();
  EXPECT_EQ(editor.name(), "");
  EXPECT_EQ(editor.systems().Shown(), st::kSystemPrompt);
  editor.Load();
  EXPECT_EQ(dialogs.messages.back(), st::kSystemFileMissing);
}

TEST_F(AshfinchEditorTest, OldFileShowsItsMultiplierInEveryBandAndSavesInTheNewForm) {
  dir.Write("betpattern/old_ashfinchbasic_syspattern.txt",
            "[BETPATTERN]\r\nUnit=5\r\nCNBU=3\r\nCLR1=2\r\nCLR2=2\r\nCLRMin=1\r\nCLRDef=1\r\n"
            "CJyokenCount=2\r\nCJyokenLU=20\r\nCJyokenLR=4\r\nCJyokenNBU=8\r\nCJyokenRound=15\r\n");
  editor.Show();
  editor.ChooseSystem(0);
  editor.Load();
  for (F f : {F::kM1, F::kM2, F::kM3}) EXPECT_EQ(editor.field(f), "3");
  EXPECT_EQ(editor.field(F::kMLow1), "0");
  dialogs.answers = {true};
  ASSERT_TRUE(editor.Save());
  AshfinchSettings saved;
  ASSERT_TRUE(ReadAshfinchFile(dir / "betpattern/old_ashfinchbasic_syspattern.txt", saved).ok());
  EXPECT_FALSE(saved.fixed_m);
  EXPECT_EQ(saved.mode(AshfinchMode::kR).m2, 3.0);
}

TEST_F(AshfinchEditorTest, DeleteFlow) {
  WriteAshfinchFile(dir / "betpattern/b_ashfinchbasic_syspattern.txt", AshfinchSettings{});
  editor.Show();
  editor.Delete();
  EXPECT_EQ(dialogs.messages.back(), st::kChooseSystemToDelete);
  editor.ChooseSystem(0);
  editor.Delete();
  EXPECT_EQ(dialogs.messages.back(), st::kDeleted);
  EXPECT_TRUE(editor.systems().names.empty());
  editor.ChooseSystem(0);
  editor.Delete();
  EXPECT_EQ(dialogs.messages.back(), st::kChooseSystemToDelete);
}

TEST_F(AshfinchEditorTest, TrialPanelPlaysTheShownParameters) {
  ASSERT_TRUE(editor.TrialStep(BetOutcome::kLoss));  // the first step clears first
  AshfinchTrialView v = editor.trial();
  EXPECT_EQ(v.balance, "495.00");
  EXPECT_EQ(v.nbu, "2");
  EXPECT_EQ(v.lu, "1");
  EXPECT_EQ(v.lr, "1");
  EXPECT_EQ(v.m, "1.5");
  EXPECT_EQ(v.round, "1");
  EXPECT_EQ(v.mode, "N");
  editor.TrialStep(BetOutcome::kWin);
  v = editor.trial();
  EXPECT_EQ(v.balance, "505.00");
  EXPECT_EQ(v.n_successes, "1");
  EXPECT_EQ(v.nbu, "1");

  editor.SetField(F::kUnit, "10");
  ASSERT_TRUE(editor.TrialClear());
  EXPECT_EQ(editor.trial().balance, "1000.00");
  EXPECT_EQ(editor.trial().n_successes, "0");
  editor.SetField(F::kUnit, "ten");
  EXPECT_FALSE(editor.TrialClear());
  EXPECT_EQ(dialogs.messages.back(), "不正な値があります。正しい数値を入力してください(-1)");
}

}  // namespace
}  // namespace vessaro
