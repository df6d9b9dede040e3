// The cell pictures: loading the default picture list with the fixed pictures, as start-up
// does (target under 300 ms), one 40 ms tick of a 16 x 16 board whose every cell steps its
// animated picture and is repainted (target under 8 ms), and a huge picture in one cell.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <memory>

#include "app/cell_animation.h"
#include "app/picture_library.h"
#include "app/qt/quorbel_app.h"
#include "engine/cell_actions.h"
#include "engine/grid_shape.h"
#include "engine/update_possibles.h"
#include "view/qt/anim_painter.h"
#include "view/qt/quorbel_view.h"

using namespace quorbel;

namespace {

constexpr int kShapeOf16 = 8;

void LoadStartPictures(benchmark::State &state) {
  auto pictures = std::make_unique<PictureLibrary>();
  for (auto _ : state) {
    pictures->LoadedList.clear(); // as a first load
    PictureOrder order{};
    LoadFixedImages(*pictures, QUORBEL_DATA_DIR, nullptr);
    benchmark::DoNotOptimize(
        LoadCellImageSet(*pictures, "Animals.ani", QUORBEL_DATA_DIR, order, PictureOrderMode::Keep, nullptr));
  }
}
BENCHMARK(LoadStartPictures)->Unit(benchmark::kMillisecond);

void AnimatedTick16(benchmark::State &state) {
  ScriptedDialogService dialogs;
  CQuorbelApp app(AppOptions{.dialogs = &dialogs, .headless = true, .startDirectory = {}});
  PictureOrder order{};
  LoadCellImageSet(app.CellPictures(), "Animals.ani", QUORBEL_DATA_DIR, order, PictureOrderMode::Identity,
                   nullptr);
  CQuorbelView view(app);
  view.resize(1280, 960);
  EngineContext &engine = app.Engine();
  SetGridShape(engine, kShapeOf16, 1, 0);
  GridRecord &grid = engine.Grids.Main[0];
  // A Latin square: every cell holds a value and its picture.
  for (int cell = 0; cell < engine.Geo.NCells; ++cell)
    SetCellValue(engine, grid, cell, (engine.Geo.RowOfCell[cell] + engine.Geo.ColOfCell[cell]) % 16 + 1,
                 kActionPlace);
  view.Input().SetSymbolMode(kSymbolPictures, 0);
  for (int cell = 0; cell < engine.Geo.NCells; ++cell)
    view.StartCellPicture(0, cell, kValuePicture, kAnimEndless, 0);
  view.RenderView();
  view.OnAnimationTimer(); // the first tick only starts the count of time
  for (auto _ : state) {
    for (int cell = 0; cell < engine.Geo.NCells; ++cell)
      (*view.Animations().Of(engine, 0, cell))[kValuePicture].TimeToNextFrameMs = -1; // the worst tick
    view.OnAnimationTimer();
  }
}
BENCHMARK(AnimatedTick16)->Unit(benchmark::kMillisecond);

// A cell picture of 3000 x 3000 pixels (a metafile's, say) drawn into a cell of 60 pixels, as
// every paint of the board does: it costs what the cell does (target under 2 ms).
void HugePictureInCell(benchmark::State &state) {
  auto set = std::make_unique<CBitMapGif>();
  set->Frames[0].Create(3000, 3000, 24, kPictureBmp);
  set->FrameCount = 1;
  set->Width = set->Height = 3000;
  QImage board(200, 200, QImage::Format_RGB32);
  QPainter dc(&board);
  for (auto _ : state)
    DrawPictureFrame(dc, *set, 0, 0, -1, 0, CellRect{10, 10, 70, 70});
}
BENCHMARK(HugePictureInCell)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
