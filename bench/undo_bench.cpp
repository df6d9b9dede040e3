// Undo memory and speed: the heap one 9 x 9 game of 2,996 steps and twelve linked
// 16 x 16 grids with one changed cell per step keep in the undo stack, and the time of
// SaveDo and UnDo on both. Heap bytes are counted by replacing the global allocator:
// usable size of each block plus its 8-byte chunk header.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "engine/undo_stack.h"
#include "platform/random.h"

namespace {
std::atomic<long long> gHeapBytes{0};
constexpr long long kChunkHeader = 8;

void *CountedAlloc(std::size_t size) {
  void *block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr)
    throw std::bad_alloc();
  gHeapBytes += static_cast<long long>(malloc_usable_size(block)) + kChunkHeader;
  return block;
}

void CountedFree(void *block) noexcept {
  if (block == nullptr)
    return;
  gHeapBytes -= static_cast<long long>(malloc_usable_size(block)) + kChunkHeader;
  std::free(block);
}
} // namespace

void *operator new(std::size_t size) { return CountedAlloc(size); }
void *operator new[](std::size_t size) { return CountedAlloc(size); }
void operator delete(void *block) noexcept { CountedFree(block); }
void operator delete[](void *block) noexcept { CountedFree(block); }
void operator delete(void *block, std::size_t) noexcept { CountedFree(block); }
void operator delete[](void *block, std::size_t) noexcept { CountedFree(block); }

using namespace quorbel;

namespace {

constexpr int kShape9 = 5;
constexpr int kShape16 = 8;
constexpr int kGameSteps = 2996;

// A valid solution of any square shape: rows shifted by the block width, blocks by one.
int SolutionValue(const GridGeometry &geo, int cell) {
  const int r = geo.RowOfCell[cell];
  const int c = geo.ColOfCell[cell];
  return (r * geo.BlockCols + r / geo.BlockRows + c) % geo.GridWidth + 1;
}

// Stands in for the candidate propagation: what a placement changes in a plain grid
// (the candidates of every open cell, the unit summaries, the open-cell count, the state).
void RecomputeCandidates(const GridGeometry &geo, GridRecord &grid) {
  auto used = [&](int unitCells, auto cellOf) {
    uint32_t mask = 0;
    for (int k = 0; k < unitCells; ++k) {
      const CellRecord &cell = grid.Cells[cellOf(k)];
      if (cell.Status < kStatusConflict && cell.Value > 0)
        mask |= ValueBit(cell.Value);
    }
    return mask;
  };
  const int w = geo.GridWidth;
  std::array<uint32_t, kMaxWidth> rowUsed{}, colUsed{}, blockUsed{};
  for (int u = 0; u < w; ++u) {
    rowUsed[u] = used(w, [&](int k) { return geo.RowCells[u][k]; });
    colUsed[u] = used(w, [&](int k) { return geo.ColCells[u][k]; });
    blockUsed[u] = used(w, [&](int k) { return grid.BlockCells[u][k]; });
    grid.Cells[geo.RowUnitBase + u].ThePoss = geo.FullMask & ~rowUsed[u];
    grid.Cells[geo.ColUnitBase + u].ThePoss = geo.FullMask & ~colUsed[u];
    grid.Cells[geo.BlockUnitBase + u].ThePoss = geo.FullMask & ~blockUsed[u];
  }
  int missing = 0;
  for (int i = 0; i < geo.NCells; ++i) {
    CellRecord &cell = grid.Cells[i];
    if (cell.Status < kStatusConflict)
      continue;
    ++missing;
    cell.ThePoss = geo.FullMask &
                   ~(rowUsed[geo.RowOfCell[i]] | colUsed[geo.ColOfCell[i]] | blockUsed[grid.BlockOfCell[i]]);
    cell.Excluded = cell.ThePoss ^ geo.FullMask;
    CountPoss(geo, cell);
  }
  grid.SudMissing = missing;
  grid.State = missing == 0 ? kGridConsistent : kGridOpen;
}

std::unique_ptr<EngineContext> PuzzleContext(int shape, int grids) {
  auto ctx = std::make_unique<EngineContext>();
  SetGridShape(*ctx, shape, 1, 0);
  ctx->Grids.MainCount = grids;
  Random15 pick(1);
  for (int slot = 0; slot < grids; ++slot) {
    GridRecord &grid = ctx->Grids.Main[slot];
    for (int cell = 0; cell < ctx->Geo.NCells; ++cell)
      if (pick.Next() % 3 == 0)
        SetCellValue(*ctx, grid, cell, SolutionValue(ctx->Geo, cell), kActionPlaceFixed);
    RecomputeCandidates(ctx->Geo, grid);
  }
  return ctx;
}

// One move of a player on a cell that is not a clue: a placed value is taken back, an
// open cell gets its right value or, now and then, a pencil mark.
void PlayerMove(EngineContext &ctx, GridRecord &grid, Random15 &noise) {
  const GridGeometry &geo = ctx.Geo;
  int cell = noise.Next() % geo.NCells;
  while (grid.Cells[cell].Status == kStatusFixed)
    cell = noise.Next() % geo.NCells;
  const int roll = noise.Next() % 10;
  if (grid.Cells[cell].Status == kStatusPlaced)
    SetCellValue(ctx, grid, cell, 0, kActionClear);
  else if (roll < 3)
    SetCellValue(ctx, grid, cell, 1 + noise.Next() % geo.GridWidth, kActionTogglePencil);
  else
    SetCellValue(ctx, grid, cell, SolutionValue(geo, cell), kActionPlace);
}

// One changed cell and nothing else: a value placed or taken back, never on a clue.
void OneCellMove(EngineContext &ctx, GridRecord &grid, Random15 &noise) {
  int cell = noise.Next() % ctx.Geo.NCells;
  while (grid.Cells[cell].Status == kStatusFixed)
    cell = noise.Next() % ctx.Geo.NCells;
  if (grid.Cells[cell].Status == kStatusPlaced)
    SetCellValue(ctx, grid, cell, 0, kActionClear);
  else
    SetCellValue(ctx, grid, cell, SolutionValue(ctx.Geo, cell), kActionPlace);
}

void ReportMemory(benchmark::State &state, long long bytes, int steps) {
  state.counters["undo MB"] = static_cast<double>(bytes) / 1e6;
  state.counters["bytes/step"] = static_cast<double>(bytes) / steps;
}

void GameOf9x9(benchmark::State &state) {
  for (auto _ : state) {
    auto ctx = PuzzleContext(kShape9, 1);
    Random15 noise(11);
    const long long before = gHeapBytes;
    for (int step = 0; step < kGameSteps; ++step) {
      SaveDo(*ctx);
      PlayerMove(*ctx, ctx->Grids.Main[0], noise);
      RecomputeCandidates(ctx->Geo, ctx->Grids.Main[0]);
    }
    ReportMemory(state, gHeapBytes - before, kGameSteps);
  }
}
BENCHMARK(GameOf9x9)->Iterations(1)->Unit(benchmark::kMillisecond);

void Linked16x16OneCellPerStep(benchmark::State &state) {
  for (auto _ : state) {
    auto ctx = PuzzleContext(kShape16, kMaxGrids);
    Random15 noise(13);
    const long long before = gHeapBytes;
    for (int step = 0; step < kGameSteps; ++step) {
      SaveDo(*ctx);
      OneCellMove(*ctx, ctx->Grids.Main[step % kMaxGrids], noise);
    }
    ReportMemory(state, gHeapBytes - before, kGameSteps);
  }
}
BENCHMARK(Linked16x16OneCellPerStep)->Iterations(1)->Unit(benchmark::kMillisecond);

// Argument: shape code; 9 x 9 plays one grid with candidates recomputed, 16 x 16 twelve
// linked grids with one changed cell per step.
struct Scenario {
  std::unique_ptr<EngineContext> Ctx;
  Random15 Noise{17};
  int Step = 0;

  explicit Scenario(int shape) : Ctx(PuzzleContext(shape, shape == kShape9 ? 1 : kMaxGrids)) {}
  void Move() {
    GridRecord &grid = Ctx->Grids.Main[Step++ % Ctx->Grids.MainCount];
    if (Ctx->Grids.MainCount == 1) {
      PlayerMove(*Ctx, grid, Noise);
      RecomputeCandidates(Ctx->Geo, grid);
    } else {
      OneCellMove(*Ctx, grid, Noise);
    }
  }
};

void SaveDoTime(benchmark::State &state) {
  Scenario game(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    if (game.Ctx->Undo.ptUndo > kLastSaveRow)
      ResetDo(*game.Ctx);
    game.Move();
    state.ResumeTiming();
    SaveDo(*game.Ctx);
  }
}
BENCHMARK(SaveDoTime)->Arg(kShape9)->Arg(kShape16)->Unit(benchmark::kMicrosecond);

void UnDoTime(benchmark::State &state) {
  Scenario game(static_cast<int>(state.range(0)));
  constexpr int kSteps = 500;
  for (int step = 0; step < kSteps; ++step) {
    SaveDo(*game.Ctx);
    game.Move();
  }
  for (auto _ : state) {
    UnDo(*game.Ctx);
    if (!CanUndo(game.Ctx->Undo)) {
      state.PauseTiming();
      while (CanRedo(game.Ctx->Undo))
        ReDo(*game.Ctx);
      state.ResumeTiming();
    }
  }
}
BENCHMARK(UnDoTime)->Arg(kShape9)->Arg(kShape16)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
