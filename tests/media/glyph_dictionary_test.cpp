// The scanner's matcher: the nearest learnt glyph, or none when every one is too far.
#include "media/glyph_dictionary.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

GlyphFeatures Flat(float density) {
  GlyphFeatures features;
  features.fill(density);
  return features;
}

TEST(GlyphMatcher, TheNearestLearntGlyphAnswersAndOneTooFarFromEveryGlyphIsUnknown) {
  Dico dico;
  ClearDico(dico);
  EXPECT_EQ(FindNearestGlyph(dico, Flat(0.5f)).Slot, -2); // nothing learnt yet
  AddGlyphToDico(dico, Flat(0.0f), 1);
  AddGlyphToDico(dico, Flat(0.4f), 7);
  dico.Slots[2] = {.Used = 0, .Value = 4, .Features = Flat(0.5f)}; // forgotten: never matches

  NearestGlyph nearest = FindNearestGlyph(dico, Flat(0.5f));
  EXPECT_EQ(nearest.Slot, 1);
  EXPECT_NEAR(nearest.Distance, kGlyphFeatures * 0.01f, 1e-4f);

  GlyphFeatures apart = Flat(0.4f);
  apart[0] += 1.0f; // a sum of squares of 1: still within reach
  EXPECT_EQ(FindNearestGlyph(dico, apart).Slot, 1);
  apart[0] += 0.2f; // 1.44: too far from every glyph
  nearest = FindNearestGlyph(dico, apart);
  EXPECT_EQ(nearest.Slot, -2);
  EXPECT_FALSE(IsKnownDistance(nearest.Distance));
}

} // namespace
} // namespace quorbel
