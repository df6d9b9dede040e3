#include "app/qt/sound_effect_services.h"

#include "app/app_settings.h"
#include "app/message_ring.h"
#include "app/qt/outside_services.h"
#include "platform/paths.h"
#include "platform/qt/qt_audio_output.h"

using namespace quorbel;

SoundEffectManager mySoundManager;

void InstallSoundEffects(OutsideServices &services, const AppSettings &settings, MessageRing &messages,
                         std::function<std::unique_ptr<AudioOutput>()> makeOutput) {
  if (!makeOutput)
    makeOutput = [] { return std::make_unique<QtAudioOutput>(); };
  services.initSoundEffects = [&messages, &settings, makeOutput](QWidget *) {
    // The panel goes to the log too when logging is on; the log alone is off by default.
    const auto tell = [&messages](const std::string &line) {
      messages.AddInfoMessage(PanelText::Plain(line));
    };
    return InitSoundEffects(mySoundManager, makeOutput(), MakeAbsolutePath(kSoundListFile), tell,
                            settings.general.language) == 1;
  };
  services.playSoundEffect = [&settings](int slot) {
    const MusicSettings &music = settings.music;
    PlaySoundEffect(mySoundManager, slot, music.silent != 0, music.soundVolume);
  };
}
