// A settings store held in memory, with the same rules as the file store (names folded,
// integers kept as their decimal text), so the settings schema can be tested without Qt.
#pragma once

#include <map>
#include <optional>
#include <utility>

#include "platform/abstract_profile_store.h"

namespace quorbel {

class MemoryProfileStore final : public AbstractProfileStore {
public:
  int32_t GetInt(std::string_view section, std::string_view key, int32_t fallback) override;
  std::string GetString(std::string_view section, std::string_view key, std::string_view fallback) override;
  void WriteInt(std::string_view section, std::string_view key, int32_t value) override;
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  bool Flush() override { return true; }

  // The raw text of a key, if any (for tests).
  std::optional<std::string> Raw(std::string_view section, std::string_view key) const;
  size_t KeyCount() const { return values_.size(); }

private:
  using Name = std::pair<std::string, std::string>;
  static Name Fold(std::string_view section, std::string_view key);

  std::map<Name, std::string> values_;
};

} // namespace quorbel
