// The marks in a cell drawn from pictures or as arrows: the chess figure standing on a listed
// cell, in the left third of the cell, a Magic Square's three stars (the warning picture when
// the square is wrong), and the Navigator arrow pointing along its walk.
#include <QPolygon>
#include <algorithm>
#include <array>

#include "app/cell_animation.h"
#include "app/picture_library.h"
#include "engine/chess_rules.h"
#include "engine/navigator_rules.h"
#include "engine/rule_registry.h"
#include "platform/qt/colour_ref.h"
#include "view/qt/anim_painter.h"
#include "view/qt/paint_tools.h"
#include "view/qt/variant_decorations.h"

namespace quorbel {

namespace {

constexpr ColorRef kArrowColour = 0x404040;

void DrawChessFigure(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  for (const ChessPiece &piece : painter.Grid->Lists.Chess.Used()) {
    if (piece.Cell != cell)
      continue;
    const int figure = piece.Kind + kChessKinds * piece.Colour;
    if (figure < 0 || figure >= kChessFigures)
      return;
    const CellRect third{rect.left + 1, rect.top + 1, rect.left + rect.Width() / 3, rect.bottom - 1};
    const int set = kFirstChessSet + figure;
    if (ctx.Pictures && ctx.Pictures->HasFrames(set)) {
      DrawPictureFrame(ctx.Dc, ctx.Pictures->Sets[static_cast<size_t>(set)], 0, 0, -1, 0, third);
      return;
    }
    // Without the pictures, the figure's letter: black or white on a grey ground.
    static constexpr std::array<const char *, kChessKinds> kLetters{"N", "Q", "K", "B", "R", "P"};
    FillSolidRect(ctx.Dc, third, 0x808080);
    DrawTextCentred(ctx.Dc, QString::fromLatin1(kLetters[static_cast<size_t>(piece.Kind)]), third,
                    ctx.Fonts.Font(third.Height() / 3), piece.Colour == 1 ? 0xFFFFFF : 0x000000);
    return;
  }
}

// A filled arrow: along a diagonal from the centre for directions 0 to 3; for 4 to 11, by the
// side of the neighbouring line, pointing the way the walk goes.
void DrawNavigatorArrow(const PaintContext &ctx, int direction, bool flagged, const CellRect &rect) {
  const double w = rect.Width();
  const double h = rect.Height();
  const QPointF centre(rect.left + w / 2, rect.top + h / 2);
  QPointF from;
  QPointF to;
  static constexpr std::array<std::array<int, 2>, 4> kDiagonals = {{{1, -1}, {1, 1}, {-1, 1}, {-1, -1}}};
  if (direction >= 0 && direction < 4) {
    const auto [dx, dy] = kDiagonals[static_cast<size_t>(direction)];
    from = centre;
    to = centre + QPointF(dx * w * 0.38, dy * h * 0.38);
  } else if (direction >= 4 && direction < kNavigatorDirections) {
    const int line = (direction - 4) / 2; // row above, column right, row below, column left
    const int sense = direction % 2 == 1 ? 1 : -1;
    static constexpr std::array<std::array<double, 2>, 4> kSides = {
        {{0, -0.32}, {0.32, 0}, {0, 0.32}, {-0.32, 0}}};
    const QPointF side =
        centre + QPointF(kSides[static_cast<size_t>(line)][0] * w, kSides[static_cast<size_t>(line)][1] * h);
    const QPointF along = line % 2 == 0 ? QPointF(sense * w * 0.3, 0) : QPointF(0, sense * h * 0.3);
    from = side - along;
    to = side + along;
  } else {
    return;
  }
  const QPointF d = to - from;
  const double length = std::max(1.0, std::hypot(d.x(), d.y()));
  const QPointF unit = d / length;
  const QPointF normal(-unit.y(), unit.x());
  const double head = std::min(w, h) * 0.14;
  const double shaft = head * 0.35;
  const QPointF base = to - unit * head * 1.4;
  const QPolygonF arrow{from + normal * shaft, base + normal * shaft, base + normal * head, to,
                        base - normal * head,  base - normal * shaft, from - normal * shaft};
  ctx.Dc.save();
  ctx.Dc.setRenderHint(QPainter::Antialiasing);
  const ColorRef colour = ClueColour(ctx, flagged, kArrowColour);
  ctx.Dc.setPen(Qt::NoPen);
  ctx.Dc.setBrush(ToQColor(colour));
  ctx.Dc.drawPolygon(arrow);
  ctx.Dc.restore();
}

} // namespace

namespace {

void DrawMagicSquareMarkers(const PaintContext &ctx, const CGridDraw &painter, int cell,
                            const CellRect &rect) {
  if (!RuleShown(ctx, painter, kVarMagicSquare) || !ctx.Pictures || cell < 0 || cell >= ctx.Geo.NCells)
    return;
  const GridRecord &grid = *painter.Grid;
  int square = -1;
  for (int i = 0; i < grid.Lists.MagicSquares.Size() && square < 0; ++i)
    for (int k = 0; k < grid.Lists.MagicSquares.Items[static_cast<size_t>(i)].NCells; ++k)
      if (grid.Lists.MagicSquares.Items[static_cast<size_t>(i)].Cells[static_cast<size_t>(k)] == cell)
        square = i;
  if (square < 0)
    return;
  const bool flagged =
      grid.Work.MagicSquareConflict[static_cast<size_t>(square)] != 0 && ctx.Switches.ShowWarning;
  const CellAnimations *kept = PaintedPictures(ctx, painter.Grid, painter.Slot, cell);
  const int side = std::max(4, std::min(rect.Width(), rect.Height()) / 3);
  // Each cell keeps its own three places: the same pseudo-random draw at every paint.
  uint32_t state = static_cast<uint32_t>(cell) * 2654435761u + 12345u;
  auto draw = [&state](int range) {
    state = state * 214013u + 2531011u;
    return range <= 0 ? 0 : static_cast<int>((state >> 16) & 0x7FFF) * range / 0x8000;
  };
  for (int k = kFirstMarkerPicture; k < kCellPictures; ++k) {
    const CAnimGif marker = kept ? (*kept)[static_cast<size_t>(k)] : CAnimGif{};
    const int x = rect.left + draw(rect.Width() - side);
    const int y = rect.top + draw(rect.Height() - side);
    const int set = flagged                                ? kWarningSet
                    : DrawnSet(marker, *ctx.Pictures) >= 0 ? marker.ResolvedSet
                                                           : kBlackStarSet;
    if (!ctx.Pictures->HasFrames(set))
      continue;
    const CBitMapGif &pictures = ctx.Pictures->Sets[static_cast<size_t>(set)];
    const int frame = flagged ? 0 : std::clamp<int>(marker.Frame, 0, pictures.FrameCount - 1);
    DrawPictureFrame(ctx.Dc, pictures, frame, 0, -1, 0, CellRect{x, y, x + side, y + side});
  }
}

void DrawNavigatorArrows(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  const auto &arrows = painter.Grid->Lists.Navigator;
  for (int i = 0; i < arrows.Size(); ++i)
    if (arrows.Items[static_cast<size_t>(i)].Cell == cell)
      DrawNavigatorArrow(ctx, arrows.Items[static_cast<size_t>(i)].Direction,
                         painter.Grid->Work.NavigatorConflict[static_cast<size_t>(i)] != 0, rect);
}

// In their painting order, each under the rows whose clues it draws.
constexpr CellRectPainter kNeighbourPainters[] = {
    {PainterRows({RuleRow::Chess}), DrawChessFigure},
    {PainterRows({RuleRow::MagicSquare}), DrawMagicSquareMarkers},
    {PainterRows({RuleRow::Navigator}), DrawNavigatorArrows},
};

} // namespace

void DrawNeighbourMarks(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  if (cell < 0 || cell >= ctx.Geo.NCells || !painter.Grid)
    return;
  for (const CellRectPainter &marks : kNeighbourPainters)
    if (RuleShown(ctx, painter, marks.Rows))
      marks.Draw(ctx, painter, cell, rect);
}

VariantWords NeighbourMarkRows() { return PaintedRows(kNeighbourPainters); }

} // namespace quorbel
