// File reading and the replace-by-rename write, on POSIX calls so that a save is either
// the whole new file or the untouched old one.
#include "files/file_bytes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/atomic_file.h"

namespace quorbel {

namespace {

// The call that failed and the system's reason; the player's sentence names the file.
std::string SystemError(std::string_view call) { return std::string(call) + ": " + std::strerror(errno); }

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

private:
  int fd_;
};

} // namespace

FileBytesResult ReadFileBytes(const std::string &path, uint64_t maxBytes) {
  return ReadFileBytes(path, maxBytes, 0, nullptr);
}

FileBytesResult ReadFileBytes(const std::string &path, uint64_t maxBytes, size_t headBytes,
                              const SizeLimitOfHead &limitOfHead) {
  FileBytesResult result;
  auto fail = [&](FileFailure failure, std::string message) {
    result.Failure = failure;
    result.Message = std::move(message);
    result.Bytes.clear();
    return result;
  };
  // Opened without blocking: a FIFO or a device would otherwise wait for a writer for ever.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info {};
  if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0)
    return fail(FileFailure::CannotOpen, SystemError("open"));
  if (!S_ISREG(info.st_mode))
    return fail(FileFailure::NotAFile, "not a regular file");
  ::fcntl(file.Get(), F_SETFL, ::fcntl(file.Get(), F_GETFL) & ~O_NONBLOCK);
  const uint64_t size = static_cast<uint64_t>(info.st_size);
  auto readUpTo = [&](size_t end) {
    size_t done = result.Bytes.size();
    result.Bytes.resize(end);
    while (done < end) {
      const ssize_t n = ::read(file.Get(), result.Bytes.data() + done, end - done);
      if (n < 0 && errno == EINTR)
        continue;
      if (n == 0) {
        fail(FileFailure::CannotRead, "the file became shorter while it was read");
        return false;
      }
      if (n < 0) {
        fail(FileFailure::CannotRead, SystemError("read"));
        return false;
      }
      done += static_cast<size_t>(n);
    }
    return true;
  };
  auto tooLarge = [&](uint64_t limit) {
    return fail(FileFailure::TooLarge,
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

FileWriteResult WriteFileReplacing(const std::string &path, std::string_view bytes) {
  const AtomicWriteResult written = WriteFileAtomically(path, bytes);
  switch (written.Failure) {
  case AtomicWriteFailure::None:
    return {};
  case AtomicWriteFailure::CannotCreate:
    return {FileFailure::CannotCreate, written.Message};
  case AtomicWriteFailure::CannotWrite:
    return {FileFailure::CannotWrite, written.Message};
  case AtomicWriteFailure::CannotReplace:
    return {FileFailure::CannotReplace, written.Message};
  }
  return {FileFailure::CannotWrite, written.Message};
}

} // namespace quorbel
