// The plain board's propagation, step for step as InitPossibles and ApplyProbables take it.
#include "solver/plain_board.h"

#include <algorithm>

#include "engine/grid_record.h"
#include "engine/method_probables.h"
#include "engine/propagate.h"
#include "engine/unit_summary.h"

namespace quorbel {

bool ReadPlainValues(const GridGeometry &geo, const GridRecord &grid, PlainValues &values) {
  if (HasVariantRules(grid) || !FitsGeometry(geo, grid) || geo.NCells > kMaxCells)
    return false;
  std::array<uint32_t, kMaxWidth> rows{};
  std::array<uint32_t, kMaxWidth> cols{};
  std::array<uint32_t, kMaxWidth> blocks{};
  for (int c = 0; c < geo.NCells; ++c) {
    const CellRecord &cell = grid.Cells[c];
    if (cell.ImageIndex >= 0 || cell.ImageFlag == 1 || cell.MarkerState == 1)
      return false;
    values[c] = 0;
    if (IsOpenStatus(cell.Status))
      continue;
    const bool plainStatus =
        cell.Status == kStatusPlaced || cell.Status == kStatusPlacedLastStep || cell.Status == kStatusFixed;
    const uint32_t bit = ValueBit(cell.Value) & geo.FullMask;
    // Propagation leaves a filled cell its marks as candidates, or its candidates without marks.
    const uint32_t kept = cell.Marks != 0 ? cell.Marks : cell.ThePoss;
    const int block = grid.BlockOfCell[c];
    if (!plainStatus || bit == 0 || kept != bit || (~cell.Excluded & geo.FullMask) != bit || block < 0 ||
        block >= geo.GridWidth)
      return false;
    uint32_t &row = rows[geo.RowOfCell[c]];
    uint32_t &col = cols[geo.ColOfCell[c]];
    if (((row | col | blocks[block]) & bit) != 0)
      return false;
    row |= bit;
    col |= bit;
    blocks[block] |= bit;
    values[c] = static_cast<uint8_t>(cell.Value);
  }
  // The board reads a block from its list of cells and a cell's block from the cell.
  for (int b = 0; b < geo.GridWidth; ++b)
    for (int k = 0; k < geo.GridWidth; ++k)
      if (const int c = grid.BlockCells[b][k]; c < 0 || c >= geo.NCells || grid.BlockOfCell[c] != b)
        return false;
  return true;
}

PlainBoard::PlainBoard(const GridGeometry &geo, const GridRecord &grid, const PlainValues &values)
    : geo_(geo), blockCells_(grid.BlockCells), blockOfCell_(grid.BlockOfCell) {
  std::copy_n(values.begin(), geo.NCells, values_.begin());
  rowFree_.fill(geo.FullMask);
  colFree_.fill(geo.FullMask);
  blockFree_.fill(geo.FullMask);
  for (int c = 0; c < geo.NCells; ++c)
    if (values_[c] != 0)
      Take(c, ValueBit(values_[c]));
  for (int b = 0; b < geo.GridWidth; ++b) {
    BlockSpan &span = spans_[b];
    span = {geo.GridWidth, -1, geo.GridWidth, -1};
    for (int k = 0; k < geo.GridWidth; ++k) {
      const int c = blockCells_[b][k];
      span.FirstRow = std::min<int>(span.FirstRow, geo.RowOfCell[c]);
      span.LastRow = std::max<int>(span.LastRow, geo.RowOfCell[c]);
      span.FirstCol = std::min<int>(span.FirstCol, geo.ColOfCell[c]);
      span.LastCol = std::max<int>(span.LastCol, geo.ColOfCell[c]);
    }
  }
}

void PlainBoard::Take(int c, uint32_t bit) {
  rowFree_[geo_.RowOfCell[c]] &= ~bit;
  colFree_[geo_.ColOfCell[c]] &= ~bit;
  blockFree_[blockOfCell_[c]] &= ~bit;
}

void PlainBoard::Place(int cell, int value) {
  values_[cell] = static_cast<uint8_t>(value);
  Take(cell, ValueBit(value));
}

void PlainBoard::Propagate(bool probables) {
  for (int c = 0; c < geo_.NCells; ++c)
    poss_[c] = values_[c] != 0 ? ValueBit(values_[c]) : FreeAt(c);
  if (!probables)
    return;
  uint32_t blocksToRead = kEveryBlock;
  while (ProbablesPass(blocksToRead)) {
  }
}

// ApplyProbables' pass: the values whose two or three places in a block share a line leave
// the rest of the line.
bool PlainBoard::ProbablesPass(uint32_t &blocksToRead) {
  const int width = geo_.GridWidth;
  bool removed = false;
  for (int block = 0; block < width; ++block) {
    if ((blocksToRead & (1u << block)) == 0)
      continue;
    blocksToRead &= ~(1u << block);
    // BlockPlaces' reading, its lines numbered from the block's first row and column: no
    // other line holds its places.
    const BlockSpan &span = spans_[block];
    const int rowCount = span.LastRow - span.FirstRow + 1;
    const int colCount = span.LastCol - span.FirstCol + 1;
    std::array<uint32_t, kMaxWidth> rows;
    std::array<uint32_t, kMaxWidth> cols;
    std::fill_n(rows.begin(), rowCount, 0u);
    std::fill_n(cols.begin(), colCount, 0u);
    uint32_t once = 0, twice = 0, thrice = 0, fourTimes = 0;
    for (int k = 0; k < width; ++k) {
      const int c = blockCells_[block][k];
      if (values_[c] != 0)
        continue;
      const uint32_t values = poss_[c];
      fourTimes |= thrice & values;
      thrice |= twice & values;
      twice |= once & values;
      once |= values;
      rows[geo_.RowOfCell[c] - span.FirstRow] |= values;
      cols[geo_.ColOfCell[c] - span.FirstCol] |= values;
    }
    // Values whose two or three places lie on one line.
    const uint32_t twoOrThree = twice & ~fourTimes;
    if (twoOrThree == 0)
      continue;
    const auto onOneLine = [&](const std::array<uint32_t, kMaxWidth> &lines, int count) {
      uint32_t seen = 0, again = 0;
      for (int line = 0; line < count; ++line) {
        again |= seen & lines[line];
        seen |= lines[line];
      }
      return seen & ~again & twoOrThree;
    };
    if (const uint32_t oneRow = onOneLine(rows, rowCount); oneRow != 0)
      for (int line = 0; line < rowCount; ++line)
        if ((rows[line] & oneRow) != 0)
          removed |= RemoveOutsideBlock(geo_.RowCells[span.FirstRow + line], block, rows[line] & oneRow,
                                        blocksToRead);
    if (const uint32_t oneCol = onOneLine(cols, colCount); oneCol != 0)
      for (int line = 0; line < colCount; ++line)
        if ((cols[line] & oneCol) != 0)
          removed |= RemoveOutsideBlock(geo_.ColCells[span.FirstCol + line], block, cols[line] & oneCol,
                                        blocksToRead);
  }
  return removed;
}

bool PlainBoard::RemoveOutsideBlock(const std::array<int16_t, kMaxWidth> &line, int block, uint32_t values,
                                    uint32_t &blocksToRead) {
  bool removed = false;
  for (int k = 0; k < geo_.GridWidth; ++k) {
    const int c = line[k];
    const int cellBlock = blockOfCell_[c];
    if (cellBlock == block || values_[c] != 0 || (poss_[c] & values) == 0)
      continue;
    poss_[c] &= ~values;
    blocksToRead |= 1u << cellBlock;
    removed = true;
  }
  return removed;
}

bool PlainBoard::Contradicted() const {
  for (int c = 0; c < geo_.NCells; ++c)
    if (poss_[c] == 0)
      return true;
  return false;
}

int PlainBoard::HiddenSingle(uint32_t bit) const {
  // The places of the value in each unit, counted in one walk over the cells: the first unit
  // (rows, then columns, then blocks) with one place is the one FindHiddenSingle reads first.
  std::array<uint8_t, kMaxWidth> rowCount{}, colCount{}, blockCount{};
  std::array<int16_t, kMaxWidth> rowPlace{}, colPlace{}, blockPlace{};
  for (int c = 0; c < geo_.NCells; ++c) {
    if (values_[c] != 0 || (poss_[c] & bit) == 0)
      continue;
    const int row = geo_.RowOfCell[c], col = geo_.ColOfCell[c], block = blockOfCell_[c];
    ++rowCount[row];
    rowPlace[row] = static_cast<int16_t>(c);
    ++colCount[col];
    colPlace[col] = static_cast<int16_t>(c);
    ++blockCount[block];
    blockPlace[block] = static_cast<int16_t>(c);
  }
  for (const auto &[count, place] : {std::pair{&rowCount, &rowPlace}, std::pair{&colCount, &colPlace},
                                     std::pair{&blockCount, &blockPlace}})
    for (int n = 0; n < geo_.GridWidth; ++n)
      if ((*count)[n] == 1)
        return (*place)[n];
  return -1;
}

} // namespace quorbel
