// Windows metafile records: each is a size in 16-bit words, a function number and its
// parameters, stored in the reverse order of the drawing call's arguments.
#include <set>

#include "media/metafile_records.h"

namespace quorbel {

namespace {

enum WmfFunction : uint16_t {
  kEof = 0x0000,
  kRealizePalette = 0x0035,
  kSetPalEntries = 0x0037,
  kCreatePalette = 0x00F7,
  kSetBkMode = 0x0102,
  kSetMapMode = 0x0103,
  kSetRop2 = 0x0104,
  kSetPolyFillMode = 0x0106,
  kSetStretchBltMode = 0x0107,
  kRestoreDc = 0x0127,
  kSelectObject = 0x012D,
  kSetTextAlign = 0x012E,
  kDibCreatePatternBrush = 0x0142,
  kDeleteObject = 0x01F0,
  kCreatePatternBrush = 0x01F9,
  kSetBkColor = 0x0201,
  kSetTextColor = 0x0209,
  kSetWindowOrg = 0x020B,
  kSetWindowExt = 0x020C,
  kSetViewportOrg = 0x020D,
  kSetViewportExt = 0x020E,
  kOffsetWindowOrg = 0x020F,
  kOffsetViewportOrg = 0x0211,
  kLineTo = 0x0213,
  kMoveTo = 0x0214,
  kSelectPalette = 0x0234,
  kCreatePenIndirect = 0x02FA,
  kCreateFontIndirect = 0x02FB,
  kCreateBrushIndirect = 0x02FC,
  kPolygon = 0x0324,
  kPolyline = 0x0325,
  kScaleWindowExt = 0x0410,
  kScaleViewportExt = 0x0412,
  kExcludeClipRect = 0x0415,
  kIntersectClipRect = 0x0416,
  kEllipse = 0x0418,
  kRectangle = 0x041B,
  kTextOut = 0x0521,
  kPolyPolygon = 0x0538,
  kRoundRect = 0x061C,
  kPatBlt = 0x061D,
  kCreateRegion = 0x06FF,
  kArc = 0x0817,
  kPie = 0x081A,
  kChord = 0x0830,
  kDibBitBlt = 0x0940,
  kExtTextOut = 0x0A32,
  kDibStretchBlt = 0x0B41,
  kSetDibToDev = 0x0D33,
  kStretchDib = 0x0F43,
  kSaveDc = 0x001E,
};

constexpr uint32_t kSourceCopy = 0x00CC0020;
constexpr uint16_t kOpaqueText = 0x0002;
constexpr uint16_t kClippedText = 0x0004;
constexpr uint16_t kPaletteColours = 1;

// Objects take the lowest free slot of a table whose size the header gives.
class ObjectTable {
public:
  explicit ObjectTable(uint32_t size) : size_(size) {}
  bool Add(MetaObject object) {
    uint32_t slot = static_cast<uint32_t>(slots_.size());
    if (!free_.empty()) {
      slot = *free_.begin();
      free_.erase(free_.begin());
      slots_[slot] = std::move(object);
      used_[slot] = true;
      return true;
    }
    if (slot >= size_)
      return false;
    slots_.push_back(std::move(object));
    used_.push_back(true);
    return true;
  }
  const MetaObject *Get(uint32_t slot) const {
    return slot < slots_.size() && used_[slot] ? &slots_[slot] : nullptr;
  }
  bool Delete(uint32_t slot) {
    if (!Get(slot))
      return false;
    used_[slot] = false;
    slots_[slot] = MetaObject{};
    free_.insert(slot);
    return true;
  }

private:
  uint32_t size_;
  std::vector<MetaObject> slots_;
  std::vector<bool> used_;
  std::set<uint32_t> free_;
};

MetaPenStyle PenStyle(uint32_t style) {
  switch (style & 0x0F) {
  case 1:
    return MetaPenStyle::Dash;
  case 2:
    return MetaPenStyle::Dot;
  case 3:
    return MetaPenStyle::DashDot;
  case 4:
    return MetaPenStyle::DashDotDot;
  case 5:
    return MetaPenStyle::None;
  default:
    return MetaPenStyle::Solid;
  }
}

// The parameters a record of fixed size must hold; records of variable size check their own.
size_t MinimumBytes(uint16_t function) {
  switch (function) {
  case kSetBkColor:
  case kSetTextColor:
  case kSetWindowOrg:
  case kSetWindowExt:
  case kSetViewportOrg:
  case kSetViewportExt:
  case kOffsetWindowOrg:
  case kOffsetViewportOrg:
  case kMoveTo:
  case kLineTo:
  case kCreatePalette:
    return 4;
  case kScaleWindowExt:
  case kScaleViewportExt:
  case kIntersectClipRect:
  case kExcludeClipRect:
  case kRectangle:
  case kEllipse:
  case kCreateBrushIndirect:
  case kExtTextOut:
    return 8;
  case kCreatePenIndirect:
    return 10;
  case kRoundRect:
    return 12;
  case kPatBlt:
    return 12;
  case kArc:
  case kChord:
  case kPie:
    return 16;
  case kCreateFontIndirect:
    return 18;
  case kEof:
  case kSaveDc:
  case kRealizePalette:
  case kCreatePatternBrush:
  case kDibCreatePatternBrush:
  case kCreateRegion:
    return 0;
  default:
    return 2;
  }
}

class WmfPlayer {
public:
  WmfPlayer(MetafileContext &dc, uint32_t objectCount) : dc_(dc), objects_(objectCount) {}

  // One record's parameters (the words after its size and function).
  void Play(uint16_t function, RecordFields &p);

private:
  double Word(RecordFields &p, size_t word) { return p.I16(2 * word); }
  std::vector<MetaPoint> Points(RecordFields &p, size_t firstByte, uint64_t count) {
    std::vector<MetaPoint> points;
    if (!p.Holds(firstByte, count * 4))
      return points;
    points.reserve(static_cast<size_t>(count));
    for (uint64_t k = 0; k < count; ++k)
      points.push_back(
          {static_cast<double>(p.I16(firstByte + 4 * k)), static_cast<double>(p.I16(firstByte + 4 * k + 2))});
    return points;
  }
  void Create(MetaObject object) {
    if (!objects_.Add(std::move(object)))
      dc_.Skip();
  }
  void Text(RecordFields &p, bool extended);
  void PatternBrush(RecordFields &p);
  void Bitmap(uint16_t function, RecordFields &p, size_t recordWords);

  MetafileContext &dc_;
  ObjectTable objects_;
};

void WmfPlayer::Play(uint16_t function, RecordFields &p) {
  if (p.Size() < MinimumBytes(function)) {
    dc_.Skip();
    // An object record still takes its slot, or every later index would name another object.
    if (function == kCreatePenIndirect || function == kCreateBrushIndirect ||
        function == kCreateFontIndirect || function == kCreatePalette)
      Create(MetaObject{});
    return;
  }
  switch (function) {
  case kSetBkMode:
    dc_.SetOpaqueBackground(p.U16(0) == 2);
    break;
  case kSetMapMode:
    dc_.SetMapMode(p.U16(0));
    break;
  case kSetPolyFillMode:
    dc_.SetWinding(p.U16(0) == 2);
    break;
  case kSetTextAlign:
    dc_.SetTextAlign(p.U16(0));
    break;
  case kSetBkColor:
    dc_.SetBackground(p.U32(0));
    break;
  case kSetTextColor:
    dc_.SetTextColour(p.U32(0));
    break;
  case kSetWindowOrg:
    dc_.SetWindowOrg(Word(p, 1), Word(p, 0));
    break;
  case kSetViewportOrg:
    dc_.SetViewportOrg(Word(p, 1), Word(p, 0));
    break;
  case kOffsetWindowOrg:
    dc_.OffsetWindowOrg(Word(p, 1), Word(p, 0));
    break;
  case kOffsetViewportOrg:
    dc_.OffsetViewportOrg(Word(p, 1), Word(p, 0));
    break;
  case kSetWindowExt:
    if (!dc_.SetWindowExt(Word(p, 1), Word(p, 0)))
      dc_.Skip();
    break;
  case kSetViewportExt:
    if (!dc_.SetViewportExt(Word(p, 1), Word(p, 0)))
      dc_.Skip();
    break;
  case kScaleWindowExt:
    if (!dc_.ScaleWindowExt(Word(p, 3), Word(p, 2), Word(p, 1), Word(p, 0)))
      dc_.Skip();
    break;
  case kScaleViewportExt:
    if (!dc_.ScaleViewportExt(Word(p, 3), Word(p, 2), Word(p, 1), Word(p, 0)))
      dc_.Skip();
    break;
  case kSaveDc:
    dc_.Save();
    break;
  case kRestoreDc:
    if (!dc_.Restore(p.I16(0)))
      dc_.Skip();
    break;
  case kIntersectClipRect:
  case kExcludeClipRect:
    dc_.ClipRect(Word(p, 3), Word(p, 2), Word(p, 1), Word(p, 0),
                 function == kIntersectClipRect ? MetaClipMode::And : MetaClipMode::Diff);
    break;
  case kMoveTo:
    dc_.MoveTo({Word(p, 1), Word(p, 0)});
    break;
  case kLineTo:
    dc_.LineTo({Word(p, 1), Word(p, 0)});
    break;
  case kPolyline:
  case kPolygon: {
    std::vector<MetaPoint> points = Points(p, 2, p.U16(0));
    if (points.empty())
      dc_.Skip();
    else if (function == kPolyline)
      dc_.Polyline(std::move(points), false);
    else
      dc_.Polygon(std::move(points), {});
    break;
  }
  case kPolyPolygon: {
    const uint16_t polygons = p.U16(0);
    std::vector<uint32_t> counts;
    uint64_t total = 0;
    for (uint16_t k = 0; k < polygons && p.Ok(); ++k) {
      counts.push_back(p.U16(2 + 2 * size_t{k}));
      total += counts.back();
    }
    std::vector<MetaPoint> points = Points(p, 2 + 2 * size_t{polygons}, total);
    if (!p.Ok() || points.size() != total || total == 0)
      dc_.Skip();
    else
      dc_.Polygon(std::move(points), std::move(counts));
    break;
  }
  case kRectangle:
    dc_.Rectangle(Word(p, 3), Word(p, 2), Word(p, 1), Word(p, 0));
    break;
  case kEllipse:
    dc_.Ellipse(Word(p, 3), Word(p, 2), Word(p, 1), Word(p, 0));
    break;
  case kRoundRect:
    dc_.RoundRect(Word(p, 5), Word(p, 4), Word(p, 3), Word(p, 2), Word(p, 1), Word(p, 0));
    break;
  case kArc:
  case kChord:
  case kPie:
    dc_.Arc(function == kArc     ? ArcKind::Arc
            : function == kChord ? ArcKind::Chord
                                 : ArcKind::Pie,
            Word(p, 7), Word(p, 6), Word(p, 5), Word(p, 4), {Word(p, 3), Word(p, 2)},
            {Word(p, 1), Word(p, 0)});
    break;
  case kTextOut:
  case kExtTextOut:
    Text(p, function == kExtTextOut);
    break;
  case kCreatePenIndirect: {
    MetaObject pen{.Kind = MetaObject::Kind::Pen};
    pen.Pen = MetaPen{
        .Style = PenStyle(p.U16(0)), .Width = static_cast<double>(p.I16(2)), .Colour = dc_.Colour(p.U32(6))};
    Create(std::move(pen));
    break;
  }
  case kCreateBrushIndirect: {
    MetaObject brush{.Kind = MetaObject::Kind::Brush};
    const uint16_t style = p.U16(0);
    brush.Brush.Colour = dc_.Colour(p.U32(2));
    brush.Brush.Hatch = static_cast<uint8_t>(std::min<uint16_t>(p.U16(6), 5));
    brush.Brush.Style = style == 0   ? MetaBrushStyle::Solid
                        : style == 2 ? MetaBrushStyle::Hatched
                                     : MetaBrushStyle::None;
    if (style > 2)
      dc_.Skip(); // a pattern brush: drawn hollow
    Create(std::move(brush));
    break;
  }
  case kCreateFontIndirect: {
    MetaObject font{.Kind = MetaObject::Kind::Font};
    font.Font = MetaFont{
        .Face = FaceName(p.Block(18, std::min<size_t>(32, p.Size() > 18 ? p.Size() - 18 : 0)), false),
        .Height = static_cast<double>(p.I16(0)),
        .Angle = static_cast<double>(p.I16(4)),
        .Weight = p.I16(8),
        .Italic = p.U8(10) != 0,
        .Underline = p.U8(11) != 0,
        .StrikeOut = p.U8(12) != 0};
    Create(std::move(font));
    break;
  }
  case kCreatePalette: {
    MetaObject palette{.Kind = MetaObject::Kind::Palette};
    const uint16_t entries = p.U16(2);
    if (p.Holds(4, uint64_t{entries} * 4))
      for (size_t k = 0; k < entries; ++k)
        palette.Palette.push_back(RgbPixel(p.U8(4 + 4 * k), p.U8(5 + 4 * k), p.U8(6 + 4 * k)));
    else
      dc_.Skip();
    Create(std::move(palette));
    break;
  }
  case kDibCreatePatternBrush:
    PatternBrush(p);
    break;
  case kPatBlt:
    if (const std::optional<RasterOperation> raster = RasterOperationOf(p.U32(0));
        raster && !raster->UsesSource)
      dc_.FillBox(Word(p, 5), Word(p, 4), Word(p, 5) + Word(p, 3), Word(p, 4) + Word(p, 2), raster->Rop);
    else
      dc_.Skip();
    break;
  case kCreatePatternBrush:
  case kCreateRegion:
    dc_.Skip();
    Create(MetaObject{}); // it still takes its slot
    break;
  case kSelectObject:
  case kSelectPalette:
    if (const MetaObject *object = objects_.Get(p.U16(0)))
      SelectObject(dc_, *object);
    else
      dc_.Skip();
    break;
  case kDeleteObject:
    if (!objects_.Delete(p.U16(0)))
      dc_.Skip();
    break;
  case kDibBitBlt:
  case kDibStretchBlt:
  case kStretchDib:
  case kSetDibToDev:
    Bitmap(function, p, 3 + p.Size() / 2);
    break;
  case kRealizePalette:
  case kSetRop2:
  case kSetStretchBltMode:
    break; // nothing to do on a picture of true colours
  default:
    dc_.Skip();
    break;
  }
  if (!p.Ok())
    dc_.Skip();
}

void WmfPlayer::Text(RecordFields &p, bool extended) {
  if (!extended) {
    const uint16_t count = p.U16(0);
    const size_t padded = (count + 1u) & ~1u;
    const std::span<const uint8_t> text = p.Block(2, count);
    const double y = p.I16(2 + padded);
    const double x = p.I16(4 + padded);
    if (p.Ok())
      dc_.Text({x, y}, Latin1ToUtf8(text), {});
    return;
  }
  const double y = p.I16(0);
  const double x = p.I16(2);
  const uint16_t count = p.U16(4);
  const uint16_t options = p.U16(6);
  size_t at = 8;
  std::vector<MetaPoint> box;
  if (options & (kOpaqueText | kClippedText)) {
    if (options & kOpaqueText)
      box = {{Word(p, 4), Word(p, 5)}, {Word(p, 6), Word(p, 7)}};
    at += 8;
  }
  const std::span<const uint8_t> text = p.Block(at, count);
  if (p.Ok())
    dc_.Text({x, y}, Latin1ToUtf8(text), box);
}

void WmfPlayer::PatternBrush(RecordFields &p) {
  constexpr uint16_t kPatternOfDevice = 3; // its colours are the bitmap's own
  const uint16_t style = p.U16(0);
  const uint16_t usage = p.U16(2);
  std::span<const uint8_t> block = p.Size() > 4 ? p.Block(4, p.Size() - 4) : std::span<const uint8_t>{};
  const uint64_t held = block.size();
  std::vector<uint8_t> resolved;
  if (style != kPatternOfDevice && usage == kPaletteColours) {
    resolved = PaletteColoursResolved(block, dc_.Palette());
    block = resolved;
  }
  CPicture tile;
  if (!ReadRecordBitmap(block, {}, kMetafileBitmapFactor * held, tile)) {
    dc_.Skip(); // drawn hollow, and it still takes its slot
    Create(MetaObject{.Kind = MetaObject::Kind::Brush, .Brush = MetaBrush{.Style = MetaBrushStyle::None}});
    return;
  }
  Create(MetaObject{
      .Kind = MetaObject::Kind::Brush,
      .Brush = MetaBrush{.Style = MetaBrushStyle::Pattern, .Pattern = dc_.KeepPattern(std::move(tile))}});
}

void WmfPlayer::Bitmap(uint16_t function, RecordFields &p, size_t recordWords) {
  const uint32_t rop = function == kSetDibToDev ? kSourceCopy : p.U32(0);
  const std::optional<RasterOperation> raster = RasterOperationOf(rop);
  // A blit record without a bitmap paints with the brush.
  const bool withoutBitmap =
      (function == kDibBitBlt || function == kDibStretchBlt) && recordWords == (function >> 8) + 3u;
  if (withoutBitmap) {
    const size_t at = function == kDibBitBlt ? 4 : 7; // the destination's height, after a reserved word
    if (raster && !raster->UsesSource)
      dc_.FillBox(Word(p, at + 3), Word(p, at + 2), Word(p, at + 3) + Word(p, at + 1),
                  Word(p, at + 2) + Word(p, at), raster->Rop);
    else
      dc_.Skip();
    return;
  }
  // Words of each field, after the raster operation (two words) where there is one.
  double sx = 0, sy = 0, sw = 0, sh = 0, dx = 0, dy = 0, dw = 0, dh = 0;
  size_t dib = 0;
  bool fromBottom = false;
  uint16_t usage = 0;
  switch (function) {
  case kDibBitBlt:
    sy = Word(p, 2), sx = Word(p, 3), sh = dh = Word(p, 4), sw = dw = Word(p, 5), dy = Word(p, 6),
    dx = Word(p, 7);
    dib = 16;
    break;
  case kDibStretchBlt:
    sh = Word(p, 2), sw = Word(p, 3), sy = Word(p, 4), sx = Word(p, 5), dh = Word(p, 6), dw = Word(p, 7),
    dy = Word(p, 8), dx = Word(p, 9);
    dib = 20;
    break;
  case kStretchDib:
    usage = p.U16(4);
    sh = Word(p, 3), sw = Word(p, 4), sy = Word(p, 5), sx = Word(p, 6), dh = Word(p, 7), dw = Word(p, 8),
    dy = Word(p, 9), dx = Word(p, 10);
    dib = 22;
    fromBottom = true;
    break;
  default: // set to the device: the bitmap's own size, from its whole rows
    usage = p.U16(0);
    if (p.U16(4) != 0) { // rows from a later scan line: a band of a larger bitmap
      dc_.Skip();
      return;
    }
    sy = Word(p, 3), sx = Word(p, 4), sh = dh = Word(p, 5), sw = dw = Word(p, 6), dy = Word(p, 7),
    dx = Word(p, 8);
    dib = 18;
    fromBottom = true;
    break;
  }
  if (!p.Ok() || dib > p.Size() || !raster) {
    dc_.Skip();
    return;
  }
  if (!raster->UsesSource) {
    dc_.FillBox(dx, dy, dx + dw, dy + dh, raster->Rop);
    return;
  }
  std::span<const uint8_t> block = p.Block(dib, p.Size() - dib);
  const uint64_t held = block.size();
  std::vector<uint8_t> resolved;
  if (usage == kPaletteColours) {
    resolved = PaletteColoursResolved(block, dc_.Palette());
    block = resolved;
  }
  CPicture bitmap;
  if (!ReadRecordBitmap(block, {}, kMetafileBitmapFactor * held, bitmap)) {
    dc_.Skip();
    return;
  }
  const double top = fromBottom ? bitmap.Height() - sy - sh : sy;
  dc_.Bitmap(std::move(bitmap), dx, dy, dw, dh, static_cast<int32_t>(sx), static_cast<int32_t>(top),
             static_cast<int32_t>(sw), static_cast<int32_t>(sh), raster->Rop);
}

} // namespace

bool PlayWmfRecords(std::span<const uint8_t> records, uint32_t objectCount, MetafileContext &dc) {
  WmfPlayer player(dc, objectCount);
  size_t at = 0;
  while (at < records.size()) {
    RecordFields head(records.subspan(at));
    const uint64_t bytes = uint64_t{head.U32(0)} * 2;
    const uint16_t function = head.U16(4);
    if (!head.Ok() || bytes < 6 || bytes > records.size() - at)
      return false;
    if (function == kEof)
      return true;
    RecordFields parameters(records.subspan(at + 6, static_cast<size_t>(bytes) - 6));
    dc.BeginRecord();
    player.Play(function, parameters);
    at += static_cast<size_t>(bytes);
  }
  return true;
}

} // namespace quorbel
