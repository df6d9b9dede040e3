#include "solver/generate_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "engine/geometry.h"
#include "engine/grid_copy.h"
#include "engine/grid_shape.h"
#include "engine/neighbour_rules.h"
#include "engine/variant_catalog.h"
#include "platform/paths.h"
#include "solver/random_variants.h"
#include "solver/rate_grid.h"
#include "solver/search.h"
#include "solver/solution_count.h"
#include "tests/solver/generator_test_support.h"
#include "tests/support/count_limit.h"
#include "tests/support/temp_dir.h"

namespace quorbel::test {
namespace {

// Records what the generator asks of the program, answers the save question and aborts
// after a number of polls.
class GeneratorHost : public PollingHost {
public:
  bool QuerySaveDocument() override { return SaveAnswer; }
  void AddInfoMessage(std::string_view text) override { Lines.emplace_back(text); }
  void ShowMessage(int number, std::span<const MessageArg> args) override { ReplaceMessage(number, args); }
  void RecordMacroStep(const RecordedAction &step) override { Steps.push_back(step); }
  void MarkDocumentModified(std::string_view name) override { Titles.emplace_back(name); }
  void StartWaitProgress(std::string_view, int range, bool) override { ProgressRanges.push_back(range); }
  void StopWaitProgress() override { ++ProgressStops; }

  bool SaveAnswer = true;
  std::vector<std::string> Lines;
  std::vector<RecordedAction> Steps;
  std::vector<std::string> Titles;
  std::vector<int> ProgressRanges;
  int ProgressStops = 0;
};

constexpr int kShapeNine = 5;

class GenerateGridTest : public ::testing::Test {
protected:
  void SetUp() override { previousStart = StartDirectory(); }
  void TearDown() override { SetStartDirectory(previousStart); }

  GenerationReport Generate(int shape, int level, int seed, VariantWords words = {}) {
    ctx->Settings.GridCurrSize = shape;
    ctx->Settings.CurrentVariant = words;
    settings.SeedOverride = seed;
    return GenerateGrid(*ctx, settings, level);
  }
  GridRecord &Grid() { return ctx->Grids.Main[0]; }

  // The puzzle has exactly one solution, the reference grid, and its givens come from it.
  void ExpectUniquePuzzle(const std::string &what) {
    SCOPED_TRACE(what);
    const GridRecord &solution = ctx->Grids.RefTab[0];
    for (int c = 0; c < ctx->Geo.NCells; ++c) {
      const CellRecord &cell = Grid().Cells[c];
      ASSERT_TRUE(cell.Status == kStatusFixed || cell.Status == kStatusEmpty) << c;
      if (cell.Status == kStatusFixed) {
        ASSERT_EQ(cell.Value, solution.Cells[c].Value) << c;
      }
    }
    auto copy = std::make_unique<GridRecord>();
    CopyGrid(*ctx, *copy, &Grid(), 0);
    ASSERT_EQ(CountGridSolutions(*ctx, *copy, 0, 2, 0), 1);
    copy->SearchStarted = 0;
    ASSERT_EQ(RunGridSearch(*ctx, *copy, 0), kSolveFound);
    EXPECT_EQ(OneLineOfGrid(*ctx, *copy), OneLineOfGrid(*ctx, solution));
    LeaveGridSearch(*ctx, *copy);
  }

  GeneratorHost host;
  std::unique_ptr<EngineContext> ctx = MakeContext(host);
  GeneratorSettings settings;
  std::string previousStart;
  quorbel::testing::TempDir dir;
};

class GenerateEveryShapeTest : public GenerateGridTest, public ::testing::WithParamInterface<int> {};

// A 4x4 puzzle never needs more than line/column/block: at the higher levels the closest
// unique puzzle stays, and the report says how it rates.
TEST_P(GenerateEveryShapeTest, EachLevelGivesAUniquePuzzleRatedAtThatLevel) {
  const int shape = GetParam();
  for (int level = kLevelEasy; level <= kLevelTerrible; ++level) {
    const std::string what = "shape " + std::to_string(shape) + " level " + std::to_string(level);
    const GenerationReport report = Generate(shape, level, 100 + 7 * shape + level);
    ASSERT_EQ(report.Result, 1) << what;
    EXPECT_EQ(ctx->Geo.GridWidth, kGridShapes[shape].Size) << what;
    EXPECT_EQ(ctx->Geo.BlockRows, kGridShapes[shape].BlockRows) << what;
    ExpectUniquePuzzle(what);
    const int rating = RateGridDifficulty(*ctx, Grid());
    EXPECT_EQ(rating, report.Rating) << what;
    EXPECT_EQ(rating, shape == 0 ? kLevelEasy : level) << what;
  }
}

INSTANTIATE_TEST_SUITE_P(AllShapes, GenerateEveryShapeTest, ::testing::Range(0, kShapeCount));

// Irregular 12x12 and 16x16 solutions take the random solution maker seconds: the benchmark
// covers them.
TEST_F(GenerateGridTest, IrregularBlocksGiveUniquePuzzles) {
  SetStartDirectory(std::string(QUORBEL_TEST_DATA) + "/../../data");
  for (int shape : {0, 2, 3, kShapeNine}) {
    const GenerationReport report = Generate(shape, kLevelMedium, 40 + shape, kVarIrregular);
    ASSERT_EQ(report.Result, 1) << shape;
    EXPECT_EQ(Grid().GridVar, kVarIrregular);
    ExpectUniquePuzzle("irregular shape " + std::to_string(shape));
  }
}

TEST_F(GenerateGridTest, ARuleItCannotMakeIsRefusedAndNothingChanges) {
  ctx->Settings.Language = kLanguageEnglish;
  ASSERT_EQ(Generate(kShapeNine, kLevelEasy, 5).Result, 1);
  const std::string before = OneLineOfGrid(*ctx, Grid());
  EXPECT_EQ(Generate(kShapeNine, kLevelEasy, 6, kVarDiagonal | kVarPanDigital).Result, -1);
  EXPECT_EQ(host.Lines.back(), "The PanDigital rule cannot be generated: place its clues by hand.");
  EXPECT_EQ(OneLineOfGrid(*ctx, Grid()), before);
  EXPECT_EQ(Generate(kShapeNine, kLevelEasy, 6, kVarDiagonal).Result, 1);
  EXPECT_EQ(Grid().GridVar, kVarDiagonal);
}

// Kimo changes the totals of the sum rules, All Indicated the comparison marks: alone, each would
// make a plain sudoku under its name.
TEST_F(GenerateGridTest, KimoOrAllIndicatedWithoutTheRulesTheyChangeIsRefused) {
  ctx->Settings.Language = kLanguageEnglish;
  EXPECT_EQ(Generate(kShapeNine, kLevelMedium, 6, kVarKimo | kVarOddPair).Result, -1);
  EXPECT_EQ(host.Lines.back(),
            "Kimo takes the totals of Killer and Little Killer modulo its number: choose one of "
            "those rules with it.");
  EXPECT_EQ(Generate(kShapeNine, kLevelMedium, 6, kVarAllIndicated | kVarOdd).Result, -1);
  EXPECT_EQ(
      host.Lines.back(),
      "All Indicated says that every mark of Less, XV or Dot is given: choose one of those rules with it.");
  ASSERT_EQ(Generate(kShapeNine, kLevelMedium, 2, kVarLittleKiller | kVarKimo).Result, 1);
  EXPECT_EQ(Grid().GridVar, kVarLittleKiller | kVarKimo);
}

// The catalogue's Double and Triple grids score by their points; a generated one too, played to its end.
TEST_F(GenerateGridTest, ADoubleAndTripleGridCarriesPointsThatItsSolutionScores) {
  ASSERT_EQ(Generate(kShapeNine, kLevelMedium, 3, kVarNeighbourScore).Result, 1);
  EXPECT_EQ(ctx->PointsOf(2), 2u);
  EXPECT_EQ(ctx->PointsOf(9), 9u);
  GridRecord &solution = ctx->Grids.RefTab[0];
  solution.Work.NeighbourScore = 0;
  AddNeighbourScore(*ctx, solution);
  EXPECT_GT(solution.Work.NeighbourScore, 0);
  // Points the player set stay his.
  ctx->Points.fill(0);
  ctx->Points[1] = 7;
  ASSERT_EQ(Generate(kShapeNine, kLevelMedium, 3, kVarNeighbourScore).Result, 1);
  EXPECT_EQ(ctx->PointsOf(2), 0u);
  EXPECT_EQ(ctx->PointsOf(3), 7u);
}

// A rule no clue of which fitted leaves the grid, and the panel says so, not only the comments.
TEST_F(GenerateGridTest, ARuleLeftWithoutClueIsNamedInThePanel) {
  ctx->Settings.Language = kLanguageEnglish;
  // Less marks every pair that holds no given: no pair is left for XV and Dot.
  ASSERT_EQ(Generate(kShapeNine, kLevelMedium, 2, kVarLess | kVarXV | kVarDot | kVarAllIndicated).Result, 1);
  EXPECT_EQ(Grid().GridVar, kVarLess | kVarAllIndicated);
  EXPECT_EQ(host.Lines.back(), "No clue of XV, Dot fitted the grid: it is played without those rules.");
  // No Chess figure fitted this 6x6 grid.
  ASSERT_EQ(Generate(ShapeCodeOfSize(6), kLevelMedium, 3, kVarChess).Result, 1);
  EXPECT_EQ(Grid().GridVar, VariantWords{});
  EXPECT_EQ(host.Lines.back(), "No clue of Chess fitted the grid: it is a plain sudoku.");
  host.Lines.clear();
  ASSERT_EQ(Generate(kShapeNine, kLevelMedium, 2, kVarLess).Result, 1);
  EXPECT_TRUE(std::none_of(host.Lines.begin(), host.Lines.end(),
                           [](const std::string &line) { return line.starts_with("No clue of"); }));
}

TEST(RandomRules, NeverDrawKimoOrAllIndicatedWithoutTheRulesTheyChange) {
  Random15 random;
  random.Seed(9);
  for (int sizeClass = 0; sizeClass < kSizeClassCount; ++sizeClass)
    for (int draw = 0; draw < 400; ++draw) {
      ASSERT_FALSE(RulesWithoutTheirClues(DrawOneRandomRule(random, sizeClass)).Any()) << sizeClass;
      ASSERT_FALSE(RulesWithoutTheirClues(AddRandomRules(random, {}, sizeClass, 3)).Any()) << sizeClass;
    }
}

TEST_F(GenerateGridTest, TheSameSeedGivesTheSameGrid) {
  Generate(kShapeNine, kLevelDifficult, 1234);
  const std::string first = OneLineOfGrid(*ctx, Grid());
  const GenerationReport again = Generate(kShapeNine, kLevelDifficult, 1234);
  EXPECT_EQ(OneLineOfGrid(*ctx, Grid()), first);
  EXPECT_EQ(again.Name, "Sudoku-L3-01234");
  Generate(kShapeNine, kLevelDifficult, 1235);
  EXPECT_NE(OneLineOfGrid(*ctx, Grid()), first);
}

TEST_F(GenerateGridTest, TheOutcomeIsPostedNamedAndRecorded) {
  const GenerationReport report = Generate(kShapeNine, kLevelMedium, 77);
  EXPECT_EQ(report.Name, "Sudoku-L2-00077");
  ASSERT_FALSE(host.Lines.empty());
  EXPECT_EQ(host.Lines.front(), "Start Generation");
  ASSERT_FALSE(host.Messages.empty());
  EXPECT_EQ(host.Messages.back().first, 57);
  EXPECT_EQ(std::get<std::string>(host.Messages.back().second[0]), report.Name);
  EXPECT_EQ(std::get<int32_t>(host.Messages.back().second[1]), 98391);
  ASSERT_EQ(host.Titles.size(), 1u);
  EXPECT_EQ(host.Titles[0], report.Name);
  ASSERT_EQ(host.ProgressRanges.size(), 1u);
  EXPECT_GE(host.ProgressStops, 1);

  ASSERT_EQ(host.Steps.size(), 1u);
  const RecordedAction &step = host.Steps[0];
  EXPECT_EQ(step.Code, 8);
  EXPECT_EQ(step.Ints[0], 9);
  EXPECT_EQ(step.Strings[1], "MEDIUM");
  EXPECT_EQ(step.Strings[3], "UNIQ");
  EXPECT_EQ(ctx->GridComments[kLanguageEnglish], "Grid Generated by Quorbel");
  EXPECT_EQ(ctx->GridComments[kLanguageFrench], "Grille Générée par Quorbel");
}

// The bar of a linked set counts the givens that make it unique, most of its work: it neither
// fills long before the end nor stays near its start.
TEST_F(GenerateGridTest, ALinkedSetsBarExpectsTheGivensThatMakeItUnique) {
  settings.VarNGrids = 2;
  ASSERT_EQ(Generate(kShapeNine, kLevelTerrible, 3, kVarTwinsRelationMultiple).Result, 1);
  ASSERT_EQ(host.ProgressRanges.size(), 1u);
  const auto steps = std::count(host.Progress.begin(), host.Progress.end(), -1);
  EXPECT_LE(steps, host.ProgressRanges[0]);
  EXPECT_GE(steps * 4, host.ProgressRanges[0]);
}

// A set whose count runs out of time is not known to be unique, and the player is told so.
// The grids are made under the tests' generous count limit; once the sums grid stands, the set is counted
// under a limit of 1 ms on a machine that turns slow at every poll, whatever its real speed. Counted in time,
// a set is announced unique, with no warning.
TEST_F(GenerateGridTest, ACountOutOfTimeIsNotTakenForOneSolution) {
  const std::string warning = "The count of solutions ran out of time: the grid may have more than one.";
  settings.GenereTimeOver = test::kTestCountLimitMs;
  settings.MaxIterGener = 1;
  settings.VarNGrids = 8;
  host.OnPoll = [this] {
    const bool counting = UsedAllCount(ctx->Grids) > UsedMainCount(ctx->Grids);
    ctx->Settings.TimeOver = counting ? 1 : test::kTestCountLimitMs;
    if (counting)
      SleepMs(2);
  };
  GenerationReport report = Generate(kShapeNine, kLevelMedium, 5, kVarTwinsTotal);
  host.OnPoll = nullptr;
  ASSERT_EQ(report.Result, 1);
  EXPECT_EQ(report.Solutions, kSolveTimeOut);
  ASSERT_FALSE(host.Messages.empty());
  EXPECT_EQ(host.Messages.back().first, 56);
  ASSERT_FALSE(host.Lines.empty());
  EXPECT_EQ(host.Lines.back(), warning);

  settings.VarNGrids = 3;
  host.Lines.clear();
  report = Generate(kShapeNine, kLevelMedium, 5, kVarTwinsTotal);
  ASSERT_EQ(report.Result, 1);
  EXPECT_EQ(report.Solutions, 1);
  EXPECT_EQ(host.Messages.back().first, 57);
  EXPECT_NE(host.Lines.back(), warning);
}

// A try given up leaves its clues behind: the next try must still make a solution of its own.
// No 4x4 puzzle rates Terrible, so every try is given up; Romain's clues are allowed sets, which
// bind the search.
TEST_F(GenerateGridTest, ATryGivenUpLeavesNoClueToTheNext) {
  settings.MaxIterGener = 1;
  std::set<std::string> solutions;
  host.OnPoll = [&] {
    if (ctx->Grids.Main[0].SolutionMade == 1)
      solutions.insert(OneLineOfGrid(*ctx, ctx->Grids.RefTab[0]));
  };
  const GenerationReport report = Generate(0, kLevelTerrible, 3, kVarRomain);
  host.OnPoll = nullptr;
  ASSERT_EQ(report.Result, 1);
  EXPECT_GT(report.Tries, 1);
  EXPECT_GT(solutions.size(), 1u);
  ExpectUniquePuzzle("Romain 4x4");
}

TEST_F(GenerateGridTest, WithoutUniquenessTheFirstGridStays) {
  settings.UniqSolution = 0;
  const GenerationReport report = Generate(kShapeNine, kLevelTerrible, 8);
  EXPECT_EQ(report.Result, 1);
  EXPECT_EQ(report.Tries, 1);
  EXPECT_EQ(host.Steps.back().Strings[3], "");
  EXPECT_EQ(host.Messages.back().first, report.Solutions == 1 ? 57 : 58);
}

TEST_F(GenerateGridTest, ALevelOutsideOneToFourGeneratesEasy) {
  const GenerationReport report = Generate(0, 7, 3);
  EXPECT_EQ(report.Level, kLevelEasy);
  EXPECT_EQ(report.Name, "Sudoku-L1-00003");
  EXPECT_EQ(host.Steps.back().Strings[1], "EASY");
}

TEST_F(GenerateGridTest, TheSearchTimeLimitIsTheGeneratorsWhileItRuns) {
  ctx->Settings.TimeOver = 4321;
  settings.GenereTimeOver = 765;
  int seen = 0;
  host.OnPoll = [&] { seen = ctx->Settings.TimeOver; };
  Generate(2, kLevelEasy, 5);
  EXPECT_EQ(seen, 765);
  EXPECT_EQ(ctx->Settings.TimeOver, 4321);
}

TEST_F(GenerateGridTest, WithoutAnyLayoutNothingIsMadeAndTheGridsStay) {
  SetStartDirectory(dir.Path().string()); // no irregular layouts there
  const std::string puzzle = std::string(kSolvedNine).replace(0, 9, std::string(9, '0'));
  LoadGrid(*ctx, puzzle);
  const GenerationReport report = Generate(kShapeNine, kLevelEasy, 4, kVarIrregular);
  EXPECT_EQ(report.Result, -1);
  EXPECT_EQ(OneLineOfGrid(*ctx, Grid()), puzzle);
  EXPECT_EQ(host.Messages.back().first, 20);
  EXPECT_TRUE(host.Steps.empty());
}

TEST_F(GenerateGridTest, ARefusedSaveChangesNothing) {
  GridRecord &grid = LoadGrid(*ctx, std::string(kSolvedNine).replace(0, 5, "00000"));
  const std::string before = OneLineOfGrid(*ctx, grid);
  host.SaveAnswer = false;
  const GenerationReport report = Generate(0, kLevelEasy, 9);
  EXPECT_EQ(report.Result, 0);
  EXPECT_EQ(ctx->Geo.GridWidth, 9);
  EXPECT_EQ(OneLineOfGrid(*ctx, Grid()), before);
  EXPECT_TRUE(host.Lines.empty());
  EXPECT_TRUE(host.Steps.empty());
}

TEST_F(GenerateGridTest, AnAbortGivesMinusTenAndLeavesTheGridsAsTheyWere) {
  for (int abortAfter : {0, 3, 40, 400}) {
    const std::string puzzle = std::string(kSolvedNine).replace(10, 20, std::string(20, '0'));
    LoadGrid(*ctx, puzzle);
    CopyGrid(*ctx, ctx->Grids.RefTab[0], &Grid(), 0);
    ctx->Settings.TimeOver = 2048;
    host.Steps.clear();
    host.Polls = 0;
    host.AbortAfter = abortAfter;
    const GenerationReport report = Generate(8, kLevelTerrible, 11);
    host.AbortAfter = -1;
    EXPECT_EQ(report.Result, kSolveCancelled) << abortAfter;
    EXPECT_EQ(ctx->Geo.GridWidth, 9) << abortAfter;
    EXPECT_EQ(OneLineOfGrid(*ctx, Grid()), puzzle) << abortAfter;
    EXPECT_EQ(OneLineOfGrid(*ctx, ctx->Grids.RefTab[0]), puzzle) << abortAfter;
    EXPECT_EQ(ctx->Settings.TimeOver, 2048);
    EXPECT_TRUE(host.Steps.empty());
    EXPECT_EQ(host.Messages.back().first, 20);
  }
}

TEST_F(GenerateGridTest, OnlyStepDisplayWritesTheTrace) {
  settings.TraceFile = dir.File("MaskData.txt");
  Generate(0, kLevelEasy, 2);
  EXPECT_FALSE(std::filesystem::exists(settings.TraceFile));
  settings.StepDisplay = 1;
  Generate(0, kLevelEasy, 2);
  EXPECT_TRUE(std::filesystem::exists(settings.TraceFile));
}

TEST_F(GenerateGridTest, ADifficultKillerIsUniqueWithCagesTrueToItsSolution) {
  for (const int seed : {11, 12}) {
    const GenerationReport report = Generate(kShapeNine, kLevelDifficult, seed, kVarKillerSum | kVarKimo);
    ASSERT_EQ(report.Result, 1);
    ExpectUniquePuzzle("Killer seed " + std::to_string(seed));
    const GridRecord &solution = ctx->Grids.RefTab[0];
    const int modulus = Grid().Lists.KimoModulus;
    ASSERT_GE(modulus, 2);
    ASSERT_GT(Grid().Lists.Killer.Size(), 0);
    EXPECT_LE(Grid().Lists.Killer.Size(), 40);
    for (const KillerCage &cage : Grid().Lists.Killer.Used()) {
      EXPECT_LE(cage.NCells, 10);
      int sum = 0;
      for (int k = 0; k < cage.NCells; ++k)
        sum += solution.Cells[cage.Cells[k]].Value;
      EXPECT_EQ(cage.Target, sum % modulus);
    }
  }
}

} // namespace
} // namespace quorbel::test
