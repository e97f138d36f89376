#include "systems/system_editor.h"

#include <gtest/gtest.h>

#include "common/names.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/messages.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;
namespace st = systems_text;

struct DialogCase {
  CardFields typed;
  bool closes;
  const char* message;  // "" when none
  CardFields after;     // the result when it closes, the fields when it stays open
};

void PrintTo(const DialogCase& c, std::ostream* os) {
  *os << c.typed.first << "," << c.typed.win << "," << c.typed.lose;
}

class SystemCardDialogTest : public ::testing::TestWithParam<DialogCase> {};

TEST_P(SystemCardDialogTest, Confirm) {
  const DialogCase& c = GetParam();
  FakeDialogs dialogs;
  SystemCardDialogModel dialog(c.typed);
  EXPECT_EQ(dialog.Confirm(dialogs), c.closes);
  if (*c.message) {
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{c.message});
  } else {
    EXPECT_TRUE(dialogs.messages.empty());
  }
  EXPECT_EQ(c.closes ? dialog.result() : dialog.fields, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    SystemEditor, SystemCardDialogTest,
    ::testing::Values(
        DialogCase{{"", "", ""}, true, "", {"", "", ""}},
        DialogCase{{"10", "1", ""}, false, st::kHasBlanks, {"10", "1", ""}},
        DialogCase{{"10％", "1", "2"}, true, "", {"10%", "1", "2"}},
        DialogCase{{" 5% ", "1", "2"}, true, "", {"5%", "1", "2"}},
        DialogCase{{"101%", "1", "2"}, false, st::kPercentRange, {"101%", "1", "2"}},
        DialogCase{{"abc％", "1", "2"}, false, st::kPercentRange, {"abc%", "1", "2"}},
        DialogCase{{"0%", "1", "2"}, false, st::kPercentRange, {"0%", "1", "2"}},
        DialogCase{{"100%", "60", "1"}, true, "", {"100%", "60", "1"}},
        DialogCase{{"10000", "60", "1"}, true, "", {"10000", "60", "1"}},
        DialogCase{{"10001", "1", "2"}, false, st::kHalfWidthDigits, {"10001", "1", "2"}},
        DialogCase{{"0", "1", "2"}, false, st::kHalfWidthDigits, {"0", "1", "2"}},
        DialogCase{{"10", "61", "1"}, false, st::kHalfWidthDigits, {"10", "61", "1"}},
        DialogCase{{"10", "1", "0"}, false, st::kHalfWidthDigits, {"10", "1", "0"}},
        DialogCase{{"１０", "1", "2"}, false, st::kHalfWidthDigits, {"１０", "1", "2"}},
        DialogCase{{"-5", "1", "2"}, false, st::kHalfWidthDigits, {"-5", "1", "2"}},
        DialogCase{{"10.5", "1", "2"}, false, st::kHalfWidthDigits, {"10.5", "1", "2"}}));

TEST(SystemCardDialogKeysTest, EnterChecksForBlanks) {
  FakeDialogs dialogs;
  SystemCardDialogModel dialog;
  EXPECT_FALSE(dialog.EnterInStake(dialogs));
  EXPECT_FALSE(dialog.EnterInLose(dialogs));
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{st::kBlank, st::kBlank}));
  dialog.fields = {"10", "1", "2"};
  EXPECT_TRUE(dialog.EnterInStake(dialogs));
  EXPECT_TRUE(dialog.EnterInLose(dialogs));
  EXPECT_EQ(dialog.result(), (CardFields{"10", "1", "2"}));
}

class SystemEditorTest : public ::testing::Test {
 protected:
  SystemEditorTest() : editor(dir.path(), dialogs) {}
  void SetCard(int number, CardFields fields) {
    SystemCardDialogModel dialog = editor.OpenCard(number);
    dialog.fields = std::move(fields);
    ASSERT_TRUE(dialog.Confirm(dialogs));
    editor.ApplyCard(number, dialog);
  }
  void ChooseByName(const std::string& name) {
    editor.Show();
    const auto& names = editor.systems().names;
    auto it = std::find(names.begin(), names.end(), name);
    ASSERT_NE(it, names.end());
    editor.ChooseSystem(static_cast<int>(it - names.begin()));
  }
  fs::path FileOf(const std::string& name) {
    return dir / ("betpattern/" + name + "_syspattern.txt");
  }

  TempFolder dir;
  FakeDialogs dialogs;
  SystemEditorModel editor;
};

TEST_F(SystemEditorTest, SaveWritesAllSixtyCards) {
  SetCard(1, {"10", "1", "2"});
  SetCard(2, {"5％", "1", "1"});
  editor.SetName("  mine  ");
  ASSERT_TRUE(editor.Save());
  EXPECT_EQ(dialogs.messages.back(), st::kSaved);
  std::string expected = "[BETPATTERN]\r\nCardNo1=10,1,2\r\nCardNo2=5%,1,1\r\n";
  for (int i = 3; i <= 60; ++i) expected += "CardNo" + std::to_string(i) + "=,,\r\n";
  EXPECT_EQ(ReadWholeFile(FileOf("mine")), expected);
  EXPECT_EQ(editor.systems().names, std::vector<std::string>{"mine"});
}

TEST_F(SystemEditorTest, SaveRefusals) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, CardFields>> cards;
    std::string message;
  } cases[] = {
      {" ", {}, st::kEnterSystemName},
      {"a.b", {}, ForbiddenCharactersMessage(NameKind::kFile)},
      {"a,b", {}, ForbiddenCharactersMessage(NameKind::kFile)},
      {"絵😀", {}, kUnstorableCharacterMessage},
      {"s", {{3, {"10", "7", "3"}}}, "カード3の移動先（カード7）の内容に空白があります"},
      {"s", {{1, {"10", "1", "1"}}, {2, {"10", "", "1"}}}, "カード2の内容に空白があります"},
      {"s", {{1, {"10", "x", "1"}}}, "カード1の内容にエラーがあります"},
      {"s", {{1, {"1.5%", "1", "1"}}}, "カード1の内容にエラーがあります"},
      {"s", {{1, {"10", "1", "61"}}}, "カード1の移動先（カード61）の内容に空白があります"},
  };
  for (const Case& c : cases) {
    SystemEditorModel fresh(dir.path(), dialogs);
    // Hand-edited cards reach the editor through a loaded file, not through the dialog.
    std::vector<CardFields> cards(kSystemCardCount);
    for (const auto& [number, fields] : c.cards) cards[number - 1] = fields;
    WriteCardFile(FileOf("loaded"), cards);
    fresh.Show();
    fresh.ChooseSystem(0);
    fresh.Load();
    fresh.SetName(c.name);
    dialogs.messages.clear();
    EXPECT_FALSE(fresh.Save()) << c.message;
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{c.message});
    EXPECT_FALSE(FileExists(FileOf("s")));
  }
}

TEST_F(SystemEditorTest, NameWithSingleQuoteIsAccepted) {
  editor.SetName("it's");
  EXPECT_TRUE(editor.Save());
  EXPECT_TRUE(FileExists(FileOf("it's")));
}

TEST_F(SystemEditorTest, OverwriteAsksAndReplacesTheWholeFile) {
  const std::string old_text =
      "[BETPATTERN]\r\nCardNo1=99,1,1\r\nCardNo61=1,1,1\r\n[OTHER]\r\nx=1\r\n";
  dir.Write("betpattern/s_syspattern.txt", old_text);
  SetCard(1, {"10", "1", "1"});
  editor.SetName("s");
  dialogs.answers = {false};
  EXPECT_FALSE(editor.Save());
  EXPECT_EQ(dialogs.questions, std::vector<std::string>{st::kSystemExists});
  EXPECT_EQ(ReadWholeFile(FileOf("s")), old_text);
  dialogs.answers = {true};
  EXPECT_TRUE(editor.Save());
  std::string written = ReadWholeFile(FileOf("s"));
  EXPECT_EQ(written, MakeCardText(editor.cards()));
  EXPECT_EQ(written.find("CardNo61"), std::string::npos);
  EXPECT_EQ(written.find("OTHER"), std::string::npos);
}

TEST_F(SystemEditorTest, LoadClearsFirstAndTakesTheChosenName) {
  dir.Write("betpattern/a_syspattern.txt", "[BETPATTERN]\r\nCardNo1=5%,1,2\r\nCardNo2=7\r\n");
  SetCard(5, {"10", "1", "1"});
  editor.SetName("before");
  ChooseByName("a");
  editor.Load();
  EXPECT_EQ(editor.name(), "a");
  EXPECT_EQ(editor.card(1), (CardFields{"5%", "1", "2"}));
  EXPECT_EQ(editor.card(2), (CardFields{"7", "", ""}));
  EXPECT_TRUE(editor.card(5).IsEmpty());

  ASSERT_TRUE(DeleteFileIfExists(FileOf("a")));
  editor.Load();
  EXPECT_EQ(dialogs.messages.back(), st::kSystemFileMissing);
  EXPECT_EQ(editor.name(), "");
  EXPECT_TRUE(editor.card(1).IsEmpty());
  editor.ChooseSystem(-1);
  dialogs.messages.clear();
  editor.Load();
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kSystemFileMissing});
}

TEST_F(SystemEditorTest, DeleteNeedsAChoiceAndAFile) {
  dir.Write("betpattern/b_syspattern.txt", "[BETPATTERN]\r\nCardNo1=5,1,1\r\n");
  editor.Show();
  editor.Delete();
  EXPECT_EQ(dialogs.messages.back(), st::kChooseSystemToDelete);
  ChooseByName("b");
  ASSERT_TRUE(DeleteFileIfExists(FileOf("b")));  // gone behind the editor's back
  editor.Delete();
  EXPECT_EQ(dialogs.messages.back(), st::kSettingsFileMissing);
}

TEST_F(SystemEditorTest, DeleteRemovesTheFileRefillsAndEmptiesTheCards) {
  dir.Write("betpattern/a_syspattern.txt", "[BETPATTERN]\r\nCardNo1=5,1,1\r\n");
  dir.Write("betpattern/b_syspattern.txt", "[BETPATTERN]\r\nCardNo1=5,1,1\r\n");
  ChooseByName("a");
  editor.Load();
  editor.Delete();
  EXPECT_EQ(dialogs.messages.back(), st::kDeleted);
  EXPECT_FALSE(FileExists(FileOf("a")));
  EXPECT_EQ(editor.systems().names, std::vector<std::string>{"b"});
  EXPECT_FALSE(editor.systems().HasChoice());
  EXPECT_EQ(editor.systems().Shown(), st::kSystemPrompt);
  EXPECT_TRUE(editor.card(1).IsEmpty());
}

TEST_F(SystemEditorTest, AllClearEmptiesEverything) {
  dir.Write("betpattern/a_syspattern.txt", "[BETPATTERN]\r\nCardNo1=5,1,1\r\n");
  ChooseByName("a");
  editor.Load();
  editor.AllClear();
  EXPECT_TRUE(editor.card(1).IsEmpty());
  EXPECT_EQ(editor.name(), "");
  EXPECT_EQ(editor.systems().Shown(), st::kSystemPrompt);
}

}  // namespace
}  // namespace vessaro
