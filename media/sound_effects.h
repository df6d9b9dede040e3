// The sound effects the program plays by slot: the slots come from the sound list "MySound.dat",
// one per 'O' line, and play through the mixer at the player's sound volume.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "media/sound_manager.h"
#include "platform/audio_output.h"
#include "platform/language.h"

namespace quorbel {

inline constexpr int kSoundSlots = 50;
// Fewer effects than this and the program plays none.
inline constexpr int kSoundsNeeded = 15;
inline constexpr const char *kSoundListFile = "MySound.dat";
// A sound volume at or below this stops the sound instead of playing it.
inline constexpr int kSoundVolumeOff = -8000;

struct SoundEffectEntry {
  int Id = 0;
  int Volume = 0;
  char State = 0; // 'O' playable, 'N' not, 0 empty
  std::string File;
};

struct SoundEffectManager {
  virtual ~SoundEffectManager() = default;
  std::unique_ptr<CSoundManager> Device;
  int Loaded = 0;
  std::array<SoundEffectEntry, kSoundSlots> Slots{};
  int Ready = 0;
};

using SoundLog = std::function<void(const std::string &line)>;

// Starts the mixer on `output` and loads the list at `listPath`; 1 when at least 15 slots were
// taken, else 0. No device releases everything; a missing list keeps the mixer with no slot.
// What could not load is told to `log` in `language`.
int InitSoundEffects(SoundEffectManager &manager, std::unique_ptr<AudioOutput> output,
                     const std::string &listPath, const SoundLog &log, Language language = Language::French);
void ReleaseSoundEffects(SoundEffectManager &manager);
// Restarts the slot's sound at `volume` (hundredths of a decibel); nothing when silent, when the
// slot is out of range or not playable. A volume of -8000 or lower only stops the sound.
void PlaySoundEffect(SoundEffectManager &manager, int slot, bool silent, int volume);

} // namespace quorbel
