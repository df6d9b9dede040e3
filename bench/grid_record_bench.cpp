// Costs of the grid records under the search and the undo stack: the record sizes,
// a whole-grid copy, a cell action and a geometry change, at 9 x 9 and 16 x 16.
#include <benchmark/benchmark.h>

#include <memory>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/grid_shape.h"

using namespace quorbel;

namespace {

constexpr int kShape9 = 5;
constexpr int kShape16 = 8;

void RecordSizes(benchmark::State &state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(sizeof(CellRecord));
  state.counters["CellRecord"] = sizeof(CellRecord);
  state.counters["GridRecord"] = sizeof(GridRecord);
  state.counters["VariantLists"] = sizeof(VariantLists);
  state.counters["VariantWork"] = sizeof(VariantWork);
  state.counters["EngineContext"] = sizeof(EngineContext);
}
BENCHMARK(RecordSizes)->Iterations(1);

void CopyWholeGrid(benchmark::State &state) {
  auto ctx = std::make_unique<EngineContext>();
  SetGridShape(*ctx, static_cast<int>(state.range(0)), 1, 0);
  GridRecord &src = ctx->Grids.Main[0];
  GridRecord &dst = ctx->Grids.Main[1];
  for (auto _ : state) {
    CopyGrid(*ctx, dst, &src, kCopyBoth);
    benchmark::ClobberMemory();
  }
  state.counters["cell bytes"] = static_cast<double>(src.Cells.size() * sizeof(CellRecord));
}
BENCHMARK(CopyWholeGrid)->Arg(kShape9)->Arg(kShape16);

void TryEveryCandidate(benchmark::State &state) {
  auto ctx = std::make_unique<EngineContext>();
  SetGridShape(*ctx, static_cast<int>(state.range(0)), 1, 0);
  GridRecord &grid = ctx->Grids.Main[0];
  const int width = ctx->Geo.GridWidth;
  for (auto _ : state) {
    for (int cell = 0; cell < ctx->Geo.NCells; ++cell) {
      grid.Cells[cell].ThePoss = ctx->Geo.FullMask;
      SetCellValue(*ctx, grid, cell, 1 + cell % width, kActionHypothesis);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * ctx->Geo.NCells);
}
BENCHMARK(TryEveryCandidate)->Arg(kShape9)->Arg(kShape16);

void ChangeShape(benchmark::State &state) {
  auto ctx = std::make_unique<EngineContext>();
  for (auto _ : state) {
    SetGridShape(*ctx, kShape9, 1, 0);
    SetGridShape(*ctx, kShape16, 1, 0);
  }
}
BENCHMARK(ChangeShape);

} // namespace

BENCHMARK_MAIN();
