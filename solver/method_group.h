// The Group method: naked subsets. When k open cells of a unit hold only k values
// between them, no other cell of the unit can take those values.
#pragma once

#include <array>
#include <cstdint>

#include "engine/value_mask.h"
#include "solver/method_mask.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;

struct NakedSubset {
  int Size = -1; // -1: none found
  int Kind = 0;  // UnitKind of the unit it was found in
  std::array<int16_t, kMaxWidth> Cells{};
};

struct GroupSearch {
  // Entry n: subsets of n + 1 cells are looked for (GroupSizeFlags).
  std::array<int8_t, kMaxWidth> SizeFlags{};
  int DepthLimit = -1; // the largest enabled entry; -1 none
  NakedSubset Largest; // of the last cell reduced; the first found of the largest size
};

// Entry 0 off; entries 1..6 from the mask's sizes 2..7; the larger sizes follow size 7.
GroupSearch MakeGroupSearch(MethodMask mask, int width);

// The cell's candidates less the values of every enabled naked subset among the other
// open (status 6) cells of each of its units: row, column, block and the diagonals and
// extra regions it lies on. search.Largest receives the largest subset found.
uint32_t ReduceByNakedSubsets(const EngineContext &ctx, const GridRecord &grid, int cell,
                              GroupSearch &search);

} // namespace quorbel
