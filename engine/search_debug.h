// The developer's trace of the search, written only while its switch is on.
#pragma once

#include <string_view>

namespace quorbel {

struct EngineContext;

// Appends `text` to "mydebug/debugSearch.txt" under the start directory (the folder is
// made when missing); start 1 empties the file first. Returns 1 when written, 0 when the
// switch is off or the file cannot be written.
int WriteSearchDebug(const EngineContext &ctx, std::string_view text, int start);

} // namespace quorbel
