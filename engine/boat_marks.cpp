#include "engine/boat_marks.h"

#include <algorithm>

#include "engine/geometry.h"
#include "engine/grid_record.h"
#include "engine/variant_bits.h"

namespace quorbel {

void MarkBoatCells(const GridGeometry &geo, GridRecord &grid) {
  if (!Meets(grid.GridVar, kVarBattleShip))
    return;
  for (const PuzzlePiece &boat : grid.Lists.Pieces.Used())
    for (int k = 0; k < std::clamp<int>(boat.NCells, 0, 10); ++k)
      if (IsPlayingCell(geo, boat.Cells[static_cast<size_t>(k)]))
        grid.Cells[static_cast<size_t>(boat.Cells[static_cast<size_t>(k)])].Boat = kBoatPart;
}

void SetBoatClues(const GridGeometry &geo, GridRecord &grid) {
  VariantLists &lists = grid.Lists;
  lists.BoatClueRow.fill(0);
  lists.BoatClueCol.fill(0);
  grid.Work.BoatsPerRow.fill(0);
  grid.Work.BoatsPerCol.fill(0);
  for (const PuzzlePiece &boat : lists.Pieces.Used())
    for (int k = 0; k < std::clamp<int>(boat.NCells, 0, 10); ++k)
      if (const int cell = boat.Cells[static_cast<size_t>(k)]; IsPlayingCell(geo, cell)) {
        ++lists.BoatClueRow[static_cast<size_t>(cell / geo.NCols)];
        ++lists.BoatClueCol[static_cast<size_t>(cell % geo.NCols)];
      }
}

void SetBoatMark(const GridGeometry &geo, GridRecord &grid, int cell, int mark, bool autoWater) {
  if (!IsPlayingCell(geo, cell))
    return;
  grid.Cells[static_cast<size_t>(cell)].Boat = static_cast<int8_t>(mark);
  if (mark != kBoatPart || !autoWater)
    return;
  const int row = cell / geo.NCols;
  const int col = cell % geo.NCols;
  for (int r = std::max(row - 1, 0); r <= std::min(row + 1, geo.NRows - 1); ++r)
    for (int c = std::max(col - 1, 0); c <= std::min(col + 1, geo.NCols - 1); ++c) {
      CellRecord &neighbour = grid.Cells[static_cast<size_t>(r * geo.NCols + c)];
      if (neighbour.Boat == kBoatNone)
        neighbour.Boat = kBoatWater;
    }
}

void CountBoats(const GridGeometry &geo, GridRecord &grid) {
  if (grid.Lists.Pieces.Count <= 0)
    return;
  VariantWork &work = grid.Work;
  work.BoatsPerRow.fill(0);
  work.BoatsPerCol.fill(0);
  for (int i = 0; i < geo.NCells; ++i) {
    if (grid.Cells[i].Boat != 1)
      continue;
    ++work.BoatsPerRow[geo.RowOfCell[i]];
    ++work.BoatsPerCol[geo.ColOfCell[i]];
  }
}

} // namespace quorbel
