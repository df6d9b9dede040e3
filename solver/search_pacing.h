// What the two search routes share inside one RunGridSearch call: the time limit, the
// progress shown once a second, the stop flag, the player's abort, and the marks that
// say where a paused search stands.
#pragma once

#include <algorithm>
#include <cstdint>

#include "engine/engine_context.h"
#include "platform/clock.h"

namespace quorbel {

// After the last level of a paused search, BranchStack[SearchDepth] says whether the
// node there still has to be explored (a stop) or has given its solution already.
constexpr int16_t kTopPending = -2;
constexpr int16_t kTopDone = -1;
// SearchDepth of a search that is exhausted: further calls find nothing more.
constexpr int32_t kSearchExhausted = -1;

// The fraction of the tree done, from the first levels of the branch stack: each level
// weighs twice the next one. count(k) is the number of candidates tried at level k,
// index(k) the one under trial (from 1).
template <typename Count, typename Index> double BranchProgress(int depth, Count count, Index index) {
  constexpr int kLevelsShown = 7;
  const int levels = std::min(depth, kLevelsShown);
  double done = 0;
  double all = 0;
  for (int k = 0; k < levels; ++k) {
    all = 2 * all + count(k);
    done = 2 * done + index(k);
  }
  return all > 0 ? std::clamp(done / all, 0.0, 1.0) : 0.0;
}

// The candidates of a grid in search, as the search recomputes them at each node: a main
// grid with the others (and the filters between linked grids), any other grid alone.
void PropagateSearchGrid(EngineContext &ctx, GridRecord &grid);

class SearchPacer {
public:
  SearchPacer(EngineContext &ctx, GridRecord &grid) : ctx_(ctx), grid_(grid), start_(TimeGetTime()) {
    grid.SearchStop = 0;
  }

  // At the top of each search step. The time limit raises the stop flag; a raised flag is
  // cleared and ends the call with -9. Once a second the progress bar moves to
  // progress() x 1000.
  template <typename Progress> bool MustStop(Progress progress) {
    const uint32_t now = TimeGetTime();
    const int32_t limit = ctx_.Settings.TimeOver;
    if (limit >= 0 && ElapsedMillis(start_, now) > static_cast<uint32_t>(limit))
      grid_.SearchStop = 1;
    if (static_cast<int32_t>(now - nextProgress_) >= 0) {
      constexpr uint32_t kProgressEveryMs = 1000;
      constexpr double kBarRange = 1000;
      nextProgress_ = now + kProgressEveryMs;
      ctx_.Host->StepWaitProgress(static_cast<int>(progress() * kBarRange));
    }
    if (grid_.SearchStop == 0)
      return false;
    grid_.SearchStop = 0;
    return true;
  }

  // The time limit and the progress start again, as for a new call.
  void Restart() {
    start_ = nextProgress_ = TimeGetTime();
    grid_.SearchStop = 0;
  }

  // The player's one abort (Escape, right button, the progress dialog's Cancel), polled
  // through the host, which pumps events at most once a second.
  bool Aborted() { return ctx_.Host->PollUserAbort(); }

private:
  EngineContext &ctx_;
  GridRecord &grid_;
  uint32_t start_;
  uint32_t nextProgress_ = start_; // the first step shows progress at once
};

} // namespace quorbel
