// Which part of the board lies under a window point: a cell record of a shown grid, the message
// panel, a grid tab, a number-bar slot or its corner, a legend line, a small value box inside a
// cell, or a challenge player's box. Plain geometry over the layout and the painters.
#pragma once

#include <span>
#include <vector>

#include "view/board_layout.h"
#include "view/grid_draw.h"
#include "view/selection_list.h"

namespace quorbel {

struct CellHit {
  int Cell = -1; // -2: the message panel
  int Grid = -1;
  bool operator==(const CellHit &) const = default;
};

// The shown grids in display order: each grid's playing cells (and with `clueNavigation` its clue
// cells up to the number bar), then its puzzle-piece records. The message panel gives (-2, -1);
// nothing gives (-1, -1).
CellHit HitTestCell(const ViewLayout &layout, std::span<const CGridDraw> painters, const GridSet &set,
                    const GridGeometry &geo, bool clueNavigation, int x, int y);
// The piece whose cells include a record, and the cell's position in it; piece -1 for none.
struct PieceHit {
  int Piece = -1;
  int Cell = -1;
};
PieceHit HitTestPuzzlePiece(const GridRecord &grid, int record);
// The records the hit test and the focus moves reach: NCells, or CellLimit with the clue cells.
int NavigableRecords(const GridGeometry &geo, bool clueNavigation);
// The clue cells take the focus while the line and column area shows them.
inline bool ClueNavigation(const GeneralSettings &general) { return general.displayLines == 1; }

// The tab under the point: 0 the whole set, k grid slot k - 1; -1 none.
int HitTestGridTab(std::span<const GridTab> tabs, int x, int y);

// -1 without a number bar or outside it; 1..W a value's slot, W + 1 and W + 2 the undo and
// picture-reload buttons; 0 inside the bar between slots.
int HitTestNumberBar(const ViewLayout &layout, int width, int x, int y);
// 1 when the point lies in the upper-right triangle of value slot 1..W (on or right of the line
// from (right - c, top) to (right, bottom), c the slot's smaller side), else -1.
int HitTestSlotCorner(const ViewLayout &layout, int slot, int x, int y);
// The legend line under the point while the legend lines act as toggles (number bar asked
// for, no pictures, not the timed or challenge mode); -1 otherwise.
int HitTestLegendToggle(const ViewLayout &layout, int legendLines, const GeneralSettings &general,
                        SymbolMode symbols, int gameMode, int x, int y);

// The value index 0..W-1 of the small value box (the two rows of the probables style) of an open
// cell under the point; -1 none.
int HitTestValueSymbol(const CGridDraw &painter, const GridGeometry &geo, int cell, bool selected, int x,
                       int y);
// The value index 0..W-1 of the candidate-matrix box of an open cell under the point, when the
// cells show their candidates as a matrix (PROBTYPE 2); -1 none.
int HitTestCandidate(const CGridDraw &painter, const GridGeometry &geo, int cell, int probType, bool selected,
                     int x, int y);

// The challenge player's box under the point (the box after the players marks them all); -1 none.
int HitTestPlayerBox(std::span<const CellRect> boxes, int x, int y);

} // namespace quorbel
