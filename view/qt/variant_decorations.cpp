#include "view/qt/variant_decorations.h"

#include <QPainterPath>
#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <array>

#include "engine/geometry.h"
#include "engine/rule_registry.h"
#include "engine/sum_clue_editors.h"
#include "engine/sum_rules.h"
#include "platform/qt/colour_ref.h"
#include "view/qt/paint_tools.h"

namespace quorbel {

ColorRef ClueColour(const PaintContext &ctx, bool flagged, ColorRef plain) {
  return flagged && ctx.Switches.ShowWarning ? ctx.Colours.ColBad : plain;
}

bool RuleShown(const PaintContext &ctx, const CGridDraw &painter, VariantWords rule) {
  return !ctx.Switches.HideVariantsOn && Meets(painter.Grid->GridVar & ctx.Switches.VarMask, rule);
}

namespace {

constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kMultTableColour = 0xBB0000; // blue: the board stores colours as blue, green, red
// Grey, sea green, dark gold and purple, one per kind of line.
constexpr std::array<ColorRef, 4> kCreasingColours = {0x808080, 0x578B2E, 0x0B86B8, 0x8B008B};

QPoint Centre(const CellRect &r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Draws with the painter clipped to one cell, so a mark over several cells is drawn in shares.
class CellClip {
public:
  CellClip(QPainter &dc, const CellRect &cell) : dc_(dc) {
    dc_.save();
    dc_.setClipRect(ToQRect(cell));
    dc_.setRenderHint(QPainter::Antialiasing, true);
  }
  ~CellClip() { dc_.restore(); }
  CellClip(const CellClip &) = delete;
  CellClip &operator=(const CellClip &) = delete;

private:
  QPainter &dc_;
};

// ---- Killer cages ----

// Which neighbours of a cell belong to its group.
struct GroupSides {
  bool Up = false, Down = false, West = false, East = false;
};

// The dashed outline of a group inside one of its cells, inset from the cell's edges: a line along
// each side whose neighbour lies outside the group, reaching the edge where the group goes on.
// The top and left lines may start further in (`topFrom`, `leftFrom`), past a total written there.
void DrawGroupSides(QPainter &dc, const CellRect &r, int inX, int inY, GroupSides same, ColorRef colour,
                    int topFrom = -1, int leftFrom = -1) {
  const int left = r.left + inX;
  const int right = r.right - 1 - inX;
  const int top = r.top + inY;
  const int bottom = r.bottom - 1 - inY;
  const int fromX = same.West ? r.left : left;
  const int toX = same.East ? r.right : right;
  const int fromY = same.Up ? r.top : top;
  const int toY = same.Down ? r.bottom : bottom;
  if (!same.Up)
    DrawClueLine(dc, kClueLineAcross, topFrom >= 0 ? topFrom : fromX, top, toX, top, colour);
  if (!same.Down)
    DrawClueLine(dc, kClueLineAcross, fromX, bottom, toX, bottom, colour);
  if (!same.West)
    DrawClueLine(dc, kClueLineDown, left, leftFrom >= 0 ? leftFrom : fromY, left, toY, colour);
  if (!same.East)
    DrawClueLine(dc, kClueLineDown, right, fromY, right, toY, colour);
}

} // namespace

CellRect CageTotalBox(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  const GridRecord &grid = *painter.Grid;
  const int cage = CageOfCell(grid, cell);
  if (cage < 0 || !RuleShown(ctx, painter, kVarKiller) || grid.Lists.Killer.Items[cage].Cells[0] != cell)
    return {};
  const CellRect &r = painter.OuterRect[cell];
  const int inX = std::max(2, r.Width() / 10);
  const int inY = std::max(2, r.Height() / 10);
  const int textHeight = ctx.Fonts.Metrics(painter.FontProb).height();
  return {r.left + 1, r.top + 1, r.left + std::max(inX * 4, r.Width() / 2),
          r.top + 1 + std::min(std::max(inY * 3, textHeight), r.Height() / 2)};
}

namespace {

// Where a cage's outline crosses from one of its cells into the next, through the cells' frames
// and the space between them (a block line, as dark as the outline), the line goes on in a
// casing of the cells' ground: the cage reads as one shape. `at` is the line's place across it,
// `from`..`to` its stretch along it.
void CaseOutline(const PaintContext &ctx, bool across, int at, int from, int to) {
  if (to <= from)
    return;
  const ColorRef ground = ctx.Colours.ColBgCase;
  const ColorRef line = ctx.Colours.ColBorder;
  if (across) {
    FillSolidRect(ctx.Dc, {from, at - 1, to, at + 2}, ground);
    FillSolidRect(ctx.Dc, {from, at, to, at + 1}, line);
  } else {
    FillSolidRect(ctx.Dc, {at - 1, from, at + 2, to}, ground);
    FillSolidRect(ctx.Dc, {at, from, at + 1, to}, line);
  }
}

void DrawCage(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  const GridGeometry &geo = ctx.Geo;
  const GridRecord &grid = *painter.Grid;
  const int cage = CageOfCell(grid, cell);
  if (cage < 0)
    return;
  const CellRect &r = painter.OuterRect[cell];
  const int row = geo.RowOfCell[cell];
  const int col = geo.ColOfCell[cell];
  auto same = [&](int dr, int dc) {
    const int rr = row + dr;
    const int cc = col + dc;
    return rr >= 0 && rr < geo.GridWidth && cc >= 0 && cc < geo.GridWidth &&
           CageOfCell(grid, rr * geo.GridWidth + cc) == cage;
  };
  const int inX = std::max(2, r.Width() / 10);
  const int inY = std::max(2, r.Height() / 10);
  const int left = r.left + inX;
  const int right = r.right - 1 - inX;
  const int top = r.top + inY;
  const int bottom = r.bottom - 1 - inY;
  const ColorRef colour = ctx.Colours.ColBorder;
  const bool up = same(-1, 0), down = same(1, 0), west = same(0, -1), east = same(0, 1);
  // The total sits in the first cell's top-left corner: the lines there start past it.
  const KillerCage &item = grid.Lists.Killer.Items[cage];
  const CellRect box = CageTotalBox(ctx, painter, cell);
  const bool first = box.IsShown();
  DrawGroupSides(ctx.Dc, r, inX, inY, {up, down, west, east}, colour, first ? box.right : -1,
                 first ? box.bottom : -1);
  // Where the cage turns round an outside corner of another cage, the two lines meet.
  if (up && west && !same(-1, -1)) {
    DrawClueLine(ctx.Dc, kClueLineAcross, r.left, top, left, top, colour);
    DrawClueLine(ctx.Dc, kClueLineDown, left, r.top, left, top, colour);
  }
  if (up && east && !same(-1, 1)) {
    DrawClueLine(ctx.Dc, kClueLineAcross, right, top, r.right, top, colour);
    DrawClueLine(ctx.Dc, kClueLineDown, right, r.top, right, top, colour);
  }
  if (down && west && !same(1, -1)) {
    DrawClueLine(ctx.Dc, kClueLineAcross, r.left, bottom, left, bottom, colour);
    DrawClueLine(ctx.Dc, kClueLineDown, left, bottom, left, r.bottom, colour);
  }
  if (down && east && !same(1, 1)) {
    DrawClueLine(ctx.Dc, kClueLineAcross, right, bottom, r.right, bottom, colour);
    DrawClueLine(ctx.Dc, kClueLineDown, right, bottom, right, r.bottom, colour);
  }
  // Each cell cases its own frame and the space beyond it on the sides the cage goes on through;
  // a cell painted again alone keeps the space as the whole board left it.
  const int frame = std::max(1, static_cast<int>(painter.BorderCell));
  const CellRect &in = painter.InnerRect[cell];
  const int w = geo.GridWidth;
  // A line that runs inside the frame itself (small cells) is hidden there anyway: no casing.
  const bool topShown = top >= in.top + frame - 1, bottomShown = bottom <= in.bottom - frame;
  const bool leftShown = left >= in.left + frame - 1, rightShown = right <= in.right - frame;
  if (west) {
    const int from = painter.OuterRect[cell - 1].right;
    if (topShown && (!up || !same(-1, -1)))
      CaseOutline(ctx, true, top, from, in.left + frame);
    if (bottomShown && (!down || !same(1, -1)))
      CaseOutline(ctx, true, bottom, from, in.left + frame);
  }
  if (east) {
    const int to = painter.OuterRect[cell + 1].left;
    if (topShown && (!up || !same(-1, 1)))
      CaseOutline(ctx, true, top, in.right - frame, to);
    if (bottomShown && (!down || !same(1, 1)))
      CaseOutline(ctx, true, bottom, in.right - frame, to);
  }
  if (up) {
    const int from = painter.OuterRect[cell - w].bottom;
    if (leftShown && (!west || !same(-1, -1)))
      CaseOutline(ctx, false, left, from, in.top + frame);
    if (rightShown && (!east || !same(-1, 1)))
      CaseOutline(ctx, false, right, from, in.top + frame);
  }
  if (down) {
    const int to = painter.OuterRect[cell + w].top;
    if (leftShown && (!west || !same(1, -1)))
      CaseOutline(ctx, false, left, in.bottom - frame, to);
    if (rightShown && (!east || !same(1, 1)))
      CaseOutline(ctx, false, right, in.bottom - frame, to);
  }
  if (!first)
    return;
  const int modulus = KimoModulusOf(grid);
  const int total = modulus >= 2 ? ((item.Target % modulus) + modulus) % modulus : item.Target;
  DrawTextCentred(ctx.Dc, QString::number(total), box, ctx.Fonts.Font(painter.FontProb),
                  ClueColour(ctx, grid.Work.KillerConflict[cage] == 1, ctx.Colours.ColInit));
}

// ---- Arrows ----

void DrawArrowClue(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  const GridRecord &grid = *painter.Grid;
  const int index = FindArrowOfCell(grid, cell);
  if (index < 0)
    return;
  const ArrowClue &arrow = grid.Lists.Arrows.Items[index];
  const int n = std::clamp<int>(arrow.NCells, 0, 10);
  for (int k = 0; k < n; ++k)
    if (arrow.Cells[k] < 0 || arrow.Cells[k] >= ctx.Geo.NCells)
      return;
  const CellRect &bulb = painter.OuterRect[arrow.Cells[0]];
  const int side = std::min(bulb.Width(), bulb.Height());
  const QColor colour = ToQColor(ClueColour(ctx, grid.Work.ArrowConflict[index] == 1, kBlack));
  CellClip clip(ctx.Dc, painter.OuterRect[cell]);
  QPen pen(colour, std::max(1, side / 16));
  ctx.Dc.setPen(pen);
  ctx.Dc.setBrush(Qt::NoBrush);
  const int radius = side * 2 / 5;
  const QPoint centre = Centre(bulb);
  ctx.Dc.drawEllipse(centre, radius, radius);
  QPolygon path;
  for (int k = 0; k < n; ++k)
    path << Centre(painter.OuterRect[arrow.Cells[k]]);
  if (n < 2)
    return;
  // The shaft leaves the circle at its edge.
  const QPointF first = path[0];
  const QPointF second = path[1];
  const QPointF along =
      (second - first) / std::max(1.0, std::hypot(second.x() - first.x(), second.y() - first.y()));
  path[0] = (first + along * radius).toPoint();
  ctx.Dc.drawPolyline(path);
  const QPointF tip = path[n - 1];
  const QPointF back = QPointF(path[n - 2]) - tip;
  const double length = std::max(1.0, std::hypot(back.x(), back.y()));
  const QPointF unit = back / length;
  const QPointF normal(-unit.y(), unit.x());
  const double head = side / 5.0;
  ctx.Dc.drawLine(tip, tip + unit * head + normal * head / 2);
  ctx.Dc.drawLine(tip, tip + unit * head - normal * head / 2);
}

// ---- Creasing lines ----

void DrawCreasing(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  const GridRecord &grid = *painter.Grid;
  const int index = FindCreasingOfCell(grid, cell);
  if (index < 0)
    return;
  const CreasingLine &line = grid.Lists.Creasing.Items[index];
  const int n = std::clamp<int>(line.NCells, 0, 10);
  for (int k = 0; k < n; ++k)
    if (line.Cells[k] < 0 || line.Cells[k] >= ctx.Geo.NCells)
      return;
  const int kind = std::clamp<int>(line.Kind, 0, 3);
  const CellRect &r = painter.OuterRect[cell];
  const int side = std::min(r.Width(), r.Height());
  const QColor colour =
      ToQColor(ClueColour(ctx, grid.Work.CreasingConflict[index] == 1, kCreasingColours[kind]));
  CellClip clip(ctx.Dc, r);
  QPen pen(colour, std::max(2, side / 8), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  QColor faded = colour;
  faded.setAlpha(110);
  pen.setColor(faded);
  ctx.Dc.setPen(pen);
  QPolygon path;
  for (int k = 0; k < n; ++k)
    path << Centre(painter.OuterRect[line.Cells[k]]);
  ctx.Dc.drawPolyline(path);
  if (line.Cells[0] != cell)
    return;
  // The line's sign in its first cell: which relation its cells keep.
  static const std::array<QString, 4> kSigns = {QStringLiteral("<>"), QStringLiteral("<><"),
                                                QStringLiteral("\u00B11"), QStringLiteral("\u03A3")};
  const CellRect box{r.right - r.Width() / 2, r.top + 1, r.right - 1, r.top + r.Height() / 3};
  DrawTextCentred(ctx.Dc, kSigns[kind], box, ctx.Fonts.Font(painter.FontProb),
                  ClueColour(ctx, grid.Work.CreasingConflict[index] == 1, kCreasingColours[kind]));
}

// ---- Crossed-out cells, multiplication squares ----

void DrawTransferCross(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  const GridRecord &grid = *painter.Grid;
  if (grid.Cells[cell].CrossedOut != 1)
    return;
  const int index = FindTransferCell(grid, cell);
  const CellRect &r = painter.OuterRect[cell];
  const bool flagged = index >= 0 && grid.Work.TransferConflict[index] == 1;
  CellClip clip(ctx.Dc, r);
  ctx.Dc.setPen(
      QPen(ToQColor(ClueColour(ctx, flagged, kBlack)), std::max(1, std::min(r.Width(), r.Height()) / 10)));
  const int in = std::max(2, r.Width() / 8);
  ctx.Dc.drawLine(r.left + in, r.top + in, r.right - in, r.bottom - in);
  ctx.Dc.drawLine(r.right - in, r.top + in, r.left + in, r.bottom - in);
}

void DrawMultTable(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  const GridRecord &grid = *painter.Grid;
  const auto items = grid.Lists.MultTable.Used();
  for (size_t i = 0; i < items.size(); ++i) {
    const int slot = FindMultTableSlot(grid, static_cast<int>(i), cell);
    if (slot < 0)
      continue;
    const auto &cells = items[i].Cells;
    if (std::any_of(cells.begin(), cells.end(), [&](CellRef c) { return c < 0 || c >= ctx.Geo.NCells; }))
      return;
    const CellRect &a = painter.OuterRect[cells[0]];
    const CellRect &d = painter.OuterRect[cells[3]];
    const CellRect &r = painter.OuterRect[cell];
    const ColorRef colour = ClueColour(ctx, grid.Work.MultTableConflict[i] == 1, kMultTableColour);
    CellClip clip(ctx.Dc, r);
    const int width = std::max(2, r.Width() / 20);
    ctx.Dc.setPen(QPen(ToQColor(colour), width));
    ctx.Dc.setBrush(Qt::NoBrush);
    ctx.Dc.drawRect(
        QRect(QPoint(a.left + width, a.top + width), QPoint(d.right - 1 - width, d.bottom - 1 - width)));
    // "x" between a and b, "=" between the two rows.
    const int half = r.Height() / 6;
    const QPoint times((a.right + painter.OuterRect[cells[1]].left) / 2, Centre(a).y());
    const QPoint equals(times.x(), (a.bottom + painter.OuterRect[cells[2]].top) / 2);
    const QFont &font = ctx.Fonts.Font(painter.FontProb);
    const CellRect timesBox{times.x() - half, times.y() - half, times.x() + half, times.y() + half};
    const CellRect equalsBox{equals.x() - half, equals.y() - half, equals.x() + half, equals.y() + half};
    FillSolidRect(ctx.Dc, timesBox, kWhite);
    FillSolidRect(ctx.Dc, equalsBox, kWhite);
    DrawTextCentred(ctx.Dc, QStringLiteral("\u00D7"), timesBox, font, colour);
    DrawTextCentred(ctx.Dc, QStringLiteral("="), equalsBox, font, colour);
  }
}

} // namespace

void DrawClueLine(QPainter &dc, int kind, int x1, int y1, int x2, int y2, ColorRef colour) {
  if (kind > kClueLineDiagonal || kind < 0)
    return;
  dc.save();
  QPen pen(ToQColor(colour), 1);
  if (kind != kClueLineDiagonal) {
    pen.setDashPattern({5, 5});
    if (kind == kClueLineAcross)
      y2 = y1;
    else
      x2 = x1;
  }
  dc.setPen(pen);
  dc.drawLine(x1, y1, x2, y2);
  dc.restore();
}

void DrawCornerCircle(QPainter &dc, const CellRect &rect, int corner) {
  const int side = std::max(rect.Width(), rect.Height());
  const int diameter = std::max(2, side / 8);
  const int inset = side / 16;
  const int x = corner == 1 || corner == 2 ? rect.right - inset - diameter : rect.left + inset;
  const int y = corner >= 2 ? rect.bottom - inset - diameter : rect.top + inset;
  dc.save();
  dc.setRenderHint(QPainter::Antialiasing, true);
  dc.setPen(QPen(Qt::black, std::max(side / 10, 3)));
  dc.setBrush(Qt::black);
  dc.drawEllipse(QRect(x, y, diameter, diameter));
  dc.restore();
}

void DrawComparisonSign(QPainter &dc, int kind, int direction, ColorRef colour, const CellRect &box) {
  if (box.IsEmpty())
    return;
  const QColor qcolour = ToQColor(colour);
  const int h = std::max(1, box.Width() / 3);
  dc.save();
  dc.setRenderHint(QPainter::Antialiasing, true);
  dc.setPen(QPen(qcolour, std::max(1, box.Width() / 8)));
  dc.setBrush(Qt::NoBrush);
  const QRect r = ToQRect(box);
  switch (kind) {
  case 2: // X
    dc.drawLine(r.topLeft(), r.bottomRight());
    dc.drawLine(r.topRight(), r.bottomLeft());
    break;
  case 3: // V under a bar
    dc.drawLine(r.left() + h / 2, r.top(), r.center().x(), r.bottom());
    dc.drawLine(r.center().x(), r.bottom(), r.right() - h / 2, r.top());
    break;
  case 4: // an open dot, white inside so that it shows on a block's dark gap too
    dc.setBrush(Qt::white);
    dc.drawEllipse(r.adjusted(h / 2, h / 2, -h / 2, -h / 2));
    break;
  case 5: { // a filled dot in a white ring
    const QRect dot = r.adjusted(h / 2, h / 2, -h / 2, -h / 2);
    dc.setBrush(Qt::white);
    dc.setPen(Qt::NoPen);
    dc.drawEllipse(dot.adjusted(-2, -2, 2, 2));
    dc.setBrush(qcolour);
    dc.drawEllipse(dot);
    break;
  }
  case 6:   // a sum of N: a circle holding "+"
  case 7: { // a difference of N: a circle holding "-"
    const QRect ring = r.adjusted(h / 3, h / 3, -h / 3, -h / 3);
    dc.setBrush(Qt::white);
    dc.drawEllipse(ring);
    const QPoint c = ring.center();
    const int arm = std::max(1, ring.width() / 4);
    dc.drawLine(c.x() - arm, c.y(), c.x() + arm, c.y());
    if (kind == 6)
      dc.drawLine(c.x(), c.y() - arm, c.x(), c.y() + arm);
    break;
  }
  default: { // a chevron pointing along the step from the first cell to the second
    const QPoint c = r.center();
    const int a = std::max(2, std::min(r.width(), r.height()) / 3);
    QPolygon chevron;
    if (direction == 1 || direction == -1) {
      const int s = direction > 0 ? 1 : -1;
      chevron << QPoint(c.x() - s * a / 2, c.y() - a) << QPoint(c.x() + s * a / 2, c.y())
              << QPoint(c.x() - s * a / 2, c.y() + a);
    } else {
      const int s = direction > 0 ? 1 : -1;
      chevron << QPoint(c.x() - a, c.y() - s * a / 2) << QPoint(c.x(), c.y() + s * a / 2)
              << QPoint(c.x() + a, c.y() - s * a / 2);
    }
    dc.drawPolyline(chevron);
    break;
  }
  }
  dc.restore();
}

void DrawSegmentDigit(QPainter &dc, uint32_t segments, const CellRect &box, ColorRef colour, int thickness) {
  if (box.IsEmpty())
    return;
  const int t = std::max(1, thickness);
  const int x0 = box.left, x1 = box.right - t;
  const int y0 = box.top, ym = (box.top + box.bottom - t) / 2, y1 = box.bottom - t;
  // a top, b top right, c bottom right, d bottom, e bottom left, f top left, g middle.
  const std::array<QRect, 7> bars = {QRect(x0, y0, x1 - x0 + t, t), QRect(x1, y0, t, ym - y0 + t),
                                     QRect(x1, ym, t, y1 - ym + t), QRect(x0, y1, x1 - x0 + t, t),
                                     QRect(x0, ym, t, y1 - ym + t), QRect(x0, y0, t, ym - y0 + t),
                                     QRect(x0, ym, x1 - x0 + t, t)};
  for (size_t k = 0; k < bars.size(); ++k)
    if ((segments >> k) & 1u)
      dc.fillRect(bars[k], ToQColor(colour));
}

namespace {

// The box of a mark on the edge between two neighbouring cells: a third of a cell, centred on it.
CellRect EdgeBox(const CGridDraw &painter, int a, int b) {
  const CellRect &ra = painter.OuterRect[a];
  const CellRect &rb = painter.OuterRect[b];
  const QPoint ca = Centre(ra);
  const QPoint cb = Centre(rb);
  const int size = std::max(6, std::min(ra.Width(), ra.Height()) / 3);
  const QPoint mid((ca.x() + cb.x()) / 2, (ca.y() + cb.y()) / 2);
  return {mid.x() - size / 2, mid.y() - size / 2, mid.x() + size / 2, mid.y() + size / 2};
}

void DrawComparisonMarks(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  const GridRecord &grid = *painter.Grid;
  const bool allIndicated = Meets(grid.GridVar & ctx.Switches.VarMask, kVarAllIndicated);
  const auto marks = grid.Lists.Comparisons.Used();
  const VariantWords shown = grid.GridVar & ctx.Switches.VarMask;
  for (size_t i = 0; i < marks.size(); ++i) {
    const ComparisonMark &mark = marks[i];
    if ((mark.CellA != cell && mark.CellB != cell) || mark.CellA < 0 || mark.CellB < 0 ||
        mark.CellA >= ctx.Geo.NCells || mark.CellB >= ctx.Geo.NCells)
      continue;
    const VariantWords rule = mark.Kind >= 8 ? kVarLess : mark.Kind >= 4 ? kVarDot : kVarXV;
    if (!Meets(shown, rule))
      continue;
    const int direction = (mark.CellB - mark.CellA) * (mark.Kind == 9 ? -1 : 1);
    // The sign sits on the edge, perhaps in the gap between two blocks: each of its cells draws
    // it whole within the span of both.
    const CellRect &ra = painter.OuterRect[mark.CellA];
    const CellRect &rb = painter.OuterRect[mark.CellB];
    CellClip clip(ctx.Dc, {std::min(ra.left, rb.left), std::min(ra.top, rb.top), std::max(ra.right, rb.right),
                           std::max(ra.bottom, rb.bottom)});
    // A light ground keeps the sign readable over a block's dark gap; under All Indicated it is
    // hatched, marking the pairs the rule judges.
    const CellRect box = EdgeBox(painter, mark.CellA, mark.CellB);
    if (mark.Kind == 2 || mark.Kind == 3 || mark.Kind >= 8) {
      ctx.Dc.setPen(Qt::NoPen);
      ctx.Dc.setBrush(QColor(0xF4, 0xF4, 0xF4));
      ctx.Dc.drawRoundedRect(ToQRect(box.Inset(-1, -1)), 3, 3);
    }
    if (allIndicated)
      ctx.Dc.fillRect(ToQRect(box.Inset(-2, -2)), QBrush(QColor(0xA0, 0xA0, 0xA0), Qt::BDiagPattern));
    DrawComparisonSign(ctx.Dc, mark.Kind, direction,
                       ClueColour(ctx, grid.Work.ComparisonConflict[i] == 1, kBlack), box);
  }
}

// A parity letter's font is as high as its box, a third of the cell: it grows with the cell,
// whatever the height of the probables' row.
const QFont &ParityLetterFont(const PaintContext &ctx, const CellRect &box) {
  return ctx.Fonts.Font(box.Height() - kFontHeightBase);
}

void DrawOddEvenLetter(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  const CellRecord &record = painter.Grid->Cells[cell];
  if (record.OddEven < 0)
    return;
  const char letter = record.OddEven == 10 ? 'X' : ParityLetter(record.OddEven == 1, ctx.General.language);
  const CellRect &r = painter.OuterRect[cell];
  const CellRect box{r.right - r.Width() / 3, r.top + 1, r.right - 2, r.top + r.Height() / 3};
  DrawTextCentred(ctx.Dc, QString(QChar(letter)), box, ParityLetterFont(ctx, box),
                  ClueColour(ctx, record.OddEvenError == 1, ctx.Colours.ColInit));
}

// An Odd Pair is outlined like a cage, its letter in its first cell.
void DrawOddPair(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  const GridRecord &grid = *painter.Grid;
  const auto pairs = grid.Lists.OddPairs.Used();
  for (size_t i = 0; i < pairs.size(); ++i) {
    const OddPairMark &pair = pairs[i];
    if (pair.CellA != cell && pair.CellB != cell)
      continue;
    const int other = pair.CellA == cell ? pair.CellB : pair.CellA;
    if (other < 0 || other >= ctx.Geo.NCells)
      continue;
    const CellRect &r = painter.OuterRect[cell];
    const int inX = std::max(3, r.Width() / 7);
    const int inY = std::max(3, r.Height() / 7);
    const int w = ctx.Geo.GridWidth;
    const bool up = other == cell - w, down = other == cell + w, west = other == cell - 1,
               east = other == cell + 1;
    const ColorRef colour = ClueColour(ctx, grid.Work.OddPairConflict[i] == 1, 0x808000);
    DrawGroupSides(ctx.Dc, r, inX, inY, {up, down, west, east}, colour);
    if (cell != std::min(pair.CellA, pair.CellB))
      continue;
    // Even sums read "P" (pair) in French and "E" in English, odd ones "I" and "O".
    const char letter =
        pair.Kind == 0 || pair.Kind == 1 ? ParityLetter(pair.Kind == 1, ctx.General.language) : 'X';
    const CellRect box{r.left + 1, r.bottom - r.Height() / 3, r.left + r.Width() / 3, r.bottom - 1};
    DrawTextCentred(ctx.Dc, QString(QChar(letter)), box, ParityLetterFont(ctx, box), colour);
  }
}

// A white circle where the four cells of a Quad clue meet; a black dot leans toward the cell of
// the largest value, a ring toward that of the smallest.
void DrawQuadCircles(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  const GridRecord &grid = *painter.Grid;
  const auto quads = grid.Lists.Quads.Used();
  for (size_t i = 0; i < quads.size(); ++i) {
    const QuadClue &quad = quads[i];
    if (std::find(quad.Cells.begin(), quad.Cells.end(), cell) == quad.Cells.end())
      continue;
    if (std::any_of(quad.Cells.begin(), quad.Cells.end(),
                    [&](CellRef c) { return c < 0 || c >= ctx.Geo.NCells; }))
      continue;
    const CellRect &first = painter.OuterRect[quad.Cells[0]];
    const CellRect &last = painter.OuterRect[quad.Cells[3]];
    const QPoint corner((first.right + last.left) / 2, (first.bottom + last.top) / 2);
    const int radius = std::max(4, first.Width() / 5);
    const bool flagged = grid.Work.QuadMaxConflict[i] == 1 || grid.Work.QuadMinConflict[i] == 1;
    const QColor ink = ToQColor(ClueColour(ctx, flagged, kBlack));
    CellClip clip(ctx.Dc, painter.OuterRect[cell]);
    ctx.Dc.setPen(QPen(ink, 1));
    ctx.Dc.setBrush(Qt::white);
    ctx.Dc.drawEllipse(corner, radius, radius);
    auto lean = [&](int target, bool filled) {
      if (target < 0 || target >= ctx.Geo.NCells)
        return;
      const QPoint toward = Centre(painter.OuterRect[target]) - corner;
      const double length = std::max(1.0, std::hypot(toward.x(), toward.y()));
      const QPointF at = QPointF(corner) + QPointF(toward) * (radius * 0.5 / length);
      ctx.Dc.setBrush(filled ? QBrush(ink) : QBrush(Qt::NoBrush));
      ctx.Dc.drawEllipse(at, radius / 3.0, radius / 3.0);
    };
    if (quad.Kind == 0 || quad.Kind == 2)
      lean(quad.MaxCell, true);
    if (quad.Kind == 1 || quad.Kind == 2)
      lean(quad.MinCell, false);
  }
}

// The pieces' parity marks their cells as the Odd rule does.
void DrawParityLetter(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  if (RuleShown(ctx, painter, kVarOdd) ||
      (painter.Grid->Lists.PieceParity == 1 && RuleShown(ctx, painter, kVarPieceRules)))
    DrawOddEvenLetter(ctx, painter, cell);
}

// The marks inside a cell in their painting order, each under the rows whose clues it draws.
struct CellMarkPainter {
  VariantWords Rows;
  void (*Draw)(const PaintContext &ctx, const CGridDraw &painter, int cell);
};
constexpr CellMarkPainter kCellMarkPainters[] = {
    {PainterRows({RuleRow::KillerSum, RuleRow::KillerProduct}), DrawCage},
    {PainterRows({RuleRow::Arrow}), DrawArrowClue},
    {PainterRows({RuleRow::CreasingLines}), DrawCreasing},
    {PainterRows({RuleRow::Transfer}), DrawTransferCross},
    {PainterRows({RuleRow::MultTable}), DrawMultTable},
    {PainterRows({RuleRow::XV, RuleRow::Dot, RuleRow::Less, RuleRow::AllIndicated}), DrawComparisonMarks},
    {PainterRows({RuleRow::Odd, RuleRow::Puzzle, RuleRow::Tiled, RuleRow::BattleShip}), DrawParityLetter},
    {PainterRows({RuleRow::OddPair}), DrawOddPair},
    {PainterRows({RuleRow::QuadMax}), DrawQuadCircles},
    {PainterRows({RuleRow::TwinsRelationMultiple}), DrawTwinsMultipleCircle},
};

} // namespace

void DrawCellClueMarks(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  if (cell < 0 || cell >= ctx.Geo.NCells || ctx.Switches.HideVariantsOn)
    return;
  for (const CellMarkPainter &marks : kCellMarkPainters)
    if (RuleShown(ctx, painter, marks.Rows))
      marks.Draw(ctx, painter, cell);
}

// ---- The clues beside the grid ----

namespace {

// The strip outside side s of the grid along line l: as wide as the line's edge cell and as
// deep as that side's margin.
CellRect SideStrip(const CGridDraw &painter, const GridGeometry &geo, int side, int line) {
  const int edge = PerimeterCell(geo, side, line, 0);
  if (edge < 0)
    return {};
  const CellRect &cell = painter.OuterRect[edge];
  const CellRect &first = painter.OuterRect[0];
  const CellRect &last = painter.OuterRect[geo.NCells - 1];
  const int across = static_cast<int>(
      painter.CellH * std::max(0.0, side == 0 ? painter.Margins.Top : painter.Margins.Bottom));
  const int down = static_cast<int>(painter.CellW *
                                    std::max(0.0, side == 1 ? painter.Margins.Right : painter.Margins.Left));
  switch (side) {
  case 0:
    return {cell.left, first.top - across, cell.right, first.top};
  case 2:
    return {cell.left, last.bottom, cell.right, last.bottom + across};
  case 1:
    return {last.right, cell.top, last.right + down, cell.bottom};
  default:
    return {first.left - down, cell.top, first.left, cell.bottom};
  }
}

// The frame of one side clue, shaped by its kind, and the box its number goes in.
CellRect DrawSideClueBox(const PaintContext &ctx, const CellRect &strip, int side, int kind,
                         ColorRef colour) {
  const int size = std::min(static_cast<int>(strip.Width() / 0.7), strip.Height());
  const int push = side == 1 ? -strip.Width() / 7 : side == 3 ? strip.Width() / 7 : 0;
  const QPoint c = Centre(strip) + QPoint(push, 0);
  const int side2 = std::min(size, std::min(strip.Width(), strip.Height()));
  const CellRect box{c.x() - side2 / 2, c.y() - side2 / 2, c.x() + side2 / 2, c.y() + side2 / 2};
  ctx.Dc.save();
  ctx.Dc.setRenderHint(QPainter::Antialiasing, true);
  ctx.Dc.setPen(QPen(ToQColor(colour), 1));
  ctx.Dc.setBrush(Qt::NoBrush);
  const QRect r = ToQRect(box).adjusted(1, 1, -1, -1);
  switch (kind) {
  case 1: // a sum: a square
    ctx.Dc.drawRect(r);
    break;
  case 2: // a product: a circle
    ctx.Dc.drawEllipse(r);
    break;
  case 6: { // the place of the largest: a diamond
    QPolygon diamond;
    diamond << QPoint(r.center().x(), r.top()) << QPoint(r.right(), r.center().y())
            << QPoint(r.center().x(), r.bottom()) << QPoint(r.left(), r.center().y());
    ctx.Dc.drawPolygon(diamond);
    break;
  }
  default:
    break;
  }
  ctx.Dc.restore();
  return kind == 1 || kind == 2 || kind == 6 ? box : strip;
}

QString OutsideText(const PaintContext &ctx, const VariantLists &lists, int side, int line) {
  const int kind = lists.Outside.Kind[side][line];
  const int count = std::clamp<int>(lists.Outside.Count[side][line], 0, 16);
  QString text;
  for (int k = 0; k < count; ++k) {
    const int v = lists.Outside.Values[side][line][k];
    if (kind == 2 && v <= 0)
      continue;
    QString piece = QString::number(v);
    if (kind == 2)
      piece.prepend(ParityLetter(v % 2 == 1, ctx.General.language));
    if (!text.isEmpty())
      piece.prepend('-');
    text += piece;
  }
  return text;
}

// A Little Killer arrow's sides are this share of the cell, at least this many pixels.
constexpr double kArrowShare = 0.3;
constexpr int kMinArrowSide = 8;
constexpr int kArrowShaftDivisor = 8;

// The arrow head of a Little Killer clue, pointing from the clue into the grid.
void DrawArrow(QPainter &dc, QPoint tip, QPoint left, QPoint right, const QColor &colour) {
  dc.save();
  dc.setRenderHint(QPainter::Antialiasing, true);
  dc.setPen(colour);
  dc.setBrush(colour);
  dc.drawPolygon(QPolygon({tip, left, right}));
  dc.restore();
}

void DrawLittleKillerClues(const PaintContext &ctx, const CGridDraw &painter) {
  const GridRecord &grid = *painter.Grid;
  const GridGeometry &geo = ctx.Geo;
  const int w = geo.GridWidth;
  const QFont &font = ctx.Fonts.Font(std::min(painter.FontProb * 5 / 3, kMaxFontIndex));
  const auto clues = grid.Lists.LittleKiller.Used();
  for (size_t i = 0; i < clues.size(); ++i) {
    const LittleKillerClue &clue = clues[i];
    if (clue.LastCell < 0 || clue.LastCell >= geo.NCells)
      continue;
    const int dc = (clue.Step % w + w) % w == 1 ? 1 : -1;
    const int dr = clue.Step > 0 ? 1 : -1;
    const CellRect &cell = painter.OuterRect[clue.LastCell];
    const int bw = static_cast<int>(painter.CellW * 0.7);
    const int bh = static_cast<int>(painter.CellH * 0.5);
    const CellRect box{dc > 0 ? cell.right : cell.left - bw, dr > 0 ? cell.bottom : cell.top - bh,
                       dc > 0 ? cell.right + bw : cell.left, dr > 0 ? cell.bottom + bh : cell.top};
    const ColorRef colour = ClueColour(ctx, grid.Work.LittleKillerConflict[i] == 1, ctx.Colours.ColInit);
    const QColor qcolour = ToQColor(colour);
    // An arrow in the box's corner on the cell, pointing back along the diagonal; it grows with
    // the cell like the number beside it.
    const QPoint corner(dc > 0 ? cell.right : cell.left, dr > 0 ? cell.bottom : cell.top);
    const int a =
        std::max(kMinArrowSide, static_cast<int>(std::min(painter.CellW, painter.CellH) * kArrowShare));
    const int head = std::max(kMinArrowSide / 2, a / 2);
    const QPoint tip = corner + QPoint(dc, dr);
    ctx.Dc.save();
    ctx.Dc.setRenderHint(QPainter::Antialiasing, true);
    ctx.Dc.setPen(QPen(qcolour, std::max(1, a / kArrowShaftDivisor), Qt::SolidLine, Qt::FlatCap));
    ctx.Dc.drawLine(tip + QPoint(dc * head / 2, dr * head / 2), tip + QPoint(dc * a, dr * a));
    ctx.Dc.restore();
    DrawArrow(ctx.Dc, tip, tip + QPoint(dc * head, 0), tip + QPoint(0, dr * head), qcolour);
    CellRect text = box;
    if (dc > 0)
      text.left += a;
    else
      text.right -= a;
    ctx.Dc.save();
    ctx.Dc.setFont(font);
    ctx.Dc.setPen(qcolour);
    const Qt::Alignment align = (dc < 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    ctx.Dc.drawText(ToQRect(text), static_cast<int>(align | Qt::TextSingleLine),
                    QString::number(clue.Target));
    ctx.Dc.restore();
  }
}

// "A-B:d" beside the row (on the right) or below the column of each Distance clue.
void DrawDistanceClues(const PaintContext &ctx, const CGridDraw &painter) {
  const GridRecord &grid = *painter.Grid;
  const GridGeometry &geo = ctx.Geo;
  const auto clues = grid.Lists.Distance.Used();
  for (size_t i = 0; i < clues.size(); ++i) {
    const DistanceClue &clue = clues[i];
    if (clue.Line < 0 || clue.Line >= geo.GridWidth)
      continue;
    const CellRect strip = SideStrip(painter, geo, clue.Orientation == 1 ? 1 : 2, clue.Line);
    if (strip.IsEmpty())
      continue;
    const QString text = QStringLiteral("%1-%2:%3").arg(clue.ValueA).arg(clue.ValueB).arg(clue.Distance);
    int index = std::min(painter.FontProb * 5 / 3, kMaxFontIndex);
    while (index > 0 && ctx.Fonts.Metrics(index).horizontalAdvance(text) > strip.Width())
      --index;
    DrawTextCentred(ctx.Dc, text, strip, ctx.Fonts.Font(index),
                    ClueColour(ctx, grid.Work.DistanceConflict[i] == 1, ctx.Colours.ColInit));
  }
}

const QFont &SideClueFont(const PaintContext &ctx, const CGridDraw &painter) {
  return ctx.Fonts.Font(std::min(painter.FontProb * 5 / 3, kMaxFontIndex));
}

void DrawSameInLineClues(const PaintContext &ctx, const CGridDraw &painter) {
  const GridRecord &grid = *painter.Grid;
  for (int row = 0; row < ctx.Geo.GridWidth; ++row)
    if (const int clue = grid.Lists.SameInLine.RowClue[static_cast<size_t>(row)]; clue >= 0)
      DrawTextCentred(
          ctx.Dc, QString::number(clue), SideStrip(painter, ctx.Geo, kSideLeft, row),
          SideClueFont(ctx, painter),
          ClueColour(ctx, grid.Work.SameInLineConflict[static_cast<size_t>(row)] == 1, ctx.Colours.ColInit));
}

// The boat cells of each row beside it, of each column above it: struck when the player's boats
// pass the clue, in the input colour once they meet it.
void DrawBoatClues(const PaintContext &ctx, const CGridDraw &painter) {
  const GridRecord &grid = *painter.Grid;
  if (grid.Lists.Pieces.Size() == 0)
    return;
  for (int line = 0; line < ctx.Geo.GridWidth; ++line) {
    const auto at = static_cast<size_t>(line);
    const std::array<std::pair<int, int>, 2> clues = {
        {{kSideLeft, grid.Lists.BoatClueRow[at]}, {kSideTop, grid.Lists.BoatClueCol[at]}}};
    const std::array<int, 2> marked = {grid.Work.BoatsPerRow[at], grid.Work.BoatsPerCol[at]};
    for (size_t k = 0; k < clues.size(); ++k) {
      const CellRect strip = SideStrip(painter, ctx.Geo, clues[k].first, line);
      const ColorRef plain = marked[k] == clues[k].second ? ctx.Colours.ColInput : ctx.Colours.ColInit;
      DrawTextCentred(ctx.Dc, QString::number(clues[k].second), strip, SideClueFont(ctx, painter),
                      ClueColour(ctx, marked[k] > clues[k].second, plain));
    }
  }
}

void DrawFrameClue(const PaintContext &ctx, const CGridDraw &painter, int side, int line,
                   const CellRect &strip) {
  const GridRecord &grid = *painter.Grid;
  const int kind = grid.Lists.Frame.Kind[side][line];
  if (kind == 0)
    return;
  const ColorRef colour = ClueColour(ctx, grid.Work.FrameConflict[side][line] == 1, ctx.Colours.ColInit);
  const CellRect box = DrawSideClueBox(ctx, strip, side, kind, colour);
  DrawTextCentred(ctx.Dc, QString::number(grid.Lists.Frame.Value[side][line]), box,
                  SideClueFont(ctx, painter), colour);
}

void DrawOutsideClue(const PaintContext &ctx, const CGridDraw &painter, int side, int line,
                     const CellRect &strip) {
  const GridRecord &grid = *painter.Grid;
  if (grid.Lists.Outside.Count[side][line] <= 0)
    return;
  const ColorRef colour = ClueColour(ctx, grid.Work.OutsideConflict[side][line] == 1, ctx.Colours.ColInit);
  const QString text = OutsideText(ctx, grid.Lists, side, line);
  // Beside a row the values read along the strip; above a column they may need to shrink.
  int index = std::min(painter.FontProb * 5 / 3, kMaxFontIndex);
  while (index > 0 && ctx.Fonts.Metrics(index).horizontalAdvance(text) > strip.Width())
    --index;
  DrawTextCentred(ctx.Dc, text, strip, ctx.Fonts.Font(index), colour);
}

// The clues of one strip beside the grid, each under the rows whose clues it draws. Two rules
// may hold clues on the same strip, so the strips are walked once and each draws its clues in
// this order.
struct StripCluePainter {
  VariantWords Rows;
  void (*Draw)(const PaintContext &ctx, const CGridDraw &painter, int side, int line, const CellRect &strip);
};
constexpr StripCluePainter kStripCluePainters[] = {
    {PainterRows({RuleRow::FrameSum, RuleRow::FrameProduct, RuleRow::FrameMax, RuleRow::SkyScraper,
                  RuleRow::LastNumber}),
     DrawFrameClue},
    {PainterRows({RuleRow::Outside, RuleRow::Oddview, RuleRow::Transfer}), DrawOutsideClue},
};

void DrawStripClues(const PaintContext &ctx, const CGridDraw &painter) {
  std::array<bool, std::size(kStripCluePainters)> shown{};
  for (size_t k = 0; k < shown.size(); ++k)
    shown[k] = RuleShown(ctx, painter, kStripCluePainters[k].Rows);
  if (std::find(shown.begin(), shown.end(), true) == shown.end())
    return;
  for (int side = 0; side < 4; ++side)
    for (int line = 0; line < ctx.Geo.GridWidth; ++line) {
      const CellRect strip = SideStrip(painter, ctx.Geo, side, line);
      if (strip.IsEmpty())
        continue;
      for (size_t k = 0; k < shown.size(); ++k)
        if (shown[k])
          kStripCluePainters[k].Draw(ctx, painter, side, line, strip);
    }
}

// The clues beside the grid in their painting order, each under the rows whose clues it draws;
// the strips of the frame and outside rules come last.
constexpr GridPainter kSideCluePainters[] = {
    {PainterRows({RuleRow::LittleKiller}), DrawLittleKillerClues},
    {PainterRows({RuleRow::Distance}), DrawDistanceClues},
    {PainterRows({RuleRow::TwinsSameInLine}), DrawSameInLineClues},
    {PainterRows({RuleRow::BattleShip}), DrawBoatClues},
};

// A rule whose clues stand beside the grid and that no strip draws would be played blind.
static_assert((PaintedRows(kStripCluePainters) & RuleBitsWith(kCluesBesideGrid)) ==
              RuleBitsWith(kCluesBesideGrid));

} // namespace

VariantWords PaintedRuleRows() {
  return PaintedRows(kCellMarkPainters) | PaintedRows(kSideCluePainters) | PaintedRows(kStripCluePainters) |
         CellSetMarkRows() | NeighbourMarkRows() | CellPainterRows();
}

void DrawSideClues(const PaintContext &ctx, const CGridDraw &painter) {
  if (!painter.Grid || ctx.Switches.HideVariantsOn || ctx.Geo.NCells <= 0)
    return;
  for (const auto &clues : kSideCluePainters)
    if (RuleShown(ctx, painter, clues.Rows))
      clues.Draw(ctx, painter);
  DrawStripClues(ctx, painter);
}

} // namespace quorbel
