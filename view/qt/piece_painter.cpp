#include "view/qt/piece_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "engine/boat_marks.h"
#include "engine/puzzle_pieces.h"
#include "platform/qt/colour_ref.h"
#include "view/qt/cell_painter.h"
#include "view/qt/paint_tools.h"
#include "view/qt/variant_decorations.h"

namespace quorbel {

namespace {

constexpr ColorRef kWaterColour = 0xE0A040; // a light blue

struct PieceColours {
  ColorRef Background;
  ColorRef Text;
};

PieceColours ColoursOfPiece(const PaintContext &ctx, const GridRecord &grid, int i) {
  const BoardColours &c = ctx.Colours;
  const PuzzlePiece &piece = grid.Lists.Pieces.Items[static_cast<size_t>(i)];
  if (ctx.Switches.ShowWarning && grid.Work.PieceConflict[static_cast<size_t>(i)] == 1)
    return {c.ColBgBad, c.ColBad};
  if (piece.Placed == 1)
    return {c.ColBgSingle, c.ColInput};
  if (piece.Found == 1 && ctx.Switches.ShowFound)
    return {c.ColBgSingle, c.ColPossible};
  return {c.ColBgCase, c.ColInit};
}

int BoatMark(const GridGeometry &geo, const GridRecord &grid, int row, int col) {
  if (row < 0 || col < 0 || row >= geo.NRows || col >= geo.NCols)
    return kBoatNone;
  return grid.Cells[static_cast<size_t>(row * geo.NCols + col)].Boat;
}

} // namespace

void PaintPieceCells(const PaintContext &ctx, const CGridDraw &painter) {
  if (!painter.Grid)
    return;
  const GridRecord &grid = *painter.Grid;
  const GridGeometry &geo = ctx.Geo;
  QPainter &dc = ctx.Dc;
  for (int i = 0; i < grid.Lists.Pieces.Size(); ++i) {
    const PuzzlePiece &piece = grid.Lists.Pieces.Items[static_cast<size_t>(i)];
    const PieceColours colours = ColoursOfPiece(ctx, grid, i);
    for (int k = 0; k < std::clamp<int>(piece.NCells, 0, kMaxPieceDigits); ++k) {
      const int record = piece.Identities[static_cast<size_t>(k)];
      if (record < geo.NCellRecs || record >= kDrawRecords ||
          static_cast<size_t>(record) >= grid.Cells.size())
        continue;
      const CellRect &box = painter.OuterRect[static_cast<size_t>(record)];
      if (!box.IsShown() || box.IsEmpty())
        continue;
      dc.fillRect(ToQRect(box), ToQColor(colours.Background));
      dc.save();
      dc.setPen(ToQColor(ctx.Colours.ColBorder));
      dc.setBrush(Qt::NoBrush);
      dc.drawRect(ToQRect(box).adjusted(0, 0, -1, -1));
      dc.restore();
      const int value = grid.Cells[static_cast<size_t>(record)].Value;
      if (value > 0)
        DrawTextCentred(dc, SymbolText(ctx, value), box, ctx.Fonts.Font(painter.FontPiece), colours.Text);
      if (Meets(grid.GridVar, kVarTiled) && piece.MarkedCell == k)
        DrawCornerCircle(dc, box, std::max(GridCornerOf(geo, piece.Cells[static_cast<size_t>(k)]), 0));
    }
  }
}

void DrawGridCornerCircle(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  const int corner = GridCornerOf(ctx.Geo, cell);
  if (corner >= 0 && RuleShown(ctx, painter, kVarTiled))
    DrawCornerCircle(ctx.Dc, painter.OuterRect[static_cast<size_t>(cell)], corner);
}

void DrawBoat(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  const GridRecord &grid = *painter.Grid;
  const GridGeometry &geo = ctx.Geo;
  const int mark = grid.Cells[static_cast<size_t>(cell)].Boat;
  if (mark <= kBoatNone || rect.IsEmpty())
    return;
  QPainter &dc = ctx.Dc;
  dc.save();
  dc.setRenderHint(QPainter::Antialiasing, true);
  const QRectF r =
      QRectF(ToQRect(rect))
          .adjusted(rect.Width() * 0.15, rect.Height() * 0.15, -rect.Width() * 0.15, -rect.Height() * 0.15);
  if (mark == kBoatWater) {
    QPainterPath wave;
    const double y = r.center().y();
    const double step = r.width() / 4;
    wave.moveTo(r.left(), y);
    for (int k = 0; k < 4; ++k)
      wave.quadTo(r.left() + step * (k + 0.5), y + (k % 2 == 0 ? -step / 2 : step / 2),
                  r.left() + step * (k + 1), y);
    dc.setPen(QPen(ToQColor(kWaterColour), std::max(1.0, r.height() / 12)));
    dc.drawPath(wave);
    dc.restore();
    return;
  }
  const int row = cell / geo.NCols;
  const int col = cell % geo.NCols;
  const bool left = BoatMark(geo, grid, row, col - 1) == kBoatPart;
  const bool right = BoatMark(geo, grid, row, col + 1) == kBoatPart;
  const bool up = BoatMark(geo, grid, row - 1, col) == kBoatPart;
  const bool down = BoatMark(geo, grid, row + 1, col) == kBoatPart;
  dc.setPen(Qt::NoPen);
  dc.setBrush(Qt::black);
  // A middle piece is square; an end is square on its boat's side and round on the open one.
  QPainterPath hull;
  hull.setFillRule(Qt::WindingFill);
  const bool across = left || right;
  const bool along = up || down;
  if ((left && right) || (up && down)) {
    hull.addRect(r);
  } else if (!across && !along) {
    hull.addEllipse(r);
  } else {
    const QPointF c = r.center();
    const double rx = r.width() / 2;
    const double ry = r.height() / 2;
    QRectF half = r;
    if (left)
      half.setRight(c.x());
    else if (right)
      half.setLeft(c.x());
    else if (up)
      half.setBottom(c.y());
    else
      half.setTop(c.y());
    hull.addRect(half);
    hull.addEllipse(c, rx, ry);
  }
  dc.drawPath(hull.simplified());
  dc.restore();
}

} // namespace quorbel
