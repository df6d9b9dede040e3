// The challenge's sockets: a server on the challenge port for the players who call us, and one
// socket a slot (100 slots) for each player we call or who called us. Messages go out whole,
// one write each, and are framed whole on receipt (net/defi_framer.h) before they are read. A
// caller has a few seconds and a few hundred bytes to say its hello. All on the user-interface
// thread; a socket is deleted only once its own signal has returned.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTcpServer>
#include <QTimer>
#include <array>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

#include "net/caller_tally.h"
#include "net/defi_framer.h"
#include "net/defi_players.h"
#include "net/defi_protocol.h"

class QTcpSocket;

namespace quorbel {

// Qt's socket errors in the codes the challenge's messages name (-1 for an unknown one).
int SocketErrorCodeOf(QAbstractSocket::SocketError error);

inline constexpr int kDefiSlots = 100;
inline constexpr int kDefaultDefiPort = 11078;
// How long a caller may stay without its hello, and how long a stream may pause inside a
// message whose end the wire does not mark.
inline constexpr int kDefiHelloMs = 5000;
inline constexpr int kDefiQuietMs = 60;
// Callers from one address yet to say their hello: beyond this the oldest of them goes, so that
// a flood of silent connections holds few slots and a player calling from there still gets in.
inline constexpr int kMostDefiCallersPerAddress = 4;

// What the sockets need of the challenge: its players, and what to do with what arrives.
class DefiSocketHost {
public:
  virtual ~DefiSocketHost() = default;
  virtual void Inform(const std::string &line) = 0; // a line of the message panel, plain
  virtual DefiPlayerList &Players() = 0;
  virtual std::string OwnName() const = 0;
  virtual bool Disabled() const = 0;         // DEFIINHIBIT
  virtual bool ChallengeRunning() const = 0; // the challenge mode
  // A player of the challenge in play: while his link is open it stays his, and a second hello
  // in his name is refused.
  virtual bool Seated(const std::string & /*name*/) const { return false; }
  virtual void PlayersChanged() = 0;
  virtual void ChatReceived(const std::string &line) = 0;
  // From a player bound to its socket (`from`, the hello's name); grids and moves only while a
  // challenge runs.
  virtual void GridReceived(const std::string &from, const std::string &file) = 0;
  virtual void MoveReceived(const std::string &from, const DefiMove &move) = 0;
  virtual void StartReceived(const std::string &from) = 0;
  virtual void ReadyReceived() = 0;
  virtual void StandingsReceived(const std::string & /*from*/, const DefiStandings & /*standings*/) {}
};

class DefiSockets : public QObject {
  Q_OBJECT
public:
  // `quietMs`: how long a stream may pause inside a message whose end the wire does not mark.
  explicit DefiSockets(DefiSocketHost &host, int quietMs = kDefiQuietMs, QObject *parent = nullptr);
  ~DefiSockets() override;

  // (Re)starts listening on `port` (a port outside 0..65535 is the default one); every slot is
  // freed first. False, with the reason said, when it cannot listen; nothing when disabled.
  bool StartListen(int port);
  void StopListen();
  bool Listening() const { return server_.isListening(); }
  int ListenPort() const { return server_.isListening() ? server_.serverPort() : -1; }

  // Calls player `index` at its address and port, the hello queued; its slot or -1.
  int ConnectPlayer(int index);
  // Sends to the player of that index through the slot bound to its name; the slot or -1.
  int SendMessage(int index, std::string_view text);
  // To every other player with an open socket.
  int SendToAll(std::string_view text);
  // Through the slot bound to that name; the slot or -1.
  int SendToName(std::string_view name, std::string_view text);
  // "G" and the file, when the file holds at most 8192 bytes.
  bool SendGridFile(int index, const std::string &path);
  void FreeSlot(int slot);
  int SlotOfName(std::string_view name) const;
  // The player of that name holds an open socket.
  bool Reachable(std::string_view name) const;
  std::string PeerName(int slot) const;
  int OpenSlots() const;

private:
  struct Slot {
    QTcpSocket *Socket = nullptr;
    std::string PeerName;
    std::deque<std::pair<int, std::string>> Queue;
    DefiFramer Framer;
    bool Caller = false; // accepted: no message but a hello until it has said one
    bool Untold = false; // one more caller of a run from its address: its coming and going unsaid
    QTimer *Quiet = nullptr;
    QTimer *HelloDue = nullptr;
    uint64_t Serial = 0; // tells a slot from a later one of the same number
  };

  int ReserveSlot(bool tell = true);
  // The hello's caller binds the slot to his player, unless the hello is refused (said).
  void TakeHello(int slot, const std::string &caller);
  void SayPausedRuns();
  // Frees the oldest caller yet to say its hello (from `address` only, unless it is null) when
  // `most` or more such callers hold slots; true when one went.
  bool FreeOldestCaller(const QHostAddress &address, int most);
  void Watch(int slot);
  void OnAccept();
  void OnConnected(int slot);
  void OnReceive(int slot);
  void TakeMessages(int slot, bool quiet);
  bool Alive(int slot, uint64_t serial) const;
  // `step` on the slot once the events waiting have run, if the slot is still that one.
  void Later(int slot, uint64_t serial, void (DefiSockets::*step)(int));
  void Closed(int slot);
  void Drop(int slot);
  void Handle(int slot, std::string_view chunk);
  bool BoundPlayer(int slot) const;
  bool Open(int slot) const;
  bool Write(int slot, std::string_view text);
  std::string ErrorText(const QTcpSocket *socket) const;

  DefiSocketHost &host_;
  QTcpServer server_;
  std::array<std::unique_ptr<Slot>, kDefiSlots> slots_;
  uint64_t serials_ = 0;
  int quietMs_;
  CallerTally callers_;
  QElapsedTimer clock_;
  QTimer runs_; // says the runs of callers that paused
};

} // namespace quorbel
