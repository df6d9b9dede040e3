// The GENERATION keys are stored per generator suffix; the clue kinds name the same
// suffixes by their stems.
#include "app/generation_settings.h"

#include "app/app_settings.h"
#include "app/settings_schema.h"
#include "solver/hidden_variant_table.h"

namespace quorbel {

namespace {

constexpr int SuffixIndex(std::string_view stem) {
  for (int i = 0; i < kGenerationKinds; ++i)
    if (GenerationSuffixes[static_cast<size_t>(i)] == stem)
      return i;
  return -1;
}

// Each clue kind's limits are the keys of its own stem.
constexpr bool EveryClueKindHasItsKeys() {
  for (const HiddenVariantEntry &kind : HiddenVariantTable)
    if (SuffixIndex(kind.Stem) < 0)
      return false;
  return true;
}
static_assert(EveryClueKindHasItsKeys(), "a clue kind has no GENERATION keys of its own");

} // namespace

GeneratorSettings GeneratorSettingsOf(const AppSettings &settings) {
  GeneratorSettings out;
  out.MaxIterGener = settings.general.maxIterGener;
  out.UniqSolution = settings.general.uniqSolution;
  out.GridCurrDifficulty = settings.general.gridCurrDifficulty;
  out.AnimAction = settings.general.animAction;
  out.GenereTimeOver = settings.parameter.genereTimeOver;
  out.VarDepth = settings.catalog.varDepth;
  out.VarMult = settings.catalog.varMult;
  out.VarNGrids = settings.catalog.varNGrids;
  for (int kind = 0; kind < kHiddenVariantKinds; ++kind) {
    const int i = SuffixIndex(HiddenVariantTable[static_cast<size_t>(kind)].Stem);
    out.Clues.Factor[kind] = settings.generation.fac[static_cast<size_t>(i)];
    out.Clues.Minimum[kind] = settings.generation.mind[static_cast<size_t>(i)];
    out.Clues.Limit[kind] = settings.generation.lim[static_cast<size_t>(i)];
  }
  return out;
}

MaskGridSettings MaskGridSettingsOf(const AppSettings &settings) {
  return {settings.expert.dispMaskTab, settings.expert.nMaskTab, settings.expert.donCellMaskTab};
}

} // namespace quorbel
