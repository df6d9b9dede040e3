#include "net/caller_tally.h"

namespace quorbel {

bool CallerTally::Arrived(const std::string &address, int64_t nowMs) {
  const auto [at, first] = runs_.try_emplace(address, Run{nowMs, 0});
  if (!first) {
    at->second.LastMs = nowMs;
    ++at->second.More;
  }
  return first;
}

std::vector<std::string> CallerTally::Paused(int64_t nowMs) {
  std::vector<std::string> lines;
  for (auto at = runs_.begin(); at != runs_.end();) {
    if (nowMs - at->second.LastMs < kCallerRunPauseMs) {
      ++at;
      continue;
    }
    if (at->second.More > 0)
      lines.push_back(std::to_string(at->second.More) + " more connections from " + at->first);
    at = runs_.erase(at);
  }
  return lines;
}

} // namespace quorbel
