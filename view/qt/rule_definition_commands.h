// The expert's definition command of each rule row: the menu item that puts the rule's clues on
// the current grid (a row defined by several items names its first). Every rule row has one; the
// board binds each to its ClueDefinitions call.
#pragma once

#include <array>
#include <utility>

#include "engine/rule_registry.h"
#include "resources/command_table.h"

namespace quorbel {

struct RuleDefinitionCommand {
  RuleRow Row;
  Cmd Command;
};

inline constexpr RuleDefinitionCommand kRuleDefinitionCommands[] = {
    {RuleRow::Diagonal, Cmd::DefineDiagonal},
    {RuleRow::Irregular, Cmd::DefineBlock},
    {RuleRow::Less, Cmd::DefineLess},
    {RuleRow::Odd, Cmd::DefineOdd},
    {RuleRow::XV, Cmd::DefineX},
    {RuleRow::Dot, Cmd::DefineDot},
    {RuleRow::AllIndicated, Cmd::DefineAllSignificant},
    {RuleRow::Pirate, Cmd::DefinePirate},
    {RuleRow::Trio, Cmd::DefineTrio},
    {RuleRow::Navigator, Cmd::DefineNavigator},
    {RuleRow::LittleKiller, Cmd::DefineLittleKiller},
    {RuleRow::KillerSum, Cmd::DefineKiller},
    {RuleRow::KillerProduct, Cmd::DefineKillerProduct},
    {RuleRow::Kimo, Cmd::DefineKimo},
    {RuleRow::Touchy, Cmd::DefineTouchy},
    {RuleRow::No3OddEven, Cmd::DefineNo3OddEven},
    {RuleRow::NoAverage, Cmd::DefineNoAverage},
    {RuleRow::NoConsecutive, Cmd::DefineNonConsecutive},
    {RuleRow::NoTouch, Cmd::DefineDontTouch},
    {RuleRow::GiveMe5, Cmd::DefineGiveMeFive},
    {RuleRow::OddPair, Cmd::DefineOddPair},
    {RuleRow::NoKnightStep, Cmd::DefineNoKnightStep},
    {RuleRow::Arrow, Cmd::DefineArrow},
    {RuleRow::CreasingLines, Cmd::DefineCreasing},
    {RuleRow::Outside, Cmd::DefineOutside},
    {RuleRow::FrameSum, Cmd::DefineFrame},
    {RuleRow::FrameProduct, Cmd::DefineFrame},
    {RuleRow::FrameMax, Cmd::DefineFrame},
    {RuleRow::Oddview, Cmd::DefineOddview},
    {RuleRow::SkyScraper, Cmd::DefineSkyScraper},
    {RuleRow::LastNumber, Cmd::DefineLastNumber},
    {RuleRow::Transfer, Cmd::TransferFrame},
    {RuleRow::MasterMind, Cmd::DefineMasterMind},
    {RuleRow::Domino, Cmd::DefineDomino},
    {RuleRow::PencilMark, Cmd::DefinePencil},
    {RuleRow::DigitalClock, Cmd::DefineClock},
    {RuleRow::Romain, Cmd::DefineRoman},
    {RuleRow::Numeral, Cmd::DefineNumeral},
    {RuleRow::Distance, Cmd::DefineDistance},
    {RuleRow::Dan, Cmd::DefineDan},
    {RuleRow::Equality, Cmd::DefineEquality},
    {RuleRow::QuadMax, Cmd::DefineQuadMax},
    {RuleRow::Wheel, Cmd::DefineWheel},
    {RuleRow::MultTable, Cmd::DefineMultiplicationTable},
    {RuleRow::Chess, Cmd::DefineChess},
    {RuleRow::MagicSquare, Cmd::DefineMagicSquare},
    {RuleRow::MagicSentence, Cmd::DefineMagicSentence},
    {RuleRow::ExtraRegion, Cmd::DefineExtraRegion},
    {RuleRow::PanDigital, Cmd::DefinePanDigital},
    {RuleRow::Puzzle, Cmd::DefinePuzzle},
    {RuleRow::Tiled, Cmd::DefineTiled},
    {RuleRow::BattleShip, Cmd::DefineNavalFlight},
    {RuleRow::TwinsRelation, Cmd::DefineTwinsRelation},
    {RuleRow::TwinsRelationMultiple, Cmd::DefineTwinsGroupRelation},
    {RuleRow::TwinsSubstitution, Cmd::DefineTwinsSubstitution},
    {RuleRow::TwinsEqual, Cmd::DefineTwinsEqual},
    {RuleRow::TwinsZone, Cmd::DefineTwinsZone},
    {RuleRow::TwinsDifferent, Cmd::DefineTwinsDiff},
    {RuleRow::TwinsSameInLine, Cmd::DefineTwinsSameInRow},
    {RuleRow::TwinsVariantMasked, Cmd::DefineTwinsMaskedVariants},
    {RuleRow::TwinsTotal, Cmd::DefineTwinTotal},
};

// Each rule row once, in the catalogue's order.
constexpr bool EveryRuleRowHasItsCommand() {
  if (std::size(kRuleDefinitionCommands) != static_cast<size_t>(kVariantRowCount - kFirstRuleRow))
    return false;
  for (int i = 0; i < kVariantRowCount - kFirstRuleRow; ++i)
    if (RowIndex(kRuleDefinitionCommands[i].Row) != kFirstRuleRow + i)
      return false;
  return true;
}
static_assert(EveryRuleRowHasItsCommand(), "a rule row has no definition command");

constexpr Cmd DefinitionCommandOf(RuleRow row) {
  return kRuleDefinitionCommands[RowIndex(row) - kFirstRuleRow].Command;
}

} // namespace quorbel
