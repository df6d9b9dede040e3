// One picture codec on any bytes (QUORBEL_PICTURE_TYPE picks it, 0 every codec in turn): no
// crash, no undefined behaviour, and either a picture whose pixels can be read or a refusal
// with words.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "media/picture.h"
#include "media/picture_file.h"

using namespace quorbel;

namespace {

// A few bytes may decode to millions of pixels, so that a run would cost what its output does,
// not its input. Pictures are decoded up to 16 MiB of rows (a larger one takes the same paths
// and is refused the same way past the codecs' own limit), and past 65,536 pixels the pixels
// read are an even grid that keeps the first and last rows and columns, so that a row or
// column laid out wrong is still read.
constexpr uint64_t kMostDecodedBytes = uint64_t{16} << 20;
constexpr int64_t kMostPixelsRead = int64_t{1} << 16;

int32_t Step(const CPicture &picture) {
  const int64_t pixels = int64_t{picture.Width()} * picture.Height();
  if (pixels <= kMostPixelsRead)
    return 1;
  return static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(pixels) / kMostPixelsRead)));
}

// 0, step, 2 step ... and the last.
int32_t Next(int32_t at, int32_t step, int32_t end) {
  return at == end - 1 ? end : std::min(at + step, end - 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  for (const int32_t frame : {0, 1}) {
    CPictureMemFile file(std::span<const uint8_t>(data, size));
    CPicture picture;
    picture.Info().FrameIndex = frame;
    picture.Info().MostBytes = kMostDecodedBytes;
    if (!picture.Decode(file, QUORBEL_PICTURE_TYPE)) {
      if (picture.LastError().empty())
        std::abort();
      continue;
    }
    if (picture.Rows().size() !=
        static_cast<size_t>(picture.Stride()) * static_cast<size_t>(picture.Height()))
      std::abort();
    const int32_t step = Step(picture);
    uint32_t sum = 0;
    for (int32_t y = 0; y < picture.Height(); y = Next(y, step, picture.Height()))
      for (int32_t x = 0; x < picture.Width(); x = Next(x, step, picture.Width()))
        sum += picture.GetPixelColor(x, y, true).Value;
    (void)sum;
  }
  return 0;
}
