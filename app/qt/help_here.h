// Where the player is, as a help context: the window in front (a modal dialog, the active window)
// and, inside it, the control with the focus, such as a start-screen button naming a game mode.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

class QWidget;

// A control whose topic changes with what it holds carries its context in this property.
inline constexpr const char *kHelpContextProperty = "helpContext";

// The context of the first widget from `here` up through its parents to its window that has one;
// the board's for the main frame, the contents for a window that has none.
int32_t HelpContextOf(const QWidget *here);
// The widget the player is at: the focus widget in the window in front, else that window.
QWidget *WidgetInFront();

// The context-help mode's click (the "?" button, then a click on a window or control): the
// clicked widget is handed to `open`, in place of the what's-this texts we do not write.
class HelpRequestFilter final : public QObject {
  Q_OBJECT
public:
  ~HelpRequestFilter() override;
  void Install(std::function<void(const QWidget *clicked)> open);

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  std::function<void(const QWidget *)> open_;
};
