// The sound-effect mixer: one audio output fed by one voice per loaded sound. Each sound is
// converted once, at load, to the output's format; playing it starts its voice, which stops by
// itself at the sound's end. Volumes are in hundredths of a decibel, as the settings store them.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "media/wave_file.h"
#include "platform/audio_output.h"

namespace quorbel {

// A sound effect's gain for an attenuation in hundredths of a decibel: 10^(volume / 2000).
float SoundGain(int volume);

// Samples of 8-bit (unsigned) or 16-bit PCM, any channel count, at 4 kHz or more, as 16-bit
// frames of the output's format. Empty when the format is not one of those.
std::vector<int16_t> ConvertPcm(const WaveFormatBlock &format, const std::vector<uint8_t> &bytes,
                                const AudioFormat &output);

class CSoundData {
public:
  virtual ~CSoundData() = default;
  static constexpr int kMinimumVolume = -4000;
  static constexpr int kMaximumVolume = 0;
  static constexpr int kFadeStep = 200;

  WaveFormatBlock Format;
  std::vector<uint8_t> Data;
  int Mode = 1; // 1 once, 2 loop
  int FadeState = 0;

private:
  friend class CSoundManager;
  std::vector<int16_t> samples_; // in the output's format
  size_t position_ = 0;          // the next sample of samples_ to play
  bool playing_ = false;         // set by a play, cleared by a stop or the sound's end
  int32_t gain_ = 32768;         // a fraction of 32768
};

class CSoundManager : public AudioSource {
public:
  static constexpr AudioFormat kOutputFormat{44100, 2};

  explicit CSoundManager(std::unique_ptr<AudioOutput> output) : output_(std::move(output)) {}
  ~CSoundManager() override;
  CSoundManager(const CSoundManager &) = delete;
  CSoundManager &operator=(const CSoundManager &) = delete;

  // Opens the output; false when it has no device.
  bool Start();
  bool Started() const { return started_; }

  // Loads a WAVE file as a new sound; false when it cannot be read or converted.
  bool LoadSound(const std::string &path, int &id);
  // A new sound from PCM samples; false when they cannot be converted.
  bool AddPcm(WaveFormatBlock format, std::vector<uint8_t> data, int &id);
  // Stores the sound under the next id and hands the id back.
  int AddSound(std::unique_ptr<CSoundData> sound, int &id);
  // Each returns 0 for an unknown id, 1 otherwise.
  int Play(int id);
  int Stop(int id);
  int SetVolume(int id, int volume);
  int ResetFade(int id);
  int PlayOnce(int id);
  void RemoveAll();
  // Whether the sound is playing now.
  bool Playing(int id) const;

  size_t Pull(int16_t *samples, size_t frames) override;

private:
  CSoundData *Find(int id) const;

  std::unique_ptr<AudioOutput> output_;
  bool started_ = false;
  mutable std::mutex mutex_;
  std::map<int, std::unique_ptr<CSoundData>> table_;
  int nextId_ = 0;
  std::vector<int32_t> mix_;
};

} // namespace quorbel
