// Folders a run keeps for its own scratch files under the temporary folder. Each is named
// "<stem>-<pid>-XXXXXX", so that a later run knows the folders of a killed one and removes them.
#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// The mkdtemp pattern of this process's scratch folder under `parent`.
std::string ScratchFolderPattern(const std::string &parent, std::string_view stem);

// Removes from `parent` the folders named for `stem` whose process has ended and that belong to
// this user, with the plain files of this user in them; a folder holding anything else stays.
void RemoveLeftoverScratchFolders(const std::string &parent, std::string_view stem);

} // namespace quorbel
