#include "media/picture.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

#include "media/picture_reader.h"

namespace quorbel {

namespace {

constexpr size_t kMaxErrorText = 255;
constexpr int32_t kFarDistance = 200000; // never the nearest entry

int32_t NormalisedBits(int32_t bits) { return bits <= 1 ? 1 : bits <= 4 ? 4 : bits <= 8 ? 8 : 24; }

int32_t PelsPerMetre(int32_t dpi) { return static_cast<int32_t>(std::lround(dpi * 10000.0 / 254.0)); }

int32_t Squared(int32_t v) { return v * v; }

} // namespace

CPicture::CPicture(int32_t type) { info_.Type = type; }

CPicture::CPicture(int32_t width, int32_t height, int32_t bits, int32_t type) {
  Create(width, height, bits, type);
}

CPicture &CPicture::operator=(const CPicture &other) {
  CopyFrom(other);
  return *this;
}

void CPicture::SetLastError(std::string_view text) {
  info_.LastError.assign(text.substr(0, std::min(text.size(), kMaxErrorText)));
}

void CPicture::SetDpi(int32_t x, int32_t y) {
  info_.XDpi = x;
  info_.YDpi = y;
  header_.XPelsPerMeter = PelsPerMetre(x);
  header_.YPelsPerMeter = PelsPerMetre(y);
}

uint8_t *CPicture::Create(int32_t width, int32_t height, int32_t bits, int32_t type) {
  Destroy();
  if (width <= 0 || height <= 0) {
    SetLastError("CPicture::Create : width and height must be greater than zero");
    return nullptr;
  }
  bits = NormalisedBits(bits);
  const int64_t stride = PictureStride(width, bits);
  // A hostile header must not make us allocate what no picture of ours needs.
  if (!PictureFits(width, height, bits, info_.MostBytes)) {
    SetLastError("CPicture::Create can't allocate memory");
    return nullptr;
  }
  header_ = PictureHeader{};
  header_.Width = width;
  header_.Height = height;
  header_.BitCount = static_cast<uint16_t>(bits);
  header_.SizeImage = static_cast<uint32_t>(stride * height);
  const size_t paletteSize = bits == 24 ? 0 : size_t{1} << bits;
  header_.ClrUsed = static_cast<uint32_t>(paletteSize);
  info_.Stride = static_cast<int32_t>(stride);
  info_.Type = type;
  SetDpi(info_.XDpi, info_.YDpi);
  palette_.assign(paletteSize, PixelColour{});
  rows_.assign(static_cast<size_t>(stride * height), 0);
  alpha_.clear();
  lookupCached_ = false;
  return rows_.data();
}

bool CPicture::Destroy() {
  alpha_.clear();
  rows_.clear();
  palette_.clear();
  header_ = PictureHeader{};
  lookupCached_ = false;
  return true;
}

void CPicture::TakeOver(CPicture &other) {
  if (&other == this)
    return;
  Destroy();
  header_ = other.header_;
  info_ = other.info_;
  palette_ = std::move(other.palette_);
  rows_ = std::move(other.rows_);
  alpha_ = std::move(other.alpha_);
  other.Destroy();
}

void CPicture::CopyFrom(const CPicture &other) {
  if (&other == this)
    return;
  header_ = other.header_;
  info_ = other.info_;
  palette_ = other.palette_;
  rows_ = other.rows_;
  alpha_ = other.alpha_;
  lookupCached_ = false;
}

uint8_t *CPicture::Row(int32_t r) {
  return r >= 0 && r < Height() && IsValid() ? rows_.data() + static_cast<size_t>(r) * info_.Stride : nullptr;
}

const uint8_t *CPicture::Row(int32_t r) const {
  return r >= 0 && r < Height() && IsValid() ? rows_.data() + static_cast<size_t>(r) * info_.Stride : nullptr;
}

// ---- palette ----

void CPicture::SetPalette(std::span<const PixelColour> entries) {
  std::copy_n(entries.begin(), std::min(entries.size(), palette_.size()), palette_.begin());
  lookupCached_ = false;
}

void CPicture::SetPalette(std::span<const uint8_t> red, std::span<const uint8_t> green,
                          std::span<const uint8_t> blue) {
  if (blue.empty())
    blue = green;
  const size_t n = std::min({palette_.size(), red.size(), green.size(), blue.size()});
  for (size_t i = 0; i < n; ++i)
    palette_[i] = RgbPixel(red[i], green[i], blue[i]);
  lookupCached_ = false;
}

void CPicture::SetPaletteColour(int32_t index, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
  if (index >= 0 && index < PaletteSize())
    palette_[static_cast<size_t>(index)] = RgbPixel(red, green, blue, alpha);
  lookupCached_ = false;
}

void CPicture::MakeGreyPalette() {
  if (palette_.size() < 2)
    return;
  const int32_t step = 255 / (PaletteSize() - 1);
  for (int32_t i = 0; i < PaletteSize(); ++i) {
    const auto v = static_cast<uint8_t>(i * step);
    palette_[static_cast<size_t>(i)] = RgbPixel(v, v, v);
  }
  lookupCached_ = false;
}

bool CPicture::IsGreyPalette() const {
  if (palette_.empty())
    return false;
  for (int32_t i = 0; i < PaletteSize(); ++i) {
    const PixelColour entry = palette_[static_cast<size_t>(i)];
    if (entry.Red() != i || entry.Green() != i || entry.Blue() != i)
      return false;
  }
  return true;
}

PixelColour CPicture::TransparentColour() const {
  if (Bits() > 23 || info_.TransparentIndex < 0 || info_.TransparentIndex >= PaletteSize())
    return info_.TransparentColour;
  return palette_[static_cast<size_t>(info_.TransparentIndex)];
}

uint8_t CPicture::NearestPaletteIndex(PixelColour colour) const {
  if (lookupCached_ && lastLookup_ == colour)
    return lastIndex_;
  int32_t best = kFarDistance;
  uint8_t index = 0;
  for (size_t i = 0; i < palette_.size(); ++i) {
    const PixelColour entry = palette_[i];
    const int32_t distance = Squared(entry.Red() - colour.Red()) + Squared(entry.Green() - colour.Green()) +
                             Squared(entry.Blue() - colour.Blue());
    if (distance < best) {
      best = distance;
      index = static_cast<uint8_t>(i);
      if (distance == 0)
        break;
    }
  }
  lastLookup_ = colour;
  lastIndex_ = index;
  lookupCached_ = true;
  return index;
}

// ---- pixels ----

uint8_t CPicture::ReadPixelIndex(int32_t x, int32_t y) const {
  if (!IsValid() || Bits() > 8)
    return 0;
  if (!Inside(x, y))
    return info_.TransparentIndex >= 0 ? static_cast<uint8_t>(info_.TransparentIndex) : rows_[0];
  const uint8_t *row = Row(y);
  switch (Bits()) {
  case 8:
    return row[x];
  case 4:
    return static_cast<uint8_t>((x & 1) == 0 ? row[x >> 1] >> 4 : row[x >> 1] & 0x0F);
  default:
    return static_cast<uint8_t>((row[x >> 3] >> (7 - (x & 7))) & 1);
  }
}

void CPicture::WritePixelIndex(int32_t x, int32_t y, uint8_t index) {
  if (!IsValid() || Bits() > 8 || !Inside(x, y))
    return;
  uint8_t *row = Row(y);
  switch (Bits()) {
  case 8:
    row[x] = index;
    return;
  case 4: {
    uint8_t &byte = row[x >> 1];
    byte = (x & 1) == 0 ? static_cast<uint8_t>((byte & 0x0F) | (index & 0x0F) << 4)
                        : static_cast<uint8_t>((byte & 0xF0) | (index & 0x0F));
    return;
  }
  default: {
    const auto bit = static_cast<uint8_t>(0x80 >> (x & 7));
    uint8_t &byte = row[x >> 3];
    byte = (index & 1) != 0 ? static_cast<uint8_t>(byte | bit) : static_cast<uint8_t>(byte & ~bit);
    return;
  }
  }
}

PixelColour CPicture::GetPixelColor(int32_t x, int32_t y, bool withAlpha) const {
  if (!IsValid())
    return {};
  if (!Inside(x, y)) {
    if (info_.TransparentIndex < 0) {
      x = 0;
      y = 0;
    } else {
      return TransparentColour();
    }
  }
  PixelColour colour;
  if (Bits() <= 8) {
    const uint8_t index = ReadPixelIndex(x, y);
    colour = index < palette_.size() ? palette_[index] : PixelColour{};
  } else {
    const uint8_t *pixel = Row(y) + 3 * x;
    colour = RgbPixel(pixel[2], pixel[1], pixel[0]);
  }
  if (withAlpha && HasAlpha())
    colour.Value = (colour.Value & 0x00FFFFFFu) | static_cast<uint32_t>(GetAlpha(x, y)) << 24;
  return colour;
}

void CPicture::SetPixelColor(int32_t x, int32_t y, PixelColour colour, bool setAlpha) {
  if (!IsValid() || !Inside(x, y))
    return;
  if (Bits() <= 8) {
    WritePixelIndex(x, y, NearestPaletteIndex(colour));
  } else {
    uint8_t *pixel = Row(y) + 3 * x;
    pixel[0] = colour.Blue();
    pixel[1] = colour.Green();
    pixel[2] = colour.Red();
  }
  if (setAlpha)
    SetAlpha(x, y, colour.Alpha());
}

uint8_t CPicture::GetPixelGray(int32_t x, int32_t y) const {
  const PixelColour c = GetPixelColor(x, y);
  return static_cast<uint8_t>((c.Red() * 306 + c.Green() * 601 + c.Blue() * 117) >> 10);
}

// ---- whole picture ----

void CPicture::FillBits(uint8_t value) {
  if (Bits() == 1)
    value = value != 0 ? 0xFF : 0;
  else if (Bits() == 4)
    value = static_cast<uint8_t>((value & 0x0F) | (value & 0x0F) << 4);
  std::fill(rows_.begin(), rows_.end(), value);
}

void CPicture::FlipRows() {
  for (int32_t top = 0, bottom = Height() - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(Row(top), Row(top) + Stride(), Row(bottom));
}

void CPicture::MirrorColumns() {
  if (!IsValid())
    return;
  for (int32_t y = 0; y < Height(); ++y) {
    if (Bits() == 24) {
      uint8_t *row = Row(y);
      for (int32_t l = 0, r = Width() - 1; l < r; ++l, --r)
        std::swap_ranges(row + 3 * l, row + 3 * l + 3, row + 3 * r);
      continue;
    }
    for (int32_t l = 0, r = Width() - 1; l < r; ++l, --r) {
      const uint8_t left = ReadPixelIndex(l, y);
      WritePixelIndex(l, y, ReadPixelIndex(r, y));
      WritePixelIndex(r, y, left);
    }
  }
}

void CPicture::InvertColours() {
  if (!IsValid())
    return;
  if (Bits() <= 8 && !IsGreyPalette()) {
    for (PixelColour &entry : palette_)
      entry.Value ^= 0x00FFFFFFu;
    lookupCached_ = false;
    return;
  }
  const int32_t pixelBytes = static_cast<int32_t>((static_cast<int64_t>(Width()) * Bits() + 7) / 8);
  for (int32_t y = 0; y < Height(); ++y) {
    uint8_t *row = Row(y);
    for (int32_t k = 0; k < pixelBytes; ++k)
      row[k] = static_cast<uint8_t>(~row[k]);
  }
  if (Bits() == 24)
    info_.TransparentColour.Value ^= 0x00FFFFFFu;
}

bool CPicture::Rotate(double degrees, CPicture *destination) {
  if (!IsValid())
    return false;
  const double angle = degrees * std::numbers::pi / 180.0;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  const double cx = Width() / 2.0;
  const double cy = Height() / 2.0;
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  bool first = true;
  for (const auto &[px, py] : {std::pair{-cx, -cy}, {cx, -cy}, {-cx, cy}, {cx, cy}}) {
    const double x = px * c - py * s;
    const double y = px * s + py * c;
    minX = first ? x : std::min(minX, x);
    maxX = first ? x : std::max(maxX, x);
    minY = first ? y : std::min(minY, y);
    maxY = first ? y : std::max(maxY, y);
    first = false;
  }
  // Rounded down, past the sine's rounding noise: a quarter turn is an exact quarter turn.
  constexpr double kNoise = 1e-9;
  auto down = [](double v) { return std::floor(v + kNoise); };
  const auto newW = static_cast<int32_t>(down(maxX) - down(minX)) + 2;
  const auto newH = static_cast<int32_t>(down(maxY) - down(minY)) + 2;
  CPicture turned;
  turned.info_ = info_;
  if (!turned.Create(newW, newH, Bits(), Type())) {
    SetLastError(turned.LastError());
    return false;
  }
  turned.palette_ = palette_;
  if (HasAlpha())
    turned.alpha_.assign(static_cast<size_t>(newW) * static_cast<size_t>(newH), 0);
  const double ncx = newW / 2.0;
  const double ncy = newH / 2.0;
  for (int32_t y = 0; y < newH; ++y) {
    for (int32_t x = 0; x < newW; ++x) {
      // Turned back about the centres: the source pixel this one shows.
      const double dx = x - ncx;
      const double dy = y - ncy;
      const auto sx = static_cast<int32_t>(std::floor(dx * c + dy * s + cx));
      const auto sy = static_cast<int32_t>(std::floor(-dx * s + dy * c + cy));
      if (Bits() <= 8)
        turned.WritePixelIndex(x, y, ReadPixelIndex(sx, sy));
      else
        turned.SetPixelColor(x, y, GetPixelColor(sx, sy));
      if (HasAlpha())
        turned.SetAlpha(x, y, GetAlpha(sx, sy));
    }
  }
  (destination ? *destination : *this).TakeOver(turned);
  return true;
}

// ---- alpha plane ----

void CPicture::CreateAlpha() {
  if (IsValid() && alpha_.empty())
    alpha_.assign(static_cast<size_t>(Width()) * static_cast<size_t>(Height()), 255);
}

void CPicture::SetAlpha(int32_t x, int32_t y, uint8_t value) {
  if (HasAlpha() && Inside(x, y))
    alpha_[static_cast<size_t>(y) * static_cast<size_t>(Width()) + static_cast<size_t>(x)] = value;
}

uint8_t CPicture::GetAlpha(int32_t x, int32_t y) const {
  if (!HasAlpha() || !Inside(x, y))
    return 0;
  return alpha_[static_cast<size_t>(y) * static_cast<size_t>(Width()) + static_cast<size_t>(x)];
}

void CPicture::FlipAlpha() {
  if (!HasAlpha())
    return;
  const auto w = static_cast<size_t>(Width());
  for (int32_t top = 0, bottom = Height() - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(alpha_.begin() + static_cast<ptrdiff_t>(top * w),
                     alpha_.begin() + static_cast<ptrdiff_t>((top + 1) * w),
                     alpha_.begin() + static_cast<ptrdiff_t>(bottom * w));
}

void CPicture::MirrorAlpha() {
  if (!HasAlpha())
    return;
  const auto w = static_cast<ptrdiff_t>(Width());
  for (int32_t y = 0; y < Height(); ++y)
    std::reverse(alpha_.begin() + y * w, alpha_.begin() + (y + 1) * w);
}

void CPicture::BitfieldsToBgr(std::span<const uint8_t> source, uint32_t redMask, uint32_t greenMask,
                              uint32_t blueMask, int32_t bits) {
  if (!IsValid() || Bits() != 24 || (bits != 16 && bits != 32))
    return;
  const int64_t sourceStride = PictureStride(Width(), bits);
  // A channel's value scaled to 8 bits, so that a full narrow channel is 255 and not 248; a
  // zero mask reads 0.
  auto channel = [](uint32_t value, uint32_t mask) -> uint8_t {
    if (mask == 0)
      return 0;
    const int shift = std::countr_zero(mask);
    const int width = std::popcount(mask);
    const uint32_t v = (value & mask) >> shift;
    return static_cast<uint8_t>(width >= 8 ? v >> (width - 8) : v * 255 / ((1u << width) - 1));
  };
  for (int32_t y = 0; y < Height(); ++y) {
    const size_t at = static_cast<size_t>(y) * static_cast<size_t>(sourceStride);
    if (at + static_cast<size_t>(sourceStride) > source.size())
      return;
    uint8_t *row = Row(y);
    for (int32_t x = 0; x < Width(); ++x) {
      uint8_t *pixel = row + 3 * x;
      if (bits == 32) {
        std::copy_n(source.begin() + static_cast<ptrdiff_t>(at + 4 * static_cast<size_t>(x)), 3, pixel);
        continue;
      }
      const uint16_t value = LittleU16(source, at + 2 * static_cast<size_t>(x));
      pixel[0] = channel(value, blueMask);
      pixel[1] = channel(value, greenMask);
      pixel[2] = channel(value, redMask);
    }
  }
}

} // namespace quorbel
