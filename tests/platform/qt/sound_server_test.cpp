// A sound server that takes the connection and never answers: the check gives up on it within
// its limit, and the sound device then never asks Qt, which would wait on it without end.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/qt/qt_audio_output.h"
#include "platform/qt/sound_server.h"

using namespace quorbel;

namespace {

struct SilentSource : AudioSource {
  size_t Pull(int16_t *samples, size_t frames) override {
    std::fill(samples, samples + frames * 2, int16_t{0});
    return frames;
  }
};

// Listens and never accepts: the kernel completes each connection, and nothing ever answers.
class WedgedServer {
public:
  explicit WedgedServer(const QString &path) {
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = path.toLocal8Bit();
    std::copy_n(name.constData(), std::min<size_t>(name.size(), sizeof address.sun_path - 1),
                address.sun_path);
    listening_ = fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
                 ::listen(fd_, 16) == 0;
  }
  ~WedgedServer() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  bool Listening() const { return listening_; }
  // The connections made so far.
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

} // namespace

class SoundServerTest : public QObject {
  Q_OBJECT

private slots:
  void aServerThatNeverAnswersCountsAsNoneAndQtIsNeverAsked() {
    QTemporaryDir dir;
    WedgedServer server(dir.path() + "/native");
    QVERIFY(server.Listening());
    qputenv("PULSE_SERVER", ("unix:" + dir.path() + "/native").toUtf8());
    SoundServerCheck check(300);
    int told = 0;
    QObject context;
    check.WhenKnown(&context, [&] { ++told; });
    QVERIFY(QTest::qWaitFor([&] { return told > 0; }, 20000));
    QCOMPARE(CurrentSoundServerState(), SoundServerState::Silent);
    QCOMPARE(server.Connections(), 1);

    SilentSource source;
    QtAudioOutput output;
    QVERIFY(!output.Open({44100, 2}, source));
    QCOMPARE(server.Connections(), 0);
    // Known now: told at once.
    check.WhenKnown(&context, [&] { ++told; });
    QCOMPARE(told, 2);
  }
};

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  SoundServerTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "sound_server_test.moc"
