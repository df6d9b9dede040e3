// The side panel of the board view: its ground, the number bar with its buttons, the legend of
// the shown rules, the grid tabs and the separating lines.
#include <QPainter>
#include <algorithm>

#include "app/cell_animation.h"
#include "engine/digit_tables.h"
#include "platform/qt/colour_ref.h"
#include "view/legend_lines.h"
#include "view/qt/anim_painter.h"
#include "view/qt/cell_painter.h"
#include "view/qt/paint_tools.h"
#include "view/qt/quorbel_view.h"
#include "view/qt/variant_decorations.h"

using namespace quorbel;

namespace {

// The side panel's ground while the clock asks for attention.
constexpr ColorRef kSideHighlightColour = 24768;
constexpr int32_t kSeparatorLines = 3;
constexpr int32_t kRaisedEdge = 2;
constexpr ColorRef kEdgeLight = 0xFFFFFF;
constexpr ColorRef kEdgeShadow = 0x808080;
// Text in a row of the panel: this share of the row's height, in font-table units.
constexpr double kRowTextShare = 0.6;
constexpr int kShownTabOutlines = 4;
constexpr int kTabFontDivisor = 20;
constexpr int kTabPictogramLines = 3;

int RowFont(int rowHeight) { return static_cast<int>(rowHeight * kRowTextShare) - kFontHeightBase; }

void DrawRaisedEdge(QPainter &dc, const CellRect &box) {
  const CellRect outer = box.Inset(-kRaisedEdge, -kRaisedEdge);
  FillSolidRect(dc, {outer.left, outer.top, outer.right, box.top}, kEdgeLight);
  FillSolidRect(dc, {outer.left, box.top, box.left, outer.bottom}, kEdgeLight);
  FillSolidRect(dc, {box.left, box.bottom, outer.right, outer.bottom}, kEdgeShadow);
  FillSolidRect(dc, {box.right, box.top, outer.right, box.bottom}, kEdgeShadow);
}

// A small grid drawn in the tab that stands for every grid.
void DrawGridPictogram(QPainter &dc, const CellRect &tab) {
  const int32_t side = std::max(0, std::min(tab.Width(), tab.Height()) - 8);
  if (side < kTabPictogramLines)
    return;
  const int32_t left = tab.left + (tab.Width() - side) / 2;
  const int32_t top = tab.top + (tab.Height() - side) / 2;
  for (int k = 0; k <= kTabPictogramLines; ++k) {
    const int32_t offset = k * (side - 1) / kTabPictogramLines;
    FillSolidRect(dc, {left + offset, top, left + offset + 1, top + side}, 0);
    FillSolidRect(dc, {left, top + offset, left + side, top + offset + 1}, 0);
  }
}

} // namespace

void CQuorbelView::DrawSidePanel(const PaintContext &ctx, int full) {
  const CellRect &side = layout_.Side;
  if (!side.IsShown() || side.IsEmpty())
    return;
  QPainter &dc = ctx.Dc;
  if (full == 1 && !ctx.Printing) {
    if (!background_.isNull() && SidePanelHighlight == 0)
      dc.drawImage(ToQRect(side), background_);
    else
      FillSolidRect(dc, side, SidePanelHighlight ? kSideHighlightColour : ctx.Colours.ColBgComment);
  }
  // The clock's box lies above the side panel: a full paint gives it its ground too.
  if (!ctx.Printing)
    PaintClockPanel(dc, full);
  if (layout_.NumberBarShown && layout_.ValueSlots >= 1)
    DrawNumberBar(ctx);

  for (size_t i = 0; i < legend_.size() && i < layout_.Legend.size(); ++i) {
    const CellRect &box = layout_.Legend[i];
    FillSolidRect(dc, box.Inset(0, 1), ctx.Colours.ColBgCase);
    // A line too long for the panel takes a smaller font rather than lose its ends.
    const QString text = QString::fromStdString(legend_[i].Text);
    int font = RowFont(layout_.RowHeight);
    while (font > 0 && fonts_.Metrics(font).horizontalAdvance(text) > box.Width() - 4)
      --font;
    if (legend_[i].Text == "Trio" || legend_[i].Text == ">>Trio") {
      DrawTrioLegend(ctx, box);
      continue;
    }
    DrawTextCentred(dc, text, box, fonts_.Font(font), ctx.Colours.ColInit);
  }

  FillSolidRect(dc, {side.left - kSeparatorLines + 1, side.top, side.left + 1, side.bottom}, 0);
  DrawGridTabs(ctx);
  // The challenge's player boxes and chat join the side panel with the challenge.
  if (layout_.Message.IsShown() && !ctx.Printing)
    FillSolidRect(dc, {side.left, layout_.Message.top - kSeparatorLines, side.right, layout_.Message.top}, 0);
}

void CQuorbelView::DrawNumeralStrip(const PaintContext &ctx) {
  if (!layout_.NumeralStrip.IsShown())
    return;
  FillSolidRect(ctx.Dc, layout_.NumeralStrip, ctx.Colours.ColBgCase);
  const QString line =
      QString::fromStdString(NumeralLine(app_.Engine().NumeralStrings, ctx.Geo.GridWidth, ctx.Symbols));
  DrawTextCentred(ctx.Dc, line, layout_.NumeralStrip, fonts_.Font(layout_.NumeralStrip.Height() * 2 / 3),
                  ctx.Colours.ColInit);
}

void CQuorbelView::DrawDoubleStrip(const PaintContext &ctx) {
  const CellRect &strip = layout_.DoubleStrip;
  if (!strip.IsShown())
    return;
  FillSolidRect(ctx.Dc, strip, ctx.Colours.ColBgCase);
  const QString line = QString::fromStdString(DoubleTripleLine(app_.Engine().Points, ctx.Geo.GridWidth));
  int font = strip.Height() * 2 / 3;
  while (font > 0 && fonts_.Metrics(font).horizontalAdvance(line) > strip.Width() - 4)
    --font;
  DrawTextCentred(ctx.Dc, line, strip, fonts_.Font(font), ctx.Colours.ColInit);
}

void CQuorbelView::DrawDominoStrip(const PaintContext &ctx) {
  if (!layout_.DominoStrip.IsShown())
    return;
  const CellRect &strip = layout_.DominoStrip;
  FillSolidRect(ctx.Dc, strip, ctx.Colours.ColBgCase);
  // Each value's domino, 50 pixels apart, centred, with its symbol beside it.
  constexpr int kPitch = 50;
  const int width = ctx.Geo.GridWidth;
  const int side = strip.Height() - 4;
  int left = (strip.left + strip.right) / 2 - width * kPitch / 2;
  for (int v = 1; v <= width; ++v, left += kPitch) {
    DrawPipSquare(ctx.Dc, static_cast<uint32_t>(PipMask(v)), 0, 0,
                  {left, strip.top + 2, left + side, strip.top + 2 + side});
    DrawTextCentred(ctx.Dc, SymbolText(ctx, v), {left + side, strip.top, left + kPitch - 4, strip.bottom},
                    fonts_.Font(side * 2 / 3), ctx.Colours.ColInit);
  }
}

// The Trio classes the values use, each symbol with its values in an equal share of the line.
void CQuorbelView::DrawTrioLegend(const PaintContext &ctx, const CellRect &box) {
  const std::array<int8_t, 16> &classes = app_.Engine().ValueClasses;
  std::array<bool, 5> present{};
  for (int v = 1; v <= ctx.Geo.GridWidth && v <= static_cast<int>(classes.size()); ++v)
    if (const int k = classes[static_cast<size_t>(v - 1)]; k >= 1 && k <= 4)
      present[static_cast<size_t>(k)] = true;
  const int count = static_cast<int>(std::count(present.begin(), present.end(), true));
  if (count == 0)
    return;
  const int share = box.Width() / count;
  int left = box.left;
  for (int k = 1; k <= 4; ++k)
    if (present[static_cast<size_t>(k)]) {
      DrawTrioSymbolLabel(ctx, k, classes, {left + 2, box.top + 2, left + share - 2, box.bottom - 2});
      left += share;
    }
}

void CQuorbelView::DrawNumberBar(const PaintContext &ctx) {
  const int width = ctx.Geo.GridWidth;
  const QFont &font = fonts_.Font(RowFont(layout_.RowHeight));
  const PictureLibrary &pictures = app_.CellPictures();
  const bool english = IsEnglish(app_.CurrentLanguage());
  auto drawButton = [&](const CellRect &box, const CBitMapGif &picture, const QString &text) {
    FillSolidRect(ctx.Dc, box.Inset(0, 1), ctx.Colours.ColBgSingle);
    FrameRect(ctx.Dc, box.Inset(0, 1), 1, ctx.Colours.ColBorder);
    if (picture.FrameCount > 0)
      DrawPictureFrame(ctx.Dc, picture, 0, 0, -1, 0, box.Inset(2, 2));
    else
      DrawTextCentred(ctx.Dc, text, box, font, ctx.Colours.ColInit);
  };
  drawButton(layout_.Slots[static_cast<size_t>(width)], pictures.Undo,
             english ? QStringLiteral("Undo") : QStringLiteral("Annuler"));
  if (layout_.ValueSlots > width + 1)
    drawButton(layout_.Slots[static_cast<size_t>(width + 1)], pictures.Shuffle,
               english ? QStringLiteral("Reload") : QStringLiteral("Recharger"));
  for (int v = 1; v <= width; ++v)
    DrawBarSlot(ctx, v);
}

void CQuorbelView::DrawBarSlot(const PaintContext &ctx, int value) {
  QPainter &dc = ctx.Dc;
  const CellRect &box = layout_.Slots[static_cast<size_t>(value - 1)];
  const bool dragged = value == DragValue;
  const ColorRef ground =
      dragged ? ScaleColour(ctx.Colours.ColBgCase, kSelectedBrightening) : ctx.Colours.ColBgCase;
  FillSolidRect(dc, box.Inset(0, 1), ground);
  FrameRect(dc, box.Inset(0, 1), 1, ctx.Colours.ColBorder);
  // With the colouring help on, the corner of a slot colours the value's chains.
  if (ctx.Switches.ShowColouring == 1) {
    const CellRect slot = box.Inset(0, 1);
    const bool coloured = value == ctx.Switches.ColouredValue;
    DrawCornerMark(dc, slot, std::min(slot.Width(), slot.Height()),
                   coloured ? CellColourTable[0] : kAbsentCandidate, coloured);
  }
  const CAnimGif &anim = barAnims_[static_cast<size_t>(value - 1)];
  if (ctx.Symbols == kSymbolPictures && DrawnSet(anim, app_.CellPictures()) >= 0) {
    DrawAnimCell(dc, anim, -1, false, box.Inset(2, 2), -1, AnimPaintOf(ctx));
  } else {
    DrawRingPulse(dc, anim, box.Inset(2, 2));
    DrawTextCentred(dc, SymbolText(ctx, value), box, fonts_.Font(RowFont(layout_.RowHeight)),
                    ctx.Colours.ColInput);
  }
  if (dragged)
    DrawRaisedEdge(dc, box);
}

void CQuorbelView::RedrawBarSlot(int value) {
  if (!layout_.NumberBarShown || value < 1 || value > app_.Engine().Geo.GridWidth || paintDC_.isNull())
    return;
  {
    QPainter dc(&paintDC_);
    DrawBarSlot(MakeContext(dc), value);
  }
  update(ToQRect(layout_.Slots[static_cast<size_t>(value - 1)]));
}

void CQuorbelView::StartBarAnimation(int value, int mode) {
  if (value < 1 || value > static_cast<int>(barAnims_.size()))
    return;
  CAnimGif &anim = barAnims_[static_cast<size_t>(value - 1)];
  SetAnimMode(anim, mode, 1, app_.CellPictures());
  if (mode == kAnimPulse)
    StartRingPulse(anim);
}

void CQuorbelView::SyncBarPictures() {
  const PictureOrderTable &order = app_.Engine().Settings.PictureOrder;
  // Only a symbol whose picture changed starts again: a playing one goes on.
  for (size_t v = 0; v < barAnims_.size(); ++v) {
    const int wanted = v < order.size() ? order[v] : kNoPictureSet;
    if (barAnims_[v].ResolvedSet != wanted ||
        (v < order.size() && barAnims_[v].RequestedSet != static_cast<int>(v)))
      SelectAnimSet(barAnims_[v], v < order.size() ? static_cast<int>(v) : kNoPictureSet, order);
  }
}

void CQuorbelView::DrawGridTabs(const PaintContext &ctx) {
  QPainter &dc = ctx.Dc;
  // The strip first: a grid taken out leaves no tab behind.
  if (layout_.TabStrip.IsShown())
    PaintBoardGround(dc, layout_.TabStrip);
  for (size_t tab = 0; tab < tabs_.size(); ++tab) {
    const GridTab &entry = tabs_[tab];
    FillSolidRect(dc, entry.Box, entry.Shown ? ctx.Colours.ColBgCase : ctx.Colours.ColBgComment);
    for (int k = 0; k < (entry.Shown ? kShownTabOutlines : 1); ++k)
      FrameRect(dc, entry.Box.Inset(k, k), 1, ctx.Colours.ColBorder);
    if (tab == 0)
      DrawGridPictogram(dc, entry.Box);
    else
      DrawTextCentred(dc, QString::number(tab), entry.Box, fonts_.Font(entry.Box.Height() / kTabFontDivisor),
                      ctx.Colours.ColInit);
  }
}
