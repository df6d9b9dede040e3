#include "platform/capture_audio_output.h"

namespace quorbel {

size_t CaptureTape::Consume(size_t frames) {
  std::lock_guard lock(mutex_);
  if (source_ == nullptr || paused_)
    return 0;
  const size_t start = Samples.size();
  Samples.resize(start + frames * static_cast<size_t>(Format.Channels));
  source_->Pull(Samples.data() + start, frames);
  played_ += static_cast<int64_t>(frames);
  return frames;
}

bool CaptureAudioOutput::Open(const AudioFormat &format, AudioSource &source) {
  if (!deviceAvailable_)
    return false;
  std::lock_guard lock(tape_->mutex_);
  tape_->Format = format;
  tape_->source_ = &source;
  tape_->Opened = true;
  tape_->paused_ = false;
  tape_->played_ = 0;
  return true;
}

void CaptureAudioOutput::Close() {
  std::lock_guard lock(tape_->mutex_);
  tape_->source_ = nullptr;
}

void CaptureAudioOutput::Pause() {
  std::lock_guard lock(tape_->mutex_);
  tape_->paused_ = true;
}

void CaptureAudioOutput::Resume() {
  std::lock_guard lock(tape_->mutex_);
  tape_->paused_ = false;
}

void CaptureAudioOutput::Reset() {
  std::lock_guard lock(tape_->mutex_);
  tape_->played_ = 0;
}

int64_t CaptureAudioOutput::PlayedFrames() const {
  std::lock_guard lock(tape_->mutex_);
  return tape_->played_;
}

} // namespace quorbel
