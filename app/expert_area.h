// The expert area's ranges turned into the test bench's inputs.
#pragma once

#include <vector>

#include "app/app_settings.h"
#include "app/batch_tests.h"

namespace quorbel {

inline constexpr int kMaxBenchTimeOuts = 50;

// start, start + step ... while within stop, at most 50 values.
std::vector<int32_t> TimeOutList(int start, int stop, int step);

// The inputs of a run started from the area: every range it holds, Normal giving the
// first diagonal value (0 with Normal, 1 without).
BenchInputs BenchInputsOf(const ExpertSettings &area);

} // namespace quorbel
