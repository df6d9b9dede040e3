// The bounds-checked archive cursor.
#include "files/archive_reader.h"

#include <bit>

#include "files/archive_writer.h"
#include "files/latin1_text.h"

namespace quorbel {

namespace {
constexpr uint8_t kLongLength = 0xFF;
constexpr uint16_t kWideCharacters = 0xFFFE;
constexpr uint16_t kLengthIs32Bit = 0xFFFF;

constexpr uint32_t kFirstSurrogate = 0xD800;
constexpr uint32_t kLastSurrogate = 0xDFFF;

// One 16-bit character; a surrogate half cannot stand alone in UTF-8 and becomes "?".
void AppendUtf8(std::string &out, uint32_t code) {
  if (code >= kFirstSurrogate && code <= kLastSurrogate) {
    out.push_back('?');
  } else if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}
} // namespace

void ArchiveReader::Fail(std::string_view what, std::string_view reason) {
  if (!Ok())
    return;
  error_ = std::string(what) + " at byte " + std::to_string(offset_) + ": " + std::string(reason);
}

void ArchiveReader::FailWith(std::string message) {
  if (Ok())
    error_ = std::move(message);
}

bool ArchiveReader::Need(size_t count, std::string_view what) {
  if (!Ok())
    return false;
  if (count > Remaining()) {
    Fail(what, "the file ends " + std::to_string(count - Remaining()) + " bytes too early");
    return false;
  }
  return true;
}

uint32_t ArchiveReader::ReadUInt32(std::string_view what) {
  if (!Need(4, what))
    return 0;
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i)
    value |= static_cast<uint32_t>(bytes_[offset_ + i]) << (8 * i);
  offset_ += 4;
  return value;
}

int32_t ArchiveReader::ReadInt32(std::string_view what) { return static_cast<int32_t>(ReadUInt32(what)); }

int64_t ArchiveReader::ReadInt64(std::string_view what) {
  if (!Need(8, what))
    return 0;
  const uint64_t low = ReadUInt32(what);
  const uint64_t high = ReadUInt32(what);
  return static_cast<int64_t>(low | (high << 32));
}

float ArchiveReader::ReadFloat(std::string_view what) { return std::bit_cast<float>(ReadUInt32(what)); }

double ArchiveReader::ReadDouble(std::string_view what) { return std::bit_cast<double>(ReadInt64(what)); }

uint32_t ArchiveReader::ReadLength(std::string_view what) {
  if (!Need(1, what))
    return 0;
  const uint8_t first = bytes_[offset_++];
  if (first != kLongLength)
    return first;
  if (!Need(2, what))
    return 0;
  const uint16_t medium = static_cast<uint16_t>(bytes_[offset_] | (bytes_[offset_ + 1] << 8));
  offset_ += 2;
  if (medium == kLengthIs32Bit)
    return ReadUInt32(what);
  return medium;
}

std::string ArchiveReader::ReadString(std::string_view what) {
  if (!Need(1, what))
    return {};
  bool wide = false;
  // The wide form announces itself with 0xFF 0xFFFE, then gives the length again.
  if (Remaining() >= 3 && bytes_[offset_] == kLongLength && bytes_[offset_ + 1] == (kWideCharacters & 0xFF) &&
      bytes_[offset_ + 2] == (kWideCharacters >> 8)) {
    offset_ += 3;
    wide = true;
  }
  const uint64_t length = ReadLength(what);
  const uint64_t byteCount = wide ? length * 2 : length;
  if (!Ok() || !Need(static_cast<size_t>(std::min<uint64_t>(byteCount, SIZE_MAX)), what))
    return {};
  std::string text;
  if (wide) {
    for (uint64_t i = 0; i < length; ++i)
      AppendUtf8(text, bytes_[offset_ + 2 * i] | (bytes_[offset_ + 2 * i + 1] << 8));
  } else {
    text = Latin1ToUtf8(std::string_view(reinterpret_cast<const char *>(bytes_.data() + offset_),
                                         static_cast<size_t>(length)));
  }
  offset_ += static_cast<size_t>(byteCount);
  return text;
}

int64_t ArchiveReader::ReadTime(std::string_view what) {
  const uint32_t first = ReadUInt32(what);
  if (first != kArchiveTimeMarker)
    return static_cast<int32_t>(first);
  return ReadInt64(what);
}

std::span<const uint8_t> ArchiveReader::ReadRaw(size_t count, std::string_view what) {
  if (!Need(count, what))
    return {};
  const auto block = bytes_.subspan(offset_, count);
  offset_ += count;
  return block;
}

} // namespace quorbel
