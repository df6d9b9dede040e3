// On POSIX calls relative to the folders' descriptors, never following a link: a name swapped
// for a link while the sweep runs cannot lead it elsewhere.
#include "platform/scratch_folder.h"

#include <cerrno>
#include <charconv>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorbel {

namespace {

constexpr std::string_view kRandomPart = "XXXXXX";

// The pid in a folder name of ours, or 0.
pid_t PidOfFolder(std::string_view name, std::string_view stem) {
  if (!name.starts_with(stem) || name.size() < stem.size() + 1 || name[stem.size()] != '-')
    return 0;
  name.remove_prefix(stem.size() + 1);
  const size_t dash = name.find('-');
  if (dash == std::string_view::npos || name.size() - dash - 1 != kRandomPart.size())
    return 0;
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + dash, pid);
  return error == std::errc() && end == name.data() + dash && pid > 0 ? pid : 0;
}

bool ProcessEnded(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

bool OwnedBy(int dirFd, const char *name, bool folder) {
  struct stat info {};
  return ::fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
         (folder ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode)) && info.st_uid == ::geteuid();
}

void RemoveOwnFiles(int parentFd, const char *name) {
  const int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0)
    return;
  DIR *dir = ::fdopendir(fd);
  if (!dir) {
    ::close(fd);
    return;
  }
  while (const dirent *entry = ::readdir(dir))
    if (OwnedBy(fd, entry->d_name, false))
      ::unlinkat(fd, entry->d_name, 0);
  ::closedir(dir);
}

} // namespace

std::string ScratchFolderPattern(const std::string &parent, std::string_view stem) {
  return parent + "/" + std::string(stem) + "-" + std::to_string(::getpid()) + "-" + std::string(kRandomPart);
}

void RemoveLeftoverScratchFolders(const std::string &parent, std::string_view stem) {
  DIR *dir = ::opendir(parent.c_str());
  if (!dir)
    return;
  const int dirFd = ::dirfd(dir);
  while (const dirent *entry = ::readdir(dir)) {
    const pid_t pid = PidOfFolder(entry->d_name, stem);
    if (pid == 0 || pid == ::getpid() || !ProcessEnded(pid) || !OwnedBy(dirFd, entry->d_name, true))
      continue;
    RemoveOwnFiles(dirFd, entry->d_name);
    ::unlinkat(dirFd, entry->d_name, AT_REMOVEDIR); // refused while anything is left in it
  }
  ::closedir(dir);
}

} // namespace quorbel
