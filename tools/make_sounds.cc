// Build-time generator of the table's sounds: the dealer's calls in three voices (espeak-ng,
// resampled and for the child raised in pitch with sox), the chip sound and nine music tracks (music_synth), all encoded as MP3 with
// lame into the sound folder given on the command line:
//
//   nomal/01_man, nomal/02_women, nomal/03_child: nomore, p0 … p9, b0 … b9, pwin, bwin, tie, chip
//   nomal/00_BGM: nomal1 … nomal9
//
// It also writes a list of every file with its length in samples, which the build's tests check
// the encoded files against.
//
// Usage: make_sounds <sound folder> <length list>
// Exit status: 0 when every file was written, 1 when any could not be (or a tool is missing),
// 2 on a usage error.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <vector>

#include "asset_output.h"
#include "music_synth.h"

namespace vessaro::tools {
namespace {

struct VoiceSet {
  const char* folder;
  QStringList espeak;  // voice, pitch and speed
  QStringList shaping;  // extra sox effects
};

// Three clearly different dealers: a low man's voice, a woman's, and a child's (the highest
// pitch, raised further so the vocal tract sounds small, and spoken more slowly, which its longer
// pauses at the table allow for).
const VoiceSet kVoices[] = {
    {"01_man", {"-v", "en-us+edward", "-p", "35", "-s", "140"}, {}},
    {"02_women", {"-v", "en-us+f2", "-p", "55", "-s", "145"}, {}},
    {"03_child", {"-v", "en-us+f2", "-p", "99", "-s", "125"}, {"pitch", "120"}},
};

struct Call {
  QString name;
  QString text;
};

std::vector<Call> Calls() {
  static const char* kNumbers[] = {"zero", "one", "two", "three", "four",
                                   "five", "six", "seven", "eight", "nine"};
  std::vector<Call> calls{{"nomore", "No more bets."}};
  for (int i = 0; i < 10; ++i) calls.push_back({QStringLiteral("p%1").arg(i), QStringLiteral("Player %1.").arg(kNumbers[i])});
  for (int i = 0; i < 10; ++i) calls.push_back({QStringLiteral("b%1").arg(i), QStringLiteral("Banker %1.").arg(kNumbers[i])});
  calls.push_back({"pwin", "Player wins."});
  calls.push_back({"bwin", "Banker wins."});
  calls.push_back({"tie", "Tie."});
  return calls;
}

class Generator {
 public:
  Generator(const QString& sound_folder, const QString& list_file)
      : root_(sound_folder), list_file_(list_file) {}

  int Run() {
    if (!EnsureOutputFolder(root_.filePath("nomal/00_BGM"))) return 1;
    for (const VoiceSet& v : kVoices)
      if (!EnsureOutputFolder(root_.filePath(QStringLiteral("nomal/") + v.folder))) return 1;
    for (const char* tool : {"espeak-ng", "sox", "lame"}) {
      if (QStandardPaths::findExecutable(tool).isEmpty()) {
        std::fprintf(stderr, "make_sounds: %s is not installed (run scripts/install-deps.sh)\n", tool);
        return 1;
      }
    }
    if (!temp_.isValid()) {
      std::fprintf(stderr, "make_sounds: cannot create a temporary folder\n");
      return 1;
    }
    // Each file is attempted, so one run reports every file that cannot be made.
    MakeMusic();
    MakeChipSounds();
    MakeCalls();
    FinishEncodes();
    if (!ok_) return 1;
    return WriteFileAtomically(list_file_, list_) ? 0 : 1;
  }

 private:
  QString Temp(const QString& name) const { return temp_.filePath(name); }

  bool RunTool(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
      std::fprintf(stderr, "make_sounds: %s failed: %s\n", qPrintable(program),
                   qPrintable(QString::fromLocal8Bit(p.readAllStandardError()).trimmed()));
      return false;
    }
    return true;
  }

  static QStringList LameOptions(bool music) {
    QStringList o{"--quiet", "--noreplaygain", "--resample", "44.1"};
    o << (music ? QStringList{"-b", "128", "-m", "j"} : QStringList{"-b", "64", "-m", "m"});
    return o;
  }

  // Records the length and starts encoding the WAV into the target; at most two encoders run at
  // once, one for each core of the build machine.
  void Encode(const QString& wav, const QString& target, bool music) {
    int64_t frames = 0;
    int rate = 0;
    QFile in(wav);
    if (!in.open(QIODevice::ReadOnly) || !ReadWavLength(in.readAll().toStdString(), frames, rate)) {
      std::fprintf(stderr, "make_sounds: cannot read %s\n", qPrintable(wav));
      ok_ = false;
      return;
    }
    list_ += QStringLiteral("%1 %2 %3\n").arg(root_.relativeFilePath(target)).arg(frames).arg(rate).toUtf8();
    while (running_.size() >= 2) FinishOne();
    auto job = std::make_unique<Job>();
    job->mp3 = wav + ".mp3";
    job->target = target;
    job->process.start("lame", LameOptions(music) << wav << job->mp3);
    running_.push_back(std::move(job));
  }

  void FinishOne() {
    std::unique_ptr<Job> job = std::move(running_.front());
    running_.erase(running_.begin());
    QProcess& p = job->process;
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
      std::fprintf(stderr, "make_sounds: lame could not encode %s: %s\n", qPrintable(job->target),
                   qPrintable(QString::fromLocal8Bit(p.readAllStandardError()).trimmed()));
      ok_ = false;
      return;
    }
    QFile mp3(job->mp3);
    if (!mp3.open(QIODevice::ReadOnly) || !WriteFileAtomically(job->target, mp3.readAll())) ok_ = false;
  }

  void FinishEncodes() {
    while (!running_.empty()) FinishOne();
  }

  bool WriteWav(const QString& path, const StereoSamples& samples, int channels) {
    QFile f(path);
    const std::string bytes = EncodeWav(samples, channels);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
      std::fprintf(stderr, "make_sounds: cannot write %s\n", qPrintable(path));
      ok_ = false;
      return false;
    }
    return true;
  }

  void MakeMusic() {
    for (int k = 1; k <= kMusicTracks; ++k) {
      const QString wav = Temp(QStringLiteral("nomal%1.wav").arg(k));
      if (WriteWav(wav, RenderMusicTrack(k), 2))
        Encode(wav, root_.filePath(QStringLiteral("nomal/00_BGM/nomal%1.mp3").arg(k)), true);
    }
  }

  void MakeChipSounds() {
    const QString wav = Temp("chip.wav");
    if (!WriteWav(wav, RenderChipSound(), 1)) return;
    for (const VoiceSet& v : kVoices) {
      const QString copy = Temp(QStringLiteral("chip_%1.wav").arg(v.folder));
      QFile::copy(wav, copy);
      Encode(copy, root_.filePath(QStringLiteral("nomal/%1/chip.mp3").arg(v.folder)), false);
    }
  }

  void MakeCalls() {
    for (const VoiceSet& v : kVoices) {
      for (const Call& call : Calls()) {
        const QString raw = Temp(QStringLiteral("%1_%2_raw.wav").arg(v.folder, call.name));
        const QString resampled = Temp(QStringLiteral("%1_%2_44k.wav").arg(v.folder, call.name));
        const QString wav = Temp(QStringLiteral("%1_%2.wav").arg(v.folder, call.name));
        if (!RunTool("espeak-ng", QStringList(v.espeak) << "-w" << raw << call.text) ||
            !RunTool("sox", QStringList{raw, "-r", "44100", "-c", "1", resampled} << v.shaping)) {
          ok_ = false;
          continue;
        }
        QFile in(resampled);
        StereoSamples voice;
        int rate = 0;
        if (!in.open(QIODevice::ReadOnly) || !DecodeWav(in.readAll().toStdString(), voice, rate) ||
            rate != kSampleRate || !WriteWav(wav, ShapeCall(voice), 1)) {
          std::fprintf(stderr, "make_sounds: cannot shape %s\n", qPrintable(resampled));
          ok_ = false;
          continue;
        }
        Encode(wav, root_.filePath(QStringLiteral("nomal/%1/%2.mp3").arg(v.folder, call.name)), false);
      }
    }
  }

  struct Job {
    QProcess process;
    QString mp3;
    QString target;
  };

  QDir root_;
  QString list_file_;
  QTemporaryDir temp_;
  QByteArray list_;
  std::vector<std::unique_ptr<Job>> running_;
  bool ok_ = true;
};

}  // namespace
}  // namespace vessaro::tools

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_sounds <sound folder> <length list>\n");
    return 2;
  }
  return vessaro::tools::Generator(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2])).Run();
}
