// What the frame's command handlers share: the board view's switches, the mode and variant
// tests of their update handlers, and the steps every display command ends with (candidates
// again, repaint, one macro step).
#pragma once

#include <span>
#include <string_view>

#include "app/app_settings.h"
#include "app/game_clock.h"
#include "engine/engine_context.h"
#include "engine/variant_bits.h"
#include "view/display_switches.h"

class BoardWindow;

namespace quorbel {

inline constexpr int32_t kPictureSymbols = 3;

// The switches of `view`; a record of the commands' own while no board view exists.
DisplaySwitches &FrameSwitches(BoardWindow *view);

bool QuickMode(const AppSettings &settings);
// The rules of every main grid together.
VariantWords CombinedVariants(const EngineContext &engine);
// True when `words` is none or exactly one of `alone`.
bool NoneOrOneOf(VariantWords words, std::span<const VariantWords> alone);

// "Y" when on, "N" when off.
std::string_view YesNo(bool on);

} // namespace quorbel
