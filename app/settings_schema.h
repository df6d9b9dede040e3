// The settings schema: every section and key of AppSettings with its default and the rule that
// repairs a stored value out of range, and the load and save over a profile store. Missing keys
// load as their defaults; repaired values are written back by the next save. No message is shown.
#pragma once

#include <array>
#include <set>
#include <string>
#include <string_view>

#include "app/app_settings.h"
#include "files/recent_file_list.h"
#include "platform/abstract_profile_store.h"

namespace quorbel {

enum class SettingsLoad {
  StartUp, // everything, the interface language included
  Reload,  // bringing back the saved state: the language and the challenge players in use stay
};

// Fills every field. Directory keys and the background picture come back absolute (against the
// start directory). The caller then loads the picture set named by general.imageName, rebuilds
// the value cursors and asks the next layout to reload the background.
void LoadSettings(AbstractProfileStore &store, AppSettings &settings,
                  SettingsLoad kind = SettingsLoad::StartUp);

// Puts every value under the rule a load applies to it, as edits in memory must be before the
// board reads them.
void RepairSettings(AppSettings &settings);

// Writes every key; the picture set, background and music file are stored relative to the start
// directory, only local challenge players are kept (renumbered from 0). False when the store
// could not be written.
bool SaveSettings(AbstractProfileStore &store, const AppSettings &settings);

// What an empty store loads.
AppSettings DefaultSettings();

// The keys ("SECTION/KEY") whose values differ between two blocks, and a copy of those keys
// alone; the language and the challenge players are not among them.
std::set<std::string> ChangedSettingKeys(const AppSettings &before, const AppSettings &after);
void CopySettingKeys(AppSettings &to, const AppSettings &from, const std::set<std::string> &keys);

// GENERAL/LANGUAGE alone, as start-up reads it before anything else.
Language ReadLanguage(AbstractProfileStore &store);
// GENERAL/LASTFILE, the grid file saved last: ReadLastFile and WriteLastFile (files/recent_file_list.h).

// The GENERATION key suffixes, by generator index ("FAC" / "MIND" / "LIM" + suffix).
extern const std::array<std::string_view, kGenerationKinds> GenerationSuffixes;

// The time factors of section GAMEDURATION, with their stored defaults (percent), in the order
// champion, kids, quick, triple, challenge, other.
struct TimeFactorKey {
  std::string_view key;
  float GameDurationSettings::*field;
  int32_t storedDefault;
};
inline constexpr int kTimeFactorCount = 6;
extern const std::array<TimeFactorKey, kTimeFactorCount> TimeFactorKeys;

// The time factor of a game mode (champion and Quellabo share one); a factor out of its range,
// as a block filled elsewhere may hold, counts as its default, so it never divides by zero.
float TimeFactorOfMode(const GameDurationSettings &durations, int gameMode);

// The GAMEDURATION key of a size index (0 = 4X4 .. 5 = 16X16) and level index (0 = EASY .. 3).
std::string DurationKey(int sizeIndex, int levelIndex);

} // namespace quorbel
