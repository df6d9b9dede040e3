#include "media/picture_set.h"

#include <algorithm>
#include <cctype>

#include "media/picture_codecs.h"
#include "media/picture_file.h"
#include "platform/paths.h"

namespace quorbel {

namespace {

constexpr int kDelayUnitMs = 10; // the files count hundredths of a second

double DelayOf(const CPicture &frame) {
  return static_cast<double>(static_cast<uint32_t>(frame.Info().FrameDelay)) * kDelayUnitMs;
}

} // namespace

void CBitMapGif::ClearFrames() {
  for (int i = 0; i < FrameCount; ++i)
    Frames[static_cast<size_t>(i)].Destroy();
  FrameCount = 0;
}

int32_t PictureTypeOfExtension(std::string_view path) {
  std::string extension = FileExtensionOfPath(path);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  constexpr std::array<std::pair<std::string_view, int32_t>, 8> kTypes{{{"bmp", kPictureBmp},
                                                                        {"gif", kPictureGif},
                                                                        {"ico", kPictureIco},
                                                                        {"tga", kPictureTga},
                                                                        {"pcx", kPicturePcx},
                                                                        {"wbmp", kPictureWbmp},
                                                                        {"wmf", kPictureWmf},
                                                                        {"emf", kPictureWmf}}};
  for (const auto &[name, type] : kTypes)
    if (extension == name)
      return type;
  return kPictureUnknown;
}

int GifLoadImage(CBitMapGif &set, const std::string &path, std::string *failure) {
  const int32_t type = PictureTypeOfExtension(path);
  if (type == kPictureUnknown)
    return 0;
  CPicture &first = set.Frames[0];
  first.Info().FrameIndex = 0;
  if (!first.Load(path, type) || !first.IsValid()) {
    if (failure)
      *failure = "Erreur " + first.LastError() + " on Image : " + path;
    first = CPicture();
    return 0;
  }
  const int count = std::clamp(first.Info().FrameCount, 1, kMostSetFrames);
  if (count > 1 && first.Type() == kPictureGif) {
    // Every frame in one pass: the same frames as loading each by its index.
    CPictureIOFile file;
    std::vector<CPicture> frames;
    if (file.Open(path, "rb"))
      frames = DecodeGifFrames(file, count);
    for (size_t i = 1; i < frames.size(); ++i)
      set.Frames[i] = std::move(frames[i]);
    set.FrameCount = std::max<int>(1, static_cast<int>(frames.size()));
  } else {
    set.FrameCount = 1;
  }
  for (int i = 0; i < set.FrameCount; ++i)
    set.Delays[static_cast<size_t>(i)] = DelayOf(set.Frames[static_cast<size_t>(i)]);
  set.Width = first.Width();
  set.Height = first.Height();
  return 1;
}

SurfaceRect FitPicture(int32_t width, int32_t height, const SurfaceRect &box) {
  SurfaceRect fitted = box;
  const int32_t boxW = box.Right - box.Left;
  const int32_t boxH = box.Bottom - box.Top;
  if (width <= 0 || height <= 0 || boxW <= 0 || boxH <= 0)
    return fitted;
  if (static_cast<double>(height) / boxH > static_cast<double>(width) / boxW) {
    const auto inset = static_cast<int32_t>((boxW - static_cast<double>(width) * boxH / height) / 2);
    fitted.Left += inset;
    fitted.Right -= inset;
  } else {
    const auto inset = static_cast<int32_t>((boxH - static_cast<double>(height) * boxW / width) / 2);
    fitted.Top += inset;
    fitted.Bottom -= inset;
  }
  return fitted;
}

} // namespace quorbel
