// The propagation driver: InitPossibles rebuilds the units and candidates from scratch,
// then the filters, the checks and the choice of the branching cell. A classic grid
// (no rule bit, no clue item) skips every rule step after one test, which keeps the
// search's per-node cost to a few passes over the first cache line of each record.
#include "engine/propagate.h"

#include <algorithm>
#include <string>

#include "engine/candidate_memo.h"
#include "engine/chess_rules.h"
#include "engine/comparison_rules.h"
#include "engine/engine_context.h"
#include "engine/method_probables.h"
#include "engine/sum_rules.h"
#include "engine/unit_summary.h"

namespace quorbel {

namespace {

bool HasSideClues(const VariantLists &lists) {
  for (int side = 0; side < 4; ++side)
    for (int line = 0; line < kMaxWidth; ++line)
      if (lists.Frame.Kind[side][line] != 0 || lists.Outside.Count[side][line] > 0)
        return true;
  return false;
}

} // namespace

bool HasClueItems(const VariantLists &lists, bool rejecting, bool links, bool littleKiller, bool chess) {
  return (littleKiller && lists.LittleKiller.Count > 0) || lists.Killer.Count > 0 ||
         lists.OddEven.Count > 0 || lists.Comparisons.Count > 0 || lists.Distance.Count > 0 ||
         (rejecting && lists.Pieces.Count > 0) || (links && lists.TwinsRelation.Count > 0) ||
         lists.OddPairs.Count > 0 || lists.Quads.Count > 0 || (links && lists.TwinsZone.Count > 0) ||
         (rejecting && lists.MagicSentence.NCells > 0) || lists.Arrows.Count > 0 ||
         lists.Creasing.Count > 0 || lists.Dan.NCells > 0 || lists.Equality.Count > 0 ||
         lists.Wheels.Count > 0 || lists.Pan.Count > 0 || lists.Navigator.Count > 0 ||
         (chess && lists.Chess.Count > 0) || lists.MagicSquares.Count > 0 || lists.Transfer.Count > 0 ||
         lists.MultTable.Count > 0 || lists.MasterMind.Lines.Count > 0 ||
         (links && lists.TwinsMultiple.Count > 0) || HasSideClues(lists);
}

namespace {

template <typename Flags> void ClearFlags(Flags &flags, int used) {
  std::fill_n(flags.begin(), std::clamp<int>(used, 0, static_cast<int>(flags.size())), int8_t{0});
}

// The conflict flags each check raises start clean at every propagation.
void ClearConflictFlags(GridRecord &grid) {
  const VariantLists &lists = grid.Lists;
  VariantWork &work = grid.Work;
  ClearFlags(work.ComparisonConflict, lists.Comparisons.Size());
  ClearFlags(work.LittleKillerConflict, lists.LittleKiller.Size());
  ClearFlags(work.KillerConflict, lists.Killer.Size());
  ClearFlags(work.DistanceConflict, lists.Distance.Size());
  ClearFlags(work.PieceConflict, lists.Pieces.Size());
  for (auto &side : work.FrameConflict)
    side.fill(0);
  for (auto &side : work.OutsideConflict)
    side.fill(0);
  ClearFlags(work.OddPairConflict, lists.OddPairs.Size());
  ClearFlags(work.QuadMinConflict, lists.Quads.Size());
  ClearFlags(work.QuadMaxConflict, lists.Quads.Size());
  ClearFlags(work.ArrowConflict, lists.Arrows.Size());
  ClearFlags(work.CreasingConflict, lists.Creasing.Size());
  work.DanConflict = 0;
  ClearFlags(work.EqualityConflict, lists.Equality.Size());
  ClearFlags(work.WheelConflict, lists.Wheels.Size());
  ClearFlags(work.PanConflict, lists.Pan.Size());
  ClearFlags(work.NavigatorConflict, lists.Navigator.Size());
  ClearFlags(work.ChessConflict, lists.Chess.Size());
  ClearFlags(work.MagicSquareConflict, lists.MagicSquares.Size());
  ClearFlags(work.TransferConflict, lists.Transfer.Size());
  ClearFlags(work.MultTableConflict, lists.MultTable.Size());
  ClearFlags(work.TwinsMultipleConflict, lists.TwinsMultiple.Size());
}

// Each comparison mark links its two cells: the lower one records the other. The cells'
// links are cleared beforehand.
void LinkComparisonPartners(const GridGeometry &geo, GridRecord &grid) {
  VariantWork &work = grid.Work;
  work.AllIndicated[kAllIndicatedConsecutive] = 0;
  work.AllIndicated[kAllIndicatedRatio] = 0;
  constexpr int kConsecutiveMark = 4;
  constexpr int kRatioMark = 5;
  for (const ComparisonMark &mark : grid.Lists.Comparisons.Used()) {
    if (mark.Kind == kConsecutiveMark)
      work.AllIndicated[kAllIndicatedConsecutive] = 1;
    if (mark.Kind == kRatioMark)
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
