// Reading the number in one cell of a scanned picture: the cell's ink cut into glyphs, each
// matched against the learnt dictionary, or shown to the player through a ValueAsker, whose
// answer is learnt at once.
#pragma once

#include <cstdint>
#include <vector>

#include "media/glyph_dictionary.h"
#include "media/grey_image.h"

namespace quorbel {

inline constexpr int kMostGlyphs = 16;
// Ink is what lies darker than this share (%) of the way from the darkest to the brightest grey.
// At half way antialiased print keeps its strokes whole, and the shipped dictionary was learnt
// there: nearer the darkest they break up and their densities scatter.
inline constexpr int kDefaultGridLevel = 50;
inline constexpr int kMostGlyphSide = 100;

struct GlyphPicture {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint8_t> Dark; // 1 dark, rows from the top
  std::vector<uint8_t> Grey;
};

// 5 column bands by 7 row bands over the whole glyph: the dark share of each, the same for a
// glyph of any size. A glyph narrower than 5 or lower than 7 has empty bands, whose shares are
// not numbers.
GlyphFeatures GlyphFeaturesOf(const GlyphPicture &glyph);

struct GlyphQuestion {
  int Proposed = 0; // the nearest slot's digit, 0 when unknown
  int Slot = -2;    // -2 when unknown
  bool AskAll = false;
  const GlyphPicture *Glyph = nullptr;
  int Darkest = 0;
  int Brightest = 255;
  int Column = 0;
  int Row = 0;
  int GridLevel = kDefaultGridLevel;
};

struct GlyphAnswer {
  bool Ok = false;
  int Value = -1; // a number, or -1: pass this glyph by
  bool AskAll = false;
  int GridLevel = kDefaultGridLevel;
};

class ValueAsker {
public:
  virtual ~ValueAsker() = default;
  virtual GlyphAnswer Ask(const GlyphQuestion &question) = 0;
};

inline constexpr int kCellEmpty = -1;
inline constexpr int kCellCancelled = -2;
inline constexpr int64_t kMostCellNumber = 999999;

struct GlyphReading {
  const GreyImage &Image;
  int Darkest = 0;
  int Brightest = 255;
  int GridLevel = kDefaultGridLevel; // SCAN/GRIDLEVEL, which the asker may change
  Dico &Dictionary;
  ValueAsker &Asker;
  bool AskAll = false; // set by the asker, for the rest of the command
};

// The cell's number (at most kMostCellNumber), kCellEmpty without ink, kCellCancelled when
// the player cancelled the value dialog.
int ReadCellNumber(GlyphReading &reading, CellBox cell, int column, int row);
// The small sum in a cage's corner: every glyph asked for.
int ReadCageSum(GlyphReading &reading, CellBox cell, int column, int row);

} // namespace quorbel
