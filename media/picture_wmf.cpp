// Placeable and enhanced metafiles: read into what they draw, then played by the painter the
// program installed (none in the plain layers, where they are refused in words).
#include <algorithm>
#include <atomic>
#include <vector>

#include "media/metafile_drawing.h"
#include "media/picture.h"
#include "media/picture_codecs.h"
#include "media/picture_reader.h"

namespace quorbel {

namespace {

// A metafile larger than this is no picture of ours.
constexpr int64_t kMostMetafileBytes = int64_t{64} << 20;

std::atomic<MetafilePlayer> installedPlayer{nullptr};

} // namespace

bool ReadMetafileBytes(CPictureFile &file, std::vector<uint8_t> &bytes) {
  PictureReader in(file);
  return in.ReadRest(kMostMetafileBytes, bytes);
}

void SetMetafilePlayer(MetafilePlayer player) { installedPlayer = player; }

MetafilePlayer CurrentMetafilePlayer() { return installedPlayer; }

MetafileSize ReadMetafileSize(CPictureFile &file) {
  std::vector<uint8_t> bytes;
  if (!ReadMetafileBytes(file, bytes))
    return MetafileSize{.Error = "corrupted WMF"};
  const MetafileHeader h = ReadMetafileHeader(bytes);
  return MetafileSize{.Width = h.Width, .Height = h.Height, .Error = h.Error};
}

bool DecodeWmf(CPictureFile &file, CPicture &picture) {
  std::vector<uint8_t> bytes;
  if (!ReadMetafileBytes(file, bytes))
    return RefusePicture(picture, "corrupted WMF");
  const MetafileDrawing drawing = ReadMetafile(bytes);
  if (!drawing.Error.empty())
    return RefusePicture(picture, drawing.Error);
  const MetafilePlayer player = installedPlayer;
  if (!player)
    return RefusePicture(picture, kMetafileNotDrawn);
  return player(drawing, picture);
}

} // namespace quorbel
