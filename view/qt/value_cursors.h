// The cursors of dragged values: 40 x 40, hot spot at the black tip in the top left corner,
// showing the value's picture or the first character of its symbol.
#pragma once

#include <QCursor>
#include <QFont>
#include <QString>
#include <vector>

#include "media/picture_set.h"

namespace quorbel {

// The first character of `text` in black, centred, on a transparent ground.
CursorImage MakeTextCursor(const QString &text, const QFont &font);
QCursor ToQCursor(const CursorImage &image);

struct BoardColours;

// One cell of a dragged piece: its place in cells (column, row, from the turned piece's top
// left), what it shows, and whether it carries the tile's marked corner.
struct PieceCursorCell {
  int Col = 0;
  int Row = 0;
  QString Text;
  bool Marked = false;
};
using PieceCursorCells = std::vector<PieceCursorCell>;
// The piece as it lies, cells of `cell` size, held by the centre of cell `held`.
QCursor MakePieceCursor(const PieceCursorCells &cells, int held, QSize cell, const QFont &font,
                        const BoardColours &colours);

} // namespace quorbel
