// The expert's reference-grid tools on the board: Home shows the reference grid over the grid
// (and puts the grid back at the next use), Insert and End update the reference.
#include "app/message_format.h"
#include "app/message_table.h"
#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/grid_services.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "files/macro_recorder.h"
#include "files/script_words.h"
#include "platform/help_contexts.h"
#include "view/qt/quorbel_view.h"

using namespace quorbel;

void CQuorbelView::ReferenceGridKey(int which) {
  static constexpr Cmd kTools[] = {Cmd::DisplayRefTab, Cmd::RefTabFromCurrent, Cmd::RefTabFromSearch};
  if (which >= 0 && which < 3)
    app_.RunCommand(kTools[which]);
}

void CQuorbelView::DisplayRefTab() {
  EngineContext &ctx = app_.Engine();
  if (RefTabShown == 1) {
    RefTabShown = 0;
    UndoLastState(ctx);
    UpdatePossibles(ctx, -1, -1, -1, 1);
    RedrawViewNow();
    return;
  }
  RefTabShown = 1;
  ReinitGrids(ctx, 0, 0, 0, 0);
  SaveUndoState(ctx);
  GridSet &set = ctx.Grids;
  const auto show = [&](int slot) {
    CopyGridCells(ctx.Geo, 2, set.Main[static_cast<size_t>(slot)], set.RefTab[static_cast<size_t>(slot)]);
  };
  if (selection_.Count > 0)
    show(selection_.Pairs[0].Grid);
  else
    for (int i = 0; i < UsedOrderCount(set); ++i)
      show(set.Order[static_cast<size_t>(i)]);
  UpdatePossibles(ctx, -1, -1, -1, 1);
  app_.Messages().AddInfoMessage(
      FormatPanelText(MessageFormat(1, app_.CurrentLanguage()), {HelpContext("scripts")}));
  RecordMacroStep(kMacroDispRef);
  RedrawViewNow();
}
