// The music in the running program: the start-up tune, the Music bar that F8 shows with its
// buttons, slider, silence and meters, the walk through a folder when a tune ends, and a music
// file that cannot be opened, told once; and a sound of the sound list that cannot load.
#include <QApplication>
#include <QSlider>
#include <QTemporaryFile>
#include <QWheelEvent>
#include <QtTest>
#include <cstdio>
#include <unistd.h>

#include "app/message_line.h"
#include "app/qt/display_toggles.h"
#include "app/qt/level_meter_widget.h"
#include "app/qt/music_dialog.h"
#include "app/qt/sound_effect_services.h"
#include "media/mp3_player.h"
#include "platform/capture_audio_output.h"
#include "tests/app/qt/app_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

QString Music(const char *name) { return QStringLiteral(QUORBEL_TEST_DATA "/music/") + name; }

// The program with its music on a capture output, after `prepare` wrote its settings and files.
struct MusicApp {
  MusicApp(const AppTestHome &home, const std::function<void()> &prepare, bool soundEffects = false,
           const QStringList &arguments = {QStringLiteral("quorbel")}, bool headless = false) {
    home.Clear();
    home.WriteInt("GENERAL", "LANGUAGE", static_cast<int32_t>(Language::English));
    prepare();
    app = std::make_unique<CQuorbelApp>(AppOptions{
        .dialogs = &dialogs, .headless = headless, .startDirectory = home.StartDirectory().toStdString()});
    InstallMusic(*app, [this] { return std::make_unique<CaptureAudioOutput>(tape); });
    if (soundEffects)
      InstallSoundEffects(app->Services(), app->Settings(), app->Messages(),
                          [this] { return std::make_unique<CaptureAudioOutput>(effectsTape); });
    started = app->InitInstance(arguments);
  }
  ~MusicApp() {
    ReleaseMusic();
    ReleaseSoundEffects(mySoundManager);
    if (app && app->MainFrame())
      app->MainFrame()->hide();
  }
  CDialogMus &Bar() const { return *static_cast<CDialogMus *>(app->Panels().Window(kMusicPanel)); }
  CMp3Player &Player() const { return *MusicPlayer(); }
  int Messages() const { return static_cast<int>(dialogs.Asked().filter(QStringLiteral("message")).size()); }

  // The panel's lines that hold `text`, among the newest ten.
  int PanelLines(const QString &text) const {
    const MessageRing &ring = app->Messages();
    int count = 0;
    for (int back = 0; back < 10; ++back)
      count += QString::fromStdString(MessageLineText(ring.Line(ring.NewestIndex() - back))).contains(text)
                   ? 1
                   : 0;
    return count;
  }

  std::shared_ptr<CaptureTape> tape = std::make_shared<CaptureTape>();
  std::shared_ptr<CaptureTape> effectsTape = std::make_shared<CaptureTape>();
  ScriptedDialogService dialogs;
  std::unique_ptr<CQuorbelApp> app;
  bool started = false;
};

// What the program writes to standard error while the object lives.
class StandardErrorCapture {
public:
  StandardErrorCapture() {
    std::fflush(stderr);
    saved_ = ::dup(STDERR_FILENO);
    file_.open();
    ::dup2(file_.handle(), STDERR_FILENO);
  }
  ~StandardErrorCapture() { Restore(); }
  QString Take() {
    Restore();
    file_.seek(0);
    return QString::fromUtf8(file_.readAll());
  }

private:
  void Restore() {
    if (saved_ < 0)
      return;
    std::fflush(stderr);
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
    saved_ = -1;
  }
  QTemporaryFile file_;
  int saved_ = -1;
};

void WriteBrokenSoundList(const QString &folder) {
  WriteAll(folder + "/Broken.wav", "RIFF, but no wave");
  QByteArray list = "0 O Broken.wav\r\n";
  for (int slot = 1; slot <= 15; ++slot)
    list += QByteArray::number(slot) + " O " QUORBEL_DATA_DIR "/Sounds/Place.wav\r\n";
  WriteAll(folder + "/MySound.dat", list);
}

} // namespace

class MusicBarTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

  void Copy(const QString &from, const QString &name) {
    QFile::remove(home_.StartDirectory() + "/" + name);
    QVERIFY(QFile::copy(from, home_.StartDirectory() + "/" + name));
  }

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void theTunePlaysAtStartAndTheBarDrivesIt() {
    MusicApp m(home_, [&] {
      Copy(Music("sine22k.mp3"), "Quorbel.mp3");
      home_.WriteInt("MUSIC", "MUSICVOLUME", 5);
      home_.WriteInt("MUSIC", "USEDIRECTORY", 0);
    });
    QVERIFY(m.started);
    QCOMPARE(m.Player().GetStatus(), int(CMp3Player::kPlaying));
    QCOMPARE(m.Player().LeftVolume(), 5);

    QVERIFY(m.app->Commands().ExecuteCommand(Cmd::DisplayMusic));
    QVERIFY(m.Bar().isVisible());
    QCOMPARE(m.Bar().ShownName(), QStringLiteral("Quorbel.mp3"));
    QCOMPARE(m.Bar().Slider()->value(), 19); // one step of five up from the bottom
    // The top of the slider is full volume.
    m.Bar().Slider()->setValue(0);
    m.Bar().OnSliderReleased();
    QCOMPARE(m.Player().LeftVolume(), 100);
    QCOMPARE(m.Player().RightVolume(), 100);
    QCOMPARE(m.app->Settings().music.musicVolume, 100);

    // The meters light while the tune plays, and go out once it is stopped.
    QVERIFY(QTest::qWaitFor(
        [&] {
          m.tape->Consume(441);
          m.Bar().OnMeterTick();
          return m.Bar().Meter(0)->Meter().Value() > 0;
        },
        5000));

    m.Bar().OnPause();
    QCOMPARE(m.Player().GetStatus(), int(CMp3Player::kPaused));
    m.Bar().OnPause();
    QCOMPARE(m.Player().GetStatus(), int(CMp3Player::kPlaying));
    m.Bar().OnNext(); // no folder walk: twenty seconds on
    QCOMPARE(m.Player().GetPosition(), 20);
    m.Bar().OnPrevious();
    QCOMPARE(m.Player().GetPosition(), 0);
    m.Bar().OnStop();
    QCOMPARE(m.Player().GetStatus(), int(CMp3Player::kStopped));
    QCOMPARE(m.app->Settings().music.musicStop, 1);
    m.Bar().OnMeterTick();
    QCOMPARE(m.Bar().Meter(0)->Meter().Value(), 0);

    m.Bar().OnSilence();
    QCOMPARE(m.app->Settings().music.silent, 1);
    QCOMPARE(m.Player().LeftVolume(), 0);
    m.Bar().OnSilence();
    QCOMPARE(m.Player().LeftVolume(), 100);
    QCOMPARE(m.Messages(), 0);

    // The wheel over the slider: turned towards the player, one step quieter and lower down.
    const auto wheel = [&](int delta) {
      QSlider *slider = m.Bar().Slider();
      const QPointF at(slider->width() / 2.0, slider->height() / 2.0);
      QWheelEvent event(at, slider->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(slider, &event);
    };
    wheel(-120);
    QCOMPARE(m.Bar().Slider()->value(), 1);
    QCOMPARE(m.Player().LeftVolume(), 95);
    QCOMPARE(m.app->Settings().music.musicVolume, 95);
    wheel(120);
    wheel(120);
    QCOMPARE(m.Bar().Slider()->value(), 0);
    QCOMPARE(m.Player().RightVolume(), 100);
  }

  void anEndedTuneMakesWayForTheNextOfItsFolder() {
    MusicApp m(home_, [&] {
      QDir(home_.StartDirectory()).mkpath("tunes");
      for (const char *name : {"b.mp3", "A.MP3", "c.mp3"})
        Copy(Music("sine44k.mp3"), QStringLiteral("tunes/") + name);
      home_.WriteString("MUSIC", "MUSICFILE", "tunes/b.mp3");
      home_.WriteInt("MUSIC", "USEDIRECTORY", 1);
      home_.WriteInt("MUSIC", "AUTOLOOP", 1);
    });
    QVERIFY(m.started);
    QCOMPARE(m.Player().GetStatus(), int(CMp3Player::kPlaying));
    m.Player().Stop(); // as if the tune had ended
    m.Bar().OnWalkTick();
    QCOMPARE(QString::fromStdString(m.app->Settings().music.musicFile), QStringLiteral("tunes/c.mp3"));
    QCOMPARE(m.Bar().ShownName(), QStringLiteral("c.mp3"));
    QCOMPARE(m.Player().GetStatus(), int(CMp3Player::kPlaying));
    m.Player().Stop();
    m.Bar().OnWalkTick();
    QCOMPARE(QString::fromStdString(m.app->Settings().music.musicFile), QStringLiteral("tunes/A.MP3"));
  }

  void aFileThatCannotBeOpenedIsToldOnce() {
    {
      MusicApp m(home_, [&] {
        home_.WriteString("MUSIC", "MUSICFILE", "missing.mp3");
        home_.WriteInt("MUSIC", "USEDIRECTORY", 0);
        home_.WriteInt("MUSIC", "AUTOLOOP", 1);
        home_.WriteInt("GENERAL", "LOG", 1);
      });
      QVERIFY(m.started);
      for (int tick = 0; tick < 5; ++tick) {
        m.Bar().OnWalkTick();
        QCoreApplication::processEvents();
      }
      QCOMPARE(m.Messages(), 1);
      // The player is told which music, and why, in his words; the player's own go to the log.
      const QString asked = m.dialogs.Asked().join('\n');
      QVERIFY2(asked.contains("The music missing.mp3 cannot be played (open: No such file or directory)."),
               qPrintable(asked));
      QVERIFY(!asked.contains("CMp3Player"));
      // Logged too, on one line.
      QVERIFY(ReadAll(home_.StartDirectory() + "/Quorbel.sudlog")
                  .contains(("Can't open file " + home_.StartDirectory()).toUtf8()));
    }
    // A file of the music folder that is no music is not tried again by the folder's walk.
    WriteAll(home_.StartDirectory() + "/bad.mp3", "no music here");
    MusicApp walked(home_, [&] { home_.WriteString("MUSIC", "MUSICFILE", "bad.mp3"); });
    QVERIFY(walked.started);
    for (int tick = 0; tick < 5; ++tick) {
      walked.Bar().OnWalkTick();
      QCoreApplication::processEvents();
    }
    QCOMPARE(walked.Messages(), 1);
    QVERIFY2(walked.dialogs.Asked().join('\n').contains("The music bad.mp3 cannot be played."),
             qPrintable(walked.dialogs.Asked().join('\n')));
  }

  void aSoundThatCannotLoadIsToldOnceInThePanel() {
    MusicApp m(
        home_, [&] { WriteBrokenSoundList(home_.StartDirectory()); }, true);
    QVERIFY(m.started);
    QCOMPARE(mySoundManager.Ready, 1);
    QCOMPARE(mySoundManager.Slots[0].State, 'N');
    m.app->Services().playSoundEffect(0);
    m.app->Services().playSoundEffect(0);
    QCOMPARE(m.PanelLines(QStringLiteral("Error Loading Sound:0(0) - ")), 1);
    QVERIFY(m.PanelLines(QStringLiteral("Broken.wav")) == 1);
  }

  // A headless run shows its panel on standard error from start-up on: what was said before the
  // macro or the grid of the command line opened is not lost.
  void aHeadlessRunSaysTheSoundThatCannotLoadBeforeItsMacro() {
    const QString macro = home_.StartDirectory() + "/steps.macro";
    StandardErrorCapture standardError;
    MusicApp m(
        home_,
        [&] {
          WriteBrokenSoundList(home_.StartDirectory());
          WriteAll(macro, "COMMENT;played\r\n");
        },
        true, {QStringLiteral("quorbel"), macro}, true);
    const QString said = standardError.Take();
    QVERIFY(m.started);
    const qsizetype sound =
        said.indexOf("Error Loading Sound:0(0) - " + home_.StartDirectory() + "/Broken.wav");
    QVERIFY2(sound >= 0, qPrintable(said));
    QVERIFY2(sound < said.indexOf("played"), qPrintable(said));
  }
};

QTEST_MAIN(MusicBarTest)
#include "music_bar_test.moc"
