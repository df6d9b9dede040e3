// The results that solving, searching and the methods return, shared by the engine's rules
// and the solver.
#pragma once

namespace quorbel {

// Results of solving and searching. The counters return a count of 0 or more instead of
// the first three.
enum SolveResult : int {
  kSolveFound = 1,       // a solution found, or done
  kSolveExhausted = 0,   // the search is exhausted, or refused
  kSolveStopped = -1,    // stopped while backtracking; nothing placed or no solution
  kSolvePlaced = -3,     // values placed
  kSolveTimeOut = -9,    // the TIMEOVER time limit, or a stop request
  kSolveCancelled = -10, // the player asked the computation to stop
};

} // namespace quorbel
