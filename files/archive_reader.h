// Reads the binary archive encodings of grid files through one bounds-checked cursor.
// The first failure sticks: it records what was being read, where and why, and every
// later read returns zero without moving, so a parser can read on and check once.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorbel {

class ArchiveReader {
public:
  explicit ArchiveReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  bool Ok() const { return error_.empty(); }
  // "<what> at byte <offset>: <reason>", empty while nothing failed.
  const std::string &Error() const { return error_; }
  size_t Offset() const { return offset_; }
  size_t Remaining() const { return bytes_.size() - offset_; }

  int32_t ReadInt32(std::string_view what);
  uint32_t ReadUInt32(std::string_view what);
  int64_t ReadInt64(std::string_view what);
  float ReadFloat(std::string_view what);
  double ReadDouble(std::string_view what);
  // 8-bit (Latin-1) or 16-bit characters in the file, UTF-8 out. The length is checked
  // against the bytes left before anything is allocated.
  std::string ReadString(std::string_view what);
  // Seconds; a first word other than the time marker is itself the (sign-extended) time.
  int64_t ReadTime(std::string_view what);
  // The next `count` bytes, or an empty span (and the failure) when fewer remain.
  std::span<const uint8_t> ReadRaw(size_t count, std::string_view what);

  // Records a failure found by the caller at the current offset (the first one wins).
  void Fail(std::string_view what, std::string_view reason);
  // A failure with a caller-made message, kept as it is.
  void FailWith(std::string message);

private:
  bool Need(size_t count, std::string_view what);
  uint32_t ReadLength(std::string_view what);

  std::span<const uint8_t> bytes_;
  size_t offset_ = 0;
  std::string error_;
};

} // namespace quorbel
