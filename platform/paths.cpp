#include "platform/paths.h"

#include <algorithm>
#include <filesystem>

namespace quorbel {

namespace {

std::string &StartDirectoryStorage() {
  static std::string directory = ".";
  return directory;
}

bool IsAbsolute(std::string_view normalised) { return !normalised.empty() && normalised.front() == '/'; }

} // namespace

void SetStartDirectory(std::string_view directory) {
  std::string dir = NormalisePath(directory);
  while (dir.size() > 1 && dir.back() == '/')
    dir.pop_back();
  StartDirectoryStorage() = dir.empty() ? "." : dir;
}

const std::string &StartDirectory() { return StartDirectoryStorage(); }

std::string NormalisePath(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

std::string FileNameOfPath(std::string_view path) {
  const auto cut = path.find_last_of("\\/");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string FileTitleOfPath(std::string_view path) {
  std::string name = FileNameOfPath(path);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos)
    name.resize(dot);
  return name;
}

std::string DirectoryOfPath(std::string_view path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

std::string FileExtensionOfPath(std::string_view path) {
  const std::string name = FileNameOfPath(path);
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string MakeAbsolutePath(std::string_view path) {
  if (path.empty())
    return {};
  std::string p = NormalisePath(path);
  if (p.rfind("./", 0) == 0)
    p.erase(0, 2);
  if (IsAbsolute(p))
    return p;
  const std::string &base = StartDirectory();
  return base == "/" ? "/" + p : base + "/" + p;
}

std::string MakeRelativePath(std::string_view path) {
  const std::string p = NormalisePath(path);
  const std::string &base = StartDirectory();
  if (p.size() > base.size() && p.compare(0, base.size(), base) == 0 && p[base.size()] == '/')
    return p.substr(base.size() + 1);
  return p;
}

std::string MakeFilePath(std::string_view name, std::string_view directory, std::string_view extension) {
  std::string n = NormalisePath(name);
  if (IsAbsolute(n)) {
    const auto dot = n.rfind('.');
    const auto slash = n.rfind('/');
    if (dot != std::string::npos && dot > slash)
      n.resize(dot);
    return n + std::string(extension);
  }
  // Such a name (from the parent folder, or a one-letter title) keeps its folder and extension,
  // but like every relative path it starts from the start directory, not from the launch folder.
  if (n.size() > 1 && n[1] == '.')
    return MakeAbsolutePath(n);
  std::string dir = NormalisePath(directory);
  if (!dir.empty() && dir.back() != '/')
    dir += '/';
  // A name written with its extension ("LOAD;easy.sud") does not get it twice.
  if (!extension.empty() && n.ends_with(extension))
    return MakeAbsolutePath(dir + n);
  return MakeAbsolutePath(dir + n + std::string(extension));
}

std::string EnsureDirectory(std::string_view directory) {
  const std::string path = MakeAbsolutePath(directory);
  if (!path.empty()) {
    std::error_code ignored;
    std::filesystem::create_directories(path, ignored);
  }
  return path;
}

} // namespace quorbel
