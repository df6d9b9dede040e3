// The small digit tables of the shape variants: seven-segment codes (Digital Clock), domino
// pips (Domino), the Roman-numeral sets (Romain), the allowed set a cell's selection gives,
// and the digits that read as another when a Tiled piece is turned or mirrored.
#pragma once

#include <cstdint>

namespace quorbel {

// How a cell's allowed-set selection (`AllowedIndex`) is read.
constexpr int32_t kAllowedTypeNone = 0;
constexpr int32_t kAllowedTypeMask = 1;     // the index is the mask of allowed values
constexpr int32_t kAllowedTypeSegments = 2; // the index holds lit segments (`SegmentMask`)
constexpr int32_t kAllowedTypePips = 3;     // the index holds pips (`PipMask`)
constexpr int32_t kAllowedTypeTable = 4;    // the index selects an entry of the Roman table

// `AllowedMaskWord` when no value is barred.
constexpr int32_t kAllowedMaskWordAll = 0xFFFF;

constexpr int kAllowedSetTableSize = 33;

// Seven-segment code of digit 1..9 (segment a = bit 0 ... g = bit 6); 0 for other values.
int32_t SegmentMask(int digit);
// 3 x 3 pip pattern of value 1..9 (bit 0 top left, row by row); 0 for other values.
int32_t PipMask(int value);
// Entry `index` of the Roman table, 0 outside it.
int32_t AllowedSetTable(int index);

// The values (bit v-1) that an allowed-set selection admits; 0 for an unknown type.
int32_t AllowedSetOf(int32_t type, int32_t index);

// Gives a cell (any record with the four allowed-set fields) a new allowed-set selection.
template <class Cell> void SetAllowedSet(Cell &cell, int32_t type, int32_t index) {
  cell.AllowedType = type;
  cell.AllowedIndex = index;
  cell.AllowedMaskWord = kAllowedMaskWordAll;
  cell.AllowedSet = AllowedSetOf(type, index);
}

// The digit that digit 0..16 reads as when turned upside down, or flipped top to bottom;
// -1 when it has no such form.
int32_t DigitUpsideDown(int digit);
int32_t DigitMirror(int digit);

} // namespace quorbel
