// One picture codec on any bytes (QUORBEL_PICTURE_TYPE picks it, 0 every codec in turn): no
// crash, no undefined behaviour, and either a picture whose every pixel can be read or a
// refusal with words.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "media/picture.h"
#include "media/picture_file.h"

using namespace quorbel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  for (const int32_t frame : {0, 1}) {
    CPictureMemFile file(std::span<const uint8_t>(data, size));
    CPicture picture;
    picture.Info().FrameIndex = frame;
    if (!picture.Decode(file, QUORBEL_PICTURE_TYPE)) {
      if (picture.LastError().empty())
        std::abort();
      continue;
    }
    uint32_t sum = 0;
    for (int32_t y = 0; y < picture.Height(); ++y)
      for (int32_t x = 0; x < picture.Width(); ++x)
        sum += picture.GetPixelColor(x, y, true).Value;
    if (picture.Rows().size() !=
        static_cast<size_t>(picture.Stride()) * static_cast<size_t>(picture.Height()))
      std::abort();
    (void)sum;
  }
  return 0;
}
