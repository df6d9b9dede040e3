#include "app/qt/frame_command_support.h"

#include "app/qt/board_window.h"
#include "engine/grid_set.h"

namespace quorbel {

DisplaySwitches &FrameSwitches(BoardWindow *view) {
  static DisplaySwitches withoutView;
  return view ? view->Switches() : withoutView;
}

bool QuickMode(const AppSettings &settings) { return settings.game.mode == kModeTimed; }

VariantWords CombinedVariants(const EngineContext &engine) {
  return SplitVariantWords(CombinedGridVar(engine.Grids, 1));
}

bool NoneOrOneOf(VariantWords words, std::span<const VariantWords> alone) {
  if (!words.Any())
    return true;
  for (const VariantWords &one : alone)
    if (words == one)
      return true;
  return false;
}

std::string_view YesNo(bool on) { return on ? "Y" : "N"; }

} // namespace quorbel
