#include "systems/face_editor.h"

#include <gtest/gtest.h>

#include <deque>

#include "common/cp932.h"
#include "common/names.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/messages.h"
#include "systems/special_pattern.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;
namespace st = systems_text;

// The side dialog with scripted answers; "" stands for closing it without a choice.
class ScriptedSideDialog : public BetSelectPort {
 public:
  std::string ChooseBetSide(std::string_view caption) override {
    captions.emplace_back(caption);
    std::string side = answers.empty() ? "" : answers.front();
    if (!answers.empty()) answers.pop_front();
    return side;
  }
  std::deque<std::string> answers;
  std::vector<std::string> captions;
};

class FaceEditorTest : public ::testing::Test {
 protected:
  FaceEditorTest() : editor(dir.path(), dialogs) {}
  void Enter(std::string_view letters) {
    for (char c : letters) c == 'P' ? editor.AddPlayer() : editor.AddBanker();
  }
  std::vector<std::string> Columns() const {
    std::vector<std::string> out;
    for (int c = 0; c < FacePatternEditorModel::kColumns && editor.Cell(c, 0); ++c) {
      std::string column;
      for (int r = 0; r < FacePatternEditorModel::kRows && editor.Cell(c, r); ++r)
        column += editor.Cell(c, r);
      out.push_back(column);
    }
    return out;
  }
  TempFolder dir;
  FakeDialogs dialogs;
  FacePatternEditorModel editor;
  ScriptedSideDialog side;
};

TEST_F(FaceEditorTest, GridFollowsTheResults) {
  Enter("PPBPP");
  EXPECT_EQ(Columns(), (std::vector<std::string>{"PP", "B", "PP"}));
  EXPECT_EQ(editor.Sequence(), "PPBPP");
  int column, row;
  ASSERT_TRUE(editor.Cursor(column, row));
  EXPECT_EQ(column, 2);
  EXPECT_EQ(row, 1);
  editor.ClearLast();
  editor.ClearLast();
  EXPECT_EQ(editor.Sequence(), "PPB");
  ASSERT_TRUE(editor.Cursor(column, row));
  EXPECT_EQ(column, 1);
  EXPECT_EQ(row, 0);
}

TEST_F(FaceEditorTest, GridLimits) {
  Enter("BBBBBB");
  EXPECT_FALSE(editor.AddBanker());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kColumnFull});
  EXPECT_EQ(editor.Sequence(), "BBBBBB");
  editor.ClearLast();
  Enter("PBPBPBPBPBP");  // 12 columns
  EXPECT_EQ(Columns().size(), 12u);
  EXPECT_FALSE(editor.AddBanker());
  EXPECT_EQ(dialogs.messages.back(), st::kColumnsFull);
  EXPECT_TRUE(editor.AddPlayer());  // the last column may still grow
}

TEST_F(FaceEditorTest, AddToListAsksTheSide) {
  editor.AddPlayer();
  EXPECT_FALSE(editor.AddToList(side));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kFaceTooShort});
  Enter("PB");
  side.answers = {"B", ""};
  ASSERT_TRUE(editor.AddToList(side));
  EXPECT_EQ(side.captions.back(), "PPB のパターンが発生した場合 ");
  EXPECT_EQ(editor.Sequence(), "");
  Enter("BP");
  ASSERT_TRUE(editor.AddToList(side));  // closed without a choice: still added, side empty
  EXPECT_EQ(editor.lines(),
            (std::vector<std::string>{"PPB のパターンが発生した場合 B にベットする",
                                      "BP のパターンが発生した場合  にベットする"}));
}

TEST_F(FaceEditorTest, ListCommandsNeedAChosenLine) {
  struct Case {
    bool (*command)(FacePatternEditorModel&, BetSelectPort&);
    const char* message;
  } cases[] = {
      {[](FacePatternEditorModel& e, BetSelectPort&) { return e.RemoveFromList(); },
       st::kChooseLineToDelete},
      {[](FacePatternEditorModel& e, BetSelectPort&) { return e.LoadLineIntoGrid(); },
       st::kChooseLineToLoad},
      {[](FacePatternEditorModel& e, BetSelectPort& s) { return e.ReplaceLine(s); },
       st::kChooseLineToEdit},
  };
  for (const Case& c : cases) {
    dialogs.messages.clear();
    EXPECT_FALSE(c.command(editor, side));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{c.message});
  }
}

TEST_F(FaceEditorTest, LineBackToGridAndReplace) {
  Enter("PPBPP");
  side.answers = {"P", "B"};
  editor.AddToList(side);
  editor.SelectLine(0);
  ASSERT_TRUE(editor.LoadLineIntoGrid());
  EXPECT_EQ(Columns(), (std::vector<std::string>{"PP", "B", "PP"}));
  editor.AddBanker();
  ASSERT_TRUE(editor.ReplaceLine(side));
  EXPECT_EQ(editor.lines(),
            std::vector<std::string>{"PPBPPB のパターンが発生した場合 B にベットする"});
  ASSERT_TRUE(editor.RemoveFromList());
  EXPECT_TRUE(editor.lines().empty());
}

TEST_F(FaceEditorTest, SaveRefusalsThenFileFeedsTheConditions) {
  editor.Save();
  EXPECT_EQ(dialogs.messages.back(), st::kEnterPatternName);
  editor.SetName("faces");
  editor.Save();
  EXPECT_EQ(dialogs.messages.back(), st::kNoPatternList);
  Enter("PBPB");
  side.answers = {"P", ""};
  editor.AddToList(side);
  Enter("BBP");
  editor.AddToList(side);
  editor.SetName("fa:ces");
  editor.Save();
  EXPECT_EQ(dialogs.messages.back(), ForbiddenCharactersMessage(NameKind::kFile));
  editor.SetName("faces");
  ASSERT_TRUE(editor.Save());
  EXPECT_EQ(dialogs.messages.back(), st::kSaved);
  EXPECT_EQ(ReadTextFile(dir / "facepattern/faces_facepattern.txt"),
            "PBPB のパターンが発生した場合 P にベットする\r\nBBP のパターンが発生した場合  "
            "にベットする\r\n");
  EXPECT_EQ(editor.files().names, std::vector<std::string>{"faces"});

  SpecialPatternFile special =
      ParseSpecialPatternText("mode=1\r\notherbets=B\r\nchecked1=3,faces_facepattern.txt,FACE\r\n");
  ConditionList conditions;
  ASSERT_TRUE(LoadFaceConditions(special, dir.path(), "s", conditions).ok());
  LastRoundRecord record = LastRoundRecord::Parse("B,0,0,2,2,1");
  EXPECT_EQ(GetFaceSide("1", "", "B", conditions, record, "PBPB"), BetSide::kPlayer);
  EXPECT_EQ(GetFaceSide("1", "", "B", conditions, record, "PBBP"), BetSide::kBanker);  // no side

  dialogs.answers = {false};
  EXPECT_FALSE(editor.Save());
  EXPECT_EQ(dialogs.questions.back(), st::kFaceExists);
}

TEST_F(FaceEditorTest, LoadDeleteAndAllClear) {
  dir.Write("facepattern/f_facepattern.txt",
            *EncodeCp932("PP のパターンが発生した場合 B にベットする\r\n\r\n"));
  editor.Show();
  editor.Load();
  EXPECT_EQ(dialogs.messages.back(), st::kFaceListFileMissing);
  editor.Delete();
  EXPECT_EQ(dialogs.messages.back(), st::kChooseFaceToDelete);
  editor.ChooseFile(0);
  editor.Load();
  EXPECT_EQ(editor.lines(), std::vector<std::string>{"PP のパターンが発生した場合 B にベットする"});
  EXPECT_EQ(editor.name(), "f");
  editor.AllClear();
  EXPECT_EQ(editor.name(), "");
  EXPECT_EQ(editor.files().Shown(), st::kFacePrompt);
  editor.ChooseFile(0);
  editor.Delete();
  EXPECT_EQ(dialogs.messages.back(), st::kDeleted);
  EXPECT_FALSE(FileExists(dir / "facepattern/f_facepattern.txt"));
  EXPECT_TRUE(editor.lines().empty());
  EXPECT_TRUE(editor.files().names.empty());
}

TEST_F(FaceEditorTest, HandEditedLinesThatDoNotFitTheGridAreRefused) {
  dir.Write("facepattern/f_facepattern.txt",
            *EncodeCp932("PPPPPPP のパターンが発生した場合 B にベットする\r\n"
                         "PXP のパターンが発生した場合 B にベットする\r\n"));
  editor.Show();
  editor.ChooseFile(0);
  editor.Load();
  Enter("BP");
  editor.SelectLine(0);
  EXPECT_FALSE(editor.LoadLineIntoGrid());
  EXPECT_EQ(dialogs.messages.back(), st::kColumnFull);
  editor.SelectLine(1);
  EXPECT_FALSE(editor.LoadLineIntoGrid());
  EXPECT_EQ(dialogs.messages.back(), st::kFaceLineUnreadable);
  EXPECT_EQ(editor.Sequence(), "BP");  // the grid is left as it was
}

}  // namespace
}  // namespace vessaro
