// The list of the last grid files opened or saved, newest first, shown in the File menu
// and kept in the profile between runs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

class AbstractProfileStore;

class RecentFileList {
public:
  static constexpr int kSize = 4;

  // Puts the path first; an entry for the same path moves up instead of repeating.
  void Add(std::string_view path);
  void Remove(std::string_view path);
  const std::vector<std::string> &Paths() const { return paths_; }

  // Section "Recent File List", keys "File1" to "File4"; empty keys are no entries.
  void Load(AbstractProfileStore &store);
  void Save(AbstractProfileStore &store) const;

private:
  std::vector<std::string> paths_;
};

// A grid file opened or saved goes first in the list, which is saved; a saved one also
// becomes GENERAL/LASTFILE, the file start-up may reopen.
void RememberGridFile(AbstractProfileStore &store, RecentFileList &list, std::string_view path, bool saved);

// GENERAL/LASTFILE: the grid file saved last, which start-up may open again. Not part of the
// settings block, so that saving the settings never brings back an older name.
std::string ReadLastFile(AbstractProfileStore &store);
void WriteLastFile(AbstractProfileStore &store, std::string_view path);

} // namespace quorbel
