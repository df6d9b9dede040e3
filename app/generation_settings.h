// The generator's settings taken from the application's in-memory settings block, so that
// a generation never reads or writes the settings store.
#pragma once

#include "solver/generator_settings.h"

namespace quorbel {

struct AppSettings;

// GENERAL/MAXITERGENER, UNIQSOLUTION, GRIDCURRDIFFICULTY and ANIMACTION, PARAMETER/
// GENERETIMEOVER, CATALOG/VARDEPTH and the GENERATION values of every clue kind.
GeneratorSettings GeneratorSettingsOf(const AppSettings &settings);

} // namespace quorbel
