#include "net/page_limit.h"

namespace quorbel {

std::string PageTooLargeMessage(std::string_view address, bool french) {
  const std::string megabytes = std::to_string(kMostPageBytes >> 20);
  return french
             ? "La page " + std::string(address) + " dépasse " + megabytes + " Mo : elle n'a pas été lue."
             : "The page " + std::string(address) + " is larger than " + megabytes + " MB: it was not read.";
}

} // namespace quorbel
