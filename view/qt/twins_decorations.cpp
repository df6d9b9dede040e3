// The marks of the rules between linked grids: a Twins Relation link's hatching and a Relation
// Multiple group's circles, each in the colour of its display number, and the Same in Row counts
// beside the rows.
#include <QPainter>
#include <algorithm>

#include "engine/grid_set.h"
#include "platform/qt/colour_ref.h"
#include "view/qt/paint_tools.h"
#include "view/qt/variant_decorations.h"

namespace quorbel {

namespace {

constexpr int kHatchColours = 8; // links 0..7 hatch one way, the later ones the other, closer

// The display number of the first link of each kind that holds `cell` of the grid in `slot`,
// counting on across the main grids in grid order; -1 when none holds it.
template <typename Links, typename Holds>
int DisplayNumber(const GridSet &set, int slot, Links links, Holds holds) {
  int number = 0;
  for (int g = 0; g < UsedMainCount(set); ++g)
    for (const auto &link : links(set.Main[static_cast<size_t>(g)])) {
      if (holds(g, link, slot))
        return number;
      ++number;
    }
  return -1;
}

void Hatch(QPainter &dc, const CellRect &rect, ColorRef colour, bool steep) {
  const int spacing = steep ? 5 : 10;
  dc.save();
  dc.setClipRect(ToQRect(rect));
  dc.setPen(QPen(ToQColor(colour), 1));
  const int size = rect.Width() + rect.Height();
  for (int d = 0; d < size; d += spacing) {
    if (steep)
      dc.drawLine(rect.left + d, rect.top, rect.left + d - rect.Height(), rect.bottom);
    else
      dc.drawLine(rect.left + d - rect.Height(), rect.top, rect.left + d, rect.bottom);
  }
  dc.restore();
}

} // namespace

void DrawTwinsRelationHatch(const PaintContext &ctx, const CGridDraw &painter, int cell,
                            const CellRect &rect) {
  if (!painter.Grid || ctx.Switches.HideVariantsOn)
    return;
  const int slot = GridIndexOf(ctx.Grids, *painter.Grid);
  const int number = DisplayNumber(
      ctx.Grids, slot, [](const GridRecord &g) { return g.Lists.TwinsRelation.Used(); },
      [&](int g, const TwinsRelationLink &link, int here) {
        return (g == here && link.Cell == cell) || (link.OtherGrid == here && link.OtherCell == cell);
      });
  if (number < 0)
    return;
  Hatch(ctx.Dc, rect, kValueColours[static_cast<size_t>(number) % kValueColours.size()],
        number >= kHatchColours);
}

void DrawTwinsMultipleCircle(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  if (!painter.Grid || ctx.Switches.HideVariantsOn)
    return;
  const int slot = GridIndexOf(ctx.Grids, *painter.Grid);
  const int number = DisplayNumber(
      ctx.Grids, slot, [](const GridRecord &g) { return g.Lists.TwinsMultiple.Used(); },
      [&](int g, const TwinsMultipleGroup &group, int here) {
        const int n = std::clamp<int>(group.NCells, 0, 16);
        const auto in = [&](const auto &cells) {
          return std::find(cells.begin(), cells.begin() + n, cell) != cells.begin() + n;
        };
        return (g == here && in(group.Cells)) || (group.OtherGrid == here && in(group.OtherCells));
      });
  if (number < 0)
    return;
  // A ring around the value, so that the digit stays readable.
  const CellRect &outer = painter.OuterRect[static_cast<size_t>(cell)];
  const int inset = std::min(outer.Width(), outer.Height()) / 10;
  QPainter &dc = ctx.Dc;
  dc.save();
  dc.setRenderHint(QPainter::Antialiasing, true);
  dc.setPen(QPen(ToQColor(kValueColours[static_cast<size_t>(number) % kValueColours.size()]),
                 std::max(2, inset / 2)));
  dc.setBrush(Qt::NoBrush);
  dc.drawEllipse(ToQRect(outer).adjusted(inset, inset, -inset, -inset));
  dc.restore();
}

} // namespace quorbel
