// OwnText: a text written by this program (a literal in the source or an entry of the message
// table), never one that came from a file, a peer or a web page. Only such texts may serve as a
// format or carry message-panel links, and the type makes the compiler hold to that.
#pragma once

#include <string_view>

#include "platform/language.h"

namespace quorbel {

class OwnText {
public:
  // Only a constant known at compile time: a runtime string does not compile here.
  consteval OwnText(const char *literal) : text_(literal) {}

  constexpr std::string_view View() const { return text_; }

private:
  friend OwnText MessageFormat(int n, Language language);
  enum FromTable { kFromTable };
  constexpr OwnText(std::string_view tableEntry, FromTable) : text_(tableEntry) {}

  std::string_view text_;
};

} // namespace quorbel
