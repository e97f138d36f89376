#include "systems/pattern_editor.h"

#include <gtest/gtest.h>

#include "common/cp932.h"
#include "common/names.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/messages.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;
using Strategy = PatternEditorModel::Strategy;
namespace st = systems_text;

TEST(PatternCardDialogTest, Confirm) {
  struct Case {
    CardFields typed;
    bool closes;
    const char* message;
    CardFields after;
  } cases[] = {
      {{"P", "2", "2"}, true, "", {"P", "2", "2"}},
      {{"B", "20", "1"}, true, "", {"B", "20", "1"}},
      {{"p", "1", "1"}, false, st::kSideLetter, {"p", "1", "1"}},
      {{"X", "1", "1"}, false, st::kSideLetter, {"X", "1", "1"}},
      {{"", "1", "1"}, false, st::kHasBlanks, {"", "1", "1"}},
      {{"P", "", "1"}, false, st::kHasBlanks, {"P", "", "1"}},
      {{"P", "", ""}, true, "", {"", "", ""}},
      {{"B", "21", "1"}, false, st::kHalfWidthDigits, {"B", "21", "1"}},
      {{"B", "1", "0"}, false, st::kHalfWidthDigits, {"B", "1", "0"}},
  };
  for (const Case& c : cases) {
    FakeDialogs dialogs;
    PatternCardDialogModel dialog(c.typed);
    SCOPED_TRACE(c.typed.first + "," + c.typed.win + "," + c.typed.lose);
    EXPECT_EQ(dialog.Confirm(dialogs), c.closes);
    EXPECT_EQ(dialogs.messages,
              *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(c.closes ? dialog.result() : dialog.fields, c.after);
  }
}

TEST(PatternCardDialogTest, SideButtonsAndEnter) {
  FakeDialogs dialogs;
  PatternCardDialogModel dialog;
  dialog.PressBanker();
  EXPECT_EQ(dialog.fields.first, "B");
  dialog.PressPlayer();
  EXPECT_EQ(dialog.fields.first, "P");
  EXPECT_FALSE(dialog.EnterInWin(dialogs));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kBlank});
  dialog.fields.win = "3";
  EXPECT_TRUE(dialog.EnterInWin(dialogs));
}

class PatternEditorTest : public ::testing::Test {
 protected:
  PatternEditorTest() : editor(dir.path(), dialogs) {}
  void SetCard(int number, CardFields fields) {
    PatternCardDialogModel dialog = editor.OpenCard(number);
    dialog.fields = std::move(fields);
    ASSERT_TRUE(dialog.Confirm(dialogs));
    editor.ApplyCard(number, dialog);
  }
  // A condition strategy ready to save: default side B, priority 1 with a run of 4.
  void ReadyConditions() {
    editor.ChooseStrategy(Strategy::kCondition);
    editor.SetDefaultSide("B");
    editor.SetConditionEnabled(1, true);
    editor.SetRunLength(1, 4);
  }
  TempFolder dir;
  FakeDialogs dialogs;
  PatternEditorModel editor;
};

TEST_F(PatternEditorTest, SaveFixedPatternAndLoadItBack) {
  SetCard(1, {"P", "2", "2"});
  SetCard(2, {"B", "1", "1"});
  editor.SetPatternName("alt");
  ASSERT_TRUE(editor.SavePattern());
  std::string expected = "[BETPATTERN]\r\nCardNo1=P,2,2\r\nCardNo2=B,1,1\r\n";
  for (int i = 3; i <= 20; ++i) expected += "CardNo" + std::to_string(i) + "=,,\r\n";
  EXPECT_EQ(ReadWholeFile(dir / "betpattern/alt_pattern.txt"), expected);

  PatternEditorModel other(dir.path(), dialogs);
  other.Show();
  ASSERT_EQ(other.patterns().names, std::vector<std::string>{"alt"});
  other.ChoosePattern(0);
  other.LoadPattern();
  EXPECT_EQ(other.cards(), editor.cards());
  EXPECT_EQ(other.pattern_name(), "alt");
}

TEST_F(PatternEditorTest, FixedSaveRefusalsAndOverwrite) {
  editor.SavePattern();
  EXPECT_EQ(dialogs.messages.back(), st::kEnterPatternName);
  editor.SetPatternName("x.y");
  editor.SavePattern();
  EXPECT_EQ(dialogs.messages.back(), ForbiddenCharactersMessage(NameKind::kFile));
  PatternCardDialogModel refused = editor.OpenCard(1);
  refused.fields = {"P", "1", "21"};  // a pattern may jump to card 20, not 21
  EXPECT_FALSE(refused.Confirm(dialogs));
  EXPECT_EQ(dialogs.messages.back(), st::kHalfWidthDigits);
  SetCard(1, {"P", "1", "5"});
  editor.SetPatternName("p");
  EXPECT_FALSE(editor.SavePattern());
  EXPECT_EQ(dialogs.messages.back(), "カード1の移動先（カード5）の内容に空白があります");

  dir.Write("betpattern/q_pattern.txt", "old");
  SetCard(1, {"P", "1", "1"});
  editor.SetPatternName("q");
  dialogs.answers = {false};
  EXPECT_FALSE(editor.SavePattern());
  EXPECT_EQ(dialogs.questions.back(), st::kPatternExists);
  EXPECT_EQ(ReadWholeFile(dir / "betpattern/q_pattern.txt"), "old");
}

TEST_F(PatternEditorTest, SideIsNotCheckedBeforeSaving) {
  std::vector<CardFields> cards(kPatternCardCount);
  cards[0] = {"X", "1", "1"};
  EXPECT_EQ(CheckDeck(cards, false), std::nullopt);
}

TEST_F(PatternEditorTest, SpecialSaveRefusalsInOrder) {
  auto refusal = [&]() {
    dialogs.messages.clear();
    EXPECT_FALSE(editor.SaveSpecial());
    return dialogs.messages.empty() ? std::string() : dialogs.messages.back();
  };
  EXPECT_EQ(refusal(), st::kEnterPatternName);
  editor.SetSpecialName("sp");
  EXPECT_EQ(refusal(), st::kEnterFirstBet);
  editor.ChooseStrategy(Strategy::kCondition);
  EXPECT_EQ(refusal(), st::kEnterDefaultBet);
  editor.SetDefaultSide("P");
  EXPECT_EQ(refusal(), st::kNeedCondition);
  editor.SetConditionEnabled(2, true);
  EXPECT_EQ(refusal(), "【優先度2】の回数が選択されていません");
  editor.SetRunLength(2, 3);
  editor.SetConditionEnabled(3, true);
  EXPECT_EQ(refusal(), "【優先度3】のフェイスパターンが選択されていません");
  editor.SetConditionEnabled(3, false);
  editor.SetSpecialName("s|p");
  EXPECT_EQ(refusal(), ForbiddenCharactersMessage(NameKind::kFile));
  EXPECT_FALSE(FolderExists(dir / "betpattern"));
}

TEST_F(PatternEditorTest, SpecialConditionFileAndReload) {
  dir.Write("facepattern/faces_facepattern.txt",
            *EncodeCp932("PB のパターンが発生した場合 P にベットする\r\n"));
  editor.Show();
  ReadyConditions();
  editor.SetConditionEnabled(3, true);
  ASSERT_EQ(editor.face_lists().names, std::vector<std::string>{"faces"});
  editor.ChooseFaceList(0);
  editor.SetSpecialName("sp");
  ASSERT_TRUE(editor.SaveSpecial());
  EXPECT_EQ(ReadWholeFile(dir / "betpattern/sp_facepattern.txt"),
            "mode=1\r\notherbets=B\r\nchecked1=1,4,\r\nchecked2=3,faces_facepattern.txt,FACE\r\n");
  EXPECT_EQ(editor.specials().names, std::vector<std::string>{"sp"});

  PatternEditorModel other(dir.path(), dialogs);
  other.Show();
  other.ChooseSpecial(0);
  other.LoadSpecial();
  EXPECT_EQ(other.special_name(), "sp");
  EXPECT_EQ(other.special().strategy, Strategy::kCondition);
  EXPECT_EQ(other.default_side(), "B");
  EXPECT_EQ(other.special().streaks[0].run_length, 4);
  EXPECT_TRUE(other.special().face_enabled);
  EXPECT_EQ(other.face_lists().Shown(), "faces");

  dialogs.answers = {false};
  editor.SaveSpecial();
  EXPECT_EQ(dialogs.questions.back(), st::kPatternExists);
}

TEST_F(PatternEditorTest, WhatThePageCannotShowIsAskedForAgainOnSave) {
  // A hand-edited run length of 20 and a face list that no longer exists.
  const std::string hand_edited =
      "mode=1\r\notherbets=B\r\nchecked1=1,20,\r\nchecked2=3,gone_facepattern.txt,FACE\r\n";
  dir.Write("betpattern/sp_facepattern.txt", hand_edited);
  editor.Show();
  editor.ChooseSpecial(0);
  editor.LoadSpecial();
  EXPECT_EQ(editor.special().streaks[0].run_length, 0);
  EXPECT_EQ(editor.special().face_list, "");
  dialogs.answers = {true};
  EXPECT_FALSE(editor.SaveSpecial());
  EXPECT_EQ(dialogs.messages.back(), "【優先度1】の回数が選択されていません");
  editor.SetRunLength(1, 5);
  EXPECT_FALSE(editor.SaveSpecial());
  EXPECT_EQ(dialogs.messages.back(), "【優先度3】のフェイスパターンが選択されていません");

  // A list chosen, then deleted behind the page's back before the lists are refilled.
  dir.Write("facepattern/faces_facepattern.txt",
            *EncodeCp932("PB のパターンが発生した場合 P にベットする\r\n"));
  editor.RefillFaceLists();
  editor.ChooseFaceList(0);
  ASSERT_EQ(editor.special().face_list, "faces");
  fs::remove(dir / "facepattern/faces_facepattern.txt");
  editor.RefillFaceLists();
  EXPECT_FALSE(editor.SaveSpecial());
  EXPECT_EQ(dialogs.messages.back(), "【優先度3】のフェイスパターンが選択されていません");
  EXPECT_EQ(ReadWholeFile(dir / "betpattern/sp_facepattern.txt"), hand_edited);
}

TEST_F(PatternEditorTest, FixedStrategyFileAndStrategySwitchResets) {
  editor.SetFirstBet("P");
  editor.SetSelect(3);
  editor.SetSpecialName("fx");
  ASSERT_TRUE(editor.SaveSpecial());
  EXPECT_EQ(ReadWholeFile(dir / "betpattern/fx_facepattern.txt"),
            "mode=0\r\notherbets=P\r\nselect=3\r\n");
  ReadyConditions();
  EXPECT_EQ(editor.first_bet(), "");
  editor.ChooseStrategy(Strategy::kFixed);
  EXPECT_FALSE(editor.special().streaks[0].enabled);
  EXPECT_EQ(editor.default_side(), "");
  EXPECT_EQ(editor.special().select, 1);
}

TEST_F(PatternEditorTest, DeleteAndAllClearWorkOnBothPages) {
  dir.Write("betpattern/a_pattern.txt", "[BETPATTERN]\r\nCardNo1=P,1,1\r\n");
  dir.Write("betpattern/s_facepattern.txt", "mode=0\r\notherbets=B\r\nselect=1\r\n");
  editor.Show();
  editor.DeleteSpecial();
  EXPECT_EQ(dialogs.messages.back(), st::kChoosePatternToDelete);
  editor.ChooseSpecial(0);
  editor.LoadSpecial();
  editor.ChoosePattern(0);
  editor.LoadPattern();
  editor.DeleteSpecial();
  EXPECT_EQ(dialogs.messages.back(), st::kDeleted);
  EXPECT_FALSE(FileExists(dir / "betpattern/s_facepattern.txt"));
  EXPECT_TRUE(editor.specials().names.empty());
  EXPECT_EQ(editor.special_name(), "");
  EXPECT_EQ(editor.patterns().Shown(), st::kPatternPrompt);  // both lists refilled

  editor.ChoosePattern(0);
  editor.LoadPattern();
  editor.SetSpecialName("keep?");
  editor.AllClear();
  EXPECT_TRUE(editor.card(1).IsEmpty());
  EXPECT_EQ(editor.pattern_name(), "");
  EXPECT_EQ(editor.special_name(), "");
  EXPECT_EQ(editor.patterns().Shown(), st::kPatternPrompt);
  EXPECT_EQ(editor.specials().Shown(), st::kPatternPrompt);

  editor.ChoosePattern(0);
  ASSERT_TRUE(DeleteFileIfExists(dir / "betpattern/a_pattern.txt"));
  editor.DeletePattern();
  EXPECT_EQ(dialogs.messages.back(), st::kSettingsFileMissing);
  editor.LoadPattern();
  EXPECT_EQ(dialogs.messages.back(), st::kPatternFileMissing);
}

}  // namespace
}  // namespace vessaro
