// Small operations on lines of text read from files and on the date shown in the log.
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// "%d %B %Y - %H:%M" with English month names, whatever the user's locale.
std::string FormatDateTime(const std::tm &time);

// The lines of a text, each without its line end (CR LF or LF alone).
std::vector<std::string_view> SplitTextLines(std::string_view text);

// Removes one trailing "\n"; returns the new length.
size_t StripTrailingNewline(std::string &text);

// Reads the leading decimal number (0 when there is none; held within 32 bits), then keeps in
// `buffer` only the text after its first blank, without a trailing "\n".
int32_t TakeLeadingInt(std::string &buffer);

} // namespace quorbel
