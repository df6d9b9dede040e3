// The settings store the program reads and writes by section and key, as the registry's profile
// calls did: integers and strings, a default when the key is missing. Names are folded to upper
// case, since the registry ignored the case of names and older settings rely on that.
// platform/qt/profile_store.h keeps them in an INI file; MemoryProfileStore serves tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

class AbstractProfileStore {
public:
  virtual ~AbstractProfileStore() = default;

  // The stored integer, or `fallback` when the key is missing or does not hold a whole 32-bit number.
  virtual int32_t GetInt(std::string_view section, std::string_view key, int32_t fallback) = 0;
  virtual std::string GetString(std::string_view section, std::string_view key,
                                std::string_view fallback) = 0;
  virtual void WriteInt(std::string_view section, std::string_view key, int32_t value) = 0;
  virtual void WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
  // Puts what was written on disk; false when it could not be.
  virtual bool Flush() = 0;
};

// A section or key name as the stores keep it.
std::string FoldProfileName(std::string_view name);

// The decimal text of a whole 32-bit number, as every store reads it: optional blanks around an
// optional sign and digits, nothing else.
std::optional<int32_t> ParseProfileInt(std::string_view text);

} // namespace quorbel
