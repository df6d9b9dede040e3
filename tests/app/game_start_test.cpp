#include <gtest/gtest.h>

#include "app/game_start.h"

using namespace quorbel;

TEST(NewGridPlan, EachModeDealsItsOwnNextGrid) {
  EXPECT_EQ(PlanNewGrid(kGameModeChampion, 0).Starter, GridStarter::Champion);
  EXPECT_EQ(PlanNewGrid(kGameModeCatalog, 0).Starter, GridStarter::Catalog);
  EXPECT_EQ(PlanNewGrid(kGameModeGenerated, 0).Starter, GridStarter::Generate);
  const NewGridPlan quick = PlanNewGrid(kGameModeQuick, 0);
  EXPECT_EQ(quick.Starter, GridStarter::Series);
  EXPECT_EQ(quick.Series, GridSeries::Quick);
  EXPECT_FALSE(quick.FlagOnlyWhenStarted);
  // A mode the program does not know starts an empty grid rather than nothing.
  EXPECT_EQ(PlanNewGrid(42, 0).Starter, GridStarter::EmptyGrid);
  EXPECT_FALSE(PlanNewGrid(kGameModeChampion, 0).Series.has_value());
}

TEST(NewGridPlan, AnInhibitedChallengeFallsBackToAChampionGrid) {
  const NewGridPlan inhibited = PlanNewGrid(kGameModeDefi, 1);
  EXPECT_EQ(inhibited.Starter, GridStarter::Champion);
  EXPECT_EQ(inhibited.Mode, kGameModeChampion);
  const NewGridPlan allowed = PlanNewGrid(kGameModeDefi, 0);
  EXPECT_EQ(allowed.Starter, GridStarter::Challenge);
  EXPECT_EQ(allowed.Mode, kGameModeDefi);
  EXPECT_TRUE(allowed.FlagOnlyWhenStarted);
  EXPECT_TRUE(PlanNewGrid(kGameModeQuellabo, 1).FlagOnlyWhenStarted);
}

TEST(GridSeries, ACounterPastTheTypeStartsAgainAtItsFirstGrid) {
  EXPECT_EQ(SeriesGridIndex(0, 12), 0);
  EXPECT_EQ(SeriesGridIndex(11, 12), 11);
  EXPECT_EQ(SeriesGridIndex(12, 12), 0);
  EXPECT_EQ(SeriesGridIndex(-3, 12), 0);
  GameSettings game;
  SeriesCounter(game, GridSeries::Triple) = 5;
  EXPECT_EQ(game.tripleGrid, 5);
  EXPECT_EQ(game.kidGrid, 0);
  EXPECT_EQ(SeriesGameMode(GridSeries::Kids), kGameModeKids);
  EXPECT_EQ(SeriesCatalogType(GridSeries::Quick), "Zevade Doveve");
}

TEST(StartScreenText, EachAreaHasItsDescriptionAndNoneTheWelcome) {
  EXPECT_TRUE(StartScreenText(kAreaNone, Language::English).starts_with("Welcome"));
  EXPECT_TRUE(StartScreenText(kAreaNone, Language::French).starts_with("Bienvenue"));
  EXPECT_TRUE(StartScreenText(kAreaCatalog, Language::English).starts_with("Catalog"));
  EXPECT_TRUE(StartScreenText(kAreaDefi, Language::English).starts_with("Challenge"));
  EXPECT_EQ(StartScreenText(kAreaHelp, Language::English), "Press this Button to get Help on Quorbel");
  EXPECT_TRUE(StartScreenText(kAreaHelp, Language::French).starts_with("Cliquer sur ce bouton"));
  // The server message that follows the help line is no area of the screen.
  EXPECT_TRUE(StartScreenText(kAreaHelp + 1, Language::English).starts_with("Welcome"));
}

TEST(StartGridLevel, FollowsTheShareOfOpenCellsInTwentieths) {
  EXPECT_EQ(StartGridLevel(36, 81), 1); // 8 twentieths
  EXPECT_EQ(StartGridLevel(41, 81), 2); // 10
  EXPECT_EQ(StartGridLevel(49, 81), 3); // 12
  EXPECT_EQ(StartGridLevel(54, 81), 4); // 13
  EXPECT_EQ(StartGridLevel(0, 0), 1);
}
