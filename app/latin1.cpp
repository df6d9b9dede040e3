#include "app/latin1.h"

namespace quorbel {

namespace {
constexpr char kUnmappable = '?';
constexpr unsigned char kAsciiEnd = 0x80;
} // namespace

std::string Utf8ToLatin1(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < kAsciiEnd) {
      out += static_cast<char>(lead);
      ++i;
      continue;
    }
    // Length of the sequence from its lead byte; a stray continuation byte counts as one.
    const size_t length = (lead & 0xE0) == 0xC0   ? 2
                          : (lead & 0xF0) == 0xE0 ? 3
                          : (lead & 0xF8) == 0xF0 ? 4
                                                  : 1;
    bool valid = length > 1 && i + length <= utf8.size();
    for (size_t k = 1; valid && k < length; ++k)
      valid = (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80;
    if (!valid) {
      out += kUnmappable;
      ++i;
      continue;
    }
    // Only two-byte sequences led by 0xC2 or 0xC3 land inside Latin-1 (U+0080..U+00FF).
    if (length == 2 && (lead == 0xC2 || lead == 0xC3))
      out += static_cast<char>(((lead & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
    else
      out += kUnmappable;
    i += length;
  }
  return out;
}

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < kAsciiEnd) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

} // namespace quorbel
