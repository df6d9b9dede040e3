// Asked through libpulse on a main loop of our own, turned in short slices: Qt's own connection
// waits without a limit, so it is made only after this one was answered.
#include "platform/qt/sound_server.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <thread>
#include <vector>

namespace quorbel {

namespace {

std::atomic<SoundServerState> gState{SoundServerState::NotAsked};

constexpr int kSliceMicroseconds = 50000;

// True when the server completes the handshake and answers one question, within `limitMs`.
bool ServerAnswers(int limitMs, const std::atomic<bool> &stop) {
  pa_mainloop *loop = pa_mainloop_new();
  if (!loop)
    return false;
  pa_context *context = pa_context_new(pa_mainloop_get_api(loop), "Quorbel");
  bool answered = false;
  bool failed = context == nullptr || pa_context_connect(context, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0;
  pa_operation *question = nullptr;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!failed && !answered && !stop && std::chrono::steady_clock::now() < deadline) {
    const pa_context_state_t state = pa_context_get_state(context);
    if (!PA_CONTEXT_IS_GOOD(state))
      break;
    if (state == PA_CONTEXT_READY && !question) {
      question = pa_context_get_server_info(
          context,
          [](pa_context *, const pa_server_info *info, void *done) { *static_cast<bool *>(done) = info; },
          &answered);
      failed = question == nullptr;
    }
    if (pa_mainloop_prepare(loop, kSliceMicroseconds) < 0 || pa_mainloop_poll(loop) < 0 ||
        pa_mainloop_dispatch(loop) < 0)
      failed = true;
  }
  if (question) {
    pa_operation_cancel(question);
    pa_operation_unref(question);
  }
  if (context) {
    pa_context_disconnect(context);
    pa_context_unref(context);
  }
  pa_mainloop_free(loop);
  return answered;
}

} // namespace

SoundServerState CurrentSoundServerState() { return gState; }

struct SoundServerCheck::Shared {
  std::mutex mutex;
  std::condition_variable answered;
  bool known = false;
  std::vector<std::pair<QPointer<QObject>, std::function<void()>>> waiting;
  std::atomic<bool> stop{false};
  std::thread thread;
};

SoundServerCheck::SoundServerCheck(int limitMs) : shared_(std::make_shared<Shared>()) {
  gState = SoundServerState::Asking;
  shared_->thread = std::thread([shared = shared_, limitMs] {
    const bool answers = ServerAnswers(limitMs, shared->stop);
    std::lock_guard lock(shared->mutex);
    gState = answers ? SoundServerState::Answers : SoundServerState::Silent;
    shared->known = true;
    shared->answered.notify_all();
    if (shared->stop)
      return;
    // Through the application, which outlives the check; the context is looked at on its thread.
    if (QCoreApplication *application = QCoreApplication::instance())
      for (auto &waiting : shared->waiting)
        QMetaObject::invokeMethod(
            application,
            [waiting = std::move(waiting)] {
              if (waiting.first)
                waiting.second();
            },
            Qt::QueuedConnection);
    shared->waiting.clear();
  });
}

SoundServerCheck::~SoundServerCheck() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stop = true;
    shared_->waiting.clear();
  }
  shared_->thread.join();
}

void SoundServerCheck::WaitUntilKnown() {
  std::unique_lock lock(shared_->mutex);
  shared_->answered.wait(lock, [this] { return shared_->known; });
}

void SoundServerCheck::WhenKnown(QObject *context, std::function<void()> then) {
  {
    std::lock_guard lock(shared_->mutex);
    if (!shared_->known) {
      shared_->waiting.emplace_back(context, std::move(then));
      return;
    }
  }
  then();
}

} // namespace quorbel
