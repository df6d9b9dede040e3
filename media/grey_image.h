// A picture as the scanner reads it: grey levels, rows from the top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorbel {

class CPicture;

inline constexpr int kMostScanSide = 1499;

struct GreyImage {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint8_t> Pixels; // Width x Height, rows from the top
  uint8_t Outside = 255;       // what a read outside gives: the picture's own outside rule

  uint8_t At(int x, int y) const {
    return x < 0 || y < 0 || x >= Width || y >= Height
               ? Outside
               : Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) +
                        static_cast<std::size_t>(x)];
  }
};

// Each pixel (R*306 + G*601 + B*117) >> 10; a picture with a side over `most` pixels shrunk
// by the smallest whole factor that brings both sides within it.
GreyImage GreyImageOf(const CPicture &picture, int most = kMostScanSide);

// A rectangle of picture pixels, edges included.
struct CellBox {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = -1;
  int32_t Bottom = -1;
};

} // namespace quorbel
