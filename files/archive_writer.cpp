// The archive encodings, written byte by byte so the host's byte order never matters.
#include "files/archive_writer.h"

#include <bit>

#include "files/latin1_text.h"

namespace quorbel {

namespace {
constexpr uint8_t kLongLength = 0xFF;
constexpr uint32_t kMaxShortLength = 0xFF;    // lengths below take one byte
constexpr uint32_t kMaxMediumLength = 0xFFFE; // lengths below take 0xFF and 16 bits
constexpr uint16_t kLengthIs32Bit = 0xFFFF;
} // namespace

void ArchiveWriter::WriteUInt32(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    bytes_.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void ArchiveWriter::WriteInt32(int32_t value) { WriteUInt32(static_cast<uint32_t>(value)); }

void ArchiveWriter::WriteInt64(int64_t value) {
  const auto bits = static_cast<uint64_t>(value);
  WriteUInt32(static_cast<uint32_t>(bits));
  WriteUInt32(static_cast<uint32_t>(bits >> 32));
}

void ArchiveWriter::WriteFloat(float value) { WriteUInt32(std::bit_cast<uint32_t>(value)); }

void ArchiveWriter::WriteDouble(double value) { WriteInt64(std::bit_cast<int64_t>(value)); }

void ArchiveWriter::WriteString(std::string_view utf8) {
  const std::string latin1 = Utf8ToLatin1(utf8);
  const auto length = static_cast<uint32_t>(latin1.size());
  if (length < kMaxShortLength) {
    bytes_.push_back(static_cast<char>(length));
  } else {
    bytes_.push_back(static_cast<char>(kLongLength));
    if (length < kMaxMediumLength) {
      bytes_.push_back(static_cast<char>(length & 0xFF));
      bytes_.push_back(static_cast<char>(length >> 8));
    } else {
      bytes_.push_back(static_cast<char>(kLengthIs32Bit & 0xFF));
      bytes_.push_back(static_cast<char>(kLengthIs32Bit >> 8));
      WriteUInt32(length);
    }
  }
  bytes_ += latin1;
}

void ArchiveWriter::WriteTime(int64_t seconds) {
  WriteUInt32(kArchiveTimeMarker);
  WriteInt64(seconds);
}

void ArchiveWriter::WriteRaw(std::span<const uint8_t> bytes) {
  bytes_.append(reinterpret_cast<const char *>(bytes.data()), bytes.size());
}

} // namespace quorbel
