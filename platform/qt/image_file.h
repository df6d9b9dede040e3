// Pictures Qt decodes (JPEG, PNG) read from outside files: the bytes come through our regular-file
// reader, so a FIFO or a device in a picture's place is refused rather than waited on, and a
// picture is held to the pixels our own pictures may hold before Qt allocates any.
#pragma once

#include <QImage>
#include <string>

namespace quorbel {

// Larger than any photograph a player would put behind the board.
inline constexpr uint64_t kMostImageFileBytes = uint64_t{64} << 20;
// As many pixels as one of our own pictures holds (media/picture.h).
inline constexpr int64_t kMostImagePixels = int64_t{4096} * 4096;

// The picture, or a null image with the reason in `reason` when given. A larger picture is read
// at a half, a quarter or an eighth of its size when its format decodes so at no extra cost (a
// photograph), and refused otherwise.
QImage ReadImageFile(const std::string &path, std::string *reason = nullptr);

} // namespace quorbel
