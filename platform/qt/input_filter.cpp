#include "platform/qt/input_filter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace quorbel {

namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
  case QEvent::ShortcutOverride:
  case QEvent::Shortcut:
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::NonClientAreaMouseButtonPress:
  case QEvent::NonClientAreaMouseButtonRelease:
  case QEvent::NonClientAreaMouseButtonDblClick:
  case QEvent::Wheel:
  case QEvent::ContextMenu:
  case QEvent::DragEnter:
  case QEvent::Drop:
    return true;
  default:
    return false;
  }
}

InputRelease::Kind ButtonKind(Qt::MouseButton button) {
  switch (button) {
  case Qt::LeftButton:
    return InputRelease::LeftButton;
  case Qt::RightButton:
    return InputRelease::RightButton;
  default:
    return InputRelease::OtherButton;
  }
}

} // namespace

InputFilter::InputFilter(Hooks hooks) : hooks_(std::move(hooks)) {}

InputFilter::~InputFilter() { Remove(); }

void InputFilter::Install() {
  if (!installed_ && QCoreApplication::instance()) {
    QCoreApplication::instance()->installEventFilter(this);
    installed_ = true;
  }
}

void InputFilter::Remove() {
  if (installed_ && QCoreApplication::instance())
    QCoreApplication::instance()->removeEventFilter(this);
  installed_ = false;
}

bool InputFilter::eventFilter(QObject *watched, QEvent *event) {
  const QEvent::Type type = event->type();
  if (!IsUserInput(type))
    return false;

  if (hooks_.released) {
    if (type == QEvent::KeyRelease && !static_cast<QKeyEvent *>(event)->isAutoRepeat())
      hooks_.released({InputRelease::Key, static_cast<QKeyEvent *>(event)->key()});
    else if (type == QEvent::MouseButtonRelease)
      hooks_.released({ButtonKind(static_cast<QMouseEvent *>(event)->button())});
  }

  if (hooks_.refusing && hooks_.refusing() && !(hooks_.allowed && hooks_.allowed(watched))) {
    // Refusing the override keeps a shortcut from firing; the key press itself is eaten next.
    event->accept();
    return true;
  }

  if (type == QEvent::Shortcut && hooks_.refusesShortcut &&
      hooks_.refusesShortcut(watched, static_cast<QShortcutEvent *>(event)->key()))
    return true;

  if (type == QEvent::KeyPress && hooks_.functionKey) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12 && hooks_.functionKey(key - Qt::Key_F1 + 1))
      return true;
  }
  return false;
}

} // namespace quorbel
