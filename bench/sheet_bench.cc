// Times the balance sheet's long work on sample reports: loading the preview for a year of 1,000
// reports (pickers, the report selection and the table's texts, the profit graph), and the
// regeneration of the aggregates and the search index from 10,000 reports, with the longest
// stretch between two yields to the event loop.
//
//   sheet_bench [reports for the regeneration] [folder]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "balancesheet/preview.h"
#include "balancesheet/sample_reports.h"
#include "balancesheet/search_index.h"
#include "common/system_clock.h"
#include "bench_measures.h"

using namespace vessaro;
using namespace vessaro::bench;

namespace {

class QuietDialogs : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageKind) override { last = std::string(text); }
  bool AskYesNo(std::string_view) override { return true; }
  std::optional<std::string> ChooseOpenFile(const FileFilter&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileFilter&) override { return {}; }
  std::optional<std::string> ChooseFolder(std::string_view, std::string_view) override { return {}; }
  std::string last;
};

// Records the longest time between two yields, as the window would feel it.
class GapPump : public EventPump {
 public:
  void ProcessEvents() override {
    const auto now = std::chrono::steady_clock::now();
    if (yields > 0) longest = std::max(longest, std::chrono::duration<double>(now - last).count());
    last = now;
    ++yields;
  }
  void Pause(int) override { ++pauses; }
  void Sleep(int) override { ++pauses; }
  int64_t yields = 0;
  int64_t pauses = 0;
  double longest = 0;
  std::chrono::steady_clock::time_point last;
};

}  // namespace

int main(int argc, char** argv) {
  const int regeneration_reports = argc > 1 ? std::atoi(argv[1]) : 10000;
  const fs::path base = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "vessaro-sheet-bench";
  fs::remove_all(base);

  // A year of 1,000 reports.
  const fs::path year_home = base / "year";
  testing::SaveSampleReports(year_home, 2024, 1000);
  QuietDialogs dialogs;
  for (int run = 0; run < 3; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const double cpu = CpuSeconds();
    PreviewModel preview(year_home, dialogs);
    preview.ResetPickers();
    preview.ReloadColumns();
    preview.ChooseYear(0);
    preview.Search();
    std::printf("preview of a year: %zu reports, %zu columns, %zu graph points in %.3f s (cpu %.3f s)\n",
                preview.rows().size(), preview.columns().size(), preview.graph().points.size(), Seconds(start),
                CpuSeconds() - cpu);
  }

  // The regeneration.
  const fs::path big_home = base / "regeneration";
  const auto made = std::chrono::steady_clock::now();
  testing::SaveSampleReports(big_home, 2000, regeneration_reports);
  std::printf("wrote %d sample reports in %.1f s\n", regeneration_reports, Seconds(made));
  SystemClock clock;
  for (int run = 0; run < 3; ++run) {
    GapPump pump;
    RegenerationObserver quiet;
    const auto start = std::chrono::steady_clock::now();
    const double cpu = CpuSeconds();
    RegenerationResult result = RebuildIndex(SheetFolders(big_home), pump, clock, quiet);
    std::printf("regeneration: %d reports (%d files) in %.3f s (cpu %.3f s), %lld yields, longest gap %.1f ms, "
                "%lld pauses\n",
                result.reports, result.files, Seconds(start), CpuSeconds() - cpu, static_cast<long long>(pump.yields),
                pump.longest * 1000, static_cast<long long>(pump.pauses));
  }
  fs::remove_all(base);
  return 0;
}
