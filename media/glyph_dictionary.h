// The learnt glyphs of the scanner: 100 slots in a ring, each a digit (or -1, a mark to pass
// by) and the 35 zone densities of its glyph, kept in RefSkel.txt beside the program.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quorbel {

inline constexpr int kDicoSlots = 100;
inline constexpr int kGlyphFeatures = 35; // 5 column bands by 7 row bands
inline constexpr float kMostGlyphDistance = 1.2f;

using GlyphFeatures = std::array<float, kGlyphFeatures>;

struct DicoSlot {
  int32_t Used = 0;
  int32_t Value = 0; // the digit; -1 a glyph to pass by
  GlyphFeatures Features{};
};

struct Dico {
  int32_t NextSlot = 0; // the slot the next learnt glyph takes
  std::array<DicoSlot, kDicoSlots> Slots;
};

// Next slot 0 and every slot unused; values and features stay.
void ClearDico(Dico &dico);
// ClearDico, then the file: one number a line, the next slot, then for each slot its value,
// its used flag and its 35 features. A line that does not read as a number reads as not a
// number (features) or 0 and never shifts the others; a missing file leaves the slots empty.
void LoadDico(Dico &dico, const std::string &path);
// The whole dictionary in that layout, CR LF, "%f" in the C locale. False when not written.
bool SaveDico(const Dico &dico, const std::string &path);
void AddGlyphToDico(Dico &dico, const GlyphFeatures &features, int value);

struct NearestGlyph {
  int Slot = -2; // -2: no used slot lies within kMostGlyphDistance
  float Distance = 0;
};
// The used slot with the smallest sum of squared differences, the first on ties.
NearestGlyph FindNearestGlyph(const Dico &dico, const GlyphFeatures &features);
bool IsKnownDistance(float distance);

} // namespace quorbel
