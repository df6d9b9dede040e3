// The ways into a game, as plain rules: the start screen's areas and their descriptions, which
// start a New Grid runs in each game mode, and where the Kids, Quick and Triple series stand.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "app/app_settings.h"
#include "platform/help_contexts.h"
#include "platform/language.h"

namespace quorbel {

// The start screen's areas, each a button but Help; 0 is none (the welcome line shows).
enum StartArea : int {
  kAreaNone = 0,
  kAreaCatalog,
  kAreaGenerate,
  kAreaLoad,
  kAreaNew,
  kAreaChampion,
  kAreaKids,
  kAreaQuick,
  kAreaTriple,
  kAreaQuellabo,
  kAreaDefi,
  kAreaHelp,
};

// The help page of the start screen.
inline constexpr int kStartScreenHelp = HelpContext("start screen");

// The description of an area in the language; the welcome line for none or an unknown area.
std::string_view StartScreenText(int area, Language language);

// The game series played through one catalogue type with a counter of the settings.
enum class GridSeries { Kids, Quick, Triple };

std::string_view SeriesCatalogType(GridSeries series);
int32_t SeriesGameMode(GridSeries series);
int32_t &SeriesCounter(GameSettings &game, GridSeries series);
// The grid of the type the counter stands on: a counter at or past the end starts again at 0.
int SeriesGridIndex(int32_t counter, int gridCount);

// What New Grid starts in a game mode.
enum class GridStarter { Champion, Series, Catalog, Quellabo, Challenge, Generate, EmptyGrid };

struct NewGridPlan {
  GridStarter Starter = GridStarter::EmptyGrid;
  std::optional<GridSeries> Series; // its counter steps on before the start
  int32_t Mode = kGameModeChampion; // the game mode once the plan is made
  bool FlagOnlyWhenStarted = false; // NewGridFlag only when the start did start a game
};

// A challenge that is inhibited falls back to a Champion grid.
NewGridPlan PlanNewGrid(int32_t gameMode, int32_t defiInhibit);

// The level of a grid the player typed in and made the start grid, from the share of its
// cells left open, counted in twentieths: above 12 Terrible, above 10 Difficult, above 8 Medium.
int32_t StartGridLevel(int openCells, int cellCount);

} // namespace quorbel
