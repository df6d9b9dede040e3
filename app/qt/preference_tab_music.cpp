// The music and sound tab: silence, the folder and loop switches, the two volumes and the music
// file, which a click on its name chooses.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "app/qt/dialog_text.h"
#include "app/qt/preference_tabs.h"

using namespace quorbel;

CPrefPage8::CPrefPage8(DialogHost &host, MusicPage &page, Language language, QWidget *parent)
    : PreferenceTab(host, parent), page_(page) {
  auto *layout = new QVBoxLayout(this);
  auto *music =
      new QGroupBox(DialogText(language, "Choisir Options pour Musique", "Select Options for Music"), this);
  auto *sound =
      new QGroupBox(DialogText(language, "Choisir Options pour Son", "Select Options for Sound"), this);
  auto *general = new QGroupBox(DialogText(language, "Général", "General"), this);
  auto *musicLayout = new QGridLayout(music);
  auto *soundLayout = new QGridLayout(sound);
  auto *generalLayout = new QVBoxLayout(general);
  boxes_[0] = new QCheckBox(DialogText(language, "Silence", "Silent"), general);
  boxes_[1] = new QCheckBox(DialogText(language, "Répertoire Complet", "Full Directory"), music);
  boxes_[2] = new QCheckBox(DialogText(language, "Boucle", "Loop"), music);
  for (size_t i = 0; i < boxes_.size(); ++i)
    connect(boxes_[i], &QCheckBox::clicked, this,
            [this, i](bool on) { page_.SetOption(static_cast<MusicOption>(i), on); });
  file_ = new ClickableLabel(
      [this] {
        page_.ChooseMusic();
        Refresh();
      },
      music);
  music_ = new QSlider(Qt::Horizontal, music);
  sound_ = new QSlider(Qt::Horizontal, sound);
  music_->setRange(0, kVolumeSliderTop);
  sound_->setRange(0, kSoundSliderTop);
  connect(music_, &QSlider::valueChanged, this, [this](int value) { page_.SetMusicVolume(value); });
  connect(sound_, &QSlider::valueChanged, this, [this](int value) { page_.SetSoundVolume(value); });
  musicLayout->addWidget(new QLabel(DialogText(language, "Fichier:", "File:"), music), 0, 0);
  musicLayout->addWidget(file_, 0, 1);
  musicLayout->addWidget(boxes_[1], 1, 0);
  musicLayout->addWidget(boxes_[2], 1, 1);
  musicLayout->addWidget(new QLabel(QStringLiteral("Volume"), music), 2, 0);
  musicLayout->addWidget(music_, 2, 1);
  soundLayout->addWidget(new QLabel(QStringLiteral("Volume"), sound), 0, 0);
  soundLayout->addWidget(sound_, 0, 1);
  generalLayout->addWidget(boxes_[0]);
  layout->addWidget(music);
  layout->addWidget(sound);
  layout->addWidget(general);
  layout->addStretch();
}

void CPrefPage8::Refresh() {
  for (size_t i = 0; i < boxes_.size(); ++i)
    boxes_[i]->setChecked(page_.Values[i]);
  const QSignalBlocker a(music_), b(sound_);
  music_->setValue(page_.MusicVolume);
  sound_->setValue(page_.SoundVolume);
  file_->setText(page_.MusicName.empty() ? QStringLiteral("...") : QString::fromStdString(page_.MusicName));
}
