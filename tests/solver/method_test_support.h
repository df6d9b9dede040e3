// Shared helpers of the solving-method tests: a puzzle of tests/data loaded into a main
// grid with its candidates, an independent solution for it, and the check that the
// methods kept that solution.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "../engine/engine_test_support.h"
#include "engine/geometry.h"
#include "engine/propagate.h"
#include "engine/update_possibles.h"

namespace quorbel::test {

// The one-line character of a value (1..9, then ":" for 10 and on), '0' for none.
inline char ValueChar(int value) { return static_cast<char>('0' + value); }

// The grid's values as one line.
inline std::string GridLine(const EngineContext &ctx, const GridRecord &grid) {
  std::string line;
  for (int cell = 0; cell < ctx.Geo.NCells; ++cell)
    line += ValueChar(grid.Cells[cell].Status < kStatusConflict ? grid.Cells[cell].Value : 0);
  return line;
}

// A context shaped for the puzzle's size, the puzzle in main grid 0 with fresh candidates.
struct PuzzleContext {
  explicit PuzzleContext(std::string_view line) : Shaped(ShapeCodeOfSize(PuzzleWidth(line)), Host) {
    LoadPuzzleLine(Shaped.Ctx, Grid(), line);
    UpdatePossibles(Shaped.Ctx, -1, kFilterNone, 0, 1);
  }
  EngineContext &Ctx() { return Shaped.Ctx; }
  GridRecord &Grid() { return Shaped.Main(0); }
  RecordingHost Host;
  ShapedContext Shaped;
};

// A brute-force solver kept apart from the engine, so that the methods are judged by
// something they do not share: the first solution in candidate order, if any.
inline std::optional<std::string> SolvePuzzleLine(std::string line) {
  const int width = PuzzleWidth(line);
  const int cells = width * width;
  const GridShape shape = kGridShapes[ShapeCodeOfSize(width)];
  const int blockRows = shape.BlockRows;
  const int blockCols = shape.BlockCols;
  auto blockOf = [&](int cell) {
    return (cell / width) / blockRows * (width / blockCols) + (cell % width) / blockCols;
  };
  std::array<uint32_t, kMaxWidth> rows{}, cols{}, blocks{};
  for (int cell = 0; cell < cells; ++cell) {
    const int v = line[cell] - '0';
    if (v < 1 || v > width) {
      line[cell] = '0';
      continue;
    }
    const uint32_t bit = ValueBit(v);
    if (((rows[cell / width] | cols[cell % width] | blocks[blockOf(cell)]) & bit) != 0)
      return std::nullopt;
    rows[cell / width] |= bit;
    cols[cell % width] |= bit;
    blocks[blockOf(cell)] |= bit;
  }
  const uint32_t full = WidthMask(width);
  auto solve = [&](auto &self) -> bool {
    int best = -1;
    uint32_t bestFree = 0;
    int fewest = width + 1;
    for (int cell = 0; cell < cells; ++cell) {
      if (line[cell] != '0')
        continue;
      const uint32_t free = full & ~(rows[cell / width] | cols[cell % width] | blocks[blockOf(cell)]);
      const int count = CountValues(free, width);
      if (count < fewest) {
        fewest = count;
        best = cell;
        bestFree = free;
      }
    }
    if (best < 0)
      return true;
    for (int v = 1; v <= width; ++v) {
      const uint32_t bit = ValueBit(v);
      if ((bestFree & bit) == 0)
        continue;
      line[best] = ValueChar(v);
      rows[best / width] |= bit;
      cols[best % width] |= bit;
      blocks[blockOf(best)] |= bit;
      if (self(self))
        return true;
      rows[best / width] &= ~bit;
      cols[best % width] &= ~bit;
      blocks[blockOf(best)] &= ~bit;
      line[best] = '0';
    }
    return false;
  };
  if (!solve(solve))
    return std::nullopt;
  return line;
}

// Every filled cell holds the solution's value and every open cell still has it as a
// candidate. Names the first cell that breaks this.
inline ::testing::AssertionResult KeepsSolution(const EngineContext &ctx, const GridRecord &grid,
                                                std::string_view solution) {
  for (int cell = 0; cell < ctx.Geo.NCells; ++cell) {
    const CellRecord &c = grid.Cells[cell];
    const int value = solution[cell] - '0';
    if (c.Status < kStatusConflict && c.Value != value)
      return ::testing::AssertionFailure() << "cell " << cell << " holds " << c.Value << ", the solution "
                                           << value;
    if (c.Status > kStatusConflict && (c.ThePoss & ValueBit(value)) == 0)
      return ::testing::AssertionFailure() << "cell " << cell << " lost its solution value " << value;
  }
  return ::testing::AssertionSuccess();
}

} // namespace quorbel::test
