// One web page read while the program goes on: events are pumped until the page is in, the
// time is up or the program closes.
#pragma once

#include <QByteArray>
#include <QUrl>
#include <optional>

namespace quorbel {

inline constexpr int kPageTimeoutMs = 15000;

// The page's bytes; none when it could not be read in time. The request names the agent
// "Quorbel".
std::optional<QByteArray> ReadPage(const QUrl &url, int timeoutMs = kPageTimeoutMs);

} // namespace quorbel
