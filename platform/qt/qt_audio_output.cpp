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
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull())
    return false;
  QAudioFormat qtFormat;
  qtFormat.setSampleRate(format.SampleRate);
  qtFormat.setChannelCount(format.Channels);
  qtFormat.setSampleFormat(QAudioFormat::Int16);
  if (!device.isFormatSupported(qtFormat))
    return false;
  format_ = format;
  device_ = std::make_unique<AudioPullDevice>(source, format);
  device_->open(QIODevice::ReadOnly);
  sink_ = std::make_unique<QAudioSink>(device, qtFormat);
  sink_->setBufferSize(format.SampleRate * format.BytesPerFrame() * kBufferMilliseconds / 1000);
  sink_->start(device_.get());
  if (sink_->error() != QAudio::NoError || sink_->state() == QAudio::StoppedState) {
    Close();
    return false;
  }
  resetAtMicroseconds_ = 0;
  return true;
}

void QtAudioOutput::Close() {
  if (sink_)
    sink_->stop();
  sink_.reset();
  device_.reset();
}

void QtAudioOutput::Pause() {
  if (sink_)
    sink_->suspend();
}

void QtAudioOutput::Resume() {
  if (sink_)
    sink_->resume();
}

void QtAudioOutput::Reset() {
  if (sink_) {
    sink_->stop();
    sink_->start(device_.get());
    resetAtMicroseconds_ = sink_->processedUSecs();
  }
}

int64_t QtAudioOutput::PlayedFrames() const {
  if (!sink_)
    return 0;
  return (sink_->processedUSecs() - resetAtMicroseconds_) * format_.SampleRate / 1000000;
}

} // namespace quorbel
