// CheckConstraints: every rule's check in its fixed order, then the grid's state from the
// cells' conflict marks. A check marks conflicting cells with Check 5 and may set the
// grid's State to 5 itself; the classic units were checked by InitPossibles.
#include "engine/cell_set_rules.h"
#include "engine/chess_rules.h"
#include "engine/comparison_rules.h"
#include "engine/engine_context.h"
#include "engine/group_rules.h"
#include "engine/navigator_rules.h"
#include "engine/neighbour_rules.h"
#include "engine/propagate.h"
#include "engine/puzzle_pieces.h"
#include "engine/sum_rules.h"
#include "engine/twins_rules.h"

namespace quorbel {

namespace {

// Battle Ship: the boat cells of each row and column, for the clues beside the grid.
void CountBoats(const GridGeometry &geo, GridRecord &grid) {
  VariantWork &work = grid.Work;
  work.BoatsPerRow.fill(0);
  work.BoatsPerCol.fill(0);
  for (int i = 0; i < geo.NCells; ++i) {
    if (grid.Cells[i].Boat != 1)
      continue;
    ++work.BoatsPerRow[geo.RowOfCell[i]];
    ++work.BoatsPerCol[geo.ColOfCell[i]];
  }
}

// The checks of the rules, in their order. A slot whose rule is not built yet runs
// nothing and names the check it is waiting for.
void RunRuleChecks(EngineContext &ctx, GridRecord &grid) {
  const GridGeometry &geo = ctx.Geo;
  VariantLists &lists = grid.Lists;
  // 1. Each playing cell's odd/even mark; 2. each comparison mark; 3. All Indicated.
  for (int c = 0; c < geo.NCells; ++c)
    if (grid.Cells[c].OddEven != -1)
      CheckOddEvenCell(ctx, grid, c);
  for (int i = 0; i < lists.Comparisons.Size(); ++i)
    CheckComparison(geo, grid, i);
  if (Meets(grid.GridVar, kVarAllIndicated))
    CheckAllIndicated(geo, grid);
  // 4. Each Little Killer clue, Killer cage, Distance clue and puzzle piece, list by list.
  for (int i = 0; i < lists.LittleKiller.Size(); ++i)
    CheckLittleKiller(geo, grid, i);
  for (int i = 0; i < lists.Killer.Size(); ++i)
    CheckKiller(geo, grid, i);
  for (int i = 0; i < lists.Distance.Size(); ++i)
    CheckDistance(geo, grid, i);
  for (int i = 0; i < lists.Pieces.Size(); ++i)
    CheckPuzzlePiece(geo, grid, i);
  // 5. Battle Ship with pieces: the boats of each row and column.
  if (Meets(grid.GridVar, kVarBattleShip) && grid.Lists.Pieces.Count > 0)
    CountBoats(ctx.Geo, grid);
  // 6. The clues beside the grid, on a grid whose rules have them.
  if (Meets(grid.GridVar, kSideClueRules))
    for (int side = 0; side < 4; ++side)
      for (int line = 0; line < geo.GridWidth; ++line) {
        CheckOutsideClue(geo, grid, side, line);
        CheckFrameClue(side, line, geo, grid);
      }
  // 7. Each Odd Pair mark, each Quad clue.
  for (int i = 0; i < lists.OddPairs.Size(); ++i)
    CheckOddPair(ctx, grid, i);
  for (int i = 0; i < lists.Quads.Size(); ++i)
    CheckQuad(geo, grid, i);
  // 8. No Consecutive, No Touch, each under its own bit.
  if (Meets(grid.GridVar, kVarNoConsecutive))
    CheckNoConsecutive(geo, grid);
  if (Meets(grid.GridVar, kVarNoTouch))
    CheckNoTouch(geo, grid);
  // 9. Each Arrow, each Creasing line.
  for (int i = 0; i < lists.Arrows.Size(); ++i)
    CheckArrow(geo, grid, i);
  for (int i = 0; i < lists.Creasing.Size(); ++i)
    CheckCreasing(geo, grid, i);
  // 10. Dan; 11. each Equality group. (The neighbour steps that the Wheel rule walks are set
  //     by InitPossibles, before its filter needs them.)
  if (Meets(grid.GridVar, kVarDan))
    CheckDan(geo, grid);
  for (int i = 0; i < lists.Equality.Size(); ++i)
    CheckEquality(geo, grid, i);
  // 12. Each Wheel, each Pan group, each Navigator clue.
  for (int i = 0; i < lists.Wheels.Size(); ++i)
    CheckWheel(geo, grid, i);
  for (int i = 0; i < lists.Pan.Size(); ++i)
    CheckPanDigital(geo, grid, i);
  for (int i = 0; i < lists.Navigator.Size(); ++i)
    CheckNavigator(geo, grid, i);
  // 13. Chess.
  if (Meets(grid.GridVar, kVarChess))
    CheckChess(geo, grid);
  // 14. Each Magic Square.
  for (int i = 0; i < lists.MagicSquares.Size(); ++i)
    CheckMagicSquare(geo, grid, i);
  // 15. Each playing cell: its Trio class, its Numeral character, the allowed sets (pencil
  //     marks, pips, segments, the Roman table), then Twins Equal and Twins Differents on a grid
  //     with a twins partner.
  if (Meets(grid.GridVar, kVarTrio))
    CheckCellClasses(ctx, grid);
  if (Meets(grid.GridVar, kVarNumeral))
    CheckNumerals(ctx, grid);
  if (Meets(grid.GridVar, kVarPencilMark | kVarDigitalClock | kVarDomino | kVarRomain))
    CheckAllowedSets(geo, grid);
  CheckTwinsEqual(ctx, grid);
  CheckTwinsDifferent(ctx, grid);
  // 16. Twins Substitution, on the grid that owns the map.
  CheckTwinsSubstitution(ctx, grid);
  // 17. Each Twins Zone item, each Twins Relation item.
  for (int i = 0; i < lists.TwinsZone.Size(); ++i)
    CheckTwinsZone(ctx, grid, i);
  for (int i = 0; i < lists.TwinsRelation.Size(); ++i)
    CheckTwinsRelation(ctx, grid, i);
  // 18. Neighbour score.
  if (Meets(grid.GridVar, kVarNeighbourScore))
    AddNeighbourScore(ctx, grid);
  // 19. Under their word-2 bits, in this order: CheckMagicSentence (0x2), CheckTwinsTotal
  //     (0x10000), CheckMultTable (0x20000, each item), CheckPirate (0x40000), CheckMasterMind
  //     (0x100000, each line), CheckTwinsRelationMultiple (0x400000, each group) and
  //     CheckTwinsSameInLine (0x800000), then CheckNoKnightStep, CheckTouchy, CheckNo3OddEven,
  //     CheckNoAverage, CheckGiveMe5.
  if (Meets(grid.GridVar, kVarMagicSentence))
    CheckMagicSentence(ctx, grid);
  if (Meets(grid.GridVar, kVarTwinsTotal))
    CheckTwinsTotal(ctx, grid);
  if (Meets(grid.GridVar, kVarMultTable))
    for (int i = 0; i < lists.MultTable.Size(); ++i)
      CheckMultTable(geo, grid, i);
  if (Meets(grid.GridVar, kVarPirate))
    CheckPirate(geo, grid);
  if (Meets(grid.GridVar, kVarMasterMind))
    for (int i = 0; i < lists.MasterMind.Lines.Size(); ++i)
      CheckMasterMind(geo, grid, i);
  if (Meets(grid.GridVar, kVarTwinsRelationMultiple))
    for (int i = 0; i < lists.TwinsMultiple.Size(); ++i)
      CheckTwinsRelationMultiple(ctx, grid, i);
  if (Meets(grid.GridVar, kVarTwinsSameInLine))
    CheckTwinsSameInLine(ctx, grid);
  if (Meets(grid.GridVar, kVarNoKnightStep))
    CheckNoKnightStep(geo, grid);
  if (Meets(grid.GridVar, kVarTouchy))
    CheckTouchy(geo, grid);
  if (Meets(grid.GridVar, kVarNo3OddEven))
    CheckNo3OddEven(geo, grid);
  if (Meets(grid.GridVar, kVarNoAverage))
    CheckNoAverage(geo, grid);
  if (Meets(grid.GridVar, kVarGiveMe5))
    CheckGiveMe5(geo, grid);
}

} // namespace

int CheckConstraints(EngineContext &ctx, GridRecord &grid) {
  const GridGeometry &geo = ctx.Geo;
  if (!FitsGeometry(geo, grid))
    return 1;
  if (HasVariantRules(grid))
    RunRuleChecks(ctx, grid);
  // 20. Any conflicting playing cell puts the grid in contradiction.
  for (int i = 0; i < geo.NCells; ++i) {
    if (grid.Cells[i].Check == kCheckConflict) {
      grid.State = kGridContradiction;
      break;
    }
  }
  return 1;
}

} // namespace quorbel
