// Pictures of the balance graph window on a 10,000-round run, of the replay graph window, and of
// the detailed analysis values, for checking that axes, legend, summary and rows read well. Not a
// test: run it under xvfb-run (see docs/graph-screenshots.md).
//
//   graph_screenshots <output folder>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTimer>
#include <cstdio>
#include <tuple>

#include "analysis/sample_files.h"
#include "support/fakes.h"
#include "support/save_picture.h"
#include "support/temp_folder.h"
#include "ui/analysis/graph_bunseki_form.h"
#include "ui/analysis/graph_form.h"
#include "ui/common/window_helpers.h"

using namespace vessaro;

namespace {

// A replay's graph file: quoted names, the log's balance as the second curve, rounds the replay
// never reached read as 0, and the replay's own summary wording.
std::string ReplayGraph() {
  std::string text = "5000,5000,\"ココモ法,改\",逆張り\r\n";
  long long replay = 5000, log = 5000;
  for (int i = 1; i <= 300; ++i) {
    replay += (i * 7919) % 5 < 2 ? 20 : -15;
    log += (i * 104729) % 7 < 3 ? 10 : -10;
    text += i > 260 ? "0," + std::to_string(log) + "\r\n"
                    : std::to_string(replay) + "," + std::to_string(log) + "\r\n";
  }
  text +=
      "【試行回数：300  PLAYER:139(46.33 %) BANKER:133(44.33 %) TIE:28(9.33 %)  合計IN：5200.00 "
      "合計OUT：5096.00　ペイアウト: 98.00 % 　平均ベット： 17.33】 \r\n"
      "【最大ベット: 40.00  最大損失時残高：4655.00  最大ドローダウン: 6.90 %  最大連勝数： 6  "
      "最大連敗数： 8  勝ち：120回(40.00 %) 負け：152回(50.67 %) 引分：28回(9.33 %) 】\r\n";
  return text;
}

// A run of `requested` rounds that stopped after `played`, its balance drifting from 1000 to `last`
// (a stop limit reached, or the money gone).
std::string EarlyStopGraph(int played, int requested, int last) {
  std::string text = "1000," + std::to_string(requested) + ",マーチンゲール,BBPPBP\r\n";
  for (int k = 1; k <= played; ++k) {
    const double trend = 1000.0 + (last - 1000.0) * k / played;
    const int wobble = k == played ? 0 : ((k * 7919) % 41) - 20;
    text += std::to_string(static_cast<int>(trend) + wobble) + "," + std::to_string(1000 - k / 40) + "\r\n";
  }
  text += "試行回数：" + std::to_string(played) +
          " PLAYER：20(34%) BANKER：33(56%) TIE：6(10%) 合計IN：590.00 合計OUT：712.50 "
          "ペイアウト：120.76%(フラット:101.69%) 平均ベット：10.00\r\n"
          "最大ベット：10.00 最大損失時残高：990.00 最大ドローダウン：1.00% 最大連勝数：6 最大連敗数：3 "
          "勝ち：33回(55.93%) 負け：20回(33.90%) 引分：6回(10.17%)\r\n";
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vessaro::SetUpJapaneseApplication();
  if (argc < 2) {
    std::fprintf(stderr, "usage: graph_screenshots <output folder>\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);

  testing::TempFolder folder;
  testing::WriteCp932(folder, "Graph/202401011300_TmpGraph.txt",
                      testing::MakeRunGraph(10000, "マーチンゲール", "BBPPBP"));
  testing::WriteCp932(folder, "Graph/先週の結果_Graph_Flat.txt", testing::MakeRunGraph(500));
  testing::WriteCp932(folder, "Graph/202401011400_TmpGraph.txt", ReplayGraph());
  testing::FakeDialogs dialogs;
  TGraphBunsekiForm detail;

  {
    TGraphForm w(folder.path(), folder / "Graph/202401011300_TmpGraph.txt", 10000, &dialogs,
                 &detail);
    w.show();
    testing::SavePicture(&w, out, "01-run-graph");
    w.BtnDetailClick();
    testing::SavePicture(&detail, out, "02-detail-values");
    dialogs.answers = {true};  // discard the run's graph for the saved one
    w.ComboGraphActivated(1);
    testing::SavePicture(&w, out, "03-run-graph-saved-loaded");
  }
  {
    TGraphLogForm w(folder.path(), folder / "Graph/202401011400_TmpGraph.txt", 300, &dialogs,
                    &detail);
    w.show();
    testing::SavePicture(&w, out, "04-replay-graph");
    w.BtnDetailClick();
    testing::SavePicture(&detail, out, "05-replay-detail-values");
  }
  // Runs that ended early are thinned by the rounds they played, and end at their last one.
  testing::WriteCp932(folder, "Graph/202401011500_TmpGraph.txt", EarlyStopGraph(59, 1000000, 1120));
  testing::WriteCp932(folder, "Graph/202401011600_TmpGraph.txt", EarlyStopGraph(21453, 1000000, 3));
  for (auto [file, rounds, name] : {std::tuple{"Graph/202401011500_TmpGraph.txt", 59, "06-stopped-after-59"},
                                    std::tuple{"Graph/202401011600_TmpGraph.txt", 21453, "07-broke-at-21453"}}) {
    TGraphForm w(folder.path(), folder / file, rounds, &dialogs, &detail);
    w.show();
    testing::SavePicture(&w, out, name);
  }
  return 0;
}
