// The propagation driver: InitPossibles rebuilds the units and candidates from scratch,
// then the filters, the checks and the choice of the branching cell. A classic grid
// (no rule bit, no clue item) skips every rule step after one test, which keeps the
// search's per-node cost to a few passes over the first cache line of each record.
#include "engine/propagate.h"

#include <algorithm>
#include <string>
#include <utility>

#include "engine/candidate_memo.h"
#include "engine/chess_rules.h"
#include "engine/comparison_rules.h"
#include "engine/engine_context.h"
#include "engine/method_probables.h"
#include "engine/rule_registry.h"
#include "engine/sum_rules.h"
#include "engine/unit_summary.h"

namespace quorbel {

namespace {

// The rows' clue steps of one kind, each once (rows that share a list share them), with the
// traits of the first row that has it.
template <typename Fn> struct RowClueSteps {
  std::array<Fn, kVariantRowCount> Steps{};
  std::array<uint8_t, kVariantRowCount> Traits{};
  size_t Count = 0;
};

template <typename Fn> constexpr RowClueSteps<Fn> ClueStepsOfRows(Fn RuleClues::*kind) {
  RowClueSteps<Fn> steps;
  for (const RuleDef &rule : RuleRegistry) {
    const Fn step = rule.Clues.*kind;
    if (SameFunction(step, Fn{nullptr}) == 1)
      continue;
    bool seen = false;
    for (size_t i = 0; i < steps.Count; ++i)
      seen = seen || SameFunction(steps.Steps[i], step) == 1;
    if (!seen) {
      steps.Steps[steps.Count] = step;
      steps.Traits[steps.Count] = rule.Traits;
      ++steps.Count;
    }
  }
  return steps;
}

constexpr auto kClueCounts = ClueStepsOfRows(&RuleClues::Count);
constexpr auto kConflictClearing = ClueStepsOfRows(&RuleClues::ClearConflicts);

template <size_t... I>
bool AnyClueItem(const VariantLists &lists, uint8_t leftOut, std::index_sequence<I...>) {
  // A step that the build could not tell from null is looked at here (see SameFunction).
  return (((kClueCounts.Traits[I] & leftOut) == 0 && kClueCounts.Steps[I] != nullptr &&
           kClueCounts.Steps[I](lists) > 0) ||
          ...);
}

template <size_t... I>
void ClearEveryList(VariantWork &work, const VariantLists &lists, std::index_sequence<I...>) {
  ((kConflictClearing.Steps[I] != nullptr ? kConflictClearing.Steps[I](work, lists) : void()), ...);
}

} // namespace

bool HasClueItems(const VariantLists &lists, uint8_t leftOut) {
  return AnyClueItem(lists, leftOut, std::make_index_sequence<kClueCounts.Count>{});
}

namespace {

// The conflict flags each check raises start clean at every propagation.
void ClearConflictFlags(GridRecord &grid) {
  ClearEveryList(grid.Work, grid.Lists, std::make_index_sequence<kConflictClearing.Count>{});
}

// Each comparison mark links its two cells: the lower one records the other. The cells'
// links are cleared beforehand.
void LinkComparisonPartners(const GridGeometry &geo, GridRecord &grid) {
  VariantWork &work = grid.Work;
  work.AllIndicated[kAllIndicatedConsecutive] = 0;
  work.AllIndicated[kAllIndicatedRatio] = 0;
  for (const ComparisonMark &mark : grid.Lists.Comparisons.Used()) {
    if (mark.Kind == kCompareConsecutive)
      work.AllIndicated[kAllIndicatedConsecutive] = 1;
    if (mark.Kind == kCompareRatio)
      work.AllIndicated[kAllIndicatedRatio] = 1;
    const int low = std::min(mark.CellA, mark.CellB);
    const int high = std::max(mark.CellA, mark.CellB);
    if (low < 0 || high >= geo.NCells)
      continue;
    CellRecord &cell = grid.Cells[low];
    if (cell.Partner1 < 0)
      cell.Partner1 = static_cast<int16_t>(high);
    else if (cell.Partner2 < 0)
      cell.Partner2 = static_cast<int16_t>(high);
  }
}

// What the rules derive before any of them runs, but the clearing of the cells' comparison
// links, which the caller's pass over the records does.
void PrepareRuleWork(const GridGeometry &geo, GridRecord &grid) {
  ClearConflictFlags(grid);
  for (int i = 0; i < grid.Lists.MagicSquares.Size(); ++i)
    PrepareMagicSquare(i, grid);
  for (int i = 0; i < grid.Lists.Creasing.Size(); ++i)
    grid.Work.CreasingDirection[i] = -1;
  VariantWork &work = grid.Work;
  work.AllIndicated[kAllIndicatedXV] = Meets(grid.GridVar, kVarXV) ? 1 : 0;
  work.AllIndicated[kAllIndicatedDot] = Meets(grid.GridVar, kVarDot) ? 1 : 0;
  work.AllIndicated[kAllIndicatedLess] = Meets(grid.GridVar, kVarLess) ? 1 : 0;
  work.NeighbourScore = 0;
  LinkComparisonPartners(geo, grid);
  InitDirectionVectors(geo, grid);
}

// The rules' preparation after the candidates are known.
void PrepareRulesAfterCandidates(EngineContext &ctx, GridRecord &grid) {
  if (Meets(grid.GridVar, kVarOdd | kVarOddPair))
    ResolveXParity(ctx);
  if (Meets(grid.GridVar, kVarChess))
    PrepareChessCells(ctx.Geo, grid);
}

// ChooseMinPossCell's pass over the open cells; with `conflicts`, CheckConstraints' closing
// look for conflicting cells in the same pass. Returns whether a conflicting cell was seen.
bool PickBranchCell(const GridGeometry &geo, GridRecord &grid, bool conflicts) {
  bool conflict = false;
  grid.TheMinPoss = -1;
  constexpr int kMoreThanAnyCount = 20;
  int best = kMoreThanAnyCount;
  for (int i = 0; i < geo.NCells; ++i) {
    CellRecord &cell = grid.Cells[i];
    if (conflicts)
      conflict |= cell.Check == kCheckConflict;
    if (cell.Status <= kStatusConflict)
      continue;
    const int n = cell.NPoss = CountValues(cell.ThePoss, geo.GridWidth);
    if (n > 0 && n < best) {
      best = n;
      grid.TheMinPoss = i;
    }
  }
  return conflict;
}

void OpenUnlessContradicted(GridRecord &grid) {
  if (grid.SudMissing > 0 && grid.State != kGridContradiction)
    grid.State = kGridOpen;
}

} // namespace

bool HasVariantRules(const GridRecord &grid) { return grid.GridVar.Any() || HasClueItems(grid.Lists); }

void InitDirectionVectors(const GridGeometry &geo, GridRecord &grid) {
  const int32_t w = geo.GridWidth;
  grid.DirectionSteps = {-w, 1, w, -1, -w, 1, w, -1};
}

int MaxFilterPasses(const GridGeometry &geo) { return 2 * geo.NCells * geo.GridWidth + 16; }

void ReportFilterPassCap(EngineContext &ctx, std::string_view where, int passes) {
  ctx.Host->AddInfoMessage(std::string(where) + ": the filters still changed candidates after " +
                           std::to_string(passes) + " passes; stopped\n");
}

int InitPossibles(EngineContext &ctx, GridRecord &grid, LastPassFindings &findings) {
  const GridGeometry &geo = ctx.Geo;
  if (!FitsGeometry(geo, grid))
    return 0;
  const bool rules = findings.Rules = HasVariantRules(grid);
  CellRecord *cells = grid.Cells.data();

  grid.State = kGridConsistent;
  // The rules' odd/even marks and comparison links are cleared here rather than in passes of
  // their own: with many linked grids, each walk over the records is a walk through memory.
  std::array<CellDigest, kMaxCells> digest;
  bool marked = false;
  for (int i = 0; i < geo.NCells; ++i) {
    CellRecord &cell = cells[i];
    cell.Check = kCheckConsistent;
    if (rules) {
      cell.OddEvenError = 0;
      cell.Partner1 = cell.Partner2 = -1;
      marked |= cell.OddEven != -1;
    }
    digest[i] = DigestOf(geo, cell);
  }
  if (rules)
    findings.MarkedCells = marked;
  for (int i = geo.NCells; i < grid.NRecords; ++i) {
    cells[i].Check = kCheckConsistent;
    if (rules)
      cells[i].OddEvenError = 0;
  }
  if (rules)
    PrepareRuleWork(geo, grid);

  // The order of the unit checks does not matter: each writes its own summary and only
  // ever raises cells' Check to 5.
  UnitFreeMasks free;
  if (CheckGridUnits(geo, grid, std::span(digest).first(geo.NCells), free) == kCheckConflict)
    grid.State = kGridContradiction;
  const bool regions = Meets(grid.GridVar, kVarDiagonal | kVarExtraRegion);
  if (regions && CheckRegionUnits(geo, grid) == kCheckConflict)
    grid.State = kGridContradiction;

  // The number bar shows the values that are free in no row.
  uint32_t freeInSomeRow = 0;
  for (int r = 0; r < geo.NRows; ++r)
    freeInSomeRow |= free.Row[r];
  cells[geo.NumberBar()].ProbableMask = freeInSomeRow ^ geo.FullMask;

  std::array<bool, 4> regionInUse{};
  for (int k = 0; k < 4; ++k)
    regionInUse[k] = RegionUnitInUse(grid, k);
  int open = 0;
  constexpr int kMoreThanAnyCount = 20;
  int fewest = kMoreThanAnyCount;
  for (int i = 0; i < geo.NCells; ++i) {
    CellRecord &cell = cells[i];
    uint32_t freeInUnits =
        free.Row[geo.RowOfCell[i]] & free.Col[geo.ColOfCell[i]] & free.Block[grid.BlockOfCell[i]];
    if (regions) {
      for (int k = 0; k < 4; ++k)
        if (regionInUse[k] && grid.RegionMark[k][i] >= 0)
          freeInUnits &= cells[geo.Diag1Unit + k].ThePoss;
    }
    if (ComputeCellPoss(geo, cell, freeInUnits) == 0)
      grid.State = kGridContradiction;
    cell.ProbableMask = 0;
    findings.AnyConflict |= cell.Check == kCheckConflict;
    if (cell.Status > kStatusConflict) {
      ++open;
      // As ChooseMinPossCell counts: statuses above 7 keep candidates nobody rebuilt.
      if (cell.Status > kStatusPencilled)
        cell.NPoss = CountValues(cell.ThePoss, geo.GridWidth);
      if (cell.NPoss > 0 && cell.NPoss < fewest) {
        fewest = cell.NPoss;
        findings.MinPossCell = i;
      }
    }
  }
  grid.SudMissing = open;
  if (rules)
    PrepareRulesAfterCandidates(ctx, grid);
  return 1;
}

int InitPossibles(EngineContext &ctx, GridRecord &grid) {
  LastPassFindings findings;
  return InitPossibles(ctx, grid, findings);
}

int InitPossiblesOfSlot(EngineContext &ctx, int slot, GridRecord &grid, LastPassFindings &findings) {
  if (FitsGeometry(ctx.Geo, grid) && TakeRememberedInit(ctx, slot, grid, findings)) {
    if (findings.Rules)
      PrepareRuleWork(ctx.Geo, grid);
    return 1;
  }
  const int done = InitPossibles(ctx, grid, findings);
  if (done == 1)
    RememberInit(ctx, slot, grid, findings);
  return done;
}

void SettleGrid(EngineContext &ctx, GridRecord &grid, const LastPassFindings &findings, bool cellsChanged) {
  if (!FitsGeometry(ctx.Geo, grid))
    return;
  if (cellsChanged || findings.Rules) {
    // CheckConstraints then ChooseMinPossCell, their two passes over the cells made one.
    CheckRules(ctx, grid, findings.MarkedCells);
    if (PickBranchCell(ctx.Geo, grid, true))
      grid.State = kGridContradiction;
    OpenUnlessContradicted(grid);
    return;
  }
  // No filter changed a cell and no rule has a check: CheckConstraints would only find
  // the conflicts seen by InitPossibles, and ChooseMinPossCell the same cell.
  if (findings.AnyConflict)
    grid.State = kGridContradiction;
  OpenUnlessContradicted(grid);
  grid.TheMinPoss = findings.MinPossCell;
}

int Propagate(EngineContext &ctx, GridRecord &grid, int mode, int applyProbables) {
  LastPassFindings findings;
  if (InitPossibles(ctx, grid, findings) == 0)
    return 0;
  const int cap = MaxFilterPasses(ctx.Geo);
  int passes = 0;
  uint32_t probablesToRead = kEveryBlock;
  while (FilterConstraints(ctx, grid, mode, applyProbables, &probablesToRead, findings.MarkedCells) == 1) {
    if (++passes >= cap) {
      ReportFilterPassCap(ctx, "Propagate", passes);
      break;
    }
  }
  SettleGrid(ctx, grid, findings, passes > 0);
  return 1;
}

int ChooseMinPossCell(const GridGeometry &geo, GridRecord &grid) {
  if (!FitsGeometry(geo, grid))
    return 0;
  OpenUnlessContradicted(grid);
  PickBranchCell(geo, grid, false);
  return grid.State == kGridContradiction ? 0 : 1;
}

int CommitNewValues(const GridGeometry &geo, GridRecord &grid) {
  for (CellRecord &cell : grid.PlayingCells(geo))
    CommitCellValue(cell);
  return 1;
}

} // namespace quorbel
