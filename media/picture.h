// CPicture, the program's picture in memory: a device-independent bitmap (1, 4 or 8 bits
// with a palette, or 24 bits), rows bottom-up and padded to 4 bytes, with an optional alpha
// plane and what the decoders tell of the file (type, resolution, transparency, frames,
// the last error). Coordinates are columns from the left and rows from the bottom.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "media/pixel_colour.h"

namespace quorbel {

class CPictureFile;

// The codec that made a picture; also the types Load and Decode take (0: try each).
enum PictureType : int32_t {
  kPictureUnknown = 0,
  kPictureBmp = 1,
  kPictureGif = 2,
  kPictureIco = 3,
  kPictureTga = 4,
  kPicturePcx = 5,
  kPictureWbmp = 6,
  kPictureWmf = 7,
};

// The fields of a bitmap information header that a picture keeps.
struct PictureHeader {
  int32_t Width = 0;
  int32_t Height = 0;
  uint16_t BitCount = 0;
  uint32_t SizeImage = 0; // bytes of the pixel rows
  int32_t XPelsPerMeter = 0;
  int32_t YPelsPerMeter = 0;
  uint32_t ClrUsed = 0; // palette entries
};

// What a decoder fills in beside the pixels; a decoder starts from its target's copy.
struct PictureInfo {
  int32_t Stride = 0;
  int32_t Type = kPictureUnknown;
  std::string LastError; // at most 255 characters
  int32_t TransparentIndex = -1;
  PixelColour TransparentColour;
  int32_t FrameIndex = 0;
  int32_t FrameCount = 0;
  int32_t FrameDelay = 0; // hundredths of a second
  int32_t XDpi = 96;
  int32_t YDpi = 96;
  int32_t AlphaMax = 255;
  // The most this picture's rows may take besides kMaxPictureBytes: a picture set gives less.
  uint64_t MostBytes = ~uint64_t{0};
};

// A surface of 32-bit pixels (blue in the low byte, as PixelColour), rows top-down, that a
// picture is drawn on: the board's back buffer, or a test's.
struct PixelSurface {
  uint32_t *Pixels = nullptr;
  int32_t Stride = 0; // pixels from one row to the next
  int32_t Width = 0;
  int32_t Height = 0;
};

// Left and top inside, right and bottom outside.
struct SurfaceRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
};

// What one picture may hold, wherever it is used: a file of a few bytes may claim any size, and
// is refused before anything is allocated. 4096 x 4096 pixels leave room for the largest
// metafile drawing (4000 x 4000); their rows take at most 48 MiB, and the screen's copy of them
// 64 MiB.
inline constexpr int32_t kMaxPictureSide = 16384;
inline constexpr int64_t kMaxPicturePixels = int64_t{4096} * 4096;
inline constexpr uint64_t kMaxPictureBytes = uint64_t{48} << 20;

class CPicture {
public:
  explicit CPicture(int32_t type = kPictureUnknown);
  CPicture(int32_t width, int32_t height, int32_t bits, int32_t type);
  virtual ~CPicture() { Destroy(); }
  CPicture(const CPicture &other) { CopyFrom(other); }
  CPicture &operator=(const CPicture &other);

  // The pixel rows, or none with the reason in LastError. Bits become 1, 4, 8 or 24.
  uint8_t *Create(int32_t width, int32_t height, int32_t bits, int32_t type);
  bool Destroy();
  // Takes the pixels, alpha plane, header and information of `other`, which is left empty.
  void TakeOver(CPicture &other);
  void CopyFrom(const CPicture &other);

  bool IsValid() const { return !rows_.empty(); }
  int32_t Width() const { return header_.Width; }
  int32_t Height() const { return header_.Height; }
  int32_t Bits() const { return header_.BitCount; }
  int32_t Stride() const { return info_.Stride; }
  int32_t Type() const { return info_.Type; }
  const PictureHeader &Header() const { return header_; }
  PictureInfo &Info() { return info_; }
  const PictureInfo &Info() const { return info_; }
  const std::string &LastError() const { return info_.LastError; }
  void SetLastError(std::string_view text);
  // The resolution in dots per inch, and the header's pixels per metre with it.
  void SetDpi(int32_t x, int32_t y);

  // Row r from the bottom (0 <= r < height); none outside.
  uint8_t *Row(int32_t r);
  const uint8_t *Row(int32_t r) const;
  std::span<uint8_t> Rows() { return rows_; }
  std::span<const uint8_t> Rows() const { return rows_; }

  // Entries (blue, green, red, reserved as alpha); 2, 16 or 256 on palette pictures.
  int32_t PaletteSize() const { return static_cast<int32_t>(palette_.size()); }
  std::span<PixelColour> Palette() { return palette_; }
  std::span<const PixelColour> Palette() const { return palette_; }
  void SetPalette(std::span<const PixelColour> entries);
  void SetPalette(std::span<const uint8_t> red, std::span<const uint8_t> green,
                  std::span<const uint8_t> blue);
  void SetPaletteColour(int32_t index, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 0);
  void MakeGreyPalette();
  bool IsGreyPalette() const;
  PixelColour TransparentColour() const;

  // Outside the picture: the transparent colour when set, else pixel (0, 0)'s.
  PixelColour GetPixelColor(int32_t x, int32_t y, bool withAlpha = false) const;
  void SetPixelColor(int32_t x, int32_t y, PixelColour colour, bool setAlpha = false);
  uint8_t GetPixelGray(int32_t x, int32_t y) const;
  uint8_t ReadPixelIndex(int32_t x, int32_t y) const;
  void WritePixelIndex(int32_t x, int32_t y, uint8_t index);
  uint8_t NearestPaletteIndex(PixelColour colour) const;

  void FillBits(uint8_t value);
  void FlipRows();
  void MirrorColumns();
  void InvertColours();
  // Turned by `degrees` about the centre into `destination` (this picture when none).
  bool Rotate(double degrees, CPicture *destination = nullptr);

  bool HasAlpha() const { return !alpha_.empty(); }
  void CreateAlpha();
  void DeleteAlpha() { alpha_.clear(); }
  void SetAlpha(int32_t x, int32_t y, uint8_t value);
  uint8_t GetAlpha(int32_t x, int32_t y) const;
  void FlipAlpha();
  void MirrorAlpha();

  // 16-bit rows (masked channels, scaled to 8 bits) or 32-bit rows (blue, green, red bytes)
  // of this picture's size into its 24-bit rows. A zero mask gives 0 in its channel.
  void BitfieldsToBgr(std::span<const uint8_t> source, uint32_t redMask, uint32_t greenMask,
                      uint32_t blueMask, int32_t bits);

  // Draws the picture stretched (nearest pixel) into the rectangle at (x, y) of `width` by
  // `height`, inside the surface and `clip`: transparent pixels leave the surface as it was,
  // an alpha plane blends. 1 when drawn, 0 when there is nothing to draw.
  int Draw(PixelSurface &surface, int32_t x, int32_t y, int32_t width, int32_t height,
           const SurfaceRect *clip = nullptr) const;

  // Reads the file with the codec of `type`, then with every codec; the failure of the
  // codec asked for stays the error.
  bool Load(const std::string &path, int32_t type);
  bool Decode(CPictureFile &file, int32_t type);

private:
  bool Inside(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }

  PictureHeader header_;
  PictureInfo info_;
  std::vector<PixelColour> palette_;
  std::vector<uint8_t> rows_;
  std::vector<uint8_t> alpha_;
  mutable PixelColour lastLookup_{0xFFFFFFFFu};
  mutable uint8_t lastIndex_ = 0;
  mutable bool lookupCached_ = false;
};

// A decoder's refusal: the reason becomes the picture's text. Always false.
inline bool RefusePicture(CPicture &picture, std::string_view reason) {
  picture.SetLastError(reason);
  return false;
}

// Stride of a row of `width` pixels of `bits`.
constexpr int64_t PictureStride(int64_t width, int32_t bits) { return (width * bits + 31) / 32 * 4; }

// Whether a picture of that size and depth is within the bounds above and its rows within
// `mostBytes`; the sides may be anything a header holds.
constexpr bool PictureFits(int64_t width, int64_t height, int32_t bits,
                           uint64_t mostBytes = kMaxPictureBytes) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels &&
         static_cast<uint64_t>(PictureStride(width, bits)) * static_cast<uint64_t>(height) <=
             std::min(kMaxPictureBytes, mostBytes);
}

} // namespace quorbel
