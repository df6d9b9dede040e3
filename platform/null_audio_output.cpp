#include "platform/null_audio_output.h"

#include <chrono>

namespace quorbel {

namespace {
constexpr auto kPeriod = std::chrono::milliseconds(10);
}

NullAudioOutput::~NullAudioOutput() { Close(); }

bool NullAudioOutput::Open(const AudioFormat &format, AudioSource &source) {
  Close();
  if (format.SampleRate <= 0 || format.Channels <= 0)
    return false;
  format_ = format;
  source_ = &source;
  stopping_ = false;
  paused_ = false;
  played_ = 0;
  thread_ = std::thread([this] { Run(); });
  return true;
}

void NullAudioOutput::Close() {
  if (!thread_.joinable())
    return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
  source_ = nullptr;
}

void NullAudioOutput::Pause() {
  std::lock_guard lock(mutex_);
  paused_ = true;
}

void NullAudioOutput::Resume() {
  {
    std::lock_guard lock(mutex_);
    paused_ = false;
  }
  wake_.notify_all();
}

void NullAudioOutput::Reset() { played_ = 0; }

int64_t NullAudioOutput::PlayedFrames() const { return played_; }

// The frames due are counted from the time spent playing, so a late wake-up catches up instead of
// slowing the clock down.
void NullAudioOutput::Run() {
  using Clock = std::chrono::steady_clock;
  std::vector<int16_t> scratch;
  Clock::duration playing{0};
  Clock::time_point last = Clock::now();
  int64_t pulled = 0;
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    wake_.wait_for(lock, kPeriod, [this] { return stopping_; });
    const Clock::time_point now = Clock::now();
    if (!paused_)
      playing += now - last;
    last = now;
    if (stopping_ || paused_)
      continue;
    const int64_t due =
        std::chrono::duration_cast<std::chrono::microseconds>(playing).count() * format_.SampleRate / 1000000;
    if (due <= pulled)
      continue;
    const auto frames = static_cast<size_t>(due - pulled);
    scratch.resize(frames * static_cast<size_t>(format_.Channels));
    lock.unlock();
    source_->Pull(scratch.data(), frames);
    lock.lock();
    pulled = due;
    played_ += static_cast<int64_t>(frames);
  }
}

} // namespace quorbel
