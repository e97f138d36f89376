// The balance-sheet window on sample reports: the time from "検索" to a filled table and graph for
// a year of 1,000 reports, and, during "INDEX再生成" of many reports, the longest gap between two
// ticks of a 5 ms timer (how often window events get through) and the wall time.
//
//   QT_QPA_PLATFORM=offscreen sheet_window_bench [reports for the regeneration]
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "balancesheet/sample_reports.h"
#include "common/system_clock.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "ui/balancesheet/record_balance_form.h"
#include "ui/common/qt_ports.h"

using namespace vessaro;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int regeneration_reports = argc > 1 ? std::atoi(argv[1]) : 10000;
  testing::FakeDialogs dialogs;
  SystemClock clock;
  QtEventPump pump;

  testing::TempFolder year_home;
  testing::SaveSampleReports(year_home.path(), 2024, 1000);
  for (int run = 0; run < 3; ++run) {
    TRecordBalanceForm form(year_home.path(), SheetWindowPorts{&dialogs, &clock, &pump});
    form.show();
    QApplication::processEvents();
    form.pages()->setCurrentIndex(1);
    QElapsedTimer timer;
    timer.start();
    form.year_combo()->setCurrentIndex(1);
    emit form.year_combo()->activated(1);
    form.BtnSearchClick();
    const double filled = timer.nsecsElapsed() / 1e9;
    QApplication::processEvents();  // the table and the graph drawn
    std::printf("window preview of a year: %d rows in %.3f s (%.3f s with the first paint)\n",
                form.table()->model()->rowCount(), filled, timer.nsecsElapsed() / 1e9);
  }

  testing::TempFolder big_home;
  testing::SaveSampleReports(big_home.path(), 2000, regeneration_reports);
  for (int run = 0; run < 2; ++run) {
    TRecordBalanceForm form(big_home.path(), SheetWindowPorts{&dialogs, &clock, &pump});
    form.show();
    QApplication::processEvents();
    QElapsedTimer since_tick;
    double longest_gap = 0;
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      if (ticks++ > 0) longest_gap = std::max(longest_gap, since_tick.nsecsElapsed() / 1e6);
      since_tick.restart();
    });
    ticker.start(5);
    since_tick.start();
    dialogs.answers = {true};
    QElapsedTimer timer;
    timer.start();
    form.BtnRegenerateClick();
    const double seconds = timer.nsecsElapsed() / 1e9;
    ticker.stop();
    std::printf("window regeneration of %d reports: %.3f s, %d timer ticks, longest gap %.1f ms\n",
                regeneration_reports, seconds, ticks, longest_gap);
  }
  return 0;
}
