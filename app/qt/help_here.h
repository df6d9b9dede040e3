// Where the player is, as a help context: the window in front (a modal dialog, the active window)
// and, inside it, the control with the focus, such as a start-screen button naming a game mode.
#pragma once

#include <cstdint>

class QWidget;

// The context of the first widget from `here` up through its parents to its window that has one;
// the board's for the main frame, the contents for a window that has none.
int32_t HelpContextOf(const QWidget *here);
// The widget the player is at: the focus widget in the window in front, else that window.
QWidget *WidgetInFront();
