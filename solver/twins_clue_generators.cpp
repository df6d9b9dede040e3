// The clues between linked grids: cell pairs of equal value (Twins Relation), groups of cells
// holding the same values in two grids (Relation Multiple) and the count of equal cells of
// some rows (Same in Line). Each reads its own solution and the solution of the grid it
// points at, which was filled earlier in the run.
#include <algorithm>
#include <array>
#include <vector>

#include "engine/engine_context.h"
#include "engine/grid_set.h"
#include "engine/twins_editors.h"
#include "platform/random.h"
#include "solver/clue_generator_family.h"

namespace quorbel {

namespace {

constexpr int kRelationFailures = 10;
constexpr int kRelationFreeLinks = 16;

struct TwinSide {
  const GridRecord *Grid = nullptr;     // the other main grid
  const GridRecord *Solution = nullptr; // its solution
  int Slot = -1;
};

TwinSide TwinAt(const EngineContext &ctx, int slot) {
  if (slot < 0 || slot >= UsedMainCount(ctx.Grids))
    return {};
  const auto s = static_cast<size_t>(slot);
  return {&ctx.Grids.Main[s], &ctx.Grids.RefTab[s], slot};
}

bool Given(const GridRecord &grid, int cell) {
  return grid.Cells[static_cast<size_t>(cell)].Status == kStatusFixed;
}
int ValueOf(const GridRecord &grid, int cell) { return grid.Cells[static_cast<size_t>(cell)].Value; }

// The first cell from a random start, scanning on, that `fits`; -1 when none.
template <typename Fits> int ScanFromRandom(Random15 &random, int cells, Fits fits) {
  const int start = RandomBelow(random, cells);
  for (int k = 0; k < cells; ++k)
    if (const int c = (start + k) % cells; fits(c))
      return c;
  return -1;
}

} // namespace

int GenerateTwinsRelations(const ClueJob &job, int partnerSlot) {
  const TwinSide twin = TwinAt(job.Ctx, partnerSlot);
  const int self = MainGridSlot(job.Ctx.Grids, job.Grid);
  if (twin.Grid == nullptr || self < 0 || self == partnerSlot)
    return 0;
  const int cells = job.Geo().NCells;
  auto &links = job.Grid.Lists.TwinsRelation;
  links.Clear();

  // Cells of equal value at the same place; a pair the givens already settle says nothing.
  std::vector<int> same;
  for (int c = 0; c < cells; ++c) {
    if (job.SolutionValue(c) != ValueOf(*twin.Solution, c))
      continue;
    const bool mine = job.IsGiven(c);
    const bool theirs = Given(*twin.Grid, c);
    if (job.Level == 1 ? (mine && theirs) : (mine || theirs))
      continue;
    same.push_back(c);
  }
  int free = std::max(0, kRelationFreeLinks - static_cast<int>(same.size()));
  auto linked = [&](int cell, bool other) {
    return std::any_of(links.Used().begin(), links.Used().end(),
                       [&](const TwinsRelationLink &l) { return (other ? l.OtherCell : l.Cell) == cell; });
  };

  int budget = job.Budget();
  while (budget > 0 && !links.Full()) {
    if (!same.empty()) {
      const int k = RandomBelow(job.Random(), static_cast<int>(same.size()));
      ToggleTwinsRelation(job.Grid, same[static_cast<size_t>(k)], same[static_cast<size_t>(k)], partnerSlot);
      same.erase(same.begin() + k);
      --budget;
      continue;
    }
    if (free <= 0)
      break;
    bool made = false;
    for (int failures = 0; failures < kRelationFailures && !made; ++failures) {
      const int c = RandomBelow(job.Random(), cells);
      if (!IsPlayingCell(job.Geo(), c) || linked(c, false))
        continue;
      const int d = ScanFromRandom(job.Random(), cells, [&](int d) {
        return IsPlayingCell(job.Geo(), d) && ValueOf(*twin.Solution, d) == job.SolutionValue(c) &&
               !linked(d, true);
      });
      if (d < 0)
        continue;
      made = ToggleTwinsRelation(job.Grid, d, c, partnerSlot) == 1;
    }
    if (!made)
      break;
    --free;
    --budget;
  }
  return links.Size() > 0 ? job.CountUsed(budget) : 0;
}

int GenerateTwinsMultipleGroup(const ClueJob &job, GridRecord &grid, int partnerSlot) {
  const TwinSide twin = TwinAt(job.Ctx, partnerSlot);
  const int self = MainGridSlot(job.Ctx.Grids, grid);
  auto &groups = grid.Lists.TwinsMultiple;
  if (twin.Grid == nullptr || self < 0 || self == partnerSlot || groups.Full())
    return 0;
  const GridRecord &solution = job.Ctx.Grids.RefTab[static_cast<size_t>(self)];
  static constexpr std::array<std::array<int, 2>, 4> kDraw = {{{2, 3}, {3, 3}, {3, 4}, {4, 4}}};
  const auto &[a, b] = kDraw[static_cast<size_t>(std::clamp(job.Level, 1, 4) - 1)];
  const int width = job.Geo().GridWidth;
  int pairs = std::min({(RandomBelow(job.Random(), a) + b) * width / 9, job.Budget(), 16});

  // Over the grids in use only: a slot past them may hold an older set's groups.
  auto grouped = [&](const GridRecord &g, int slot, int cell) {
    for (int o = 0; o < UsedMainCount(job.Ctx.Grids); ++o) {
      const GridRecord &owner = job.Ctx.Grids.Main[static_cast<size_t>(o)];
      for (const TwinsMultipleGroup &group : owner.Lists.TwinsMultiple.Used()) {
        const bool mine = &owner == &g;
        if (!mine && group.OtherGrid != slot)
          continue;
        const auto &list = mine ? group.Cells : group.OtherCells;
        if (std::find(list.begin(), list.begin() + group.NCells, cell) != list.begin() + group.NCells)
          return true;
      }
    }
    return false;
  };
  TwinsMultipleGroup group;
  group.OtherGrid = static_cast<int16_t>(partnerSlot);
  const int cells = job.Geo().NCells;
  for (; pairs > 0; --pairs) {
    const int c = ScanFromRandom(job.Random(), cells, [&](int c) {
      return IsPlayingCell(job.Geo(), c) && !Given(grid, c) && !grouped(grid, self, c) &&
             std::find(group.Cells.begin(), group.Cells.begin() + group.NCells, c) ==
                 group.Cells.begin() + group.NCells;
    });
    if (c < 0)
      break;
    const int d = ScanFromRandom(job.Random(), cells, [&](int d) {
      return IsPlayingCell(job.Geo(), d) && !Given(*twin.Grid, d) && !grouped(*twin.Grid, partnerSlot, d) &&
             ValueOf(*twin.Solution, d) == ValueOf(solution, c) &&
             std::find(group.OtherCells.begin(), group.OtherCells.begin() + group.NCells, d) ==
                 group.OtherCells.begin() + group.NCells;
    });
    if (d < 0)
      continue;
    group.Cells[static_cast<size_t>(group.NCells)] = static_cast<CellRef>(c);
    group.OtherCells[static_cast<size_t>(group.NCells)] = static_cast<CellRef>(d);
    ++group.NCells;
  }
  if (group.NCells == 0)
    return 0;
  groups.Append(group);
  job.Ctx.Grids.Main[static_cast<size_t>(partnerSlot)].GridVar |= kVarTwinsRelationMultiple;
  return job.CountUsed(job.Budget() - group.NCells);
}

int GenerateTwinsSameInLine(const ClueJob &job, int partnerSlot) {
  const TwinSide twin = TwinAt(job.Ctx, partnerSlot);
  const int self = MainGridSlot(job.Ctx.Grids, job.Grid);
  if (twin.Grid == nullptr || self < 0 || self == partnerSlot)
    return 0;
  const int width = job.Geo().GridWidth;
  SameInLineClues &clues = job.Grid.Lists.SameInLine;
  clues = {};
  const int rows = std::min(job.All ? width : job.Budget(), width);
  for (int drawn = 0; drawn < rows; ++drawn) {
    int row = RandomBelow(job.Random(), width);
    while (clues.RowClue[static_cast<size_t>(row)] >= 0)
      row = (row + 1) % width;
    int equal = 0;
    for (int col = 0; col < width; ++col) {
      const int c = job.Geo().RowCells[static_cast<size_t>(row)][static_cast<size_t>(col)];
      equal += job.SolutionValue(c) == ValueOf(*twin.Solution, c) ? 1 : 0;
    }
    clues.RowClue[static_cast<size_t>(row)] = static_cast<int16_t>(equal);
  }
  if (rows <= 0)
    return 0;
  clues.PartnerGrid = static_cast<int16_t>(partnerSlot);
  job.Ctx.Grids.Main[static_cast<size_t>(partnerSlot)].GridVar |= kVarTwinsSameInLine;
  return job.CountUsed(job.Budget() - rows);
}

} // namespace quorbel
