// The message table: the numbered texts that the program's own code shows, each in French
// (entry n) and in English (entry n + kMessageCount). Constant data, built before start-up.
#pragma once

#include <array>
#include <string_view>

#include "app/own_text.h"
#include "platform/language.h"

namespace quorbel {

inline constexpr int kMessageCount = 153;

extern const std::array<std::string_view, 2 * kMessageCount> MessageTable;

// Message n in `language`; empty for a number outside the table.
std::string_view LookupMessage(int n, Language language);

// Message n as a format for the safe formatter (message_format.h) or the message panel.
OwnText MessageFormat(int n, Language language);

} // namespace quorbel
