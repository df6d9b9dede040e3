// An output that plays only when told to: Consume pulls frames from the source and keeps them.
// The tape outlives the output, so what was played stays readable after the output is gone.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio_output.h"

namespace quorbel {

struct CaptureTape {
  AudioFormat Format;
  std::vector<int16_t> Samples;
  bool Opened = false;
  // Pulls that many frames, when an output is open and not paused; returns the frames taken.
  size_t Consume(size_t frames);

private:
  friend class CaptureAudioOutput;
  std::mutex mutex_;
  AudioSource *source_ = nullptr;
  bool paused_ = false;
  int64_t played_ = 0;
};

class CaptureAudioOutput final : public AudioOutput {
public:
  explicit CaptureAudioOutput(std::shared_ptr<CaptureTape> tape, bool deviceAvailable = true)
      : tape_(std::move(tape)), deviceAvailable_(deviceAvailable) {}
  ~CaptureAudioOutput() override { Close(); }
  bool Open(const AudioFormat &format, AudioSource &source) override;
  void Close() override;
  void Pause() override;
  void Resume() override;
  void Reset() override;
  int64_t PlayedFrames() const override;

private:
  std::shared_ptr<CaptureTape> tape_;
  bool deviceAvailable_;
};

} // namespace quorbel
