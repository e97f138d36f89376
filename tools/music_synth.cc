#include "music_synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string_view>

namespace vessaro::tools {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;
constexpr double kDt = 1.0 / kSampleRate;

double MidiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

// SplitMix64: the same notes and noise on every build.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  int Below(int n) { return std::min(n - 1, static_cast<int>(Uniform() * n)); }
  bool Chance(double p) { return Uniform() < p; }
  double Noise() { return Uniform() * 2 - 1; }

 private:
  uint64_t state_;
};

// Topology-preserving state-variable filter (lowpass, bandpass and highpass at once).
class Svf {
 public:
  Svf(double cutoff, double q) {
    const double g = std::tan(kPi * std::min(cutoff, 0.45 * kSampleRate) / kSampleRate);
    const double k = 1.0 / q;
    a1_ = 1.0 / (1.0 + g * (g + k));
    a2_ = g * a1_;
    a3_ = g * a2_;
    k_ = k;
  }
  void Process(double x) {
    const double v3 = x - ic2_;
    const double v1 = a1_ * ic1_ + a2_ * v3;
    const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2 * v1 - ic1_;
    ic2_ = 2 * v2 - ic2_;
    low = v2;
    band = v1;
    high = x - k_ * v1 - v2;
  }
  double low = 0, band = 0, high = 0;

 private:
  double a1_, a2_, a3_, k_;
  double ic1_ = 0, ic2_ = 0;
};

double Attack(double t, double length) { return t < length ? t / length : 1.0; }
// 1 while the key is down, then a smooth fall that reaches silence at release.
double Release(double t, double held, double release) {
  if (t <= held) return 1.0;
  const double x = (t - held) / release;
  return x >= 1 ? 0.0 : (1 - x) * (1 - x) * (1 - x);
}

// Sine of any phase to about 0.1 %: plenty for music, and far cheaper than std::sin in the
// phase-modulated voices.
double FastSin(double phase) {
  double x = phase * (1.0 / kTwoPi);
  x -= std::floor(x + 0.5);  // -0.5 .. 0.5 of a turn
  double y = 8 * x - 16 * x * std::fabs(x);
  return 0.225 * (y * std::fabs(y) - y) + y;
}

// A sine wave by rotating a phasor: one multiply-add per sample.
class Osc {
 public:
  explicit Osc(double hz) : wc_(std::cos(kTwoPi * hz * kDt)), ws_(std::sin(kTwoPi * hz * kDt)) {}
  double Next() {
    const double v = s_;
    const double c = c_ * wc_ - s_ * ws_;
    s_ = c_ * ws_ + s_ * wc_;
    c_ = c;
    return v;
  }

 private:
  double c_ = 1, s_ = 0;
  double wc_, ws_;
};

// exp(-t / tau), one sample at a time.
class Decay {
 public:
  explicit Decay(double tau) : k_(std::exp(-kDt / tau)) {}
  double Next() {
    const double v = v_;
    v_ *= k_;
    return v;
  }

 private:
  double v_ = 1, k_;
};

// A mono voice added to the stereo mix at a position.
class Mix {
 public:
  explicit Mix(size_t frames) : left_(frames, 0.f), right_(frames, 0.f) {}
  size_t frames() const { return left_.size(); }

  // voice(t) is called once for each sample in order, so voices may keep state.
  template <typename Voice>
  void Add(double start, double length, double pan, double gain, Voice&& voice) {
    if (start < 0) start = 0;
    const size_t first = static_cast<size_t>(start * kSampleRate);
    const size_t count = static_cast<size_t>(length * kSampleRate);
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1) * kPi / 4;
    const double gl = gain * std::cos(angle) * std::sqrt(2.0);
    const double gr = gain * std::sin(angle) * std::sqrt(2.0);
    for (size_t i = 0; i < count && first + i < left_.size(); ++i) {
      const double s = voice(i * kDt);
      left_[first + i] += static_cast<float>(s * gl);
      right_[first + i] += static_cast<float>(s * gr);
    }
  }

  std::vector<float>& left() { return left_; }
  std::vector<float>& right() { return right_; }

 private:
  std::vector<float> left_, right_;
};

// ---- Instruments: each gives the samples of one note from its start. ----

// Electric piano: two-operator FM with a bright attack that mellows, and a short tine.
auto EPiano(double note, double held, double velocity) {
  const double f = MidiToHz(note);
  const double decay = std::clamp(1.7 * std::pow(261.6 / f, 0.4), 0.6, 3.0);
  Osc modulator(f), tine(f * 7.0);
  Decay body(decay), bright(0.3), tine_decay(0.025);
  double phase = 0;
  const double step = kTwoPi * f * kDt;
  return [=](double t) mutable {
    const double env = Attack(t, 0.003) * body.Next() * Release(t, held, 0.18);
    const double index = (0.5 + 1.3 * velocity) * bright.Next() + 0.25;
    const double s = FastSin(phase + index * modulator.Next());
    phase += step;
    return env * velocity * (s + 0.10 * velocity * tine_decay.Next() * tine.Next());
  };
}

// Upright-like bass: a round fundamental, overtones that fade first, a soft finger pluck.
auto Bass(double note, double held, double velocity) {
  const double f = MidiToHz(note);
  Osc h1(f), h2(2 * f), h3(3 * f), h5(5 * f);
  Decay body(1.4), d2(0.35), d3(0.18), d5(0.012);
  return [=](double t) mutable {
    const double env = Attack(t, 0.008) * body.Next() * Release(t, held, 0.08);
    const double s = h1.Next() + 0.45 * d2.Next() * h2.Next() + 0.18 * d3.Next() * h3.Next() +
                     0.12 * d5.Next() * h5.Next();
    return env * velocity * s;
  };
}

// Vibraphone: a pure bar tone with its fourth-harmonic partner and the motor's tremolo.
auto Vibes(double note, double held, double velocity) {
  const double f = MidiToHz(note);
  Osc h1(f), h4(4 * f), h10(9.9 * f), motor(5.3);
  Decay body(2.2), d4(0.35), d10(0.04);
  return [=](double t) mutable {
    const double env = Attack(t, 0.002) * body.Next() * Release(t, held, 0.35);
    const double tremolo = 1 - 0.2 * (0.5 + 0.5 * motor.Next());
    const double s = h1.Next() + 0.2 * d4.Next() * h4.Next() + 0.05 * d10.Next() * h10.Next();
    return env * tremolo * velocity * s;
  };
}

// Flute: a breathy, gently swelling tone whose vibrato comes in late.
auto Flute(double note, double held, double velocity, uint64_t seed) {
  const double f = MidiToHz(note);
  Svf breath_filter(2800, 0.8);
  Random noise(seed);
  Osc vibrato(5.0);
  Decay swell(0.15), onset(0.045);
  double phase = 0;
  return [=](double t) mutable {
    const double env = (0.75 + 0.25 * swell.Next()) * (1 - onset.Next()) * Release(t, held, 0.14);
    const double depth = 0.0045 * std::clamp((t - 0.2) / 0.4, 0.0, 1.0);
    phase += kTwoPi * f * (1 + depth * vibrato.Next()) * kDt;
    breath_filter.Process(noise.Noise());
    const double s = FastSin(phase) + 0.16 * FastSin(2 * phase) + 0.05 * FastSin(3 * phase) +
                     0.35 * breath_filter.band;
    return env * velocity * s;
  };
}

// Ride cymbal: a wash of bright noise over a dense, quickly fading cluster of metallic partials
// (few partials ringing long would sound like a bell, not a cymbal).
auto Ride(double velocity, uint64_t seed) {
  Svf filter(6500, 0.6);
  Random noise(seed);
  static constexpr std::array<double, 8> kPartials = {2960, 3410, 3870, 4520, 5230, 5890, 6770, 7640};
  std::array<Osc, 8> metal = {Osc(kPartials[0]), Osc(kPartials[1]), Osc(kPartials[2]), Osc(kPartials[3]),
                              Osc(kPartials[4]), Osc(kPartials[5]), Osc(kPartials[6]), Osc(kPartials[7])};
  Decay wash(0.45), ping(0.03), ring(0.12);
  return [=](double) mutable {
    filter.Process(noise.Noise());
    double m = 0;
    for (Osc& o : metal) m += o.Next();
    const double env = 0.7 * wash.Next() + 0.3 * ping.Next();
    return velocity * (env * 0.8 * filter.high + 0.03 * ring.Next() * m);
  };
}

auto HiHat(double velocity, uint64_t seed) {
  Svf filter(8000, 0.7);
  Random noise(seed);
  Decay decay(0.035);
  return [=](double t) mutable {
    filter.Process(noise.Noise());
    return velocity * Attack(t, 0.002) * decay.Next() * filter.high;
  };
}

// Brush on the snare: a soft band of noise, slow to speak and quick to die.
auto Brush(double velocity, double tau, uint64_t seed) {
  Svf filter(2600, 0.7);
  Random noise(seed);
  Decay decay(tau);
  return [=](double t) mutable {
    filter.Process(noise.Noise());
    return velocity * Attack(t, 0.012) * decay.Next() * filter.band;
  };
}

auto Kick(double velocity) {
  Decay body(0.16), sweep(0.035);
  double phase = 0;
  return [=](double t) mutable {
    phase += kTwoPi * (48 + 60 * sweep.Next()) * kDt;
    return velocity * body.Next() * Attack(t, 0.003) * FastSin(phase);
  };
}

auto Rim(double velocity, uint64_t seed) {
  Random noise(seed);
  Osc high(1750), low(820);
  Decay dh(0.012), dl(0.02), dn(0.003);
  return [=](double) mutable {
    return velocity * (0.6 * dh.Next() * high.Next() + 0.4 * dl.Next() * low.Next() + 0.3 * dn.Next() * noise.Noise());
  };
}

auto Shaker(double velocity, uint64_t seed) {
  Svf filter(6000, 0.8);
  Random noise(seed);
  Decay decay(0.045);
  return [=](double t) mutable {
    filter.Process(noise.Noise());
    return velocity * Attack(t, 0.015) * decay.Next() * filter.high;
  };
}

// ---- Harmony ----

enum class Quality { kMaj7, kMaj6, kDom7, kMin7, kMin6, kHalfDim, kDim7, kDom7b9 };

struct Chord {
  int root = 0;  // pitch class 0 (C) to 11
  Quality quality = Quality::kMaj7;
  double start = 0;   // beats from the start of the track
  double length = 0;  // beats
};

std::vector<int> ChordTones(Quality q) {
  switch (q) {
    case Quality::kMaj7: return {0, 4, 7, 11};
    case Quality::kMaj6: return {0, 4, 7, 9};
    case Quality::kDom7: return {0, 4, 7, 10};
    case Quality::kMin7: return {0, 3, 7, 10};
    case Quality::kMin6: return {0, 3, 7, 9};
    case Quality::kHalfDim: return {0, 3, 6, 10};
    case Quality::kDim7: return {0, 3, 6, 9};
    case Quality::kDom7b9: return {0, 4, 7, 10};
  }
  return {0, 4, 7};
}

// The piano's rootless voicing: third and seventh with colour tones (the bass has the root).
std::vector<int> VoicingTones(Quality q) {
  switch (q) {
    case Quality::kMaj7: return {4, 7, 11, 14};
    case Quality::kMaj6: return {4, 7, 9, 14};
    case Quality::kDom7: return {4, 9, 10, 14};
    case Quality::kMin7: return {3, 7, 10, 14};
    case Quality::kMin6: return {3, 7, 9, 14};
    case Quality::kHalfDim: return {3, 6, 10, 12};
    case Quality::kDim7: return {0, 3, 6, 9};
    case Quality::kDom7b9: return {4, 7, 10, 13};
  }
  return {0, 4, 7};
}

std::vector<int> ScaleTones(Quality q) {
  switch (q) {
    case Quality::kMaj7:
    case Quality::kMaj6: return {0, 2, 4, 7, 9, 11};  // no fourth: it rubs against the third
    case Quality::kDom7: return {0, 2, 4, 7, 9, 10};
    case Quality::kMin7:
    case Quality::kMin6: return {0, 2, 3, 5, 7, 9, 10};
    case Quality::kHalfDim: return {0, 3, 5, 6, 8, 10};
    case Quality::kDim7: return {0, 2, 3, 5, 6, 8, 9, 11};
    case Quality::kDom7b9: return {0, 1, 4, 5, 7, 8, 10};
  }
  return {0, 2, 4, 5, 7, 9, 11};
}

bool InSet(int note, int root, const std::vector<int>& set) {
  const int pc = ((note - root) % 12 + 12) % 12;
  for (int s : set)
    if (s % 12 == pc) return true;
  return false;
}

// The note of the set nearest to `near` (ties go up).
int Nearest(int near, int root, const std::vector<int>& set) {
  for (int d = 0; d < 12; ++d) {
    if (InSet(near + d, root, set)) return near + d;
    if (InSet(near - d, root, set)) return near - d;
  }
  return near;
}

// One bar of a progression: "IIm7 V7" is two chords of two beats. Numerals count from the tonic
// (b and # before them lower or raise), the rest names the chord: maj7, 6, 7, m7, m6, m7b5, o7, 7b9.
std::vector<Chord> ParseProgression(std::string_view text, int key, int beats_per_bar, double first_beat) {
  std::vector<Chord> chords;
  double bar_start = first_beat;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t bar_end = text.find('|', pos);
    if (bar_end == std::string_view::npos) bar_end = text.size();
    std::string_view bar = text.substr(pos, bar_end - pos);
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (i < bar.size()) {
      while (i < bar.size() && bar[i] == ' ') ++i;
      size_t j = i;
      while (j < bar.size() && bar[j] != ' ') ++j;
      if (j > i) tokens.push_back(bar.substr(i, j - i));
      i = j;
    }
    const double each = static_cast<double>(beats_per_bar) / std::max<size_t>(1, tokens.size());
    for (size_t t = 0; t < tokens.size(); ++t) {
      std::string_view token = tokens[t];
      int shift = 0;
      if (!token.empty() && token[0] == 'b') { shift = -1; token.remove_prefix(1); }
      if (!token.empty() && token[0] == '#') { shift = 1; token.remove_prefix(1); }
      size_t n = 0;
      while (n < token.size() && (token[n] == 'I' || token[n] == 'V')) ++n;
      const std::string_view numeral = token.substr(0, n);
      const std::string_view kind = token.substr(n);
      static constexpr std::array<std::pair<std::string_view, int>, 7> kNumerals = {
          {{"I", 0}, {"II", 2}, {"III", 4}, {"IV", 5}, {"V", 7}, {"VI", 9}, {"VII", 11}}};
      int degree = 0;
      for (const auto& [name, semitones] : kNumerals)
        if (name == numeral) degree = semitones;
      Quality q = Quality::kMaj7;
      if (kind == "6") q = Quality::kMaj6;
      else if (kind == "7") q = Quality::kDom7;
      else if (kind == "m7") q = Quality::kMin7;
      else if (kind == "m6") q = Quality::kMin6;
      else if (kind == "m7b5") q = Quality::kHalfDim;
      else if (kind == "o7") q = Quality::kDim7;
      else if (kind == "7b9") q = Quality::kDom7b9;
      chords.push_back(Chord{((key + degree + shift) % 12 + 12) % 12, q, bar_start + t * each, each});
    }
    bar_start += beats_per_bar;
    pos = bar_end + 1;
  }
  return chords;
}

const Chord& ChordAt(const std::vector<Chord>& chords, double beat) {
  for (const Chord& c : chords)
    if (beat < c.start + c.length - 1e-9) return c;
  return chords.back();
}

// Close voicing of the chord nearest to the previous one, its lowest note between low and low + 12.
std::vector<int> Voice(const Chord& chord, const std::vector<int>& previous, int low) {
  std::vector<int> best;
  double best_cost = 1e9;
  for (int bottom = low; bottom < low + 12; ++bottom) {
    if (!InSet(bottom, chord.root, VoicingTones(chord.quality))) continue;
    std::vector<int> notes{bottom};
    for (int n = bottom + 1; notes.size() < VoicingTones(chord.quality).size() && n < bottom + 24; ++n) {
      if (InSet(n, chord.root, VoicingTones(chord.quality)) &&
          std::find_if(notes.begin(), notes.end(), [&](int m) { return (m - n) % 12 == 0; }) == notes.end())
        notes.push_back(n);
    }
    double cost = 0;
    if (previous.empty()) {
      cost = std::abs((notes.front() + notes.back()) / 2.0 - (low + 9));
    } else {
      for (size_t i = 0; i < notes.size() && i < previous.size(); ++i) cost += std::abs(notes[i] - previous[i]);
    }
    if (cost < best_cost) {
      best_cost = cost;
      best = notes;
    }
  }
  return best;
}

int BassNote(int root, int previous) {
  int note = 36 + root;  // C2 .. B2
  if (previous > 0) {
    while (note - previous > 6 && note - 12 >= 31) note -= 12;
    while (previous - note > 6 && note + 12 <= 50) note += 12;
  }
  return note;
}

// ---- Arrangement ----

enum class Feel { kSwing, kBossa, kBallad, kWaltz };
enum class Lead { kVibes, kFlute };

struct TrackPlan {
  const char* name;
  Feel feel;
  int key;  // pitch class of the tonic
  double bpm;
  Lead lead;
  const char* form;    // the chorus, ending on a turnaround back to its first bar
  const char* ending;  // the last bar: the tonic, left to ring
};

constexpr std::array<TrackPlan, kMusicTracks> kPlans = {{
    {"swing in F", Feel::kSwing, 5, 120, Lead::kVibes,
     "Imaj7 | VI7 | IIm7 | V7 | IIIm7 | VI7 | IIm7 | V7 | Imaj7 | I7 | IVmaj7 | IVm7 bVII7 | IIIm7 | VI7 | "
     "IIm7 | V7",
     "I6"},
    {"bossa nova in C", Feel::kBossa, 0, 126, Lead::kFlute,
     "Imaj7 | Imaj7 | II7 | II7 | IIm7 | bII7 | Imaj7 | bII7 | IVmaj7 | IVmaj7 | bVII7 | bVII7 | IIIm7 | VI7 | "
     "IIm7 | V7",
     "Imaj7"},
    {"ballad in E flat", Feel::kBallad, 3, 68, Lead::kVibes,
     "Imaj7 | VIm7 | IIm7 | V7 | IIIm7 VI7 | IIm7 V7 | Imaj7 IVmaj7 | IIm7 V7", "I6"},
    {"minor bossa in A", Feel::kBossa, 9, 116, Lead::kVibes,
     "Im7 | Im7 | IVm7 | IVm7 | IIm7b5 | V7b9 | Im7 | V7b9", "Im6"},
    {"up-tempo swing in B flat", Feel::kSwing, 10, 152, Lead::kVibes,
     "Imaj7 VIm7 | IIm7 V7 | IIIm7 VI7 | IIm7 V7 | I7 | IVmaj7 | IIIm7 VI7 | IIm7 V7", "I6"},
    {"bossa nova in G", Feel::kBossa, 7, 124, Lead::kFlute,
     "Imaj7 | IVm7 bVII7 | Imaj7 | bVImaj7 | IIm7 | bII7 | Imaj7 | V7", "Imaj7"},
    {"slow groove in D", Feel::kBallad, 2, 84, Lead::kFlute,
     "Imaj7 | IIIm7 VI7 | IIm7 | V7 | IVmaj7 | IVm6 | IIIm7 VI7 | IIm7 V7", "I6"},
    {"jazz waltz in D minor", Feel::kWaltz, 2, 160, Lead::kVibes,
     "Im7 | Im7 | IVm7 | IVm7 | bVII7 | bVII7 | bIIImaj7 | bVImaj7 | IIm7b5 | V7b9 | Im7 | Im7 | IIm7b5 | "
     "V7b9 | Im6 | V7b9",
     "Im6"},
    {"medium swing in D flat", Feel::kSwing, 1, 100, Lead::kFlute,
     "Imaj7 | Imaj7 | IIm7 | V7 | IIm7 | V7 | Imaj7 | VI7 | IIm7 | V7 | IIIm7 VI7 | IIm7 V7", "I6"},
}};

constexpr double kMinimumSeconds = 31.0;  // a little over the 30 s every track must last
constexpr double kLeadIn = 0.02;          // seconds of silence before the first downbeat
constexpr double kEndingSeconds = 2.4;    // at least this long for the last chord to ring out

int BeatsPerBar(const TrackPlan& plan) { return plan.feel == Feel::kWaltz ? 3 : 4; }
bool Swung(const TrackPlan& plan) { return plan.feel == Feel::kSwing || plan.feel == Feel::kWaltz; }

int CountBars(std::string_view form) { return static_cast<int>(std::count(form.begin(), form.end(), '|')) + 1; }

struct Layout {
  int choruses = 1;
  int form_bars = 0;
  int total_bars = 0;  // the choruses and the ending bar
  double beat_seconds = 0;
  double ending_seconds = 0;
  double seconds = 0;
};

Layout LayOut(const TrackPlan& plan) {
  Layout l;
  l.form_bars = CountBars(plan.form);
  l.beat_seconds = 60.0 / plan.bpm;
  const double bar = BeatsPerBar(plan) * l.beat_seconds;
  l.ending_seconds = std::max(bar, kEndingSeconds);
  while (kLeadIn + l.choruses * l.form_bars * bar + l.ending_seconds < kMinimumSeconds) ++l.choruses;
  l.total_bars = l.choruses * l.form_bars + 1;
  l.seconds = kLeadIn + l.choruses * l.form_bars * bar + l.ending_seconds;
  return l;
}

// Beat position of an eighth-note slot: the off-beat falls late when the music swings.
double EighthToBeat(int eighth, bool swung) { return eighth / 2 + (eighth % 2 ? (swung ? 2.0 / 3.0 : 0.5) : 0.0); }

struct Note {
  double beat;
  double length;  // beats
  int pitch;
  double velocity;
};

// The lead line: two-bar phrases built from two rhythmic motifs with an arching contour, chord
// tones on the strong beats and scale steps between them, each chorus closing on the tonic.
std::vector<Note> MakeMelody(const TrackPlan& plan, const Layout& layout, const std::vector<Chord>& chords,
                             Random& rng) {
  const int bpb = BeatsPerBar(plan);
  const bool swung = Swung(plan);
  const int low = plan.lead == Lead::kFlute ? 67 : 65;
  const int high = plan.lead == Lead::kFlute ? 86 : 84;
  const int phrase_eighths = 4 * bpb;  // two bars
  struct Motif {
    std::vector<int> onsets;  // eighth slots within the phrase
    std::vector<int> steps;   // scale steps from one note to the next
  };
  auto make_motif = [&](bool slow) {
    Motif m;
    const int span = phrase_eighths - (slow ? 5 : 3);  // leave room to breathe
    const int count = slow ? 3 + rng.Below(2) : 4 + rng.Below(3);
    std::vector<int> slots;
    for (int e = 0; e < span; ++e) {
      const bool strong = e % 2 == 0;
      if (rng.Chance(strong ? 0.55 : 0.35)) slots.push_back(e);
    }
    if (slots.empty() || slots.front() > 2) slots.insert(slots.begin(), rng.Chance(0.5) ? 0 : 1);
    while (static_cast<int>(slots.size()) > count) slots.erase(slots.begin() + 1 + rng.Below(static_cast<int>(slots.size()) - 1));
    m.onsets = slots;
    const int peak = static_cast<int>(slots.size()) / 2;
    for (size_t i = 1; i < slots.size(); ++i) {
      const int dir = static_cast<int>(i) <= peak ? 1 : -1;
      m.steps.push_back(dir * (rng.Chance(0.7) ? 1 : 2));
    }
    return m;
  };
  const bool slow = plan.feel == Feel::kBallad;
  const Motif a = make_motif(slow);
  const Motif b = make_motif(slow);
  const int phrases_per_chorus = std::max(1, layout.form_bars / 2);

  std::vector<Note> notes;
  int previous = (low + high) / 2;
  for (int chorus = 0; chorus < layout.choruses; ++chorus) {
    for (int p = 0; p < phrases_per_chorus; ++p) {
      const bool last = p == phrases_per_chorus - 1;
      const Motif& m = (p % 4 == 2) ? b : a;
      const double phrase_beat = (chorus * layout.form_bars + p * 2) * bpb;
      std::vector<int> onsets = m.onsets;
      if (last) onsets = {0, 2, 4, 6};  // the cadence: plain, then one long note
      int pitch = previous;
      for (size_t i = 0; i < onsets.size(); ++i) {
        const double beat = phrase_beat + EighthToBeat(onsets[i], swung);
        const Chord& chord = ChordAt(chords, beat);
        const bool strong = onsets[i] % 2 == 0;
        if (i == 0) {
          pitch = Nearest(previous + (rng.Chance(0.5) ? 2 : -2), chord.root, ChordTones(chord.quality));
        } else {
          const int step = last ? -1 : m.steps[std::min(i - 1, m.steps.size() - 1)];
          const std::vector<int> scale = ScaleTones(chord.quality);
          int n = pitch;
          for (int s = 0; s < std::abs(step); ++s) {
            n += step > 0 ? 1 : -1;
            while (!InSet(n, chord.root, scale)) n += step > 0 ? 1 : -1;
          }
          pitch = strong ? Nearest(n, chord.root, ChordTones(chord.quality)) : n;
        }
        if (pitch > high) pitch -= 12;
        if (pitch < low) pitch += 12;
        const double next = i + 1 < onsets.size() ? phrase_beat + EighthToBeat(onsets[i + 1], swung)
                                                  : beat + (last ? 2.5 : 1.5);
        double length = (next - beat) * 0.92;
        if (last && i + 1 == onsets.size()) {
          // The chorus closes on a tonic note (its root or third) under the turnaround.
          const Chord& tonic = chords.front();
          pitch = Nearest(pitch, tonic.root, {0, tonic.quality == Quality::kMin7 ? 3 : 4});
          if (pitch > high) pitch -= 12;
          length = 2.5;
        }
        notes.push_back(Note{beat, length, pitch, rng.Range(0.55, 0.7) * (strong ? 1.0 : 0.85)});
      }
      previous = pitch;
    }
  }
  return notes;
}

void Normalise(Mix& mix, double fade_in, double fade_out) {
  auto& l = mix.left();
  auto& r = mix.right();
  double sum = 0, peak = 0;
  for (size_t i = 0; i < l.size(); ++i) {
    sum += l[i] * l[i] + r[i] * r[i];
    peak = std::max({peak, std::fabs(static_cast<double>(l[i])), std::fabs(static_cast<double>(r[i]))});
  }
  const double rms = std::sqrt(sum / (2.0 * std::max<size_t>(1, l.size())));
  if (peak <= 0) return;
  // Background level: about -19 dBFS, never louder than -1 dBFS at a peak.
  const double gain = std::min(0.112 / std::max(rms, 1e-9), 0.89 / peak);
  const size_t in = static_cast<size_t>(fade_in * kSampleRate);
  const size_t out = static_cast<size_t>(fade_out * kSampleRate);
  for (size_t i = 0; i < l.size(); ++i) {
    double g = gain;
    if (i < in) g *= static_cast<double>(i) / in;
    const size_t from_end = l.size() - 1 - i;
    if (from_end < out) g *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(from_end) / out);
    l[i] = static_cast<float>(l[i] * g);
    r[i] = static_cast<float>(r[i] * g);
  }
}

// Freeverb: eight damped combs and four allpasses a side; a small, warm room.
void AddRoom(Mix& mix, double wet) {
  static constexpr std::array<int, 8> kCombs = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static constexpr std::array<int, 4> kAllpasses = {556, 441, 341, 225};
  auto run = [&](std::vector<float>& channel, int spread) {
    std::vector<std::vector<float>> combs, allpasses;
    for (int n : kCombs) combs.emplace_back(n + spread, 0.f);
    for (int n : kAllpasses) allpasses.emplace_back(n + spread, 0.f);
    std::array<size_t, 8> ci{};
    std::array<size_t, 4> ai{};
    std::array<float, 8> damp_state{};
    const float feedback = 0.80f, damp = 0.35f;
    for (float& sample : channel) {
      const float input = sample * 0.015f;
      float out = 0;
      for (size_t c = 0; c < combs.size(); ++c) {
        float& cell = combs[c][ci[c]];
        const float y = cell;
        damp_state[c] = y * (1 - damp) + damp_state[c] * damp;
        cell = input + damp_state[c] * feedback;
        if (++ci[c] == combs[c].size()) ci[c] = 0;
        out += y;
      }
      for (size_t a = 0; a < allpasses.size(); ++a) {
        float& cell = allpasses[a][ai[a]];
        const float buffered = cell;
        cell = out + buffered * 0.5f;
        out = buffered - out;
        if (++ai[a] == allpasses[a].size()) ai[a] = 0;
      }
      sample += static_cast<float>(wet) * out * 3.0f;
    }
  };
  run(mix.left(), 0);
  run(mix.right(), 23);
}

class Arranger {
 public:
  Arranger(const TrackPlan& plan, int track)
      : plan_(plan), layout_(LayOut(plan)), rng_(0x5EED0000ull + static_cast<uint64_t>(track) * 7919),
        mix_(static_cast<size_t>(std::ceil(layout_.seconds * kSampleRate))) {
    const int bpb = BeatsPerBar(plan_);
    for (int c = 0; c < layout_.choruses; ++c) {
      auto chorus = ParseProgression(plan_.form, plan_.key, bpb, c * layout_.form_bars * bpb);
      chords_.insert(chords_.end(), chorus.begin(), chorus.end());
    }
    ending_ = ParseProgression(plan_.ending, plan_.key, bpb, (layout_.total_bars - 1) * bpb).front();
  }

  StereoSamples Render() {
    Comping();
    BassLine();
    Drums();
    Melody();
    Ending();
    AddRoom(mix_, 0.22);
    Normalise(mix_, 0.005, 0.35);
    return StereoSamples{std::move(mix_.left()), std::move(mix_.right())};
  }

 private:
  double Seconds(double beat) const { return kLeadIn + beat * layout_.beat_seconds; }
  double Beats(double beats) const { return beats * layout_.beat_seconds; }
  // A player is never exactly on the grid.
  double Humanise(double beat) { return std::max(kLeadIn, Seconds(beat) + rng_.Range(-0.006, 0.006)); }
  uint64_t Seed() { return rng_.Next(); }

  void PlayChord(const Chord& chord, double beat, double held_beats, double velocity) {
    voicing_ = Voice(chord, voicing_, 52);
    const double when = Humanise(beat);
    for (size_t i = 0; i < voicing_.size(); ++i) {
      const double held = Beats(held_beats);
      // Rolled very slightly, lowest note first.
      mix_.Add(when + i * 0.006, held + 0.25, -0.25, 0.16,
               EPiano(voicing_[i], held, velocity * rng_.Range(0.9, 1.05)));
    }
  }

  void Comping() {
    const int bpb = BeatsPerBar(plan_);
    const double end = layout_.choruses * layout_.form_bars * bpb;
    if (plan_.feel == Feel::kBallad) {
      // Broken chords in eighths, each note left to ring like a held pedal.
      for (const Chord& chord : chords_) {
        voicing_ = Voice(chord, voicing_, 52);
        std::vector<int> arpeggio = voicing_;
        arpeggio.push_back(voicing_.front() + 12);
        const int eighths = static_cast<int>(chord.length * 2);
        for (int e = 0; e < eighths; ++e) {
          const int k = e % 8 < 5 ? e % 8 : 8 - e % 8;  // up and back down
          const int note = arpeggio[std::min<size_t>(k, arpeggio.size() - 1)];
          const double beat = chord.start + e * 0.5;
          const double held = Beats(chord.start + chord.length - beat);
          mix_.Add(Humanise(beat), held + 0.3, -0.2 + 0.1 * k, 0.17,
                   EPiano(note, held, (e == 0 ? 0.55 : 0.42) * rng_.Range(0.9, 1.05)));
        }
      }
      return;
    }
    struct Hit {
      double beat, length;
    };
    // Rhythms of one bar (two bars for the bossa guitar figure).
    const std::vector<std::vector<Hit>> swing = {
        {{0, 1.2}, {1 + 2.0 / 3, 0.5}},  {{1 + 2.0 / 3, 0.6}, {3 + 2.0 / 3, 0.8}}, {{0, 0.5}, {2, 0.9}},
        {{1, 0.5}, {2 + 2.0 / 3, 0.6}}, {{0, 1.6}},                                 {{2.0 / 3, 0.5}, {2, 0.5}}};
    const std::vector<std::vector<Hit>> waltz = {{{1, 0.5}, {2, 0.5}}, {{1, 0.4}, {1 + 2.0 / 3, 0.6}}, {{0, 1.5}}};
    const std::vector<Hit> bossa = {{0, 0.4}, {1.5, 0.4}, {3, 0.4}, {5, 0.4}, {6.5, 0.9}};
    if (plan_.feel == Feel::kBossa) {
      for (double bar = 0; bar < end; bar += 2 * bpb)
        for (const Hit& h : bossa) {
          const double beat = bar + h.beat;
          if (beat < end) PlayChord(ChordAt(chords_, beat + 0.01), beat, h.length, 0.5);
        }
      return;
    }
    const auto& patterns = plan_.feel == Feel::kWaltz ? waltz : swing;
    for (double bar = 0; bar < end; bar += bpb) {
      for (const Hit& h : patterns[rng_.Below(static_cast<int>(patterns.size()))]) {
        const double beat = bar + h.beat;
        // A hit on the last off-beat anticipates the next bar's chord.
        const double look = h.beat > bpb - 0.5 ? bar + bpb + 0.01 : beat + 0.01;
        if (beat < end) PlayChord(ChordAt(chords_, std::min(look, end - 0.01)), beat, h.length, 0.5);
      }
    }
  }

  void PlayBass(double beat, double length, int note, double velocity) {
    mix_.Add(Humanise(beat), Beats(length) + 0.1, 0.0, 0.55, Bass(note, Beats(length), velocity));
    bass_ = note;
  }

  void BassLine() {
    for (size_t i = 0; i < chords_.size(); ++i) {
      const Chord& chord = chords_[i];
      const Chord& next = i + 1 < chords_.size() ? chords_[i + 1] : ending_;
      const int root = BassNote(chord.root, bass_);
      const int fifth = root + 7 > 52 ? root - 5 : root + 7;
      const int next_root = BassNote(next.root, root);
      switch (plan_.feel) {
        case Feel::kSwing: {
          // Walking: root, chord tones towards the next root, a half step into it.
          const int beats = static_cast<int>(chord.length + 0.5);
          std::vector<int> line{root};
          const int dir = next_root >= root ? 1 : -1;
          int n = root;
          for (int b = 1; b < beats - 1; ++b) {
            n += dir * (rng_.Chance(0.5) ? 3 : 4);
            n = Nearest(n, chord.root, ScaleTones(chord.quality));
            line.push_back(n);
          }
          // Into the next root from a half step away, or from its fifth.
          if (beats > 1) line.push_back(rng_.Chance(0.6) ? next_root - dir : next_root + (dir > 0 ? -5 : 7));
          for (int b = 0; b < beats; ++b) {
            int note = line[b];
            while (note < 31) note += 12;
            while (note > 52) note -= 12;
            PlayBass(chord.start + b, 0.9, note, b == 0 ? 0.9 : 0.75);
          }
          break;
        }
        case Feel::kBossa:
          PlayBass(chord.start, std::min(1.4, chord.length - 0.1), root, 0.9);
          if (chord.length >= 4) {
            PlayBass(chord.start + 1.5, 0.45, fifth, 0.6);
            PlayBass(chord.start + 2, 1.4, fifth, 0.8);
            PlayBass(chord.start + 3.5, 0.45, next_root, 0.6);
          } else if (chord.length >= 2) {
            PlayBass(chord.start + 1.5, 0.45, next_root, 0.6);
          }
          break;
        case Feel::kBallad:
          PlayBass(chord.start, std::min(1.9, chord.length - 0.05), root, 0.85);
          if (chord.length >= 4) PlayBass(chord.start + 2, 1.9, rng_.Chance(0.5) ? fifth : root + 12 > 52 ? root : root + 12, 0.7);
          break;
        case Feel::kWaltz:
          if (rng_.Chance(0.5)) {
            PlayBass(chord.start, 2.8, root, 0.9);
          } else {
            PlayBass(chord.start, 1.9, root, 0.9);
            PlayBass(chord.start + 2, 0.9, fifth, 0.7);
          }
          break;
      }
    }
  }

  void Drums() {
    const int bpb = BeatsPerBar(plan_);
    const double end = layout_.choruses * layout_.form_bars * bpb;
    const double third = 2.0 / 3.0;
    for (double bar = 0; bar < end; bar += bpb) {
      switch (plan_.feel) {
        case Feel::kSwing:
          for (double b : {0.0, 1.0, 1 + third, 2.0, 3.0, 3 + third}) {
            const bool skip_note = (b > 1.5 && b < 2) || b > 3.5;
            const double accent = (b == 1.0 || b == 3.0) ? 1.0 : skip_note ? 0.6 : 0.8;
            mix_.Add(Humanise(bar + b), 0.9, 0.35, 0.10, Ride(accent * rng_.Range(0.85, 1.0), Seed()));
          }
          for (double b : {1.0, 3.0}) mix_.Add(Humanise(bar + b), 0.15, -0.35, 0.09, HiHat(0.9, Seed()));
          if (rng_.Chance(0.45))
            mix_.Add(Humanise(bar + (rng_.Chance(0.5) ? 1 + third : 2 + third)), 0.3, -0.1, 0.08,
                     Brush(rng_.Range(0.5, 0.9), 0.1, Seed()));
          for (int b = 0; b < bpb; ++b) mix_.Add(Humanise(bar + b), 0.4, 0.0, 0.12, Kick(0.35));
          break;
        case Feel::kWaltz:
          for (double b : {0.0, 1.0, 1 + third, 2.0})
            mix_.Add(Humanise(bar + b), 0.9, 0.35, 0.10, Ride((b == 0 ? 1.0 : 0.75) * rng_.Range(0.85, 1.0), Seed()));
          mix_.Add(Humanise(bar + 1), 0.15, -0.35, 0.09, HiHat(0.8, Seed()));
          mix_.Add(Humanise(bar), 0.4, 0.0, 0.12, Kick(0.4));
          break;
        case Feel::kBossa: {
          const bool first_of_two = static_cast<int>(bar / bpb) % 2 == 0;
          const std::vector<double> clave = first_of_two ? std::vector<double>{0, 1.5, 3} : std::vector<double>{1, 2.5};
          for (double b : clave) mix_.Add(Humanise(bar + b), 0.1, -0.3, 0.09, Rim(0.8, Seed()));
          for (int e = 0; e < 8; ++e)
            mix_.Add(Humanise(bar + e * 0.5), 0.15, 0.4, 0.07, Shaker(e % 2 ? 0.9 : 0.55, Seed()));
          for (double b : {0.0, 1.5, 2.0, 3.5})
            mix_.Add(Humanise(bar + b), 0.4, 0.0, 0.2, Kick(b == 0.0 || b == 2.0 ? 0.7 : 0.4));
          break;
        }
        case Feel::kBallad:
          // Brushes stirring on every beat, the ride barely touched.
          for (int b = 0; b < bpb; ++b) {
            mix_.Add(Humanise(bar + b), Beats(1.0), -0.15, 0.05, Brush(0.7, Beats(0.5), Seed()));
            if (b % 2 == 1) mix_.Add(Humanise(bar + b), 0.8, 0.35, 0.06, Ride(0.6, Seed()));
          }
          break;
      }
    }
  }

  void Melody() {
    const std::vector<Note> notes = MakeMelody(plan_, layout_, chords_, rng_);
    for (const Note& n : notes) {
      const double held = Beats(n.length);
      if (plan_.lead == Lead::kVibes) {
        mix_.Add(Humanise(n.beat), held + 0.45, 0.3, 0.22, Vibes(n.pitch, held, n.velocity));
      } else {
        mix_.Add(Humanise(n.beat), held + 0.2, 0.3, 0.17, Flute(n.pitch, held, n.velocity, Seed()));
      }
    }
  }

  // The last bar: the tonic, once, left to ring out before the track starts again.
  void Ending() {
    const double beat = ending_.start;
    const double held = layout_.ending_seconds * 0.6 / layout_.beat_seconds;
    const int root = BassNote(ending_.root, bass_);
    PlayBass(beat, held, root, 0.9);
    PlayChord(ending_, beat, held, 0.55);
    const int top = Nearest(76, ending_.root, ChordTones(ending_.quality));
    if (plan_.lead == Lead::kVibes) {
      mix_.Add(Seconds(beat), Beats(held) + 0.45, 0.3, 0.22, Vibes(top, Beats(held), 0.5));
    } else {
      mix_.Add(Seconds(beat), Beats(held) + 0.2, 0.3, 0.17, Flute(top, Beats(held), 0.5, Seed()));
    }
    mix_.Add(Seconds(beat), 1.2, 0.35, 0.08, Ride(0.9, Seed()));
  }

  const TrackPlan& plan_;
  Layout layout_;
  Random rng_;
  Mix mix_;
  std::vector<Chord> chords_;
  Chord ending_;
  std::vector<int> voicing_;
  int bass_ = 0;
};

}  // namespace

TrackStyle DescribeMusicTrack(int track) {
  const TrackPlan& plan = kPlans[std::clamp(track, 1, kMusicTracks) - 1];
  return TrackStyle{plan.name, LayOut(plan).seconds};
}

StereoSamples RenderMusicTrack(int track) {
  const int k = std::clamp(track, 1, kMusicTracks);
  return Arranger(kPlans[k - 1], k).Render();
}

StereoSamples RenderChipSound() {
  const double seconds = 0.26;
  Mix mix(static_cast<size_t>(seconds * kSampleRate));
  struct Knock {
    double when, level, tune;
  };
  // The chip lands, knocks once more and settles.
  const Knock knocks[] = {{0.004, 1.0, 1.0}, {0.058, 0.6, 1.035}, {0.108, 0.3, 0.97}};
  uint64_t seed = 77;
  for (const Knock& k : knocks) {
    Random noise(seed++);
    Svf click(4000, 1.2);
    mix.Add(k.when, 0.12, 0.0, k.level, [=](double t) mutable {
      static constexpr std::array<double, 5> kPartials = {2350, 3650, 5120, 7800, 10400};
      static constexpr std::array<double, 5> kDecays = {0.030, 0.022, 0.016, 0.010, 0.007};
      static constexpr std::array<double, 5> kLevels = {1.0, 0.8, 0.55, 0.4, 0.25};
      double s = 0;
      for (size_t i = 0; i < kPartials.size(); ++i)
        s += kLevels[i] * std::exp(-t / kDecays[i]) * std::sin(kTwoPi * kPartials[i] * k.tune * t);
      click.Process(noise.Noise());
      return Attack(t, 0.0004) * (s + 1.5 * std::exp(-t / 0.003) * click.band);
    });
  }
  // Peak at -1 dBFS, with a short fade at the end.
  float peak = 0;
  for (float s : mix.left()) peak = std::max(peak, std::fabs(s));
  const size_t n = mix.frames();
  const size_t fade = kSampleRate / 100;
  for (size_t i = 0; i < n; ++i) {
    float g = 0.89f / std::max(peak, 1e-6f);
    if (n - 1 - i < fade) g *= static_cast<float>(n - 1 - i) / fade;
    mix.left()[i] *= g;
    mix.right()[i] = mix.left()[i];
  }
  return StereoSamples{std::move(mix.left()), std::move(mix.right())};
}

namespace {

void PutLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint32_t GetLe(const std::string& in, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(in[at + i]);
  return v;
}

}  // namespace

std::string EncodeWav(const StereoSamples& samples, int channels) {
  const uint32_t frames = static_cast<uint32_t>(samples.frames());
  const uint32_t data = frames * channels * 2;
  std::string out;
  out.reserve(44 + data);
  out += "RIFF";
  PutLe(out, 36 + data, 4);
  out += "WAVEfmt ";
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);  // PCM
  PutLe(out, channels, 2);
  PutLe(out, kSampleRate, 4);
  PutLe(out, kSampleRate * channels * 2, 4);
  PutLe(out, channels * 2, 2);
  PutLe(out, 16, 2);
  out += "data";
  PutLe(out, data, 4);
  Random dither(12345);
  for (uint32_t i = 0; i < frames; ++i) {
    for (int c = 0; c < channels; ++c) {
      const float x = c == 0 ? samples.left[i] : samples.right[i];
      // Triangular dither of one step keeps the quiet tails free of distortion.
      const double v = std::clamp(x * 32767.0 + dither.Uniform() - dither.Uniform(), -32768.0, 32767.0);
      PutLe(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v))), 2);
    }
  }
  return out;
}

namespace {

// The format and the data chunk of a 16-bit PCM WAV file.
struct WavData {
  int channels = 0;
  int rate = 0;
  size_t offset = 0;
  size_t frames = 0;
};

bool FindWavData(const std::string& bytes, WavData& wav) {
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return false;
  size_t at = 12;
  int bits = 0;
  while (at + 8 <= bytes.size()) {
    const std::string id = bytes.substr(at, 4);
    const uint32_t size = GetLe(bytes, at + 4, 4);
    if (id == "fmt " && at + 8 + 16 <= bytes.size()) {
      wav.channels = static_cast<int>(GetLe(bytes, at + 10, 2));
      wav.rate = static_cast<int>(GetLe(bytes, at + 12, 4));
      bits = static_cast<int>(GetLe(bytes, at + 22, 2));
    } else if (id == "data") {
      if (wav.channels <= 0 || bits != 16 || wav.rate <= 0) return false;
      const uint64_t available = std::min<uint64_t>(size, bytes.size() - (at + 8));
      wav.offset = at + 8;
      wav.frames = static_cast<size_t>(available / (wav.channels * 2));
      return true;
    }
    at += 8 + size + (size & 1);
  }
  return false;
}

}  // namespace

bool ReadWavLength(const std::string& bytes, int64_t& frames, int& rate) {
  WavData wav;
  if (!FindWavData(bytes, wav)) return false;
  frames = static_cast<int64_t>(wav.frames);
  rate = wav.rate;
  return true;
}

bool DecodeWav(const std::string& bytes, StereoSamples& samples, int& rate) {
  WavData wav;
  if (!FindWavData(bytes, wav)) return false;
  rate = wav.rate;
  samples.left.resize(wav.frames);
  samples.right.resize(wav.frames);
  for (size_t i = 0; i < wav.frames; ++i) {
    const size_t at = wav.offset + i * wav.channels * 2;
    const float l = static_cast<int16_t>(GetLe(bytes, at, 2)) / 32768.0f;
    const float r = wav.channels > 1 ? static_cast<int16_t>(GetLe(bytes, at + 2, 2)) / 32768.0f : l;
    samples.left[i] = l;
    samples.right[i] = r;
  }
  return true;
}

StereoSamples ShapeCall(const StereoSamples& voice) {
  const std::vector<float>& in = voice.left;
  float peak = 0;
  for (float x : in) peak = std::max(peak, std::fabs(x));
  if (peak <= 0) return voice;
  // The voice starts where the signal first rises above -45 dB of its peak.
  const float threshold = peak * 0.0056f;
  size_t first = 0, last = in.size();
  while (first < in.size() && std::fabs(in[first]) < threshold) ++first;
  while (last > first && std::fabs(in[last - 1]) < threshold) --last;
  const size_t lead = kSampleRate / 200;   // 5 ms of breath kept before the voice
  const size_t tail = kSampleRate / 50;    // and 20 ms after it
  first = first > lead ? first - lead : 0;
  last = std::min(in.size(), last + tail);
  const size_t before = kSampleRate / 50, after = kSampleRate / 25;  // 20 ms and 40 ms of silence
  const size_t length = last - first;
  StereoSamples out;
  out.left.assign(before + length + after, 0.f);
  const float gain = 0.89f / peak;
  const size_t fade_in = kSampleRate / 250, fade_out = 3 * kSampleRate / 100;  // 4 ms, 30 ms
  for (size_t i = 0; i < length; ++i) {
    float g = gain;
    if (i < fade_in) g *= static_cast<float>(i) / fade_in;
    if (length - 1 - i < fade_out) g *= static_cast<float>(length - 1 - i) / fade_out;
    out.left[before + i] = in[first + i] * g;
  }
  out.right = out.left;
  return out;
}

}  // namespace vessaro::tools
