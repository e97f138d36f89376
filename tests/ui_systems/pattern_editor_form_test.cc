// The pattern editor window: both pages with their captions and prompts, the pattern card dialog's
// side buttons reaching the tile and the file, the special page's strategies excluding each other
// on screen, and the face pattern editor opened from the special page.
#include <gtest/gtest.h>

#include <QTest>

#include "modal.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/messages.h"
#include "systems/special_pattern.h"
#include "ui/systems/bet_pattern_form.h"
#include "ui/systems/bet_select_form.h"
#include "ui/systems/card_setting_dlg2.h"
#include "ui/systems/make_face_card_form.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::ModalScript;
using testing::TempFolder;
namespace st = systems_text;

class PatternEditorFormTest : public ::testing::Test {
 protected:
  std::unique_ptr<TBetPatternForm> Open() {
    auto w = std::make_unique<TBetPatternForm>(folder.path(), &dialogs);
    w->show();
    return w;
  }
  void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
  // On the indicator: a radio stretched across its box does not take clicks beyond its text.
  void ClickRadio(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(8, w->height() / 2));
  }
  void Choose(QComboBox* combo, const char* name) {
    const int index = combo->findText(QString::fromUtf8(name));
    ASSERT_GT(index, 0) << name;
    combo->setCurrentIndex(index);
  }
  QStringList Items(QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
  }

  TempFolder folder;
  FakeDialogs dialogs;
};

TEST_F(PatternEditorFormTest, PagesCaptionsAndPromptsAndAllTwentyCards) {
  WriteFaceListFile(FaceListFilePath(folder.path(), "ツラ"), {MakeFaceLine("PPB", "B")});
  WriteCardFile(PatternFilePath(folder.path(), "交互"), std::vector<CardFields>(20));
  auto w = Open();
  EXPECT_EQ(w->windowTitle(), "ベットパターン設定");
  ASSERT_EQ(w->tabs()->count(), 2);
  EXPECT_EQ(w->tabs()->tabText(0), "固定パターン設定");
  EXPECT_EQ(w->tabs()->tabText(1), "特殊パターン設定（条件・螺旋）");
  EXPECT_LE(w->width(), 1280);
  EXPECT_LE(w->height(), 960);
  for (int n = 1; n <= 20; ++n) {
    const CardTile* tile = w->tile(n);
    ASSERT_TRUE(tile->isVisible()) << n;
    EXPECT_TRUE(w->rect().contains(QRect(tile->mapTo(w.get(), QPoint(0, 0)), tile->size()))) << n;
  }

  EXPECT_EQ(Items(w->pattern_combo()), (QStringList{"登録パターンを選択してください", "交互"}));
  EXPECT_EQ(w->special_combo()->itemText(0), "登録パターンを選択してください");
  for (QComboBox* combo : {w->pattern_combo(), w->special_combo(), w->run_length_combo(1),
                           w->run_length_combo(2), w->face_list_combo()}) {
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(combo->currentIndex(), 0);
  }
  QStringList lengths{"選択してください"};
  for (int n = 2; n <= 15; ++n) lengths << QString::number(n);
  EXPECT_EQ(Items(w->run_length_combo(1)), lengths);
  EXPECT_EQ(Items(w->face_list_combo()), (QStringList{"選択してください", "ツラ"}));

  EXPECT_EQ(w->fixed_radio()->text(), "固定戦略を設定する");
  EXPECT_EQ(w->condition_radio()->text(), "条件戦略を設定する");
  for (int rule = 1; rule <= 4; ++rule)
    EXPECT_EQ(w->select_radio(rule)->text(), QString::fromUtf8(st::kSelectCaptions[rule - 1]));
  EXPECT_EQ(w->condition_check(1)->text(), "【優先度1】");
  EXPECT_EQ(w->condition_check(3)->text(), "【優先度3】フェイスパターン");
  EXPECT_EQ(w->face_editor_button()->text(), "フェイスパターンの追加・編集");
}

TEST_F(PatternEditorFormTest, CardDialogSideButtonsReachTheTileAndTheFile) {
  auto w = Open();
  ModalScript script(w.get());
  script.Then<TCardSettingDlg2>([&](TCardSettingDlg2* d) {
    EXPECT_EQ(d->windowTitle(), "パターンカード設定");
    d->side_edit()->setText("p");
    d->win_edit()->setText("2");
    d->lose_edit()->setText("1");
    Click(d->ok_button());
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kSideLetter});
    Click(d->banker_button());
    EXPECT_EQ(d->side_edit()->text(), "B");
    Click(d->player_button());
    EXPECT_EQ(d->side_edit()->text(), "P");
    // Enter in win-next moves on to lose-next.
    d->win_edit()->setFocus();
    QTest::keyClick(d->win_edit(), Qt::Key_Return);
    EXPECT_EQ(d->focusWidget(), d->lose_edit());
    Click(d->ok_button());
  });
  script.Then<TCardSettingDlg2>([&](TCardSettingDlg2* d) {
    Click(d->banker_button());
    d->win_edit()->setText("1");
    d->lose_edit()->setText("1");
    Click(d->ok_button());
  });
  Click(w->tile(1)->set_button());
  Click(w->tile(2)->set_button());
  EXPECT_EQ(script.steps_run(), 2);
  EXPECT_EQ(script.left_open(), 0);
  EXPECT_EQ(w->tile(1)->value(0)->text(), "P");
  EXPECT_EQ(w->tile(2)->value(0)->text(), "B");
  EXPECT_EQ(w->tile(2)->value(1)->text(), "1");

  w->pattern_name_edit()->setText("交互");
  Click(w->pattern_save_button());
  EXPECT_EQ(dialogs.messages.back(), st::kSaved);
  std::vector<CardFields> expected(20);
  expected[0] = {"P", "2", "1"};
  expected[1] = {"B", "1", "1"};
  EXPECT_EQ(ReadCardFile(PatternFilePath(folder.path(), "交互"), 20), expected);
  EXPECT_EQ(w->pattern_combo()->findText("交互"), 1);
}

TEST_F(PatternEditorFormTest, StrategiesExcludeEachOtherAndTheConditionPageSavesAndLoads) {
  WriteFaceListFile(FaceListFilePath(folder.path(), "ツラ"), {MakeFaceLine("PPB", "B")});
  auto w = Open();
  w->tabs()->setCurrentIndex(1);
  EXPECT_TRUE(w->fixed_radio()->isChecked());
  EXPECT_TRUE(w->first_bet_button(0)->isEnabled());
  EXPECT_FALSE(w->default_side_button(0)->isEnabled());
  EXPECT_FALSE(w->condition_check(1)->isEnabled());
  Click(w->first_bet_button(0));
  EXPECT_EQ(w->first_bet_label()->text(), "P");

  ClickRadio(w->condition_radio());
  EXPECT_TRUE(w->condition_radio()->isChecked());
  EXPECT_FALSE(w->fixed_radio()->isChecked());
  EXPECT_FALSE(w->first_bet_button(0)->isEnabled());
  EXPECT_FALSE(w->select_radio(1)->isEnabled());
  EXPECT_NE(w->first_bet_label()->text(), "P");  // the other strategy starts afresh
  EXPECT_TRUE(w->condition_check(1)->isEnabled());
  Click(w->default_side_button(1));
  EXPECT_EQ(w->default_side_label()->text(), "B");
  w->condition_check(1)->setChecked(true);
  w->run_length_combo(1)->setCurrentIndex(w->run_length_combo(1)->findText("4"));
  w->condition_check(3)->setChecked(true);
  w->special_name_edit()->setText("逆張り");
  Click(w->special_save_button());
  EXPECT_EQ(dialogs.messages,
            std::vector<std::string>{"【優先度3】のフェイスパターンが選択されていません"});
  Choose(w->face_list_combo(), "ツラ");
  Click(w->special_save_button());
  EXPECT_EQ(dialogs.messages.back(), st::kSaved);
  EXPECT_EQ(ReadTextFile(SpecialPatternFilePath(folder.path(), "逆張り")),
            "mode=1\r\notherbets=B\r\nchecked1=1,4,\r\nchecked2=3,ツラ_facepattern.txt,FACE\r\n");

  Click(w->special_clear_button());
  EXPECT_TRUE(w->fixed_radio()->isChecked());
  EXPECT_FALSE(w->condition_check(1)->isChecked());
  EXPECT_EQ(w->special_name_edit()->text(), "");
  Choose(w->special_combo(), "逆張り");
  Click(w->special_load_button());
  EXPECT_TRUE(w->condition_radio()->isChecked());
  EXPECT_EQ(w->default_side_label()->text(), "B");
  EXPECT_TRUE(w->condition_check(1)->isChecked());
  EXPECT_FALSE(w->condition_check(2)->isChecked());
  EXPECT_TRUE(w->condition_check(3)->isChecked());
  EXPECT_EQ(w->run_length_combo(1)->currentText(), "4");
  EXPECT_EQ(w->face_list_combo()->currentText(), "ツラ");
  EXPECT_EQ(w->special_name_edit()->text(), "逆張り");

  // Back to the fixed strategy: the conditions are reset and out of reach.
  ClickRadio(w->fixed_radio());
  EXPECT_FALSE(w->condition_check(1)->isChecked());
  EXPECT_FALSE(w->condition_check(1)->isEnabled());
  EXPECT_EQ(w->run_length_combo(1)->currentIndex(), 0);
  EXPECT_EQ(w->face_list_combo()->currentIndex(), 0);
  EXPECT_TRUE(w->select_radio(1)->isChecked());
}

TEST_F(PatternEditorFormTest, FaceEditorOpensFromTheSpecialPageAndItsNewListIsOffered) {
  WriteFaceListFile(FaceListFilePath(folder.path(), "既存"), {MakeFaceLine("PB", "P")});
  auto w = Open();
  w->tabs()->setCurrentIndex(1);
  ClickRadio(w->condition_radio());
  Choose(w->face_list_combo(), "既存");

  ModalScript script(w.get());
  script.Then<TMakeFaceCardForm>([&](TMakeFaceCardForm* f) {
    EXPECT_EQ(f->windowTitle(), "出現パターン設定");
    Click(f->player_button());
    Click(f->player_button());
    Click(f->banker_button());
    Click(f->add_button());  // asks the side in the next step
    ASSERT_EQ(f->line_list()->count(), 1);
    f->name_edit()->setText("新規");
    Click(f->save_button());
    Click(f->close_button());
  });
  script.Then<TBetSelectForm>([&](TBetSelectForm* s) {
    EXPECT_EQ(WithoutBreaks(s->caption_label()->text()), "PPB のパターンが発生した場合 ");
    Click(s->banker_button());
  });
  Click(w->face_editor_button());
  EXPECT_EQ(script.steps_run(), 2);
  EXPECT_EQ(script.left_open(), 0);
  EXPECT_EQ(ReadFaceListLines(FaceListFilePath(folder.path(), "新規")),
            std::vector<std::string>{"PPB のパターンが発生した場合 B にベットする"});
  EXPECT_GE(w->face_list_combo()->findText("新規"), 1);
  EXPECT_EQ(w->face_list_combo()->currentText(), "既存");
}

}  // namespace
}  // namespace vessaro
