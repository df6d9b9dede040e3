// The sound effects on the desktop's sound device, as the program's outside services.
#pragma once

#include <functional>
#include <memory>

#include "media/sound_effects.h"
#include "platform/audio_output.h"

struct OutsideServices;

namespace quorbel {
struct AppSettings;
class MessageRing;
} // namespace quorbel

// The program's one sound-effect manager.
extern quorbel::SoundEffectManager mySoundManager;

// Fills the sound-effect services: start-up loads the sound list beside the program (a sound
// that cannot load is told once in the message panel), every slot then plays at the player's
// MUSIC/SOUNDVOLUME unless MUSIC/SILENT; quitting releases them. `makeOutput` gives the output
// (the desktop's sound device when empty).
void InstallSoundEffects(OutsideServices &services, const quorbel::AppSettings &settings,
                         quorbel::MessageRing &messages,
                         std::function<std::unique_ptr<quorbel::AudioOutput>()> makeOutput = {});
