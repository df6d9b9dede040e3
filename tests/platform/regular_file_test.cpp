// Files from outside: what stands where a file should be is named, and nothing is made at the end
// of a link to nothing.
#include "platform/regular_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "tests/support/temp_dir.h"

namespace quorbel {
namespace {

using quorbel::testing::ReadBytes;
using quorbel::testing::TempDir;
using quorbel::testing::WriteBytes;

// A socket cannot even be opened: it is named for what it is, as a FIFO or a folder is.
TEST(RegularFile, ASocketIsNamedAsNoRegularFile) {
  TempDir dir;
  const std::string path = dir.File("QuellaboSite.txt");
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof address.sun_path);
  path.copy(address.sun_path, path.size());
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
  const RegularFileText read = ReadRegularFileText(path, 1024);
  ::close(fd);
  EXPECT_EQ(read.Failure, RegularFileFailure::NotAFile);
  EXPECT_EQ(read.Message, "not a regular file");
  EXPECT_EQ(ReadRegularFileText(dir.File("missing.txt"), 1024).Failure, RegularFileFailure::CannotOpen);
}

// A link to a file is written through; a link to nothing is refused, and its target never made.
TEST(RegularFile, AnAppendGoesThroughALinkOnlyToAFileThatIsThere) {
  TempDir dir;
  WriteBytes(dir.File("real.log"), "old\n");
  std::filesystem::create_symlink(dir.File("real.log"), dir.File("linked.log"));
  EXPECT_TRUE(AppendToRegularFile(dir.File("linked.log"), "new\n"));
  EXPECT_EQ(ReadBytes(dir.File("real.log")), "old\nnew\n");

  std::filesystem::create_symlink(dir.File("target.log"), dir.File("dangling.log"));
  std::string reason;
  EXPECT_FALSE(AppendToRegularFile(dir.File("dangling.log"), "lost\n", &reason));
  EXPECT_EQ(reason, "a symbolic link to nothing");
  EXPECT_FALSE(std::filesystem::exists(dir.File("target.log")));

  EXPECT_TRUE(AppendToRegularFile(dir.File("fresh.log"), "made\n"));
  EXPECT_EQ(ReadBytes(dir.File("fresh.log")), "made\n");
}

} // namespace
} // namespace quorbel
