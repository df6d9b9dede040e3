#include "media/glyph_reader.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorbel {

namespace {

constexpr int kColumnBands = 5;
constexpr int kRowBands = 7;
constexpr int kShortestRun = 3; // runs of 2 columns or fewer are specks

bool Dark(const GreyImage &image, int x, int y, int threshold) { return image.At(x, y) < threshold; }

int DarkInColumn(const GreyImage &image, int x, int top, int bottom, int threshold) {
  int count = 0;
  for (int y = top; y <= bottom; ++y)
    count += Dark(image, x, y, threshold);
  return count;
}

int DarkInRow(const GreyImage &image, int y, int left, int right, int threshold) {
  int count = 0;
  for (int x = left; x <= right; ++x)
    count += Dark(image, x, y, threshold);
  return count;
}

// Moves each edge inwards past the grid line it stands on: a line of pixels nearly all dark.
CellBox PeelGridLines(const GreyImage &image, CellBox box, int threshold) {
  const auto lineColumn = [&](int x) {
    return DarkInColumn(image, x, box.Top, box.Bottom, threshold) >= box.Bottom - box.Top + 1 - 3;
  };
  const auto lineRow = [&](int y) {
    return DarkInRow(image, y, box.Left, box.Right, threshold) >= box.Right - box.Left + 1 - 3;
  };
  while (box.Left < box.Right && lineColumn(box.Left))
    ++box.Left;
  while (box.Top < box.Bottom && lineRow(box.Top))
    ++box.Top;
  while (box.Right > box.Left && lineColumn(box.Right))
    --box.Right;
  while (box.Bottom > box.Top && lineRow(box.Bottom))
    --box.Bottom;
  return box;
}

// The glyphs of the ink inside `area`, left to right; none when there is no real ink.
std::vector<GlyphPicture> CutGlyphs(const GreyImage &image, CellBox area, int threshold) {
  CellBox ink{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), -1, -1};
  for (int y = area.Top; y <= area.Bottom; ++y)
    for (int x = area.Left; x <= area.Right; ++x)
      if (Dark(image, x, y, threshold)) {
        ink.Left = std::min(ink.Left, x);
        ink.Right = std::max(ink.Right, x);
        ink.Top = std::min(ink.Top, y);
        ink.Bottom = std::max(ink.Bottom, y);
      }
  std::vector<GlyphPicture> glyphs;
  if (ink.Right < 0 || ink.Right <= ink.Left + 3 || ink.Bottom <= ink.Top + 3)
    return glyphs;
  int x = ink.Left;
  while (x <= ink.Right && static_cast<int>(glyphs.size()) < kMostGlyphs) {
    while (x <= ink.Right && DarkInColumn(image, x, ink.Top, ink.Bottom, threshold) == 0)
      ++x;
    const int first = x;
    while (x <= ink.Right && DarkInColumn(image, x, ink.Top, ink.Bottom, threshold) > 0)
      ++x;
    const int width = x - first;
    if (width < kShortestRun)
      continue;
    // The glyph's own rows, from its first to its last dark one.
    int top = ink.Bottom;
    int bottom = ink.Top;
    for (int y = ink.Top; y <= ink.Bottom; ++y)
      if (DarkInRow(image, y, first, x - 1, threshold) > 0) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    GlyphPicture glyph;
    glyph.Width = std::min(width, kMostGlyphSide);
    glyph.Height = std::min(bottom - top + 1, kMostGlyphSide);
    glyph.Dark.resize(static_cast<size_t>(glyph.Width * glyph.Height));
    glyph.Grey.resize(glyph.Dark.size());
    for (int gy = 0; gy < glyph.Height; ++gy)
      for (int gx = 0; gx < glyph.Width; ++gx) {
        const size_t at = static_cast<size_t>(gy * glyph.Width + gx);
        glyph.Grey[at] = image.At(first + gx, top + gy);
        glyph.Dark[at] = glyph.Grey[at] < threshold ? 1 : 0;
      }
    glyphs.push_back(std::move(glyph));
  }
  return glyphs;
}

bool HasEmptyBand(const GlyphPicture &glyph) {
  return glyph.Width < kColumnBands || glyph.Height < kRowBands;
}

// result * 10 + value, wide, capped.
int AppendDigit(int64_t &result, int value) {
  result = std::min(result * 10 + value, kMostCellNumber);
  return static_cast<int>(result);
}

int ReadGlyphs(GlyphReading &reading, const std::vector<GlyphPicture> &glyphs, bool askEvery, int column,
               int row) {
  int64_t result = 0;
  for (const GlyphPicture &glyph : glyphs) {
    const GlyphFeatures features = GlyphFeaturesOf(glyph);
    const NearestGlyph nearest = FindNearestGlyph(reading.Dictionary, features);
    int value = 0;
    if (nearest.Slot < 0 || askEvery || reading.AskAll) {
      GlyphQuestion question;
      question.Proposed =
          nearest.Slot >= 0 ? reading.Dictionary.Slots[static_cast<size_t>(nearest.Slot)].Value : 0;
      question.Slot = nearest.Slot;
      question.AskAll = reading.AskAll;
      question.Glyph = &glyph;
      question.Darkest = reading.Darkest;
      question.Brightest = reading.Brightest;
      question.Column = column;
      question.Row = row;
      question.GridLevel = reading.GridLevel;
      const GlyphAnswer answer = reading.Asker.Ask(question);
      if (!answer.Ok)
        return kCellCancelled;
      reading.AskAll = answer.AskAll;
      reading.GridLevel = answer.GridLevel;
      value = answer.Value;
      // A speck too small for every band would never match again: asked, not learnt.
      if (value >= -1 && !HasEmptyBand(glyph))
        AddGlyphToDico(reading.Dictionary, features, value);
    } else {
      value = reading.Dictionary.Slots[static_cast<size_t>(nearest.Slot)].Value;
    }
    if (value >= 0)
      AppendDigit(result, value);
  }
  return static_cast<int>(result);
}

} // namespace

GlyphFeatures GlyphFeaturesOf(const GlyphPicture &glyph) {
  GlyphFeatures features{};
  // The bands divide the whole glyph: a large glyph reads as its shrunk copy would.
  const int w = glyph.Width;
  const int h = glyph.Height;
  for (int i = 0; i < kColumnBands; ++i) {
    const int left = w * i / kColumnBands;
    const int right = i == kColumnBands - 1 ? w - 1 : left + w / kColumnBands - 1;
    for (int j = 0; j < kRowBands; ++j) {
      const int top = h * j / kRowBands;
      const int bottom = j == kRowBands - 1 ? h - 1 : top + h / kRowBands - 1;
      int dark = 0;
      int pixels = 0;
      for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
          dark += glyph.Dark[static_cast<size_t>(y * glyph.Width + x)];
          ++pixels;
        }
      features[static_cast<size_t>(i * kRowBands + j)] =
          pixels > 0 ? static_cast<float>(dark) / static_cast<float>(pixels)
                     : std::numeric_limits<float>::quiet_NaN();
    }
  }
  return features;
}

int ReadCellNumber(GlyphReading &reading, CellBox cell, int column, int row) {
  const int threshold = reading.Darkest + (reading.Brightest - reading.Darkest) * reading.GridLevel / 100;
  std::vector<GlyphPicture> glyphs =
      CutGlyphs(reading.Image, PeelGridLines(reading.Image, cell, threshold), threshold);
  // Print too thin or too pale for the threshold is still there: cut at mid-grey, it is read or
  // asked for, never taken for an empty cell.
  const int middle = reading.Darkest + (reading.Brightest - reading.Darkest) / 2;
  if (glyphs.empty() && middle > threshold)
    glyphs = CutGlyphs(reading.Image, PeelGridLines(reading.Image, cell, middle), middle);
  if (glyphs.empty())
    return kCellEmpty;
  return ReadGlyphs(reading, glyphs, false, column, row);
}

int ReadCageSum(GlyphReading &reading, CellBox cell, int column, int row) {
  const int threshold = reading.Darkest + (reading.Brightest - reading.Darkest) / 2;
  const CellBox inside{cell.Left + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1};
  const std::vector<GlyphPicture> glyphs = CutGlyphs(reading.Image, inside, threshold);
  if (glyphs.empty())
    return kCellEmpty;
  return ReadGlyphs(reading, glyphs, true, column, row);
}

} // namespace quorbel
