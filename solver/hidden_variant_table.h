// The clue kinds: the 40 variant rules whose clue data (cages, dots, frame sums...) the
// generator makes from a grid's solution, each with the stem of its GENERATION settings,
// and the working tables of one generation run (counts allotted and counts made).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/variant_bits.h"
#include "solver/generator_settings.h"

namespace quorbel {

struct HiddenVariantEntry {
  VariantWords Words;    // the rule's catalogue bit
  std::string_view Stem; // GENERATION FAC<stem>, MIND<stem>, LIM<stem>
};

extern const std::array<HiddenVariantEntry, kHiddenVariantKinds> HiddenVariantTable;

// The table index of each kind the carving reads by name.
enum HiddenVariantIndex : int {
  kClueTwinsRelation = 0,
  kCluePirate = 33,
  kClueBattleShip = 36,
  kClueMagicSentence = 37,
  kClueDan = 38,
  kClueTransfer = 39,
};

// The entry of a stem, -1 when none.
int HiddenVariantIndexOfStem(std::string_view stem);

// Every rule of the table: the rules whose clues a clue generator must make.
VariantWords ClueKindWords();

// One run's working tables: the count each kind is allotted (AllocateClueCounts) and the
// count its generator used; depthIsMax switches every generator to all its clues.
struct ClueTables {
  std::array<int32_t, kHiddenVariantKinds> Allocated{};
  std::array<int32_t, kHiddenVariantKinds> Result{};
  int32_t DepthIsMax = 0;
};

} // namespace quorbel
