// Reset levels, copy modes, candidate queries and per-value scores of one cell.
#include "engine/cell_record.h"

#include <algorithm>
#include <climits>

#include "engine/geometry.h"

namespace quorbel {

void ResetCellState(const GridGeometry &geo, CellRecord &cell) {
  cell.ThePoss = geo.FullMask;
  cell.Value = 0;
  cell.Excluded = 0;
  cell.Marks = 0;
  cell.NPoss = 0;
  cell.WorkWord = 0;
  cell.ProbableMask = 0;
  cell.CellHighlight = 0;
  cell.UnitHighlight = 0;
  cell.Boat = 0;
  cell.NotDrawn = 0;
  cell.SurpriseKind = 0;
  cell.SurpriseAmount = 0;
  cell.SurpriseWords.fill(0);
  cell.Status = kStatusEmpty;
  cell.Check = kCheckConsistent;
}

void ClearCell(const GridGeometry &geo, CellRecord &cell, int level) {
  ResetCellState(geo, cell);
  if (level < 2) {
    cell.OddEven = -1;
    cell.Partner1 = -1;
    cell.Partner2 = -1;
    cell.OddEvenError = 0;
    cell.ClassError = 0;
    cell.NumeralError = 0;
    cell.AllowedMaskWord = kAllowedMaskWordAll;
    cell.ImageIndex = -1;
    cell.BlackAttacks = 0;
    cell.WhiteAttacks = 0;
    cell.BlockBorders.fill(0);
  }
  cell.SurpriseKind = 0;
}

CellRecord MakeClearedCell(const GridGeometry &geo) {
  CellRecord cell;
  ClearCell(geo, cell, 1);
  return cell;
}

int StoreCellValue(const GridGeometry &geo, CellRecord &cell, int value, int status) {
  cell.Value = value;
  if (status != 0) {
    cell.Marks = value >= 1 && value <= geo.GridWidth ? ValueBit(value) : 0;
    cell.ThePoss = cell.Marks;
    cell.Excluded = cell.ThePoss ^ geo.FullMask;
  }
  cell.Status = status;
  return 1;
}

namespace {

void CopyValuePart(const GridGeometry &geo, CellRecord &dst, const CellRecord &src) {
  dst.Index = src.Index;
  dst.Value = src.Value;
  dst.ThePoss = src.ThePoss;
  dst.Marks = src.Marks;
  dst.NPoss = src.NPoss;
  dst.Excluded = src.Excluded;
  dst.Status = src.Status;
  dst.Check = src.Check;
  dst.CellHighlight = src.CellHighlight;
  dst.UnitHighlight = src.UnitHighlight;
  dst.WorkWord = src.WorkWord;
  dst.ProbableMask = src.ProbableMask;
  dst.Boat = src.Boat;
  std::copy_n(src.ScoreWords.begin(), 3, dst.ScoreWords.begin());
  dst.MarkerState = src.MarkerState;
  const int width = std::clamp(geo.GridWidth, 0, kMaxWidth);
  std::copy_n(src.ValueScores.begin(), width, dst.ValueScores.begin());
}

void CopyVariantPart(CellRecord &dst, const CellRecord &src) {
  dst.OddEven = src.OddEven;
  dst.OddEvenError = src.OddEvenError;
  dst.CellClass = src.CellClass;
  dst.ClassError = src.ClassError;
  dst.Numeral = src.Numeral;
  dst.NumeralError = src.NumeralError;
  dst.ImageFlag = src.ImageFlag;
  dst.MasterMindLine = src.MasterMindLine;
  dst.SurpriseKind = src.SurpriseKind;
  dst.SurpriseAmount = src.SurpriseAmount;
  dst.Partner1 = src.Partner1;
  dst.Partner2 = src.Partner2;
  dst.AllowedType = src.AllowedType;
  dst.AllowedIndex = src.AllowedIndex;
  dst.AllowedMaskWord = src.AllowedMaskWord;
  dst.AllowedError = src.AllowedError;
  dst.AllowedSet = src.AllowedSet;
  dst.MarkerWord = src.MarkerWord;
  dst.ImageIndex = src.ImageIndex;
  dst.FigureColour = src.FigureColour;
  dst.BlackAttacks = src.BlackAttacks;
  dst.WhiteAttacks = src.WhiteAttacks;
  dst.CrossedOut = src.CrossedOut;
  dst.NotDrawn = src.NotDrawn;
  dst.BlockBorders = src.BlockBorders;
}

} // namespace

void CopyCellFields(const GridGeometry &geo, CellRecord &dst, const CellRecord &src, int mode) {
  if (mode != kCopyVariantPart)
    CopyValuePart(geo, dst, src);
  if (mode != kCopyValuePart)
    CopyVariantPart(dst, src);
}

void CommitCellValue(CellRecord &cell) {
  if (cell.Status == kStatusPlacedLastStep)
    cell.Status = kStatusPlaced;
}

int CountPoss(const GridGeometry &geo, CellRecord &cell) {
  cell.NPoss = CountValues(cell.ThePoss, geo.GridWidth);
  return cell.NPoss;
}

int CountMarks(const GridGeometry &geo, const CellRecord &cell) {
  return CountValues(cell.Marks, geo.GridWidth);
}

int FirstPossValue(const GridGeometry &geo, const CellRecord &cell) {
  const uint32_t mask = cell.Status == kStatusPencilled ? cell.Marks : cell.ThePoss;
  return LowestValue(mask, geo.GridWidth);
}

int PossValueAt(const GridGeometry &geo, const CellRecord &cell, int n) {
  return n < 0 ? 0 : NthPossValue(cell.ThePoss, n + 1, geo.GridWidth);
}

std::pair<int, int> FirstAndLastPossValue(const GridGeometry &geo, const CellRecord &cell) {
  const int first = LowestValue(cell.ThePoss, geo.GridWidth);
  if (first == 0)
    return {-1, -1};
  return {first, HighestValue(cell.ThePoss, geo.GridWidth)};
}

int NextPossValueAbove(const GridGeometry &geo, const CellRecord &cell, int v) {
  const uint32_t above = v < 0 ? ~0u : (v >= 32 ? 0u : ~WidthMask(v));
  const int next = LowestValue(cell.ThePoss & above, geo.GridWidth);
  return next == 0 ? geo.GridWidth + 1 : next;
}

int PrevPossValueBelow(const GridGeometry &geo, const CellRecord &cell, int v) {
  const int prev = HighestValue(cell.ThePoss & WidthMask(v - 1), geo.GridWidth);
  return prev == 0 ? -1 : prev;
}

int ListPossValues(const GridGeometry &geo, const CellRecord &cell, std::span<int, kMaxPossList> out) {
  if (cell.Status <= kStatusConflict)
    return cell.Value;
  if (cell.NPoss > geo.GridWidth)
    return -1;
  int k = 0;
  for (int v = 1; v <= geo.GridWidth && v <= kMaxWidth; ++v)
    if (cell.ThePoss & ValueBit(v))
      out[k++] = v;
  out[k] = -1;
  return 0;
}

int BestScoredValue(const GridGeometry &geo, const CellRecord &cell) {
  int best = -1;
  int bestValue = 0;
  for (int v = 1; v <= geo.GridWidth && v <= kMaxWidth; ++v) {
    if (cell.ValueScores[v - 1] > best) {
      best = cell.ValueScores[v - 1];
      bestValue = v;
    }
  }
  return bestValue == 0 ? -1 : best * 100 + bestValue;
}

int LowestScoredValue(const GridGeometry &geo, const CellRecord &cell) {
  int lowest = INT_MAX;
  int lowestValue = 0;
  for (int v = 1; v <= geo.GridWidth && v <= kMaxWidth; ++v) {
    const int score = cell.ValueScores[v - 1];
    if (score != 0 && score < lowest) {
      lowest = score;
      lowestValue = v;
    }
  }
  return lowestValue == 0 ? kNoScoredValue : lowest * 100 + lowestValue;
}

} // namespace quorbel
