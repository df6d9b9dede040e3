// Clue generators of the rules inside the grid: Little Killer diagonals, Killer cages, arrows
// and creasing lines, each read off the solution.
#include <array>
#include <climits>
#include <vector>

#include "engine/little_killer_line.h"
#include "engine/sum_clue_editors.h"
#include "engine/sum_rules.h"
#include "platform/random.h"
#include "solver/clue_generator_family.h"

namespace quorbel {

namespace {

constexpr int kSides = 4;

// The orthogonal neighbour of a cell in direction d (0 up, 1 right, 2 down, 3 left), or the
// eight neighbours (0 up, 1 up-right ... 7 up-left); -1 off the grid.
int Neighbour(const GridGeometry &geo, int cell, int d, bool eight) {
  static constexpr std::array<int, 8> kRow8 = {-1, -1, 0, 1, 1, 1, 0, -1};
  static constexpr std::array<int, 8> kCol8 = {0, 1, 1, 1, 0, -1, -1, -1};
  const int k = eight ? d : d * 2;
  const int row = geo.RowOfCell[cell] + kRow8[k];
  const int col = geo.ColOfCell[cell] + kCol8[k];
  if (row < 0 || row >= geo.GridWidth || col < 0 || col >= geo.GridWidth)
    return -1;
  return row * geo.GridWidth + col;
}

// A random cell, scanning on from a random start to the first one `free` accepts; -1 none.
template <typename Free> int RandomFreeCell(Random15 &random, const GridGeometry &geo, Free free) {
  const int start = RandomBelow(random, geo.NCells);
  for (int k = 0; k < geo.NCells; ++k) {
    const int cell = (start + k) % geo.NCells;
    if (free(cell))
      return cell;
  }
  return -1;
}

} // namespace

int GenerateLittleKillerClues(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  auto add = [&](int side, int position) {
    const DiagonalEnds ends = LittleKillerClueOfSide(geo, side, position);
    if (ends.First < 0)
      return 0;
    for (const LittleKillerClue &clue : job.Grid.Lists.LittleKiller.Used())
      if (clue.FirstCell == ends.First && clue.LastCell == ends.Last)
        return 0;
    return ToggleLittleKillerClue(geo, ends.First, ends.Last, job.Grid, 0, job.Solution);
  };
  if (job.All) {
    int added = 0;
    for (int side = 0; side < kSides; ++side)
      for (int position = 0; position < w; ++position)
        added += add(side, position);
    return std::max(job.Count, added > 0 ? 1 : 0);
  }
  constexpr int kMaxFailures = 10;
  return SpendClueBudget(job, kMaxFailures, [&](int) {
    return add(RandomBelow(job.Random(), kSides), RandomBelow(job.Random(), w));
  });
}

namespace {

// The cage sizes each level draws from, 29 entries apiece.
constexpr std::array<std::array<int8_t, 29>, 4> kCageSizes = {{
    {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4},
    {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 4, 4, 4, 5},
    {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3, 4, 4, 4, 5, 5, 6},
    {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 8, 9, 10},
}};
constexpr int kMaxCageCells = 10;

struct CageGrowth {
  std::array<int, kMaxCageCells> Cells{};
  int Count = 0;
  int64_t Total = 0;
};

// Grows a cage from `start` through random free neighbours, never repeating a value and never
// letting a product pass what a clue holds.
CageGrowth GrowCage(const ClueJob &job, int start, int size, int product) {
  const GridGeometry &geo = job.Geo();
  CageGrowth cage;
  std::array<bool, kMaxCells> inCage{};
  uint32_t values = 0;
  auto take = [&](int cell) {
    cage.Cells[cage.Count++] = cell;
    inCage[cell] = true;
    values |= ValueBit(job.SolutionValue(cell));
    cage.Total = product == 1 ? cage.Total * job.SolutionValue(cell) : cage.Total + job.SolutionValue(cell);
  };
  cage.Total = product == 1 ? 1 : 0;
  take(start);
  while (cage.Count < size) {
    std::array<int, 4 * kMaxCageCells> options{};
    int n = 0;
    for (int k = 0; k < cage.Count; ++k)
      for (int d = 0; d < 4; ++d) {
        const int next = Neighbour(geo, cage.Cells[k], d, false);
        if (next < 0 || inCage[next] || FindKillerCageOfCell(job.Grid, next) >= 0 ||
            (values & ValueBit(job.SolutionValue(next))) != 0)
          continue;
        if (product == 1 && cage.Total * job.SolutionValue(next) > INT32_MAX)
          continue;
        options[n++] = next;
      }
    if (n == 0)
      break;
    take(options[RandomBelow(job.Random(), n)]);
  }
  return cage;
}

void AppendCage(const ClueJob &job, const CageGrowth &growth, int product) {
  std::array<int, kMaxCageCells> cells = growth.Cells;
  ToggleKillerCage(job.Geo(), job.Grid, std::span<const int>(cells.data(), growth.Count), product,
                   job.Solution);
  KillerCage &cage = job.Grid.Lists.Killer.Items[job.Grid.Lists.Killer.Size() - 1];
  const int modulus = KimoModulusOf(job.Grid);
  if (modulus >= 2)
    cage.Target %= modulus;
}

// Cells left outside every cage: givens at the easier levels, else part of a small cage beside.
void PlaceCagelessCells(const ClueJob &job, int product) {
  const GridGeometry &geo = job.Geo();
  constexpr int kJoinableCage = 9;
  for (int cell = 0; cell < geo.NCells; ++cell) {
    if (FindKillerCageOfCell(job.Grid, cell) >= 0)
      continue;
    if (job.Level <= 2) {
      CellRecord &record = job.Grid.Cells[cell];
      record.Value = job.SolutionValue(cell);
      record.Status = kStatusFixed;
      continue;
    }
    for (int d = 0; d < 4; ++d) {
      const int next = Neighbour(geo, cell, d, false);
      const int index = next < 0 ? -1 : FindKillerCageOfCell(job.Grid, next);
      if (index < 0)
        continue;
      KillerCage &cage = job.Grid.Lists.Killer.Items[index];
      if (cage.NCells >= kJoinableCage || cage.IsProduct != product)
        continue;
      cage.Cells[cage.NCells++] = static_cast<CellRef>(cell);
      std::sort(cage.Cells.begin(), cage.Cells.begin() + cage.NCells);
      int64_t total = product == 1 ? 1 : 0;
      for (int k = 0; k < cage.NCells; ++k)
        total = product == 1 ? total * job.SolutionValue(cage.Cells[k])
                             : total + job.SolutionValue(cage.Cells[k]);
      const int modulus = KimoModulusOf(job.Grid);
      cage.Target =
          static_cast<int32_t>(modulus >= 2 ? total % modulus : std::min<int64_t>(total, INT32_MAX));
      break;
    }
  }
}

} // namespace

int GenerateKillerCages(const ClueJob &job, int product) {
  const GridGeometry &geo = job.Geo();
  constexpr int kMaxFailures = 20;
  const auto &sizes = kCageSizes[std::clamp(job.Level, 1, 4) - 1];
  const int result = SpendClueBudget(job, kMaxFailures, [&](int budget) {
    if (job.Grid.Lists.Killer.Full())
      return 0;
    const int size = std::max(2, job.All ? static_cast<int>(sizes[RandomBelow(job.Random(), 29)])
                                         : std::min<int>(sizes[RandomBelow(job.Random(), 29)], budget));
    const int start =
        RandomFreeCell(job.Random(), geo, [&](int c) { return FindKillerCageOfCell(job.Grid, c) < 0; });
    if (start < 0)
      return 0;
    const CageGrowth cage = GrowCage(job, start, size, product);
    if (cage.Count < 2)
      return 0;
    AppendCage(job, cage, product);
    return job.IsGiven(start) ? 2 : 1;
  });
  if (job.All)
    PlaceCagelessCells(job, product);
  return result;
}

namespace {

int ArrowMinimumCircle(int w) { return w <= 6 ? 3 : w <= 9 ? 4 : 5; }
int ArrowMaximumBody(int w) { return w == 4 ? 2 : w == 6 ? 3 : w <= 9 ? 4 : w == 12 ? 5 : 6; }
int CreasingMaximumLength(int w) { return w == 4 ? 3 : w == 6 ? 4 : w <= 9 ? 5 : w == 12 ? 6 : 7; }

bool InAnyArrow(const GridRecord &grid, int cell) { return FindArrowOfCell(grid, cell) >= 0; }

} // namespace

int GenerateArrows(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  constexpr int kMaxFailures = 100;
  return SpendClueBudget(job, kMaxFailures, [&](int) {
    if (job.Grid.Lists.Arrows.Size() >= 79)
      return 0;
    const int circle = RandomBelow(job.Random(), geo.NCells);
    const int target = job.SolutionValue(circle);
    if (InAnyArrow(job.Grid, circle) || target < ArrowMinimumCircle(w))
      return 0;
    std::array<int, 10> cells{circle};
    int n = 1;
    int sum = 0;
    const int turn = RandomBelow(job.Random(), 8);
    while (sum < target && n - 1 < ArrowMaximumBody(w)) {
      int next = -1;
      for (int k = 0; k < 8 && next < 0; ++k) {
        const int candidate = Neighbour(geo, cells[n - 1], (turn + k) % 8, true);
        if (candidate < 0 || InAnyArrow(job.Grid, candidate) ||
            std::find(cells.begin(), cells.begin() + n, candidate) != cells.begin() + n ||
            sum + job.SolutionValue(candidate) > target)
          continue;
        next = candidate;
      }
      if (next < 0)
        break;
      cells[n++] = next;
      sum += job.SolutionValue(next);
    }
    if (sum != target || n < 2)
      return 0;
    return ToggleArrow(job.Grid, std::span<const int>(cells.data(), n));
  });
}

namespace {

// Whether value b may follow a (and the step before, from `before`) on a line of that kind.
bool CreasingStepFits(int kind, int before, int a, int b) {
  switch (kind) {
  case 0:
    return before == 0 ? a != b : (a > before) == (b > a) && a != b;
  case 1:
    return before == 0 ? a != b : (a > before) != (b > a) && a != b;
  default:
    return std::abs(a - b) == 1;
  }
}

} // namespace

int GenerateCreasingLines(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  constexpr int kMaxFailures = 50;
  constexpr int kMixedKinds = 3;
  const int drawn = RandomBelow(job.Random(), 4);
  const int longest = CreasingMaximumLength(w);
  const int shortest = std::min(3, longest);
  ClueJob job2 = job;
  if (job.All) {
    static constexpr std::array<int, 4> kTenthsOfCells = {8, 7, 6, 5};
    job2.Count = kTenthsOfCells[std::clamp(job.Level, 1, 4) - 1] * geo.NCells / 10;
    job2.Factor = 1;
    job2.All = false;
  }
  return SpendClueBudget(job2, kMaxFailures, [&](int) {
    const int kind = drawn == kMixedKinds ? RandomBelow(job.Random(), 3) : drawn;
    const int start = RandomBelow(job.Random(), geo.NCells);
    if (FindCreasingOfCell(job.Grid, start) >= 0)
      return 0;
    std::array<int, 10> cells{start};
    int n = 1;
    const int turn = RandomBelow(job.Random(), 4);
    while (n < longest) {
      int next = -1;
      for (int k = 0; k < 4 && next < 0; ++k) {
        const int candidate = Neighbour(geo, cells[n - 1], (turn + k) % 4, false);
        if (candidate < 0 || FindCreasingOfCell(job.Grid, candidate) >= 0 ||
            std::find(cells.begin(), cells.begin() + n, candidate) != cells.begin() + n)
          continue;
        const int before = n >= 2 ? job.SolutionValue(cells[n - 2]) : 0;
        if (CreasingStepFits(kind, before, job.SolutionValue(cells[n - 1]), job.SolutionValue(candidate)))
          next = candidate;
      }
      if (next < 0)
        break;
      cells[n++] = next;
    }
    if (n < shortest)
      return 0;
    return ToggleCreasingLine(job.Grid, std::span<const int>(cells.data(), n), kind) == 1 ? 1 : 0;
  });
}

} // namespace quorbel
