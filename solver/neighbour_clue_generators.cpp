// Clue generators of the neighbourhood rules: Navigator arrows pointing at the line beside a
// cell where its value stands again, and up to two chess figures tried on a copy of the solution.
#include <array>
#include <memory>

#include "engine/chess_rules.h"
#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/navigator_rules.h"
#include "engine/neighbour_editors.h"
#include "engine/propagate.h"
#include "platform/random.h"
#include "solver/clue_generator_family.h"

namespace quorbel {

namespace {

constexpr int kNavigatorFailures = 100;
constexpr int kWhiteRook = kRook + kChessKinds; // never placed: it attacks its whole lines
constexpr int kMostFigures = 2;

} // namespace

int ChooseNavigatorDirection(const ClueJob &job, int cell, int &flag) {
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  const int r = geo.RowOfCell[cell];
  const int c = geo.ColOfCell[cell];
  const int v = job.SolutionValue(cell);
  flag = job.IsGiven(cell) ? 1 : 0;
  // The row above, the column to the right, the row below, the column to the left: the cell of
  // each that holds v, its direction and the length of its walk.
  struct Candidate {
    int Direction = -1;
    int Length = 0;
    int Target = -1;
  };
  std::array<Candidate, 4> lines{};
  for (int line = 0; line < 4; ++line) {
    const bool row = line % 2 == 0;
    const int fixed = line == 0 ? r - 1 : line == 1 ? c + 1 : line == 2 ? r + 1 : c - 1;
    if (fixed < 0 || fixed >= w)
      continue;
    for (int k = 0; k < w; ++k) {
      const int at = row ? fixed * w + k : k * w + fixed;
      if (job.SolutionValue(at) != v)
        continue;
      const bool forward = row ? k > c : k > r; // right of the cell, or below it
      const int direction = 4 + 2 * line + (forward ? 1 : 0);
      const int length = row ? (forward ? w - c - 1 : c) : (forward ? w - r - 1 : r);
      lines[static_cast<size_t>(line)] = {direction, length, at};
    }
  }
  int chosen = -1;
  for (int line = 0; line < 4; ++line)
    if (lines[static_cast<size_t>(line)].Direction >= 0 &&
        (chosen < 0 || lines[static_cast<size_t>(line)].Length < lines[static_cast<size_t>(chosen)].Length))
      chosen = line;
  if (const int draw = RandomBelow(job.Random(), 10);
      draw < 4 && lines[static_cast<size_t>(draw)].Direction >= 0)
    chosen = draw;
  if (chosen < 0)
    return -1;
  const Candidate &pick = lines[static_cast<size_t>(chosen)];
  if (job.IsGiven(pick.Target))
    ++flag;
  return flag == 2 ? -1 : pick.Direction;
}

int GenerateNavigatorArrows(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  return SpendClueBudget(job, kNavigatorFailures, [&](int) {
    const int cell = RandomBelow(job.Random(), geo.NCells - 2 * w) + w;
    int flag = 0;
    const int direction = ChooseNavigatorDirection(job, cell, flag);
    const int column = geo.ColOfCell[cell];
    if (direction < 0 || column == 0 || column == w - 1 || FindNavigatorItem(geo, job.Grid, cell) >= 0)
      return 0;
    return ToggleNavigatorItem(job.Grid, cell, direction) == 1 ? 1 : 0;
  });
}

int GenerateChessFigures(const ClueJob &job) {
  EngineContext &ctx = job.Ctx;
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  // The figures offered: the black ones, all twelve, or the white ones.
  const int set = RandomBelow(job.Random(), 3);
  const int first = set == 0 ? 0 : set == 2 ? kChessKinds : 0;
  const int size = set == 1 ? kChessFigures : kChessKinds;
  const int start = set == 0   ? RandomBelow(job.Random(), 6)
                    : set == 1 ? RandomBelow(job.Random(), 12)
                               : RandomBelow(job.Random(), 6) + 6;
  int budget = job.Budget();
  auto scratch = std::make_unique<GridRecord>();
  CopyGrid(ctx, *scratch, &job.Solution, 0);
  const int passes = set == 1 ? 2 : 1;
  int placed = 0;
  auto result = [&] { return job.CountUsed(budget); };
  for (int pass = 0; pass < passes; ++pass)
    for (int k = 1; k <= w; ++k) {
      const int row = RandomBelow(job.Random(), w);
      int cell = -1;
      for (int col = 0; col < w && cell < 0; ++col)
        if (scratch->Cells[row * w + col].Value == k)
          cell = row * w + col;
      if (cell < 0)
        continue;
      for (int offer = 0; offer < size; ++offer) {
        const int figure = first + (start - first + offer) % size;
        if (figure == kWhiteRook)
          continue;
        const int kind = figure % kChessKinds;
        const int colour = figure / kChessKinds;
        ToggleChessPiece(geo, *scratch, kind, cell, colour);
        scratch->GridVar |= kVarChess;
        Propagate(ctx, *scratch, kFilterAlways, 0);
        if (scratch->State == kGridContradiction) {
          ToggleChessPiece(geo, *scratch, -2, cell, 0);
          continue;
        }
        ToggleChessPiece(geo, job.Grid, kind, cell, colour);
        budget -= w / 2;
        if (budget < 0)
          return job.Count;
        if (++placed == kMostFigures)
          return result();
        break;
      }
    }
  return result();
}

} // namespace quorbel
