// TGA: colour-mapped, true-colour and grey pictures, plain or run-length coded, in 8, 15,
// 16, 24 and 32 bits; the origin bits turn or mirror the picture at the end.
#include <algorithm>
#include <array>
#include <vector>

#include "media/picture.h"
#include "media/picture_codecs.h"
#include "media/picture_reader.h"

namespace quorbel {

namespace {

constexpr uint8_t kRightToLeft = 0x10;
constexpr uint8_t kTopDown = 0x20;

// Pixels in file order, packet by packet; runs may cross the ends of rows.
class TgaPixels {
public:
  TgaPixels(PictureReader &in, int bytes, bool runs) : in_(in), bytes_(bytes), runs_(runs) {}

  bool Next(std::array<uint8_t, 4> &pixel) {
    if (runs_ && left_ == 0) {
      const uint8_t header = in_.U8();
      left_ = (header & 0x7F) + 1;
      repeat_ = (header & 0x80) != 0;
      if (repeat_ && !in_.Read(std::span(held_).first(static_cast<size_t>(bytes_))))
        return false;
    }
    if (runs_) {
      --left_;
      if (repeat_) {
        pixel = held_;
        return in_.Ok();
      }
    }
    return in_.Ok() && in_.Read(std::span(pixel).first(static_cast<size_t>(bytes_)));
  }

private:
  PictureReader &in_;
  int bytes_;
  bool runs_;
  int left_ = 0;
  bool repeat_ = false;
  std::array<uint8_t, 4> held_{};
};

} // namespace

bool DecodeTga(CPictureFile &file, CPicture &picture) {
  PictureReader in(file);
  std::array<uint8_t, 18> h{};
  if (!in.Read(h))
    return RefusePicture(picture, "Not a TGA");
  const uint8_t idLength = h[0];
  const uint8_t mapType = h[1];
  const uint8_t imageType = h[2];
  const uint16_t mapLength = LittleU16(h, 5);
  const uint16_t width = LittleU16(h, 12);
  const uint16_t height = LittleU16(h, 14);
  const uint8_t depth = h[16];
  const uint8_t descriptor = h[17];
  const int kind = imageType & 7; // 1 mapped, 2 true colour, 3 grey
  if ((imageType & ~8) < 1 || (imageType & ~8) > 3)
    return RefusePicture(picture, "Unknown TGA image type");
  if (width == 0 || height == 0 || mapLength > 256 ||
      (depth != 8 && depth != 15 && depth != 16 && depth != 24 && depth != 32))
    return RefusePicture(picture, "bad TGA header");
  if (!in.Skip(idLength))
    return RefusePicture(picture, "corrupted TGA");
  const int32_t bits = kind == 2 ? 24 : 8;
  // Plain pixels must all be in the file, and a run-length packet gives at most 128 of them.
  const int64_t pixelCount = static_cast<int64_t>(width) * height;
  const int64_t pixelBytes = (depth + 7) / 8;
  if (imageType < 8 ? pixelCount * pixelBytes > in.Remaining() : pixelCount > in.Remaining() * 128)
    return RefusePicture(picture, "corrupted TGA");
  if (!picture.Create(width, height, bits, kPictureTga))
    return RefusePicture(picture, "TGA Create failed");
  if (kind == 2 && depth == 32)
    picture.CreateAlpha();

  if (mapType == 1) {
    std::vector<uint8_t> map;
    if (!in.ReadBlock(static_cast<int64_t>(mapLength) * 3, map))
      return RefusePicture(picture, "corrupted TGA");
    for (int32_t i = 0; i < mapLength; ++i)
      picture.SetPaletteColour(i, map[3 * i + 2], map[3 * i + 1], map[3 * i]);
  }
  if (kind == 3)
    picture.MakeGreyPalette();

  TgaPixels pixels(in, (depth + 7) / 8, imageType > 8);
  std::array<uint8_t, 4> p{};
  for (int32_t y = 0; y < height; ++y) {
    uint8_t *row = picture.Row(y);
    for (int32_t x = 0; x < width; ++x) {
      if (!pixels.Next(p))
        return RefusePicture(picture, "corrupted TGA");
      if (bits == 8) {
        row[x] = p[0];
      } else if (depth == 15 || depth == 16) {
        const uint16_t v = static_cast<uint16_t>(p[0] | p[1] << 8);
        row[3 * x] = static_cast<uint8_t>(v << 3);
        row[3 * x + 1] = static_cast<uint8_t>((v >> 2) & 0xF8);
        row[3 * x + 2] = static_cast<uint8_t>((v >> 7) & 0xF8);
      } else {
        std::copy_n(p.begin(), 3, row + 3 * x);
        if (depth == 32)
          picture.SetAlpha(x, y, p[3]);
      }
    }
  }
  if ((descriptor & kTopDown) != 0) {
    picture.FlipRows();
    picture.FlipAlpha();
  }
  if ((descriptor & kRightToLeft) != 0) {
    picture.MirrorColumns();
    picture.MirrorAlpha();
  }
  return true;
}

} // namespace quorbel
