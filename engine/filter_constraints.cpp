// FilterConstraints: the rule filters in the one order every rule relies on. A filter
// removes candidates and reports 1 when it changed a mask; no filter stops the pass.
// The twins filters between linked grids run from UpdatePossibles, not here.
#include "engine/cell_set_rules.h"
#include "engine/chess_rules.h"
#include "engine/comparison_rules.h"
#include "engine/engine_context.h"
#include "engine/group_rules.h"
#include "engine/method_probables.h"
#include "engine/navigator_rules.h"
#include "engine/neighbour_rules.h"
#include "engine/propagate.h"
#include "engine/puzzle_pieces.h"
#include "engine/sum_rules.h"
#include "engine/twins_rules.h"

namespace quorbel {

namespace {

// The filters of the rules, in their order. A slot whose rule is not built yet runs
// nothing and names the filter it is waiting for.
bool RunRuleFilters(EngineContext &ctx, GridRecord &grid) {
  const GridGeometry &geo = ctx.Geo;
  const VariantLists &lists = grid.Lists;
  int changed = 0;
  // 1. Each comparison mark with at least one open cell; 2. All Indicated; 3. each playing
  //    cell's odd/even mark.
  for (int i = 0; i < lists.Comparisons.Size(); ++i)
    changed |= FilterComparison(geo, grid, i);
  if (Meets(grid.GridVar, kVarAllIndicated))
    changed |= FilterAllIndicated(geo, grid);
  for (int c = 0; c < geo.NCells; ++c)
    if (grid.Cells[c].OddEven != -1)
      changed |= FilterOddEvenCell(ctx, grid, c);
  // 4. Each Little Killer clue; 5. each Killer cage.
  for (int i = 0; i < lists.LittleKiller.Size(); ++i)
    changed |= FilterLittleKiller(geo, grid, i);
  for (int i = 0; i < lists.Killer.Size(); ++i)
    changed |= FilterKiller(geo, grid, i);
  // 6. Each Distance clue; 7. each Quad clue; 8. each Odd Pair mark.
  for (int i = 0; i < lists.Distance.Size(); ++i)
    changed |= FilterDistance(geo, grid, i);
  for (int i = 0; i < lists.Quads.Size(); ++i)
    changed |= FilterQuad(geo, grid, i);
  for (int i = 0; i < lists.OddPairs.Size(); ++i)
    changed |= FilterOddPair(ctx, grid, i);
  // 9. Each Arrow; 10. each Creasing line.
  for (int i = 0; i < lists.Arrows.Size(); ++i)
    changed |= FilterArrow(geo, grid, i);
  for (int i = 0; i < lists.Creasing.Size(); ++i)
    changed |= FilterCreasing(geo, grid, i);
  // 11. Dan: its open cells keep to the values already there once they are all used.
  if (Meets(grid.GridVar, kVarDan))
    changed |= FilterDan(geo, grid);
  // 12. Each Equality group.
  for (int i = 0; i < lists.Equality.Size(); ++i)
    changed |= FilterEquality(geo, grid, i);
  // 13. Each Wheel.
  for (int i = 0; i < lists.Wheels.Size(); ++i)
    changed |= FilterWheel(geo, grid, i);
  // 14. PanDigital: has no filter.
  // 15. Each Navigator clue; 16. Chess.
  for (int i = 0; i < lists.Navigator.Size(); ++i)
    changed |= FilterNavigator(geo, grid, i);
  if (Meets(grid.GridVar, kVarChess))
    changed |= FilterChess(geo, grid);
  // 17. Each Magic Square.
  for (int i = 0; i < lists.MagicSquares.Size(); ++i)
    changed |= FilterMagicSquare(geo, grid, i);
  // 18. No Touch, then No Consecutive.
  if (Meets(grid.GridVar, kVarNoTouch))
    changed |= FilterNoTouch(geo, grid);
  if (Meets(grid.GridVar, kVarNoConsecutive))
    changed |= FilterNoConsecutive(geo, grid);
  // 19. Each playing cell: its Numeral character, its Trio class, then the allowed sets.
  if (Meets(grid.GridVar, kVarNumeral))
    changed |= FilterNumerals(ctx, grid);
  if (Meets(grid.GridVar, kVarTrio))
    changed |= FilterCellClasses(ctx, grid);
  if (Meets(grid.GridVar, kVarPencilMark | kVarDigitalClock | kVarDomino | kVarRomain))
    changed |= FilterAllowedSets(geo, grid);
  // 20. The clues beside the grid, on a grid whose rules have them.
  if (Meets(grid.GridVar, kSideClueRules))
    for (int side = 0; side < 4; ++side)
      for (int line = 0; line < geo.GridWidth; ++line) {
        changed |= FilterOutsideClue(geo, grid, side, line);
        changed |= FilterFrameClue(geo, grid, side, line);
      }
  // 21. Twins Total; 22. Mult Table, each item.
  if (Meets(grid.GridVar, kVarTwinsTotal))
    changed |= FilterTwinsTotal(ctx, grid);
  if (Meets(grid.GridVar, kVarMultTable))
    for (int i = 0; i < lists.MultTable.Size(); ++i)
      changed |= FilterMultTable(geo, grid, i);
  // 23. Pirate.
  if (Meets(grid.GridVar, kVarPirate))
    changed |= FilterPirate(geo, grid);
  // 24. MasterMind, each guess line.
  if (Meets(grid.GridVar, kVarMasterMind))
    for (int i = 0; i < lists.MasterMind.Lines.Size(); ++i)
      changed |= FilterMasterMind(geo, grid, i);
  // 25. Twins Same In Line.
  if (Meets(grid.GridVar, kVarTwinsSameInLine))
    changed |= FilterTwinsSameInLine(ctx, grid);
  // 26. Twins Variant Masked (word 2 0x1000000): has no filter.
  // 27. No Knight Step; 28. Touchy; 29. No 3 Odd Even; 30. No Average; 31. Give Me 5.
  if (Meets(grid.GridVar, kVarNoKnightStep))
    changed |= FilterNoKnightStep(geo, grid);
  if (Meets(grid.GridVar, kVarTouchy))
    changed |= FilterTouchy(geo, grid);
  if (Meets(grid.GridVar, kVarNo3OddEven))
    changed |= FilterNo3OddEven(geo, grid);
  if (Meets(grid.GridVar, kVarNoAverage))
    changed |= FilterNoAverage(geo, grid);
  if (Meets(grid.GridVar, kVarGiveMe5))
    changed |= FilterGiveMe5(geo, grid);
  return changed != 0;
}

// Some filters AND masks into open cells without recounting them: a cell they empty is
// marked here, so that the grid is seen in contradiction.
void MarkEmptiedCells(const GridGeometry &geo, GridRecord &grid) {
  for (int i = 0; i < geo.NCells; ++i) {
    CellRecord &cell = grid.Cells[i];
    if (cell.Status > kStatusConflict && (cell.ThePoss & geo.FullMask) == 0)
      cell.Check = kCheckConflict;
  }
}

} // namespace

bool FilterModeRuns(const EngineContext &ctx, int mode) {
  const int flag = mode == kFilterAlways ? 1 : ctx.Settings.VariantFilterSwitch;
  // (flag AND mode) never has bit 0 in mode 2: that mode is tested for itself.
  return flag == 1 && (mode == kFilterAlways || ((flag & mode) & 1) != 0);
}

bool RuleFiltersApply(const EngineContext &ctx, const GridRecord &grid, int mode) {
  return (grid.GridVar & kFilteredVariants).Any() && FilterModeRuns(ctx, mode);
}

int FilterConstraints(EngineContext &ctx, GridRecord &grid, int mode, int applyProbables,
                      uint32_t *probablesToRead) {
  uint32_t everyBlock = kEveryBlock;
  uint32_t &blocksToRead = probablesToRead ? *probablesToRead : everyBlock;
  bool changed = false;
  if (RuleFiltersApply(ctx, grid, mode)) {
    changed = RunRuleFilters(ctx, grid);
    MarkEmptiedCells(ctx.Geo, grid);
    // Each puzzle piece on Puzzle grids; Battle Ship's and Tiled's pieces have no filter.
    if (Meets(grid.GridVar, kVarPuzzle))
      changed |= FilterAllPuzzlePieces(ctx.Geo, grid) != 0;
    if (changed)
      blocksToRead = kEveryBlock; // the filters do not say which cells they narrowed
  }
  if (applyProbables == 1 && ApplyProbables(ctx, grid, blocksToRead) == -2)
    changed = true;
  return changed ? 1 : 0;
}

} // namespace quorbel
