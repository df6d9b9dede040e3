// The music player's decoding and volume: a minute of 44.1 kHz stereo (sixty plays of a second's
// tune) pulled through the player as fast as it decodes. Target: under 0.5 s a minute.
#include <benchmark/benchmark.h>

#include <memory>

#include "media/mp3_player.h"
#include "platform/capture_audio_output.h"

namespace {

void BM_DecodeOneMinute(benchmark::State &state) {
  auto tape = std::make_shared<quorbel::CaptureTape>();
  quorbel::CMp3Player player([tape] { return std::make_unique<quorbel::CaptureAudioOutput>(tape); }, {});
  if (player.OpenMp3FileByName(QUORBEL_TEST_DATA "/music/sine44k.mp3") != 1) {
    state.SkipWithError("no test tune");
    return;
  }
  player.SetVolume(60, 80);
  for (auto _ : state) {
    for (int second = 0; second < 60; ++second) {
      player.Replay();
      while (player.GetStatus() == quorbel::CMp3Player::kPlaying) {
        tape->Samples.clear();
        tape->Consume(4410);
      }
    }
  }
}
BENCHMARK(BM_DecodeOneMinute)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
