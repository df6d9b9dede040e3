// The MethodMask: which solving methods run, with the group and Burma sizes, and the
// methods panel's edits of it. The application owns the panel's mask (kMaskAtConstruction,
// then the METHOD/METHOD setting); its display switches are the view's DisplaySwitches, and
// the two the solver reads (variant filter, probables) are copied into EngineSettings.
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
constexpr MethodMask kMaskAllButRandom = 0x1FFFFD; // the rating's last mask; METHOD/METHOD's default
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

} // namespace quorbel
