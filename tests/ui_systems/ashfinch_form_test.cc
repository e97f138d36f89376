// The Ashfinch editor window: the mode list switches panels and the enabled choices, a refused
// field keeps the mode with its numbered message, the joined bands show on screen, the files work
// through the window, and the trial panel shows the evaluation's state.
#include <gtest/gtest.h>

#include <QTest>

#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/messages.h"
#include "ui/systems/ashfinch2_form.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;
using F = AshfinchField;
using T = TAshfinch2Form;
namespace st = systems_text;

class AshfinchFormTest : public ::testing::Test {
 protected:
  std::unique_ptr<TAshfinch2Form> Open() {
    auto w = std::make_unique<TAshfinch2Form>(folder.path(), &dialogs);
    w->show();
    return w;
  }
  void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
  QStringList Items(QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
  }
  // The trial panel as NBU, LU, LR, Round, mode, balance, M, P units, N successes.
  std::vector<QString> Trial(const TAshfinch2Form& w) {
    std::vector<QString> shown;
    for (int i = T::kNbu; i <= T::kNSuccesses; ++i)
      shown.push_back(w.trial_edit(static_cast<T::TrialItem>(i))->text());
    return shown;
  }

  TempFolder folder;
  FakeDialogs dialogs;
};

TEST_F(AshfinchFormTest, ModeListSwitchesPanelsTargetsAndEnabledChoices) {
  WriteCardFile(SystemFilePath(folder.path(), "ココモ"), std::vector<CardFields>(60));
  WriteAshfinchFile(AshfinchFilePath(folder.path(), "標準"), AshfinchSettings{});
  auto w = Open();
  EXPECT_EQ(w->windowTitle(), "Kindlet - ベットシステム設定 - Ashfinch ver. 2.1");
  ASSERT_EQ(w->mode_list()->count(), 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(w->mode_list()->item(i)->text(), QString::fromUtf8(st::kModeNames[i]));
  EXPECT_EQ(Items(w->system_combo()), (QStringList{"登録システムを選択してください", "標準"}));

  struct Case {
    int row;
    QStringList enabled_choices;
    bool parlay;
    QString failure_target;
  };
  for (const Case& c :
       {Case{1, {"有効", "無効"}, false, "移行先モード: N"}, Case{2, {"有効", "無効"}, true, ""},
        Case{0, {"有効"}, false, "移行先モード: R"}}) {
    SCOPED_TRACE(c.row);
    w->mode_list()->setCurrentRow(c.row);
    EXPECT_EQ(static_cast<int>(w->model().mode()), c.row);
    EXPECT_EQ(w->mode_list()->currentRow(), c.row);
    EXPECT_EQ(Items(w->enabled_combo()), c.enabled_choices);
    EXPECT_EQ(w->description_label()->text(), QString::fromUtf8(st::kModeDescriptions[c.row]));
    EXPECT_EQ(w->panels()->currentWidget(), c.parlay ? w->parlay_panel() : w->normal_panel());
    // The fields of the mode are the ones within reach.
    EXPECT_EQ(w->field_edit(F::kStartX)->isVisible(), c.parlay);
    EXPECT_EQ(w->field_edit(F::kLr1)->isVisible(), !c.parlay);
    EXPECT_EQ(w->field_edit(F::kM1, true)->isVisible(), c.parlay);
    EXPECT_TRUE(w->field_edit(F::kUnit)->isVisible());
    if (!c.parlay) {
      EXPECT_EQ(w->failure_target_label()->text(), c.failure_target);
    }
  }

  w->mode_list()->setCurrentRow(2);
  EXPECT_EQ(w->enabled_combo()->currentText(), "無効");  // P starts disabled
  EXPECT_EQ(Items(w->p_system_combo()),
            (QStringList{"ベットシステムを選択してください。", "ココモ"}));
  w->enabled_combo()->setCurrentIndex(0);
  w->p_system_combo()->setCurrentIndex(1);
  EXPECT_TRUE(w->model().enabled());
  EXPECT_EQ(w->model().p_system(), "ココモ");
}

TEST_F(AshfinchFormTest, RefusedFieldKeepsTheModeWithItsNumberedMessage) {
  auto w = Open();
  w->field_edit(F::kLr2)->setText("x");
  w->mode_list()->setCurrentRow(1);
  EXPECT_EQ(dialogs.messages,
            std::vector<std::string>{"不正な値があります。正しい数値を入力してください(-3)"});
  EXPECT_EQ(w->model().mode(), AshfinchMode::kN);
  EXPECT_EQ(w->mode_list()->currentRow(), 0);
  EXPECT_EQ(w->field_edit(F::kLr2)->text(), "x");

  w->field_edit(F::kLr2)->setText("3");
  w->mode_list()->setCurrentRow(1);
  EXPECT_EQ(w->model().mode(), AshfinchMode::kR);
  EXPECT_EQ(w->field_edit(F::kLr2)->text(), "2");  // R's own value
  w->mode_list()->setCurrentRow(0);
  EXPECT_EQ(w->field_edit(F::kLr2)->text(), "3");  // kept for N
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(AshfinchFormTest, BandsJoinOnBothPanels) {
  auto w = Open();
  w->field_edit(F::kMHigh1)->setText("2.5");
  EXPECT_EQ(w->field_edit(F::kMLow2)->text(), "2.5");
  w->mode_list()->setCurrentRow(2);
  w->field_edit(F::kMHigh2, true)->setText("4");
  EXPECT_EQ(w->field_edit(F::kMLow3, true)->text(), "4");
  // The N/R panel's copy of the same field follows too.
  EXPECT_EQ(w->field_edit(F::kMLow3, false)->text(), "4");
  EXPECT_EQ(w->model().field(F::kMLow3), "4");
}

TEST_F(AshfinchFormTest, SaveAndLoadThroughTheWindow) {
  auto w = Open();
  w->field_edit(F::kUnit)->setText("10");
  w->field_edit(F::kJyokenLu)->setText("30");
  w->name_edit()->setText("十単位");
  Click(w->save_button());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kSaved});
  const fs::path file = AshfinchFilePath(folder.path(), "十単位");
  EXPECT_EQ(ReadWholeFile(file).substr(0, 6), "5B4245");
  AshfinchSettings saved;
  ASSERT_TRUE(ReadAshfinchFile(file, saved).ok());
  EXPECT_EQ(saved.unit, 10);
  EXPECT_EQ(saved.mode(AshfinchMode::kN).jyoken_lu, 30);
  EXPECT_EQ(w->system_combo()->findText("十単位"), 1);

  Click(w->clear_button());
  EXPECT_EQ(w->field_edit(F::kUnit)->text(), "5");
  EXPECT_EQ(w->field_edit(F::kJyokenLu)->text(), "20");
  EXPECT_EQ(w->name_edit()->text(), "");
  EXPECT_EQ(w->system_combo()->currentIndex(), 0);
  w->system_combo()->setCurrentIndex(1);
  Click(w->load_button());
  EXPECT_EQ(w->field_edit(F::kUnit)->text(), "10");
  EXPECT_EQ(w->field_edit(F::kJyokenLu)->text(), "30");
  EXPECT_EQ(w->name_edit()->text(), "十単位");
}

TEST_F(AshfinchFormTest, TrialPanelShowsTheStateAfterEachButton) {
  auto w = Open();
  EXPECT_EQ(w->findChild<QGroupBox*>("TrialPanel")->title(), "簡易検証");
  EXPECT_TRUE(w->trial_edit(T::kBalance)->isReadOnly());
  Click(w->trial_clear_button());
  EXPECT_EQ(Trial(*w), (std::vector<QString>{"1", "0", "0", "0", "N", "500.00", "0", "0", "0"}));
  // Stake 5 lost: LU 1, LR 1 lowered to 0.5 and raised to 1, M 1.5, NBU 2.
  Click(w->lose_button());
  EXPECT_EQ(Trial(*w), (std::vector<QString>{"2", "1", "1", "1", "N", "495.00", "1.5", "0", "0"}));
  Click(w->tie_button());
  EXPECT_EQ(w->trial_edit(T::kRound)->text(), "2");
  EXPECT_EQ(w->trial_edit(T::kBalance)->text(), "495.00");
  // Stake 10 won: one unit ahead, N succeeds and starts again.
  Click(w->win_button());
  EXPECT_EQ(Trial(*w), (std::vector<QString>{"1", "0", "0", "0", "N", "505.00", "0", "0", "1"}));
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace vessaro
