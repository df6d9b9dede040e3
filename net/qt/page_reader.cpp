#include "net/qt/page_reader.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace quorbel {

namespace {

// Waits for the reply with the events running, taking its bytes as they come so that a page
// larger than any site serves is dropped as soon as it shows it; none when it failed, timed
// out, was too large or the program closes.
std::optional<QByteArray> Wait(QNetworkReply *reply, int timeoutMs, bool &tooLarge) {
  tooLarge = false;
  QByteArray page;
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  const auto refuse = [&] {
    tooLarge = true;
    page.clear();
    loop.quit();
  };
  const auto take = [&] {
    if (tooLarge)
      return;
    if (reply->bytesAvailable() > kMostPageBytes - page.size())
      return refuse();
    page += reply->readAll();
  };
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
    if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > kMostPageBytes)
      refuse();
  });
  QObject::connect(reply, &QNetworkReply::readyRead, &loop, take);
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
  timer.start(timeoutMs);
  if (!reply->isFinished())
    loop.exec();
  take();
  std::optional<QByteArray> result;
  if (!tooLarge && reply->isFinished() && reply->error() == QNetworkReply::NoError)
    result = std::move(page);
  else
    reply->abort();
  reply->deleteLater();
  return result;
}

QNetworkRequest Request(const QUrl &url) {
  QNetworkRequest request(url);
  request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Quorbel"));
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  return request;
}

bool Usable(const QUrl &url) { return url.isValid() && !url.scheme().isEmpty(); }

} // namespace

std::optional<QByteArray> ReadPage(const QUrl &url, int timeoutMs, bool *tooLarge) {
  WebSession session;
  std::optional<QByteArray> page = session.Get(url, timeoutMs);
  if (tooLarge)
    *tooLarge = session.LastPageTooLarge();
  return page;
}

struct WebSession::Impl {
  QNetworkAccessManager manager;
  bool lastTooLarge = false;
};

WebSession::WebSession() : impl_(std::make_unique<Impl>()) {}
WebSession::~WebSession() = default;

bool WebSession::LastPageTooLarge() const { return impl_->lastTooLarge; }

std::optional<QByteArray> WebSession::Get(const QUrl &url, int timeoutMs) {
  impl_->lastTooLarge = false;
  if (!Usable(url))
    return std::nullopt;
  return Wait(impl_->manager.get(Request(url)), timeoutMs, impl_->lastTooLarge);
}

std::optional<QByteArray> WebSession::Post(const QUrl &url, const QByteArray &body, int timeoutMs) {
  impl_->lastTooLarge = false;
  if (!Usable(url))
    return std::nullopt;
  QNetworkRequest request = Request(url);
  request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
  return Wait(impl_->manager.post(request, body), timeoutMs, impl_->lastTooLarge);
}

} // namespace quorbel
