// Our audio output: 16-bit signed PCM, interleaved, pulled from a source as the device plays.
// Three stand behind it: the sound device (platform/qt), a null output that plays into nothing at
// the real rate, and a capture output that records what it is given, for tests.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorbel {

struct AudioFormat {
  int SampleRate = 44100;
  int Channels = 2;
  int BytesPerFrame() const { return Channels * 2; }
};

// Fills the output's next frames. Called from whatever thread the output plays on; a source with
// less to give fills the rest with silence and still returns `frames`.
class AudioSource {
public:
  virtual ~AudioSource() = default;
  virtual size_t Pull(int16_t *samples, size_t frames) = 0;
};

class AudioOutput {
public:
  virtual ~AudioOutput() = default;
  // False when the format cannot be played (no device): nothing is pulled then.
  virtual bool Open(const AudioFormat &format, AudioSource &source) = 0;
  // Stops pulling; the source may be destroyed afterwards.
  virtual void Close() = 0;
  virtual void Pause() = 0;
  virtual void Resume() = 0;
  // Drops what is queued and counts the played position from 0 again.
  virtual void Reset() = 0;
  // Frames played since Open or the last Reset.
  virtual int64_t PlayedFrames() const = 0;
};

} // namespace quorbel
