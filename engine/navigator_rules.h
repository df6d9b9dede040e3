// Navigator: an arrow in a cell says that the cell's value stands again among the cells it
// points at: a diagonal to the grid's edge (directions 0 to 3: up-right, down-right, down-left,
// up-left), or part of the neighbouring row or column from the diagonal neighbour to the edge
// (4 and 5 the row above, leftwards and rightwards; 6 and 7 the column to the right, upwards
// and downwards; 8 and 9 the row below; 10 and 11 the column to the left). The rest of that
// row or column, from the cell beside the arrow's cell on, is the arrow's far side.
#pragma once

#include <array>

namespace quorbel {

struct GridGeometry;
struct GridRecord;

inline constexpr int kNavigatorDirections = 12;

struct NavigatorPath {
  std::array<int, 16> Walk{};
  int WalkCount = 0;
  std::array<int, 16> Far{}; // Far[0] is the cell beside the arrow's cell
  int FarCount = 0;
};

// No walk for a direction outside 0..11 (an arrow kept from a definition that had none).
NavigatorPath NavigatorPathOf(const GridGeometry &geo, int cell, int direction);

void CheckNavigator(const GridGeometry &geo, GridRecord &grid, int i);
int FilterNavigator(const GridGeometry &geo, GridRecord &grid, int i);

} // namespace quorbel
