// With no sound server to speak to, as on CI machines, the sound effects start silent at once.
#include <QCoreApplication>
#include <QtTest>

#include "media/sound_effects.h"
#include "platform/qt/qt_audio_output.h"

using namespace quorbel;

class AudioNoDeviceTest : public QObject {
  Q_OBJECT

private slots:
  void noDeviceMeansNoEffects() {
    SoundEffectManager manager;
    int logged = 0;
    QCOMPARE(InitSoundEffects(manager, std::make_unique<QtAudioOutput>(), "MySound.dat",
                              [&](const std::string &) { ++logged; }),
             0);
    QCOMPARE(manager.Ready, 0);
    QCOMPARE(logged, 0);
    PlaySoundEffect(manager, 0, false, 0); // nothing to play on, and no crash
  }
};

int main(int argc, char **argv) {
  // Never the desktop's own server, whatever machine runs this.
  qputenv("PULSE_SERVER", "unix:/nonexistent/quorbel-no-pulse");
  QCoreApplication app(argc, argv);
  AudioNoDeviceTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "audio_no_device_test.moc"
