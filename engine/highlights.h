// The highlight flags the board paints: CellHighlight on cells, UnitHighlight on the unit
// summaries (a flagged summary highlights its whole unit) or on single cells.
#pragma once

namespace quorbel {

struct GridGeometry;
struct GridRecord;

enum HighlightKind : int {
  kHighlightRow = 0,
  kHighlightColumn = 1,
  kHighlightBlock = 2,
  kHighlightDiag1 = 3,
  kHighlightDiag2 = 4,
  kHighlightExtra1 = 5,
  kHighlightExtra2 = 6,
  kHighlightRecord = 7,    // the single record n
  kHighlightCellUnits = 8, // the row, column and block of cell n, then both diagonals
};

void ClearCellHighlights(GridRecord &grid);
void ClearUnitHighlights(GridRecord &grid);
// Sets UnitHighlight on the unit's summary record; an unknown kind or an n outside the
// grid sets nothing.
void HighlightUnit(const GridGeometry &geo, int kind, int n, GridRecord &grid);

} // namespace quorbel
