// FIFOs that no reader of ours may wait on. A reader that opened one blocking would hang the test
// for ever; after a grace time the watch opens the writing end of each FIFO a reader holds, so
// the reader goes on (reading nothing) and the test fails on `FreedAReader()` instead.
#pragma once

#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quorbel::testing {

class FifoWatch {
public:
  explicit FifoWatch(std::vector<std::string> fifos)
      : fifos_(std::move(fifos)), thread_([this] { Watch(); }) {}
  ~FifoWatch() {
    {
      const std::lock_guard lock(mutex_);
      stopped_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  FifoWatch(const FifoWatch &) = delete;
  FifoWatch &operator=(const FifoWatch &) = delete;

  bool FreedAReader() const {
    const std::lock_guard lock(mutex_);
    return freed_;
  }

private:
  // Far beyond what a reader that does not wait takes, even on a loaded machine.
  static constexpr std::chrono::seconds kGrace{3};
  static constexpr std::chrono::milliseconds kPoll{20};

  void Watch() {
    std::unique_lock lock(mutex_);
    if (wake_.wait_for(lock, kGrace, [this] { return stopped_; }))
      return;
    while (!stopped_) {
      for (const std::string &fifo : fifos_) {
        // Opening the writing end without waiting succeeds only while a reader has the FIFO open.
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
          freed_ = true;
          ::close(fd);
        }
      }
      wake_.wait_for(lock, kPoll, [this] { return stopped_; });
    }
  }

  const std::vector<std::string> fifos_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stopped_ = false;
  bool freed_ = false;
  std::thread thread_;
};

} // namespace quorbel::testing
