// What the grid services need of the search history, which lives in its own files: the
// solutions the last search stored, and forgetting them. Until those files are merged,
// search_history_access.cpp answers that nothing is stored.
#pragma once

namespace quorbel {

struct EngineContext;
struct GridRecord;

// Whether the last search stored a solution of main grid `slot` at `level`. Levels at or
// beyond its stored count hold no solution of that search.
bool HasStoredSolution(const EngineContext &ctx, int level, int slot);
// Copies that solution into `dst` as CopyGrid (mode 0) would; 0 and no change when none.
int CopyStoredSolutionTo(EngineContext &ctx, int level, int slot, GridRecord &dst);
// Forgets every stored solution (InitSearchHistory).
void ForgetSearchSolutions(EngineContext &ctx);

} // namespace quorbel
