// The generator's settings taken from the application's in-memory settings block, so that
// a generation never reads or writes the settings store.
#pragma once

#include "solver/generator_settings.h"
#include "solver/mask_grid_generation.h"

namespace quorbel {

struct AppSettings;

// GENERAL/MAXITERGENER, UNIQSOLUTION, GRIDCURRDIFFICULTY and ANIMACTION, PARAMETER/
// GENERETIMEOVER, CATALOG/VARDEPTH and the GENERATION values of every clue kind.
GeneratorSettings GeneratorSettingsOf(const AppSettings &settings);

// EXPERT/DISPMASKTAB, NMASKTAB and DONCELLMASKTAB.
MaskGridSettings MaskGridSettingsOf(const AppSettings &settings);

} // namespace quorbel
