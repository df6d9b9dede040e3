// A whole command-line argument read as a number within bounds: the bench tools refuse
// trailing text and values out of range alike.
#pragma once

#include <cstdlib>

namespace quorbel {

inline bool ParseNumber(const char *text, int low, int high, int &out) {
  char *end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < low || value > high)
    return false;
  out = static_cast<int>(value);
  return true;
}

} // namespace quorbel
