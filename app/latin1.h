// Text inside the program is UTF-8; the text files it writes and reads are Latin-1, so that
// they pass unchanged between this program and the files made elsewhere.
#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// Characters beyond Latin-1, and bytes that are not UTF-8, become '?'.
std::string Utf8ToLatin1(std::string_view utf8);
std::string Latin1ToUtf8(std::string_view latin1);

} // namespace quorbel
