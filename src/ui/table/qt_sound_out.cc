#include "ui/table/qt_sound_out.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>
#include <algorithm>

namespace vessaro {

QtSoundOut::QtSoundOut(QObject* parent) : QObject(parent) {}

QtSoundOut::~QtSoundOut() {
  // The players go with this object; nothing may be reported to a listener after that.
  listener_ = nullptr;
  for (Channel* c : {&narration_, &music_})
    if (c->player != nullptr) c->player->disconnect(this);
}

double QtSoundOut::PlayerVolume() const {
  // The slider moves in steps the ear hears as even; the player's volume is linear amplitude.
  return QAudio::convertVolume(level_, QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale);
}

QtSoundOut::Channel& QtSoundOut::Ready(Channel& channel, bool music) {
  if (channel.player != nullptr) return channel;
  channel.player = new QMediaPlayer(this);
  channel.output = new QAudioOutput(channel.player);
  channel.output->setVolume(static_cast<float>(PlayerVolume()));
  channel.player->setAudioOutput(channel.output);
  channel.reusable = true;
  connect(channel.player, &QMediaPlayer::mediaStatusChanged, this, [this, music](QMediaPlayer::MediaStatus s) {
    if (s == QMediaPlayer::EndOfMedia) Ended(music);
  });
  // Errors (no device, a damaged file) are not the game's business: the channel just falls silent.
  connect(channel.player, &QMediaPlayer::errorOccurred, this, [this, music](QMediaPlayer::Error, const QString&) {
    Channel& c = music ? music_ : narration_;
    c.playing = false;
    c.reusable = false;
  });
  return channel;
}

void QtSoundOut::Discard(Channel& channel) {
  if (channel.player == nullptr) return;
  channel.player->disconnect(this);
  channel.player->stop();
  channel.player->deleteLater();
  channel.player = nullptr;
  channel.output = nullptr;
  channel.playing = false;
}

void QtSoundOut::Play(Channel& channel, bool music, const std::string& file) {
  const QString path = QString::fromStdString(file);
  if (!QFileInfo(path).isFile()) {
    Discard(channel);
    return;
  }
  // A player whose sound was cut off (stopped, or replaced while playing) may still report the end
  // of that sound against the next one and silence it a moment after it starts: such a player is
  // replaced by a fresh one. A player whose sound played to its end is used again.
  if (!channel.reusable) Discard(channel);
  Ready(channel, music);
  channel.reusable = false;
  const QUrl url = QUrl::fromLocalFile(path);
  if (channel.player->source() == url) {
    channel.player->setPosition(0);
  } else {
    channel.player->setSource(url);
  }
  channel.playing = true;
  channel.player->play();
}

void QtSoundOut::Ended(bool music) {
  Channel& channel = music ? music_ : narration_;
  if (!channel.playing) return;
  channel.playing = false;
  channel.reusable = true;
  // Reported from the event loop, not from inside the player's own signal, so that a listener
  // that starts the track again finds the player at rest.
  QMetaObject::invokeMethod(
      this,
      [this, music] {
        if (listener_ == nullptr) return;
        if (music) {
          listener_->MusicEnded();
        } else {
          listener_->NarrationEnded();
        }
      },
      Qt::QueuedConnection);
}

void QtSoundOut::PlayNarration(const std::string& file) { Play(narration_, false, file); }

void QtSoundOut::StopNarration() {
  narration_.playing = false;
  narration_.reusable = false;
  if (narration_.player != nullptr) narration_.player->stop();
}

void QtSoundOut::PlayMusic(const std::string& file) { Play(music_, true, file); }

void QtSoundOut::StopMusic() {
  const bool was_playing = music_.playing;
  music_.playing = false;
  music_.reusable = false;
  if (music_.player != nullptr) music_.player->stop();
  if (was_playing && listener_ != nullptr) listener_->MusicEnded();
}

void QtSoundOut::SetOutputLevel(double level) {
  level_ = std::clamp(level, 0.0, 1.0);
  for (Channel* c : {&narration_, &music_})
    if (c->output != nullptr) c->output->setVolume(static_cast<float>(PlayerVolume()));
}

}  // namespace vessaro
