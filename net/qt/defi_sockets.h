// The challenge's sockets: a server on the challenge port for the players who call us, and one
// socket a slot (100 slots) for each player we call or who called us. Messages go out whole,
// one write each; a received chunk is one message. All on the user-interface thread.
#pragma once

#include <QObject>
#include <QTcpServer>
#include <array>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

#include "net/defi_players.h"
#include "net/defi_protocol.h"

class QTcpSocket;

namespace quorbel {

// Qt's socket errors in the codes the challenge's messages name (-1 for an unknown one).
int SocketErrorCodeOf(QAbstractSocket::SocketError error);

inline constexpr int kDefiSlots = 100;
inline constexpr int kDefaultDefiPort = 11078;

// What the sockets need of the challenge: its players, and what to do with what arrives.
class DefiSocketHost {
public:
  virtual ~DefiSocketHost() = default;
  virtual void Inform(const std::string &line) = 0; // a line of the message panel, plain
  virtual DefiPlayerList &Players() = 0;
  virtual std::string OwnName() const = 0;
  virtual bool Disabled() const = 0;         // DEFIINHIBIT
  virtual bool ChallengeRunning() const = 0; // the challenge mode
  virtual void PlayersChanged() = 0;
  virtual void ChatReceived(const std::string &line) = 0;
  // From a player bound to its socket, while a challenge runs.
  virtual void GridReceived(const std::string &file) = 0;
  virtual void MoveReceived(const DefiMove &move) = 0;
  virtual void StartReceived() = 0;
  virtual void ReadyReceived() = 0;
};

class DefiSockets : public QObject {
  Q_OBJECT
public:
  explicit DefiSockets(DefiSocketHost &host, QObject *parent = nullptr);
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
  // "G" and the file, when the file holds at most 8192 bytes.
  bool SendGridFile(int index, const std::string &path);
  void FreeSlot(int slot);
  int SlotOfName(std::string_view name) const;
  std::string PeerName(int slot) const;
  int OpenSlots() const;

private:
  struct Slot {
    QTcpSocket *Socket = nullptr;
    std::string PeerName;
    std::deque<std::pair<int, std::string>> Queue;
  };

  int ReserveSlot();
  void Watch(int slot);
  void OnAccept();
  void OnConnected(int slot);
  void OnReceive(int slot);
  void Closed(int slot);
  void Handle(int slot, std::string_view chunk);
  bool BoundPlayer(int slot) const;
  bool Open(int slot) const;
  bool Write(int slot, std::string_view text);
  std::string ErrorText(const QTcpSocket *socket) const;

  DefiSocketHost &host_;
  QTcpServer server_;
  std::array<std::unique_ptr<Slot>, kDefiSlots> slots_;
};

} // namespace quorbel
