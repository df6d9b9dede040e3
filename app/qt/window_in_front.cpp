#include "app/qt/window_in_front.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

QWindow *OwnWindowOf(QWidget *window) {
  QWidget *parent = window->parentWidget();
  return parent ? parent->window()->windowHandle() : nullptr;
}

} // namespace

void ShowInFront(QWidget *window, bool activate) {
  window->show();
  QWindow *handle = window->windowHandle();
  QWidget *modal = QApplication::activeModalWidget();
  QWindow *over = modal && modal != window && !window->isAncestorOf(modal) ? modal->windowHandle() : nullptr;
  if (handle && over && handle->transientParent() != over) {
    handle->setTransientParent(over);
    // Once the dialog goes, the window belongs to its own parent again.
    QObject::connect(
        over, &QWindow::visibleChanged, window,
        [window, home = QPointer<QWindow>(OwnWindowOf(window))](bool visible) {
          if (!visible && window->windowHandle())
            window->windowHandle()->setTransientParent(home);
        },
        Qt::SingleShotConnection);
  } else if (handle && !over && !handle->transientParent()) {
    handle->setTransientParent(OwnWindowOf(window));
  }
  window->raise();
  if (activate)
    window->activateWindow();
}

void HideGivingFocusBack(QWidget *window) {
  const bool active = window->isActiveWindow();
  window->hide();
  if (!active)
    return;
  QWidget *next = QApplication::activeModalWidget();
  if (!next && window->parentWidget())
    next = window->parentWidget()->window();
  if (next && next != window && next->isVisible())
    next->activateWindow();
}
