// The time limits the preferences offer for the generator and for the solution search: twenty
// entries, 2^(5 + i) ms for i = 0..18 and no limit last, with their texts in both languages.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quorbel {

inline constexpr int kTimeoutEntries = 20;
inline constexpr int kNoTimeoutIndex = 19;

extern const std::array<int32_t, kTimeoutEntries> TimeoutTable;

// The entry that shows a time limit: -1 the last; up to 32 ms the first; else the first entry
// at least as long, never beyond the longest finite one.
int TimeoutToComboIndex(int32_t milliseconds);

// The list text of entry `index` (French with `french`); the generation list marks its default
// (0,51 s) and the search list its own (2 s).
enum class TimeoutList { Generation, Search };
std::string TimeoutText(int index, bool french, TimeoutList list);

} // namespace quorbel
