// The cursors of dragged values: 40 x 40, hot spot at the black tip in the top left corner,
// showing the value's picture or the first character of its symbol.
#pragma once

#include <QCursor>
#include <QFont>
#include <QString>

#include "media/picture_set.h"

namespace quorbel {

// The first character of `text` in black, centred, on a transparent ground.
CursorImage MakeTextCursor(const QString &text, const QFont &font);
QCursor ToQCursor(const CursorImage &image);

} // namespace quorbel
