// The system editor window: its pages show every card of a page at once, the card dialog's
// controls reach the model and its answer lands on the tile, the file commands work through the
// window, and the fourth page opens the Ashfinch editor.
#include <gtest/gtest.h>

#include <QTest>

#include "modal.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/messages.h"
#include "ui/systems/ashfinch2_form.h"
#include "ui/systems/bet_sys_pattern_form.h"
#include "ui/systems/card_setting_dlg.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::ModalScript;
using testing::TempFolder;
namespace st = systems_text;

class SystemEditorFormTest : public ::testing::Test {
 protected:
  std::unique_ptr<TBetSysPatternForm> Open() {
    auto w = std::make_unique<TBetSysPatternForm>(folder.path(), &dialogs);
    w->show();
    return w;
  }
  void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
  void Choose(QComboBox* combo, const char* name) {
    const int index = combo->findText(QString::fromUtf8(name));
    ASSERT_GT(index, 0) << name;
    combo->setCurrentIndex(index);
  }
  // Opens the dialog of a card, types the fields and presses OK.
  void TypeCard(TBetSysPatternForm& w, int number, const char* stake, const char* win,
                const char* lose) {
    ModalScript script(&w);
    script.Then<TCardSettingDlg>([&](TCardSettingDlg* d) {
      d->stake_edit()->setText(QString::fromUtf8(stake));
      d->win_edit()->setText(QString::fromUtf8(win));
      d->lose_edit()->setText(QString::fromUtf8(lose));
      Click(d->ok_button());
    });
    Click(w.tile(number)->set_button());
    EXPECT_EQ(script.steps_run(), 1);
    EXPECT_EQ(script.left_open(), 0);
  }

  TempFolder folder;
  FakeDialogs dialogs;
};

TEST_F(SystemEditorFormTest, EveryPageShowsItsTwentyCardsAtOnce) {
  WriteCardFile(SystemFilePath(folder.path(), "既存"), std::vector<CardFields>(kSystemCardCount));
  auto w = Open();
  EXPECT_EQ(w->windowTitle(), "ベットシステム設定");
  EXPECT_TRUE(w->isModal());
  ASSERT_EQ(w->tabs()->count(), 4);
  // A whole page on a 1280 x 1024 screen, without scrolling.
  EXPECT_LE(w->width(), 1280);
  EXPECT_LE(w->height(), 960);
  for (int page = 0; page < 3; ++page) {
    EXPECT_EQ(w->tabs()->tabText(page), QString::fromUtf8(st::kSystemPages[page]));
    w->tabs()->setCurrentIndex(page);
    QApplication::processEvents();
    const QRect window_rect = w->rect();
    std::vector<QRect> seen;
    for (int n = page * 20 + 1; n <= page * 20 + 20; ++n) {
      CardTile* tile = w->tile(n);
      EXPECT_TRUE(w->tabs()->widget(page)->isAncestorOf(tile)) << n;
      ASSERT_TRUE(tile->isVisible()) << n;
      EXPECT_EQ(tile->set_button()->text(), "設定する");
      // The whole tile, button included, lies inside the window and beside the others.
      const QRect r(tile->mapTo(w.get(), QPoint(0, 0)), tile->size());
      EXPECT_TRUE(window_rect.contains(r)) << n;
      EXPECT_TRUE(r.contains(
          QRect(tile->set_button()->mapTo(w.get(), QPoint(0, 0)), tile->set_button()->size())));
      for (const QRect& other : seen) EXPECT_FALSE(r.intersects(other)) << n;
      seen.push_back(r);
    }
  }
  EXPECT_FALSE(w->system_combo()->isEditable());
  ASSERT_EQ(w->system_combo()->count(), 2);
  EXPECT_EQ(w->system_combo()->itemText(0), "登録システムを選択してください");
  EXPECT_EQ(w->system_combo()->currentIndex(), 0);

  // The list is read again every time the editor is shown.
  w->hide();
  WriteCardFile(SystemFilePath(folder.path(), "新規"), std::vector<CardFields>(kSystemCardCount));
  w->show();
  EXPECT_GE(w->system_combo()->findText("新規"), 1);
}

TEST_F(SystemEditorFormTest, CardDialogStoresWhatItAcceptsAndTheTileShowsIt) {
  auto w = Open();
  w->tabs()->setCurrentIndex(1);
  ModalScript script(w.get());
  script.Then<TCardSettingDlg>([&](TCardSettingDlg* d) {
    EXPECT_EQ(d->windowTitle(), "システムカード設定");
    EXPECT_EQ(d->stake_edit()->text(), "");
    d->stake_edit()->setText("abc％");
    d->win_edit()->setText("24");
    d->lose_edit()->setText("1");
    Click(d->ok_button());
    // Refused: the message, the dialog stays, the stake comes back with its "%".
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kPercentRange});
    EXPECT_EQ(d->stake_edit()->text(), "abc%");
    d->stake_edit()->setText("10％");
    Click(d->ok_button());
  });
  Click(w->tile(23)->set_button());
  EXPECT_EQ(script.left_open(), 0);
  EXPECT_EQ(w->model().card(23), (CardFields{"10%", "24", "1"}));
  EXPECT_EQ(w->tile(23)->value(0)->text(), "10%");
  EXPECT_EQ(w->tile(23)->value(1)->text(), "24");
  EXPECT_EQ(w->tile(23)->value(2)->text(), "1");

  // The dialog opens on the card as stored; CANCEL keeps it.
  ModalScript cancel(w.get());
  cancel.Then<TCardSettingDlg>([&](TCardSettingDlg* d) {
    EXPECT_EQ(d->stake_edit()->text(), "10%");
    EXPECT_EQ(d->win_edit()->text(), "24");
    d->stake_edit()->setText("99");
    Click(d->cancel_button());
  });
  Click(w->tile(23)->set_button());
  EXPECT_EQ(cancel.steps_run(), 1);
  EXPECT_EQ(w->model().card(23), (CardFields{"10%", "24", "1"}));
  EXPECT_EQ(w->tile(23)->value(0)->text(), "10%");
}

TEST_F(SystemEditorFormTest, EnterMovesThroughTheCardDialogAndConfirmsFromLoseNext) {
  auto w = Open();
  ModalScript script(w.get());
  script.Then<TCardSettingDlg>([&](TCardSettingDlg* d) {
    d->stake_edit()->setFocus();
    QTest::keyClick(d->stake_edit(), Qt::Key_Return);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kBlank});
    EXPECT_EQ(d->focusWidget(), d->stake_edit());
    EXPECT_TRUE(d->isVisible());

    d->stake_edit()->setText("30");
    QTest::keyClick(d->stake_edit(), Qt::Key_Return);
    EXPECT_EQ(d->focusWidget(), d->win_edit());
    d->win_edit()->setText("1");
    QTest::keyClick(d->win_edit(), Qt::Key_Return);
    EXPECT_EQ(d->focusWidget(), d->lose_edit());
    QTest::keyClick(d->lose_edit(), Qt::Key_Return);  // lose-next still empty
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(d->isVisible());
    d->lose_edit()->setText("2");
    QTest::keyClick(d->lose_edit(), Qt::Key_Return);
  });
  Click(w->tile(1)->set_button());
  EXPECT_EQ(script.left_open(), 0);
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{st::kBlank, st::kBlank}));
  EXPECT_EQ(w->model().card(1), (CardFields{"30", "1", "2"}));
}

TEST_F(SystemEditorFormTest, SaveLoadAndDeleteThroughTheWindow) {
  auto w = Open();
  TypeCard(*w, 1, "10", "1", "2");
  TypeCard(*w, 2, "20", "1", "2");
  w->name_edit()->setText("ココモ's");
  Click(w->save_button());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kSaved});
  const fs::path file = SystemFilePath(folder.path(), "ココモ's");
  std::vector<CardFields> expected(kSystemCardCount);
  expected[0] = {"10", "1", "2"};
  expected[1] = {"20", "1", "2"};
  EXPECT_EQ(ReadCardFile(file, kSystemCardCount), expected);
  EXPECT_GE(w->system_combo()->findText("ココモ's"), 1);

  Click(w->clear_button());
  EXPECT_EQ(w->name_edit()->text(), "");
  EXPECT_EQ(w->system_combo()->currentIndex(), 0);
  EXPECT_EQ(w->tile(1)->value(0)->text(), "－");

  Choose(w->system_combo(), "ココモ's");
  Click(w->load_button());
  EXPECT_EQ(w->name_edit()->text(), "ココモ's");
  EXPECT_EQ(w->tile(2)->value(0)->text(), "20");

  Click(w->delete_button());
  EXPECT_FALSE(FileExists(file));
  EXPECT_EQ(dialogs.messages.back(), st::kDeleted);
  EXPECT_EQ(w->system_combo()->findText("ココモ's"), -1);
  EXPECT_EQ(w->system_combo()->currentIndex(), 0);
  EXPECT_EQ(w->tile(2)->value(0)->text(), "－");
}

TEST_F(SystemEditorFormTest, RefusedNameShowsTheExactMessageAndWritesNothing) {
  auto w = Open();
  TypeCard(*w, 1, "10", "1", "1");
  w->name_edit()->setText("a.b");
  Click(w->save_button());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"\\/:*?\"<'>|.,は禁止文字です"});
  EXPECT_TRUE(ListSystemNames(folder.path()).empty());
  EXPECT_EQ(w->system_combo()->count(), 1);
}

TEST_F(SystemEditorFormTest, FourthPageOpensTheAshfinchEditorAndItsSystemJoinsTheList) {
  WriteCardFile(SystemFilePath(folder.path(), "既存"), std::vector<CardFields>(kSystemCardCount));
  auto w = Open();
  Choose(w->system_combo(), "既存");
  w->tabs()->setCurrentIndex(3);
  ModalScript script(w.get());
  script.Then<TAshfinch2Form>([&](TAshfinch2Form* a) {
    EXPECT_EQ(a->windowTitle(), "Kindlet - ベットシステム設定 - Ashfinch ver. 2.1");
    EXPECT_EQ(a->parentWidget(), w.get());
    a->name_edit()->setText("基本");
    Click(a->save_button());
    Click(a->close_button());
  });
  Click(w->ashfinch_button());
  EXPECT_EQ(script.steps_run(), 1);
  EXPECT_EQ(script.left_open(), 0);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kSaved});
  EXPECT_GE(w->system_combo()->findText("基本_ashfinchbasic"), 1);
  EXPECT_EQ(w->system_combo()->currentText(), "既存");
  EXPECT_EQ(w->model().systems().Shown(), "既存");
}

}  // namespace
}  // namespace vessaro
