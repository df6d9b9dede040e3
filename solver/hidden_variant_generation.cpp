#include "solver/hidden_variant_generation.h"

#include <memory>

#include "engine/engine_context.h"
#include "engine/geometry.h"
#include "engine/grid_copy.h"
#include "engine/grid_set.h"
#include "engine/irregular_blocks.h"
#include "engine/search_history.h"
#include "engine/solve_result.h"
#include "engine/unit_summary.h"
#include "solver/generation_run.h"
#include "solver/optimise_grid.h"
#include "solver/random_solution.h"
#include "solver/random_variants.h"
#include "solver/solution_count.h"
#include "solver/statistics_carving.h"

namespace quorbel {

namespace {

constexpr int kTriesPerGrid = 3;
constexpr int kSolutionFailures = 10;
constexpr int kSolutionDraws = 10; // solutions drawn while another rule of the set allows them

// The diagonals count exactly when the grid's rule is Diagonal alone.
void SetRule(EngineContext &ctx, GridRecord &grid, VariantWords rule) {
  grid.GridVar = rule;
  const int16_t on = rule == kVarDiagonal ? 1 : 0;
  if (grid.Lists.RegionOn[0] != on || grid.Lists.RegionOn[1] != on) {
    grid.Lists.RegionOn[0] = grid.Lists.RegionOn[1] = on;
    RebuildGridRegions(ctx, grid);
  }
}

class HiddenSet {
public:
  HiddenSet(EngineContext &ctx, GenerationRun &run) : ctx_(ctx), run_(run), count_(run.GridCount) {}
  HiddenSetOutcome Run();

private:
  // 1 accepted, 0 not, below 0 the run ends.
  int Try(int k);
  int RuleOut(GridRecord &grid, int k, VariantWords other);
  bool AnotherRuleAllows(int k, VariantWords rule);
  void SettleStatuses(int k);

  EngineContext &ctx_;
  GenerationRun &run_;
  int count_;
  VariantWords inseparable_; // the last rule found to keep the grid's own solution
};

int HiddenSet::Try(int k) {
  GridRecord &grid = ctx_.Grids.Main[static_cast<size_t>(k)];
  const VariantWords rule = grid.Lists.HiddenRule;
  ctx_.Grids.FocusGrid = k;
  ClearGrid(ctx_, grid, kResetAll);
  grid.Lists.HiddenRule = rule;
  grid.Lists.TwinsPartner = -1;
  SetRule(ctx_, grid, rule);
  RandomSolutionOptions options;
  options.GameLevel = run_.Level;
  options.VarDepth = run_.Settings.VarDepth;
  int made = 0;
  for (int draw = 0; draw < kSolutionDraws; ++draw) {
    made = MakeRandomSolution(ctx_, grid, k == 0 ? kSeedsFirstLinkedGrid : kSeedsComputed, -1,
                              kSolutionFailures, 0, options);
    grid.Lists.HiddenRule = rule;
    if (made != 1 || !AnotherRuleAllows(k, rule))
      break;
  }
  if (made < 0)
    return made;
  if (made != 1)
    return 0;
  ctx_.Host->StepWaitProgress(-1);
  const CarvingOutcome carved = FindGridWithStatistics(ctx_, grid, run_, CarvingRequest{});
  if (carved.Status < 0)
    return carved.Status;

  int count = SearchLinkedSolutions(ctx_, k, 0, kUniqueLimit, 0);
  if (count == kSolveCancelled)
    return count;
  if (count != 1) {
    int added = 0;
    count = AddGivensUntilUnique(ctx_, RangeOfGrids(ctx_, k), 1, added);
    if (count == kSolveCancelled)
      return count;
  }
  if (run_.Level == 4 && count == 1 &&
      RemoveNeedlessGivens(ctx_, RangeOfGrids(ctx_, k), {}, {}) == kSolveCancelled)
    return kSolveCancelled;
  if (count != 1)
    return 0;
  // Under every other rule of the set the grid must have no solution at all.
  int accepted = 1;
  for (int l = 0; l < count_ && accepted == 1; ++l) {
    const VariantWords other = ctx_.Grids.Main[static_cast<size_t>(l)].Lists.HiddenRule;
    if (l != k && other != rule)
      accepted = RuleOut(grid, k, other);
  }
  SetRule(ctx_, grid, rule);
  return accepted;
}

// Whether the grid's solution also keeps another rule of the set: no givens could then tell
// the two rules apart.
bool HiddenSet::AnotherRuleAllows(int k, VariantWords rule) {
  auto solution = std::make_unique<GridRecord>();
  CopyGrid(ctx_, *solution, &ctx_.Grids.RefTab[static_cast<size_t>(k)], 0);
  for (CellRecord &cell : solution->PlayingCells(ctx_.Geo))
    cell.Status = kStatusFixed;
  for (int l = 0; l < count_; ++l) {
    const VariantWords other = ctx_.Grids.Main[static_cast<size_t>(l)].Lists.HiddenRule;
    if (l == k || other == rule)
      continue;
    SetRule(ctx_, *solution, other);
    if (CountGridSolutions(ctx_, *solution, 0, 1, 0) == 1) {
      inseparable_ = other;
      return true;
    }
  }
  return false;
}

// A solution under the other rule loses, one after another, a cell where it differs from the
// grid's own solution, which then becomes a given: the grid keeps its one solution and sheds
// the others. 1 none left, 0 one that agrees with the grid's own solution (or not known in
// time), -10 cancelled.
int HiddenSet::RuleOut(GridRecord &grid, int k, VariantWords other) {
  const GridRecord &own = ctx_.Grids.RefTab[static_cast<size_t>(k)];
  auto found = std::make_unique<GridRecord>();
  for (;;) {
    SetRule(ctx_, grid, other);
    const int under = SearchLinkedSolutions(ctx_, k, 0, 1, 1);
    if (under == kSolveCancelled)
      return under;
    if (under == 0)
      return 1;
    if (under != 1 || CopyStoredSolution(ctx_, 0, k, *found) != 1)
      return 0;
    int cell = -1;
    for (int c = 0; c < ctx_.Geo.NCells && cell < 0; ++c)
      if (grid.Cells[c].Status == kStatusEmpty && found->Cells[c].Value != own.Cells[c].Value)
        cell = c;
    if (cell < 0) {
      inseparable_ = other;
      return 0;
    }
    CopyCellFields(ctx_.Geo, grid.Cells[cell], own.Cells[cell], kCopyBoth);
    grid.Cells[cell].Status = kStatusFixed;
  }
}

// The puzzle's values become givens of the grid and of its solution; the open cells are
// marked in the solution as the ones to find.
void HiddenSet::SettleStatuses(int k) {
  GridRecord &grid = ctx_.Grids.Main[static_cast<size_t>(k)];
  GridRecord &solution = ctx_.Grids.RefTab[static_cast<size_t>(k)];
  for (int c = 0; c < ctx_.Geo.NCells; ++c) {
    CellRecord &cell = grid.Cells[static_cast<size_t>(c)];
    CellRecord &ref = solution.Cells[static_cast<size_t>(c)];
    if (cell.Status != kStatusEmpty) {
      cell.Status = kStatusFixed;
      ref.Status = kStatusFixed;
    } else {
      ref.Status = kStatusHypothesis;
    }
  }
  solution.State = kGridConsistent;
}

HiddenSetOutcome HiddenSet::Run() {
  HiddenSetOutcome outcome;
  for (int k = 0; k < count_; ++k) {
    int accepted = 0;
    inseparable_ = {};
    for (int t = 0; t < 2 * kTriesPerGrid && accepted == 0; ++t) {
      // A rule whose every solution another rule of the set keeps as well (Give Me 5 and No
      // Average at 4x4) can never be told from it: the grid takes that rule instead.
      if (t == kTriesPerGrid) {
        if (!inseparable_.Any())
          break;
        ctx_.Grids.Main[static_cast<size_t>(k)].Lists.HiddenRule = inseparable_;
      }
      accepted = Try(k);
      if (accepted < 0) {
        outcome.Result = accepted;
        return outcome;
      }
      ctx_.Host->AddInfoMessage("cont");
      SettleStatuses(k);
    }
    outcome.Good += accepted;
  }
  for (int k = 0; k < count_; ++k) {
    GridRecord &grid = ctx_.Grids.Main[static_cast<size_t>(k)];
    grid.GridVar = kVarTwinsVariantMasked;
    outcome.Hidden |= grid.Lists.HiddenRule;
  }
  return outcome;
}

} // namespace

void DrawHiddenRules(EngineContext &ctx, int count, VariantWords pool) {
  const int sizeClass = SizeClassOfGrid(ctx.Geo);
  const VariantWords defaults = HiddenVariantDefaults(sizeClass);
  pool = pool & ~kVarLinkedGridRules & defaults;
  VariantWords left = pool;
  VariantWords masks = defaults;
  for (int k = 0; k < count; ++k) {
    uint64_t bit = PickRandomVariantBit(ctx.Random, left.word1, left.word2, masks.word1, masks.word2);
    if (bit == 0) {
      left = pool;
      masks = defaults;
      bit = PickRandomVariantBit(ctx.Random, left.word1, left.word2, masks.word1, masks.word2);
    }
    const VariantWords rule = SplitVariantWords(bit);
    left &= ~rule;
    masks &= ~rule;
    ctx.Grids.Main[static_cast<size_t>(k)].Lists.HiddenRule = rule;
  }
}

HiddenSetOutcome GenerateHiddenVariantSet(EngineContext &ctx, GenerationRun &run) {
  return HiddenSet(ctx, run).Run();
}

} // namespace quorbel
