// The marks the variant rules draw on the board: the shared strokes (clue lines, corner
// circles, comparison signs, segment figures), the marks inside the cells of the sum and
// product rules (cages, arrows, creasing lines, crossed-out cells, multiplication squares),
// and the clues beside the grid. A mark that spans cells is drawn by each cell, clipped to it,
// so that repainting one cell repaints its share.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include "engine/rule_registry.h"
#include "view/grid_draw.h"
#include "view/qt/paint_context.h"

namespace quorbel {

enum ClueLineKind : int { kClueLineAcross = 0, kClueLineDown = 1, kClueLineDiagonal = 2 };

// Dashed lines across (0) or down (1) in the border colour, 5 pixels on and 5 off; the
// diagonal through the box (2, solid); other kinds draw nothing.
void DrawClueLine(QPainter &dc, int kind, int x1, int y1, int x2, int y2, ColorRef colour);
// A small black circle in corner 0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left.
void DrawCornerCircle(QPainter &dc, const CellRect &rect, int corner);
// The sign of a comparison mark of kind 2..9 in its box between two cells; `direction` is the
// cell step from the first cell to the second (negated for kind 9).
void DrawComparisonSign(QPainter &dc, int kind, int direction, ColorRef colour, const CellRect &box);
// A seven-segment figure of the lit segments (bit 0 top, then clockwise, bit 6 the middle).
void DrawSegmentDigit(QPainter &dc, uint32_t segments, const CellRect &box, ColorRef colour, int thickness);

// The Twins Relation hatching over a cell's background, and a Relation Multiple group's circle
// in the cell, in the colour of the link's display number (view/qt/twins_decorations.cpp).
void DrawTwinsRelationHatch(const PaintContext &ctx, const CGridDraw &painter, int cell,
                            const CellRect &rect);
void DrawTwinsMultipleCircle(const PaintContext &ctx, const CGridDraw &painter, int cell);

// A clue's colour: the conflict colour when its check flagged it and conflicts are shown.
ColorRef ClueColour(const PaintContext &ctx, bool flagged, ColorRef plain);
// The rule is on in the painter's grid and the variants are not hidden.
bool RuleShown(const PaintContext &ctx, const CGridDraw &painter, VariantWords rule);
// The marks of one playing cell under its value drawn from pictures or as arrows: the chess
// figure of a listed cell, a Magic Square's stars, the Navigator arrows
// (view/qt/neighbour_decorations.cpp).
void DrawNeighbourMarks(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect);
// The marks of the cell-set and group rules under a playing cell's value: diagonal lines,
// Numeral letters, Trio symbols, domino pips, segment figures, Roman numerals, the Dan number,
// Equality signs, Wheels and MasterMind chips (view/qt/cell_set_decorations.cpp).
void DrawCellSetMarks(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect);
// A domino's nine pip places in the box: its pips black, the others white, the flagged ones in
// their colour.
void DrawPipSquare(QPainter &dc, uint32_t pips, uint32_t flagged, ColorRef flaggedColour,
                   const CellRect &box);
// A Trio class's symbol at the left of the box, then the labels of the values of that class.
void DrawTrioSymbolLabel(const PaintContext &ctx, int cellClass, const std::array<int8_t, 16> &classes,
                         const CellRect &rect);
// The marks drawn once every cell is painted, across the cells' edges: the PanDigital signs
// between the numbers they read.
void DrawOverCellMarks(const PaintContext &ctx, const CGridDraw &painter);
// The Magic Sentence's letters found so far and the MasterMind clues, in their bars under the grid.
void DrawSentenceAndMasterMindBars(const PaintContext &ctx, const CGridDraw &painter);
// The sum and product rules' marks of one playing cell, over its frame.
void DrawCellClueMarks(const PaintContext &ctx, const CGridDraw &painter, int cell);
// Where a Killer cage's total is written: the top-left corner of its first cell; not shown
// for any other cell.
CellRect CageTotalBox(const PaintContext &ctx, const CGridDraw &painter, int cell);
// The numbers beside the grid: Little Killer sums, frame clues and outside values.
void DrawSideClues(const PaintContext &ctx, const CGridDraw &painter);

// The bits of the rule rows a painter draws.
constexpr VariantWords PainterRows(std::initializer_list<RuleRow> rows) {
  VariantWords bits;
  for (RuleRow row : rows)
    bits |= RuleOf(row).Bit;
  return bits;
}
template <typename Painter, size_t N> constexpr VariantWords PaintedRows(const Painter (&painters)[N]) {
  VariantWords rows;
  for (const Painter &painter : painters)
    rows |= painter.Rows;
  return rows;
}
// One kind of mark inside a cell, drawn while one of the rows whose clues it draws is shown.
struct CellRectPainter {
  VariantWords Rows;
  void (*Draw)(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect);
};
template <size_t N>
void DrawShownMarks(const CellRectPainter (&painters)[N], const PaintContext &ctx, const CGridDraw &painter,
                    int cell, const CellRect &rect) {
  for (const CellRectPainter &marks : painters)
    if (RuleShown(ctx, painter, marks.Rows))
      marks.Draw(ctx, painter, cell, rect);
}
// One kind of mark over the whole grid, drawn while one of its rows is shown.
struct GridPainter {
  VariantWords Rows;
  void (*Draw)(const PaintContext &ctx, const CGridDraw &painter);
};
// The rule rows drawn by the painters of each decoration file, and by all of them: a rule that
// acts through clues and is missing here would be played without its clues in sight.
VariantWords CellSetMarkRows();
VariantWords CellPainterRows();
VariantWords NeighbourMarkRows();
VariantWords PaintedRuleRows();

} // namespace quorbel
