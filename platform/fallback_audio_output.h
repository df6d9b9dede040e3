// An output that plays on the first of two outputs that opens: the sound device, else a null
// output, so that music keeps its time on a machine with no sound. Falling back is told once.
#pragma once

#include <functional>
#include <memory>

#include "platform/audio_output.h"

namespace quorbel {

class FallbackAudioOutput final : public AudioOutput {
public:
  FallbackAudioOutput(std::unique_ptr<AudioOutput> first, std::unique_ptr<AudioOutput> second,
                      std::function<void()> onFallback)
      : first_(std::move(first)), second_(std::move(second)), onFallback_(std::move(onFallback)) {}
  ~FallbackAudioOutput() override { Close(); }
  bool Open(const AudioFormat &format, AudioSource &source) override;
  void Close() override;
  void Pause() override;
  void Resume() override;
  void Reset() override;
  int64_t PlayedFrames() const override;

private:
  std::unique_ptr<AudioOutput> first_;
  std::unique_ptr<AudioOutput> second_;
  std::function<void()> onFallback_;
  AudioOutput *open_ = nullptr;
};

} // namespace quorbel
