// An output with no device behind it: a thread of its own pulls the frames that a real device
// would have played by now, and throws them away.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/audio_output.h"

namespace quorbel {

class NullAudioOutput final : public AudioOutput {
public:
  ~NullAudioOutput() override;
  bool Open(const AudioFormat &format, AudioSource &source) override;
  void Close() override;
  void Pause() override;
  void Resume() override;
  void Reset() override;
  int64_t PlayedFrames() const override;

private:
  void Run();

  AudioFormat format_;
  AudioSource *source_ = nullptr;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  bool paused_ = false;
  std::atomic<int64_t> played_{0};
};

} // namespace quorbel
