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
  if (!in.Read(header)) {
    picture.SetLastError("Not a WBMP");
    return false;
  }
  const auto [type, fixed, width, height] = header;
  if (type != 0) {
    picture.SetLastError("Unsupported WBMP type");
    return false;
  }
  if (width == 0 || height == 0) {
    picture.SetLastError("Corrupted WBMP");
    return false;
  }
  if (!picture.Create(width, height, 1, kPictureWbmp)) {
    picture.SetLastError("WBMP Create failed");
    return false;
  }
  picture.MakeGreyPalette();
  const int32_t rowBytes = (width + 7) / 8;
  std::vector<uint8_t> rows;
  if (!in.ReadBlock(static_cast<int64_t>(rowBytes) * height, rows)) {
    picture.SetLastError("Corrupted WBMP");
    return false;
  }
  for (int32_t r = 0; r < height; ++r)
    std::copy_n(rows.begin() + r * rowBytes, rowBytes, picture.Row(height - 1 - r));
  return true;
}

} // namespace quorbel
