// Enhanced metafile records: each is a type, a size in bytes (a multiple of 4) and its fields;
// objects live at the indices the records give, below the header's handle count.
#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>

#include "media/metafile_records.h"

namespace quorbel {

namespace {

enum EmfRecord : uint32_t {
  kHeader = 1,
  kPolyBezier = 2,
  kPolygon = 3,
  kPolyline = 4,
  kPolyBezierTo = 5,
  kPolylineTo = 6,
  kPolyPolyline = 7,
  kPolyPolygon = 8,
  kSetBrushOrg = 13,
  kEof = 14,
  kSetMapperFlags = 16,
  kSetStretchBltMode = 21,
  kSetWorldTransform = 35,
  kModifyWorldTransform = 36,
  kSelectObject = 37,
  kCreatePen = 38,
  kCreateBrushIndirect = 39,
  kDeleteObject = 40,
  kSelectPalette = 48,
  kCreatePalette = 49,
  kSetPaletteEntries = 50,
  kRealizePalette = 52,
  kPolyDraw = 56,
  kSetMiterLimit = 58,
  kBeginPath = 59,
  kEndPath = 60,
  kCloseFigure = 61,
  kFillPath = 62,
  kStrokeAndFillPath = 63,
  kStrokePath = 64,
  kFlattenPath = 65,
  kWidenPath = 66,
  kSelectClipPath = 67,
  kAbortPath = 68,
  kComment = 70,
  kExtSelectClipRgn = 75,
  kBitBlt = 76,
  kStretchBlt = 77,
  kSetDiBitsToDevice = 80,
  kStretchDiBits = 81,
  kExtCreateFontW = 82,
  kExtTextOutA = 83,
  kExtTextOutW = 84,
  kPolyBezier16 = 85,
  kPolygon16 = 86,
  kPolyline16 = 87,
  kPolyBezierTo16 = 88,
  kPolylineTo16 = 89,
  kPolyPolyline16 = 90,
  kPolyPolygon16 = 91,
  kPolyDraw16 = 92,
  kCreateMonoBrush = 93,
  kCreateDibPatternBrush = 94,
  kExtCreatePen = 95,
  kSetIcmMode = 98,
};

constexpr uint32_t kStockObject = 0x80000000u;
constexpr uint32_t kSourceCopy = 0x00CC0020;
constexpr uint32_t kOpaqueText = 0x0002;
constexpr uint32_t kRegionCopy = 5;
constexpr uint32_t kPaletteColours = 1;
constexpr size_t kRegionHeader = 32;
constexpr size_t kRegionRect = 16;
// How a point of a poly-draw is used: low bit set, the figure closes at it.
constexpr uint8_t kPointCloses = 0x01;
constexpr uint8_t kPointLine = 0x02;
constexpr uint8_t kPointCurve = 0x04;
constexpr uint8_t kPointMove = 0x06;

bool IsClipMode(uint32_t mode) {
  return mode >= static_cast<uint32_t>(MetaClipMode::And) &&
         mode <= static_cast<uint32_t>(MetaClipMode::Copy);
}

// A pen of ExtCreatePen: its style's bits beyond the dashes say how a geometric (wide) pen
// ends and joins its lines; a user style's lengths follow.
constexpr uint32_t kUserStyle = 7;
constexpr uint32_t kCapMask = 0x0F00;
constexpr uint32_t kCapSquare = 0x0100;
constexpr uint32_t kCapFlat = 0x0200;
constexpr uint32_t kJoinMask = 0xF000;
constexpr uint32_t kJoinBevel = 0x1000;
constexpr uint32_t kJoinMiter = 0x2000;
constexpr uint32_t kGeometric = 0x00010000;
constexpr uint32_t kHollowBrush = 1;
constexpr uint32_t kHatchedBrush = 2;
constexpr size_t kPenDashes = 52;

MetaBrush StockBrush(MetaBrushStyle style, PixelColour colour) {
  return MetaBrush{.Style = style, .Colour = colour};
}

// The stock objects a record may select by number.
bool StockObject(uint32_t number, MetaObject &object) {
  const auto grey = [](uint8_t v) { return RgbPixel(v, v, v); };
  switch (number) {
  case 0:
  case 1:
  case 2:
  case 3:
  case 4: {
    static constexpr std::array<uint8_t, 5> kGreys = {255, 192, 128, 64, 0};
    object = MetaObject{.Kind = MetaObject::Kind::Brush,
                        .Brush = StockBrush(MetaBrushStyle::Solid, grey(kGreys[number]))};
    return true;
  }
  case 5:
    object = MetaObject{.Kind = MetaObject::Kind::Brush, .Brush = StockBrush(MetaBrushStyle::None, {})};
    return true;
  case 6:
  case 7:
  case 8:
    object = MetaObject{.Kind = MetaObject::Kind::Pen,
                        .Pen = MetaPen{.Style = number == 8 ? MetaPenStyle::None : MetaPenStyle::Solid,
                                       .Colour = number == 6 ? grey(255) : grey(0)}};
    return true;
  case 10:
  case 11:
  case 12:
  case 13:
  case 14:
  case 16:
  case 17:
    object = MetaObject{.Kind = MetaObject::Kind::Font};
    return true;
  case 15:
    object = MetaObject{.Kind = MetaObject::Kind::Palette};
    object.Palette = DefaultPalette();
    return true;
  default:
    return false;
  }
}

class EmfPlayer {
public:
  EmfPlayer(MetafileContext &dc, uint32_t objectCount) : dc_(dc), objectCount_(objectCount) {}

  void Play(uint32_t type, RecordFields &r);

private:
  MetaPoint Point(RecordFields &r, size_t at) {
    return {static_cast<double>(r.I32(at)), static_cast<double>(r.I32(at + 4))};
  }
  MetaTransform Transform(RecordFields &r, size_t at) {
    return MetaTransform{.M11 = r.F32(at),
                         .M12 = r.F32(at + 4),
                         .M21 = r.F32(at + 8),
                         .M22 = r.F32(at + 12),
                         .Dx = r.F32(at + 16),
                         .Dy = r.F32(at + 20)};
  }
  // An object at an index of the table (0 is the metafile itself).
  void Create(uint32_t index, MetaObject object) {
    if (index == 0 || index >= objectCount_)
      dc_.Skip();
    else
      objects_[index] = std::move(object);
  }
  void ExtPen(RecordFields &r);
  void Poly(uint32_t type, RecordFields &r);
  void PolyDraw(uint32_t type, RecordFields &r);
  void PolyPoly(uint32_t type, RecordFields &r);
  void PatternBrush(uint32_t type, RecordFields &r);
  // A bitmap of the record; false when it holds none we draw.
  bool Bitmap(RecordFields &r, size_t fields, uint32_t usage, CPicture &bitmap);
  void Text(RecordFields &r, bool wide);
  void Blit(uint32_t type, RecordFields &r);
  void Clip(RecordFields &r);

  MetafileContext &dc_;
  uint32_t objectCount_;
  std::unordered_map<uint32_t, MetaObject> objects_;
};

// The size each other record of fixed fields must have; others check their own.
size_t MinimumSize(uint32_t type) {
  switch (type) {
  case kSelectObject:
  case kDeleteObject:
  case kSelectPalette:
  case kSelectClipPath:
    return 12;
  case kCreateBrushIndirect:
    return 24;
  case kCreatePen:
  case kPolygon:
  case kPolyline:
  case kPolylineTo:
  case kPolygon16:
  case kPolyline16:
  case kPolylineTo16:
  case kPolyBezier:
  case kPolyBezierTo:
  case kPolyBezier16:
  case kPolyBezierTo16:
  case kPolyDraw:
  case kPolyDraw16:
  case kSetWorldTransform:
    return 28;
  case kPolyPolygon:
  case kPolyPolyline:
  case kPolyPolygon16:
  case kPolyPolyline16:
  case kCreateMonoBrush:
  case kCreateDibPatternBrush:
    return 32;
  case kModifyWorldTransform:
    return 36;
  case kExtCreatePen:
    return kPenDashes;
  case kExtTextOutA:
  case kExtTextOutW:
  case kSetDiBitsToDevice:
    return 76;
  case kStretchDiBits:
    return 80;
  case kBitBlt:
    return 100;
  case kStretchBlt:
    return 108;
  case kExtCreateFontW:
    return 104;
  default:
    return 8;
  }
}

void EmfPlayer::Play(uint32_t type, RecordFields &r) {
  if (const std::optional<ContextRecord> shared = EmfContextRecord(type)) {
    std::array<double, kMostRecordNumbers> numbers{};
    const size_t count = NumbersOf(*shared);
    if (!r.Holds(8, 4 * count)) {
      dc_.Skip();
      return;
    }
    for (size_t k = 0; k < count; ++k)
      numbers[k] = TakesValue(*shared) ? static_cast<double>(r.U32(8 + 4 * k)) : r.I32(8 + 4 * k);
    PlayContextRecord(dc_, *shared, std::span(numbers).first(count));
    return;
  }
  if (r.Size() < MinimumSize(type)) {
    dc_.Skip();
    return;
  }
  switch (type) {
  case kSetWorldTransform:
    if (!dc_.ModifyWorldTransform(Transform(r, 8), 4))
      dc_.Skip();
    break;
  case kModifyWorldTransform:
    if (!dc_.ModifyWorldTransform(Transform(r, 8), r.U32(32)))
      dc_.Skip();
    break;
  case kSelectClipPath:
    if (IsClipMode(r.U32(8)))
      dc_.ClipToPath(static_cast<MetaClipMode>(r.U32(8)));
    else
      dc_.Skip();
    break;
  case kExtSelectClipRgn:
    Clip(r);
    break;
  case kPolygon:
  case kPolyline:
  case kPolylineTo:
  case kPolygon16:
  case kPolyline16:
  case kPolylineTo16:
  case kPolyBezier:
  case kPolyBezierTo:
  case kPolyBezier16:
  case kPolyBezierTo16:
    Poly(type, r);
    break;
  case kPolyDraw:
  case kPolyDraw16:
    PolyDraw(type, r);
    break;
  case kPolyPolygon:
  case kPolyPolyline:
  case kPolyPolygon16:
  case kPolyPolyline16:
    PolyPoly(type, r);
    break;
  case kExtTextOutA:
  case kExtTextOutW:
    Text(r, type == kExtTextOutW);
    break;
  case kBitBlt:
  case kStretchBlt:
  case kSetDiBitsToDevice:
  case kStretchDiBits:
    Blit(type, r);
    break;
  case kCreatePen:
    Create(r.U32(8), MetaObject{.Kind = MetaObject::Kind::Pen,
                                .Pen = PenOf(r.U32(12), r.I32(16), dc_.Colour(r.U32(24)))});
    break;
  case kExtCreatePen:
    ExtPen(r);
    break;
  case kCreateBrushIndirect:
    Create(r.U32(8), BrushObject(dc_, r.U32(12), r.U32(16), r.U32(20)));
    break;
  case kCreateMonoBrush:
  case kCreateDibPatternBrush:
    PatternBrush(type, r);
    break;
  case kExtCreateFontW:
    Create(r.U32(8), MetaObject{.Kind = MetaObject::Kind::Font,
                                .Font = MetaFont{.Face = FaceName(r.Block(40, 64), true),
                                                 .Height = static_cast<double>(r.I32(12)),
                                                 .Angle = static_cast<double>(r.I32(20)),
                                                 .Weight = r.I32(28),
                                                 .Italic = r.U8(32) != 0,
                                                 .Underline = r.U8(33) != 0,
                                                 .StrikeOut = r.U8(34) != 0}});
    break;
  case kCreatePalette: {
    MetaObject palette{.Kind = MetaObject::Kind::Palette};
    if (ReadPaletteEntries(r, 16, r.U16(14), palette.Palette))
      Create(r.U32(8), std::move(palette));
    else
      dc_.Skip();
    break;
  }
  case kSetPaletteEntries: {
    auto found = objects_.find(r.U32(8));
    const uint32_t first = r.U32(12);
    std::vector<PixelColour> entries;
    if (found == objects_.end() || found->second.Kind != MetaObject::Kind::Palette ||
        !ReadPaletteEntries(r, 20, r.U32(16), entries)) {
      dc_.Skip();
      break;
    }
    std::vector<PixelColour> &palette = found->second.Palette;
    for (size_t k = 0; k < entries.size() && uint64_t{first} + k < palette.size(); ++k)
      palette[first + k] = entries[k];
    break;
  }
  case kSelectObject:
  case kSelectPalette: {
    const uint32_t index = r.U32(8);
    MetaObject stock;
    if ((index & kStockObject) && StockObject(index & ~kStockObject, stock)) {
      if (stock.Kind == MetaObject::Kind::Font)
        dc_.SelectFont(MetaFont{});
      else
        SelectObject(dc_, stock);
    } else if (auto found = objects_.find(index); found != objects_.end()) {
      SelectObject(dc_, found->second);
    } else {
      dc_.Skip();
    }
    break;
  }
  case kDeleteObject:
    if (objects_.erase(r.U32(8)) == 0)
      dc_.Skip();
    break;
  case kBeginPath:
    dc_.BeginPath();
    break;
  case kEndPath:
    dc_.EndPath();
    break;
  case kAbortPath:
    dc_.AbortPath();
    break;
  case kCloseFigure:
    dc_.CloseFigure();
    break;
  case kFillPath:
  case kStrokeAndFillPath:
  case kStrokePath:
    dc_.DrawPath(type != kFillPath, type != kStrokePath);
    break;
  case kHeader:
  case kComment:
  case kSetBrushOrg:
  case kSetMapperFlags:
  case kSetStretchBltMode:
  case kRealizePalette:
  case kSetMiterLimit:
  case kSetIcmMode:
  case kFlattenPath: // its curves stay curves: they look the same
    break;           // nothing to do on a picture of true colours
  default:
    dc_.Skip();
    break;
  }
  if (!r.Ok())
    dc_.Skip();
}

void EmfPlayer::ExtPen(RecordFields &r) {
  const uint32_t style = r.U32(28);
  const uint32_t brushStyle = r.U32(36);
  MetaPen pen = PenOf(style, r.U32(32) & 0x7FFFFFFF, dc_.Colour(r.U32(40)));
  if (brushStyle == kHollowBrush)
    pen.Style = MetaPenStyle::None;
  else if (brushStyle > kHatchedBrush)
    dc_.Skip(); // a pattern pen: drawn in its colour
  if (!(style & kGeometric)) {
    pen.Width = 0; // a cosmetic pen is one pixel wide whatever the mapping
  } else {
    const uint32_t cap = style & kCapMask;
    const uint32_t join = style & kJoinMask;
    pen.Cap = cap == kCapFlat ? MetaPenCap::Flat : cap == kCapSquare ? MetaPenCap::Square : MetaPenCap::Round;
    pen.Join = join == kJoinBevel   ? MetaPenJoin::Bevel
               : join == kJoinMiter ? MetaPenJoin::Miter
                                    : MetaPenJoin::Round;
  }
  if ((style & 0x0F) == kUserStyle) {
    const uint32_t count = r.U32(48);
    if (count == 0 || count > kMostPenDashes || !r.Holds(kPenDashes, uint64_t{count} * 4)) {
      dc_.Skip(); // drawn solid
    } else {
      for (uint32_t k = 0; k < count; ++k)
        pen.Dashes[k] = static_cast<float>(r.U32(kPenDashes + 4 * size_t{k}));
      pen.DashCount = static_cast<uint8_t>(count);
      pen.Style = pen.Style == MetaPenStyle::None ? pen.Style : MetaPenStyle::User;
    }
  }
  Create(r.U32(8), MetaObject{.Kind = MetaObject::Kind::Pen, .Pen = pen});
}

void EmfPlayer::Poly(uint32_t type, RecordFields &r) {
  const bool small = type == kPolygon16 || type == kPolyline16 || type == kPolylineTo16 ||
                     type == kPolyBezier16 || type == kPolyBezierTo16;
  std::vector<MetaPoint> points = ReadPoints(r, 28, r.U32(24), !small);
  if (points.empty()) {
    dc_.Skip();
    return;
  }
  if (type == kPolyBezier || type == kPolyBezierTo || type == kPolyBezier16 || type == kPolyBezierTo16) {
    // Curves of three points each, after the first point unless they go on from the position.
    const bool fromPosition = type == kPolyBezierTo || type == kPolyBezierTo16;
    const size_t first = fromPosition ? 0 : 1;
    if (points.size() <= first || (points.size() - first) % 3 != 0) {
      dc_.Skip();
      return;
    }
    MetaFigures curves;
    MetaPoint from = fromPosition ? dc_.Position() : points[0];
    if (!fromPosition)
      curves.MoveTo(from);
    for (size_t k = first; k + 2 < points.size(); k += 3) {
      curves.CurveTo(from, points[k], points[k + 1], points[k + 2]);
      from = points[k + 2];
    }
    dc_.Figures(std::move(curves), fromPosition);
    return;
  }
  if (type == kPolygon || type == kPolygon16)
    dc_.Polygon(std::move(points), {});
  else
    dc_.Polyline(std::move(points), type == kPolylineTo || type == kPolylineTo16);
}

void EmfPlayer::PolyDraw(uint32_t type, RecordFields &r) {
  const bool small = type == kPolyDraw16;
  const uint32_t count = r.U32(24);
  const std::vector<MetaPoint> points = ReadPoints(r, 28, count, !small);
  const std::span<const uint8_t> kinds = r.Block(28 + uint64_t{count} * (small ? 4 : 8), count);
  if (points.empty() || !r.Ok()) {
    dc_.Skip();
    return;
  }
  const auto kindOf = [&](size_t k) { return static_cast<uint8_t>(kinds[k] & ~kPointCloses); };
  MetaFigures figures;
  MetaPoint at = dc_.Position();
  for (size_t k = 0; k < points.size(); ++k) {
    const uint8_t kind = kindOf(k);
    if (kind == kPointMove) {
      figures.MoveTo(points[k]);
    } else if (kind == kPointLine) {
      figures.LineTo(at, points[k]);
    } else if (kind == kPointCurve && k + 2 < points.size() && kindOf(k + 1) == kPointCurve &&
               kindOf(k + 2) == kPointCurve) {
      figures.CurveTo(at, points[k], points[k + 1], points[k + 2]);
      k += 2;
    } else {
      dc_.Skip();
      return;
    }
    at = points[k];
    if (kinds[k] & kPointCloses)
      figures.Close();
  }
  dc_.Figures(std::move(figures), true, kindOf(0) != kPointMove);
}

void EmfPlayer::PolyPoly(uint32_t type, RecordFields &r) {
  const bool small = type == kPolyPolygon16 || type == kPolyPolyline16;
  const uint32_t polygons = r.U32(24);
  const uint32_t total = r.U32(28);
  if (polygons == 0 || !r.Holds(32, uint64_t{polygons} * 4)) {
    dc_.Skip();
    return;
  }
  std::vector<uint32_t> counts;
  counts.reserve(polygons);
  uint64_t sum = 0;
  for (uint32_t k = 0; k < polygons; ++k) {
    counts.push_back(r.U32(32 + 4 * size_t{k}));
    sum += counts.back();
  }
  std::vector<MetaPoint> points = ReadPoints(r, 32 + 4 * size_t{polygons}, total, !small);
  if (sum != total || points.size() != total || total == 0) {
    dc_.Skip();
    return;
  }
  if (type == kPolyPolygon || type == kPolyPolygon16) {
    dc_.Polygon(std::move(points), std::move(counts));
    return;
  }
  size_t at = 0;
  for (const uint32_t count : counts) {
    dc_.Polyline(std::vector<MetaPoint>(points.begin() + static_cast<ptrdiff_t>(at),
                                        points.begin() + static_cast<ptrdiff_t>(at + count)),
                 false);
    at += count;
  }
}

void EmfPlayer::Text(RecordFields &r, bool wide) {
  const MetaPoint at = Point(r, 36);
  const uint32_t count = r.U32(44);
  const uint32_t offset = r.U32(48);
  const uint32_t options = r.U32(52);
  const std::span<const uint8_t> text = r.Block(offset, uint64_t{count} * (wide ? 2 : 1));
  if (!r.Ok()) {
    dc_.Skip();
    return;
  }
  std::vector<MetaPoint> box;
  if (options & kOpaqueText)
    box = {Point(r, 56), Point(r, 64)};
  dc_.Text(at, wide ? Utf16ToUtf8(text) : Latin1ToUtf8(text), box);
}

bool EmfPlayer::Bitmap(RecordFields &r, size_t fields, uint32_t usage, CPicture &bitmap) {
  const uint32_t infoOffset = r.U32(fields);
  const uint32_t infoSize = r.U32(fields + 4);
  const uint32_t rowsOffset = r.U32(fields + 8);
  const uint32_t rowsSize = r.U32(fields + 12);
  const std::span<const uint8_t> info = r.Block(infoOffset, infoSize);
  const std::span<const uint8_t> rows = r.Block(rowsOffset, rowsSize);
  if (!r.Ok() || infoSize == 0)
    return false;
  // The two blocks may overlap: the record's own size bounds what they hold.
  const uint64_t held = std::min<uint64_t>(uint64_t{infoSize} + rowsSize, r.Size());
  return ReadRecordBitmap(info, rows, held, usage == kPaletteColours ? &dc_.Palette() : nullptr, bitmap);
}

void EmfPlayer::PatternBrush(uint32_t type, RecordFields &r) {
  CPicture tile;
  // A two-colour brush takes the text and background colours, whatever its table says.
  const bool mono = type == kCreateMonoBrush;
  if (!Bitmap(r, 16, mono ? 0 : r.U32(12), tile)) {
    dc_.Skip(); // drawn hollow
    Create(r.U32(8),
           MetaObject{.Kind = MetaObject::Kind::Brush, .Brush = StockBrush(MetaBrushStyle::None, {})});
    return;
  }
  const bool twoColours = mono && tile.Bits() == 1;
  Create(r.U32(8), MetaObject{.Kind = MetaObject::Kind::Brush,
                              .Brush = MetaBrush{.Style = MetaBrushStyle::Pattern,
                                                 .Pattern = dc_.KeepPattern(std::move(tile)),
                                                 .Mono = twoColours}});
}

void EmfPlayer::Blit(uint32_t type, RecordFields &r) {
  BlitRecord b{.X = static_cast<double>(r.I32(24)), .Y = static_cast<double>(r.I32(28)), .Rop = kSourceCopy};
  uint32_t usage = 0;
  size_t bitmapFields = 0; // offset of the info's offset; the sizes and the rows' follow
  switch (type) {
  case kBitBlt:
  case kStretchBlt:
    b.Width = r.I32(32), b.Height = r.I32(36), b.Rop = r.U32(40), b.SourceX = r.I32(44),
    b.SourceY = r.I32(48);
    usage = r.U32(80);
    bitmapFields = 84;
    b.SourceWidth = type == kStretchBlt ? r.I32(100) : r.I32(32);
    b.SourceHeight = type == kStretchBlt ? r.I32(104) : r.I32(36);
    break;
  case kSetDiBitsToDevice:
    b.SourceX = r.I32(32), b.SourceY = r.I32(36), b.SourceWidth = r.I32(40), b.SourceHeight = r.I32(44);
    b.Width = b.SourceWidth, b.Height = b.SourceHeight;
    usage = r.U32(64);
    bitmapFields = 48;
    b.FromBottom = true;
    if (r.U32(68) != 0) { // a band of a larger bitmap
      dc_.Skip();
      return;
    }
    break;
  default: // stretched bits
    b.SourceX = r.I32(32), b.SourceY = r.I32(36), b.SourceWidth = r.I32(40), b.SourceHeight = r.I32(44);
    usage = r.U32(64), b.Rop = r.U32(68), b.Width = r.I32(72), b.Height = r.I32(76);
    bitmapFields = 48;
    b.FromBottom = true;
    break;
  }
  PlayBlit(dc_, b, [&](CPicture &bitmap) { return Bitmap(r, bitmapFields, usage, bitmap); });
}

void EmfPlayer::Clip(RecordFields &r) {
  const uint32_t size = r.U32(8);
  const uint32_t mode = r.U32(12);
  if (!IsClipMode(mode)) {
    dc_.Skip();
    return;
  }
  if (mode == kRegionCopy && size == 0) {
    dc_.ResetClip();
    return;
  }
  // The region's rectangles, in device units.
  const std::span<const uint8_t> region = r.Block(16, size);
  RecordFields data(region);
  const uint32_t count = data.U32(8);
  if (!r.Ok() || !data.Ok() || !data.Holds(kRegionHeader, uint64_t{count} * kRegionRect)) {
    dc_.Skip();
    return;
  }
  std::vector<std::array<double, 4>> rects;
  rects.reserve(count);
  for (size_t k = 0; k < count; ++k) {
    const size_t at = kRegionHeader + k * kRegionRect;
    rects.push_back({static_cast<double>(data.I32(at)), static_cast<double>(data.I32(at + 4)),
                     static_cast<double>(data.I32(at + 8)), static_cast<double>(data.I32(at + 12))});
  }
  dc_.ClipDeviceRects(rects, static_cast<MetaClipMode>(mode));
}

} // namespace

bool PlayEmfRecords(std::span<const uint8_t> records, uint32_t objectCount, MetafileContext &dc) {
  EmfPlayer player(dc, objectCount);
  size_t at = 0;
  while (at < records.size()) {
    RecordFields head(records.subspan(at));
    const uint32_t type = head.U32(0);
    const uint32_t size = head.U32(4);
    if (!head.Ok() || size < 8 || size % 4 != 0 || size > records.size() - at)
      return false;
    if (type == kEof)
      return true;
    RecordFields fields(records.subspan(at, size));
    dc.BeginRecord();
    if (dc.Spent())
      dc.Skip(); // read for its size only
    else
      player.Play(type, fields);
    at += size;
  }
  return true;
}

} // namespace quorbel
