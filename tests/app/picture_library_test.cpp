#include "app/picture_library.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sys/stat.h>

#include "platform/paths.h"
#include "tests/media/gif_fixture.h"
#include "tests/support/fifo_watch.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

class PictureLists : public ::testing::Test {
protected:
  void WriteGif(const std::string &name, int frames) {
    GifLayout layout{.Width = 2, .Height = 2, .Global = {RgbPixel(0, 0, 0), RgbPixel(255, 0, 0)}};
    for (int k = 0; k < frames; ++k)
      layout.Frames.push_back({.Width = 2, .Height = 2, .Pixels = {1, 0, 0, 1}, .Delay = 10});
    const std::vector<uint8_t> bytes = MakeGif(layout);
    quorbel::testing::WriteBytes((dir_.Path() / name).string(), std::string(bytes.begin(), bytes.end()));
  }
  void WriteText(const std::string &name, const std::string &text) {
    quorbel::testing::WriteBytes((dir_.Path() / name).string(), text);
  }
  std::string Folder() const { return dir_.Path().string(); }

  quorbel::testing::TempDir dir_;
  std::unique_ptr<PictureLibrary> pictures_ = std::make_unique<PictureLibrary>();
};

} // namespace

TEST(PictureList, RemarksBlankAndBrokenLinesAreSkipped) {
  const std::vector<PictureListEntry> entries =
      ReadPictureList("! remark\r\n2 Animals\\Cat.gif\r\n\r\nnot a number\r\n3\r\n1 With Space.gif  \r\n");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].LoopFactor, 2);
  EXPECT_EQ(entries[0].File, "Animals\\Cat.gif");
  EXPECT_EQ(entries[1].File, "With Space.gif");
}

TEST_F(PictureLists, LoadingStopsAtTheFirstMissingPictureAndLeavesNothingOfTheListBefore) {
  WriteGif("a.gif", 3);
  WriteGif("b.gif", 1);
  WriteText("Long.ani", "1 a.gif\n1 b.gif\n1 a.gif\n1 b.gif\n");
  WriteText("Short.ani", "2 b.gif\n5 a.gif\n1 gone.gif\n1 b.gif\n");
  PictureOrder order{};
  std::vector<PictureFailure> failures;
  EXPECT_EQ(LoadCellImageSet(*pictures_, "Long.ani", Folder(), order, PictureOrderMode::Identity, &failures),
            4);
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(LoadCellImageSet(*pictures_, "Short.ani", Folder(), order, PictureOrderMode::Keep, &failures), 2);
  EXPECT_EQ(pictures_->Sets[0].FrameCount, 1);
  EXPECT_EQ(pictures_->Sets[0].LoopFactor, 2);
  EXPECT_EQ(pictures_->Sets[1].FrameCount, 3);
  EXPECT_EQ(pictures_->Sets[1].LoopFactor, 5);
  EXPECT_EQ(pictures_->Sets[2].FrameCount, 0);
  EXPECT_EQ(pictures_->Sets[3].FrameCount, 0); // the longer list's fourth picture is gone too
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_TRUE(failures[0].Missing);
  EXPECT_NE(failures[0].Text.find("gone.gif"), std::string::npos);
}

TEST_F(PictureLists, AnUnreadablePictureIsToldAndAMissingListLoadsNothing) {
  WriteText("bad.gif", "GIF89a but not really");
  WriteText("Bad.ani", "1 bad.gif\n");
  PictureOrder order{};
  std::vector<PictureFailure> failures;
  EXPECT_EQ(LoadCellImageSet(*pictures_, "Bad.ani", Folder(), order, PictureOrderMode::Keep, &failures), 0);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_FALSE(failures[0].Missing);
  EXPECT_TRUE(failures[0].Text.starts_with("Erreur ")) << failures[0].Text;
  failures.clear();
  EXPECT_EQ(LoadCellImageSet(*pictures_, "None.ani", Folder(), order, PictureOrderMode::Keep, &failures), 0);
  EXPECT_TRUE(failures.at(0).Missing);
}

TEST_F(PictureLists, TheOrderIsSettledOnEveryLoadAndDominoesKeepTheirOwn) {
  WriteGif("a.gif", 1);
  WriteText("Domino.ani", "1 a.gif\n");
  WriteText("Zoo.ani", "1 a.gif\n");
  WriteText("Apes.ani", "1 a.gif\n");
  PictureOrder order{};
  order[0] = 42; // not a permutation: back to the identity
  EXPECT_EQ(LoadCellImageSet(*pictures_, "Zoo.ani", Folder(), order, PictureOrderMode::Keep, nullptr), 1);
  EXPECT_EQ(order[0], 0);
  EXPECT_EQ(order[15], 15);
  // The same list again only settles the order.
  EXPECT_EQ(LoadCellImageSet(*pictures_, "Zoo.ani", Folder(), order, PictureOrderMode::Shuffle, nullptr), 1);
  std::array<bool, 16> seen{};
  for (int32_t entry : order)
    seen[static_cast<size_t>(entry)] = true;
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 16);
  EXPECT_EQ(LoadCellImageSet(*pictures_, "Domino.ani", Folder(), order, PictureOrderMode::Shuffle, nullptr),
            1);
  EXPECT_EQ(order[7], 7);
  EXPECT_EQ(FindPictureLists(Folder()), (std::vector<std::string>{"Apes.ani", "Zoo.ani", "Domino.ani"}));
}

// A FIFO, a list far beyond any list's size, a picture that is a FIFO: each is passed over at once,
// named with the reason, never waited on nor read whole.
TEST_F(PictureLists, WhatIsNoRegularFileOrNoListIsPassedOverWithItsReason) {
  ASSERT_EQ(::mkfifo((dir_.Path() / "Fifo.ani").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((dir_.Path() / "cat.gif").c_str(), 0600), 0);
  const quorbel::testing::FifoWatch watch(
      {(dir_.Path() / "Fifo.ani").string(), (dir_.Path() / "cat.gif").string()});
  WriteText("Cat.ani", "1 cat.gif\n");
  WriteText("Huge.ani", "");
  std::filesystem::resize_file(dir_.Path() / "Huge.ani", uint64_t{64} << 20); // sparse
  PictureOrder order{};
  for (const std::string list : {"Fifo.ani", "Cat.ani", "Huge.ani"}) {
    std::vector<PictureFailure> failures;
    EXPECT_EQ(LoadCellImageSet(*pictures_, list, Folder(), order, PictureOrderMode::Keep, &failures), 0)
        << list;
    ASSERT_EQ(failures.size(), 1u) << list;
    EXPECT_FALSE(failures[0].Missing) << list;
    const std::string named = list == "Cat.ani" ? "cat.gif" : list;
    EXPECT_NE(failures[0].Text.find(named), std::string::npos) << failures[0].Text;
    EXPECT_EQ(failures[0].Text.find("Erreur  on"), std::string::npos) << failures[0].Text;
  }
  EXPECT_FALSE(watch.FreedAReader());
}
