// The solutions the search found, one level per solution, each a snapshot of every main
// grid, which the player steps through. Levels 0..StoredCount-1 are stored; nothing else
// can be read, so a search that found nothing never hands out an older solution.
#pragma once

#include <cstdint>

#include "engine/grid_snapshot.h"

namespace quorbel {

struct EngineContext;

// StoreSearchSolution refuses levels beyond this one.
constexpr int kLastSearchLevel = 105;

struct SearchHistory {
  SnapshotRows Levels;
  int32_t ShownLevel = -1; // -1: none shown
  int32_t StoredCount = 0;
};

// Empties the history and frees its snapshots. A search calls it before it stores its
// first solution; a count that stores nothing leaves the player's history alone.
void InitSearchHistory(SearchHistory &history);

// Stores the main grids as the next level and counts it (callers do not add to
// StoredCount). 0 and nothing stored when the level would lie beyond kLastSearchLevel.
int StoreSearchSolution(EngineContext &ctx);

// Copies level n into the main grids, says so in the message panel, makes it the shown
// level and records the step; the caller recomputes the candidates. -1 and no change
// when n is not a stored level or lies at or beyond the MAXSEARCHSAVE setting.
int ShowSearchSolution(EngineContext &ctx, int n);

// The stored snapshot of a slot at a level, null when there is none.
const GridSnapshot *StoredSolution(const SearchHistory &history, int level, int slot);
// Copies that snapshot into `dst` as CopyGrid (mode 0) would; 0 and no change when there is none.
int CopyStoredSolution(EngineContext &ctx, int level, int slot, GridRecord &dst);

} // namespace quorbel
