// Random solutions: each try clears the grid, lays out its regions (a new irregular layout,
// extra regions, diagonals), seeds a few random candidates as fixed values and lets the
// search complete the grid. Seeds are few, so that the search rarely meets a dead end, and
// fewer still where the rules already constrain the grid.
#include "solver/random_solution.h"
#include "engine/message_numbers.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <memory>
#include <thread>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/grid_statistics.h"
#include "engine/irregular_blocks.h"
#include "engine/propagate.h"
#include "engine/update_possibles.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "solver/ready_made_solution.h"
#include "solver/search.h"
#include "solver/solution_count.h"

namespace quorbel {

namespace {

// Seeds by size class (W up to 5, 6-7, 8, 9-11, 12-15, 16).
constexpr std::array<int, 6> kPlainSeeds = {6, 10, 18, 21, 27, 50};
constexpr std::array<int, 6> kRegionSeeds = {4, 5, 6, 8, 10, 12}; // Diagonal or Extra Region
constexpr std::array<int, 6> kIrregularSeeds = {2, 5, 8, 9, 17, 30};

constexpr int kMaxMultSquares = 8;
constexpr int kMinMultSeeds = 3;
// A grid too small for all the squares asked gets as many as fit within these draws.
constexpr int kSquareDrawsPerSquare = 100;
constexpr auto kGenerationStepPause = std::chrono::milliseconds(500);

int SeedSizeClass(int width) {
  return width <= 5 ? 0 : width <= 7 ? 1 : width == 8 ? 2 : width <= 11 ? 3 : width <= 15 ? 4 : 5;
}

int DrawMultSquareCount(Random15 &random, const RandomSolutionOptions &options) {
  const int level = options.GameLevel >= 1 && options.GameLevel <= 4 ? options.GameLevel : 1;
  const int count = static_cast<int>(RandomBelow(random, level) + options.VarDepth * 0.03 + 1);
  return std::clamp(count, 1, kMaxMultSquares);
}

// Candidates with the rule filters on, as the search sees them: over the whole set for a
// main grid (linked grids filter one another), over the grid alone for a scratch grid.
void RefreshCandidates(EngineContext &ctx, GridRecord &grid) {
  if (MainGridSlot(ctx.Grids, grid) >= 0)
    UpdatePossibles(ctx, -1, kFilterAlways, 0, 1);
  else
    Propagate(ctx, grid, kFilterAlways, 0);
}

int CountOpenCells(const GridGeometry &geo, const GridRecord &grid) {
  const auto cells = grid.PlayingCells(geo);
  return static_cast<int>(std::count_if(
      cells.begin(), cells.end(), [](const CellRecord &cell) { return cell.Status > kStatusConflict; }));
}

// A new irregular layout or new extra regions, or the diagonals. 0 when the grid's
// irregular blocks or extra regions cannot be had: every try would fail the same way.
// `layout` becomes kLayoutOfGrid when the grid goes on with blocks of its own.
int PrepareRegions(EngineContext &ctx, GridRecord &grid, int &layout, const RandomSolutionOptions &options) {
  const bool irregular = Meets(grid.GridVar, kVarIrregular);
  const bool extraRegions = Meets(grid.GridVar, kVarExtraRegion);
  const bool ownBlocks = irregular && RegionLayoutOf(ctx.Geo, grid).has_value();
  if ((irregular || extraRegions) && !(layout == kLayoutOfGrid && ownBlocks && !extraRegions)) {
    const int extraCount =
        extraRegions ? RandomBelow(ctx.Random, 3) + 1 + (options.GameLevel > 3 ? 1 : 0) : 0;
    // Without a layout from the file, an irregular grid may still have blocks of its own,
    // which the next tries keep without asking the file again.
    if (LoadIrregularBlocks(ctx, grid, layout, options.BlockFile, extraCount) == 0) {
      if (extraRegions || !ownBlocks)
        return 0;
      layout = kLayoutOfGrid;
    }
  }
  // Extra regions take the diagonals' places; irregular blocks leave them free.
  if (Meets(grid.GridVar, kVarDiagonal) && !extraRegions) {
    grid.Lists.RegionOn[kRegionDiag1] = 1;
    grid.Lists.RegionOn[kRegionDiag2] = 1;
    RebuildGridRegions(ctx, grid);
  }
  return 1;
}

// Mult Table: `count` separate 2 x 2 squares at random places.
void DrawMultSquares(Random15 &random, const GridGeometry &geo, GridRecord &grid, int count) {
  auto &squares = grid.Lists.MultTable;
  auto listed = [&](int cell) {
    return std::any_of(squares.Used().begin(), squares.Used().end(), [&](const MultTableItem &item) {
      return std::find(item.Cells.begin(), item.Cells.end(), cell) != item.Cells.end();
    });
  };
  for (int draws = 0, placed = 0; placed < count && draws < count * kSquareDrawsPerSquare; ++draws) {
    const int row = RandomBelow(random, geo.GridWidth - 1);
    const int column = RandomBelow(random, geo.GridWidth - 1);
    const int first = row * geo.NCols + column;
    const MultTableItem square{{static_cast<CellRef>(first), static_cast<CellRef>(first + 1),
                                static_cast<CellRef>(first + geo.NCols),
                                static_cast<CellRef>(first + geo.NCols + 1)}};
    if (std::any_of(square.Cells.begin(), square.Cells.end(), listed))
      continue;
    if (!squares.Append(square))
      return;
    ++placed;
  }
}

// The ready-made solution, turned by a reflection that keeps the blocks, when it fits the
// grid as it stands: every cell open before (no value put in by a linked grid), and every
// rule of the grid met after. Otherwise the cells are emptied again and it is false.
bool UseReadyMadeSolution(EngineContext &ctx, GridRecord &grid, const std::string &path) {
  const GridGeometry &geo = ctx.Geo;
  if (CountOpenCells(geo, grid) != geo.NCells)
    return false;
  const std::optional<std::vector<int8_t>> values = ReadReadyMadeSolution(path, geo.GridWidth);
  if (!values)
    return false;
  for (int i = 0; i < geo.NCells; ++i)
    StoreCellValue(geo, grid.Cells[i], (*values)[i], kStatusFixed);
  const std::vector<int> reflections = ShapeKeepingReflections(geo);
  const int reflection = reflections[RandomBelow(ctx.Random, static_cast<int>(reflections.size()))];
  if (reflection > 0)
    PickSymmetryPattern(ctx, grid, reflection);
  RefreshCandidates(ctx, grid);
  if (grid.State == kGridConsistent && grid.SudMissing == 0)
    return true;
  for (CellRecord &cell : grid.PlayingCells(geo))
    ResetCellState(geo, cell);
  return false;
}

// `seeds` random candidates of random open cells become fixed values, the candidates
// recomputed after each. 0 when a drawn cell has no candidate left. On a pre-filled grid a
// cell's allowed set limits its candidates.
int SeedCells(EngineContext &ctx, GridRecord &grid, int seeds) {
  const GridGeometry &geo = ctx.Geo;
  RefreshCandidates(ctx, grid);
  seeds = std::min(seeds, CountOpenCells(geo, grid));
  for (int placed = 0; placed < seeds;) {
    const int cell = RandomBelow(ctx.Random, geo.NCells);
    CellRecord &c = grid.Cells[cell];
    if (c.Status <= kStatusConflict)
      continue; // holds a value: a seed, a clue, or a value a linked grid put in
    uint32_t candidates = c.ThePoss & geo.FullMask;
    if (grid.PreFilled != 0 && c.AllowedType == kAllowedTypeMask)
      candidates &= static_cast<uint32_t>(c.AllowedIndex);
    const int n = CountValues(candidates, geo.GridWidth);
    if (n == 0)
      return 0;
    c.ThePoss = candidates;
    SetCellValue(ctx, grid, cell, RandomBelow(ctx.Random, n) + 1, kActionPlaceNthFixed);
    ++placed;
    RefreshCandidates(ctx, grid);
  }
  return 1;
}

} // namespace

int RandomSeedCount(const EngineContext &ctx, const GridRecord &grid, int seedCount, int multSquares) {
  const int width = ctx.Geo.GridWidth;
  const int sizeClass = SeedSizeClass(width);
  int seeds = Meets(grid.GridVar, kVarIrregular)                    ? kIrregularSeeds[sizeClass]
              : Meets(grid.GridVar, kVarDiagonal | kVarExtraRegion) ? kRegionSeeds[sizeClass]
                                                                    : kPlainSeeds[sizeClass];
  const ReadyMadeRule *rule = FindReadyMadeRule(grid.GridVar);
  if (rule != nullptr && rule->FewerSeeds)
    seeds += 1 - 2 * width;
  if (multSquares > 0) {
    const double m = multSquares;
    seeds = std::max(kMinMultSeeds, static_cast<int>((m * m * 0.25 - 3.5 * m + 13.25) * width / 9));
  }
  if (seedCount >= 0)
    seeds = seedCount;
  const VariantWords current = ctx.Settings.CurrentVariant;
  if (seedCount != kSeedsFirstLinkedGrid) {
    if (Meets(current, kVarTwinsZone))
      seeds = std::max(0, seeds - width * CountTwinsZoneCells(ctx.Grids, grid));
    if (Meets(current, kVarTwinsDifferent))
      seeds = seeds * 4 / 5;
  }
  return std::max(seeds, 1);
}

int MakeRandomSolution(EngineContext &ctx, GridRecord &grid, int seedCount, int layout, int maxFailures,
                       int clearLevel, const RandomSolutionOptions &options) {
  grid.SolutionMade = 0;
  if (seedCount == kSeedsComputed)
    ctx.Host->ReplaceMessage(kMsgComputingReference, {});
  ClearGrid(ctx, grid, clearLevel);
  ResetGridState(grid);
  RefreshCandidates(ctx, grid);

  std::string readyMadePath;
  if (const ReadyMadeRule *rule = FindReadyMadeRule(grid.GridVar)) {
    const std::string_view name = ReadyMadeFileName(*rule, ctx.Geo.GridWidth);
    if (!name.empty())
      readyMadePath = MakeAbsolutePath(name);
  }
  const int multSquares = Meets(grid.GridVar, kVarMultTable) ? DrawMultSquareCount(ctx.Random, options) : 0;
  const int seeds = RandomSeedCount(ctx, grid, seedCount, multSquares);

  int result = kSolveExhausted;
  bool readyMadeTried = readyMadePath.empty();
  for (int failures = 0; failures < maxFailures;) {
    if (ctx.Host->PollUserAbort())
      return kSolveCancelled;
    ClearGrid(ctx, grid, clearLevel);
    ResetGridState(grid);
    if (PrepareRegions(ctx, grid, layout, options) == 0) {
      result = kSolveExhausted;
      break;
    }
    // Each failed try asks one square less: a small grid holds few products of its digits.
    DrawMultSquares(ctx.Random, ctx.Geo, grid, multSquares > 0 ? std::max(1, multSquares - failures) : 0);
    if (!readyMadeTried) {
      readyMadeTried = true;
      if (UseReadyMadeSolution(ctx, grid, readyMadePath)) {
        result = kSolveFound;
        break;
      }
    }
    if (SeedCells(ctx, grid, seeds) == 0) {
      result = kSolveExhausted;
      ++failures;
      continue;
    }
    result = RunGridSearch(ctx, grid, 1); // the clear ended any earlier search
    if (result == kSolveCancelled)
      return result;
    if (result == kSolveFound)
      break;
    ++failures;
  }
  grid.SolutionMade = result == kSolveFound ? 1 : 0;
  const int slot = MainGridSlot(ctx.Grids, grid);
  if (slot >= 0)
    CopyGrid(ctx, ctx.Grids.RefTab[slot], &grid, 0);
  return result;
}

int FindCellOfValueInUnit(const EngineContext &ctx, int unit, int value, const GridRecord &grid) {
  if (unit < 0 || unit >= ctx.Geo.GridWidth)
    return -1;
  for (int k = 0; k < ctx.Geo.GridWidth; ++k) {
    const int cell = grid.BlockCells[unit][k];
    if (cell >= 0 && static_cast<size_t>(cell) < grid.Cells.size() && grid.Cells[cell].Value == value)
      return cell;
  }
  return -1;
}

int PickLeastFrequentCell(EngineContext &ctx, GridRecord &carving, const GridRecord &solution,
                          const CountWalk &walk) {
  const GridGeometry &geo = ctx.Geo;
  auto saved = std::make_unique<GridRecord>();
  CopyGrid(ctx, *saved, &carving, 0);
  for (CellRecord &cell : carving.PlayingCells(geo))
    cell.ValueScores.fill(0);
  const int count = TallyGridSolutions(ctx, carving, ctx.Settings.MaxSearchGrid, walk);
  int picked = count == kSolveCancelled ? kSolveCancelled : -1;
  if (count >= 2 && FitsGeometry(geo, solution)) {
    const int start = RandomBelow(ctx.Random, geo.NCells);
    int fewest = INT_MAX;
    for (int i = 0; i < geo.NCells; ++i) {
      const int cell = (start + i) % geo.NCells;
      const int value = solution.Cells[cell].Value;
      if (carving.Cells[cell].Status <= kStatusFixed || value < 1 || value > geo.GridWidth)
        continue;
      const int seen = carving.Cells[cell].ValueScores[value - 1];
      if (seen < fewest) {
        fewest = seen;
        picked = cell;
      }
    }
  }
  CopyGrid(ctx, carving, saved.get(), 0);
  return picked;
}

int ShowGenerationStep(EngineContext &ctx, std::string_view text, int show) {
  if (show == 0)
    return 0;
  ctx.Host->AddInfoMessage(text);
  UpdatePossibles(ctx, -1, kFilterDefault, -1, 1);
  ctx.Host->RedrawViewNow();
  std::this_thread::sleep_for(kGenerationStepPause);
  return 1;
}

} // namespace quorbel
