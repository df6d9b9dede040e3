#include "app/random_background.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/app_random.h"
#include "platform/paths.h"

namespace quorbel {

namespace {

bool IsJpegName(const std::string &name) {
  std::string extension = FileExtensionOfPath(name);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return extension == "jpg";
}

} // namespace

std::string PickRandomBackground(std::string_view directory) {
  namespace fs = std::filesystem;
  const std::string folder = MakeAbsolutePath(directory);
  std::error_code error;
  std::vector<std::string> names;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (it->is_regular_file(error) && IsJpegName(name))
      names.push_back(name);
  }
  // An empty folder must not reach RandomBelow(0), which is -1.
  if (names.empty())
    return {};
  // Sorted so that a seeded generator picks the same file on every system.
  std::sort(names.begin(), names.end());
  // The name keeps its case: on Linux a lower-cased name would name another file.
  const std::string &picked = names[static_cast<size_t>(RandomBelow(static_cast<int>(names.size())))];
  return (fs::path(folder) / picked).lexically_normal().string();
}

} // namespace quorbel
