#include "app/qt/sound_effect_services.h"

#include "app/qt/quorbel_app.h"
#include "platform/paths.h"
#include "platform/qt/qt_audio_output.h"

using namespace quorbel;

SoundEffectManager mySoundManager;

void InstallSoundEffects(CQuorbelApp &app) {
  OutsideServices &services = app.Services();
  services.initSoundEffects = [&app](QWidget *) {
    const auto log = [&app](const std::string &line) { app.Log().AppendLogLine(PanelText::Plain(line)); };
    return InitSoundEffects(mySoundManager, std::make_unique<QtAudioOutput>(),
                            MakeAbsolutePath(kSoundListFile), log) == 1;
  };
  services.playSoundEffect = [&app](int slot) {
    const MusicSettings &music = app.Settings().music;
    PlaySoundEffect(mySoundManager, slot, music.silent != 0, music.soundVolume);
  };
}
