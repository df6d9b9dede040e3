// Sound for real: a PulseAudio server of the test's own with a null sink, when the machine has
// PulseAudio. The device plays our frames, and the program's sound list loads and plays on it.
#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>

#include "media/sound_effects.h"
#include "platform/paths.h"
#include "platform/qt/qt_audio_output.h"

using namespace quorbel;

namespace {
struct CountingSource : AudioSource {
  std::atomic<size_t> pulled{0};
  size_t Pull(int16_t *samples, size_t frames) override {
    std::fill(samples, samples + frames * 2, int16_t{0});
    pulled += frames;
    return frames;
  }
};
} // namespace

class AudioNullSinkTest : public QObject {
  Q_OBJECT

private:
  QTemporaryDir dir_;
  QProcess server_;

private slots:
  void initTestCase() {
    const QString pulseaudio = QStandardPaths::findExecutable("pulseaudio");
    if (pulseaudio.isEmpty())
      QSKIP("PulseAudio is not installed");
    const QString socket = dir_.path() + "/native";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", dir_.path());
    environment.insert("XDG_RUNTIME_DIR", dir_.path());
    server_.setProcessEnvironment(environment);
    server_.start(pulseaudio,
                  {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "--disable-shm=yes",
                   "-L", "module-native-protocol-unix socket=" + socket + " auth-anonymous=1", "-L",
                   "module-null-sink sink_name=quorbel_test"});
    if (!QTest::qWaitFor([&] { return QFile::exists(socket); }, 5000))
      QSKIP("PulseAudio did not start here");
    qputenv("PULSE_SERVER", ("unix:" + socket).toUtf8());
  }

  void theDevicePlaysOurFrames() {
    CountingSource source;
    QtAudioOutput output;
    QVERIFY(output.Open({44100, 2}, source));
    QVERIFY(QTest::qWaitFor([&] { return output.PlayedFrames() > 4410; }, 5000));
    QVERIFY(source.pulled >= static_cast<size_t>(output.PlayedFrames()));
    output.Close();
  }

  void theSoundListPlaysOnIt() {
    SetStartDirectory(QUORBEL_DATA_DIR); // the list names its files from beside the program
    SoundEffectManager manager;
    QStringList log;
    QCOMPARE(InitSoundEffects(manager, std::make_unique<QtAudioOutput>(), QUORBEL_DATA_DIR "/MySound.dat",
                              [&](const std::string &line) { log << QString::fromStdString(line); }),
             1);
    QCOMPARE(log, QStringList());
    PlaySoundEffect(manager, 0, false, -100);
    const int id = manager.Slots[0].Id;
    QVERIFY(manager.Device->Playing(id));
    QVERIFY(QTest::qWaitFor([&] { return !manager.Device->Playing(id); }, 5000));
    ReleaseSoundEffects(manager);
  }

  void cleanupTestCase() {
    server_.kill();
    server_.waitForFinished();
  }
};

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  AudioNullSinkTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "audio_null_sink_test.moc"
