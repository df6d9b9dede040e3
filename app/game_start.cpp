#include "app/game_start.h"

#include "app/static_texts.h"

namespace quorbel {

std::string_view StartScreenText(int area, Language language) {
  if (area > kAreaNone && area <= kAreaHelp)
    return StartAreaText(area - 1, language);
  return IsEnglish(language) ? WelcomeEn : WelcomeFr;
}

std::string_view SeriesCatalogType(GridSeries series) {
  switch (series) {
  case GridSeries::Kids:
    return "Enfant-Kids";
  case GridSeries::Quick:
    return "Zevade Doveve";
  case GridSeries::Triple:
    break;
  }
  return "Double-Triple";
}

int32_t SeriesGameMode(GridSeries series) {
  switch (series) {
  case GridSeries::Kids:
    return kGameModeKids;
  case GridSeries::Quick:
    return kGameModeQuick;
  case GridSeries::Triple:
    break;
  }
  return kGameModeTriple;
}

int32_t &SeriesCounter(GameSettings &game, GridSeries series) {
  switch (series) {
  case GridSeries::Kids:
    return game.kidGrid;
  case GridSeries::Quick:
    return game.quickGrid;
  case GridSeries::Triple:
    break;
  }
  return game.tripleGrid;
}

int SeriesGridIndex(int32_t counter, int gridCount) {
  // A counter from an older catalogue or a hand-edited setting may lie anywhere.
  return counter < 0 || counter >= gridCount ? 0 : counter;
}

NewGridPlan PlanNewGrid(int32_t gameMode, int32_t defiInhibit) {
  const int32_t mode = gameMode == kGameModeDefi && defiInhibit == 1 ? kGameModeChampion : gameMode;
  NewGridPlan plan;
  plan.Mode = mode;
  switch (mode) {
  case kGameModeChampion:
    plan.Starter = GridStarter::Champion;
    break;
  case kGameModeKids:
    plan.Starter = GridStarter::Series;
    plan.Series = GridSeries::Kids;
    break;
  case kGameModeQuick:
    plan.Starter = GridStarter::Series;
    plan.Series = GridSeries::Quick;
    break;
  case kGameModeTriple:
    plan.Starter = GridStarter::Series;
    plan.Series = GridSeries::Triple;
    break;
  case kGameModeCatalog:
    plan.Starter = GridStarter::Catalog;
    break;
  case kGameModeQuellabo:
    plan.Starter = GridStarter::Quellabo;
    plan.FlagOnlyWhenStarted = true;
    break;
  case kGameModeDefi:
    plan.Starter = GridStarter::Challenge;
    plan.FlagOnlyWhenStarted = true;
    break;
  case kGameModeGenerated:
    plan.Starter = GridStarter::Generate;
    break;
  default:
    plan.Starter = GridStarter::EmptyGrid;
    break;
  }
  return plan;
}

int32_t StartGridLevel(int openCells, int cellCount) {
  constexpr int kShares = 20;
  const int share = cellCount > 0 ? openCells * kShares / cellCount : 0;
  return share > 12 ? 4 : share > 10 ? 3 : share > 8 ? 2 : 1;
}

} // namespace quorbel
