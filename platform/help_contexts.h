// Every help context the program can open, with the help page it opens: the one table that the
// help window reads and that every layer takes its context numbers from (HelpContext("name")),
// so a context cannot be used without its page. Commands' topics are numbered 0x10000 + the
// command's French identifier, dialogs' 0x20000 + their template, as the help files always were.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quorbel {

struct HelpTopic {
  int32_t Context;
  std::string_view Name; // what the code calls it
  std::string_view Page; // help/<fr|en>/<Page>.html
};

inline constexpr std::array<HelpTopic, 37> kHelpTopics{{
    {0, "index", "index"},
    {98333, "about", "index"},
    {131072, "board", "board"},
    {131267, "start screen", "start"},
    // The game modes, by their number (GAME/MODE).
    {131300, "mode champion", "champion"},
    {131301, "mode kids", "kids"},
    {131302, "mode quick", "quick"},
    {131303, "mode triple", "triple"},
    {131304, "mode catalog", "catalog"},
    {131305, "mode quellabo", "quellabo"},
    {131306, "mode challenge", "challenge"},
    {131307, "mode free", "free-game"},
    {131210, "new grid", "new-grid"},
    {98391, "generation", "generation"},
    {98565, "methods panel", "methods"},
    {98411, "method line column block", "method-line-column-block"},
    {98414, "method group", "method-group"},
    {98415, "method single", "method-single"},
    {98416, "method random", "method-random"},
    {98417, "method colouring", "method-colouring"},
    {98418, "method probables", "method-probables"},
    {98419, "method forcing chain", "method-forcing-chain"},
    {98420, "method burma", "method-burma"},
    {98315, "propose", "solving"},
    {98322, "one loop", "solving"},
    {98323, "full solve", "solving"},
    {98471, "back to good", "solving"},
    {98324, "search", "search"},
    {98325, "search count", "search"},
    {98332, "found grids", "search"},
    {131207, "end of game", "end-of-game"},
    {98326, "preferences", "preferences"},
    {98562, "display profiles", "preferences"},
    {98505, "scripts", "scripts"},
    {99036, "scanning", "scanning"},
    {98560, "rules", "rules"},
    {131208, "best scores", "end-of-game"},
}};

// The context of a named topic; a name missing from the table does not compile.
consteval int32_t HelpContext(std::string_view name) {
  for (const HelpTopic &topic : kHelpTopics)
    if (topic.Name == name)
      return topic.Context;
  throw "no help topic of that name";
}

} // namespace quorbel
