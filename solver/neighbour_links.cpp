#include "solver/neighbour_links.h"

#include "engine/grid_record.h"
#include "engine/rule_registry.h"
#include "engine/value_mask.h"

namespace quorbel {

namespace {

enum PairKind { kSideBySide = 0, kCornerToCorner = 1, kKnightStep = 2 };

constexpr int kPirateWidth = 9;
constexpr int kTreasure = 5;
constexpr uint16_t kCommoners = 0x1E0; // 6 to 9

static_assert(RuleBitsLinkedBy(SearchLinkKind::Neighbours) == kNeighbourLinkRules,
              "the rules read here are the rows that name this link");

} // namespace

bool NeighbourLinks::Build(const GridGeometry &geo, const GridRecord &grid, bool read) {
  const VariantWords words = read ? grid.GridVar & kNeighbourLinkRules : VariantWords{};
  const int w = geo.GridWidth;
  if (w == width_ && geo.NCells == nCells_ && words == words_)
    return true;
  words_ = words;
  width_ = w;
  nCells_ = geo.NCells;
  no3OddEven_ = Meets(words, kVarNo3OddEven);
  noAverage_ = Meets(words, kVarNoAverage);
  touchy_ = Meets(words, kVarTouchy);
  const bool pirate = Meets(words, kVarPirate) && w == kPirateWidth;
  for (auto &table : forbidden_)
    table.fill(0);
  for (int v = 1; v <= w; ++v) {
    uint16_t side = 0;
    if (Meets(words, kVarNoConsecutive))
      side |= static_cast<uint16_t>(ValueBit(v - 1) | ValueBit(v + 1));
    if (Meets(words, kVarGiveMe5))
      side |= static_cast<uint16_t>(ValueBit(5 - v) | ValueBit(v + 5) | ValueBit(v - 5));
    if (pirate && v == kTreasure)
      side |= kCommoners;
    if (pirate && (ValueBit(v) & kCommoners) != 0)
      side |= static_cast<uint16_t>(ValueBit(kTreasure));
    forbidden_[kSideBySide][v] = static_cast<uint16_t>(side & geo.FullMask);
    if (Meets(words, kVarNoTouch))
      forbidden_[kCornerToCorner][v] = static_cast<uint16_t>(ValueBit(v));
    if (Meets(words, kVarNoKnightStep))
      forbidden_[kKnightStep][v] = static_cast<uint16_t>(ValueBit(v));
  }
  std::array<bool, kPairKinds> kindUsed{};
  for (int k = 0; k < kPairKinds; ++k)
    for (int v = 1; v <= w; ++v)
      kindUsed[k] = kindUsed[k] || forbidden_[k][v] != 0;

  for (int c = 0; c < nCells_; ++c) {
    partnerCount_[c] = lineCount_[c] = besideCount_[c] = 0;
    const int r = geo.RowOfCell[c];
    const int col = geo.ColOfCell[c];
    auto add = [&](int kind, int dr, int dc) {
      const int rr = r + dr;
      const int cc = col + dc;
      if (rr < 0 || rr >= w || cc < 0 || cc >= w)
        return;
      if (kind == kSideBySide)
        beside_[c][besideCount_[c]++] = static_cast<uint8_t>(rr * w + cc);
      if (kindUsed[kind]) {
        partner_[c][partnerCount_[c]] = static_cast<uint8_t>(rr * w + cc);
        kind_[c][partnerCount_[c]++] = static_cast<uint8_t>(kind);
      }
    };
    add(kSideBySide, -1, 0);
    add(kSideBySide, 1, 0);
    add(kSideBySide, 0, -1);
    add(kSideBySide, 0, 1);
    for (int dr : {-1, 1})
      for (int dc : {-1, 1})
        add(kCornerToCorner, dr, dc);
    ForEachKnightMove(geo, c, [&](int other) {
      if (kindUsed[kKnightStep]) {
        partner_[c][partnerCount_[c]] = static_cast<uint8_t>(other);
        kind_[c][partnerCount_[c]++] = kKnightStep;
      }
    });
  }
  if (no3OddEven_ || noAverage_) {
    auto addLine = [&](int a, int b, int c) {
      for (int cell : {a, b, c})
        lines_[cell][lineCount_[cell]++] = {static_cast<uint8_t>(a), static_cast<uint8_t>(b),
                                            static_cast<uint8_t>(c)};
    };
    for (int line = 0; line < w; ++line)
      for (int k = 0; k + 2 < w; ++k) {
        addLine(geo.RowCells[line][k], geo.RowCells[line][k + 1], geo.RowCells[line][k + 2]);
        addLine(geo.ColCells[line][k], geo.ColCells[line][k + 1], geo.ColCells[line][k + 2]);
      }
  }
  any_ = words.Any();
  return false;
}

bool NeighbourLinks::Allows(std::span<const uint8_t> value, int cell, int v) const {
  for (int k = 0; k < partnerCount_[cell]; ++k) {
    const int other = value[partner_[cell][k]];
    if (other != 0 && (forbidden_[kind_[cell][k]][other] & ValueBit(v)) != 0)
      return false;
  }
  return true;
}

bool NeighbourLinks::LineAllows(int a, int b, int c) const {
  if (no3OddEven_ && (a & 1) == (b & 1) && (b & 1) == (c & 1))
    return false;
  return !(noAverage_ && a + c == 2 * b);
}

bool NeighbourLinks::LineHolds(std::span<const uint8_t> value, const std::array<uint8_t, 3> &line) const {
  return LineAllows(value[line[0]], value[line[1]], value[line[2]]);
}

uint16_t NeighbourLinks::LineLeaves(int known1, int known2, int slotOpen, int slotKnown1,
                                    int slotKnown2) const {
  uint16_t keep = 0;
  std::array<int, 3> values{};
  values[slotKnown1] = known1;
  values[slotKnown2] = known2;
  for (int x = 1; x <= width_; ++x) {
    values[slotOpen] = x;
    if (LineAllows(values[0], values[1], values[2]))
      keep |= static_cast<uint16_t>(ValueBit(x));
  }
  return keep;
}

// 2 when a decided neighbour holds a consecutive value or two open ones may, 1 when only one
// open neighbour (`onlyOpen`) may, 0 when none.
int NeighbourLinks::TouchySupport(std::span<const uint8_t> value, std::span<const uint16_t> cand, int cell,
                                  int &onlyOpen) const {
  const uint32_t next = ValueBit(value[cell] - 1) | ValueBit(value[cell] + 1);
  int open = 0;
  for (int k = 0; k < besideCount_[cell]; ++k) {
    const int n = beside_[cell][k];
    if (value[n] != 0) {
      if ((ValueBit(value[n]) & next) != 0)
        return 2;
    } else if ((cand[n] & next) != 0) {
      onlyOpen = n;
      ++open;
    }
  }
  return open >= 2 ? 2 : open;
}

bool NeighbourLinks::HoldOnFull(std::span<const uint8_t> value) const {
  for (int c = 0; c < nCells_; ++c) {
    const int v = value[c];
    for (int k = 0; k < partnerCount_[c]; ++k)
      if ((forbidden_[kind_[c][k]][v] & ValueBit(value[partner_[c][k]])) != 0)
        return false;
    for (int k = 0; k < lineCount_[c]; ++k)
      if (!LineHolds(value, lines_[c][k]))
        return false;
    if (touchy_) {
      int onlyOpen = -1;
      if (TouchySupport(value, {}, c, onlyOpen) != 2)
        return false;
    }
  }
  return true;
}

} // namespace quorbel
