#include "media/sound_manager.h"

#include <algorithm>
#include <cmath>

namespace quorbel {

namespace {

constexpr uint16_t kPcmTag = 1;
// No real sound effect is recorded slower. The floor keeps what a file can make the conversion
// allocate within 45 times its size (44.1 kHz / 4 kHz, and 8-bit mono widened to 16-bit stereo).
constexpr uint32_t kLowestRate = 4000;
// Nor faster than studio rates: a rate far above them would shrink the sound to a few samples.
constexpr uint32_t kHighestRate = 192000;

int32_t SampleAt(const std::vector<uint8_t> &bytes, size_t index, int bits) {
  if (bits == 8)
    return (static_cast<int32_t>(bytes[index]) - 128) * 256;
  const auto low = static_cast<uint16_t>(bytes[2 * index]);
  const auto high = static_cast<uint16_t>(bytes[2 * index + 1]);
  return static_cast<int16_t>(static_cast<uint16_t>(low | (high << 8)));
}

// The gain as a fraction of 32768, so mixing stays in integers.
int32_t GainQ15(int volume) { return static_cast<int32_t>(std::lround(SoundGain(volume) * 32768.0f)); }

} // namespace

float SoundGain(int volume) { return static_cast<float>(std::pow(10.0, volume / 2000.0)); }

std::vector<int16_t> ConvertPcm(const WaveFormatBlock &format, const std::vector<uint8_t> &bytes,
                                const AudioFormat &output) {
  const int bits = format.BitsPerSample;
  const int channels = format.Channels;
  if (format.FormatTag != kPcmTag || (bits != 8 && bits != 16) || channels < 1 ||
      format.SamplesPerSec < kLowestRate || format.SamplesPerSec > kHighestRate || output.Channels < 1 ||
      output.SampleRate < 1)
    return {};
  const size_t inFrames = bytes.size() / (static_cast<size_t>(channels) * (bits / 8));
  if (inFrames == 0)
    return {};
  // Linear interpolation between the source frames around each output frame: plenty for short
  // effects, and the same rate costs nothing.
  const double step = static_cast<double>(format.SamplesPerSec) / output.SampleRate;
  const auto outFrames = static_cast<size_t>(std::ceil(inFrames / step));
  std::vector<int16_t> out(outFrames * static_cast<size_t>(output.Channels));
  for (size_t frame = 0; frame < outFrames; ++frame) {
    const double at = frame * step;
    const auto first = std::min(static_cast<size_t>(at), inFrames - 1);
    const size_t second = std::min(first + 1, inFrames - 1);
    const double weight = at - static_cast<double>(first);
    for (int channel = 0; channel < output.Channels; ++channel) {
      // Mono feeds every output channel; extra source channels beyond the output's are dropped.
      const size_t source = static_cast<size_t>(std::min(channel, channels - 1));
      const int32_t a = SampleAt(bytes, first * channels + source, bits);
      const int32_t b = SampleAt(bytes, second * channels + source, bits);
      out[frame * output.Channels + channel] = static_cast<int16_t>(std::lround(a + (b - a) * weight));
    }
  }
  return out;
}

CSoundManager::~CSoundManager() {
  if (output_)
    output_->Close();
  RemoveAll();
}

bool CSoundManager::Start() {
  started_ = output_ && output_->Open(kOutputFormat, *this);
  return started_;
}

bool CSoundManager::LoadSound(const std::string &path, int &id) {
  if (!started_)
    return false;
  std::unique_ptr<WaveFormatBlock> format;
  std::vector<uint8_t> data;
  if (LoadWaveFile(path, format, data) != kWaveOk || !format)
    return false;
  return AddPcm(std::move(*format), std::move(data), id);
}

bool CSoundManager::AddPcm(WaveFormatBlock format, std::vector<uint8_t> data, int &id) {
  auto sound = std::make_unique<CSoundData>();
  sound->samples_ = ConvertPcm(format, data, kOutputFormat);
  if (sound->samples_.empty())
    return false;
  sound->Format = std::move(format);
  sound->Data = std::move(data);
  return AddSound(std::move(sound), id) == 1;
}

int CSoundManager::AddSound(std::unique_ptr<CSoundData> sound, int &id) {
  std::lock_guard lock(mutex_);
  id = nextId_++;
  table_[id] = std::move(sound);
  return 1;
}

CSoundData *CSoundManager::Find(int id) const {
  const auto found = table_.find(id);
  return found == table_.end() ? nullptr : found->second.get();
}

int CSoundManager::Play(int id) {
  std::lock_guard lock(mutex_);
  CSoundData *sound = Find(id);
  if (sound == nullptr)
    return 0;
  sound->position_ = 0;
  sound->playing_ = true;
  return 1;
}

int CSoundManager::Stop(int id) {
  std::lock_guard lock(mutex_);
  CSoundData *sound = Find(id);
  if (sound == nullptr)
    return 0;
  sound->playing_ = false;
  return 1;
}

int CSoundManager::SetVolume(int id, int volume) {
  std::lock_guard lock(mutex_);
  CSoundData *sound = Find(id);
  if (sound == nullptr)
    return 0;
  sound->gain_ = GainQ15(std::clamp(volume, CSoundData::kMinimumVolume, CSoundData::kMaximumVolume));
  return 1;
}

int CSoundManager::ResetFade(int id) {
  std::lock_guard lock(mutex_);
  CSoundData *sound = Find(id);
  if (sound == nullptr)
    return 0;
  sound->FadeState = 0;
  sound->gain_ = GainQ15(CSoundData::kMaximumVolume);
  return 1;
}

int CSoundManager::PlayOnce(int id) {
  std::lock_guard lock(mutex_);
  CSoundData *sound = Find(id);
  if (sound == nullptr)
    return 0;
  sound->Mode = 1;
  sound->playing_ = sound->position_ < sound->samples_.size();
  return 1;
}

void CSoundManager::RemoveAll() {
  std::lock_guard lock(mutex_);
  table_.clear();
  nextId_ = 0;
}

bool CSoundManager::Playing(int id) const {
  std::lock_guard lock(mutex_);
  const CSoundData *sound = Find(id);
  return sound != nullptr && sound->playing_;
}

size_t CSoundManager::Pull(int16_t *samples, size_t frames) {
  const size_t count = frames * static_cast<size_t>(kOutputFormat.Channels);
  std::lock_guard lock(mutex_);
  mix_.assign(count, 0);
  for (auto &[id, sound] : table_) {
    if (sound->samples_.empty())
      sound->playing_ = false;
    size_t written = 0;
    while (sound->playing_ && written < count) {
      const size_t take = std::min(count - written, sound->samples_.size() - sound->position_);
      const int16_t *from = sound->samples_.data() + sound->position_;
      for (size_t i = 0; i < take; ++i)
        mix_[written + i] += (from[i] * sound->gain_ + 16384) >> 15;
      written += take;
      sound->position_ += take;
      if (sound->position_ >= sound->samples_.size()) {
        if (sound->Mode == 2)
          sound->position_ = 0;
        else
          sound->playing_ = false;
      }
    }
  }
  for (size_t i = 0; i < count; ++i)
    samples[i] = static_cast<int16_t>(std::clamp(mix_[i], int32_t{-32768}, int32_t{32767}));
  return frames;
}

} // namespace quorbel
