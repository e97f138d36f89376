// Pictures of the training analysis windows (not a test: run it under xvfb-run, see
// docs/analysis-screenshots.md): the analysis window after a log report, the frequency grid at
// N = 8 sorted by "差分値" with marks in two colours, the condition search with three rows
// filled, and the search-pattern entry with a few columns.
//
//   analysis_screenshots <output folder>
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "analysis/log_samples.h"
#include "analysis/pattern_grid.h"
#include "analysis/sample_files.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "ui/analysis/analysis_grid_form.h"
#include "ui/analysis/bet_patternanalyze_form.h"
#include "ui/analysis/graph_form.h"
#include "ui/analysis/grid_jyoken_serach_form.h"
#include "ui/analysis/log_merge_form.h"
#include "ui/analysis/user_log_forms.h"
#include "ui/analysis/pattern_seach_form.h"
#include "ui/common/qt_ports.h"
#include "ui/common/window_helpers.h"

using namespace vessaro;

namespace {

void Save(QWidget* w, const QString& folder, const QString& name) {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  const QString file = folder + "/" + name + ".png";
  if (!w->grab().save(file)) std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
  std::printf("%s\n", qPrintable(file));
}

// A session at the table: winners with the ties, a bettor on Banker.
std::string Winners(int rounds) {
  std::string letters = testing::MakeOutcomeLetters(rounds, 4242);
  for (size_t i = 7; i < letters.size(); i += 11) letters[i] = 'T';
  return letters;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SetUpJapaneseApplication();
  if (argc < 2) {
    std::fprintf(stderr, "usage: analysis_screenshots <output folder>\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);

  testing::TempFolder folder;
  testing::WriteCp932(folder, "history/20240105_intercasino.txt", testing::MakeInterCasinoLog(Winners(180)));
  std::vector<CardFields> cards(60);
  cards[0] = {"10", "1", "1"};
  WriteCardFile(SystemFilePath(folder.path(), "マーチンゲール"), cards);
  std::vector<CardFields> pattern(20);
  pattern[0] = {"B", "1", "1"};
  WriteCardFile(PatternFilePath(folder.path(), "バンカー固定"), pattern);
  testing::FakeDialogs dialogs;

  {
    TBetPatternanalyze w(folder.path(), &dialogs);
    w.show();
    dialogs.chosen_files = {(folder / "history/20240105_intercasino.txt").string()};
    w.Button6Click();
    for (char c : std::string("PPBP")) c == 'P' ? w.BtnPlayerClick() : w.BtnBankerClick();
    w.Button8Click();
    Save(&w, out, "01-analysis-after-report");
  }

  const fs::path table = FrequencyTablePath(folder.path());
  WriteTableFile(table, FrequencyTableLines(testing::MakeOutcomeLetters(20000, 99), 8));
  {
    TAnalysisGridForm grid(table, &dialogs);
    grid.show();
    grid.SortClick(4, false);  // 差分値 ▼
    for (int row : {0, 1, 2}) grid.GridCellClick(grid.item_model()->index(row, 4));
    grid.colour_group()->button(static_cast<int>(MarkColour::kYellow))->click();
    for (int row : {3, 5}) grid.GridCellClick(grid.item_model()->index(row, 0));
    Save(&grid, out, "02-frequency-grid-sorted-marked");
  }
  {
    TGridJyokenSerachForm search(table, 8, FilteredTablePath(folder.path()), &dialogs, nullptr,
                                 [](int) { return std::string("PBB"); });
    search.show();
    // As the user chooses: each choice through its box.
    auto choose = [](QComboBox* box, int index) { emit box->activated(index); };
    choose(search.item_combo(0), 2);  // 出現回数 以上 …
    choose(search.operator_combo(0), 4);
    choose(search.value_combo(0), search.value_combo(0)->count() / 3);
    choose(search.connector_combo(1), 0);  // かつ
    choose(search.item_combo(1), 0);       // 出現パターン ワイルド PBB
    choose(search.operator_combo(1), 0);
    choose(search.connector_combo(2), 1);  // または
    choose(search.item_combo(2), 5);       // 差分値 より大きい …
    choose(search.operator_combo(2), 2);
    choose(search.value_combo(2), search.value_combo(2)->count() / 2);
    choose(search.connector_combo(3), 2);  // 終了
    Save(&search, out, "03-condition-search-three-rows");
  }
  {
    TPatternSeachForm entry(12, &dialogs);
    entry.show();
    for (char c : std::string("PPBBBPBBP")) c == 'P' ? entry.BtnPlayerClick() : entry.BtnBankerClick();
    Save(&entry, out, "04-pattern-entry");
  }
  {
    TUserLog1Form simple(folder.path(), &dialogs);
    simple.show();
    const std::string letters = testing::MakeOutcomeLetters(40, 777);
    for (char c : letters) c == 'P' ? simple.BtnPlayerClick() : simple.BtnBankerClick();
    simple.name_edit()->setText(QStringLiteral("1月5日"));
    Save(&simple, out, "05-simple-log-40-entries");
  }
  {
    TUserLog2Form detailed(folder.path(), &dialogs);
    detailed.show();
    detailed.start_edit()->setText(QStringLiteral("1000"));
    detailed.BtnStartClick();
    const char* rounds[][3] = {{"B", "30", "W"}, {"B", "10", "W"}, {"P", "20", "L"}, {"P", "40", "W"},
                               {"B", "10", "L"}, {"B", "20", "L"}, {"B", "40", "W"}, {"P", "10", "W"},
                               {"P", "20", "L"}, {"B", "10", "W"}};
    for (const auto& r : rounds) {
      detailed.side_button(r[0][0])->click();
      detailed.stake_edit()->setText(QString::fromUtf8(r[1]));
      (r[2][0] == 'W' ? detailed.won_button() : detailed.lost_button())->click();
      detailed.BtnAddClick();
    }
    detailed.BtnRebuildRoadClick();
    detailed.record_list()->setCurrentRow(3);
    detailed.name_edit()->setText(QStringLiteral("1月5日"));
    Save(&detailed, out, "06-detailed-log-ten-records");
  }
  {
    // A replay of the session's log under a Martingale-like system, then its graph window.
    std::vector<CardFields> martingale(60);
    martingale[0] = {"10", "1", "2"};
    martingale[1] = {"20", "1", "3"};
    martingale[2] = {"40", "1", "4"};
    martingale[3] = {"80", "1", "1"};
    WriteCardFile(SystemFilePath(folder.path(), "マーチン4段"), martingale);
    testing::WriteCp932(folder, "history/20240106_intercasino.txt", testing::MakeInterCasinoLog(Winners(400)));
    TBetPatternanalyze w(folder.path(), &dialogs);
    fs::path graph_file;
    int64_t rounds = 0;
    w.open_window = [&](const std::string&, const fs::path& file, int64_t n) {
      graph_file = file;
      rounds = n;
    };
    w.show();
    w.model().ChooseFile(folder / "history/20240106_intercasino.txt");
    w.model().system_choice().Choose("マーチン4段");
    w.model().pattern_choice().Choose("バンカー固定");
    w.Button12Click();
    TGraphLogForm graph(folder.path(), graph_file, rounds, &dialogs, nullptr);
    graph.show();
    Save(&graph, out, "08-log-graph-after-replay");
  }
  {
    TLogMergeForm merge(folder.path(), &dialogs);
    merge.show();
    merge.kind_combo()->setCurrentIndex(2);
    merge.folder_edit()->setText(ToQt((folder / "history").string()));
    merge.name_edit()->setText(QStringLiteral("1月まとめ"));
    Save(&merge, out, "07-merge-window");
  }
  return 0;
}
