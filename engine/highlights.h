// The highlight flags the board paints: CellHighlight on cells, UnitHighlight on the unit
// summaries (a flagged summary highlights its whole unit) or on single cells.
#pragma once

namespace quorbel {

struct GridGeometry;
struct GridRecord;

// HighlightUnit's kinds are the UnitKind values (row, column, block, diagonal 1 and 2,
// extra region 1 and 2, 7 the single record n) and this one: the row, column and block of
// cell n, then both diagonals.
constexpr int kHighlightCellUnits = 8;

void ClearCellHighlights(GridRecord &grid);
void ClearUnitHighlights(GridRecord &grid);
// Sets UnitHighlight on the unit's summary record; an unknown kind or an n outside the
// grid sets nothing.
void HighlightUnit(const GridGeometry &geo, int kind, int n, GridRecord &grid);

} // namespace quorbel
