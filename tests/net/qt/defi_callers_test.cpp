// Who holds the challenge's slots: a flood of silent callers from one address keeps a listed
// player out no longer and is said once with its count, and a player whose link dies leaves the
// players to deal in.
#include <QHostAddress>
#include <QTcpSocket>
#include <QtTest>
#include <memory>

#include "net/qt/defi_sockets.h"
#include "tests/net/qt/quiet_socket_host.h"

using namespace quorbel;

namespace {

class Ann : public testing::QuietSocketHost {
public:
  Ann() : QuietSocketHost("Ann"), sockets(*this) {
    DefiPlayerRecord bob;
    bob.Name = "Bob";
    bob.Remote = 1;
    bob.Connected = 1;
    known.Add(bob);
  }
  void Inform(const std::string &line) override {
    reserved += line.starts_with("Reserved Socket");
    freed += line.ends_with("freed: no hello");
    said.push_back(line);
  }

  int reserved = 0;
  int freed = 0;
  std::vector<std::string> said;
  DefiSockets sockets;
};

std::unique_ptr<QTcpSocket> Call(int port) {
  auto socket = std::make_unique<QTcpSocket>();
  socket->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
  return socket;
}

} // namespace

class DefiCallersTest : public QObject {
  Q_OBJECT

private slots:
  void aFloodOfSilentCallersLeavesRoomForAPlayer() {
    Ann ann;
    QVERIFY(ann.sockets.StartListen(0));
    std::vector<std::unique_ptr<QTcpSocket>> flood;
    for (int i = 0; i < kDefiSlots; ++i)
      flood.push_back(Call(ann.sockets.ListenPort()));
    QTRY_VERIFY_WITH_TIMEOUT(!ann.said.empty() &&
                                 ann.said.back() == "Defi: 99 more connections from 127.0.0.1",
                             5000 + kCallerRunPauseMs);
    QCOMPARE(ann.reserved, 1);
    QCOMPARE(ann.freed, 1); // the first caller's going, not the others'

    QVERIFY(ann.sockets.OpenSlots() <= kMostDefiCallersPerAddress);
    std::unique_ptr<QTcpSocket> bob = Call(ann.sockets.ListenPort());
    QVERIFY(bob->waitForConnected(5000));
    bob->write(">>>>>Bob>>>>>Ann");
    QTRY_VERIFY(ann.known.At(0).Slot >= 0);
  }

  void aPlayerWhoseLinkDiesIsNoLongerConnected() {
    Ann ann;
    QVERIFY(ann.sockets.StartListen(0));
    std::unique_ptr<QTcpSocket> bob = Call(ann.sockets.ListenPort());
    QVERIFY(bob->waitForConnected(5000));
    bob->write(">>>>>Bob>>>>>Ann");
    QTRY_VERIFY(ann.known.At(0).Slot >= 0);
    bob->abort(); // killed: no "bye"
    QTRY_COMPARE(ann.known.At(0).Connected, 0);
    QCOMPARE(ann.known.At(0).Slot, -1);
  }
};

QTEST_MAIN(DefiCallersTest)
#include "defi_callers_test.moc"
