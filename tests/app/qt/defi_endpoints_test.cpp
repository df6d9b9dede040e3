// Two challenge endpoints over 127.0.0.1 through a whole short challenge: the program launches
// a 4 x 4 grid for Ann, and Bob, a second endpoint built on the same sockets and rules as the
// program's followers, plays it with her turn by turn until it is solved. Both see the same
// turns, scores and winner; Bob's move on a given is refused; the connect service's new list
// of players mid-game drops none of Bob's moves; the launcher shows no one-player box.
#include <QComboBox>
#include <QtTest>

#include "app/qt/defi_dialog.h"
#include "app/qt/dialog_text.h"
#include "app/qt/end_of_game_flow.h"
#include "engine/cell_actions.h"
#include "engine/grid_set.h"
#include "net/qt/defi_sockets.h"
#include "tests/net/qt/loopback_http.h"
#include "tests/net/qt/quiet_socket_host.h"
#include "tests/view/qt/view_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

// Bob: follows the launcher's standings, as the program does when it is not the launcher.
class Follower : public QuietSocketHost, public DefiTurnHost {
public:
  Follower() : QuietSocketHost("Bob"), sockets(*this) {}

  void GridReceived(const std::string &, const std::string &file) override { grids.push_back(file); }
  void StartReceived(const std::string &) override { ++starts; }
  void StandingsReceived(const std::string &, const DefiStandings &standings) override {
    TakeDefiStandings(turns, players, standings, "Bob", *this);
  }

  int SolutionValue(int) override { return 0; }
  int CellValue(int) override { return 0; }
  bool InContradiction() override { return false; }
  bool IsOpenCell(int) override { return true; }
  void RevealCell(int) override {}
  void PlaySound(int) override {}
  void SendToAll(const std::string &) override {}
  void Redraw() override {}
  bool Fade(bool) override { return true; }

  bool MyTurn() const { return turns.Running && !turns.Over && turns.Current == turns.OwnPosition; }

  DefiPlayerList players;
  DefiTurns turns;
  std::vector<std::string> grids;
  int starts = 0;
  DefiSockets sockets;
};

int FirstOpenCell(const GridRecord &grid, int cells) {
  for (int cell = 0; cell < cells; ++cell)
    if (grid.Cells[static_cast<size_t>(cell)].Value == 0)
      return cell;
  return -1;
}

} // namespace

class DefiEndpointsTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void twoPlayersPlayAWholeChallenge() {
    Follower bob;
    QVERIFY(bob.sockets.StartListen(0));
    int serviceRequests = 0;
    LoopbackHttp service([&](const QByteArray &request) -> QByteArray {
      ++serviceRequests;
      if (!request.contains("|G|A"))
        return ">>>Com:L>>>>>>";
      return ">>>Com:G>>>>>>Bob|0|127.0.0.1|" + QByteArray::number(bob.sockets.ListenPort()) +
             "|Lyon|fr|France|a|b|c|S|Y|x\r\n >>>>>>";
    });

    FrameWithBoard f(home_);
    QVERIFY(f.started);
    DefiSettings &settings = f.app->Settings().defi;
    settings.defiInhibit = 0;
    settings.playerName = "Ann";
    settings.defiGridSize = 0; // 4 x 4
    settings.serviceHost = "127.0.0.1:" + std::to_string(service.Port());
    CDialogDefi *ann = EnsureChallengeDialog(*f.app);
    ann->findChild<QComboBox *>(ControlName(1681))->setCurrentIndex(0); // one cell a turn
    QVERIFY(ann->StartListen(0));
    QTRY_VERIFY(ann->Players().Find("Bob") >= 0);
    ann->EnterChallengeMode();

    DefiPlayerRecord annAtBob;
    annAtBob.Name = "Ann";
    annAtBob.Remote = 1;
    bob.known.Add(annAtBob);
    const int bobAtAnn = ann->Players().Find("Bob");
    ann->Players().At(bobAtAnn).Connected = 1;
    QVERIFY(ann->Sockets().ConnectPlayer(bobAtAnn) >= 0);
    QTRY_COMPARE(bob.known.At(0).Connected, 1);

    QVERIFY(ann->StartChallenge());
    QTRY_COMPARE(bob.starts, 1);
    QCOMPARE(bob.grids.size(), size_t{1});
    ann->TurnTick(40); // Ann's turn
    QTRY_COMPARE(bob.players.Count(), 2);
    QTRY_COMPARE(bob.turns.Current, 0);

    EngineContext &ctx = f.app->Engine();
    GridRecord &grid = ctx.Grids.Main[0];
    const GridRecord &solution = ctx.Grids.RefTab[0];
    const int cells = ctx.Geo.NCells;
    const auto right = [&](int cell) { return solution.Cells[static_cast<size_t>(cell)].Value; };
    int given = 0;
    while (grid.Cells[static_cast<size_t>(given)].Status != kStatusGiven)
      ++given;
    const int givenValue = grid.Cells[static_cast<size_t>(given)].Value;

    for (int round = 0; round < cells && !ann->Turns().Over; ++round) {
      const int annCell = FirstOpenCell(grid, cells);
      QVERIFY(annCell >= 0);
      SetCellValue(ctx, grid, annCell, right(annCell), kActionPlace);
      UpdatePossibles(ctx, -1, -1, -1, 1);
      if (ann->Turns().Over)
        break;
      QTRY_VERIFY(bob.MyTurn());
      if (round == 0) {
        // Bob writes over a given: refused. Then the service's list comes again mid-game.
        bob.sockets.SendToName("Ann", DefiMoveMessage("Bob", given, givenValue % 4 + 1, kActionPlace));
        const int asked = serviceRequests;
        ann->DefiConnectService("G|A");
        QTRY_VERIFY(serviceRequests > asked);
        QTest::qWait(50);
        QCOMPARE(grid.Cells[static_cast<size_t>(given)].Value, givenValue);
      }
      const int bobCell = FirstOpenCell(grid, cells);
      bob.sockets.SendToName("Ann", DefiMoveMessage("Bob", bobCell, right(bobCell), kActionPlace));
      QTRY_COMPARE(grid.Cells[static_cast<size_t>(bobCell)].Value, right(bobCell));
      QTRY_VERIFY(bob.turns.Current == 0 || bob.turns.Over);
    }

    QVERIFY(ann->Turns().Over);
    QTRY_VERIFY(bob.turns.Over);
    QCOMPARE(bob.turns.Banner.Lines, ann->Turns().Banner.Lines);
    QVERIFY(ann->Turns().Banner.Lines[1].starts_with("Gagnant : "));
    for (int i = 0; i < 2; ++i) {
      QCOMPARE(bob.players.At(i).Name, ann->Standings().At(i).Name);
      QCOMPARE(bob.players.At(i).Score, ann->Standings().At(i).Score);
      QVERIFY(ann->Standings().At(i).Score > 0);
    }
    for (const ChallengeBoard::Box &box : ann->Board().Players)
      QVERIFY(!box.Turn); // nobody's turn on a solved grid
    // The board's end of game leaves the challenge's result alone.
    const qsizetype asked = f.dialogs.Asked().size();
    GridSetSolved(*f.app);
    QCOMPARE(f.dialogs.Asked().size(), asked);
    // The solved grid passes no more turns.
    const int turn = ann->Turns().Current;
    ann->TurnTick(60000);
    QCOMPARE(ann->Turns().Current, turn);

    // Bob leaves: Ann's program goes on.
    bob.sockets.FreeSlot(bob.known.At(0).Slot);
    QTRY_COMPARE(ann->Sockets().OpenSlots(), 0);
  }

private:
  AppTestHome home_;
};

QTEST_MAIN(DefiEndpointsTest)
#include "defi_endpoints_test.moc"
