// Decoding pictures: a 1000 x 1000 BMP of 24 bits and one coded in RLE8, and the 44 frames
// of a 100 x 100 GIF (in one pass, and frame by frame as a picture set would reload them),
// beside QImageReader on the same bytes. Targets: each BMP under 10 ms, the GIF's frames
// under 20 ms.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImageReader>

#include "media/picture.h"
#include "media/picture_codecs.h"
#include "media/picture_file.h"
#include "tests/media/gif_fixture.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kSide = 1000;

std::vector<uint8_t> Bmp24() {
  std::vector<uint8_t> rows(static_cast<size_t>(kSide) * kSide * 3);
  for (size_t i = 0; i < rows.size(); ++i)
    rows[i] = static_cast<uint8_t>(i * 7);
  return MakeBmp({.Width = kSide, .Height = kSide, .Bits = 24, .Pixels = rows});
}

std::vector<uint8_t> BmpRle8() {
  std::vector<uint8_t> runs;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; x += 100)
      runs.insert(runs.end(), {100, static_cast<uint8_t>((x + y) / 100)});
    runs.insert(runs.end(), {0, 0});
  }
  runs.insert(runs.end(), {0, 1});
  return MakeBmp({.Width = kSide,
                  .Height = kSide,
                  .Bits = 8,
                  .Compression = 1,
                  .PaletteCount = 256,
                  .Palette = std::vector<uint8_t>(1024, 128),
                  .Pixels = runs});
}

std::vector<uint8_t> Gif44() {
  GifLayout gif{.Width = 100, .Height = 100};
  for (int k = 0; k < 256; ++k)
    gif.Global.push_back(RgbPixel(static_cast<uint8_t>(k), static_cast<uint8_t>(255 - k), 0));
  for (int f = 0; f < 44; ++f) {
    GifFrame frame{.Width = 100, .Height = 100, .Delay = 5};
    for (int i = 0; i < 100 * 100; ++i)
      frame.Pixels.push_back(static_cast<uint8_t>((i / 100 + i % 100 + f) / 8));
    gif.Frames.push_back(frame);
  }
  return MakeGif(gif);
}

void DecodeOurs(benchmark::State &state, const std::vector<uint8_t> &bytes) {
  for (auto _ : state) {
    CPictureMemFile file(bytes);
    CPicture picture;
    if (!picture.Decode(file, kPictureUnknown))
      state.SkipWithError("not decoded");
    benchmark::DoNotOptimize(picture.Rows().data());
  }
}

void DecodeQt(benchmark::State &state, const std::vector<uint8_t> &bytes) {
  const QByteArray data(reinterpret_cast<const char *>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  for (auto _ : state) {
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer);
    int frames = 0;
    while (reader.canRead() && !reader.read().isNull())
      ++frames;
    benchmark::DoNotOptimize(frames);
  }
}

void BM_Bmp24(benchmark::State &state) { DecodeOurs(state, Bmp24()); }
void BM_Bmp24_QImageReader(benchmark::State &state) { DecodeQt(state, Bmp24()); }
void BM_BmpRle8(benchmark::State &state) { DecodeOurs(state, BmpRle8()); }
void BM_BmpRle8_QImageReader(benchmark::State &state) { DecodeQt(state, BmpRle8()); }

void BM_Gif44_OnePass(benchmark::State &state) {
  const std::vector<uint8_t> bytes = Gif44();
  for (auto _ : state) {
    CPictureMemFile file(bytes);
    benchmark::DoNotOptimize(DecodeGifFrames(file, 44).size());
  }
}

void BM_Gif44_FrameByFrame(benchmark::State &state) {
  const std::vector<uint8_t> bytes = Gif44();
  for (auto _ : state)
    for (int i = 0; i < 44; ++i) {
      CPictureMemFile file(bytes);
      CPicture picture;
      picture.Info().FrameIndex = i;
      benchmark::DoNotOptimize(picture.Decode(file, kPictureGif));
    }
}

void BM_Gif44_QImageReader(benchmark::State &state) { DecodeQt(state, Gif44()); }

} // namespace

BENCHMARK(BM_Bmp24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp24_QImageReader)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpRle8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpRle8_QImageReader)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gif44_OnePass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gif44_FrameByFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gif44_QImageReader)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
