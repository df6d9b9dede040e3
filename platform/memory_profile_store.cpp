#include "platform/memory_profile_store.h"

namespace quorbel {

MemoryProfileStore::Name MemoryProfileStore::Fold(std::string_view section, std::string_view key) {
  return {FoldProfileName(section), FoldProfileName(key)};
}

int32_t MemoryProfileStore::GetInt(std::string_view section, std::string_view key, int32_t fallback) {
  const auto found = values_.find(Fold(section, key));
  if (found == values_.end())
    return fallback;
  return ParseProfileInt(found->second).value_or(fallback);
}

std::string MemoryProfileStore::GetString(std::string_view section, std::string_view key,
                                          std::string_view fallback) {
  const auto found = values_.find(Fold(section, key));
  return found == values_.end() ? std::string(fallback) : found->second;
}

void MemoryProfileStore::WriteInt(std::string_view section, std::string_view key, int32_t value) {
  values_[Fold(section, key)] = std::to_string(value);
}

void MemoryProfileStore::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  values_[Fold(section, key)] = std::string(value);
}

std::optional<std::string> MemoryProfileStore::Raw(std::string_view section, std::string_view key) const {
  const auto found = values_.find(Fold(section, key));
  if (found == values_.end())
    return std::nullopt;
  return found->second;
}

} // namespace quorbel
