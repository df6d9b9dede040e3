#include "net/qt/defi_sockets.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QTcpSocket>
#include <QTime>

#include "net/socket_errors.h"
#include "platform/printf_text.h"
#include "platform/regular_file.h"

namespace quorbel {

int SocketErrorCodeOf(QAbstractSocket::SocketError error) {
  switch (error) {
  case QAbstractSocket::ConnectionRefusedError:
    return kSocketRefused;
  case QAbstractSocket::RemoteHostClosedError:
    return kSocketConnectionReset;
  case QAbstractSocket::HostNotFoundError:
    return kSocketHostUnreachable;
  case QAbstractSocket::SocketAccessError:
    return kSocketAccess;
  case QAbstractSocket::SocketTimeoutError:
    return kSocketTimedOut;
  case QAbstractSocket::NetworkError:
    return kSocketNetworkDown;
  case QAbstractSocket::AddressInUseError:
    return kSocketAddressInUse;
  case QAbstractSocket::UnknownSocketError:
    return -1;
  default:
    return 10022; // an invalid argument, for the errors that have no code of their own
  }
}

namespace {

QByteArray Bytes(std::string_view text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

DefiSockets::DefiSockets(DefiSocketHost &host, int quietMs, QObject *parent)
    : QObject(parent), host_(host), quietMs_(quietMs) {
  server_.setMaxPendingConnections(5);
  connect(&server_, &QTcpServer::newConnection, this, &DefiSockets::OnAccept);
  clock_.start();
  runs_.setInterval(static_cast<int>(kCallerRunPauseMs / 2));
  connect(&runs_, &QTimer::timeout, this, &DefiSockets::SayPausedRuns);
}

void DefiSockets::SayPausedRuns() {
  for (const std::string &line : callers_.Paused(clock_.elapsed()))
    host_.Inform("Defi: " + line);
  if (!callers_.Waiting())
    runs_.stop();
}

DefiSockets::~DefiSockets() {
  for (int slot = 0; slot < kDefiSlots; ++slot)
    FreeSlot(slot);
  server_.close();
}

std::string DefiSockets::ErrorText(const QTcpSocket *socket) const {
  return SocketErrorText(socket ? SocketErrorCodeOf(socket->error()) : -1);
}

bool DefiSockets::Open(int slot) const {
  return slot >= 0 && slot < kDefiSlots && slots_[static_cast<size_t>(slot)] &&
         slots_[static_cast<size_t>(slot)]->Socket &&
         slots_[static_cast<size_t>(slot)]->Socket->state() == QAbstractSocket::ConnectedState;
}

bool DefiSockets::StartListen(int port) {
  if (host_.Disabled())
    return false;
  StopListen();
  if (port < 0 || port > 65535)
    port = kDefaultDefiPort;
  for (int slot = 0; slot < kDefiSlots; ++slot)
    FreeSlot(slot);
  DefiPlayerList &players = host_.Players();
  for (int i = 0; i < players.Count(); ++i)
    players.At(i).Slot = -1;
  if (!server_.listen(QHostAddress::AnyIPv4, static_cast<quint16>(port))) {
    const int code = server_.serverError() == QAbstractSocket::AddressInUseError
                         ? kSocketAddressInUse
                         : SocketErrorCodeOf(server_.serverError());
    host_.Inform(PrintfText("Error create SockR on Port %d : %s - Please Modify your port in Preference",
                            port, SocketErrorText(code).c_str()));
    return false;
  }
  return true;
}

void DefiSockets::StopListen() { server_.close(); }

int DefiSockets::ReserveSlot(bool tell) {
  for (int slot = 0; slot < kDefiSlots; ++slot)
    if (!slots_[static_cast<size_t>(slot)]) {
      auto entry = std::make_unique<Slot>();
      entry->Serial = ++serials_;
      const uint64_t serial = entry->Serial;
      entry->Quiet = new QTimer(this);
      entry->Quiet->setSingleShot(true);
      entry->Quiet->setInterval(quietMs_);
      connect(entry->Quiet, &QTimer::timeout, this, [this, slot, serial] {
        if (Alive(slot, serial))
          TakeMessages(slot, true);
      });
      entry->Untold = !tell;
      slots_[static_cast<size_t>(slot)] = std::move(entry);
      if (tell)
        host_.Inform(PrintfText("Reserved Socket %d", slot));
      return slot;
    }
  return -1;
}

bool DefiSockets::Alive(int slot, uint64_t serial) const {
  return slot >= 0 && slot < kDefiSlots && slots_[static_cast<size_t>(slot)] &&
         slots_[static_cast<size_t>(slot)]->Serial == serial;
}

void DefiSockets::Watch(int slot) {
  QTcpSocket *socket = slots_[static_cast<size_t>(slot)]->Socket;
  const uint64_t serial = slots_[static_cast<size_t>(slot)]->Serial;
  const auto closedLater = [this, slot, serial] { Later(slot, serial, &DefiSockets::Closed); };
  // Each message goes out at once, so that two are seldom read as one.
  socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  connect(socket, &QTcpSocket::readyRead, this, [this, slot] { OnReceive(slot); });
  connect(socket, &QTcpSocket::connected, this, [this, slot] { OnConnected(slot); });
  connect(socket, &QTcpSocket::errorOccurred, this,
          [this, slot, socket, closedLater](QAbstractSocket::SocketError error) {
            if (error == QAbstractSocket::RemoteHostClosedError || !slots_[static_cast<size_t>(slot)] ||
                slots_[static_cast<size_t>(slot)]->Socket != socket)
              return; // the disconnection says it, or the slot is gone
            Slot &entry = *slots_[static_cast<size_t>(slot)];
            if (!entry.Queue.empty()) { // the call never went through
              const DefiPlayerList &players = host_.Players();
              const int index = players.Find(entry.PeerName);
              const std::string address = index >= 0 ? players.At(index).Address : std::string();
              const int port = index >= 0 ? players.At(index).Port : 0;
              host_.Inform(PrintfText("Error connection Player %s: Not Connected on %s:%d-%s",
                                      entry.PeerName.c_str(), address.c_str(), port,
                                      ErrorText(socket).c_str()));
            } else {
              host_.Inform("Receive Socket Error");
            }
            closedLater();
          });
  connect(socket, &QTcpSocket::disconnected, this, closedLater);
}

// A socket the peer closed, or that failed: its slot is freed and its player holds none.
void DefiSockets::Closed(int slot) {
  if (!slots_[static_cast<size_t>(slot)] || Open(slot))
    return;
  // What came before the close is read first: the stream is over, so its last message is whole.
  Slot &entry = *slots_[static_cast<size_t>(slot)];
  const uint64_t serial = entry.Serial;
  if (entry.Socket && entry.Socket->bytesAvailable() > 0 && entry.Framer.Pending() <= kMostDefiLine)
    entry.Framer.Append(
        entry.Socket->read(static_cast<qint64>(kMostDefiLine + 1 - entry.Framer.Pending())).toStdString());
  if (entry.Framer.Pending() > 0 && entry.Framer.Pending() <= kMostDefiLine)
    TakeMessages(slot, true);
  if (Alive(slot, serial))
    Drop(slot);
}

// The slot goes, and the player it was bound to holds none.
void DefiSockets::Drop(int slot) {
  DefiPlayerList &players = host_.Players();
  for (int i = 0; i < players.Count(); ++i)
    if (players.At(i).Slot == slot) {
      players.At(i).Slot = -1;
      players.At(i).Connected = 0; // gone: the next challenge does not deal him in
    }
  FreeSlot(slot);
  host_.PlayersChanged();
}

void DefiSockets::OnAccept() {
  while (QTcpSocket *pending = server_.nextPendingConnection()) {
    FreeOldestCaller(pending->peerAddress(), kMostDefiCallersPerAddress);
    // A run of connections from one address is said once, with its count when it pauses.
    const bool tell = callers_.Arrived(pending->peerAddress().toString().toStdString(), clock_.elapsed());
    if (!runs_.isActive())
      runs_.start();
    int slot = ReserveSlot(tell);
    if (slot < 0 && FreeOldestCaller(QHostAddress(), 1))
      slot = ReserveSlot(tell);
    if (slot < 0) {
      // No slot to hold it: the caller is told at once.
      pending->abort();
      pending->deleteLater();
      host_.Inform("Error - No more free socket for Player connection");
      continue;
    }
    pending->setParent(this);
    Slot &entry = *slots_[static_cast<size_t>(slot)];
    entry.Socket = pending;
    entry.Caller = true;
    // A caller that never says who it is gives its slot back.
    entry.HelloDue = new QTimer(this);
    entry.HelloDue->setSingleShot(true);
    connect(entry.HelloDue, &QTimer::timeout, this, [this, slot, serial = entry.Serial] {
      if (!Alive(slot, serial) || !slots_[static_cast<size_t>(slot)]->Caller)
        return;
      if (!slots_[static_cast<size_t>(slot)]->Untold)
        host_.Inform(PrintfText("Sock%d freed: no hello", slot));
      FreeSlot(slot);
    });
    entry.HelloDue->start(kDefiHelloMs);
    Watch(slot);
    if (pending->bytesAvailable() > 0)
      OnReceive(slot);
  }
}

int DefiSockets::ConnectPlayer(int index) {
  DefiPlayerList &players = host_.Players();
  if (index < 0 || index >= players.Count())
    return -1;
  DefiPlayerRecord &player = players.At(index);
  QHostAddress address;
  if (!address.setAddress(QString::fromStdString(player.Address))) {
    const QHostInfo info = QHostInfo::fromName(QString::fromStdString(player.Address));
    for (const QHostAddress &found : info.addresses())
      if (found.protocol() == QAbstractSocket::IPv4Protocol) {
        address = found;
        break;
      }
  }
  if (address.isNull()) {
    host_.Inform(PrintfText("Error connection Player %s: Host %s not recognise", player.Name.c_str(),
                            player.Address.c_str()));
    return -1;
  }
  if (player.Slot >= 0) {
    FreeSlot(player.Slot);
    player.Slot = -1;
  }
  const int slot = ReserveSlot();
  if (slot < 0) {
    host_.Inform("Error - No more free socket for Player connection");
    return -1;
  }
  Slot &entry = *slots_[static_cast<size_t>(slot)];
  entry.Socket = new QTcpSocket(this);
  host_.Inform(PrintfText("Port Sock%d Created for Player %s", slot, player.Name.c_str()));
  entry.Queue.emplace_back(index, DefiHello(host_.OwnName(), player.Name));
  Watch(slot);
  entry.Socket->connectToHost(address, static_cast<quint16>(player.Port));
  host_.Inform(
      PrintfText("Player %s Connected on %s:%d", player.Name.c_str(), player.Address.c_str(), player.Port));
  player.Slot = slot;
  entry.PeerName = player.Name;
  return slot;
}

void DefiSockets::OnConnected(int slot) {
  if (!slots_[static_cast<size_t>(slot)])
    return;
  Slot &entry = *slots_[static_cast<size_t>(slot)];
  if (entry.Queue.empty())
    return;
  const auto [index, text] = entry.Queue.back();
  entry.Queue.pop_back();
  SendMessage(index, text);
}

bool DefiSockets::Write(int slot, std::string_view text) {
  QTcpSocket *socket = slots_[static_cast<size_t>(slot)]->Socket;
  const qint64 written = socket->write(Bytes(text));
  socket->flush();
  if (written != static_cast<qint64>(text.size())) {
    host_.Inform(PrintfText("Send Message Err: %s", ErrorText(socket).c_str()));
    return false;
  }
  return true;
}

bool DefiSockets::FreeOldestCaller(const QHostAddress &address, int most) {
  int callers = 0;
  int oldest = -1;
  for (int slot = 0; slot < kDefiSlots; ++slot) {
    const Slot *entry = slots_[static_cast<size_t>(slot)].get();
    if (!entry || !entry->Caller || !entry->Socket ||
        (!address.isNull() && !entry->Socket->peerAddress().isEqual(address)))
      continue;
    ++callers;
    if (oldest < 0 || entry->Serial < slots_[static_cast<size_t>(oldest)]->Serial)
      oldest = slot;
  }
  if (callers < most || oldest < 0)
    return false;
  if (!slots_[static_cast<size_t>(oldest)]->Untold)
    host_.Inform(PrintfText("Sock%d freed: no hello", oldest));
  FreeSlot(oldest);
  return true;
}

bool DefiSockets::Reachable(std::string_view name) const { return !name.empty() && Open(SlotOfName(name)); }

int DefiSockets::SlotOfName(std::string_view name) const {
  for (int slot = 0; slot < kDefiSlots; ++slot)
    if (slots_[static_cast<size_t>(slot)] && slots_[static_cast<size_t>(slot)]->PeerName == name)
      return slot;
  return -1;
}

std::string DefiSockets::PeerName(int slot) const {
  return slot >= 0 && slot < kDefiSlots && slots_[static_cast<size_t>(slot)]
             ? slots_[static_cast<size_t>(slot)]->PeerName
             : std::string();
}

int DefiSockets::OpenSlots() const {
  int open = 0;
  for (int slot = 0; slot < kDefiSlots; ++slot)
    open += Open(slot);
  return open;
}

int DefiSockets::SendMessage(int index, std::string_view text) {
  DefiPlayerList &players = host_.Players();
  if (index < 0 || index >= players.Count())
    return -1;
  const int slot = SlotOfName(players.At(index).Name);
  if (!Open(slot))
    return -1;
  Write(slot, text);
  return slot;
}

int DefiSockets::SendToName(std::string_view name, std::string_view text) {
  const int slot = SlotOfName(name);
  if (name.empty() || !Open(slot))
    return -1;
  Write(slot, text);
  return slot;
}

int DefiSockets::SendToAll(std::string_view text) {
  DefiPlayerList &players = host_.Players();
  const std::string own = host_.OwnName();
  for (int i = 0; i < players.Count(); ++i)
    if (players.At(i).Name != own)
      SendMessage(i, text);
  return 1;
}

bool DefiSockets::SendGridFile(int index, const std::string &path) {
  const RegularFileText file = ReadRegularFileText(path, kMostDefiMessage);
  if (!file.Ok)
    return false;
  const std::optional<std::string> message = DefiGridMessage(file.Text);
  return message && SendMessage(index, *message) >= 0;
}

void DefiSockets::FreeSlot(int slot) {
  if (slot < 0 || slot >= kDefiSlots || !slots_[static_cast<size_t>(slot)])
    return;
  std::unique_ptr<Slot> entry = std::move(slots_[static_cast<size_t>(slot)]);
  // Timers and socket may be the ones whose signal runs now: they go once it has returned.
  for (QTimer *timer : {entry->Quiet, entry->HelloDue})
    if (timer) {
      timer->disconnect(this);
      timer->stop();
      timer->deleteLater();
    }
  if (QTcpSocket *socket = entry->Socket) {
    socket->disconnect(this);
    if (socket->state() == QAbstractSocket::ConnectedState) {
      socket->write(Bytes(kDefiBye));
      socket->flush();
      socket->disconnectFromHost();
    } else {
      socket->abort();
    }
    socket->deleteLater();
  }
}

bool DefiSockets::BoundPlayer(int slot) const {
  const DefiPlayerList &players = host_.Players();
  const int index = players.Find(PeerName(slot));
  return index >= 0 && players.At(index).Slot == slot;
}

void DefiSockets::OnReceive(int slot) {
  if (!slots_[static_cast<size_t>(slot)])
    return;
  Slot &entry = *slots_[static_cast<size_t>(slot)];
  const uint64_t serial = entry.Serial;
  // Never more than one message may hold, so a stream without an end costs little.
  const size_t most = entry.Caller ? kMostDefiHello : kMostDefiLine + 1;
  const size_t room = most > entry.Framer.Pending() ? most - entry.Framer.Pending() : 0;
  const QByteArray bytes = entry.Socket->read(static_cast<qint64>(room));
  entry.Framer.Append(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  TakeMessages(slot, false);
  if (!Alive(slot, serial))
    return;
  if (entry.Framer.Pending() >= most) {
    if (!entry.Caller)
      host_.Inform(PrintfText("Sock%d freed: message from %s too long", slot, entry.PeerName.c_str()));
    else if (!entry.Untold)
      host_.Inform(PrintfText("Sock%d freed: no hello", slot));
    Drop(slot);
    return;
  }
  if (entry.Socket->bytesAvailable() > 0)
    Later(slot, serial, &DefiSockets::OnReceive);
}

void DefiSockets::Later(int slot, uint64_t serial, void (DefiSockets::*step)(int)) {
  QMetaObject::invokeMethod(
      this,
      [this, slot, serial, step] {
        if (Alive(slot, serial))
          (this->*step)(slot);
      },
      Qt::QueuedConnection);
}

// Every whole message waiting, each read only once the one before it is done with.
void DefiSockets::TakeMessages(int slot, bool quiet) {
  const uint64_t serial = slots_[static_cast<size_t>(slot)]->Serial;
  const std::string own = host_.OwnName();
  while (Alive(slot, serial)) {
    Slot &entry = *slots_[static_cast<size_t>(slot)];
    const std::optional<std::string> message = entry.Framer.Next(own, quiet);
    if (!message)
      break;
    Handle(slot, *message);
  }
  if (!Alive(slot, serial))
    return;
  Slot &entry = *slots_[static_cast<size_t>(slot)];
  if (entry.Framer.Pending() > 0)
    entry.Quiet->start();
  else
    entry.Quiet->stop();
}

void DefiSockets::TakeHello(int slot, const std::string &caller) {
  DefiPlayerList &players = host_.Players();
  Slot &entry = *slots_[static_cast<size_t>(slot)];
  // Nobody else may speak for the player at this computer.
  if (caller == host_.OwnName()) {
    host_.Inform(PrintfText("Defi: Sock%d refused: a hello in your own name, %s", slot, caller.c_str()));
    FreeSlot(slot);
    return;
  }
  const int index = IsDefiPlayerName(caller) ? players.Find(caller) : -1;
  if (index < 0) {
    FreeSlot(slot); // nobody of that name plays with us
    return;
  }
  DefiPlayerRecord &player = players.At(index);
  // Nor, in a challenge in play, for one of its players whose link is still open: he would take
  // that player's place.
  if (host_.Seated(caller) && player.Slot >= 0 && player.Slot != slot && Open(player.Slot)) {
    host_.Inform(PrintfText("Defi: Sock%d refused: a second hello as %s, whose link is open "
                            "while the challenge is played",
                            slot, caller.c_str()));
    FreeSlot(slot);
    return;
  }
  entry.PeerName = caller;
  entry.Caller = false;
  if (entry.HelloDue)
    entry.HelloDue->stop();
  if (player.Slot >= 0 && player.Slot != slot)
    FreeSlot(player.Slot);
  player.Slot = slot;
  player.Connected = 1;
  host_.PlayersChanged();
}

void DefiSockets::Handle(int slot, std::string_view chunk) {
  DefiPlayerList &players = host_.Players();
  const DefiMessage message = ParseDefiMessage(chunk);
  Slot &entry = *slots_[static_cast<size_t>(slot)];
  if (entry.Caller && message.Kind != DefiMessageKind::Hello)
    return; // a caller is nobody until its hello
  switch (message.Kind) {
  case DefiMessageKind::Hello:
    TakeHello(slot, message.Caller);
    return;
  case DefiMessageKind::Bye: {
    const int index = players.Find(entry.PeerName);
    // Only the player's own socket may end its link.
    if (index >= 0 && players.At(index).Slot == slot) {
      players.At(index).Slot = -1;
      players.At(index).Connected = 0;
      FreeSlot(slot);
      host_.PlayersChanged();
    }
    return;
  }
  case DefiMessageKind::Chat: {
    const QTime now = QTime::currentTime();
    host_.ChatReceived(PrintfText("(%d:%d:%d) Receive on Sock%d from %s: ", now.hour(), now.minute(),
                                  now.second(), slot, entry.PeerName.c_str()) +
                       message.Body);
    return;
  }
  case DefiMessageKind::Grid:
    if (BoundPlayer(slot) && host_.ChallengeRunning())
      host_.GridReceived(entry.PeerName, message.Body);
    return;
  case DefiMessageKind::Start:
    if (BoundPlayer(slot))
      host_.StartReceived(entry.PeerName);
    return;
  case DefiMessageKind::Move:
    if (message.Move && BoundPlayer(slot) && host_.ChallengeRunning())
      host_.MoveReceived(entry.PeerName, *message.Move);
    return;
  case DefiMessageKind::Standings:
    if (message.Standings && BoundPlayer(slot) && host_.ChallengeRunning())
      host_.StandingsReceived(entry.PeerName, *message.Standings);
    return;
  case DefiMessageKind::Ready:
    if (BoundPlayer(slot))
      host_.ReadyReceived();
    return;
  case DefiMessageKind::Other:
    return;
  }
}

} // namespace quorbel
