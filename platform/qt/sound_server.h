// Whether the desktop's sound server answers, asked once a run on a thread of its own within a
// short time: a server that accepts the connection and never answers counts as none, and a
// window never waits for it (a headless run, which has none, does). The sound device opens only
// once it has answered.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace quorbel {

enum class SoundServerState {
  NotAsked, // no check in this process: the device asks Qt directly
  Asking,
  Answers,
  Silent, // none, refused, or no answer in time
};

SoundServerState CurrentSoundServerState();

// Long enough for a server starting with the session, short beside a player's patience.
inline constexpr int kSoundServerLimitMs = 3000;

class SoundServerCheck {
public:
  // Starts asking at once.
  explicit SoundServerCheck(int limitMs = kSoundServerLimitMs);
  // Stops asking (within a twentieth of a second) and waits for the thread.
  ~SoundServerCheck();
  SoundServerCheck(const SoundServerCheck &) = delete;
  SoundServerCheck &operator=(const SoundServerCheck &) = delete;

  // Calls `then` once the answer is known: at once when it is, else later on the thread of
  // `context` (never after `context` is gone).
  void WhenKnown(QObject *context, std::function<void()> then);
  // Blocks until the answer is known: within the limit, and a twentieth of a second more.
  void WaitUntilKnown();

private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
};

} // namespace quorbel
