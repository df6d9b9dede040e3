// The help: every context the program can open has its page in French and in English, the pages'
// links and pictures lead somewhere, and F1, the Help buttons and the methods' links in the message
// panel open the page of where the player is, in the player's language.
#include <QDirIterator>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

#include "app/game_start.h"
#include "app/help_topics.h"
#include "app/qt/defi_dialog.h"
#include "app/qt/dialog_text.h"
#include "app/qt/generation_dialog.h"
#include "app/qt/help_window.h"
#include "app/qt/init_grid_dialog.h"
#include "app/qt/method_panel.h"
#include "app/qt/picture_button.h"
#include "engine/variant_bits.h"
#include "engine/variant_catalog.h"
#include "platform/help_contexts.h"
#include "resources/command_table.h"
#include "tests/view/qt/view_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr int kShapeOf9 = 5;
const QString kData = QStringLiteral(QUORBEL_DATA_DIR);

QString PageShown(const CQuorbelApp &app) {
  CHelpWindow *help = app.HelpWindow();
  return help && help->isVisible() ? help->CurrentPage().toLocalFile() : QString();
}

QString Expected(int32_t context, Language language) {
  return QLatin1Char('/') + QString::fromStdString(HelpPagePath(HelpPageOf(context), language));
}

// F1 typed into the window the player is in.
void PressF1(QWidget &window) {
  QCoreApplication::processEvents(); // the help window's own activation comes first
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  QTRY_COMPARE(QApplication::activeWindow(), &window);
  QTest::keyClick(window.windowHandle(), Qt::Key_F1);
}

} // namespace

class HelpPagesTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

  // The shipped help beside the program of the test.
  void ShipHelp() const { QFile::link(kData + QStringLiteral("/help"), home_.StartDirectory() + "/help"); }

private slots:
  void EveryContextTheProgramCanOpenHasItsPageInBothLanguages() {
    const std::vector<int32_t> contexts = AllHelpContexts();
    QCOMPARE(contexts.size(), kHelpTopics.size() + kVariantRowCount);
    for (const int32_t context : contexts)
      for (const Language language : {Language::French, Language::English}) {
        const QString page =
            kData + QLatin1Char('/') + QString::fromStdString(HelpPagePath(HelpPageOf(context), language));
        QVERIFY2(QFileInfo::exists(page), qPrintable(page));
      }
    // Each rule has a page of its own, and an unknown context falls back on the contents.
    QCOMPARE(HelpPageOf(RuleHelpContext(kFirstRuleRow + 11)), std::string("rule-killer-sum"));
    QCOMPARE(HelpPageOf(123), std::string("index"));
  }

  void EveryLinkAndPictureOfThePagesLeadsToAFile() {
    const QRegularExpression target(QStringLiteral("(?:href|src)=\"([^\"#:]+)\""));
    int pages = 0;
    for (QDirIterator it(kData + QStringLiteral("/help"), {QStringLiteral("*.html")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
      const QFileInfo page(it.next());
      QFile file(page.filePath());
      QVERIFY(file.open(QIODevice::ReadOnly));
      const QString text = QString::fromUtf8(file.readAll());
      for (auto match = target.globalMatch(text); match.hasNext();) {
        const QString linked = page.dir().filePath(match.next().captured(1));
        QVERIFY2(QFileInfo::exists(linked), qPrintable(page.filePath() + " -> " + linked));
      }
      ++pages;
    }
    QVERIFY(pages >= 2 * (kVariantRowCount - kFirstRuleRow));
  }

  void APageOpensInThePlayersLanguageAndWithoutHelpTheProgramSaysSo() {
    PlayedBoard board(home_, kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    CQuorbelApp &app = *board.app;
    app.ShowHelp(HelpContext("method colouring"));
    QVERIFY(board.dialogs.Asked().last().contains(QStringLiteral("Help is not installed")));
    QVERIFY(PageShown(app).isEmpty());

    ShipHelp();
    app.ShowHelp(HelpContext("method colouring"));
    QVERIFY(PageShown(app).endsWith(QStringLiteral("/help/en/method-colouring.html")));
    QVERIFY(!app.HelpWindow()->Browser()->toPlainText().isEmpty());
    // The open page follows the language.
    app.SetLanguage(Language::French);
    QVERIFY(PageShown(app).endsWith(QStringLiteral("/help/fr/method-colouring.html")));
    app.ShowHelp(RuleHelpContext(kFirstRuleRow));
    QVERIFY(PageShown(app).endsWith(QStringLiteral("/help/fr/rule-diagonal.html")));
    QVERIFY(app.HelpWindow()->windowTitle().contains(QStringLiteral("Aide")));
  }

  void F1OpensThePageOfWhereThePlayerIs() {
    ShipHelp();
    PlayedBoard board(home_, kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    CQuorbelApp &app = *board.app;
    for (const Language language : {Language::French, Language::English}) {
      app.SetLanguage(language);
      PressF1(board.Frame());
      QVERIFY(PageShown(app).endsWith(Expected(HelpContext("board"), language)));

      CInitGrid start(app, language, &board.Frame());
      start.show();
      start.HelpButton()->setFocus();
      PressF1(start);
      QVERIFY(PageShown(app).endsWith(Expected(HelpContext("start screen"), language)));
      // On a game's button, the page of that game, whose description the screen shows.
      start.Button(kAreaKids)->setFocus();
      PressF1(start);
      QVERIFY(PageShown(app).endsWith(Expected(HelpContext("mode kids"), language)));
      start.HelpButton()->click();
      QVERIFY(PageShown(app).endsWith(Expected(HelpContext("start screen"), language)));
      start.hide();

      GrilleSel generation(
          app, [](const GenerationChoice &) { return false; }, language, &board.Frame());
      generation.show();
      PressF1(generation);
      QVERIFY(PageShown(app).endsWith(Expected(HelpContext("new grid"), language)));
      // In the list of rules, the page of the rule in hand.
      auto *rules = generation.findChild<QListWidget *>();
      rules->setFocus();
      rules->setCurrentRow(kFirstRuleRow + 1);
      PressF1(generation);
      QVERIFY(PageShown(app).endsWith(Expected(RuleHelpContext(kFirstRuleRow + 1), language)));
      generation.hide();

      app.Commands().ExecuteCommand(Cmd::DisplayMethods);
      CMethod *methods = nullptr;
      for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *panel = qobject_cast<CMethod *>(window); panel && panel->isVisible())
          methods = panel;
      QVERIFY(methods);
      PressF1(*methods);
      QVERIFY(PageShown(app).endsWith(Expected(HelpContext("methods panel"), language)));
      methods->hide();
    }
    // The challenge window's Help button.
    CDialogDefi *challenge = EnsureChallengeDialog(app);
    QVERIFY(challenge);
    challenge->findChild<QPushButton *>(ControlName(1689))->click();
    QVERIFY(PageShown(app).endsWith(Expected(HelpContext("mode challenge"), Language::English)));
    // The context-help button, then a click on the board.
    QHelpEvent clicked(QEvent::WhatsThis, QPoint(5, 5), board.View().mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&board.View(), &clicked);
    QVERIFY(PageShown(app).endsWith(Expected(HelpContext("board"), Language::English)));
  }

  void ALegendLineOpensItsRulesPage() {
    ShipHelp();
    PlayedBoard board(home_, kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    board.Engine().Grids.Main[0].GridVar = kVarDiagonal | kVarNoTouch;
    board.app->Settings().general.displayBarArea = 1;
    board.View().repaint();
    QCOMPARE(board.View().Legend().size(), size_t{2});
    const CellRect &noTouch = board.View().Layout().Legend[1];
    board.Click(board.Centre(noTouch));
    QVERIFY(PageShown(*board.app).endsWith(QStringLiteral("/help/en/rule-no-touch.html")));
  }

  void AHintsMethodLinkOpensThatMethodsPage() {
    ShipHelp();
    PlayedBoard board(home_, kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    board.app->SetLanguage(Language::French);
    board.Type(Qt::Key_F9);
    board.View().repaint();
    MessageRing &ring = board.app->Messages();
    const CComLine &hint = ring.Line(ring.NewestIndex());
    QString page;
    for (size_t segment = 0; segment < static_cast<size_t>(hint.SegmentCount); ++segment)
      if (const QString named = QString::fromStdString(HelpPageOf(hint.Codes[segment]));
          hint.Codes[segment] > 0 && named.startsWith(QStringLiteral("method-"))) {
        page = named;
        const SegmentRect &link = hint.Rects[segment];
        QVERIFY(board.View().MessagePanelClick(link.x + 2, link.y + 2));
      }
    QVERIFY2(!page.isEmpty(), hint.Text.c_str());
    QVERIFY(PageShown(*board.app).endsWith(QStringLiteral("/help/fr/") + page + QStringLiteral(".html")));
  }
};

QTEST_MAIN(HelpPagesTest)
#include "help_pages_test.moc"
