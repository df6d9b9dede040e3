// The settings values the generator reads, in one plain record that the caller fills from
// its in-memory settings block: generation never reads or writes the settings store.
// The variant words and the grid shape of new grids come from EngineSettings.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quorbel {

// The clue kinds of HiddenVariantTable (solver/hidden_variant_table.h).
constexpr int kHiddenVariantKinds = 40;

template <typename T> constexpr std::array<T, kHiddenVariantKinds> FilledPerClueKind(T value) {
  std::array<T, kHiddenVariantKinds> a{};
  a.fill(value);
  return a;
}

// GENERATION FAC<stem>, MIND<stem> and LIM<stem> of each clue kind, in table order. The
// factor is the stored whole number divided by 100. Neutral until the caller fills them:
// factor 1, no minimum, no limit.
struct ClueKindSettings {
  std::array<double, kHiddenVariantKinds> Factor = FilledPerClueKind(1.0);
  std::array<int32_t, kHiddenVariantKinds> Minimum = FilledPerClueKind<int32_t>(-1);
  std::array<int32_t, kHiddenVariantKinds> Limit = FilledPerClueKind<int32_t>(0);
};

struct GeneratorSettings {
  int32_t MaxIterGener = 3;     // GENERAL/MAXITERGENER: attempts per uniqueness try
  int32_t UniqSolution = 1;     // GENERAL/UNIQSOLUTION: 1 retries until the solution is unique
  int32_t GenereTimeOver = 510; // PARAMETER/GENERETIMEOVER: TIMEOVER while generating (ms, -1 none)
  int32_t VarDepth = 33;        // CATALOG/VARDEPTH: density of clues and links, 0..100
  int32_t VarMult = 0;          // CATALOG/VARMULT: 1 one rule drawn at random, 2 several, else the player's
  int32_t VarNGrids = 2;        // CATALOG/VARNGRIDS: grids of a linked set, 2..12
  // GENERAL/GRIDCURRDIFFICULTY as it stands before the run (the Pirate marking reads it).
  int32_t GridCurrDifficulty = 1;
  ClueKindSettings Clues;
  int32_t AnimAction = 0; // GENERAL/ANIMACTION: 1 hides the new grid for the start animation

  // 1: every carving stage is shown and traced into the trace file.
  int32_t StepDisplay = 0;
  // The carving trace; empty: "MaskData.txt" in the start directory.
  std::string TraceFile;
  // 0..0x7FFF: the run's seed instead of one drawn from the clock, so that a run can be
  // repeated (tests, the benchmark); -1: from the clock.
  int32_t SeedOverride = -1;
};

} // namespace quorbel
