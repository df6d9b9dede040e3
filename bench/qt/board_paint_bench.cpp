// The cost of painting the board offscreen: the layout pass, and a full paint of a 16 x 16 grid
// with every candidate of every cell drawn in the matrix, and of the 9 x 9 puzzles.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "app/qt/quorbel_app.h"
#include "engine/grid_shape.h"
#include "engine/update_possibles.h"
#include "tests/engine/engine_test_support.h"
#include "view/qt/quorbel_view.h"

using namespace quorbel;

namespace {

constexpr int kShapeOf9 = 5;
constexpr int kShapeOf16 = 8;

struct PaintedBoard {
  explicit PaintedBoard(int shape) {
    app = std::make_unique<CQuorbelApp>(
        AppOptions{.dialogs = &dialogs, .headless = true, .startDirectory = {}});
    view = std::make_unique<CQuorbelView>(*app);
    view->resize(1280, 960);
    SetGridShape(app->Engine(), shape, 1, 0);
    app->Settings().general.probType = 2;
    view->Switches().PossDisplayOn = 1;
    view->Switches().PossDisplayLevel = kPossLevelAll;
  }
  ScriptedDialogService dialogs;
  std::unique_ptr<CQuorbelApp> app;
  std::unique_ptr<CQuorbelView> view;
};

void LayOutBoard(benchmark::State &state) {
  PaintedBoard board(kShapeOf16);
  for (auto _ : state)
    board.view->PrepareBoardLayout();
}
BENCHMARK(LayOutBoard)->Unit(benchmark::kMicrosecond);

// Every cell open with all 16 candidates: the most text a board can hold.
void PaintFullCandidates16(benchmark::State &state) {
  PaintedBoard board(kShapeOf16);
  RecomputeAllCandidates(board.app->Engine());
  board.view->PrepareBoardLayout();
  for (auto _ : state)
    board.view->PaintView(1, 1);
}
BENCHMARK(PaintFullCandidates16)->Unit(benchmark::kMillisecond);

void RenderPuzzle9(benchmark::State &state) {
  PaintedBoard board(kShapeOf9);
  test::LoadPuzzleLine(board.app->Engine(), board.app->Engine().Grids.Main[0],
                       test::ReadPuzzleFile("puzzles-9.txt").front());
  RecomputeAllCandidates(board.app->Engine());
  for (auto _ : state)
    benchmark::DoNotOptimize(board.view->RenderView().constBits());
}
BENCHMARK(RenderPuzzle9)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
