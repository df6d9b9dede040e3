#include "engine/little_killer_line.h"

#include <cstdlib>

#include "engine/geometry.h"

namespace quorbel {

std::optional<DiagonalRun> LittleKillerRun(int width, int first, int last) {
  const int cells = width * width;
  if (width < 1 || first < 0 || first >= cells || last < 0 || last >= cells)
    return std::nullopt;
  const int row = first / width;
  const int col = first % width;
  if (first == last)
    return DiagonalRun{col != 0 ? (row == 0 ? width + 1 : width - 1) : (row == 0 ? 1 - width : -width - 1),
                       1};
  // The step goes by the sign of the column and row differences (zero counts as negative).
  const int colStep = last % width > col ? 1 : -1;
  const int rowStep = last / width > row ? 1 : -1;
  const int step = colStep + width * rowStep;
  const int count = (last - first) / step + 1;
  const bool diagonal = (last - first) % step == 0 && count >= 2 && count <= width &&
                        std::abs(last % width - col) == count - 1 &&
                        std::abs(last / width - row) == count - 1;
  if (!diagonal)
    return std::nullopt;
  return DiagonalRun{step, count};
}

int LittleKillerStepOfSide(const GridGeometry &geo, int side) {
  const int w = geo.GridWidth;
  switch (side) {
  case 0:
    return 1 - w; // up and right: the arrow points down and left into the grid
  case 1:
    return w + 1;
  case 2:
    return w - 1;
  default:
    return -w - 1;
  }
}

namespace {

// Walks back from the last cell against the step while the diagonal stays in the grid.
DiagonalEnds WalkBack(const GridGeometry &geo, int last, int step) {
  const int w = geo.GridWidth;
  const int colStep = (step % w + w) % w == 1 ? 1 : -1; // the column change of one step
  const int rowStep = step > 0 ? 1 : -1;
  int row = last / w;
  int col = last % w;
  while (row - rowStep >= 0 && row - rowStep < w && col - colStep >= 0 && col - colStep < w) {
    row -= rowStep;
    col -= colStep;
  }
  return {row * w + col, last};
}

} // namespace

DiagonalEnds LittleKillerClueOfSide(const GridGeometry &geo, int side, int position) {
  const int last = PerimeterCell(geo, side, position, 0);
  if (last < 0)
    return {};
  return WalkBack(geo, last, LittleKillerStepOfSide(geo, side));
}

DiagonalEnds LittleKillerClueOfEdgeCell(const GridGeometry &geo, int cell) {
  const int w = geo.GridWidth;
  if (cell < 0 || cell >= geo.NCells)
    return {};
  const int row = cell / w;
  const int col = cell % w;
  const bool onSide[4] = {row == 0, col == w - 1, row == w - 1, col == 0};
  DiagonalEnds chosen;
  for (int side = 0; side < 4; ++side) {
    if (!onSide[side])
      continue;
    const DiagonalEnds ends = WalkBack(geo, cell, LittleKillerStepOfSide(geo, side));
    if (chosen.First < 0)
      chosen = ends;
    if (ends.First != ends.Last)
      return ends;
  }
  return chosen;
}

} // namespace quorbel
