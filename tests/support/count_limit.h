// The time limit of every solution count in a test: far beyond what any count here takes on a
// busy machine and well inside CTest's timeout of a test, so that a count that runs away fails
// its own test, saying where, instead of holding the suite.
#pragma once

#include <cstdint>

namespace quorbel::test {

inline constexpr int32_t kTestCountLimitMs = 30000;

} // namespace quorbel::test
