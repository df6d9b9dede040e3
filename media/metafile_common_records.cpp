// What the two metafile kinds play alike: the records that only change the context or draw a
// shape from a few numbers, pens and brushes, points and palettes, raster operations and the
// records that copy a bitmap or paint a box.
#include <array>

#include "media/metafile_records.h"
#include "media/picture_reader.h"

namespace quorbel {

namespace {

constexpr uint32_t kOpaqueMode = 2;
constexpr uint32_t kWindingMode = 2;
constexpr uint32_t kHatchedBrush = 2;
constexpr uint32_t kLastHatch = 5;

// The binary operations by number, 1 (black) to 16 (white): the pen P over the picture D.
constexpr std::array<MetaRop, 16> kMixes = {
    MetaRop::Black,         MetaRop::NotOr,        MetaRop::AndNotSource, MetaRop::NotCopy,
    MetaRop::AndNotPicture, MetaRop::Invert,       MetaRop::Xor,          MetaRop::NotAnd,
    MetaRop::And,           MetaRop::NotXor,       MetaRop::Picture,      MetaRop::OrNotSource,
    MetaRop::Copy,          MetaRop::OrNotPicture, MetaRop::Or,           MetaRop::White};

// The records both kinds hold: what each does, its WMF function and its EMF record type, 0
// where a kind has none.
struct SharedRecord {
  ContextRecord Record;
  uint16_t Wmf;
  uint32_t Emf;
};
constexpr SharedRecord kSharedRecords[] = {
    {ContextRecord::MapMode, 0x0103, 17},
    {ContextRecord::BackgroundMode, 0x0102, 18},
    {ContextRecord::FillMode, 0x0106, 19},
    {ContextRecord::TextAlign, 0x012E, 22},
    {ContextRecord::TextColour, 0x0209, 24},
    {ContextRecord::BackgroundColour, 0x0201, 25},
    {ContextRecord::Mix, 0x0104, 20},
    {ContextRecord::WindowOrg, 0x020B, 10},
    {ContextRecord::ViewportOrg, 0x020D, 12},
    {ContextRecord::WindowExt, 0x020C, 9},
    {ContextRecord::ViewportExt, 0x020E, 11},
    {ContextRecord::OffsetWindowOrg, 0x020F, 0},
    {ContextRecord::OffsetViewportOrg, 0x0211, 0},
    {ContextRecord::ScaleWindowExt, 0x0410, 32},
    {ContextRecord::ScaleViewportExt, 0x0412, 31},
    {ContextRecord::Save, 0x001E, 33},
    {ContextRecord::Restore, 0x0127, 34},
    {ContextRecord::IntersectClip, 0x0416, 30},
    {ContextRecord::ExcludeClip, 0x0415, 29},
    {ContextRecord::MoveTo, 0x0214, 27},
    {ContextRecord::LineTo, 0x0213, 54},
    {ContextRecord::Rectangle, 0x041B, 43},
    {ContextRecord::Ellipse, 0x0418, 42},
    {ContextRecord::RoundRect, 0x061C, 44},
    {ContextRecord::Arc, 0x0817, 45},
    {ContextRecord::Chord, 0x0830, 46},
    {ContextRecord::Pie, 0x081A, 47},
    {ContextRecord::ArcTo, 0, 55},
};

} // namespace

MetaPen PenOf(uint32_t style, double width, PixelColour colour) {
  MetaPenStyle dashes = MetaPenStyle::Solid;
  switch (style & 0x0F) {
  case 1:
    dashes = MetaPenStyle::Dash;
    break;
  case 2:
  case 8: // alternate pixels
    dashes = MetaPenStyle::Dot;
    break;
  case 3:
    dashes = MetaPenStyle::DashDot;
    break;
  case 4:
    dashes = MetaPenStyle::DashDotDot;
    break;
  case 5:
    dashes = MetaPenStyle::None;
    break;
  default:
    break;
  }
  return MetaPen{.Style = dashes, .Width = width, .Colour = colour};
}

MetaObject BrushObject(MetafileContext &dc, uint32_t style, uint32_t colorRef, uint32_t hatch) {
  if (style > kHatchedBrush)
    dc.Skip(); // a pattern brush: drawn hollow
  return MetaObject{.Kind = MetaObject::Kind::Brush,
                    .Brush = MetaBrush{.Style = style == 0               ? MetaBrushStyle::Solid
                                                : style == kHatchedBrush ? MetaBrushStyle::Hatched
                                                                         : MetaBrushStyle::None,
                                       .Hatch = static_cast<uint8_t>(std::min(hatch, kLastHatch)),
                                       .Colour = dc.Colour(colorRef)}};
}

std::optional<ContextRecord> WmfContextRecord(uint16_t function) {
  for (const SharedRecord &row : kSharedRecords)
    if (row.Wmf == function && function != 0)
      return row.Record;
  return std::nullopt;
}

std::optional<ContextRecord> EmfContextRecord(uint32_t type) {
  for (const SharedRecord &row : kSharedRecords)
    if (row.Emf == type && type != 0)
      return row.Record;
  return std::nullopt;
}

size_t NumbersOf(ContextRecord record) {
  switch (record) {
  case ContextRecord::Save:
    return 0;
  case ContextRecord::MapMode:
  case ContextRecord::BackgroundMode:
  case ContextRecord::FillMode:
  case ContextRecord::TextAlign:
  case ContextRecord::TextColour:
  case ContextRecord::BackgroundColour:
  case ContextRecord::Mix:
  case ContextRecord::Restore:
    return 1;
  case ContextRecord::WindowOrg:
  case ContextRecord::ViewportOrg:
  case ContextRecord::WindowExt:
  case ContextRecord::ViewportExt:
  case ContextRecord::OffsetWindowOrg:
  case ContextRecord::OffsetViewportOrg:
  case ContextRecord::MoveTo:
  case ContextRecord::LineTo:
    return 2;
  case ContextRecord::ScaleWindowExt:
  case ContextRecord::ScaleViewportExt:
  case ContextRecord::IntersectClip:
  case ContextRecord::ExcludeClip:
  case ContextRecord::Rectangle:
  case ContextRecord::Ellipse:
    return 4;
  case ContextRecord::RoundRect:
    return 6;
  case ContextRecord::Arc:
  case ContextRecord::Chord:
  case ContextRecord::Pie:
  case ContextRecord::ArcTo:
    return 8;
  }
  return 0;
}

bool TakesValue(ContextRecord record) { return NumbersOf(record) == 1 && record != ContextRecord::Restore; }

void PlayContextRecord(MetafileContext &dc, ContextRecord record, std::span<const double> n) {
  if (n.size() < NumbersOf(record)) {
    dc.Skip();
    return;
  }
  const auto value = [&] { return static_cast<uint32_t>(n[0]); };
  switch (record) {
  case ContextRecord::MapMode:
    dc.SetMapMode(value());
    break;
  case ContextRecord::BackgroundMode:
    dc.SetOpaqueBackground(value() == kOpaqueMode);
    break;
  case ContextRecord::FillMode:
    dc.SetWinding(value() == kWindingMode);
    break;
  case ContextRecord::TextAlign:
    dc.SetTextAlign(value());
    break;
  case ContextRecord::TextColour:
    dc.SetTextColour(value());
    break;
  case ContextRecord::BackgroundColour:
    dc.SetBackground(value());
    break;
  case ContextRecord::Mix:
    if (const std::optional<MetaRop> mix = MixOf(value()))
      dc.SetMix(*mix);
    else
      dc.Skip();
    break;
  case ContextRecord::WindowOrg:
    dc.SetWindowOrg(n[0], n[1]);
    break;
  case ContextRecord::ViewportOrg:
    dc.SetViewportOrg(n[0], n[1]);
    break;
  case ContextRecord::WindowExt:
    if (!dc.SetWindowExt(n[0], n[1]))
      dc.Skip();
    break;
  case ContextRecord::ViewportExt:
    if (!dc.SetViewportExt(n[0], n[1]))
      dc.Skip();
    break;
  case ContextRecord::OffsetWindowOrg:
    dc.OffsetWindowOrg(n[0], n[1]);
    break;
  case ContextRecord::OffsetViewportOrg:
    dc.OffsetViewportOrg(n[0], n[1]);
    break;
  case ContextRecord::ScaleWindowExt:
    if (!dc.ScaleWindowExt(n[0], n[1], n[2], n[3]))
      dc.Skip();
    break;
  case ContextRecord::ScaleViewportExt:
    if (!dc.ScaleViewportExt(n[0], n[1], n[2], n[3]))
      dc.Skip();
    break;
  case ContextRecord::Save:
    dc.Save();
    break;
  case ContextRecord::Restore:
    if (!dc.Restore(static_cast<int32_t>(n[0])))
      dc.Skip();
    break;
  case ContextRecord::IntersectClip:
  case ContextRecord::ExcludeClip:
    dc.ClipRect(n[0], n[1], n[2], n[3],
                record == ContextRecord::IntersectClip ? MetaClipMode::And : MetaClipMode::Diff);
    break;
  case ContextRecord::MoveTo:
    dc.MoveTo({n[0], n[1]});
    break;
  case ContextRecord::LineTo:
    dc.LineTo({n[0], n[1]});
    break;
  case ContextRecord::Rectangle:
    dc.Rectangle(n[0], n[1], n[2], n[3]);
    break;
  case ContextRecord::Ellipse:
    dc.Ellipse(n[0], n[1], n[2], n[3]);
    break;
  case ContextRecord::RoundRect:
    dc.RoundRect(n[0], n[1], n[2], n[3], n[4], n[5]);
    break;
  case ContextRecord::Arc:
  case ContextRecord::Chord:
  case ContextRecord::Pie:
  case ContextRecord::ArcTo:
    dc.Arc(record == ContextRecord::Chord ? ArcKind::Chord
           : record == ContextRecord::Pie ? ArcKind::Pie
                                          : ArcKind::Arc,
           n[0], n[1], n[2], n[3], {n[4], n[5]}, {n[6], n[7]}, record == ContextRecord::ArcTo);
    break;
  }
}

std::vector<MetaPoint> ReadPoints(RecordFields &r, size_t at, uint64_t count, bool wide) {
  std::vector<MetaPoint> points;
  const size_t size = wide ? 8 : 4;
  if (!r.Holds(at, count * size))
    return points;
  // Checked whole: each coordinate is read straight from its bytes.
  const std::span<const uint8_t> bytes = r.Block(at, count * size);
  points.resize(static_cast<size_t>(count));
  for (size_t k = 0; k < points.size(); ++k) {
    const size_t p = k * size;
    points[k] = wide ? MetaPoint{static_cast<double>(static_cast<int32_t>(LittleU32(bytes, p))),
                                 static_cast<double>(static_cast<int32_t>(LittleU32(bytes, p + 4)))}
                     : MetaPoint{static_cast<double>(static_cast<int16_t>(LittleU16(bytes, p))),
                                 static_cast<double>(static_cast<int16_t>(LittleU16(bytes, p + 2)))};
  }
  return points;
}

bool ReadPaletteEntries(RecordFields &r, size_t at, uint64_t count, std::vector<PixelColour> &entries) {
  if (!r.Holds(at, count * 4))
    return false;
  entries.reserve(entries.size() + static_cast<size_t>(count));
  for (size_t k = 0; k < count; ++k)
    entries.push_back(RgbPixel(r.U8(at + 4 * k), r.U8(at + 4 * k + 1), r.U8(at + 4 * k + 2)));
  return true;
}

std::optional<RasterOperation> RasterOperationOf(uint32_t code) {
  // The middle byte is the operation's truth table over pattern, source and picture.
  switch ((code >> 16) & 0xFF) {
  case 0xCC:
    return RasterOperation{MetaRop::Copy, true};
  case 0xEE:
    return RasterOperation{MetaRop::Or, true};
  case 0x88:
    return RasterOperation{MetaRop::And, true};
  case 0x66:
    return RasterOperation{MetaRop::Xor, true};
  case 0x33:
    return RasterOperation{MetaRop::NotCopy, true};
  case 0x44:
    return RasterOperation{MetaRop::AndNotPicture, true};
  case 0x11:
    return RasterOperation{MetaRop::NotOr, true};
  case 0xBB:
    return RasterOperation{MetaRop::OrNotSource, true};
  case 0xF0: // the pattern
    return RasterOperation{MetaRop::Copy, false};
  case 0x5A: // the pattern exclusive-or the picture
    return RasterOperation{MetaRop::Xor, false};
  case 0x55:
    return RasterOperation{MetaRop::Invert, false};
  case 0x00:
    return RasterOperation{MetaRop::Black, false};
  case 0xFF:
    return RasterOperation{MetaRop::White, false};
  default:
    return std::nullopt;
  }
}

std::optional<MetaRop> MixOf(uint32_t code) {
  if (code < 1 || code > kMixes.size())
    return std::nullopt;
  return kMixes[code - 1];
}

void PlayBlit(MetafileContext &dc, const BlitRecord &b, const std::function<bool(CPicture &)> &readBitmap) {
  const std::optional<RasterOperation> raster = RasterOperationOf(b.Rop);
  if (!raster) {
    dc.Skip();
    return;
  }
  if (!raster->UsesSource) { // the brush, or the picture alone
    dc.FillBox(b.X, b.Y, b.X + b.Width, b.Y + b.Height, raster->Rop);
    return;
  }
  CPicture bitmap;
  if (!readBitmap(bitmap)) {
    dc.Skip();
    return;
  }
  const int64_t top = b.FromBottom ? int64_t{bitmap.Height()} - b.SourceY - b.SourceHeight : b.SourceY;
  dc.Bitmap(std::move(bitmap), b.X, b.Y, b.Width, b.Height, b.SourceX,
            static_cast<int32_t>(std::clamp<int64_t>(top, INT32_MIN, INT32_MAX)), b.SourceWidth,
            b.SourceHeight, raster->Rop);
}

} // namespace quorbel
