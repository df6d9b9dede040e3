#include "view/defi_strip.h"

#include <algorithm>

namespace quorbel {

namespace {

constexpr int kMostBoxWidth = 120;
constexpr int kChatLabelWidth = 50;
constexpr int kGap = 4;

} // namespace

DefiStripLayout LayOutDefiStrip(const CellRect &strip, int players) {
  DefiStripLayout layout;
  if (!strip.IsShown() || players < 0)
    return layout;
  const int boxes = players + 1;
  const int width = std::min(kMostBoxWidth, std::max(0, strip.Width() / 2) / boxes);
  int left = strip.left + kGap;
  for (int b = 0; b < boxes; ++b) {
    layout.Boxes.push_back({left, strip.top + kGap, left + width - kGap, strip.bottom - kGap});
    left += width;
  }
  layout.ChatLabel = {left + kGap, strip.top + kGap, left + kGap + kChatLabelWidth, strip.bottom - kGap};
  layout.ChatEdit = {layout.ChatLabel.right + kGap, strip.top + kGap, strip.right - kGap,
                     strip.bottom - kGap};
  return layout;
}

int HitTestPlayerBox(const DefiStripLayout &layout, int x, int y) {
  for (size_t b = 0; b < layout.Boxes.size(); ++b) {
    const CellRect &box = layout.Boxes[b];
    if (x >= box.left && x < box.right && y >= box.top && y < box.bottom)
      return static_cast<int>(b);
  }
  return -1;
}

} // namespace quorbel
