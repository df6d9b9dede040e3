#include "app/generation_settings.h"

#include <gtest/gtest.h>

#include "app/app_settings.h"
#include "app/settings_schema.h"
#include "solver/hidden_variant_table.h"

namespace quorbel {
namespace {

TEST(GenerationSettingsTest, TheGeneratorReadsTheInMemoryBlock) {
  AppSettings settings = DefaultSettings();
  settings.general.maxIterGener = 7;
  settings.general.uniqSolution = 0;
  settings.parameter.genereTimeOver = 900;
  settings.catalog.varDepth = 80;
  const GeneratorSettings generator = GeneratorSettingsOf(settings);
  EXPECT_EQ(generator.MaxIterGener, 7);
  EXPECT_EQ(generator.UniqSolution, 0);
  EXPECT_EQ(generator.GenereTimeOver, 900);
  EXPECT_EQ(generator.VarDepth, 80);
}

TEST(GenerationSettingsTest, EachClueKindTakesTheValuesOfItsStem) {
  AppSettings settings = DefaultSettings();
  const GeneratorSettings generator = GeneratorSettingsOf(settings);
  // Stored as 175 and 340: the factors are hundredths.
  EXPECT_NEAR(generator.Clues.Factor[HiddenVariantIndexOfStem("XV")], 1.75, 1e-6);
  EXPECT_NEAR(generator.Clues.Factor[HiddenVariantIndexOfStem("DOT")], 3.40, 1e-6);
  for (int kind = 0; kind < kHiddenVariantKinds; ++kind) {
    const std::string_view stem = HiddenVariantTable[kind].Stem;
    size_t suffix = 0;
    while (GenerationSuffixes[suffix] != stem)
      ++suffix;
    EXPECT_EQ(generator.Clues.Minimum[kind], settings.generation.mind[suffix]) << stem;
    EXPECT_EQ(generator.Clues.Limit[kind], settings.generation.lim[suffix]) << stem;
  }
}

TEST(GenerationSettingsTest, TheMaskGridGenerationReadsTheExpertSettings) {
  AppSettings settings = DefaultSettings();
  settings.expert.nMaskTab = 42;
  settings.expert.dispMaskTab = 1;
  const MaskGridSettings mask = MaskGridSettingsOf(settings);
  EXPECT_EQ(mask.Tries, 42);
  EXPECT_EQ(mask.RepaintEachTry, 1);
  EXPECT_EQ(mask.AdaptSeedCount, DefaultSettings().expert.donCellMaskTab);
}

} // namespace
} // namespace quorbel
