// Callers told apart by address, so that a run of connections from one address is said once: the
// first in full, the others counted, and the count said once the run has paused.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quorbel {

// A run of connections from one address ends after this long without one.
inline constexpr int64_t kCallerRunPauseMs = 2000;

class CallerTally {
public:
  // A connection from `address` at `nowMs`: true when it is the first of its run, to be said.
  bool Arrived(const std::string &address, int64_t nowMs);
  // The runs paused at `nowMs` with more than their first connection, each said once:
  // "<n> more connections from <address>".
  std::vector<std::string> Paused(int64_t nowMs);
  bool Waiting() const { return !runs_.empty(); }

private:
  struct Run {
    int64_t LastMs = 0;
    int More = 0; // connections after the first
  };
  std::map<std::string, Run> runs_;
};

} // namespace quorbel
