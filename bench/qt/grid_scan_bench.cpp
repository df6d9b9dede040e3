// Scanning a 900 x 900 picture of a 9 x 9 grid with the dictionary shipped in data/: the target
// is under 150 ms a picture.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <memory>

#include "media/grid_scan.h"
#include "media/picture.h"
#include "media/qt/picture_from_image.h"
#include "tests/media/qt/grid_drawing.h"

using namespace quorbel;

namespace {

class NoAsker : public ValueAsker {
public:
  GlyphAnswer Ask(const GlyphQuestion &q) override { return {true, -1, false, q.GridLevel}; }
};

void BM_ScanNineByNine(benchmark::State &state) {
  testing::Drawing d;
  d.CellPx = 97; // 9 x 97 + 2 x 13 margins: about 900 pixels a side
  d.Margin = 13;
  for (int i = 0; i < 81; ++i)
    d.Values.push_back(i % 2 == 0 ? i % 9 + 1 : 0);
  CPicture picture;
  PictureFromImage(testing::Render(d), picture);
  auto scan = std::make_unique<ScanState>();
  LoadDico(scan->Dictionary, QUORBEL_DATA_DIR "/RefSkel.txt");
  const Dico learnt = scan->Dictionary;
  NoAsker asker;
  for (auto _ : state) {
    scan->Dictionary = learnt;
    ScanOptions options{0, 50};
    benchmark::DoNotOptimize(ScanWholeGrid(*scan, picture, options, asker));
  }
}
BENCHMARK(BM_ScanNineByNine)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
