// The macro steps the preference pages record: a switch with its word and "Y" or "N", a number
// with its word, a word alone.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/host.h"

namespace quorbel {

RecordedAction SwitchStep(int32_t code, std::string_view word, bool on);
RecordedAction NumberStep(int32_t code, std::string_view word, int32_t value);
RecordedAction WordStep(int32_t code, std::string_view word);

} // namespace quorbel
