// One web page read while the program goes on: events are pumped until the page is in, the
// time is up or the program closes.
#pragma once

#include <QByteArray>
#include <QUrl>
#include <memory>
#include <optional>

#include "net/page_limit.h"

namespace quorbel {

inline constexpr int kPageTimeoutMs = 15000;

// The page's bytes; none when it could not be read in time or is larger than kMostPageBytes,
// which `tooLarge` tells. The request names the agent "Quorbel".
std::optional<QByteArray> ReadPage(const QUrl &url, int timeoutMs = kPageTimeoutMs, bool *tooLarge = nullptr);

// Pages read one after another with one cookie jar, so that a login holds for the pages after it.
class WebSession {
public:
  WebSession();
  ~WebSession();
  std::optional<QByteArray> Get(const QUrl &url, int timeoutMs = kPageTimeoutMs);
  // A form posted as application/x-www-form-urlencoded.
  std::optional<QByteArray> Post(const QUrl &url, const QByteArray &body, int timeoutMs = kPageTimeoutMs);
  // Whether the last page was dropped for being larger than kMostPageBytes.
  bool LastPageTooLarge() const;

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

} // namespace quorbel
