// The one bridge between the program's stored colours (0x00BBGGRR) and Qt's colours.
#pragma once

#include <QColor>

#include "platform/colour_word.h"

namespace quorbel {

inline QColor ToQColor(ColorRef colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

inline ColorRef FromQColor(const QColor &colour) {
  return MakeColorRef(static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
                      static_cast<uint8_t>(colour.blue()));
}

} // namespace quorbel
