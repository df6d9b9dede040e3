// Navigator: an arrow in a cell says that the cell's value stands again among the cells it
// points at: a diagonal to the grid's edge (directions 0 to 3: up-right, down-right, down-left,
// up-left), or part of the neighbouring row or column from the diagonal neighbour to the edge
// (4 and 5 the row above, leftwards and rightwards; 6 and 7 the column to the right, upwards
// and downwards; 8 and 9 the row below; 10 and 11 the column to the left). The rest of that
// row or column, from the cell beside the arrow's cell on, is the arrow's far side.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/variant_lists.h"

namespace quorbel {

struct GridGeometry;
struct GridRecord;

inline constexpr int kNavigatorDirections = 12;

// A straight line of cells: First, then every Step cells further, Count cells in all.
struct CellRun {
  int16_t First = 0;
  int16_t Step = 0;
  int16_t Count = 0;
  int operator[](std::size_t k) const { return First + static_cast<int>(k) * Step; }
};

struct NavigatorPath {
  CellRun Walk;
  CellRun Far; // Far[0] is the cell beside the arrow's cell
};

// Each arrow's path as last worked out, with the arrow and grid width it came from: an entry
// that no longer matches is worked out again, so arrows and geometry may change by any route.
// Like the filter digests, it never travels with a grid.
struct NavigatorPathMemo {
  struct Entry {
    CellRef Cell = -1;
    int8_t Direction = -1;
    int8_t Width = 0;
    NavigatorPath Path;
  };
  std::array<Entry, decltype(VariantLists::Navigator)::kCapacity> Entries{};
};

// No walk for a direction outside 0..11 (an arrow kept from a definition that had none).
NavigatorPath NavigatorPathOf(const GridGeometry &geo, int cell, int direction);

void CheckNavigator(const GridGeometry &geo, GridRecord &grid, int i);
int FilterNavigator(const GridGeometry &geo, GridRecord &grid, int i);

} // namespace quorbel
