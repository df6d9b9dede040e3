// A modeless window brought forward while the player works: above the window in front of it.
// Over a modal dialog (the start screen, the generation dialog) it is made that dialog's
// transient for as long as the dialog shows, since Qt blocks every other window and the window
// manager keeps a transient above its owner.
#pragma once

class QWidget;

// Shows `window` above the modal dialog in front, if any, else above its own parent window;
// with `activate` it also takes the keyboard focus.
void ShowInFront(QWidget *window, bool activate);

// Hides `window`; when it had the keyboard focus, the window it stood above takes it back, as a
// window manager would hand it (without one, the keys would reach no window).
void HideGivingFocusBack(QWidget *window);
