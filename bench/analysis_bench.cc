// Times the training analysis on a long log: the all-pattern analysis at N = 12 over a
// 1,000,000-letter play history (file read, words counted, TmpGrid.txt written), the count alone,
// and the condition search over the resulting 8,190 lines (as the search window runs it: the table
// read, each line tested, the filtered table written). Each figure is the best and the median of
// several runs.
//
//   analysis_bench [letters] [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "analysis/analysis_window_model.h"
#include "analysis/grid_search.h"
#include "analysis/log_analysis.h"
#include "analysis/pattern_grid.h"
#include "common/files.h"
#include "quiet_dialogs.h"

using namespace vessaro;

namespace {

class NoGrid : public AnalysisWindowPorts {
 public:
  void ShowFrequencyGrid(const fs::path& table) override { lines = ReadTextLines(table).size(); }
  size_t lines = 0;
};

void Measure(const char* what, int runs, const std::function<void()>& work) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    work();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%-62s best %8.1f ms   median %8.1f ms\n", what, ms.front(), ms[ms.size() / 2]);
}

}  // namespace

int main(int argc, char** argv) {
  const long letters = argc > 1 ? std::atol(argv[1]) : 1000000;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  char pattern[] = "/tmp/vessaro-analysis-bench-XXXXXX";
  const fs::path home = ::mkdtemp(pattern);
  EnsureFolder(home / "history");
  const fs::path log = home / "history" / "bench.txt";
  {
    std::string text;
    uint32_t state = 12345;
    for (long i = 0; i < letters; ++i) {
      state = state * 134775813u + 1u;
      text.push_back((static_cast<uint64_t>(state) * 10000 >> 32) < 5068 ? 'B' : 'P');
      if (i % 100 == 99) text += "\r\n";
    }
    WriteWholeFile(log, text);
  }
  std::printf("log: %ld letters in lines of 100\n", letters);

  QuietDialogs dialogs;
  NoGrid grid;
  AnalysisWindowModel model(home, dialogs, grid);
  model.Open();
  model.ChooseFile(log);
  model.set_pattern_length(12);
  Measure("all-pattern analysis N=12 (read, count, TmpGrid.txt written)", runs, [&] { model.AllPatternAnalysis(); });
  if (grid.lines != 8191 || !dialogs.last.empty()) {
    std::fprintf(stderr, "unexpected result: %zu lines, message '%s'\n", grid.lines, dialogs.last.c_str());
    return 1;
  }

  const std::string letters_text = ToOutcomeSequence(ReadLogLines(log)).letters;
  Measure("counting alone (every word of 1 to 12 letters)", runs, [&] {
    auto counts = CountAllWords(letters_text, 12);
    if (counts[12].size() != 4096) std::abort();
  });

  const std::vector<std::string> table = FrequencyTableLines(letters_text, 12);
  const fs::path table_file = FrequencyTablePath(home);
  WriteTableFile(table_file, table);
  const std::string expression =
      "\"出現回数,数値,>=,100\",AND,\"出現パターン,文字列,*,PB\",OR,\"差分値,数値,>,0.02 %\"";
  int matched = 0;
  Measure("condition search over 8,190 lines (3 conditions, in memory)", runs,
          [&] { matched = FilterTableLines(table, expression).matched; });
  ConditionSearchModel search(table_file, 12, FilteredTablePath(home), dialogs, nullptr);
  search.Open();
  for (int row = 0; row < 3; ++row) {
    if (row > 0) search.ChooseConnector(row, 0);
    search.ChooseItem(row, 2);                                       // 出現回数
    search.ChooseOperator(row, 4);                                   // >=
    search.ChooseValue(row, static_cast<int>(search.row(row).values.size()) / (4 - row));
  }
  search.ChooseConnector(3, 2);
  Measure("condition search window (table read, tested, result written)", runs, [&] {
    if (!search.Search()) std::abort();
  });
  std::printf("lines kept by the 3-condition expression: %d\n", matched);
  RemoveFolder(home);
  return 0;
}
