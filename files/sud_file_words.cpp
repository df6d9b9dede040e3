// Naming one word of a fixed layout in a failure message.
#include "files/sud_file_words.h"

namespace quorbel {

std::string DescribeWordAt(const WordAt &at) {
  std::string text = at.Name;
  for (int index : {at.Item, at.Pos, at.Pos2})
    if (index >= 0)
      text.append("[").append(std::to_string(index)).append("]");
  return text;
}

} // namespace quorbel
