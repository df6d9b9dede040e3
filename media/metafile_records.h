// The record readers of the two metafile kinds and what they share: the objects a metafile
// creates, bounds-checked fields of a record, texts and bitmaps. Every count and length of a
// record is checked against the record's own size; a record that does not hold what it claims
// is skipped and counted.
#pragma once

#include <cstdint>
#include <functional>
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

// A pen or a brush as the two kinds store them: a style (a pen's with its dashes in the low
// bits), a colour as the files store it, a brush's hatch. A pattern brush is drawn hollow
// and counted.
MetaPen PenOf(uint32_t style, double width, PixelColour colour);
MetaObject BrushObject(MetafileContext &dc, uint32_t style, uint32_t colorRef, uint32_t hatch);

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

// The records both kinds hold, by what they do: each kind reads their numbers in the order
// of the drawing call's arguments.
enum class ContextRecord : uint8_t {
  MapMode,
  BackgroundMode,
  FillMode,
  TextAlign,
  TextColour,
  BackgroundColour,
  Mix,
  WindowOrg,
  ViewportOrg,
  WindowExt,
  ViewportExt,
  OffsetWindowOrg,
  OffsetViewportOrg,
  ScaleWindowExt,
  ScaleViewportExt,
  Save,
  Restore,
  IntersectClip,
  ExcludeClip,
  MoveTo,
  LineTo,
  Rectangle,
  Ellipse,
  RoundRect,
  Arc,
  Chord,
  Pie,
  ArcTo,
};
// Which of them a WMF's function or an EMF's record type is, if any.
std::optional<ContextRecord> WmfContextRecord(uint16_t function);
std::optional<ContextRecord> EmfContextRecord(uint32_t type);
// How many numbers a record of that kind holds: a mode or a colour is one value.
size_t NumbersOf(ContextRecord record);
bool TakesValue(ContextRecord record);
inline constexpr size_t kMostRecordNumbers = 8;
void PlayContextRecord(MetafileContext &dc, ContextRecord record, std::span<const double> numbers);

// `count` points of 16-bit coordinates from `at`, or of 32-bit ones when `wide`; none when
// the record is shorter.
std::vector<MetaPoint> ReadPoints(RecordFields &r, size_t at, uint64_t count, bool wide);
// `count` palette entries (red, green, blue, flags) from `at`; false when the record is shorter.
bool ReadPaletteEntries(RecordFields &r, size_t at, uint64_t count, std::vector<PixelColour> &entries);

std::string Latin1ToUtf8(std::span<const uint8_t> bytes);
// Little-endian UTF-16; what is not a character becomes U+FFFD.
std::string Utf16ToUtf8(std::span<const uint8_t> bytes);
// A zero-terminated face name of `wide` (UTF-16) or 8-bit characters.
std::string FaceName(std::span<const uint8_t> bytes, bool wide);

// A bitmap as the records carry it (information header and colours, then the rows), decoded
// within kMetafileBitmapFactor times the `held` bytes of its record; a table of indices of
// `palette` takes its colours from there. False when it is not one we draw.
bool ReadRecordBitmap(std::span<const uint8_t> info, std::span<const uint8_t> rows, uint64_t held,
                      const std::vector<PixelColour> *palette, CPicture &bitmap);

// What a record's raster operation does: with the source (a bitmap) or only the brush and the
// picture. None for the operations we do not play.
struct RasterOperation {
  MetaRop Rop = MetaRop::Copy;
  bool UsesSource = true;
};
std::optional<RasterOperation> RasterOperationOf(uint32_t code);
// How a shape's pen and brush meet the picture, by the binary operation's number (1 .. 16).
std::optional<MetaRop> MixOf(uint32_t code);

// A record copying a bitmap onto a box, or painting the box with the brush (or the picture
// alone) when its raster operation takes no source: the bitmap is read only then.
struct BlitRecord {
  double X = 0, Y = 0, Width = 0, Height = 0; // the box, logical units
  int32_t SourceX = 0, SourceY = 0, SourceWidth = 0, SourceHeight = 0;
  bool FromBottom = false; // the source's rows are counted from the bitmap's bottom
  uint32_t Rop = 0;
};
void PlayBlit(MetafileContext &dc, const BlitRecord &blit, const std::function<bool(CPicture &)> &readBitmap);

// The records after a WMF's header; false when one runs past the end.
bool PlayWmfRecords(std::span<const uint8_t> records, uint32_t objectCount, MetafileContext &dc);
// The records after an EMF's header; false when one runs past the end.
bool PlayEmfRecords(std::span<const uint8_t> records, uint32_t objectCount, MetafileContext &dc);

} // namespace quorbel
