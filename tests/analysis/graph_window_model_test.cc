// The graph windows' rules: saving under a name, the saved-graph library, loading, deleting, and
// what closing does to temporary graph files.
#include "analysis/graph_window_model.h"

#include <gtest/gtest.h>

#include "analysis/sample_files.h"
#include "common/names.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;

constexpr const char* kTmp = "Graph/202401011300_TmpGraph.txt";
constexpr const char* kOtherTmp = "Graph/202312312359_TmpGraph.txt";

class GraphWindowModelTest : public ::testing::Test {
 protected:
  GraphWindowModelTest() {
    testing::WriteCp932(folder, kTmp, testing::MakeRunGraph(120, "マーチン", "BBPP"));
    testing::WriteCp932(folder, kOtherTmp, testing::MakeRunGraph(3));
  }

  GraphWindowModel& Open(GraphFlavour flavour = GraphFlavour::kRun, const char* file = kTmp) {
    model = std::make_unique<GraphWindowModel>(folder.path(), flavour,
                                               file ? folder / file : fs::path(), 120, dialogs);
    model->Open();
    return *model;
  }

  void WriteSaved(const std::string& relative, const std::string& system) {
    testing::WriteCp932(folder, relative, testing::MakeRunGraph(10, system, "P" + system));
  }

  std::vector<std::string> ListedNames() const {
    std::vector<std::string> names;
    for (const SavedGraph& g : model->saved_graphs()) names.push_back(g.name);
    return names;
  }

  int IndexOf(const std::string& file_name) const {
    for (size_t i = 0; i < model->saved_graphs().size(); ++i)
      if (model->saved_graphs()[i].file.filename() == file_name) return static_cast<int>(i);
    return -1;
  }

  TempFolder folder;
  FakeDialogs dialogs;
  std::unique_ptr<GraphWindowModel> model;
};

TEST_F(GraphWindowModelTest, OpeningDrawsTheRunGraph) {
  WriteSaved("Graph/b_Graph_Log.txt", "B");
  WriteSaved("Graph/a_Graph_Flat.txt", "A");
  folder.Write("Graph/notes.txt", "x");
  GraphWindowModel& m = Open();
  EXPECT_EQ(m.system_title(), "マーチン");
  EXPECT_EQ(m.second_title(), "フラットベット");
  EXPECT_EQ(m.pattern_label(), "【パターン名：BBPP】");
  EXPECT_EQ(m.content().points.size(), 61u);  // the start and every second line of 120
  EXPECT_EQ(m.summary().rfind("試行回数：120 ", 0), 0u);
  EXPECT_FALSE(m.saved());
  EXPECT_EQ(ListedNames(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(m.choice(), -1);
  EXPECT_TRUE(dialogs.messages.empty());

  GraphWindowModel& replay = Open(GraphFlavour::kReplay);
  EXPECT_EQ(replay.second_title(), "インターカジノログ");
}

TEST_F(GraphWindowModelTest, OpeningWithoutAFileShowsNothingAndClosesAtOnce) {
  GraphWindowModel& m = Open(GraphFlavour::kRun, nullptr);
  EXPECT_EQ(m.system_title(), "オート使用のシステム");
  EXPECT_EQ(m.content().points.size(), 1u);
  EXPECT_TRUE(m.Close());
  EXPECT_TRUE(dialogs.questions.empty());

  GraphWindowModel& gone = Open(GraphFlavour::kRun, "Graph/gone_TmpGraph.txt");
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"グラフファイルが存在しません"});
  EXPECT_TRUE(gone.current_file().empty());
}

struct RefusedName {
  const char* name;
  const char* message;
};

TEST_F(GraphWindowModelTest, RefusedNamesWriteNothing) {
  const RefusedName cases[] = {
      {"", "グラフ名を入力してください"},      {"   ", "グラフ名を入力してください"},
      {"a/b", "\\/:*?\"<'>|.は禁止文字です"},  {"a.b", "\\/:*?\"<'>|.は禁止文字です"},
      {"a\\b", "\\/:*?\"<'>|.は禁止文字です"}, {"a\"b", "\\/:*?\"<'>|.は禁止文字です"},
      {"😀", kUnstorableCharacterMessage},
  };
  GraphWindowModel& m = Open();
  for (const RefusedName& c : cases) {
    dialogs.messages.clear();
    m.set_name(c.name);
    EXPECT_FALSE(m.Save()) << c.name;
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{c.message}) << c.name;
  }
  EXPECT_EQ(ListFiles(folder / "Graph").size(), 2u);
  EXPECT_FALSE(m.saved());
}

TEST_F(GraphWindowModelTest, SaveCopiesTheGraphUnchanged) {
  GraphWindowModel& m = Open();
  m.set_name(" 勝ち,負け ");  // the comma is allowed in graph names; blanks are trimmed
  ASSERT_TRUE(m.Save());
  const fs::path saved = folder / "Graph/勝ち,負け_Graph_Flat.txt";
  EXPECT_EQ(ReadWholeFile(saved), ReadWholeFile(folder / kTmp));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"保存しました"});
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_TRUE(m.saved());
  EXPECT_EQ(m.saved_graphs(), (std::vector<SavedGraph>{{"勝ち,負け", saved}}));

  GraphWindowModel& replay = Open(GraphFlavour::kReplay);
  replay.set_name("r");
  ASSERT_TRUE(replay.Save());
  EXPECT_TRUE(FileExists(folder / "Graph/r_Graph_Log.txt"));
}

TEST_F(GraphWindowModelTest, SaveCreatesTheGraphFolder) {
  folder.Write("elsewhere/run.txt", testing::MakeRunGraph(5));
  GraphWindowModel& m = Open(GraphFlavour::kRun, "elsewhere/run.txt");
  m.set_name("x");
  ASSERT_TRUE(m.Save());
  EXPECT_TRUE(FileExists(folder / "Graph/x_Graph_Flat.txt"));
}

TEST_F(GraphWindowModelTest, OverwriteAsksAndNoKeepsTheOldFile) {
  WriteSaved("Graph/a_Graph_Flat.txt", "OLD");
  const std::string old_bytes = ReadWholeFile(folder / "Graph/a_Graph_Flat.txt");
  GraphWindowModel& m = Open();
  m.set_name("a");
  dialogs.answers = {false};
  EXPECT_FALSE(m.Save());
  EXPECT_EQ(dialogs.questions,
            std::vector<std::string>{"同じグラフ名が存在します\r\n上書きしますか？"});
  EXPECT_EQ(ReadWholeFile(folder / "Graph/a_Graph_Flat.txt"), old_bytes);
  EXPECT_EQ(ListedNames(), std::vector<std::string>{"a"});
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_FALSE(m.saved());

  dialogs.answers = {true};
  EXPECT_TRUE(m.Save());
  EXPECT_EQ(ReadWholeFile(folder / "Graph/a_Graph_Flat.txt"), ReadWholeFile(folder / kTmp));
  EXPECT_EQ(ListedNames(), std::vector<std::string>{"a"});
}

TEST_F(GraphWindowModelTest, SavingALoadedGraphOverItselfKeepsIt) {
  WriteSaved("Graph/a_Graph_Flat.txt", "A");
  const std::string bytes = ReadWholeFile(folder / "Graph/a_Graph_Flat.txt");
  GraphWindowModel& m = Open(GraphFlavour::kRun, nullptr);
  m.Choose(0);
  ASSERT_EQ(m.name(), "a");
  dialogs.answers = {true};
  EXPECT_TRUE(m.Save());
  EXPECT_EQ(ReadWholeFile(folder / "Graph/a_Graph_Flat.txt"), bytes);
}

TEST_F(GraphWindowModelTest, SaveWithoutAGraphIsRefused) {
  GraphWindowModel& m = Open(GraphFlavour::kRun, nullptr);
  m.set_name("x");
  EXPECT_FALSE(m.Save());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"グラフファイルが存在しません"});
  EXPECT_FALSE(FileExists(folder / "Graph/x_Graph_Flat.txt"));
}

TEST_F(GraphWindowModelTest, AGraphOfBothKindsIsListedTwiceAndEachEntryLoadsItsOwnFile) {
  WriteSaved("Graph/a_Graph_Log.txt", "LOG");
  WriteSaved("Graph/a_Graph_Flat.txt", "FLAT");
  WriteSaved("Graph/1a_Graph_Flat.txt", "ONE");
  Open(GraphFlavour::kReplay);
  EXPECT_EQ(ListedNames(), (std::vector<std::string>{"1a", "a", "a"}));

  for (GraphFlavour flavour : {GraphFlavour::kRun, GraphFlavour::kReplay}) {
    GraphWindowModel& w = Open(flavour, nullptr);
    w.Choose(IndexOf("a_Graph_Flat.txt"));
    if (flavour == GraphFlavour::kReplay) {
      ASSERT_TRUE(w.LoadChosen());
    }
    EXPECT_EQ(w.system_title(), "FLAT");
    EXPECT_EQ(w.second_title(), "フラットベット");
    EXPECT_EQ(w.pattern_label(), "【パターン名：PFLAT】");
    w.Choose(IndexOf("a_Graph_Log.txt"));
    if (flavour == GraphFlavour::kReplay) {
      ASSERT_TRUE(w.LoadChosen());
    }
    EXPECT_EQ(w.system_title(), "LOG");
    EXPECT_EQ(w.second_title(), "インターカジノログ");
    EXPECT_EQ(w.name(), "a");
    EXPECT_EQ(w.current_file(), folder / "Graph/a_Graph_Log.txt");
    EXPECT_TRUE(w.saved());
    EXPECT_TRUE(dialogs.questions.empty());
  }
}

TEST_F(GraphWindowModelTest, LoadingOverAnUnsavedRunAsksFirst) {
  WriteSaved("Graph/a_Graph_Flat.txt", "A");
  {
    // No, and the graph cannot be saved without a name: it stays, and nothing is loaded.
    GraphWindowModel& m = Open();
    m.Choose(0);
    EXPECT_EQ(dialogs.questions,
              std::vector<std::string>{"内容が保存されていません。グラフを破棄しますか？"});
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"グラフ名を入力してください"});
    EXPECT_EQ(m.choice(), -1);
    EXPECT_EQ(m.current_file(), folder / kTmp);
    EXPECT_EQ(m.system_title(), "マーチン");
    EXPECT_TRUE(FileExists(folder / kTmp));
  }
  {
    // No with a name: saved first, then loaded.
    dialogs = FakeDialogs{};
    GraphWindowModel& m = Open();
    m.set_name("kept");
    m.Choose(0);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"保存しました"});
    EXPECT_TRUE(FileExists(folder / "Graph/kept_Graph_Flat.txt"));
    EXPECT_EQ(m.system_title(), "A");
    EXPECT_EQ(m.name(), "a");
  }
  {
    // Yes: the temporary graph is discarded.
    dialogs = FakeDialogs{};
    dialogs.answers = {true};
    GraphWindowModel& m = Open();
    m.Choose(IndexOf("a_Graph_Flat.txt"));
    EXPECT_FALSE(FileExists(folder / kTmp));
    EXPECT_EQ(m.current_file(), folder / "Graph/a_Graph_Flat.txt");
    EXPECT_EQ(m.summary().rfind("試行回数：10 ", 0), 0u);
    EXPECT_TRUE(m.saved());
    // Once saved or loaded, the next load asks nothing.
    m.Choose(IndexOf("kept_Graph_Flat.txt"));
    EXPECT_EQ(dialogs.questions.size(), 1u);
  }
}

TEST_F(GraphWindowModelTest, ReplayWindowLoadsOnlyOnCommandAndNeverAsks) {
  WriteSaved("Graph/a_Graph_Flat.txt", "A");
  GraphWindowModel& m = Open(GraphFlavour::kReplay);
  EXPECT_FALSE(m.LoadChosen());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"グラフファイルが存在しません"});  // the prompt names no file
  m.Choose(0);
  EXPECT_EQ(m.system_title(), "マーチン");  // not loaded yet
  EXPECT_TRUE(m.LoadChosen());
  EXPECT_EQ(m.system_title(), "A");
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_TRUE(FileExists(folder / kTmp));  // left for the clean-up on closing
}

TEST_F(GraphWindowModelTest, AChosenGraphWhoseFileWentAwayChangesNothing) {
  WriteSaved("Graph/a_Graph_Flat.txt", "A");
  GraphWindowModel& m = Open();
  DeleteFileIfExists(folder / "Graph/a_Graph_Flat.txt");
  m.Choose(0);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"グラフファイルが存在しません"});
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_EQ(m.choice(), -1);
  EXPECT_EQ(m.current_file(), folder / kTmp);
  EXPECT_TRUE(FileExists(folder / kTmp));
}

TEST_F(GraphWindowModelTest, DeleteRemovesOnlyTheChosenFile) {
  WriteSaved("Graph/1a_Graph_Flat.txt", "ONE");
  WriteSaved("Graph/a_Graph_Flat.txt", "A");
  GraphWindowModel& m = Open(GraphFlavour::kReplay);
  EXPECT_FALSE(m.DeleteChosen());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"削除したいグラフを選択してください"});

  dialogs.messages.clear();
  m.Choose(IndexOf("a_Graph_Flat.txt"));
  m.set_name("typed");
  ASSERT_TRUE(m.DeleteChosen());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"削除しました"});
  EXPECT_FALSE(FileExists(folder / "Graph/a_Graph_Flat.txt"));
  EXPECT_TRUE(FileExists(folder / "Graph/1a_Graph_Flat.txt"));
  EXPECT_TRUE(FileExists(folder / kTmp));
  EXPECT_EQ(ListedNames(), std::vector<std::string>{"1a"});
  EXPECT_EQ(m.choice(), -1);
  EXPECT_EQ(m.name(), "");
  // Another graph than the shown one was deleted: the view stays.
  EXPECT_EQ(m.system_title(), "マーチン");
  EXPECT_EQ(m.current_file(), folder / kTmp);
}

TEST_F(GraphWindowModelTest, DeletingTheShownGraphEmptiesTheChart) {
  WriteSaved("Graph/a_Graph_Flat.txt", "A");
  GraphWindowModel& m = Open(GraphFlavour::kRun, nullptr);
  m.Choose(0);
  const int revision = m.content_revision();
  ASSERT_TRUE(m.DeleteChosen());
  EXPECT_GT(m.content_revision(), revision);
  EXPECT_TRUE(m.content().points.empty());
  EXPECT_EQ(m.summary(), "");
  EXPECT_EQ(m.pattern_label(), "");
  EXPECT_TRUE(m.saved_graphs().empty());
  EXPECT_TRUE(m.Close());
  EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(GraphWindowModelTest, ClosingUnsavedAsksAndNoKeepsEverything) {
  GraphWindowModel& m = Open();
  EXPECT_FALSE(m.Close());
  EXPECT_EQ(dialogs.questions,
            std::vector<std::string>{"内容が保存されていません。グラフを破棄して終了しますか？"});
  EXPECT_TRUE(FileExists(folder / kTmp));
  EXPECT_TRUE(FileExists(folder / kOtherTmp));

  dialogs.answers = {true};
  EXPECT_TRUE(m.Close());
  EXPECT_FALSE(FileExists(folder / kTmp));
  EXPECT_FALSE(FileExists(folder / kOtherTmp));
}

TEST_F(GraphWindowModelTest, ClosingAfterSaveRemovesEveryTemporaryGraphButKeepsTheCopy) {
  WriteSaved("Graph/old_Graph_Log.txt", "OLD");
  for (GraphFlavour flavour : {GraphFlavour::kRun, GraphFlavour::kReplay}) {
    testing::WriteCp932(folder, kTmp, testing::MakeRunGraph(5));
    testing::WriteCp932(folder, kOtherTmp, testing::MakeRunGraph(3));
    GraphWindowModel& m = Open(flavour);
    m.set_name("keep");
    ASSERT_TRUE(m.Save());
    dialogs.questions.clear();
    EXPECT_TRUE(m.Close());
    EXPECT_TRUE(dialogs.questions.empty());
    std::vector<std::string> left;
    for (const fs::path& f : ListFiles(folder / "Graph")) left.push_back(f.filename().string());
    EXPECT_EQ(left, (std::vector<std::string>{flavour == GraphFlavour::kRun ? "keep_Graph_Flat.txt"
                                                                            : "keep_Graph_Log.txt",
                                              "old_Graph_Log.txt"}));
    DeleteFileIfExists(folder / "Graph/keep_Graph_Flat.txt");
  }
}

TEST_F(GraphWindowModelTest, DetailRowsComeFromTheShownSummary) {
  GraphWindowModel& m = Open();
  const std::vector<DetailRow> rows = m.DetailRows();
  ASSERT_EQ(rows.size(), 16u);
  EXPECT_EQ(rows[0], (DetailRow{"試行回数", "120"}));
  EXPECT_EQ(rows[6], (DetailRow{"ペイアウト", "98.00%(フラット:98.50%)"}));
}

TEST(SecondSeriesTitleTest, ByTheKindOfTheFile) {
  EXPECT_EQ(SecondSeriesTitle("G/x_Graph_Flat.txt", GraphFlavour::kReplay), "フラットベット");
  EXPECT_EQ(SecondSeriesTitle("G/x_Graph_Log.txt", GraphFlavour::kRun), "インターカジノログ");
  EXPECT_EQ(SecondSeriesTitle("G/my_Log_Graph_Flat.txt", GraphFlavour::kRun), "フラットベット");
  EXPECT_EQ(SecondSeriesTitle("G/x_Graph.txt", GraphFlavour::kReplay), "インターカジノログ");
}

}  // namespace
}  // namespace vessaro
