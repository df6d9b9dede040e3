// On POSIX calls: O_NONBLOCK is what keeps open() from waiting for a FIFO's writer, and the type
// is checked on the descriptor itself, so a name swapped after the check cannot slip through.
#include "platform/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quorbel {

namespace {

constexpr const char *kNotARegularFile = "not a regular file";
constexpr const char *kLinkToNothing = "a symbolic link to nothing";

std::string SystemError(const char *call) { return std::string(call) + ": " + std::strerror(errno); }

} // namespace

ReadableFile::~ReadableFile() {
  if (fd_ >= 0)
    ::close(fd_);
}

ReadableFile::ReadableFile(ReadableFile &&other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(other.size_), failure_(other.failure_),
      message_(std::move(other.message_)) {}

ReadableFile &ReadableFile::operator=(ReadableFile &&other) noexcept {
  if (this != &other) {
    if (fd_ >= 0)
      ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    size_ = other.size_;
    failure_ = other.failure_;
    message_ = std::move(other.message_);
  }
  return *this;
}

std::FILE *ReadableFile::ReleaseAsStream() {
  if (fd_ < 0)
    return nullptr;
  std::FILE *stream = ::fdopen(fd_, "rb");
  if (!stream) {
    failure_ = RegularFileFailure::CannotOpen;
    message_ = SystemError("fdopen");
    return nullptr;
  }
  fd_ = -1;
  return stream;
}

ReadableFile OpenRegularFile(const std::string &path) {
  ReadableFile file;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    // A socket cannot be opened at all: what stands there is named rather than the call.
    struct stat named {};
    const std::string why = SystemError("open");
    const bool other = ::stat(path.c_str(), &named) == 0 && !S_ISREG(named.st_mode);
    file.failure_ = other ? RegularFileFailure::NotAFile : RegularFileFailure::CannotOpen;
    file.message_ = other ? kNotARegularFile : why;
    return file;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    file.failure_ = RegularFileFailure::CannotOpen;
    file.message_ = SystemError("fstat");
    ::close(fd);
    return file;
  }
  if (!S_ISREG(info.st_mode)) {
    file.failure_ = RegularFileFailure::NotAFile;
    file.message_ = kNotARegularFile;
    ::close(fd);
    return file;
  }
  // A regular file never blocks; the readers expect ordinary reads.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  file.fd_ = fd;
  file.size_ = static_cast<uint64_t>(info.st_size);
  return file;
}

std::FILE *OpenRegularFileStream(const std::string &path, std::string *reason) {
  ReadableFile file = OpenRegularFile(path);
  std::FILE *stream = file.ReleaseAsStream();
  if (!stream && reason)
    *reason = file.Message();
  return stream;
}

RegularFileBytes ReadRegularFile(const std::string &path, uint64_t maxBytes, size_t headBytes,
                                 const SizeLimitOfHead &limitOfHead) {
  RegularFileBytes result;
  auto fail = [&](RegularFileFailure failure, std::string message) {
    result.Failure = failure;
    result.Message = std::move(message);
    result.Bytes.clear();
    return result;
  };
  const ReadableFile file = OpenRegularFile(path);
  if (!file.IsOpen())
    return fail(file.Failure(), file.Message());
  const uint64_t size = file.Size();
  auto readUpTo = [&](size_t end) {
    size_t done = result.Bytes.size();
    result.Bytes.resize(end);
    while (done < end) {
      const ssize_t n = ::read(file.Fd(), result.Bytes.data() + done, end - done);
      if (n < 0 && errno == EINTR)
        continue;
      if (n == 0) {
        fail(RegularFileFailure::CannotRead, "the file became shorter while it was read");
        return false;
      }
      if (n < 0) {
        fail(RegularFileFailure::CannotRead, SystemError("read"));
        return false;
      }
      done += static_cast<size_t>(n);
    }
    return true;
  };
  auto tooLarge = [&](uint64_t limit) {
    return fail(RegularFileFailure::TooLarge,
                std::to_string(size) + " bytes, at most " + std::to_string(limit) + " expected");
  };
  if (size > maxBytes)
    return tooLarge(maxBytes);
  if (limitOfHead) {
    if (!readUpTo(static_cast<size_t>(std::min<uint64_t>(size, headBytes))))
      return result;
    if (const uint64_t limit = limitOfHead(result.Bytes); size > limit)
      return tooLarge(limit);
  }
  if (!readUpTo(static_cast<size_t>(size)))
    return result;
  result.Ok = true;
  return result;
}

RegularFileText ReadRegularFileText(const std::string &path, uint64_t maxBytes) {
  RegularFileBytes bytes = ReadRegularFile(path, maxBytes);
  RegularFileText text{bytes.Ok, bytes.Failure, std::move(bytes.Message), {}};
  text.Text.assign(bytes.Bytes.begin(), bytes.Bytes.end());
  return text;
}

bool AppendToRegularFile(const std::string &path, std::string_view bytes, std::string *reason) {
  auto fail = [reason](std::string why) {
    if (reason)
      *reason = std::move(why);
    return false;
  };
  constexpr int kFlags = O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  int fd = ::open(path.c_str(), kFlags);
  if (fd < 0 && errno == ENOENT) {
    // Made only where nothing stands: O_EXCL follows no link, so a link to nothing is refused
    // rather than followed to make a file at its end.
    fd = ::open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0666);
    struct stat named {};
    if (fd < 0 && errno == EEXIST && ::lstat(path.c_str(), &named) == 0 && S_ISLNK(named.st_mode) &&
        ::stat(path.c_str(), &named) != 0)
      return fail(kLinkToNothing);
    if (fd < 0 && errno == EEXIST)
      fd = ::open(path.c_str(), kFlags); // made meanwhile by another writer
  }
  if (fd < 0) {
    // A FIFO without reader refuses a non-blocking open (ENXIO): name what stands there instead.
    struct stat named {};
    const std::string why = SystemError("open");
    return fail(::stat(path.c_str(), &named) == 0 && !S_ISREG(named.st_mode) ? kNotARegularFile : why);
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return fail(kNotARegularFile);
  }
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      const std::string why = n < 0 ? SystemError("write") : std::string("write: nothing written");
      ::close(fd);
      return fail(why);
    }
    done += static_cast<size_t>(n);
  }
  if (::close(fd) != 0)
    return fail(SystemError("close"));
  return true;
}

} // namespace quorbel
