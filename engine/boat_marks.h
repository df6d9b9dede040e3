// The player's marks on a Battle Ship grid: a boat cell, water, or nothing.
#pragma once

namespace quorbel {

struct GridGeometry;
struct GridRecord;

enum : int { kBoatNone = 0, kBoatPart = 1, kBoatWater = 2 };

// Every cell of every boat of a Battle Ship grid becomes a boat cell.
void MarkBoatCells(const GridGeometry &geo, GridRecord &grid);
// The clues beside a Battle Ship grid from its boats: the boat cells of each row and column. The
// player's counts start again from nothing.
void SetBoatClues(const GridGeometry &geo, GridRecord &grid);
// The cell takes the mark; a boat cell with `autoWater` turns its unmarked neighbours, corners
// included, into water, since boats never touch.
void SetBoatMark(const GridGeometry &geo, GridRecord &grid, int cell, int mark, bool autoWater);
// The player's boat cells of each row and column, set beside the clues at every check of a grid
// with boats.
void CountBoats(const GridGeometry &geo, GridRecord &grid);

} // namespace quorbel
