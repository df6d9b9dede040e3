#include "app/music_folder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/ascii_text.h"
#include "platform/paths.h"

namespace quorbel {

std::vector<std::string> MusicFilesLike(const std::string &musicFile) {
  const std::string extension = AsciiLowered(FileExtensionOfPath(musicFile));
  std::vector<std::string> files;
  std::error_code error;
  for (const auto &entry : std::filesystem::directory_iterator(DirectoryOfPath(musicFile), error)) {
    if (!entry.is_regular_file(error))
      continue;
    const std::string path = entry.path().string();
    if (AsciiLowered(FileExtensionOfPath(path)) == extension)
      files.push_back(path);
  }
  std::sort(files.begin(), files.end(), [](const std::string &a, const std::string &b) {
    const std::string lowA = AsciiLowered(FileNameOfPath(a));
    const std::string lowB = AsciiLowered(FileNameOfPath(b));
    return lowA != lowB ? lowA < lowB : a < b;
  });
  return files;
}

std::string NextMusicFile(const std::string &musicFile, bool forward) {
  const std::vector<std::string> files = MusicFilesLike(musicFile);
  const std::string name = FileNameOfPath(musicFile);
  const auto at = std::find_if(files.begin(), files.end(),
                               [&](const std::string &path) { return FileNameOfPath(path) == name; });
  if (at == files.end())
    return {};
  if (forward)
    return at + 1 != files.end() ? *(at + 1) : std::string();
  return at != files.begin() ? *(at - 1) : std::string();
}

} // namespace quorbel
