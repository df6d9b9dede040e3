// The ".magic" display profiles: 79 lines, one setting each in a fixed order (the layout metrics,
// the display switches, the grid choice, the animation switches, the picture set and background,
// the picture order and the fourteen colours), each a number then " ;" and its name, the two
// paths alone. Numbers are written and read in the C locale whatever the system's.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/app_settings.h"
#include "app/colours.h"
#include "app/picture_order.h"

namespace quorbel {

// The whole file, each line ended by CR LF; the paths relative to the start directory.
std::string WriteMagicProfile(const AppSettings &settings, const BoardColours &colours,
                              const PictureOrder &order);

// Applies a profile's text: the settings the lines reach take their values (a short file leaves
// the rest as they are; a file without the last line takes line 37 as the whole variant
// selection); the paths come back absolute. While the message panel is `panelMuted`, the comment
// area switch and the comment font are left alone. PREFLOAD becomes 1; values outside their
// settings' rules are repaired as a load repairs them.
void ReadMagicProfile(std::string_view text, AppSettings &settings, BoardColours &colours,
                      PictureOrder &order, bool panelMuted);

// The titles (file names less ".magic") of the profiles of a folder, in name order.
std::vector<std::string> MagicProfileTitles(const std::string &folder);

// The entry before or after `current` among `count`, round the ends; -1 when there is none.
int StepProfileIndex(int current, int count, bool next);

} // namespace quorbel
