#include "engine/cell_set_rules.h"

#include <algorithm>

#include <array>
#include <cstdlib>

#include "engine/digit_tables.h"
#include "engine/engine_context.h"
#include "engine/grid_record.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"
#include "platform/ascii_text.h"

namespace quorbel {

namespace {

enum PanOperator : int { kPlus = 1, kMinus, kTimes, kDivide, kModulo, kEqual, kNotEqual, kGreater, kLess };

// The rule bit each allowed-set kind answers to.
VariantWords RuleOfAllowedType(int32_t type) {
  switch (type) {
  case kAllowedTypeMask:
    return kVarPencilMark;
  case kAllowedTypeSegments:
    return kVarDigitalClock;
  case kAllowedTypePips:
    return kVarDomino;
  case kAllowedTypeTable:
    return kVarRomain;
  default:
    return {};
  }
}

// A filled value the cell's set refuses.
bool RefusedValue(const CellRecord &cell) {
  const int v = cell.Value;
  switch (cell.AllowedType) {
  case kAllowedTypeMask:
    return cell.AllowedIndex != 0 && (ValueBit(v) & static_cast<uint32_t>(cell.AllowedIndex)) == 0;
  case kAllowedTypeSegments:
    return (SegmentMask(v) & cell.AllowedIndex) != cell.AllowedIndex;
  case kAllowedTypePips:
    return (PipMask(v) & cell.AllowedIndex) != cell.AllowedIndex;
  case kAllowedTypeTable:
    return (ValueBit(v) & static_cast<uint32_t>(cell.AllowedSet)) == 0;
  default:
    return false;
  }
}

uint32_t AllowedMask(const CellRecord &cell) {
  return static_cast<uint32_t>(cell.AllowedType == kAllowedTypeMask ? cell.AllowedIndex : cell.AllowedSet);
}

} // namespace

void CheckAllowedSets(const GridGeometry &geo, GridRecord &grid) {
  for (int c = 0; c < geo.NCells; ++c) {
    CellRecord &cell = grid.Cells[c];
    if (!Meets(grid.GridVar, RuleOfAllowedType(cell.AllowedType)))
      continue;
    cell.AllowedError = 0;
    if (IsFilled(cell) && RefusedValue(cell)) {
      cell.AllowedError = 1;
      cell.Check = kCheckConflict;
    }
  }
}

int FilterAllowedSets(const GridGeometry &geo, GridRecord &grid) {
  int changed = 0;
  for (int c = 0; c < geo.NCells; ++c) {
    CellRecord &cell = grid.Cells[c];
    if (!IsOpen(cell) || !Meets(grid.GridVar, RuleOfAllowedType(cell.AllowedType)))
      continue;
    const uint32_t allowed = AllowedMask(cell);
    // A pencil-mark set left empty allows everything.
    if (cell.AllowedType == kAllowedTypeMask && allowed == 0)
      continue;
    changed |= AndPoss(cell, allowed);
  }
  return changed;
}

void DefaultValueClasses(int width, std::array<int8_t, 16> &classes) {
  constexpr int kClasses = 4;
  const int run = width == 4 ? 2 : (width == 6 || width == 9 || width == 12) ? 3 : 4;
  for (int v = 1; v <= static_cast<int>(classes.size()); ++v) {
    const int k = (v - 1) / run + 1;
    classes[static_cast<size_t>(v - 1)] = static_cast<int8_t>(v <= width && k <= kClasses ? k : 0);
  }
}

void SettleValueClasses(int width, std::array<int8_t, 16> &classes) {
  if (std::all_of(classes.begin(), classes.end(), [](int8_t k) { return k == 0; }))
    DefaultValueClasses(width, classes);
}

uint32_t ClassMask(const std::array<int8_t, 16> &classes, int cellClass) {
  uint32_t mask = 0;
  for (size_t v = 0; v < classes.size(); ++v)
    if (classes[v] == cellClass)
      mask |= 1u << v;
  return mask;
}

void CheckCellClasses(const EngineContext &ctx, GridRecord &grid) {
  for (int c = 0; c < ctx.Geo.NCells; ++c) {
    CellRecord &cell = grid.Cells[c];
    cell.ClassError = 0;
    if (cell.CellClass <= 0 || !IsFilled(cell) || cell.Value < 1 || cell.Value > 16)
      continue;
    if (ctx.ValueClasses[static_cast<size_t>(cell.Value - 1)] != cell.CellClass) {
      cell.ClassError = 1;
      cell.Check = kCheckConflict;
    }
  }
}

int FilterCellClasses(const EngineContext &ctx, GridRecord &grid) {
  int changed = 0;
  for (int c = 0; c < ctx.Geo.NCells; ++c) {
    CellRecord &cell = grid.Cells[c];
    if (cell.CellClass <= 0 || !IsOpen(cell))
      continue;
    changed |= AndPoss(cell, ClassMask(ctx.ValueClasses, cell.CellClass));
  }
  return changed;
}

uint32_t NumeralMask(const EngineContext &ctx, int character) {
  if (!IsNumeralChar(character))
    return 0;
  return ctx.NumeralCharMasks[static_cast<size_t>(character - kFirstNumeralChar)];
}

void BuildNumeralCharMasks(EngineContext &ctx) {
  ctx.NumeralCharMasks.fill(0);
  // Every word, whatever the width: a value beyond the grid is never a candidate anyway, and
  // the masks stay right when the grid changes size.
  for (int v = 1; v <= static_cast<int>(ctx.NumeralStrings.size()); ++v)
    for (const char c : ctx.NumeralStrings[static_cast<size_t>(v - 1)]) {
      const int upper = static_cast<unsigned char>(AsciiUpper(c));
      if (IsNumeralChar(upper))
        ctx.NumeralCharMasks[static_cast<size_t>(upper - kFirstNumeralChar)] |= ValueBit(v);
    }
}

void TakeNumeralWords(EngineContext &ctx, const std::array<std::string_view, 16> &words) {
  std::copy(words.begin(), words.end(), ctx.NumeralStrings.begin());
  BuildNumeralCharMasks(ctx);
}

void CheckNumerals(const EngineContext &ctx, GridRecord &grid) {
  for (int c = 0; c < ctx.Geo.NCells; ++c) {
    CellRecord &cell = grid.Cells[c];
    cell.NumeralError = 0;
    // An empty word holds no character: its value never fits.
    if (cell.Numeral >= 0 && IsFilled(cell) && (NumeralMask(ctx, cell.Numeral) & ValueBit(cell.Value)) == 0) {
      cell.NumeralError = 1;
      cell.Check = kCheckConflict;
    }
  }
}

int FilterNumerals(const EngineContext &ctx, GridRecord &grid) {
  int changed = 0;
  for (int c = 0; c < ctx.Geo.NCells; ++c) {
    CellRecord &cell = grid.Cells[c];
    if (cell.Numeral < 0 || !IsOpen(cell))
      continue;
    changed |= AndPoss(cell, NumeralMask(ctx, cell.Numeral));
  }
  return changed;
}

namespace {

// The values the zone's filled cells hold.
uint32_t DanValuesSeen(const GridGeometry &geo, const GridRecord &grid) {
  const DanGroup &dan = grid.Lists.Dan;
  uint32_t seen = 0;
  const int n = std::min<int>(dan.NCells, static_cast<int>(dan.Cells.size()));
  for (int k = 0; k < n; ++k) {
    const CellRef c = dan.Cells[static_cast<size_t>(k)];
    if (c >= 0 && c < geo.NCells && IsFilled(grid.Cells[c]))
      seen |= ValueBit(grid.Cells[c].Value);
  }
  return seen;
}

} // namespace

void CheckDan(const GridGeometry &geo, GridRecord &grid) {
  const DanGroup &dan = grid.Lists.Dan;
  const int n = std::min<int>(dan.NCells, static_cast<int>(dan.Cells.size()));
  if (CountValues(DanValuesSeen(geo, grid), geo.GridWidth) <= dan.MaxDistinct)
    return;
  grid.Work.DanConflict = 1;
  for (int k = 0; k < n; ++k) {
    const CellRef c = dan.Cells[static_cast<size_t>(k)];
    if (c >= 0 && c < geo.NCells && IsFilled(grid.Cells[c]))
      grid.Cells[c].Check = kCheckConflict;
  }
}

int FilterDan(const GridGeometry &geo, GridRecord &grid) {
  const DanGroup &dan = grid.Lists.Dan;
  const uint32_t seen = DanValuesSeen(geo, grid);
  const int n = std::min<int>(dan.NCells, static_cast<int>(dan.Cells.size()));
  if (CountValues(seen, geo.GridWidth) != dan.MaxDistinct)
    return 0;
  // Every value the zone may hold is already there: its open cells take one of them.
  int changed = 0;
  for (int k = 0; k < n; ++k) {
    const CellRef c = dan.Cells[static_cast<size_t>(k)];
    if (c >= 0 && c < geo.NCells && IsOpen(grid.Cells[c]))
      changed |= AndPoss(grid.Cells[c], seen);
  }
  return changed;
}

void CheckEquality(const GridGeometry &geo, GridRecord &grid, int i) {
  const EqualityGroup &group = grid.Lists.Equality.Items[static_cast<size_t>(i)];
  const int n = std::min<int>(group.NCells, static_cast<int>(group.Cells.size()));
  int value = 0;
  bool conflict = false;
  for (int k = 0; k < n; ++k) {
    const CellRef c = group.Cells[static_cast<size_t>(k)];
    if (c < 0 || c >= geo.NCells || !IsFilled(grid.Cells[c]))
      continue;
    if (value == 0)
      value = grid.Cells[c].Value;
    else if (grid.Cells[c].Value != value)
      conflict = true;
  }
  if (!conflict)
    return;
  grid.Work.EqualityConflict[static_cast<size_t>(i)] = 1;
  for (int k = 0; k < n; ++k) {
    const CellRef c = group.Cells[static_cast<size_t>(k)];
    if (c >= 0 && c < geo.NCells && IsFilled(grid.Cells[c]))
      grid.Cells[c].Check = kCheckConflict;
  }
}

int FilterEquality(const GridGeometry &geo, GridRecord &grid, int i) {
  const EqualityGroup &group = grid.Lists.Equality.Items[static_cast<size_t>(i)];
  const int n = std::min<int>(group.NCells, static_cast<int>(group.Cells.size()));
  uint32_t common = geo.FullMask;
  for (int k = 0; k < n; ++k) {
    const CellRef c = group.Cells[static_cast<size_t>(k)];
    if (c >= 0 && c < geo.NCells)
      common &= IsFilled(grid.Cells[c]) ? ValueBit(grid.Cells[c].Value) : grid.Cells[c].ThePoss;
  }
  int changed = 0;
  for (int k = 0; k < n; ++k) {
    const CellRef c = group.Cells[static_cast<size_t>(k)];
    if (c < 0 || c >= geo.NCells || !IsOpen(grid.Cells[c]) || grid.Cells[c].ThePoss == common)
      continue;
    grid.Cells[c].ThePoss = common;
    changed = 1;
  }
  return changed;
}

bool PanDigitalHolds(const int64_t *numbers, int count, const int16_t *operators) {
  int64_t running = numbers[0];
  bool holds = false;
  for (int k = 1; k < count; ++k) {
    const int64_t n = numbers[k];
    switch (operators[k - 1]) {
    case kPlus:
      running += n;
      break;
    case kMinus:
      running -= n;
      break;
    case kTimes:
      running *= n;
      break;
    case kDivide:
      running = n != 0 ? running / n : running;
      break;
    case kModulo:
      running = n != 0 ? running % n : running;
      break;
    case kEqual:
      holds = holds || running == n;
      break;
    case kNotEqual:
      holds = holds || running != n;
      break;
    case kGreater:
      holds = holds || running > n;
      break;
    case kLess:
      holds = holds || running < n;
      break;
    default:
      break;
    }
  }
  return holds;
}

int CheckPanDigital(const GridGeometry &geo, GridRecord &grid, int i) {
  const PanExpression &pan = grid.Lists.Pan.Items[static_cast<size_t>(i)];
  VariantWork &work = grid.Work;
  const auto at = static_cast<size_t>(i);
  const int w = geo.GridWidth;
  auto validBlock = [w](int b) { return b >= 0 && b < w; };
  if (work.PanDigitCount[at] == -1) {
    // The blocks lie side by side (numbers are rows of blocks) or are stacked (columns).
    const bool sideBySide = std::abs(pan.Blocks[1] - pan.Blocks[0]) == 1;
    const int numbers = sideBySide ? geo.BlockRows : geo.BlockCols;
    const int digits = sideBySide ? geo.BlockCols : geo.BlockRows;
    // An absent block, or one beyond the grid, leaves nothing to read.
    if (numbers < 1 || numbers > 4 || digits < 1 || digits > 4 || pan.Position < 0 ||
        pan.Position >= (sideBySide ? geo.BlockRows : geo.BlockCols))
      return 0;
    for (int k = 0; k < numbers; ++k) {
      const int b = pan.Blocks[static_cast<size_t>(k)];
      if (!validBlock(b))
        return 0;
      for (int j = 0; j < digits; ++j) {
        const int index = sideBySide ? pan.Position * geo.BlockCols + j : j * geo.BlockCols + pan.Position;
        work.PanDigitCells[at][static_cast<size_t>(k)][static_cast<size_t>(j)] = grid.BlockCells[b][index];
      }
    }
    work.PanNumberCount[at] = static_cast<int8_t>(numbers);
    work.PanDigitCount[at] = static_cast<int8_t>(digits);
  }
  const int numbers = work.PanNumberCount[at];
  const int digits = work.PanDigitCount[at];
  std::array<int64_t, 4> value{};
  for (int k = 0; k < numbers; ++k)
    for (int j = 0; j < digits; ++j) {
      const CellRef c = work.PanDigitCells[at][static_cast<size_t>(k)][static_cast<size_t>(j)];
      if (c < 0 || c >= geo.NCells || !IsFilled(grid.Cells[c]))
        return 0;
      value[static_cast<size_t>(k)] = value[static_cast<size_t>(k)] * 10 + grid.Cells[c].Value;
    }
  if (PanDigitalHolds(value.data(), numbers, pan.Operators.data()))
    return 0;
  work.PanConflict[at] = 1;
  for (int k = 0; k < numbers; ++k)
    for (int j = 0; j < digits; ++j)
      grid.Cells[work.PanDigitCells[at][static_cast<size_t>(k)][static_cast<size_t>(j)]].Check =
          kCheckConflict;
  return 1;
}

} // namespace quorbel
