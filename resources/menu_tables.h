// The menu bars (French resource 127, English resource 129) as flat lists in the order of a
// menu script, and the status bar's panes. Items name a command identifier; their texts come
// from the command table in the language of that identifier.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/language.h"
#include "resources/command_table.h"

namespace quorbel {

enum class MenuEntryKind : uint8_t {
  Popup,    // opens a menu (top-level or submenu) titled `text`
  EndPopup, // closes the innermost open menu
  Item,     // the command `id`
  Separator,
};

struct MenuEntry {
  MenuEntryKind kind;
  CommandId id = 0;
  std::string_view text = {};
};

std::span<const MenuEntry> MenuBarTable(Language language);

// Top-level menus from this position on are the expert menus D1 to D3, shown only in expert
// mode. The English bar has six menus, so nothing goes from it.
inline constexpr int kFirstExpertMenu = 6;

// The status bar, left to right: the message pane, the three lock indicators, then the panes
// the view writes every second. The texts are shown until then and size the panes.
struct StatusPane {
  uint16_t id;
  std::string_view text;
};
inline constexpr int kStatusPaneCount = 10;
extern const StatusPane StatusPanes[kStatusPaneCount];

enum StatusPaneIndex : int {
  kPaneMessage = 0,
  kPaneCaps = 1,
  kPaneNum = 2,
  kPaneScroll = 3,
  kPaneMacro = 4,
  kPaneMode = 5,
  kPaneSymbols = 6,
  kPaneRemaining = 7,
  kPaneScore = 8,
  kPaneClock = 9,
};

// The message pane's text while no menu item is under the pointer.
inline constexpr std::string_view kIdleStatusText = "Press F1 for Help - Appuyer sur F1 pour l'Aide";

} // namespace quorbel
