// The sound device: a QAudioSink on the desktop's default output, pulling from our source. With
// no device (headless machines, CI) Open fails at once and the program plays nothing.
#pragma once

#include <QAudioDevice>
#include <QAudioFormat>
#include <QIODevice>
#include <memory>

#include "platform/audio_output.h"

class QAudioSink;

namespace quorbel {

// What the sink reads: the source's frames, as many as it asks for.
class AudioPullDevice final : public QIODevice {
  Q_OBJECT
public:
  AudioPullDevice(AudioSource &source, const AudioFormat &format) : source_(source), format_(format) {}
  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override;

protected:
  qint64 readData(char *data, qint64 maxSize) override;
  qint64 writeData(const char *, qint64) override { return -1; }

private:
  AudioSource &source_;
  AudioFormat format_;
};

class QtAudioOutput final : public AudioOutput {
public:
  QtAudioOutput();
  ~QtAudioOutput() override;
  bool Open(const AudioFormat &format, AudioSource &source) override;
  void Close() override;
  void Pause() override;
  void Resume() override;
  void Reset() override;
  int64_t PlayedFrames() const override;
  // How far ahead of what is heard the open sink holds frames, as the sound server granted it
  // (0 when closed).
  int BufferMilliseconds() const;

private:
  bool StartSink();
  int64_t SinkFrames() const;

  QAudioDevice device_;
  QAudioFormat qtFormat_;
  std::unique_ptr<QAudioSink> sink_;
  std::unique_ptr<AudioPullDevice> pull_;
  AudioFormat format_;
  int64_t earlierFrames_ = 0; // played by the sinks a pause stopped
  bool paused_ = false;
};

} // namespace quorbel
