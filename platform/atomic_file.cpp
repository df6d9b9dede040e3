// On POSIX calls rather than streams: fsync before the rename is what makes the new file
// survive a crash. A temporary is named ".<name>.quorbel-<pid>-<n>.tmp": the pid tells a
// leftover of a dead process from the work of a living one.
#include "platform/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorbel {

namespace {

constexpr std::string_view kTemporaryMark = ".quorbel-";
constexpr std::string_view kTemporaryEnd = ".tmp";

AtomicWriteResult Failed(AtomicWriteFailure failure, std::string_view call) {
  return {failure, std::string(call) + ": " + std::strerror(errno)};
}

// The temporaries this process is writing: a sweep in the same process leaves them alone.
std::mutex gLiveMutex;
std::set<std::string> gLive;

void NoteLive(const std::string &path, bool live) {
  const std::lock_guard lock(gLiveMutex);
  if (live)
    gLive.insert(path);
  else
    gLive.erase(path);
}

bool IsLive(const std::string &path) {
  const std::lock_guard lock(gLiveMutex);
  return gLive.contains(path);
}

std::string FolderOf(const std::string &path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string &path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The pid in a name of ours, or 0 when the name is not one of our temporaries.
pid_t PidOfTemporary(std::string_view name) {
  if (name.size() < 2 || name.front() != '.' || !name.ends_with(kTemporaryEnd))
    return 0;
  name.remove_suffix(kTemporaryEnd.size());
  const size_t mark = name.rfind(kTemporaryMark);
  if (mark == std::string_view::npos || mark < 2)
    return 0;
  std::string_view numbers = name.substr(mark + kTemporaryMark.size());
  const size_t dash = numbers.find('-');
  if (dash == std::string_view::npos || dash + 1 == numbers.size())
    return 0;
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(numbers.data(), numbers.data() + dash, pid);
  if (error != std::errc() || end != numbers.data() + dash || pid <= 0)
    return 0;
  for (char c : numbers.substr(dash + 1))
    if (c < '0' || c > '9')
      return 0;
  return pid;
}

bool ProcessEnded(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

} // namespace

void RemoveLeftoverTemporaries(const std::string &folder) {
  DIR *dir = ::opendir(folder.c_str());
  if (!dir)
    return;
  const int dirFd = ::dirfd(dir);
  while (const dirent *entry = ::readdir(dir)) {
    const pid_t pid = PidOfTemporary(entry->d_name);
    if (pid == 0)
      continue;
    const std::string path = folder + "/" + entry->d_name;
    if (pid == ::getpid() ? IsLive(path) : !ProcessEnded(pid))
      continue;
    struct stat info {};
    // Only a plain file of this user: never a link, nor anyone else's file.
    if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
        info.st_uid == ::geteuid())
      ::unlinkat(dirFd, entry->d_name, 0);
  }
  ::closedir(dir);
}

AtomicWriteResult AtomicFile::Open(const std::string &path) {
  Abandon();
  result_ = {};
  target_ = path;
  struct stat old {};
  bool exists = false;
  if (::lstat(path.c_str(), &old) == 0) {
    if (S_ISLNK(old.st_mode)) {
      // The rename replaces what the link points to, and the link stays.
      char *resolved = ::realpath(path.c_str(), nullptr);
      if (!resolved)
        return {AtomicWriteFailure::NotAFile, "a symbolic link to nothing"};
      target_ = resolved;
      std::free(resolved);
      if (::stat(target_.c_str(), &old) != 0)
        return Failed(AtomicWriteFailure::NotAFile, "stat");
    }
    if (!S_ISREG(old.st_mode))
      return {AtomicWriteFailure::NotAFile, "not a regular file"};
    exists = true;
  } else if (errno != ENOENT) {
    return Failed(AtomicWriteFailure::CannotCreate, "lstat");
  }
  const std::string folder = FolderOf(target_);
  RemoveLeftoverTemporaries(folder);
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = folder + "/." + NameOf(target_) + std::string(kTemporaryMark) + std::to_string(::getpid()) +
                 "-" + std::to_string(counter++) + std::string(kTemporaryEnd);
    NoteLive(temporary_, true);
    // 0666 as any new file: the user's umask makes it the usual mode.
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0)
      NoteLive(temporary_, false);
    if (fd_ < 0 && errno != EEXIST)
      break;
  }
  if (fd_ < 0)
    return Failed(AtomicWriteFailure::CannotCreate, "open");
  if (exists) {
    // Root saving a player's file leaves it his; failing to is no reason to refuse the save.
    [[maybe_unused]] const int owned = ::fchown(fd_, old.st_uid, old.st_gid);
    ::fchmod(fd_, old.st_mode & 07777);
  }
  return {};
}

void AtomicFile::Write(std::string_view bytes) {
  if (fd_ < 0 || !result_.Ok())
    return;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0) {
      result_ = Failed(AtomicWriteFailure::CannotWrite, "write");
      return;
    }
    done += static_cast<size_t>(n);
  }
}

AtomicWriteResult AtomicFile::Commit() {
  if (fd_ < 0)
    return {AtomicWriteFailure::CannotWrite, "no file open"};
  if (result_.Ok() && ::fsync(fd_) != 0)
    result_ = Failed(AtomicWriteFailure::CannotWrite, "fsync");
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && result_.Ok())
    result_ = Failed(AtomicWriteFailure::CannotWrite, "close");
  if (result_.Ok() && ::rename(temporary_.c_str(), target_.c_str()) != 0)
    result_ = Failed(AtomicWriteFailure::CannotReplace, "rename");
  if (!result_.Ok())
    ::unlink(temporary_.c_str());
  NoteLive(temporary_, false);
  return result_;
}

void AtomicFile::Abandon() {
  if (fd_ < 0)
    return;
  ::close(fd_);
  fd_ = -1;
  ::unlink(temporary_.c_str());
  NoteLive(temporary_, false);
}

AtomicWriteResult WriteFileAtomically(const std::string &path, std::string_view bytes) {
  AtomicFile file;
  if (AtomicWriteResult opened = file.Open(path); !opened.Ok())
    return opened;
  file.Write(bytes);
  return file.Commit();
}

} // namespace quorbel
