// Painting one cell record into the back buffer, layer by layer: background, value or
// candidates, frame. The board painter calls PaintCell for every record; the view calls it for a
// single cell after an edit.
#pragma once

#include <QString>
#include <span>
#include <vector>

#include "app/colours.h"
#include "view/grid_draw.h"
#include "view/qt/anim_painter.h"
#include "view/qt/paint_context.h"

namespace quorbel {

// PaintCell's background override: none.
inline constexpr ColorRef kNoOverride = 0xFFFFFFFFu;
// A selected cell's colours, channel by channel, held at 255.
inline constexpr double kSelectedBrightening = 1.3;
// The unit-highlight disk over a cell's background.
inline constexpr double kHighlightBrightening = 1.2;
// Fixed colours of the painter.
inline constexpr ColorRef kWrongValueBackground = 0x706004; // a value that differs from the solution
inline constexpr ColorRef kSelectedBorder = 0xBB0000;
inline constexpr ColorRef kAbsentCandidate = 0xC68F80;
// The longest text DrawColouredText draws.
inline constexpr int kMaxColouredText = 15;

// All layers of one record of the painter's grid. Returns 1.
int PaintCell(const PaintContext &ctx, const CGridDraw &painter, int cell, ColorRef override = kNoOverride);

bool IsCellSelected(const PaintContext &ctx, const CGridDraw &painter, int cell);
// The cell or one of its units (row, column, block, the diagonals of a Diagonal grid) in conflict.
bool CellInConflict(const PaintContext &ctx, const CGridDraw &painter, int cell);
// Fills `rect` with the cell's background and returns the colour.
ColorRef CellBackground(const PaintContext &ctx, const CGridDraw &painter, ColorRef override,
                        const CellRect &rect, int cell);
void DrawCellValue(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect);
// Where a centred text goes in a rectangle: the largest font of the table, from `font` down,
// at which the text fits, on one line or broken into as few lines as needed; with no font small
// enough, the smallest. Characters are never dropped, so what is shown is never a wrong set.
struct TextPlacement {
  int Font = 0;
  std::vector<QPoint> Baselines; // the start of each character on its baseline
};
TextPlacement PlaceCentredText(const QString &text, const CellRect &rect, const FontTable &fonts, int font);
// Centred text of 1 to 15 characters, each in its own colour (kNoOverride: the default colour).
void DrawColouredText(QPainter &dc, const QString &text, std::span<const ColorRef> colours,
                      ColorRef defaultColour, const CellRect &rect, const FontTable &fonts, int font);
// The candidate matrix of an empty cell.
void DrawCandidateMatrix(const PaintContext &ctx, const CGridDraw &painter, int cell);
// The values in the two small rows (the number bar, and the candidates of the probables style).
void DrawValueRow(const PaintContext &ctx, const CGridDraw &painter, int cell, ColorRef background);
void DrawCellBorder(const PaintContext &ctx, const CGridDraw &painter, int cell);

// The symbol of a value as drawn (pictures show digits and letters until picture sets exist).
QString SymbolText(const PaintContext &ctx, int value);
// What the cell pictures need of a paint.
AnimPaint AnimPaintOf(const PaintContext &ctx);

} // namespace quorbel
