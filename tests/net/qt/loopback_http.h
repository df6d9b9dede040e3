// A loopback HTTP/1.1 server for the tests: each whole request (its headers, then the body its
// Content-Length announces) is answered with the responder's page, and the connection closes.
#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

namespace quorbel::testing {

class LoopbackHttp {
public:
  using Responder = std::function<QByteArray(const QByteArray &request)>;

  explicit LoopbackHttp(Responder respond) : respond_(std::move(respond)) {
    server_.listen(QHostAddress::LocalHost);
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
      QTcpSocket *client = server_.nextPendingConnection();
      auto *request = new QByteArray;
      QObject::connect(client, &QObject::destroyed, client, [request] { delete request; });
      QObject::connect(client, &QTcpSocket::readyRead, client, [this, client, request] {
        *request += client->readAll();
        if (!Whole(*request))
          return; // the rest is on its way
        const QByteArray page = respond_(*request);
        client->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                      QByteArray::number(page.size()) + "\r\nConnection: close\r\n\r\n" + page);
        client->disconnectFromHost();
      });
    });
  }

  bool Listening() const { return server_.isListening(); }
  quint16 Port() const { return server_.serverPort(); }
  QString Root() const { return QStringLiteral("http://127.0.0.1:%1").arg(Port()); }

  static QByteArray Body(const QByteArray &request) { return request.mid(request.indexOf("\r\n\r\n") + 4); }

private:
  static bool Whole(const QByteArray &request) {
    const qsizetype headersEnd = request.indexOf("\r\n\r\n");
    if (headersEnd < 0)
      return request.contains("\n\n"); // the connect service ends its lines with "\n" alone
    const qsizetype length = request.indexOf("Content-Length: ");
    if (length < 0 || length > headersEnd)
      return true;
    const qsizetype valueEnd = request.indexOf('\r', length);
    return request.size() - headersEnd - 4 >= request.mid(length + 16, valueEnd - length - 16).toInt();
  }

  QTcpServer server_;
  Responder respond_;
};

} // namespace quorbel::testing
