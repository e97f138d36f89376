// The sound settings window and the table's animations: the card's slide and turn, the chips'
// hover pulse with its registry, the timer that gives up when the window thread is busy, and the
// chip piles.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>

#include "common/hex.h"
#include "program_folder_fixture.h"
#include "support/fakes.h"
#include "ui/table/card_animation.h"
#include "ui/table/chip_animation.h"
#include "ui/table/counter_chip.h"
#include "ui/table/mm_timer.h"
#include "ui/table/sound_setting_form.h"
#include "ui/table/vessaro_main.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::FakeSoundOut;
using testing::ProgramFolder;

class SoundSettingFormTest : public ::testing::Test {
 protected:
  std::unique_ptr<TSoundSettingForm> Open(const char* sound_dat) {
    folder.Write("System/Sound.dat", HexEncodeText(sound_dat));
    sound.LoadSoundSettings(true);
    out.events.clear();
    return std::make_unique<TSoundSettingForm>(sound, dialogs);
  }
  std::string SoundDat() { return HexDecodeText(ReadWholeFile(folder / "System/Sound.dat")).value_or(""); }
  std::string Voice(const char* set) { return (folder / "sound/nomal" / set / "nomore.mp3").string(); }

  ProgramFolder folder;
  FakeSoundOut out;
  TableSound sound{folder.path(), out};
  FakeDialogs dialogs;
};

TEST_F(SoundSettingFormTest, ShowsTheStoredChoicesWithoutReactingToThem) {
  auto form = Open("volume=3&narration=2&bgm=5");
  EXPECT_EQ(form->windowTitle(), "音声設定");
  EXPECT_EQ(form->volume_slider()->value(), 3);
  EXPECT_TRUE(form->narration_box()->isChecked());
  EXPECT_TRUE(form->voice_button(2)->isChecked());
  EXPECT_TRUE(form->music_box()->isChecked());
  EXPECT_TRUE(form->track_button(5)->isChecked());
  EXPECT_TRUE(out.events.empty());  // filling plays no sample and restarts no music
}

TEST_F(SoundSettingFormTest, ControlsReachTheSoundAndClosingStoresThem) {
  auto form = Open("volume=5&narration=1&bgm=2");
  form->show();
  form->volume_slider()->setValue(9);
  EXPECT_EQ(out.level, 0.9);
  form->voice_button(3)->click();
  ASSERT_FALSE(out.narrations.empty());
  EXPECT_EQ(out.narrations.back(), Voice("03_child"));
  EXPECT_EQ(sound.settings().narration, 3);
  form->music_box()->click();  // unticked: the music stops and the tracks cannot be chosen
  EXPECT_FALSE(out.music_playing);
  EXPECT_FALSE(form->track_button(4)->isEnabled());
  form->narration_box()->click();
  EXPECT_FALSE(form->voice_button(1)->isEnabled());
  form->close();  // the window's close box
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(SoundDat(), "volume=9&narration=0&bgm=0");
  EXPECT_EQ(sound.settings(), (SoundSettings{9, 0, 0}));
}

TEST(TableWindowSoundTest, TheTablePlaysThroughItsSoundPort) {
  ProgramFolder folder;
  folder.Write("System/Sound.dat", HexEncodeText("volume=7&narration=2&bgm=4"));
  FakeDialogs dialogs;
  testing::FakeEventPump pump;
  testing::FakeClock clock;
  FakeSoundOut out;
  std::vector<std::string> opened;
  MainWindowPorts ports;
  ports.dialogs = &dialogs;
  ports.pump = &pump;
  ports.clock = &clock;
  ports.sound = &out;
  ports.open_window = [&](const std::string& window, const std::string&, int64_t) { opened.push_back(window); };
  TVessaroMain w(folder.path(), ports);
  ASSERT_TRUE(w.FirstDisplay());
  EXPECT_EQ(out.level, 0.7);
  EXPECT_EQ(out.music, std::vector<std::string>{(folder / "sound/nomal/00_BGM/nomal4.mp3").string()});
  QTest::mouseClick(w.chip(2), Qt::LeftButton);
  EXPECT_EQ(out.narrations, std::vector<std::string>{(folder / "sound/nomal/02_women/chip.mp3").string()});
  QTest::mouseClick(w.findChild<QToolButton*>(QStringLiteral("VolumeButton")), Qt::LeftButton);
  EXPECT_EQ(opened, std::vector<std::string>{"sound-settings"});
  EXPECT_EQ(w.hover().registered(), 8);
}

// ---- The card ----

TEST(CardAnimationTest, TheFlipNarrowsInStepsOf36DegreesTurnsAtNinetyAndOpensAgain) {
  QWidget table;
  table.resize(800, 300);
  QLabel card(&table);
  card.setGeometry(409, 74, 71, 96);
  QPixmap back(71, 96), face(71, 96);
  back.fill(Qt::darkRed);
  face.fill(Qt::white);
  TAnimateImageCard flip(&card, back, face);
  flip.StartFlip();
  std::vector<int> widths, lefts;
  std::vector<bool> faces;
  for (int i = 0; i < 10 && flip.running(); ++i) {
    flip.Step();
    widths.push_back(card.width());
    lefts.push_back(card.x());
    faces.push_back(flip.face_showing());
  }
  EXPECT_EQ(widths, (std::vector<int>{57, 22, 0, 22, 57, 71}));  // round(cos(a) x 71)
  EXPECT_EQ(faces, (std::vector<bool>{false, false, true, true, true, true}));
  for (size_t i = 0; i < widths.size(); ++i) EXPECT_EQ(lefts[i], 409 + (71 - widths[i]) / 2);  // centred
  EXPECT_FALSE(flip.running());
  EXPECT_EQ(card.pixmap().toImage().pixelColor(10, 10), QColor(Qt::white));
}

TEST(CardAnimationTest, TheSlideStartsAtTheShoeAndStandsOnTheTargetAfterOneStep) {
  QWidget table;
  table.resize(800, 300);
  QLabel card(&table);
  card.setGeometry(0, 0, 71, 96);
  card.hide();
  TAnimateCard slide(&card);
  slide.StartSlide(kShoePoint, QPoint(332, 74));
  EXPECT_TRUE(card.isVisibleTo(&table));
  EXPECT_EQ(card.pos(), QPoint(700, 56));
  EXPECT_TRUE(slide.running());
  slide.Step();
  EXPECT_EQ(card.pos(), QPoint(332, 74));
  EXPECT_FALSE(slide.running());
}

TEST(CardAnimationTest, OnTheRealTimerTheCardEndsFaceUpWhereItWas) {
  QWidget table;
  table.resize(800, 300);
  QLabel card(&table);
  card.setScaledContents(true);
  card.setGeometry(520, 74, 71, 96);
  table.show();
  QPixmap back(71, 96), face(71, 96);
  back.fill(Qt::darkRed);
  face.fill(Qt::white);
  card.setPixmap(back);
  SlideCard(&card, kShoePoint.x(), kShoePoint.y(), 520, 74);
  FlipCard(&card, face, back);
  EXPECT_EQ(card.geometry(), QRect(520, 74, 71, 96));
  EXPECT_EQ(card.pixmap().toImage().pixelColor(10, 10), QColor(Qt::white));
}

TEST(CardAnimationTest, ADealOnTheShownTableLeavesEveryCardInItsPlace) {
  ProgramFolder folder;
  FakeDialogs dialogs;
  testing::FakeEventPump pump;
  testing::FakeClock clock;
  FakeSoundOut out;
  MainWindowPorts ports;
  ports.dialogs = &dialogs;
  ports.pump = &pump;
  ports.clock = &clock;
  ports.sound = &out;
  TVessaroMain w(folder.path(), ports);
  w.FirstDisplay();
  w.show();
  std::array<QRect, 6> places;
  for (int p = 0; p < 6; ++p) places[p] = w.card_label(p)->geometry();
  QTest::mouseClick(w.chip(1), Qt::LeftButton);
  QTest::mouseClick(w.player_area(), Qt::LeftButton);
  w.BtnDealClick();
  EXPECT_EQ(w.round_label()->text(), "ラウンド1");
  for (int p = 0; p < 6; ++p) EXPECT_EQ(w.card_label(p)->geometry(), places[p]) << p;
  EXPECT_TRUE(w.card_label(kPlayer1)->isVisible());
}

// ---- The timer ----

TEST(MMTimerTest, ATickLaterThanNinetyPercentOfTheIntervalDisablesTheTimer) {
  int64_t now = 0;
  int ticks = 0;
  TMMTimer timer;
  timer.SetClock([&] { return now; });
  timer.SetInterval(20);
  timer.SetHandler([&] { ++ticks; });
  EXPECT_TRUE(timer.active());
  now = 20;
  timer.Tick();
  now = 40 + 18;  // 18 ms late: 90 % of the interval, still in time
  timer.Tick();
  EXPECT_EQ(ticks, 2);
  EXPECT_TRUE(timer.enabled());
  now = 78 + 19;  // the window thread was busy
  timer.Tick();
  EXPECT_EQ(ticks, 2);
  EXPECT_FALSE(timer.enabled());
  EXPECT_FALSE(timer.active());
  timer.SetEnabled(true);  // enabling again starts afresh
  EXPECT_TRUE(timer.active());
  now += 20;
  timer.Tick();
  EXPECT_EQ(ticks, 3);
}

TEST(MMTimerTest, WithoutAHandlerOrAnIntervalNothingRuns) {
  TMMTimer timer;
  EXPECT_EQ(timer.interval(), 1000);
  EXPECT_FALSE(timer.active());
  timer.SetHandler([] {});
  EXPECT_TRUE(timer.active());
  timer.SetInterval(0);
  EXPECT_FALSE(timer.active());
}

// ---- The chips ----

class ChipPulseTest : public ::testing::Test {
 protected:
  ChipPulseTest() {
    table.resize(700, 200);
    QPixmap picture(50, 50);
    picture.fill(Qt::darkGreen);
    for (int i = 0; i < 8; ++i) {
      chips[i] = new ChipButton(kChipValues[i], picture, &table);
      chips[i]->move(190 + i * 58, 80);
      hover.Register(chips[i], [this, i] { PulseControl(pulses, chips[i], 70, 70, 150); },
                     [this, i] { StopPulse(pulses, chips[i]); });
    }
  }
  // Runs every pulse tick by tick until none is left; false if one never ends.
  bool RunPulses() {
    for (int tick = 0; tick < 1000; ++tick) {
      bool any = false;
      for (ChipButton* c : chips) {
        if (TAnimater* a = pulses.Find(c)) {
          a->Step();
          any = true;
        }
      }
      if (!any) return true;
    }
    return false;
  }

  QWidget table;
  std::array<ChipButton*, 8> chips{};
  TAnimateManeger pulses;
  TMouseEventManager hover;
};

TEST_F(ChipPulseTest, APulseGrowsTheChipTo70AroundItsCentreAndBackEndlessly) {
  hover.Track(chips[3]);
  auto* pulse = dynamic_cast<TScaleAnimater*>(pulses.Find(chips[3]));
  ASSERT_NE(pulse, nullptr);
  EXPECT_EQ(pulse->steps(), 15);
  const QPoint centre = chips[3]->geometry().center();
  for (int i = 0; i < 15; ++i) pulse->Step();
  EXPECT_EQ(chips[3]->size(), QSize(70, 70));
  EXPECT_LE((chips[3]->geometry().center() - centre).manhattanLength(), 1);
  for (int i = 0; i < 15; ++i) pulse->Step();
  EXPECT_EQ(chips[3]->geometry(), QRect(190 + 3 * 58, 80, 50, 50));
  pulse->Step();
  EXPECT_GT(chips[3]->width(), 50);  // and up again while the pointer stays
  EXPECT_EQ(pulses.Find(chips[3]), pulse);
}

TEST_F(ChipPulseTest, SweepingOverAllEightLeavesEveryChipAtItsSize) {
  for (int round = 0; round < 3; ++round) {
    for (ChipButton* c : chips) {
      hover.Track(c);
      // A few ticks on each chip, as a quick pointer gives them.
      for (int i = 0; i < 4; ++i)
        if (TAnimater* a = pulses.Find(c)) a->Step();
    }
  }
  hover.Track(&table);
  ASSERT_TRUE(RunPulses());
  for (int i = 0; i < 8; ++i) EXPECT_EQ(chips[i]->geometry(), QRect(190 + i * 58, 80, 50, 50)) << i;
  EXPECT_EQ(pulses.running(), 0);
  EXPECT_EQ(pulses.capacity(), 10);  // entries are reused, never more than ten were needed
}

TEST_F(ChipPulseTest, ASecondEntryWhileThePulseRunsStartsNoSecondOne) {
  hover.Track(chips[0]);
  TAnimater* first = pulses.Find(chips[0]);
  hover.Track(&table);  // left: the pulse winds down
  hover.Track(chips[0]);
  EXPECT_EQ(pulses.Find(chips[0]), first);
  EXPECT_EQ(pulses.running(), 1);
  hover.Track(chips[0]);  // the same control again: nothing at all
  EXPECT_EQ(pulses.running(), 1);
}

TEST(ChipPileTest, TheChipsOf5330StandLargestAtTheBottom) {
  testing::TempFolder folder;
  EnsureFolder(folder / "image");
  // Each chip a disc of its own colour on the felt (the corner colour is made transparent).
  const QColor colours[8] = {Qt::red, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta, Qt::gray, Qt::black, Qt::white};
  for (int i = 0; i < 8; ++i) {
    QImage chip(50, 50, QImage::Format_RGB32);
    chip.fill(QColor(0x0B, 0x6B, 0x34));
    QPainter p(&chip);
    p.setBrush(colours[i]);
    p.setPen(Qt::NoPen);
    p.drawEllipse(0, 0, 50, 50);
    p.end();
    chip.save(QString::fromStdString((folder / ("image/chip" + std::to_string(kChipValues[i]) + ".bmp")).string()));
  }
  TablePictures pictures(folder.path());
  QWidget area;
  area.resize(200, 300);
  TCounterChip pile(pictures, &area);
  pile.setGeometry(20, 200, 50, 50);
  pile.ShowChipPile(5330);
  EXPECT_EQ(pile.chip_count(), 6);
  EXPECT_EQ(pile.height(), 92);
  EXPECT_EQ(pile.geometry().bottom(), 249);
  const QImage drawn = pile.grab().toImage();
  auto colour_at = [&](int y) { return drawn.pixelColor(25, y); };
  // From the bottom: 5000 (white), 250 (magenta), three 25 (yellow), 5 (blue) on top.
  EXPECT_EQ(colour_at(91 - 3), QColor(Qt::white));
  EXPECT_EQ(colour_at(91 - 7 - 3), QColor(Qt::magenta));
  EXPECT_EQ(colour_at(91 - 14 - 3), QColor(Qt::yellow));
  EXPECT_EQ(colour_at(91 - 28 - 3), QColor(Qt::yellow));
  EXPECT_EQ(colour_at(25), QColor(Qt::blue));
  pile.ShowChipPile(0);
  EXPECT_EQ(pile.height(), 50);
  EXPECT_EQ(pile.chip_count(), 0);
}

}  // namespace
}  // namespace vessaro
