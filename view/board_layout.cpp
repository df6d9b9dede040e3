#include "view/board_layout.h"

#include <algorithm>
#include <cmath>

namespace quorbel {

namespace {

// The comment strip falls back to this height in a window too small for the setting's.
constexpr int32_t kSmallCommentHeight = 50;
constexpr int kCommentRoomFactor = 3;
// The side panel: a share of the client width (DISPLAYBARDX), at least this wide so that the
// message lines stay readable, at most half the client.
constexpr int32_t kMinSideWithBar = 230;
constexpr int32_t kMinSideWithoutBar = 190;
// The score part of the timed and challenge modes: a fifth of the side, unless less than this
// would remain below it.
constexpr int kScoreShare = 5;
constexpr int32_t kMinBelowScore = 70;
constexpr int32_t kClockHeight = 32;
// The message panel takes this share of what lies under the clock, and at least this height.
constexpr double kMessageShare = 0.4;
constexpr int32_t kMinMessageHeight = 120;
constexpr int32_t kLinesAboveMessages = 3;
constexpr int32_t kMaxRowHeight = 48;
// Strips under the board for the rules that show a line of their own.
constexpr int32_t kNumeralStrip = 15;
constexpr int32_t kDoubleStrip = 15;
constexpr int32_t kMaxDoubleStrip = 40;
constexpr int32_t kDominoStrip = 25;
constexpr int32_t kDefiStrip = 40;
constexpr int32_t kMaxTabHeight = 200;

int32_t Trunc(double value) { return static_cast<int32_t>(std::clamp(value, -1e9, 1e9)); }

// Cuts a strip of `height` off the bottom of `area` and returns it.
CellRect CutBottom(CellRect &area, int32_t height) {
  height = std::clamp(height, 0, std::max(0, area.Height()));
  const CellRect strip{area.left, area.bottom - height, area.right, area.bottom};
  area.bottom -= height;
  return strip;
}

} // namespace

GridTiling ChooseTiling(int gridCount, double width, double height) {
  GridTiling best;
  double bestSide = -1;
  const int n = std::max(1, gridCount);
  for (int columns = 1; columns <= n; ++columns) {
    const int rows = (n + columns - 1) / columns;
    const double side = std::min(height / rows, width / columns);
    if (side > bestSide) {
      bestSide = side;
      best = {columns, rows, width / columns, height / rows};
    }
  }
  return best;
}

CellRect TileRect(const GridTiling &tiling, int index, int gridCount, const CellRect &area) {
  const int row = index / tiling.Columns;
  const int column = index % tiling.Columns;
  const int inRow = row == tiling.Rows - 1 ? gridCount - row * tiling.Columns : tiling.Columns;
  const double shift = (area.Width() - tiling.TileW * inRow) / 2;
  const double left = area.left + shift + column * tiling.TileW;
  const double top = area.top + row * tiling.TileH;
  return {Trunc(left), Trunc(top), Trunc(left + tiling.TileW), Trunc(top + tiling.TileH)};
}

CellRect ScaledTile(const CellRect &tile, double fade) {
  const int32_t w = Trunc(tile.Width() * fade);
  const int32_t h = Trunc(tile.Height() * fade);
  const int32_t left = tile.left + (tile.Width() - w) / 2;
  const int32_t top = tile.top + (tile.Height() - h) / 2;
  return {left, top, left + w, top + h};
}

bool NumberBarShown(const GeneralSettings &general, SymbolMode symbols, int32_t gameMode) {
  return general.displayBarArea == 1 || symbols == kSymbolPictures || gameMode == kGameModeQuick ||
         gameMode == kGameModeDefi;
}

ViewLayout LayOutView(const ViewLayoutInputs &in) {
  const GeneralSettings &g = in.General;
  ViewLayout layout;
  layout.Client = {0, 0, std::max(0, in.ClientW), std::max(0, in.ClientH)};
  CellRect area = layout.Client;
  layout.CommentFont = std::clamp(g.deltaFontCom + 7, 0, 159);

  if (g.displayComment == 1) {
    int32_t height = g.displayComDy;
    if (area.Height() < kCommentRoomFactor * height)
      height = std::min(height, kSmallCommentHeight);
    layout.Comment = CutBottom(area, height);
  }

  const bool pictures = in.Symbols == kSymbolPictures;
  layout.NumberBarShown = NumberBarShown(g, in.Symbols, in.GameMode) && in.GridWidth > 0;
  const int32_t share = Trunc(area.Width() * g.displayBarDx);
  const int32_t sideWidth = std::min(
      std::max(share, layout.NumberBarShown ? kMinSideWithBar : kMinSideWithoutBar), area.Width() / 2);
  layout.Side = {area.right - sideWidth, area.top, area.right, area.bottom};
  area.right = std::max(area.left, layout.Side.left - kPanelSeparation);

  // The side panel from the top: the clock (or score part), the number bar and legend rows, and
  // the message panel at the bottom.
  CellRect side = layout.Side;
  const bool scorePart = in.GameMode == kGameModeQuick || in.GameMode == kGameModeDefi;
  if (scorePart && side.Height() - side.Height() / kScoreShare >= kMinBelowScore) {
    layout.Clock = {side.left, side.top, side.right, side.top + side.Height() / kScoreShare};
    side.top = layout.Clock.bottom;
  } else if (layout.NumberBarShown) {
    layout.Clock = {side.left, side.top, side.right, side.top + std::min(kClockHeight, side.Height())};
    side.top = layout.Clock.bottom;
  }
  if (in.MessagePanel) {
    const int32_t height = std::max(kMinMessageHeight, Trunc(side.Height() * kMessageShare));
    layout.Message = CutBottom(side, height);
    CutBottom(side, kLinesAboveMessages);
  }
  layout.ValueSlots = layout.NumberBarShown ? in.GridWidth + (pictures ? 2 : 1) : 0;
  const int legend = std::clamp(in.LegendLines, 0, kMaxLegendLines);
  const int rows = layout.ValueSlots + legend;
  layout.RowHeight = rows > 0 ? std::min(kMaxRowHeight, std::max(0, side.Height()) / rows) : 0;
  for (int row = 0; row < rows; ++row) {
    const CellRect box{side.left + kSlotInset, side.top + row * layout.RowHeight, side.right - kSlotInset,
                       side.top + (row + 1) * layout.RowHeight};
    if (row < layout.ValueSlots)
      layout.Slots[row] = box;
    else
      layout.Legend[row - layout.ValueSlots] = box;
  }

  if (in.GridCount > 1) {
    layout.TabStrip = {area.left, area.top, std::min(area.right, area.left + kTabStripWidth), area.bottom};
    area.left = layout.TabStrip.right;
  }
  if (!pictures) {
    if (Meets(in.ShownWords, kVarNumeral))
      layout.NumeralStrip = CutBottom(area, kNumeralStrip);
    // The points line is read like a clue: it grows with the board, about half a cell high.
    if (Meets(in.ShownWords, kVarNeighbourScore))
      layout.DoubleStrip = CutBottom(area, std::clamp(area.Height() / (2 * (std::max(in.GridWidth, 1) + 1)),
                                                      kDoubleStrip, kMaxDoubleStrip));
    if (Meets(in.ShownWords, kVarDomino))
      layout.DominoStrip = CutBottom(area, kDominoStrip);
  }
  if (in.GameMode == kGameModeDefi)
    layout.DefiStrip = CutBottom(area, kDefiStrip);
  layout.Board = area;
  return layout;
}

std::vector<GridTab> LayOutGridTabs(const CellRect &strip, int gridCount,
                                    const std::vector<bool> &shownSlots) {
  std::vector<GridTab> tabs;
  if (gridCount <= 1)
    return tabs;
  bool everyShown = true;
  for (int slot = 0; slot < gridCount; ++slot)
    everyShown = everyShown && slot < static_cast<int>(shownSlots.size()) && shownSlots[slot];
  tabs.resize(static_cast<size_t>(gridCount) + 1);
  int places = 0;
  for (int tab = 0; tab <= gridCount; ++tab) {
    const bool shown = everyShown
                           ? tab == 0
                           : tab > 0 && tab - 1 < static_cast<int>(shownSlots.size()) && shownSlots[tab - 1];
    tabs[tab].Shown = shown;
    places += shown ? 2 : 1;
  }
  const int32_t full = std::min(kMaxTabHeight, 2 * std::max(0, strip.Height()) / places);
  int32_t top = strip.top;
  for (GridTab &tab : tabs) {
    const int32_t height = tab.Shown ? full : full / 2;
    tab.Box = {strip.left, top, strip.right, top + height};
    top += height;
  }
  return tabs;
}

} // namespace quorbel
