// A sound server that takes the connection and never answers: the check gives up on it within
// its limit, and the sound device then never asks Qt, which would wait on it without end.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/qt/qt_audio_output.h"
#include "platform/qt/sound_server.h"
#include "tests/support/wedged_sound_server.h"

using namespace quorbel;
using quorbel::testing::WedgedSoundServer;

namespace {

struct SilentSource : AudioSource {
  size_t Pull(int16_t *samples, size_t frames) override {
    std::fill(samples, samples + frames * 2, int16_t{0});
    return frames;
  }
};

} // namespace

class SoundServerTest : public QObject {
  Q_OBJECT

private slots:
  void aServerThatNeverAnswersCountsAsNoneAndQtIsNeverAsked() {
    QTemporaryDir dir;
    WedgedSoundServer server(dir.path() + "/native");
    QVERIFY(server.Listening());
    qputenv("PULSE_SERVER", ("unix:" + dir.path() + "/native").toUtf8());
    SoundServerCheck check(300);
    int told = 0;
    QObject context;
    check.WhenKnown(&context, [&] { ++told; });
    QVERIFY(QTest::qWaitFor([&] { return told > 0; }, 20000));
    QCOMPARE(CurrentSoundServerState(), SoundServerState::Silent);
    QCOMPARE(server.Connections(), 1);

    SilentSource source;
    QtAudioOutput output;
    QVERIFY(!output.Open({44100, 2}, source));
    QCOMPARE(server.Connections(), 0);
    // Known now: told at once.
    check.WhenKnown(&context, [&] { ++told; });
    QCOMPARE(told, 2);
  }
};

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  SoundServerTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "sound_server_test.moc"
