// Windows metafile records: each is a size in 16-bit words, a function number and its
// parameters, stored in the reverse order of the drawing call's arguments.
#include <array>
#include <optional>
#include <set>

#include "media/metafile_records.h"

namespace quorbel {

namespace {

enum WmfFunction : uint16_t {
  kEof = 0x0000,
  kRealizePalette = 0x0035,
  kSetPalEntries = 0x0037,
  kCreatePalette = 0x00F7,
  kSetStretchBltMode = 0x0107,
  kSelectObject = 0x012D,
  kDibCreatePatternBrush = 0x0142,
  kDeleteObject = 0x01F0,
  kCreatePatternBrush = 0x01F9,
  kSelectPalette = 0x0234,
  kCreatePenIndirect = 0x02FA,
  kCreateFontIndirect = 0x02FB,
  kCreateBrushIndirect = 0x02FC,
  kPolygon = 0x0324,
  kPolyline = 0x0325,
  kTextOut = 0x0521,
  kPolyPolygon = 0x0538,
  kPatBlt = 0x061D,
  kCreateRegion = 0x06FF,
  kDibBitBlt = 0x0940,
  kExtTextOut = 0x0A32,
  kDibStretchBlt = 0x0B41,
  kSetDibToDev = 0x0D33,
  kStretchDib = 0x0F43,
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

// The parameters each other record of fixed size must hold; records of variable size check
// their own.
size_t MinimumBytes(uint16_t function) {
  switch (function) {
  case kCreatePalette:
    return 4;
  case kCreateBrushIndirect:
  case kExtTextOut:
    return 8;
  case kCreatePenIndirect:
    return 10;
  case kPatBlt:
    return 12;
  case kCreateFontIndirect:
    return 18;
  case kEof:
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
  void Shared(ContextRecord record, RecordFields &p);
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

void WmfPlayer::Shared(ContextRecord record, RecordFields &p) {
  std::array<double, kMostRecordNumbers> numbers{};
  const size_t count = NumbersOf(record);
  const bool colour = record == ContextRecord::TextColour || record == ContextRecord::BackgroundColour;
  if (!p.Holds(0, colour ? 4 : 2 * count)) {
    dc_.Skip();
    return;
  }
  if (colour)
    numbers[0] = p.U32(0);
  else if (TakesValue(record))
    numbers[0] = p.U16(0);
  else
    for (size_t k = 0; k < count; ++k) // the last argument first
      numbers[k] = Word(p, count - 1 - k);
  PlayContextRecord(dc_, record, std::span(numbers).first(count));
}

void WmfPlayer::Play(uint16_t function, RecordFields &p) {
  if (const std::optional<ContextRecord> shared = WmfContextRecord(function)) {
    Shared(*shared, p);
    return;
  }
  if (p.Size() < MinimumBytes(function)) {
    dc_.Skip();
    // An object record still takes its slot, or every later index would name another object.
    if (function == kCreatePenIndirect || function == kCreateBrushIndirect ||
        function == kCreateFontIndirect || function == kCreatePalette)
      Create(MetaObject{});
    return;
  }
  switch (function) {
  case kPolyline:
  case kPolygon: {
    std::vector<MetaPoint> points = ReadPoints(p, 2, p.U16(0), false);
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
    std::vector<MetaPoint> points = ReadPoints(p, 2 + 2 * size_t{polygons}, total, false);
    if (!p.Ok() || points.size() != total || total == 0)
      dc_.Skip();
    else
      dc_.Polygon(std::move(points), std::move(counts));
    break;
  }
  case kTextOut:
  case kExtTextOut:
    Text(p, function == kExtTextOut);
    break;
  case kCreatePenIndirect:
    Create(MetaObject{.Kind = MetaObject::Kind::Pen,
                      .Pen = PenOf(p.U16(0), static_cast<double>(p.I16(2)), dc_.Colour(p.U32(6)))});
    break;
  case kCreateBrushIndirect:
    Create(BrushObject(dc_, p.U16(0), p.U32(2), p.U16(6)));
    break;
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
    if (!ReadPaletteEntries(p, 4, p.U16(2), palette.Palette))
      dc_.Skip();
    Create(std::move(palette)); // it still takes its slot
    break;
  }
  case kDibCreatePatternBrush:
    PatternBrush(p);
    break;
  case kPatBlt:
    PlayBlit(
        dc_,
        BlitRecord{
            .X = Word(p, 5), .Y = Word(p, 4), .Width = Word(p, 3), .Height = Word(p, 2), .Rop = p.U32(0)},
        [](CPicture &) { return false; });
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
  const std::span<const uint8_t> block = p.Size() > 4 ? p.Block(4, p.Size() - 4) : std::span<const uint8_t>{};
  const bool indices = style != kPatternOfDevice && usage == kPaletteColours;
  CPicture tile;
  if (!ReadRecordBitmap(block, {}, block.size(), indices ? &dc_.Palette() : nullptr, tile)) {
    dc_.Skip(); // drawn hollow, and it still takes its slot
    Create(MetaObject{.Kind = MetaObject::Kind::Brush, .Brush = MetaBrush{.Style = MetaBrushStyle::None}});
    return;
  }
  Create(MetaObject{
      .Kind = MetaObject::Kind::Brush,
      .Brush = MetaBrush{.Style = MetaBrushStyle::Pattern, .Pattern = dc_.KeepPattern(std::move(tile))}});
}

void WmfPlayer::Bitmap(uint16_t function, RecordFields &p, size_t recordWords) {
  BlitRecord b{.Rop = function == kSetDibToDev ? kSourceCopy : p.U32(0)};
  // A blit record without a bitmap paints with the brush.
  if ((function == kDibBitBlt || function == kDibStretchBlt) && recordWords == (function >> 8) + 3u) {
    const size_t at = function == kDibBitBlt ? 4 : 7; // the destination's height, after a reserved word
    b.X = Word(p, at + 3), b.Y = Word(p, at + 2), b.Width = Word(p, at + 1), b.Height = Word(p, at);
    PlayBlit(dc_, b, [](CPicture &) { return false; });
    return;
  }
  // Words of each field, after the raster operation (two words) where there is one.
  const auto word = [&](size_t at) { return static_cast<int32_t>(p.I16(2 * at)); };
  size_t dib = 0;
  uint16_t usage = 0;
  switch (function) {
  case kDibBitBlt:
    b.SourceY = word(2), b.SourceX = word(3), b.SourceHeight = word(4), b.SourceWidth = word(5);
    b.Height = b.SourceHeight, b.Width = b.SourceWidth, b.Y = word(6), b.X = word(7);
    dib = 16;
    break;
  case kDibStretchBlt:
    b.SourceHeight = word(2), b.SourceWidth = word(3), b.SourceY = word(4), b.SourceX = word(5);
    b.Height = word(6), b.Width = word(7), b.Y = word(8), b.X = word(9);
    dib = 20;
    break;
  case kStretchDib:
    usage = p.U16(4);
    b.SourceHeight = word(3), b.SourceWidth = word(4), b.SourceY = word(5), b.SourceX = word(6);
    b.Height = word(7), b.Width = word(8), b.Y = word(9), b.X = word(10);
    dib = 22;
    b.FromBottom = true;
    break;
  default: // set to the device: the bitmap's own size, from its whole rows
    usage = p.U16(0);
    if (p.U16(4) != 0) { // rows from a later scan line: a band of a larger bitmap
      dc_.Skip();
      return;
    }
    b.SourceY = word(3), b.SourceX = word(4), b.SourceHeight = word(5), b.SourceWidth = word(6);
    b.Height = b.SourceHeight, b.Width = b.SourceWidth, b.Y = word(7), b.X = word(8);
    dib = 18;
    b.FromBottom = true;
    break;
  }
  if (!p.Ok() || dib > p.Size()) {
    dc_.Skip();
    return;
  }
  PlayBlit(dc_, b, [&](CPicture &bitmap) {
    const std::span<const uint8_t> block = p.Block(dib, p.Size() - dib);
    return ReadRecordBitmap(block, {}, block.size(), usage == kPaletteColours ? &dc_.Palette() : nullptr,
                            bitmap);
  });
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
    if (dc.Spent())
      dc.Skip(); // read for its size only
    else
      player.Play(function, parameters);
    at += static_cast<size_t>(bytes);
  }
  return true;
}

} // namespace quorbel
