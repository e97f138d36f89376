// The face pattern editor window: the grid draws the model's columns and cursor, the list's
// selection reaches the list commands, the files work through the window, and the side dialog
// answers with its buttons.
#include <gtest/gtest.h>

#include <QTest>

#include "modal.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/messages.h"
#include "systems/special_pattern.h"
#include "ui/systems/bet_select_form.h"
#include "ui/systems/make_face_card_form.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::ModalScript;
using testing::TempFolder;
namespace st = systems_text;

class ScriptedSide : public BetSelectPort {
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

class FaceEditorFormTest : public ::testing::Test {
 protected:
  std::unique_ptr<TMakeFaceCardForm> Open() {
    auto w = std::make_unique<TMakeFaceCardForm>(folder.path(), &dialogs, &side);
    w->show();
    return w;
  }
  void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
  void Enter(TMakeFaceCardForm& w, const std::string& results) {
    for (char c : results) Click(c == 'P' ? w.player_button() : w.banker_button());
  }
  // The grid as the user sees it: one text per column, top to bottom; '*' after the cursor cell.
  std::vector<std::string> Grid(const TMakeFaceCardForm& w) {
    std::vector<std::string> columns;
    for (int c = 0; c < FacePatternEditorModel::kColumns; ++c) {
      std::string column;
      for (int r = 0; r < FacePatternEditorModel::kRows; ++r) {
        const QLabel* cell = w.cell(c, r);
        column += cell->text().isEmpty() ? std::string() : cell->text().toStdString();
        if (cell->styleSheet().contains("#f0b400")) column += '*';
      }
      if (!column.empty()) columns.push_back(column);
    }
    return columns;
  }
  QStringList Lines(const TMakeFaceCardForm& w) {
    QStringList lines;
    for (int i = 0; i < w.line_list()->count(); ++i)
      lines << WithoutBreaks(w.line_list()->item(i)->text());
    return lines;
  }

  TempFolder folder;
  FakeDialogs dialogs;
  ScriptedSide side;
};

TEST_F(FaceEditorFormTest, GridDrawsTheColumnsAndTheCursor) {
  auto w = Open();
  EXPECT_EQ(w->windowTitle(), "出現パターン設定");
  Enter(*w, "PPBPP");
  EXPECT_EQ(Grid(*w), (std::vector<std::string>{"PP", "B", "PP*"}));
  EXPECT_EQ(WithoutBreaks(w->sequence_label()->text()), "PPBPP");
  Click(w->clear_last_button());
  EXPECT_EQ(Grid(*w), (std::vector<std::string>{"PP", "B", "P*"}));
  Click(w->clear_last_button());
  EXPECT_EQ(Grid(*w), (std::vector<std::string>{"PP", "B*"}));

  Enter(*w, "BBBBBB");  // a seventh B in column 2
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kColumnFull});
  EXPECT_EQ(Grid(*w), (std::vector<std::string>{"PP", "BBBBBB*"}));
}

TEST_F(FaceEditorFormTest, ListCommandsFollowTheListSelection) {
  auto w = Open();
  side.answers = {"P", "B"};
  Enter(*w, "PB");
  Click(w->add_button());
  EXPECT_EQ(side.captions, std::vector<std::string>{"PB のパターンが発生した場合 "});
  EXPECT_EQ(Lines(*w), QStringList{"PB のパターンが発生した場合 P にベットする"});
  EXPECT_TRUE(Grid(*w).empty());

  Click(w->line_to_grid_button());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kChooseLineToLoad});
  w->line_list()->setCurrentRow(0);
  Click(w->line_to_grid_button());
  EXPECT_EQ(Grid(*w), (std::vector<std::string>{"P", "B*"}));
  Enter(*w, "B");
  Click(w->replace_button());
  EXPECT_EQ(Lines(*w), QStringList{"PBB のパターンが発生した場合 B にベットする"});

  w->line_list()->setCurrentRow(0);
  Click(w->remove_button());
  EXPECT_EQ(w->line_list()->count(), 0);
  Click(w->remove_button());
  EXPECT_EQ(dialogs.messages.back(), st::kChooseLineToDelete);
}

TEST_F(FaceEditorFormTest, SaveAndLoadThroughTheWindow) {
  auto w = Open();
  side.answers = {"B"};
  Enter(*w, "PPPB");
  Click(w->add_button());
  w->name_edit()->setText("ツラ崩れ");
  Click(w->save_button());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kSaved});
  EXPECT_EQ(ReadFaceListLines(FaceListFilePath(folder.path(), "ツラ崩れ")),
            std::vector<std::string>{"PPPB のパターンが発生した場合 B にベットする"});
  EXPECT_EQ(w->file_combo()->itemText(0), "登録フェイスパターンを選択してください");
  EXPECT_EQ(w->file_combo()->findText("ツラ崩れ"), 1);

  WriteFaceListFile(FaceListFilePath(folder.path(), "ツラ崩れ"),
                    {MakeFaceLine("BBP", "P"), MakeFaceLine(std::string(72, 'B'), "P")});
  Click(w->clear_button());
  EXPECT_EQ(w->name_edit()->text(), "");
  EXPECT_EQ(w->file_combo()->currentIndex(), 0);
  w->file_combo()->setCurrentIndex(1);
  Click(w->load_button());
  EXPECT_EQ(w->name_edit()->text(), "ツラ崩れ");
  EXPECT_EQ(Lines(*w),
            (QStringList{"BBP のパターンが発生した場合 P にベットする",
                         QString(72, 'B') + " のパターンが発生した場合 P にベットする"}));
}

TEST_F(FaceEditorFormTest, SideDialogAnswersWithItsButtons) {
  struct Case {
    const char* action;  // "player", "banker" or "close"
    std::string side;
  };
  for (const Case& c : {Case{"player", "P"}, Case{"banker", "B"}, Case{"close", ""}}) {
    SCOPED_TRACE(c.action);
    ModalScript script;
    script.Then<TBetSelectForm>([&](TBetSelectForm* f) {
      EXPECT_EQ(f->windowTitle(), "ベット先の選択");
      EXPECT_EQ(WithoutBreaks(f->caption_label()->text()), "PPB のパターンが発生した場合 ");
      EXPECT_EQ(f->player_button()->text(), "プレーヤーにベットする");
      EXPECT_EQ(f->banker_button()->text(), "バンカーにベットする");
      if (std::string(c.action) == "player") Click(f->player_button());
      if (std::string(c.action) == "banker") Click(f->banker_button());
      if (std::string(c.action) == "close") f->close();
    });
    QtBetSelect port(nullptr);
    EXPECT_EQ(port.ChooseBetSide("PPB のパターンが発生した場合 "), c.side);
    EXPECT_EQ(script.steps_run(), 1);
    EXPECT_EQ(script.left_open(), 0);
  }
}

}  // namespace
}  // namespace vessaro
