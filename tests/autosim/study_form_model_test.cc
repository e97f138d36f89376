#include "autosim/study_form_model.h"

#include <gtest/gtest.h>

#include "common/hex.h"
#include "common/text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/card_deck.h"

namespace vessaro {
namespace {

using testing::FakeClock;
using testing::FakeDialogs;
using testing::TempFolder;

class StudyFormModelTest : public ::testing::Test {
 protected:
  StudyFormModelTest() {
    dir.Write("System/Rules.dat",
              HexEncodeText("blance=1000&minimum=1&maximum=500&blancememory=False&sleeptime=250&randommode=完全確率モード"));
    ReadTableSettings(dir.path(), settings);
    EnsureFolder(BetPatternFolder(dir.path()));
    std::vector<CardFields> flat(60), pattern(20);
    flat[0] = {"50", "1", "1"};
    pattern[0] = {"B", "1", "1"};
    WriteCardFile(SystemFilePath(dir.path(), "flat"), flat);
    WriteCardFile(PatternFilePath(dir.path(), "banker"), pattern);
  }
  // Starts and waits for the end, as the window does when it hears of it.
  bool Play(StudyFormModel& model) {
    bool finished = false;
    if (!model.Start(nullptr, [&] { finished = true; })) return false;
    model.Finish();
    EXPECT_TRUE(finished);
    return true;
  }
  TempFolder dir;
  TableSettings settings;
  FakeClock clock;
  FakeDialogs dialogs;
};

TEST_F(StudyFormModelTest, RefusesBadFieldsWithTheirMessages) {
  StudyFormModel model(dir.path(), settings, StopLimits{}, clock, dialogs);
  EXPECT_EQ(model.TableLine(), "完全確率モード　MIN 1　MAX 500　開始残高 1000.00");
  EXPECT_EQ(model.input().profit, "0");
  struct Case {
    bool choose;
    const char *sessions, *rounds, *profit, *loss, *seed, *message;
  } cases[] = {
      {false, "10", "10", "0", "0", "", "システムとパターンを選択してください"},
      {true, "0", "10", "0", "0", "", study_form_texts::kSessionsRange},
      {true, "1000001", "10", "0", "0", "", study_form_texts::kSessionsRange},
      {true, "10000001", "10", "0", "0", "", study_form_texts::kSessionsRange},
      {true, "10", "1000001", "0", "0", "", study_texts::kRoundsRange},
      {true, "10", "10", "100", "0", "", "設定を行う場合は利益及び損失の両方を設定の上\r\n0以上の半角数値にしてください"},
      {true, "10", "10", "100", "-5", "", "入力できるのは半角数字の1から99999までの整数です"},
      {true, "10", "10", "0", "0", "x1", study_form_texts::kSeed},
  };
  for (const Case& c : cases) {
    model.systems().Reset();
    model.patterns().Reset();
    if (c.choose) {
      model.systems().Choose("flat");
      model.patterns().Choose("banker");
    }
    model.input() = {c.sessions, c.rounds, c.profit, c.loss, c.seed};
    dialogs.messages.clear();
    EXPECT_FALSE(model.Start(nullptr, nullptr)) << c.message;
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{c.message});
    EXPECT_FALSE(model.running());
  }
}

TEST_F(StudyFormModelTest, PlaysCancelsAndExports) {
  StopLimits limits{300, 300};
  StudyFormModel model(dir.path(), settings, limits, clock, dialogs);
  EXPECT_EQ(model.input().profit, "300");
  ASSERT_TRUE(model.systems().Choose("flat"));
  ASSERT_TRUE(model.patterns().Choose("banker"));
  model.input().sessions = "300";
  model.input().rounds = "200";
  model.input().seed = "77";
  ASSERT_TRUE(Play(model));
  ASSERT_TRUE(model.has_result());
  EXPECT_EQ(model.seed(), 77u);
  EXPECT_EQ(model.sessions().size(), 300u);
  EXPECT_EQ(model.StatusText(), "完了しました：300 セッション");
  Histogram h = model.FinalHistogram(20);
  int64_t counted = 0;
  for (int64_t c : h.counts) counted += c;
  EXPECT_EQ(counted, 300);

  dialogs.chosen_files.push_back((dir / "out.csv").string());
  model.ExportCsv();
  EXPECT_EQ(dialogs.messages.back(), "保存しました");
  EXPECT_EQ(SplitLines(ReadWholeFile(dir / "out.csv")).size(), 301u);
  dialogs.chosen_files.push_back((dir / "gone/out.csv").string());
  model.ExportCsv();
  EXPECT_TRUE(StartsWith(dialogs.messages.back(), "ファイルに書き込めませんでした。")) << dialogs.messages.back();

  // Cancelled at once: the sessions finished before are kept and said to be a part.
  model.input().sessions = "1000000";
  model.input().rounds = "1000";
  ASSERT_TRUE(model.Start(nullptr, nullptr));
  EXPECT_TRUE(model.running());
  EXPECT_FALSE(model.Start(nullptr, nullptr));  // one study at a time
  model.Cancel();
  model.Finish();
  ASSERT_TRUE(model.has_result());
  EXPECT_TRUE(model.result().summary.cancelled);
  EXPECT_EQ(model.sessions().size(), static_cast<size_t>(model.result().summary.sessions_done));
  EXPECT_TRUE(StartsWith(model.StatusText(), "中止しました：")) << model.StatusText();
  EXPECT_NE(model.StatusText().find(" / 1000000 セッションまでの途中結果です"), std::string::npos);

  // A file gone since the list was filled: the study does not start, and says why.
  DeleteFileIfExists(SystemFilePath(dir.path(), "flat"));
  model.input().sessions = "10";
  ASSERT_TRUE(Play(model));
  EXPECT_FALSE(model.has_result());
  EXPECT_EQ(dialogs.messages.back(), "システムまたはパターンファイルが存在しません");
}

}  // namespace
}  // namespace vessaro
