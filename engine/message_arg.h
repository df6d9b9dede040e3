// A typed argument of a numbered panel message: the message table's fields are filled
// from these, never from a format string that came from outside.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace quorbel {

using MessageArg = std::variant<int32_t, std::string>;

} // namespace quorbel
