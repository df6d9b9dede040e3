// The expert's clue definitions of the sum and product rules on a selection.
#include "view/clue_definitions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "engine/grid_set.h"
#include "engine/undo_stack.h"
#include "engine/update_possibles.h"
#include "tests/engine/engine_test_support.h"
#include "view/legend_lines.h"

namespace quorbel {
namespace {

using test::RecordingHost;

constexpr int kShapeOf9 = 5;

class CountingRedraws final : public BoardFeedback {
public:
  void RedrawViewNow() override { ++Redraws; }
  int Redraws = 0;
};

class ClueDefinitionsTest : public ::testing::Test {
protected:
  ClueDefinitionsTest() : ctx_(host_) {
    SetGridShape(ctx_, kShapeOf9, 1, 0);
    for (int c = 0; c < ctx_.Geo.NCells; ++c) {
      ctx_.Grids.RefTab[0].Cells[c].Value = (c % 9 + c / 9 * 3 + c / 27) % 9 + 1;
      ctx_.Grids.RefTab[0].Cells[c].Status = kStatusFixed;
    }
    UpdatePossibles(ctx_, -1, -1, -1, 1);
  }
  GridRecord &Grid() { return ctx_.Grids.Main[0]; }
  void Select(std::initializer_list<int> cells) {
    selection_.Count = 0;
    for (int c : cells)
      selection_.Pairs[selection_.Count++] = {c, 0};
  }
  ClueDefinitions Definitions(bool expert = true) { return {ctx_, selection_, feedback_, expert}; }
  const std::string &Said() const { return host_.Messages.back(); }

  RecordingHost host_;
  EngineContext ctx_;
  SelectionList selection_;
  CountingRedraws feedback_;
};

TEST_F(ClueDefinitionsTest, WithoutTheExpertFlagNothingActs) {
  Select({0, 1, 2});
  int frameMode = 1;
  ClueDefinitions d = Definitions(false);
  d.Killer(0);
  d.LittleKiller();
  d.Arrow();
  d.Frame(frameMode);
  d.Kimo();
  d.ZeroKiller();
  EXPECT_TRUE(Grid().Lists == VariantLists{});
  EXPECT_FALSE(Grid().GridVar.Any());
  EXPECT_TRUE(host_.Messages.empty());
  EXPECT_EQ(feedback_.Redraws, 0);
}

TEST_F(ClueDefinitionsTest, AKillerCageTakesTheSolutionsTotalAndAnyOfItsCellsRemovesIt) {
  // Cells 0, 1 and 2 hold 1, 2 and 3 in the solution.
  ctx_.Grids.RefTab[0].Cells[2].Value = 4;
  Select({2, 0, 1});
  const int undoBefore = ctx_.Undo.ptUndo;
  Definitions().Killer(0);
  ASSERT_EQ(Grid().Lists.Killer.Size(), 1);
  EXPECT_EQ(Grid().Lists.Killer.Items[0].Target, 7);
  EXPECT_TRUE(Meets(Grid().GridVar, kVarKillerSum));
  EXPECT_EQ(Said(), "Killer Somme Area Added");
  EXPECT_GT(ctx_.Undo.ptUndo, undoBefore);
  Select({1});
  Definitions().Killer(0);
  EXPECT_EQ(Grid().Lists.Killer.Size(), 0);
  EXPECT_FALSE(Meets(Grid().GridVar, kVarKillerSum));
  EXPECT_EQ(Said(), "Killer Area removed");
  // Neighbours only across a row end do not touch.
  Select({8, 9});
  Definitions().Killer(1);
  EXPECT_EQ(Grid().Lists.Killer.Size(), 0);
  EXPECT_EQ(Said(), "Killer: All cells must touch - Not selected");
}

TEST_F(ClueDefinitionsTest, KimoReadsItsModulusFromTwoCells) {
  SetCellValue(ctx_, Grid(), 40, 1, kActionPlace);
  SetCellValue(ctx_, Grid(), 41, 2, kActionPlace);
  Select({40, 41});
  Definitions().Kimo();
  EXPECT_EQ(Grid().Lists.KimoModulus, 12);
  EXPECT_TRUE(Meets(Grid().GridVar, kVarKimo));
  Select({});
  Definitions().Kimo();
  EXPECT_FALSE(Meets(Grid().GridVar, kVarKimo));
  EXPECT_EQ(Said(), "Kimo removed");
}

TEST_F(ClueDefinitionsTest, AnEmptySelectionClearsEvenAFullList) {
  for (int i = 0; i < 40; ++i)
    Grid().Lists.Killer.Append(KillerCage{1, {static_cast<CellRef>(i)}, 1, 0});
  Grid().GridVar |= kVarKillerSum;
  Select({60, 61});
  Definitions().Killer(0);
  EXPECT_EQ(Said(), "Two many Killer Area: Not selected");
  Select({});
  Definitions().Killer(0);
  EXPECT_EQ(Grid().Lists.Killer.Size(), 0);
  EXPECT_FALSE(Meets(Grid().GridVar, kVarKillerSum));
}

TEST_F(ClueDefinitionsTest, LittleKillerCluesComeFromAnEdgeCellAPairOrASide) {
  Select({4});
  Definitions().LittleKiller();
  EXPECT_EQ(Said(), "Littel-Killer : Cell added");
  EXPECT_EQ(Grid().Lists.LittleKiller.Size(), 1);
  Select({40});
  Definitions().LittleKiller();
  EXPECT_EQ(Said(), "Littel-Killer : Selection not understood-must be in Grid Angle");
  EXPECT_EQ(Grid().Lists.LittleKiller.Size(), 1);
  Select({0, 1, 2});
  Definitions().LittleKiller();
  EXPECT_EQ(Said(), "Littel-Killer: Top Line modified");
  EXPECT_EQ(Grid().Lists.LittleKiller.Size(), 7); // positions 1..8 toggled: the fifth goes
  EXPECT_TRUE(Meets(Grid().GridVar, kVarLittleKiller));
}

TEST_F(ClueDefinitionsTest, AFullLittleKillerListStillTakesRemovalsAndRefusesOnlyAdditions) {
  SetGridShape(ctx_, ShapeCodeOfSize(16), 1, 0);
  Select({});
  Definitions().LittleKiller(); // four sides of a 16 x 16 fill the list
  EXPECT_EQ(Said(), "Littel-Killer on 4 sides added");
  auto &list = Grid().Lists.LittleKiller;
  ASSERT_GE(list.Size(), list.kCapacity - 4);
  while (!list.Full()) // the last places, with diagonals off the sides' clues
    list.Append(LittleKillerClue{.FirstCell = 0, .LastCell = static_cast<CellRef>(list.Size())});
  const auto longer = std::find_if(list.Items.begin(), list.Items.end(), [](const LittleKillerClue &clue) {
    return clue.FirstCell != clue.LastCell;
  });
  ASSERT_NE(longer, list.Items.end());
  const LittleKillerClue held = *longer;
  Select({held.FirstCell, held.LastCell});
  Definitions().LittleKiller();
  EXPECT_EQ(list.Size(), list.kCapacity - 1);
  Definitions().LittleKiller(); // and back: there is room again
  EXPECT_EQ(list.Size(), list.kCapacity);

  Select({0, 1, 2}); // the top side: every diagonal of it is held, so it only removes
  Definitions().LittleKiller();
  EXPECT_EQ(Said(), "Littel-Killer: Top Line modified");
  EXPECT_LT(list.Size(), list.kCapacity);
  Definitions().LittleKiller(); // they fit back
  EXPECT_EQ(list.Size(), list.kCapacity);

  const VariantLists full = Grid().Lists;
  Select({0, 17}); // not held: refused, the list as it was
  Definitions().LittleKiller();
  EXPECT_EQ(Said(), "Two many Little-Killer: Not selected");
  EXPECT_TRUE(Grid().Lists.LittleKiller == full.LittleKiller);
  Select({});
  Definitions().LittleKiller();
  EXPECT_EQ(Said(), "Littel-Killer on 4 sides removed");
  EXPECT_EQ(list.Size(), 0);
}

// A full list refuses what would add a mark, never the removal or the change of one.
TEST_F(ClueDefinitionsTest, TheComparisonCommandsStopAtEightyMarks) {
  auto &marks = Grid().Lists.Comparisons;
  auto fill = [&] {
    for (int i = 0; marks.Size() < 80; ++i)
      if (!std::any_of(marks.Items.begin(), marks.Items.begin() + marks.Size(),
                       [&](const ComparisonMark &m) { return m.CellA == i; }))
        marks.Append(ComparisonMark{
            .CellA = static_cast<CellRef>(i), .CellB = static_cast<CellRef>(i + 1), .Kind = 9});
  };
  fill();
  const auto full = marks;
  constexpr std::string_view kRefused = "Two many Comparison: Not selected";
  int dotKind = 4;
  Select({0, 9}); // no mark between them; the solution gives 1 and 4
  Definitions().GreaterPair();
  EXPECT_EQ(Said(), kRefused);
  Definitions().SumMark(3);
  EXPECT_EQ(Said(), kRefused);
  Definitions().Dot(dotKind);
  EXPECT_EQ(Said(), kRefused);
  Select({0, 9, 18});
  Definitions().LessChain();
  EXPECT_EQ(Said(), kRefused);
  EXPECT_TRUE(marks == full);

  Select({0, 1}); // 1 < 2: the held mark goes
  Definitions().GreaterPair();
  EXPECT_EQ(std::count(host_.Messages.begin(), host_.Messages.end(), "Comparison: removed"), 1);
  EXPECT_EQ(marks.Size(), 79);
  fill();
  Select({1, 2, 3});
  Definitions().LessChain();
  EXPECT_EQ(Said(), "Comparison: > added or removed");
  EXPECT_EQ(marks.Size(), 78);
  fill();
  Select({4, 5});
  Definitions().Dot(dotKind);
  EXPECT_EQ(Said(), "Comparison: - Updated");
  EXPECT_EQ(marks.Size(), 80);
}

TEST_F(ClueDefinitionsTest, FrameCluesStepThroughSumProductAndMax) {
  int mode = 1;
  Select({0, 9, 18}); // column 0 from the top
  Definitions().Frame(mode);
  const FrameClues &frame = Grid().Lists.Frame;
  const GridRecord &ref = ctx_.Grids.RefTab[0];
  const int a = ref.Cells[0].Value, b = ref.Cells[9].Value, c = ref.Cells[18].Value;
  EXPECT_EQ(frame.Kind[0][0], 1);
  EXPECT_EQ(frame.Value[0][0], a + b + c);
  Definitions().Frame(mode);
  EXPECT_EQ(frame.Kind[0][0], 2);
  EXPECT_EQ(frame.Value[0][0], a * b * c);
  Definitions().Frame(mode);
  EXPECT_EQ(frame.Kind[0][0], 6);
  EXPECT_EQ(frame.Value[0][0], a > b && a > c ? 1 : b > c ? 2 : 3);
  EXPECT_TRUE(Meets(Grid().GridVar, kVarFrameMax));
  Definitions().Frame(mode);
  EXPECT_EQ(frame.Kind[0][0], 0);
  EXPECT_FALSE((Grid().GridVar & (kVarFrameSum | kVarFrameProduct | kVarFrameMax)).Any());
  Select({10, 11, 12});
  Definitions().Frame(mode);
  EXPECT_EQ(Said(), "Frame: Bad selection - select at minimum 3 Continguous cells in perimeter");
}

TEST_F(ClueDefinitionsTest, OddviewHidesOneValueThenTheOtherThenGoes) {
  Select({8, 7, 6}); // row 0 from the right
  Definitions().Oddview();
  const OutsideClues &outside = Grid().Lists.Outside;
  ASSERT_EQ(outside.Kind[1][0], 2);
  const int even = outside.Values[1][0][0];
  EXPECT_EQ(even % 2, 0);
  EXPECT_EQ(outside.Values[1][0][1] % 2, 1);
  Definitions().Oddview();
  EXPECT_EQ(outside.Values[1][0][0], -1);
  Definitions().Oddview();
  EXPECT_EQ(outside.Values[1][0][0], even);
  EXPECT_EQ(outside.Values[1][0][1], -1);
  Definitions().Oddview();
  EXPECT_EQ(outside.Kind[1][0], 0);
  EXPECT_FALSE(Meets(Grid().GridVar, kVarOddview));
}

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

TEST_F(ClueDefinitionsTest, XAndVNeedTwoNeighboursOfTheirSum) {
  GridRecord &ref = ctx_.Grids.RefTab[0];
  ref.Cells[0].Value = 1;
  ref.Cells[1].Value = 4;
  ref.Cells[10].Value = 2;
  Select({0, 10});
  Definitions().SumMark(3);
  EXPECT_EQ(Said(), "Comparison: Bad selection - cells must be in same line or col and contigous");
  EXPECT_EQ(Grid().Lists.Comparisons.Size(), 0);
  Select({0, 1});
  Definitions().SumMark(3);
  EXPECT_EQ(Said(), "Comparison: V added");
  EXPECT_EQ(Grid().Lists.Comparisons.Items[0].Kind, 3);
  EXPECT_TRUE(Meets(Grid().GridVar, kVarXV));
  Definitions().SumMark(3);
  EXPECT_EQ(Said(), "Comparison: removed");
  EXPECT_FALSE(Meets(Grid().GridVar, kVarXV)); // its last mark gone
  // A pair holding the other kind of mark takes the new one in its place, and says so.
  Definitions().SumMark(3);
  Definitions().GreaterPair();
  EXPECT_EQ(host_.Messages.at(host_.Messages.size() - 2), "Comparison: < added");
  ASSERT_EQ(Grid().Lists.Comparisons.Size(), 1);
  EXPECT_EQ(Grid().Lists.Comparisons.Items[0].Kind, kCompareLess);
}

TEST_F(ClueDefinitionsTest, ALessChainMarksEachNeighbouringPairByTheSolution) {
  Select({27, 28, 29, 30});
  Definitions().LessChain();
  const GridRecord &ref = ctx_.Grids.RefTab[0];
  ASSERT_EQ(Grid().Lists.Comparisons.Size(), 3);
  for (int k = 0; k < 3; ++k) {
    const ComparisonMark &mark = Grid().Lists.Comparisons.Items[k];
    EXPECT_EQ(mark.Kind, ref.Cells[mark.CellA].Value < ref.Cells[mark.CellB].Value ? 9 : 8) << k;
  }
  EXPECT_TRUE(Meets(Grid().GridVar, kVarLess));
}

TEST_F(ClueDefinitionsTest, AllSignificantTwiceRestoresTheWords) {
  const VariantWords before = Grid().GridVar;
  Definitions().AllSignificant();
  EXPECT_TRUE(Meets(Grid().GridVar, kVarAllIndicated));
  Definitions().AllSignificant();
  EXPECT_EQ(Grid().GridVar, before);
}

TEST_F(ClueDefinitionsTest, ARuleSwitchGivenTwiceSaysAddedThenRemovedAndRestoresTheWords) {
  const VariantWords before = Grid().GridVar;
  Definitions().RuleSwitch(kVarTouchy, "Touchy Added", "Touchy Removed");
  EXPECT_TRUE(Meets(Grid().GridVar, kVarTouchy));
  EXPECT_EQ(Said(), "Touchy Added");
  Definitions().RuleSwitch(kVarTouchy, "Touchy Added", "Touchy Removed");
  EXPECT_EQ(Said(), "Touchy Removed");
  EXPECT_EQ(Grid().GridVar, before);
  EXPECT_EQ(feedback_.Redraws, 2);
}

TEST_F(ClueDefinitionsTest, ChessCyclesThePiecesOfTheSelectionAndNavigatorPointsFromTheFirstCell) {
  Select({10, 20});
  Definitions().Chess();
  ASSERT_EQ(Grid().Lists.Chess.Size(), 2);
  EXPECT_TRUE(Meets(Grid().GridVar, kVarChess));
  Definitions().Chess(); // both turn white
  EXPECT_EQ(Grid().Lists.Chess.Items[1].Colour, 1);
  Select({});
  Definitions().Chess();
  EXPECT_EQ(Grid().Lists.Chess.Size(), 0);
  EXPECT_FALSE(Meets(Grid().GridVar, kVarChess));

  Select({40, 30}); // up-left neighbour: the row above, leftwards
  Definitions().Navigator();
  ASSERT_EQ(Grid().Lists.Navigator.Size(), 1);
  EXPECT_EQ(Grid().Lists.Navigator.Items[0].Direction, 4);
  Definitions().Navigator(); // again: the column to the left, upwards
  EXPECT_EQ(Grid().Lists.Navigator.Items[0].Direction, 10);
  Definitions().Navigator(); // again: gone
  EXPECT_EQ(Grid().Lists.Navigator.Size(), 0);
  Select({40});
  Definitions().Navigator();
  EXPECT_EQ(Said(), "Navigator: Select two cells - first is the reference");
}

TEST_F(ClueDefinitionsTest, DoubleAndTripleNamesTheQuotientsWorthPoints) {
  EXPECT_TRUE(Definitions().DoubleTriple());
  EXPECT_EQ(Said(), "Double and Triple added");
  std::array<uint32_t, 16> points{};
  points[0] = 1;
  points[2] = 5;
  points[14] = 9; // quotient 16: beyond a 9 x 9 grid
  EXPECT_EQ(DoubleTripleLine(points, 9), "Double and Triple -->  x2=1pt  x4=5pt");
  EXPECT_FALSE(Definitions().DoubleTriple());
}

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

TEST_F(ClueDefinitionsTest, DiagonalDefinitionCyclesBothFirstSecondNone) {
  Select({});
  ClueDefinitions d = Definitions();
  const std::array<std::pair<int, int>, 5> expected = {{{1, 1}, {1, 0}, {0, 1}, {0, 0}, {1, 1}}};
  for (const auto &[first, second] : expected) {
    d.Diagonal();
    EXPECT_EQ(Grid().Lists.RegionOn[kRegionDiag1], first);
    EXPECT_EQ(Grid().Lists.RegionOn[kRegionDiag2], second);
    EXPECT_EQ(Meets(Grid().GridVar, kVarDiagonal), first + second > 0);
  }
}

TEST_F(ClueDefinitionsTest, NumeralTakesTheNextKeyAsTheCellsLetter) {
  ctx_.NumeralStrings = {"ONE", "TWO", "THREE", "FOUR", "FIVE", "SIX", "SEVEN", "EIGHT", "NINE"};
  Select({4});
  ClueDefinitions d = Definitions();
  ASSERT_TRUE(d.Numeral());
  EXPECT_EQ(Said(), "Please Press a key as Numeral - Possible: FIVE"); // the solution's 5
  EXPECT_EQ(d.TypeNumeral(4, 'w'), 5);
  EXPECT_EQ(Grid().Cells[4].Numeral, 'W');
  EXPECT_TRUE(Meets(Grid().GridVar, kVarNumeral));
  d.TypeNumeral(5, 'Q');
  EXPECT_EQ(host_.Messages.end()[-2], "Warning - Selected Numeral Q has no correspondance");
  EXPECT_EQ(Said(), "Please Press a key as Numeral - Possible: SEVEN");

  Select({});
  EXPECT_FALSE(d.Numeral()); // an empty selection clears every letter and the bit
  EXPECT_EQ(Grid().Cells[4].Numeral, -1);
  EXPECT_FALSE(Meets(Grid().GridVar, kVarNumeral));
}

TEST_F(ClueDefinitionsTest, GroupCommandsRefuseWhatTheirListsCannotHoldAndAnEmptySelectionClears) {
  std::vector<int> many(17);
  std::iota(many.begin(), many.end(), 0);
  selection_.Count = 0;
  for (int c : many)
    selection_.Pairs[selection_.Count++] = {c, 0};
  ClueDefinitions d = Definitions();
  d.Equality();
  EXPECT_EQ(Grid().Lists.Equality.Size(), 0);
  Select({0, 10});
  d.Equality();
  EXPECT_EQ(Said(), "Equality Zone Added");
  EXPECT_TRUE(Meets(Grid().GridVar, kVarEquality));
  Select({});
  d.Equality();
  EXPECT_EQ(Grid().Lists.Equality.Size(), 0);
  EXPECT_FALSE(Meets(Grid().GridVar, kVarEquality));

  // A wheel on the border is refused; inside, its values are the solution's round the centre.
  Select({9});
  d.Wheel();
  EXPECT_EQ(Said(), "Wheel: Cells on perimeter is not possible");
  Select({10, 11});
  d.Wheel();
  EXPECT_EQ(Said(), "Wheel: 2 wheels must not touch together");
  Select({10});
  d.Wheel();
  ASSERT_EQ(Grid().Lists.Wheels.Size(), 1);
  const WheelClue &wheel = Grid().Lists.Wheels.Items[0];
  const std::array<int, 4> around = {1, 11, 19, 9};
  for (int k = 0; k < 4; ++k)
    EXPECT_EQ(wheel.Values[k], ctx_.Grids.RefTab[0].Cells[around[(wheel.Rotation + k) % 4]].Value);
}

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

TEST_F(ClueDefinitionsTest, BlocksDefinedOneByOneServeAsExtraRegionsInTurn) {
  ClueDefinitions d = Definitions();
  Select({});
  d.ExtraRegion();
  EXPECT_EQ(Said(), "Please Define One to 4 Extra Blocks by command B");
  Select({0, 1, 2, 3});
  EXPECT_FALSE(d.BlockSelection());
  EXPECT_EQ(Said(), "Irregular Blocks: must be 9 cells");
  // Two blocks: the first three cells of rows 0 to 2, then of rows 3 to 5.
  for (int block = 1; block <= 2; ++block) {
    const int top = (block - 1) * 27;
    Select({top, top + 1, top + 2, top + 9, top + 10, top + 11, top + 18, top + 19, top + 20});
    ASSERT_TRUE(d.BlockSelection());
    d.Block(block);
  }
  EXPECT_EQ(Said(), "Irregular Blocks 2 defined, Remaining (3-4-5-6-7-8-9-)");
  EXPECT_TRUE(Meets(Grid().GridVar, kVarIrregular));

  Select({});
  d.ExtraRegion();
  EXPECT_EQ(Said(), "1 ExtraRegion Set");
  d.ExtraRegion();
  EXPECT_EQ(Said(), "2 ExtraRegions Set");
  EXPECT_TRUE(Meets(Grid().GridVar, kVarExtraRegion));
  EXPECT_FALSE(Meets(Grid().GridVar, kVarIrregular));
  d.ExtraRegion(); // no third block: back to the blocks
  EXPECT_EQ(Said(), "ExtraRegion removed and Irregular Set");
  EXPECT_FALSE(Meets(Grid().GridVar, kVarExtraRegion));

  d.Block(0);
  EXPECT_EQ(Said(), "All Irregular Blocks removed");
  EXPECT_FALSE(Meets(Grid().GridVar, kVarIrregular));
}

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

TEST_F(ClueDefinitionsTest, APuzzlePieceIsCutToTenCellsAndTheSameCellsRemoveIt) {
  Definitions().NavalFlight();
  EXPECT_EQ(Said(), "Please define Puzzle Pieces first");

  Select({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  Definitions().PuzzlePiece();
  ASSERT_EQ(Grid().Lists.Pieces.Size(), 1);
  const PuzzlePiece &piece = Grid().Lists.Pieces.Items[0];
  EXPECT_EQ(piece.NCells, 10);
  EXPECT_NE(
      std::find(host_.Messages.begin(), host_.Messages.end(), "Two many selection for Puzzle: truncation"),
      host_.Messages.end());
  EXPECT_TRUE(Meets(Grid().GridVar, kVarPuzzle));
  // Each piece cell is shown by a record past the grid's own, holding its digit as a given.
  for (int k = 0; k < piece.NCells; ++k) {
    EXPECT_GE(piece.Identities[k], ctx_.Geo.NCellRecs);
    EXPECT_EQ(Grid().Cells[piece.Identities[k]].Status, kStatusFixed);
  }

  Select({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  Definitions().PuzzlePiece();
  EXPECT_EQ(Grid().Lists.Pieces.Size(), 0);
  EXPECT_FALSE(Meets(Grid().GridVar, kVarPuzzle));
  EXPECT_EQ(Said(), "Remove full Puzzle");
}

TEST_F(ClueDefinitionsTest, NavalFlightCountsThePieceCellsOfEachLineAndTiledMarksPieceCells) {
  Select({0, 1});
  Definitions().PuzzlePiece();
  Select({20, 29});
  Definitions().PuzzlePiece();
  Select({});
  Definitions().NavalFlight();
  EXPECT_EQ(Said(), "Naval Fight defined");
  EXPECT_TRUE(Meets(Grid().GridVar, kVarBattleShip));
  EXPECT_FALSE(Meets(Grid().GridVar, kVarPuzzle));
  EXPECT_EQ(Grid().Lists.BoatClueRow[0], 2);
  EXPECT_EQ(Grid().Lists.BoatClueRow[2], 1);
  EXPECT_EQ(Grid().Lists.BoatClueCol[2], 2);
  Definitions().NavalFlight();
  EXPECT_EQ(Said(), "Naval Fight Removed");
  EXPECT_TRUE(Meets(Grid().GridVar, kVarPuzzle));

  Select({40});
  Definitions().Tiled();
  EXPECT_EQ(Said(), "Tiled: You must first define Puzzle pieces");
  Select({29});
  Definitions().Tiled();
  EXPECT_EQ(Said(), "Tiled cells added to Puzzle");
  EXPECT_TRUE(Meets(Grid().GridVar, kVarTiled));
  const auto pieces = Grid().Lists.Pieces.Used();
  const auto marked =
      std::find_if(pieces.begin(), pieces.end(), [](const PuzzlePiece &p) { return p.MarkedCell >= 0; });
  ASSERT_NE(marked, pieces.end());
  EXPECT_EQ(marked->Cells[marked->MarkedCell], 29);
}

TEST_F(ClueDefinitionsTest, BattleshipOddMarksTheParityUnderEachPieceAndNamesItInTheLegend) {
  Definitions().BattleshipOdd();
  EXPECT_EQ(Said(), "Battleship Odd: You must define BattleShip or Puzzle first");
  Select({0, 1});
  Definitions().PuzzlePiece();
  Definitions().BattleshipOdd();
  EXPECT_EQ(Grid().Cells[0].OddEven, ctx_.Grids.RefTab[0].Cells[0].Value % 2);
  auto legend = [&] { return BuildLegendLines(kVarPuzzle, {}, &Grid(), Language::English).at(0).Text; };
  Grid().Lists.PuzzleRotation = 0;
  EXPECT_EQ(legend(), "Puzzle Odd");
  Definitions().PuzzleRotate();
  EXPECT_EQ(Said(), "Puzzle Rotation Added");
  EXPECT_EQ(legend(), "Puzzle Rot Odd");
  Definitions().BattleshipOdd();
  EXPECT_EQ(legend(), "Puzzle Rotation");
  EXPECT_EQ(Grid().Cells[0].OddEven, -1);
}

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

TEST_F(ClueDefinitionsTest, TwinsRelationLinksEachPairOfTheSelectionAcrossGrids) {
  ResetGridSet(ctx_, 2);
  selection_.Count = 0;
  Definitions().TwinsRelation();
  EXPECT_EQ(Said(), "Relation: All removed");
  selection_.Pairs[selection_.Count++] = {3, 0};
  Definitions().TwinsRelation();
  EXPECT_EQ(Said(), "Relations: Please select a minimum of 2 cells indifferent grids");
  selection_.Pairs[selection_.Count++] = {7, 1};
  Definitions().TwinsRelation();
  EXPECT_EQ(Said(), "Relation: modified");
  ASSERT_EQ(Grid().Lists.TwinsRelation.Size(), 1);
  EXPECT_EQ(Grid().Lists.TwinsRelation.Items[0].OtherCell, 7);
  EXPECT_TRUE(Meets(ctx_.Grids.Main[1].GridVar, kVarTwinsRelation));
  Definitions().TwinsRelation(); // the same pair again unlinks it
  EXPECT_EQ(Grid().Lists.TwinsRelation.Size(), 0);
}

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

TEST_F(ClueDefinitionsTest, TwinsEqualPairsTwoGridsAndTheRefGridCommandKeepsOneActive) {
  Select({});
  Definitions().TwinsWhole(false); // one main grid: a second is added
  EXPECT_EQ(Said(), "Twin Equal done");
  ASSERT_EQ(ctx_.Grids.MainCount, 2);
  EXPECT_EQ(Grid().Lists.TwinsPartner, 1);
  EXPECT_TRUE(Meets(ctx_.Grids.Main[1].GridVar, kVarTwinsEqual));

  selection_.Count = 0;
  selection_.Pairs[selection_.Count++] = {0, 0};
  selection_.Pairs[selection_.Count++] = {40, 1};
  Definitions().TwinsZone();
  EXPECT_EQ(Said(), "Twin Zone Added 0-4");
  EXPECT_TRUE(Meets(ctx_.Grids.Main[1].GridVar, kVarTwinsZone));
  Definitions().TwinsZone();
  EXPECT_EQ(Said(), "Twin Zone Removed");
  EXPECT_FALSE(Meets(Grid().GridVar, kVarTwinsZone));

  selection_.Count = 1;
  selection_.Pairs[0] = {3, 1};
  Definitions().TwinsRefGrid();
  EXPECT_EQ(Said(), "TWINS REF GRID: one gird added");
  EXPECT_EQ(ctx_.Grids.MainCount, 1);
  selection_.Pairs[0] = {3, 0};
  Definitions().TwinsRefGrid();
  EXPECT_EQ(Said(), "TWINS REF GRID: Not possible. No more active grid");
}

TEST_F(ClueDefinitionsTest, TwinTotalGivenTwiceRestoresTheCounts) {
  Select({});
  Definitions().TwinsWhole(false); // two grids
  GridSet &set = ctx_.Grids;
  ASSERT_EQ(set.MainCount, 2);
  for (int g = 0; g < 2; ++g)
    for (int c = 0; c < ctx_.Geo.NCells; ++c)
      set.RefTab[g].Cells[c].Value = (c + g) % ctx_.Geo.GridWidth + 1;
  Definitions().TwinTotal();
  EXPECT_EQ(Said(), "Twin Total added");
  EXPECT_EQ(set.AllCount, 3);
  EXPECT_EQ(set.OrderCount, 3);
  EXPECT_TRUE(Meets(set.Main[1].GridVar, kVarTwinsTotal));
  EXPECT_EQ(set.Main[2].Cells[5].Value, set.RefTab[0].Cells[5].Value + set.RefTab[1].Cells[5].Value);
  EXPECT_EQ(set.Main[2].Cells[5].Status, kStatusGiven);
  Definitions().TwinTotal();
  EXPECT_EQ(Said(), "Twin Total removed");
  EXPECT_EQ(set.AllCount, 2);
  EXPECT_EQ(set.OrderCount, 2);
  EXPECT_FALSE(Meets(set.Main[0].GridVar, kVarTwinsTotal));
}

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

TEST_F(ClueDefinitionsTest, ASubstitutionWritesTheOtherGridsSolutionThroughItsMap) {
  ResetGridSet(ctx_, 2);
  selection_.Count = 0;
  // The first row holds 1..9 in the solution: the map sends v to 10 - v.
  for (int col = 8; col >= 0; --col)
    selection_.Pairs[selection_.Count++] = {col, 0};
  Definitions().TwinsSubstitution();
  EXPECT_EQ(Said(), "Twin Zone: Select 9 cells in first grid (subs data) and 1 cell of second grid");
  selection_.Pairs[selection_.Count++] = {0, 1};
  Definitions().TwinsSubstitution();
  EXPECT_EQ(Said(), "Twins: Substitution values taken into account and Ref Table2 updated");
  EXPECT_EQ(Grid().Lists.SubstitutionOwner, 1);
  for (int c : {0, 10, 80})
    EXPECT_EQ(ctx_.Grids.RefTab[1].Cells[c].Value, 10 - ctx_.Grids.RefTab[0].Cells[c].Value) << c;
}

} // namespace
} // namespace quorbel
