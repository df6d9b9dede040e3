#include "app/qt/sound_effect_services.h"

#include "app/qt/quorbel_app.h"
#include "platform/paths.h"
#include "platform/qt/qt_audio_output.h"

using namespace quorbel;

SoundEffectManager mySoundManager;

void InstallSoundEffects(CQuorbelApp &app, std::function<std::unique_ptr<AudioOutput>()> makeOutput) {
  if (!makeOutput)
    makeOutput = [] { return std::make_unique<QtAudioOutput>(); };
  OutsideServices &services = app.Services();
  services.initSoundEffects = [&app, makeOutput](QWidget *) {
    // The panel goes to the log too when logging is on; the log alone is off by default.
    const auto tell = [&app](const std::string &line) {
      app.Messages().AddInfoMessage(PanelText::Plain(line));
    };
    return InitSoundEffects(mySoundManager, makeOutput(), MakeAbsolutePath(kSoundListFile), tell) == 1;
  };
  services.playSoundEffect = [&app](int slot) {
    const MusicSettings &music = app.Settings().music;
    PlaySoundEffect(mySoundManager, slot, music.silent != 0, music.soundVolume);
  };
}
