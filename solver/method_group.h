// The Group method: naked subsets. When k open cells of a unit hold only k values
// between them, no other cell of the unit can take those values.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

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

// ReduceByNakedSubsets over the cells of one grid, one search, each unit's subsets enumerated
// once while its cells stay as they are: a cell reads those that leave it out, which come in
// the order its own enumeration would find them. Forget a cell's units when the cell changes.
class UnitSubsetMemo {
public:
  void Reset(const GroupSearch &search);
  uint32_t Reduce(const EngineContext &ctx, const GridRecord &grid, int cell, GroupSearch &search);
  void Forget(const EngineContext &ctx, const GridRecord &grid, int cell);

  struct Subset {
    uint32_t Members = 0; // bits of the unit's open cells
    uint32_t Values = 0;
    int Size = 0;
    std::array<int16_t, kMaxWidth> Cells{};
  };

private:
  struct Unit {
    bool Known = false;
    std::array<int16_t, kMaxWidth> Members{};
    int Count = 0;
    std::vector<Subset> Subsets;
  };
  Unit &UnitOf(const EngineContext &ctx, const GridRecord &grid, int kind, int index);

  GroupSearch search_;
  std::array<Unit, 3 * kMaxWidth + 4> units_{};
};

} // namespace quorbel
