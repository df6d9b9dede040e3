// File reading and the replace-by-rename write, on POSIX calls so that a save is either
// the whole new file or the untouched old one.
#include "files/file_bytes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorbel {

namespace {

constexpr mode_t kNewFileMode = 0644;

std::string SystemError(std::string_view what, const std::string &path) {
  return std::string(what) + " \"" + path + "\": " + std::strerror(errno);
}

// Closes the descriptor on every path out.
class Descriptor {
public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  Descriptor(const Descriptor &) = delete;
  Descriptor &operator=(const Descriptor &) = delete;
  int Get() const { return fd_; }
  // Closes now; false when the close reported an error (data may not have reached the disk).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

private:
  int fd_;
};

} // namespace

FileBytesResult ReadFileBytes(const std::string &path, uint64_t maxBytes) {
  FileBytesResult result;
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0) {
    result.Message = SystemError("Cannot open", path);
    return result;
  }
  if (!S_ISREG(info.st_mode)) {
    result.Message = "\"" + path + "\" is not a file.";
    return result;
  }
  if (static_cast<uint64_t>(info.st_size) > maxBytes) {
    result.Message =
        "\"" + path + "\" is too large (" + std::to_string(info.st_size) + " bytes) to be a grid file.";
    return result;
  }
  result.Bytes.resize(static_cast<size_t>(info.st_size));
  size_t done = 0;
  while (done < result.Bytes.size()) {
    const ssize_t n = ::read(file.Get(), result.Bytes.data() + done, result.Bytes.size() - done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      result.Message =
          n == 0 ? "\"" + path + "\" became shorter while it was read." : SystemError("Cannot read", path);
      result.Bytes.clear();
      return result;
    }
    done += static_cast<size_t>(n);
  }
  result.Ok = true;
  return result;
}

std::string WriteFileReplacing(const std::string &path, std::string_view bytes) {
  std::string temporary = path + ".XXXXXX";
  Descriptor file(::mkstemp(temporary.data()));
  if (file.Get() < 0)
    return SystemError("Cannot create a file beside", path);
  struct stat old {};
  ::fchmod(file.Get(), ::stat(path.c_str(), &old) == 0 ? old.st_mode & 07777 : kNewFileMode);

  std::string error;
  size_t done = 0;
  while (done < bytes.size() && error.empty()) {
    const ssize_t n = ::write(file.Get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      error = SystemError("Cannot write", temporary);
    else
      done += static_cast<size_t>(n);
  }
  if (error.empty() && ::fsync(file.Get()) != 0)
    error = SystemError("Cannot write", temporary);
  if (!file.Close() && error.empty())
    error = SystemError("Cannot write", temporary);
  if (error.empty() && ::rename(temporary.c_str(), path.c_str()) != 0)
    error = SystemError("Cannot replace", path);
  if (!error.empty())
    ::unlink(temporary.c_str());
  return error;
}

} // namespace quorbel
