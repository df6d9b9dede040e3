#include "platform/qt/qt_audio_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace quorbel {

namespace {
// Short enough that an effect follows the click that plays it.
constexpr int kBufferMilliseconds = 60;
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
  pull_ = std::make_unique<AudioPullDevice>(source, format);
  pull_->open(QIODevice::ReadOnly);
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

void QtAudioOutput::Pause() {
  if (sink_)
    sink_->suspend();
}

// Resumed, a suspended sink now and then never asks for data again (Qt 6.4 with PulseAudio, on a
// loaded machine): a new one goes on from where the source stands.
void QtAudioOutput::Resume() {
  if (!sink_ || sink_->state() != QAudio::SuspendedState)
    return;
  earlierFrames_ += SinkFrames();
  StartSink();
}

void QtAudioOutput::Reset() {
  if (!sink_)
    return;
  earlierFrames_ = 0;
  StartSink();
}

int64_t QtAudioOutput::SinkFrames() const { return sink_->processedUSecs() * format_.SampleRate / 1000000; }

int64_t QtAudioOutput::PlayedFrames() const {
  if (!sink_)
    return 0;
  return earlierFrames_ + SinkFrames();
}

} // namespace quorbel
