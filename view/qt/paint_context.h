// What one paint of the board reads: the target painter and fonts, the grids and their shape,
// the colours, the settings and display switches of this moment, and the selection. Built by the
// view for each paint, so a setting changed elsewhere shows at the next one.
#pragma once

#include <QImage>
#include <QPainter>

#include "app/app_settings.h"
#include "app/board_animations.h"
#include "app/colours.h"
#include "app/picture_library.h"
#include "app/value_symbol.h"
#include "engine/grid_set.h"
#include "view/display_switches.h"
#include "view/qt/font_table.h"
#include "view/selection_list.h"

namespace quorbel {

struct PaintContext {
  QPainter &Dc; // draws into the back buffer
  const FontTable &Fonts;
  const GridGeometry &Geo;
  const GridSet &Grids;
  const BoardColours &Colours;
  const GeneralSettings &General;
  const DisplaySwitches &Switches;
  const SelectionList &Selection;
  SymbolMode Symbols = kSymbolDigits;
  // The board's picture at the board's place in a client-sized image; none without a picture.
  const QImage *Background = nullptr;
  bool Printing = false;
  // The cell pictures; none draws the values' symbols in pictures mode too.
  const PictureLibrary *Pictures = nullptr;
  // The Magic Sentence's letters of the values 1..W; empty when no grid has a sentence.
  std::string MagicLetters;
  // The board's cell animations; none draws every picture still.
  const BoardAnimations *Animations = nullptr;
};

// The animations of a painted cell: the board's own for a cell of main grid `slot`, none for
// any other grid (a solution shown, a printed page).
inline const CellAnimations *PaintedPictures(const PaintContext &ctx, const GridRecord *grid, int slot,
                                             int cell) {
  return ctx.Animations && slot >= 0 && slot < kMaxGrids && grid == &ctx.Grids.Main[static_cast<size_t>(slot)]
             ? ctx.Animations->Find(slot, cell)
             : nullptr;
}

} // namespace quorbel
