// Hostile metafiles of 1 and 13 MB decoded into a picture, as the board's background and the
// cell pictures decode them: one polygon of edges crossing every row of a 4000 x 4000 picture,
// one line zig-zagging across it (one pixel and 40 pixels wide), many small fills, many small
// polygons in one record. Target: each under 1.5 s of CPU, whatever its size.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdint>
#include <vector>

#include "media/picture.h"
#include "media/picture_codecs.h"
#include "media/picture_file.h"
#include "media/qt/metafile_painter.h"
#include "tests/media/metafile_writer.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int32_t kSide = 4000;
constexpr uint32_t kPolygon = 3, kPolyline16 = 87, kPolyPolygon16 = 91;
constexpr size_t kMegabyte = 1000000;

EmfWriter Styled(int32_t penWidth, bool pen) {
  EmfWriter emf(kSide, kSide);
  emf.Record(39, {1, 0, static_cast<int32_t>(ColourRef(200, 0, 0)), 0}).Record(37, {1});
  emf.Record(38, {2, pen ? 0 : 5, penWidth, 0, 0}).Record(37, {2});
  return emf;
}

std::vector<uint8_t> Fields(std::initializer_list<int32_t> head) {
  std::vector<uint8_t> fields;
  for (const int32_t v : head)
    Put32(fields, static_cast<uint32_t>(v));
  return fields;
}

// The points of one record zig-zagging from the top row to the bottom one across the picture.
std::vector<uint8_t> ZigZag(size_t bytes, bool wide) {
  const auto count = static_cast<int32_t>(bytes / (wide ? 8 : 4));
  std::vector<uint8_t> fields = Fields({0, 0, kSide, kSide, count});
  for (int32_t k = 0; k < count; ++k) {
    const int32_t x = static_cast<int32_t>(int64_t{k} * kSide / count), y = k % 2 ? kSide - 1 : 0;
    if (wide) {
      Put32(fields, static_cast<uint32_t>(x));
      Put32(fields, static_cast<uint32_t>(y));
    } else {
      Put32(fields, static_cast<uint32_t>(Point16(static_cast<int16_t>(x), static_cast<int16_t>(y))));
    }
  }
  return fields;
}

std::vector<uint8_t> OnePolygon(size_t bytes) {
  EmfWriter emf = Styled(0, false);
  return emf.Raw(kPolygon, ZigZag(bytes, true)).Bytes();
}

std::vector<uint8_t> OnePolyline(size_t bytes, int32_t penWidth) {
  EmfWriter emf = Styled(penWidth, true);
  return emf.Raw(kPolyline16, ZigZag(bytes, false)).Bytes();
}

std::vector<uint8_t> SmallFills(size_t bytes) {
  EmfWriter emf = Styled(0, false);
  for (size_t k = 0; k < bytes / 24; ++k) {
    const auto x = static_cast<int32_t>(k * 7 % (kSide - 4)), y = static_cast<int32_t>(k * 13 % (kSide - 4));
    emf.Record(43, {x, y, x + 3, y + 3});
  }
  return emf.Bytes();
}

std::vector<uint8_t> SmallPolygons(size_t bytes) {
  const auto count = static_cast<int32_t>(bytes / 16);
  std::vector<uint8_t> fields = Fields({0, 0, kSide, kSide, count, 3 * count});
  for (int32_t k = 0; k < count; ++k)
    Put32(fields, 3);
  for (int32_t k = 0; k < count; ++k) {
    const auto x = static_cast<int16_t>(k * 7 % (kSide - 4)), y = static_cast<int16_t>(k * 13 % (kSide - 4));
    for (const int32_t p :
         {Point16(x, y), Point16(static_cast<int16_t>(x + 3), y), Point16(x, static_cast<int16_t>(y + 3))})
      Put32(fields, static_cast<uint32_t>(p));
  }
  EmfWriter emf = Styled(0, false);
  return emf.Raw(kPolyPolygon16, fields).Bytes();
}

void Decode(benchmark::State &state, const std::vector<uint8_t> &bytes) {
  for (auto _ : state) {
    CPictureMemFile file(bytes);
    CPicture picture;
    benchmark::DoNotOptimize(picture.Decode(file, kPictureWmf));
  }
  state.counters["MB"] = static_cast<double>(bytes.size()) / kMegabyte;
}

void BM_OnePolygon(benchmark::State &state) {
  Decode(state, OnePolygon(static_cast<size_t>(state.range(0)) * kMegabyte));
}
void BM_OnePolyline(benchmark::State &state) {
  Decode(state, OnePolyline(static_cast<size_t>(state.range(0)) * kMegabyte, 0));
}
void BM_OneWidePolyline(benchmark::State &state) {
  Decode(state, OnePolyline(static_cast<size_t>(state.range(0)) * kMegabyte, 40));
}
void BM_SmallFills(benchmark::State &state) {
  Decode(state, SmallFills(static_cast<size_t>(state.range(0)) * kMegabyte));
}
void BM_SmallPolygons(benchmark::State &state) {
  Decode(state, SmallPolygons(static_cast<size_t>(state.range(0)) * kMegabyte));
}

} // namespace

BENCHMARK(BM_OnePolygon)->Arg(1)->Arg(13)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OnePolyline)->Arg(1)->Arg(13)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OneWidePolyline)->Arg(1)->Arg(13)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SmallFills)->Arg(1)->Arg(13)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SmallPolygons)->Arg(1)->Arg(13)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  InstallMetafilePlayer();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
