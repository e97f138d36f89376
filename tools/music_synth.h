// The table's background music and its chip sound, synthesised at build time: a small jazz combo
// (electric piano, bass, vibraphone or flute, brushes and cymbals) with a little room reverb.
// Plain C++: the program that calls it encodes the samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vessaro::tools {

constexpr int kSampleRate = 44100;
constexpr int kMusicTracks = 9;

struct StereoSamples {
  std::vector<float> left;
  std::vector<float> right;
  size_t frames() const { return left.size(); }
};

struct TrackStyle {
  const char* name;  // for the build's log
  double seconds;    // the length the arrangement comes to
};

// Track 1 to 9 of the music folder. Each is at least 30 s long, ends on its tonic chord and
// fades to silence at both ends, so it repeats without a click however the player restarts it.
StereoSamples RenderMusicTrack(int track);
TrackStyle DescribeMusicTrack(int track);

// Two clay chips knocking together, about a quarter of a second.
StereoSamples RenderChipSound();

// 16-bit PCM WAV with the given number of channels (1: the left channel alone).
std::string EncodeWav(const StereoSamples& samples, int channels);

// Samples and rate of a 16-bit PCM WAV file's bytes; false when it is not one.
bool ReadWavLength(const std::string& bytes, int64_t& frames, int& rate);
// The samples of a 16-bit PCM WAV file (a mono file fills both channels); false when it is not one.
bool DecodeWav(const std::string& bytes, StereoSamples& samples, int& rate);

// A spoken call made ready to play: silence cut off both ends (keeping a breath before the
// voice), levelled to -1 dBFS, soft edges and a little space around it.
StereoSamples ShapeCall(const StereoSamples& voice);

}  // namespace vessaro::tools
