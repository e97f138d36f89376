// The table's sound through the SoundOut port: Sound.dat, the voice folder, the narration of a
// deal with its pauses, the chip sound, the music loop and the sound settings window's rules.
#include "engine/sound.h"

#include <gtest/gtest.h>

#include "common/format.h"
#include "common/hex.h"
#include "common/text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeEventPump;
using testing::FakeSoundOut;
using testing::TempFolder;

class SoundTest : public ::testing::Test {
 protected:
  void WriteSoundDat(const std::string& text) { dir.Write("System/Sound.dat", HexEncodeText(text)); }
  std::string SoundDatText() { return HexDecodeText(ReadWholeFile(dir / "System/Sound.dat")).value_or("?"); }
  std::string Voice(const char* set, const char* name) {
    return (dir / "sound/nomal" / set / (std::string(name) + ".mp3")).string();
  }
  std::string Track(int k) { return (dir / "sound/nomal/00_BGM" / ("nomal" + std::to_string(k) + ".mp3")).string(); }

  TempFolder dir;
  FakeSoundOut out;
  TableSound sound{dir.path(), out};
};

TEST_F(SoundTest, MissingOrDamagedSoundDatGivesTheDefaultsAndWritesThem) {
  const char* damaged[] = {nullptr, "volume=3&narration=2", "not hexadecimal at all"};
  for (const char* text : damaged) {
    SCOPED_TRACE(text ? text : "missing");
    DeleteFileIfExists(dir / "System/Sound.dat");
    if (text != nullptr) {
      // The last case is written raw: it is not made of hexadecimal pairs.
      if (std::string(text).find('&') != std::string::npos) {
        WriteSoundDat(text);
      } else {
        dir.Write("System/Sound.dat", text);
      }
    }
    sound.Reset();
    out.music.clear();
    sound.LoadSoundSettings(true);
    EXPECT_EQ(sound.settings(), SoundSettings{});
    EXPECT_EQ(SoundDatText(), "volume=5&narration=1&bgm=1");
    EXPECT_EQ(out.level, 0.5);
    EXPECT_EQ(out.music, std::vector<std::string>{Track(1)});
  }
}

TEST_F(SoundTest, FieldsAreReadWithoutTheirKeysAndUnreadableNumbersAreZero) {
  struct Case {
    const char* text;
    SoundSettings expected;
  };
  const Case cases[] = {
      {"volume=7&narration=3&bgm=9", {7, 3, 9}},
      {"volume=abc&narration=2&bgm=4", {0, 2, 4}},
      {"volume=&narration=x&bgm=99999999999", {0, 0, 0}},
      {"volume=10&narration=0&bgm=0&extra=1", {10, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    WriteSoundDat(c.text);
    EXPECT_EQ(ReadSoundSettings(dir.path()), c.expected);
  }
  WriteSoundSettings(dir.path(), {4, 2, 6});
  EXPECT_EQ(SoundDatText(), "volume=4&narration=2&bgm=6");
  EXPECT_EQ(ReadWholeFile(dir / "System/Sound.dat"), HexEncodeText("volume=4&narration=2&bgm=6"));
}

TEST_F(SoundTest, LoadingAppliesTheVolumeAndNamesTheVoiceSetOnce) {
  WriteSoundDat("volume=abc&narration=2&bgm=0");
  sound.LoadSoundSettings(true);
  EXPECT_EQ(out.level, 0.0);
  EXPECT_TRUE(out.music.empty());  // music 0: no track
  EXPECT_EQ(sound.voice_folder(), dir / "sound/nomal/02_women");
  // Loading again without re-initialising keeps the set already named.
  WriteSoundDat("volume=8&narration=3&bgm=2");
  sound.LoadSoundSettings(false);
  EXPECT_EQ(out.level, 0.8);
  EXPECT_TRUE(out.music.empty());  // not asked to start it
  EXPECT_EQ(sound.voice_folder(), dir / "sound/nomal/02_women");
  sound.Reset();
  sound.LoadSoundSettings(false);
  EXPECT_EQ(sound.voice_folder(), dir / "sound/nomal/03_child");
}

TEST_F(SoundTest, WithoutNarrationTheChipSoundComesFromTheMansFolder) {
  WriteSoundDat("volume=5&narration=0&bgm=1");
  sound.LoadSoundSettings(false);
  sound.PlayChipSound();
  EXPECT_EQ(out.narrations, std::vector<std::string>{Voice("01_man", "chip")});
}

TEST_F(SoundTest, ANewAnnouncementStopsOneStillPlaying) {
  sound.LoadSoundSettings(false);
  sound.PlayNarration("p5");
  sound.PlayNarration("b3");  // p5 has not ended
  out.EndNarration();
  sound.PlayNarration("bwin");  // b3 has ended: nothing to stop
  EXPECT_EQ(out.events, (std::vector<std::string>{"level 0.5", "narration " + Voice("01_man", "p5"),
                                                  "stop narration", "narration " + Voice("01_man", "b3"),
                                                  "narration " + Voice("01_man", "bwin")}));
}

TEST_F(SoundTest, MusicLoopsUntilTheProgramStopsIt) {
  sound.PlayMusic(3);
  out.EndMusic();
  out.EndMusic();
  EXPECT_EQ(out.music, std::vector<std::string>(3, Track(3)));
  sound.StopMusic();  // the end it reports is the stop's, not the track's
  EXPECT_EQ(out.music.size(), 3u);
  EXPECT_FALSE(sound.music_stopping());
}

TEST_F(SoundTest, AStopWithNothingPlayingDoesNotSilenceTheNextTrack) {
  sound.StopMusic();  // no track: no end is reported, the stopping flag stays up
  EXPECT_TRUE(sound.music_stopping());
  sound.PlayMusic(2);
  out.EndMusic();
  EXPECT_EQ(out.music, std::vector<std::string>(2, Track(2)));
}

// The session's deal through SoundSessionServices: what is announced and how long it waits.
class DealSoundTest : public ::testing::Test {
 protected:
  DealSoundTest() {
    dir.Write("System/Rules.dat",
              HexEncodeText("blance=1000&minimum=1&maximum=500&blancememory=False&sleeptime=250"
                            "&randommode=完全確率モード"));
    out.timeline = &timeline;
    pump.on_process = [this] {
      if (!pump.pauses.empty() && pump.pauses.back() != 250)  // card pauses left out
        timeline.push_back("pause " + std::to_string(pump.pauses.back()));
    };
  }

  TableSession& Start(const char* sound_dat) {
    dir.Write("System/Sound.dat", HexEncodeText(sound_dat));
    session = std::make_unique<TableSession>(dir.path(), dialogs, pump, clock, rule_dialog, services);
    session->FirstDisplay();
    return *session;
  }

  // Only the calls and the pauses, with the folder cut off the file names.
  std::vector<std::string> Calls() const {
    std::vector<std::string> calls;
    for (const std::string& e : timeline) {
      if (StartsWith(e, "pause ")) {
        calls.push_back(e);
      } else if (StartsWith(e, "narration ")) {
        const fs::path file(e.substr(10));
        calls.push_back(file.parent_path().filename().string() + "/" + file.stem().string());
      }
    }
    return calls;
  }

  std::string Total(const char* side, int total) const { return Format("%s%d", side, total); }

  class AnsweringDialog : public RuleDialogPort {
   public:
    bool RunRuleDialog(bool) override { return answer; }
    bool answer = false;
  };

  TempFolder dir;
  FakeDialogs dialogs;
  FakeEventPump pump;
  FakeClock clock;
  AnsweringDialog rule_dialog;
  FakeSoundOut out;
  TableSound sound{dir.path(), out};
  SoundSessionServices services{sound};
  std::vector<std::string> timeline;
  std::unique_ptr<TableSession> session;
};

TEST_F(DealSoundTest, EachVoiceAnnouncesTheRoundWithItsPauses) {
  struct Case {
    const char* sound_dat;
    const char* set;
    int wait;
  };
  const Case cases[] = {{"volume=5&narration=1&bgm=1", "01_man", 2000},
                        {"volume=5&narration=2&bgm=1", "02_women", 2000},
                        {"volume=5&narration=3&bgm=1", "03_child", 2500}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    sound.Reset();
    TableSession& s = Start(c.sound_dat);
    s.SelectChip(25);
    s.PlaceChip(BetSide::kBanker);
    timeline.clear();
    s.Deal();
    const RoundRecord& r = s.last_round();
    const std::string set = c.set;
    const std::string winner = r.result == 'P' ? "pwin" : r.result == 'B' ? "bwin" : "tie";
    EXPECT_EQ(Calls(), (std::vector<std::string>{set + "/nomore", "pause 1000",
                                                 set + "/" + Format("p%d", r.player_total),
                                                 "pause " + std::to_string(c.wait),
                                                 set + "/" + Format("b%d", r.banker_total),
                                                 "pause " + std::to_string(c.wait), set + "/" + winner}));
  }
}

TEST_F(DealSoundTest, WithoutNarrationOnlyTheChipsSound) {
  TableSession& s = Start("volume=5&narration=0&bgm=1");
  timeline.clear();
  s.SelectChip(5);
  s.PlaceChip(BetSide::kPlayer);
  s.Deal();
  EXPECT_EQ(Calls(), (std::vector<std::string>{"01_man/chip", "01_man/chip"}));
  timeline.clear();
  s.Deal();  // the repeated bet: chip sound, then half a second
  EXPECT_EQ(Calls(), (std::vector<std::string>{"01_man/chip", "pause 500"}));
}

TEST_F(DealSoundTest, NewRuleSettingsReloadTheSoundWithoutRestartingTheMusic) {
  Start("volume=5&narration=2&bgm=4");
  EXPECT_EQ(out.music.size(), 1u);
  sound.set_voice_folder(sound.VoiceFolderFor(3));
  dir.Write("System/Sound.dat", HexEncodeText("volume=9&narration=1&bgm=6"));
  rule_dialog.answer = true;
  session->ApplyRuleSettings();
  EXPECT_EQ(out.music.size(), 1u);
  EXPECT_EQ(out.level, 0.9);
  EXPECT_EQ(sound.settings(), (SoundSettings{9, 1, 6}));
  EXPECT_EQ(sound.voice_folder(), dir / "sound/nomal/01_man");
}

// The sound settings window's rules.
class SoundDialogTest : public SoundTest {
 protected:
  SoundSettingsDialogModel Opened(const char* sound_dat) {
    if (sound_dat != nullptr) WriteSoundDat(sound_dat);
    sound.Reset();
    sound.LoadSoundSettings(true);
    SoundSettingsDialogModel model(sound);
    model.Open();
    out.events.clear();
    return model;
  }
};

TEST_F(SoundDialogTest, OpensOnTheFileAndTheCurrentLevel) {
  SoundSettingsDialogModel m = Opened("volume=3&narration=0&bgm=7");
  EXPECT_EQ(m.volume_position(), 3);
  EXPECT_FALSE(m.narration_ticked());
  EXPECT_EQ(m.voice(), 1);
  EXPECT_TRUE(m.music_ticked());
  EXPECT_EQ(m.track(), 7);
  out.level = 0.74;  // the level, not the file, sets the slider
  m.Open();
  EXPECT_EQ(m.volume_position(), 7);
  DeleteFileIfExists(dir / "System/Sound.dat");
  m.Open();
  EXPECT_TRUE(m.narration_ticked());
  EXPECT_EQ(m.voice(), 1);
  EXPECT_TRUE(m.music_ticked());
  EXPECT_EQ(m.track(), 1);
}

TEST_F(SoundDialogTest, TheSliderSetsTheLevelAtOnceAndTheVolumeOnClosing) {
  SoundSettingsDialogModel m = Opened("volume=5&narration=1&bgm=1");
  m.MoveVolume(8);
  EXPECT_EQ(out.level, 0.8);
  EXPECT_EQ(sound.settings().volume, 5);
  m.Close();
  EXPECT_EQ(SoundDatText(), "volume=8&narration=1&bgm=1");
}

TEST_F(SoundDialogTest, ChoosingAVoicePlaysItsSampleAndTakesItsNumber) {
  SoundSettingsDialogModel m = Opened("volume=5&narration=1&bgm=1");
  m.ChooseVoice(2);
  EXPECT_EQ(sound.settings().narration, 2);
  EXPECT_EQ(sound.voice_folder(), dir / "sound/nomal/02_women");
  EXPECT_EQ(out.narrations.back(), Voice("02_women", "nomore"));
}

TEST_F(SoundDialogTest, ReTickingNarrationUsesTheSelectedVoice) {
  SoundSettingsDialogModel m = Opened("volume=5&narration=3&bgm=1");
  m.SetNarrationTicked(false);
  EXPECT_TRUE(out.events.empty());
  m.ChooseVoice(2);  // not selectable while unticked
  EXPECT_EQ(m.voice(), 3);
  sound.set_voice_folder(sound.VoiceFolderFor(1));
  m.SetNarrationTicked(true);
  EXPECT_EQ(sound.voice_folder(), dir / "sound/nomal/03_child");
  EXPECT_EQ(out.events, std::vector<std::string>{"narration " + Voice("03_child", "nomore")});
  m.SetNarrationTicked(false);
  m.Close();
  EXPECT_EQ(sound.settings().narration, 0);
  EXPECT_EQ(SoundDatText(), "volume=5&narration=0&bgm=1");
}

TEST_F(SoundDialogTest, UntickingMusicStopsItForGoodAndStoresZero) {
  SoundSettingsDialogModel m = Opened("volume=5&narration=1&bgm=4");
  m.SetMusicTicked(false);
  EXPECT_EQ(out.events, std::vector<std::string>{"stop music"});  // the end it reports restarts nothing
  EXPECT_FALSE(out.music_playing);
  m.Close();
  EXPECT_EQ(SoundDatText(), "volume=5&narration=1&bgm=0");
}

TEST_F(SoundDialogTest, ChoosingATrackOrTickingMusicRestartsIt) {
  SoundSettingsDialogModel m = Opened("volume=5&narration=1&bgm=0");
  EXPECT_FALSE(m.music_ticked());
  m.ChooseTrack(5);  // not selectable while unticked
  EXPECT_TRUE(out.events.empty());
  m.SetMusicTicked(true);  // music was 0: track 1
  EXPECT_EQ(out.events, std::vector<std::string>{"music " + Track(1)});
  out.events.clear();
  m.ChooseTrack(6);
  EXPECT_EQ(out.events, (std::vector<std::string>{"stop music", "music " + Track(6)}));
  out.EndMusic();  // the new track loops
  EXPECT_EQ(out.music.back(), Track(6));
  EXPECT_EQ(out.music.size(), 3u);
  out.events.clear();
  m.SetMusicTicked(false);
  m.SetMusicTicked(true);  // music is 6: stopped and started again
  EXPECT_EQ(out.events, (std::vector<std::string>{"stop music", "stop music", "music " + Track(6)}));
  m.Close();
  EXPECT_EQ(SoundDatText(), "volume=5&narration=1&bgm=6");
}

}  // namespace
}  // namespace vessaro
