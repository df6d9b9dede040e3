// CheckConstraints: every rule's check in its fixed order, then the grid's state from the
// cells' conflict marks. A check marks conflicting cells with Check 5 and may set the
// grid's State to 5 itself; the classic units were checked by InitPossibles.
#include "engine/engine_context.h"
#include "engine/propagate.h"
#include "engine/rule_registry.h"

namespace quorbel {

namespace {

constexpr RuleStep Check(RuleRow row) { return RuleOf(row).Check; }

// The order of the checks. Rows sharing a clue list or a pass over the cells share one step:
// the comparison marks (Less, XV, Dot), the cages (both Killers, Kimo), the pieces (Puzzle,
// Tiled, Battle Ship), the clues beside the grid and the allowed sets. The neighbour score has
// no row of its own.
constexpr RuleStep kCheckOrder[] = {
    Check(RuleRow::Odd), // each marked cell
    Check(RuleRow::Less),
    Check(RuleRow::AllIndicated),
    Check(RuleRow::LittleKiller),
    Check(RuleRow::KillerSum),
    Check(RuleRow::Distance),
    Check(RuleRow::Puzzle),
    Check(RuleRow::BattleShip), // the boats of each row and column, once the pieces are checked
    Check(RuleRow::Outside),
    Check(RuleRow::OddPair),
    Check(RuleRow::QuadMax),
    Check(RuleRow::NoConsecutive),
    Check(RuleRow::NoTouch),
    Check(RuleRow::Arrow),
    Check(RuleRow::CreasingLines),
    Check(RuleRow::Dan),
    Check(RuleRow::Equality),
    Check(RuleRow::Wheel),
    Check(RuleRow::PanDigital),
    Check(RuleRow::Navigator),
    Check(RuleRow::Chess),
    Check(RuleRow::MagicSquare),
    Check(RuleRow::Trio),
    Check(RuleRow::Numeral),
    Check(RuleRow::PencilMark),
    Check(RuleRow::TwinsEqual),
    Check(RuleRow::TwinsDifferent),
    Check(RuleRow::TwinsSubstitution),
    Check(RuleRow::TwinsZone),
    Check(RuleRow::TwinsRelation),
    WhenHeld<kVarNeighbourScore, AddNeighbourScore>,
    Check(RuleRow::MagicSentence),
    Check(RuleRow::TwinsTotal),
    Check(RuleRow::MultTable),
    Check(RuleRow::Pirate),
    Check(RuleRow::MasterMind),
    Check(RuleRow::TwinsRelationMultiple),
    Check(RuleRow::TwinsSameInLine),
    Check(RuleRow::NoKnightStep),
    Check(RuleRow::Touchy),
    Check(RuleRow::No3OddEven),
    Check(RuleRow::NoAverage),
    Check(RuleRow::GiveMe5),
};
static_assert(ListsEveryRowStep(kCheckOrder, &RuleDef::Check), "a rule's check is missing from the order");
static_assert(EachStepOnce(kCheckOrder), "a check runs twice");

} // namespace

int CheckConstraints(EngineContext &ctx, GridRecord &grid) {
  const GridGeometry &geo = ctx.Geo;
  if (!FitsGeometry(geo, grid))
    return 1;
  if (HasVariantRules(grid))
    WalkSteps<kCheckOrder>(ctx, grid);
  // Any conflicting playing cell puts the grid in contradiction.
  for (int i = 0; i < geo.NCells; ++i) {
    if (grid.Cells[i].Check == kCheckConflict) {
      grid.State = kGridContradiction;
      break;
    }
  }
  return 1;
}

} // namespace quorbel
