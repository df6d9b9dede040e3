// Draws the toolbar pictures of resources/toolbar_tables.h into icons, at the screen's scale
// and at twice it.
#pragma once

#include <QIcon>
#include <QImage>

#include "resources/toolbar_tables.h"

// One picture at `scale` times its 20 x 25 pixel box, on a transparent ground.
QImage DrawToolbarPicture(const quorbel::ToolbarEntry &entry, int scale);
QIcon ToolbarIcon(const quorbel::ToolbarEntry &entry);
