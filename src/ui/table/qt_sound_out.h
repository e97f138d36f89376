// The SoundOut port on Qt Multimedia: one player for the dealer's calls and chips, one for the
// music, both at the program's own output level. Players are made on first use, so a table that
// never finds a sound file never opens an audio device; a missing file, an undecodable one or a
// machine without sound output plays nothing and reports nothing.
#pragma once

#include <QObject>
#include <QString>

#include "common/ports.h"

class QAudioOutput;
class QMediaPlayer;

namespace vessaro {

class QtSoundOut : public QObject, public SoundOut {
  Q_OBJECT
 public:
  explicit QtSoundOut(QObject* parent = nullptr);
  ~QtSoundOut() override;

  void PlayNarration(const std::string& file) override;
  void StopNarration() override;
  void PlayMusic(const std::string& file) override;
  void StopMusic() override;
  double OutputLevel() override { return level_; }
  void SetOutputLevel(double level) override;

 private:
  struct Channel {
    QMediaPlayer* player = nullptr;
    QAudioOutput* output = nullptr;
    bool playing = false;   // started and neither ended nor stopped
    bool reusable = true;   // new, or its last sound played to the end
  };
  Channel& Ready(Channel& channel, bool music);
  void Discard(Channel& channel);
  void Play(Channel& channel, bool music, const std::string& file);
  void Ended(bool music);
  double PlayerVolume() const;

  Channel narration_;
  Channel music_;
  double level_ = 0.5;
};

}  // namespace vessaro
