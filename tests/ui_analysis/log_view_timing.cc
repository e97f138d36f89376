// Measures how the log viewer copes with long auto logs: reading and decoding alone, the window
// with its first screen, the rest of the text arriving between window events (total time and the
// longest stretch the window is busy), a jump to the end, and saving a copy. Not a test (timings
// vary by machine); it runs offscreen:
//
//   log_view_timing [rounds ...]      (default: 10000 1000000)
#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "analysis/log_view_model.h"
#include "analysis/sample_files.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "ui/analysis/log_view_form.h"
#include "ui/common/window_helpers.h"

using namespace vessaro;

namespace {

double Seconds(QElapsedTimer& timer) {
  const double s = static_cast<double>(timer.nsecsElapsed()) / 1e9;
  timer.restart();
  return s;
}

void Measure(int rounds) {
  testing::TempFolder folder;
  const std::string relative = "log/20240101130000Auto.txt";
  testing::WriteCp932(folder, relative, testing::MakeAutoLog(rounds));
  const fs::path file = folder / relative;
  std::printf("%d rounds: %.1f MB, %d lines\n", rounds, FileSizeOf(file) / 1e6, rounds + 4);

  testing::FakeDialogs dialogs;
  QElapsedTimer timer;
  timer.start();
  {
    LogViewModel model(folder.path(), dialogs);
    const size_t decoded = ReadRemainingText(*model.Show(file.string())).size();
    std::printf("  read and decode only       %7.3f s (%.1f MB of UTF-8)\n", Seconds(timer),
                decoded / 1e6);
  }

  timer.restart();
  QElapsedTimer total;
  total.start();
  TLogViewForm form(folder.path(), file.string(), &dialogs);
  form.show();
  QApplication::processEvents();
  form.text_edit()->viewport()->repaint();
  std::printf("  window shown, first screen %7.3f s\n", Seconds(timer));
  double longest = 0;
  int slices = 0;
  while (form.loading()) {
    QElapsedTimer slice;
    slice.start();
    QApplication::processEvents();
    longest = std::max(longest, static_cast<double>(slice.nsecsElapsed()) / 1e9);
    ++slices;
  }
  std::printf(
      "  whole text in the area     %7.3f s after opening (%d slices, longest %.3f s, "
      "%d lines)\n",
      static_cast<double>(total.nsecsElapsed()) / 1e9, slices, longest,
      form.text_edit()->document()->blockCount());
  timer.restart();
  QScrollBar* bar = form.text_edit()->verticalScrollBar();
  bar->setValue(bar->maximum());
  form.text_edit()->viewport()->repaint();
  std::printf("  jump to the end            %7.3f s\n", Seconds(timer));
  dialogs.chosen_files = {(folder / "copy.txt").string()};
  form.BtnSaveAsClick();
  std::printf("  save a copy                %7.3f s (%.1f MB)\n", Seconds(timer),
              FileSizeOf(folder / "copy.txt") / 1e6);
  timer.restart();
  form.close();
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  vessaro::SetUpJapaneseApplication();
  std::vector<int> rounds;
  for (int i = 1; i < argc; ++i) rounds.push_back(std::atoi(argv[i]));
  if (rounds.empty()) rounds = {10000, 1000000};
  for (int n : rounds) Measure(n);
  return 0;
}
