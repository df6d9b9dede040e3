// The board view's keys: symbols typed into cells, the keys that move the focus, clear a cell,
// step through the search's solutions, and the expert's letter keys.
#include <QKeyEvent>

#include "view/qt/quorbel_view.h"

using namespace quorbel;

namespace {

// The keyboard's digit row, 1 to 9, in the key codes of X11 and Wayland: the same keys on every
// layout. Other platforms report no key code (0) and are left to the key's symbol.
constexpr quint32 kDigitRowFirstKeyCode = 10;
constexpr quint32 kDigitRowLastKeyCode = 18;

// The symbol a key types: '0'..'9' (keypad too) or 'A'..'Z'; 0 for any other key. A French
// keyboard types its digits with Shift: the digit row gives its digit either way, as the row's
// keys do on Windows.
char SymbolOfKey(const QKeyEvent &event) {
  const int key = event.key();
  if (key >= Qt::Key_0 && key <= Qt::Key_9)
    return static_cast<char>('0' + key - Qt::Key_0);
  if (key >= Qt::Key_A && key <= Qt::Key_Z)
    return static_cast<char>('A' + key - Qt::Key_A);
  const quint32 code = event.nativeScanCode();
  if (code >= kDigitRowFirstKeyCode && code <= kDigitRowLastKeyCode)
    return static_cast<char>('1' + code - kDigitRowFirstKeyCode);
  return 0;
}

std::optional<BoardKey> BoardKeyOf(int key) {
  switch (key) {
  case Qt::Key_Backspace:
    return BoardKey::Backspace;
  case Qt::Key_Tab:
    return BoardKey::Tab;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    return BoardKey::Enter;
  case Qt::Key_Escape:
    return BoardKey::Escape;
  case Qt::Key_PageUp:
    return BoardKey::PageUp;
  case Qt::Key_PageDown:
    return BoardKey::PageDown;
  case Qt::Key_Home:
    return BoardKey::Home;
  case Qt::Key_End:
    return BoardKey::End;
  case Qt::Key_Insert:
    return BoardKey::Insert;
  case Qt::Key_Left:
    return BoardKey::Left;
  case Qt::Key_Up:
    return BoardKey::Up;
  case Qt::Key_Right:
    return BoardKey::Right;
  case Qt::Key_Down:
    return BoardKey::Down;
  default:
    return std::nullopt;
  }
}

} // namespace

void CQuorbelView::keyPressEvent(QKeyEvent *event) {
  // Keys with Ctrl or Alt are the menus' accelerators, even those whose command is disabled.
  if (!BoardInputAllowed() ||
      (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    QWidget::keyPressEvent(event);
    return;
  }
  input_.NoteKeyPress();
  const char symbol = SymbolOfKey(*event);
  if (symbol != 0 && (input_.TypeSymbol(symbol) || input_.ExpertKey(symbol)))
    return;
  if (const std::optional<BoardKey> key = BoardKeyOf(event->key()))
    input_.Key(*key);
  else
    QWidget::keyPressEvent(event);
}

bool CQuorbelView::focusNextPrevChild(bool /*next*/) { return false; }
