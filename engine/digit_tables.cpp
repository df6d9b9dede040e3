// The digit tables of the shape variants and the allowed set that a selection gives.
#include "engine/digit_tables.h"

#include <array>

namespace quorbel {

namespace {

constexpr int kTableDigits = 9;
constexpr int kTurnedDigits = 17;

// Bit 7 of 8 and 9 is no segment: a selection holding it admits only those two.
constexpr std::array<int32_t, kTableDigits> kSegments = {6, 91, 79, 102, 109, 125, 7, 255, 239};
constexpr std::array<int32_t, kTableDigits> kPips = {16, 68, 84, 325, 341, 455, 471, 495, 511};

// Entry k (1..16): the values whose Roman numeral holds the letters of numeral k in order,
// gaps allowed ("XI" is in XI, XII, XIII, XIV and XVI). Entry 16 + k: the values whose
// numeral numeral k holds that way ("XIV" holds I, V, X, IV, XI, XV, XIV). Entry 0 admits
// nothing.
constexpr std::array<int32_t, kAllowedSetTableSize> kRomanSets = {
    0, 48623, 6342, 4228, 8200, 57592, 32992, 192, 128, 256, 65280, 48128, 6144, 4096,  8192,  57344, 32768,
    1, 3,     7,    25,   16,   49,    115,   247, 769, 512, 1537,  3587,  7687, 26137, 16912, 50737};

constexpr std::array<int32_t, kTurnedDigits> kUpsideDown = {0, 1,  2,  -1, -1, 5,  9,  -1, 8,
                                                            6, -1, -1, -1, -1, -1, -1, -1};
constexpr std::array<int32_t, kTurnedDigits> kMirror = {0,  1,  5,  3,  -1, 2,  -1, -1, 8,
                                                        -1, -1, -1, -1, -1, -1, -1, -1};

int32_t ByDigit(const std::array<int32_t, kTableDigits> &table, int digit) {
  return digit >= 1 && digit <= kTableDigits ? table[digit - 1] : 0;
}

// The values whose pattern in `table` lights every bit of `wanted`.
int32_t ValuesContaining(const std::array<int32_t, kTableDigits> &table, int32_t wanted) {
  int32_t values = 0;
  for (int digit = 1; digit <= kTableDigits; ++digit)
    if ((table[digit - 1] & wanted) == wanted)
      values |= 1 << (digit - 1);
  return values;
}

int32_t Turned(const std::array<int32_t, kTurnedDigits> &table, int digit) {
  return digit >= 0 && digit < kTurnedDigits ? table[digit] : -1;
}

} // namespace

int32_t SegmentMask(int digit) { return ByDigit(kSegments, digit); }
int32_t PipMask(int value) { return ByDigit(kPips, value); }

int32_t AllowedSetTable(int index) {
  return index >= 0 && index < kAllowedSetTableSize ? kRomanSets[index] : 0;
}

int32_t AllowedSetOf(int32_t type, int32_t index) {
  switch (type) {
  case kAllowedTypeMask:
    return index;
  case kAllowedTypeSegments:
    return ValuesContaining(kSegments, index);
  case kAllowedTypePips:
    return ValuesContaining(kPips, index);
  case kAllowedTypeTable:
    return AllowedSetTable(index);
  default:
    return 0;
  }
}

int32_t DigitUpsideDown(int digit) { return Turned(kUpsideDown, digit); }
int32_t DigitMirror(int digit) { return Turned(kMirror, digit); }

} // namespace quorbel
