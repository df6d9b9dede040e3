// CGridDraw, the painter record of one grid slot: where every cell record of its grid lies on the
// board, the boxes of the small value symbols, the font sizes and the metrics they come from.
// ComputeMargins and ComputeCellRects fill it before every paint; nothing here paints.
// All geometry is in device pixels, computed in doubles and truncated at the end.
#pragma once

#include <array>
#include <cstdint>

#include "app/app_settings.h"
#include "app/colours.h"
#include "app/value_symbol.h"
#include "engine/grid_set.h"
#include "view/cell_rect.h"
#include "view/display_switches.h"

namespace quorbel {

// More than the records of the largest grid (17 x 17 + 16 + 4).
inline constexpr int kDrawRecords = 709;
inline constexpr int kLayoutCodes = 4;         // thick sides: 0 none, 1 left/top, 2 right/bottom, 3 both
inline constexpr int32_t kBarStripHeight = 15; // the Magic Sentence and Master Mind bars
inline constexpr int32_t kMaxFontIndex = 159;

// A colour per value, block, region or relation.
inline constexpr std::array<ColorRef, 16> kValueColours = {
    0x00FF00, 0xFF009C, 0x0000FF, 0xFFFF00, 0x00FFFF, 0x078948, 0xFF8665, 0x467DAA,
    0x9A6B34, 0x6D00FF, 0xFF0000, 0x014109, 0x9C8CEA, 0x00A8FF, 0xFF8200, 0x884051,
};

struct RowBand {
  int32_t Parity = 0; // 0 drawn in the separation colour, 1 in the board colour
  CellRect Box;
};

// Outside margins in cells, one per side of the grid.
struct GridMargins {
  double Left = 0, Right = 0, Top = 0, Bottom = 0;
};

// What the layout reads besides the grid: the shared geometry, the layout settings, the symbol
// mode and the rules the player has not hidden.
struct GridLayoutInputs {
  const GridGeometry &Geo;
  const GeneralSettings &General;
  SymbolMode Symbols = kSymbolDigits;
  VariantWords VarMask = kAllVariantsShown;
};

struct CGridDraw {
  int32_t Slot = 0; // the grid slot this painter draws
  GridRecord *Grid = nullptr;
  const GridRecord *RefGrid = nullptr;

  std::array<CellRect, kDrawRecords> OuterRect{};
  std::array<CellRect, kDrawRecords> InnerRect{};           // inside the thick (block) sides
  std::array<int8_t, kDrawRecords> HorzCode{};              // 1 thick left, 2 thick right
  std::array<int8_t, kDrawRecords> VertCode{};              // 1 thick top, 2 thick bottom
  std::array<CandidateLayout, kLayoutCodes> SymbolLayout{}; // the candidate matrix
  std::array<CandidateLayout, kLayoutCodes> BarLayout{};    // two rows of small symbols
  std::array<RowBand, kMaxWidth> RowBands{};

  CellRect SentenceBar;
  CellRect MasterMindBar;
  CellRect PieceArea;
  double PieceScale = 1.0;
  CellRect BoardRect;
  int32_t BoardW = 0;
  int32_t BoardH = 0;

  double OffsetX = 0, OffsetY = 0;
  double CellW = 0, CellH = 0;
  double BlockGapX = 0, BlockGapY = 0;
  double CellGapX = 0, CellGapY = 0;
  double SmallRowH = 0;
  double BorderCell = 0, BorderBlock = 0;
  GridMargins Margins;
  int32_t BlockBars = 1;
  int32_t BlockGapFactor = 1; // 0 on an irregular grid: no gap marks the regular blocks

  // Indexes into the font table.
  int32_t FontProb = 3;
  int32_t FontCell = 9;
  int32_t FontLabel = 9;
  int32_t FontMatrix = 9;
  int32_t FontPiece = 9;
};

// Binds the painter to the main grid and the reference grid of its slot.
void AttachGrid(CGridDraw &painter, GridSet &set);

// The margins the clues outside the grid need, from the grid's rules (ANDed with the mask).
GridMargins ClueMargins(const GridGeometry &geo, const GridRecord &grid, VariantWords rules);

// Reads Grid and BoardRect; writes the bars' room, margins, metrics and offsets.
void ComputeMargins(CGridDraw &painter, const GridLayoutInputs &in);
// Reads the metrics; writes font sizes, bars, every record's rectangles, codes, layouts and
// row bands.
void ComputeCellRects(CGridDraw &painter, const GridLayoutInputs &in);

// The box of value index v (0-based) of a cell: in the candidate matrix, or in the two small
// rows. A selected cell is drawn with thick sides all round, so its boxes move inside them.
CellRect SymbolRect(const CGridDraw &painter, int cell, int v, bool selected);
CellRect BarSymbolRect(const CGridDraw &painter, const GridGeometry &geo, int cell, int v, bool selected);
// Values of the upper small row; the others fill the lower one.
int BarTopCount(int width);

// Where a cell record's text goes and where its frame is drawn. `empty`: the cell holds no value.
CellRect CellTextRect(const CGridDraw &painter, const GridGeometry &geo, int cell, int probType,
                      bool pictures, bool empty);
CellRect CellFrameRect(const CGridDraw &painter, const GridGeometry &geo, int cell);

} // namespace quorbel
