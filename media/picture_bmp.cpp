#include "media/picture_bmp.h"

#include <array>
#include <cmath>
#include <vector>

#include "media/picture.h"
#include "media/picture_file.h"
#include "media/picture_reader.h"

namespace quorbel {

namespace {

constexpr uint16_t kBmpSignature = 0x4D42; // "BM"
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kMasksEnd = 52; // the three masks of a larger header end here
constexpr uint32_t kLargestHeader = 4096;
constexpr uint32_t kPlain = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;

struct BmpHeader {
  uint32_t Size = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  uint16_t Bits = 0;
  uint32_t Compression = kPlain;
  int32_t XPelsPerMeter = 0;
  int32_t YPelsPerMeter = 0;
  uint32_t ClrUsed = 0;
  std::array<uint32_t, 3> Masks{}; // red, green, blue, when the header holds them
  bool HasMasks = false;
};

bool ReadHeader(PictureReader &in, BmpHeader &h) {
  h.Size = in.U32();
  if (!in.Ok())
    return false;
  if (h.Size == kCoreHeaderSize) {
    h.Width = in.U16();
    h.Height = static_cast<int16_t>(in.U16());
    in.U16(); // planes
    h.Bits = in.U16();
    return in.Ok();
  }
  if (h.Size < kInfoHeaderSize || h.Size > kLargestHeader)
    return false;
  std::vector<uint8_t> rest;
  if (!in.ReadBlock(h.Size - 4, rest))
    return false;
  h.Width = static_cast<int32_t>(LittleU32(rest, 0));
  h.Height = static_cast<int32_t>(LittleU32(rest, 4));
  h.Bits = LittleU16(rest, 10);
  h.Compression = LittleU32(rest, 12);
  h.XPelsPerMeter = static_cast<int32_t>(LittleU32(rest, 20));
  h.YPelsPerMeter = static_cast<int32_t>(LittleU32(rest, 24));
  h.ClrUsed = LittleU32(rest, 28);
  if (h.Size >= kMasksEnd) {
    for (size_t k = 0; k < 3; ++k)
      h.Masks[k] = LittleU32(rest, 36 + 4 * k);
    h.HasMasks = true;
  }
  return true;
}

int32_t DotsPerInch(int32_t pelsPerMetre) {
  return static_cast<int32_t>(std::floor(pelsPerMetre * 254.0 / 10000.0 + 0.5));
}

} // namespace

void ExpandRunLengths(std::span<const uint8_t> data, CPicture &picture, bool fourBits) {
  int32_t x = 0;
  int32_t y = 0;
  size_t at = 0;
  auto put = [&](uint8_t index) { picture.WritePixelIndex(x++, y, index); };
  while (at + 1 < data.size() && y < picture.Height()) {
    const uint8_t count = data[at];
    const uint8_t value = data[at + 1];
    at += 2;
    if (count > 0) {
      for (int k = 0; k < count; ++k)
        put(fourBits ? static_cast<uint8_t>(k % 2 == 0 ? value >> 4 : value & 0x0F) : value);
      continue;
    }
    if (value == 0) { // end of line
      x = 0;
      ++y;
    } else if (value == 1) { // end of bitmap
      return;
    } else if (value == 2) { // delta
      if (at + 1 >= data.size())
        return;
      x += data[at];
      y += data[at + 1];
      at += 2;
    } else { // an absolute run of `value` pixels, padded to a whole word
      const size_t bytes = fourBits ? (value + 1u) / 2 : value;
      if (at + bytes > data.size())
        return;
      for (int k = 0; k < value; ++k) {
        const uint8_t byte = data[at + (fourBits ? k / 2 : k)];
        put(fourBits ? static_cast<uint8_t>(k % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
      }
      at += bytes + (bytes & 1);
    }
  }
}

bool DecodeBmp(CPictureFile &file, CPicture &picture) {
  PictureReader in(file);
  const int64_t start = in.Position();
  std::array<uint8_t, 14> fileHeader{};
  if (!in.Read(fileHeader))
    return RefusePicture(picture, "Not a BMP");
  uint32_t pixelOffset = 0;
  if (LittleU16(fileHeader, 0) == kBmpSignature)
    pixelOffset = LittleU32(fileHeader, 10);
  else if (!in.Seek(start)) // the information header alone, as the clipboard gives it
    return RefusePicture(picture, "Not a BMP");

  BmpHeader h;
  if (!ReadHeader(in, h) || h.Width <= 0 || h.Height == 0 || h.Height == INT32_MIN)
    return RefusePicture(picture, "Error reading BMP info");
  const bool topDown = h.Height < 0;
  const int32_t height = topDown ? -h.Height : h.Height;
  if (h.Bits != 1 && h.Bits != 4 && h.Bits != 8 && h.Bits != 16 && h.Bits != 24 && h.Bits != 32)
    return RefusePicture(picture, "Error reading BMP info");
  // Plain rows must all be in the file: a header that claims more is refused before allocating
  // (divided, since the claimed size need not fit in 64 bits).
  if ((h.Compression == kPlain || h.Compression == kBitFields) &&
      PictureStride(h.Width, h.Bits) > in.Remaining() / height)
    return RefusePicture(picture, "Error reading BMP info");
  // A compression we do not read is refused before the rows are made (a picture too large for
  // any is told as such first).
  const bool readable = h.Bits <= 8
                            ? h.Compression == kPlain || h.Compression == kRle8 || h.Compression == kRle4
                        : h.Bits == 24 ? h.Compression == kPlain
                                       : h.Compression == kPlain || h.Compression == kBitFields;
  if (!readable && PictureFits(h.Width, height, h.Bits, picture.Info().MostBytes))
    return RefusePicture(picture, h.Bits <= 8 ? "compression type not supported" : "unknown compression");
  if (!picture.Create(h.Width, height, h.Bits, kPictureBmp))
    return false;
  picture.SetDpi(DotsPerInch(h.XPelsPerMeter), DotsPerInch(h.YPelsPerMeter));

  if (h.Bits <= 8) {
    // More entries than the depth holds would write past the palette.
    const uint32_t most = 1u << h.Bits;
    const uint32_t entries = h.ClrUsed == 0 || h.ClrUsed > most ? most : h.ClrUsed;
    const uint32_t entrySize = h.Size == kCoreHeaderSize ? 3 : 4;
    std::vector<uint8_t> table;
    if (!in.ReadBlock(static_cast<int64_t>(entries) * entrySize, table))
      return RefusePicture(picture, "Error reading BMP info");
    for (uint32_t i = 0; i < entries; ++i)
      picture.SetPaletteColour(static_cast<int32_t>(i), table[i * entrySize + 2], table[i * entrySize + 1],
                               table[i * entrySize]);
  } else if (h.Compression == kBitFields && !h.HasMasks) {
    for (uint32_t &mask : h.Masks)
      mask = in.U32();
    if (!in.Ok())
      return RefusePicture(picture, "Error reading BMP info");
  }
  // The rows start where the file header says, past any part of a larger header we skipped.
  if (pixelOffset > 0 && !in.Seek(start + pixelOffset))
    return RefusePicture(picture, "Error reading BMP info");

  const int64_t rowBytes = static_cast<int64_t>(picture.Stride()) * height;
  std::vector<uint8_t> data;
  switch (h.Bits) {
  case 1:
  case 4:
  case 8:
    if (h.Compression == kPlain) {
      if (!in.ReadBlock(rowBytes, data))
        return RefusePicture(picture, "Error reading BMP info");
      std::copy(data.begin(), data.end(), picture.Rows().begin());
    } else if (h.Compression == kRle8 || h.Compression == kRle4) {
      if (!in.ReadRest(static_cast<int64_t>(kMaxPictureBytes), data))
        return RefusePicture(picture, "Error reading BMP info");
      ExpandRunLengths(data, picture, h.Compression == kRle4);
    } else {
      return RefusePicture(picture, "compression type not supported");
    }
    break;
  case 16: {
    if (h.Compression != kPlain && h.Compression != kBitFields)
      return RefusePicture(picture, "unknown compression");
    const std::array<uint32_t, 3> masks =
        h.Compression == kBitFields ? h.Masks : std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F};
    if (!in.ReadBlock(PictureStride(h.Width, 16) * height, data))
      return RefusePicture(picture, "Error reading BMP info");
    picture.BitfieldsToBgr(data, masks[0], masks[1], masks[2], 16);
    break;
  }
  case 24:
    if (h.Compression != kPlain)
      return RefusePicture(picture, "unknown compression");
    if (!in.ReadBlock(rowBytes, data))
      return RefusePicture(picture, "Error reading BMP info");
    std::copy(data.begin(), data.end(), picture.Rows().begin());
    break;
  default: // 32
    if (h.Compression != kPlain && h.Compression != kBitFields)
      return RefusePicture(picture, "unknown compression");
    if (!in.ReadBlock(PictureStride(h.Width, 32) * height, data))
      return RefusePicture(picture, "Error reading BMP info");
    picture.BitfieldsToBgr(data, 0, 0, 0, 32);
    break;
  }
  if (topDown)
    picture.FlipRows();
  return true;
}

bool CreateFromPackedBitmap(std::span<const uint8_t> block, CPicture &picture) {
  picture.Destroy();
  // Without a file header the BMP codec reads the information header at once.
  if (block.size() < 2 || LittleU16(block, 0) == kBmpSignature)
    return false;
  CPictureMemFile file(block);
  return DecodeBmp(file, picture);
}

} // namespace quorbel
