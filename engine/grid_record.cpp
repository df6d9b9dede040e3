// Construction, reset levels and state of a grid record.
#include "engine/grid_record.h"

#include <algorithm>

#include "engine/engine_context.h"

namespace quorbel {

namespace {
// Serial numbers of grid records, process-wide like the records' uses.
int32_t gNextGridId = 0;

// Empties every clue list. The block layout, the Kimo modulus and the Zero flag belong
// to the grid's shape rather than to a puzzle and stay; level 0 also keeps the Twins
// Zone links and the twins partner of linked grids.
void ClearVariantLists(VariantLists &lists, bool keepTwinsLinks) {
  VariantLists fresh;
  fresh.Layout = lists.Layout;
  fresh.KimoModulus = lists.KimoModulus;
  fresh.ZeroFlag = lists.ZeroFlag;
  if (keepTwinsLinks) {
    fresh.TwinsZone = lists.TwinsZone;
    fresh.TwinsPartner = lists.TwinsPartner;
  }
  lists = fresh;
}
} // namespace

GridRecord::GridRecord() : Id(gNextGridId++) {}

std::span<CellRecord> GridRecord::PlayingCells(const GridGeometry &geo) {
  return {Cells.data(), std::min(Cells.size(), static_cast<size_t>(std::max(geo.NCells, 0)))};
}

std::span<const CellRecord> GridRecord::PlayingCells(const GridGeometry &geo) const {
  return {Cells.data(), std::min(Cells.size(), static_cast<size_t>(std::max(geo.NCells, 0)))};
}

void NumberCells(GridRecord &grid) {
  for (size_t i = 0; i < grid.Cells.size(); ++i)
    grid.Cells[i].Index = static_cast<int32_t>(i);
}

int ResetGrid(const GridGeometry &geo, GridRecord &grid, int level) {
  for (CellRecord &cell : grid.Cells) {
    if (level == kResetKeepLastStep) {
      if (cell.Status != kStatusPlacedLastStep)
        ClearCell(geo, cell, 1);
    } else {
      ClearCell(geo, cell, level);
    }
  }

  grid.SearchStarted = 0;
  grid.SearchStop = 0;
  for (CellRecord &cell : grid.Cells)
    cell.CellHighlight = 0;
  grid.TrialWord = 0;

  if (level == kResetKeepLastStep || level == kResetAll) {
    ClearVariantLists(grid.Lists, level == kResetKeepLastStep);
    grid.Work = VariantWork{};
    for (CellRecord &cell : grid.Cells) {
      cell.CellClass = 0;
      cell.Numeral = -1;
      cell.AllowedMaskWord = kAllowedMaskWordAll;
      cell.AllowedSet = 0;
      cell.ImageIndex = -1;
      cell.ImageFlag = 0;
      cell.MasterMindLine = -1;
      cell.MarkerState = 0;
      cell.MarkerWord = 0;
      cell.CrossedOut = 0;
      if (level == kResetAll) {
        cell.AllowedIndex = 0;
        cell.AllowedType = kAllowedTypeNone;
      }
    }
  }

  ResetCellColours(grid, -1);
  return 1;
}

int ClearGrid(const EngineContext &ctx, GridRecord &grid, int level) {
  ResetGrid(ctx.Geo, grid, level);
  if (ctx.Settings.PuzzleRotation == 1)
    grid.Lists.PuzzleRotation = 1;
  return 1;
}

void ResetGridState(GridRecord &grid) {
  grid.State = kGridReset;
  grid.SudMissing = -1;
  grid.SearchDepth = 0;
  grid.SearchStarted = 0;
}

void ResetCellColours(GridRecord &grid, int value) {
  for (CellRecord &cell : grid.Cells) {
    cell.ColourSet = -1;
    cell.EliminationSet = 0;
    cell.ColourValue = value;
  }
}

} // namespace quorbel
