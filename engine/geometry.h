// Grid geometry: the nine shapes, and the numbering shared by every grid of the
// current shape. Record layout of a grid's cell array:
//   0 .. NCells-1                 playing cells, row by row
//   RowUnitBase + r               summary of row r (also the clue cell beside it)
//   ColUnitBase + c               summary of column c (also the clue cell above it)
//   CellLimit - 1                 the number bar
//   BlockUnitBase + b             summary of block b
//   Diag1Unit, Diag2Unit, Extra1Unit, Extra2Unit
//   NCellRecs ..                  spare records for puzzle-piece cells (NCells of them)
#pragma once

#include <array>
#include <cstdint>

#include "engine/value_mask.h"

namespace quorbel {

constexpr int kMaxCells = kMaxWidth * kMaxWidth;
constexpr int kShapeCount = 9;

struct GridShape {
  int32_t Size;
  int32_t BlockRows; // block height
  int32_t BlockCols; // block width
};
// Indexed by shape code.
constexpr std::array<GridShape, kShapeCount> kGridShapes = {{
    {4, 2, 2},
    {6, 3, 2},
    {6, 2, 3},
    {8, 4, 2},
    {8, 2, 4},
    {9, 3, 3},
    {12, 4, 3},
    {12, 3, 4},
    {16, 4, 4},
}};
constexpr int kDefaultShape = 5;

// Sides of the grid, as the clues around it see them.
enum GridSide : int { kSideTop = 0, kSideRight = 1, kSideBottom = 2, kSideLeft = 3 };

using CellTable = std::array<int16_t, kMaxCells>;
using UnitTable = std::array<std::array<int16_t, kMaxWidth>, kMaxWidth>;

struct GridGeometry {
  int32_t NRows = 0;
  int32_t NCols = 0;
  int32_t BlockRows = 0;
  int32_t BlockCols = 0;
  int32_t GridWidth = 0; // symbols, and cells of a row, column or block
  int32_t NBlockCols = 0;
  int32_t NBlockRows = 0;
  int32_t NCells = 0;
  int32_t RowUnitBase = 0;
  int32_t ColUnitBase = 0;
  int32_t CellLimit = 0;
  int32_t BlockUnitBase = 0;
  int32_t Diag1Unit = 0;
  int32_t Diag2Unit = 0;
  int32_t Extra1Unit = 0;
  int32_t Extra2Unit = 0;
  int32_t NUnits = 0;
  int32_t NCellRecs = 0;
  uint32_t FullMask = 0;

  CellTable RowOfCell{};
  CellTable ColOfCell{};
  CellTable PosInBlock{}; // read by the Pirate rule only
  UnitTable RowCells{};   // [r][k]: k-th cell of row r
  UnitTable ColCells{};   // [c][k]: k-th cell of column c

  // Copies of the block tables of the last grid processed by BuildGridTables.
  int32_t SharedNRecords = 0;
  UnitTable SharedBlockCells{};
  CellTable SharedBlockOfCell{};

  int32_t NumberBar() const { return CellLimit - 1; }
  // Records allocated per grid: the unit summaries and room for puzzle-piece cells.
  int32_t AllocatedRecords() const { return NCellRecs + NCells; }
};

// 4 -> 0, 6 -> 2, 8 -> 4, 12 -> 7, 16 -> 8, any other size -> 5.
int ShapeCodeOfSize(int size);
// The shape of the same size that a reader knowing only the size takes (a text grid's), for
// shape code `code` (clamped to the codes).
int ShapeReadBackAs(int code);
// Column of the variant availability table: 4 -> 0, 6 -> 1, 8 -> 2, 12 -> 4, 16 -> 5, else 3.
int SizeClassOfGrid(const GridGeometry &geo);
int SizeClassOfShape(int shape);
// The shape code of the current geometry, -1 for a size without one.
int ShapeCodeOfGeometry(const GridGeometry &geo);

// A playing cell of the grid, as against the records after them, or no cell at all.
inline bool IsPlayingCell(const GridGeometry &geo, int cell) { return cell >= 0 && cell < geo.NCells; }

// Only the nine shapes can be played: square grids of W x W cells with the blocks of a shape of
// that size; anything else (a zero side, sides whose product wraps, a hostile file) is refused.
bool IsValidGeometry(int rows, int cols, int blockRows, int blockCols, int width);

// Rebuilds every value and table above from the five stored sizes; false (and no
// change) when a block side is 0.
bool ComputeGeometryTables(GridGeometry &geo);

// Cell i of line `line` seen from a side: 0 top (column counted downwards), 1 right (row
// counted leftwards), 2 bottom (column counted upwards), 3 left (row counted rightwards).
// -1 when side, line or i lies outside the grid.
int PerimeterCell(const GridGeometry &geo, int side, int line, int i);

// Every two side-by-side cells, in cell order: each cell with its right, then its lower neighbour.
template <typename Visit> void ForEachAdjacentPair(const GridGeometry &geo, Visit visit) {
  for (int c = 0; c < geo.NCells; ++c) {
    if (geo.ColOfCell[c] + 1 < geo.GridWidth)
      visit(c, c + 1);
    if (geo.RowOfCell[c] + 1 < geo.GridWidth)
      visit(c, c + geo.GridWidth);
  }
}

// Every cell a knight's move away (two rows and one column, or one row and two columns) that
// lies inside the grid.
template <typename Visit> void ForEachKnightMove(const GridGeometry &geo, int cell, Visit visit) {
  static constexpr std::array<std::array<int, 2>, 8> kMoves = {
      {{2, 1}, {1, 2}, {-1, 2}, {-2, 1}, {-2, -1}, {-1, -2}, {1, -2}, {2, -1}}};
  const int r = geo.RowOfCell[cell];
  const int c = geo.ColOfCell[cell];
  for (const auto &[dr, dc] : kMoves) {
    const int rr = r + dr;
    const int cc = c + dc;
    if (rr >= 0 && rr < geo.GridWidth && cc >= 0 && cc < geo.GridWidth)
      visit(rr * geo.GridWidth + cc);
  }
}

} // namespace quorbel
