#include "engine/cell_set_rules.h"
#include "engine/grid_cells.h"

#include <gtest/gtest.h>

#include "engine/digit_tables.h"
#include "engine/group_editors.h"
#include "engine/group_rules.h"
#include "engine/propagate.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

class CellSetRules : public ::testing::Test {
protected:
  ShapedContext s{5}; // 9 x 9
  GridRecord &grid = s.Main();
  const GridGeometry &geo = s.Ctx.Geo;

  void Place(int cell, int value) { SetCellValue(s.Ctx, grid, cell, value, kActionPlace); }
  void Run(VariantWords rule) {
    grid.GridVar = rule;
    Propagate(s.Ctx, grid, kFilterAlways, 0);
  }
  bool Marked(int cell) const { return grid.Cells[cell].Check == kCheckConflict; }
};

} // namespace

TEST_F(CellSetRules, ACellsAllowedSetNarrowsItAndRefusesOtherValues) {
  SetAllowedSet(grid.Cells[0], kAllowedTypeMask, static_cast<int32_t>(MaskOf({2, 5})));
  SetAllowedSet(grid.Cells[1], kAllowedTypeSegments, SegmentMask(1)); // the two right segments
  Run(kVarPencilMark | kVarDigitalClock);
  EXPECT_EQ(grid.Cells[0].ThePoss, MaskOf({2, 5}));
  EXPECT_EQ(grid.Cells[1].ThePoss & MaskOf({2, 5, 6}), 0u); // their segments miss one of them
  EXPECT_NE(grid.Cells[1].ThePoss & MaskOf({1, 3, 7}), 0u);
  Place(0, 3);
  Place(1, 2);
  Run(kVarPencilMark | kVarDigitalClock);
  EXPECT_TRUE(Marked(0) && Marked(1));
  EXPECT_EQ(grid.Cells[0].AllowedError, 1);
  // Without its rule's bit the set binds nothing.
  Run(kVarDomino);
  EXPECT_FALSE(Marked(0));
}

TEST_F(CellSetRules, OneFilledEqualityCellForcesItsValueAndDanCountsDistinctValues) {
  EqualityGroup group;
  group.NCells = 3;
  group.Cells = {0, 13, 26};
  grid.Lists.Equality.Append(group);
  Place(13, 6);
  Run(kVarEquality);
  EXPECT_EQ(grid.Cells[0].ThePoss, MaskOf({6}));
  EXPECT_EQ(grid.Cells[26].ThePoss, MaskOf({6}));
  Place(26, 4);
  Run(kVarEquality);
  EXPECT_TRUE(Marked(13) && Marked(26));
  EXPECT_EQ(grid.Work.EqualityConflict[0], 1);

  grid.Lists.Dan.NCells = 4;
  grid.Lists.Dan.MaxDistinct = 2;
  grid.Lists.Dan.Cells = {40, 50, 60, 70};
  Place(40, 1);
  Place(50, 2);
  Run(kVarDan);
  EXPECT_FALSE(Marked(40));
  Place(60, 3);
  Run(kVarDan);
  EXPECT_TRUE(Marked(40) && Marked(50) && Marked(60));
}

TEST_F(CellSetRules, APanDigitalExpressionHoldsOrMarksEveryDigitCell) {
  PanExpression pan;
  pan.Blocks = {0, 1, 2, -1}; // the top band, side by side: row 0 of each block
  pan.Operators = {1, 6, 0};  // 123 + 456 = 579
  grid.Lists.Pan.Append(pan);
  const std::array<int, 9> row = {1, 2, 3, 4, 5, 6, 5, 7, 9};
  for (int c = 0; c < 8; ++c)
    Place(c, row[static_cast<size_t>(c)]);
  EXPECT_EQ(CheckPanDigital(geo, grid, 0), 0); // an open digit: nothing to check yet
  Place(8, 9);
  EXPECT_EQ(CheckPanDigital(geo, grid, 0), 0);
  Place(8, 8); // 578
  for (int c = 0; c < 9; ++c)
    grid.Cells[c].Check = kCheckConsistent;
  EXPECT_EQ(CheckPanDigital(geo, grid, 0), 1);
  for (int c = 0; c < 9; ++c)
    EXPECT_TRUE(Marked(c)) << c;

  // A block missing or beyond the grid: the expression cannot be read.
  PanExpression broken;
  broken.Blocks = {0, 1, 42, -1};
  grid.Lists.Pan.Append(broken);
  EXPECT_EQ(CheckPanDigital(geo, grid, 1), 0);
  // Four-digit numbers of a 16 x 16 grid multiply past 32 bits.
  const int64_t big[] = {9999, 9999, 9999, 999700029999};
  const int16_t times[] = {3, 3, 6};
  EXPECT_TRUE(PanDigitalHolds(big, 4, times));
}

TEST_F(CellSetRules, AWheelTurnsToItsPlacedValueAndRefusesAnyOther) {
  WheelClue wheel;
  wheel.Centre = 40; // (4, 4): up 31, right 41, down 49, left 39
  wheel.Values = {1, 2, 3, 4};
  grid.Lists.Wheels.Append(wheel);
  Run(kVarWheel);
  EXPECT_EQ(grid.Cells[31].ThePoss, MaskOf({1, 2, 3, 4})); // nothing placed: any of the four
  Place(41, 2);
  Run(kVarWheel);
  EXPECT_EQ(grid.Cells[31].ThePoss, MaskOf({1}));
  EXPECT_EQ(grid.Cells[49].ThePoss, MaskOf({3}));
  EXPECT_EQ(grid.Cells[39].ThePoss, MaskOf({4}));
  Place(31, 3);
  Run(kVarWheel);
  EXPECT_TRUE(Marked(31) && Marked(41));
  EXPECT_EQ(grid.Work.WheelConflict[0], 1);
}

TEST_F(CellSetRules, TwoUnplacedWheelsClashOnADiagonalOnlyWhenTheDiagonalIsARule) {
  // Both wheels put a 3 on the main diagonal: at (2, 2), below centre 11, and at (5, 5), above 59.
  for (const auto &[centre, values] : {std::pair{11, std::array<int16_t, 4>{1, 2, 3, 4}},
                                       std::pair{59, std::array<int16_t, 4>{3, 5, 6, 7}}}) {
    WheelClue wheel;
    wheel.Centre = static_cast<CellRef>(centre);
    wheel.Values = values;
    grid.Lists.Wheels.Append(wheel);
  }
  Run(kVarWheel);
  EXPECT_EQ(grid.Work.WheelConflict[0], 0);
  grid.Lists.RegionOn[kRegionDiag1] = 1;
  grid.GridVar = kVarWheel | kVarDiagonal;
  ResetRegionTables(geo, grid);
  Run(kVarWheel | kVarDiagonal);
  EXPECT_EQ(grid.Work.WheelConflict[0], 1);
  EXPECT_EQ(grid.Work.WheelConflict[1], 1);
}

TEST_F(CellSetRules, AMasterMindLineScoresItsMarkedCellsAgainstTheCode) {
  MasterMindClue &mind = grid.Lists.MasterMind;
  mind.CodeLength = 3;
  mind.Code = {1, 2, 3};
  MasterMindGuess line;
  line.Row = 0;
  line.Columns = {0, 1, 2};
  line.Black = 0;
  line.White = 1;
  mind.Lines.Append(line);
  Run(kVarMasterMind);
  // No black: no marked cell holds its own code value.
  EXPECT_EQ(grid.Cells[1].ThePoss & MaskOf({2}), 0u);
  Place(0, 1); // a black before the line is complete: already too many
  Run(kVarMasterMind);
  EXPECT_TRUE(Marked(0));
  EXPECT_EQ(grid.Work.MasterMindConflict[0], 1);
}

TEST_F(CellSetRules, TheMagicSentenceCellsAreHeldToTheSolution) {
  for (int c = 0; c < 9; ++c) {
    s.Ctx.Grids.RefTab[0].Cells[c].Value = c + 1;
    s.Ctx.Grids.RefTab[0].Cells[c].Status = kStatusFixed;
  }
  MagicSentenceClue &sentence = grid.Lists.MagicSentence;
  sentence.NCells = 2;
  sentence.Cells = {0, 4};
  EXPECT_EQ(CheckMagicSentence(s.Ctx, grid), 0); // saved, cells still open
  EXPECT_EQ(sentence.SavedValues[1], 5);
  Place(0, 1);
  Place(4, 5);
  EXPECT_EQ(CheckMagicSentence(s.Ctx, grid), 1);
  SetCellValue(s.Ctx, grid, 4, 6, kActionPlace);
  EXPECT_EQ(CheckMagicSentence(s.Ctx, grid), 2);
  EXPECT_EQ(grid.State, kGridContradiction);
}

TEST(MagicSentenceAnimation, TheCompletedSentencePlaysOnceItsCellsHoldTheirValues) {
  test::RecordingHost host;
  ShapedContext s(5, host);
  GridRecord &grid = s.Main();
  grid.GridVar = kVarMagicSentence;
  grid.Lists.MagicSentence.NCells = 2;
  grid.Lists.MagicSentence.Cells = {0, 4};
  EXPECT_EQ(AnimateMagicSentence(s.Ctx, grid), 0); // not complete yet
  grid.Work.MagicSentenceState = 1;
  EXPECT_EQ(AnimateMagicSentence(s.Ctx, grid), 1);
  ASSERT_EQ(host.Animations.size(), 2u);
  EXPECT_EQ(host.Animations[1].Cell, 4);
  EXPECT_EQ(host.Animations[1].Picture, kValuePicture);
  EXPECT_EQ(AnimateMagicSentence(s.Ctx, grid), 0); // once
}

TEST_F(CellSetRules, TheGroupEditorsToggleTheirItemsAndFindTheItemOfACell) {
  const std::array<int, 3> group = {5, 17, 60};
  EXPECT_EQ(ToggleEqualityGroup(grid, group), 1);
  EXPECT_EQ(FindEqualityGroupOfCell(grid, 17), 0);
  EXPECT_EQ(ToggleEqualityGroup(grid, std::array<int, 3>{60, 5, 17}), 0); // the same set, any order
  EXPECT_EQ(grid.Lists.Equality.Size(), 0);
  std::array<int, 17> tooMany{};
  for (int k = 0; k < 17; ++k)
    tooMany[static_cast<size_t>(k)] = k;
  EXPECT_EQ(ToggleEqualityGroup(grid, tooMany), 0);
  EXPECT_EQ(grid.Lists.Equality.Size(), 0);

  EXPECT_EQ(ToggleWheel(grid, 40, {1, 2, 3, 4}, 5), 1);
  EXPECT_EQ(grid.Lists.Wheels.Items[0].Rotation, 1);
  EXPECT_TRUE(WheelTouchesCell(geo, grid, 50));
  EXPECT_FALSE(WheelTouchesCell(geo, grid, 42));
  EXPECT_EQ(ToggleWheel(grid, 40, {4, 3, 2, 1}, 0), 0);

  const std::array<int, 4> blocks = {0, 1, 2, -1};
  EXPECT_EQ(TogglePanItem(grid, 0, blocks, {1, 6, 0}), 1);
  EXPECT_EQ(TogglePanItem(grid, 1, blocks, {1, 6, 0}), 1); // another position: a second one
  grid.Work.PanDigitCount[1] = 3;                          // as if read
  EXPECT_EQ(TogglePanItem(grid, 0, blocks, {2, 6, 0}), 1); // the first takes new operators
  EXPECT_EQ(grid.Lists.Pan.Items[0].Operators[0], 2);
  EXPECT_EQ(TogglePanItem(grid, 0, blocks, {2, 6, 0}), 0); // the same again: removed
  ASSERT_EQ(grid.Lists.Pan.Size(), 1);
  EXPECT_EQ(grid.Lists.Pan.Items[0].Position, 1);
  EXPECT_EQ(grid.Work.PanDigitCount[0], -1); // moved down: read again

  grid.Lists.MagicSentence.NCells = 2;
  grid.Lists.MagicSentence.Cells = {8, 3};
  EXPECT_EQ(FindMagicSentenceCell(grid, 3), 1);
  EXPECT_EQ(FindMagicSentenceCell(grid, 4), 45);
  grid.Lists.Dan.NCells = 1;
  grid.Lists.Dan.Cells = {77};
  EXPECT_EQ(FindDanCell(grid, 77), 0);
  EXPECT_EQ(FindDanCell(grid, 76), -1);
}

TEST_F(CellSetRules, ATrioCellHoldsAValueOfItsClass) {
  std::array<int8_t, 16> classes{};
  DefaultValueClasses(9, classes);
  EXPECT_EQ(classes, (std::array<int8_t, 16>{1, 1, 1, 2, 2, 2, 3, 3, 3, 0, 0, 0, 0, 0, 0, 0}));
  DefaultValueClasses(16, classes);
  EXPECT_EQ(classes[15], 4);
  DefaultValueClasses(4, classes);
  EXPECT_EQ(classes, (std::array<int8_t, 16>{1, 1, 2, 2}));

  DefaultValueClasses(9, s.Ctx.ValueClasses);
  grid.Cells[0].CellClass = 2;
  Run(kVarTrio);
  EXPECT_EQ(grid.Cells[0].ThePoss, MaskOf({4, 5, 6}));
  Place(0, 7);
  Run(kVarTrio);
  EXPECT_TRUE(Marked(0));
  EXPECT_EQ(grid.Cells[0].ClassError, 1);
}

TEST_F(CellSetRules, ANumeralCellHoldsAValueWhoseWordHasItsLetter) {
  s.Ctx.NumeralStrings = {"one", "two", "three", "four", "five", "six", "seven", "", "nine"};
  BuildNumeralCharMasks(s.Ctx);
  grid.Cells[0].Numeral = 'V';
  Run(kVarNumeral);
  EXPECT_EQ(grid.Cells[0].ThePoss, MaskOf({5, 7})); // fiVe, seVen
  Place(0, 5);
  Run(kVarNumeral);
  EXPECT_FALSE(Marked(0));
  grid.Cells[1].Numeral = 'E';
  Place(1, 8); // an empty word holds no letter
  Run(kVarNumeral);
  EXPECT_TRUE(Marked(1));
  EXPECT_EQ(grid.Cells[1].NumeralError, 1);
}
