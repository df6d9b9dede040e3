// The cost of bringing candidates up to date, which the search pays at every node:
// Propagate on a scratch grid and UpdatePossibles on a main grid, over the 9 x 9 and
// 16 x 16 puzzles of tests/data, and a plain branching solve that counts its nodes.
#include <benchmark/benchmark.h>

#include <bit>
#include <memory>

#include "engine/grid_cells.h"
#include "engine/grid_copy.h"
#include "engine/propagate.h"
#include "engine/update_possibles.h"
#include "tests/engine/engine_test_support.h"

using namespace quorbel;

namespace {

const char *PuzzleFile(int width) { return width == 16 ? "puzzles-16.txt" : "puzzles-9.txt"; }

// A context of the puzzles' size with every puzzle loaded into a grid of its own.
struct PuzzleGrids {
  explicit PuzzleGrids(int width) : Ctx(std::make_unique<EngineContext>()) {
    SetGridSize(*Ctx, width, 1);
    for (const std::string &line : test::ReadPuzzleFile(PuzzleFile(width))) {
      auto grid = std::make_unique<GridRecord>();
      AllocGridCells(*Ctx, *grid, 1, 0);
      test::LoadPuzzleLine(*Ctx, *grid, line);
      Grids.push_back(std::move(grid));
    }
  }
  std::unique_ptr<EngineContext> Ctx;
  std::vector<std::unique_ptr<GridRecord>> Grids;
};

void PropagatePuzzles(benchmark::State &state) {
  PuzzleGrids puzzles(static_cast<int>(state.range(0)));
  size_t next = 0;
  for (auto _ : state) {
    GridRecord &grid = *puzzles.Grids[next];
    next = (next + 1) % puzzles.Grids.size();
    Propagate(*puzzles.Ctx, grid, kFilterAlways, 1);
    benchmark::DoNotOptimize(grid.TheMinPoss);
  }
  state.counters["puzzles"] = static_cast<double>(puzzles.Grids.size());
}
BENCHMARK(PropagatePuzzles)->Arg(9)->Arg(16);

void UpdatePossiblesOfTheMainGrid(benchmark::State &state) {
  PuzzleGrids puzzles(static_cast<int>(state.range(0)));
  EngineContext &ctx = *puzzles.Ctx;
  size_t next = 0;
  for (auto _ : state) {
    state.PauseTiming();
    CopyGrid(ctx, ctx.Grids.Main[0], puzzles.Grids[next].get(), kCopyBoth);
    next = (next + 1) % puzzles.Grids.size();
    state.ResumeTiming();
    UpdatePossibles(ctx, -1, kFilterAlways, 1, 1);
    benchmark::DoNotOptimize(ctx.GridSetState);
  }
}
BENCHMARK(UpdatePossiblesOfTheMainGrid)->Arg(9)->Arg(16);

// Depth-first on TheMinPoss with a full Propagate at every node, the shape of the search
// to come; reports the nodes visited and the time per node.
int64_t gNodes = 0;

bool Branch(EngineContext &ctx, GridRecord &grid) {
  ++gNodes;
  Propagate(ctx, grid, kFilterAlways, 1);
  if (grid.State == kGridContradiction)
    return false;
  if (grid.SudMissing == 0)
    return true;
  const int cell = grid.TheMinPoss;
  for (uint32_t poss = grid.Cells[cell].ThePoss; poss != 0; poss &= poss - 1) {
    SetCellValue(ctx, grid, cell, std::countr_zero(poss) + 1, kActionPlace);
    grid.Cells[cell].Status = kStatusHypothesis;
    if (Branch(ctx, grid))
      return true;
  }
  SetCellValue(ctx, grid, cell, 0, kActionClear);
  return false;
}

void BranchingSolve9(benchmark::State &state) {
  PuzzleGrids puzzles(9);
  auto work = std::make_unique<GridRecord>();
  AllocGridCells(*puzzles.Ctx, *work, 1, 0);
  gNodes = 0;
  int64_t solved = 0;
  for (auto _ : state) {
    for (const auto &puzzle : puzzles.Grids) {
      CopyGrid(*puzzles.Ctx, *work, puzzle.get(), kCopyBoth);
      solved += Branch(*puzzles.Ctx, *work) ? 1 : 0;
    }
  }
  state.counters["nodes/puzzle"] =
      static_cast<double>(gNodes) / static_cast<double>(state.iterations() * puzzles.Grids.size());
  state.counters["ns/node"] = benchmark::Counter(static_cast<double>(gNodes),
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["solved"] = static_cast<double>(solved) / static_cast<double>(state.iterations());
}
BENCHMARK(BranchingSolve9)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
