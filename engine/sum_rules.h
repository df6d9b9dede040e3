// The rules whose clue is a sum, a product or a modulus of several cells, and the clues around
// the grid: each a check (placed values only: marks the conflicting cells, raises the clue's
// conflict flag) and a filter (removes candidates no solution can use; 1 when a mask changed).
// A clue that names a cell outside the grid is skipped by both.
#pragma once

#include <cstdint>

namespace quorbel {

struct EngineContext;
struct GridGeometry;
struct GridRecord;

// The modulus the Kimo rule puts on the grid's sums, 0 when the rule is off (or its modulus,
// below 2, could divide nothing).
int KimoModulusOf(const GridRecord &grid);

void CheckLittleKiller(const GridGeometry &geo, GridRecord &grid, int i);
int FilterLittleKiller(const GridGeometry &geo, GridRecord &grid, int i);
void CheckKiller(const GridGeometry &geo, GridRecord &grid, int i);
int FilterKiller(const GridGeometry &geo, GridRecord &grid, int i);
void CheckArrow(const GridGeometry &geo, GridRecord &grid, int i);
int FilterArrow(const GridGeometry &geo, GridRecord &grid, int i);
void CheckCreasing(const GridGeometry &geo, GridRecord &grid, int i);
int FilterCreasing(const GridGeometry &geo, GridRecord &grid, int i);

// The side and magic sum of a Magic Square, from its cell count (4, 9 or 16; any other count
// leaves the square without a side, and its check and filter skip it).
void PrepareMagicSquare(int i, GridRecord &grid);
void CheckMagicSquare(const GridGeometry &geo, GridRecord &grid, int i);
int FilterMagicSquare(const GridGeometry &geo, GridRecord &grid, int i);
void CheckMultTable(const GridGeometry &geo, GridRecord &grid, int i);
int FilterMultTable(const GridGeometry &geo, GridRecord &grid, int i);

// The cells a clue beside the grid covers: the first block's extent seen from that side.
int FrameDepth(const GridGeometry &geo, int side);
void CheckFrameClue(int side, int line, const GridGeometry &geo, GridRecord &grid);
int FilterFrameClue(const GridGeometry &geo, GridRecord &grid, int side, int line);
void CheckOutsideClue(const GridGeometry &geo, GridRecord &grid, int side, int line);
int FilterOutsideClue(const GridGeometry &geo, GridRecord &grid, int side, int line);

// The clue that crosses a frame cell inside a corner block: for the cell at `position` of
// (side, line), the other side, its line and the cell's position along it. Cell -1 when the
// cell lies in no corner block that the side borders.
struct CrossingClue {
  int Cell = -1;
  int Side = -1;
  int Line = -1;
  int Position = -1;
};
CrossingClue NextBoxClue(const GridGeometry &geo, int position, int line, int side);

// Twins Total, run for the first grid of the set only: each cell's values over the main grids
// add up to the cell of the grid after them.
void CheckTwinsTotal(EngineContext &ctx, GridRecord &grid);
int FilterTwinsTotal(EngineContext &ctx, GridRecord &grid);

} // namespace quorbel
