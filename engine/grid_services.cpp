// ReinitGrids and the generated grid's comment.
#include "engine/grid_services.h"

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/highlights.h"
#include "engine/propagate.h"
#include "engine/search_history.h"
#include "engine/undo_services.h"

namespace quorbel {

void ReinitGrids(EngineContext &ctx, int endSearch, int commit, int clearColours, int undoPending) {
  GridSet &set = ctx.Grids;
  ctx.Host->ClearTrialMarks();
  set.Main[CurrentGridSlot(set)].TrialWord = 0;
  for (int slot = 0; slot < UsedMainCount(set); ++slot) {
    GridRecord &grid = set.Main[slot];
    ClearUnitHighlights(grid);
    ClearCellHighlights(grid);
    grid.TrialWord = 0;
    if (endSearch == 1)
      LeaveGridSearch(ctx, grid);
    if (commit == 1)
      CommitNewValues(ctx.Geo, grid);
    if (clearColours == 1)
      ResetCellColours(grid, -1);
  }
  if (endSearch == 1)
    InitSearchHistory(ctx.Solutions);
  if (undoPending == 1 && ctx.Host->TakeUndoPending())
    UndoLastState(ctx);
}

void SetGeneratedComment(EngineContext &ctx, std::string_view text) {
  const int language = ctx.Settings.Language == kLanguageFrench ? kLanguageFrench : kLanguageEnglish;
  ctx.GridComments[language] = std::string(text);
}

} // namespace quorbel
