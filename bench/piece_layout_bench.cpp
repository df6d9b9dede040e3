// The layout of the pieces beside the grid, which runs at every paint: 40 pieces of 10 cells
// on a 16 x 16 grid, fitted into a strip right of the grid.
#include <benchmark/benchmark.h>

#include <memory>

#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "engine/puzzle_pieces.h"

using namespace quorbel;

namespace {

constexpr int kShape16 = 8;

void FitFortyPiecesOfTen(benchmark::State &state) {
  auto ctx = std::make_unique<EngineContext>();
  SetGridShape(*ctx, kShape16, 1, 0);
  GridRecord &grid = ctx->Grids.Main[0];
  // Shapes of ten cells: two rows of five, or an L, turned four ways.
  for (int i = 0; i < 40; ++i) {
    PuzzlePiece piece;
    piece.NCells = 10;
    for (int k = 0; k < 10; ++k) {
      const int row = i % 2 == 0 ? k / 5 : (k < 7 ? k : 6);
      const int col = i % 2 == 0 ? k % 5 : (k < 7 ? 0 : k - 6);
      piece.Cells[static_cast<size_t>(k)] = static_cast<CellRef>(row * 16 + col);
    }
    piece.Rotation = static_cast<int16_t>(i % 4);
    grid.Lists.Pieces.Append(piece);
  }
  bool fitted = false;
  double scale = 1.0;
  for (auto _ : state) {
    int rows = 40;
    int columns = 16;
    fitted = FitPuzzlePieces(ctx->Geo, grid, rows, columns, false, scale);
    benchmark::DoNotOptimize(fitted);
  }
  state.counters["fitted"] = fitted ? 1 : 0;
  state.counters["scale"] = scale;
}
BENCHMARK(FitFortyPiecesOfTen)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
