#include "net/qt/page_reader.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace quorbel {

std::optional<QByteArray> ReadPage(const QUrl &url, int timeoutMs) {
  if (!url.isValid() || url.scheme().isEmpty())
    return std::nullopt;
  QNetworkAccessManager manager;
  QNetworkRequest request(url);
  request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Quorbel"));
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  QNetworkReply *reply = manager.get(request);
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

} // namespace quorbel
