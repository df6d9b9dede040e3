#include "app/picture_order.h"

#include <algorithm>

#include <numeric>

#include "app/app_random.h"

namespace quorbel {

namespace {

// Dominoes show their number of dots: any other order would lie about the value.
constexpr std::string_view kDominoSetTitle = "Domino";

bool IsPermutation(const PictureOrder &order) {
  std::array<bool, kPictureCount> seen{};
  for (int32_t entry : order) {
    if (entry < 0 || entry >= kPictureCount || seen[static_cast<size_t>(entry)])
      return false;
    seen[static_cast<size_t>(entry)] = true;
  }
  return true;
}

void DrawPermutation(PictureOrder &order) {
  std::array<bool, kPictureCount> used{};
  for (int32_t &entry : order) {
    int32_t picture;
    do
      picture = RandomBelow(kPictureCount);
    while (used[static_cast<size_t>(picture)]);
    used[static_cast<size_t>(picture)] = true;
    entry = picture;
  }
}

} // namespace

PictureOrderMode SettlePictureOrder(PictureOrder &order, PictureOrderMode mode, std::string_view setTitle) {
  if (setTitle == kDominoSetTitle || (mode == PictureOrderMode::Keep && !IsPermutation(order)) ||
      (mode != PictureOrderMode::Keep && mode != PictureOrderMode::Shuffle))
    mode = PictureOrderMode::Identity;
  if (mode == PictureOrderMode::Shuffle)
    DrawPermutation(order);
  else if (mode == PictureOrderMode::Identity)
    std::iota(order.begin(), order.end(), 0);
  return mode;
}

PictureOrder PictureOrderOf(const PictureOrderTable &table) {
  PictureOrder order{};
  std::copy(table.begin(), table.end(), order.begin());
  return order;
}

void StorePictureOrder(const PictureOrder &order, PictureOrderTable &table) {
  for (size_t v = 0; v < table.size(); ++v)
    table[v] = static_cast<int16_t>(order[v]);
}

} // namespace quorbel
