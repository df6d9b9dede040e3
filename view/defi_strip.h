// The challenge's strip under the board: one box a player, a box that stands for all of them,
// then the chat line.
#pragma once

#include <vector>

#include "view/cell_rect.h"

namespace quorbel {

struct DefiStripLayout {
  std::vector<CellRect> Boxes; // the players', then the "all" box
  CellRect ChatLabel;
  CellRect ChatEdit;
};

// Boxes of equal width over at most half the strip, the chat in the rest.
DefiStripLayout LayOutDefiStrip(const CellRect &strip, int players);
// The box under the point (players for the "all" box), -1 when none.
int HitTestPlayerBox(const DefiStripLayout &layout, int x, int y);

} // namespace quorbel
