#include "app/champion_pick.h"

#include <vector>

#include "app/game_start.h"

namespace quorbel {

ChampionPick PickChampionGrid(GridCatalog &catalog, const std::function<int(int)> &below) {
  // Every grid in catalogue order, as (type, grid). The Double-and-Triple grids count points, not
  // a mark out of 20: they have their own game.
  const int pointsType = catalog.IndexOf(SeriesCatalogType(GridSeries::Triple));
  std::vector<std::pair<int, int>> order;
  std::vector<int> filledTypes;
  for (size_t t = 0; t < catalog.Types.size(); ++t) {
    if (static_cast<int>(t) == pointsType)
      continue;
    if (!catalog.Types[t].Grids.empty())
      filledTypes.push_back(static_cast<int>(t));
    for (size_t g = 0; g < catalog.Types[t].Grids.size(); ++g)
      order.emplace_back(static_cast<int>(t), static_cast<int>(g));
  }
  ChampionPick pick;
  if (order.empty())
    return pick;

  size_t drawn = 0;
  if (below(3) < 2) {
    // A type with grids: an empty one would leave nothing to draw from.
    const int type = filledTypes[static_cast<size_t>(below(static_cast<int>(filledTypes.size())))];
    const int grid = below(static_cast<int>(catalog.Types[static_cast<size_t>(type)].Grids.size()));
    while (order[drawn] != std::pair{type, grid})
      ++drawn;
  } else {
    drawn = static_cast<size_t>(below(static_cast<int>(order.size())));
  }

  for (size_t step = 1; step <= order.size(); ++step) {
    const auto [type, grid] = order[(drawn + step) % order.size()];
    if (catalog.Types[static_cast<size_t>(type)].Grids[static_cast<size_t>(grid)].Status != kCatalogDone) {
      pick.Type = type;
      pick.Grid = grid;
      return pick;
    }
  }
  ClearCatalogStatus(catalog);
  pick.MarksCleared = true;
  pick.Type = order[drawn].first;
  pick.Grid = order[drawn].second;
  return pick;
}

} // namespace quorbel
