// Stand-in for the search history until its own files are merged: nothing is stored.
// Once merged, each body is one call: StoredSolution(ctx.Solutions, level, slot) != nullptr,
// CopyStoredSolution(ctx, level, slot, dst) and InitSearchHistory(ctx.Solutions).
#include "engine/search_history_access.h"

namespace quorbel {

bool HasStoredSolution(const EngineContext & /*ctx*/, int /*level*/, int /*slot*/) { return false; }

int CopyStoredSolutionTo(EngineContext & /*ctx*/, int /*level*/, int /*slot*/, GridRecord & /*dst*/) {
  return 0;
}

void ForgetSearchSolutions(EngineContext & /*ctx*/) {}

} // namespace quorbel
