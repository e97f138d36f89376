// The table's training button opens the analysis window, but never while an automatic run is in
// progress.
#include <gtest/gtest.h>

#include <QPushButton>

#include "../ui/program_folder_fixture.h"
#include "analysis/log_samples.h"
#include "support/fakes.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "ui/table/vessaro_main.h"

namespace vessaro {
namespace {

class NoRuleDialog : public RuleDialogPort {
 public:
  bool RunRuleDialog(bool) override { return false; }
};

TEST(TrainingButtonTest, OpensTheAnalysisOnlyOutsideRuns) {
  testing::ProgramFolder folder;
  testing::WriteFlatBanker(folder.path());
  testing::FakeDialogs dialogs;
  testing::FakeEventPump pump;
  testing::FakeClock clock;
  NoRuleDialog no_dialog;
  std::vector<std::string> opened;
  MainWindowPorts ports;
  ports.dialogs = &dialogs;
  ports.pump = &pump;
  ports.clock = &clock;
  ports.rule_dialog = &no_dialog;
  ports.open_window = [&](const std::string& window, const std::string&, int64_t) { opened.push_back(window); };
  TVessaroMain w(folder.path(), ports);
  w.FirstDisplay();
  auto* training = w.findChild<QPushButton*>(QStringLiteral("TrainingBanner"));
  ASSERT_NE(training, nullptr);

  training->click();
  EXPECT_EQ(opened, std::vector<std::string>{"analysis"});

  // During a run without display the button is pressed at every yield: nothing opens.
  w.system_combo()->setCurrentIndex(1);
  w.pattern_combo()->setCurrentIndex(1);
  w.trials_edit()->setText("200");
  clock.monotonic_step = RunDriver::kYieldMillis;
  int presses = 0;
  pump.on_process = [&] {
    if (w.driver().running()) {
      training->click();
      ++presses;
    }
  };
  w.BtnAutoOnlyClick();
  EXPECT_GT(presses, 0);
  EXPECT_EQ(opened, (std::vector<std::string>{"analysis", "graph"}));
}

}  // namespace
}  // namespace vessaro
