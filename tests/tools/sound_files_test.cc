// The sounds the build put into the program folder: every file the table plays is there, is a
// complete MP3 stream of the length the generator made, and sounds as intended (calls short enough
// for their pauses, three voices of clearly different pitch, music that lasts and loops quietly).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const fs::path kSoundDir = fs::path(VESSARO_PROGRAM_DIR) / "sound";
const fs::path kLengthList = VESSARO_SOUND_LIST;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

struct Mp3Info {
  std::string problem;  // empty when the file is a clean MP3 stream
  int frames = 0;       // audio frames, the LAME tag frame not counted
  int sample_rate = 0;
  int samples_per_frame = 0;
  int encoder_delay = -1;  // from the LAME tag
  int padding = -1;
  int64_t samples() const { return int64_t{frames} * samples_per_frame - encoder_delay - padding; }
};

// Walks the frames from the start (after an ID3v2 tag) to the end of the file (before an ID3v1
// tag): each header must be a valid MPEG audio layer III header of the first frame's version,
// rate and channels, and the frames must tile the file exactly.
Mp3Info ParseMp3(const std::string& b) {
  Mp3Info info;
  auto byte = [&](size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(b[i])); };
  size_t at = 0;
  if (b.size() >= 10 && b.compare(0, 3, "ID3") == 0)
    at = 10 + ((byte(6) << 21) | (byte(7) << 14) | (byte(8) << 7) | byte(9));
  size_t end = b.size();
  if (end >= 128 && b.compare(end - 128, 3, "TAG") == 0) end -= 128;
  static const int kRates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
  static const int kBitratesV1[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
  static const int kBitratesV2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
  unsigned first_version = 0, first_mode = 0;
  bool first = true;
  while (at < end) {
    if (at + 4 > end) {
      info.problem = "truncated frame header at byte " + std::to_string(at);
      return info;
    }
    const unsigned h1 = byte(at + 1), h2 = byte(at + 2), h3 = byte(at + 3);
    if (byte(at) != 0xFF || (h1 & 0xE0) != 0xE0) {
      info.problem = "no frame sync at byte " + std::to_string(at);
      return info;
    }
    const unsigned version = (h1 >> 3) & 3;  // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
    const unsigned layer = (h1 >> 1) & 3;    // 1: layer III
    const unsigned bitrate_index = h2 >> 4, rate_index = (h2 >> 2) & 3, pad = (h2 >> 1) & 1;
    const unsigned mode = h3 >> 6;
    if (version == 1 || layer != 1 || bitrate_index == 0 || bitrate_index == 15 || rate_index == 3) {
      info.problem = "invalid frame header at byte " + std::to_string(at);
      return info;
    }
    const bool mpeg1 = version == 3;
    const int rate = kRates[mpeg1 ? 0 : version == 2 ? 1 : 2][rate_index];
    const int bitrate = (mpeg1 ? kBitratesV1 : kBitratesV2)[bitrate_index] * 1000;
    const int spf = mpeg1 ? 1152 : 576;
    const size_t length = static_cast<size_t>(spf / 8 * bitrate / rate + pad);
    if (first) {
      first_version = version;
      first_mode = mode;
      info.sample_rate = rate;
      info.samples_per_frame = spf;
      // The first frame may be the Xing/Info frame that carries the LAME tag.
      const size_t side = mpeg1 ? (mode == 3 ? 17 : 32) : (mode == 3 ? 9 : 17);
      const size_t tag = at + 4 + side;
      if (tag + 8 <= end && (b.compare(tag, 4, "Info") == 0 || b.compare(tag, 4, "Xing") == 0)) {
        const unsigned flags = byte(tag + 7);
        size_t lame = tag + 8 + (flags & 1 ? 4 : 0) + (flags & 2 ? 4 : 0) + (flags & 4 ? 100 : 0) + (flags & 8 ? 4 : 0);
        if (lame + 24 <= end && b.compare(lame, 4, "LAME") == 0) {
          info.encoder_delay = static_cast<int>((byte(lame + 21) << 4) | (byte(lame + 22) >> 4));
          info.padding = static_cast<int>(((byte(lame + 22) & 0x0F) << 8) | byte(lame + 23));
        }
        first = false;
        at += length;
        continue;
      }
    } else if (version != first_version || rate != info.sample_rate || mode != first_mode) {
      info.problem = "frame at byte " + std::to_string(at) + " changes the stream's format";
      return info;
    }
    first = false;
    if (at + length > end) {
      info.problem = "last frame cut short";
      return info;
    }
    ++info.frames;
    at += length;
  }
  if (info.frames == 0) info.problem = "no audio frames";
  if (info.encoder_delay < 0) info.problem = "no LAME tag with the encoder delay";
  return info;
}

// The file decoded to 16-bit samples (left channel, or the mono channel) with lame's decoder.
std::vector<float> Decode(const fs::path& mp3) {
  const fs::path wav = fs::temp_directory_path() / ("vessaro_sound_test_" + std::to_string(::getpid()) + ".wav");
  const std::string command = "lame --decode --quiet '" + mp3.string() + "' '" + wav.string() + "'";
  std::vector<float> out;
  if (std::system(command.c_str()) != 0) return out;
  const std::string b = ReadBytes(wav);
  fs::remove(wav);
  size_t at = 12;
  int channels = 1;
  while (at + 8 <= b.size()) {
    const std::string id = b.substr(at, 4);
    uint32_t size = 0;
    for (int i = 3; i >= 0; --i) size = (size << 8) | static_cast<unsigned char>(b[at + 4 + i]);
    if (id == "fmt ") channels = static_cast<unsigned char>(b[at + 10]);
    if (id == "data") {
      for (size_t i = at + 8; i + 2 * channels <= std::min<size_t>(b.size(), at + 8 + size); i += 2 * channels)
        out.push_back(static_cast<int16_t>(static_cast<unsigned char>(b[i]) | (static_cast<unsigned char>(b[i + 1]) << 8)) /
                      32768.0f);
      break;
    }
    at += 8 + size + (size & 1);
  }
  return out;
}

float Peak(const std::vector<float>& s, size_t from, size_t to) {
  float p = 0;
  for (size_t i = from; i < std::min(to, s.size()); ++i) p = std::max(p, std::fabs(s[i]));
  return p;
}

// The median fundamental of the voiced parts, by autocorrelation over 40 ms windows.
double MedianPitch(const std::vector<float>& s, int rate) {
  const size_t window = rate / 25;
  const float loud = Peak(s, 0, s.size()) * 0.25f;
  std::vector<double> pitches;
  for (size_t start = 0; start + window + rate / 60 < s.size(); start += window / 2) {
    if (Peak(s, start, start + window) < loud) continue;
    double best = 0, energy = 0;
    int best_lag = 0;
    for (size_t i = 0; i < window; ++i) energy += s[start + i] * s[start + i];
    for (int lag = rate / 500; lag <= rate / 60; ++lag) {
      double c = 0;
      for (size_t i = 0; i < window; ++i) c += s[start + i] * s[start + i + lag];
      if (c > best) {
        best = c;
        best_lag = lag;
      }
    }
    if (best_lag > 0 && best > 0.5 * energy) pitches.push_back(static_cast<double>(rate) / best_lag);
  }
  if (pitches.empty()) return 0;
  std::sort(pitches.begin(), pitches.end());
  return pitches[pitches.size() / 2];
}

struct Listed {
  int64_t samples = 0;
  int rate = 0;
};

std::map<std::string, Listed> ReadList() {
  std::map<std::string, Listed> list;
  std::ifstream in(kLengthList);
  std::string name;
  Listed l;
  while (in >> name >> l.samples >> l.rate) list[name] = l;
  return list;
}

const char* const kVoiceSets[] = {"01_man", "02_women", "03_child"};

std::vector<std::string> CallNames() {
  std::vector<std::string> names{"nomore", "pwin", "bwin", "tie", "chip"};
  for (char side : {'p', 'b'})
    for (int i = 0; i <= 9; ++i) names.push_back(std::string(1, side) + std::to_string(i));
  return names;
}

TEST(SoundFiles, EveryFileIsACompleteMp3OfItsListedLength) {
  const auto list = ReadList();
  std::vector<std::string> expected;
  for (const char* set : kVoiceSets)
    for (const std::string& name : CallNames()) expected.push_back(std::string("nomal/") + set + "/" + name + ".mp3");
  for (int k = 1; k <= 9; ++k) expected.push_back("nomal/00_BGM/nomal" + std::to_string(k) + ".mp3");
  ASSERT_EQ(list.size(), expected.size()) << "length list " << kLengthList;
  for (const std::string& name : expected) {
    SCOPED_TRACE(name);
    auto it = list.find(name);
    ASSERT_NE(it, list.end()) << "not in the length list";
    const Mp3Info mp3 = ParseMp3(ReadBytes(kSoundDir / name));
    ASSERT_EQ(mp3.problem, "");
    EXPECT_EQ(mp3.sample_rate, it->second.rate);
    // The LAME tag lets a player trim the encoder's delay and padding: what remains is exactly
    // what the generator made.
    EXPECT_EQ(mp3.samples(), it->second.samples);
  }
}

TEST(SoundFiles, CallsFitTheirPausesAndMusicLastsHalfAMinute) {
  for (const auto& [name, l] : ReadList()) {
    SCOPED_TRACE(name);
    const double seconds = static_cast<double>(l.samples) / l.rate;
    if (name.find("00_BGM") != std::string::npos) {
      EXPECT_GE(seconds, 30.0);
      EXPECT_LE(seconds, 60.0);
    } else if (name.find("/chip.mp3") != std::string::npos) {
      EXPECT_GE(seconds, 0.1);
      EXPECT_LE(seconds, 0.5);
    } else {
      // A total or the winner is followed by a 2 s pause (2.5 s for the child): the call must end
      // before the next one cuts it off.
      EXPECT_GE(seconds, 0.3);
      EXPECT_LE(seconds, 1.9);
    }
  }
}

TEST(SoundFiles, CallsAreAudibleAndTheThreeVoicesDifferInPitch) {
  std::vector<double> pitches;
  for (const char* set : kVoiceSets) {
    for (const std::string& name : CallNames()) {
      SCOPED_TRACE(std::string(set) + "/" + name);
      const std::vector<float> s = Decode(kSoundDir / "nomal" / set / (name + ".mp3"));
      ASSERT_FALSE(s.empty());
      EXPECT_GT(Peak(s, 0, s.size()), 0.5f);  // levelled near full scale, not a whisper
    }
    pitches.push_back(MedianPitch(Decode(kSoundDir / "nomal" / set / "nomore.mp3"), 44100));
  }
  // Man below woman below child, each clearly apart.
  EXPECT_GT(pitches[0], 70);
  EXPECT_GT(pitches[1], pitches[0] * 1.25) << pitches[0] << " " << pitches[1];
  EXPECT_GT(pitches[2], pitches[1] * 1.15) << pitches[1] << " " << pitches[2];
}

TEST(SoundFiles, MusicStartsAndEndsInSilenceSoItLoopsWithoutAClick) {
  for (int k = 1; k <= 9; ++k) {
    SCOPED_TRACE(k);
    const std::vector<float> s = Decode(kSoundDir / "nomal/00_BGM" / ("nomal" + std::to_string(k) + ".mp3"));
    ASSERT_GT(s.size(), 44100u * 30);
    const size_t edge = 44100 / 200;  // 5 ms
    EXPECT_LT(Peak(s, 0, edge), 0.01f);
    EXPECT_LT(Peak(s, s.size() - edge, s.size()), 0.01f);
    EXPECT_GT(Peak(s, 0, s.size()), 0.1f);
    // No stretch of silence inside the music: every second has something playing.
    for (size_t second = 0; second + 2 < s.size() / 44100; ++second)
      EXPECT_GT(Peak(s, second * 44100, (second + 1) * 44100), 0.02f) << "second " << second;
  }
}

}  // namespace
