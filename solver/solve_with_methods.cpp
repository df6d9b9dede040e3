// The method driver's passes. Each pass starts from candidates brought up to date without
// a rebuild, so the removals of the last pass stay. Order: LinColBlk, Single, then, while
// nothing is placed in this call, Probables; Group; Colouring and Forcing Chain while
// nothing is placed; a call that placed values ends after its pass; Burma; Random last.
// A removal starts a new pass, so the easier methods get the first chance every time.
#include "solver/solve_with_methods.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/highlights.h"
#include "engine/method_probables.h"
#include "engine/method_record.h"
#include "engine/propagate.h"
#include "engine/unit_queries.h"
#include "engine/unit_summary.h"
#include "engine/update_possibles.h"
#include "solver/burma.h"
#include "solver/colouring.h"
#include "solver/forcing_chain.h"
#include "solver/method_group.h"
#include "solver/method_highlights.h"
#include "solver/method_random.h"
#include "solver/method_trial_grid.h"
#include "solver/method_units.h"
#include "solver/plain_board.h"
#include "solver/search.h"

namespace quorbel {

namespace {

constexpr int kEveryCell = -1;
constexpr int kNewestLine = 0;

class MethodDriver {
public:
  MethodDriver(EngineContext &ctx, MethodMask mask, GridRecord &grid, int stepMode, int highlight, int cell,
               int messages)
      : ctx_(ctx), geo_(ctx.Geo), record_(ctx.Methods), mask_(mask), grid_(grid), step_(stepMode == 1),
        highlight_(highlight == 1), messages_(messages == 1), cell_(cell) {
    if (cell == kEveryCell) {
      first_ = 0;
      end_ = geo_.NCells;
    } else if (cell >= 0 && cell < geo_.NCells) {
      first_ = cell;
      end_ = cell + 1;
    }
  }

  int Run();

private:
  // What a stage tells the pass.
  enum class Next { GoOn, NewPass, Return };

  bool Has(MethodMask bit) const { return (mask_ & bit) != 0; }
  bool InRange(int cell) const { return cell >= first_ && cell < end_; }
  void Announce(std::string_view text) {
    if (messages_)
      ctx_.Host->ReplaceInfoMessage(text, kNewestLine);
  }
  void Mark(int cell, int8_t mark) {
    if (highlight_)
      grid_.Cells[cell].CellHighlight = mark;
  }
  // A value went in: the call ends here in step mode.
  Next Placed() {
    ++record_.MethodPlacements;
    ++placedHere_;
    result_ = kSolvePlaced;
    return step_ ? Next::Return : Next::GoOn;
  }
  // Places `value` with `action`, leaving the cell as placed by this step.
  void PlaceValue(int cell, int value, int action) {
    SetCellValue(ctx_, grid_, cell, value, action);
    grid_.Cells[cell].Status = kStatusPlacedLastStep;
  }

  Next LinColBlk();
  Next Single();
  Next SingleInUnit(int kind, int unit, int value);
  Next Group();
  Next Colouring();
  Next ForcingChain();
  Next Random();

  EngineContext &ctx_;
  const GridGeometry &geo_;
  MethodRecord &record_;
  MethodMask mask_;
  GridRecord &grid_;
  bool step_, highlight_, messages_;
  int cell_;                // the one cell asked for, or -1
  int first_ = 0, end_ = 0; // the cells that may be placed
  int result_ = kSolveStopped;
  int placedHere_ = 0; // this call's placements: MethodPlacements may hold a caller's earlier ones
  TrialGrid trial_;
  ChainMemo chains_; // kept over the passes that only remove candidates
  UnitSubsetMemo subsets_;
  // What Single reads of each cell: the value of a filled one, the candidates of an open one.
  static constexpr int32_t kNotFilled = -1;
  std::array<int32_t, kMaxCells> filledValue_{};
  std::array<uint32_t, kMaxCells> openPoss_{};
};

int MethodDriver::Run() {
  record_.MethodsUsed = 0;
  record_.LastMethodBit = 0;
  record_.MaxGroupSize = 0;
  ctx_.SolutionCount = 0;
  if (step_)
    record_.MethodPlacements = 0;
  if (!FitsGeometry(geo_, grid_))
    return kSolveStopped;
  ClearProbableMasks(ctx_, grid_);
  CommitNewValues(geo_, grid_);

  for (;;) {
    if (ctx_.Host->PollUserAbort())
      return kSolveCancelled;
    RefreshCandidates(ctx_, grid_, kFilterDefault, 0, 0);
    result_ = kSolveStopped;

    if (Has(kMaskLinColBlk) && LinColBlk() == Next::Return)
      return result_;
    if (Has(kMaskSingle) && Single() == Next::Return)
      return result_;
    if (Has(kMaskProbables) && placedHere_ == 0) {
      Announce("Solve with Probables...");
      if (ApplyProbables(ctx_, grid_) == kCandidatesRemoved) {
        record_.MethodsUsed |= kMethodProbables;
        continue;
      }
    }
    if (Has(kMaskGroup)) {
      const Next next = Group();
      if (next == Next::Return)
        return result_;
      if (next == Next::NewPass)
        continue;
    }
    if (Has(kMaskColouring) && placedHere_ == 0) {
      const Next next = Colouring();
      if (next == Next::Return)
        return result_;
      if (next == Next::NewPass)
        continue;
    }
    if (Has(kMaskForcingChain) && placedHere_ == 0 && ForcingChain() == Next::Return)
      return result_;
    if (placedHere_ != 0)
      return result_;
    if (!Has(kMaskBurma))
      break;
    Announce("Solve with Burma...");
    if (ApplyBurma(ctx_, grid_, BurmaSizesOfMask(mask_)) != 1)
      break;
    record_.MethodsUsed |= kMethodBurma;
  }

  // Nothing was placed: the last resort.
  if (Has(kMaskRandom)) {
    Announce("Solve with Randomn...");
    Random();
  }
  return result_;
}

MethodDriver::Next MethodDriver::LinColBlk() {
  Announce("Solve with Line/col/block...");
  for (int cell = first_; cell < end_; ++cell) {
    const CellRecord &c = grid_.Cells[cell];
    if (!IsOpenStatus(c.Status) || c.NPoss != 1 || SetCellValue(ctx_, grid_, cell, 1, kActionPlaceNth) == 0)
      continue;
    RecordMethodUse(record_, kMethodLinColBlk, 0);
    if (highlight_)
      ExplainLinColBlk(geo_, grid_, cell);
    if (Placed() == Next::Return)
      return Next::Return;
  }
  return Next::GoOn;
}

MethodDriver::Next MethodDriver::Single() {
  Announce("Solve with Single...");
  // The units are read W times each: from a copy of what they read of the cells.
  for (int cell = 0; cell < geo_.NCells; ++cell) {
    const CellRecord &c = grid_.Cells[cell];
    filledValue_[cell] = c.Status < kStatusConflict ? c.Value : kNotFilled;
    openPoss_[cell] = IsOpenStatus(c.Status) ? c.ThePoss : 0;
  }
  for (int value = 1; value <= geo_.GridWidth; ++value) {
    for (int kind = kUnitRow; kind <= kUnitBlock; ++kind)
      for (int unit = 0; unit < geo_.GridWidth; ++unit)
        if (SingleInUnit(kind, unit, value) == Next::Return)
          return Next::Return;
    for (int kind = kUnitDiag1; kind <= kUnitExtra2; ++kind)
      if (RegionUnitInUse(grid_, kind - kUnitDiag1) && SingleInUnit(kind, 0, value) == Next::Return)
        return Next::Return;
  }
  return Next::GoOn;
}

MethodDriver::Next MethodDriver::SingleInUnit(int kind, int unit, int value) {
  const std::span<const int16_t> cells = UnitCells(geo_, grid_, kind, unit);
  const uint32_t bit = ValueBit(value);
  int places = 0;
  int place = -1;
  for (int16_t cell : cells) {
    if (cell < 0 || cell >= geo_.NCells)
      continue;
    if (filledValue_[cell] == value)
      return Next::GoOn; // the value is already there
    if ((openPoss_[cell] & bit) != 0) {
      ++places;
      place = cell;
    }
  }
  if (places != 1 || !InRange(place))
    return Next::GoOn;
  RecordMethodUse(record_, kMethodSingle, 0);
  PlaceValue(place, value, kActionPlace);
  filledValue_[place] = grid_.Cells[place].Value;
  openPoss_[place] = 0;
  if (highlight_) {
    HighlightUnit(geo_, kind, unit, grid_);
    for (int16_t cell : cells)
      if (cell >= 0 && cell < geo_.NCells && IsOpenStatus(grid_.Cells[cell].Status))
        grid_.Cells[cell].CellHighlight = kMarkExplains;
    grid_.Cells[place].CellHighlight = kMarkFound;
  }
  return Placed();
}

MethodDriver::Next MethodDriver::Group() {
  GroupSearch search = MakeGroupSearch(mask_, geo_.GridWidth);
  if (search.DepthLimit < 1)
    return Next::GoOn;
  Announce("Solve with Group...");
  subsets_.Reset(search);
  bool removed = false;
  for (int cell = first_; cell < end_; ++cell) {
    if (grid_.Cells[cell].Status != kStatusEmpty)
      continue;
    if (ctx_.Host->PollUserAbort()) {
      result_ = kSolveCancelled;
      return Next::Return;
    }
    const uint32_t reduced = subsets_.Reduce(ctx_, grid_, cell, search);
    const NakedSubset &subset = search.Largest;
    CellRecord &c = grid_.Cells[cell];
    const uint32_t possBefore = c.ThePoss;
    if (SingleValueOfMask(reduced) != 0 && subset.Size > 0) {
      RecordMethodUse(record_, kMethodGroup, subset.Size);
      RestrictPoss(geo_, c, reduced);
      SetCellValue(ctx_, grid_, cell, 1, kActionPlaceNth);
      if (highlight_) {
        for (int k = 0; k < subset.Size; ++k)
          grid_.Cells[subset.Cells[k]].CellHighlight = kMarkExplains;
        HighlightUnit(geo_, subset.Kind, UnitIndexOfCell(geo_, grid_, subset.Kind, subset.Cells[0]), grid_);
        c.CellHighlight = kMarkFound;
      }
      if (Placed() == Next::Return)
        return Next::Return;
    }
    if (reduced != c.ThePoss) {
      RestrictPoss(geo_, c, reduced);
      removed = true;
      record_.MaxGroupSize = std::max(record_.MaxGroupSize, subset.Size);
    }
    // The cell's units read it again.
    if (c.Status != kStatusEmpty || c.ThePoss != possBefore)
      subsets_.Forget(ctx_, grid_, cell);
  }
  if (!removed || result_ == kSolvePlaced)
    return Next::GoOn;
  result_ = kCandidatesRemoved;
  record_.MethodsUsed |= kMethodGroup;
  return Next::NewPass;
}

MethodDriver::Next MethodDriver::Colouring() {
  Announce("Solve with Coloring...");
  ColouringOutcome outcome;
  const int found = ApplyColouring(ctx_, grid_, trial_, mask_, -1, first_, end_, outcome, &chains_);
  ResetCellColours(grid_, -1);
  if (found == kSolveCancelled) {
    result_ = kSolveCancelled;
    return Next::Return;
  }
  if (found == kCandidatesRemoved) {
    record_.MethodsUsed |= kMethodColouring;
    return Next::NewPass;
  }
  if (found < 0)
    return Next::GoOn;
  RecordMethodUse(record_, kMethodColouring, 0);
  PlaceValue(found, outcome.Value, kActionPlaceFixed);
  for (int k = 0; k < outcome.Count; ++k)
    Mark(outcome.Cells[k], kMarkExplains);
  Mark(found, kMarkFound);
  return Placed();
}

MethodDriver::Next MethodDriver::ForcingChain() {
  Announce("Solve with Forcing Chain...");
  std::vector<int> values(static_cast<size_t>(geo_.NCells), kForcingUntouched);
  std::optional<PlainBoard> plain;
  if (PlainValues board; ReadPlainValues(geo_, grid_, board))
    plain.emplace(geo_, grid_, board);
  // Trial and conflict cells start chains too: their candidates are branched on like an open cell's.
  for (int start = 0; start < geo_.NCells; ++start) {
    if (grid_.Cells[start].Status <= kStatusFixed)
      continue;
    const int found = ApplyForcingChain(ctx_, grid_, trial_, mask_, start, values, plain ? &*plain : nullptr);
    if (found == kSolveCancelled) {
      result_ = kSolveCancelled;
      return Next::Return;
    }
    if (found < 0)
      continue;
    for (int cell = first_; cell < end_; ++cell) {
      if (values[cell] < 0)
        continue;
      RecordMethodUse(record_, kMethodForcingChain, 0);
      PlaceValue(cell, values[cell], kActionPlaceFixed);
      Mark(start, kMarkExplains);
      Mark(cell, kMarkFound);
      return Placed();
    }
  }
  return Next::GoOn;
}

MethodDriver::Next MethodDriver::Random() {
  const int placed = PlaceRandomValue(ctx_, grid_, trial_, cell_, first_, end_);
  if (placed == kSolveCancelled) {
    result_ = kSolveCancelled;
    return Next::Return;
  }
  if (placed < 0)
    return Next::GoOn;
  RecordMethodUse(record_, kMethodRandom, 0);
  grid_.Cells[placed].Status = kStatusPlacedLastStep;
  Mark(placed, kMarkFound);
  return Placed();
}

} // namespace

void RefreshCandidates(EngineContext &ctx, GridRecord &grid, int mode, int probables, int init) {
  if (MainGridSlot(ctx.Grids, grid) >= 0) {
    UpdatePossibles(ctx, -1, mode, probables, init);
    return;
  }
  if (init == 1) {
    Propagate(ctx, grid, mode, probables);
    return;
  }
  if (!FitsGeometry(ctx.Geo, grid))
    return;
  const int cap = MaxFilterPasses(ctx.Geo);
  uint32_t probablesToRead = kEveryBlock;
  for (int passes = 1; FilterConstraints(ctx, grid, mode, probables, &probablesToRead) == 1; ++passes) {
    if (passes >= cap) {
      ReportFilterPassCap(ctx, "SolveWithMethods", passes);
      break;
    }
  }
  CheckConstraints(ctx, grid);
  ChooseMinPossCell(ctx.Geo, grid);
}

int SolveWithMethods(EngineContext &ctx, MethodMask mask, GridRecord &grid, int stepMode, int highlight,
                     int cell, int messages) {
  MethodDriver driver(ctx, mask, grid, stepMode, highlight, cell, messages);
  return driver.Run();
}

int SolveRepeatedly(EngineContext &ctx, GridRecord &grid, MethodMask mask) {
  const int mode = MaskFilterMode(mask);
  const int probables = MaskProbableMode(mask);
  RefreshCandidates(ctx, grid, mode, probables, 1);
  for (;;) {
    if (ctx.Host->PollUserAbort())
      return kSolveCancelled;
    const int result = SolveWithMethods(ctx, mask, grid, 0, 0, kEveryCell, 0);
    if (result == kSolveCancelled)
      return kSolveCancelled;
    ctx.Methods.GameMaxMethodLevel = std::max(ctx.Methods.GameMaxMethodLevel, ctx.Methods.MaxMethodLevel);
    RefreshCandidates(ctx, grid, mode, probables, 1);
    if (grid.SudMissing == 0)
      break;
    if (result != kSolvePlaced)
      return result;
  }
  // A last call on the complete grid, as the solving commands end.
  if (SolveWithMethods(ctx, mask, grid, 0, 0, kEveryCell, 0) == kSolveCancelled)
    return kSolveCancelled;
  return kSolveStopped;
}

} // namespace quorbel
