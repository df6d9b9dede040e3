#include "engine/group_rules.h"

#include <algorithm>
#include <array>
#include <bit>

#include "engine/cell_image.h"
#include "engine/engine_context.h"
#include "engine/grid_record.h"
#include "engine/grid_set.h"
#include "engine/group_editors.h"
#include "engine/host.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"

namespace quorbel {

namespace {

// The centre's neighbours up, right, down, left; -1 off the grid.
// The value rotation `r` puts at neighbour `d`: the neighbour r takes the first value.
int WheelValue(const WheelClue &wheel, int rotation, int d) {
  return wheel.Values[static_cast<size_t>((d - rotation + 4) % 4)];
}

// One row, column or block, or one diagonal or extra region in use.
bool SameUnit(const GridGeometry &geo, const GridRecord &grid, int a, int b) {
  if (geo.RowOfCell[a] == geo.RowOfCell[b] || geo.ColOfCell[a] == geo.ColOfCell[b] ||
      grid.BlockOfCell[a] == grid.BlockOfCell[b])
    return true;
  for (int region = 0; region < 4; ++region)
    if (RegionUnitInUse(grid, region) && grid.RegionMark[region][a] >= 0 && grid.RegionMark[region][b] >= 0)
      return true;
  return false;
}

} // namespace

void CheckWheel(const GridGeometry &geo, GridRecord &grid, int i) {
  const WheelClue &wheel = grid.Lists.Wheels.Items[static_cast<size_t>(i)];
  if (wheel.Centre < 0 || wheel.Centre >= geo.NCells)
    return;
  const std::array<int, 4> cells = WheelCells(geo, wheel.Centre);
  bool anyFilled = false;
  for (int c : cells)
    anyFilled = anyFilled || (c >= 0 && IsFilled(grid.Cells[c]));
  auto flag = [&](int index) { grid.Work.WheelConflict[static_cast<size_t>(index)] = 1; };
  if (anyFilled) {
    for (int rotation = 0; rotation < 4; ++rotation) {
      bool fits = true;
      for (int d = 0; d < 4 && fits; ++d)
        fits = cells[d] < 0 || !IsFilled(grid.Cells[cells[d]]) ||
               grid.Cells[cells[d]].Value == WheelValue(wheel, rotation, d);
      if (fits)
        return;
    }
    flag(i);
    for (int c : cells)
      if (c >= 0)
        grid.Cells[c].Check = kCheckConflict;
    return;
  }
  // Nothing placed yet: at their rotations the wheels must not clash with one another.
  const auto &wheels = grid.Lists.Wheels;
  for (int j = 0; j < wheels.Size(); ++j) {
    const WheelClue &other = wheels.Items[static_cast<size_t>(j)];
    if (j == i || other.Centre < 0 || other.Centre >= geo.NCells)
      continue;
    const std::array<int, 4> around = WheelCells(geo, other.Centre);
    bool clash = false;
    for (int d = 0; d < 4 && !clash; ++d)
      for (int e = 0; e < 4 && !clash; ++e) {
        if (cells[d] < 0 || around[e] < 0)
          continue;
        const int a = WheelValue(wheel, wheel.Rotation, d);
        const int b = WheelValue(other, other.Rotation, e);
        clash = (cells[d] == around[e] && a != b) ||
                (cells[d] != around[e] && a == b && SameUnit(geo, grid, cells[d], around[e]));
      }
    if (clash) {
      flag(i);
      flag(j);
    }
  }
}

int FilterWheel(const GridGeometry &geo, GridRecord &grid, int i) {
  const WheelClue &wheel = grid.Lists.Wheels.Items[static_cast<size_t>(i)];
  if (wheel.Centre < 0 || wheel.Centre >= geo.NCells)
    return 0;
  const std::array<int, 4> cells = WheelCells(geo, wheel.Centre);
  int rotation = -1;
  for (int d = 0; d < 4 && rotation < 0; ++d) {
    if (cells[d] < 0 || !IsFilled(grid.Cells[cells[d]]))
      continue;
    const int v = grid.Cells[cells[d]].Value;
    if (std::count(wheel.Values.begin(), wheel.Values.end(), v) != 1)
      continue;
    const int k =
        static_cast<int>(std::find(wheel.Values.begin(), wheel.Values.end(), v) - wheel.Values.begin());
    rotation = (d - k + 4) % 4;
  }
  uint32_t all = 0;
  for (int16_t v : wheel.Values)
    all |= ValueBit(v);
  int changed = 0;
  for (int d = 0; d < 4; ++d) {
    if (cells[d] < 0 || !IsOpen(grid.Cells[cells[d]]))
      continue;
    changed |= AndPoss(grid.Cells[cells[d]], rotation >= 0 ? ValueBit(WheelValue(wheel, rotation, d)) : all);
  }
  return changed;
}

namespace {

// A guess line's marked cells, one per code position; -1 where the line points off the grid.
std::array<int, 16> MarkedCells(const GridGeometry &geo, const MasterMindClue &mind,
                                const MasterMindGuess &line) {
  std::array<int, 16> cells;
  cells.fill(-1);
  const int w = geo.GridWidth;
  for (int m = 0; m < std::min<int>(mind.CodeLength, 16); ++m) {
    const int col = line.Columns[static_cast<size_t>(m)];
    if (line.Row >= 0 && line.Row < w && col >= 0 && col < w)
      cells[static_cast<size_t>(m)] = line.Row * w + col;
  }
  return cells;
}

} // namespace

void CheckMasterMind(const GridGeometry &geo, GridRecord &grid, int i) {
  const MasterMindClue &mind = grid.Lists.MasterMind;
  const MasterMindGuess &line = mind.Lines.Items[static_cast<size_t>(i)];
  grid.Work.MasterMindConflict[static_cast<size_t>(i)] = 0;
  const int length = std::clamp<int>(mind.CodeLength, 0, 16);
  const std::array<int, 16> cells = MarkedCells(geo, mind, line);
  int black = 0;
  int white = 0;
  bool complete = true;
  for (int m = 0; m < length; ++m) {
    const int c = cells[static_cast<size_t>(m)];
    if (c < 0)
      continue;
    const CellRecord &cell = grid.Cells[c];
    if (!IsFilled(cell)) {
      complete = false;
      continue;
    }
    if (cell.Value == mind.Code[static_cast<size_t>(m)]) {
      ++black;
      continue;
    }
    for (int p = 0; p < length; ++p)
      white += p != m && mind.Code[static_cast<size_t>(p)] == cell.Value ? 1 : 0;
  }
  const bool conflict =
      complete ? black != line.Black || white != line.White : black > line.Black || white > line.White;
  if (!conflict)
    return;
  grid.Work.MasterMindConflict[static_cast<size_t>(i)] = 1;
  for (int m = 0; m < length; ++m) {
    const int c = cells[static_cast<size_t>(m)];
    if (c >= 0 && IsFilled(grid.Cells[c]) && grid.Cells[c].Status != kStatusFixed)
      grid.Cells[c].Check = kCheckConflict;
  }
}

int FilterMasterMind(const GridGeometry &geo, GridRecord &grid, int i) {
  const MasterMindClue &mind = grid.Lists.MasterMind;
  const MasterMindGuess &line = mind.Lines.Items[static_cast<size_t>(i)];
  const int w = geo.GridWidth;
  const int length = std::clamp<int>(mind.CodeLength, 0, 16);
  if (line.Row < 0 || line.Row >= w)
    return 0;
  const std::array<int, 16> marked = MarkedCells(geo, mind, line);
  std::array<bool, 16> isMarked{};
  uint32_t code = 0;
  for (int m = 0; m < length; ++m) {
    code |= ValueBit(mind.Code[static_cast<size_t>(m)]);
    if (marked[static_cast<size_t>(m)] >= 0)
      isMarked[static_cast<size_t>(geo.ColOfCell[marked[static_cast<size_t>(m)]])] = true;
  }
  const int B = line.Black;
  const int W = line.White;
  // The counts, taken once.
  int O = 0, Oc = 0, P = 0, K = 0, Kb = 0, Kw = 0, Pb = 0, Pw = 0;
  uint32_t U = 0;
  for (int col = 0; col < w; ++col) {
    if (isMarked[static_cast<size_t>(col)])
      continue;
    const CellRecord &cell = grid.Cells[line.Row * w + col];
    if (IsOpen(cell)) {
      ++O;
      Oc += (cell.ThePoss & code) != 0 ? 1 : 0;
      U |= cell.ThePoss & code;
    } else {
      for (int m = 0; m < length; ++m)
        P += mind.Code[static_cast<size_t>(m)] == cell.Value ? 1 : 0;
    }
  }
  for (int m = 0; m < length; ++m) {
    const int c = marked[static_cast<size_t>(m)];
    if (c < 0)
      continue;
    const CellRecord &cell = grid.Cells[c];
    const uint32_t own = ValueBit(mind.Code[static_cast<size_t>(m)]);
    if (cell.Status >= kStatusConflict) {
      ++K;
      Kb += (cell.ThePoss & own) != 0 ? 1 : 0;
      Kw += (cell.ThePoss & code & ~own) != 0 ? 1 : 0;
    } else if (cell.Value == mind.Code[static_cast<size_t>(m)]) {
      ++Pb;
    } else if ((ValueBit(cell.Value) & code) != 0) {
      ++Pw;
    }
  }
  const int R = length - B - W - P;
  int changed = 0;
  auto narrow = [&](CellRecord &cell, uint32_t keep) { changed |= AndPoss(cell, keep); };
  auto forMarked = [&](auto step) {
    for (int m = 0; m < length; ++m)
      if (marked[static_cast<size_t>(m)] >= 0)
        step(grid.Cells[marked[static_cast<size_t>(m)]], ValueBit(mind.Code[static_cast<size_t>(m)]));
  };
  auto forUnmarked = [&](auto step) {
    for (int col = 0; col < w; ++col)
      if (!isMarked[static_cast<size_t>(col)])
        step(grid.Cells[line.Row * w + col]);
  };
  if (B == 0)
    forMarked([&](CellRecord &cell, uint32_t own) { narrow(cell, ~own); });
  if (W == 0)
    forMarked([&](CellRecord &cell, uint32_t own) { narrow(cell, ~code | own); });
  if (K == B + W - Pw - Pb && K != 0)
    forMarked([&](CellRecord &cell, uint32_t) {
      if ((cell.ThePoss & code) != 0)
        narrow(cell, code);
    });
  if (O == R && O != 0)
    forUnmarked([&](CellRecord &cell) { narrow(cell, code); });
  if (R == 0)
    forUnmarked([&](CellRecord &cell) { narrow(cell, ~code); });
  if (Kb == B - Pb && Kb != 0)
    forMarked([&](CellRecord &cell, uint32_t own) {
      if ((cell.ThePoss & own) != 0)
        narrow(cell, own);
    });
  if (Oc == R && Oc != 0)
    forUnmarked([&](CellRecord &cell) {
      if ((cell.ThePoss & code) != 0)
        narrow(cell, U);
    });
  if (Kw == W - Pw - Pb && Kw != 0)
    forMarked([&](CellRecord &cell, uint32_t own) {
      if ((cell.ThePoss & code) != 0 && (cell.ThePoss & own) == 0)
        narrow(cell, code);
    });
  return changed;
}

void SaveMagicSentence(EngineContext &ctx, GridRecord &grid) {
  MagicSentenceClue &sentence = grid.Lists.MagicSentence;
  const int n = std::clamp<int>(sentence.NCells, 0, 26);
  if (n == 0)
    return;
  const GridRecord &solution = GetRefTab(ctx.Grids, grid);
  const CellRef first = sentence.Cells[0];
  if (first < 0 || static_cast<size_t>(first) >= solution.Cells.size() ||
      sentence.SavedValues[0] == solution.Cells[first].Value)
    return;
  grid.Work.MagicSentenceState = 1;
  for (int k = 0; k < n; ++k) {
    const CellRef c = sentence.Cells[static_cast<size_t>(k)];
    if (c < 0 || static_cast<size_t>(c) >= solution.Cells.size() || !IsFilled(solution.Cells[c])) {
      sentence.SavedValues[0] = -1; // the solution does not know it: nothing to hold the cells to
      return;
    }
    sentence.SavedValues[static_cast<size_t>(k)] = static_cast<int16_t>(solution.Cells[c].Value);
  }
}

int CheckMagicSentence(EngineContext &ctx, GridRecord &grid) {
  SaveMagicSentence(ctx, grid);
  const MagicSentenceClue &sentence = grid.Lists.MagicSentence;
  if (sentence.SavedValues[0] == -1)
    return 1;
  int8_t &state = grid.Work.MagicSentenceState;
  state = 1;
  for (int k = 0; k < std::clamp<int>(sentence.NCells, 0, 26); ++k) {
    const CellRef c = sentence.Cells[static_cast<size_t>(k)];
    if (c < 0 || c >= ctx.Geo.NCells)
      continue;
    const CellRecord &cell = grid.Cells[c];
    if (!IsFilled(cell)) {
      state = 0;
      return state;
    }
    if (cell.Value != sentence.SavedValues[static_cast<size_t>(k)]) {
      state = 2;
      grid.State = kGridContradiction;
    }
  }
  return state;
}

int AnimateMagicSentence(EngineContext &ctx, GridRecord &grid) {
  MagicSentenceClue &sentence = grid.Lists.MagicSentence;
  if (!Meets(grid.GridVar, kVarMagicSentence) || sentence.Shown == 1 || grid.Work.MagicSentenceState != 1)
    return 0;
  constexpr int kLoops = 3;
  for (int k = 0; k < std::clamp<int>(sentence.NCells, 0, 26); ++k)
    if (const int cell = sentence.Cells[static_cast<size_t>(k)]; cell >= 0 && cell < ctx.Geo.NCells)
      ctx.Host->StartCellAnimation(grid, cell, kValuePicture, kAnimCountedLoops, kLoops);
  sentence.Shown = 1;
  return 1;
}

void AnimateMagicSentences(EngineContext &ctx) {
  for (int slot = 0; slot < std::clamp(ctx.Grids.MainCount, 0, kMaxGrids); ++slot)
    AnimateMagicSentence(ctx, ctx.Grids.Main[static_cast<size_t>(slot)]);
}

} // namespace quorbel
