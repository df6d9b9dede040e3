// The challenge on the program: entering the challenge mode, starting a challenge alone, moves
// placed on the board scored, a peer's bad move refused, and Stop Challenge.
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTcpSocket>
#include <QtTest>

#include "app/qt/defi_dialog.h"
#include "app/qt/dialog_text.h"
#include "app/qt/start_routines.h"
#include "engine/cell_actions.h"
#include "engine/geometry.h"
#include "engine/grid_set.h"
#include "tests/net/qt/loopback_http.h"
#include "tests/net/qt/quiet_socket_host.h"
#include "tests/view/qt/view_test_support.h"
#include "view/board_input.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

// Challenges turned on, for Ann, on 4 x 4 grids.
CDialogDefi *AnnsChallenge(FrameWithBoard &f) {
  f.app->Settings().defi.defiInhibit = 0;
  f.app->Settings().defi.playerName = "Ann";
  f.app->Settings().defi.defiGridSize = 0;
  return EnsureChallengeDialog(*f.app);
}

// Bob's program on 127.0.0.1: it knows Ann, and leaves what she sends alone.
class BobsProgram : public QuietSocketHost {
public:
  BobsProgram() : QuietSocketHost("Bob"), sockets(*this) {
    DefiPlayerRecord ann;
    ann.Name = "Ann";
    ann.Remote = 1;
    known.Add(ann);
  }

  DefiSockets sockets;
};

// Bob checked in Ann's list and linked to her, as a player who takes part.
bool LinkBob(CDialogDefi &defi, BobsProgram &bob) {
  if (!bob.sockets.StartListen(0))
    return false;
  DefiPlayerRecord record;
  record.Name = "Bob";
  record.Remote = 1;
  record.Connected = 1;
  record.Address = "127.0.0.1";
  record.Port = bob.sockets.ListenPort();
  defi.Players().Add(record);
  defi.Sockets().ConnectPlayer(defi.Players().Find("Bob"));
  return QTest::qWaitFor([&] { return defi.Sockets().Reachable("Bob") && bob.known.At(0).Slot >= 0; }, 5000);
}

// Ann's challenge, as its options stand, launched with Bob linked.
bool LaunchWithBob(CDialogDefi &defi, BobsProgram &bob) {
  defi.EnterChallengeMode();
  return LinkBob(defi, bob) && defi.StartChallenge();
}

std::string LastLine(CQuorbelApp &app) {
  const MessageRing &ring = app.Messages();
  return ring.Line(ring.NewestIndex()).Text;
}

// Ann's challenge of one cell a turn, launched with Bob linked, her turn given.
CDialogDefi *OneCellTurnsWithBob(FrameWithBoard &f, BobsProgram &bob) {
  CDialogDefi *defi = AnnsChallenge(f);
  defi->findChild<QComboBox *>(ControlName(1681))->setCurrentIndex(0);
  if (!LaunchWithBob(*defi, bob))
    return nullptr;
  defi->TurnTick(40);
  return defi;
}

int FirstOpenCell(const GridRecord &grid) {
  int cell = 0;
  while (grid.Cells[static_cast<size_t>(cell)].Value != 0)
    ++cell;
  return cell;
}

} // namespace

class DefiDialogTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void aChallengeAloneScoresItsMoves() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    CDialogDefi *defi = AnnsChallenge(f);
    QVERIFY(defi);
    defi->EnterChallengeMode();
    QCOMPARE(f.app->Settings().game.mode, kGameModeDefi);
    QVERIFY(defi->Players().Find("Ann") >= 0);

    QVERIFY(defi->StartChallenge());
    QVERIFY(defi->Running());
    QVERIFY(QFile::exists(home_.StartDirectory() + "/MyGrid/DefiTempFile.txt"));
    defi->TurnTick(40); // the first tick gives Ann the turn
    QCOMPARE(defi->Turns().Current, 0);

    // A right value placed on the board scores it; a wrong one costs 10.
    EngineContext &ctx = f.app->Engine();
    GridRecord &grid = ctx.Grids.Main[0];
    int open = 0;
    while (grid.Cells[static_cast<size_t>(open)].Value != 0)
      ++open;
    const int right = ctx.Grids.RefTab[0].Cells[static_cast<size_t>(open)].Value;
    SetCellValue(ctx, grid, open, right % 4 + 1, kActionPlace);
    const DefiPlayerRecord &ann = defi->Standings().At(defi->Standings().Find("Ann"));
    QCOMPARE(ann.Score, -10);
    SetCellValue(ctx, grid, open, right, kActionPlace);
    QCOMPARE(ann.Score, right - 10);

    // A peer's move outside the grid or its values is refused.
    defi->MoveReceived("Bob", {"Bob", 99, 1, kActionPlace});
    defi->MoveReceived("Bob", {"Bob", open, 9, kActionPlace});
    QTest::qWait(10);
    QCOMPARE(grid.Cells[static_cast<size_t>(open)].Value, right);
    // Nor may anyone outside the challenge play, nor one player send another's move.
    int other = open + 1;
    while (grid.Cells[static_cast<size_t>(other)].Value != 0)
      ++other;
    const int otherRight = ctx.Grids.RefTab[0].Cells[static_cast<size_t>(other)].Value;
    defi->MoveReceived("Zed", {"Zed", other, otherRight, kActionPlace});
    defi->MoveReceived("Zed", {"Ann", other, otherRight, kActionPlace});
    QTest::qWait(10);
    QCOMPARE(grid.Cells[static_cast<size_t>(other)].Value, 0);

    QVERIFY(f.app->Commands().ExecuteCommand(Cmd::StopChallenge));
    QVERIFY(!defi->Running());
    QVERIFY(!f.app->State().ChallengeRunning());
  }

  // In timed turns the board takes a player's values in his own turn alone: in another's it
  // refuses them, with a word and the refusal's sound. Undo, cut and paste, which no other
  // board would see, are refused in any turn; a refusal said again adds no line.
  void theBoardRefusesValuesOutOfTurnAndUndoOrPasteThroughout() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    CDialogDefi *defi = AnnsChallenge(f);
    defi->findChild<QComboBox *>(ControlName(1681))->setCurrentIndex(0); // one cell a turn
    BobsProgram bob;
    QVERIFY(LaunchWithBob(*defi, bob));
    std::vector<int> sounds;
    f.app->Services().playSoundEffect = [&](int slot) { sounds.push_back(slot); };

    const GridRecord &grid = f.app->Engine().Grids.Main[0];
    const GridRecord &solution = f.app->Engine().Grids.RefTab[0];
    std::vector<int> open;
    for (int cell = 0; cell < f.app->Engine().Geo.NCells; ++cell)
      if (grid.Cells[static_cast<size_t>(cell)].Value == 0)
        open.push_back(cell);
    QVERIFY(open.size() >= 2);
    const auto value = [&](int cell) { return grid.Cells[static_cast<size_t>(cell)].Value; };
    const auto type = [&](int cell) {
      GetCurrentView(*f.app)->MoveFocusToCell(0, cell);
      const int right = solution.Cells[static_cast<size_t>(cell)].Value;
      QTest::keyClick(f.Frame().windowHandle(), static_cast<Qt::Key>(Qt::Key_0 + right));
    };
    const auto newestLine = [&] {
      const MessageRing &ring = f.app->Messages();
      return ring.Line(ring.NewestIndex()).Text;
    };
    f.Frame().activateWindow();
    GetCurrentView(*f.app)->setFocus();

    type(open[0]); // nobody's turn yet
    QCOMPARE(value(open[0]), 0);
    QCOMPARE(newestLine(), std::string("It is not your turn yet."));
    defi->TurnTick(40);
    type(open[0]); // Ann's one cell ends her turn
    QVERIFY(value(open[0]) > 0);
    QCOMPARE(defi->Turns().Current, 1);
    sounds.clear();
    type(open[1]);
    QCOMPARE(value(open[1]), 0);
    QCOMPARE(newestLine(), std::string("It is not your turn: Bob is playing."));
    QVERIFY(std::find(sounds.begin(), sounds.end(), int{kSoundRefused}) != sounds.end());
    const int lines = f.app->Messages().WriteIndex();
    type(open[1]);
    QCOMPARE(f.app->Messages().WriteIndex(), lines);

    f.app->Commands().ExecuteCommand(Cmd::EditUndo);
    f.app->Commands().ExecuteCommand(Cmd::EditUndo);
    QVERIFY(value(open[0]) > 0);
    QCOMPARE(newestLine(), std::string("Undo, redo, cut and paste wait for the end of the challenge."));
    QCOMPARE(f.app->Messages().WriteIndex(), lines + 1);
    GetCurrentView(*f.app)->MoveFocusToCell(0, open[1]);
    QGuiApplication::clipboard()->setText(
        QString::number(solution.Cells[static_cast<size_t>(open[1])].Value));
    f.app->Commands().ExecuteCommand(Cmd::EditPaste);
    QCOMPARE(value(open[1]), 0);
    GetCurrentView(*f.app)->MoveFocusToCell(0, open[0]);
    f.app->Commands().ExecuteCommand(Cmd::EditCut);
    QVERIFY(value(open[0]) > 0);
  }

  // A cell filled right stays its player's: typed over or cleared at the board it is refused
  // with a word, and a change that comes another way (a script's) is put back.
  void aCellFilledRightStaysItsPlayers() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    BobsProgram bob;
    CDialogDefi *defi = OneCellTurnsWithBob(f, bob);
    QVERIFY(defi);
    EngineContext &ctx = f.app->Engine();
    GridRecord &grid = ctx.Grids.Main[0];
    const auto right = [&](int cell) { return ctx.Grids.RefTab[0].Cells[static_cast<size_t>(cell)].Value; };
    const auto value = [&](int cell) { return grid.Cells[static_cast<size_t>(cell)].Value; };
    const int annCell = FirstOpenCell(grid);
    SetCellValue(ctx, grid, annCell, right(annCell), kActionPlace);
    const int bobCell = FirstOpenCell(grid);
    defi->MoveReceived("Bob", {"Bob", bobCell, right(bobCell), kActionPlace});
    QTRY_COMPARE(value(bobCell), right(bobCell));
    QCOMPARE(defi->Turns().Current, 0); // Ann's turn again
    const int score = defi->Standings().At(0).Score;

    f.Frame().activateWindow();
    GetCurrentView(*f.app)->setFocus();
    GetCurrentView(*f.app)->MoveFocusToCell(0, bobCell);
    QTest::keyClick(f.Frame().windowHandle(), static_cast<Qt::Key>(Qt::Key_0 + right(bobCell) % 4 + 1));
    QCOMPARE(value(bobCell), right(bobCell));
    QCOMPARE(LastLine(*f.app), std::string("Bob filled this cell right: it stays."));
    GetCurrentView(*f.app)->MoveFocusToCell(0, annCell);
    QTest::keyClick(f.Frame().windowHandle(), Qt::Key_Backspace);
    QCOMPARE(value(annCell), right(annCell));
    QCOMPARE(LastLine(*f.app), std::string("You filled this cell right: it stays."));

    ClearCellMove(ctx, grid, bobCell); // as a script would
    QTRY_COMPARE(value(bobCell), right(bobCell));
    QCOMPARE(defi->Standings().At(0).Score, score);
    QCOMPARE(defi->Turns().Current, 0);
  }

  // New Game > Challenge mid-game, to chat or to look at the players, then Cancel: the
  // challenge goes on as it was, a peer's move in his turn placed and scored.
  void reopeningTheWindowLeavesTheChallengeInPlay() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    BobsProgram bob;
    CDialogDefi *defi = OneCellTurnsWithBob(f, bob);
    QVERIFY(defi);
    EngineContext &ctx = f.app->Engine();
    GridRecord &grid = ctx.Grids.Main[0];
    const auto open = [&] { return FirstOpenCell(grid); };
    const int annCell = open();
    SetCellValue(ctx, grid, annCell, ctx.Grids.RefTab[0].Cells[static_cast<size_t>(annCell)].Value,
                 kActionPlace);
    QCOMPARE(defi->Turns().Current, 1);

    QVERIFY(StartChallengeGame(*f.app));
    defi->findChild<QPushButton *>(ControlName(1688))->click();
    QVERIFY(defi->Running());
    QCOMPARE(defi->Turns().Current, 1);
    const int bobCell = open();
    const int right = ctx.Grids.RefTab[0].Cells[static_cast<size_t>(bobCell)].Value;
    defi->MoveReceived("Bob", {"Bob", bobCell, right, kActionPlace});
    QTRY_COMPARE(grid.Cells[static_cast<size_t>(bobCell)].Value, right);
    QCOMPARE(defi->Standings().At(defi->Standings().Find("Bob")).Score, right);
  }

  // The grid filled by a peer's move ends this board's game as the player's own last value does:
  // its clock stops.
  void aPeersLastValueEndsTheBoardsGame() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    CDialogDefi *defi = AnnsChallenge(f);
    defi->findChild<QComboBox *>(ControlName(1684))->setCurrentIndex(0); // no turns
    BobsProgram bob;
    QVERIFY(LaunchWithBob(*defi, bob));
    EngineContext &ctx = f.app->Engine();
    GridRecord &grid = ctx.Grids.Main[0];
    const auto right = [&](int cell) { return ctx.Grids.RefTab[0].Cells[static_cast<size_t>(cell)].Value; };
    int last = FirstOpenCell(grid);
    for (int cell = last + 1; cell < ctx.Geo.NCells; ++cell)
      if (grid.Cells[static_cast<size_t>(cell)].Value == 0)
        SetCellValue(ctx, grid, cell, right(cell), kActionPlace);
    QCOMPARE(f.app->Session().Counters.GameFinished, 0);
    defi->MoveReceived("Bob", {"Bob", last, right(last), kActionPlace});
    QTRY_VERIFY(defi->Turns().Over);
    QCOMPARE(f.app->Session().Counters.GameFinished, 1);
  }

  // A follower mid-banner, the board fading out, whose launcher leaves: the board comes back
  // whole, and its player plays on alone.
  void aFollowerLeftAloneMidBannerGetsItsBoardBack() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    CDialogDefi *defi = AnnsChallenge(f);
    defi->EnterChallengeMode();
    QVERIFY(defi->StartChallenge());
    defi->StopChallenge(); // her own challenge in play would refuse Bob's grid
    QFile file(home_.StartDirectory() + "/MyGrid/DefiTempFile.txt");
    QVERIFY(file.open(QIODevice::ReadOnly));
    defi->GridReceived("Bob", file.readAll().toStdString());
    QTRY_VERIFY(defi->Turns().Mirror);
    DefiStandings standings;
    standings.Current = 0;
    standings.Players = {{"Bob", 0, {}}, {"Ann", 0, {}}};
    defi->StandingsReceived("Bob", standings);
    QTRY_COMPARE(defi->Standings().Count(), 2);
    for (int tick = 0; tick < 100 && defi->BoardFade() > 0.5; ++tick)
      defi->TurnTick(40);
    QVERIFY(defi->BoardFade() <= 0.5);
    defi->PlayersChanged(); // Bob's link is gone
    QVERIFY(!defi->Turns().Mirror);
    QCOMPARE(defi->BoardFade(), 1.0);
    QVERIFY(!f.app->State().ChallengeRunning()); // no banner over the board
  }

  // While her challenge is in play a peer's grid changes nothing, a whole one neither. Out of
  // play, one that is no grid changes nothing, her file included; a whole one is played at once on
  // the blocks it names, with no question about the game it replaces, and nothing of the
  // player's former challenge comes back.
  void aPeersGridIsCheckedWholeThenTakenWithoutAQuestion() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    CDialogDefi *defi = AnnsChallenge(f);
    f.app->Settings().defi.defiGridSize = 1; // 6x6 (3x2)
    defi->EnterChallengeMode();
    QVERIFY(defi->StartChallenge());
    QCOMPARE(ShapeCodeOfGeometry(f.app->Engine().Geo), 1);
    defi->TurnTick(40);
    QFile file(home_.StartDirectory() + "/MyGrid/DefiTempFile.txt");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray grid = file.readAll();
    file.close();
    const std::string sent = DefiGridMessage(grid.toStdString(), {3, 2})->substr(1);

    defi->GridReceived("Bob", sent);
    QTRY_VERIFY(LastLine(*f.app).find("grid from Bob refused") != std::string::npos);
    QVERIFY(!defi->Turns().Mirror);
    QCOMPARE(defi->Standings().Count(), 1);
    defi->StopChallenge();

    for (const char *broken : {"", "x", "Quorbel Mode Texte\r\n4\r\n;Start Save Grid0\r\n1\r\n"})
      defi->GridReceived("Bob", broken);
    defi->GridReceived("Bob", grid.toStdString() + ";Blocks 4x2\r\n");
    QTest::qWait(20);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), grid);
    file.close();
    QVERIFY(!defi->Turns().Mirror);

    f.app->MarkDocumentModified("");
    const qsizetype asked = f.dialogs.Asked().size();
    defi->GridReceived("Bob", sent);
    QTRY_VERIFY(defi->Turns().Mirror);
    QCOMPARE(f.dialogs.Asked().size(), asked);
    QVERIFY(defi->Running());
    QCOMPARE(defi->Standings().Count(), 0);
    QCOMPARE(ShapeCodeOfGeometry(f.app->Engine().Geo), 1); // the launcher's blocks, not 2x3
    QVERIFY(!f.app->State().ChallengeRunning());           // no banner of the old turns
  }

  // The preferences' OK restarts listening only on another port: a challenge's links stay.
  void thePreferencesKeepTheLinksOnTheSamePort() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    f.app->Settings().defi.defiInhibit = 0;
    f.app->Settings().defi.playerName = "Ann";
    CDialogDefi *defi = EnsureChallengeDialog(*f.app);
    QVERIFY(defi->StartListen(0));
    const int port = defi->Sockets().ListenPort();
    DefiPlayerRecord bob;
    bob.Name = "Bob";
    defi->Players().Add(bob);
    QTcpSocket caller;
    caller.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    QVERIFY(caller.waitForConnected(2000));
    caller.write(">>>>>Bob>>>>>Ann");
    QTRY_VERIFY(defi->Players().At(0).Slot >= 0);
    QVERIFY(f.app->Services().startChallengeListen(port));
    QTest::qWait(20);
    QVERIFY(defi->Players().At(0).Slot >= 0);
    QCOMPARE(caller.state(), QAbstractSocket::ConnectedState);
  }

  void turnedOffTheStartScreenSaysSo() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    f.app->Settings().defi.defiInhibit = 1;
    CDialogDefi *defi = EnsureChallengeDialog(*f.app);
    QVERIFY(!defi->StartListen(0));
    QVERIFY(!defi->Sockets().Listening());
  }

  // The connect service on a loopback server of ours: listening asks for the players, then the
  // challenges; the replies fill both lists, one request at a time.
  void theConnectServiceFillsPlayersAndChallenges() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    QStringList requests;
    LoopbackHttp server([&](const QByteArray &request) -> QByteArray {
      requests << QString::fromLatin1(request.left(request.indexOf('\n')));
      return request.contains("|G|A")
                 ? ">>>Com:G>>>>>>Bob|0|127.0.0.1|11079|Lyon|fr|France|a|b|c|S|Y|x\r\n >>>>>>"
                 : ">>>Com:L>>>>>>Cup|3|Bob|x|1|0|5|2|2|0|1|0|0|0|0>>>>>>";
    });
    QVERIFY(server.Listening());
    f.app->Settings().defi.defiInhibit = 0;
    f.app->Settings().defi.playerName = "Ann Lee";
    f.app->Settings().defi.serviceHost = "127.0.0.1:" + std::to_string(server.Port());
    CDialogDefi *defi = EnsureChallengeDialog(*f.app);
    QVERIFY(defi->StartListen(0));
    QTRY_VERIFY2(defi->Challenges().size() == 1,
                 qPrintable(requests.join(" / ") + " players " + QString::number(defi->Players().Count())));
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests[0], QStringLiteral("GET /Connect.php?Ann%20Lee|G|A HTTP/1.1"));
    QCOMPARE(requests[1], QStringLiteral("GET /Connect.php?Ann%20Lee|L|A HTTP/1.1"));
    QCOMPARE(defi->Players().Count(), 1);
    QCOMPARE(defi->Players().At(0).Name, std::string("Bob"));
    QVERIFY(defi->ServiceAvailable());
    QCOMPARE(defi->Challenges()[0].Name, std::string("Cup"));

    // Bob's challenge taken over: its parameters are his, there is a challenge to join, and
    // nothing to launch before one is made or joined.
    auto *challenges = defi->findChild<QListWidget *>(ControlName(1695));
    challenges->setCurrentRow(0);
    QVERIFY(!defi->findChild<QComboBox *>(ControlName(1674))->isEnabled());
    QVERIFY(!defi->findChild<QComboBox *>(ControlName(1681))->isEnabled());
    QVERIFY(defi->findChild<QPushButton *>(ControlName(1699))->isEnabled());
    QVERIFY(!defi->findChild<QPushButton *>(ControlName(1687))->isEnabled());
    QVERIFY(!defi->findChild<QListWidget *>(ControlName(1686))->isEnabled());

    // The town typed for the selected player is his; help opens the dialog's topic.
    auto *list = defi->findChild<QListWidget *>(ControlName(1686));
    list->setCurrentRow(0);
    auto *town = defi->findChild<QLineEdit *>(ControlName(1683));
    QCOMPARE(town->text(), QStringLiteral("Lyon"));
    town->clear();
    QTest::keyClicks(town, "Nice");
    QCOMPARE(defi->Players().At(0).Fields[0], std::string("Nice"));
    // A second Bob could not be told from the first.
    defi->findChild<QLineEdit *>(ControlName(1662))->setText(QStringLiteral("Bob"));
    defi->findChild<QPushButton *>(ControlName(1665))->click();
    QCOMPARE(defi->Players().Count(), 1);
    defi->findChild<QPushButton *>(ControlName(1689))->click();
    QVERIFY(f.dialogs.Asked().last().contains(QStringLiteral("Help is not installed")));
  }

  // A service that never answers, then one whose reply never ends, hold the queue only a while:
  // each request after them goes out.
  void aSilentOrEndlessServiceFreesTheQueue() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    int connections = 0;
    connect(&server, &QTcpServer::newConnection, &server, [&] {
      QTcpSocket *client = server.nextPendingConnection();
      if (++connections != 2)
        return; // silent
      client->write("HTTP/1.1 200 OK\r\n\r\n" + QByteArray(kMostServiceReplyBytes + 1, 'x'));
    });
    f.app->Settings().defi.defiInhibit = 0;
    f.app->Settings().defi.serviceHost = "127.0.0.1:" + std::to_string(server.serverPort());
    CDialogDefi *defi = EnsureChallengeDialog(*f.app);
    defi->SetServiceTimeoutMs(300);
    QVERIFY(defi->StartListen(0));
    QTRY_COMPARE(connections, 1);
    // Asked again and again: a held queue only queues, a freed one sends.
    const auto askedUntil = [&](int n) {
      defi->DefiConnectService("G|A", true);
      return connections >= n;
    };
    QTRY_VERIFY(askedUntil(2));
    QTRY_VERIFY(askedUntil(3));
  }

private:
  AppTestHome home_;
};

QTEST_MAIN(DefiDialogTest)
#include "defi_dialog_test.moc"
