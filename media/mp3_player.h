// Background music: an MP3 file decoded frame by frame by libmpg123 on a playback thread of its
// own, played through a ring of buffers, with pause, resume, stop, seek, a restart from the top,
// a volume per channel and the level of each channel for the meters. Failures are told through
// the report callback (which the program carries to its user-interface thread) and give 0.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "media/mp3_frame.h"
#include "media/mp3_stream.h"
#include "media/wave_out.h"

struct mpg123_handle_struct;

namespace quorbel {

using Mp3Report = std::function<void(const std::string &text)>;

class CMp3Player {
public:
  enum Status { kPlaying = 1, kStopped = 2, kPaused = 4 };

  CMp3Player(AudioOutputFactory makeOutput, Mp3Report report);
  virtual ~CMp3Player();
  CMp3Player(const CMp3Player &) = delete;
  CMp3Player &operator=(const CMp3Player &) = delete;

  int OpenMp3FileByName(const std::string &name) { return OpenMp3File(name); }
  int OpenMp3File(const std::string &name);
  bool IsOpen() const { return stream_ != nullptr; }
  const std::string &FileName() const { return fileName_; }
  int Play();
  int Stop();
  int Pause();
  int Resume();
  int GetStatus() const;
  // Whole seconds played since the start of the file.
  int GetPosition() const;
  int LengthSeconds() const { return static_cast<int>(lengthMs_ / 1000); }
  int SeekPosition(int seconds);
  int Replay();
  // Each channel 0..100; anything else changes nothing and gives 0.
  int SetVolume(int left, int right);
  int LeftVolume() const { return left_; }
  int RightVolume() const { return right_; }
  // The channels' levels 0..105 over the 20 ms playing now.
  void GetVuLevels(int &left, int &right) const;
  int CloseMp3File();

  const Mp3FrameHeader &FirstFrame() const { return first_; }
  const Mp3BufferPlan &BufferPlan() const { return plan_; }
  int64_t AudioStart() const { return audioStart_; }

private:
  int Open();
  void Fail(const std::string &text) const;
  void Signal();
  void ThreadMain();
  // Reads one buffer's frames and decodes them into buffer i; the bytes decoded.
  size_t Refill(int i, ::mpg123_handle_struct *&decoder);
  bool ReadFrame(std::vector<uint8_t> &input);
  // Moves to the first byte from `from` on that may begin a frame header; false at the end or
  // when playing stops.
  bool SeekNextSync(int64_t from, int64_t end);
  void JoinThread();

  AudioOutputFactory makeOutput_;
  Mp3Report report_;
  std::unique_ptr<CMp3Stream> stream_;
  std::string fileName_;
  int64_t audioStart_ = 0;
  int64_t audioLength_ = 0;
  Mp3FrameHeader first_;
  std::optional<XingHeader> xing_;
  int64_t lengthMs_ = 0;
  Mp3BufferPlan plan_;
  std::unique_ptr<CWaveOut> waveOut_;
  std::vector<uint8_t> input_; // the playback thread's, while it runs

  std::thread thread_;
  std::mutex streamLock_;
  std::mutex eventLock_;
  std::condition_variable event_;
  bool eventSet_ = false;
  std::atomic<bool> playing_{false};
  std::atomic<bool> paused_{false};
  std::atomic<int> left_{100};
  std::atomic<int> right_{100};
  std::atomic<int> seekSeconds_{0};
  std::atomic<int> nextBuffer_{0};
  std::atomic<bool> bufferFinished_{false};
};

// A level for a mean absolute sample value: 0 below 54.12, else 38 x log10(m / 23169) + 100.
int VuLevel(double meanAbsolute);

} // namespace quorbel
