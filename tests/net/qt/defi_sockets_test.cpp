// Two challenge peers in one process over loopback: the hello binds, chat and moves arrive, a
// stranger's hello and a move outside a challenge are refused, and "bye" unbinds. Hostile
// callers: a flood before the hello, silent callers holding every slot, messages cut across
// reads and a message without an end.
#include <QTcpSocket>
#include <QtTest>

#include "net/qt/defi_sockets.h"

using namespace quorbel;

namespace {

class Peer : public DefiSocketHost {
public:
  explicit Peer(std::string name, int quietMs = kDefiQuietMs)
      : name_(std::move(name)), sockets(*this, quietMs) {}

  void Inform(const std::string &line) override { said.push_back(line); }
  DefiPlayerList &Players() override { return players; }
  std::string OwnName() const override { return name_; }
  bool Disabled() const override { return disabled; }
  bool ChallengeRunning() const override { return running; }
  void PlayersChanged() override {}
  void ChatReceived(const std::string &line) override { chats.push_back(line); }
  void GridReceived(const std::string &, const std::string &file) override { grids.push_back(file); }
  void MoveReceived(const std::string &, const DefiMove &move) override { moves.push_back(move); }
  void StartReceived(const std::string &) override { ++starts; }
  void ReadyReceived() override {}

  int Knows(const std::string &name, int port) {
    DefiPlayerRecord player;
    player.Name = name;
    player.Remote = 1;
    player.Address = "127.0.0.1";
    player.Port = port;
    return *players.Add(player);
  }

  std::string name_;
  DefiPlayerList players;
  std::vector<std::string> said, chats, grids;
  std::vector<DefiMove> moves;
  int starts = 0;
  bool running = false;
  bool disabled = false;
  DefiSockets sockets;
};

} // namespace

class DefiSocketsTest : public QObject {
  Q_OBJECT

private slots:
  void peersBindTalkAndPart() {
    Peer ann("Ann");
    Peer bob("Bob");
    QVERIFY(ann.sockets.StartListen(0));
    QVERIFY(bob.sockets.StartListen(0));
    ann.Knows("Ann", ann.sockets.ListenPort());
    const int bobAtAnn = ann.Knows("Bob", bob.sockets.ListenPort());
    const int annAtBob = bob.Knows("Ann", ann.sockets.ListenPort());

    QVERIFY(ann.sockets.ConnectPlayer(bobAtAnn) >= 0);
    QTRY_COMPARE(bob.players.At(annAtBob).Connected, 1);
    const int bobsSlot = bob.players.At(annAtBob).Slot;
    QVERIFY(bobsSlot >= 0);

    ann.sockets.SendMessage(bobAtAnn, DefiChat("hello Bob"));
    QTRY_COMPARE(bob.chats.size(), size_t{1});
    QVERIFY(bob.chats[0].ends_with("Receive on Sock" + std::to_string(bobsSlot) + " from Ann: hello Bob"));

    // A move outside a challenge is dropped; inside one it arrives. The chat behind it says
    // that Bob has read the move.
    ann.sockets.SendToAll(DefiMoveMessage("Ann", 40, 7, 1));
    ann.sockets.SendMessage(bobAtAnn, DefiChat("after the move"));
    QTRY_COMPARE(bob.chats.size(), size_t{2});
    QVERIFY(bob.moves.empty());
    bob.running = true;
    ann.sockets.SendToAll(DefiMoveMessage("Ann", 40, 7, 1));
    QTRY_COMPARE(bob.moves.size(), size_t{1});
    QCOMPARE(bob.moves[0].Cell, 40);

    // Ann leaves: Bob's player is unbound.
    ann.sockets.FreeSlot(ann.players.At(bobAtAnn).Slot);
    QTRY_COMPARE(bob.players.At(annAtBob).Slot, -1);
    QCOMPARE(bob.players.At(annAtBob).Connected, 0);
  }

  void aStrangersHelloIsRefused() {
    Peer ann("Ann");
    Peer bob("Bob");
    QVERIFY(ann.sockets.StartListen(0));
    QVERIFY(bob.sockets.StartListen(0));
    const int bobAtAnn = ann.Knows("Bob", bob.sockets.ListenPort()); // Bob does not know Ann
    QVERIFY(ann.sockets.ConnectPlayer(bobAtAnn) >= 0);
    QTRY_VERIFY(std::find(bob.said.begin(), bob.said.end(), "Reserved Socket 0") != bob.said.end());
    QTRY_COMPARE(bob.sockets.OpenSlots(), 0);
  }

  void nothingListensWhileDisabledAndAnUnknownHostIsSaid() {
    Peer ann("Ann");
    ann.disabled = true;
    QVERIFY(!ann.sockets.StartListen(0));
    QVERIFY(!ann.sockets.Listening());
    ann.disabled = false;
    DefiPlayerRecord nowhere;
    nowhere.Name = "Zed";
    nowhere.Address = "no-such-host.invalid";
    const int zed = *ann.players.Add(nowhere);
    QCOMPARE(ann.sockets.ConnectPlayer(zed), -1);
    QCOMPARE(ann.said.back(),
             std::string("Error connection Player Zed: Host no-such-host.invalid not recognise"));
  }
};

namespace {

// A raw caller of Bob's port, writing what the test says.
std::unique_ptr<QTcpSocket> Call(int port) {
  auto socket = std::make_unique<QTcpSocket>();
  socket->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
  return socket;
}

// How long an event may take to come on a machine kept busy: the waits end when it comes.
constexpr int kLoadedMachineMs = 20000;

bool Said(const Peer &peer, const std::string &line) {
  return std::find(peer.said.begin(), peer.said.end(), line) != peer.said.end();
}

} // namespace

class DefiHostilePeersTest : public QObject {
  Q_OBJECT

private slots:
  void aFloodBeforeTheHelloIsCutShortAndShownNowhere() {
    Peer bob("Bob");
    QVERIFY(bob.sockets.StartListen(0));
    auto flood = Call(bob.sockets.ListenPort());
    QVERIFY(flood->waitForConnected(2000));
    // A chat line before any hello is nobody's: it is not shown.
    flood->write("Chello");
    QTest::qWait(3 * kDefiQuietMs);
    QVERIFY(bob.chats.empty());
    flood->write(QByteArray(1 << 20, 'C'));
    QTRY_VERIFY_WITH_TIMEOUT(Said(bob, "Sock0 freed: no hello"), kLoadedMachineMs);
    QTRY_COMPARE(bob.sockets.OpenSlots(), 0);
    QVERIFY(bob.chats.empty());
  }

  void silentCallersGiveTheirSlotsBack() {
    Peer bob("Bob");
    Peer ann("Ann");
    QVERIFY(bob.sockets.StartListen(0));
    QVERIFY(ann.sockets.StartListen(0));
    std::vector<std::unique_ptr<QTcpSocket>> silent;
    for (int i = 0; i < kMostDefiCallersPerAddress; ++i)
      silent.push_back(Call(bob.sockets.ListenPort()));
    QTRY_COMPARE_WITH_TIMEOUT(bob.sockets.OpenSlots(), kMostDefiCallersPerAddress, kLoadedMachineMs);
    // The silent ones have had their time: every slot is free again, and Ann gets in.
    QTRY_COMPARE_WITH_TIMEOUT(bob.sockets.OpenSlots(), 0, kDefiHelloMs + kLoadedMachineMs);
    const int annAtBob = bob.Knows("Ann", ann.sockets.ListenPort());
    const int bobAtAnn = ann.Knows("Bob", bob.sockets.ListenPort());
    QVERIFY(ann.sockets.ConnectPlayer(bobAtAnn) >= 0);
    QTRY_COMPARE(bob.players.At(annAtBob).Connected, 1);
  }

  // Bob waits longer than the test for a quiet stream: every message here ends by what follows
  // it, so that no pause of a loaded machine ends one early.
  void messagesCutAcrossReadsArriveWhole() {
    constexpr int kNeverQuiet = 3600 * 1000;
    constexpr int kReadApartMs = 20; // most often Bob reads the first part on its own
    Peer bob("Bob", kNeverQuiet);
    bob.running = true;
    QVERIFY(bob.sockets.StartListen(0));
    bob.Knows("Ann", 1);
    auto ann = Call(bob.sockets.ListenPort());
    QVERIFY(ann->waitForConnected(2000));
    ann->write(">>>>>Ann>>>>>Bob");
    QTRY_COMPARE(bob.players.At(0).Connected, 1);
    const QByteArray grid = "GQuorbel Mode Texte\r\n4\r\n;Start Save Grid0\r\n1\r\n0\r\n";
    ann->write(grid.left(9));
    ann->flush();
    QTest::qWait(kReadApartMs);
    ann->write(grid.mid(9) + "S|Cup" + QByteArray::fromStdString(DefiStandingsMessage({})));
    QTRY_COMPARE(bob.starts, 1);
    QCOMPARE(bob.grids, std::vector<std::string>{grid.mid(1).toStdString()});
    // A move whose last digit comes late is the move with that digit.
    ann->write("V|Ann|4|2|1");
    ann->flush();
    QTest::qWait(kReadApartMs);
    ann->write("3Y");
    QTRY_COMPARE(bob.moves.size(), size_t{1});
    QCOMPARE(bob.moves[0].Kind, 13);
    // A message that never ends costs the peer its link.
    ann->write("C" + QByteArray(kMostDefiLine + 10, 'x'));
    QTRY_VERIFY(Said(bob, "Sock0 freed: message from Ann too long"));
    QTRY_COMPARE(bob.players.At(0).Slot, -1);
  }
};

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  DefiSocketsTest peers;
  DefiHostilePeersTest hostile;
  return QTest::qExec(&peers, argc, argv) | QTest::qExec(&hostile, argc, argv);
}

#include "defi_sockets_test.moc"
