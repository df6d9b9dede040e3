#include "media/grid_scan.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "media/picture.h"

namespace quorbel {

namespace {

// The middles of the maximal runs of the profile below (or above) the threshold, at most 50
// (later runs overwrite the 50th).
std::vector<int32_t> RunMiddles(const std::array<int32_t, kMostScanSide + 1> &profile, int length,
                                int threshold, bool below, std::vector<std::pair<int, int>> *runs = nullptr) {
  std::vector<int32_t> middles;
  int x = 0;
  while (x < length) {
    const auto inside = [&](int at) {
      return below ? profile[static_cast<size_t>(at)] < threshold
                   : profile[static_cast<size_t>(at)] > threshold;
    };
    if (!inside(x)) {
      ++x;
      continue;
    }
    const int first = x;
    while (x < length && inside(x))
      ++x;
    const int middle = (first + x - 1) / 2;
    if (static_cast<int>(middles.size()) < kMostScanLines) {
      middles.push_back(middle);
      if (runs)
        runs->emplace_back(first, x - 1);
    } else {
      middles.back() = middle;
      if (runs)
        runs->back() = {first, x - 1};
    }
  }
  return middles;
}

// Every gap within a quarter of the mean gap.
bool EvenlySpaced(const std::vector<int32_t> &lines) {
  if (lines.size() < 2)
    return false;
  const int cells = static_cast<int>(lines.size()) - 1;
  const int mean = (lines.back() - lines.front()) / cells;
  for (size_t i = 1; i < lines.size(); ++i)
    if (std::abs(lines[i] - lines[i - 1] - mean) > mean / 4)
      return false;
  return true;
}

// Only the sides the program has shapes for count as a grid.
bool IsGridSide(int cells) {
  return cells == 4 || cells == 6 || cells == 8 || cells == 9 || cells == 12 || cells == 16;
}

struct Thresholds {
  int Column;
  int Row;
};

Thresholds ThresholdsAt(const ScanState &s, int c) {
  const int b = 100 - c;
  return {(b * s.ColumnMax + c * s.ColumnMin) / 100, (b * s.RowMax + c * s.RowMin) / 100};
}

void ProfileRange(int length, const std::array<int32_t, kMostScanSide + 1> &profile, int32_t &low,
                  int32_t &high) {
  low = 1500;
  high = -1;
  for (int i = 0; i < length; ++i) {
    low = std::min(low, profile[static_cast<size_t>(i)]);
    high = std::max(high, profile[static_cast<size_t>(i)]);
  }
}

// Each cell's edges: from its lines inwards while the profile stays dark, a third of a cell at most.
void CellRectanglesFromLines(ScanState &s) {
  const int meanWidth = (s.VerticalLines.back() - s.VerticalLines.front()) / s.Across;
  const int meanHeight = (s.HorizontalLines.back() - s.HorizontalLines.front()) / s.Down;
  std::array<std::pair<int, int>, kMostScanCells> columns{};
  std::array<std::pair<int, int>, kMostScanCells> rows{};
  const auto inwards = [](const std::array<int32_t, kMostScanSide + 1> &profile, int from, int step, int most,
                          int threshold, int length) {
    int at = from;
    for (int moved = 0;
         moved < most && at >= 0 && at < length && profile[static_cast<size_t>(at)] < threshold; ++moved)
      at += step;
    return at;
  };
  for (int k = 0; k < s.Across; ++k)
    columns[static_cast<size_t>(k)] = {inwards(s.ColumnProfile, s.VerticalLines[static_cast<size_t>(k)], 1,
                                               meanWidth / 3, s.ColumnThreshold, s.Image.Width),
                                       inwards(s.ColumnProfile, s.VerticalLines[static_cast<size_t>(k + 1)],
                                               -1, meanWidth / 3, s.ColumnThreshold, s.Image.Width)};
  for (int l = 0; l < s.Down; ++l)
    rows[static_cast<size_t>(l)] = {inwards(s.RowProfile, s.HorizontalLines[static_cast<size_t>(l)], 1,
                                            meanHeight / 3, s.RowThreshold, s.Image.Height),
                                    inwards(s.RowProfile, s.HorizontalLines[static_cast<size_t>(l + 1)], -1,
                                            meanHeight / 3, s.RowThreshold, s.Image.Height)};
  for (int k = 0; k < s.Across; ++k)
    for (int l = 0; l < s.Down; ++l)
      s.Cells[static_cast<size_t>(k)][static_cast<size_t>(l)] = {
          columns[static_cast<size_t>(k)].first, rows[static_cast<size_t>(l)].first,
          columns[static_cast<size_t>(k)].second, rows[static_cast<size_t>(l)].second};
}

bool Dark(const ScanState &s, int x, int y) { return s.Image.At(x, y) < s.ColumnThreshold; }

int MeanCellWidth(const ScanState &s) {
  return (s.VerticalLines.back() - s.VerticalLines.front()) / s.Across;
}
int MeanCellHeight(const ScanState &s) {
  return (s.HorizontalLines.back() - s.HorizontalLines.front()) / s.Down;
}

const CellBox &CellAt(const ScanState &s, int k, int l) {
  return s.Cells[static_cast<size_t>(k)][static_cast<size_t>(l)];
}

// How thick the grid line is on a cell's left and top sides, in cell heights and widths.
struct SideCounts {
  std::array<std::array<int, kMostScanCells>, kMostScanCells> Left{};
  std::array<std::array<int, kMostScanCells>, kMostScanCells> Top{};
};

SideCounts CountSides(const ScanState &s) {
  SideCounts counts;
  const int f = std::max(1, MeanCellWidth(s));
  const int g = std::max(1, MeanCellHeight(s));
  for (int k = 0; k < s.Across; ++k)
    for (int l = 0; l < s.Down; ++l) {
      const CellBox &box = CellAt(s, k, l);
      int left = 0;
      for (int d = 0; d < g * 15 / 100; ++d)
        for (int y = box.Top; y < box.Bottom; ++y)
          left += Dark(s, box.Left - d, y) + Dark(s, box.Left + d, y);
      int top = 0;
      for (int d = 0; d < f * 15 / 100; ++d)
        for (int x = box.Left; x < box.Right; ++x)
          top += Dark(s, x, box.Top - d) + Dark(s, x, box.Top + d);
      counts.Left[static_cast<size_t>(k)][static_cast<size_t>(l)] = left / g;
      counts.Top[static_cast<size_t>(k)][static_cast<size_t>(l)] = top / f;
    }
  return counts;
}

// The ink's centre over the first half of the cells: digits sit in the middle, cage sums in a corner.
int InkCentre(const ScanState &s, int &span) {
  int u = 0;
  for (int k = 0; k < s.Across; ++k) {
    const CellBox &first = CellAt(s, k, 0);
    if (u <= first.Right - first.Left)
      u = first.Right - first.Left;
    u += 2;
  }
  u = std::min(u, kMostScanSide);
  std::vector<int64_t> histogram(static_cast<size_t>(std::max(u, 1)), 0);
  for (int k = 0; k < s.Across; ++k)
    for (int l = 0; l < s.Down; ++l) {
      const CellBox &box = CellAt(s, k, l);
      for (int y = box.Top; y <= box.Bottom; ++y)
        for (int x = box.Left; x <= box.Right; ++x)
          if (x - box.Left < u)
            histogram[static_cast<size_t>(x - box.Left)] += s.Brightest - s.Image.At(x, y);
    }
  int64_t weighted = 0;
  int64_t total = 0;
  for (int p = 0; p < u / 2; ++p) {
    weighted += p * histogram[static_cast<size_t>(p)];
    total += histogram[static_cast<size_t>(p)];
  }
  span = u;
  return static_cast<int>(weighted / (1 + total));
}

// Regions grown across the thin sides, numbered in reading order; false when they are not
// as many as the grid's side.
bool NumberRegions(ScanState &s, const SideCounts &sides) {
  const int w = s.Across;
  s.Regions.assign(static_cast<size_t>(w * s.Down), -1);
  int next = 0;
  for (int start = 0; start < w * s.Down; ++start) {
    if (s.Regions[static_cast<size_t>(start)] >= 0)
      continue;
    s.Regions[static_cast<size_t>(start)] = next;
    for (bool changed = true; changed;) {
      changed = false;
      for (int cell = 0; cell < w * s.Down; ++cell) {
        if (s.Regions[static_cast<size_t>(cell)] != next)
          continue;
        const int k = cell % w;
        const int l = cell / w;
        const auto join = [&](int other) {
          if (s.Regions[static_cast<size_t>(other)] < 0) {
            s.Regions[static_cast<size_t>(other)] = next;
            changed = true;
          }
        };
        if (k > 0 && sides.Left[static_cast<size_t>(k)][static_cast<size_t>(l)] < 2)
          join(cell - 1);
        if (k + 1 < w && sides.Left[static_cast<size_t>(k + 1)][static_cast<size_t>(l)] < 2)
          join(cell + 1);
        if (l > 0 && sides.Top[static_cast<size_t>(k)][static_cast<size_t>(l)] < 2)
          join(cell - w);
        if (l + 1 < s.Down && sides.Top[static_cast<size_t>(k)][static_cast<size_t>(l + 1)] < 2)
          join(cell + w);
      }
    }
    ++next;
  }
  return next == w;
}

// The dashed cage lines inside each cell: the walls on its four sides, and the inner rectangle
// where a cage sum is read.
struct CageWalls {
  std::array<std::array<std::array<bool, 4>, kMostScanCells>, kMostScanCells>
      Wall{}; // left, top, right, bottom
  std::array<std::array<CellBox, kMostScanCells>, kMostScanCells> Inner{};
};

// A cage line lies near the cell's side: the first dark run within a quarter of the cell from
// `from`, and the end of that run towards the middle; -1 when none. The sum printed in a corner
// lies further in and is not taken for a line.
int CageLineNear(const std::vector<int64_t> &darkness, int from, int step, int reach, int64_t threshold,
                 int origin) {
  const auto dark = [&](int at) {
    const int index = at - origin;
    return index >= 0 && index < static_cast<int>(darkness.size()) &&
           darkness[static_cast<size_t>(index)] > threshold;
  };
  for (int moved = 0; moved < reach; ++moved) {
    int at = from + moved * step;
    if (!dark(at))
      continue;
    while (moved < reach && dark(at + step)) {
      at += step;
      ++moved;
    }
    return at;
  }
  return -1;
}

CageWalls FindCageWalls(const ScanState &s) {
  CageWalls walls;
  for (int k = 0; k < s.Across; ++k)
    for (int l = 0; l < s.Down; ++l)
      walls.Inner[static_cast<size_t>(k)][static_cast<size_t>(l)] = CellAt(s, k, l);
  // Along x, a row of cells at a time.
  for (int l = 0; l < s.Down; ++l) {
    const int origin = CellAt(s, 0, l).Left;
    const int end = CellAt(s, s.Across - 1, l).Right;
    std::vector<int64_t> darkness(static_cast<size_t>(std::max(end - origin + 1, 1)), 0);
    const CellBox &any = CellAt(s, 0, l);
    for (int x = origin; x <= end; ++x)
      for (int y = any.Top + 1; y < any.Bottom; ++y)
        darkness[static_cast<size_t>(x - origin)] += s.Brightest - s.Image.At(x, y);
    const int64_t threshold = *std::max_element(darkness.begin(), darkness.end()) / 4;
    for (int k = 0; k < s.Across; ++k) {
      const CellBox &box = CellAt(s, k, l);
      CellBox &inner = walls.Inner[static_cast<size_t>(k)][static_cast<size_t>(l)];
      auto &wall = walls.Wall[static_cast<size_t>(k)][static_cast<size_t>(l)];
      const int reach = (box.Right - box.Left) / 4;
      if (const int left = CageLineNear(darkness, box.Left + 1, 1, reach, threshold, origin); left >= 0) {
        wall[0] = true;
        inner.Left = left + 1;
      }
      if (const int right = CageLineNear(darkness, box.Right - 1, -1, reach, threshold, origin); right >= 0) {
        wall[2] = true;
        inner.Right = right - 1;
      }
    }
  }
  // Along y, a column of cells at a time.
  for (int k = 0; k < s.Across; ++k) {
    const int origin = CellAt(s, k, 0).Top;
    const int end = CellAt(s, k, s.Down - 1).Bottom;
    std::vector<int64_t> darkness(static_cast<size_t>(std::max(end - origin + 1, 1)), 0);
    const CellBox &any = CellAt(s, k, 0);
    for (int y = origin; y <= end; ++y)
      for (int x = any.Left + 1; x < any.Right; ++x)
        darkness[static_cast<size_t>(y - origin)] += s.Brightest - s.Image.At(x, y);
    const int64_t threshold = *std::max_element(darkness.begin(), darkness.end()) / 4;
    for (int l = 0; l < s.Down; ++l) {
      const CellBox &box = CellAt(s, k, l);
      CellBox &inner = walls.Inner[static_cast<size_t>(k)][static_cast<size_t>(l)];
      auto &wall = walls.Wall[static_cast<size_t>(k)][static_cast<size_t>(l)];
      const int reach = (box.Bottom - box.Top) / 4;
      if (const int top = CageLineNear(darkness, box.Top + 1, 1, reach, threshold, origin); top >= 0) {
        wall[1] = true;
        inner.Top = top + 1;
      }
      if (const int bottom = CageLineNear(darkness, box.Bottom - 1, -1, reach, threshold, origin);
          bottom >= 0) {
        wall[3] = true;
        inner.Bottom = bottom - 1;
      }
    }
  }
  return walls;
}

int FindRoot(std::vector<int> &parent, int cell) {
  while (parent[static_cast<size_t>(cell)] != cell)
    cell = parent[static_cast<size_t>(cell)] = parent[static_cast<size_t>(parent[static_cast<size_t>(cell)])];
  return cell;
}

// Cells joined to their left and upper neighbours where no wall parts them; the sum read in
// each cage's first cell.
int BuildCages(ScanState &s, const CageWalls &walls, GlyphReading &reading) {
  const int w = s.Across;
  std::vector<int> parent(static_cast<size_t>(w * s.Down));
  std::iota(parent.begin(), parent.end(), 0);
  const auto wall = [&](int k, int l, int side) {
    return walls.Wall[static_cast<size_t>(k)][static_cast<size_t>(l)][static_cast<size_t>(side)];
  };
  for (int l = 0; l < s.Down; ++l)
    for (int k = 0; k < w; ++k) {
      const int cell = l * w + k;
      if (k > 0 && !wall(k, l, 0) && !wall(k - 1, l, 2))
        parent[static_cast<size_t>(FindRoot(parent, cell))] = FindRoot(parent, cell - 1);
      if (l > 0 && !wall(k, l, 1) && !wall(k, l - 1, 3))
        parent[static_cast<size_t>(FindRoot(parent, cell))] = FindRoot(parent, cell - w);
    }
  s.Cages.clear();
  std::vector<int> cageOfRoot(parent.size(), -1);
  for (int cell = 0; cell < w * s.Down; ++cell) {
    const int root = FindRoot(parent, cell);
    int &cage = cageOfRoot[static_cast<size_t>(root)];
    if (cage < 0) {
      if (static_cast<int>(s.Cages.size()) >= kMostCages)
        continue;
      cage = static_cast<int>(s.Cages.size());
      s.Cages.emplace_back();
    }
    ScanCage &target = s.Cages[static_cast<size_t>(cage)];
    if (static_cast<int>(target.Cells.size()) < kMostCageCells) // a wider merge keeps its first ten
      target.Cells.push_back(cell);
  }
  for (ScanCage &cage : s.Cages) {
    const int first = cage.Cells.front();
    const int k = first % w;
    const int l = first / w;
    int sum = ReadCageSum(reading, walls.Inner[static_cast<size_t>(k)][static_cast<size_t>(l)], k, l);
    if (sum == kCellCancelled)
      return kCellCancelled;
    while (sum > 50)
      sum /= 10;
    cage.Sum = std::max(sum, 0);
  }
  return 0;
}

// Every cell, row by row; in a cage grid inside the cage lines, and not the cells that hold a
// cage's sum.
int ReadAllCells(ScanState &s, GlyphReading &reading, int columns, int rows,
                 const CageWalls *walls = nullptr) {
  std::vector<bool> sumCell(static_cast<size_t>(columns * rows), false);
  if (walls)
    for (const ScanCage &cage : s.Cages)
      if (cage.Cells.front() < columns * rows)
        sumCell[static_cast<size_t>(cage.Cells.front())] = true;
  for (int l = 0; l < rows; ++l)
    for (int k = 0; k < columns; ++k) {
      if (sumCell[static_cast<size_t>(l * columns + k)])
        continue;
      const CellBox box =
          walls ? walls->Inner[static_cast<size_t>(k)][static_cast<size_t>(l)] : CellAt(s, k, l);
      const int value = ReadCellNumber(reading, box, k, l);
      if (value == kCellCancelled)
        return kCellCancelled;
      s.Values[static_cast<size_t>(k)][static_cast<size_t>(l)] = std::max(value, 0);
    }
  return 0;
}

GlyphReading ReadingOf(ScanState &s, ScanOptions &options, ValueAsker &asker) {
  return GlyphReading{s.Image, s.Darkest, s.Brightest, options.GridLevel, s.Dictionary, asker, false};
}

} // namespace

void ComputeProfiles(ScanState &s, const CPicture &picture) {
  s.Image = GreyImageOf(picture);
  s.Darkest = 255;
  s.Brightest = 0;
  s.ColumnProfile.fill(0);
  s.RowProfile.fill(0);
  for (int y = 0; y < s.Image.Height; ++y)
    for (int x = 0; x < s.Image.Width; ++x) {
      const int grey = s.Image.At(x, y);
      s.ColumnProfile[static_cast<size_t>(x)] += grey;
      s.RowProfile[static_cast<size_t>(y)] += grey;
      s.Darkest = std::min(s.Darkest, grey);
      s.Brightest = std::max(s.Brightest, grey);
    }
  for (int x = 0; x < s.Image.Width; ++x)
    s.ColumnProfile[static_cast<size_t>(x)] /= s.Image.Height;
  for (int y = 0; y < s.Image.Height; ++y)
    s.RowProfile[static_cast<size_t>(y)] /= s.Image.Width;
}

bool DetectGrid(ScanState &s) {
  ProfileRange(s.Image.Width, s.ColumnProfile, s.ColumnMin, s.ColumnMax);
  ProfileRange(s.Image.Height, s.RowProfile, s.RowMin, s.RowMax);
  s.Across = s.Down = 0;
  for (int c = 20; c <= 80; c += 5) {
    const Thresholds t = ThresholdsAt(s, c);
    std::vector<int32_t> vertical = RunMiddles(s.ColumnProfile, s.Image.Width, t.Column, true);
    std::vector<int32_t> horizontal = RunMiddles(s.RowProfile, s.Image.Height, t.Row, true);
    const int across = static_cast<int>(vertical.size()) - 1;
    const int down = static_cast<int>(horizontal.size()) - 1;
    if (across < 1 || down < 1 || across != down || !IsGridSide(across) || !EvenlySpaced(vertical) ||
        !EvenlySpaced(horizontal))
      continue;
    s.ColumnThreshold = t.Column;
    s.RowThreshold = t.Row;
    s.VerticalLines = std::move(vertical);
    s.HorizontalLines = std::move(horizontal);
    s.Across = across;
    s.Down = down;
    CellRectanglesFromLines(s);
    return true;
  }
  return false;
}

bool DetectStrips(ScanState &s) {
  ProfileRange(s.Image.Width, s.ColumnProfile, s.ColumnMin, s.ColumnMax);
  ProfileRange(s.Image.Height, s.RowProfile, s.RowMin, s.RowMax);
  s.Across = s.Down = 0;
  s.Normal = true;
  s.Cage = s.Irregular = false;
  // A strip drawn with its grid lines: the lines, evenly spaced, whatever their counts. The
  // darkest threshold first: in a single row, the digits sit evenly between the lines.
  for (int c = 80; c >= 20; c -= 5) {
    const Thresholds t = ThresholdsAt(s, c);
    std::vector<int32_t> vertical = RunMiddles(s.ColumnProfile, s.Image.Width, t.Column, true);
    std::vector<int32_t> horizontal = RunMiddles(s.RowProfile, s.Image.Height, t.Row, true);
    if (!EvenlySpaced(vertical) || !EvenlySpaced(horizontal))
      continue;
    vertical.resize(std::min<size_t>(vertical.size(), kMostScanCells + 1));
    horizontal.resize(std::min<size_t>(horizontal.size(), kMostScanCells + 1));
    s.ColumnThreshold = t.Column;
    s.RowThreshold = t.Row;
    s.VerticalLines = std::move(vertical);
    s.HorizontalLines = std::move(horizontal);
    s.Across = static_cast<int>(s.VerticalLines.size()) - 1;
    s.Down = static_cast<int>(s.HorizontalLines.size()) - 1;
    CellRectanglesFromLines(s);
    return true;
  }
  // Else the bright cell interiors, each run a cell.
  s.ColumnThreshold = s.ColumnMax - 5;
  s.RowThreshold = s.RowMax - 5;
  std::vector<std::pair<int, int>> columns;
  std::vector<std::pair<int, int>> rows;
  const std::vector<int32_t> across =
      RunMiddles(s.ColumnProfile, s.Image.Width, s.ColumnThreshold, false, &columns);
  const std::vector<int32_t> down = RunMiddles(s.RowProfile, s.Image.Height, s.RowThreshold, false, &rows);
  if (across.empty() || down.empty() || (across.size() > 1 && !EvenlySpaced(across)) ||
      (down.size() > 1 && !EvenlySpaced(down)))
    return false;
  s.Across = std::min<int>(static_cast<int>(columns.size()), kMostScanCells);
  s.Down = std::min<int>(static_cast<int>(rows.size()), kMostScanCells);
  for (int k = 0; k < s.Across; ++k)
    for (int l = 0; l < s.Down; ++l)
      s.Cells[static_cast<size_t>(k)][static_cast<size_t>(l)] = {
          columns[static_cast<size_t>(k)].first, rows[static_cast<size_t>(l)].first,
          columns[static_cast<size_t>(k)].second, rows[static_cast<size_t>(l)].second};
  return true;
}

void ClassifyGrid(ScanState &s, int autoScan) {
  const SideCounts sides = CountSides(s);
  int total = 0;
  for (int l = 0; l < s.Down; ++l)
    for (int k = 1; k < s.Across; ++k)
      total += std::abs(sides.Top[static_cast<size_t>(k)][static_cast<size_t>(l)] -
                        sides.Top[static_cast<size_t>(k - 1)][static_cast<size_t>(l)]);
  s.Irregular = total / std::max(1, s.Across) >= 6;
  int span = 0;
  const int centre = InkCentre(s, span);
  s.Normal = !(centre < span / 4 || s.Irregular);
  s.Cage = false;
  if (s.ColumnMax > 0 && static_cast<double>(s.ColumnThreshold) / s.ColumnMax < 0.35) {
    s.Cage = true;
    s.Normal = false;
  }
  switch (autoScan) {
  case 1:
    s.Normal = true;
    break;
  case 2:
    s.Normal = false;
    s.Irregular = true;
    s.Cage = false;
    break;
  case 3:
    s.Normal = false;
    s.Irregular = false;
    s.Cage = true;
    break;
  default:
    break;
  }
  if (s.Normal)
    s.Cage = s.Irregular = false;
}

ScanResult ScanWholeGrid(ScanState &s, const CPicture &picture, ScanOptions &options, ValueAsker &asker) {
  for (auto &column : s.Values)
    column.fill(0);
  s.Cages.clear();
  s.Regions.clear();
  ComputeProfiles(s, picture);
  if (!DetectGrid(s))
    return ScanResult::NotAGrid;
  ClassifyGrid(s, options.AutoScan);
  GlyphReading reading = ReadingOf(s, options, asker);
  int outcome = 0;
  if (s.Irregular) {
    if (!NumberRegions(s, CountSides(s))) {
      // Regions that are not one per value cannot be the grid's blocks: read it as a normal grid.
      s.Regions.clear();
      s.Irregular = false;
      s.Normal = true;
    }
  }
  if (s.Cage) {
    const CageWalls walls = FindCageWalls(s);
    outcome = BuildCages(s, walls, reading);
    if (outcome != kCellCancelled)
      outcome = ReadAllCells(s, reading, s.Across, s.Down, &walls);
  } else {
    outcome = ReadAllCells(s, reading, s.Across, s.Down);
  }
  options.GridLevel = reading.GridLevel;
  return outcome == kCellCancelled ? ScanResult::Cancelled : ScanResult::Read;
}

ScanResult ScanStrip(ScanState &s, const CPicture &picture, StripMode mode, ScanOptions &options,
                     ValueAsker &asker) {
  for (auto &column : s.Values)
    column.fill(0);
  ComputeProfiles(s, picture);
  if (!DetectGrid(s) && !DetectStrips(s))
    return ScanResult::NotAGrid;
  s.Normal = true;
  s.Cage = s.Irregular = false;
  GlyphReading reading = ReadingOf(s, options, asker);
  const int columns = mode == StripMode::Column ? 1 : s.Across;
  const int rows = mode == StripMode::Line ? 1 : s.Down;
  const int outcome = ReadAllCells(s, reading, columns, rows);
  options.GridLevel = reading.GridLevel;
  return outcome == kCellCancelled ? ScanResult::Cancelled : ScanResult::Read;
}

std::string ScanTextGrid(const ScanState &s) {
  std::string text = "Quorbel Mode Texte\r\n" + std::to_string(s.Across) + "\r\n;Start Save Grid1\r\n";
  for (int l = 0; l < s.Down; ++l)
    for (int k = 0; k < s.Across; ++k)
      text += std::to_string(s.Values[static_cast<size_t>(k)][static_cast<size_t>(l)]) + "\r\n";
  text += ";Start Save Varient\r\n";
  for (const ScanCage &cage : s.Cages) {
    text.append("K").append(std::to_string(cage.Sum));
    for (const int cell : cage.Cells)
      text.append(";").append(std::to_string(cell));
    text += "\r\n";
  }
  // Regions read unequal make no layout: the grid goes without them rather than be refused.
  bool layout =
      s.Irregular && s.Across == s.Down && s.Regions.size() == static_cast<size_t>(s.Across * s.Down);
  for (int region = 0; layout && region < s.Across; ++region)
    layout = std::count(s.Regions.begin(), s.Regions.end(), region) == s.Across;
  if (layout) {
    for (int region = 0; region < s.Across; ++region) {
      text.append("B").append(std::to_string(region));
      for (size_t cell = 0; cell < s.Regions.size(); ++cell)
        if (s.Regions[cell] == region)
          text.append(";").append(std::to_string(cell));
      text += "\r\n";
    }
  }
  return text;
}

std::vector<StripPlacement> PlaceStrip(const ScanState &s, StripMode mode, int row, int column, int width) {
  std::vector<StripPlacement> placed;
  if (width <= 0)
    return placed;
  const int columns = mode == StripMode::Column ? 1 : s.Across;
  const int rows = mode == StripMode::Line ? 1 : s.Down;
  for (int l = 0; l < rows; ++l)
    for (int k = 0; k < columns; ++k) {
      const int value = s.Values[static_cast<size_t>(k)][static_cast<size_t>(l)];
      // A misread above the width would clear the cell: only real values are placed.
      if (value >= 1 && value <= width)
        placed.push_back({(row + l) % width, (column + k) % width, value});
    }
  return placed;
}

} // namespace quorbel
