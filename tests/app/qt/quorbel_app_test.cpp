// The application object: what start-up does and in which order, the command line, shutdown,
// and the engine's host.
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>
#include <new>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/message_line.h"
#include "app/settings_schema.h"
#include "files/macro_recorder.h"
#include "tests/app/qt/app_test_support.h"
#include "tests/support/fifo_watch.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

std::string NewestMessage(CQuorbelApp &app) {
  const MessageRing &ring = app.Messages();
  return MessageLineText(ring.Line(ring.NewestIndex()));
}

bool SplashOnScreen() {
  for (QWidget *widget : QApplication::topLevelWidgets())
    if (widget->objectName() == QLatin1String("CSplashWindow") && widget->isVisible())
      return true;
  return false;
}

} // namespace

class QuorbelAppTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;
  ScriptedDialogService dialogs_;
  std::unique_ptr<CQuorbelApp> app_;
  int gameModeDialogs_ = 0;

  // An application whose game-mode dialog only notes that it was asked.
  CQuorbelApp &MakeApp() {
    app_ = std::make_unique<CQuorbelApp>(AppOptions{
        .dialogs = &dialogs_, .headless = false, .startDirectory = home_.StartDirectory().toStdString()});
    app_->Services().showGameModeDialog = [this] { ++gameModeDialogs_; };
    return *app_;
  }

  QString DocumentTitle() const { return QString::fromStdString(app_->GetCurrentDocument()->Title()); }

  // An empty 4 x 4 text grid.
  void WriteTextGrid(const QString &path) {
    QByteArray text = "Quorbel Mode Texte\r\n4\r\n";
    for (int i = 0; i < 16; ++i)
      text += "0\r\n";
    WriteAll(path, text);
  }

  QString StartFile(const QString &name) const { return home_.StartDirectory() + "/" + name; }

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void init() {
    home_.Clear();
    dialogs_ = ScriptedDialogService();
    gameModeDialogs_ = 0;
  }

  void cleanup() { app_.reset(); }

  void AFirstStartAsksForTheLanguageAndSavesItAtOnce() {
    bool splashDuringQuestion = true;
    dialogs_.AnswerDialog("CLanguage", [&](QDialog &dialog) {
      splashDuringQuestion = SplashOnScreen();
      // Wide enough for its title beside the title bar's buttons.
      dialog.adjustSize();
      QVERIFY(dialog.width() >= dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + 100);
      dialog.findChild<QPushButton *>("english")->click();
    });
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    QCOMPARE(dialogs_.Asked(), QStringList({"dialog CLanguage"}));
    QVERIFY(!splashDuringQuestion);
    QCOMPARE(app_->CurrentLanguage(), Language::English);
    QCOMPARE(home_.ReadInt("GENERAL", "LANGUAGE"), 1);
    QCOMPARE(app_->MainFrame()->menuBar()->actions().first()->text(), QStringLiteral("&File"));
  }

  void TheLanguageAnswerKeepsWhatWasStoredBefore() {
    home_.WriteInt("COLOR", "COLBGCASE", 123);
    home_.WriteInt("GENERAL", "LONGCASE", 66);
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    QCOMPARE(dialogs_.Asked(), QStringList({"dialog CLanguage"}));
    QCOMPARE(home_.ReadInt("COLOR", "COLBGCASE"), 123);
    QCOMPARE(home_.ReadInt("GENERAL", "LONGCASE"), 66);
  }

  void ASecondStartDoesNotAsk() {
    home_.WriteInt("GENERAL", "LANGUAGE", 0);
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    QVERIFY(dialogs_.Asked().isEmpty());
    QCOMPARE(app_->CurrentLanguage(), Language::French);
    QVERIFY(!SplashOnScreen());
    QVERIFY(app_->MainFrame()->isVisible());
  }

  void ALanguageQuestionLeftUnansweredStartsInFrench() {
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    QCOMPARE(dialogs_.Asked(), QStringList({"dialog CLanguage"}));
    QCOMPARE(app_->CurrentLanguage(), Language::French);
    QCOMPARE(home_.ReadInt("GENERAL", "LANGUAGE"), 0);
  }

  void TheStartIsLoggedOnlyWhenLoggingIsOn() {
    const QString log = StartFile("Quorbel.sudlog");
    home_.WriteInt("GENERAL", "LANGUAGE", 1);
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    QVERIFY(!QFile::exists(log));
    app_.reset();
    home_.WriteInt("GENERAL", "LOG", 1);
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    const QByteArray text = ReadAll(log);
    QVERIFY(text.startsWith("-----> Quorbel start on "));
    // Sound and the web challenge's sites are not available: the log says so and start-up goes on.
    QVERIFY(
        text.contains("Direct X Sound Initialisation failed. No direct X detected. Noise not available."));
    QVERIFY(text.contains("Error on QuellaboSite file"));
    QVERIFY(app_->MainFrame()->isVisible());

    // The setting takes effect at once, either way.
    app_->Settings().general.log = 0;
    app_->PostMessage(PanelText::Plain("not logged"));
    app_->Settings().general.log = 1;
    app_->PostMessage(PanelText::Plain("logged at once"));
    const QByteArray after = ReadAll(log);
    QVERIFY(!after.contains("not logged"));
    QVERIFY(after.contains("logged at once"));
  }

  void AMacroOnTheCommandLinePlaysAndIsLeftAsItWas() {
    home_.WriteInt("GENERAL", "LANGUAGE", 1);
    const QString macro = StartFile("steps.macro");
    WriteAll(macro, "QUIT\r\n");
    QVERIFY(MakeApp().InitInstance({"quorbel", macro}));
    QVERIFY(dialogs_.Asked().isEmpty()); // no file was opened
    QCOMPARE(DocumentTitle(), QStringLiteral("SudDoc"));
    QCOMPARE(gameModeDialogs_, 0);
    QVERIFY(!app_->State().MacroPending());
    QVERIFY(NewestMessage(*app_).find("steps.macro executed.") != std::string::npos);
    QCOMPARE(ReadAll(macro), QByteArray("QUIT\r\n"));
  }

  void AMacroPlaysOnceTheWindowIsShown() {
    home_.WriteInt("GENERAL", "LANGUAGE", 1);
    const QString macro = StartFile("steps.macro");
    WriteAll(macro, "QUIT\r\n");
    CQuorbelApp &app = MakeApp();
    bool windowShown = false;
    app.Services().runMacroFile = [&](const std::string &path) {
      windowShown = app.MainFrame() && app.MainFrame()->isVisible();
      return QString::fromStdString(path) == macro;
    };
    QVERIFY(app.InitInstance({"quorbel", macro}));
    QVERIFY(windowShown);
    QVERIFY(!app.State().MacroPending());
    // The name's ending is read exactly: this one is a grid file.
    app_.reset();
    const QString upper = StartFile("STEPS.MACRO");
    QVERIFY(MakeApp().InitInstance({"quorbel", upper}));
    QCOMPARE(dialogs_.Asked().size(), 1);
    QVERIFY(dialogs_.Asked().first().contains("The file " + upper + " cannot be opened."));
    QVERIFY(!app_->State().MacroPending());
  }

  void AGridThatCannotBeReadLetsTheProgramStart() {
    home_.WriteInt("GENERAL", "LANGUAGE", 0);
    CQuorbelApp &app = MakeApp();
    QVERIFY(app.InitInstance({"quorbel", StartFile("grille.sud")}));
    QCOMPARE(dialogs_.Asked().size(), 1);
    QVERIFY(dialogs_.Asked().first().contains("ne peut pas être ouvert"));
    QVERIFY(app.MainFrame()->isVisible());
    QCOMPARE(gameModeDialogs_, 1); // nothing opened: the player chooses a game
  }

  void AGridOnTheCommandLineIsOpened() {
    home_.WriteInt("GENERAL", "LANGUAGE", 1);
    WriteTextGrid(StartFile("Easy 4.txt"));
    QVERIFY(MakeApp().InitInstance({"quorbel", StartFile("Easy 4.txt")}));
    QVERIFY(dialogs_.Asked().isEmpty());
    QCOMPARE(app_->Engine().Geo.GridWidth, 4);
    QCOMPARE(DocumentTitle(), QStringLiteral("Easy 4"));
    QCOMPARE(app_->MainFrame()->windowTitle(), QStringLiteral("Easy 4 - Quorbel"));
    QVERIFY(!app_->GetCurrentDocument()->IsModified());
    QVERIFY(app_->GetCurrentDocument()->PathName().empty()); // a text grid's save asks for a name
  }

  void TheLastGridIsReopenedOnlyWhenAsked() {
    home_.WriteInt("GENERAL", "LANGUAGE", 0);
    home_.WriteInt("GENERAL", "LASTOPEN", 1);
    WriteTextGrid(StartFile("last.txt"));
    {
      ProfileStore store;
      WriteLastFile(store, StartFile("last.txt").toStdString());
      QVERIFY(store.Flush());
    }
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    QCOMPARE(DocumentTitle(), QStringLiteral("last"));
    QCOMPARE(gameModeDialogs_, 0);
    app_.reset();

    home_.WriteInt("GENERAL", "LASTOPEN", 0);
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    QCOMPARE(DocumentTitle(), QStringLiteral("SudDoc"));
    QCOMPARE(gameModeDialogs_, 1);
    app_.reset();

    // A last file that is gone: the player is told, then chooses a game.
    home_.WriteInt("GENERAL", "LASTOPEN", 1);
    QFile::remove(StartFile("last.txt"));
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    QCOMPARE(dialogs_.Asked().size(), 1);
    QCOMPARE(gameModeDialogs_, 2);
  }

  // A save killed half-way leaves its temporary: start-up clears the folders it saves into of the
  // leftovers of ended processes, and of nothing else.
  void StartUpRemovesOnlyTheLeftoversOfEndedSaves() {
    home_.WriteInt("GENERAL", "LANGUAGE", 0);
    const pid_t child = ::fork();
    if (child == 0)
      ::_exit(0);
    QVERIFY(child > 0);
    ::waitpid(child, nullptr, 0);
    const QString grids = StartFile("MyGrid");
    QVERIFY(QDir().mkpath(grids));
    const QString settings = QFileInfo(home_.IniPath()).path();
    const auto leftover = [](const QString &folder, const QString &name, pid_t pid) {
      return folder + "/." + name + ".quorbel-" + QString::number(pid) + "-0.tmp";
    };
    const QStringList dead = {leftover(grids, "victim.sud", child), leftover(settings, "Quorbel.ini", child),
                              leftover(home_.StartDirectory(), "GridList.dat", child)};
    const QStringList kept = {leftover(grids, "other.sud", ::getppid()), grids + "/victim.sud.9ZYeeC",
                              settings + "/.Quorbel.ini.quorbel-x-0.tmp"};
    for (const QString &path : dead + kept)
      WriteAll(path, "half");
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    for (const QString &path : dead)
      QVERIFY2(!QFileInfo::exists(path), qPrintable(path));
    for (const QString &path : kept)
      QVERIFY2(QFileInfo::exists(path), qPrintable(path));
  }

  // A FIFO in a start-up file's place is not waited on, and the player is told which file it was.
  void AFifoAmongTheStartUpFilesIsPassedOverAndNamed() {
    home_.WriteInt("GENERAL", "LANGUAGE", 1);
    const QStringList fifos = {StartFile("Artist.jpg"), StartFile("QuellaboSite.txt")};
    for (const QString &fifo : fifos)
      QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const FifoWatch watch({fifos[0].toStdString(), fifos[1].toStdString()});
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    QVERIFY(!watch.FreedAReader());
    const MessageRing &ring = app_->Messages();
    QString panel;
    for (int back = 0; back < 10; ++back)
      panel += QString::fromStdString(MessageLineText(ring.Line(ring.NewestIndex() - back))) + '\n';
    QVERIFY2(panel.contains("The picture could not be read: " + fifos[0] + " (not a regular file)"),
             qPrintable(panel));
    QVERIFY2(
        panel.contains("The Quellabo site list could not be read: " + fifos[1] + " (not a regular file)"),
        qPrintable(panel));
  }

  // A settings file refused on a first start is said once, not again at each save.
  void ARefusedSettingsFileIsToldOnce() {
    QDir().mkpath(QFileInfo(home_.IniPath()).path());
    QCOMPARE(::mkfifo(home_.IniPath().toLocal8Bit().constData(), 0600), 0);
    dialogs_.AnswerDialog("CLanguage",
                          [](QDialog &dialog) { dialog.findChild<QPushButton *>("english")->click(); });
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    app_->SaveSettings();
    QCOMPARE(app_->ExitInstance(), 0);
    const MessageRing &ring = app_->Messages();
    QStringList told;
    for (int line = 0; line < MessageRing::kLineCount; ++line)
      if (const QString text = QString::fromStdString(MessageLineText(ring.Line(line)));
          text.contains(home_.IniPath()))
        told << text;
    QCOMPARE(told.size(), 1);
    QVERIFY2(
        told[0].contains("Settings neither read nor saved: " + home_.IniPath() + " (not a regular file)."),
        qPrintable(told[0]));
  }

  // A settings file that is no INI text is set aside, said once, and the run's choices are kept:
  // the next start remembers the language.
  void AnUnreadableSettingsFileIsSetAsideAndTheNextStartRemembersTheLanguage() {
    QDir().mkpath(QFileInfo(home_.IniPath()).path());
    WriteAll(home_.IniPath(), "[\n[[\n==\n");
    dialogs_.AnswerDialog("CLanguage",
                          [](QDialog &dialog) { dialog.findChild<QPushButton *>("english")->click(); });
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    app_->SaveSettings();
    QCOMPARE(app_->ExitInstance(), 0);
    QStringList told;
    for (int line = 0; line < MessageRing::kLineCount; ++line)
      if (const QString text = QString::fromStdString(MessageLineText(app_->Messages().Line(line)));
          text.contains(home_.IniPath()))
        told << text;
    QCOMPARE(told.size(), 1);
    QVERIFY2(told[0].contains("could not be read: it is kept as " + home_.IniPath() + ".unreadable"),
             qPrintable(told[0]));
    const auto remove = qScopeGuard([&] { QFile::remove(home_.IniPath() + ".unreadable"); });
    QCOMPARE(ReadAll(home_.IniPath() + ".unreadable"), QByteArray("[\n[[\n==\n"));
    app_.reset();
    dialogs_ = ScriptedDialogService();
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    QVERIFY(dialogs_.Asked().isEmpty());
    QCOMPARE(app_->CurrentLanguage(), Language::English);
  }

  // A save that fails says so once, not at each save after it.
  void AFailedSaveIsToldOnce() {
    home_.WriteInt("GENERAL", "LANGUAGE", 1);
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    const QString folder = QFileInfo(home_.IniPath()).path();
    QVERIFY(QDir(folder).removeRecursively());
    const auto restore = qScopeGuard([&] { QFile::remove(folder); });
    WriteAll(folder, "a file where the settings' folder should be");
    app_->Settings().general.longCase = 61;
    app_->SaveSettings();
    app_->SaveSettings();
    int told = 0;
    for (int line = 0; line < MessageRing::kLineCount; ++line)
      told += MessageLineText(app_->Messages().Line(line)).find("The settings could not be saved") !=
              std::string::npos;
    QCOMPARE(told, 1);
  }

  // A picture list that cannot be read is told in the player's language.
  void AnUnreadablePictureListIsToldInThePlayersLanguageOverTheWindow() {
    home_.WriteInt("GENERAL", "LANGUAGE", 1);
    home_.WriteString("GENERAL", "IMAGENAME", "/");
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    QVERIFY2(dialogs_.Asked().contains(
                 "message Quorbel: The picture list / could not be read (not a regular file)."),
             qPrintable(dialogs_.Asked().join('|')));
  }

  void ExitSavesTheSettings() {
    home_.WriteInt("GENERAL", "LANGUAGE", 0);
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    app_->Settings().general.longCase = 77;
    app_->Colours().ColBgCase = MakeColorRef(1, 2, 3);
    QCOMPARE(home_.ReadInt("GENERAL", "LONGCASE"), -99); // nothing written before the exit
    QCOMPARE(app_->ExitInstance(), 0);
    QVERIFY(app_->State().Closing());
    QCOMPARE(home_.ReadInt("GENERAL", "LONGCASE"), 77);
    QCOMPARE(home_.ReadInt("COLOR", "COLBGCASE"), int32_t(MakeColorRef(1, 2, 3)));
  }

  void TheLanguageChosenFromTheMenuOutlivesAReloadAndARestart() {
    home_.WriteInt("GENERAL", "LANGUAGE", 0);
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    // Qt's own buttons and dialogs follow the language.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Oui"));
    QVERIFY(app_->Commands().Execute(32886)); // "English" in the French menu
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
    app_->ReloadSettings();
    QCOMPARE(app_->CurrentLanguage(), Language::English);
    QCOMPARE(app_->Engine().Settings.Language, kLanguageEnglish);
    // Saved at once: a run that never reaches its orderly end keeps the choice too.
    app_.reset();
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    QCOMPARE(app_->CurrentLanguage(), Language::English);
  }

  void TheEngineReachesTheProgramThroughTheApplication() {
    home_.WriteInt("GENERAL", "LANGUAGE", 1);
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    CQuorbelApp &app = *app_;
    QCOMPARE(TheApp(), &app);
    QCOMPARE(app.Engine().Host, static_cast<EngineHost *>(&app));
    QVERIFY(!app.Engine().Host->PollUserAbort());

    const std::array<MessageArg, 1> left{int32_t{12}};
    app.ShowMessage(14, left);
    QVERIFY(NewestMessage(app).ends_with("Left : 12"));
    // Text from the engine is shown as it is: its marks never make a link.
    app.AddInfoMessage("Grid !x!5! done");
    const CComLine &line = app.Messages().Line(app.Messages().NewestIndex());
    QVERIFY(MessageLineText(line).ends_with("Grid !x!5! done"));

    // The document services the engine calls act on the application's own document.
    EngineHost &host = app;
    host.MarkDocumentModified("");
    QVERIFY(app.GetCurrentDocument()->IsModified());
    host.ClearDocumentModified();
    QVERIFY(!app.GetCurrentDocument()->IsModified());
    QVERIFY(host.QuerySaveDocument());

    QVERIFY(StartMacroRecording("probe").ok);
    RecordedAction step;
    step.Code = 2;
    step.Strings[0] = "a.sud";
    step.Ints[0] = -1; // a real value, written
    step.Ints[2] = 4;  // after the absent ones in between
    app.RecordMacroStep(step);
    QVERIFY(StopMacroRecording(false).ok);
    const QByteArray recorded = ReadAll(StartFile("probe.macro"));
    QVERIFY2(recorded.contains(";a.sud;-1;4\t"), recorded.constData());
  }

  void HelpThatIsNotInstalledSaysSo() {
    home_.WriteInt("GENERAL", "LANGUAGE", 0);
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    QVERIFY(app_->Commands().Execute(57667));
    QCOMPARE(dialogs_.Asked(), QStringList({"message Quorbel: L'aide n'est pas installée."}));
  }

  void TheAboutBoxShowsExpertMode() {
    for (int expert : {0, 1}) {
      init();
      home_.WriteInt("GENERAL", "LANGUAGE", 1);
      home_.WriteInt("PARAMETER", "QRBDebug", expert);
      bool debugShown = false;
      QString title;
      QString name;
      bool emblem = false;
      dialogs_.AnswerDialog("CAboutDlg", [&](QDialog &dialog) {
        title = dialog.windowTitle();
        name = dialog.findChild<QLabel *>("productName")->text();
        emblem = !dialog.findChild<QLabel *>("emblem")->pixmap().isNull();
        debugShown = dialog.findChild<QLabel *>("debugMode")->isEnabled();
        // The help link opens the help's index, or says that help is not installed.
        emit dialog.findChild<QLabel *>("helpLink")->linkActivated(QStringLiteral("help"));
        dialog.accept();
      });
      QVERIFY(MakeApp().InitInstance({"quorbel"}));
      const qsizetype asked = dialogs_.Asked().size();
      QVERIFY(app_->Commands().Execute(32919));
      QCOMPARE(title, QStringLiteral("About Quorbel"));
      QCOMPARE(name, QStringLiteral("Quorbel version 5.0"));
      QVERIFY(emblem);
      QCOMPARE(debugShown, expert == 1);
      const QString said = dialogs_.Asked().mid(asked).join('|');
      QVERIFY2(said.contains(QStringLiteral("Help is not installed")) ||
                   said.contains(QStringLiteral("index")),
               qPrintable(said));
      app_.reset();
    }
  }

  void RunningOutOfMemoryStopsWithItsMessage() {
    home_.WriteInt("GENERAL", "LANGUAGE", 0);
    QVERIFY(MakeApp().InitInstance({"quorbel"}));
    int status = 0;
    InstallOutOfMemoryHandler([&](int exitStatus) { status = exitStatus; });
    std::get_new_handler()();
    std::set_new_handler(nullptr);
    QCOMPARE(status, -1);
    QCOMPARE(dialogs_.Asked(), QStringList({"message Quorbel: Mémoire insuffisante. Arrêt programme."}));
  }
};

QTEST_MAIN(QuorbelAppTest)
#include "quorbel_app_test.moc"
