#include <gtest/gtest.h>

#include <deque>

#include "app/champion_pick.h"

using namespace quorbel;

namespace {

// Hands out the given draws in turn, each folded into its range.
struct Draws {
  std::deque<int> values;
  int operator()(int n) {
    const int v = values.empty() ? 0 : values.front();
    if (!values.empty())
      values.pop_front();
    return v % n;
  }
};

GridCatalog Catalog() {
  return ParseCatalog(">Empty\n>A\na1 - fait\na2 - fait\n>B\nb1 - fait\nb2 - fait\nb3 - fait\n");
}

} // namespace

TEST(ChampionPick, TheDrawnGridIsExaminedLastSoAnUnplayedPickKeepsTheMarks) {
  GridCatalog catalog = Catalog();
  catalog.Types[2].Grids[1].Status = kCatalogNotStarted; // b2, the only grid left
  Draws draws{{0, 1, 1}};                                // a type: B, the second of those with grids; then b2
  std::function<int(int)> below = std::ref(draws);
  const ChampionPick pick = PickChampionGrid(catalog, below);
  EXPECT_EQ(pick.Type, 2);
  EXPECT_EQ(pick.Grid, 1);
  EXPECT_FALSE(pick.MarksCleared);
  EXPECT_EQ(catalog.Types[1].Grids[0].Status, kCatalogDone);
}

TEST(ChampionPick, TheScanWrapsFromTheLastGridToTheFirst) {
  GridCatalog catalog = Catalog();
  catalog.Types[1].Grids[0].Status = kCatalogRunning; // a1
  Draws draws{{2, 4}};                                // among all grids: b3, the last
  std::function<int(int)> below = std::ref(draws);
  PickChampionGrid(catalog, below);
  Draws again{{2, 4}};
  below = std::ref(again);
  const ChampionPick pick = PickChampionGrid(catalog, below);
  EXPECT_EQ(pick.Type, 1);
  EXPECT_EQ(pick.Grid, 0);
}

TEST(ChampionPick, WithEveryGridPlayedTheMarksAreClearedAndTheDrawnGridTaken) {
  GridCatalog catalog = Catalog();
  Draws draws{{0, 0, 1}}; // type A, grid a2
  std::function<int(int)> below = std::ref(draws);
  const ChampionPick pick = PickChampionGrid(catalog, below);
  EXPECT_TRUE(pick.MarksCleared);
  EXPECT_EQ(pick.Type, 1);
  EXPECT_EQ(pick.Grid, 1);
  EXPECT_EQ(catalog.Types[2].Grids[2].Status, kCatalogNotStarted);

  GridCatalog none = ParseCatalog(">Empty\n");
  EXPECT_EQ(PickChampionGrid(none, below).Type, -1);
}

TEST(ChampionPick, NeverDealsADoubleTripleGrid) {
  GridCatalog catalog = ParseCatalog(">Double-Triple\nt1\nt2\n>A\na1 - fait\na2\n");
  for (int first = 0; first < 3; ++first)
    for (int second = 0; second < 4; ++second) {
      Draws draws{{first, second, second}};
      std::function<int(int)> below = std::ref(draws);
      const ChampionPick pick = PickChampionGrid(catalog, below);
      EXPECT_EQ(pick.Type, 1);
      EXPECT_EQ(pick.Grid, 1);
    }
}
