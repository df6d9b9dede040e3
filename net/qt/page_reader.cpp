#include "net/qt/page_reader.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace quorbel {

namespace {

// Waits for the reply with the events running; none when it failed, timed out or the program closes.
std::optional<QByteArray> Wait(QNetworkReply *reply, int timeoutMs) {
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
  timer.start(timeoutMs);
  if (!reply->isFinished())
    loop.exec();
  std::optional<QByteArray> page;
  if (reply->isFinished() && reply->error() == QNetworkReply::NoError)
    page = reply->readAll();
  else
    reply->abort();
  reply->deleteLater();
  return page;
}

QNetworkRequest Request(const QUrl &url) {
  QNetworkRequest request(url);
  request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Quorbel"));
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  return request;
}

bool Usable(const QUrl &url) { return url.isValid() && !url.scheme().isEmpty(); }

} // namespace

std::optional<QByteArray> ReadPage(const QUrl &url, int timeoutMs) {
  WebSession session;
  return session.Get(url, timeoutMs);
}

struct WebSession::Impl {
  QNetworkAccessManager manager;
};

WebSession::WebSession() : impl_(std::make_unique<Impl>()) {}
WebSession::~WebSession() = default;

std::optional<QByteArray> WebSession::Get(const QUrl &url, int timeoutMs) {
  if (!Usable(url))
    return std::nullopt;
  return Wait(impl_->manager.get(Request(url)), timeoutMs);
}

std::optional<QByteArray> WebSession::Post(const QUrl &url, const QByteArray &body, int timeoutMs) {
  if (!Usable(url))
    return std::nullopt;
  QNetworkRequest request = Request(url);
  request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
  return Wait(impl_->manager.post(request, body), timeoutMs);
}

} // namespace quorbel
