#include "platform/abstract_profile_store.h"

#include <charconv>

namespace quorbel {

std::string FoldProfileName(std::string_view name) {
  // ASCII only, whatever the locale: a Turkish "i" must still fold to "I".
  std::string folded(name);
  for (char &c : folded)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return folded;
}

std::optional<int32_t> ParseProfileInt(std::string_view text) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back()))
    text.remove_suffix(1);
  if (!text.empty() && text.front() == '+')
    text.remove_prefix(1);
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

} // namespace quorbel
