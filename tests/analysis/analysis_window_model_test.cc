// The analysis window's commands: choosing files, the report, the bankruptcy analysis and the
// all-pattern analysis with its temporary table.
#include "analysis/analysis_window_model.h"

#include <gtest/gtest.h>

#include "analysis/log_samples.h"
#include "analysis/pattern_grid.h"
#include "analysis/sample_files.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;

class RecordingPorts : public AnalysisWindowPorts {
 public:
  void ShowFrequencyGrid(const fs::path& table) override {
    shown.push_back(table);
    table_lines = ReadLogLines(table).size();
    if (during) during();
  }
  std::vector<fs::path> shown;
  size_t table_lines = 0;
  std::function<void()> during;
};

class AnalysisWindowTest : public ::testing::Test {
 protected:
  AnalysisWindowTest() {
    testing::WriteCp932(folder, "history/ic.txt", testing::MakeInterCasinoLog("PBTBBPBB"));
    testing::WriteCp932(folder, "history/x_user1.txt", "BBPBBP\r\nBBP\r\n");
    testing::WriteCp932(folder, "history/d_user2.txt", "1000,B,30,勝ち,1028\r\n1028,B,10,負け,1018\r\n");
    testing::WriteCp932(folder, "betpattern/マーチン_syspattern.txt", "");
    testing::WriteCp932(folder, "betpattern/逆張り_facepattern.txt", "");
    model.Open();
  }
  TempFolder folder;
  FakeDialogs dialogs;
  RecordingPorts ports;
  AnalysisWindowModel model{folder.path(), dialogs, ports};
};

TEST_F(AnalysisWindowTest, OpeningState) {
  EXPECT_FALSE(model.has_file());
  EXPECT_FALSE(model.range_enabled());
  EXPECT_EQ(model.pattern_length(), 4);
  EXPECT_EQ(model.system_choice().names, std::vector<std::string>{"マーチン"});
  EXPECT_EQ(model.pattern_choice().names, std::vector<std::string>{"逆張り"});
  EXPECT_EQ(model.system_choice().Shown(), "登録システムを選択してください");
  model.LogReport();
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"解析ファイルが存在しません"});
}

TEST_F(AnalysisWindowTest, BrowsingChoosesAFileAndSetsTheRange) {
  dialogs.chosen_files = {(folder / "history/x_user1.txt").string()};
  model.Browse();
  ASSERT_EQ(dialogs.file_requests.size(), 1u);
  EXPECT_EQ(dialogs.file_requests[0].title, "ファイルを選択してください。");
  EXPECT_EQ(dialogs.file_requests[0].initial, (folder / "history").string());
  EXPECT_EQ(model.kind_label(), "ユーザ簡易作成");
  EXPECT_EQ(model.total_rounds(), 9);
  EXPECT_TRUE(model.range_enabled());
  EXPECT_EQ(model.range_from(), 1);
  EXPECT_EQ(model.range_to(), 9);
  dialogs.chosen_files = {std::nullopt};  // a cancelled dialog changes nothing
  model.Browse();
  EXPECT_EQ(model.file(), folder / "history/x_user1.txt");
}

TEST_F(AnalysisWindowTest, InvalidFileClearsThePath) {
  ASSERT_TRUE(model.ChooseFile(folder / "history/ic.txt"));
  folder.Write("history/bad.txt", "hello\r\nBBP\r\n");
  EXPECT_FALSE(model.ChooseFile(folder / "history/bad.txt"));
  EXPECT_EQ(dialogs.messages.back(), "解析ファイルが不正です");
  EXPECT_FALSE(model.has_file());
  EXPECT_FALSE(model.range_enabled());
  EXPECT_EQ(model.kind_label(), "");
}

TEST_F(AnalysisWindowTest, BankruptcyAcrossLines) {
  model.ChooseFile(folder / "history/x_user1.txt");
  for (char c : std::string("PPB")) model.AddBet(c);
  model.BankruptcyAnalysis();
  EXPECT_EQ(dialogs.messages.back(), "引分けを除く【9戦】で破産パターン【BBP】が【3回】出現しました");
  for (int i = 0; i < 30; ++i) model.AddBet('B');
  EXPECT_EQ(model.bets().size(), 20u);
  model.ClearBets();
  model.BankruptcyAnalysis();
  EXPECT_EQ(dialogs.messages.back(), "解析ファイル内で破産パターンは出現しませんでした");
}

TEST_F(AnalysisWindowTest, ReportOfADetailedLogAndRefusalOfOthers) {
  model.ChooseFile(folder / "history/d_user2.txt");
  EXPECT_EQ(model.kind_label(), "ユーザ詳細作成");
  model.LogReport();
  EXPECT_EQ(dialogs.messages.back(), "解析が終了しました");
  ASSERT_GE(model.report_lines().size(), 9u);
  EXPECT_EQ(model.report_lines()[1], "ゲーム開始時残高:$1000.00    ゲーム終了時残高:$1018.00");
  EXPECT_EQ(model.report_lines()[8], "BP");
  // Nothing of the generated log is left behind.
  EXPECT_EQ(ListFiles(folder / "history").size(), 3u);

  const std::vector<std::string> before = model.report_lines();
  model.ChooseFile(folder / "history/x_user1.txt");
  model.LogReport();
  EXPECT_EQ(dialogs.messages.back(), "インターカジノのログまたはユーザ詳細作成のログではありません");
  EXPECT_EQ(model.report_lines(), before);

  DeleteFileIfExists(folder / "history/x_user1.txt");
  model.BankruptcyAnalysis();
  EXPECT_EQ(dialogs.messages.back(), "解析ファイルが存在しません");
}

TEST_F(AnalysisWindowTest, AllPatternAnalysisShowsTheTableThenDeletesIt) {
  model.ChooseFile(folder / "history/ic.txt");
  model.set_pattern_length(5);
  model.set_range_from(2);
  model.set_range_to(6);
  ports.during = [&] { testing::WriteCp932(folder, "tmp/TmpGridJyoken.txt", "left by a search"); };
  model.AllPatternAnalysis();
  ASSERT_EQ(ports.shown, std::vector<fs::path>{FrequencyTablePath(folder.path())});
  EXPECT_EQ(ports.table_lines, 63u);
  EXPECT_FALSE(FileExists(FrequencyTablePath(folder.path())));
  EXPECT_FALSE(FileExists(FilteredTablePath(folder.path())));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(AnalysisWindowTest, TableIsDeletedWhenTheGridWindowFails) {
  model.ChooseFile(folder / "history/ic.txt");
  ports.during = [] { ThrowIoError(IoAction::kRead, "somewhere"); };
  model.AllPatternAnalysis();
  EXPECT_FALSE(FileExists(FrequencyTablePath(folder.path())));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].substr(0, 30), std::string("ファイルを読み込めませんでした。").substr(0, 30));
}

TEST_F(AnalysisWindowTest, ReversedRangeIsRefused) {
  model.ChooseFile(folder / "history/ic.txt");
  model.set_range_from(5);
  model.set_range_to(4);
  model.AllPatternAnalysis();
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"戦績の範囲指定が不正です"});
  EXPECT_TRUE(ports.shown.empty());
  model.set_range_to(5);  // one game is a range
  model.AllPatternAnalysis();
  EXPECT_EQ(ports.shown.size(), 1u);
}

TEST_F(AnalysisWindowTest, DamagedDetailedLogWarnsAndGoesOn) {
  testing::WriteCp932(folder, "history/e_user2.txt", "1000,B,30,勝ち,1028\r\n1028,B,30\r\n");
  ASSERT_TRUE(model.ChooseFile(folder / "history/e_user2.txt"));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"読み込めない行を除いて解析します（1行）\r\n最初の行：2行目"});
  EXPECT_EQ(model.total_rounds(), 1);
}

}  // namespace
}  // namespace vessaro
