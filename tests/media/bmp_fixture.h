// BMP files written by the tests themselves: a file header, a header of the size asked,
// the palette and the rows as given.
#pragma once

#include <cstdint>
#include <vector>

namespace quorbel::test {

struct BmpLayout {
  int32_t Width = 0;
  int32_t Height = 0; // negative: rows top-down
  uint16_t Bits = 8;
  uint32_t Compression = 0;
  uint32_t HeaderSize = 40;       // 12, 40, 108 or 124
  uint32_t PaletteCount = 0;      // written as the header's count (0: the depth's own)
  std::vector<uint8_t> Palette{}; // 4 bytes per entry (3 for a 12-byte header)
  std::vector<uint32_t> Masks{};  // after a 40-byte header, inside a larger one
  std::vector<uint8_t> Pixels{};
};

inline void Put16(std::vector<uint8_t> &out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(std::vector<uint8_t> &out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

inline std::vector<uint8_t> MakeBmp(const BmpLayout &s) {
  std::vector<uint8_t> header;
  Put32(header, s.HeaderSize);
  if (s.HeaderSize == 12) {
    Put16(header, static_cast<uint32_t>(s.Width));
    Put16(header, static_cast<uint32_t>(s.Height));
    Put16(header, 1);
    Put16(header, s.Bits);
  } else {
    Put32(header, static_cast<uint32_t>(s.Width));
    Put32(header, static_cast<uint32_t>(s.Height));
    Put16(header, 1);
    Put16(header, s.Bits);
    Put32(header, s.Compression);
    Put32(header, static_cast<uint32_t>(s.Pixels.size()));
    Put32(header, 3780); // 96 dpi
    Put32(header, 3780);
    Put32(header, s.PaletteCount);
    Put32(header, 0);
    if (s.HeaderSize > 40) {
      for (size_t k = 0; k < 3; ++k)
        Put32(header, k < s.Masks.size() ? s.Masks[k] : 0);
      header.resize(s.HeaderSize - 0, 0);
    }
  }
  std::vector<uint8_t> between = s.Palette;
  if (s.HeaderSize == 40)
    for (const uint32_t mask : s.Masks)
      Put32(between, mask);
  const uint32_t offset = static_cast<uint32_t>(14 + header.size() + between.size());
  std::vector<uint8_t> file = {'B', 'M'};
  Put32(file, static_cast<uint32_t>(offset + s.Pixels.size()));
  Put32(file, 0);
  Put32(file, offset);
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), between.begin(), between.end());
  file.insert(file.end(), s.Pixels.begin(), s.Pixels.end());
  return file;
}

} // namespace quorbel::test
