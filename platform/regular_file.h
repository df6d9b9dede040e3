// Reading files from outside the program: only a regular file is read, and opening never waits,
// so a FIFO, a device or a folder put where a data file belongs is refused with a reason instead
// of stopping the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

enum class RegularFileFailure { None, CannotOpen, NotAFile, TooLarge, CannotRead };

// A descriptor open for reading, closed with the object.
class ReadableFile {
public:
  ReadableFile() = default;
  ~ReadableFile();
  ReadableFile(ReadableFile &&other) noexcept;
  ReadableFile &operator=(ReadableFile &&other) noexcept;
  ReadableFile(const ReadableFile &) = delete;
  ReadableFile &operator=(const ReadableFile &) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  int Fd() const { return fd_; }
  uint64_t Size() const { return size_; }
  RegularFileFailure Failure() const { return failure_; }
  const std::string &Message() const { return message_; } // the reason, for the player and the log
  // Hands the descriptor over as a stdio stream ("rb"); null when the file is not open.
  std::FILE *ReleaseAsStream();

private:
  friend ReadableFile OpenRegularFile(const std::string &path);
  int fd_ = -1;
  uint64_t size_ = 0;
  RegularFileFailure failure_ = RegularFileFailure::None;
  std::string message_;
};

ReadableFile OpenRegularFile(const std::string &path);

// `path` as a stdio stream for reading, or null with the reason in `reason` when given.
std::FILE *OpenRegularFileStream(const std::string &path, std::string *reason = nullptr);

struct RegularFileBytes {
  bool Ok = false;
  RegularFileFailure Failure = RegularFileFailure::None;
  std::string Message;
  std::vector<uint8_t> Bytes;
};

// A file larger than `maxBytes` is refused without being read. A file within it may be held to
// less by `limitOfHead`, shown its first `headBytes` bytes (fewer in a shorter file).
using SizeLimitOfHead = std::function<uint64_t(std::span<const uint8_t> head)>;
RegularFileBytes ReadRegularFile(const std::string &path, uint64_t maxBytes, size_t headBytes = 0,
                                 const SizeLimitOfHead &limitOfHead = nullptr);

// The same, as text.
struct RegularFileText {
  bool Ok = false;
  RegularFileFailure Failure = RegularFileFailure::None;
  std::string Message;
  std::string Text;
};
RegularFileText ReadRegularFileText(const std::string &path, uint64_t maxBytes);

// Adds `bytes` at the end of `path`, made if missing; false without writing when it is anything
// but a regular file (a FIFO without reader would otherwise hold the program, a device take the
// bytes), or a link to nothing, whose target it never makes. The reason goes to `reason` when
// given.
bool AppendToRegularFile(const std::string &path, std::string_view bytes, std::string *reason = nullptr);

} // namespace quorbel
