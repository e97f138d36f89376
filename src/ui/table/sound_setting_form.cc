#include "ui/table/sound_setting_form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vessaro {

TSoundSettingForm::TSoundSettingForm(TableSound& sound, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), model_(sound), dialogs_(dialogs) {
  setObjectName(QStringLiteral("SoundSettingForm"));
  setWindowTitle(QStringLiteral("音声設定"));

  auto* volume_group = new QGroupBox(QStringLiteral("音声ボリューム"));
  volume_ = new QSlider(Qt::Horizontal);
  volume_->setObjectName(QStringLiteral("VolumeSlider"));
  volume_->setRange(0, 10);
  volume_->setPageStep(1);
  volume_->setTickPosition(QSlider::TicksBelow);
  volume_->setTickInterval(1);
  volume_value_ = new QLabel;
  volume_value_->setMinimumWidth(24);
  volume_value_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* volume_row = new QHBoxLayout(volume_group);
  volume_row->addWidget(new QLabel(QStringLiteral("小")));
  volume_row->addWidget(volume_, 1);
  volume_row->addWidget(new QLabel(QStringLiteral("大")));
  volume_row->addWidget(volume_value_);

  auto* narration_group = new QGroupBox(QStringLiteral("ナレーション"));
  narration_ = new QCheckBox(QStringLiteral("音声ナレーション使用する"));
  narration_->setObjectName(QStringLiteral("NarrationBox"));
  voices_ = new QButtonGroup(this);
  auto* voice_row = new QHBoxLayout;
  const QString voice_names[] = {QStringLiteral("男性"), QStringLiteral("女性"), QStringLiteral("子供")};
  for (int v = 1; v <= SoundSettingsDialogModel::kVoices; ++v) {
    auto* b = new QRadioButton(voice_names[v - 1]);
    voices_->addButton(b, v);
    voice_row->addWidget(b);
  }
  voice_row->addStretch();
  auto* narration_layout = new QVBoxLayout(narration_group);
  narration_layout->addWidget(narration_);
  narration_layout->addLayout(voice_row);

  auto* music_group = new QGroupBox(QStringLiteral("BGM"));
  music_ = new QCheckBox(QStringLiteral("BGMを使用する"));
  music_->setObjectName(QStringLiteral("MusicBox"));
  tracks_ = new QButtonGroup(this);
  auto* track_grid = new QGridLayout;
  for (int k = 1; k <= SoundSettingsDialogModel::kTracks; ++k) {
    auto* b = new QRadioButton(QStringLiteral("BGM%1").arg(k));
    tracks_->addButton(b, k);
    track_grid->addWidget(b, (k - 1) / 3, (k - 1) % 3);
  }
  auto* music_layout = new QVBoxLayout(music_group);
  music_layout->addWidget(music_);
  music_layout->addLayout(track_grid);

  auto* close = new QPushButton(QStringLiteral("閉じる"));
  close->setObjectName(QStringLiteral("BtnClose"));
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(volume_group);
  layout->addWidget(narration_group);
  layout->addWidget(music_group);
  layout->addLayout(buttons);
  setMinimumWidth(340);

  // Filled before the reactions are connected: filling is not a change.
  model_.Open();
  ShowModel();

  connect(volume_, &QSlider::valueChanged, this, [this](int v) {
    model_.MoveVolume(v);
    ShowModel();
  });
  connect(voices_, &QButtonGroup::idClicked, this, [this](int v) {
    model_.ChooseVoice(v);
    ShowModel();
  });
  connect(narration_, &QCheckBox::toggled, this, [this](bool on) {
    model_.SetNarrationTicked(on);
    ShowModel();
  });
  connect(tracks_, &QButtonGroup::idClicked, this, [this](int k) {
    model_.ChooseTrack(k);
    ShowModel();
  });
  connect(music_, &QCheckBox::toggled, this, [this](bool on) {
    model_.SetMusicTicked(on);
    ShowModel();
  });
}

void TSoundSettingForm::ShowModel() {
  const QSignalBlocker b1(volume_), b2(narration_), b3(music_);
  volume_->setValue(model_.volume_position());
  volume_value_->setText(QString::number(model_.volume_position()));
  narration_->setChecked(model_.narration_ticked());
  music_->setChecked(model_.music_ticked());
  if (QAbstractButton* v = voices_->button(model_.voice())) v->setChecked(true);
  if (QAbstractButton* k = tracks_->button(model_.track())) k->setChecked(true);
  for (QAbstractButton* b : voices_->buttons()) b->setEnabled(model_.narration_ticked());
  for (QAbstractButton* b : tracks_->buttons()) b->setEnabled(model_.music_ticked());
}

void TSoundSettingForm::done(int result) {
  try {
    model_.Close();
  } catch (const IoError& e) {
    dialogs_.ShowMessage(e.what(), MessageKind::kError);
  }
  QDialog::done(result);
}

}  // namespace vessaro
