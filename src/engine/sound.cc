#include "engine/sound.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/format.h"
#include "common/hex.h"
#include "common/text.h"

namespace vessaro {
namespace {

constexpr std::array<std::string_view, 3> kKeys = {"volume=", "narration=", "bgm="};
constexpr std::array<const char*, 3> kVoiceSets = {"01_man", "02_women", "03_child"};

// A whole number in int range, 0 otherwise (as an unreadable field reads).
int FieldNumber(std::string_view text) {
  long long v = ToIntDef(text, 0);
  return v < -2147483647 || v > 2147483647 ? 0 : static_cast<int>(v);
}

bool NamesVoiceSet(const fs::path& folder) {
  const std::string last = folder.filename().string();
  return std::find(kVoiceSets.begin(), kVoiceSets.end(), last) != kVoiceSets.end();
}

}  // namespace

fs::path SoundDatPath(const fs::path& program_folder) { return program_folder / "System" / "Sound.dat"; }

std::string MakeSoundSettingsText(const SoundSettings& s) {
  return Format("volume=%d&narration=%d&bgm=%d", s.volume, s.narration, s.music);
}

std::optional<SoundSettings> ParseSoundSettingsText(std::string_view text) {
  SplitResult split = SplitFields(text, 0, "&");
  if (split.fields.size() < kKeys.size()) return std::nullopt;
  SoundSettings s;
  s.volume = FieldNumber(RemoveAll(split.fields[0], kKeys[0]));
  s.narration = FieldNumber(RemoveAll(split.fields[1], kKeys[1]));
  s.music = FieldNumber(RemoveAll(split.fields[2], kKeys[2]));
  return s;
}

std::optional<SoundSettings> ReadSoundSettings(const fs::path& program_folder) {
  const fs::path path = SoundDatPath(program_folder);
  if (!FileExists(path)) return std::nullopt;
  auto text = HexDecodeText(ReadWholeFile(path));
  if (!text) return std::nullopt;
  return ParseSoundSettingsText(*text);
}

void WriteSoundSettings(const fs::path& program_folder, const SoundSettings& settings) {
  const fs::path path = SoundDatPath(program_folder);
  EnsureFolder(path.parent_path());
  WriteWholeFile(path, HexEncodeText(MakeSoundSettingsText(settings)));
}

const char* VoiceSetName(int narration) {
  if (narration == 2 || narration == 3) return kVoiceSets[narration - 1];
  return kVoiceSets[0];
}

fs::path SoundBaseFolder(const fs::path& program_folder) { return program_folder / "sound" / "nomal"; }

fs::path MusicFolder(const fs::path& program_folder) { return SoundBaseFolder(program_folder) / "00_BGM"; }

fs::path MusicTrackFile(const fs::path& program_folder, int track) {
  return MusicFolder(program_folder) / Format("nomal%d.mp3", track);
}

TableSound::TableSound(fs::path program_folder, SoundOut& out)
    : program_folder_(std::move(program_folder)), out_(out) {
  Reset();
  out_.set_listener(this);
}

TableSound::~TableSound() { out_.set_listener(nullptr); }

void TableSound::Reset() {
  settings_ = SoundSettings{};
  voice_folder_ = SoundBaseFolder(program_folder_);
}

fs::path TableSound::VoiceFolderFor(int narration) const {
  return SoundBaseFolder(program_folder_) / VoiceSetName(narration);
}

void TableSound::LoadSoundSettings(bool start_music) {
  if (auto read = ReadSoundSettings(program_folder_)) {
    settings_ = *read;
  } else {
    settings_ = SoundSettings{};
    // Sound must never keep the table from starting: a folder that cannot take the file only
    // means the defaults are written again next time.
    try {
      WriteSoundSettings(program_folder_, settings_);
    } catch (const IoError&) {
    }
  }
  SetVolume(settings_.volume);
  if (settings_.music != 0 && start_music) PlayMusic(settings_.music);
  if (!NamesVoiceSet(voice_folder_)) voice_folder_ /= VoiceSetName(settings_.narration);
}

void TableSound::SetVolume(int volume) {
  out_.SetOutputLevel(std::clamp(volume, 0, 10) / 10.0);
}

void TableSound::PlayNarration(std::string_view name) {
  // One call at a time: a new one cuts off the one still speaking.
  if (!narration_finished_) out_.StopNarration();
  narration_finished_ = false;
  out_.PlayNarration((voice_folder_ / (std::string(name) + ".mp3")).string());
}

void TableSound::PlayChipSound() { PlayNarration("chip"); }

void TableSound::PlayMusic(int track) {
  // A stop that had nothing to stop reported no end; its flag must not swallow the end of this
  // track, or the music would play once and fall silent.
  music_stopping_ = false;
  music_file_ = MusicTrackFile(program_folder_, track);
  out_.PlayMusic(music_file_.string());
}

void TableSound::StopMusic() {
  music_stopping_ = true;
  out_.StopMusic();
}

void TableSound::NarrationEnded() { narration_finished_ = true; }

void TableSound::MusicEnded() {
  if (music_stopping_) {
    music_stopping_ = false;
    return;
  }
  if (!music_file_.empty()) out_.PlayMusic(music_file_.string());
}

SoundSettingsDialogModel::SoundSettingsDialogModel(TableSound& sound) : sound_(sound) {}

void SoundSettingsDialogModel::Open() {
  const double level = sound_.out().OutputLevel();
  volume_position_ = level < 0 ? std::clamp(sound_.settings().volume, 0, 10)
                               : std::clamp(static_cast<int>(std::lround(level * 10)), 0, 10);
  narration_ticked_ = true;
  voice_ = 1;
  music_ticked_ = true;
  track_ = 1;
  if (auto file = ReadSoundSettings(sound_.program_folder())) {
    narration_ticked_ = file->narration != 0;
    if (file->narration >= 1 && file->narration <= kVoices) voice_ = file->narration;
    music_ticked_ = file->music != 0;
    if (file->music >= 1 && file->music <= kTracks) track_ = file->music;
  }
}

void SoundSettingsDialogModel::MoveVolume(int position) {
  volume_position_ = std::clamp(position, 0, 10);
  sound_.SetVolume(volume_position_);
}

void SoundSettingsDialogModel::ChooseVoice(int voice) {
  if (!narration_ticked_ || voice < 1 || voice > kVoices) return;
  voice_ = voice;
  sound_.set_voice_folder(sound_.VoiceFolderFor(voice));
  sound_.PlayNarration("nomore");
  sound_.mutable_settings().narration = voice;
}

void SoundSettingsDialogModel::SetNarrationTicked(bool ticked) {
  if (ticked == narration_ticked_) return;
  narration_ticked_ = ticked;
  if (!ticked) return;
  sound_.set_voice_folder(sound_.VoiceFolderFor(voice_));
  sound_.PlayNarration("nomore");
}

void SoundSettingsDialogModel::ChooseTrack(int track) {
  if (!music_ticked_ || track < 1 || track > kTracks) return;
  track_ = track;
  sound_.mutable_settings().music = track;
  sound_.StopMusic();
  sound_.PlayMusic(track);
}

void SoundSettingsDialogModel::SetMusicTicked(bool ticked) {
  if (ticked == music_ticked_) return;
  music_ticked_ = ticked;
  SoundSettings& s = sound_.mutable_settings();
  if (ticked) {
    if (s.music != 0) {
      sound_.StopMusic();
    } else {
      s.music = 1;
      track_ = 1;
    }
    sound_.PlayMusic(s.music);
  } else if (s.music != 0) {
    sound_.StopMusic();
  }
}

void SoundSettingsDialogModel::Close() {
  SoundSettings& s = sound_.mutable_settings();
  s.volume = volume_position_;
  s.narration = narration_ticked_ ? voice_ : 0;
  s.music = music_ticked_ ? track_ : 0;
  WriteSoundSettings(sound_.program_folder(), s);
}

}  // namespace vessaro
