// The grids the program shows and solves: up to 12 main grids, each with a reference
// (solution) grid, the order in which they are shown and the focus.
#pragma once

#include <array>
#include <cstdint>

#include "engine/grid_record.h"

namespace quorbel {

constexpr int kMaxGrids = 12;

struct GridSet {
  std::array<GridRecord, kMaxGrids> Main;
  std::array<GridRecord, kMaxGrids + 1> RefTab; // RefTab[i] is the solution of Main[i]; the last is spare
  int32_t MainCount = 1;                        // main grids in use, 1..12
  int32_t AllCount = 1;                         // grid slots in use
  int32_t OrderCount = 1;
  int32_t FocusCell = 0;
  int32_t FocusGrid = 0;
  std::array<int32_t, kMaxGrids> Order = IdentityOrder();
  int32_t SpareWord = 0;

  static constexpr std::array<int32_t, kMaxGrids> IdentityOrder() {
    std::array<int32_t, kMaxGrids> order{};
    for (int i = 0; i < kMaxGrids; ++i)
      order[i] = i;
    return order;
  }
};

// The slot of a main grid in use, -1 for any other grid (reference, snapshot, scratch).
int MainGridSlot(const GridSet &set, const GridRecord &grid);

} // namespace quorbel
