// The replay from the analysis window: its progress over the window, its cancel, closing the
// window during it, and the log graph window at its end.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "analysis/log_samples.h"
#include "analysis/sample_files.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "ui/analysis/bet_patternanalyze_form.h"
#include "ui/common/qt_ports.h"

namespace vessaro {
namespace {

class ReplayWindowTest : public ::testing::Test {
 protected:
  explicit ReplayWindowTest(int rounds = 40) {
    testing::WriteFlatBanker(folder.path());
    testing::WriteCp932(folder, "history/ic.txt", testing::MakeInterCasinoLog(testing::MakeOutcomeLetters(rounds, 5)));
    w = std::make_unique<TBetPatternanalyze>(folder.path(), &dialogs);
    w->open_window = [this](const std::string& window, const fs::path& file, int64_t rounds_shown) {
      opened.push_back(window);
      graph = file;
      graph_rounds = rounds_shown;
    };
    w->show();
    w->model().ChooseFile(folder / "history/ic.txt");
    w->system_combo()->setCurrentIndex(1);
    emit w->system_combo()->activated(1);
    w->pattern_combo()->setCurrentIndex(1);
    emit w->pattern_combo()->activated(1);
  }

  testing::TempFolder folder;
  testing::FakeDialogs dialogs;
  std::unique_ptr<TBetPatternanalyze> w;
  std::vector<std::string> opened;
  fs::path graph;
  int64_t graph_rounds = -1;
};

TEST_F(ReplayWindowTest, ReplayEndsInTheLogGraph) {
  EXPECT_EQ(w->system_combo()->currentText(), "flat");
  QTest::mouseClick(w->replay_button(), Qt::LeftButton);
  EXPECT_EQ(opened, std::vector<std::string>{"replay-graph"});
  EXPECT_EQ(graph_rounds, 40);
  EXPECT_EQ(ReadTextLines(graph).size(), 43u);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"解析が終了しました。グラフを表示します"});
  EXPECT_FALSE(w->progress_panel()->isVisible());
  EXPECT_TRUE(w->browse_button()->isEnabled());
}

TEST_F(ReplayWindowTest, NothingChosenIsRefused) {
  w->system_combo()->setCurrentIndex(0);
  emit w->system_combo()->activated(0);
  QTest::mouseClick(w->replay_button(), Qt::LeftButton);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"システムとパターンを選択してください"});
  EXPECT_TRUE(opened.empty());
}

class LongReplayWindowTest : public ReplayWindowTest {
 protected:
  LongReplayWindowTest() : ReplayWindowTest(100000) {}
};

TEST_F(LongReplayWindowTest, CancelShowsWhatWasReplayed) {
  bool busy_seen = false;
  bool reading_seen = false;
  bool cancelled = false;
  // Looks at the window at every turn of the event loop the replay gives, and cancels once some
  // rounds are replayed.
  QTimer poll;
  poll.setInterval(0);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    const QString label = w->progress_label()->text();
    if (label.startsWith(QStringLiteral("ログを読み込んでいます... "))) reading_seen = true;
    const bool rounds_in = label.startsWith(QStringLiteral("処理中です... ")) &&
                           label.mid(8).section(QLatin1Char('/'), 0, 0).toInt() > 1;
    if (cancelled || !rounds_in) return;
    busy_seen = w->progress_panel()->isVisible() && !w->browse_button()->isEnabled() &&
                !w->replay_button()->isEnabled() && w->cancel_replay_button()->isEnabled();
    cancelled = true;
    dialogs.answers = {true};
    QTest::mouseClick(w->cancel_replay_button(), Qt::LeftButton);
  });
  poll.start();
  w->Button12Click();
  poll.stop();
  EXPECT_TRUE(reading_seen);
  EXPECT_TRUE(busy_seen);
  EXPECT_EQ(dialogs.questions, std::vector<std::string>{"オート処理を中断します\r\nよろしいですか？"});
  ASSERT_EQ(opened, std::vector<std::string>{"replay-graph"});
  EXPECT_GT(graph_rounds, 0);
  EXPECT_LT(graph_rounds, 100000);
  EXPECT_EQ(static_cast<int64_t>(ReadTextLines(graph).size()), graph_rounds + 3);
  ASSERT_EQ(dialogs.messages.size(), 1u) << dialogs.messages[0];
  EXPECT_NE(dialogs.messages[0].find("/100000回で終了しました"), std::string::npos);
}

TEST_F(LongReplayWindowTest, ClosingDuringTheReplayClosesOnceItEnds) {
  QTimer::singleShot(0, w.get(), [&] { w->reject(); });
  w->Button12Click();
  EXPECT_FALSE(w->isVisible());
  EXPECT_FALSE(w->model().replaying());
  EXPECT_LT(graph_rounds, 100000);
}

}  // namespace
}  // namespace vessaro
