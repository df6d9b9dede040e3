// The music bar's walk through a folder: the files of the current music's folder with its
// extension (ignoring case), sorted by name ignoring case, and the one before or after it.
#pragma once

#include <string>
#include <vector>

namespace quorbel {

// Full paths of the folder's files whose extension is `extension` (".mp3"), ignoring case.
std::vector<std::string> MusicFilesLike(const std::string &musicFile);
// The file after (or before) `musicFile` among them; empty when there is none.
std::string NextMusicFile(const std::string &musicFile, bool forward);

} // namespace quorbel
