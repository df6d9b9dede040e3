// WBMP: type 0 only, one-byte width and height, rows of (width + 7) / 8 bytes from the top.
#include <algorithm>
#include <array>
#include <vector>

#include "media/picture.h"
#include "media/picture_codecs.h"
#include "media/picture_reader.h"

namespace quorbel {

bool DecodeWbmp(CPictureFile &file, CPicture &picture) {
  PictureReader in(file);
  std::array<uint8_t, 4> header{};
  if (!in.Read(header))
    return RefusePicture(picture, "Not a WBMP");
  const auto [type, fixed, width, height] = header;
  if (type != 0)
    return RefusePicture(picture, "Unsupported WBMP type");
  if (width == 0 || height == 0)
    return RefusePicture(picture, "Corrupted WBMP");
  if (!picture.Create(width, height, 1, kPictureWbmp))
    return RefusePicture(picture, "WBMP Create failed");
  picture.MakeGreyPalette();
  const int32_t rowBytes = (width + 7) / 8;
  std::vector<uint8_t> rows;
  if (!in.ReadBlock(static_cast<int64_t>(rowBytes) * height, rows))
    return RefusePicture(picture, "Corrupted WBMP");
  for (int32_t r = 0; r < height; ++r)
    std::copy_n(rows.begin() + r * rowBytes, rowBytes, picture.Row(height - 1 - r));
  return true;
}

} // namespace quorbel
