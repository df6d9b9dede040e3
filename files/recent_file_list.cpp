// The recent-file list and its profile keys.
#include "files/recent_file_list.h"

#include <algorithm>

#include "platform/abstract_profile_store.h"

namespace quorbel {

namespace {
constexpr std::string_view kSection = "Recent File List";
std::string KeyOf(int index) { return "File" + std::to_string(index + 1); }
} // namespace

void RecentFileList::Add(std::string_view path) {
  if (path.empty())
    return;
  Remove(path);
  paths_.insert(paths_.begin(), std::string(path));
  if (paths_.size() > kSize)
    paths_.resize(kSize);
}

void RecentFileList::Remove(std::string_view path) { std::erase(paths_, path); }

void RecentFileList::Load(AbstractProfileStore &store) {
  paths_.clear();
  for (int i = 0; i < kSize; ++i) {
    const std::string path = store.GetString(kSection, KeyOf(i), "");
    if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end())
      paths_.push_back(path);
  }
}

void RecentFileList::Save(AbstractProfileStore &store) const {
  for (int i = 0; i < kSize; ++i)
    store.WriteString(kSection, KeyOf(i), i < static_cast<int>(paths_.size()) ? paths_[i] : "");
}

std::string ReadLastFile(AbstractProfileStore &store) { return store.GetString("GENERAL", "LASTFILE", ""); }

void WriteLastFile(AbstractProfileStore &store, std::string_view path) {
  store.WriteString("GENERAL", "LASTFILE", path);
}

void RememberGridFile(AbstractProfileStore &store, RecentFileList &list, std::string_view path, bool saved) {
  list.Add(path);
  list.Save(store);
  if (saved)
    WriteLastFile(store, path);
}

} // namespace quorbel
