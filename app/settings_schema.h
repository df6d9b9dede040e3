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

// The GENERATION keys of each generator, "FAC" / "MIND" / "LIM" + its suffix, with their defaults
// (FAC stored as a percent). The clue kinds find theirs by suffix (solver/hidden_variant_table.h).
struct GenerationDefault {
  std::string_view suffix;
  int32_t fac;
  int32_t mind;
  int32_t lim;
};
inline constexpr std::array<GenerationDefault, kGenerationKinds> GenerationKeys = {{
    {"LESS", 500, -1, 144},    {"ODD", 350, 20, 81},        {"XV", 175, 8, 32},      {"DOT", 340, -1, 50},
    {"TRIO", 300, 20, 80},     {"NAV", 659, -1, 81},        {"TREL", 100, -1, 11},   {"LKILL", 99, -1, 34},
    {"KILLS", 110, -1, 55},    {"KILLP", 110, -1, 52},      {"ARROW", 300, -1, 60},  {"CREAS", 400, -1, 27},
    {"OUTS", 150, -1, 63},     {"FRAMS", 220, -1, 40},      {"FRAMP", 200, -1, 40},  {"ODDP", 300, 16, 40},
    {"ODDV", 120, -1, 32},     {"LAST", 270, -1, 33},       {"DOM", 225, -1, 60},    {"PENC", 250, -1, 80},
    {"DIGIT", 175, -1, 63},    {"ROM", 300, -1, 70},        {"SKY", 400, -1, 18},    {"NUM", 250, -1, 60},
    {"DIST", 87, -1, 18},      {"MSENT", 100, 3, 10},       {"DAN", 100, 3, 5},      {"EQU", 300, -1, 40},
    {"QUAD", 250, 18, 45},     {"WHEEL", 55, -1, 15},       {"CHESS", 400, -1, 16},  {"TRANSFER", 100, 18, 1},
    {"PUZZLE", 200, 12, 30},   {"BATNAV", 100, 10, 1},      {"TILED", 110, 5, 60},   {"MULTTAB", 100, 25, 60},
    {"FRAMEMAX", 300, -1, 60}, {"MASTERMIND", 100, 25, 60}, {"PIRATE", 100, -1, 60}, {"TRELMULT", 300, -1, 9},
    {"SAMEROW", 200, 15, 10},
}};

// The suffixes alone, by generator index.
inline constexpr std::array<std::string_view, kGenerationKinds> GenerationSuffixes = [] {
  std::array<std::string_view, kGenerationKinds> suffixes{};
  for (size_t i = 0; i < kGenerationKinds; ++i)
    suffixes[i] = GenerationKeys[i].suffix;
  return suffixes;
}();

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
