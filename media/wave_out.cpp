#include "media/wave_out.h"

#include <algorithm>
#include <cstring>

namespace quorbel {

CWaveOut::~CWaveOut() { Close(); }

void CWaveOut::Initialize(int channels, int rate, int count, int ms) {
  format_ = {rate, channels};
  const size_t samples =
      static_cast<size_t>(rate) * static_cast<size_t>(ms) / 1000 * static_cast<size_t>(channels);
  bufferBytes_ = samples * 2;
  std::lock_guard lock(mutex_);
  buffers_.assign(static_cast<size_t>(count), Buffer{std::vector<int16_t>(samples), 0, true});
  queue_.clear();
  offset_ = 0;
}

bool CWaveOut::OpenAudioOutput() {
  if (output_)
    return true;
  std::unique_ptr<AudioOutput> output = makeOutput_ ? makeOutput_() : nullptr;
  if (!output || !output->Open(format_, *this))
    return false;
  output_ = std::move(output);
  return true;
}

void CWaveOut::Close() {
  if (output_)
    output_->Close();
  output_.reset();
  Reset();
}

bool CWaveOut::IsDone(int i) const {
  std::lock_guard lock(mutex_);
  return buffers_[static_cast<size_t>(i)].Done;
}

bool CWaveOut::AllDone() const {
  std::lock_guard lock(mutex_);
  return std::all_of(buffers_.begin(), buffers_.end(), [](const Buffer &b) { return b.Done; });
}

void CWaveOut::MarkAllDone() {
  std::lock_guard lock(mutex_);
  for (Buffer &buffer : buffers_)
    buffer.Done = true;
  queue_.clear();
  offset_ = 0;
}

void CWaveOut::PlayBuffer(int i, size_t bytes) {
  std::lock_guard lock(mutex_);
  Buffer &buffer = buffers_[static_cast<size_t>(i)];
  buffer.Used = std::min(bytes / 2, buffer.Samples.size());
  buffer.Done = false;
  queue_.push_back(i);
}

void CWaveOut::Reset() {
  {
    std::lock_guard lock(mutex_);
    for (Buffer &buffer : buffers_)
      buffer.Done = true;
    queue_.clear();
    offset_ = 0;
  }
  if (output_)
    output_->Reset();
}

void CWaveOut::Pause() {
  if (output_)
    output_->Pause();
}

void CWaveOut::Restart() {
  if (output_)
    output_->Resume();
}

std::vector<int16_t> CWaveOut::PlayingWindow(size_t bytes) const {
  std::lock_guard lock(mutex_);
  if (queue_.empty())
    return {};
  const Buffer &buffer = buffers_[static_cast<size_t>(queue_.front())];
  const size_t count = std::min(bytes / 2, buffer.Used);
  const size_t start = std::min(offset_, buffer.Used - count);
  std::vector<int16_t> window(buffer.Samples.begin() + static_cast<std::ptrdiff_t>(start),
                              buffer.Samples.begin() + static_cast<std::ptrdiff_t>(start + count));
  ApplyVolume(window.data(), window.size(), start);
  return window;
}

// Samples of the buffer from `first` (a sample index, which gives the channel) on.
void CWaveOut::ApplyVolume(int16_t *samples, size_t count, size_t first) const {
  const int left = left_;
  const int right = right_;
  if (left == 100 && right == 100)
    return;
  const bool stereo = format_.Channels == 2;
  for (size_t i = 0; i < count; ++i)
    samples[i] = static_cast<int16_t>(samples[i] * ((stereo && (first + i) % 2 == 1) ? right : left) / 100);
}

size_t CWaveOut::Pull(int16_t *samples, size_t frames) {
  size_t wanted = frames * static_cast<size_t>(format_.Channels);
  std::vector<int> finished;
  {
    std::lock_guard lock(mutex_);
    while (wanted > 0 && !queue_.empty()) {
      Buffer &buffer = buffers_[static_cast<size_t>(queue_.front())];
      const size_t take = std::min(wanted, buffer.Used - offset_);
      std::memcpy(samples, buffer.Samples.data() + offset_, take * 2);
      ApplyVolume(samples, take, offset_);
      samples += take;
      wanted -= take;
      offset_ += take;
      played_ += static_cast<int64_t>(take * 2);
      if (offset_ >= buffer.Used) {
        buffer.Done = true;
        finished.push_back(queue_.front());
        queue_.pop_front();
        offset_ = 0;
      }
    }
  }
  std::fill(samples, samples + wanted, int16_t{0});
  if (OnDone)
    for (const int index : finished)
      OnDone(index);
  return frames;
}

} // namespace quorbel
