#include "files/latin1_text.h"

namespace quorbel {

namespace {

constexpr unsigned char kReplacement = '?';

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

} // namespace

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

std::string Utf8ToLatin1(std::string_view utf8, bool *lossless) {
  std::string out;
  out.reserve(utf8.size());
  bool exact = true;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      out += static_cast<char>(lead);
      ++i;
      continue;
    }
    // Only U+0080..U+00FF fit: lead byte 0xC2 or 0xC3 and one continuation byte.
    if ((lead == 0xC2 || lead == 0xC3) && i + 1 < utf8.size() &&
        IsContinuation(static_cast<unsigned char>(utf8[i + 1]))) {
      out += static_cast<char>(((lead & 0x03) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
      i += 2;
      continue;
    }
    // Anything else is replaced whole: skip the lead byte and its continuation bytes.
    exact = false;
    out += static_cast<char>(kReplacement);
    ++i;
    while (i < utf8.size() && IsContinuation(static_cast<unsigned char>(utf8[i])))
      ++i;
  }
  if (lossless)
    *lossless = exact;
  return out;
}

} // namespace quorbel
