// Replacing a file whole: the old bytes stay until the commit, and nothing is left beside it.
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace quorbel {
namespace {

using quorbel::testing::ReadBytes;
using quorbel::testing::TempDir;
using quorbel::testing::WriteBytes;

size_t FilesIn(const TempDir &dir) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
}

TEST(AtomicFile, TheOldBytesStayUntilTheCommitAndAnAbandonKeepsThem) {
  TempDir dir;
  const std::string path = dir.File("grid.txt");
  WriteBytes(path, "old");
  {
    AtomicFile file;
    ASSERT_TRUE(file.Open(path).Ok());
    file.Write("new ");
    EXPECT_EQ(ReadBytes(path), "old");
    file.Write("bytes");
    ASSERT_TRUE(file.Commit().Ok());
  }
  EXPECT_EQ(ReadBytes(path), "new bytes");
  {
    AtomicFile file;
    ASSERT_TRUE(file.Open(path).Ok());
    file.Write("lost");
  } // dropped unfinished
  EXPECT_EQ(ReadBytes(path), "new bytes");
  EXPECT_EQ(FilesIn(dir), 1u);
}

TEST(AtomicFile, AWriteThatCannotReplaceItsTargetSaysWhyAndLeavesNothingBeside) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("taken"));
  const AtomicWriteResult result = WriteFileAtomically(dir.File("taken"), "bytes");
  EXPECT_EQ(result.Failure, AtomicWriteFailure::CannotReplace);
  EXPECT_NE(result.Message.find("rename"), std::string::npos);
  EXPECT_EQ(FilesIn(dir), 1u);
  EXPECT_EQ(WriteFileAtomically(dir.File("none/x"), "bytes").Failure, AtomicWriteFailure::CannotCreate);
}

} // namespace
} // namespace quorbel
