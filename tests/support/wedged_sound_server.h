// A sound server that takes connections and never answers: it listens and never accepts, so the
// kernel completes each connection and nothing ever replies.
#pragma once

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace quorbel::testing {

class WedgedSoundServer {
public:
  explicit WedgedSoundServer(const QString &path) {
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = path.toLocal8Bit();
    std::copy_n(name.constData(), std::min<size_t>(name.size(), sizeof address.sun_path - 1),
                address.sun_path);
    listening_ = fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
                 ::listen(fd_, 16) == 0;
  }
  ~WedgedSoundServer() {
    for (const int client : clients_)
      ::close(client);
    if (fd_ >= 0)
      ::close(fd_);
  }
  WedgedSoundServer(const WedgedSoundServer &) = delete;
  WedgedSoundServer &operator=(const WedgedSoundServer &) = delete;

  bool Listening() const { return listening_; }
  // The connections made since the last call.
  int Connections() {
    int count = 0;
    while (true) {
      const int client = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
      if (client < 0)
        return count;
      clients_.push_back(client);
      ++count;
    }
  }

private:
  int fd_ = -1;
  bool listening_ = false;
  std::vector<int> clients_;
};

} // namespace quorbel::testing
