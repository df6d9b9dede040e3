// Clue generators of the rules between two cells: X and V, greater and less, dots, odd and even
// cells, Distance, Odd Pair and Quad Max, each read off the solution.
#include <algorithm>
#include <array>
#include <vector>

#include "engine/comparison_editors.h"
#include "engine/geometry.h"
#include "engine/sum_clue_editors.h"
#include "platform/random.h"
#include "solver/clue_generator_family.h"

namespace quorbel {

namespace {

constexpr int kXParityMark = 10;

struct Pair {
  int A = 0;
  int B = 0;
  int Kind = 0;
};

// A mark counts as a clue spent only when it joined the list; a pair that holds a mark already
// (of Less, XV or Dot) is refused, since the editor would turn that mark into this one.
bool AddMark(const ClueJob &job, const Pair &p) {
  if (FindComparison(job.Grid, p.A, p.B) >= 0 || FindComparison(job.Grid, p.B, p.A) >= 0)
    return false;
  return ToggleComparisonMark(job.Geo(), p.A, job.Grid, p.B, p.Kind) == 1;
}

// The family pattern over collected candidates: pairs of two givens come in at once in the
// all-clues mode; the others are drawn at random while the budget lasts.
int SpendOnPairs(const ClueJob &job, std::vector<Pair> &candidates, std::vector<Pair> &givenPairs) {
  if (job.All)
    for (const Pair &p : givenPairs)
      AddMark(job, p);
  int budget = job.Budget();
  constexpr int kMaxFailures = 10;
  for (int failures = 0; (budget > 0 || job.All) && !candidates.empty() && failures < kMaxFailures;) {
    const int at = RandomBelow(job.Random(), static_cast<int>(candidates.size()));
    const Pair p = candidates[at];
    candidates.erase(candidates.begin() + at);
    if (AddMark(job, p)) {
      --budget;
      failures = 0;
    } else {
      ++failures;
    }
  }
  return job.CountUsed(budget);
}

bool BothGivens(const ClueJob &job, int a, int b) { return job.IsGiven(a) && job.IsGiven(b); }

// The four neighbours of a cell in a random order, -1 off the grid.
std::array<int, 4> ShuffledNeighbours(Random15 &random, const GridGeometry &geo, int cell) {
  const int w = geo.GridWidth;
  std::array<int, 4> around = {
      geo.RowOfCell[cell] > 0 ? cell - w : -1, geo.ColOfCell[cell] + 1 < w ? cell + 1 : -1,
      geo.RowOfCell[cell] + 1 < w ? cell + w : -1, geo.ColOfCell[cell] > 0 ? cell - 1 : -1};
  for (int k = 3; k > 0; --k)
    std::swap(around[k], around[RandomBelow(random, k + 1)]);
  return around;
}

int DrawOddEvenKind(const ClueJob &job) {
  if (job.OddEvenKind == nullptr)
    return RandomBelow(job.Random(), 3);
  if (*job.OddEvenKind < 0)
    *job.OddEvenKind = RandomBelow(job.Random(), 3);
  return *job.OddEvenKind;
}

} // namespace

int GenerateXVClues(const ClueJob &job) {
  std::vector<Pair> candidates;
  std::vector<Pair> givenPairs;
  ForEachAdjacentPair(job.Geo(), [&](int a, int b) {
    const int sum = job.SolutionValue(a) + job.SolutionValue(b);
    if (sum != 5 && sum != 10)
      return;
    (BothGivens(job, a, b) ? givenPairs : candidates).push_back({a, b, sum == 5 ? kCompareV : kCompareX});
  });
  return SpendOnPairs(job, candidates, givenPairs);
}

int GenerateDotClues(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  static constexpr std::array<int, 7> kModes = {1, 1, 3, 3, 4, 12, 15};
  const int mode = kModes[RandomBelow(job.Random(), 7)];
  int k = -1;
  if (mode == 12 || mode == 15)
    k = RandomBelow(job.Random(), 2 * w - 5) + 2;
  else if (mode == 4)
    k = RandomBelow(job.Random(), w - 3) + 2;
  job.Grid.Lists.ComparisonTotal = k;
  std::vector<Pair> candidates;
  std::vector<Pair> givenPairs;
  ForEachAdjacentPair(geo, [&](int a, int b) {
    const int x = job.SolutionValue(a);
    const int y = job.SolutionValue(b);
    int kind = 0;
    if ((mode & 1) && std::abs(x - y) == 1)
      kind = kCompareConsecutive;
    else if ((mode & 2) && (x == 2 * y || y == 2 * x))
      kind = kCompareRatio;
    else if ((mode & 4) && x + y == k)
      kind = kCompareSumN;
    else if ((mode & 8) && std::abs(x - y) == k)
      kind = kCompareDifferenceN;
    if (kind != 0)
      (BothGivens(job, a, b) ? givenPairs : candidates).push_back({a, b, kind});
  });
  return SpendOnPairs(job, candidates, givenPairs);
}

int GenerateLessClues(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  constexpr int kMaxFailures = 40;
  return SpendClueBudget(job, kMaxFailures, [&](int) {
    const int cell = RandomBelow(job.Random(), geo.NCells);
    for (int other : ShuffledNeighbours(job.Random(), geo, cell)) {
      if (other < 0 || FindComparisonItem(job.Grid, cell, other) >= 0 || BothGivens(job, cell, other))
        continue;
      const int kind = job.SolutionValue(cell) < job.SolutionValue(other) ? kCompareLess : kCompareGreater;
      return AddMark(job, {cell, other, kind}) ? 1 : 0;
    }
    return 0;
  });
}

int GenerateOddEvenClues(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  const int shared = DrawOddEvenKind(job);
  constexpr int kMaxFailures = 10;
  return SpendClueBudget(job, kMaxFailures, [&](int) {
    const int cell = RandomBelow(job.Random(), geo.NCells);
    if (job.IsGiven(cell) || job.Grid.Cells[cell].OddEven != -1)
      return 0;
    int mark = job.SolutionValue(cell) & 1;
    if (mark == shared && RandomBelow(job.Random(), 2) == 0 && job.Level > 1)
      mark = kXParityMark;
    return ToggleOddEvenCell(geo, job.Grid, cell, mark);
  });
}

int GenerateDistanceClues(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  auto lineCell = [&](int orientation, int line, int p) {
    return orientation == 1 ? geo.RowCells[line][p] : geo.ColCells[line][p];
  };
  auto acceptable = [&](int a, int b) {
    return a != b && (job.Level == 1 || (!job.IsGiven(a) && !job.IsGiven(b)));
  };
  if (job.All) {
    constexpr int kDrawsPerLine = 100;
    for (int orientation = 0; orientation < 2; ++orientation)
      for (int line = 0; line < w; ++line)
        for (int draw = 0; draw < kDrawsPerLine; ++draw) {
          const int a = lineCell(orientation, line, RandomBelow(job.Random(), w));
          const int b = lineCell(orientation, line, RandomBelow(job.Random(), w));
          if (acceptable(a, b)) {
            ToggleDistanceClue(geo, a, b, job.Grid, orientation, job.Solution);
            break;
          }
        }
    return job.Count;
  }
  constexpr int kMaxFailures = 100;
  return SpendClueBudget(job, kMaxFailures, [&](int) {
    const int orientation = RandomBelow(job.Random(), 2);
    const int line = RandomBelow(job.Random(), w);
    const int a = lineCell(orientation, line, RandomBelow(job.Random(), w));
    const int b = lineCell(orientation, line, RandomBelow(job.Random(), w));
    if (!acceptable(a, b) || IsLineClueListed(geo, a, job.Grid, orientation))
      return 0;
    return ToggleDistanceClue(geo, a, b, job.Grid, orientation, job.Solution);
  });
}

int GenerateOddPairClues(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  const int shared = DrawOddEvenKind(job);
  auto free = [&](int cell) {
    if (FindKillerCageOfCell(job.Grid, cell) >= 0)
      return false;
    for (const OddPairMark &mark : job.Grid.Lists.OddPairs.Used())
      if (mark.CellA == cell || mark.CellB == cell)
        return false;
    return true;
  };
  constexpr int kMaxFailures = 100;
  constexpr int kMaxCages = 40;
  const int result = SpendClueBudget(job, kMaxFailures, [&](int) {
    if (job.Grid.Lists.Killer.Size() >= kMaxCages)
      return 0;
    const int cell = RandomBelow(job.Random(), geo.NCells);
    if (!free(cell))
      return 0;
    for (int other : ShuffledNeighbours(job.Random(), geo, cell)) {
      if (other < 0 || !free(other) || BothGivens(job, cell, other))
        continue;
      int kind = (job.SolutionValue(cell) + job.SolutionValue(other)) & 1;
      if (kind == shared && RandomBelow(job.Random(), 2) == 0)
        kind = 2;
      return ToggleOddPairMark(geo, job.Grid, cell, other, kind);
    }
    return 0;
  });
  if (job.All)
    for (int cell = 0; cell < geo.NCells; ++cell)
      if (free(cell)) {
        job.Grid.Cells[cell].Value = job.SolutionValue(cell);
        job.Grid.Cells[cell].Status = kStatusFixed;
      }
  return result;
}

int GenerateQuadClues(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  const int m = RandomBelow(job.Random(), 3);
  constexpr int kMaxFailures = 100;
  return SpendClueBudget(job, kMaxFailures, [&](int) {
    const int first = RandomBelow(job.Random(), geo.NCells - w - 1);
    if (geo.ColOfCell[first] == w - 1)
      return 0;
    const std::array<int, 4> cells = {first, first + 1, first + w, first + w + 1};
    int placed = 0;
    for (int c : cells)
      placed += job.IsGiven(c) ? 1 : 0;
    if (placed == 4)
      return 0;
    const int s = QuadMaxState(job.Grid, first);
    if (s < 0 || (s <= 1 && m != 2))
      return 0;
    const int kind = s <= 1 ? s : m < 2 ? m : RandomBelow(job.Random(), 2);
    // Kind 0 names the largest value's cell, kind 1 the smallest's; a tie names none.
    int best = cells[0];
    bool tie = false;
    for (int k = 1; k < 4; ++k) {
      const int v = job.SolutionValue(cells[k]);
      const int b = job.SolutionValue(best);
      if (v == b)
        tie = true;
      else if (kind == 0 ? v > b : v < b) {
        best = cells[k];
        tie = false;
      }
    }
    if (tie)
      return 0;
    return ToggleQuadClue(geo, cells, job.Grid, best, kind == 0 ? 0 : 1);
  });
}

} // namespace quorbel
