// Polling and message pumps: long computations run on the user-interface thread and call these
// to keep the windows alive and to learn whether the player wants them to stop. There is one
// abort: Escape or the right button released while events are pumped, the progress dialog's
// Cancel and the closing of the main window all request it, and every poll then reports it
// until the work that was running ends.
#pragma once

#include <QEventLoop>
#include <cstdint>
#include <functional>

#include "app/poll_throttle.h"
#include "platform/qt/input_filter.h"

class MessagePump {
public:
  using Clock = std::function<uint32_t()>;

  MessagePump();

  // Tests drive the one-second throttle with a clock of their own.
  void SetClock(Clock clock) { clock_ = std::move(clock); }

  // At most once a second pumps the pending events; true when an abort was requested.
  bool PollUserAbort();
  // The same without the throttle (the next throttled poll waits a second from now).
  bool PollUserAbortNow();
  // Pumps events for `ms` milliseconds (0: the pending ones only); true when Escape or the right
  // button was released meanwhile. Refuses to pump across the wrap of the millisecond clock.
  bool PumpMessagesFor(uint32_t ms);
  // Pumps until the player releases a key or a mouse button: 1 for Escape or the right button,
  // 0 for the left button, else the released key (a Qt::Key, never 0 or 1).
  int WaitForKeyOrClick();
  // One round of the pending events; false when `closing` says the program is closing.
  bool PumpMessagesUnlessClosing(const std::function<bool()> &closing);

  void RequestAbort() { abort_ = true; }
  bool AbortRequested() const { return abort_; }

  // True while events are pumped from inside a computation: user input and commands are refused.
  bool Pumping() const { return pumping_ > 0; }

  // Runs one command (or any long work started outside the menus, or from a dialog that a
  // command opened): it starts with no abort requested, and an abort heard meanwhile ends with it.
  void RunCommand(const std::function<void()> &work);

  // The input filter's report of every released key and button.
  void NoteRelease(const quorbel::InputRelease &release);

private:
  bool Pump(uint32_t ms);

  Clock clock_;
  quorbel::PollThrottle throttle_;
  bool abort_ = false;
  int pumping_ = 0;
  int commandDepth_ = 0;
  bool gesture_ = false; // Escape or the right button released during this pumping
  int waitResult_ = -1;  // what WaitForKeyOrClick is waiting for; -1 none yet
  QEventLoop *waiting_ = nullptr;
  bool waitingForRelease_ = false;
};
