// GIF files written by the tests: a screen, optional global colours, and frames whose
// pixels a small LZW encoder of ours codes.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "media/pixel_colour.h"
#include "tests/media/bmp_fixture.h"

namespace quorbel::test {

struct GifFrame {
  int Left = 0, Top = 0, Width = 1, Height = 1;
  std::vector<uint8_t> Pixels{}; // top row first
  std::vector<PixelColour> Local{};
  bool Interlaced = false;
  int Transparent = -1;
  int Delay = 0;
  int Disposal = 0;
  bool Control = true;
};

struct GifLayout {
  int Width = 1, Height = 1;
  std::vector<PixelColour> Global{};
  std::vector<GifFrame> Frames{};
};

// Written as many entries as the flags' size bits say, black past the given ones.
inline uint8_t TableBits(size_t entries);
inline void PutTable(std::vector<uint8_t> &out, const std::vector<PixelColour> &table) {
  if (table.empty())
    return;
  for (const PixelColour c : table)
    out.insert(out.end(), {c.Red(), c.Green(), c.Blue()});
  out.insert(out.end(), 3 * ((size_t{2} << TableBits(table.size())) - table.size()), 0);
}

// Table sizes are powers of two from 2 to 256: the flags' size bits.
inline uint8_t TableBits(size_t entries) {
  uint8_t bits = 0;
  while ((2u << bits) < entries)
    ++bits;
  return bits;
}

// The GIF form of LZW: a clear code, then the longest known string at each step, the codes
// one bit wider as soon as the decoder's table needs it. Small pictures only (no full table).
inline std::vector<uint8_t> LzwEncode(const std::vector<uint8_t> &pixels, int minCodeBits) {
  const int clear = 1 << minCodeBits;
  int bits = minCodeBits + 1;
  int next = clear + 2;
  std::map<std::pair<int, int>, int> table;
  std::vector<uint8_t> out;
  uint32_t buffer = 0;
  int used = 0;
  auto putCode = [&](int code) {
    buffer |= static_cast<uint32_t>(code) << used;
    used += bits;
    while (used >= 8) {
      out.push_back(static_cast<uint8_t>(buffer));
      buffer >>= 8;
      used -= 8;
    }
  };
  putCode(clear);
  int string = pixels.empty() ? -1 : pixels[0];
  for (size_t i = 1; i < pixels.size(); ++i) {
    const auto found = table.find({string, pixels[i]});
    if (found != table.end()) {
      string = found->second;
      continue;
    }
    putCode(string);
    table[{string, pixels[i]}] = next++;
    if (next > (1 << bits) && bits < 12)
      ++bits;
    string = pixels[i];
  }
  if (string >= 0)
    putCode(string);
  putCode(clear + 1);
  if (used > 0)
    out.push_back(static_cast<uint8_t>(buffer));
  return out;
}

inline std::vector<uint8_t> MakeGif(const GifLayout &s) {
  std::vector<uint8_t> file = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(file, static_cast<uint32_t>(s.Width));
  Put16(file, static_cast<uint32_t>(s.Height));
  file.push_back(s.Global.empty() ? 0 : static_cast<uint8_t>(0x80 | TableBits(s.Global.size())));
  file.insert(file.end(), {0, 0});
  PutTable(file, s.Global);
  for (const GifFrame &f : s.Frames) {
    if (f.Control) {
      file.insert(file.end(),
                  {'!', 0xF9, 4, static_cast<uint8_t>(f.Disposal << 2 | (f.Transparent >= 0 ? 1 : 0))});
      Put16(file, static_cast<uint32_t>(f.Delay));
      file.insert(file.end(), {static_cast<uint8_t>(f.Transparent < 0 ? 0 : f.Transparent), 0});
    }
    file.push_back(',');
    Put16(file, static_cast<uint32_t>(f.Left));
    Put16(file, static_cast<uint32_t>(f.Top));
    Put16(file, static_cast<uint32_t>(f.Width));
    Put16(file, static_cast<uint32_t>(f.Height));
    file.push_back(static_cast<uint8_t>((f.Local.empty() ? 0 : 0x80 | TableBits(f.Local.size())) |
                                        (f.Interlaced ? 0x40 : 0)));
    PutTable(file, f.Local);
    const int minCodeBits = 8;
    file.push_back(static_cast<uint8_t>(minCodeBits));
    const std::vector<uint8_t> data = LzwEncode(f.Pixels, minCodeBits);
    for (size_t at = 0; at < data.size(); at += 255) {
      const size_t n = std::min<size_t>(255, data.size() - at);
      file.push_back(static_cast<uint8_t>(n));
      file.insert(file.end(), data.begin() + static_cast<ptrdiff_t>(at),
                  data.begin() + static_cast<ptrdiff_t>(at + n));
    }
    file.push_back(0);
  }
  file.push_back(';');
  return file;
}

// The transparent index each image's graphic control names (-1 when none), read off the file's
// blocks; empty when they do not parse.
inline std::vector<int> GifTransparentIndices(const std::vector<uint8_t> &file) {
  std::vector<int> indices;
  size_t at = 13;
  const auto skipTable = [&](uint8_t flags) {
    if (flags & 0x80)
      at += 3 * (size_t{2} << (flags & 7));
  };
  const auto skipBlocks = [&] {
    while (at < file.size() && file[at] != 0)
      at += file[at] + size_t{1};
    ++at;
  };
  if (file.size() < at)
    return {};
  skipTable(file[10]);
  int transparent = -1;
  while (at < file.size() && file[at] != ';') {
    if (file[at] == '!' && at + 6 < file.size()) {
      if (file[at + 1] == 0xF9)
        transparent = (file[at + 3] & 1) ? file[at + 6] : -1;
      at += 2;
      skipBlocks();
    } else if (file[at] == ',' && at + 10 < file.size()) {
      indices.push_back(transparent);
      const uint8_t flags = file[at + 9];
      at += 10;
      skipTable(flags);
      ++at; // the LZW code size
      skipBlocks();
    } else {
      return {};
    }
  }
  return indices;
}

} // namespace quorbel::test
