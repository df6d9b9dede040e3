// The links between grids as the expert edits them and as the board follows them: a Twins
// Relation link toggled, and the cell of another grid that a cell is linked to.
#pragma once

#include <vector>

namespace quorbel {

struct EngineContext;
struct GridGeometry;
struct GridRecord;
struct GridSet;

// Links `cell` of `grid` to `otherCell` (-1: the same cell) of the grid in `otherSlot`; the same
// link again removes it. 1 when added, 0 when removed or the list is full.
int ToggleTwinsRelation(GridRecord &grid, int otherCell, int cell, int otherSlot);

// Twins Total on or off. On: the grid after the main grids holds, as givens, the sums of their
// solutions cell by cell, and is shown after them; the main grids take the rule. Off: the rule
// leaves them and the sums grid is no longer counted or shown. Returns 1 when added, 0 when
// removed, -1 when twelve main grids leave no room for the sums.
int ToggleTwinsTotal(EngineContext &ctx);
// The grid after the `mains` main grids, its cells laid out by the caller, holds as givens the sums
// of their solutions cell by cell and is its own solution; it is shown after them, and the main
// grids take Twins Total.
void MakeTwinsSumsGrid(EngineContext &ctx, int mains);

// The first cell of another main grid linked to `cell` of the grid in `slot`, by a Relation link,
// a Relation Multiple group or a Zone link (the cell at the same place of the other block),
// whichever grid holds the link. Cell -1 and grid 0 when none.
struct TwinsPartner {
  int Cell = -1;
  int Grid = 0;
  bool operator==(const TwinsPartner &) const = default;
};
TwinsPartner FindTwinsRelationPartners(const GridSet &set, int slot, int cell);
TwinsPartner FindTwinsMultiplePartners(const GridSet &set, int slot, int cell);
// Every cell of another main grid that a Relation link of a grid playing that rule ties to
// `cell` of the grid in `slot`: the cells that must hold the same value. Each listed once.
std::vector<TwinsPartner> TwinsRelationPartners(const GridSet &set, int slot, int cell);
TwinsPartner FindTwinsZonePartners(const GridSet &set, const GridGeometry &geo, int slot, int cell);

} // namespace quorbel
