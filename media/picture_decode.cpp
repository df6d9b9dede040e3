// Reading a picture file: the codec asked for, then every codec in turn.
#include <array>

#include "media/picture.h"
#include "media/picture_bmp.h"
#include "media/picture_codecs.h"
#include "media/picture_file.h"

namespace quorbel {

namespace {

using Codec = bool (*)(CPictureFile &, CPicture &);

struct CodecEntry {
  int32_t Type;
  Codec Decode;
};

// In the order every codec is tried.
constexpr std::array<CodecEntry, 7> kCodecs{{{kPictureBmp, DecodeBmp},
                                             {kPictureIco, DecodeIco},
                                             {kPictureGif, DecodeGif},
                                             {kPictureTga, DecodeTga},
                                             {kPicturePcx, DecodePcx},
                                             {kPictureWbmp, DecodeWbmp},
                                             {kPictureWmf, DecodeWmf}}};

constexpr const char *kUnknownFormat = "Decode: Unknown or wrong format";

} // namespace

bool CPicture::Decode(CPictureFile &file, int32_t type) {
  const int64_t start = file.Tell();
  bool tried = false;
  for (const CodecEntry &codec : kCodecs) {
    if (type != kPictureUnknown && codec.Type != type)
      continue;
    if (!file.Seek(start, SEEK_SET))
      break;
    // A decoder starts afresh but for the frame asked: what an earlier picture left (its
    // transparency above all) must not leak into this one.
    CPicture decoded(codec.Type);
    decoded.info_.FrameIndex = info_.FrameIndex;
    decoded.info_.MostBytes = info_.MostBytes;
    tried = true;
    if (codec.Decode(file, decoded)) {
      decoded.info_.Type = codec.Type;
      TakeOver(decoded);
      return true;
    }
    SetLastError(decoded.LastError().empty() ? kUnknownFormat : decoded.LastError());
    if (codec.Type == kPictureGif || codec.Type == kPictureIco)
      info_.FrameCount = decoded.info_.FrameCount; // a frame asked past the end: how many there are
  }
  // A sound metafile keeps its own words: it is no unknown format.
  if (!tried || (type == kPictureUnknown && LastError() != kMetafileNotDrawn))
    SetLastError(kUnknownFormat);
  return false;
}

bool CPicture::Load(const std::string &path, int32_t type) {
  if (type >= kPictureBmp && type <= kPictureWmf) {
    CPictureIOFile file;
    if (!file.Open(path, "rb")) {
      SetLastError(file.OpenFailure());
      return false;
    }
    if (Decode(file, type))
      return true;
  }
  const std::string asked = LastError();
  CPictureIOFile file;
  if (!file.Open(path, "rb")) {
    SetLastError(file.OpenFailure());
    return false;
  }
  if (Decode(file, kPictureUnknown))
    return true;
  if (type != kPictureUnknown)
    SetLastError(asked);
  return false;
}

} // namespace quorbel
