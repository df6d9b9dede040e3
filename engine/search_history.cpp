// Storing, stepping through and reading back the solutions of the search.
#include "engine/search_history.h"
#include "engine/message_numbers.h"

#include <algorithm>

#include "engine/engine_context.h"
#include "platform/help_contexts.h"

namespace quorbel {

namespace {

constexpr int32_t kHelpFoundGrids = HelpContext("found grids"); // help on stepping through the found grids
// The shown solution is recorded by its number (DISPN, one-based), which a replay shows whatever
// solution it stands on; DISPS would read it as a step from there.
constexpr int32_t kMacroShowSolution = 15; // DISPN

} // namespace

void InitSearchHistory(SearchHistory &history) {
  ClearRows(history.Levels);
  history.StoredCount = 0;
  history.ShownLevel = -1;
}

int StoreSearchSolution(EngineContext &ctx) {
  SearchHistory &history = ctx.Solutions;
  const int level = std::max(history.StoredCount, 0);
  if (level > kLastSearchLevel)
    return 0;
  StoreRow(ctx, history.Levels, level);
  history.StoredCount = level + 1;
  return 1;
}

int ShowSearchSolution(EngineContext &ctx, int n) {
  SearchHistory &history = ctx.Solutions;
  if (n < 0 || n >= history.StoredCount || n >= ctx.Settings.MaxSearchSave ||
      !RestoreRow(ctx, history.Levels, n))
    return -1;
  const MessageArg args[] = {kHelpFoundGrids, n + 1, history.StoredCount, std::string()};
  ctx.Host->ShowMessage(kMsgShowFoundGrid, args);
  history.ShownLevel = n;
  RecordedAction step;
  step.Code = kMacroShowSolution;
  step.Ints[0] = n + 1;
  ctx.Host->RecordMacroStep(step);
  return 1;
}

const GridSnapshot *StoredSolution(const SearchHistory &history, int level, int slot) {
  if (level < 0 || level >= history.StoredCount || static_cast<size_t>(level) >= history.Levels.Rows.size() ||
      slot < 0 || slot >= kMaxGrids)
    return nullptr;
  return history.Levels.Rows[level][slot].get();
}

int CopyStoredSolution(EngineContext &ctx, int level, int slot, GridRecord &dst) {
  const GridSnapshot *snapshot = StoredSolution(ctx.Solutions, level, slot);
  if (snapshot == nullptr)
    return 0;
  RestoreSnapshot(ctx, *snapshot, dst, ctx.Solutions.Levels.Scratch);
  return 1;
}

} // namespace quorbel
