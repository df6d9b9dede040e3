// Storing, stepping through and reading back the solutions of the search.
#include "engine/search_history.h"

#include <algorithm>

#include "engine/engine_context.h"

namespace quorbel {

namespace {

constexpr int kMessageFoundGrid = 18;       // "Display !found grid!%d! %d/%d %s"
constexpr int32_t kHelpFoundGrids = 98332;  // help on stepping through the found grids
constexpr int32_t kMacroDisplaySearch = 14; // DISPS

} // namespace

void InitSearchHistory(SearchHistory &history) {
  history.Levels = {};
  for (SnapshotWriter &writer : history.Writers)
    writer.Clear();
  history.Scratch = {};
  history.StoredCount = 0;
  history.ShownLevel = -1;
}

int StoreSearchSolution(EngineContext &ctx) {
  SearchHistory &history = ctx.Solutions;
  const int level = std::max(history.StoredCount, 0);
  if (level > kLastSearchLevel)
    return 0;
  const auto at = static_cast<size_t>(level);
  const SnapshotRow *previous = at > 0 && at <= history.Levels.size() ? &history.Levels[at - 1] : nullptr;
  SnapshotRow stored = CaptureMainGrids(ctx, history.Writers, previous);
  history.Levels.resize(at + 1);
  history.Levels[at] = std::move(stored);
  history.StoredCount = level + 1;
  return 1;
}

int ShowSearchSolution(EngineContext &ctx, int n) {
  SearchHistory &history = ctx.Solutions;
  if (n < 0 || n >= history.StoredCount || n >= ctx.Settings.MaxSearchSave ||
      static_cast<size_t>(n) >= history.Levels.size())
    return -1;
  RestoreMainGrids(ctx, history.Levels[n], history.Scratch);
  const MessageArg args[] = {kHelpFoundGrids, n + 1, history.StoredCount, std::string()};
  ctx.Host->ShowMessage(kMessageFoundGrid, args);
  history.ShownLevel = n;
  RecordedAction step;
  step.Code = kMacroDisplaySearch;
  step.Ints[0] = n;
  ctx.Host->RecordMacroStep(step);
  return 1;
}

const GridSnapshot *StoredSolution(const SearchHistory &history, int level, int slot) {
  if (level < 0 || level >= history.StoredCount || static_cast<size_t>(level) >= history.Levels.size() ||
      slot < 0 || slot >= kMaxGrids)
    return nullptr;
  return history.Levels[level][slot].get();
}

int CopyStoredSolution(EngineContext &ctx, int level, int slot, GridRecord &dst) {
  const GridSnapshot *snapshot = StoredSolution(ctx.Solutions, level, slot);
  if (snapshot == nullptr)
    return 0;
  RestoreSnapshot(ctx, *snapshot, dst, ctx.Solutions.Scratch);
  return 1;
}

} // namespace quorbel
