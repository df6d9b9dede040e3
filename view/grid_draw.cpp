#include "view/grid_draw.h"

#include <algorithm>
#include <string>

#include "engine/puzzle_pieces.h"

namespace quorbel {

namespace {

// Cell and gap sizes in design units (or pixels in the absolute mode).
struct Metrics {
  double cellW, cellH, cellGapX, cellGapY, blockGapX, blockGapY, smallRow, borderCell, borderBlock;
};
// The automatic size: a fixed design scaled to the board.
constexpr Metrics kAutoMetrics{50, 39, 3, 3, 8, 8, 10, 1, 5};
// The design cell whose small row the square-cell mode keeps in proportion.
constexpr double kDesignCellH = 39;
constexpr double kDesignSmallRow = 10;
// Room kept around a grid scaled to its board, in design units.
constexpr double kDesignSlack = 20;
// The share of the board the grid keeps when its pieces need more room than it leaves.
constexpr double kGridShareBesidePieces = 0.7;

struct GridExtent {
  double Width = 0;
  double Height = 0;
};
// A cell's value font: 31/39 of its height, less 7.
constexpr double kCellFontNumerator = 31;
constexpr double kCellFontDenominator = 39;
constexpr double kCellFontLess = 7;

// Truncated toward zero like the integer conversion, but never undefined for a wild value.
int32_t Trunc(double value) {
  constexpr double kLimit = 1e9;
  return static_cast<int32_t>(std::clamp(value, -kLimit, kLimit));
}

int32_t FontIndex(double size) { return std::clamp(Trunc(size), 0, kMaxFontIndex); }

double &SideMargin(GridMargins &margins, int side) {
  switch (side) {
  case kSideTop:
    return margins.Top;
  case kSideRight:
    return margins.Right;
  case kSideBottom:
    return margins.Bottom;
  default:
    return margins.Left;
  }
}

void Raise(double &margin, double value) { margin = std::max(margin, value); }

bool HasSentenceBar(const GridRecord &grid, VariantWords rules) {
  return Meets(rules, kVarMagicSentence) && grid.Lists.MagicSentence.NCells > 0;
}
bool HasMasterMindBar(const GridRecord &grid, VariantWords rules) {
  return Meets(rules, kVarMasterMind) && grid.Lists.MasterMind.Lines.Size() > 0;
}

// The size of the grid along one axis: cells and margins, the gaps inside the blocks, one block
// gap before the first block and one after each block (none between irregular blocks).
double Extent(double cell, double cellGap, double blockGap, int cells, int blocks, int blockSide,
              double margins, int blockGapFactor) {
  return blockGap + cellGap * blocks * (blockSide - 1) + cell * (cells + margins) +
         blockGap * blocks * blockGapFactor;
}

// The x of a column edge: `units` cells (with the left margin) from the board's left, plus the
// gaps that lie before column `col`.
int32_t XEdge(const CGridDraw &p, const GridGeometry &geo, int col, double units) {
  const int block = col / geo.BlockCols;
  return p.BoardRect.left + Trunc(units * p.CellW + p.OffsetX + (col - block) * p.CellGapX + p.BlockGapX +
                                  block * p.BlockGapX * p.BlockGapFactor);
}
int32_t YEdge(const CGridDraw &p, const GridGeometry &geo, int row, double units) {
  const int block = row / geo.BlockRows;
  return p.BoardRect.top + Trunc(units * p.CellH + p.OffsetY + (row - block) * p.CellGapY + p.BlockGapY +
                                 block * p.BlockGapY * p.BlockGapFactor);
}

// Left, right, top, bottom: the cell's own block-border flags, or a block edge by the grid's
// block table. A grid reset clears the flags while its blocks stay, so the table must count too.
std::array<bool, 4> ThickSides(const GridGeometry &geo, const GridRecord &grid, int cell) {
  const int row = geo.RowOfCell[cell];
  const int col = geo.ColOfCell[cell];
  const int block = grid.BlockOfCell[cell];
  auto otherBlock = [&](int neighbour) { return grid.BlockOfCell[neighbour] != block; };
  const std::array<int8_t, 4> &flags = grid.Cells[static_cast<size_t>(cell)].BlockBorders;
  return {flags[0] != 0 || col == 0 || otherBlock(cell - 1),
          flags[1] != 0 || col == geo.NCols - 1 || otherBlock(cell + 1),
          flags[2] != 0 || row == 0 || otherBlock(cell - geo.NCols),
          flags[3] != 0 || row == geo.NRows - 1 || otherBlock(cell + geo.NCols)};
}

bool ShowsLabels(const GridLayoutInputs &in) {
  return in.General.displayLines == 1 && in.Symbols != kSymbolPictures;
}

// Each piece cell covers two by two squares of the piece area, at the place the layout gave it.
void LayOutPieceCells(CGridDraw &p, const GridGeometry &geo) {
  const double scale = p.PieceScale > 0 ? p.PieceScale : 1.0;
  const double squareW = p.CellW / 2 / scale;
  const double squareH = p.CellH / 2 / scale;
  const GridRecord &grid = *p.Grid;
  for (int i = 0; i < grid.Lists.Pieces.Size(); ++i) {
    const PuzzlePiece &piece = grid.Lists.Pieces.Items[static_cast<size_t>(i)];
    for (int k = 0; k < std::clamp<int>(piece.NCells, 0, kMaxPieceDigits); ++k) {
      const int record = piece.Identities[static_cast<size_t>(k)];
      if (record < geo.NCellRecs || record >= kDrawRecords)
        continue;
      const int col = grid.Work.PieceLayoutCol[static_cast<size_t>(i)][static_cast<size_t>(k)];
      const int row = grid.Work.PieceLayoutRow[static_cast<size_t>(i)][static_cast<size_t>(k)];
      const CellRect box{p.PieceArea.left + Trunc(col * squareW), p.PieceArea.top + Trunc(row * squareH),
                         p.PieceArea.left + Trunc((col + 2) * squareW) - 1,
                         p.PieceArea.top + Trunc((row + 2) * squareH) - 1};
      p.OuterRect[record] = p.InnerRect[record] = box;
    }
  }
}

void LayOutLabels(CGridDraw &p, const GridGeometry &geo) {
  const double small = Trunc(p.SmallRowH);
  const double rightUnits = geo.NCols + p.Margins.Left + p.Margins.Right;
  const double bottomUnits = geo.NRows + p.Margins.Top + p.Margins.Bottom;
  const int32_t labelLeft = XEdge(p, geo, geo.NCols, rightUnits);
  const int32_t labelRight = XEdge(p, geo, geo.NCols, rightUnits + 1);
  const int32_t labelTop = YEdge(p, geo, geo.NRows, bottomUnits);
  const int32_t labelBottom = labelTop + Trunc(p.CellH - 2 * p.SmallRowH);
  for (int r = 0; r < geo.NRows; ++r) {
    const CellRect &rowCell = p.OuterRect[geo.RowCells[r][0]];
    p.OuterRect[geo.RowUnitBase + r] = {labelLeft, rowCell.top + Trunc(small), labelRight,
                                        rowCell.bottom - Trunc(small)};
  }
  for (int c = 0; c < geo.NCols; ++c) {
    const CellRect &colCell = p.OuterRect[geo.ColCells[c][0]];
    p.OuterRect[geo.ColUnitBase + c] = {colCell.left, labelTop, colCell.right, labelBottom};
  }
  p.OuterRect[geo.NumberBar()] = {labelLeft, labelTop, labelRight, labelBottom};
  for (int record = geo.NCells; record < geo.CellLimit; ++record)
    p.InnerRect[record] = p.OuterRect[record];
}

void LayOutSymbolBoxes(CGridDraw &p, const GridGeometry &geo) {
  const int width = geo.GridWidth;
  const int topCount = BarTopCount(width);
  const int bottomCount = width - topCount;
  const int32_t small = Trunc(p.SmallRowH);
  for (int code = 0; code < kLayoutCodes; ++code) {
    const int thickSides = code == 0 ? 0 : code == 3 ? 2 : 1;
    const int32_t w = Trunc(p.CellW - thickSides * p.BorderBlock) + 2;
    const int32_t h = Trunc(p.CellH - thickSides * p.BorderBlock) + 2;
    for (int v = 0; v < kMaxWidth; ++v) {
      if (v >= width) {
        p.SymbolLayout[code][v] = p.BarLayout[code][v] = kNotShownRect;
        continue;
      }
      const int r = v / geo.BlockCols;
      const int c = v % geo.BlockCols;
      p.SymbolLayout[code][v] = {c * w / geo.BlockCols + 1, r * h / geo.BlockRows + 1,
                                 (c + 1) * w / geo.BlockCols, (r + 1) * h / geo.BlockRows};
      if (v < topCount) {
        p.BarLayout[code][v] = {v * w / topCount, 0, (v + 1) * w / topCount, small - 1};
      } else {
        // The lower row runs along the cell's bottom edge, as the upper one along its top.
        const int k = v - topCount;
        p.BarLayout[code][v] = {k * w / bottomCount, h - 1 - small, (k + 1) * w / bottomCount, h - 2};
      }
    }
  }
}

void LayOutRowBands(CGridDraw &p, const GridGeometry &geo) {
  const int32_t gapX = Trunc(p.BlockGapX);
  const int32_t gapY = Trunc(p.BlockGapY);
  auto rowBox = [&](int r) { return p.OuterRect[geo.RowCells[r][0]]; };
  // Bands meet halfway between rows, so they tile the grid without overlap.
  auto boundary = [&](int r) {
    if (r == 0)
      return rowBox(0).top - gapY;
    if (r == geo.NRows)
      return rowBox(r - 1).bottom + gapY;
    return (rowBox(r - 1).bottom + rowBox(r).top) / 2;
  };
  const bool evenBlocks = geo.BlockRows % 2 == 0;
  for (int r = 0; r < kMaxWidth; ++r) {
    if (r >= geo.NRows) {
      p.RowBands[r] = {};
      continue;
    }
    const CellRect &last = p.OuterRect[geo.RowCells[r][geo.NCols - 1]];
    p.RowBands[r].Parity = evenBlocks ? (r + r / geo.BlockRows) % 2 : r % 2;
    p.RowBands[r].Box = {rowBox(r).left - gapX, boundary(r), last.right + gapX, boundary(r + 1)};
  }
}

} // namespace

int BarTopCount(int width) { return Trunc(width * 0.5 + 0.51); }

void AttachGrid(CGridDraw &painter, GridSet &set) {
  painter.Grid = &GridOfGridDraw(set, painter.Slot);
  painter.RefGrid = &RefTabOfGridDraw(set, painter.Slot);
}

GridMargins ClueMargins(const GridGeometry &geo, const GridRecord &grid, VariantWords rules) {
  GridMargins m;
  const int w = geo.GridWidth;
  const VariantLists &lists = grid.Lists;
  if (Meets(rules, kVarLittleKiller))
    for (const LittleKillerClue &clue : lists.LittleKiller.Used()) {
      const int start = clue.LastCell; // the clue stands one step beyond it
      if (start < 0 || start >= geo.NCells || w <= 0)
        continue;
      const int step = clue.Step;
      const bool up = step == 1 - w || step == -w - 1;
      const bool rightwards = step == 1 - w || step == w + 1;
      if (step != 1 - w && step != -w - 1 && step != w - 1 && step != w + 1)
        continue;
      // A diagonal leaves the grid through a row side, a column side or a corner: the clue's
      // box lies beyond each side it leaves through.
      const int row = start / w;
      const int col = start % w;
      if (up ? row == 0 : row == w - 1)
        Raise(up ? m.Top : m.Bottom, 0.5);
      if (rightwards ? col == w - 1 : col == 0)
        Raise(rightwards ? m.Right : m.Left, 0.7);
    }
  if (Meets(rules, kVarDistance))
    for (const DistanceClue &clue : lists.Distance.Used())
      Raise(clue.Orientation == 1 ? m.Right : m.Bottom, 1.0);
  const int lines = std::clamp(w, 0, kMaxWidth);
  if (Meets(rules, kVarOutside | kVarOddview | kVarTransfer))
    for (int side = 0; side < 4; ++side)
      for (int line = 0; line < lines; ++line) {
        const int count = std::clamp<int>(lists.Outside.Count[side][line], 0, kMaxWidth);
        if (count == 0)
          continue;
        const bool across = side == kSideTop || side == kSideBottom;
        Raise(SideMargin(m, side), across ? 0.4 : 0.3 * count);
      }
  if (Meets(rules, kVarFrameSum | kVarFrameProduct | kVarSkyScraper | kVarLastNumber | kVarFrameMax))
    for (int side = 0; side < 4; ++side)
      for (int line = 0; line < lines; ++line)
        if (lists.Frame.Kind[side][line] != 0) {
          // Beside a row the number lies across: its digits set the width.
          const bool across = side == kSideTop || side == kSideBottom;
          const int digits = static_cast<int>(std::to_string(std::abs(lists.Frame.Value[side][line])).size());
          Raise(SideMargin(m, side), across ? 0.4 : std::max(0.4, 0.25 * digits + 0.1));
        }
  if (Meets(rules, kVarBattleShip)) {
    Raise(m.Left, 0.5);
    Raise(m.Top, 0.5);
  }
  if (Meets(rules, kVarTwinsSameInLine))
    Raise(m.Left, 0.5);
  if (Meets(rules, kVarMasterMind))
    Raise(m.Right, std::max(m.Left, 1.1));
  return m;
}

namespace {

// Lays the grid out on a board of this size: its metrics and its offsets in it.
GridExtent LayGrid(CGridDraw &p, const GridLayoutInputs &in, VariantWords rules, double boardW,
                   double boardH) {
  const GridGeometry &geo = in.Geo;
  const GeneralSettings &g = in.General;
  Metrics m = g.autoSize == 1
                  ? kAutoMetrics
                  : Metrics{static_cast<double>(g.longCase),    static_cast<double>(g.hautCase),
                            static_cast<double>(g.interCaseX),  static_cast<double>(g.interCaseY),
                            static_cast<double>(g.interBlockX), static_cast<double>(g.interBlockY),
                            static_cast<double>(g.haut19),      static_cast<double>(g.borderCell),
                            static_cast<double>(g.borderBlock)};
  p.BlockBars = g.blockBars;
  if (Meets(rules, kVarPanDigital)) {
    p.BlockBars = 0;
    m.blockGapX = m.cellW / 2;
    m.blockGapY = m.cellH / 2;
  }
  p.BlockGapFactor = Meets(rules, kVarIrregular) ? 0 : 1;
  const int j = p.BlockGapFactor;
  const bool labels = ShowsLabels(in);
  const double marginsX = p.Margins.Left + p.Margins.Right;
  const double marginsY = p.Margins.Top + p.Margins.Bottom;

  const bool absolute = g.autoSize != 1 && g.absolute != 0;
  if (!absolute && geo.NCells > 0) {
    double kx =
        Extent(m.cellW, m.cellGapX, m.blockGapX, geo.NCols, geo.NBlockCols, geo.BlockCols, marginsX, j) +
        kDesignSlack;
    double ky =
        Extent(m.cellH, m.cellGapY, m.blockGapY, geo.NRows, geo.NBlockRows, geo.BlockRows, marginsY, j) +
        kDesignSlack;
    if (labels) {
      kx += m.blockGapX + m.cellW;
      ky += m.blockGapY + m.cellH - 2 * m.smallRow;
    }
    const double sx = kx > 0 ? std::max(0.0, boardW / kx) : 0.0;
    const double sy = ky > 0 ? std::max(0.0, boardH / ky) : 0.0;
    const double designCellH = m.cellH;
    m.cellW *= sx;
    m.cellGapX *= sx;
    m.blockGapX *= sx;
    m.cellH *= sy;
    m.cellGapY *= sy;
    m.blockGapY *= sy;
    m.smallRow = designCellH > 0 ? m.smallRow * m.cellH / designCellH : 0.0;
    if (g.cellSquare == 1) {
      if (m.cellW >= m.cellH) {
        m.cellW = m.cellH;
        m.cellGapX = m.cellGapY;
        m.blockGapX = m.blockGapY;
      } else {
        m.cellH = m.cellW;
        m.cellGapY = m.cellGapX;
        m.blockGapY = m.blockGapX;
        m.smallRow = m.cellW * kDesignSmallRow / kDesignCellH;
      }
    }
  }
  p.CellW = m.cellW;
  p.CellH = m.cellH;
  p.CellGapX = m.cellGapX;
  p.CellGapY = m.cellGapY;
  p.BlockGapX = m.blockGapX;
  p.BlockGapY = m.blockGapY;
  p.SmallRowH = m.smallRow;
  p.BorderCell = m.borderCell;
  p.BorderBlock = m.borderBlock;

  double width =
      Extent(m.cellW, m.cellGapX, m.blockGapX, geo.NCols, geo.NBlockCols, geo.BlockCols, marginsX, j);
  double height =
      Extent(m.cellH, m.cellGapY, m.blockGapY, geo.NRows, geo.NBlockRows, geo.BlockRows, marginsY, j);
  if (labels) {
    width += m.blockGapX + m.cellW;
    height += m.blockGapY + m.cellH - 2 * m.smallRow;
  }
  p.OffsetX = std::max(0.0, (boardW - width) / 2);
  p.OffsetY = std::max(0.0, (boardH - height) / 2);
  return {width, height};
}

// The pieces go right of the grid when they fit in the strip the grid leaves there; otherwise
// the grid takes 70% of the board's width (or height, for cells taller than wide) and the
// pieces the rest.
void LayPieceArea(CGridDraw &p, const GridLayoutInputs &in, VariantWords rules, GridExtent extent) {
  const CellRect &board = p.BoardRect;
  auto fits = [&](CellRect area, bool growRows) {
    p.PieceArea = area;
    const double halfW = p.CellW / 2;
    const double halfH = p.CellH / 2;
    if (halfW <= 0 || halfH <= 0 || area.IsEmpty())
      return false;
    int rows = Trunc(area.Height() / halfH);
    int columns = Trunc(area.Width() / halfW);
    double scale = 1.0;
    const bool fit = FitPuzzlePieces(in.Geo, *p.Grid, rows, columns, growRows, scale);
    p.PieceScale = scale;
    return fit;
  };
  const int32_t gap = Trunc(p.BlockGapY);
  const int32_t gridRight = board.left + Trunc(p.OffsetX + extent.Width);
  if (fits({gridRight, board.top, board.right, board.top + p.BoardH - gap}, false))
    return;
  if (p.CellH <= p.CellW) {
    const double share = kGridShareBesidePieces * p.BoardW;
    LayGrid(p, in, rules, share, p.BoardH);
    fits({board.left + Trunc(share), board.top, board.right, board.top + p.BoardH - gap}, false);
  } else {
    const double share = kGridShareBesidePieces * p.BoardH;
    LayGrid(p, in, rules, p.BoardW, share);
    fits({board.left, board.top + Trunc(share), board.right, board.top + p.BoardH - gap}, true);
  }
}

} // namespace

void ComputeMargins(CGridDraw &p, const GridLayoutInputs &in) {
  const GridGeometry &geo = in.Geo;
  const VariantWords rules = p.Grid ? p.Grid->GridVar & in.VarMask : VariantWords{};
  p.BoardW = p.BoardRect.Width();
  p.BoardH = p.BoardRect.Height();
  if (p.Grid && in.Symbols != kSymbolPictures) {
    if (HasSentenceBar(*p.Grid, rules))
      p.BoardH -= kBarStripHeight;
    if (HasMasterMindBar(*p.Grid, rules))
      p.BoardH -= kBarStripHeight;
  }
  p.Margins = p.Grid ? ClueMargins(geo, *p.Grid, rules) : GridMargins{};
  p.PieceArea = kNotShownRect;
  p.PieceScale = 1.0;
  const GridExtent extent = LayGrid(p, in, rules, p.BoardW, p.BoardH);
  if (p.Grid && Meets(rules, kVarPieceRules) && p.Grid->Lists.Pieces.Size() > 0)
    LayPieceArea(p, in, rules, extent);
}

void ComputeCellRects(CGridDraw &p, const GridLayoutInputs &in) {
  const GridGeometry &geo = in.Geo;
  const GeneralSettings &g = in.General;
  p.OuterRect.fill(kNotShownRect);
  p.InnerRect.fill(kNotShownRect);
  p.HorzCode.fill(0);
  p.VertCode.fill(0);
  p.SentenceBar = p.MasterMindBar = kNotShownRect;
  if (geo.NCells <= 0 || geo.CellLimit > kDrawRecords || geo.BlockRows <= 0 || geo.BlockCols <= 0)
    return;

  double small = p.SmallRowH;
  p.FontProb = FontIndex(small - 7 + g.deltaFontProb);
  if (p.FontProb + 8 < small)
    small = p.FontProb + 8;
  p.SmallRowH = small;
  p.FontLabel = FontIndex((p.CellH - 2 * small) / 15 * 20 - 8 + g.deltaFontLc);
  p.FontMatrix = FontIndex(3 * small / geo.BlockRows - 4 + g.deltaFontMatrix - (geo.BlockRows == 4 ? 4 : 0));
  p.FontCell =
      FontIndex(p.CellH * kCellFontNumerator / kCellFontDenominator - kCellFontLess + g.deltaFontCell);
  p.FontPiece = FontIndex(p.FontCell / p.PieceScale);

  const VariantWords rules = p.Grid ? p.Grid->GridVar & in.VarMask : VariantWords{};
  if (p.Grid && in.Symbols != kSymbolPictures) {
    const int32_t left = p.BoardRect.left + Trunc(p.OffsetX);
    const int32_t right = p.BoardRect.right - Trunc(p.OffsetX);
    int32_t top = p.BoardRect.top + p.BoardH;
    if (HasSentenceBar(*p.Grid, rules)) {
      p.SentenceBar = {left, top, right, top + kBarStripHeight};
      top += kBarStripHeight;
    }
    if (HasMasterMindBar(*p.Grid, rules))
      p.MasterMindBar = {left, top, right, top + kBarStripHeight};
  }

  const int32_t thick = Trunc(p.BorderBlock);
  for (int cell = 0; cell < geo.NCells; ++cell) {
    const int row = geo.RowOfCell[cell];
    const int col = geo.ColOfCell[cell];
    const CellRect outer{XEdge(p, geo, col, col + p.Margins.Left), YEdge(p, geo, row, row + p.Margins.Top),
                         XEdge(p, geo, col, col + 1 + p.Margins.Left),
                         YEdge(p, geo, row, row + 1 + p.Margins.Top)};
    p.OuterRect[cell] = outer;
    CellRect inner = outer;
    if (p.Grid && static_cast<size_t>(cell) < p.Grid->Cells.size()) {
      const std::array<bool, 4> sides = ThickSides(geo, *p.Grid, cell);
      if (sides[0]) {
        inner.left += thick;
        p.HorzCode[cell] |= 1;
      }
      if (sides[1]) {
        inner.right -= thick;
        p.HorzCode[cell] |= 2;
      }
      if (sides[2]) {
        inner.top += thick;
        p.VertCode[cell] |= 1;
      }
      if (sides[3]) {
        inner.bottom -= thick;
        p.VertCode[cell] |= 2;
      }
    }
    p.InnerRect[cell] = inner;
  }
  if (ShowsLabels(in))
    LayOutLabels(p, geo);
  if (p.Grid && p.PieceArea.IsShown())
    LayOutPieceCells(p, geo);
  LayOutSymbolBoxes(p, geo);
  LayOutRowBands(p, geo);
}

namespace {

// Boxes are measured from the pixel before the inner box, so that they cover the inner box
// widened by one pixel, as the text rectangle covers the outer one.
CellRect BoxInCell(const CGridDraw &p, const std::array<CandidateLayout, kLayoutCodes> &layouts, int cell,
                   int v, bool selected) {
  if (cell < 0 || cell >= kDrawRecords || v < 0 || v >= kMaxWidth || !p.InnerRect[cell].IsShown())
    return kNotShownRect;
  const CellRect &inner = p.InnerRect[cell];
  const int horz = selected ? 3 : p.HorzCode[cell];
  const int vert = selected ? 3 : p.VertCode[cell];
  const int32_t thick = Trunc(p.BorderBlock);
  const int32_t x0 = inner.left - 1 + (selected && !(p.HorzCode[cell] & 1) ? thick : 0);
  const int32_t y0 = inner.top - 1 + (selected && !(p.VertCode[cell] & 1) ? thick : 0);
  const CellRect &xs = layouts[horz][v];
  const CellRect &ys = layouts[vert][v];
  if (!xs.IsShown() || !ys.IsShown())
    return kNotShownRect;
  return {x0 + xs.left, y0 + ys.top, x0 + xs.right, y0 + ys.bottom};
}

} // namespace

CellRect SymbolRect(const CGridDraw &painter, int cell, int v, bool selected) {
  return BoxInCell(painter, painter.SymbolLayout, cell, v, selected);
}

CellRect BarSymbolRect(const CGridDraw &painter, const GridGeometry &geo, int cell, int v, bool selected) {
  if (cell != geo.NumberBar() || cell < 0 || cell >= kDrawRecords)
    return BoxInCell(painter, painter.BarLayout, cell, v, selected);
  // The number bar record: the upper row's boxes, the later values in its lower half.
  const CellRect &outer = painter.OuterRect[cell];
  if (!outer.IsShown() || v < 0 || v >= geo.GridWidth)
    return kNotShownRect;
  const int topCount = BarTopCount(geo.GridWidth);
  const CellRect &box = painter.BarLayout[0][v];
  const int32_t top = outer.top + (v >= topCount ? outer.Height() / 2 : 0);
  return {outer.left - 1 + box.left, top, outer.left - 1 + box.right, top + Trunc(painter.SmallRowH) - 1};
}

CellRect CellTextRect(const CGridDraw &painter, const GridGeometry &geo, int cell, int probType,
                      bool pictures, bool empty) {
  if (cell < 0 || cell >= kDrawRecords || !painter.OuterRect[cell].IsShown())
    return kNotShownRect;
  if (cell < geo.NCells) {
    const CellRect &outer = painter.OuterRect[cell];
    CellRect text{outer.left, outer.top, outer.right + 1, outer.bottom + 1};
    if (probType == 3 && !pictures && empty) {
      const int32_t small = Trunc(painter.SmallRowH);
      text.top += small;
      text.bottom -= small;
    }
    return text;
  }
  if (cell == geo.NumberBar()) {
    const CellRect &outer = painter.OuterRect[cell];
    return {outer.left, outer.top, outer.right, outer.top};
  }
  return painter.InnerRect[cell].Inset(1, 1);
}

CellRect CellFrameRect(const CGridDraw &painter, const GridGeometry &geo, int cell) {
  if (cell < 0 || cell >= kDrawRecords)
    return kNotShownRect;
  CellRect frame = painter.InnerRect[cell];
  if (frame.IsShown() && cell >= geo.NCells && cell < geo.CellLimit)
    ++frame.bottom;
  return frame;
}

} // namespace quorbel
