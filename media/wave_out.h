// The player's output: a ring of buffers of one length each, played in the order they are
// handed over. The audio output pulls them; a buffer is done once it has been consumed, and the
// done callback then names it.
#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio_output.h"

namespace quorbel {

using AudioOutputFactory = std::function<std::unique_ptr<AudioOutput>()>;

class CWaveOut final : public AudioSource {
public:
  explicit CWaveOut(AudioOutputFactory makeOutput) : makeOutput_(std::move(makeOutput)) {}
  ~CWaveOut() override;

  // Allocates `count` buffers of `ms` milliseconds of 16-bit sound.
  void Initialize(int channels, int rate, int count, int ms);
  bool Initialized() const { return !buffers_.empty(); }
  // Opens the audio output (from the thread the output belongs to); false when it cannot.
  bool OpenAudioOutput();
  bool Opened() const { return output_ != nullptr; }
  void Close();

  int BufferCount() const { return static_cast<int>(buffers_.size()); }
  size_t BufferBytes() const { return bufferBytes_; }
  const AudioFormat &Format() const { return format_; }
  // Buffer i's samples, to be filled while it is done.
  int16_t *BufferData(int i) { return buffers_[static_cast<size_t>(i)].Samples.data(); }
  bool IsDone(int i) const;
  bool AllDone() const;
  void MarkAllDone();
  // Queues the first `bytes` of buffer i.
  void PlayBuffer(int i, size_t bytes);

  // Each channel's volume 0..100, applied as the sound goes out, so that a change is heard at once.
  void SetVolume(int left, int right) {
    left_ = left;
    right_ = right;
  }

  // Drops the queued buffers (they are done) without calling back.
  void Reset();
  void Pause();
  void Restart();
  // Bytes consumed from buffers since the last ResetPlayed.
  int64_t PlayedBytes() const { return played_; }
  void ResetPlayed() { played_ = 0; }
  // The `bytes` at the play position of the buffer playing now, moved back to end at its end,
  // at the volume they go out at; empty when nothing plays.
  std::vector<int16_t> PlayingWindow(size_t bytes) const;

  // Called from the output's thread with the index of a buffer just consumed.
  std::function<void(int)> OnDone;

  size_t Pull(int16_t *samples, size_t frames) override;

private:
  void ApplyVolume(int16_t *samples, size_t count, size_t first) const;

  struct Buffer {
    std::vector<int16_t> Samples;
    size_t Used = 0; // samples queued
    bool Done = true;
  };

  AudioOutputFactory makeOutput_;
  std::unique_ptr<AudioOutput> output_;
  AudioFormat format_;
  size_t bufferBytes_ = 0;
  mutable std::mutex mutex_;
  std::vector<Buffer> buffers_;
  std::deque<int> queue_;
  size_t offset_ = 0; // samples of the front buffer already consumed
  std::atomic<int64_t> played_{0};
  std::atomic<int> left_{100};
  std::atomic<int> right_{100};
};

} // namespace quorbel
