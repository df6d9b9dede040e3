// Conversion between the program's UTF-8 strings and the Latin-1 bytes of the text files
// it shares with other systems (macro files and the like).
#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// Every Latin-1 byte becomes its code point in UTF-8.
std::string Latin1ToUtf8(std::string_view latin1);

// The Latin-1 bytes of `utf8`; a character beyond U+00FF or a malformed sequence becomes
// one "?", and `lossless` (when given) tells whether that ever happened.
std::string Utf8ToLatin1(std::string_view utf8, bool *lossless = nullptr);

} // namespace quorbel
