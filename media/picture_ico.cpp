// ICO and CUR: the directory's chosen image (its colour rows, then its AND mask, which
// becomes a transparent index or colour, or an alpha plane).
#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "media/picture.h"
#include "media/picture_codecs.h"
#include "media/picture_reader.h"

namespace quorbel {

namespace {

constexpr uint32_t kInfoHeaderSize = 40;

// The mask's bit for pixel (x, y), rows bottom-up as the colour rows.
bool Masked(const std::vector<uint8_t> &mask, int32_t stride, int32_t x, int32_t y) {
  return (mask[static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x / 8)] &
          (0x80 >> (x % 8))) != 0;
}

void ApplyMask(CPicture &picture, const std::vector<uint8_t> &mask, int32_t stride) {
  const int32_t w = picture.Width();
  const int32_t h = picture.Height();
  if (std::all_of(mask.begin(), mask.end(), [](uint8_t b) { return b == 0xFF; })) {
    picture.Info().TransparentIndex = 0;
    picture.InvertColours();
    return;
  }
  const bool hadAlpha = picture.HasAlpha();
  picture.CreateAlpha();
  bool anyMasked = false;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      if (Masked(mask, stride, x, y)) {
        picture.SetAlpha(x, y, 0);
        anyMasked = true;
      }
  if (!anyMasked) {
    if (!hadAlpha)
      picture.DeleteAlpha();
    return;
  }
  if (picture.Bits() == 24) {
    // One colour under every masked pixel: that colour is the transparent one.
    std::optional<PixelColour> shared;
    bool one = true;
    for (int32_t y = 0; y < h && one; ++y)
      for (int32_t x = 0; x < w && one; ++x)
        if (Masked(mask, stride, x, y)) {
          const PixelColour c = picture.GetPixelColor(x, y);
          one = !shared || *shared == c;
          shared = c;
        }
    if (one && shared) {
      picture.Info().TransparentColour = *shared;
      picture.Info().TransparentIndex = 0;
      picture.DeleteAlpha();
    }
    return;
  }
  // The first palette entry no pixel uses marks the masked pixels.
  std::vector<bool> used(static_cast<size_t>(picture.PaletteSize()), false);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      if (!Masked(mask, stride, x, y))
        used[picture.ReadPixelIndex(x, y)] = true;
  for (size_t free = 0; free < used.size(); ++free) {
    if (used[free])
      continue;
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x)
        if (Masked(mask, stride, x, y))
          picture.WritePixelIndex(x, y, static_cast<uint8_t>(free));
    picture.Info().TransparentIndex = static_cast<int32_t>(free);
    picture.DeleteAlpha();
    return;
  }
}

} // namespace

bool DecodeIco(CPictureFile &file, CPicture &picture) {
  PictureReader in(file);
  const int64_t start = in.Position();
  const uint16_t reserved = in.U16();
  const uint16_t kind = in.U16();
  const uint16_t count = in.U16();
  if (!in.Ok() || reserved != 0 || (kind != 1 && kind != 2))
    return false;
  const int32_t frame = picture.Info().FrameIndex;
  if (frame < 0 || frame >= count)
    return false;
  std::array<uint8_t, 16> entry{};
  if (!in.Skip(16 * static_cast<int64_t>(frame)) || !in.Read(entry))
    return false;
  // A width or height of 0 stands for 256.
  const int32_t width = entry[0] == 0 ? 256 : entry[0];
  const int32_t height = entry[1] == 0 ? 256 : entry[1];
  std::array<uint8_t, kInfoHeaderSize> info{};
  if (!in.Seek(start + LittleU32(entry, 12)) || !in.Read(info) || LittleU32(info, 0) < kInfoHeaderSize)
    return false;
  const uint16_t bits = LittleU16(info, 14);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
    return false;
  if (!in.Skip(LittleU32(info, 0) - kInfoHeaderSize) || !picture.Create(width, height, bits, kPictureIco))
    return false;
  picture.Info().FrameCount = count;
  if (bits <= 8) {
    const uint32_t most = 1u << bits;
    const uint32_t used = LittleU32(info, 32);
    const uint32_t entries = used == 0 || used > most ? most : used;
    std::vector<uint8_t> table;
    if (!in.ReadBlock(static_cast<int64_t>(entries) * 4, table))
      return false;
    for (uint32_t i = 0; i < entries; ++i)
      picture.SetPaletteColour(static_cast<int32_t>(i), table[4 * i + 2], table[4 * i + 1], table[4 * i]);
  }
  std::vector<uint8_t> rows;
  if (bits == 32) {
    if (!in.ReadBlock(static_cast<int64_t>(width) * height * 4, rows))
      return false;
    picture.CreateAlpha();
    for (int32_t y = 0; y < height; ++y)
      for (int32_t x = 0; x < width; ++x) {
        const uint8_t *p = rows.data() + 4 * (static_cast<size_t>(y) * width + x);
        picture.SetPixelColor(x, y, RgbPixel(p[2], p[1], p[0]));
        picture.SetAlpha(x, y, p[3]);
      }
  } else {
    if (!in.ReadBlock(static_cast<int64_t>(picture.Stride()) * height, rows))
      return false;
    std::copy(rows.begin(), rows.end(), picture.Rows().begin());
  }
  const int32_t maskStride = (width + 31) / 32 * 4;
  std::vector<uint8_t> mask;
  // Without its mask the picture is kept as it is.
  if (in.ReadBlock(static_cast<int64_t>(maskStride) * height, mask))
    ApplyMask(picture, mask, maskStride);
  return true;
}

} // namespace quorbel
