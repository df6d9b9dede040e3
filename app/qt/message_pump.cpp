#include "app/qt/message_pump.h"

#include <QCoreApplication>
#include <QTimer>

#include "platform/clock.h"

using quorbel::InputRelease;

MessagePump::MessagePump() : clock_(quorbel::TimeGetTime) {}

bool MessagePump::PollUserAbort() {
  if (!abort_ && throttle_.Due(clock_()))
    Pump(0);
  return abort_;
}

bool MessagePump::PollUserAbortNow() {
  throttle_.Restart(clock_());
  Pump(0);
  return abort_;
}

bool MessagePump::PumpMessagesFor(uint32_t ms) {
  const uint32_t now = clock_();
  if (now + ms < now)
    return false;
  return Pump(ms);
}

bool MessagePump::Pump(uint32_t ms) {
  ++pumping_;
  gesture_ = false;
  if (ms == 0) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  } else {
    QEventLoop loop;
    QEventLoop *outer = waiting_;
    waiting_ = &loop;
    QTimer::singleShot(static_cast<int>(ms), &loop, &QEventLoop::quit);
    loop.exec();
    waiting_ = outer;
  }
  --pumping_;
  const bool interrupted = gesture_;
  gesture_ = false;
  return interrupted;
}

int MessagePump::WaitForKeyOrClick() {
  QEventLoop loop;
  QEventLoop *outer = waiting_;
  waiting_ = &loop;
  waitingForRelease_ = true;
  waitResult_ = -1;
  ++pumping_;
  loop.exec();
  --pumping_;
  waitingForRelease_ = false;
  waiting_ = outer;
  return waitResult_ < 0 ? 0 : waitResult_;
}

bool MessagePump::PumpMessagesUnlessClosing(const std::function<bool()> &closing) {
  if (closing())
    return false;
  Pump(0);
  return !closing();
}

void MessagePump::RunCommand(const std::function<void()> &work) {
  // An abort belongs to the work it stopped: none is left over for what runs next, even inside
  // the same outer command (a dialog's second GO), and one heard by the outer work stays its own.
  const bool outer = commandDepth_++ > 0 && abort_;
  abort_ = false;
  work();
  --commandDepth_;
  abort_ = outer;
}

void MessagePump::NoteRelease(const InputRelease &release) {
  if (!Pumping())
    return;
  const bool stop = release.kind == InputRelease::RightButton ||
                    (release.kind == InputRelease::Key && release.key == Qt::Key_Escape);
  if (waitingForRelease_ && waitResult_ < 0) {
    if (stop)
      waitResult_ = 1;
    else if (release.kind == InputRelease::LeftButton)
      waitResult_ = 0;
    else if (release.kind == InputRelease::Key)
      waitResult_ = release.key;
    if (waitResult_ >= 0 && waiting_)
      waiting_->quit();
  }
  if (stop) {
    gesture_ = true;
    abort_ = true;
    if (waiting_ && !waitingForRelease_)
      waiting_->quit();
  }
}
