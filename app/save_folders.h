// The folders the program saves into (beside the program, the grids, the text grids, the display
// profiles, the macros and the settings), swept at start-up of what saves killed half-way left.
#pragma once

#include <string>
#include <vector>

#include "app/app_settings.h"

namespace quorbel {

// Each folder once, links resolved, relative ones from the start directory.
std::vector<std::string> SaveFolders(const DirectorySettings &directories, const std::string &settingsFile);

// Removes from every save folder our temporaries whose process has ended, and nothing else.
void RemoveLeftoversOfSaves(const DirectorySettings &directories, const std::string &settingsFile);

} // namespace quorbel
