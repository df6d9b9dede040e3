// CBitMapGif, a picture set: every frame of one picture file (an animated GIF, or a single
// picture of another kind) with each frame's display time, as the value symbols, the number
// bar and the end of game show them.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "media/picture.h"

namespace quorbel {

inline constexpr int kPictureSetSlots = 45;
inline constexpr int kMostSetFrames = 44;
// What the frames of one set may take together: a board shows dozens of sets, each a cell wide.
inline constexpr uint64_t kMostSetBytes = uint64_t{32} << 20;

class CBitMapGif {
public:
  std::array<CPicture, kPictureSetSlots> Frames;
  std::array<double, kPictureSetSlots> Delays{}; // milliseconds
  int FrameCount = 0;
  int Width = 0; // frame 0's
  int Height = 0;
  std::string Name;
  int LoopFactor = 0; // passes of animation mode 2, from the set list

  // Every loaded frame destroyed, none left.
  void ClearFrames();
};

// The codec a file name's extension stands for ("bmp" .. "emf", in any case); 0 for none.
int32_t PictureTypeOfExtension(std::string_view path);

// Loads every frame of the file (at most 44, and as many as kMostSetBytes holds). 1 when loaded;
// 0 when the extension names no codec (nothing said) or the picture could not be read or is
// larger than a set holds: then `failure` holds "Erreur <reason> on Image : <path>" to show,
// and frame 0 is emptied.
int GifLoadImage(CBitMapGif &set, const std::string &path, std::string *failure = nullptr);

// The part of `box` a picture of `width` x `height` fills keeping its proportions, centred.
SurfaceRect FitPicture(int32_t width, int32_t height, const SurfaceRect &box);

// A 40 x 40 mouse cursor: its colours and which pixels show, hot spot at (0, 0). A black
// triangle (x + y <= 7) marks the tip.
inline constexpr int kCursorSide = 40;
struct CursorImage {
  std::array<PixelColour, kCursorSide * kCursorSide> Colour{};
  std::array<bool, kCursorSide * kCursorSide> Opaque{};
  bool At(int x, int y) const { return Opaque[static_cast<size_t>(y * kCursorSide + x)]; }
};

// The cursor of a set's first frame, scaled to 40 x 40; its transparent colour shows through.
CursorImage MakeImageCursor(const CBitMapGif &set);

// The entry effects a picture may come in with: a bar that sweeps in from the top, the
// bottom, the left or the right pushing the picture before it and goes back alone, or a spin.
enum EntryEffect : int {
  kEffectNone = 0,
  kEffectFromTop,
  kEffectFromBottom,
  kEffectFromLeft,
  kEffectFromRight,
  kEffectSpin
};

// Frame `frame` of the set fitted into `box`, at `countdown` (from `length` down to 0; below 0
// no effect) of its entry effect `kind`.
void GifDrawFitted(const CBitMapGif &set, int frame, PixelSurface &surface, int kind, int countdown,
                   int length, const SurfaceRect &box);

} // namespace quorbel
