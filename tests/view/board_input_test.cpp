// The board's input as cell actions: typed symbols and pencil marks, clearing, the keys that move
// the focus, the wheel, the search's solutions, undo and redo, the selection and the character
// sizes, each with its undo step, candidates, feedback and macro step.
#include <gtest/gtest.h>

#include "app/settings_schema.h"
#include "engine/search_history.h"
#include "engine/undo_stack.h"
#include "engine/update_possibles.h"
#include "tests/engine/engine_test_support.h"
#include "view/board_input.h"

namespace quorbel {
namespace {

using test::RecordingHost;
using test::SentMove;

constexpr int kShapeOf4 = 0;
constexpr int kShapeOf9 = 5;

// Counts what the input asks of the board.
class CountingFeedback final : public BoardFeedback {
public:
  void RedrawViewNow() override { ++Redraws; }
  void SignalPlacement(int slot, int cell) override { Placements.push_back({slot, cell}); }
  void CheckEndOfGame() override { ++EndChecks; }
  void PlaySoundEffect(int slot) override { Sounds.push_back(slot); }
  void SaveSettings() override { ++Saves; }
  void SelectionChanged(const SelectionList &) override { ++SelectionChanges; }

  int Redraws = 0;
  std::vector<std::pair<int, int>> Placements;
  int EndChecks = 0;
  std::vector<int> Sounds;
  int Saves = 0;
  int SelectionChanges = 0;
};

class BoardInputTest : public ::testing::Test {
protected:
  explicit BoardInputTest(int shape = kShapeOf9) : ctx_(host_) {
    SetGridShape(ctx_, shape, 1, 0);
    UpdatePossibles(ctx_, -1, -1, -1, 1);
  }

  GridRecord &Grid(int slot = 0) { return ctx_.Grids.Main[static_cast<size_t>(slot)]; }
  CellRecord &Cell(int cell, int slot = 0) { return Grid(slot).Cells[static_cast<size_t>(cell)]; }
  void Focus(int cell, int slot = 0) { input_.MoveFocus(slot, cell); }
  void Fix(int cell, int value) {
    SetCellValue(ctx_, Grid(), cell, value, kActionPlaceFixed);
    UpdatePossibles(ctx_, -1, -1, -1, 1);
  }
  // The last macro step as (code, int 1, int 2, int 3), absent integers as -99.
  std::array<int, 4> LastStep() const {
    if (host_.MacroSteps.empty())
      return {-1, -99, -99, -99};
    const RecordedAction &step = host_.MacroSteps.back();
    return {step.Code, step.Ints[0].value_or(-99), step.Ints[1].value_or(-99), step.Ints[2].value_or(-99)};
  }

  RecordingHost host_;
  EngineContext ctx_;
  AppSettings settings_ = DefaultSettings();
  SelectionList selection_;
  CountingFeedback feedback_;
  BoardInput input_{ctx_, settings_, selection_, feedback_};
};

TEST_F(BoardInputTest, ALegendToggleSwitchesItsRuleOnTheCurrentGridAndBack) {
  Focus(40);
  input_.ToggleGridRule(kVarDiagonal);
  EXPECT_EQ(Grid().GridVar, kVarDiagonal);
  EXPECT_EQ(Grid().Lists.RegionOn[0], 1);
  // Value 5 in the centre leaves both diagonals.
  input_.PlaceValue(0, 40, 5);
  EXPECT_EQ(Cell(0).ThePoss & ValueBit(5), 0u);
  EXPECT_EQ(Cell(8).ThePoss & ValueBit(5), 0u);
  input_.ToggleGridRule(kVarDiagonal);
  EXPECT_FALSE(Grid().GridVar.Any());
  EXPECT_EQ(Grid().Lists.RegionOn[0], 0);
  EXPECT_NE(Cell(0).ThePoss & ValueBit(5), 0u);
}

TEST_F(BoardInputTest, TypingADigitPlacesItThroughTheWholeSequence) {
  Focus(40);
  EXPECT_TRUE(input_.TypeSymbol('5'));
  EXPECT_EQ(Cell(40).Value, 5);
  EXPECT_EQ(Cell(40).Status, kStatusPlaced);
  EXPECT_TRUE(CanUndo(ctx_.Undo));
  // Its row, column and block lose the candidate.
  for (int cell : {36, 4, 30})
    EXPECT_EQ(Cell(cell).ThePoss & ValueBit(5), 0u) << cell;
  EXPECT_NE(Cell(0).ThePoss & ValueBit(5), 0u);
  EXPECT_EQ(feedback_.Placements, (std::vector<std::pair<int, int>>{{0, 40}}));
  EXPECT_EQ(feedback_.EndChecks, 1);
  EXPECT_EQ(LastStep(), (std::array<int, 4>{kStepSetCell, 40, -99, 5}));
}

TEST_F(BoardInputTest, SymbolsOutsideTheGridPlaceNothing) {
  Focus(10);
  EXPECT_FALSE(input_.TypeSymbol('0'));
  settings_.general.gridCurrDisp = kSymbolLetters;
  EXPECT_TRUE(input_.TypeSymbol('Z')); // a letter, but no value of a 9-wide grid
  EXPECT_FALSE(input_.TypeSymbol('7'));
  settings_.general.gridCurrDisp = kSymbolPictures;
  EXPECT_FALSE(input_.TypeSymbol('3'));
  EXPECT_EQ(Cell(10).Status, kStatusEmpty);
  EXPECT_FALSE(CanUndo(ctx_.Undo));
  EXPECT_TRUE(host_.MacroSteps.empty());
  settings_.general.gridCurrDisp = kSymbolLetters;
  EXPECT_TRUE(input_.TypeSymbol('C'));
  EXPECT_EQ(Cell(10).Value, 3);
}

TEST_F(BoardInputTest, FurtherSymbolsInTheCellArePencilMarksAndTheLastMarkLeftIsPlaced) {
  settings_.general.probType = 1;
  Focus(20);
  input_.TypeSymbol('3');
  input_.TypeSymbol('7');
  EXPECT_EQ(Cell(20).Status, kStatusPencilled);
  EXPECT_EQ(Cell(20).Marks, test::MaskOf({3, 7}));
  EXPECT_EQ(LastStep(), (std::array<int, 4>{kStepSetPencil, 20, 7, kMarkToggleArg}));
  input_.TypeSymbol('3');
  EXPECT_EQ(Cell(20).Status, kStatusPlaced);
  EXPECT_EQ(Cell(20).Value, 7);
  EXPECT_EQ(LastStep(), (std::array<int, 4>{kStepSetCell, 20, -99, 7}));
  // Moving away brings back value entry; without candidates shown, symbols always place.
  input_.Key(BoardKey::Right);
  settings_.general.probType = 0;
  input_.TypeSymbol('2');
  input_.TypeSymbol('4');
  EXPECT_EQ(Cell(21).Value, 4);
}

TEST_F(BoardInputTest, RemovingTheLastPencilMarkEmptiesTheCell) {
  settings_.general.probType = 1;
  Focus(20);
  input_.TypeSymbol('3');
  input_.TypeSymbol('6');
  input_.TypeSymbol('6');
  ASSERT_EQ(Cell(20).Value, 3);
  input_.Entry.ValueEntry = 0;
  input_.TypeSymbol('3');
  EXPECT_EQ(Cell(20).Status, kStatusEmpty);
  EXPECT_EQ(LastStep(), (std::array<int, 4>{kStepSetCell, 20, -99, 0}));
}

TEST_F(BoardInputTest, CluesRefuseSymbolsButForTheExpert) {
  Fix(3, 8);
  Focus(3);
  input_.TypeSymbol('1');
  EXPECT_EQ(Cell(3).Value, 8);
  EXPECT_FALSE(CanUndo(ctx_.Undo));
  // Sequential entry steps over the clue.
  input_.Entry.Mode = EntryMode::Sequential;
  input_.TypeSymbol('1');
  EXPECT_EQ(ctx_.Grids.FocusCell, 4);
  input_.TypeSymbol('1');
  EXPECT_EQ(Cell(4).Value, 1);
  EXPECT_EQ(ctx_.Grids.FocusCell, 5);
  input_.Entry.Mode = EntryMode::Normal;
  settings_.parameter.qrbDebug = 1;
  Focus(3);
  input_.TypeSymbol('2');
  EXPECT_EQ(Cell(3).Value, 2);
}

TEST_F(BoardInputTest, BackspaceClearsTheCellAsAMove) {
  Focus(12);
  input_.TypeSymbol('4');
  host_.Moves.clear();
  input_.Key(BoardKey::Backspace);
  EXPECT_EQ(Cell(12).Status, kStatusEmpty);
  EXPECT_NE(Cell(13).ThePoss & ValueBit(4), 0u);
  EXPECT_EQ(host_.Moves, (std::vector<SentMove>{{12, 0, kActionClear}}));
  EXPECT_EQ(LastStep(), (std::array<int, 4>{kStepSetCell, 12, -99, 0}));
  EXPECT_EQ(host_.MacroSteps[host_.MacroSteps.size() - 2].Code, kStepResetInput);
}

TEST_F(BoardInputTest, ClearingOneCellIsRecordedAndSentLikeAnyChange) {
  Focus(30);
  input_.TypeSymbol('9');
  host_.Moves.clear();
  const size_t stepsBefore = host_.MacroSteps.size();
  input_.EditClear();
  EXPECT_EQ(Cell(30).Status, kStatusEmpty);
  EXPECT_EQ(host_.Moves, (std::vector<SentMove>{{30, 0, kActionClear}}));
  ASSERT_EQ(host_.MacroSteps.size(), stepsBefore + 1);
  EXPECT_EQ(LastStep(), (std::array<int, 4>{kStepSetCell, 30, -99, 0}));
  input_.EditUndo();
  EXPECT_EQ(Cell(30).Value, 9);
}

TEST_F(BoardInputTest, ClearingASelectionSparesTheClues) {
  Fix(1, 6);
  for (int cell : {0, 2}) {
    Focus(cell);
    input_.TypeSymbol('1' + static_cast<char>(cell));
  }
  Focus(0);
  input_.SelectCell(0, 1, SelectMode::Add);
  input_.SelectCell(0, 2, SelectMode::Add);
  host_.Moves.clear();
  input_.EditClear();
  EXPECT_EQ(Cell(0).Status, kStatusEmpty);
  EXPECT_EQ(Cell(1).Value, 6);
  EXPECT_EQ(Cell(2).Status, kStatusEmpty);
  EXPECT_EQ(host_.Moves.size(), 2u);
  EXPECT_EQ(LastStep(), (std::array<int, 4>{kStepSetCell, kSelectedCellsArg, -99, 0}));
}

TEST_F(BoardInputTest, ArrowsMoveTheFocusAndWrapAroundTheGrid) {
  input_.MoveFocus(0, kNoFocusCell);
  input_.Key(BoardKey::Left); // no focus yet: the first cell
  EXPECT_EQ(ctx_.Grids.FocusCell, 0);
  input_.Key(BoardKey::Left);
  EXPECT_EQ(ctx_.Grids.FocusCell, 80);
  input_.Key(BoardKey::Right);
  EXPECT_EQ(ctx_.Grids.FocusCell, 0);
  input_.Key(BoardKey::Up);
  EXPECT_EQ(ctx_.Grids.FocusCell, 72);
  input_.Key(BoardKey::Down);
  EXPECT_EQ(ctx_.Grids.FocusCell, 0);
  input_.Key(BoardKey::Down);
  EXPECT_EQ(ctx_.Grids.FocusCell, 9);
  input_.Key(BoardKey::Tab);
  EXPECT_EQ(ctx_.Grids.FocusCell, 10);
  EXPECT_EQ(selection_.Count, 1);
}

TEST_F(BoardInputTest, ARunOfWheelStepsIsOneUndoStep) {
  Focus(50);
  input_.WheelStep(-1); // towards the player: 1
  input_.WheelStep(-1);
  EXPECT_EQ(Cell(50).Value, 2);
  input_.WheelStep(1);
  input_.WheelStep(1); // away: down to empty
  EXPECT_EQ(Cell(50).Status, kStatusEmpty);
  input_.WheelStep(1); // empty gives the last value
  EXPECT_EQ(Cell(50).Value, 9);
  EXPECT_EQ(ctx_.Undo.ptUndo, 1);
  input_.NoteKeyPress(); // any key ends the run
  input_.WheelStep(1);
  EXPECT_EQ(Cell(50).Value, 8);
  EXPECT_EQ(ctx_.Undo.ptUndo, 2);
}

TEST_F(BoardInputTest, TheWheelOnAClueOnlySoundsTheRefusal) {
  Fix(5, 2);
  Focus(5);
  input_.WheelStep(-1);
  EXPECT_EQ(Cell(5).Value, 2);
  EXPECT_EQ(feedback_.Sounds, (std::vector<int>{kSoundRefused}));
}

TEST_F(BoardInputTest, UndoAndRedoStepThroughThePlacements) {
  EXPECT_FALSE(input_.CanUndo());
  Focus(7);
  input_.TypeSymbol('2');
  input_.Key(BoardKey::Right);
  input_.TypeSymbol('3');
  input_.EditUndo();
  EXPECT_EQ(Cell(8).Status, kStatusEmpty);
  EXPECT_NE(Cell(0).ThePoss & ValueBit(3), 0u); // the candidates follow
  EXPECT_EQ(LastStep(), (std::array<int, 4>{kStepUndo, 1, -99, -99}));
  input_.EditUndo();
  EXPECT_EQ(Cell(7).Status, kStatusEmpty);
  EXPECT_TRUE(input_.CanRedo());
  input_.EditRedo();
  input_.EditRedo();
  EXPECT_EQ(Cell(7).Value, 2);
  EXPECT_EQ(Cell(8).Value, 3);
  EXPECT_EQ(Cell(0).ThePoss & ValueBit(3), 0u);
  EXPECT_EQ(LastStep(), (std::array<int, 4>{kStepRedo, 1, -99, -99}));
  EXPECT_FALSE(input_.CanRedo());
}

TEST_F(BoardInputTest, PageKeysStepThroughTheStoredSolutionsAndRecordOnlyWhatWasShown) {
  for (int value : {1, 2}) {
    SetCellValue(ctx_, Grid(), 0, value, kActionPlace);
    StoreSearchSolution(ctx_);
  }
  ClearCellMove(ctx_, Grid(), 0);
  host_.MacroSteps.clear();
  input_.Key(BoardKey::PageDown);
  EXPECT_EQ(ctx_.Solutions.ShownLevel, 0);
  EXPECT_EQ(Cell(0).Value, 1);
  input_.Key(BoardKey::PageDown);
  EXPECT_EQ(Cell(0).Value, 2);
  input_.Key(BoardKey::PageDown); // beyond the last: refused, nothing recorded
  EXPECT_EQ(ctx_.Solutions.ShownLevel, 1);
  input_.Key(BoardKey::PageUp);
  EXPECT_EQ(Cell(0).Value, 1);
  ASSERT_EQ(host_.MacroSteps.size(), 3u);
  for (const RecordedAction &step : host_.MacroSteps)
    EXPECT_EQ(step.Code, kStepShowSolution);
  EXPECT_EQ(host_.MacroSteps.back().Ints[0], 1); // the first solution, which a replay shows again
}

TEST_F(BoardInputTest, TheWheelOffTheCellsStepsTheSolutionsToo) {
  SetCellValue(ctx_, Grid(), 0, 4, kActionPlace);
  StoreSearchSolution(ctx_);
  ClearCellMove(ctx_, Grid(), 0);
  input_.MoveFocus(0, kNoFocusCell);
  input_.WheelStep(-1);
  EXPECT_EQ(Cell(0).Value, 4);
}

TEST_F(BoardInputTest, ClicksSelectAndRecordTheirCells) {
  input_.SelectCell(0, 10, SelectMode::Single);
  EXPECT_EQ(LastStep(), (std::array<int, 4>{kStepClick, 110, 0, 0}));
  input_.SelectCell(0, 20, SelectMode::Range);
  EXPECT_EQ(selection_.Count, 4);
  EXPECT_EQ(LastStep(), (std::array<int, 4>{kStepClick, 120, 0, 1}));
  input_.SelectCell(0, 10, SelectMode::Add);
  EXPECT_EQ(selection_.Count, 3);
  EXPECT_EQ(ctx_.Grids.FocusCell, 11);
  input_.EditSelectAll();
  EXPECT_EQ(selection_.Count, 81);
  EXPECT_EQ(ctx_.Grids.FocusCell, 0);
}

TEST_F(BoardInputTest, DroppedValuesArePlacedOutsideTheClues) {
  Fix(0, 1);
  EXPECT_EQ(input_.PlaceValue(0, 0, 5), 0);
  EXPECT_EQ(input_.PlaceValue(0, 9, 17), 0); // never beyond the grid's values
  EXPECT_EQ(input_.PlaceValue(0, 9, 5), 1);
  EXPECT_EQ(Cell(9).Value, 5);
  EXPECT_EQ(LastStep(), (std::array<int, 4>{kStepSetCell, 9, -99, 5}));
}

TEST_F(BoardInputTest, PencilAndProbableMarksToggle) {
  input_.TogglePencilMark(0, 33, 4);
  input_.TogglePencilMark(0, 33, 6);
  EXPECT_EQ(Cell(33).Marks, test::MaskOf({4, 6}));
  EXPECT_EQ(LastStep(), (std::array<int, 4>{kStepSetPencil, 33, 6, kMarkToggleArg}));
  input_.TogglePencilMark(0, 33, 4);
  input_.TogglePencilMark(0, 33, 6);
  EXPECT_EQ(Cell(33).Status, kStatusEmpty);
  input_.ToggleProbableMark(0, 34, 2);
  EXPECT_EQ(Cell(34).Marks, test::MaskOf({2}));
  EXPECT_TRUE(input_.Entry.ProbableMarkClicked);
  EXPECT_EQ(LastStep(), (std::array<int, 4>{kStepSetProbable, 34, 2, kMarkToggleArg}));
}

TEST_F(BoardInputTest, SizeCommandsWithoutFocusChangeEveryOffset) {
  input_.MoveFocus(0, kNoFocusCell);
  input_.FontIncrease();
  const GeneralSettings &g = settings_.general;
  for (int32_t offset : {g.deltaFontCell, g.deltaFontProb, g.deltaFontLc, g.deltaFontMatrix, g.deltaFontCom})
    EXPECT_EQ(offset, 1);
  ASSERT_EQ(host_.MacroSteps.size(), 5u);
  EXPECT_EQ(host_.MacroSteps[0].Strings[0], "CELL");
  EXPECT_EQ(host_.MacroSteps[4].Strings[0], "COMMENT");
  EXPECT_EQ(feedback_.Saves, 1);
  Focus(40);
  input_.FontDecrease();
  input_.FontDecrease();
  EXPECT_EQ(g.deltaFontCell, -1);
  EXPECT_EQ(g.deltaFontCom, 1);
  input_.FontReset();
  EXPECT_EQ(g.deltaFontCell, 0);
  EXPECT_EQ(host_.MacroSteps.back().Strings[0], "CELL");
}

TEST_F(BoardInputTest, TheSymbolModeFollowsTheWidthAndIsRecorded) {
  input_.SetSymbolMode(kSymbolMixed, 1); // not on a 9-wide grid
  EXPECT_EQ(settings_.general.gridCurrDisp, kSymbolPictures);
  EXPECT_EQ(host_.MacroSteps.back().Strings[0], "CARTOON");
  input_.SetSymbolMode(-1, 0);
  EXPECT_EQ(settings_.general.gridCurrDisp, kSymbolDigits);
  EXPECT_EQ(host_.MacroSteps.size(), 1u);
}

TEST_F(BoardInputTest, GridTabsChooseTheGridsShown) {
  ResetGridSet(ctx_, 3);
  Focus(12, 2);
  input_.ClickGridTab(2, false);
  EXPECT_EQ(ctx_.Grids.OrderCount, 1);
  EXPECT_EQ(ctx_.Grids.Order[0], 1);
  EXPECT_EQ(ctx_.Grids.FocusGrid, 1); // the focus follows to the grid shown, on the same cell
  EXPECT_EQ(ctx_.Grids.FocusCell, 12);
  input_.ClickGridTab(3, true);
  input_.ClickGridTab(1, true);
  EXPECT_EQ(ctx_.Grids.OrderCount, 3);
  EXPECT_EQ(ctx_.Grids.Order[0], 0); // sorted again
  EXPECT_EQ(ctx_.Grids.Order[2], 2);
  input_.ClickGridTab(1, true);
  input_.ClickGridTab(2, true);
  input_.ClickGridTab(3, true); // the last grid shown stays
  EXPECT_EQ(ctx_.Grids.OrderCount, 1);
  EXPECT_EQ(ctx_.Grids.Order[0], 2);
  input_.ClickGridTab(0, false);
  EXPECT_EQ(ctx_.Grids.OrderCount, 3);
  input_.ClickGridTab(9, false); // no such tab
  EXPECT_EQ(ctx_.Grids.OrderCount, 3);
}

class SmallBoardInputTest : public BoardInputTest {
protected:
  SmallBoardInputTest() : BoardInputTest(kShapeOf4) {}
};

TEST_F(SmallBoardInputTest, TheLastCellOfACorrectGridSolvesTheSet) {
  const std::string solution = "1234341221434321";
  for (int cell = 1; cell < 16; ++cell)
    Fix(cell, solution[static_cast<size_t>(cell)] - '0');
  Focus(0);
  input_.TypeSymbol('1');
  EXPECT_EQ(ctx_.GridSetState, kGridConsistent);
  EXPECT_EQ(feedback_.EndChecks, 1);
}

} // namespace
} // namespace quorbel
