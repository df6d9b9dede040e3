// The pid of a process that has ended, for files named after a process that a sweep must know
// for a dead one's leftovers.
#pragma once

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorbel::testing {

// A child that exits at once, reaped: its pid names no living process until the system reuses it.
inline pid_t EndedProcessId() {
  const pid_t child = ::fork();
  if (child == 0)
    ::_exit(0);
  if (child > 0)
    ::waitpid(child, nullptr, 0);
  return child;
}

} // namespace quorbel::testing
