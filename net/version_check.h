// Whether a newer release is published: the version marker read from the maker's home page,
// and the message that compares it with ours.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

inline constexpr double kOwnVersion = 5.0;

// The rest of the last line holding "sudokuversion" after its start, from 24 characters past
// the marker; empty when no line has it (a line that starts with it does not count).
std::string ReadPublishedVersion(std::string_view page);
// The number after the result's first 8 characters, read in the C locale; none when unread.
std::optional<double> PublishedVersionNumber(std::string_view published);
// The message of the check, in French (language 0) or English, naming the site.
std::string VersionMessage(std::optional<double> version, std::string_view site, int language);

} // namespace quorbel
