#include "platform/qt/qt_audio_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>

#include "platform/qt/sound_server.h"

namespace quorbel {

namespace {
// Enough to ride out a busy desktop's stalls (60 ms was heard to break up under load). What the
// buffer holds is not counted as played, so the level meter follows what is heard.
constexpr int kBufferMilliseconds = 250;
} // namespace

qint64 AudioPullDevice::bytesAvailable() const {
  return QIODevice::bytesAvailable() + static_cast<qint64>(format_.SampleRate) * format_.BytesPerFrame();
}

qint64 AudioPullDevice::readData(char *data, qint64 maxSize) {
  const qint64 frames = maxSize / format_.BytesPerFrame();
  if (frames <= 0)
    return 0;
  source_.Pull(reinterpret_cast<int16_t *>(data), static_cast<size_t>(frames));
  return frames * format_.BytesPerFrame();
}

QtAudioOutput::QtAudioOutput() = default;

QtAudioOutput::~QtAudioOutput() { Close(); }

bool QtAudioOutput::Open(const AudioFormat &format, AudioSource &source) {
  Close();
  // Qt waits without limit for a server that does not answer: ask it only once ours was answered.
  if (const SoundServerState server = CurrentSoundServerState();
      server != SoundServerState::Answers && server != SoundServerState::NotAsked)
    return false;
  device_ = QMediaDevices::defaultAudioOutput();
  if (device_.isNull())
    return false;
  qtFormat_.setSampleRate(format.SampleRate);
  qtFormat_.setChannelCount(format.Channels);
  qtFormat_.setSampleFormat(QAudioFormat::Int16);
  if (!device_.isFormatSupported(qtFormat_))
    return false;
  format_ = format;
  earlierFrames_ = 0;
  paused_ = false;
  pull_ = std::make_unique<AudioPullDevice>(source, format);
  // Unbuffered: a buffered device reads 16 KiB ahead of the sink (a second of 8 kHz mono), so
  // the source padded with silence what it had not decoded yet, and counted as played what was
  // not heard.
  pull_->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  if (!StartSink()) {
    Close();
    return false;
  }
  return true;
}

// A new sink each time: on Qt 6.4 with PulseAudio a sink that was stopped and started again
// never asks for data any more, and plays silence while it says it is active.
bool QtAudioOutput::StartSink() {
  if (sink_)
    sink_->stop();
  sink_ = std::make_unique<QAudioSink>(device_, qtFormat_);
  sink_->setBufferSize(format_.SampleRate * format_.BytesPerFrame() * kBufferMilliseconds / 1000);
  sink_->start(pull_.get());
  return sink_->error() == QAudio::NoError && sink_->state() != QAudio::StoppedState;
}

void QtAudioOutput::Close() {
  if (sink_)
    sink_->stop();
  sink_.reset();
  pull_.reset();
}

// A pause stops the sink and a resume starts a new one: on Qt 6.4 with PulseAudio a suspended
// sink, resumed, now and then never asks for data again (one resume in thirty on a loaded
// machine), while a new sink always does.
void QtAudioOutput::Pause() {
  if (!sink_ || paused_)
    return;
  earlierFrames_ += SinkFrames();
  sink_->stop();
  paused_ = true;
}

void QtAudioOutput::Resume() {
  if (!sink_ || !paused_)
    return;
  paused_ = false;
  StartSink();
}

void QtAudioOutput::Reset() {
  if (!sink_)
    return;
  earlierFrames_ = 0;
  paused_ = false;
  StartSink();
}

int64_t QtAudioOutput::SinkFrames() const {
  const int64_t written = sink_->processedUSecs() * format_.SampleRate / 1000000;
  const int64_t queued =
      std::max<qsizetype>(0, sink_->bufferSize() - sink_->bytesFree()) / format_.BytesPerFrame();
  return std::max<int64_t>(0, written - queued);
}

int QtAudioOutput::BufferMilliseconds() const {
  if (!sink_ || format_.SampleRate <= 0)
    return 0;
  return static_cast<int>(int64_t{sink_->bufferSize()} * 1000 /
                          (int64_t{format_.SampleRate} * format_.BytesPerFrame()));
}

int64_t QtAudioOutput::PlayedFrames() const {
  if (!sink_)
    return 0;
  return earlierFrames_ + (paused_ ? 0 : SinkFrames());
}

} // namespace quorbel
