#include "view/qt/board_painter.h"

#include <algorithm>
#include <utility>

#include "engine/unit_queries.h"
#include "platform/qt/colour_ref.h"
#include "view/qt/cell_painter.h"
#include "view/qt/paint_tools.h"
#include "view/qt/piece_painter.h"
#include "view/qt/variant_decorations.h"

namespace quorbel {

namespace {

// The highlight marks stop this far short of both ends of their cell side.
constexpr int32_t kFrameLineInset = 6;
constexpr int32_t kFrameLineWidth = 4;
// An extra grid's frame: its first outline this far outside the grid, then one per pixel of width.
constexpr int32_t kExtraFrameDistance = 5;
constexpr int32_t kExtraFrameWidth = 3;
constexpr int kOpaque = 255;

// The grid's cells, from the outer corner of the first to that of the last.
CellRect GridBounds(const CGridDraw &painter, const GridGeometry &geo) {
  const CellRect &first = painter.OuterRect[0];
  const CellRect &last = painter.OuterRect[geo.NCells - 1];
  return {first.left, first.top, last.right, last.bottom};
}

void PaintRowBands(const PaintContext &ctx, const CGridDraw &painter) {
  const int alpha = std::clamp(kOpaque - ctx.General.transparency, 0, kOpaque);
  for (int row = 0; row < ctx.Geo.NRows; ++row) {
    const RowBand &band = painter.RowBands[static_cast<size_t>(row)];
    QColor colour = ToQColor(band.Parity == 0 ? ctx.Colours.ColBgSeparation : ctx.Colours.ColBgEcran);
    colour.setAlpha(alpha);
    ctx.Dc.fillRect(ToQRect(band.Box), colour);
  }
}

// The stretch [from, to) of a bundle of `lines` one-pixel lines centred in the space between two
// cells whose edges are `before` and `after`: the whole space when it is the wider, so that no
// stripe of the ground shows beside the bundle nor cuts the grid's outer frame.
std::pair<int, int> BundleStretch(int before, int after, int lines) {
  const int from = (before + after) / 2 - lines / 2;
  return {std::min(from, before), std::max(from + lines, after)};
}

// Bundles of one-pixel lines between the rows and between the columns, centred in the space
// between the cells: as many lines as the cell border is wide, or the block border on a block
// edge. They reach one pixel past the last cell, as the cells' text rectangles do.
void PaintGridLines(const PaintContext &ctx, const CGridDraw &painter) {
  const GridGeometry &geo = ctx.Geo;
  const CellRect bounds = GridBounds(painter, geo);
  const QColor colour = ToQColor(ctx.Colours.ColBorder);
  const int cellLines = static_cast<int>(painter.BorderCell);
  const int blockLines = static_cast<int>(painter.BorderBlock);
  for (int row = 1; row < geo.NRows; ++row) {
    const int lines = row % geo.BlockRows == 0 ? blockLines : cellLines;
    const auto [from, to] = BundleStretch(painter.OuterRect[geo.RowCells[row - 1][0]].bottom,
                                          painter.OuterRect[geo.RowCells[row][0]].top, lines);
    ctx.Dc.fillRect(QRect(bounds.left, from, bounds.Width() + 1, to - from), colour);
  }
  for (int col = 1; col < geo.NCols; ++col) {
    const int lines = col % geo.BlockCols == 0 ? blockLines : cellLines;
    const auto [from, to] = BundleStretch(painter.OuterRect[geo.ColCells[col - 1][0]].right,
                                          painter.OuterRect[geo.ColCells[col][0]].left, lines);
    ctx.Dc.fillRect(QRect(from, bounds.top, to - from, bounds.Height() + 1), colour);
  }
}

void PaintExtraGridFrame(const PaintContext &ctx, const CGridDraw &painter) {
  const CellRect bounds = GridBounds(painter, ctx.Geo);
  for (int k = 0; k < kExtraFrameWidth; ++k) {
    const int32_t out = kExtraFrameDistance + k;
    FrameRect(ctx.Dc, bounds.Inset(-out, -out), 1, ctx.Colours.ColBorder);
  }
}

} // namespace

void DrawFrameLines(const PaintContext &ctx, const CGridDraw &painter, int kind, int unit) {
  const GridGeometry &geo = ctx.Geo;
  const GridRecord &grid = *painter.Grid;
  if (unit < 0 || unit >= geo.GridWidth)
    return;
  int first = 0;
  int last = 0;
  switch (kind) {
  case kUnitRow:
    first = geo.RowCells[unit][0];
    last = geo.RowCells[unit][geo.NCols - 1];
    break;
  case kUnitColumn:
    first = geo.ColCells[unit][0];
    last = geo.ColCells[unit][geo.NRows - 1];
    break;
  case kUnitBlock:
    first = grid.BlockCells[unit][0];
    last = grid.BlockCells[unit][geo.GridWidth - 1];
    break;
  default:
    return; // the diagonals and extra regions are drawn with the variant decorations
  }
  const CellRect &a = painter.OuterRect[first];
  const CellRect &b = painter.OuterRect[last];
  const ColorRef colour = ctx.Colours.ColBgHighlight;
  const bool across = kind != kUnitColumn; // marks at the row's left and right ends
  const bool down = kind != kUnitRow;      // marks above and below
  if (across) {
    FillSolidRect(ctx.Dc,
                  {a.left - kFrameLineWidth, a.top + kFrameLineInset, a.left, a.bottom - kFrameLineInset},
                  colour);
    FillSolidRect(ctx.Dc,
                  {b.right, b.top + kFrameLineInset, b.right + kFrameLineWidth, b.bottom - kFrameLineInset},
                  colour);
  }
  if (down) {
    FillSolidRect(ctx.Dc,
                  {a.left + kFrameLineInset, a.top - kFrameLineWidth, a.right - kFrameLineInset, a.top},
                  colour);
    FillSolidRect(ctx.Dc,
                  {b.left + kFrameLineInset, b.bottom, b.right - kFrameLineInset, b.bottom + kFrameLineWidth},
                  colour);
  }
}

void PaintBoard(const PaintContext &ctx, const CGridDraw &painter) {
  const GridGeometry &geo = ctx.Geo;
  const GridRecord &grid = *painter.Grid;
  const VariantWords rules = grid.GridVar & ctx.Switches.VarMask;
  if (ctx.General.blockLimit == 1 && painter.BlockBars == 0 && !Meets(rules, kVarIrregular))
    PaintRowBands(ctx, painter);
  if (painter.BlockBars == 1)
    PaintGridLines(ctx, painter);
  auto highlighted = [&](int record) {
    return static_cast<size_t>(record) < grid.Cells.size() &&
           grid.Cells[static_cast<size_t>(record)].UnitHighlight == 1;
  };
  for (int unit = 0; unit < geo.GridWidth; ++unit) {
    if (highlighted(geo.RowUnitBase + unit))
      DrawFrameLines(ctx, painter, kUnitRow, unit);
    if (highlighted(geo.ColUnitBase + unit))
      DrawFrameLines(ctx, painter, kUnitColumn, unit);
    if (highlighted(geo.BlockUnitBase + unit))
      DrawFrameLines(ctx, painter, kUnitBlock, unit);
  }
  // The clues outside the grid: Little Killer, the frame and outside rules, the Battle Ship
  // counts, and the Master Mind and Magic Sentence bars. Same in Line joins them with its rule.
  DrawSideClues(ctx, painter);
  DrawSentenceAndMasterMindBars(ctx, painter);
  if (GridIndexOf(ctx.Grids, grid) >= ctx.Grids.MainCount)
    PaintExtraGridFrame(ctx, painter);
}

void PaintAllCells(const PaintContext &ctx, const CGridDraw &painter) {
  const GridGeometry &geo = ctx.Geo;
  if (!painter.Grid || geo.NCells <= 0 || static_cast<int>(painter.Grid->Cells.size()) < geo.CellLimit)
    return;
  PaintBoard(ctx, painter);
  for (int cell = 0; cell < geo.NCells; ++cell)
    PaintCell(ctx, painter, cell);
  DrawOverCellMarks(ctx, painter);
  if (ctx.General.displayLines == 1 && ctx.Symbols != kSymbolPictures)
    for (int record = geo.NCells; record < geo.CellLimit; ++record)
      PaintCell(ctx, painter, record);
  if (RuleShown(ctx, painter, kVarPieceRules) || painter.Grid->Lists.Pieces.Size() > 0)
    PaintPieceCells(ctx, painter);
}

} // namespace quorbel
