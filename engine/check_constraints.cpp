// CheckConstraints: every rule's check in its fixed order, then the grid's state from the
// cells' conflict marks. A check marks conflicting cells with Check 5 and may set the
// grid's State to 5 itself; the classic units were checked by InitPossibles.
#include "engine/engine_context.h"
#include "engine/propagate.h"
#include "engine/rule_registry.h"

namespace quorbel {

namespace {

// The order of the checks. Rows sharing a clue list or a pass over the cells share one step:
// the comparison marks (Less, XV, Dot), the cages (both Killers, Kimo), the pieces (Puzzle,
// Tiled, Battle Ship), the clues beside the grid and the allowed sets. The neighbour score has
// no row of its own.
constexpr RuleStep kCheckOrder[] = {
    CheckOf(RuleRow::Odd), // each marked cell
    CheckOf(RuleRow::Less),
    CheckOf(RuleRow::AllIndicated),
    CheckOf(RuleRow::LittleKiller),
    CheckOf(RuleRow::KillerSum),
    CheckOf(RuleRow::Distance),
    CheckOf(RuleRow::Puzzle),
    CheckOf(RuleRow::BattleShip), // the boats of each row and column, once the pieces are checked
    CheckOf(RuleRow::Outside),
    CheckOf(RuleRow::OddPair),
    CheckOf(RuleRow::QuadMax),
    CheckOf(RuleRow::NoConsecutive),
    CheckOf(RuleRow::NoTouch),
    CheckOf(RuleRow::Arrow),
    CheckOf(RuleRow::CreasingLines),
    CheckOf(RuleRow::Dan),
    CheckOf(RuleRow::Equality),
    CheckOf(RuleRow::Wheel),
    CheckOf(RuleRow::PanDigital),
    CheckOf(RuleRow::Navigator),
    CheckOf(RuleRow::Chess),
    CheckOf(RuleRow::MagicSquare),
    CheckOf(RuleRow::Trio),
    CheckOf(RuleRow::Numeral),
    CheckOf(RuleRow::PencilMark),
    CheckOf(RuleRow::TwinsEqual),
    CheckOf(RuleRow::TwinsDifferent),
    CheckOf(RuleRow::TwinsSubstitution),
    CheckOf(RuleRow::TwinsZone),
    CheckOf(RuleRow::TwinsRelation),
    WhenHeld<kVarNeighbourScore, AddNeighbourScore>,
    CheckOf(RuleRow::MagicSentence),
    CheckOf(RuleRow::TwinsTotal),
    CheckOf(RuleRow::MultTable),
    CheckOf(RuleRow::Pirate),
    CheckOf(RuleRow::MasterMind),
    CheckOf(RuleRow::TwinsRelationMultiple),
    CheckOf(RuleRow::TwinsSameInLine),
    CheckOf(RuleRow::NoKnightStep),
    CheckOf(RuleRow::Touchy),
    CheckOf(RuleRow::No3OddEven),
    CheckOf(RuleRow::NoAverage),
    CheckOf(RuleRow::GiveMe5),
};
static_assert(ListsEveryRowStep(kCheckOrder, &RuleDef::Check), "a rule's check is missing from the order");
static_assert(EachStepOnce(kCheckOrder), "a check runs twice");

// The order without its first step, the Odd rule's pass over the marked cells.
constexpr auto kCheckOrderButMarks = WithoutStep(kCheckOrder, 0);
static_assert(SameStep(kCheckOrder[0], CheckOf(RuleRow::Odd)) != 0, "the marked cells' check comes first");

} // namespace

void CheckRules(EngineContext &ctx, GridRecord &grid, bool markedCells) {
  if (!HasVariantRules(grid))
    return;
  if (markedCells)
    WalkSteps<kCheckOrder>(ctx, grid);
  else
    WalkSteps<kCheckOrderButMarks>(ctx, grid);
}

int CheckConstraints(EngineContext &ctx, GridRecord &grid) {
  const GridGeometry &geo = ctx.Geo;
  if (!FitsGeometry(geo, grid))
    return 1;
  CheckRules(ctx, grid);
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
