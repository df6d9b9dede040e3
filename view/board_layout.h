// The division of the view's client area: the comment strip, the side panel (clock, number bar,
// legend, message panel), the grid-tab strip, the strips under the board, and the tiling of the
// shown grids over the board. Plain arithmetic over the settings; the view paints what it gives.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "app/app_settings.h"
#include "app/value_symbol.h"
#include "engine/grid_set.h"
#include "view/cell_rect.h"

namespace quorbel {

// Values 1..16, then the undo button and the picture-reload button.
inline constexpr int kValueSlotCount = kMaxWidth + 2;
inline constexpr int kMaxLegendLines = 64;
inline constexpr int32_t kPanelSeparation = 2; // between the board and the side panel
inline constexpr int32_t kTabStripWidth = 20;
inline constexpr int32_t kSlotInset = 5;

// Columns and rows of the tiling, and the tile size.
struct GridTiling {
  int32_t Columns = 1;
  int32_t Rows = 1;
  double TileW = 0;
  double TileH = 0;
};

// The column count (1..n) whose tiles have the largest side; a later count wins only when its
// side is strictly larger.
GridTiling ChooseTiling(int gridCount, double width, double height);
// The tile of the index-th shown grid (row by row); a last row with fewer grids is centred.
CellRect TileRect(const GridTiling &tiling, int index, int gridCount, const CellRect &area);
// The tile scaled by `fade` (1.0: the whole tile) and centred in it.
CellRect ScaledTile(const CellRect &tile, double fade);

struct ViewLayoutInputs {
  int32_t ClientW = 0;
  int32_t ClientH = 0;
  const GeneralSettings &General;
  int32_t GameMode = 0;
  SymbolMode Symbols = kSymbolDigits;
  int32_t GridCount = 1; // grids of the set (more than one: the tab strip)
  int32_t GridWidth = 0; // symbols of the current shape (0: no geometry yet)
  int32_t LegendLines = 0;
  VariantWords ShownWords{}; // the rules of the shown grids
  bool MessagePanel = true;
};

struct ViewLayout {
  CellRect Client;
  CellRect Board;   // what the grids tile
  CellRect Comment; // the comment strip under everything
  CellRect Side;    // the whole side panel
  CellRect Clock;   // the clock, or the score part of the timed and challenge modes
  CellRect Message;
  CellRect TabStrip;
  CellRect NumeralStrip, DoubleStrip, DominoStrip, DefiStrip; // under the board
  bool NumberBarShown = false;
  int32_t ValueSlots = 0;                        // slots in use: W + 1, W + 2 with pictures
  std::array<CellRect, kValueSlotCount> Slots{}; // slot k + 1 at index k
  std::array<CellRect, kMaxLegendLines> Legend{};
  int32_t RowHeight = 0;
  int32_t CommentFont = 0; // font index of the comment strip and the message panel
};

// The number bar stands in the side panel when asked for, with pictures, and in the timed and
// challenge modes.
bool NumberBarShown(const GeneralSettings &general, SymbolMode symbols, int32_t gameMode);

ViewLayout LayOutView(const ViewLayoutInputs &in);

// The grid tabs down the tab strip: tab 0 for the whole set, tab i for grid slot i - 1.
struct GridTab {
  CellRect Box;
  bool Shown = false; // drawn at full height with four outlines
};
// `shownSlots`: which grid slots are in the display order. When every grid is shown only tab 0
// counts as shown; a shown tab takes two places, another one; the full height is at most 200.
std::vector<GridTab> LayOutGridTabs(const CellRect &strip, int gridCount,
                                    const std::vector<bool> &shownSlots);

} // namespace quorbel
