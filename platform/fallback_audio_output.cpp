#include "platform/fallback_audio_output.h"

namespace quorbel {

bool FallbackAudioOutput::Open(const AudioFormat &format, AudioSource &source) {
  Close();
  if (first_ && first_->Open(format, source)) {
    open_ = first_.get();
    return true;
  }
  if (second_ && second_->Open(format, source)) {
    open_ = second_.get();
    if (onFallback_)
      onFallback_();
    return true;
  }
  return false;
}

void FallbackAudioOutput::Close() {
  if (open_)
    open_->Close();
  open_ = nullptr;
}

void FallbackAudioOutput::Pause() {
  if (open_)
    open_->Pause();
}

void FallbackAudioOutput::Resume() {
  if (open_)
    open_->Resume();
}

void FallbackAudioOutput::Reset() {
  if (open_)
    open_->Reset();
}

int64_t FallbackAudioOutput::PlayedFrames() const { return open_ ? open_->PlayedFrames() : 0; }

} // namespace quorbel
