// A metafile's header, the picture's size it gives, and the mapping of its device onto the
// picture; then its records.
#include <algorithm>
#include <cmath>

#include "media/metafile_records.h"
#include "media/picture_codecs.h"
#include "media/picture_reader.h"

namespace quorbel {

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableSize = 22;
constexpr size_t kWmfHeaderSize = 18;
constexpr uint32_t kEmfHeaderRecord = 1;
constexpr uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr size_t kEmfHeaderSize = 88;          // up to the reference device's size in millimetres
constexpr int32_t kScreenDpi = 96;
constexpr uint16_t kMostUnitsPerInch = 2540;
constexpr double kMillimetresPerInch = 25.4;
constexpr uint32_t kMapAnisotropic = 8;

MetafileHeader Refused(const char *text) { return MetafileHeader{.Error = text}; }

MetafileHeader Placeable(std::span<const uint8_t> bytes) {
  uint16_t check = 0;
  for (size_t k = 0; k < 10; ++k)
    check ^= LittleU16(bytes, 2 * k);
  const uint16_t unitsPerInch = LittleU16(bytes, 14);
  if (check != LittleU16(bytes, 20) || unitsPerInch < 1 || unitsPerInch > kMostUnitsPerInch ||
      bytes.size() < kPlaceableSize + kWmfHeaderSize)
    return Refused("corrupted WMF");
  const std::span<const uint8_t> meta = bytes.subspan(kPlaceableSize);
  const uint16_t type = LittleU16(meta, 0);
  const uint64_t words = LittleU32(meta, 6);
  if ((type != 1 && type != 2) || words * 2 > meta.size())
    return Refused("corrupted WMF");
  MetafileHeader h{.Enhanced = false,
                   .Left = static_cast<int16_t>(LittleU16(bytes, 6)),
                   .Top = static_cast<int16_t>(LittleU16(bytes, 8)),
                   .Right = static_cast<int16_t>(LittleU16(bytes, 10)),
                   .Bottom = static_cast<int16_t>(LittleU16(bytes, 12)),
                   .UnitsPerInch = unitsPerInch,
                   .Objects = LittleU16(meta, 10),
                   .RecordsStart = kPlaceableSize + 2 * size_t{LittleU16(meta, 2)},
                   .RecordsEnd = kPlaceableSize + static_cast<size_t>(words) * 2};
  h.Width = static_cast<int32_t>(std::abs(h.Right - h.Left) * kScreenDpi / unitsPerInch);
  h.Height = static_cast<int32_t>(std::abs(h.Bottom - h.Top) * kScreenDpi / unitsPerInch);
  return h;
}

MetafileHeader Enhanced(std::span<const uint8_t> bytes) {
  if (bytes.size() < kEmfHeaderSize || LittleU32(bytes, 0) != kEmfHeaderRecord ||
      LittleU32(bytes, 40) != kEmfSignature)
    return Refused("corrupted WMF");
  const uint32_t size = LittleU32(bytes, 4);
  if (size < kEmfHeaderSize || size > bytes.size() || size % 4 != 0)
    return Refused("corrupted WMF");
  const auto field = [&](size_t at) {
    return static_cast<int64_t>(static_cast<int32_t>(LittleU32(bytes, at)));
  };
  MetafileHeader h{.Enhanced = true,
                   .Left = field(8),
                   .Top = field(12),
                   .Right = field(16),
                   .Bottom = field(20),
                   .Objects = LittleU16(bytes, 56),
                   .RecordsStart = size,
                   .RecordsEnd = bytes.size()};
  // The bounds hold their right and bottom pixels: no pixel at all when they are crossed.
  h.Width = static_cast<int32_t>(std::clamp<int64_t>(h.Right - h.Left + 1, 0, INT32_MAX));
  h.Height = static_cast<int32_t>(std::clamp<int64_t>(h.Bottom - h.Top + 1, 0, INT32_MAX));
  const int64_t deviceX = field(72), deviceY = field(76), mmX = field(80), mmY = field(84);
  if (deviceX > 0 && deviceY > 0 && mmX > 0 && mmY > 0) {
    h.DevicePerMmX = static_cast<double>(deviceX) / static_cast<double>(mmX);
    h.DevicePerMmY = static_cast<double>(deviceY) / static_cast<double>(mmY);
  }
  return h;
}

} // namespace

MetafileHeader ReadMetafileHeader(std::span<const uint8_t> bytes) {
  MetafileHeader h = bytes.size() >= kPlaceableSize && LittleU32(bytes, 0) == kPlaceableKey ? Placeable(bytes)
                                                                                            : Enhanced(bytes);
  if (!h.Error.empty())
    return h;
  if (h.Width == 0 || h.Height == 0)
    return Refused("empty WMF");
  // The larger side becomes 4000, the other keeps the ratio.
  if (h.Width > kMetafileLargestSide || h.Height > kMetafileLargestSide) {
    const bool wide = h.Width >= h.Height;
    const int64_t other =
        static_cast<int64_t>(wide ? h.Height : h.Width) * kMetafileLargestSide / (wide ? h.Width : h.Height);
    h.Width = wide ? kMetafileLargestSide : static_cast<int32_t>(std::max<int64_t>(other, 1));
    h.Height = wide ? static_cast<int32_t>(std::max<int64_t>(other, 1)) : kMetafileLargestSide;
  }
  return h;
}

MetafileDrawing ReadMetafile(std::span<const uint8_t> bytes, double budget) {
  MetafileDrawing drawing{.Budget = budget};
  const MetafileHeader h = ReadMetafileHeader(bytes);
  if (!h.Error.empty()) {
    drawing.Error = h.Error;
    return drawing;
  }
  drawing.Width = h.Width;
  drawing.Height = h.Height;
  // The header's box fills the picture: its device units stretched to the picture's pixels.
  const double spanX = static_cast<double>(h.Right - h.Left + (h.Enhanced ? 1 : 0));
  const double spanY = static_cast<double>(h.Bottom - h.Top + (h.Enhanced ? 1 : 0));
  const double scaleX = h.Width / spanX;
  const double scaleY = h.Height / spanY;
  const double left = std::min(h.Left, h.Right);
  const double top = std::min(h.Top, h.Bottom);
  const MetaTransform base{.M11 = std::abs(scaleX),
                           .M22 = std::abs(scaleY),
                           .Dx = -left * std::abs(scaleX),
                           .Dy = -top * std::abs(scaleY)};
  bool whole = false;
  if (h.Enhanced) {
    MetafileContext dc(drawing, base, h.DevicePerMmX, h.DevicePerMmY);
    whole = PlayEmfRecords(bytes.subspan(h.RecordsStart, h.RecordsEnd - h.RecordsStart), h.Objects, dc);
  } else {
    // A WMF's units are its device's: the box maps onto itself until its records say otherwise.
    const double perMm = h.UnitsPerInch / kMillimetresPerInch;
    MetafileContext dc(drawing, base, perMm, perMm);
    dc.SetMapMode(kMapAnisotropic);
    dc.SetWindowOrg(static_cast<double>(h.Left), static_cast<double>(h.Top));
    dc.SetViewportOrg(static_cast<double>(h.Left), static_cast<double>(h.Top));
    dc.SetWindowExt(spanX, spanY);
    dc.SetViewportExt(spanX, spanY);
    whole = h.RecordsStart <= h.RecordsEnd &&
            PlayWmfRecords(bytes.subspan(h.RecordsStart, h.RecordsEnd - h.RecordsStart), h.Objects, dc);
  }
  if (!whole) {
    drawing = MetafileDrawing{.Error = "corrupted WMF"};
  } else if (drawing.Ops.empty()) {
    drawing = MetafileDrawing{.Error = drawing.Cut ? kMetafileTooCostly : "empty WMF",
                              .Skipped = drawing.Skipped,
                              .Cut = drawing.Cut};
  }
  return drawing;
}

} // namespace quorbel
