// What the grid services need of the search history, which lives in its own files:
// the stored solutions of the last search and emptying them. Until those files are
// merged, search_history_access.cpp answers that nothing is stored.
#pragma once

namespace quorbel {

struct EngineContext;
struct GridRecord;

// The snapshot of main grid `slot` at `level` of the search history, or null when the
// last search stored no such level (levels at or above its stored count hold stale grids).
const GridRecord *StoredSearchSolution(const EngineContext &ctx, int level, int slot);

// Forgets every stored solution (the history's stored count 0, no level shown).
void ForgetSearchSolutions(EngineContext &ctx);

} // namespace quorbel
