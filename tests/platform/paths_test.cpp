#include <gtest/gtest.h>

#include "platform/paths.h"

using namespace quorbel;

class PathsTest : public ::testing::Test {
protected:
  void SetUp() override { SetStartDirectory("/home/player/quorbel"); }
};

TEST_F(PathsTest, SplitsNamesWithEitherSeparator) {
  EXPECT_EQ(FileNameOfPath("SudGrid\\easy.sud"), "easy.sud");
  EXPECT_EQ(FileNameOfPath("a/b/c.txt"), "c.txt");
  EXPECT_EQ(FileNameOfPath("plain"), "plain");
  EXPECT_EQ(DirectoryOfPath("SudGrid\\easy.sud"), "SudGrid\\");
  EXPECT_EQ(DirectoryOfPath("plain"), "");
  EXPECT_EQ(FileExtensionOfPath("x/grid.v5.sud"), "sud");
}

TEST_F(PathsTest, TitleKeepsTheFirstOfTwoDots) {
  EXPECT_EQ(FileTitleOfPath("dir\\grid.old.sud"), "grid.old");
}

TEST_F(PathsTest, AbsolutePathFromDotSlashRelative) {
  EXPECT_EQ(MakeAbsolutePath("./SudGrid/easy.sud"), "/home/player/quorbel/SudGrid/easy.sud");
  EXPECT_EQ(MakeAbsolutePath(".\\SudGrid\\easy.sud"), "/home/player/quorbel/SudGrid/easy.sud");
  EXPECT_EQ(MakeAbsolutePath("/tmp/x.sud"), "/tmp/x.sud");
  EXPECT_EQ(MakeAbsolutePath(""), "");
}

TEST_F(PathsTest, RelativeIsTheInverseUnderTheStartDirectory) {
  const std::string abs = MakeAbsolutePath("TextGrid\\a.txt");
  EXPECT_EQ(MakeRelativePath(abs), "TextGrid/a.txt");
  EXPECT_EQ(MakeRelativePath("/elsewhere/a.txt"), "/elsewhere/a.txt");
  // A sibling folder sharing the prefix is not under the start directory.
  EXPECT_EQ(MakeRelativePath("/home/player/quorbel2/a.txt"), "/home/player/quorbel2/a.txt");
}

TEST_F(PathsTest, FilePathFromNameDirectoryAndExtension) {
  EXPECT_EQ(MakeFilePath("easy", "SudGrid\\", ".sud"), "/home/player/quorbel/SudGrid/easy.sud");
  EXPECT_EQ(MakeFilePath("/tmp/old.txt", "SudGrid\\", ".sud"), "/tmp/old.sud");
  // A name whose second character is a dot keeps its folder and extension, from the start directory.
  EXPECT_EQ(MakeFilePath("..\\up.sud", "SudGrid\\", ".sud"), "/home/player/quorbel/../up.sud");
  EXPECT_EQ(MakeFilePath("g.sud", "SudGrid\\", ".sud"), "/home/player/quorbel/g.sud");
  EXPECT_EQ(MakeFilePath("easy.sud", "SudGrid\\", ".sud"), "/home/player/quorbel/SudGrid/easy.sud");
  EXPECT_EQ(MakeFilePath("easy.txt", "SudGrid\\", ".sud"), "/home/player/quorbel/SudGrid/easy.txt.sud");
}
