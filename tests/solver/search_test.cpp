// The backtracking search: its routes, its resumption, its progress and its tally.
#include "solver/search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "engine/chess_rules.h"
#include "engine/grid_copy.h"
#include "engine/grid_shape.h"
#include "engine/irregular_blocks.h"
#include "engine/little_killer_line.h"
#include "engine/neighbour_editors.h"
#include "engine/sum_clue_editors.h"
#include "platform/random.h"
#include "solver/search_classic.h"
#include "solver/search_pacing.h"
#include "solver/solution_count.h"
#include "tests/solver/search_test_support.h"
#include "tests/support/count_limit.h"

namespace quorbel::test {
namespace {

class GridSearch : public ::testing::Test {
protected:
  PollingHost host;
  std::unique_ptr<EngineContext> ctx = MakeContext(host);

  // Every solution RunGridSearch returns, in order, up to `most`; the grid is left after.
  // `shape` gives the loaded grid its units beyond rows, columns and regular blocks.
  std::vector<std::string> Solutions(const std::string &puzzle, int most, bool byPropagation,
                                     const std::function<void(GridRecord &)> &shape = {},
                                     const CountWalk &walk = {}) {
    ctx->Settings.SearchByPropagation = byPropagation ? 1 : 0;
    ctx->Settings.TimeOver =
        test::kTestCountLimitMs; // a slow machine must not cut the propagating route short
    GridRecord &grid = LoadGrid(*ctx, puzzle);
    if (shape)
      shape(grid);
    std::vector<std::string> found;
    while (static_cast<int>(found.size()) < most && RunGridSearch(*ctx, grid, 0, {}, walk) == kSolveFound) {
      EXPECT_TRUE(shape || SolvesPuzzle(*ctx, grid, puzzle));
      found.push_back(OneLineOfGrid(*ctx, grid));
    }
    EndGridSearch(*ctx, grid);
    EXPECT_EQ(CountTrialCells(*ctx, grid), 0);
    return found;
  }

  // The solutions of a count for uniqueness on the fast route, in propagation's tree or in its
  // own, must be those of the propagating route. 1 when there are several, and few enough to
  // compare whole.
  int SeveralAlikeOnBothCountRoutes(const std::string &puzzle,
                                    const std::function<void(GridRecord &)> &shape) {
    ctx->Settings.UniquenessOnly = 1;
    ctx->Settings.SearchByPropagation = 0;
    GridRecord &grid = LoadGrid(*ctx, puzzle);
    shape(grid);
    BeginGridSearch(*ctx, grid, 0);
    EXPECT_TRUE(ClassicSearchApplies(*ctx, grid));
    EndGridSearch(*ctx, grid);
    constexpr size_t kMost = 40; // beyond it the two orders may list different solutions
    std::vector<std::string> fast = Solutions(puzzle, kMost + 1, false, shape);
    // As the generator's counts walk it.
    std::vector<std::string> anyOrder = Solutions(puzzle, kMost + 1, false, shape, {.orderFree = true});
    ctx->Settings.UniquenessOnly = 0;
    std::vector<std::string> slow = Solutions(puzzle, kMost + 1, false, shape);
    if (slow.size() > kMost) {
      EXPECT_EQ(fast.size(), slow.size());
      EXPECT_EQ(anyOrder.size(), slow.size());
      return 0;
    }
    std::sort(fast.begin(), fast.end());
    std::sort(anyOrder.begin(), anyOrder.end());
    std::sort(slow.begin(), slow.end());
    EXPECT_EQ(fast, slow) << puzzle;
    EXPECT_EQ(anyOrder, slow) << puzzle;
    return slow.size() > 1 ? 1 : 0;
  }

  // kSolvedNine as main grid 0's reference, and from the seed a puzzle of it (each cell kept
  // one time in `oneIn`) and six diagonals.
  std::string DrawDiagonalPuzzle(uint32_t seed, int oneIn, std::vector<DiagonalEnds> &diagonals) {
    GridRecord &reference = ctx->Grids.RefTab[0];
    for (int c = 0; c < 81; ++c)
      reference.Cells[c].Value = kSolvedNine[c] - '0';
    ctx->Random.Seed(seed);
    std::string puzzle = kSolvedNine;
    for (char &c : puzzle)
      if (RandomBelow(ctx->Random, oneIn) != 0)
        c = '0';
    diagonals.clear();
    while (diagonals.size() < 6) {
      const DiagonalEnds ends =
          LittleKillerClueOfSide(ctx->Geo, RandomBelow(ctx->Random, 4), RandomBelow(ctx->Random, 9));
      if (ends.First >= 0)
        diagonals.push_back(ends);
    }
    return puzzle;
  }

  // The diagonals with the reference's totals on the grid.
  void GiveDiagonals(GridRecord &grid, const std::vector<DiagonalEnds> &diagonals) {
    grid.GridVar = kVarLittleKiller;
    grid.Lists.LittleKiller.Count = 0; // a toggle given twice takes the clue away
    for (const DiagonalEnds &ends : diagonals)
      ToggleLittleKillerClue(ctx->Geo, ends.First, ends.Last, grid, 0, ctx->Grids.RefTab[0]);
  }
};

// The puzzle with its first given, and every `every`-th after it, taken out.
std::string Thinned(std::string puzzle, int every) {
  int given = 0;
  for (char &c : puzzle)
    if (c != '0' && given++ % every == 0)
      c = '0';
  return puzzle;
}

// The classic route narrows and prunes on its own board where the propagating route
// recomputes grid records; both must give the same solutions in the same order, which the
// generator's scores rely on. Puzzles of every size with givens taken out have many
// solutions, and a long way to them along which the Probables narrowing often changes
// the cell branched on.
TEST_F(GridSearch, BothRoutesFindTheSameSolutionsInTheSameOrder) {
  std::string rectangle = kSolvedNine;
  for (const int c : kDeadlyRectangle)
    rectangle[c] = '0';
  std::vector<std::string> puzzles = {
      EmptyLine(4),
      "000300200000500006020503006000000061", // 6x6, clues taken out
      "400000085000008003087093010000002004305001070000000000600000000070109200100607000", // 9x9 with many
      rectangle,
      "0000000000000000000000000000000000000000000000000000000000000000", // 8x8, empty
  };
  constexpr size_t kPuzzlesPerSize = 8;
  for (const char *file :
       {"puzzles-4.txt", "puzzles-6.txt", "puzzles-8.txt", "puzzles-9.txt", "puzzles-12.txt"}) {
    const std::vector<std::string> lines = ReadPuzzleFile(file);
    ASSERT_GE(lines.size(), kPuzzlesPerSize) << file;
    for (size_t i = 0; i < kPuzzlesPerSize; ++i)
      for (const int every : {2, 3})
        puzzles.push_back(Thinned(lines[i], every));
  }
  constexpr int kMostSolutions = 50;
  for (const std::string &puzzle : puzzles) {
    const std::vector<std::string> classic = Solutions(puzzle, kMostSolutions, false);
    EXPECT_GE(classic.size(), 2u) << puzzle;
    EXPECT_EQ(classic, Solutions(puzzle, kMostSolutions, true)) << puzzle;
  }
}

// The units beyond rows and columns that the fast route knows: irregular blocks of our block
// file (sizes 4 to 9), both diagonals, and extra regions, alone or mixed.
enum ShapeUnits { kIrregularBlocks = 1, kDiagonals = 2, kExtraRegions = 4 };

void GiveUnits(EngineContext &ctx, GridRecord &grid, int units) {
  ctx.Random.Seed(7); // the extra regions are drawn: the same ones on both routes
  const std::string blocks = std::string(QUORBEL_TEST_DATA) + "/../../data/IRGBlk.dat";
  grid.GridVar = {};
  grid.Lists.RegionOn = {};
  if ((units & kIrregularBlocks) != 0) {
    grid.GridVar |= kVarIrregular;
    ASSERT_EQ(LoadIrregularBlocks(ctx, grid, 1, blocks, 0), 1);
  }
  if ((units & kExtraRegions) != 0) {
    grid.GridVar |= kVarExtraRegion;
    ASSERT_EQ(LoadIrregularBlocks(ctx, grid, 0, blocks, 2), 1);
  }
  if ((units & kDiagonals) != 0) {
    grid.GridVar |= kVarDiagonal;
    grid.Lists.RegionOn[kRegionDiag1] = grid.Lists.RegionOn[kRegionDiag2] = 1;
  }
  RebuildGridRegions(ctx, grid);
}

TEST_F(GridSearch, BothRoutesAgreeOnIrregularBlocksDiagonalsAndExtraRegions) {
  // From an empty grid where the propagating route gets through its many nodes quickly.
  struct Case {
    int width;
    int units;
    bool fromEmpty;
  };
  const std::vector<Case> cases = {{4, kDiagonals, true},       {4, kIrregularBlocks, true},
                                   {6, kIrregularBlocks, true}, {6, kExtraRegions, true},
                                   {8, kDiagonals, true},       {8, kIrregularBlocks, true},
                                   {9, kIrregularBlocks, true}, {9, kDiagonals, true},
                                   {9, kExtraRegions, false},   {9, kIrregularBlocks | kDiagonals, true},
                                   {12, kDiagonals, true},      {12, kExtraRegions, false},
                                   {16, kDiagonals, false},     {16, kExtraRegions, false}};
  constexpr int kMostSolutions = 30;
  for (const Case &c : cases) {
    SCOPED_TRACE("width " + std::to_string(c.width) + " units " + std::to_string(c.units));
    const auto shape = [&](GridRecord &grid) { GiveUnits(*ctx, grid, c.units); };
    const std::string empty = EmptyLine(c.width);
    const std::vector<std::string> fromEmpty = Solutions(empty, kMostSolutions, false, shape);
    ASSERT_FALSE(fromEmpty.empty());
    if (c.fromEmpty) {
      EXPECT_EQ(fromEmpty, Solutions(empty, kMostSolutions, true, shape));
    }
    // Givens of one solution, a third of its values or (larger shapes) two thirds: a long
    // way down to many solutions.
    std::string puzzle = fromEmpty.back();
    for (size_t i = 0; i < puzzle.size(); ++i)
      if ((i % 3 != 0) == c.fromEmpty)
        puzzle[i] = '0';
    const std::vector<std::string> fromGivens = Solutions(puzzle, kMostSolutions, false, shape);
    EXPECT_FALSE(fromGivens.empty());
    EXPECT_EQ(fromGivens, Solutions(puzzle, kMostSolutions, true, shape));
    // Two equal givens on a diagonal: nothing on either route.
    if ((c.units & kDiagonals) != 0) {
      std::string clash = empty;
      clash[0] = clash[static_cast<size_t>(c.width + 1)] = '1';
      EXPECT_TRUE(Solutions(clash, 2, false, shape).empty());
      EXPECT_TRUE(Solutions(clash, 2, true, shape).empty());
    }
  }
  GiveUnits(*ctx, ctx->Grids.Main[0], 0);
}

TEST_F(GridSearch, AnEmptyGridWithDiagonalsCountsTheSameOnBothRoutes) {
  std::vector<int> counts;
  for (const bool byPropagation : {false, true}) {
    ctx->Settings.SearchByPropagation = byPropagation ? 1 : 0;
    GridRecord &grid = LoadGrid(*ctx, EmptyLine(4));
    GiveUnits(*ctx, grid, kDiagonals);
    counts.push_back(CountGridSolutions(*ctx, grid, 0, 1000, 0));
  }
  EXPECT_EQ(counts[0], counts[1]);
  EXPECT_GT(counts[0], 0);
  EXPECT_LT(counts[0], 288); // the diagonals leave fewer than the plain grid's
  GiveUnits(*ctx, ctx->Grids.Main[0], 0);
}

TEST_F(GridSearch, EachCallReturnsTheNextSolutionThenStaysExhausted) {
  std::string puzzle = kSolvedNine;
  for (const int c : kDeadlyRectangle)
    puzzle[c] = '0';
  for (const bool byPropagation : {false, true}) {
    ctx->Settings.SearchByPropagation = byPropagation ? 1 : 0;
    GridRecord &grid = LoadGrid(*ctx, puzzle);
    ASSERT_EQ(RunGridSearch(*ctx, grid, 0), kSolveFound);
    const std::string first = OneLineOfGrid(*ctx, grid);
    EXPECT_EQ(first, kSolvedNine); // values ascending: 1 before 8 in cell 1
    EXPECT_EQ(grid.State, kGridConsistent);
    EXPECT_EQ(grid.Cells[1].Status, kStatusHypothesis);
    EXPECT_EQ(grid.Cells[0].Status, kStatusFixed);
    ASSERT_EQ(RunGridSearch(*ctx, grid, 0), kSolveFound);
    EXPECT_NE(OneLineOfGrid(*ctx, grid), first);
    EXPECT_EQ(RunGridSearch(*ctx, grid, 0), kSolveExhausted);
    EXPECT_EQ(RunGridSearch(*ctx, grid, 0), kSolveExhausted);
    EXPECT_EQ(CountTrialCells(*ctx, grid), 0);
    EXPECT_DOUBLE_EQ(SearchProgress(grid), 1.0);
  }
}

TEST_F(GridSearch, AllowsEveryLevelOfItsBranchStack) {
  // The propagating route pushes one level per open cell: an empty 16x16 needs all 256.
  ctx->Settings.SearchByPropagation = 1;
  GridRecord &grid = LoadGrid(*ctx, EmptyLine(16));
  ASSERT_EQ(RunGridSearch(*ctx, grid, 0), kSolveFound);
  EXPECT_TRUE(SolvesPuzzle(*ctx, grid, EmptyLine(16)));
  EXPECT_EQ(grid.SearchDepth, 256);
  EndGridSearch(*ctx, grid);
}

// A count for uniqueness reads the neighbour rules on the fast route, by its own narrowing and
// a check of each full grid: it must find exactly the solutions the propagating route finds.
// Each rule's grid is a solution of its own with two thirds of its cells taken out.
TEST_F(GridSearch, ACountForUniquenessReadsTheNeighbourRulesAsPropagationDoes) {
  const VariantWords rules[] = {kVarNoConsecutive, kVarNoTouch, kVarNoKnightStep, kVarGiveMe5,
                                kVarPirate,        kVarTouchy,  kVarNo3OddEven,   kVarNoAverage};
  int several = 0;
  for (const VariantWords rule : rules) {
    const auto withRule = [&](GridRecord &grid) { grid.GridVar = rule; };
    const std::vector<std::string> first = Solutions(EmptyLine(9), 1, true, withRule);
    ASSERT_EQ(first.size(), 1u);
    for (uint32_t seed = 1; seed <= 3; ++seed) {
      ctx->Random.Seed(seed);
      std::string puzzle = first[0];
      for (char &c : puzzle)
        if (RandomBelow(ctx->Random, 3) != 0)
          c = '0';
      several += SeveralAlikeOnBothCountRoutes(puzzle, withRule);
    }
  }
  EXPECT_GT(several, 5); // enough grids with more than one solution to tell a wrong count
}

// A count for uniqueness reads the Little Killer diagonals on the fast route by the sums each
// diagonal's open cells can make: it must find exactly the solutions the propagating route finds. Each grid
// is a solution with two thirds of its cells taken out and a few diagonals' totals given.
TEST_F(GridSearch, ACountForUniquenessReadsTheDiagonalTotalsAsPropagationDoes) {
  LoadGrid(*ctx, kSolvedNine); // the shape the clues are laid on
  int several = 0;
  std::vector<DiagonalEnds> diagonals;
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    const std::string puzzle = DrawDiagonalPuzzle(seed, 3, diagonals);
    several +=
        SeveralAlikeOnBothCountRoutes(puzzle, [&](GridRecord &grid) { GiveDiagonals(grid, diagonals); });
  }
  EXPECT_GT(several, 2); // enough grids with more than one solution to tell a wrong count
}

// A count for uniqueness told that the reference is the one solution with its value at a cell
// looks for the others only: as the carving takes givens away one at a time, it must count what
// the propagating route counts, and so must that route told the same. Each grid is a solution
// with half its cells and a few diagonals' totals given; a given whose removal keeps one solution
// goes, as in the carving.
TEST_F(GridSearch, ACountThatKnowsTheReferenceCountsAsPropagationDoes) {
  LoadGrid(*ctx, kSolvedNine);
  int several = 0;
  std::vector<DiagonalEnds> diagonals;
  for (uint32_t seed = 1; seed <= 3; ++seed) {
    std::string puzzle = DrawDiagonalPuzzle(seed, 2, diagonals);
    constexpr int kMost = 40;
    const auto count = [&](const std::string &grid, int known, int byPropagation = 0) {
      ctx->Settings.TimeOver = test::kTestCountLimitMs;
      ctx->Settings.SearchByPropagation = byPropagation;
      GridRecord &loaded = LoadGrid(*ctx, grid);
      GiveDiagonals(loaded, diagonals);
      ctx->Settings.UniquenessOnly = known >= 0 ? 1 : 0;
      CountWalk walk{.orderFree = known >= 0};
      if (known >= 0) {
        walk.knownCell = known;
        walk.knownValue = kSolvedNine[known] - '0';
      }
      return CountGridSolutions(*ctx, loaded, 0, kMost, 0, walk);
    };
    if (count(puzzle, -1) != 1)
      continue; // the carving starts from one solution
    for (int c = 0; c < 81; ++c) {
      if (puzzle[c] == '0')
        continue;
      std::string without = puzzle;
      without[c] = '0';
      const int slow = count(without, -1);
      EXPECT_EQ(count(without, c), slow) << without;
      EXPECT_EQ(count(without, c, 1), slow) << without;
      several += slow > 1 ? 1 : 0;
      if (slow == 1)
        puzzle = without;
    }
  }
  EXPECT_GT(several, 10); // enough givens that the one solution needs
}

// A count for uniqueness reads the chess figures on the fast route, narrowing around decided
// figures and checking each full grid: it must find exactly the solutions the propagating route
// finds. Each grid is a solution that its two figures allow, with about half its cells taken out
// (the pieces' cells among them at times): white figures that may not attack each other, black
// ones with defenders to spare, and a black knight and king with few.
TEST_F(GridSearch, ACountForUniquenessReadsTheChessFiguresAsPropagationDoes) {
  // Its 6s and 8s, a black knight's and a black king's, each stand where one of them attacks.
  const std::string defended =
      "123456789456789123789123456231674895875912364694538217367291548918345672542867931";
  constexpr int16_t kBlack = 0;
  constexpr int16_t kWhite = 1;
  const std::vector<std::pair<std::string, std::vector<ChessPiece>>> cases = {
      {kSolvedNine, {{5, kPawn, kWhite}, {11, kPawn, kWhite}}},
      {kSolvedNine, {{15, kKing, kWhite}, {77, kKing, kWhite}}},
      {kSolvedNine, {{60, kQueen, kBlack}, {76, kBishop, kBlack}}},
      {defended, {{45, kKnight, kBlack}, {65, kKing, kBlack}}},
  };
  int several = 0;
  for (const auto &[solution, pieces] : cases) {
    const auto withPieces = [&](GridRecord &grid) {
      grid.GridVar = kVarChess;
      grid.Lists.Chess.Clear(); // a toggle given twice takes the piece away
      for (const ChessPiece &piece : pieces)
        ToggleChessPiece(ctx->Geo, grid, piece.Kind, piece.Cell, piece.Colour);
    };
    std::string nearlySolved = solution; // a search needs an open cell
    nearlySolved[0] = '0';
    ASSERT_EQ(Solutions(nearlySolved, 1, true, withPieces).size(), 1u);
    for (uint32_t seed = 1; seed <= 6; ++seed) {
      ctx->Random.Seed(seed);
      std::string puzzle = solution;
      for (char &c : puzzle)
        if (RandomBelow(ctx->Random, 5) >= 2)
          c = '0';
      several += SeveralAlikeOnBothCountRoutes(puzzle, withPieces);
    }
  }
  EXPECT_GT(several, 12); // enough grids with more than one solution to tell a wrong count
}

// A search free of order tries each cell's value in the grid's reference solution first, so the
// reference comes first whatever its place in the search's own order.
TEST_F(GridSearch, AnOrderFreePropagatingSearchFindsTheReferenceFirst) {
  std::string puzzle = kSolvedNine; // the 1s and 2s cleared: they may swap in several ways
  for (char &c : puzzle)
    if (c == '1' || c == '2')
      c = '0';
  const std::vector<std::string> inOrder = Solutions(puzzle, 20, true);
  ASSERT_GE(inOrder.size(), 2u);
  for (const std::string &reference : {inOrder.back(), inOrder.front()}) {
    const auto withReference = [&](GridRecord &) {
      GridRecord &ref = ctx->Grids.RefTab[0];
      for (int c = 0; c < ctx->Geo.NCells; ++c)
        ref.Cells[static_cast<size_t>(c)].Value = reference[static_cast<size_t>(c)] - '0';
    };
    EXPECT_EQ(Solutions(puzzle, 1, true, withReference, {.orderFree = true}),
              std::vector<std::string>{reference});
    EXPECT_EQ(Solutions(puzzle, 1, true, withReference), std::vector<std::string>{inOrder.front()});
  }
}

TEST_F(GridSearch, TheFastRouteTakesOnlyGridsOfPlainUnits) {
  GridRecord &grid = LoadGrid(*ctx, EmptyLine(9));
  BeginGridSearch(*ctx, grid, 0);
  EXPECT_TRUE(ClassicSearchApplies(*ctx, grid));
  ctx->Settings.SearchByPropagation = 1;
  EXPECT_FALSE(ClassicSearchApplies(*ctx, grid));
  ctx->Settings.SearchByPropagation = 0;
  GiveUnits(*ctx, grid, kDiagonals);
  EXPECT_TRUE(ClassicSearchApplies(*ctx, grid));
  grid.RegionMark[kRegionDiag1][1] = kRegionDiag1; // a region that its marks and its list disagree on
  EXPECT_FALSE(ClassicSearchApplies(*ctx, grid));
  GiveUnits(*ctx, grid, 0);
  grid.GridVar = kVarOdd; // a rule with a filter of its own
  EXPECT_FALSE(ClassicSearchApplies(*ctx, grid));
  grid.GridVar = kVarKillerSum | kVarSkyScraper; // rules of clues, none given yet
  EXPECT_TRUE(ClassicSearchApplies(*ctx, grid));
  grid.Lists.Frame.Kind[0][2] = 3;
  EXPECT_FALSE(ClassicSearchApplies(*ctx, grid));
  grid.Lists.Frame.Kind[0][2] = 0;
  // The Magic Sentence only takes solutions away: a count for uniqueness may leave it out.
  grid.GridVar = kVarMagicSentence;
  grid.Lists.MagicSentence.NCells = 1;
  EXPECT_FALSE(ClassicSearchApplies(*ctx, grid));
  ctx->Settings.UniquenessOnly = 1;
  EXPECT_TRUE(ClassicSearchApplies(*ctx, grid));
  ctx->Settings.UniquenessOnly = 0;
  grid.Lists.MagicSentence.NCells = 0;
  // So are the chess figures, when each stands alone on a cell of the grid.
  grid.GridVar = kVarChess;
  ToggleChessPiece(ctx->Geo, grid, kKnight, 4, 0);
  EXPECT_FALSE(ClassicSearchApplies(*ctx, grid));
  ctx->Settings.UniquenessOnly = 1;
  EXPECT_TRUE(ClassicSearchApplies(*ctx, grid));
  grid.Lists.Chess.Append({4, kKing, 1}); // a second piece on the cell, as a file may hold
  EXPECT_FALSE(ClassicSearchApplies(*ctx, grid));
  ctx->Settings.UniquenessOnly = 0;
  grid.Lists.Chess.Clear();
  grid.GridVar = {};
  grid.Cells[3].Status = kStatusGiven; // takes no part in its units
  EXPECT_FALSE(ClassicSearchApplies(*ctx, grid));
  grid.Cells[3].Status = kStatusEmpty;
  // Main grids are searched together only when a rule or a clue links them.
  GridRecord &other = ctx->Grids.Main[static_cast<size_t>(AddGridToSet(*ctx))];
  EXPECT_TRUE(ClassicSearchApplies(*ctx, grid));
  other.GridVar = kVarTwinsEqual;
  EXPECT_FALSE(ClassicSearchApplies(*ctx, grid));
  other.GridVar = {};
  other.Lists.TwinsRelation.Append({5, 5, 0}); // a relation acts through its clue alone
  EXPECT_FALSE(ClassicSearchApplies(*ctx, grid));
}

// Row 0 of this 4x4 leaves cells 0 and 1 the one candidate 1 each: propagation sees no
// empty cell, singles see the clash. A rule of the grid only takes solutions away.
TEST_F(GridSearch, SinglesRuleOutADeadEndThatPropagationMisses) {
  const std::string dead = "0034020000000000";
  GridRecord &grid = LoadGrid(*ctx, dead);
  PropagateSearchGrid(*ctx, grid);
  ASSERT_NE(grid.State, kGridContradiction);
  ASSERT_EQ(grid.Cells[0].ThePoss, 1u);
  EXPECT_TRUE(PlainUnitsRuleOut(*ctx, grid));
  grid.GridVar = kVarOdd;
  EXPECT_TRUE(PlainUnitsRuleOut(*ctx, grid));
  grid.Cells[6].Status = kStatusGiven; // outside the units: the look cannot judge
  EXPECT_FALSE(PlainUnitsRuleOut(*ctx, grid));
  for (const bool byPropagation : {false, true}) {
    ctx->Settings.SearchByPropagation = byPropagation ? 1 : 0;
    EXPECT_EQ(CountGridSolutions(*ctx, LoadGrid(*ctx, dead), 0, 2, 0), 0);
  }
  GridRecord &open = LoadGrid(*ctx, Thinned(kSolvedNine, 2));
  PropagateSearchGrid(*ctx, open);
  EXPECT_FALSE(PlainUnitsRuleOut(*ctx, open));
}

// Row 0 starts 1 and holds 9 further on: seen from the left it shows three values at least,
// not two, though the clue's own check and filter pass it while cells are open. Read on
// candidates, a SkyScraper line rules that node out, and never a part of a solution under its
// own clues.
TEST_F(GridSearch, SkyScraperLinesRuleOutOnlyDeadEnds) {
  constexpr int kSkyScraperKind = 3;
  const auto setClue = [](GridRecord &grid, int side, int line, int clue) {
    grid.GridVar = kVarSkyScraper;
    grid.Lists.Frame.Kind[side][line] = kSkyScraperKind;
    grid.Lists.Frame.Value[side][line] = clue;
  };
  GridRecord &dead = LoadGrid(*ctx, "100009" + EmptyLine(9).substr(6));
  setClue(dead, kSideLeft, 0, 2);
  PropagateSearchGrid(*ctx, dead);
  ASSERT_NE(dead.State, kGridContradiction);
  EXPECT_TRUE(PlainUnitsRuleOut(*ctx, dead));

  for (uint32_t seed = 1; seed <= 12; ++seed) {
    ctx->Random.Seed(seed);
    std::string puzzle = kSolvedNine;
    for (char &c : puzzle)
      if (RandomBelow(ctx->Random, 3) != 0)
        c = '0';
    GridRecord &grid = LoadGrid(*ctx, puzzle);
    for (int side = 0; side < 4; ++side)
      for (int line = 0; line < 9; ++line) {
        int seen = 0;
        for (int i = 0, highest = 0; i < 9; ++i)
          if (const int v = kSolvedNine[PerimeterCell(ctx->Geo, side, line, i)] - '0'; v > highest) {
            highest = v;
            ++seen;
          }
        setClue(grid, side, line, seen);
      }
    PropagateSearchGrid(*ctx, grid);
    EXPECT_FALSE(PlainUnitsRuleOut(*ctx, grid)) << puzzle;
  }
}

// The fast route goes on from the levels its last call left when the grid still holds what
// that call wrote; two searches taking turns must each still see only their own.
TEST_F(GridSearch, TwoSearchesTakingTurnsEachGoOnWhereTheyStood) {
  // The second is the first with its digits renamed: the two trees have the same shape.
  const std::string first = Thinned(kSolvedNine, 2);
  std::string second = first;
  for (char &c : second)
    if (c != '0')
      c = static_cast<char>('1' + (c - '0') % 9);
  const std::vector<std::string> alone[2] = {Solutions(first, 4, false), Solutions(second, 4, false)};
  ASSERT_EQ(alone[0].size(), 4u);
  ASSERT_EQ(alone[1].size(), 4u);
  auto other = std::make_unique<GridRecord>();
  CopyGrid(*ctx, *other, &LoadGrid(*ctx, second), 0);
  GridRecord *grids[2] = {&LoadGrid(*ctx, first), other.get()};
  std::vector<std::string> turns[2];
  for (int turn = 0; turn < 8; ++turn) {
    GridRecord &grid = *grids[turn % 2];
    ASSERT_EQ(RunGridSearch(*ctx, grid, 0), kSolveFound);
    turns[turn % 2].push_back(OneLineOfGrid(*ctx, grid));
  }
  EXPECT_EQ(turns[0], alone[0]);
  EXPECT_EQ(turns[1], alone[1]);
}

// The time limit ends a call with -9, the player's abort with -10; on either route the
// next call goes on where it stopped, and the solutions come as in one calm run.
TEST_F(GridSearch, ResumesAfterATimeOutOrAnAbort) {
  const auto shape = [&](GridRecord &grid) { GiveUnits(*ctx, grid, kIrregularBlocks | kDiagonals); };
  const std::string empty = EmptyLine(9);
  const std::vector<std::string> calm = Solutions(empty, 8, false, shape);
  ASSERT_EQ(calm.size(), 8u);
  for (const bool byPropagation : {false, true}) {
    SCOPED_TRACE(byPropagation ? "propagating route" : "fast route");
    ctx->Settings.SearchByPropagation = byPropagation ? 1 : 0;
    GridRecord &grid = LoadGrid(*ctx, empty);
    shape(grid);
    ctx->Settings.TimeOver = 0;
    int polls = 0;
    host.OnPoll = [&] {
      // Every third poll the machine turns slow; every fifth the player aborts.
      if (++polls % 3 == 0)
        SleepMs(2);
      host.AbortAfter = polls % 5 == 0 ? 0 : -1;
    };
    std::vector<std::string> interrupted;
    int timeOuts = 0;
    int aborts = 0;
    while (interrupted.size() < calm.size()) {
      const int result = RunGridSearch(*ctx, grid, 0);
      ASSERT_NE(result, kSolveExhausted);
      timeOuts += result == kSolveTimeOut ? 1 : 0;
      aborts += result == kSolveCancelled ? 1 : 0;
      if (result == kSolveFound)
        interrupted.push_back(OneLineOfGrid(*ctx, grid));
    }
    host.OnPoll = nullptr;
    host.AbortAfter = -1;
    ctx->Settings.TimeOver = test::kTestCountLimitMs;
    EXPECT_GT(timeOuts, 0);
    EXPECT_GT(aborts, 0);
    EXPECT_EQ(interrupted, calm);
    EndGridSearch(*ctx, grid);
    EXPECT_EQ(CountTrialCells(*ctx, grid), 0);
  }
  GiveUnits(*ctx, ctx->Grids.Main[0], 0);
}

TEST_F(GridSearch, ACompleteGridIsItsOwnSolution) {
  for (const bool byPropagation : {false, true}) {
    ctx->Settings.SearchByPropagation = byPropagation ? 1 : 0;
    GridRecord &grid = LoadGrid(*ctx, kSolvedNine);
    EXPECT_EQ(RunGridSearch(*ctx, grid, 0), kSolveFound);
    EXPECT_EQ(RunGridSearch(*ctx, grid, 0), kSolveExhausted);
  }
}

TEST_F(GridSearch, ProgressStaysAFractionAndNeverDividesByZero) {
  GridRecord &grid = LoadGrid(*ctx, EmptyLine(9));
  EXPECT_DOUBLE_EQ(SearchProgress(grid), 0.0); // nothing branched yet
  grid.SearchDepth = 3;
  for (int k = 0; k < 3; ++k) {
    grid.BranchStack[k] = static_cast<int16_t>(k);
    grid.Cells[k].SavedNPoss = 0; // a level without candidates must not divide by zero
    grid.Cells[k].HypIndex = 0;
  }
  EXPECT_DOUBLE_EQ(SearchProgress(grid), 0.0);
  grid.Cells[0].SavedNPoss = 2;
  grid.Cells[0].HypIndex = 2;
  const double progress = SearchProgress(grid);
  EXPECT_TRUE(std::isfinite(progress));
  EXPECT_GT(progress, 0.0);
  EXPECT_LE(progress, 1.0);

  // The bar follows a real search: every position within 0..1000.
  ctx->Settings.SearchByPropagation = 1;
  GridRecord &open = LoadGrid(*ctx, EmptyLine(6));
  host.Progress.clear();
  while (RunGridSearch(*ctx, open, 0) == kSolveFound && host.Progress.size() < 20) {
  }
  ASSERT_FALSE(host.Progress.empty());
  for (const int position : host.Progress) {
    EXPECT_GE(position, 0);
    EXPECT_LE(position, 1000);
  }
}

TEST_F(GridSearch, TheTallyCountsEachValueOfEachSolution) {
  GridRecord &grid = LoadGrid(*ctx, EmptyLine(4));
  EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 300, 0), 288);
  // By symmetry every value stands in every cell in a quarter of the 288 solutions.
  for (int c = 0; c < 16; ++c)
    for (int v = 0; v < 4; ++v)
      EXPECT_EQ(grid.Cells[c].ValueScores[v], 72) << c << " " << v;
  EXPECT_EQ(grid.BestTally, 72);
  EXPECT_EQ(grid.BestTallyCell, 0); // the first cell and value to reach it
  EXPECT_EQ(grid.BestTallyValue, 1);
}

TEST_F(GridSearch, BeginningLeavesWhatAnUnfinishedSearchLeft) {
  GridRecord &grid = LoadGrid(*ctx, EmptyLine(4));
  grid.Cells[5].Status = kStatusPencilled;
  grid.Cells[5].Marks = 0x3;
  ASSERT_EQ(RunGridSearch(*ctx, grid, 0), kSolveFound); // trial values everywhere now
  BeginGridSearch(*ctx, grid, 0);
  for (int c = 0; c < 16; ++c)
    EXPECT_EQ(grid.Cells[c].SavedStatus, c == 5 ? kStatusPencilled : kStatusEmpty) << c;
  EndGridSearch(*ctx, grid);
  EXPECT_EQ(grid.Cells[5].Status, kStatusPencilled);
  EXPECT_EQ(grid.Cells[5].Marks, 0x3u);
  EXPECT_EQ(CountTrialCells(*ctx, grid), 0);
}

TEST_F(GridSearch, SolvesEveryPuzzleOfTheTestData) {
  for (const char *file : {"puzzles-4.txt", "puzzles-6.txt", "puzzles-8.txt", "puzzles-9.txt",
                           "puzzles-12.txt", "puzzles-16.txt"}) {
    for (const std::string &puzzle : ReadPuzzleFile(file)) {
      GridRecord &grid = LoadGrid(*ctx, puzzle);
      ASSERT_EQ(RunGridSearch(*ctx, grid, 0), kSolveFound) << puzzle;
      EXPECT_TRUE(SolvesPuzzle(*ctx, grid, puzzle)) << puzzle;
      EXPECT_EQ(grid.State, kGridConsistent);
      EndGridSearch(*ctx, grid);
      EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 2, 0), 1) << file << " " << puzzle;
      EXPECT_EQ(CountTrialCells(*ctx, grid), 0);
    }
  }
}

} // namespace
} // namespace quorbel::test
