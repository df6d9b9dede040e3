#include "app/qt/frame_command_support.h"

#include "app/qt/board_window.h"
#include "app/qt/quorbel_app.h"
#include "engine/grid_set.h"
#include "engine/update_possibles.h"

namespace quorbel {

DisplaySwitches &FrameSwitches() {
  static DisplaySwitches withoutView;
  BoardWindow *view = FrameView();
  return view ? view->Switches() : withoutView;
}

BoardWindow *FrameView() { return TheApp() ? TheApp()->Board() : nullptr; }

bool QuickMode(CQuorbelApp &app) { return app.Settings().game.mode == kModeTimed; }

VariantWords CombinedVariants(CQuorbelApp &app) {
  return SplitVariantWords(CombinedGridVar(app.Engine().Grids, 1));
}

bool NoneOrOneOf(VariantWords words, std::span<const VariantWords> alone) {
  if (!words.Any())
    return true;
  for (const VariantWords &one : alone)
    if (words == one)
      return true;
  return false;
}

void RecomputeAllPossibles(CQuorbelApp &app) { RecomputeAllCandidates(app.Engine()); }

std::string_view YesNo(bool on) { return on ? "Y" : "N"; }

} // namespace quorbel
