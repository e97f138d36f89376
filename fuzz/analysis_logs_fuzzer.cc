// The training analysis on arbitrary bytes: the bytes as a play history, a casino's log and the
// two kinds of user log, each put through report, bankruptcy, grid and replay the way
// vessaro-analyze runs them; as a frequency table with a condition search; as a graph file; and as
// a condition expression.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "analysis/analyze_command.h"
#include "analysis/graph_file.h"
#include "analysis/grid_search.h"
#include "analysis/grid_table.h"
#include "common/cp932.h"
#include "common/hex.h"
#include "common/system_clock.h"
#include "common/text.h"
#include "fuzz_support.h"
#include "systems/card_deck.h"
#include "systems/folders.h"

using namespace vessaro;

namespace {

// A program folder the replay can play on: 10 on Banker every round.
const fs::path& Home() {
  static const fs::path home = [] {
    const fs::path h = fuzz::ScratchFolder() / "home";
    EnsureFolder(h / "System");
    WriteWholeFile(h / "System/Rules.dat",
                   HexEncodeText("blance=1000&minimum=1&maximum=500&blancememory=False&sleeptime=100&"
                                 "randommode=完全確率モード"));
    std::vector<CardFields> system(60), pattern(20);
    system[0] = {"10", "1", "1"};
    pattern[0] = {"B", "1", "1"};
    WriteCardFile(SystemFilePath(h, "flat"), system);
    WriteCardFile(PatternFilePath(h, "banker"), pattern);
    return h;
  }();
  return home;
}

void Analyze(AnalyzeOptions options) {
  static SystemClock clock;
  std::ostringstream out, err;
  RunAnalyzeCommand(options, clock, out, err);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const fs::path folder = fuzz::ScratchFolder() / "logs";
  RemoveFolder(folder);
  EnsureFolder(folder);

  // The names decide how a file is read: a play history, a casino's log, a simple and a detailed
  // user log.
  for (const char* name : {"Normal20261210.txt", "casino.txt", "a_user1.txt", "a_user2.txt"}) {
    const fs::path log = folder / name;
    WriteWholeFile(log, bytes);
    AnalyzeOptions o;
    o.target = log.string();
    o.command = "report";
    Analyze(o);
    o.command = "bankruptcy";
    o.bets = "PBBP";
    Analyze(o);
    o.command = "grid";
    o.length = "6";
    o.out = (folder / "grid.txt").string();
    Analyze(o);
    o.command = "replay";
    o.home = Home().string();
    o.system = "flat";
    o.pattern = "banker";
    Analyze(o);
  }

  const std::string text = DecodeFileText(bytes);
  WriteWholeFile(folder / "TmpGrid.txt", bytes);
  const GridTable table = LoadGridTable(folder / "TmpGrid.txt");
  CheckConditionExpression(text);
  const auto elements = ParseConditionExpression(text);
  for (const std::string& line : SplitLines(text)) EvaluateConditions(elements, MakeGridRecord(line));
  for (const GridRow& row : table.rows) EvaluateConditions(elements, MakeGridRecord(row.cells[0]));
  for (GraphFlavour flavour : {GraphFlavour::kRun, GraphFlavour::kReplay})
    for (int64_t rounds : {0, 1, 59, 1000000}) ReadGraph(text, rounds, flavour);
  return 0;
}
