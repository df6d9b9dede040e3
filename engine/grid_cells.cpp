// Cell arrays and region tables of one grid under the current geometry.
#include "engine/grid_cells.h"

#include <algorithm>
#include <bitset>
#include <new>

#include "engine/engine_context.h"
#include "engine/puzzle_pieces.h"

namespace quorbel {

namespace {

// The layout gives each playing cell to exactly one of the W blocks.
bool IsCompleteLayout(const GridGeometry &geo, const BlockLayout &layout) {
  if (!layout.Defined())
    return false;
  std::bitset<kMaxCells> seen;
  for (int b = 0; b < geo.GridWidth; ++b) {
    for (int k = 0; k < geo.GridWidth; ++k) {
      const int cell = layout.Cells[b][k];
      if (!IsPlayingCell(geo, cell) || seen[cell])
        return false;
      seen.set(cell);
    }
  }
  return true;
}

int RegularBlockCell(const GridGeometry &geo, int block, int k) {
  return geo.BlockCols * (block % geo.BlockRows) + k % geo.BlockCols +
         geo.NCols * (k / geo.BlockCols + geo.BlockRows * (block / geo.BlockRows));
}

void BuildRegions(const GridGeometry &geo, GridRecord &grid) {
  for (auto &marks : grid.RegionMark)
    std::fill_n(marks.begin(), geo.NCells, int8_t{-1});
  const bool extraRegions = Meets(grid.GridVar, kVarExtraRegion);
  for (int k = 0; k < geo.NRows; ++k) {
    if (extraRegions) {
      for (int r = 0; r < 4; ++r)
        grid.RegionCells[r][k] = grid.Lists.Layout.Cells[r][k];
    } else {
      grid.RegionCells[kRegionDiag1][k] = static_cast<CellRef>(k * (geo.NCols + 1));
      grid.RegionCells[kRegionDiag2][k] = static_cast<CellRef>((geo.NCols - 1) * (k + 1));
      grid.RegionCells[kRegionExtra1][k] = -1;
      grid.RegionCells[kRegionExtra2][k] = -1;
    }
    for (int r = 0; r < 4; ++r) {
      const int cell = grid.RegionCells[r][k];
      if (IsPlayingCell(geo, cell))
        grid.RegionMark[r][cell] = static_cast<int8_t>(r);
    }
  }
}

void BuildBlocks(const GridGeometry &geo, GridRecord &grid) {
  const bool irregular = Meets(grid.GridVar, kVarIrregular) && IsCompleteLayout(geo, grid.Lists.Layout);
  for (int b = 0; b < geo.GridWidth; ++b) {
    for (int k = 0; k < geo.GridWidth; ++k) {
      const int cell = irregular ? grid.Lists.Layout.Cells[b][k] : RegularBlockCell(geo, b, k);
      grid.BlockCells[b][k] = static_cast<int16_t>(cell);
      grid.BlockOfCell[cell] = static_cast<int16_t>(b);
    }
  }
}

void BuildBlockBorders(const GridGeometry &geo, GridRecord &grid) {
  for (CellRecord &cell : grid.Cells)
    cell.BlockBorders.fill(0);
  std::span<CellRecord> cells = grid.PlayingCells(geo);
  for (size_t i = 0; i < cells.size(); ++i) {
    const int cell = static_cast<int>(i);
    const int row = geo.RowOfCell[cell];
    const int col = geo.ColOfCell[cell];
    const int block = grid.BlockOfCell[cell];
    auto otherBlock = [&](int neighbour) { return grid.BlockOfCell[neighbour] != block; };
    cells[i].BlockBorders = {
        static_cast<int8_t>(col == 0 || otherBlock(cell - 1)),
        static_cast<int8_t>(col == geo.NCols - 1 || otherBlock(cell + 1)),
        static_cast<int8_t>(row == 0 || otherBlock(cell - geo.NCols)),
        static_cast<int8_t>(row == geo.NRows - 1 || otherBlock(cell + geo.NCols)),
    };
  }
}

} // namespace

void ApplyOddEvenMarks(const GridGeometry &geo, GridRecord &grid) {
  for (CellRecord &cell : grid.PlayingCells(geo))
    cell.OddEven = -1;
  if (!Meets(grid.GridVar, kVarOdd))
    return;
  for (const OddEvenMark &mark : grid.Lists.OddEven.Used())
    if (IsPlayingCell(geo, mark.Cell) && static_cast<size_t>(mark.Cell) < grid.Cells.size())
      grid.Cells[mark.Cell].OddEven = mark.Mark;
}

int PuzzlePieceRecords(const GridGeometry &geo, const VariantLists &lists) {
  int used = 0;
  for (const PuzzlePiece &piece : lists.Pieces.Used()) {
    const int n = std::clamp<int>(piece.NCells, 0, kMaxPieceDigits);
    if (used + n > geo.NCells)
      break;
    used += n;
  }
  return used;
}

bool CanAddPuzzlePiece(const GridGeometry &geo, const VariantLists &lists, int nCells) {
  return nCells >= 0 && nCells <= kMaxPieceDigits && !lists.Pieces.Full() &&
         PuzzlePieceRecords(geo, lists) + nCells <= geo.NCells;
}

void ResetRegionTables(const GridGeometry &geo, GridRecord &grid) {
  int records = geo.NCellRecs;
  if (Meets(grid.GridVar, kVarPieceRules))
    records += PuzzlePieceRecords(geo, grid.Lists);
  grid.NRecords = std::min(records, static_cast<int>(grid.Cells.size()));
  BuildRegions(geo, grid);
  BuildBlocks(geo, grid);
  ApplyOddEvenMarks(geo, grid);
  BuildBlockBorders(geo, grid);
}

void AllocGridCells(EngineContext &ctx, GridRecord &grid, int resetGrid, int takeVariant) {
  const GridGeometry &geo = ctx.Geo;
  if (takeVariant == 1) {
    grid.GridVar = ctx.Settings.CurrentVariant;
  }
  if (geo.NCellRecs != grid.AllocRecords) {
    grid.AllocRecords = geo.NCellRecs;
    try {
      grid.Cells.assign(static_cast<size_t>(geo.AllocatedRecords()), MakeClearedCell(geo));
    } catch (const std::bad_alloc &) {
      AbortOutOfMemory(ctx);
    }
    grid.Lists.Layout.Cells[0][0] = -1;
    NumberCells(grid);
  }
  if (resetGrid == 1) {
    ResetGrid(geo, grid, kResetAll);
    ResetGridState(grid);
  }
  // After the reset: it clears every cell's block borders and the lists the tables come from.
  ResetRegionTables(geo, grid);
}

void HideGridContents(const GridGeometry &geo, int flag, GridRecord &grid) {
  for (CellRecord &cell : grid.PlayingCells(geo))
    cell.NotDrawn = static_cast<int8_t>(flag);
}

} // namespace quorbel
