// The Display menu's on/off commands: the candidate helps (warning, rows and columns, probables,
// found values, variant filter, colouring, hidden variants), the board's areas and the shown
// state of the modeless panels.
#pragma once

#include <string_view>

#include "resources/command_table.h"

class CQuorbelApp;

namespace quorbel {

// The names the modeless panels are registered under (ModelessPanels::Register).
inline constexpr std::string_view kMethodsPanel = "Methods";
inline constexpr std::string_view kPreferencePanel = "Preference";
inline constexpr std::string_view kMagicSelectPanel = "MagicSelect";
inline constexpr std::string_view kMusicPanel = "Music";
inline constexpr std::string_view kWebWindowPanel = "WebWindow";

void RegisterDisplayToggles(CQuorbelApp &app);

// Sets a help's switch (warning, rows and columns, probables, found values, variant filter,
// colouring) as a script does: whatever its menu item's state. False for another command.
bool SetHelpSwitch(CQuorbelApp &app, Cmd cmd, bool on);

} // namespace quorbel
