// The start screen's game buttons, drawn: each a 45 x 55 tile with the sign of its game, raised,
// pressed, and ringed when it has the focus.
#pragma once

#include <string_view>

#include "app/qt/picture_button.h"

// The pictures of a button by its name ("BM_GENERE", "BM_CATALOG", "BM_LOAD", "BM_NEW",
// "BM_KIDS", "BM_QUICK", "BM_RAND", "BM_TRIP", "BM_QUEL", "BM_DEFI"); an unknown name gets a
// plain tile.
ButtonPictures StartButtonPictures(std::string_view name);
