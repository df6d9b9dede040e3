// The Display menu's on/off commands: the candidate helps (warning, rows and columns, probables,
// found values, variant filter, colouring, hidden variants), the board's areas and the shown
// state of the modeless panels.
#pragma once

#include <string_view>

class CQuorbelApp;

namespace quorbel {

// The names the modeless panels are registered under (ModelessPanels::Register).
inline constexpr std::string_view kMethodsPanel = "Methods";
inline constexpr std::string_view kPreferencePanel = "Preference";
inline constexpr std::string_view kMagicSelectPanel = "MagicSelect";
inline constexpr std::string_view kMusicPanel = "Music";
inline constexpr std::string_view kWebWindowPanel = "WebWindow";

void RegisterDisplayToggles(CQuorbelApp &app);

} // namespace quorbel
