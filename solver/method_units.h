// The units the methods walk, by UnitKind: a cell's row, column or block index, and the
// cells of a unit (the grid's own block table; the diagonals and extra regions are one
// unit each).
#pragma once

#include <cstdint>
#include <span>

namespace quorbel {

struct GridGeometry;
struct GridRecord;

// 0 for the diagonals and extra regions.
int UnitIndexOfCell(const GridGeometry &geo, const GridRecord &grid, int kind, int cell);

// GridWidth entries; a region's may hold -1 for no cell.
std::span<const int16_t> UnitCells(const GridGeometry &geo, const GridRecord &grid, int kind, int unit);

} // namespace quorbel
