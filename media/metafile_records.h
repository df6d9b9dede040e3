// The record readers of the two metafile kinds and what they share: the objects a metafile
// creates, bounds-checked fields of a record, texts and bitmaps. Every count and length of a
// record is checked against the record's own size; a record that does not hold what it claims
// is skipped and counted.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "media/metafile_context.h"

namespace quorbel {

struct MetaObject {
  enum class Kind : uint8_t { Unplayed, Pen, Brush, Font, Palette } Kind = Kind::Unplayed;
  MetaPen Pen{};
  MetaBrush Brush{};
  MetaFont Font{};
  std::vector<PixelColour> Palette{};
};

// Puts a selected object into the context; an unplayed one is counted.
void SelectObject(MetafileContext &dc, const MetaObject &object);

// Little-endian fields of a record; reading past its end answers 0 and `Ok` turns false.
class RecordFields {
public:
  explicit RecordFields(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  size_t Size() const { return bytes_.size(); }
  bool Holds(uint64_t at, uint64_t count) const { return at <= bytes_.size() && count <= bytes_.size() - at; }
  uint8_t U8(size_t at);
  uint16_t U16(size_t at);
  int16_t I16(size_t at) { return static_cast<int16_t>(U16(at)); }
  uint32_t U32(size_t at);
  int32_t I32(size_t at) { return static_cast<int32_t>(U32(at)); }
  float F32(size_t at);
  // `count` bytes from `at`, or none (and not Ok) when the record is shorter.
  std::span<const uint8_t> Block(uint64_t at, uint64_t count);
  bool Ok() const { return ok_; }

private:
  std::span<const uint8_t> bytes_;
  bool ok_ = true;
};

std::string Latin1ToUtf8(std::span<const uint8_t> bytes);
// Little-endian UTF-16; what is not a character becomes U+FFFD.
std::string Utf16ToUtf8(std::span<const uint8_t> bytes);
// A zero-terminated face name of `wide` (UTF-16) or 8-bit characters.
std::string FaceName(std::span<const uint8_t> bytes, bool wide);

// A bitmap as the records carry it (information header and colours, then the rows), decoded
// within `mostBytes` of pixels. False when it is not one we draw.
bool ReadRecordBitmap(std::span<const uint8_t> info, std::span<const uint8_t> rows, uint64_t mostBytes,
                      CPicture &bitmap);

// A bitmap whose colour table holds 16-bit indices of the selected palette, with colours in
// their place: `block` is the information header and its table, then what follows as it is.
// Empty when the header cannot be read.
std::vector<uint8_t> PaletteColoursResolved(std::span<const uint8_t> block,
                                            const std::vector<PixelColour> &palette);

// What a record's raster operation does: with the source (a bitmap) or only the brush and the
// picture. None for the operations we do not play.
struct RasterOperation {
  MetaRop Rop = MetaRop::Copy;
  bool UsesSource = true;
};
std::optional<RasterOperation> RasterOperationOf(uint32_t code);

// The records after a WMF's header; false when one runs past the end.
bool PlayWmfRecords(std::span<const uint8_t> records, uint32_t objectCount, MetafileContext &dc);
// The records after an EMF's header; false when one runs past the end.
bool PlayEmfRecords(std::span<const uint8_t> records, uint32_t objectCount, MetafileContext &dc);

} // namespace quorbel
