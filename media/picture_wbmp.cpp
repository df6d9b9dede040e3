// WBMP: type 0 only; the width and height are multi-byte integers (seven bits a byte, the high
// bit on every byte but the last); rows of (width + 7) / 8 bytes from the top.
#include <algorithm>
#include <vector>

#include "media/picture.h"
#include "media/picture_codecs.h"
#include "media/picture_reader.h"

namespace quorbel {

namespace {

// Four bytes carry 28 bits, far past the largest picture we make.
constexpr int kMostIntegerBytes = 4;

// False at the end of the file or on an integer longer than four bytes.
bool ReadMultiByte(PictureReader &in, int32_t &value) {
  value = 0;
  for (int i = 0; i < kMostIntegerBytes; ++i) {
    const uint8_t byte = in.U8();
    if (!in.Ok())
      return false;
    value = value << 7 | (byte & 0x7F);
    if ((byte & 0x80) == 0)
      return true;
  }
  return false;
}

} // namespace

bool DecodeWbmp(CPictureFile &file, CPicture &picture) {
  PictureReader in(file);
  const uint8_t type = in.U8();
  in.U8(); // the fixed header: no extension headers in type 0
  int32_t width = 0;
  int32_t height = 0;
  if (!in.Ok())
    return RefusePicture(picture, "Not a WBMP");
  if (type != 0)
    return RefusePicture(picture, "Unsupported WBMP type");
  if (!ReadMultiByte(in, width))
    return RefusePicture(picture, in.Ok() ? "Corrupted WBMP" : "Not a WBMP");
  if (!ReadMultiByte(in, height))
    return RefusePicture(picture, in.Ok() ? "Corrupted WBMP" : "Not a WBMP");
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
    std::copy_n(rows.begin() + static_cast<ptrdiff_t>(r) * rowBytes, rowBytes, picture.Row(height - 1 - r));
  return true;
}

} // namespace quorbel
