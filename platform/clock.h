// Millisecond clock standing in for the Windows multimedia timer: monotonic,
// 32 bits wide and wrapping like the original, so differences stay valid
// across the wrap when taken in unsigned arithmetic.
#pragma once

#include <cstdint>

namespace quorbel {

uint32_t TimeGetTime();

// Milliseconds from `start` to `now`, correct across one wrap of the counter.
inline uint32_t ElapsedMillis(uint32_t start, uint32_t now) { return now - start; }

} // namespace quorbel
