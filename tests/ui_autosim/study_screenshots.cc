// Pictures of the window "モンテカルロ検証" after 10,000-session studies (flat betting and a
// doubling system, both with stop limits) and after a cancelled one, for checking that the
// histogram, the fan chart and the summary read well. Not a test: run it under xvfb-run (see
// docs/study-screenshots.md).
//
//   study_screenshots <output folder>
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "common/hex.h"
#include "support/fakes.h"
#include "support/save_picture.h"
#include "support/temp_folder.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "ui/autosim/study_form.h"
#include "ui/common/window_helpers.h"

using namespace vessaro;

namespace {

void Play(TStudyForm& w, const char* sessions, const char* rounds, const char* profit, const char* loss,
          bool cancel) {
  w.sessions_edit()->setText(QString::fromUtf8(sessions));
  w.rounds_edit()->setText(QString::fromUtf8(rounds));
  w.profit_edit()->setText(QString::fromUtf8(profit));
  w.loss_edit()->setText(QString::fromUtf8(loss));
  w.seed_edit()->setText(QStringLiteral("20261210"));
  w.start_button()->click();
  if (cancel) {
    // Let a few hundred sessions finish first.
    while (w.running() && w.progress_bar()->value() < 30) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    w.cancel_button()->click();
  }
  while (w.running()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SetUpJapaneseApplication();
  if (argc < 2) {
    std::fprintf(stderr, "usage: study_screenshots <output folder>\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);

  testing::TempFolder home;
  home.Write("System/Rules.dat", HexEncodeText("blance=1000&minimum=1&maximum=500&blancememory=False&sleeptime=100&"
                                               "randommode=完全確率モード"));
  EnsureFolder(BetPatternFolder(home.path()));
  std::vector<CardFields> flat(60), doubling(60), banker(20);
  flat[0] = {"10", "1", "1"};
  for (int k = 0; k < 6; ++k) doubling[k] = {std::to_string(10 << k), "1", std::to_string(k == 5 ? 1 : k + 2)};
  banker[0] = {"B", "1", "1"};
  WriteCardFile(SystemFilePath(home.path(), "フラット10"), flat);
  WriteCardFile(SystemFilePath(home.path(), "倍賭け6段"), doubling);
  WriteCardFile(PatternFilePath(home.path(), "バンカー固定"), banker);
  TableSettings settings;
  ReadTableSettings(home.path(), settings);
  testing::FakeDialogs dialogs;

  struct Shot {
    const char *name, *system, *sessions, *rounds, *profit, *loss;
    bool cancel;
  } shots[] = {
      {"study_flat_10000", "フラット10", "10000", "1000", "500", "500", false},
      {"study_doubling_10000", "倍賭け6段", "10000", "1000", "500", "800", false},
      {"study_cancelled", "フラット10", "1000000", "1000", "0", "0", true},
  };
  for (const Shot& shot : shots) {
    TStudyForm w(home.path(), settings, StopLimits{}, shot.system, "バンカー固定", &dialogs);
    w.show();
    Play(w, shot.sessions, shot.rounds, shot.profit, shot.loss, shot.cancel);
    testing::SavePicture(&w, out, QString::fromUtf8(shot.name));
  }
  for (const std::string& message : dialogs.messages) std::fprintf(stderr, "message: %s\n", message.c_str());
  return 0;
}
