// Writes the binary archive encodings of grid files: little-endian integers and floats,
// length-prefixed 8-bit strings, 12-byte time values and raw blocks, into a byte buffer
// that the caller writes to disk in one piece.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorbel {

// The marker int32 that opens a time value with a 64-bit count of seconds.
constexpr uint32_t kArchiveTimeMarker = 0x8000000A;

class ArchiveWriter {
public:
  void WriteInt32(int32_t value);
  void WriteUInt32(uint32_t value);
  // Low 32-bit word first.
  void WriteInt64(int64_t value);
  void WriteFloat(float value);
  void WriteDouble(double value);
  // UTF-8 in, Latin-1 bytes out, behind the shortest length prefix that holds the length.
  void WriteString(std::string_view utf8);
  void WriteTime(int64_t seconds);
  void WriteRaw(std::span<const uint8_t> bytes);

  const std::string &Bytes() const { return bytes_; }
  size_t Size() const { return bytes_.size(); }

private:
  std::string bytes_;
};

} // namespace quorbel
