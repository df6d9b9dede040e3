// The solving commands of the Sudoku menu on real puzzles: what each places, the undo step it
// keeps or drops, the panel lines it reports and the macro step it records.
#include <gtest/gtest.h>

#include "engine/undo_services.h"
#include "engine/undo_stack.h"
#include "method_test_support.h"
#include "solver/solve_commands.h"
#include "solver/solve_with_methods.h"
#include "tests/support/count_limit.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

using Kind = ReportPiece::Kind;

ReportPiece Msg(int32_t number, std::vector<int32_t> args = {}) {
  return {Kind::Message, number, std::move(args)};
}

// The engine's host: macro steps, the player's abort, and the progress dialog's Cancel.
class CommandEngineHost : public RecordingHost {
public:
  bool PollUserAbort() override { return Abort || ++Polls > AbortAfterPolls; }
  void StepWaitProgress(int /*position*/) override {
    if (CancelSearch && Ctx)
      for (GridRecord &grid : Ctx->Grids.Main)
        grid.SearchStop = 1;
  }
  void StopWaitProgress() override { ++ProgressStops; }
  bool Abort = false;
  int Polls = 0;
  int AbortAfterPolls = 1 << 30;
  bool CancelSearch = false;
  EngineContext *Ctx = nullptr;
  int ProgressStops = 0;
};

class CommandHost : public SolveCommandHost {
public:
  MethodMask ReadMethodMask() override { return Mask; }
  void AddReport(const SolveReport &report) override { Added.push_back(report); }
  void ReplaceReport(const SolveReport &report) override { Replaced.push_back(report); }
  void StartSearchProgress() override { ++ProgressStarts; }
  void AddHelpValues(int count) override { HelpValues += count; }
  void GridSetSolved() override { ++Solved; }

  MethodMask Mask = kMaskAllButRandom;
  std::vector<SolveReport> Added;
  std::vector<SolveReport> Replaced;
  int ProgressStarts = 0;
  int HelpValues = 0;
  int Solved = 0;
};

int CountValues(const EngineContext &ctx, const GridRecord &grid) {
  int n = 0;
  for (int cell = 0; cell < ctx.Geo.NCells; ++cell)
    n += grid.Cells[cell].Status < kStatusConflict ? 1 : 0;
  return n;
}

class SolveCommands : public ::testing::Test {
protected:
  void Load(std::string_view line, int slot = 0) {
    ASSERT_EQ(LoadOneLineGrid(ctx, line, slot), "");
    UpdatePossibles(ctx, -1, kFilterNone, 0, 1);
  }
  // A second main grid beside the first.
  void LoadSecond(std::string_view line) {
    ASSERT_EQ(AddGridToSet(ctx), 1);
    Load(line, 1);
  }
  GridRecord &Grid(int slot = 0) { return ctx.Grids.Main[slot]; }
  // A player's move, with its undo step, as the board makes it.
  void Play(int cell, int value) {
    SaveUndoState(ctx);
    SetCellValue(ctx, Grid(), cell, value, kActionPlace);
    UpdatePossibles(ctx, -1, kFilterNone, 0, 1);
  }
  const SolveReport &LastReplaced() const { return host.Replaced.back(); }

  CommandEngineHost engineHost;
  EngineContext ctx{engineHost};
  CommandHost host;
  const std::vector<std::string> puzzles = ReadPuzzleFile("puzzles-9.txt");

  void SetUp() override {
    engineHost.Ctx = &ctx;
    ctx.Settings.TimeOver = test::kTestCountLimitMs;
  }
};

} // namespace

TEST(LowestBitIndex, CountsFromOneAndGivesNothingForZero) {
  EXPECT_EQ(LowestBitIndex(0), 0);
  EXPECT_EQ(LowestBitIndex(1), 1);
  EXPECT_EQ(LowestBitIndex(4 | 64), 3);
  EXPECT_EQ(LowestBitIndex(128), 8);
}

TEST_F(SolveCommands, AHintPlacesOneValueOfTheSolutionAndKeepsItsStep) {
  const std::string solution = SearchSolution(puzzles[0]);
  Load(puzzles[0]);
  const int before = CountValues(ctx, Grid());
  const int steps = ctx.Undo.ptUndo;
  EXPECT_EQ(ProposeHint(ctx, host, -1), 1);
  EXPECT_EQ(CountValues(ctx, Grid()), before + 1);
  EXPECT_TRUE(KeepsSolution(ctx, Grid(), solution));
  EXPECT_EQ(ctx.Undo.ptUndo, steps + 1);
  ASSERT_EQ(host.Added.size(), 1u);
  EXPECT_EQ(host.Added[0], (SolveReport{{Kind::StartSolve, 0, {}}}));
  const SolveReport &text = LastReplaced();
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text[0], Msg(29, {98315}));
  EXPECT_EQ(text[1].kind, Kind::MethodName);
  EXPECT_EQ(text[1].Number, LowestBitIndex(static_cast<uint32_t>(ctx.Methods.LastMethodBit)));
  EXPECT_EQ(host.HelpValues, 1);
  ASSERT_EQ(engineHost.MacroSteps.size(), 1u);
  EXPECT_EQ(engineHost.MacroSteps[0].Code, 16); // PROP1
}

TEST_F(SolveCommands, AHintThatFindsNothingLeavesTheGridAndTheUndoStackAsTheyWere) {
  Load(puzzles[0]);
  host.Mask = kMaskNoMethod;
  const std::string before = OneLineOfGrid(ctx, Grid());
  EXPECT_EQ(ProposeHint(ctx, host, -1), 1);
  EXPECT_EQ(OneLineOfGrid(ctx, Grid()), before);
  EXPECT_EQ(ctx.Undo.ptUndo, 0);
  EXPECT_EQ(LastReplaced(), SolveReport{Msg(30, {98315})});
  EXPECT_EQ(host.HelpValues, 0);
}

TEST_F(SolveCommands, AHintNamesTheFiltersThatRemovedCandidates) {
  // Probables alone removes candidates and places nothing.
  Load(puzzles[0]);
  host.Mask = kMaskProbables;
  EXPECT_EQ(ProposeHint(ctx, host, -1), 1);
  ASSERT_EQ(ctx.Methods.MethodsUsed, 64);
  EXPECT_EQ(LastReplaced(), (SolveReport{Msg(30, {98315}),
                                         {Kind::FiltersActivated, 0, {}},
                                         {Kind::MethodName, 7, {ctx.Methods.MaxGroupSize}}}));
  EXPECT_EQ(ctx.Undo.ptUndo, 0);
}

TEST_F(SolveCommands, AnOpenFocusCellGetsItsHintOnlyInTheFocusGrid) {
  // Grid 1 holds the focus on a cell that the naked-single method cannot fill; the same cell of
  // grid 0 has one candidate left.
  Load(puzzles[0]);
  int cell = -1;
  for (int c = 0; c < ctx.Geo.NCells && cell < 0; ++c)
    if (Grid().Cells[c].Status == kStatusEmpty && Grid().Cells[c].NPoss >= 2)
      cell = c;
  ASSERT_GE(cell, 0);
  const std::string solution = SearchSolution(puzzles[0]);
  Load(Cleared(solution, {cell}), 0);
  LoadSecond(puzzles[0]);
  ctx.Grids.FocusGrid = 1;
  ctx.Grids.FocusCell = cell;
  host.Mask = kMaskLinColBlk;
  const std::string firstGrid = OneLineOfGrid(ctx, Grid(0));
  const std::string secondGrid = OneLineOfGrid(ctx, Grid(1));
  EXPECT_EQ(ProposeAtCurrentCell(ctx, host), 1);
  EXPECT_EQ(OneLineOfGrid(ctx, Grid(0)), firstGrid);
  EXPECT_EQ(OneLineOfGrid(ctx, Grid(1)), secondGrid);
  EXPECT_EQ(LastReplaced(), SolveReport{Msg(76, {98315})});
  EXPECT_EQ(ctx.Undo.ptUndo, 0);
}

TEST_F(SolveCommands, AFilledFocusCellAsksForAHintAnywhere) {
  Load(puzzles[0]);
  ctx.Grids.FocusCell = 0; // a given
  EXPECT_EQ(ProposeAtCurrentCell(ctx, host), 1);
  EXPECT_EQ(LastReplaced()[0], Msg(29, {98315}));
}

TEST_F(SolveCommands, AHintForAFilledCellIsRefused) {
  Load(puzzles[0]);
  EXPECT_EQ(ProposeHint(ctx, host, 0), 0);
  EXPECT_EQ(host.Added.back(), SolveReport{Msg(104)});
  EXPECT_EQ(ctx.Undo.ptUndo, 0);
}

TEST_F(SolveCommands, FinishedOrContradictoryGridsAreRefused) {
  const std::string solution = SearchSolution(puzzles[0]);
  Load(solution);
  EXPECT_EQ(SolveOneLoop(ctx, host), 0);
  EXPECT_EQ(host.Added.back(), SolveReport{Msg(22)});

  std::string broken = Cleared(solution, {0, 1});
  broken[2] = solution[0]; // cell 0's value twice in the row: cell 0 has no candidate
  Load(broken);
  ASSERT_EQ(CombinedGridState(ctx, -1), kGridContradiction);
  EXPECT_EQ(SolveFull(ctx, host), 0);
  EXPECT_EQ(host.Added.back(), SolveReport{Msg(23)});
  EXPECT_EQ(ctx.Undo.ptUndo, 0);
}

TEST_F(SolveCommands, ACancelledHintDropsItsStepAndSaysSo) {
  Load(puzzles[0]);
  engineHost.Abort = true;
  EXPECT_EQ(ProposeHint(ctx, host, -1), -10);
  EXPECT_EQ(ctx.Undo.ptUndo, 0);
  EXPECT_EQ(LastReplaced(), SolveReport{Msg(129, {98315})});
}

TEST_F(SolveCommands, ACancelledSolveKeepsTheStepOfTheValuesItHadPlaced) {
  const std::string solution = SearchSolution(puzzles[0]);
  Load(Cleared(solution, {0, 10, 20, 30, 40, 50, 60, 70, 80}));
  host.Mask = kMaskLinColBlk;
  engineHost.AbortAfterPolls = 4; // one poll per value placed
  EXPECT_EQ(SolveFull(ctx, host), -10);
  EXPECT_EQ(host.HelpValues, 4);
  EXPECT_EQ(ctx.Undo.ptUndo, 1);
  EXPECT_EQ(LastReplaced(), SolveReport{Msg(129, {98323})});
}

TEST_F(SolveCommands, OneLoopPlacesExactlyWhatTheMethodsFind) {
  Load(puzzles[2]);
  EngineContext expected;
  ASSERT_EQ(LoadOneLineGrid(expected, puzzles[2], 0), "");
  UpdatePossibles(expected, -1, MaskFilterMode(host.Mask), MaskProbableMode(host.Mask), 1);
  SolveWithMethods(expected, host.Mask, expected.Grids.Main[0], 0, 0, -1, 0);
  const int found = expected.Methods.MethodPlacements;
  ASSERT_GT(found, 0);

  EXPECT_EQ(SolveOneLoop(ctx, host), 1);
  EXPECT_EQ(OneLineOfGrid(ctx, Grid()), OneLineOfGrid(expected, expected.Grids.Main[0]));
  EXPECT_EQ(host.Added.back(), SolveReport{Msg(31, {98322, found})});
  EXPECT_EQ(host.HelpValues, found);
  EXPECT_EQ(ctx.Undo.ptUndo, 1);
}

TEST_F(SolveCommands, OneLoopKeepsItsStepWhenAnEarlierGridTookValues) {
  // The last grid is complete and takes nothing; the first takes three values.
  const std::string solution = SearchSolution(puzzles[0]);
  Load(Cleared(solution, {3, 40, 77}));
  LoadSecond(solution);
  host.Mask = kMaskLinColBlk;
  EXPECT_EQ(SolveOneLoop(ctx, host), 1);
  EXPECT_EQ(OneLineOfGrid(ctx, Grid(0)), solution);
  EXPECT_EQ(host.Added.back(), SolveReport{Msg(31, {98322, 3})});
  EXPECT_EQ(ctx.Undo.ptUndo, 1);
  EXPECT_EQ(host.HelpValues, 3);
  EXPECT_EQ(host.Solved, 1);
}

TEST_F(SolveCommands, OneLoopThatPlacesNothingLeavesNoStep) {
  Load(puzzles[0]);
  host.Mask = kMaskNoMethod;
  EXPECT_EQ(SolveOneLoop(ctx, host), 1);
  EXPECT_EQ(host.Added.back(), SolveReport{Msg(31, {98322, 0})});
  EXPECT_EQ(ctx.Undo.ptUndo, 0);
}

TEST_F(SolveCommands, FullSolveCompletesTheGridAndChargesEveryValue) {
  const std::string solution = SearchSolution(puzzles[3]);
  Load(puzzles[3]);
  const int open = ctx.TotalOpenCells;
  host.Mask = kMaskAllMethods; // Random finishes what the others cannot
  EXPECT_EQ(SolveFull(ctx, host), 1);
  EXPECT_EQ(OneLineOfGrid(ctx, Grid()), solution);
  EXPECT_EQ(ctx.TotalOpenCells, 0);
  EXPECT_EQ(host.Added.front(), SolveReport{Msg(128, {98323})});
  EXPECT_EQ(LastReplaced(), SolveReport{Msg(32, {98323, open})});
  EXPECT_EQ(host.HelpValues, open);
  EXPECT_EQ(host.Solved, 1);
  EXPECT_EQ(ctx.Undo.ptUndo, 1);
  ASSERT_EQ(engineHost.MacroSteps.size(), 1u);
  EXPECT_EQ(engineHost.MacroSteps[0].Code, 17); // SOLVE
}

TEST_F(SolveCommands, FullSolveStopsWhenTheMethodsAreStuck) {
  Load(puzzles[4]);
  host.Mask = kMaskLinColBlk;
  EXPECT_EQ(SolveFull(ctx, host), 1);
  ASSERT_GT(ctx.TotalOpenCells, 0);
  const int placed = host.HelpValues;
  EXPECT_EQ(LastReplaced(), SolveReport{Msg(33, {98323, placed, ctx.TotalOpenCells})});
  EXPECT_EQ(host.Solved, 0);
  EXPECT_EQ(ctx.Undo.ptUndo, placed > 0 ? 1 : 0);
}

TEST_F(SolveCommands, SearchReportsTheOneSolutionAndKeepsIt) {
  Load(puzzles[0]);
  EXPECT_EQ(SearchSolutions(ctx, host), 1);
  EXPECT_EQ(host.Added.back(), SolveReport{Msg(34, {98324})});
  EXPECT_EQ(host.ProgressStarts, 1);
  EXPECT_EQ(engineHost.ProgressStops, 1);
  ASSERT_EQ(LastReplaced().size(), 1u);
  EXPECT_EQ(LastReplaced()[0].Number, 39);
  EXPECT_EQ(LastReplaced()[0].Args[0], 98325);
  EXPECT_TRUE(StoredSolution(ctx.Solutions, 0, 0));
  ASSERT_EQ(engineHost.MacroSteps.size(), 1u);
  const RecordedAction &step = engineHost.MacroSteps[0];
  EXPECT_EQ(step.Code, 11); // SEARCH;200;Y
  EXPECT_EQ(step.Ints[0], 200);
  EXPECT_EQ(step.Strings[1], "Y");
}

TEST_F(SolveCommands, ASearchThatReachesTheLimitSaysHowManyItFound) {
  Load(Thinned(puzzles[0], 4));
  ctx.Settings.MaxSearchGrid = 5;
  EXPECT_EQ(SearchSolutions(ctx, host), 1);
  EXPECT_EQ(LastReplaced(), SolveReport{Msg(35, {5, 98325, 98324, 98332})});
  EXPECT_TRUE(engineHost.Messages.empty()) << "every grid found is kept";
  // Beyond MAXSEARCHSAVE the walk numbers the grids kept, and the panel says how many those are.
  ctx.Settings.MaxSearchSave = 3;
  EXPECT_EQ(SearchSolutions(ctx, host), 1);
  EXPECT_EQ(LastReplaced(), SolveReport{Msg(35, {5, 98325, 98324, 98332})});
  ASSERT_EQ(engineHost.Messages.size(), 1u);
  EXPECT_EQ(engineHost.Messages[0], "The first 3 are kept to be seen.");
}

TEST_F(SolveCommands, ASearchWithoutSolutionOrStoppedSaysSo) {
  const std::string solution = SearchSolution(puzzles[0]);
  std::string broken = Cleared(solution, {0, 1});
  broken[2] = solution[0];
  Load(broken);
  EXPECT_EQ(SearchSolutions(ctx, host), 1);
  EXPECT_EQ(LastReplaced(), SolveReport{Msg(36, {98325})});

  Load(puzzles[0]);
  engineHost.CancelSearch = true; // the progress dialog's Cancel
  EXPECT_EQ(SearchSolutions(ctx, host), 1);
  EXPECT_EQ(LastReplaced(), SolveReport{Msg(37, {98324})});
}

TEST_F(SolveCommands, BackToTheGoodSolutionWithoutStepsHasNothingToDo) {
  Load(puzzles[0]);
  EXPECT_EQ(BackToGoodSolution(ctx, host), 0);
  EXPECT_EQ(host.Added.back(), SolveReport{Msg(149)});
}

TEST_F(SolveCommands, BackToTheGoodSolutionLeavesASolvableGridAlone) {
  const std::string solution = SearchSolution(puzzles[0]);
  Load(puzzles[0]);
  const int cell = static_cast<int>(std::string_view(puzzles[0]).find('0'));
  Play(cell, solution[static_cast<size_t>(cell)] - '0');
  const std::string before = OneLineOfGrid(ctx, Grid());
  EXPECT_EQ(BackToGoodSolution(ctx, host), 1);
  EXPECT_EQ(OneLineOfGrid(ctx, Grid()), before);
  EXPECT_EQ(LastReplaced(), SolveReport{Msg(148, {98471})});
  EXPECT_EQ(ctx.Undo.ptUndo, 1);
}

TEST_F(SolveCommands, BackToTheGoodSolutionUndoesTheWrongMoves) {
  const std::string solution = SearchSolution(puzzles[0]);
  Load(puzzles[0]);
  std::vector<int> open;
  for (int c = 0; c < ctx.Geo.NCells; ++c)
    if (puzzles[0][static_cast<size_t>(c)] == '0')
      open.push_back(c);
  // A right move, then two wrong ones (candidates, but not the solution's values).
  Play(open[0], solution[static_cast<size_t>(open[0])] - '0');
  for (int k = 1, wrong = 0; wrong < 2; ++k) {
    const int c = open[static_cast<size_t>(k)];
    for (int v = 1; v <= 9; ++v)
      if (v != solution[static_cast<size_t>(c)] - '0' && (Grid().Cells[c].ThePoss & ValueBit(v))) {
        Play(c, v);
        ++wrong;
        break;
      }
  }
  ASSERT_EQ(SearchLinkedSolutions(ctx, -1, 0, 1, 0), 0);
  EXPECT_EQ(BackToGoodSolution(ctx, host), 1);
  ASSERT_EQ(LastReplaced().size(), 1u);
  EXPECT_EQ(LastReplaced()[0].Number, 69);
  EXPECT_TRUE(KeepsSolution(ctx, Grid(), solution));
  EXPECT_EQ(SearchLinkedSolutions(ctx, -1, 0, 1, 0), 1);
  EXPECT_LT(ctx.Undo.ptUndo, 3);
}

TEST_F(SolveCommands, BackToTheGoodSolutionOutOfStepsDoesNotClaimSuccess) {
  // The grid had no solution before the player's one move.
  const std::string solution = SearchSolution(puzzles[0]);
  std::string broken = puzzles[0];
  const size_t open = broken.find('0');
  broken[open] = static_cast<char>(solution[open] == '9' ? '1' : solution[open] + 1);
  ASSERT_EQ(SearchSolution(broken), "");
  Load(broken);
  Play(static_cast<int>(broken.find('0')), 1);
  EXPECT_EQ(BackToGoodSolution(ctx, host), 1);
  EXPECT_EQ(LastReplaced(), SolveReport{Msg(70, {98471})});
}

TEST_F(SolveCommands, BackToTheGoodSolutionReportsATimeOutAsOne) {
  const std::string solution = SearchSolution(puzzles[0]);
  Load(puzzles[0]);
  const int cell = static_cast<int>(std::string_view(puzzles[0]).find('0'));
  Play(cell, solution[static_cast<size_t>(cell)] - '0');
  engineHost.CancelSearch = true;
  EXPECT_EQ(BackToGoodSolution(ctx, host), 1);
  EXPECT_EQ(LastReplaced(), SolveReport{Msg(37, {98471})});
  EXPECT_EQ(ctx.Undo.ptUndo, 1);
}
