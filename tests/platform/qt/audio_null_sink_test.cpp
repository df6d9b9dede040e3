// Sound for real: a PulseAudio server of the test's own with a null sink, when the machine has
// PulseAudio. The device plays our frames, the program's sound list loads and plays on it, and
// the music is heard on the sink's monitor after every Stop, Play and jump, at a low rate too.
#include <QCoreApplication>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <cmath>

#include "media/mp3_player.h"
#include "media/sound_effects.h"
#include "platform/paths.h"
#include "platform/qt/qt_audio_output.h"
#include "platform/qt/sound_server.h"

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

// What the null sink plays, recorded from its monitor as 16-bit mono at 22.05 kHz.
class MonitorRecorder {
public:
  static constexpr int kRate = 22050;

  bool Start() {
    const QString parec = QStandardPaths::findExecutable("parec");
    if (parec.isEmpty())
      return false;
    QObject::connect(&process_, &QProcess::readyReadStandardOutput,
                     [this] { bytes_.append(process_.readAllStandardOutput()); });
    process_.start(parec, {"-d", "quorbel_test.monitor", "--raw", "--format=s16le", "--rate=22050",
                           "--channels=1", "--latency-msec=20"});
    return process_.waitForStarted(3000);
  }
  ~MonitorRecorder() {
    process_.kill();
    process_.waitForFinished();
  }
  // The root mean square of the last `ms` milliseconds recorded.
  double Loudness(int ms) const {
    const qsizetype samples = std::min<qsizetype>(bytes_.size() / 2, kRate * ms / 1000);
    return Rms(Recorded() + bytes_.size() / 2 - samples, samples);
  }
  // Whether, from the first sound on, `ms` milliseconds are heard with no 20 ms of quiet.
  bool HeardWithoutAGap(int ms) {
    constexpr qsizetype kWindow = kRate / 50;
    const qsizetype length = qsizetype{kRate} * ms / 1000;
    qsizetype onset = -1;
    const auto recorded = [&] {
      for (qsizetype at = 0; onset < 0 && at + kWindow <= bytes_.size() / 2; at += kWindow)
        if (Rms(Recorded() + at, kWindow) > kHeard)
          onset = at;
      return onset >= 0 && bytes_.size() / 2 >= onset + length;
    };
    if (!QTest::qWaitFor(recorded, 5000))
      return false;
    for (qsizetype at = onset; at + kWindow <= onset + length; at += kWindow)
      if (Rms(Recorded() + at, kWindow) < kHeard)
        return false;
    return true;
  }
  // Whether the sink is heard (or quiet) within three seconds: judged on the last 200 ms
  // recorded, once the output had 300 ms from now to follow what was asked of it.
  bool Heard() {
    return Within([this] { return Loudness(kWindowMs) > kHeard; });
  }
  bool Silent() {
    return Within([this] { return Loudness(kWindowMs) < kQuiet; });
  }

private:
  static constexpr int kWindowMs = 200;
  static constexpr int kSettleMs = 300;
  // Our test tune is a sine at half of full scale: about 11,600.
  static constexpr double kHeard = 3000;
  static constexpr double kQuiet = 100;

  const int16_t *Recorded() const { return reinterpret_cast<const int16_t *>(bytes_.constData()); }
  static double Rms(const int16_t *data, qsizetype samples) {
    double sum = 0;
    for (qsizetype i = 0; i < samples; ++i)
      sum += static_cast<double>(data[i]) * data[i];
    return samples > 0 ? std::sqrt(sum / static_cast<double>(samples)) : 0;
  }

  template <class Test> bool Within(Test test) {
    const qsizetype from = bytes_.size();
    const qsizetype enough = qsizetype{kRate} * (kSettleMs + kWindowMs) / 1000 * 2;
    return QTest::qWaitFor([&] { return bytes_.size() - from >= enough && test(); }, 3000);
  }

  QProcess process_;
  QByteArray bytes_;
};

} // namespace

class AudioNullSinkTest : public QObject {
  Q_OBJECT

private:
  QTemporaryDir dir_;
  QProcess server_;
  std::unique_ptr<SoundServerCheck> check_;

private slots:
  void initTestCase() {
    const QString pulseaudio = QStandardPaths::findExecutable("pulseaudio");
    if (pulseaudio.isEmpty())
      QSKIP("PulseAudio is not installed");
    const QString socket = dir_.path() + "/native";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", dir_.path());
    environment.insert("XDG_RUNTIME_DIR", dir_.path());
    environment.remove("PULSE_SERVER");
    server_.setProcessEnvironment(environment);
    // The sink before the socket, and the socket taking calls before Qt's one try to connect: on a
    // loaded machine the server is slow to get there.
    server_.start(pulseaudio, {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                               "--disable-shm=yes", "-L", "module-null-sink sink_name=quorbel_test", "-L",
                               "module-native-protocol-unix socket=" + socket + " auth-anonymous=1"});
    const auto listening = [&] {
      QLocalSocket probe;
      probe.connectToServer(socket);
      return probe.waitForConnected(1000);
    };
    if (!QTest::qWaitFor(listening, 20000))
      QSKIP("PulseAudio did not start here");
    qputenv("PULSE_SERVER", ("unix:" + socket).toUtf8());
    // As the program does: the device opens once the server has answered.
    check_ = std::make_unique<SoundServerCheck>();
    QVERIFY(QTest::qWaitFor([] { return CurrentSoundServerState() != SoundServerState::Asking; }, 20000));
    QCOMPARE(CurrentSoundServerState(), SoundServerState::Answers);
  }

  void theDevicePlaysOurFrames() {
    CountingSource source;
    QtAudioOutput output;
    QVERIFY(output.Open({44100, 2}, source));
    // Enough queued to ride out a loaded desktop's stalls. The server grants part of what is asked
    // (here 145 ms of 250, and 44 ms of the 60 that broke up under load).
    QVERIFY2(output.BufferMilliseconds() >= 100, qPrintable(QString::number(output.BufferMilliseconds())));
    QVERIFY(QTest::qWaitFor([&] { return output.PlayedFrames() > 4410; }, 5000));
    QVERIFY(source.pulled >= static_cast<size_t>(output.PlayedFrames()));
    // A loaded desktop's stalls are ridden out on what is queued; what is queued is not yet
    // played, so that the level meter follows what is heard.
    QVERIFY(QTest::qWaitFor(
        [&] { return static_cast<int64_t>(source.pulled) - output.PlayedFrames() > 44100 * 150 / 1000; },
        5000));
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

  void theMusicIsHeardAfterStopPlayAndJumps() {
    MonitorRecorder monitor;
    if (!monitor.Start())
      QSKIP("parec is not installed");
    QStringList reports;
    CMp3Player player([] { return std::make_unique<QtAudioOutput>(); },
                      [&](const std::string &text) { reports << QString::fromStdString(text); });
    QCOMPARE(player.OpenMp3FileByName(QUORBEL_TEST_DATA "/music/sine22k.mp3"), 1);
    QCOMPARE(player.Play(), 1);
    QVERIFY2(monitor.Heard(), "first Play");
    QCOMPARE(player.Stop(), 1);
    QVERIFY2(monitor.Silent(), "Stop");
    QCOMPARE(player.Play(), 1);
    QVERIFY2(monitor.Heard(), "Play after Stop");
    // The Music bar's Next: twenty seconds on, then Play.
    QCOMPARE(player.SeekPosition(player.GetPosition() + 20), 1);
    QCOMPARE(player.Play(), 1);
    QVERIFY2(monitor.Heard(), "Next");
    QCOMPARE(player.Pause(), 1);
    QVERIFY2(monitor.Silent(), "Pause");
    QCOMPARE(player.Resume(), 1);
    QVERIFY2(monitor.Heard(), "Resume");
    player.CloseMp3File();
    QCOMPARE(reports, QStringList());
  }

  // At 8 kHz mono a second of music is 16 KiB: the sink must not read it all ahead at once.
  void lowRateMusicIsHeardFromItsStartWithoutAGap() {
    MonitorRecorder monitor;
    if (!monitor.Start())
      QSKIP("parec is not installed");
    CMp3Player player([] { return std::make_unique<QtAudioOutput>(); }, [](const std::string &) {});
    QCOMPARE(player.OpenMp3FileByName(QUORBEL_TEST_DATA "/music/sine8k.mp3"), 1);
    QCOMPARE(player.Play(), 1);
    QVERIFY(monitor.HeardWithoutAGap(1500));
    player.CloseMp3File();
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
