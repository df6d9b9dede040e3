// The expert's "ProbEqual.csv": how many distinct cells of a 9 x 9 grid j rounds of k random
// cells are expected to cover, for j = 2..12 and k = 2..29.
#pragma once

#include <string>

namespace quorbel {

// The whole file: a heading line of the k values, then one line per j, each value "%f;".
std::string ProbEqualTable();

} // namespace quorbel
