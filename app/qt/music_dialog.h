// CDialogMus, the "Music" bar: play, previous, next, pause and stop, the volume slider (0 at the
// top, loudest), the music's name (a click chooses another), the silence toggle and the two level
// meters. Its timers run while it exists, shown or not: one feeds the meters, the other moves on
// when a tune has ended (the next of the folder, or the same again).
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/app_settings.h"
#include "app/qt/dialog_host.h"
#include "app/qt/modeless_panels.h"
#include "app/qt/outside_services.h"
#include "platform/audio_output.h"
#include "platform/language.h"

class CQuorbelApp;
class ClickableLabel;
class LevelMeterWidget;
class QSlider;
class QToolButton;

namespace quorbel {
class CMp3Player;
}

class CDialogMus final : public QDialog {
  Q_OBJECT
public:
  // The bar's settings are the music settings of `host`; `panels` holds the preference sheet its
  // right click opens and that follows its silence toggle.
  CDialogMus(DialogHost &host, ModelessPanels &panels, OutsideServices &services, quorbel::CMp3Player &player,
             quorbel::Language language, QWidget *parent);

  void OnPlay();
  void OnPause();
  void OnStop();
  void OnPrevious() { Step(false); }
  void OnNext() { Step(true); }
  void OnMusicName();
  void OnSilence();
  void OnSliderReleased();
  // Timer 500: the meters; timer 501: what follows a tune that ended.
  void OnMeterTick();
  void OnWalkTick();
  // The silence button and the slider follow the settings again.
  void RefreshFromSettings();

  QSlider *Slider() const { return slider_; }
  QToolButton *Button(int index) const { return buttons_[index]; }
  QToolButton *SilenceButton() const { return silence_; }
  LevelMeterWidget *Meter(int channel) const { return meters_[channel]; }
  QString ShownName() const;
  // Tests step the meters' clock.
  std::function<uint32_t()> Clock;

protected:
  void wheelEvent(QWheelEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void Step(bool forward);
  bool OpenMusic(const std::string &file);
  void PlayFile(const std::string &file);
  void TakeVolume(int position);
  // The slider at 20 - MUSICVOLUME; a volume above its range shows at the loudest end.
  void ShowVolume();

  DialogHost &host_;
  ModelessPanels &panels_;
  OutsideServices &services_;
  quorbel::CMp3Player &player_;
  quorbel::Language language_;
  QToolButton *buttons_[5] = {};
  QToolButton *silence_ = nullptr;
  QSlider *slider_ = nullptr;
  ClickableLabel *name_ = nullptr;
  LevelMeterWidget *meters_[2] = {};
  QTimer meterTimer_;
  QTimer walkTimer_;
  bool walking_ = false;
};

// Fills the app's music services (start-up's tune, closing, the volume) on the program's one
// player, and registers the Music bar that F8 shows. The music plays on the sound device, or in
// silence at its pace when there is none; tests give an output of their own.
void InstallMusic(CQuorbelApp &app, std::function<std::unique_ptr<quorbel::AudioOutput>()> makeOutput = {});
// The volume the player takes on both channels: 0 when silent, else MUSICVOLUME.
int MusicPlayerVolume(const quorbel::MusicSettings &music);
// The player, null before InstallMusic and after ReleaseMusic.
quorbel::CMp3Player *MusicPlayer();
// Stops the music and frees the player, before the Qt application ends.
void ReleaseMusic();
