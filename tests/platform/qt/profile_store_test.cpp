#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

#include "app/colours.h"
#include "app/message_format.h"
#include "app/settings_schema.h"
#include "platform/paths.h"
#include "platform/qt/colour_ref.h"
#include "platform/qt/profile_store.h"
#include "tests/french_locale.h"
#include "tests/support/ended_process.h"
#include "tests/support/fifo_watch.h"

using namespace quorbel;

class ProfileStoreTest : public QObject {
  Q_OBJECT

private:
  QTemporaryDir home_;

  QString IniPath() const { return home_.path() + "/QRB/Quorbel.ini"; }
  QString IniText() const {
    QFile file(IniPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }
  // The file as another run of the program, or a person, left it.
  bool WriteIni(const QByteArray &text) const {
    QFile file(IniPath());
    return QDir().mkpath(home_.path() + "/QRB") && file.open(QIODevice::WriteOnly) &&
           file.write(text) == text.size();
  }

private slots:
  void initTestCase() {
    QVERIFY(home_.isValid());
    // Before the first QSettings: it reads the configuration home once.
    qputenv("XDG_CONFIG_HOME", home_.path().toUtf8());
    SetStartDirectory((home_.path() + "/game").toStdString());
  }

  void init() {
    QFile::remove(IniPath());
    QDir(IniPath()).removeRecursively();
  }

  void TheFileLivesUnderTheConfigHome() {
    ProfileStore store;
    QCOMPARE(store.FileName(), IniPath());
  }

  void ValuesSurviveANewStoreAndNamesFoldToOneCase() {
    {
      ProfileStore store;
      store.WriteInt("general", "LongCase", 61);
      store.WriteInt("PARAMETER", "QRBDebug", 1);
      store.WriteString("DIRECTORY", "MYGRIDS", "C:\\Grilles\\Zoé\\");
      store.WriteString("GENERAL", "HAUTCASE", "tall");
      QVERIFY(store.Flush());
    }
    ProfileStore store;
    QCOMPARE(store.GetInt("GENERAL", "LONGCASE", 0), 61);
    QCOMPARE(store.GetInt("parameter", "qrbdebug", 0), 1);
    QCOMPARE(store.GetString("Directory", "MyGrids", ""), std::string("C:\\Grilles\\Zoé\\"));
    QCOMPARE(store.GetInt("GENERAL", "HAUTCASE", 39), 39);
    QCOMPARE(store.GetInt("GENERAL", "MISSING", -5), -5);
    QCOMPARE(store.GetString("GENERAL", "MISSING", "none"), std::string("none"));
    const QString text = IniText();
    QVERIFY(text.contains("[PARAMETER]"));
    QVERIFY(text.contains("LONGCASE=61"));
    QVERIFY(text.contains("QRBDEBUG=1"));
  }

  void TheGeneralSectionIsReadBackFromAFileOfAnotherRun() {
    // As the program itself writes it; this process never cached it.
    QVERIFY(WriteIni("[%General]\nLANGUAGE=1\nLONGCASE=58\n\n[PARAMETER]\nQRBDEBUG=1\n"));
    ProfileStore store;
    QCOMPARE(store.GetInt("GENERAL", "LANGUAGE", -1), 1);
    QCOMPARE(store.GetInt("general", "LongCase", 0), 58);
    QCOMPARE(store.GetInt("PARAMETER", "QRBDEBUG", 0), 1);
    store.WriteInt("GENERAL", "LOG", 1);
    QVERIFY(store.Flush());
    QCOMPARE(IniText().count("[%General]"), 1);
  }

  void NamesWrittenByHandInAnyCaseAreReadAndThenRewrittenOnce() {
    QVERIFY(WriteIni("[Parameter]\nQRBDebug=1\nTimeOver=9000\n"));
    ProfileStore store;
    QCOMPARE(store.GetInt("PARAMETER", "QRBDEBUG", 0), 1);
    QCOMPARE(store.GetString("parameter", "timeover", ""), std::string("9000"));
    store.WriteInt("PARAMETER", "QRBDEBUG", 0);
    QVERIFY(store.Flush());
    QCOMPARE(store.GetInt("PARAMETER", "QRBDebug", 1), 0);
    QVERIFY(!IniText().contains("QRBDebug"));
  }

  void SettingsSaveAndLoadThroughTheFile() {
    AppSettings saved = DefaultSettings();
    saved.general.language = Language::French;
    saved.general.printSize = 0.29f;
    saved.general.gridCurrVariant = 0x80000001FFFFFFFFull;
    saved.defi.playerName = "Zoé";
    saved.defi.players = {{0, 0xFFFFFFFEu, "Local", 4, 1}};
    saved.gameDuration.mtfQuick = 1.5f;
    {
      ProfileStore store;
      QVERIFY(SaveSettings(store, saved));
    }
    ProfileStore store;
    AppSettings loaded;
    LoadSettings(store, loaded);
    QCOMPARE(loaded.general.language, Language::French);
    QCOMPARE(loaded.general.printSize, 0.29f);
    QCOMPARE(loaded.general.gridCurrVariant, 0x80000001FFFFFFFFull);
    QCOMPARE(loaded.defi.playerName, std::string("Zoé"));
    QCOMPARE(loaded.defi.players.size(), size_t(1));
    QCOMPARE(loaded.defi.players[0].ipAddress, 0xFFFFFFFEu);
    QCOMPARE(loaded.defi.players[0].name, std::string("Local"));
    QCOMPARE(loaded.gameDuration.mtfQuick, 1.5f);
    QCOMPARE(loaded.directory.myGrids, saved.directory.myGrids);
    QCOMPARE(loaded.general.backgroundImage, saved.general.backgroundImage);
  }

  void ColoursRoundTripThroughTheFileAndQt() {
    BoardColours colours = DefaultColours();
    colours.ColBgCase = MakeColorRef(1, 2, 3);
    {
      ProfileStore store;
      SaveColors(store, colours);
      QVERIFY(store.Flush());
    }
    ProfileStore store;
    BoardColours loaded;
    LoadColors(store, loaded);
    QCOMPARE(loaded.ColBgCase, colours.ColBgCase);
    QCOMPARE(loaded.ColBgSeparation, ColorRef(5679871));
    QVERIFY(IniText().contains("[COLOR]"));
    const QColor qt = ToQColor(loaded.ColBgCase);
    QCOMPARE(qt, QColor(1, 2, 3));
    QCOMPARE(FromQColor(qt), loaded.ColBgCase);
    QCOMPARE(FromQColor(QColor(247, 122, 62)), ColorRef(4094711));
  }

  void AFrenchLocaleStillWritesDecimalPoints() {
    FrenchLocale french;
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    if (!french.CLibraryIsFrench())
      qWarning("no French C locale could be made: only Qt and C++ locales are French here");
    AppSettings settings = DefaultSettings();
    settings.general.printSize = 1.25f;
    settings.general.displayBarDx = 0.5;
    settings.generation.fac[3] = 0.5f;
    {
      ProfileStore store;
      QVERIFY(SaveSettings(store, settings));
      store.WriteString("GENERAL", "SCALETEXT", FormatText("%.2f", {0.5}));
      QVERIFY(store.Flush());
    }
    QLocale::setDefault(previous);
    const QString text = IniText();
    QVERIFY(text.contains("PRINTSIZE=125"));
    QVERIFY(text.contains("DISPLAYBARDX=32767"));
    QVERIFY(text.contains("FACDOT=50"));
    QVERIFY(text.contains("SCALETEXT=0.50"));
    // No number anywhere in the file took a decimal comma.
    QVERIFY(!text.contains(QRegularExpression("=-?\\d+,\\d")));
    ProfileStore store;
    AppSettings loaded;
    LoadSettings(store, loaded);
    QCOMPARE(loaded.general.printSize, 1.25f);
  }

  // Linked to a regular file, the file is updated and the link kept; linked to a FIFO, the store
  // neither waits on it nor puts a file in its place, and says why.
  void ALinkIsFollowedOnlyToARegularFile() {
    QVERIFY(QDir().mkpath(home_.path() + "/QRB"));
    const QString real = home_.path() + "/elsewhere.ini";
    QVERIFY(QFile(real).open(QIODevice::WriteOnly));
    QVERIFY(QFile::link(real, IniPath()));
    {
      ProfileStore store;
      store.WriteInt("GENERAL", "LONGCASE", 61);
      QVERIFY(store.Flush());
    }
    QVERIFY(QFileInfo(IniPath()).isSymLink());
    QFile written(real);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().contains("LONGCASE=61"));
    QFile::remove(IniPath());

    const QString fifo = home_.path() + "/fifo";
    QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    QVERIFY(QFile::link(fifo, IniPath()));
    {
      const quorbel::testing::FifoWatch watch({fifo.toStdString()});
      ProfileStore store; // would wait for a writer for ever
      QVERIFY(!store.Refusal().empty());
      QCOMPARE(store.GetInt("GENERAL", "LONGCASE", 7), 7);
      store.WriteInt("GENERAL", "LONGCASE", 61);
      QVERIFY(!store.Flush());
      QVERIFY(!watch.FreedAReader());
    }
    QVERIFY(QFileInfo(IniPath()).isSymLink());
    struct stat info {};
    QCOMPARE(::stat(fifo.toLocal8Bit().constData(), &info), 0);
    QVERIFY(S_ISFIFO(info.st_mode));
    QFile::remove(IniPath());
    QFile::remove(fifo);
  }

  // A file that is no INI text is kept whole under a name that says so, and the store starts
  // empty, so that the run's settings are saved; a second one takes the next name. A line without
  // "=" under a good section name is found only once that section is read.
  void AnUnparsedFileIsSetAsideAndTheRunsSettingsAreSaved() {
    const QByteArray junks[] = {"[\n[[\n==\n", "LANGUAGE=1\n[\n", "[GENERAL]\nLANGUAGE\n"};
    const QString asides[] = {".unreadable", ".unreadable-2", ".unreadable-3"};
    for (int n = 0; n < 3; ++n) {
      const QByteArray &junk = junks[n];
      QVERIFY(WriteIni(junk));
      {
        ProfileStore store;
        QVERIFY(store.Refusal().empty());
        const QString aside = IniPath() + asides[n];
        QCOMPARE(QString::fromStdString(store.SetAside()), aside);
        QFile kept(aside);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), junk);
        QCOMPARE(store.GetInt("GENERAL", "LANGUAGE", -1), -1);
        store.WriteInt("GENERAL", "LANGUAGE", 1);
        QVERIFY(store.Flush());
      }
      ProfileStore store;
      QVERIFY(store.SetAside().empty());
      QCOMPARE(store.GetInt("GENERAL", "LANGUAGE", -1), 1);
    }
    for (const QString &aside : asides)
      QFile::remove(IniPath() + aside);
  }

  // Far larger than any settings file: it is neither read nor ever replaced.
  void AFileLargerThanAnySettingsIsRefusedAndLeftAsItWas() {
    const QByteArray large((17 << 20), 'x');
    QVERIFY(WriteIni("[GENERAL]\nLONGCASE=61\n" + large));
    {
      ProfileStore store;
      QVERIFY(!store.Refusal().empty());
      QCOMPARE(store.GetInt("GENERAL", "LONGCASE", 7), 7);
      store.WriteInt("GENERAL", "LONGCASE", 50);
      QVERIFY(!store.Flush());
    }
    QCOMPARE(QFileInfo(IniPath()).size(), large.size() + 22);
  }

  // Another run may write between a change of ours and its save: both keys reach the file.
  void AKeyWrittenFromOutsideBeforeTheSaveIsKeptBesideOurs() {
    ProfileStore store;
    store.WriteInt("GENERAL", "LONGCASE", 61);
    {
      ProfileStore other;
      other.WriteInt("PARAMETER", "QRBDEBUG", 1);
      QVERIFY(other.Flush());
    }
    QVERIFY(store.Flush());
    QVERIFY(IniText().contains("LONGCASE=61"));
    QVERIFY(IniText().contains("QRBDEBUG=1"));
  }

  // A run killed before its end leaves its private copy: the next store removes the folder of an
  // ended run, and leaves a living run's.
  void TheCopyOfAKilledRunIsSweptAway() {
    const pid_t child = quorbel::testing::EndedProcessId();
    QVERIFY(child > 0);
    const auto folder = [](pid_t pid) {
      return QDir::tempPath() + "/quorbel-settings-" + QString::number(pid) + "-AbC123";
    };
    for (pid_t pid : {child, ::getppid()}) {
      QVERIFY(QDir().mkpath(folder(pid)));
      QFile copy(folder(pid) + "/Quorbel.ini");
      QVERIFY(copy.open(QIODevice::WriteOnly));
    }
    { ProfileStore store; }
    QVERIFY(!QFileInfo::exists(folder(child)));
    QVERIFY(QFileInfo::exists(folder(::getppid()) + "/Quorbel.ini"));
    QDir(folder(::getppid())).removeRecursively();
  }

  void AFileThatCannotBeWrittenIsReported() {
    QVERIFY(QDir().mkpath(IniPath())); // a folder where the file should be
    ProfileStore store;
    store.WriteInt("GENERAL", "LONGCASE", 50);
    QVERIFY(!store.Flush());
    QVERIFY(!SaveSettings(store, DefaultSettings()));
  }
};

QTEST_MAIN(ProfileStoreTest)
#include "profile_store_test.moc"
