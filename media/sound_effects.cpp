#include "media/sound_effects.h"

#include <cstdio>
#include <sstream>

#include "platform/paths.h"
#include "platform/regular_file.h"

namespace quorbel {

namespace {

constexpr size_t kLineLimit = 255;
// Fifty lines of a path each, with room to spare.
constexpr uint64_t kMostListBytes = uint64_t{1} << 20;

// "%d %c %s": a number nobody reads, the state, a name without blanks. False when a field is
// missing, so a stray line never fills a slot by halves.
bool ParseSoundLine(const std::string &line, char &state, std::string &name) {
  int number = 0;
  char stateField = 0;
  char nameField[kLineLimit + 1] = {};
  if (std::sscanf(line.c_str(), "%d %c %255s", &number, &stateField, nameField) != 3)
    return false;
  state = stateField;
  name = nameField;
  return true;
}

void ReadSoundList(SoundEffectManager &manager, std::istream &list, const SoundLog &log, Language language) {
  int slot = 0;
  std::string whole;
  while (slot < kSoundSlots && std::getline(list, whole)) {
    // A line longer than the limit comes in pieces, each read as a line of its own.
    for (size_t at = 0; slot < kSoundSlots && (at < whole.size() || at == 0); at += kLineLimit) {
      const std::string line = whole.substr(at, kLineLimit);
      SoundEffectEntry &entry = manager.Slots[slot];
      char state = 0;
      std::string name;
      if (line.empty() || line[0] == ';' || !ParseSoundLine(line, state, name))
        continue;
      entry.State = state;
      entry.File = MakeAbsolutePath(name);
      if (state != 'O')
        continue;
      if (!manager.Device->LoadSound(entry.File, entry.Id)) {
        entry.State = 'N';
        char text[kLineLimit + 96];
        std::snprintf(text, sizeof text,
                      IsFrench(language) ? "Erreur Chargement Son:%d(%d) - %s --> %c - %d"
                                         : "Error Loading Sound:%d(%d) - %s --> %c - %d",
                      slot, entry.Id, entry.File.c_str(), entry.State, 0);
        if (log)
          log(text);
      }
      ++slot;
    }
  }
  manager.Loaded = slot;
}

} // namespace

int InitSoundEffects(SoundEffectManager &manager, std::unique_ptr<AudioOutput> output,
                     const std::string &listPath, const SoundLog &log, Language language) {
  ReleaseSoundEffects(manager);
  manager.Slots = {};
  manager.Device = std::make_unique<CSoundManager>(std::move(output));
  if (!manager.Device->Start()) {
    ReleaseSoundEffects(manager);
    return 0;
  }
  manager.Ready = 1;
  const RegularFileText file = ReadRegularFileText(listPath, kMostListBytes);
  if (!file.Ok) {
    if (log && file.Failure != RegularFileFailure::CannotOpen)
      log((IsFrench(language) ? "Liste des sons illisible : " : "The sound list could not be read: ") +
          listPath + " (" + file.Message + ")");
    return 0;
  }
  std::istringstream list(file.Text);
  ReadSoundList(manager, list, log, language);
  if (manager.Loaded < kSoundsNeeded) {
    ReleaseSoundEffects(manager);
    return 0;
  }
  return 1;
}

void ReleaseSoundEffects(SoundEffectManager &manager) {
  manager.Device.reset();
  manager.Loaded = 0;
  manager.Ready = 0;
}

void PlaySoundEffect(SoundEffectManager &manager, int slot, bool silent, int volume) {
  if (manager.Ready == 0 || !manager.Device || silent || slot < 0 || slot >= kSoundSlots)
    return;
  SoundEffectEntry &entry = manager.Slots[slot];
  if (entry.State != 'O')
    return;
  CSoundManager &device = *manager.Device;
  if (volume <= kSoundVolumeOff) {
    device.Stop(entry.Id);
    return;
  }
  device.ResetFade(entry.Id);
  device.SetVolume(entry.Id, volume);
  device.PlayOnce(entry.Id);
  entry.Volume = volume;
  device.Play(entry.Id);
}

} // namespace quorbel
