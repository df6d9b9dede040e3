#include "media/metafile_records.h"

#include <bit>
#include <cstring>

#include "media/picture_bmp.h"

namespace quorbel {

namespace {

constexpr uint32_t kReplacement = 0xFFFD;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

void AppendUtf8(std::string &out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// A bitmap whose colour table holds 16-bit indices of the selected palette, with colours in
// their place: `block` is the information header and its table, then what follows as it is.
// Empty when the header cannot be read.
std::vector<uint8_t> PaletteColoursResolved(std::span<const uint8_t> block,
                                            const std::vector<PixelColour> &palette) {
  RecordFields f(block);
  const uint32_t size = f.U32(0);
  const bool core = size == kCoreHeaderSize;
  if (!f.Ok() || (!core && size < kInfoHeaderSize) || size > block.size())
    return {};
  const uint16_t bits = core ? f.U16(10) : f.U16(14);
  if (!f.Ok() || bits > 8) // no table: the colours are in the rows
    return std::vector<uint8_t>(block.begin(), block.end());
  // As many entries as the bitmap reader takes.
  const uint32_t most = 1u << bits;
  const uint32_t used = core ? 0 : f.U32(32);
  const uint32_t entries = used == 0 || used > most ? most : used;
  const std::span<const uint8_t> indices = f.Block(size, uint64_t{entries} * 2);
  if (!f.Ok())
    return {};
  std::vector<uint8_t> out(block.begin(), block.begin() + size);
  const uint32_t entrySize = core ? 3 : 4;
  out.reserve(block.size() + uint64_t{entries} * entrySize);
  for (uint32_t k = 0; k < entries; ++k) {
    const size_t index = static_cast<size_t>(indices[2 * k] | indices[2 * k + 1] << 8);
    const PixelColour c = index < palette.size() ? palette[index] : PixelColour{};
    out.insert(out.end(), {c.Blue(), c.Green(), c.Red()});
    if (!core)
      out.push_back(0);
  }
  out.insert(out.end(), block.begin() + size + 2 * size_t{entries}, block.end());
  return out;
}

} // namespace

void SelectObject(MetafileContext &dc, const MetaObject &object) {
  switch (object.Kind) {
  case MetaObject::Kind::Pen:
    dc.SelectPen(object.Pen);
    break;
  case MetaObject::Kind::Brush:
    dc.SelectBrush(object.Brush);
    break;
  case MetaObject::Kind::Font:
    dc.SelectFont(object.Font);
    break;
  case MetaObject::Kind::Palette:
    dc.SelectPalette(object.Palette);
    break;
  case MetaObject::Kind::Unplayed:
    dc.Skip();
    break;
  }
}

uint8_t RecordFields::U8(size_t at) {
  if (!Holds(at, 1)) {
    ok_ = false;
    return 0;
  }
  return bytes_[at];
}

uint16_t RecordFields::U16(size_t at) {
  if (!Holds(at, 2)) {
    ok_ = false;
    return 0;
  }
  return static_cast<uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
}

uint32_t RecordFields::U32(size_t at) {
  if (!Holds(at, 4)) {
    ok_ = false;
    return 0;
  }
  return static_cast<uint32_t>(U16(at)) | static_cast<uint32_t>(U16(at + 2)) << 16;
}

float RecordFields::F32(size_t at) { return std::bit_cast<float>(U32(at)); }

std::span<const uint8_t> RecordFields::Block(uint64_t at, uint64_t count) {
  if (!Holds(at, count)) {
    ok_ = false;
    return {};
  }
  return bytes_.subspan(static_cast<size_t>(at), static_cast<size_t>(count));
}

std::string Latin1ToUtf8(std::span<const uint8_t> bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const uint8_t b : bytes)
    AppendUtf8(out, b);
  return out;
}

std::string Utf16ToUtf8(std::span<const uint8_t> bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
    uint32_t c = static_cast<uint32_t>(bytes[at] | bytes[at + 1] << 8);
    if (c >= 0xD800 && c < 0xDC00 && at + 3 < bytes.size()) {
      const uint32_t low = static_cast<uint32_t>(bytes[at + 2] | bytes[at + 3] << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        at += 2;
      }
    }
    AppendUtf8(out, c >= 0xD800 && c < 0xE000 ? kReplacement : c);
  }
  return out;
}

std::string FaceName(std::span<const uint8_t> bytes, bool wide) {
  const size_t unit = wide ? 2 : 1;
  size_t length = 0;
  while (length + unit <= bytes.size() && (bytes[length] != 0 || (wide && bytes[length + 1] != 0)))
    length += unit;
  return wide ? Utf16ToUtf8(bytes.first(length)) : Latin1ToUtf8(bytes.first(length));
}

bool ReadRecordBitmap(std::span<const uint8_t> info, std::span<const uint8_t> rows, uint64_t held,
                      const std::vector<PixelColour> *palette, CPicture &bitmap) {
  std::vector<uint8_t> resolved;
  if (palette) {
    resolved = PaletteColoursResolved(info, *palette);
    info = resolved;
  }
  if (info.empty())
    return false;
  std::vector<uint8_t> packed(info.begin(), info.end());
  packed.insert(packed.end(), rows.begin(), rows.end());
  bitmap.Info().MostBytes = kMetafileBitmapFactor * held;
  return CreateFromPackedBitmap(packed, bitmap) && bitmap.IsValid();
}

} // namespace quorbel
