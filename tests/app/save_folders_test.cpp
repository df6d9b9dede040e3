// The folders start-up sweeps of what killed saves left: where a save through a link writes.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/save_folders.h"
#include "platform/paths.h"
#include "tests/support/ended_process.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using quorbel::testing::TempDir;
using quorbel::testing::WriteBytes;

// A settings file linked elsewhere is saved beside its target: the target's folder is swept too.
TEST(SaveFolders, TheFolderOfALinkedSettingsFilesTargetIsSwept) {
  TempDir dir;
  const std::filesystem::path start = dir.Path() / "game";
  const std::filesystem::path home = dir.Path() / "home";
  const std::filesystem::path elsewhere = dir.Path() / "elsewhere";
  for (const auto &folder : {start, home, elsewhere})
    std::filesystem::create_directories(folder);
  SetStartDirectory(start.string());
  WriteBytes((elsewhere / "real.ini").string(), "[GENERAL]\n");
  std::filesystem::create_symlink(elsewhere / "real.ini", home / "Quorbel.ini");

  const pid_t child = quorbel::testing::EndedProcessId();
  ASSERT_GT(child, 0);
  const std::filesystem::path leftover =
      elsewhere / (".real.ini.quorbel-" + std::to_string(child) + "-0.tmp");
  WriteBytes(leftover.string(), "half");

  const DirectorySettings directories;
  const std::vector<std::string> folders = SaveFolders(directories, (home / "Quorbel.ini").string());
  EXPECT_NE(std::find(folders.begin(), folders.end(), elsewhere.string()), folders.end());
  RemoveLeftoversOfSaves(directories, (home / "Quorbel.ini").string());
  EXPECT_FALSE(std::filesystem::exists(leftover));
  EXPECT_TRUE(std::filesystem::exists(elsewhere / "real.ini"));
}
