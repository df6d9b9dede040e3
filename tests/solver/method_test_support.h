// Shared builders of the solving-method tests: a 9x9 solution to clear cells from, a
// puzzle loaded into main grid 0 with fresh candidates, its solution found by the search,
// hand-set candidates, thinned puzzles, and the check that the methods kept the solution.
// Masks and the puzzle files come from the engine tests' builders (MaskOf, ReadPuzzleFile).
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_context.h"
#include "engine/propagate.h"
#include "engine/update_possibles.h"
#include "solver/one_line_grid.h"
#include "solver/search.h"
#include "solver/solution_count.h"
#include "tests/engine/engine_test_support.h"
#include "tests/support/count_limit.h"

namespace quorbel::test {

// Rows of the 9x9 solution the hand-made positions clear cells from:
//   534678912 / 672195348 / 198342567 / 859761423 / 426853791
//   713924856 / 961537284 / 287419635 / 345286179
constexpr std::string_view kSolution9 =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

constexpr int CellAt(int row, int col, int width = 9) { return row * width + col; }

inline std::string Cleared(std::string_view solved, std::initializer_list<int> cells) {
  std::string line(solved);
  for (int cell : cells)
    line[static_cast<size_t>(cell)] = '0';
  return line;
}

// Records what the engine asks of the panel, and answers the abort poll.
class MethodHost : public EngineHost {
public:
  void ReplaceInfoMessage(std::string_view text, int back) override {
    if (back == 0)
      PanelLines.emplace_back(text);
  }
  bool PollUserAbort() override {
    ++Polls;
    return Abort;
  }
  std::vector<std::string> PanelLines;
  bool Abort = false;
  int Polls = 0;
};

// A generated puzzle with one given changed, so that it has no solution: the methods' trials
// run into contradictions there, where what they leave depends on the Probables rule's order.
constexpr std::string_view kNoSolution =
    "020000006045060000008500490073000000900026500000000012000070900100850030000040007";

// The line in main grid 0 of a context laid out for its size, candidates rebuilt.
struct PuzzleContext {
  explicit PuzzleContext(std::string_view line) : Ctx(std::make_unique<EngineContext>(Host)) {
    EXPECT_EQ(LoadOneLineGrid(*Ctx, line, 0), "");
    Refresh();
  }
  void Refresh() { UpdatePossibles(*Ctx, -1, kFilterNone, 0, 1); }
  GridRecord &Grid() { return Ctx->Grids.Main[0]; }
  CellRecord &Cell(int cell) { return Grid().Cells[cell]; }
  // Gives an open cell exactly these candidates, as a method would leave them.
  void SetCandidates(int cell, uint32_t values) {
    CellRecord &c = Cell(cell);
    c.ThePoss = values;
    c.Excluded = values ^ Ctx->Geo.FullMask;
    c.NPoss = CountValues(values, Ctx->Geo.GridWidth);
  }
  MethodHost Host;
  std::unique_ptr<EngineContext> Ctx;
};

// The puzzle's one solution as the search finds it; empty unless there is exactly one.
inline std::string SearchSolution(std::string_view puzzle) {
  auto ctx = std::make_unique<EngineContext>();
  ctx->Settings.TimeOver = test::kTestCountLimitMs;
  if (!LoadOneLineGrid(*ctx, puzzle, 0).empty())
    return {};
  GridRecord &grid = ctx->Grids.Main[0];
  if (CountGridSolutions(*ctx, grid, 0, 2, 0) != 1)
    return {};
  grid.SearchStarted = 0;
  std::string solution = RunGridSearch(*ctx, grid, 0) == kSolveFound ? OneLineOfGrid(*ctx, grid) : "";
  LeaveGridSearch(*ctx, grid);
  return solution;
}

// Every filled cell holds the solution's value and every open cell still has it as a
// candidate; the first cell that breaks this is named.
inline ::testing::AssertionResult KeepsSolution(const EngineContext &ctx, const GridRecord &grid,
                                                std::string_view solution) {
  for (int cell = 0; cell < ctx.Geo.NCells; ++cell) {
    const CellRecord &c = grid.Cells[cell];
    const int value = solution[static_cast<size_t>(cell)] - '0';
    if (c.Status < kStatusConflict && c.Value != value)
      return ::testing::AssertionFailure()
             << "cell " << cell << " holds " << c.Value << " where the solution has " << value;
    if (c.Status > kStatusConflict && (c.ThePoss & ValueBit(value)) == 0)
      return ::testing::AssertionFailure() << "cell " << cell << " lost its solution value " << value;
  }
  return ::testing::AssertionSuccess();
}

// The puzzle with only every `keep`-th given left: no longer unique, but its solution is
// still one of the grid's, which a sound method never contradicts.
inline std::string Thinned(std::string puzzle, int keep) {
  int given = 0;
  for (char &c : puzzle)
    if (c != '0' && c != '.' && given++ % keep != 0)
      c = '0';
  return puzzle;
}

} // namespace quorbel::test
