// SetCellValue: every action a player, a solving method or the search applies to a cell.
#include "engine/cell_actions.h"
#include "engine/engine_context.h"

namespace quorbel {

namespace {

bool IsValidCell(const GridRecord &grid, int cell) {
  return cell >= 0 && static_cast<size_t>(cell) < grid.Cells.size();
}

// Action codes arrive from peers and macro files too: anything else is refused.
bool IsKnownAction(int action) { return action >= kActionGive && action <= kActionToggleCandidate; }

// The n-th candidate in ascending order; 0 when the cell has fewer than n.
int NthCandidate(const GridGeometry &geo, const CellRecord &cell, int n) {
  return NthPossValue(cell.ThePoss, n, geo.GridWidth);
}

void StartPlacedImages(EngineHost &host, const GridRecord &grid, int index) {
  constexpr int kLoops = 1;
  const CellRecord &cell = grid.Cells[static_cast<size_t>(index)];
  if (cell.ImageIndex >= 0)
    host.StartCellAnimation(grid, index, kFigurePicture, kAnimCountedLoops, kLoops);
  if (cell.ImageFlag == 1)
    host.StartCellAnimation(grid, index, kSentencePicture, kAnimCountedLoops, kLoops);
  if (cell.MarkerState == 1)
    for (int marker = 0; marker < kMarkerPictures; ++marker)
      host.StartCellAnimation(grid, index, kFirstMarkerPicture + marker, kAnimCountedLoops, kLoops);
}

// Actions 13 and 14 leave a value in the cycle empty, 1, ..., GridWidth.
void ShowCycledValue(const GridGeometry &geo, CellRecord &c) {
  if (c.Value == 0) {
    c.Status = kStatusEmpty;
    c.Marks = 0;
    c.Excluded = geo.FullMask;
  } else {
    c.Status = kStatusPlaced;
    c.Marks = ValueBit(c.Value);
    c.Excluded = c.Marks ^ geo.FullMask;
  }
}

} // namespace

int SetCellValue(EngineContext &ctx, GridRecord &grid, int cell, int n, int action) {
  if (!IsValidCell(grid, cell) || !IsKnownAction(action))
    return 0;
  const GridGeometry &geo = ctx.Geo;
  const int width = geo.GridWidth;
  CellRecord &c = grid.Cells[cell];

  if ((n < 1 || n > width) && action != kActionGive) {
    c.Status = kStatusEmpty;
    c.Value = 0;
    c.Excluded = geo.FullMask;
    c.Marks = 0;
    c.ThePoss = 0;
    return 1;
  }

  const int32_t oldStatus = c.Status;
  const uint32_t bit = ValueBit(n);
  switch (action) {
  case kActionGive:
    c.ThePoss = geo.FullMask;
    c.Status = kStatusGiven;
    c.Value = n >= 0 && n <= width ? n : 0;
    c.Marks = 0;
    c.Excluded = 0;
    return 1;
  case kActionPlace:
  case kActionPlaceFixed:
    c.Value = n;
    c.Marks = c.ThePoss = bit;
    c.Excluded = bit ^ geo.FullMask;
    StartPlacedImages(*ctx.Host, grid, cell);
    break;
  case kActionPlaceNth:
  case kActionHypothesis:
  case kActionPlaceNthFixed:
  case kActionToggleCandidate: {
    // A cell with fewer than n candidates gets no value: GridWidth is not a candidate.
    const int value = NthCandidate(geo, c, n);
    c.Value = 0;
    if (value == 0)
      return 0;
    const uint32_t valueBit = ValueBit(value);
    if (action == kActionToggleCandidate) {
      c.ThePoss ^= valueBit;
      c.Excluded = c.ThePoss ^ geo.FullMask;
      break;
    }
    c.Value = value;
    c.ThePoss = valueBit;
    c.Excluded = valueBit ^ geo.FullMask;
    if (action == kActionPlaceNth)
      c.Marks = valueBit;
    if (action == kActionPlaceNthFixed) {
      c.Status = kStatusFixed;
      return 1;
    }
    break;
  }
  case kActionClear:
    c.Status = kStatusEmpty;
    c.Marks = 0;
    c.Excluded = 0;
    c.ThePoss = geo.FullMask;
    c.AllowedMaskWord = kAllowedMaskWordAll;
    c.Value = 0;
    break;
  case kActionTogglePencil:
    c.Marks ^= bit;
    c.Excluded = c.Marks ^ geo.FullMask;
    c.AllowedMaskWord &= ~bit;
    c.Value = 0;
    break;
  case kActionRemovePencil:
    c.Marks &= ~bit;
    c.Excluded = c.Marks ^ geo.FullMask;
    // Decided by the candidates, whatever marks remain.
    switch (CountPoss(geo, c)) {
    case 1:
      c.Status = kStatusPlaced;
      c.Value = FirstPossValue(geo, c);
      break;
    case 0:
      c.Status = kStatusEmpty;
      c.Value = 0;
      break;
    default:
      c.Status = kStatusPencilled;
      c.Value = 0;
      break;
    }
    break;
  case kActionNextValue:
    c.Value = c.Value >= width || c.Value < 0 ? 0 : c.Value + 1;
    ShowCycledValue(geo, c);
    break;
  case kActionPreviousValue:
    c.Value = c.Value <= 0 || c.Value > width ? width : c.Value - 1;
    ShowCycledValue(geo, c);
    break;
  default:
    break;
  }

  const bool statusSetAbove =
      action == kActionRemovePencil || action == kActionNextValue || action == kActionPreviousValue;
  if (!statusSetAbove && action != kActionToggleCandidate && oldStatus < kStatusSticky)
    c.Status = action;

  // Only real moves on shown grids go to the challenge peer: the search's trial values
  // and the solver's scratch grids would flood it with moves nobody made.
  if (action != kActionHypothesis && MainGridSlot(ctx.Grids, grid) >= 0)
    ctx.Host->DefiSendMove(c.Index, n, action);
  return 1;
}

} // namespace quorbel
