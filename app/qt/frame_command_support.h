// What the frame's command handlers share: the board view's switches, the mode and variant
// tests of their update handlers, and the steps every display command ends with (candidates
// again, repaint, one macro step).
#pragma once

#include <span>
#include <string_view>

#include "engine/variant_bits.h"
#include "view/display_switches.h"
#include "app/game_clock.h"

class CQuorbelApp;
class BoardWindow;

namespace quorbel {

inline constexpr int32_t kPictureSymbols = 3;

// The board view's switches; a record of the commands' own while no board view exists.
DisplaySwitches &FrameSwitches();
BoardWindow *FrameView();

bool QuickMode(CQuorbelApp &app);
// The rules of every main grid together.
VariantWords CombinedVariants(CQuorbelApp &app);
// True when `words` is none or exactly one of `alone`.
bool NoneOrOneOf(VariantWords words, std::span<const VariantWords> alone);

// The candidates of every main grid again, from scratch (a display switch can bring some back).
void RecomputeAllPossibles(CQuorbelApp &app);
// "Y" when on, "N" when off.
std::string_view YesNo(bool on);

} // namespace quorbel
