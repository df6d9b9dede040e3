// The null output plays into nothing, in time, and holds still while paused.
#include "platform/null_audio_output.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace quorbel {
namespace {

struct CountingSource : AudioSource {
  std::atomic<size_t> pulled{0};
  size_t Pull(int16_t *, size_t frames) override {
    pulled += frames;
    return frames;
  }
};

// Waits up to two seconds for the output to have played past `frames`.
bool PlaysPast(const NullAudioOutput &output, int64_t frames) {
  for (int wait = 0; wait < 200 && output.PlayedFrames() <= frames; ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return output.PlayedFrames() > frames;
}

TEST(NullAudioOutput, PlaysPausesResumesAndResets) {
  CountingSource source;
  NullAudioOutput output;
  ASSERT_TRUE(output.Open({8000, 2}, source));
  ASSERT_TRUE(PlaysPast(output, 0));

  output.Pause();
  // A pull under way when the pause came still counts: let it end.
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  const int64_t paused = output.PlayedFrames();
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  EXPECT_EQ(output.PlayedFrames(), paused);

  output.Resume();
  EXPECT_TRUE(PlaysPast(output, paused));
  output.Close();
  EXPECT_EQ(static_cast<int64_t>(source.pulled.load()), output.PlayedFrames());
  output.Reset();
  EXPECT_EQ(output.PlayedFrames(), 0);
}

} // namespace
} // namespace quorbel
