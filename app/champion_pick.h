// The Champion start: a catalogue grid the player has not finished yet, picked at random, so
// that playing on walks through the whole catalogue before any grid comes back.
#pragma once

#include <functional>

#include "files/grid_catalog.h"

namespace quorbel {

struct ChampionPick {
  int Type = -1; // -1: the catalogue holds no grid
  int Grid = -1;
  bool MarksCleared = false; // every grid was done: the marks start again
};

// Draws a position (two times in three a type, then a grid of it; otherwise a grid among all),
// then takes the first grid after it, wrapping round, that is not done, the drawn one last.
// When every grid is done the catalogue's marks are cleared and the drawn grid is taken. The
// Double-Triple type, scored in points, is never drawn.
// `below(n)` draws 0..n-1.
ChampionPick PickChampionGrid(GridCatalog &catalog, const std::function<int(int)> &below);

} // namespace quorbel
