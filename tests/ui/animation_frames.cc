// Saves the table's animations frame by frame, for looking at them: a card sliding in from the
// shoe and turning over, a chip pulsing under the pointer and winding down, and the sound
// settings window. Not a test: run it under xvfb-run (see docs/screenshots.md).
//
//   table_animation_frames <program folder with image/> <output folder>
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "common/files.h"
#include "common/hex.h"
#include "program_folder_fixture.h"
#include "support/fakes.h"
#include "ui/common/window_helpers.h"
#include "ui/table/card_animation.h"
#include "ui/table/chip_animation.h"
#include "ui/table/sound_setting_form.h"
#include "ui/table/vessaro_main.h"

using namespace vessaro;

namespace {

int frame_number = 0;

// Grabs without processing events: the animations' own timers must not step them between
// frames, this program steps them itself.
void Save(QWidget* w, const QRect& area, const QString& folder, const QString& name) {
  const QString file = QStringLiteral("%1/%2-%3.png").arg(folder).arg(++frame_number, 2, 10, QChar('0')).arg(name);
  if (!w->grab(area).save(file)) std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
  std::printf("%s\n", qPrintable(file));
}

class NoDialog : public RuleDialogPort {
 public:
  bool RunRuleDialog(bool) override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SetUpJapaneseApplication();
  if (argc < 3) {
    std::fprintf(stderr, "usage: table_animation_frames <program folder> <output folder>\n");
    return 2;
  }
  const fs::path folder = testing::MakeScratchProgramFolder(argv[1], "vessaro-animation-frames");
  WriteWholeFile(folder / "System/Sound.dat", HexEncodeText("volume=6&narration=3&bgm=4"));
  const QString out = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(out);

  testing::FakeDialogs dialogs;
  testing::FakeEventPump pump;
  testing::FakeSoundOut sound;
  NoDialog no_dialog;
  MainWindowPorts ports;
  ports.dialogs = &dialogs;
  ports.pump = &pump;
  ports.rule_dialog = &no_dialog;
  ports.sound = &sound;
  TVessaroMain w(folder, ports);
  w.show();
  w.FirstDisplay();
  TableSession& s = w.session();
  s.SelectChip(25);
  s.PlaceChip(BetSide::kBanker);
  QApplication::processEvents();

  // The first Banker card, from the shoe near the top right corner to its place, then turned up.
  const TablePictures pictures(folder);
  QLabel* card = w.card_label(kBanker1);
  const QRect place = card->geometry();
  const QRect view(QPoint(440, 40 + 30), QSize(360, 150));  // window coordinates around the path
  card->setPixmap(pictures.Back());
  {
    TAnimateCard slide(card);
    slide.StartSlide(kShoePoint, place.topLeft());
    Save(&w, view, out, "card-slide-start");
    while (slide.running()) {
      slide.Step();
      Save(&w, view, out, "card-slide");
    }
  }
  {
    TAnimateImageCard flip(card, pictures.Back(), pictures.Face(Card{12}));
    flip.StartFlip();
    Save(&w, view, out, "card-flip");
    while (flip.running()) {
      flip.Step();
      Save(&w, view, out, QStringLiteral("card-flip-%1deg").arg(static_cast<int>(flip.angle())));
    }
  }

  // The 100 chip under the pointer: grown to 70 x 70 and back, then left, winding down.
  ChipButton* chip = w.chip(3);
  const QRect chips(QPoint(chip->x() - 80, chip->y() + 40 - 20), QSize(260, 90));
  w.hover().Track(chip);
  auto* pulse = w.pulses().Find(chip);
  Save(&w, chips, out, "chip-pulse-start");
  for (int step = 1; step <= 30 && pulse != nullptr; ++step) {
    pulse->Step();
    if (step % 3 == 0) Save(&w, chips, out, QStringLiteral("chip-pulse-step%1").arg(step));
  }
  w.hover().Track(&w);
  for (int step = 0; step < 40 && w.pulses().Find(chip) != nullptr; ++step) pulse->Step();
  Save(&w, chips, out, "chip-pulse-ended");

  TSoundSettingForm form(w.sound(), dialogs, &w);
  form.show();
  QApplication::processEvents();
  Save(&form, form.rect(), out, "sound-settings");
  form.hide();
  RemoveFolder(folder);
  return 0;
}
