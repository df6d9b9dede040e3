// Placeable and enhanced metafiles: their headers are checked and their size worked out as
// drawing them would; nothing on this system plays a metafile, so the picture is refused
// with its own words.
#include <algorithm>
#include <array>

#include "media/picture.h"
#include "media/picture_codecs.h"
#include "media/picture_reader.h"

namespace quorbel {

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr uint32_t kEmfHeaderRecord = 1;
constexpr uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr int32_t kScreenDpi = 96;
constexpr int32_t kLargestSide = 4000;
constexpr uint16_t kMostUnitsPerInch = 2540;

MetafileSize Refused(const char *text) { return MetafileSize{.Error = text}; }

MetafileSize Placeable(PictureReader &in, const std::array<uint8_t, 22> &h) {
  uint16_t check = 0;
  for (size_t k = 0; k < 10; ++k)
    check ^= LittleU16(h, 2 * k);
  const uint16_t unitsPerInch = LittleU16(h, 14);
  if (check != LittleU16(h, 20) || unitsPerInch < 1 || unitsPerInch > kMostUnitsPerInch)
    return Refused("corrupted WMF");
  std::array<uint8_t, 18> meta{};
  if (!in.Read(meta))
    return Refused("corrupted WMF");
  const uint16_t type = LittleU16(meta, 0);
  const int64_t words = LittleU32(meta, 6);
  if ((type != 1 && type != 2) || words * 2 > in.Remaining() + 18)
    return Refused("corrupted WMF");
  const auto left = static_cast<int16_t>(LittleU16(h, 6));
  const auto top = static_cast<int16_t>(LittleU16(h, 8));
  const auto right = static_cast<int16_t>(LittleU16(h, 10));
  const auto bottom = static_cast<int16_t>(LittleU16(h, 12));
  return MetafileSize{.Width = std::abs(right - left) * kScreenDpi / unitsPerInch,
                      .Height = std::abs(bottom - top) * kScreenDpi / unitsPerInch,
                      .Error = {}};
}

} // namespace

MetafileSize ReadMetafileSize(CPictureFile &file) {
  PictureReader in(file);
  const int64_t start = in.Position();
  std::array<uint8_t, 22> h{};
  MetafileSize size;
  if (in.Read(h) && LittleU32(h, 0) == kPlaceableKey) {
    size = Placeable(in, h);
  } else {
    std::array<uint8_t, 44> emf{};
    if (!in.Seek(start) || !in.Read(emf) || LittleU32(emf, 0) != kEmfHeaderRecord ||
        LittleU32(emf, 40) != kEmfSignature)
      return Refused("corrupted WMF");
    const auto bound = [&](size_t at) {
      return static_cast<int64_t>(static_cast<int32_t>(LittleU32(emf, at)));
    };
    size.Width = static_cast<int32_t>(std::min<int64_t>(std::abs(bound(16) - bound(8)), INT32_MAX));
    size.Height = static_cast<int32_t>(std::min<int64_t>(std::abs(bound(20) - bound(12)), INT32_MAX));
  }
  if (!size.Error.empty())
    return size;
  if (size.Width == 0 || size.Height == 0)
    return Refused("empty WMF");
  // The larger side becomes 4000, the other keeps the ratio.
  if (size.Width > kLargestSide || size.Height > kLargestSide) {
    const bool wide = size.Width >= size.Height;
    const int64_t other = static_cast<int64_t>(wide ? size.Height : size.Width) * kLargestSide /
                          (wide ? size.Width : size.Height);
    size.Width = wide ? kLargestSide : static_cast<int32_t>(other);
    size.Height = wide ? static_cast<int32_t>(other) : kLargestSide;
  }
  return size;
}

bool DecodeWmf(CPictureFile &file, CPicture &picture) {
  const MetafileSize size = ReadMetafileSize(file);
  picture.SetLastError(size.Error.empty() ? kMetafileNotDrawn : size.Error);
  return false;
}

} // namespace quorbel
