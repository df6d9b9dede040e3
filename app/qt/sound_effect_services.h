// The sound effects on the desktop's sound device, as the program's outside services.
#pragma once

#include "media/sound_effects.h"

class CQuorbelApp;

// The program's one sound-effect manager.
extern quorbel::SoundEffectManager mySoundManager;

// Fills the app's sound-effect services: start-up loads the sound list beside the program, every
// slot then plays at the player's MUSIC/SOUNDVOLUME unless MUSIC/SILENT; quitting releases them.
void InstallSoundEffects(CQuorbelApp &app);
