// Filling and marking the reference grids. Both setters end like a player's command: the
// Double-and-Triple maximum follows the score, and a macro step REFGRID is recorded.
#include "engine/reference_grids.h"

#include <algorithm>

#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/search_history.h"

namespace quorbel {

namespace {

constexpr int32_t kMacroRefGrid = 13; // REFGRID in the command-script language

void AnnounceNewReference(EngineContext &ctx) {
  ctx.Host->SetTripleMaxScoreFromGameScore();
  ctx.Host->RecordMacroStep(RecordedAction{.Code = kMacroRefGrid});
}

} // namespace

int SetRefTabFromSearch(EngineContext &ctx, int slot) {
  GridSet &set = ctx.Grids;
  const bool all = slot < 0;
  if (!all && slot >= UsedMainCount(set))
    return 0;
  const int first = all ? 0 : slot;
  const int last = all ? UsedMainCount(set) - 1 : slot;
  // Every solution must be there before any reference changes.
  for (int s = first; s <= last; ++s)
    if (!StoredSolution(ctx.Solutions, 0, s))
      return 0;
  for (int s = first; s <= last; ++s)
    CopyStoredSolution(ctx, 0, s, set.RefTab[s]);
  MarkRefTabStates(ctx, all ? -1 : slot, 0);
  AnnounceNewReference(ctx);
  return 1;
}

int SetRefTabFromCurrent(EngineContext &ctx) {
  GridSet &set = ctx.Grids;
  for (int s = 0; s < UsedMainCount(set); ++s)
    CopyGrid(ctx, set.RefTab[s], &set.Main[s], kCopyBoth);
  MarkRefTabStates(ctx, -1, 1);
  AnnounceNewReference(ctx);
  return 1;
}

int MarkRefTabStates(EngineContext &ctx, int slot, int keepOpen) {
  GridSet &set = ctx.Grids;
  set.RefTab[0].State = kGridConsistent;
  const bool all = slot < 0;
  if (!all && slot >= kMaxGrids)
    return 1;
  const int first = all ? 0 : slot;
  const int last = all ? UsedMainCount(set) - 1 : slot;
  for (int s = first; s <= last; ++s) {
    const auto cells = set.Main[s].PlayingCells(ctx.Geo);
    auto refCells = set.RefTab[s].PlayingCells(ctx.Geo);
    const size_t n = std::min(cells.size(), refCells.size());
    for (size_t i = 0; i < n; ++i) {
      const int32_t status = cells[i].Status;
      if (status == kStatusFixed) {
        refCells[i].Status = kStatusFixed;
      } else if (status > kStatusConflict && keepOpen != 0) {
        refCells[i].Status = kStatusEmpty;
        set.RefTab[0].State = kGridOpen;
      } else {
        refCells[i].Status = kStatusHypothesis;
      }
    }
  }
  return 1;
}

} // namespace quorbel
