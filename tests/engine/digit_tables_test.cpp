#include <gtest/gtest.h>

#include <bit>
#include <string>

#include "engine/digit_tables.h"

using namespace quorbel;

namespace {

// The four allowed-set fields of a cell, nothing else.
struct AllowedFields {
  int32_t AllowedType = -7;
  int32_t AllowedIndex = -7;
  int32_t AllowedMaskWord = 0;
  int32_t AllowedSet = -7;
};

int32_t ValuesMask(std::initializer_list<int> values) {
  int32_t mask = 0;
  for (int v : values)
    mask |= 1 << (v - 1);
  return mask;
}

std::string Roman(int value) {
  static const char *const kNumerals[] = {"",   "I", "II", "III", "IV",   "V",   "VI", "VII", "VIII",
                                          "IX", "X", "XI", "XII", "XIII", "XIV", "XV", "XVI"};
  return kNumerals[value];
}

// True when the letters of `part` appear in `whole` in the same order, gaps allowed.
bool HoldsInOrder(const std::string &whole, const std::string &part) {
  size_t at = 0;
  for (char letter : whole)
    if (at < part.size() && letter == part[at])
      ++at;
  return at == part.size();
}

constexpr int32_t kSegmentB = 1 << 1;
constexpr int32_t kSegmentC = 1 << 2;
constexpr int32_t kCentrePip = 1 << 4;

} // namespace

TEST(AllowedSet, SegmentsBAndCAdmitTheDigitsThatLightBoth) {
  AllowedFields cell;
  SetAllowedSet(cell, kAllowedTypeSegments, kSegmentB | kSegmentC);
  EXPECT_EQ(cell.AllowedType, kAllowedTypeSegments);
  EXPECT_EQ(cell.AllowedIndex, kSegmentB | kSegmentC);
  EXPECT_EQ(cell.AllowedMaskWord, 0xFFFF);
  EXPECT_EQ(cell.AllowedSet, ValuesMask({1, 3, 4, 7, 8, 9}));
}

TEST(AllowedSet, CentrePipAdmitsTheOddValues) {
  EXPECT_EQ(AllowedSetOf(kAllowedTypePips, kCentrePip), ValuesMask({1, 3, 5, 7, 9}));
}

TEST(AllowedSet, AnEmptySelectionAdmitsEveryTableDigitButNoLargerValue) {
  EXPECT_EQ(AllowedSetOf(kAllowedTypeSegments, 0), 0x1FF);
  EXPECT_EQ(AllowedSetOf(kAllowedTypePips, 0), 0x1FF);
}

TEST(AllowedSet, MaskAndTableTypesReadTheIndexDirectly) {
  EXPECT_EQ(AllowedSetOf(kAllowedTypeMask, 0xA5A5), 0xA5A5);
  EXPECT_EQ(AllowedSetOf(kAllowedTypeTable, 17), ValuesMask({1}));
  EXPECT_EQ(AllowedSetOf(kAllowedTypeTable, 26), ValuesMask({10}));
}

TEST(AllowedSet, UnknownTypeOrIndexAdmitsNothingAndReadsNoFurther) {
  EXPECT_EQ(AllowedSetOf(kAllowedTypeTable, kAllowedSetTableSize), 0);
  EXPECT_EQ(AllowedSetOf(kAllowedTypeTable, -1), 0);
  EXPECT_EQ(AllowedSetOf(kAllowedTypeNone, 0xFF), 0);
  EXPECT_EQ(AllowedSetOf(9, 1), 0);
  AllowedFields cell;
  SetAllowedSet(cell, kAllowedTypeNone, 0);
  EXPECT_EQ(cell.AllowedSet, 0);
  EXPECT_EQ(cell.AllowedType, kAllowedTypeNone);
}

TEST(DigitTables, RomanTableFollowsTheNumerals) {
  EXPECT_EQ(AllowedSetTable(0), 0);
  for (int k = 1; k <= 16; ++k) {
    int32_t containing = 0, contained = 0;
    for (int v = 1; v <= 16; ++v) {
      if (HoldsInOrder(Roman(v), Roman(k)))
        containing |= 1 << (v - 1);
      if (HoldsInOrder(Roman(k), Roman(v)))
        contained |= 1 << (v - 1);
    }
    EXPECT_EQ(AllowedSetTable(k), containing) << "numerals holding " << Roman(k);
    EXPECT_EQ(AllowedSetTable(16 + k), contained) << "numerals inside " << Roman(k);
  }
}

TEST(DigitTables, DominoFacesShowTheirValueInPipsAndLookTheSameTurned) {
  for (int v = 1; v <= 9; ++v) {
    const int32_t pips = PipMask(v);
    EXPECT_EQ(std::popcount(static_cast<uint32_t>(pips)), v);
    int32_t turned = 0;
    for (int bit = 0; bit < 9; ++bit)
      if (pips & (1 << bit))
        turned |= 1 << (8 - bit);
    EXPECT_EQ(turned, pips) << v;
  }
  EXPECT_EQ(PipMask(0), 0);
  EXPECT_EQ(PipMask(10), 0);
}

TEST(DigitTables, SegmentCodesLightAsManySegmentsAsTheDisplayedDigit) {
  const int litSegments[] = {2, 5, 5, 4, 5, 6, 3, 7, 6};
  for (int d = 1; d <= 9; ++d)
    EXPECT_EQ(std::popcount(static_cast<uint32_t>(SegmentMask(d) & 0x7F)), litSegments[d - 1]) << d;
  EXPECT_EQ(SegmentMask(0), 0);
  EXPECT_EQ(SegmentMask(16), 0);
}

TEST(DigitTables, TurnedAndMirroredDigitsReadBackWhenTurnedAgain) {
  int32_t turnable = 0, mirrorable = 0;
  for (int d = 0; d <= 16; ++d) {
    if (const int32_t up = DigitUpsideDown(d); up >= 0) {
      EXPECT_EQ(DigitUpsideDown(up), d);
      if (d >= 1 && d <= 9)
        turnable |= 1 << (d - 1);
    }
    if (const int32_t m = DigitMirror(d); m >= 0) {
      EXPECT_EQ(DigitMirror(m), d);
      if (d >= 1 && d <= 9)
        mirrorable |= 1 << (d - 1);
    }
  }
  EXPECT_EQ(turnable, ValuesMask({1, 2, 5, 6, 8, 9}));
  EXPECT_EQ(mirrorable, ValuesMask({1, 2, 3, 5, 8}));
  EXPECT_EQ(DigitUpsideDown(6), 9);
  EXPECT_EQ(DigitMirror(2), 5);
  EXPECT_EQ(DigitUpsideDown(-1), -1);
  EXPECT_EQ(DigitMirror(17), -1);
}
