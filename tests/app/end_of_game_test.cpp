#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/app_random.h"
#include "app/end_of_game.h"
#include "app/static_texts.h"

using namespace quorbel;

namespace {

// A 9 x 9 game of level 1 with 50 cells to find, played in no time with no help, under a 30 minute
// limit: the full mark until something is charged.
ScoreInputs QuietGame() {
  ScoreInputs in;
  in.GameLevel = 1;
  in.GridWidth = 9;
  in.StartSudMissing = 50;
  in.TimeLimitSeconds = 1800;
  return in;
}

// The bend applied below 10, computed apart.
double Bent(double raw) { return 10.0 * std::exp(raw / 10.0) / std::exp(1.0); }

} // namespace

TEST(GameScore, TheTimeIsChargedAgainstTheLimit) {
  ScoreInputs in = QuietGame();
  in.GameSeconds = 450; // a quarter of the limit
  EXPECT_FLOAT_EQ(ComputeGameScore(in), 15.0f);
  in.GameSeconds = 900; // half: raw 10 stays 10
  EXPECT_FLOAT_EQ(ComputeGameScore(in), 10.0f);
  in.GameSeconds = 1800; // raw 0 becomes 10/e
  EXPECT_NEAR(ComputeGameScore(in), Bent(0), 1e-5);
  in.GameSeconds = 3600; // raw -20
  EXPECT_NEAR(ComputeGameScore(in), Bent(-20), 1e-5);
  EXPECT_NEAR(ComputeGameScore(in), 0.498, 1e-3);
}

TEST(GameScore, HelpsBeyondTheLevelsAllowanceCostPerCellToFind) {
  ScoreInputs in = QuietGame();
  in.SolverHelpCount = 5; // 3 x 9 / 5 = 5 are free at level 1
  EXPECT_FLOAT_EQ(ComputeGameScore(in), 20.0f);
  in.SolverHelpCount = 6;
  EXPECT_NEAR(ComputeGameScore(in), 20.0 - 60.0 / 50, 1e-5);
  in.GameLevel = 4; // nothing is free at level 4
  in.SolverHelpCount = 2;
  EXPECT_NEAR(ComputeGameScore(in), 20.0 - 2 * 60.0 / 50, 1e-5);
  in.GameLevel = 7; // outside 1..4 counts as level 1
  in.SolverHelpCount = 6;
  EXPECT_NEAR(ComputeGameScore(in), 20.0 - 60.0 / 50, 1e-5);
}

TEST(GameScore, UndoRedoAndRightClicksUpToTheWidthAreFree) {
  ScoreInputs in = QuietGame();
  in.UndoCount = 5;
  in.RedoCount = 4;
  in.RightClickUses = 9;
  EXPECT_FLOAT_EQ(ComputeGameScore(in), 20.0f);
  in.UndoCount = 8;       // 3 beyond: 20 x 3 / 3 / 50
  in.RightClickUses = 13; // 4 beyond: 20 x 4 x 0.5 / 50
  EXPECT_NEAR(ComputeGameScore(in), 20.0 - 0.4 - 0.8, 1e-5);
}

TEST(GameScore, EachHelpShownCostsByItsWeightButWarningsCostNothing) {
  ScoreInputs in = QuietGame();
  in.UsageSeconds[kTimerWarning] = 1800;
  EXPECT_FLOAT_EQ(ComputeGameScore(in), 20.0f);
  // 90 s is a twentieth of the limit: one point at full weight.
  in.UsageSeconds[kTimerPossLevel1 + 2] = 90;
  in.UsageSeconds[kTimerLineColumn] = 90;    // x 0.25
  in.UsageSeconds[kTimerProbables] = 90;     // x 0.25
  in.UsageSeconds[kTimerFound] = 90;         // / 5
  in.UsageSeconds[kTimerVariantFilter] = 90; // x 0.5
  in.UsageSeconds[kTimerColouring] = 90;     // x 1
  EXPECT_NEAR(ComputeGameScore(in), 20.0 - (1 + 0.25 + 0.25 + 0.2 + 0.5 + 1), 1e-5);
}

TEST(GameScore, StaysWithinTheScaleWhateverTheCounters) {
  ScoreInputs in = QuietGame();
  in.SolverHelpCount = -100; // a corrupt count cannot lift the mark above 20
  in.UndoCount = -100;
  EXPECT_FLOAT_EQ(ComputeGameScore(in), 20.0f);
  constexpr int32_t kLowest = std::numeric_limits<int32_t>::min(); // a grid file's counts
  in.SolverHelpCount = in.RedoCount = in.UndoCount = in.RightClickUses = kLowest;
  EXPECT_FLOAT_EQ(ComputeGameScore(in), 20.0f);
  in = QuietGame();
  in.GameSeconds = 1'000'000'000;
  const float score = ComputeGameScore(in);
  EXPECT_GE(score, 0.0f);
  EXPECT_LT(score, 0.01f);
}

TEST(GameScore, NoLimitNoCellsAndNoTimeDivideByNothing) {
  ScoreInputs in = QuietGame();
  in.TimeLimitSeconds = 0;
  in.GameSeconds = 600;
  in.UsageSeconds[kTimerColouring] = 600;
  EXPECT_FLOAT_EQ(ComputeGameScore(in), 20.0f);
  // Not knowing how many cells were to find, every cell of the grid counts.
  in = QuietGame();
  in.StartSudMissing = 0;
  in.SolverHelpCount = 6;
  EXPECT_NEAR(ComputeGameScore(in), 20.0 - 60.0 / 81, 1e-5);
  in.GridWidth = 0;
  in.SolverHelpCount = 40;
  EXPECT_FLOAT_EQ(ComputeGameScore(in), 20.0f);
}

TEST(GameScore, DoubleAndTripleGridsScoreTheirPoints) {
  ScoreInputs in = QuietGame();
  in.GameSeconds = 5000;
  in.DoubleTriplePoints = 147;
  EXPECT_FLOAT_EQ(ComputeGameScore(in), 147.0f);
}

namespace {

EndOfGameInputs FinishedGame(float score) {
  EndOfGameInputs in;
  in.language = Language::English;
  in.GameMode = 7;
  in.GameLevel = 2;
  in.GameScore = score;
  in.StartMissing = 51;
  in.CellsFound = 51;
  in.SolverHelpCount = 3;
  in.ErrorCount = 2;
  in.UndoSteps = 4;
  in.GameSeconds = 200;
  in.TimeText = "00:03:20";
  return in;
}

} // namespace

TEST(EndOfGameReport, AFinishedGameTellsItsCountsAndTheHelpsShown) {
  SeedRandom(5);
  EndOfGameInputs in = FinishedGame(14.7f);
  in.UsageSeconds[kTimerPossLevel1 + 1] = 100; // 50 %
  in.UsageSeconds[kTimerFound] = 20;           // 10 %
  in.UsageSeconds[kTimerWarning] = 1;          // 0.5 %: counts as none
  const EndOfGameResult r = EvaluateEndOfGame(in);
  EXPECT_EQ(r.Message, "                 Congratulations\n\n"
                       "Grid with difficulty Medium solved in 00:03:20.\n"
                       "Number of cells found: 51\n"
                       "Use of Help : 3\n"
                       "Number of errors: 2\n"
                       "Number of cancelled inputs : 4\n"
                       "Use of Possibles 50% of elapsed time\n"
                       "    with L2:50% Found:10% \n");
  EXPECT_EQ(r.Score, "14/20");
  EXPECT_EQ(r.ShownScore, 14.0f); // the pane then says what the window says
  EXPECT_EQ(r.Mark, 14);
  EXPECT_TRUE(r.Praise);
  EXPECT_EQ(r.PraiseLine, PraiseMessages[static_cast<size_t>(r.PictureIndex)].english);
  EXPECT_EQ(r.Picture, PraiseMessages[static_cast<size_t>(r.PictureIndex)].picture);
  EXPECT_EQ(r.SoundEffect, 13);
  EXPECT_EQ(r.CatalogStatus, kCatalogGridPlayed);
  EXPECT_TRUE(r.KeepsBestScore);
}

TEST(EndOfGameReport, OnlyColouringShownLeavesNoBreakdown) {
  EndOfGameInputs in = FinishedGame(8.2f);
  in.language = Language::French;
  in.UsageSeconds[kTimerColouring] = 150;
  const EndOfGameResult r = EvaluateEndOfGame(in);
  EXPECT_TRUE(r.Message.starts_with("      Bien joué. Grille finie...\n\n"));
  EXPECT_TRUE(r.Message.ends_with("Utilisation des Possibles 0% du temps\n")) << r.Message;
  EXPECT_FALSE(r.Praise);
  EXPECT_EQ(r.Score, "8/20");
  EXPECT_EQ(r.SoundEffect, 11);
}

TEST(EndOfGameReport, AGameEndedWithCellsOpenGetsNothingAndATaunt) {
  EndOfGameInputs in = FinishedGame(17.0f);
  in.TotalOpenCells = 12;
  in.CellsFound = 39;
  const EndOfGameResult r = EvaluateEndOfGame(in);
  EXPECT_EQ(r.Message, "      Too bad, Grid not finalized\n\n"
                       "Number of cells found: 39 of 51\n"
                       "Use of Help : 3\n"
                       "Number of errors: 2\n"
                       "Number of cancelled inputs : 4\n");
  EXPECT_EQ(r.Score, "0/20");
  EXPECT_EQ(r.ShownScore, 0.0f);
  EXPECT_EQ(r.Mark, 0);
  EXPECT_FALSE(r.Praise);
  EXPECT_EQ(r.PraiseLine, TauntMessages[static_cast<size_t>(r.PictureIndex)].english);
  EXPECT_EQ(r.SoundEffect, 10);
  EXPECT_EQ(r.CatalogStatus, kCatalogGridToReplay);
  EXPECT_FALSE(r.KeepsBestScore);
}

// In its own mode, from the catalogue or opened as a file, a Double-and-Triple grid shows its
// points, and its mark stays out of 20.
TEST(EndOfGameReport, DoubleAndTripleShowsThePointsAndRescalesTheMarkForThePicture) {
  for (const int32_t mode : {kGameModeTriple, kGameModeCatalog, 7}) {
    EndOfGameInputs in = FinishedGame(90.0f);
    in.GameMode = mode;
    in.ScoresPoints = mode != kGameModeTriple;
    in.TripleMaxScore = 120;
    in.GameSeconds = 125;
    const EndOfGameResult r = EvaluateEndOfGame(in);
    EXPECT_EQ(r.Message, "      Good. You finish the Grid...\n\n"
                         "Max Score of 120 not reached...\n\n"
                         "You make it in 2 mn 5 s.\n"
                         "You have done 2 errors.\n"
                         "Number of cancelled inputs : 4\n")
        << mode;
    EXPECT_EQ(r.Score, "90");
    EXPECT_EQ(r.ShownScore, 90.0f);
    EXPECT_EQ(r.Mark, 15); // 90 of 120 is 15 of 20
    EXPECT_EQ(r.SoundEffect, 12);
    EXPECT_EQ(r.CatalogStatus, kCatalogGridToReplay);
    EXPECT_FALSE(r.KeepsBestScore);
  }
}

TEST(EndOfGameReport, KidsModeTellsTheTimeAndTheErrors) {
  EndOfGameInputs in = FinishedGame(12.0f);
  in.GameMode = kGameModeKids;
  const EndOfGameResult r = EvaluateEndOfGame(in);
  EXPECT_EQ(r.Message, "      Super. You are a Champion...\n\n"
                       "You make it in 3 mn 20 s.\n"
                       "You have done 2 errors.\n");
  EXPECT_EQ(r.Score, "12/20");
  EXPECT_FALSE(r.KeepsBestScore);
}

TEST(EndOfGameReport, TheSoundFollowsTheMark) {
  EXPECT_EQ(EndOfGameSound(0), 10);
  EXPECT_EQ(EndOfGameSound(1), 10);
  EXPECT_EQ(EndOfGameSound(2), 11);
  EXPECT_EQ(EndOfGameSound(9), 11);
  EXPECT_EQ(EndOfGameSound(10), 13);
  EXPECT_EQ(EndOfGameSound(14), 13);
  EXPECT_EQ(EndOfGameSound(15), 12);
  EXPECT_EQ(EndOfGameSound(20), 12);
}
