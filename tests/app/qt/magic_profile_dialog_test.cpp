// The quick display profiles in the running program: F7 shows them; Save Current lists and selects
// the new profile; stepping applies a profile at once; Cancel gives back the display of the
// showing.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

#include "app/qt/display_toggles.h"
#include "app/qt/magic_profile_dialog.h"
#include "platform/paths.h"
#include "tests/view/qt/view_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr CommandId kQuickDisplay = 33026;
constexpr CommandId kOpen = 32889;

struct Profiles : FrameWithBoard {
  using FrameWithBoard::FrameWithBoard;
  CPrefMagic &Window() const { return *static_cast<CPrefMagic *>(app->Panels().Window(kMagicSelectPanel)); }
};

} // namespace

class MagicProfileDialogTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void SavedProfilesAreSteppedThroughAndCancelGivesTheOpeningDisplayBack() {
    Profiles p(home_);
    QVERIFY(p.started);
    p.app->Settings().directory.magic = home_.StartDirectory().toStdString() + "/MagicPref/";
    QDir().mkpath(QString::fromStdString(p.app->Settings().directory.magic));
    const ColorRef opening = p.app->Colours().ColBad;
    QVERIFY(p.app->Commands().Execute(kQuickDisplay));
    QVERIFY(p.Window().isVisible());

    p.app->Colours().ColBad = 0x010203;
    p.app->Settings().general.longCase = 61;
    QVERIFY(p.Window().SaveCurrent("Big"));
    p.app->Colours().ColBad = 0x040506;
    p.app->Settings().general.longCase = 55;
    QVERIFY(p.Window().SaveCurrent("Alpha"));
    QCOMPARE(p.Window().List()->count(), 2);
    QCOMPARE(p.Window().List()->currentText(), QStringLiteral("Alpha"));

    p.Window().Step(true); // after Alpha, Big
    QCOMPARE(p.Window().List()->currentText(), QStringLiteral("Big"));
    QCOMPARE(p.app->Colours().ColBad, ColorRef{0x010203});
    QCOMPARE(p.app->Settings().general.longCase, 61);
    p.Window().Step(true); // round the end
    QCOMPARE(p.Window().List()->currentText(), QStringLiteral("Alpha"));
    QCOMPARE(p.app->Colours().ColBad, ColorRef{0x040506});

    p.Window().CancelButton()->click();
    QVERIFY(!p.Window().isVisible());
    QCOMPARE(p.app->Colours().ColBad, opening);

    // A text grid that names a profile brings it when grids may bring their preferences.
    const QString grid = home_.StartDirectory() + QStringLiteral("/named.txt");
    QByteArray text = "Quorbel Mode Texte\r\n4\r\n";
    for (int i = 0; i < 16; ++i)
      text += "0\r\n";
    text += "#Big\r\n";
    WriteAll(grid, text);
    p.app->Settings().general.prefLoad = 0;
    p.dialogs.AnswerFileName(grid);
    QVERIFY(p.app->Commands().Execute(kOpen));
    QCOMPARE(p.app->Colours().ColBad, opening);
    p.app->Settings().general.prefLoad = 1;
    p.dialogs.AnswerFileName(grid);
    QVERIFY(p.app->Commands().Execute(kOpen));
    QCOMPARE(p.app->Colours().ColBad, ColorRef{0x010203});
  }

  void SaveCurrentMakesTheProfileFolderOfAFreshInstallAndSaysWhenItCannotWrite() {
    Profiles p(home_);
    QVERIFY(p.started);
    const QString folder = home_.StartDirectory() + QStringLiteral("/Fresh/MagicPref/");
    QDir(folder).removeRecursively();
    p.app->Settings().directory.magic = folder.toStdString();
    QVERIFY(p.app->Commands().Execute(kQuickDisplay));
    for (QPushButton *button : p.Window().findChildren<QPushButton *>())
      if (button->text() == QStringLiteral("Save Current"))
        button->click(); // the name box, cancelled: it opened where the profile goes
    QVERIFY(p.dialogs.Asked().last().startsWith(QStringLiteral("save")));
    QVERIFY(QDir(folder).exists());
    QVERIFY(p.Window().SaveCurrent("Mine"));
    QVERIFY(QFile::exists(folder + QStringLiteral("Mine.magic")));

    WriteAll(home_.StartDirectory() + QStringLiteral("/Blocked"), "a file, not a folder");
    p.app->Settings().directory.magic = home_.StartDirectory().toStdString() + "/Blocked/";
    const qsizetype before = p.dialogs.Asked().size();
    QVERIFY(!p.Window().SaveCurrent("Other"));
    QCOMPARE(p.dialogs.Asked().size(), before + 1);
    QVERIFY(p.dialogs.Asked().last().contains(QStringLiteral("could not be written")));
  }
};

QTEST_MAIN(MagicProfileDialogTest)
#include "magic_profile_dialog_test.moc"
