// Drawing the cell pictures: one frame of a picture set fitted into a box with its entry effect,
// an animation's symbol (its picture, or its value's text on the cell's ground), and the rings of
// a pulse.
#pragma once

#include <QImage>
#include <QPainter>
#include <array>

#include "app/cell_animation.h"
#include "app/picture_library.h"
#include "app/value_symbol.h"
#include "media/qt/picture_painter.h"
#include "platform/colour_word.h"
#include "view/cell_rect.h"
#include "view/qt/font_table.h"

namespace quorbel {

// The 16 colours of the cell marks (red in the low byte).
extern const std::array<ColorRef, 16> CellColourTable;

// What drawing an animation reads besides the animation.
struct AnimPaint {
  const PictureLibrary &Pictures;
  const FontTable &Fonts;
  SymbolMode Symbols = kSymbolDigits;
  ColorRef Ground = 0xFFFFFF;         // the cell colour under a text
  bool Colouring = false;             // the Display Coloring switch
  const QImage *Background = nullptr; // the board's picture, client-aligned
  int Transparency = 0;               // 0..255, how much of that picture shows
};

// DrawPictureFrame over a board rectangle.
void DrawPictureFrame(QPainter &dc, const CBitMapGif &set, int frame, int kind, int countdown, int length,
                      const CellRect &box);

// The animation's symbol: its set's frame (`frameOverride` when 0 or more) in pictures mode or
// for the sets past the values; else the value's text on the cell colour, with the colour mark
// `colourIndex` (-1 none) in the upper right corner, outlined when `outline`.
void DrawAnimCell(QPainter &dc, const CAnimGif &anim, int frameOverride, bool outline, const CellRect &box,
                  int colourIndex, const AnimPaint &paint);

// A right triangle of side `size` filling the box's upper right corner, with two black outlines
// inside it when `outline`: the mark of a colour (a colouring chain, a sprite's colour).
void DrawCornerMark(QPainter &dc, const CellRect &box, int size, ColorRef colour, bool outline);

// Three rings that shrink to half the box and grow back, while a pulse's rings run.
void DrawRingPulse(QPainter &dc, const CAnimGif &anim, const CellRect &box);

} // namespace quorbel
