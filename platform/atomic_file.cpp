// On POSIX calls rather than streams: fsync before the rename is what makes the new file
// survive a crash, and mkstemp keeps two writers of one name from sharing a temporary file.
#include "platform/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorbel {

namespace {

constexpr mode_t kNewFileMode = 0644;

AtomicWriteResult Failed(AtomicWriteFailure failure, std::string_view call) {
  return {failure, std::string(call) + ": " + std::strerror(errno)};
}

} // namespace

AtomicWriteResult AtomicFile::Open(const std::string &path) {
  Abandon();
  result_ = {};
  // The rename replaces what the name points to, not a symbolic link standing in its place.
  target_ = path;
  if (char *resolved = ::realpath(path.c_str(), nullptr)) {
    target_ = resolved;
    std::free(resolved);
  }
  temporary_ = target_ + ".XXXXXX";
  fd_ = ::mkstemp(temporary_.data());
  if (fd_ < 0)
    return Failed(AtomicWriteFailure::CannotCreate, "mkstemp");
  struct stat old {};
  ::fchmod(fd_, ::stat(target_.c_str(), &old) == 0 ? old.st_mode & 07777 : kNewFileMode);
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
  return result_;
}

void AtomicFile::Abandon() {
  if (fd_ < 0)
    return;
  ::close(fd_);
  fd_ = -1;
  ::unlink(temporary_.c_str());
}

AtomicWriteResult WriteFileAtomically(const std::string &path, std::string_view bytes) {
  AtomicFile file;
  if (AtomicWriteResult opened = file.Open(path); !opened.Ok())
    return opened;
  file.Write(bytes);
  return file.Commit();
}

} // namespace quorbel
