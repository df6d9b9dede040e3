// The clue kinds: the 40 variant rules whose clue data (cages, dots, frame sums...) the
// generator makes from a grid's solution, each with the stem of its GENERATION settings,
// and the working tables of one generation run (counts allotted and counts made).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/rule_registry.h"
#include "engine/variant_bits.h"
#include "solver/generator_settings.h"

namespace quorbel {

struct HiddenVariantEntry {
  RuleRow Row;
  VariantWords Words;    // the row's bit
  std::string_view Stem; // GENERATION FAC<stem>, MIND<stem>, LIM<stem>
};

constexpr HiddenVariantEntry ClueKind(RuleRow row, std::string_view stem) {
  return {row, RuleOf(row).Bit, stem};
}

// The kinds in the order the generator makes them: first the clues it lays one list after the
// other, then the steps over the whole grid (from Battle Ship on).
inline constexpr std::array<HiddenVariantEntry, kHiddenVariantKinds> HiddenVariantTable = {{
    ClueKind(RuleRow::TwinsRelation, "TREL"),
    ClueKind(RuleRow::LittleKiller, "LKILL"),
    ClueKind(RuleRow::KillerSum, "KILLS"),
    ClueKind(RuleRow::Less, "LESS"),
    ClueKind(RuleRow::Odd, "ODD"),
    ClueKind(RuleRow::XV, "XV"),
    ClueKind(RuleRow::Distance, "DIST"),
    ClueKind(RuleRow::Puzzle, "PUZZLE"),
    ClueKind(RuleRow::Dot, "DOT"),
    ClueKind(RuleRow::Tiled, "TILED"),
    ClueKind(RuleRow::Trio, "TRIO"),
    ClueKind(RuleRow::Outside, "OUTS"),
    ClueKind(RuleRow::FrameSum, "FRAMS"),
    ClueKind(RuleRow::FrameProduct, "FRAMP"),
    ClueKind(RuleRow::KillerProduct, "KILLP"),
    ClueKind(RuleRow::Domino, "DOM"),
    ClueKind(RuleRow::PencilMark, "PENC"),
    ClueKind(RuleRow::Numeral, "NUM"),
    ClueKind(RuleRow::OddPair, "ODDP"),
    ClueKind(RuleRow::Oddview, "ODDV"),
    ClueKind(RuleRow::QuadMax, "QUAD"),
    ClueKind(RuleRow::DigitalClock, "DIGIT"),
    ClueKind(RuleRow::Romain, "ROM"),
    ClueKind(RuleRow::SkyScraper, "SKY"),
    ClueKind(RuleRow::Arrow, "ARROW"),
    ClueKind(RuleRow::CreasingLines, "CREAS"),
    ClueKind(RuleRow::Equality, "EQU"),
    ClueKind(RuleRow::Wheel, "WHEEL"),
    ClueKind(RuleRow::Navigator, "NAV"),
    ClueKind(RuleRow::LastNumber, "LAST"),
    ClueKind(RuleRow::Chess, "CHESS"),
    ClueKind(RuleRow::FrameMax, "FRAMEMAX"),
    ClueKind(RuleRow::MasterMind, "MASTERMIND"),
    ClueKind(RuleRow::Pirate, "PIRATE"),
    ClueKind(RuleRow::TwinsRelationMultiple, "TRELMULT"),
    ClueKind(RuleRow::TwinsSameInLine, "SAMEROW"),
    ClueKind(RuleRow::BattleShip, "BATNAV"),
    ClueKind(RuleRow::MagicSentence, "MSENT"),
    ClueKind(RuleRow::Dan, "DAN"),
    ClueKind(RuleRow::Transfer, "TRANSFER"),
}};

// The table index of a row's kind, -1 for a row without one.
constexpr int ClueKindOf(RuleRow row) {
  for (int i = 0; i < kHiddenVariantKinds; ++i)
    if (HiddenVariantTable[static_cast<size_t>(i)].Row == row)
      return i;
  return -1;
}

// The table index of each kind the carving reads by name.
constexpr int kClueTwinsRelation = ClueKindOf(RuleRow::TwinsRelation);
constexpr int kCluePirate = ClueKindOf(RuleRow::Pirate);
constexpr int kClueBattleShip = ClueKindOf(RuleRow::BattleShip);
constexpr int kClueMagicSentence = ClueKindOf(RuleRow::MagicSentence);
constexpr int kClueDan = ClueKindOf(RuleRow::Dan);
constexpr int kClueTransfer = ClueKindOf(RuleRow::Transfer);

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
