// Clue generators of the clues beside the grid: frame sums, products and maxima, SkyScrapers,
// Last Numbers, Outside values, Oddview parities, and the Transfer pattern.
#include <algorithm>
#include <array>

#include "engine/geometry.h"
#include "engine/sum_rules.h"
#include "platform/random.h"
#include "solver/clue_generator_family.h"

namespace quorbel {

namespace {

constexpr int kSides = 4;

// The solution's values of a line seen from a side.
struct SeenLine {
  std::array<int, 16> Values{};
  int Count = 0;
};
SeenLine SeeLine(const ClueJob &job, int side, int line) {
  SeenLine seen;
  for (int i = 0; i < job.Geo().GridWidth; ++i) {
    const int cell = PerimeterCell(job.Geo(), side, line, i);
    if (cell < 0)
      break;
    seen.Values[seen.Count++] = job.SolutionValue(cell);
  }
  return seen;
}

bool PlaceTaken(const GridRecord &grid, int side, int line) {
  return grid.Lists.Frame.Kind[side][line] != 0 || grid.Lists.Outside.Kind[side][line] != 0;
}

// Sets one clue per place: every place in the all-clues mode, else random places within the
// budget. `make` writes the clue of a free place and returns what it spent.
template <typename Make> int PlaceSideClues(const ClueJob &job, Make make) {
  const int w = job.Geo().GridWidth;
  if (job.All) {
    for (int side = 0; side < kSides; ++side)
      for (int line = 0; line < w; ++line)
        if (!PlaceTaken(job.Grid, side, line))
          make(side, line);
    return job.Count;
  }
  constexpr int kMaxFailures = 10;
  return SpendClueBudget(job, kMaxFailures, [&](int) {
    const int side = RandomBelow(job.Random(), kSides);
    const int line = RandomBelow(job.Random(), w);
    return PlaceTaken(job.Grid, side, line) ? 0 : make(side, line);
  });
}

} // namespace

int GenerateFrameClues(const ClueJob &job, int kind) {
  return PlaceSideClues(job, [&](int side, int line) {
    const SeenLine seen = SeeLine(job, side, line);
    const int depth = std::min(FrameDepth(job.Geo(), side), seen.Count);
    int64_t value = kind == kFrameProduct ? 1 : 0;
    int largest = 0;
    for (int p = 0; p < depth; ++p) {
      const int v = seen.Values[p];
      if (kind == kFrameSum)
        value += v;
      else if (kind == kFrameProduct)
        value *= v;
      else if (v > seen.Values[largest])
        largest = p;
    }
    job.Grid.Lists.Frame.Kind[side][line] = static_cast<int16_t>(kind);
    job.Grid.Lists.Frame.Value[side][line] = static_cast<int32_t>(kind == kFrameMax ? largest + 1 : value);
    return kind == kFrameMax ? 1 : 2;
  });
}

int GenerateSkyScraperClues(const ClueJob &job) {
  return PlaceSideClues(job, [&](int side, int line) {
    const SeenLine seen = SeeLine(job, side, line);
    int visible = 0;
    int highest = 0;
    for (int p = 0; p < seen.Count; ++p)
      if (seen.Values[p] > highest) {
        highest = seen.Values[p];
        ++visible;
      }
    job.Grid.Lists.Frame.Kind[side][line] = kFrameSkyScraper;
    job.Grid.Lists.Frame.Value[side][line] = visible;
    return 1;
  });
}

int GenerateLastNumberClues(const ClueJob &job) {
  return PlaceSideClues(job, [&](int side, int line) {
    const SeenLine seen = SeeLine(job, side, line);
    int rising = 1;
    while (rising < seen.Count && seen.Values[rising] > seen.Values[rising - 1])
      ++rising;
    int falling = 1;
    while (falling < seen.Count && seen.Values[falling] < seen.Values[falling - 1])
      ++falling;
    const bool risingKind = rising == 1 ? false : falling == 1 ? true : RandomBelow(job.Random(), 2) == 0;
    job.Grid.Lists.Frame.Kind[side][line] =
        static_cast<int16_t>(risingKind ? kFrameLastRising : kFrameLastFalling);
    job.Grid.Lists.Frame.Value[side][line] = seen.Values[(risingKind ? rising : falling) - 1];
    return 1;
  });
}

int GenerateOutsideClues(const ClueJob &job) {
  return PlaceSideClues(job, [&](int side, int line) {
    const SeenLine seen = SeeLine(job, side, line);
    const int depth = std::min(FrameDepth(job.Geo(), side), seen.Count);
    OutsideClues &outside = job.Grid.Lists.Outside;
    std::array<int, 16> values = seen.Values;
    std::sort(values.begin(), values.begin() + depth);
    for (int p = 0; p < depth; ++p)
      outside.Values[side][line][p] = static_cast<int16_t>(values[p]);
    outside.Count[side][line] = static_cast<int16_t>(depth);
    outside.Kind[side][line] = kOutsideValues;
    return 2;
  });
}

int GenerateOddviewClues(const ClueJob &job) {
  return PlaceSideClues(job, [&](int side, int line) {
    const SeenLine seen = SeeLine(job, side, line);
    int even = -1;
    int odd = -1;
    for (int p = 0; p < seen.Count; ++p) {
      int &first = seen.Values[p] % 2 == 0 ? even : odd;
      if (first < 0)
        first = seen.Values[p];
    }
    OutsideClues &outside = job.Grid.Lists.Outside;
    outside.Values[side][line][0] = static_cast<int16_t>(even);
    outside.Values[side][line][1] = static_cast<int16_t>(odd);
    outside.Count[side][line] = 2;
    outside.Kind[side][line] = kOutsideOddview;
    return 1;
  });
}

void GenerateTransferPattern(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  GridRecord &grid = job.Grid;
  grid.Lists.Transfer.Clear();
  for (int c = 0; c < geo.NCells; ++c)
    grid.Cells[c].CrossedOut = 0;
  std::array<int, 16> crossedColumn{};
  std::array<bool, 16> taken{};
  for (int row = 0; row < w; ++row) {
    int col = RandomBelow(job.Random(), w);
    while (taken[col])
      col = (col + 1) % w;
    taken[col] = true;
    crossedColumn[row] = col;
    const int cell = row * w + col;
    grid.Cells[cell].CrossedOut = 1;
    grid.Lists.Transfer.Append({static_cast<CellRef>(cell)});
  }
  const int listed = w == 4 ? 2 : w <= 8 ? 3 : w == 9 ? 4 : w == 12 ? 5 : 6;
  // A row is read from the left, a column from the top; each lists values at random
  // increasing places, skipping the line's crossed-out cell.
  for (int side : {3, 0}) {
    for (int line = 0; line < w; ++line) {
      std::array<int, 16> places{};
      int n = 0;
      for (int p = 0; p < w; ++p) {
        const bool crossed = side == 3 ? crossedColumn[line] == p : crossedColumn[p] == line;
        if (!crossed)
          places[n++] = p;
      }
      // Keep `listed` of the n places, each by a fair draw of those left.
      for (int keep = n; keep > listed; --keep) {
        const int drop = RandomBelow(job.Random(), keep);
        std::copy(places.begin() + drop + 1, places.begin() + keep, places.begin() + drop);
      }
      OutsideClues &outside = grid.Lists.Outside;
      const int count = std::min(listed, n);
      for (int k = 0; k < count; ++k)
        outside.Values[side][line][k] =
            static_cast<int16_t>(job.SolutionValue(PerimeterCell(geo, side, line, places[k])));
      outside.Count[side][line] = static_cast<int16_t>(count);
      outside.Kind[side][line] = kOutsideTransfer;
    }
  }
}

} // namespace quorbel
