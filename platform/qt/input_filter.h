// The application-wide input filter, in place of the user-interface thread's message hook: it
// sees every key and mouse event of every window before the widget does. It runs the panel keys
// from any window, tells the abort poll which keys and buttons were released, and refuses user
// input while a long computation pumps events (the engine is not re-entrant).
#pragma once

#include <QKeySequence>
#include <QObject>
#include <functional>

namespace quorbel {

struct InputRelease {
  enum Kind { Key, LeftButton, RightButton, OtherButton };
  Kind kind;
  int key = 0; // Qt::Key of a released key
};

class InputFilter final : public QObject {
  Q_OBJECT
public:
  struct Hooks {
    // F1 to F12 pressed in any window (1 for F1); true when a command ran, and the key then
    // reaches no widget.
    std::function<bool(int functionKey)> functionKey;
    // True while user input is refused; `allowed` names the receivers that still get it.
    std::function<bool()> refusing;
    std::function<bool(QObject *receiver)> allowed;
    std::function<void(const InputRelease &)> released;
    // True when the shortcut `keys` of `receiver` (an action) must not fire: the key is then
    // dropped, as a window that keeps its keys would.
    std::function<bool(QObject *receiver, const QKeySequence &keys)> refusesShortcut;
  };

  explicit InputFilter(Hooks hooks);
  ~InputFilter() override;

  void Install();
  void Remove();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  Hooks hooks_;
  bool installed_ = false;
};

} // namespace quorbel
