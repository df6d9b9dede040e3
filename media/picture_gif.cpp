// GIF: the frames of a file composed one over the other on a canvas of the logical screen,
// up to the frame asked for. A file of several frames is composed on an 8-bit canvas, or on
// a 24-bit one when it has no global colours and its first frame is smaller than the
// screen both ways.
#include <algorithm>
#include <array>
#include <climits>
#include <functional>
#include <optional>
#include <vector>

#include "media/picture.h"
#include "media/picture_codecs.h"
#include "media/picture_reader.h"

namespace quorbel {

namespace {

constexpr uint8_t kExtension = '!';
constexpr uint8_t kImage = ',';
constexpr uint8_t kTrailer = ';';
constexpr uint8_t kGraphicControl = 0xF9;
constexpr int kMaxCodeBits = 12;
constexpr int kDisposeToBackground = 2;

using ColourTable = std::vector<PixelColour>;

bool ReadColourTable(PictureReader &in, int entries, ColourTable &table) {
  std::vector<uint8_t> bytes;
  if (!in.ReadBlock(3 * static_cast<int64_t>(entries), bytes))
    return false;
  table.resize(static_cast<size_t>(entries));
  for (int i = 0; i < entries; ++i)
    table[static_cast<size_t>(i)] = RgbPixel(bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]);
  return true;
}

// The data sub-blocks up to their terminator, joined.
bool ReadSubBlocks(PictureReader &in, std::vector<uint8_t> &data) {
  data.clear();
  std::vector<uint8_t> block;
  for (;;) {
    const uint8_t size = in.U8();
    if (!in.Ok())
      return false;
    if (size == 0)
      return true;
    if (!in.ReadBlock(size, block))
      return false;
    data.insert(data.end(), block.begin(), block.end());
  }
}

// The row of the image that the n-th row of the data fills.
int32_t InterlacedRow(int32_t n, int32_t height) {
  constexpr std::array<std::pair<int32_t, int32_t>, 4> kPasses{{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};
  for (const auto &[first, step] : kPasses) {
    const int32_t rows = first < height ? (height - first + step - 1) / step : 0;
    if (n < rows)
      return first + n * step;
    n -= rows;
  }
  return height; // past the image
}

// LZW codes into `pixels` (width x height, top row first; none when only counting); nothing
// is written past them. True when a code beyond the table was met.
bool DecodeLzw(std::span<const uint8_t> data, int minCodeBits, int32_t width, int32_t height, bool interlaced,
               std::vector<uint8_t> *pixels) {
  if (pixels)
    pixels->assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  const int clear = 1 << minCodeBits;
  const int end = clear + 1;
  std::array<uint16_t, 1 << kMaxCodeBits> prefix{};
  std::array<uint8_t, 1 << kMaxCodeBits> suffix{};
  std::array<uint8_t, 1 << kMaxCodeBits> stack{};
  int codeBits = minCodeBits + 1;
  int next = clear + 2;
  int previous = -1;
  uint8_t first = 0;
  bool damaged = false;
  size_t bitPosition = 0;
  int32_t column = 0;
  int32_t dataRow = 0;
  auto put = [&](uint8_t index) {
    if (dataRow >= height)
      return;
    const int32_t row = interlaced ? InterlacedRow(dataRow, height) : dataRow;
    if (pixels && row < height)
      (*pixels)[static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(column)] = index;
    if (++column == width) {
      column = 0;
      ++dataRow;
    }
  };
  for (int c = 0; c < clear; ++c)
    suffix[static_cast<size_t>(c)] = static_cast<uint8_t>(c);
  while (dataRow < height && bitPosition + static_cast<size_t>(codeBits) <= data.size() * 8) {
    int code = 0;
    for (int b = 0; b < codeBits; ++b, ++bitPosition)
      code |= ((data[bitPosition / 8] >> (bitPosition % 8)) & 1) << b;
    if (code == clear) {
      codeBits = minCodeBits + 1;
      next = clear + 2;
      previous = -1;
      continue;
    }
    if (code == end)
      break;
    if (previous < 0) {
      if (code >= clear) {
        damaged = true;
        break;
      }
      first = static_cast<uint8_t>(code);
      put(first);
      previous = code;
      continue;
    }
    int in = code;
    int depth = 0;
    if (code >= next) {
      if (code > next) { // beyond the table
        damaged = true;
        break;
      }
      stack[static_cast<size_t>(depth++)] = first;
      in = previous;
    }
    while (in >= clear && depth < static_cast<int>(stack.size())) {
      stack[static_cast<size_t>(depth++)] = suffix[static_cast<size_t>(in)];
      in = prefix[static_cast<size_t>(in)];
    }
    first = suffix[static_cast<size_t>(in)];
    stack[static_cast<size_t>(depth++)] = first;
    while (depth > 0)
      put(stack[static_cast<size_t>(--depth)]);
    if (next < (1 << kMaxCodeBits)) {
      prefix[static_cast<size_t>(next)] = static_cast<uint16_t>(previous);
      suffix[static_cast<size_t>(next)] = first;
      ++next;
      if (next == (1 << codeBits) && codeBits < kMaxCodeBits)
        ++codeBits;
    }
    previous = code;
  }
  return damaged;
}

int DepthFor(size_t colours) { return colours <= 2 ? 1 : colours <= 16 ? 4 : 8; }

// Walks the blocks after the global colours: counts the frames inside the screen and, with
// a canvas, composes them up to the frame asked for.
class GifWalk {
public:
  GifWalk(PictureReader &in, int32_t screenW, int32_t screenH, const ColourTable &global)
      : in_(in), screenW_(screenW), screenH_(screenH), global_(global) {}

  // The frames inside the screen, and whether the first is smaller than it both ways.
  int Count(bool &firstSmaller) {
    Walk(nullptr, -1);
    firstSmaller = firstSmaller_;
    return frames_;
  }
  // Composes frames 0..frame on `canvas`; false when the frame was not reached.
  bool Compose(CPicture &canvas, int frame, bool several, bool trueColour,
               const std::function<void(const CPicture &)> &onFrame = {}) {
    several_ = several;
    trueColour_ = trueColour;
    onFrame_ = onFrame;
    Walk(&canvas, frame);
    return frames_ > frame;
  }

private:
  void Walk(CPicture *canvas, int stopAfter);
  void Paint(CPicture &canvas, int32_t left, int32_t top, int32_t width, int32_t height,
             const std::vector<uint8_t> &pixels, const ColourTable &table);

  PictureReader &in_;
  int32_t screenW_;
  int32_t screenH_;
  const ColourTable &global_;
  int frames_ = 0;
  bool firstSmaller_ = false;
  bool several_ = false;
  bool trueColour_ = false;
  // The graphic control in force, and what the first frame and the last one left.
  int32_t transparent_ = -1;
  int32_t delay_ = 0;
  int disposal_ = 0;
  int32_t firstTransparent_ = -1;
  int previousDisposal_ = 0;
  std::function<void(const CPicture &)> onFrame_;
};

void GifWalk::Walk(CPicture *canvas, int stopAfter) {
  std::vector<uint8_t> data;
  for (;;) {
    const uint8_t block = in_.U8();
    if (!in_.Ok() || block == kTrailer)
      return;
    if (block == kExtension) {
      const uint8_t label = in_.U8();
      if (!ReadSubBlocks(in_, data))
        return;
      if (label == kGraphicControl && data.size() >= 4) {
        transparent_ = (data[0] & 1) != 0 ? data[3] : -1;
        delay_ = LittleU16(data, 1);
        disposal_ = (data[0] >> 2) & 7;
      }
      continue;
    }
    if (block != kImage)
      return; // not a GIF block: what follows cannot be read
    std::array<uint8_t, 9> d{};
    if (!in_.Read(d))
      return;
    const int32_t left = LittleU16(d, 0);
    const int32_t top = LittleU16(d, 2);
    const int32_t width = LittleU16(d, 4);
    const int32_t height = LittleU16(d, 6);
    ColourTable local;
    if ((d[8] & 0x80) != 0 && !ReadColourTable(in_, 2 << (d[8] & 7), local))
      return;
    const uint8_t minCodeBits = in_.U8();
    if (!in_.Ok() || !ReadSubBlocks(in_, data))
      return;
    const bool inside = width > 0 && height > 0 && left + width <= screenW_ && top + height <= screenH_;
    if (!inside)
      continue; // never shown, never counted
    // Counting needs no pixels: only where the codes go wrong.
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> *out = canvas ? &pixels : nullptr;
    bool damaged = minCodeBits < 2 || minCodeBits > 9;
    if (!damaged)
      damaged = DecodeLzw(data, minCodeBits, width, height, (d[8] & 0x40) != 0, out);
    else if (out)
      out->assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    const ColourTable &table = local.empty() ? global_ : local;
    if (frames_ == 0) {
      firstSmaller_ = width < screenW_ && height < screenH_;
      firstTransparent_ = transparent_;
    }
    if (canvas) {
      if (frames_ == 0 && !trueColour_) {
        const int depth = several_ ? 8 : DepthFor(table.size());
        if (!canvas->Create(screenW_, screenH_, depth, kPictureGif))
          return;
        canvas->FillBits(static_cast<uint8_t>(std::max(transparent_, 0)));
      } else if (frames_ > 0 && previousDisposal_ == kDisposeToBackground && !trueColour_) {
        canvas->FillBits(static_cast<uint8_t>(std::max(firstTransparent_, 0)));
      }
      Paint(*canvas, left, top, width, height, pixels, table);
      canvas->Info().FrameDelay = delay_;
      canvas->Info().FrameIndex = frames_;
      if (onFrame_)
        onFrame_(*canvas);
    }
    previousDisposal_ = disposal_;
    ++frames_;
    if (canvas && frames_ > stopAfter)
      return;
    if (damaged) { // what follows the damage is searched for the next frame
      for (;;) {
        const uint8_t byte = in_.U8();
        if (!in_.Ok())
          return;
        if (byte == kImage) {
          in_.Seek(in_.Position() - 1);
          break;
        }
      }
    }
  }
}

void GifWalk::Paint(CPicture &canvas, int32_t left, int32_t top, int32_t width, int32_t height,
                    const std::vector<uint8_t> &pixels, const ColourTable &table) {
  const int32_t bottom = screenH_ - 1;
  if (trueColour_) {
    // Every pixel, transparent ones too, in its own colour.
    for (int32_t y = 0; y < height; ++y)
      for (int32_t x = 0; x < width; ++x) {
        const uint8_t index =
            pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
        canvas.SetPixelColor(left + x, bottom - (top + y),
                             index < table.size() ? table[index] : PixelColour{});
      }
    if (firstTransparent_ >= 0 && static_cast<size_t>(firstTransparent_) < table.size()) {
      canvas.Info().TransparentIndex = firstTransparent_;
      canvas.Info().TransparentColour = table[static_cast<size_t>(firstTransparent_)];
    }
    return;
  }
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      const uint8_t index =
          pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
      if (index != transparent_)
        canvas.WritePixelIndex(left + x, bottom - (top + y), index);
    }
  // The canvas takes this frame's colours; entries past them are white under transparency.
  for (int32_t i = 0; i < canvas.PaletteSize(); ++i) {
    const auto k = static_cast<size_t>(i);
    const PixelColour c = k < table.size()    ? table[k]
                          : transparent_ >= 0 ? RgbPixel(255, 255, 255)
                                              : PixelColour{};
    canvas.SetPaletteColour(i, c.Red(), c.Green(), c.Blue());
  }
  canvas.Info().TransparentIndex = firstTransparent_;
}

} // namespace

namespace {

// Reads the screen and colours, counts the frames, and composes up to `last` (with -1, every
// frame to the end, at most `most`), handing each composed frame to `onFrame`.
bool ReadGif(CPictureFile &file, CPicture &picture, int last,
             const std::function<void(const CPicture &)> &onFrame, int most = INT_MAX) {
  PictureReader in(file);
  std::array<uint8_t, 13> screen{};
  if (!in.Read(screen) || screen[0] != 'G' || screen[1] != 'I' || screen[2] != 'F' || screen[3] != '8')
    return false;
  const int32_t screenW = LittleU16(screen, 6);
  const int32_t screenH = LittleU16(screen, 8);
  // Every frame lies inside the screen: a screen no picture of ours can hold is refused first.
  if (screenW > 0 && screenH > 0 && !PictureFits(screenW, screenH, 24, picture.Info().MostBytes))
    return RefusePicture(picture, "GIF screen too large");
  ColourTable global;
  if ((screen[10] & 0x80) != 0 && !ReadColourTable(in, 2 << (screen[10] & 7), global))
    return false;
  const int64_t blocks = in.Position();

  bool firstSmaller = false;
  const int frames = GifWalk(in, screenW, screenH, global).Count(firstSmaller);
  picture.Info().FrameCount = frames;
  if (last < 0)
    last = std::min(frames, most) - 1;
  if (last < 0 || last >= frames || !in.Seek(blocks))
    return false;
  const bool several = frames > 1;
  const bool trueColour = several && global.empty() && firstSmaller;
  if (trueColour && !picture.Create(screenW, screenH, 24, kPictureGif))
    return false;
  picture.Info().FrameCount = frames;
  GifWalk walk(in, screenW, screenH, global);
  auto counted = [&](const CPicture &frame) {
    picture.Info().FrameCount = frames;
    if (onFrame)
      onFrame(frame);
  };
  if (!walk.Compose(picture, last, several, trueColour, counted))
    return false;
  picture.Info().FrameCount = frames;
  return true;
}

} // namespace

bool DecodeGif(CPictureFile &file, CPicture &picture) {
  return ReadGif(file, picture, picture.Info().FrameIndex, {});
}

std::vector<CPicture> DecodeGifFrames(CPictureFile &file, int most) {
  std::vector<CPicture> frames;
  CPicture canvas;
  ReadGif(
      file, canvas, -1,
      [&](const CPicture &frame) {
        if (static_cast<int>(frames.size()) < most)
          frames.push_back(frame);
      },
      most);
  return frames;
}

} // namespace quorbel
