// Pictures Qt decodes (JPEG, PNG) read from outside files: the bytes come through our regular-file
// reader, so a FIFO or a device in a picture's place is refused rather than waited on.
#pragma once

#include <QImage>
#include <string>

namespace quorbel {

// Larger than any photograph a player would put behind the board.
inline constexpr uint64_t kMostImageFileBytes = uint64_t{64} << 20;

// The picture, or a null image with the reason in `reason` when given.
QImage ReadImageFile(const std::string &path, std::string *reason = nullptr);

} // namespace quorbel
