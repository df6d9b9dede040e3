// The symbols of the four Trio classes, drawn alike in the Trio Data dialog and on the board.
#pragma once

#include <QPainter>
#include <QRect>

// Class 1 a square (orange), 2 a circle (purple), 3 a triangle (green), 4 a diamond (blue),
// inset 5 pixels in the box with a 5-pixel pen; all red when `red`. Other classes draw nothing.
void DrawTrioSymbol(QPainter &dc, int cellClass, const QRect &box, bool red);
