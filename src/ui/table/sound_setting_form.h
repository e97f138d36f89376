// The sound settings window "音声設定": output volume, the dealer's voice and the music track. A
// thin view of SoundSettingsDialogModel: every change goes to the model at once (a voice plays its
// sample, a track starts), and closing the window stores the choices in Sound.dat.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QSlider>

#include "common/ports.h"
#include "engine/sound.h"

namespace vessaro {

class TSoundSettingForm : public QDialog {
  Q_OBJECT
 public:
  TSoundSettingForm(TableSound& sound, Dialogs& dialogs, QWidget* parent = nullptr);

  QSlider* volume_slider() const { return volume_; }
  QCheckBox* narration_box() const { return narration_; }
  QCheckBox* music_box() const { return music_; }
  QAbstractButton* voice_button(int voice) const { return voices_->button(voice); }
  QAbstractButton* track_button(int track) const { return tracks_->button(track); }
  const SoundSettingsDialogModel& model() const { return model_; }

  // Closing, by the close button or the window's close box: the settings are stored.
  void done(int result) override;

 private:
  void ShowModel();

  SoundSettingsDialogModel model_;
  Dialogs& dialogs_;
  QSlider* volume_ = nullptr;
  QLabel* volume_value_ = nullptr;
  QCheckBox* narration_ = nullptr;
  QCheckBox* music_ = nullptr;
  QButtonGroup* voices_ = nullptr;
  QButtonGroup* tracks_ = nullptr;
};

}  // namespace vessaro
