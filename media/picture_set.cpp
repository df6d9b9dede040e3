#include "media/picture_set.h"

#include <algorithm>

#include "media/picture_codecs.h"
#include "media/picture_file.h"
#include "platform/ascii_text.h"
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
  const std::string extension = AsciiLowered(FileExtensionOfPath(path));
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
  first.Info().MostBytes = kMostSetBytes;
  if (!first.Load(path, type) || !first.IsValid()) {
    if (failure)
      *failure = "Erreur " + first.LastError() + " on Image : " + path;
    first = CPicture();
    return 0;
  }
  // Every frame of an animation has the first one's size.
  const uint64_t alphaBytes = first.HasAlpha() ? static_cast<uint64_t>(first.Width()) * first.Height() : 0;
  const uint64_t frameBytes = first.Rows().size() + alphaBytes;
  const auto fitting = static_cast<int>(std::min<uint64_t>(kMostSetFrames, kMostSetBytes / frameBytes));
  const int count = std::clamp(first.Info().FrameCount, 1, std::max(1, fitting));
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
    // An icon file's images, each by its index; one that does not load stays empty and counted.
    for (int i = 1; i < count; ++i) {
      CPicture &frame = set.Frames[static_cast<size_t>(i)];
      frame = CPicture();
      frame.Info().FrameIndex = i;
      frame.Load(path, first.Type());
    }
    set.FrameCount = count;
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

namespace {

constexpr int32_t kBarThickness = 10;
constexpr int32_t kStringHalfWidth = 5;
constexpr PixelColour kBarColour = RgbPixel(255, 0, 0);
constexpr PixelColour kStringColour = RgbPixel(0, 128, 0);
constexpr double kSpinDegrees = 800;

void FillRect(PixelSurface &surface, SurfaceRect r, PixelColour colour) {
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, surface.Width);
  r.Bottom = std::min(r.Bottom, surface.Height);
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    for (int32_t x = r.Left; x < r.Right; ++x) {
      uint32_t &pixel = surface.Pixels[static_cast<ptrdiff_t>(y) * surface.Stride + x];
      pixel = (pixel & 0xFF000000u) | colour.Value;
    }
}

void DrawIn(const CPicture &picture, PixelSurface &surface, const SurfaceRect &r) {
  if (r.Bottom > r.Top && r.Right > r.Left)
    picture.Draw(surface, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

} // namespace

void GifDrawFitted(const CBitMapGif &set, int frame, PixelSurface &surface, int kind, int countdown,
                   int length, const SurfaceRect &box) {
  if (frame < 0 || frame >= set.FrameCount || !surface.Pixels)
    return;
  const CPicture &picture = set.Frames[static_cast<size_t>(frame)];
  if (!picture.IsValid())
    return;
  const SurfaceRect fitted = FitPicture(picture.Width(), picture.Height(), box);
  if (countdown < 0 || length <= 0 || kind < kEffectFromTop || kind > kEffectSpin) {
    DrawIn(picture, surface, fitted);
    return;
  }
  const double t = countdown * 2.0 / length;
  const double u = t <= 1 ? t : 2 - t;
  if (t == 0) {
    DrawIn(picture, surface, fitted);
    return;
  }
  const bool pictureShown = t > 1; // the first half: the bar pushes the picture before it
  const int32_t w = box.Right - box.Left;
  const int32_t h = box.Bottom - box.Top;
  const int32_t fittedW = fitted.Right - fitted.Left;
  const int32_t fittedH = fitted.Bottom - fitted.Top;
  const int32_t centreX = (box.Left + box.Right) / 2;
  const int32_t middleY = (box.Top + box.Bottom) / 2;
  SurfaceRect place = fitted;
  SurfaceRect bar{};
  SurfaceRect string{};
  bool stringShown = false;
  switch (kind) {
  case kEffectFromTop: {
    const auto p = static_cast<int32_t>(box.Top + h * u);
    place.Top = p;
    place.Bottom = std::min(p + fittedH, box.Bottom);
    bar = {box.Left, std::max(p - kBarThickness, box.Top), box.Right, p};
    stringShown = p - kBarThickness > box.Top;
    string = {centreX - kStringHalfWidth, box.Top, centreX + kStringHalfWidth, p - kBarThickness};
    break;
  }
  case kEffectFromBottom: {
    const auto p = static_cast<int32_t>(box.Bottom - h * u);
    place.Bottom = p;
    place.Top = std::max(p - fittedH, box.Top);
    bar = {box.Left, p, box.Right, std::min(p + kBarThickness, box.Bottom)};
    stringShown = p + kBarThickness < box.Bottom;
    string = {centreX - kStringHalfWidth, p + kBarThickness, centreX + kStringHalfWidth, box.Bottom};
    break;
  }
  case kEffectFromLeft: {
    const auto p = static_cast<int32_t>(box.Left + w * u);
    place.Left = p;
    place.Right = std::min(p + fittedW, box.Right);
    bar = {std::max(p - kBarThickness, box.Left), box.Top, p, box.Bottom};
    stringShown = p - kBarThickness > box.Left;
    string = {box.Left, middleY - kStringHalfWidth, p - kBarThickness, middleY + kStringHalfWidth};
    break;
  }
  case kEffectFromRight: {
    const auto p = static_cast<int32_t>(box.Right - w * u);
    place.Right = p;
    place.Left = std::max(p - fittedW, box.Left);
    bar = {p, box.Top, std::min(p + kBarThickness, box.Right), box.Bottom};
    stringShown = p + kBarThickness < box.Right;
    string = {p + kBarThickness, middleY - kStringHalfWidth, box.Right, middleY + kStringHalfWidth};
    break;
  }
  default: { // the spin: no bar
    if (pictureShown) {
      CPicture turned;
      if (CPicture(picture).Rotate(u * kSpinDegrees, &turned))
        DrawIn(turned, surface, FitPicture(turned.Width(), turned.Height(), box));
    }
    return;
  }
  }
  if (pictureShown)
    DrawIn(picture, surface, place);
  FillRect(surface, bar, kBarColour);
  if (stringShown)
    FillRect(surface, string, kStringColour);
}

CursorImage MakeImageCursor(const CBitMapGif &set) {
  constexpr int kTip = 7;
  CursorImage cursor;
  const CPicture &frame = set.Frames[0];
  const bool keyed = frame.Info().TransparentIndex >= 0;
  const uint32_t key = frame.TransparentColour().Value & 0x00FFFFFFu;
  for (int y = 0; y < kCursorSide; ++y)
    for (int x = 0; x < kCursorSide; ++x) {
      const auto at = static_cast<size_t>(y * kCursorSide + x);
      if (x + y <= kTip || !frame.IsValid()) {
        cursor.Opaque[at] = x + y <= kTip;
        continue;
      }
      // Rows of a picture run from the bottom; the top row of the cursor is its last one.
      const int32_t sx = x * frame.Width() / kCursorSide;
      const int32_t sy = std::min((kCursorSide - y) * frame.Height() / kCursorSide, frame.Height() - 1);
      const PixelColour colour{frame.GetPixelColor(sx, sy).Value & 0x00FFFFFFu};
      cursor.Opaque[at] = !(keyed && colour.Value == key);
      cursor.Colour[at] = cursor.Opaque[at] ? colour : PixelColour{};
    }
  return cursor;
}

} // namespace quorbel
