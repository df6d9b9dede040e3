// The main frame: menus and toolbars of both languages, the status panes, the command dispatcher
// with its update predicates, the panel keys and the language switch.
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

#include "app/message_line.h"
#include "app/qt/dialog_wait.h"
#include "platform/qt/colour_ref.h"
#include "tests/app/qt/app_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

QStringList MenuTitles(const CMainFrame &frame) {
  QStringList titles;
  for (QAction *action : frame.menuBar()->actions())
    titles << action->text();
  return titles;
}

QMenu *TopMenu(const CMainFrame &frame, const QString &title) {
  for (QAction *action : frame.menuBar()->actions())
    if (action->text() == title)
      return action->menu();
  return nullptr;
}

QList<CommandId> ToolbarIds(const QToolBar *bar) {
  QList<CommandId> ids;
  for (QAction *action : bar->actions())
    ids << (action->isSeparator() ? CommandId(0) : static_cast<CommandId>(action->data().toUInt()));
  return ids;
}

std::string NewestMessage(CQuorbelApp &app) {
  const MessageRing &ring = app.Messages();
  return MessageLineText(ring.Line(ring.NewestIndex()));
}

// Counts the key presses that reach it.
class KeyCountingEdit final : public QLineEdit {
public:
  int presses = 0;

protected:
  void keyPressEvent(QKeyEvent *event) override {
    ++presses;
    QLineEdit::keyPressEvent(event);
  }
};

} // namespace

class MainFrameTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

private slots:
  void TheFrenchBarHasSixMenusAndTheExpertMenusOnlyInExpertMode() {
    StartedApp plain(home_, Language::French);
    QVERIFY(plain.started);
    QCOMPARE(MenuTitles(plain.Frame()),
             QStringList({"&Fichier", "&Edition", "Afficha&ge", "&Sudoku", "&Language", "&Aide"}));
    plain.app.reset();
    StartedApp expert(home_, Language::French, true);
    QCOMPARE(MenuTitles(expert.Frame()).mid(6), QStringList({"D1", "D2", "D3"}));
    QMenu *d2 = TopMenu(expert.Frame(), "D2");
    QVERIFY(d2);
    // Qt names the keys in the player's language.
    QCOMPARE(d2->actions().first()->text(), QStringLiteral("Double and Triple\tMaj+I"));
    QCOMPARE(d2->actions().size(), 31);
  }

  void TheEnglishBarHasSixMenusInEveryMode() {
    for (bool expert : {false, true}) {
      StartedApp started(home_, Language::English, expert);
      QCOMPARE(MenuTitles(started.Frame()),
               QStringList({"&File", "&Edit", "&Display", "&Sudoku", "&Language", "&Help"}));
    }
  }

  void ItemsShowTheirKeysAndTheirLanguage() {
    StartedApp french(home_, Language::French);
    QCOMPARE(french.Frame().Action(57643)->text(), QStringLiteral("&Annuler"));
    QCOMPARE(french.Frame().Action(57643)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    // The English item names the same key without holding it: the French item's key serves both.
    QCOMPARE(french.Frame().Action(32891)->text(), QStringLiteral("&Undo\tCtrl+Z"));
    QVERIFY(french.Frame().Action(32891)->shortcut().isEmpty());
    // F5 to F8 are never ordinary shortcuts: they reach the panels from every window.
    QVERIFY(french.Frame().Action(33029)->shortcut().isEmpty());
    QVERIFY(french.Frame().Action(33029)->text().endsWith("\tF5"));
    // One identifier in both menus takes the text of the language shown.
    QCOMPARE(french.Frame().Action(33055)->text(), QStringLiteral("M&usique\tF8"));
    french.app->SetLanguage(Language::English);
    QCOMPARE(french.Frame().Action(33055)->text(), QStringLiteral("M&usic\tF8"));
  }

  void EveryKeyOfTheTableIsBound() {
    StartedApp started(home_, Language::French);
    for (const CommandRow &row : CommandTable()) {
      if (row.keys.empty() || IsPanelKeyText(row.keys))
        continue;
      const CommandId bound = row.idAccel ? row.idAccel : row.idFr;
      const QList<QKeySequence> keys = started.Frame().Action(bound)->shortcuts();
      // Shift+digit is bound twice: the digit (French keyboards) and the symbol above it (US).
      const QString text = QString::fromUtf8(row.keys.data(), row.keys.size());
      const qsizetype shiftedDigits = text.count(QRegularExpression("(^|; )Shift\\+[0-9](;|$)"));
      QCOMPARE(keys.size(), text.count(QStringLiteral("; ")) + 1 + shiftedDigits);
      if (text == "Shift+1")
        QVERIFY(keys.contains(QKeySequence(Qt::SHIFT | Qt::Key_Exclam)));
      for (const QKeySequence &key : keys)
        QVERIFY2(key.count() == 1 && key[0].key() != Qt::Key_unknown, row.keys.data());
    }
  }

  void TheStatusBarShowsItsTenPanes() {
    StartedApp started(home_, Language::French);
    const QStringList expected = {"Press F1 for Help - Appuyer sur F1 pour l'Aide",
                                  "CAP",
                                  "NUM",
                                  "SCRL",
                                  "MACRO",
                                  "Champion",
                                  " 0...9",
                                  "Restant: xxx",
                                  "Score:19,45",
                                  "00:00:00"};
    for (int i = 0; i < kStatusPaneCount; ++i)
      QCOMPARE(started.Frame().Pane(i)->text(), expected[i]);
    QVERIFY(started.Frame().Pane(kPaneScore)->isEnabled());
    started.Frame().SetPaneText(kPaneClock, "01:02:03");
    QCOMPARE(started.Frame().Pane(kPaneClock)->text(), QStringLiteral("01:02:03"));
    QCOMPARE(started.Frame().Pane(kPaneClock)->objectName(), QStringLiteral("pane59142"));
  }

  void OneToolbarOfTheLanguageIsShownDockedAtTheTop() {
    StartedApp started(home_, Language::French);
    CMainFrame &frame = started.Frame();
    QToolBar *french = frame.ToolBar(Language::French);
    QToolBar *english = frame.ToolBar(Language::English);
    QVERIFY(french->isVisible());
    QVERIFY(!english->isVisible());
    const QList<CommandId> ids = ToolbarIds(french);
    QCOMPARE(ids.size(), 31);
    QCOMPARE(ids.count(CommandId(0)), 5);
    QCOMPARE(ids.first(), CommandId(57600));
    QCOMPARE(ToolbarIds(english).first(), CommandId(32888));
    QVERIFY(!frame.Action(57600)->icon().isNull());

    started.app->SetLanguage(Language::English);
    started.app->SetLanguage(Language::French);
    started.app->SetLanguage(Language::English);
    QVERIFY(english->isVisible());
    QVERIFY(!french->isVisible());
    QCOMPARE(frame.toolBarArea(english), Qt::TopToolBarArea);
  }

  void TheLanguageItemsSwitchMenusToolbarAndMessagesAtOnce() {
    StartedApp started(home_, Language::French);
    CMainFrame &frame = started.Frame();
    QVERIFY(frame.Action(32885)->isChecked());
    frame.Action(32886)->trigger(); // "English" in the French menu
    QCOMPARE(started.app->CurrentLanguage(), Language::English);
    QCOMPARE(MenuTitles(frame).first(), QStringLiteral("&File"));
    QVERIFY(frame.ToolBar(Language::English)->isVisible());
    QVERIFY(frame.Action(32922)->isChecked());
    QVERIFY(!frame.Action(32921)->isChecked());
    QCOMPARE(started.app->WaitDialog()->windowTitle(), QStringLiteral("Wait please"));
    const std::array<MessageArg, 1> remaining{int32_t{7}};
    started.app->ShowMessage(14, remaining);
    QVERIFY(NewestMessage(*started.app).ends_with("Left : 7"));

    frame.Action(32921)->trigger(); // "Français" in the English menu
    QCOMPARE(MenuTitles(frame).first(), QStringLiteral("&Fichier"));
    started.app->ShowMessage(14, remaining);
    QVERIFY(NewestMessage(*started.app).ends_with("Restant: 7"));
  }

  void FrenchEnglishAndKeyIdentifiersRunTheSameHandler() {
    StartedApp started(home_, Language::French, true);
    QList<CommandId> reached;
    started.app->Commands().SetHandler(Cmd::DisplayWarning, [&](CommandId id) { reached << id; });
    started.app->Commands().SetHandler(Cmd::DefineKiller, [&](CommandId id) { reached << id; });
    started.Frame().Action(32856)->trigger();
    started.Frame().Action(32857)->trigger();
    QVERIFY(started.app->Commands().Execute(33354)); // the D2 item
    QVERIFY(started.app->Commands().Execute(32987)); // its key's identifier
    QCOMPARE(reached, QList<CommandId>({32856, 32857, 33354, 32987}));
    QVERIFY(!started.app->Commands().Execute(12345));
  }

  void ItemsWhoseHandlerHasNotJoinedAreDisabled() {
    StartedApp started(home_, Language::French);
    QMenu *file = TopMenu(started.Frame(), "&Fichier");
    emit file->aboutToShow();
    QVERIFY(!started.Frame().Action(57603)->isEnabled()); // Enregistrer
    QVERIFY(started.Frame().Action(57665)->isEnabled());  // Quitter
    QVERIFY(!started.app->Commands().Execute(57603));
  }

  void UpdatePredicatesSetTheItemsBeforeAMenuShowsAndEverySecond() {
    StartedApp started(home_, Language::English);
    CMainFrame &frame = started.Frame();
    bool enabled = true;
    bool ticked = true;
    int runs = 0;
    started.app->Commands().SetHandler(
        Cmd::DisplayProbable, [&](CommandId) { ++runs; },
        [&] { return CommandState::Ticked(ticked, enabled); });
    emit TopMenu(frame, "&Display")->aboutToShow();
    QAction *item = frame.Action(32897);
    QVERIFY(item->isEnabled());
    QVERIFY(item->isChecked());

    ticked = false;
    item->trigger(); // runs, then every item is brought up to date
    QCOMPARE(runs, 1);
    QVERIFY(!item->isChecked());

    // The toolbar button follows within a second, without any menu shown.
    enabled = false;
    QTRY_VERIFY_WITH_TIMEOUT(!item->isEnabled(), 3000);
    QVERIFY(!started.app->Commands().Execute(32853));
    QCOMPARE(runs, 1);
  }

  void PanelKeysReachTheirCommandFromAnyWindow() {
    StartedApp started(home_, Language::English);
    int methods = 0;
    started.app->Commands().SetHandler(Cmd::DisplayMethods, [&](CommandId id) {
      QCOMPARE(id, CommandId(33029));
      ++methods;
    });
    KeyCountingEdit other;
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QTest::keyClick(&other, Qt::Key_F5);
    QCOMPARE(methods, 1);
    QCOMPARE(other.presses, 0); // the key went no further
    QTest::keyClick(&other, Qt::Key_A);
    QCOMPARE(other.presses, 1);
    QCOMPARE(other.text(), QStringLiteral("a"));
    // F6 has no handler yet: nothing runs, and the key is still kept from the widget.
    QTest::keyClick(&other, Qt::Key_F6);
    QCOMPARE(other.presses, 1);
  }

  void ALanguageSwitchBringsShownPanelsBackShown() {
    StartedApp started(home_, Language::French);
    auto factory = [](Language language, QWidget *parent) {
      auto panel = std::make_unique<QDialog>(parent);
      panel->setWindowTitle(IsEnglish(language) ? "Methods" : "Méthodes");
      return std::unique_ptr<QWidget>(std::move(panel));
    };
    ModelessPanels &panels = started.app->Panels();
    panels.Register("methods", factory);
    panels.Register("music", factory);
    started.app->CreateModelessDialogs();
    QVERIFY(panels.SetShown("methods", true));
    QWidget *before = panels.Window("methods");

    started.app->SetLanguage(Language::English);
    QWidget *after = panels.Window("methods");
    QVERIFY(after != before);
    QCOMPARE(after->windowTitle(), QStringLiteral("Methods"));
    QVERIFY(after->isVisible());
    QVERIFY(panels.Shown("methods"));
    QVERIFY(!panels.Window("music")->isVisible());
    QVERIFY(!panels.Shown("music"));

    // The player closing the window clears its flag.
    after->close();
    QVERIFY(!panels.Shown("methods"));
    started.app->SetLanguage(Language::French);
    QVERIFY(!panels.Window("methods")->isVisible());
  }

  void AMinimisedWindowPausesTheGame() {
    StartedApp started(home_, Language::French);
    started.Frame().setWindowState(Qt::WindowMinimized);
    QVERIFY(started.app->State().Paused());
    started.Frame().setWindowState(Qt::WindowNoState);
    QVERIFY(!started.app->State().Paused());
  }

  void TheTitleFollowsTheDocument() {
    StartedApp started(home_, Language::French);
    QCOMPARE(started.Frame().windowTitle(), QStringLiteral("SudDoc - Quorbel"));
    started.app->MarkDocumentModified("Facile 12.txt");
    QCOMPARE(started.Frame().windowTitle(), QStringLiteral("Facile 12 - Quorbel"));
    QVERIFY(started.app->GetCurrentDocument()->IsModified());
    started.app->MarkDocumentModified("");
    QCOMPARE(started.Frame().windowTitle(), QStringLiteral("Facile 12 - Quorbel"));
    started.app->MarkDocumentModified("NULL");
    QCOMPARE(started.Frame().windowTitle(), QStringLiteral("SudDoc - Quorbel"));
    QVERIFY(!started.app->GetCurrentDocument()->IsModified());
  }

  void TheWindowShowsItsMenusToolbarAndBoard() {
    StartedApp started(home_, Language::English);
    CMainFrame &frame = started.Frame();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    const QImage shot = frame.grab().toImage();
    QCOMPARE(shot.width(), frame.width());
    // The board's ground colour fills the middle of the window.
    const QPoint corner = frame.centralWidget()->geometry().topLeft() + QPoint(4, 4);
    QCOMPARE(QColor(shot.pixel(corner)), ToQColor(started.app->Colours().ColBgEcran));
    QVERIFY(frame.menuBar()->isVisible());
    QVERIFY(frame.statusBar()->isVisible());
  }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
