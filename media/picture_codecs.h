// The picture codecs besides BMP: each decodes a file into the picture it is given (which
// keeps its information block: the frame asked and the like) and answers false with the
// reason as the picture's error text (none for an icon that is not one).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/picture.h"

namespace quorbel {

class CPictureFile;

bool DecodeGif(CPictureFile &file, CPicture &picture);
// Every frame of a GIF (at most `most`), composed in one pass: frame i is what DecodeGif gives
// for frame index i. None when the file is no GIF or holds no frame.
std::vector<CPicture> DecodeGifFrames(CPictureFile &file, int most);
bool DecodeIco(CPictureFile &file, CPicture &picture);
bool DecodeTga(CPictureFile &file, CPicture &picture);
bool DecodePcx(CPictureFile &file, CPicture &picture);
bool DecodeWbmp(CPictureFile &file, CPicture &picture);
// Metafiles are drawn by the painter the program installs (SetMetafilePlayer); without one a
// sound metafile is refused with these words.
bool DecodeWmf(CPictureFile &file, CPicture &picture);

inline constexpr const char *kMetafileNotDrawn = "metafile pictures cannot be drawn on this system";

// The size a metafile would be drawn at (at most 4000 a side, keeping its ratio), or why its
// header is refused ("corrupted WMF", "empty WMF").
struct MetafileSize {
  int32_t Width = 0;
  int32_t Height = 0;
  std::string Error;
};
MetafileSize ReadMetafileSize(CPictureFile &file);
// The bytes of a metafile's stream from where it stands, within what a metafile may hold.
bool ReadMetafileBytes(CPictureFile &file, std::vector<uint8_t> &bytes);

} // namespace quorbel
