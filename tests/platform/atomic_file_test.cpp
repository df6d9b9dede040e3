// Replacing a file whole: the old bytes stay until the commit, and nothing is left beside it.
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/ended_process.h"
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
  // A folder is refused before anything is written beside it.
  const AtomicWriteResult result = WriteFileAtomically(dir.File("taken"), "bytes");
  EXPECT_EQ(result.Failure, AtomicWriteFailure::NotAFile);
  EXPECT_EQ(result.Message, "not a regular file");
  EXPECT_EQ(FilesIn(dir), 1u);
  EXPECT_EQ(WriteFileAtomically(dir.File("none/x"), "bytes").Failure, AtomicWriteFailure::CannotCreate);
}

mode_t ModeOf(const std::string &path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

TEST(AtomicFile, AFileKeepsItsModeAndANewFileGetsTheUsualOne) {
  TempDir dir;
  const std::string secret = dir.File("secret.ini");
  WriteBytes(secret, "old");
  ::chmod(secret.c_str(), 0600);
  ASSERT_TRUE(WriteFileAtomically(secret, "new").Ok());
  EXPECT_EQ(ModeOf(secret), 0600u);
  const mode_t before = ::umask(022);
  ASSERT_TRUE(WriteFileAtomically(dir.File("fresh.ini"), "new").Ok());
  ::umask(before);
  EXPECT_EQ(ModeOf(dir.File("fresh.ini")), 0644u);
}

// A link is followed only to a regular file, and stays a link; a FIFO, a folder or nothing at
// its end is refused and left as it was.
TEST(AtomicFile, ALinkIsWrittenThroughOnlyToARegularFile) {
  TempDir dir;
  const std::string file = dir.File("real.ini");
  WriteBytes(file, "old");
  const std::string link = dir.File("link.ini");
  std::filesystem::create_symlink(file, link);
  ASSERT_TRUE(WriteFileAtomically(link, "new").Ok());
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(file), "new");

  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_symlink(fifo, dir.File("to-fifo.ini"));
  std::filesystem::create_symlink(dir.File("nothing"), dir.File("to-nothing.ini"));
  for (const std::string name : {"to-fifo.ini", "fifo", "to-nothing.ini"}) {
    const AtomicWriteResult result = WriteFileAtomically(dir.File(name), "new");
    EXPECT_EQ(result.Failure, AtomicWriteFailure::NotAFile) << name;
    EXPECT_FALSE(result.Message.empty());
  }
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("to-fifo.ini")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("nothing")));
  EXPECT_EQ(FilesIn(dir), 5u);
}

// What a killed save left is ours when its process is gone: the next save in the folder removes
// it, and leaves a living process's temporary and every file not named as ours.
TEST(AtomicFile, ASaveRemovesOnlyTheLeftoversOfEndedSaves) {
  TempDir dir;
  const pid_t child = quorbel::testing::EndedProcessId();
  ASSERT_GT(child, 0);
  const std::string dead = dir.File(".victim.sud.quorbel-" + std::to_string(child) + "-0.tmp");
  const std::string living = dir.File(".victim.sud.quorbel-" + std::to_string(::getppid()) + "-0.tmp");
  const std::string others = dir.File("victim.sud.9ZYeeC");
  for (const std::string &path : {dead, living, others})
    WriteBytes(path, "half");
  ASSERT_TRUE(WriteFileAtomically(dir.File("other.sud"), "grid").Ok());
  EXPECT_FALSE(std::filesystem::exists(dead));
  EXPECT_TRUE(std::filesystem::exists(living));
  EXPECT_TRUE(std::filesystem::exists(others));
  EXPECT_EQ(FilesIn(dir), 3u);
}

// Root sweeps a folder of another user's files too: what is not his stays, ended or not.
TEST(AtomicFile, ASweepLeavesTheLeftoverOfAnotherUser) {
  if (::geteuid() != 0)
    GTEST_SKIP() << "only root can give a file to another user";
  TempDir dir;
  const pid_t child = quorbel::testing::EndedProcessId();
  ASSERT_GT(child, 0);
  const std::string theirs = dir.File(".grid.sud.quorbel-" + std::to_string(child) + "-0.tmp");
  WriteBytes(theirs, "half");
  constexpr uid_t kOtherUser = 4242;
  ASSERT_EQ(::chown(theirs.c_str(), kOtherUser, kOtherUser), 0);
  RemoveLeftoverTemporaries(dir.Path().string());
  EXPECT_TRUE(std::filesystem::exists(theirs));
}

} // namespace
} // namespace quorbel
