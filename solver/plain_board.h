// Propagation on the values alone, for the methods' trials on a grid without rules. There
// propagation reads only the filled cells: each open cell gets what its units leave, then the
// Probables passes narrow the candidates block after block, pass after pass. The same steps
// in the same order on a value and a candidate mask per cell leave the same candidates as a
// scratch grid would, without copying records or rebuilding unit summaries.
#pragma once

#include <array>
#include <cstdint>

#include "engine/geometry.h"

namespace quorbel {

struct GridRecord;

// The values of the playing cells, 0 for an open one.
using PlainValues = std::array<uint8_t, kMaxCells>;

// Whether a scratch copy of the grid propagates from its values alone: no rule, and every
// playing cell open or holding its value plainly (placed or fixed, the value's bit its only
// candidate and mark, no repeat in a unit, no picture that a placed value starts). The
// values into `values`.
bool ReadPlainValues(const GridGeometry &geo, const GridRecord &grid, PlainValues &values);

// A scratch board of the grid's values. Valid while the grid keeps its blocks.
class PlainBoard {
public:
  PlainBoard(const GridGeometry &geo, const GridRecord &grid, const PlainValues &values);

  // Whether the value's bit is free in the units of an open cell: otherwise the scratch grid
  // would hold a repeat, which only the scratch grid itself reads right.
  bool Allows(int cell, uint32_t bit) const { return values_[cell] == 0 && (FreeAt(cell) & bit) != 0; }
  void Place(int cell, int value);
  // Every open cell's candidates from its units, then (with `probables`) the Probables passes
  // until one removes nothing, as Propagate does.
  void Propagate(bool probables);

  // After Propagate: a filled cell's value bit, an open cell's candidates.
  uint32_t Poss(int cell) const { return poss_[cell]; }
  // An open cell left without candidates: propagation's contradiction.
  bool Contradicted() const;
  // FindHiddenSingle: the only place of the value in a row, else a column, else a block; -1.
  int HiddenSingle(uint32_t bit) const;

private:
  uint32_t FreeAt(int c) const {
    return rowFree_[geo_.RowOfCell[c]] & colFree_[geo_.ColOfCell[c]] & blockFree_[blockOfCell_[c]];
  }
  void Take(int c, uint32_t bit);
  bool ProbablesPass(uint32_t &blocksToRead);
  bool RemoveOutsideBlock(const std::array<int16_t, kMaxWidth> &line, int block, uint32_t values,
                          uint32_t &blocksToRead);

  // The rows and columns each block spans.
  struct BlockSpan {
    int FirstRow, LastRow, FirstCol, LastCol;
  };

  const GridGeometry &geo_;
  const UnitTable &blockCells_;
  const CellTable &blockOfCell_;
  PlainValues values_;
  std::array<uint32_t, kMaxCells> poss_;
  std::array<uint32_t, kMaxWidth> rowFree_, colFree_, blockFree_;
  std::array<BlockSpan, kMaxWidth> spans_;
};

} // namespace quorbel
