// The board's cell animations: each picture's set follows its cell and the player's picture
// order, a set that changes stops its picture, another grid starts afresh, and the end of a game
// starts every value picture through the host.
#include "app/board_animations.h"

#include <gtest/gtest.h>

#include "app/app_random.h"
#include "engine/cell_actions.h"
#include "tests/engine/engine_test_support.h"

namespace quorbel {
namespace {

constexpr int kShape9 = 5;

class BoardAnimationsTest : public ::testing::Test {
protected:
  CAnimGif &Picture(int cell, int picture) {
    return (*animations.Of(s.Ctx, 0, cell))[static_cast<size_t>(picture)];
  }
  void Place(int cell, int value) { SetCellValue(s.Ctx, s.Main(), cell, value, kActionPlace); }

  test::RecordingHost host;
  test::ShapedContext s{kShape9, host};
  BoardAnimations animations;
};

TEST_F(BoardAnimationsTest, PicturesFollowTheirCellsAndThePictureOrder) {
  s.Ctx.Settings.PictureOrder[3] = 9;
  Place(0, 4);
  EXPECT_EQ(Picture(0, kValuePicture).RequestedSet, 3);
  EXPECT_EQ(Picture(0, kValuePicture).ResolvedSet, 9);
  EXPECT_EQ(Picture(1, kValuePicture).RequestedSet, kNoPictureSet);

  GridRecord &grid = s.Main();
  grid.Cells[1].ImageIndex = 2;
  grid.Cells[1].MarkerState = 1;
  grid.Lists.MagicSentence.NCells = 1;
  grid.Lists.MagicSentence.Cells[0] = 1;
  animations.Follow(s.Ctx);
  const CellAnimations &pictures = *animations.Find(0, 1);
  EXPECT_EQ(pictures[kFigurePicture].ResolvedSet, 2 + kFirstChessPictureSet);
  EXPECT_EQ(pictures[kSentencePicture].ResolvedSet, kMagicSentencePictureSet);
  EXPECT_EQ(pictures[kFirstMarkerPicture + 2].ResolvedSet, kMagicSquareMarkerSet);

  SetCellValue(s.Ctx, grid, 0, 0, kActionClear);
  EXPECT_EQ(Picture(0, kValuePicture).ResolvedSet, kNoPictureSet);
  EXPECT_EQ(animations.Of(s.Ctx, 0, s.Ctx.Geo.NCells), nullptr);
  EXPECT_EQ(animations.Of(s.Ctx, kMaxGrids, 0), nullptr);
}

TEST_F(BoardAnimationsTest, ANewValueStopsItsPictureAndAnotherGridStartsAfresh) {
  Place(5, 7);
  Picture(5, kValuePicture).Mode = kAnimEndless;
  Picture(5, kValuePicture).EffectCountdown = 4;
  animations.Follow(s.Ctx);
  EXPECT_EQ(Picture(5, kValuePicture).Mode, kAnimEndless); // the same value plays on
  Place(5, 8);
  EXPECT_EQ(Picture(5, kValuePicture).Mode, kAnimStopped);
  EXPECT_EQ(Picture(5, kValuePicture).EffectCountdown, 4); // an effect runs its course

  Picture(5, kValuePicture).Mode = kAnimEndless;
  std::swap(s.Ctx.Grids.Main[0], s.Ctx.Grids.Main[1]); // as a grid taken out of the set moves them
  s.Main().Cells[5] = s.Ctx.Grids.Main[1].Cells[5];
  EXPECT_EQ(Picture(5, kValuePicture).Mode, kAnimStopped);
}

TEST_F(BoardAnimationsTest, TheEndOfAGameAnimatesEveryPlayingCellThroughTheHost) {
  SeedRandom(1);
  StartCellAnimations(s.Ctx, s.Main());
  ASSERT_EQ(host.Animations.size(), 81u);
  for (size_t i = 0; i < host.Animations.size(); ++i) {
    EXPECT_EQ(host.Animations[i].Grid, &s.Main());
    EXPECT_EQ(host.Animations[i].Cell, static_cast<int>(i));
    EXPECT_EQ(host.Animations[i].Picture, kValuePicture);
    EXPECT_EQ(host.Animations[i].Mode, kAnimCountedLoops);
    EXPECT_GE(host.Animations[i].Count, 1);
    EXPECT_LE(host.Animations[i].Count, 5);
  }
  // The generator seeded with 1 draws 41 first: 5 * 41 / 32767 = 0, so one loop.
  EXPECT_EQ(host.Animations[0].Count, 1);

  host.Animations.clear();
  s.Ctx.Settings.AnimatedImages = 0;
  StartCellAnimations(s.Ctx, s.Main());
  EXPECT_TRUE(host.Animations.empty());
}

} // namespace
} // namespace quorbel
