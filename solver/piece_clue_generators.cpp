// Clue generators that build whole pieces rather than single clues: the Puzzle pieces grown as
// chains of neighbours, the Tiled pieces cut one per block, and the Battle Ship fleet laid as
// straight boats that never touch.
#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "engine/boat_marks.h"
#include "engine/digit_tables.h"
#include "engine/engine_context.h"
#include "engine/geometry.h"
#include "engine/puzzle_pieces.h"
#include "platform/random.h"
#include "solver/clue_generator_family.h"

namespace quorbel {

namespace {

constexpr int kPuzzleFailures = 100;
constexpr int kFleetFailures = 20;
constexpr int kMostGivensInPiece = 2;

struct Step {
  int Cols;
  int Rows;
};
constexpr auto kSteps = std::to_array<Step>({{0, -1}, {0, 1}, {-1, 0}, {1, 0}}); // up, down, left, right

// The cell one step away, -1 off the grid.
int Neighbour(const GridGeometry &geo, int cell, Step step, int times = 1) {
  const int col = cell % geo.NCols + step.Cols * times;
  const int row = cell / geo.NCols + step.Rows * times;
  if (col < 0 || col >= geo.NCols || row < 0 || row >= geo.NRows)
    return -1;
  return row * geo.NCols + col;
}

// The four directions drawn without repeat.
std::array<int, 4> DrawDirections(Random15 &random) {
  std::array<int, 4> left = {0, 1, 2, 3};
  std::array<int, 4> drawn{};
  for (int n = 4; n > 0; --n) {
    const int k = RandomBelow(random, n);
    drawn[static_cast<size_t>(4 - n)] = left[static_cast<size_t>(k)];
    left[static_cast<size_t>(k)] = left[static_cast<size_t>(n - 1)];
  }
  return drawn;
}

PuzzlePiece StartPiece(const ClueJob &job, int start) {
  PuzzlePiece piece;
  piece.Cells.fill(-1);
  piece.NCells = 1;
  piece.Cells[0] = static_cast<CellRef>(start);
  piece.Digits[0] = static_cast<int16_t>(job.SolutionValue(start));
  return piece;
}

void AddPieceCell(const ClueJob &job, PuzzlePiece &piece, int cell) {
  piece.Cells[static_cast<size_t>(piece.NCells)] = static_cast<CellRef>(cell);
  piece.Digits[static_cast<size_t>(piece.NCells)] = static_cast<int16_t>(job.SolutionValue(cell));
  ++piece.NCells;
}

bool Holds(const PuzzlePiece &piece, int cell) {
  return std::find(piece.Cells.begin(), piece.Cells.begin() + piece.NCells, cell) !=
         piece.Cells.begin() + piece.NCells;
}

// The places on the solution where the piece's digits all show, unturned and, when it may turn,
// in its other three quarter turns. Its own place always counts.
int PiecePlacesOnSolution(const ClueJob &job, const PuzzlePiece &piece, bool turns) {
  const GridGeometry &geo = job.Geo();
  const int firstCol = piece.Cells[0] % geo.NCols;
  const int firstRow = piece.Cells[0] / geo.NCols;
  int places = 0;
  for (int origin = 0; origin < geo.NCells; ++origin) {
    if (job.SolutionValue(origin) != piece.Digits[0])
      continue;
    for (int turn = 0; turn < (turns ? 4 : 1); ++turn) {
      bool fits = true;
      for (int k = 0; k < piece.NCells && fits; ++k) {
        const int dc = piece.Cells[static_cast<size_t>(k)] % geo.NCols - firstCol;
        const int dr = piece.Cells[static_cast<size_t>(k)] / geo.NCols - firstRow;
        // (dc, dr) turned to (dr, -dc), (-dc, -dr) and (-dr, dc).
        const auto [x, y] = RotateCoords((4 - turn) % 4, dc, dr);
        const int col = origin % geo.NCols + x;
        const int row = origin / geo.NCols + y;
        fits = col >= 0 && col < geo.NCols && row >= 0 && row < geo.NRows &&
               job.SolutionValue(row * geo.NCols + col) == piece.Digits[static_cast<size_t>(k)];
      }
      places += fits ? 1 : 0;
    }
  }
  return places;
}

void AcceptPiece(GridRecord &grid, PuzzlePiece piece) {
  if (piece.NCells < kMaxPieceDigits)
    piece.Cells[static_cast<size_t>(piece.NCells)] = -1;
  piece.AnchorRow = piece.AnchorCol = 0;
  piece.MarkedCell = -1;
  piece.Placed = piece.Found = 0;
  grid.Lists.Pieces.Append(piece);
}

// The fleet of a grid's width, boat lengths in placing order.
std::span<const int> FleetOf(int width) {
  static constexpr int k4[] = {2, 1, 1};
  static constexpr int k6[] = {3, 2, 2, 1, 1, 1};
  static constexpr int k8[] = {4, 3, 2, 2, 1, 1, 1};
  static constexpr int k9[] = {4, 3, 3, 2, 2, 2, 1, 1, 1, 1};
  static constexpr int k12[] = {5, 4, 4, 3, 3, 3, 2, 2, 2, 1, 1, 1, 1};
  static constexpr int k16[] = {6, 5, 5, 4, 4, 3, 3, 3, 2, 2, 2, 1, 1, 1, 1};
  if (width >= 16)
    return k16;
  if (width >= 12)
    return k12;
  if (width >= 9)
    return k9;
  if (width >= 8)
    return k8;
  if (width >= 6)
    return k6;
  return k4;
}

// The boat's digits read in order along a straight line from this many cells of the solution.
int BoatReadings(const ClueJob &job, const PuzzlePiece &boat) {
  const GridGeometry &geo = job.Geo();
  int readings = 0;
  for (int start = 0; start < geo.NCells; ++start)
    for (const Step step : kSteps) {
      bool reads = true;
      for (int k = 0; k < boat.NCells && reads; ++k) {
        const int cell = Neighbour(geo, start, step, k);
        reads = cell >= 0 && job.SolutionValue(cell) == boat.Digits[static_cast<size_t>(k)];
      }
      readings += reads ? 1 : 0;
    }
  return readings;
}

} // namespace

int PuzzlePieceCost(int size) {
  static constexpr std::array<int, 11> kCost = {0, 0, 1, 2, 2, 3, 3, 4, 4, 4, 4};
  return kCost[static_cast<size_t>(std::clamp(size, 0, 10))];
}

int GeneratePuzzlePieces(const ClueJob &job, bool unique, bool turns) {
  static constexpr std::array<int, 29> kSizes = {2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 4, 4, 4,
                                                 4, 4, 5, 5, 5, 6, 6, 6, 7, 7, 8, 8, 9, 10};
  const GridGeometry &geo = job.Geo();
  auto &pieces = job.Grid.Lists.Pieces;
  pieces.Clear();
  std::vector<uint8_t> taken(static_cast<size_t>(geo.NCells), 0);
  int budget = job.Budget();
  for (int failures = 0; budget > 0 && failures < kPuzzleFailures && !pieces.Full(); ++failures) {
    int size = kSizes[static_cast<size_t>(RandomBelow(job.Random(), static_cast<int>(kSizes.size())))];
    while (PuzzlePieceCost(size) > budget)
      --size;
    const int start = RandomBelow(job.Random(), geo.NCells);
    if (taken[static_cast<size_t>(start)])
      continue;
    PuzzlePiece piece = StartPiece(job, start);
    int givens = job.IsGiven(start) ? 1 : 0;
    bool grown = true;
    for (int k = 1; k < size && grown; ++k) {
      grown = false;
      const int last = piece.Cells[static_cast<size_t>(k - 1)];
      for (const int d : DrawDirections(job.Random())) {
        const int cell = Neighbour(geo, last, kSteps[static_cast<size_t>(d)]);
        if (cell < 0 || taken[static_cast<size_t>(cell)] || Holds(piece, cell))
          continue;
        const int withIt = givens + (job.IsGiven(cell) ? 1 : 0);
        if (withIt > kMostGivensInPiece || withIt >= size)
          continue;
        AddPieceCell(job, piece, cell);
        givens = withIt;
        grown = true;
        break;
      }
    }
    if (!grown || (unique && PiecePlacesOnSolution(job, piece, turns) > 1))
      continue;
    for (int k = 0; k < piece.NCells; ++k)
      taken[static_cast<size_t>(piece.Cells[static_cast<size_t>(k)])] = 1;
    AcceptPiece(job.Grid, piece);
    budget = std::max(budget - 1 - PuzzlePieceCost(size), 0);
    failures = -1;
  }
  return job.CountUsed(budget);
}

int GenerateTiledPieces(const ClueJob &job) {
  static constexpr std::array<int, 4> kA = {4, 3, 12, 20};
  static constexpr std::array<int, 4> kB = {5, 2, 4, 3};
  static constexpr std::array<int, 4> kC = {21, 15, 36, 50};
  const GridGeometry &geo = job.Geo();
  GridRecord &grid = job.Grid;
  grid.Lists.Pieces.Clear();
  int budget = job.Budget();
  // The threshold divides by the first budget: with none, no piece, and the rule drops. A block
  // of more cells than a piece holds cannot be a tile either.
  if (budget <= 0 || geo.GridWidth > kMaxPieceDigits)
    return 0;
  const size_t level = static_cast<size_t>(std::clamp(job.Level, 1, 4) - 1);
  const int threshold = 60 * kB[level] / budget;
  const int w = geo.GridWidth;
  for (int i = 0; i < w; ++i) {
    PuzzlePiece piece;
    piece.NCells = static_cast<int16_t>(w);
    int rest = RandomBelow(job.Random(), budget / (w - i));
    int left = budget;
    int shown = 0;
    int givens = 0;
    bool turnable = true;
    bool mirrorable = true;
    std::array<bool, kMaxWidth> visited{};
    for (int n = 0; n < w; ++n) {
      int p = RandomBelow(job.Random(), w);
      while (visited[static_cast<size_t>(p)])
        p = (p + 1) % w;
      visited[static_cast<size_t>(p)] = true;
      const int cell = grid.BlockCells[static_cast<size_t>(i)][static_cast<size_t>(p)];
      const int v = job.SolutionValue(cell);
      const int u = DigitUpsideDown(v) > 0 ? 1 : 0;
      const int m = DigitMirror(v) > 0 ? 1 : 0;
      const int range = kC[level] - (u + m + rest / 2) * kA[level];
      const int draw = range > 0 ? RandomBelow(job.Random(), range) : -1;
      piece.Cells[static_cast<size_t>(p)] = static_cast<CellRef>(cell);
      piece.Digits[static_cast<size_t>(p)] = 0;
      if (draw > threshold || left < 0)
        continue;
      piece.Digits[static_cast<size_t>(p)] = static_cast<int16_t>(v);
      ++shown;
      --left;
      --rest;
      givens += job.IsGiven(cell) ? 1 : 0;
      turnable = turnable && DigitUpsideDown(v) != -1;
      mirrorable = mirrorable && DigitMirror(v) != -1;
    }
    piece.Rotation = static_cast<int16_t>(turnable ? RandomBelow(job.Random(), 4) & ~1 : 0);
    piece.Mirror = static_cast<int16_t>(mirrorable ? RandomBelow(job.Random(), 2) : 0);
    piece.MarkedCell = -1;
    grid.Lists.Pieces.Append(piece);
    budget = std::max(budget - (shown + givens) / ((turnable ? 1 : 0) + (mirrorable ? 1 : 0) + 1), 0);
  }
  MarkPieceCorners(geo, grid.Lists);
  return job.CountUsed(budget);
}

int GenerateBattleShip(const ClueJob &job, int total, bool unique) {
  const GridGeometry &geo = job.Geo();
  GridRecord &grid = job.Grid;
  const std::span<const int> fleet = FleetOf(geo.GridWidth);
  grid.Lists.Pieces.Clear();
  // Cells beside an accepted boat, corners included: no other boat may take them.
  std::vector<uint8_t> touches(static_cast<size_t>(geo.NCells), 0);
  for (int failures = 0;
       grid.Lists.Pieces.Size() < static_cast<int>(fleet.size()) && failures < kFleetFailures; ++failures) {
    const int n = fleet[static_cast<size_t>(grid.Lists.Pieces.Size())];
    const int start = RandomBelow(job.Random(), geo.NCells);
    if (touches[static_cast<size_t>(start)])
      continue;
    PuzzlePiece boat;
    bool laid = false;
    for (const int d : DrawDirections(job.Random())) {
      boat = StartPiece(job, start);
      int givens = job.IsGiven(start) ? 1 : 0;
      for (int k = 1; k < n; ++k) {
        const int cell = Neighbour(geo, start, kSteps[static_cast<size_t>(d)], k);
        if (cell < 0 || touches[static_cast<size_t>(cell)])
          break;
        givens += job.IsGiven(cell) ? 1 : 0;
        if (givens > kMostGivensInPiece || givens >= n)
          break;
        AddPieceCell(job, boat, cell);
      }
      if ((laid = boat.NCells == n))
        break;
    }
    if (!laid || (unique && n > 2 && BoatReadings(job, boat) > 1))
      continue;
    for (int k = 0; k < boat.NCells; ++k) {
      const int cell = boat.Cells[static_cast<size_t>(k)];
      for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc)
          if (const int near = Neighbour(geo, cell, Step{dc, dr}); near >= 0)
            touches[static_cast<size_t>(near)] = 1;
    }
    AcceptPiece(grid, boat);
    total = std::max(total, 0);
    failures = -1;
  }
  SetBoatClues(geo, grid);
  return total;
}

} // namespace quorbel
