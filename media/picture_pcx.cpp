// PCX: run-length coded lines of 1 to 4 planes; packed pixels of 1, 2, 4 or 8 bits in one
// plane, planar pixels of 1 bit in up to 4 planes, or red, green, blue (and alpha) planes
// of 8 bits. The top line comes first.
#include <algorithm>
#include <array>
#include <vector>

#include "media/picture.h"
#include "media/picture_codecs.h"
#include "media/picture_reader.h"

namespace quorbel {

namespace {

constexpr uint8_t kManufacturer = 10;
constexpr uint8_t kRunLengths = 1;
constexpr uint8_t kRunMark = 0xC0;
constexpr uint8_t kPaletteMark = 12;

// The run-length coded data of `count` bytes.
bool ReadRuns(PictureReader &in, int64_t count, std::vector<uint8_t> &out, CPicture &picture) {
  out.clear();
  out.reserve(static_cast<size_t>(count));
  while (static_cast<int64_t>(out.size()) < count) {
    const uint8_t byte = in.U8();
    if (!in.Ok())
      return RefusePicture(picture, "corrupted PCX");
    if ((byte & kRunMark) != kRunMark) {
      out.push_back(byte);
      continue;
    }
    const int repeat = byte & 0x3F;
    const uint8_t value = in.U8();
    if (!in.Ok())
      return RefusePicture(picture, "corrupted PCX");
    if (static_cast<int64_t>(out.size()) + repeat > count)
      return RefusePicture(picture, "repeat count spans end of image");
    out.insert(out.end(), static_cast<size_t>(repeat), value);
  }
  return true;
}

} // namespace

bool DecodePcx(CPictureFile &file, CPicture &picture) {
  PictureReader in(file);
  std::array<uint8_t, 128> h{};
  if (!in.Read(h))
    return RefusePicture(picture, "Can't read PCX image");
  if (h[0] != kManufacturer)
    return RefusePicture(picture, "Error: Not a PCX file");
  if (h[2] != kRunLengths)
    return RefusePicture(picture, "PCX file has unknown encoding scheme");
  const int bits = h[3];
  const int32_t width = static_cast<int32_t>(LittleU16(h, 8)) - LittleU16(h, 4) + 1;
  const int32_t height = static_cast<int32_t>(LittleU16(h, 10)) - LittleU16(h, 6) + 1;
  const int planes = h[65];
  const int32_t lineBytes = LittleU16(h, 66);
  if (planes > 4)
    return RefusePicture(picture, "Can't handle image with more than 4 planes");
  const bool colourPlanes = bits == 8 && (planes == 3 || planes == 4);
  const int32_t depth = colourPlanes ? 24 : bits == 1 && planes == 4 ? 4 : bits;
  // Each plane's line holds the whole width, and the runs can give no more than 63 bytes for two
  // of the file: a header that claims more pixels than its data can fill is refused before the
  // picture is made, and decoding costs what the file does.
  const int64_t planeBits = colourPlanes ? 8 : planes == 1 ? std::max(bits, 1) : 1;
  const int64_t lineSpan = static_cast<int64_t>(lineBytes) * planes;
  if (width > 0 && height > 0 &&
      (planes == 0 || static_cast<int64_t>(lineBytes) * 8 < width * planeBits ||
       lineSpan * height > static_cast<int64_t>(kMaxPictureBytes) || lineSpan * height > in.Remaining() * 32))
    return RefusePicture(picture, "corrupted PCX");
  if (!picture.Create(width, height, depth, kPicturePcx))
    return false;
  picture.SetDpi(LittleU16(h, 12), LittleU16(h, 14));
  if (planes == 4 && colourPlanes)
    picture.CreateAlpha();

  std::vector<uint8_t> data;
  if (!ReadRuns(in, lineSpan * height, data, picture))
    return false;

  for (int i = 0; i < 16; ++i)
    picture.SetPaletteColour(i, h[16 + 3 * i], h[17 + 3 * i], h[18 + 3 * i]);
  if (bits == 8 && planes == 1) {
    std::vector<uint8_t> palette;
    if (in.U8() != kPaletteMark || !in.ReadBlock(768, palette))
      return RefusePicture(picture, "bad color map signature");
    for (int i = 0; i < 256; ++i)
      picture.SetPaletteColour(i, palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]);
  } else if (bits == 1 && planes == 1) {
    picture.MakeGreyPalette();
  }

  if (!colourPlanes && bits > 1 && planes > 1)
    return RefusePicture(picture, "Can't handle packed pixels with more than 1 plane.");
  // Packed pixels fill whole bytes: 1, 2, 4 or 8 bits.
  if (!colourPlanes && bits != 1 && bits != 2 && bits != 4 && bits != 8)
    return RefusePicture(picture, "Can't handle more than 1 bit per pixel");

  for (int32_t y = 0; y < height; ++y) {
    const uint8_t *line = data.data() + y * lineSpan;
    const int32_t row = height - 1 - y;
    for (int32_t x = 0; x < width; ++x) {
      if (colourPlanes) {
        auto plane = [&](int p) { return x < lineBytes ? line[p * lineBytes + x] : uint8_t{0}; };
        picture.SetPixelColor(x, row, RgbPixel(plane(0), plane(1), plane(2)));
        if (planes == 4)
          picture.SetAlpha(x, row, plane(3));
        continue;
      }
      uint8_t index = 0;
      if (planes == 1) {
        const int64_t bit = static_cast<int64_t>(x) * bits;
        if (bit / 8 < lineBytes)
          index = static_cast<uint8_t>((line[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1));
      } else {
        for (int p = 0; p < planes; ++p)
          if (x / 8 < lineBytes && (line[p * lineBytes + x / 8] & (0x80 >> (x % 8))) != 0)
            index = static_cast<uint8_t>(index | 1 << p);
      }
      picture.WritePixelIndex(x, row, index);
    }
  }
  return true;
}

} // namespace quorbel
