// Drawing a picture on a surface of 32-bit pixels, stretched by nearest pixel.
#include <algorithm>
#include <vector>

#include "media/picture.h"

namespace quorbel {

namespace {

// (src x a + dst x (255 - a) + 127) / 255 in each channel.
uint32_t Blend(uint32_t source, uint32_t destination, uint32_t weight) {
  uint32_t out = destination & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t s = (source >> shift) & 0xFF;
    const uint32_t d = (destination >> shift) & 0xFF;
    out |= ((s * weight + d * (255 - weight) + 127) / 255) << shift;
  }
  return out;
}

} // namespace

int CPicture::Draw(PixelSurface &surface, int32_t x, int32_t y, int32_t width, int32_t height,
                   const SurfaceRect *clip) const {
  if (!IsValid() || !surface.Pixels || width <= 0 || height <= 0)
    return 0;
  SurfaceRect visible{std::max(x, 0), std::max(y, 0), std::min<int32_t>(x + width, surface.Width),
                      std::min<int32_t>(y + height, surface.Height)};
  if (clip) {
    visible.Left = std::max(visible.Left, clip->Left);
    visible.Top = std::max(visible.Top, clip->Top);
    visible.Right = std::min(visible.Right, clip->Right);
    visible.Bottom = std::min(visible.Bottom, clip->Bottom);
  }
  if (visible.Left >= visible.Right || visible.Top >= visible.Bottom)
    return 0;
  const bool transparent = info_.TransparentIndex >= 0;
  const bool palette = Bits() <= 8;
  const uint32_t clear = TransparentColour().Value & 0x00FFFFFFu;
  if (Bits() == 8 && !HasAlpha()) {
    // The animated pictures' case, drawn on every tick: one byte a pixel, straight to its colour.
    std::vector<int32_t> columns(static_cast<size_t>(visible.Right - visible.Left));
    for (int32_t sx = visible.Left; sx < visible.Right; ++sx)
      columns[static_cast<size_t>(sx - visible.Left)] =
          static_cast<int32_t>(static_cast<int64_t>(sx - x) * Width() / width);
    for (int32_t sy = visible.Top; sy < visible.Bottom; ++sy) {
      const int32_t j = y + height - 1 - sy;
      const uint8_t *in = Row(static_cast<int32_t>(static_cast<int64_t>(j) * Height() / height));
      uint32_t *out = surface.Pixels + static_cast<ptrdiff_t>(sy) * surface.Stride + visible.Left;
      for (size_t k = 0; k < columns.size(); ++k) {
        const uint8_t index = in[columns[k]];
        if (transparent && index == info_.TransparentIndex)
          continue;
        const uint32_t colour = index < palette_.size() ? palette_[index].Value & 0x00FFFFFFu : 0u;
        out[k] = (out[k] & 0xFF000000u) | colour;
      }
    }
    return 1;
  }
  for (int32_t sy = visible.Top; sy < visible.Bottom; ++sy) {
    // Destination rows counted from the bottom of the rectangle, as the picture's rows.
    const int32_t j = y + height - 1 - sy;
    const auto row = static_cast<int32_t>(static_cast<int64_t>(j) * Height() / height);
    uint32_t *out = surface.Pixels + static_cast<ptrdiff_t>(sy) * surface.Stride;
    for (int32_t sx = visible.Left; sx < visible.Right; ++sx) {
      const auto column = static_cast<int32_t>(static_cast<int64_t>(sx - x) * Width() / width);
      if (transparent) {
        if (palette ? ReadPixelIndex(column, row) == info_.TransparentIndex
                    : (GetPixelColor(column, row).Value & 0x00FFFFFFu) == clear)
          continue;
      }
      const uint32_t colour = GetPixelColor(column, row).Value & 0x00FFFFFFu;
      uint32_t &pixel = out[sx];
      if (!HasAlpha()) {
        pixel = (pixel & 0xFF000000u) | colour;
        continue;
      }
      const uint32_t weight = static_cast<uint32_t>(GetAlpha(column, row)) * (info_.AlphaMax + 1) >> 8;
      if (weight == 0)
        continue;
      pixel = weight >= 255 ? (pixel & 0xFF000000u) | colour : Blend(colour, pixel, weight);
    }
  }
  return 1;
}

} // namespace quorbel
