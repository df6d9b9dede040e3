// Whether a layout can serve as irregular blocks: every region one orthogonally connected
// piece of W cells, and a grid with those blocks has at least one solution. The layout
// tool checks every layout it writes with it, and so does a test of our own block file.
#pragma once

#include <string>

#include "engine/irregular_block_file.h"

namespace quorbel {

struct EngineContext;

enum class LayoutFault {
  None,
  RegionSize,   // a region without exactly W cells, or a number outside 0..W-1
  Disconnected, // a region in more than one piece
  NoSolution,   // the empty grid with these blocks has no solution
  Undecided,    // the searches stopped (time limit or the player) before they found one
};

struct LayoutVerdict {
  LayoutFault Fault = LayoutFault::None;
  int Region = -1; // the region at fault, for the first two

  bool Ok() const { return Fault == LayoutFault::None; }
};

// The first region in more than one piece; -1 when every region is connected.
int FirstDisconnectedRegion(const RegionLayout &layout);

// Sets the context's geometry to the layout's width (the grids are reset) and searches the
// empty grid with the layout's blocks for a solution, within the context's time limit. When
// that search is stopped, up to seededTries random solutions from a few seeds (each try
// within the limit too) may still find one.
LayoutVerdict CheckIrregularLayout(EngineContext &ctx, const RegionLayout &layout, int seededTries = 0);

std::string DescribeLayoutVerdict(const LayoutVerdict &verdict);

} // namespace quorbel
