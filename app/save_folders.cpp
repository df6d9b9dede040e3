#include "app/save_folders.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/paths.h"

namespace quorbel {

std::vector<std::string> SaveFolders(const DirectorySettings &directories, const std::string &settingsFile) {
  std::vector<std::string> folders;
  const auto add = [&folders](const std::string &path) {
    if (path.empty())
      return;
    std::error_code error;
    // A save through a link writes beside its target: that is where a temporary may be left.
    const std::filesystem::path real = std::filesystem::weakly_canonical(path, error);
    std::string folder = error ? path : real.string();
    while (folder.size() > 1 && folder.back() == '/')
      folder.pop_back();
    if (std::find(folders.begin(), folders.end(), folder) == folders.end())
      folders.push_back(folder);
  };
  add(StartDirectory());
  for (const std::string *folder :
       {&directories.myGrids, &directories.txtGrids, &directories.magic, &directories.macro})
    add(MakeAbsolutePath(*folder));
  if (!settingsFile.empty()) {
    add(DirectoryOfPath(settingsFile));
    std::error_code error;
    if (std::filesystem::is_symlink(settingsFile, error))
      add(DirectoryOfPath(std::filesystem::weakly_canonical(settingsFile, error).string()));
  }
  return folders;
}

void RemoveLeftoversOfSaves(const DirectorySettings &directories, const std::string &settingsFile) {
  for (const std::string &folder : SaveFolders(directories, settingsFile))
    RemoveLeftoverTemporaries(folder);
}

} // namespace quorbel
