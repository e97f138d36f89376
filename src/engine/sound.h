// The table's sound: the settings in System/Sound.dat, the voice and music folders, the narration
// and music channels with their flags, and the rules of the sound settings window. Playback goes
// through the SoundOut port; every playback error is the port's to swallow, so sound can never
// stop a round.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/files.h"
#include "common/ports.h"
#include "engine/table_session.h"

namespace vessaro {

struct SoundSettings {
  int volume = 5;     // 0 to 10; the output level is volume / 10
  int narration = 1;  // 0 none, 1 man, 2 woman, 3 child
  int music = 1;      // 0 none, otherwise the track 1 to 9
  bool operator==(const SoundSettings&) const = default;
};

fs::path SoundDatPath(const fs::path& program_folder);
// "volume=%d&narration=%d&bgm=%d"
std::string MakeSoundSettingsText(const SoundSettings& settings);
// The three fields with their keys removed, each read as a whole number (0 when it is not one).
// nullopt for a damaged text: fewer than three fields.
std::optional<SoundSettings> ParseSoundSettingsText(std::string_view text);
// nullopt when the file is missing or damaged (not hexadecimal, fewer than three fields).
std::optional<SoundSettings> ReadSoundSettings(const fs::path& program_folder);
void WriteSoundSettings(const fs::path& program_folder, const SoundSettings& settings);

// "01_man" for narration 0 or 1 (and any value that names no voice), "02_women", "03_child".
const char* VoiceSetName(int narration);
// sound/nomal below the program folder; the voice sets are folders inside it.
fs::path SoundBaseFolder(const fs::path& program_folder);
fs::path MusicFolder(const fs::path& program_folder);
fs::path MusicTrackFile(const fs::path& program_folder, int track);  // 00_BGM/nomal<k>.mp3

// The two channels and the settings behind them, one per table session. It listens to the port:
// the narration channel's finished flag and the music loop live here.
class TableSound : private SoundOut::Listener {
 public:
  TableSound(fs::path program_folder, SoundOut& out);
  ~TableSound() override;
  TableSound(const TableSound&) = delete;
  TableSound& operator=(const TableSound&) = delete;

  // The session's values when it is (re)initialised: defaults and the bare voice folder.
  void Reset();
  // Reads Sound.dat (writing the defaults when it is missing or damaged), applies the volume,
  // starts the music when asked and names the voice set in the voice folder if it names none.
  void LoadSoundSettings(bool start_music);

  // A call of the dealer by its file name without extension ("nomore", "p7", "bwin").
  void PlayNarration(std::string_view name);
  void PlayChipSound();
  void PlayMusic(int track);
  // Stops the music for good: the end the channel reports for it does not restart the track.
  void StopMusic();
  void SetVolume(int volume);

  const SoundSettings& settings() const { return settings_; }
  SoundSettings& mutable_settings() { return settings_; }
  const fs::path& voice_folder() const { return voice_folder_; }
  void set_voice_folder(fs::path folder) { voice_folder_ = std::move(folder); }
  fs::path VoiceFolderFor(int narration) const;
  const fs::path& program_folder() const { return program_folder_; }
  SoundOut& out() { return out_; }
  bool narration_finished() const { return narration_finished_; }
  bool music_stopping() const { return music_stopping_; }

 private:
  void NarrationEnded() override;
  void MusicEnded() override;

  fs::path program_folder_;
  SoundOut& out_;
  SoundSettings settings_;
  fs::path voice_folder_;
  fs::path music_file_;
  bool narration_finished_ = true;
  bool music_stopping_ = false;
};

// The rules of the sound settings window ("音声設定"): the state of its controls and the
// reaction to each change. The window only shows this state and forwards the user's changes.
class SoundSettingsDialogModel {
 public:
  static constexpr int kVoices = 3;
  static constexpr int kTracks = 9;

  explicit SoundSettingsDialogModel(TableSound& sound);

  // Fills the controls from the current output level and Sound.dat (or the defaults); filling
  // is not a change, so nothing reacts to it.
  void Open();

  void MoveVolume(int position);           // 0 to 10
  void ChooseVoice(int voice);             // 1 man, 2 woman, 3 child
  void SetNarrationTicked(bool ticked);
  void ChooseTrack(int track);             // 1 to 9
  void SetMusicTicked(bool ticked);
  // Closing: the settings take the controls' values and Sound.dat is written.
  void Close();

  int volume_position() const { return volume_position_; }
  bool narration_ticked() const { return narration_ticked_; }
  int voice() const { return voice_; }
  bool music_ticked() const { return music_ticked_; }
  int track() const { return track_; }

 private:
  TableSound& sound_;
  int volume_position_ = 5;
  bool narration_ticked_ = true;
  int voice_ = 1;
  bool music_ticked_ = true;
  int track_ = 1;
};

// The session's sound hooks, served by a TableSound.
class SoundSessionServices : public SessionServices {
 public:
  explicit SoundSessionServices(TableSound& sound) : sound_(sound) {}
  void ResetSound() override { sound_.Reset(); }
  void LoadSoundSettings(bool start_music) override { sound_.LoadSoundSettings(start_music); }
  int narration() const override { return sound_.settings().narration; }
  void PlayNarration(const std::string& name) override { sound_.PlayNarration(name); }
  void PlayChipSound() override { sound_.PlayChipSound(); }

 private:
  TableSound& sound_;
};

}  // namespace vessaro
