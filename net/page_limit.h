// The most a web page may bring: pages larger than any site or the version check serves are
// dropped as they arrive, and the player is told why in words.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorbel {

inline constexpr int64_t kMostPageBytes = int64_t{16} << 20;

// "The page <address> is larger than 16 MB: it was not read.", in French or English.
std::string PageTooLargeMessage(std::string_view address, bool french);

} // namespace quorbel
