// The MethodMask: which solving methods run, with the group and Burma sizes, and the
// state of the methods panel that the application owns (the mask and the display
// switches of its Display commands). Pure values; the panel's widgets live in the app.
#pragma once

#include <cstdint>

namespace quorbel {

using MethodMask = uint32_t;

enum MethodMaskBit : MethodMask {
  kMaskLinColBlk = 0x1,
  kMaskRandom = 0x2,
  kMaskProbables = 0x4, // also the probables of the callers' candidate update
  kMaskVariant = 0x8,   // the callers' candidate update runs the rule filters
  kMaskSingle = 0x10,
  kMaskGroup = 0x20,
  kMaskGroupSizes = 0xFC0, // sizes 2..7, from bit 6
  kMaskBurma = 0x1000,
  kMaskBurmaSizes = 0x7E000, // sizes 2..7, from bit 13
  kMaskColouring = 0x80000,
  kMaskForcingChain = 0x100000,
};

constexpr MethodMask kMaskAllMethods = 0x1FFFFF;
constexpr MethodMask kMaskNoMethod = 0;
constexpr MethodMask kMaskPanelDefault = 0xFFD;    // the panel's Default button
constexpr MethodMask kMaskAllButRandom = 0x1FFFFD; // METHOD/METHOD when nothing is stored
constexpr MethodMask kMaskAtConstruction = kMaskProbables;

constexpr int kMinSubsetSize = 2;
constexpr int kMaxSubsetSizeBit = 7; // the size-7 bit also enables every larger group

constexpr MethodMask GroupSizeBit(int size) {
  return size >= kMinSubsetSize && size <= kMaxSubsetSizeBit ? MethodMask{1} << (size + 4) : 0;
}
constexpr MethodMask BurmaSizeBit(int size) {
  return size >= kMinSubsetSize && size <= kMaxSubsetSizeBit ? MethodMask{1} << (size + 11) : 0;
}

// The candidate update modes a mask asks of its callers: filter mode 2 with the Variant
// bit (else 0), probables 1 with the Probables bit.
constexpr int MaskFilterMode(MethodMask mask) { return static_cast<int>((mask >> 2) & 2); }
constexpr int MaskProbableMode(MethodMask mask) { return static_cast<int>((mask >> 2) & 1); }

// The Burma sizes as ApplyBurma takes them: bit k for base sets of k + 1 units.
constexpr int BurmaSizesOfMask(MethodMask mask) { return static_cast<int>((mask >> 12) & 0x7E); }

// A check box of the panel: its bit flips, then Group follows its sizes (on while any is
// on) and Burma its own.
MethodMask ToggleMethodBit(MethodMask mask, MethodMask bit);

// The size boxes that make sense for a grid width: a group of k cells needs k <= W - 2,
// a Burma set of k units k <= W - 1; every size from 2 to 7 on larger grids.
MethodMask EnabledSizeBits(int width);

// A stored METHOD/METHOD value: a negative one stands for the default.
constexpr MethodMask MethodMaskFromSetting(int32_t stored) {
  return stored < 0 ? kMaskAllButRandom : static_cast<MethodMask>(stored);
}

// What the methods panel holds: the mask of every solving command, and the switches of
// the Display menu. The solver reads two of them through EngineSettings (the variant
// filter and the probables switch); the application keeps both copies in step.
struct MethodPanelState {
  MethodMask Mask = kMaskAtConstruction;
  int32_t ShowPossibles = 0;
  int32_t PossiblesLevel = 0;
  int32_t LineColumnPossibles = 0;
  int32_t ShowProbables = 0;
  int32_t ShowFound = 0;
  int32_t VariantFilter = 0;
  int32_t ShowColouring = 0;
  int32_t Shown = 0; // the panel is on screen
};

} // namespace quorbel
