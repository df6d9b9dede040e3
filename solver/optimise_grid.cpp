// The three optimisation steps. Counts go through the linked counter, so a set of linked
// grids is optimised as a whole; step 2 compares the values its counts saw in each cell.
#include "solver/optimise_grid.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/propagate.h"
#include "engine/reference_grids.h"
#include "engine/search_history.h"
#include "engine/twins_rules.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "platform/random.h"
#include "solver/count_time_share.h"
#include "solver/search.h"
#include "solver/solution_count.h"

namespace quorbel {

namespace {

constexpr int kRepairLimit = 10; // solutions counted while repairing: enough to compare cells
constexpr int kProgressRange = 10;

std::string_view ByLanguage(const EngineContext &ctx, std::string_view french, std::string_view english) {
  return ctx.Settings.Language == kLanguageFrench ? french : english;
}

void RefreshAll(EngineContext &ctx) { UpdatePossibles(ctx, -1, kFilterDefault, -1, 1); }

int Count(EngineContext &ctx, const GridRange &range, int limit, int store, const CountWalk &walk = {}) {
  return SearchLinkedSolutions(ctx, range.GridIndex, 0, limit, store, walk);
}

GridRecord &Grid(EngineContext &ctx, int slot) { return ctx.Grids.Main[slot]; }

// Puts a value back as it was, status included.
void RestoreCell(EngineContext &ctx, GridRecord &grid, int cell, int value, int status) {
  SetCellValue(ctx, grid, cell, value, kActionPlace);
  grid.Cells[cell].Status = status;
}

// Step 1: a cell whose removal lifts the contradiction stays empty; when none does, a
// random one goes. Returns the removals, or -1 when the contradiction stays.
int RemoveUntilSolvable(EngineContext &ctx, const GridRange &range) {
  const int cells = ctx.Geo.NCells;
  const int grids = range.Last - range.First + 1;
  int removed = 0;
  while (CombinedGridState(ctx, range.GridIndex) == kGridContradiction) {
    for (int g = range.First; g <= range.Last; ++g) {
      GridRecord &grid = Grid(ctx, g);
      for (int c = 0; c < cells; ++c) {
        const int value = grid.Cells[c].Value;
        const int status = grid.Cells[c].Status;
        if (status >= kStatusFixed)
          continue;
        SetCellValue(ctx, grid, c, 0, kActionClear);
        RefreshAll(ctx);
        if (CombinedGridState(ctx, range.GridIndex) != kGridContradiction) {
          ++removed;
          break;
        }
        RestoreCell(ctx, grid, c, value, status);
      }
    }
    RefreshAll(ctx);
    if (CombinedGridState(ctx, range.GridIndex) == kGridContradiction) {
      // No single value lifts it: a random one goes. One grid gets one draw; a set scans
      // on from a random cell of a random grid to the first value.
      int g = range.First + RandomBelow(ctx.Random, grids);
      int c = RandomBelow(ctx.Random, cells);
      bool cleared = false;
      for (int i = 0; i < grids * cells && !cleared; ++i) {
        if (Grid(ctx, g).Cells[c].Status < kStatusConflict) {
          SetCellValue(ctx, Grid(ctx, g), c, 0, kActionClear);
          cleared = true;
        } else if (range.GridIndex >= 0) {
          break;
        } else if (++c == cells) {
          c = 0;
          g = g == range.Last ? range.First : g + 1;
        }
      }
      if (!cleared)
        break;
      ++removed;
      RefreshAll(ctx);
    }
    ctx.Host->StepWaitProgress(-1);
  }
  return CombinedGridState(ctx, range.GridIndex) == kGridContradiction ? -1 : removed;
}

// A count stopped by the clock still found what it found: two values seen in one cell are two
// solutions, which is all that the repair needs to know to go on.
int SeveralWhenSeen(int count, const std::vector<uint32_t> &seen) {
  if (count != kSolveTimeOut)
    return count;
  const bool two =
      std::any_of(seen.begin(), seen.end(), [](uint32_t mask) { return std::popcount(mask) > 1; });
  return two ? kUniqueLimit : count;
}

// Counts the solutions (limit 10) and notes, per cell of the range, the values they gave
// it: one grid keeps them in its cells' per-value scores; a linked set is read back from
// the solutions stored in the search history.
int CountValuesSeen(EngineContext &ctx, const GridRange &range, std::vector<uint32_t> &seen,
                    const CountWalk &walk) {
  const int cells = ctx.Geo.NCells;
  const int grids = range.Last - range.First + 1;
  const bool oneGrid = grids == 1;
  if (oneGrid)
    for (CellRecord &cell : Grid(ctx, range.First).PlayingCells(ctx.Geo))
      cell.ValueScores.fill(0);
  // One grid's count is read for its tally alone, so its time limit holds for the whole count.
  const int count = oneGrid ? TallyGridSolutions(ctx, Grid(ctx, range.First), kRepairLimit, walk)
                            : Count(ctx, range, kRepairLimit, 1, walk);
  seen.assign(static_cast<size_t>(grids * cells), 0);
  if (oneGrid) {
    const GridRecord &grid = Grid(ctx, range.First);
    for (int c = 0; c < cells; ++c)
      for (int v = 1; v <= ctx.Geo.GridWidth; ++v)
        if (grid.Cells[c].ValueScores[v - 1] > 0)
          seen[c] |= ValueBit(v);
    return SeveralWhenSeen(count, seen);
  }
  auto solution = std::make_unique<GridRecord>();
  for (int level = 0; level < ctx.Solutions.StoredCount; ++level)
    for (int g = range.First; g <= range.Last; ++g)
      if (CopyStoredSolution(ctx, level, g, *solution) == 1)
        for (int c = 0; c < cells; ++c)
          seen[(g - range.First) * cells + c] |= ValueBit(solution->Cells[c].Value);
  return count;
}

// The cell gets its value in the grid's solution, as a given of the repair.
void GiveFromSolution(EngineContext &ctx, int g, int c) {
  CopyCellFields(ctx.Geo, Grid(ctx, g).Cells[c], ctx.Grids.RefTab[g].Cells[c], kCopyBoth);
  Grid(ctx, g).Cells[c].Status = kStatusPlacedLastStep;
}

// Up to `n` open cells of the range, drawn at random, get their solution values; returns how
// many did.
int GiveRandomCells(EngineContext &ctx, const GridRange &range, int n) {
  std::vector<std::pair<int, int>> open;
  for (int g = range.First; g <= range.Last; ++g)
    for (int c = 0; c < ctx.Geo.NCells; ++c)
      if (Grid(ctx, g).Cells[c].Status > kStatusHypothesis)
        open.emplace_back(g, c);
  const int given = std::min(n, static_cast<int>(open.size()));
  for (int i = 0; i < given; ++i) {
    std::swap(open[static_cast<size_t>(i)],
              open[static_cast<size_t>(i + RandomBelow(ctx.Random, static_cast<int>(open.size()) - i))]);
    GiveFromSolution(ctx, open[static_cast<size_t>(i)].first, open[static_cast<size_t>(i)].second);
  }
  return given;
}

// The open cell whose values differ most among the solutions seen (two at least), scanned
// from a random cell (and grid); -1 when none. `grid` and `values` get its grid and values.
int MostDifferingCell(EngineContext &ctx, const GridRange &range, const std::vector<uint32_t> &seen,
                      int &grid, uint32_t &values) {
  const int cells = ctx.Geo.NCells;
  const int grids = range.Last - range.First + 1;
  const int startGrid = RandomBelow(ctx.Random, grids);
  const int startCell = RandomBelow(ctx.Random, cells);
  int best = -1;
  int bestBits = 1;
  for (int i = 0; i < grids * cells; ++i) {
    const int g = (startGrid + (startCell + i) / cells) % grids;
    const int c = (startCell + i) % cells;
    const uint32_t mask = seen[g * cells + c];
    const int bits = CountValues(mask, ctx.Geo.GridWidth);
    if (Grid(ctx, range.First + g).Cells[c].Status > kStatusHypothesis && bits > bestBits) {
      best = c;
      bestBits = bits;
      grid = range.First + g;
      values = mask;
    }
  }
  return best;
}

// In each grid of the range, the open cell whose values differ most among the solutions seen
// gets its solution value; returns how many cells did.
int GiveMostDifferingOfEachGrid(EngineContext &ctx, const GridRange &range,
                                const std::vector<uint32_t> &seen) {
  const auto cells = static_cast<size_t>(ctx.Geo.NCells);
  int given = 0;
  for (int g = range.First; g <= range.Last; ++g) {
    const auto from =
        seen.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(g - range.First) * cells);
    const std::vector<uint32_t> own(from, from + static_cast<std::ptrdiff_t>(cells));
    int slot = -1;
    uint32_t values = 0;
    const int cell = MostDifferingCell(ctx, {g, g, g}, own, slot, values);
    if (cell < 0)
      continue;
    GiveFromSolution(ctx, g, cell);
    ++given;
  }
  return given;
}

class Optimisation {
public:
  Optimisation(EngineContext &ctx, int gridIndex) : ctx_(ctx), range_(RangeOfGrids(ctx, gridIndex)) {}

  int Run(int step1, int step2, int step3, int fromSolution);

private:
  void Start(std::string_view french, std::string_view english, int range) {
    ctx_.Host->StartWaitProgress(ByLanguage(ctx_, french, english), range, true);
  }
  int GiveUp(std::string_view french, std::string_view english) {
    ctx_.Host->AddInfoMessage(ByLanguage(ctx_, french, english));
    ctx_.Host->StopWaitProgress();
    return -1;
  }
  int Cancelled() { return GiveUp("Optimisation annulée par utilisateur", "Optimisation cancelled by user"); }
  int UniqueNotFound() {
    return GiveUp("Solution unique non trouvée. Annulation optimisation.",
                  "Unique solution not found. Optimisation cancelled.");
  }

  EngineContext &ctx_;
  GridRange range_;
};

int Optimisation::Run(int step1, int step2, int step3, int fromSolution) {
  SaveUndoState(ctx_);
  const bool french = ctx_.Settings.Language == kLanguageFrench;
  Start("Optimisation Grille - Step 1", "Running Grid Optimisation - Step 1",
        french ? kProgressRange : ctx_.Geo.NCells / 3);
  int count = Count(ctx_, range_, kRepairLimit, 0);
  if (count == kSolveCancelled)
    return Cancelled();

  int removed1 = 0;
  if (step1 == 1 && count == 0) {
    removed1 = RemoveUntilSolvable(ctx_, range_);
    if (removed1 < 0)
      return GiveUp("Pas de solution trouvé. Annulation optimisation.",
                    "No solution found. Optimisation cancelled.");
    count = Count(ctx_, range_, kRepairLimit, 0);
    if (count == kSolveCancelled)
      return Cancelled();
  }

  int added2 = 0;
  if (count != 1) {
    if (step2 != 1)
      return UniqueNotFound();
    Start("Optimisation Grille - Step 2", "Running Grid Optimisation - Step 2", kProgressRange);
    count = AddGivensUntilUnique(ctx_, range_, fromSolution, added2);
    if (count == kSolveCancelled)
      return Cancelled();
    if (count != 1)
      return UniqueNotFound();
  }

  int removed3 = 0;
  if (step3 == 1) {
    int listed = 0;
    for (int g = range_.First; g <= range_.Last; ++g)
      for (int c = 0; c < ctx_.Geo.NCells; ++c)
        listed += Grid(ctx_, g).Cells[c].Status == kStatusFixed ? 1 : 0;
    Start("Optimisation Grille - Step 3", "Running Grid Optimisation - Step 3", listed);
    removed3 = RemoveNeedlessGivens(ctx_, range_, {}, {});
    if (removed3 == kSolveCancelled) {
      ctx_.Host->AddInfoMessage(
          ByLanguage(ctx_, "Optimisation annulée par utilisateur", "Optimisation cancelled by user"));
      removed3 = 0;
    }
    // The puzzle is what remains: values are givens, everything else is open.
    for (int g = range_.First; g <= range_.Last; ++g) {
      GridRecord &grid = Grid(ctx_, g);
      for (int c = 0; c < ctx_.Geo.NCells; ++c) {
        if (grid.Cells[c].Status > kStatusFixed)
          SetCellValue(ctx_, grid, c, 0, kActionClear);
        else
          grid.Cells[c].Status = kStatusFixed;
      }
    }
    RefreshAll(ctx_);
  }

  Count(ctx_, range_, kUniqueLimit, 0);
  MarkRefTabStates(ctx_, range_.GridIndex, 0);
  const std::string report =
      (french ? "Optimisation: Step1 " + std::to_string(removed1) + " cases retirées, Step2 " +
                    std::to_string(added2) + " cases ajoutées, Step3 " + std::to_string(removed3) +
                    " cases supprimées."
              : "Optimisation: Step1 " + std::to_string(removed1) + " cells suppressed, Step2 " +
                    std::to_string(added2) + " cells added, Step3 " + std::to_string(removed3) +
                    " cells suppressed.");
  ctx_.Host->AddInfoMessage(report);
  ctx_.Host->StopWaitProgress();
  return removed3;
}

} // namespace

GridRange RangeOfGrids(const EngineContext &ctx, int gridIndex) {
  const int count = UsedMainCount(ctx.Grids);
  if (gridIndex >= 0 && gridIndex < count)
    return {gridIndex, gridIndex, gridIndex};
  return {-1, 0, count - 1};
}

int OptimiseGrid(EngineContext &ctx, int step1, int step2, int step3, int gridIndex, int fromSolution) {
  return Optimisation(ctx, gridIndex).Run(step1, step2, step3, fromSolution);
}

int AddGivensUntilUnique(EngineContext &ctx, const GridRange &range, int fromSolution, int &added) {
  const int width = ctx.Geo.GridWidth;
  // The cells are compared on whatever solutions the counts see, and the generator's counts of
  // linked grids, which rebuild the whole set at every node, try the solution's values first:
  // the solutions nearest it come at once.
  const CountWalk walk{.orderFree = fromSolution == 1 && MainGridsLinked(ctx.Grids)};
  // The generator's repair of a whole set shares one count's time limit among all its counts.
  const bool wholeSet = fromSolution == 1 && range.First != range.Last;
  CountTimeShare share(ctx, wholeSet ? ctx.Settings.TimeOver : -1);
  std::vector<uint32_t> seen;
  const auto countValues = [&]() -> int {
    return share.Spent() ? kSolveTimeOut : share.Run([&] { return CountValuesSeen(ctx, range, seen, walk); });
  };
  int count = countValues();
  // A set out of time is left to its callers, who make it unique grid by grid.
  const bool blindOnTimeOut = fromSolution == 1 && range.First == range.Last;
  int blind = 1;
  for (;;) {
    if (count == kSolveTimeOut && blindOnTimeOut) {
      // A count out of time says nothing of the cells, but givens from the solution are always
      // right and shorten the next count; each time-out in a row gives twice as many.
      const int given = GiveRandomCells(ctx, range, blind);
      if (given == 0)
        return count;
      added += given;
      blind *= 2;
      ctx.Host->StepWaitProgress(-1);
      count = countValues();
      continue;
    }
    if (count <= 1)
      return count;
    blind = 1;
    if (fromSolution == 1 && range.First != range.Last) {
      // Each grid whose cells differ among the solutions seen gets its most differing cell
      // at once: a count of the whole set per given cost seconds at twelve grids.
      const int given = GiveMostDifferingOfEachGrid(ctx, range, seen);
      if (given == 0)
        return 0;
      added += given;
      ctx.Host->StepWaitProgress(-1);
      count = countValues();
      if (count == kSolveCancelled || count == kSolveTimeOut)
        return count;
      continue;
    }
    int g = -1;
    uint32_t values = 0;
    const int cell = MostDifferingCell(ctx, range, seen, g, values);
    if (cell < 0)
      return 0;
    GridRecord &grid = Grid(ctx, g);
    // The reference value cannot lead to no solution; each other value is tried once.
    uint32_t untried = values;
    do {
      if (fromSolution == 1) {
        CopyCellFields(ctx.Geo, grid.Cells[cell], ctx.Grids.RefTab[g].Cells[cell], kCopyBoth);
        untried = 0;
      } else {
        const int value =
            NthPossValue(untried, RandomBelow(ctx.Random, CountValues(untried, width)) + 1, width);
        untried &= ~ValueBit(value);
        SetCellValue(ctx, grid, cell, value, kActionPlace);
      }
      grid.Cells[cell].Status = kStatusPlacedLastStep;
      count = countValues();
      if (count == kSolveCancelled || (count == kSolveTimeOut && !blindOnTimeOut))
        return count;
    } while (count == 0 && untried != 0);
    ++added;
    ctx.Host->StepWaitProgress(-1);
  }
}

int RemoveNeedlessGivens(EngineContext &ctx, const GridRange &range, const RemovalCheck &check,
                         const std::function<bool()> &enough) {
  const int cells = ctx.Geo.NCells;
  const int grids = range.Last - range.First + 1;
  std::vector<std::vector<int>> listed(static_cast<size_t>(grids));
  for (int g = 0; g < grids; ++g)
    for (int c = 0; c < cells; ++c)
      if (Grid(ctx, range.First + g).Cells[c].Status == kStatusFixed)
        listed[g].push_back(c);

  int removed = 0;
  for (;;) {
    if (enough && enough())
      break;
    // A grid that still has listed cells, scanning on from a random one.
    const int start = RandomBelow(ctx.Random, grids);
    int g = -1;
    for (int i = 0; i < grids && g < 0; ++i)
      if (!listed[(start + i) % grids].empty())
        g = (start + i) % grids;
    if (g < 0)
      break;
    std::vector<int> &cellsLeft = listed[g];
    const size_t pick = static_cast<size_t>(RandomBelow(ctx.Random, static_cast<int>(cellsLeft.size())));
    const int cell = cellsLeft[pick];
    cellsLeft.erase(cellsLeft.begin() + static_cast<std::ptrdiff_t>(pick));

    GridRecord &grid = Grid(ctx, range.First + g);
    const int value = grid.Cells[cell].Value;
    SetCellValue(ctx, grid, cell, 0, kActionClear);
    int verdict = Count(ctx, range, kUniqueLimit, 0);
    if (verdict == 1)
      verdict = check ? check() : 1;
    else if (verdict != kSolveCancelled)
      verdict = 0;
    if (verdict == 1) {
      ++removed;
    } else {
      SetCellValue(ctx, grid, cell, value, kActionPlaceFixed);
      RefreshAll(ctx);
    }
    ctx.Host->StepWaitProgress(-1);
    if (verdict == kSolveCancelled)
      return kSolveCancelled;
  }
  return removed;
}

} // namespace quorbel
