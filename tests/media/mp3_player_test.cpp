// The music player on a capture output: the buffer plan of both MPEG versions, the status as
// the buttons move it, seeking, the sound that comes out, and files that are not music.
#include "media/mp3_player.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/capture_audio_output.h"
#include "tests/support/temp_dir.h"

namespace quorbel {
namespace {

std::string Music(const std::string &name) { return std::string(QUORBEL_TEST_DATA) + "/music/" + name; }

class Mp3Player : public ::testing::Test {
protected:
  std::shared_ptr<CaptureTape> tape = std::make_shared<CaptureTape>();
  std::vector<std::string> reports;
  CMp3Player player{[this] { return std::make_unique<CaptureAudioOutput>(tape); },
                    [this](const std::string &text) { reports.push_back(text); }};

  // Plays and hears up to `frames` frames of the left channel from the first sound on. Once the
  // sound has begun, the player is given time to queue its two seconds of buffers, so that a
  // slow machine never leaves a gap in what is heard.
  std::vector<int16_t> Hear(size_t frames) {
    std::vector<int16_t> left;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    bool settled = false;
    while (left.size() < frames && std::chrono::steady_clock::now() < deadline &&
           player.GetStatus() == CMp3Player::kPlaying) {
      tape->Samples.clear();
      tape->Consume(441);
      const int channels = tape->Format.Channels;
      for (size_t i = 0; i < tape->Samples.size(); i += static_cast<size_t>(channels))
        if (!left.empty() || tape->Samples[i] != 0)
          left.push_back(tape->Samples[i]);
      if (!left.empty() && !settled) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        settled = true;
      }
      if (left.empty())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return left;
  }
};

// The frequency of a tone from its zero crossings between samples `from` and `to`.
double Pitch(const std::vector<int16_t> &samples, size_t from, size_t to, int rate) {
  int crossings = 0;
  for (size_t i = from + 1; i < to; ++i)
    crossings += (samples[i - 1] < 0) != (samples[i] < 0);
  return crossings / 2.0 / (static_cast<double>(to - from - 1) / rate);
}

TEST_F(Mp3Player, BothMpegVersionsPlanFifteenBuffersOfFourFrames) {
  for (const char *name : {"sine44k.mp3", "sine22k.mp3"}) {
    ASSERT_EQ(player.OpenMp3FileByName(Music(name)), 1) << name;
    EXPECT_EQ(player.BufferPlan().FramesPerBuffer, 4);
    EXPECT_EQ(player.BufferPlan().BufferMs, 131);
    EXPECT_EQ(player.BufferPlan().BufferCount, 15);
    EXPECT_EQ(player.OpenMp3FileByName(Music(name)), 0);
    EXPECT_EQ(reports.back(), "You need to close mp3 file before open new one");
    player.CloseMp3File();
  }
  EXPECT_EQ(player.OpenMp3FileByName(Music("sine22k.mp3")), 1);
  EXPECT_EQ(player.FirstFrame().Version, MpegVersion::Mpeg2);
  EXPECT_EQ(player.FirstFrame().SamplesPerFrame, 576);
}

TEST_F(Mp3Player, TheButtonsMoveTheStatus) {
  EXPECT_EQ(player.Play(), 0);
  EXPECT_EQ(reports.back(), "CMp3Player::Play\n\nStrean isn't open!");
  ASSERT_EQ(player.OpenMp3FileByName(Music("sine22k.mp3")), 1);
  EXPECT_EQ(player.GetStatus(), CMp3Player::kStopped);
  EXPECT_EQ(player.Play(), 1);
  EXPECT_EQ(player.Play(), 1);
  EXPECT_EQ(player.GetStatus(), CMp3Player::kPlaying);
  EXPECT_EQ(player.Pause(), 1);
  EXPECT_EQ(player.GetStatus(), CMp3Player::kPaused);
  EXPECT_EQ(player.Play(), 1);
  EXPECT_EQ(player.GetStatus(), CMp3Player::kPlaying);
  EXPECT_EQ(player.Stop(), 1);
  EXPECT_EQ(player.GetStatus(), CMp3Player::kStopped);
}

TEST_F(Mp3Player, SeekingIsClampedAndVolumesOutOfRangeChangeNothing) {
  EXPECT_EQ(player.SeekPosition(3), 0); // no file: quietly nothing
  EXPECT_EQ(player.Replay(), 0);
  EXPECT_TRUE(reports.empty());
  ASSERT_EQ(player.OpenMp3FileByName(Music("sine22k.mp3")), 1);
  EXPECT_EQ(player.LengthSeconds(), 35);
  EXPECT_EQ(player.SeekPosition(30), 1);
  EXPECT_EQ(player.GetPosition(), 30);
  EXPECT_EQ(player.SeekPosition(1000), 1);
  EXPECT_EQ(player.GetPosition(), 35);
  EXPECT_EQ(player.SetVolume(101, 50), 0);
  EXPECT_EQ(player.SetVolume(0, 100), 1);

  ASSERT_EQ(player.CloseMp3File(), 1);
  ASSERT_EQ(player.OpenMp3FileByName(Music("vbr.mp3")), 1);
  EXPECT_EQ(player.LengthSeconds(), 3);
  EXPECT_EQ(player.SeekPosition(2), 1);
  EXPECT_EQ(player.GetPosition(), 2);
}

TEST_F(Mp3Player, TheSineComesOutInTuneFromBehindItsTagAndTheMusicEnds) {
  ASSERT_EQ(player.OpenMp3FileByName(Music("tagged.mp3")), 1);
  EXPECT_GT(player.AudioStart(), 400);
  ASSERT_EQ(player.Play(), 1);
  const std::vector<int16_t> heard = Hear(30000);
  ASSERT_GE(heard.size(), 30000u);
  EXPECT_NEAR(Pitch(heard, 4000, 26050, 44100), 440.0, 440.0 * 0.02);

  int left = 0;
  int right = 0;
  player.GetVuLevels(left, right);
  EXPECT_GT(left, 0);
  EXPECT_EQ(left, right);

  // A volume is heard at once, in what is already queued.
  ASSERT_EQ(player.SetVolume(0, 100), 1);
  tape->Samples.clear();
  tape->Consume(441);
  int loudest[2] = {0, 0};
  for (size_t i = 0; i < tape->Samples.size(); ++i)
    loudest[i % 2] = std::max(loudest[i % 2], std::abs(static_cast<int>(tape->Samples[i])));
  EXPECT_EQ(loudest[0], 0);
  EXPECT_GT(loudest[1], 1000);
  player.GetVuLevels(left, right);
  EXPECT_EQ(left, 0);
  EXPECT_GT(right, 0);
  Hear(100000); // to the end
  EXPECT_EQ(player.GetStatus(), CMp3Player::kStopped);
  player.GetVuLevels(left, right);
  EXPECT_EQ(left, 0);
}

// At 8 kHz (MPEG-2.5) a buffer holds one frame, and the decoder gives no sound for the first.
TEST_F(Mp3Player, AnEightKilohertzFilePlaysItsToneFromItsFirstSecond) {
  ASSERT_EQ(player.OpenMp3FileByName(Music("sine8k.mp3")), 1);
  EXPECT_EQ(player.FirstFrame().Version, MpegVersion::Mpeg25);
  EXPECT_EQ(player.BufferPlan().FramesPerBuffer, 1);
  ASSERT_EQ(player.Play(), 1);
  const std::vector<int16_t> heard = Hear(8000);
  ASSERT_GE(heard.size(), 8000u);
  EXPECT_NEAR(Pitch(heard, 400, 7600, 8000), 440.0, 440.0 * 0.02);
}

// The bytes this process has read from files so far, as the kernel counts them.
uint64_t BytesReadSoFar() {
  std::ifstream io("/proc/self/io");
  std::string key;
  uint64_t value = 0;
  while (io >> key >> value)
    if (key == "rchar:")
      return value;
  return 0;
}

TEST_F(Mp3Player, AStopIsHeardWhileALongRunOfZerosIsSearchedForAFrame) {
  quorbel::testing::TempDir dir;
  const std::string path = dir.File("zeros.mp3");
  // A few frames, then a hole of 64 GiB that the file system keeps as zeros without storing them.
  std::string head(1000, '\0');
  std::ifstream(Music("sine22k.mp3"), std::ios::binary)
      .read(head.data(), static_cast<std::streamsize>(head.size()));
  quorbel::testing::WriteBytes(path, head);
  std::filesystem::resize_file(path, head.size() + (uint64_t{64} << 30));
  ASSERT_EQ(player.OpenMp3FileByName(path), 1);
  const uint64_t before = BytesReadSoFar();
  ASSERT_EQ(player.Play(), 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(100)); // the player is in the zeros
  EXPECT_EQ(player.Stop(), 1);
  EXPECT_LT(BytesReadSoFar() - before, uint64_t{16} << 30); // far from the end of the run
}

TEST_F(Mp3Player, FilesWithoutAFrameOfKnownLengthAreRefused) {
  for (const char *name : {"free.mp3", "noframe.mp3"}) {
    EXPECT_EQ(player.OpenMp3FileByName(Music(name)), 0) << name;
    EXPECT_EQ(reports.back(), "CMp3Player::_Open   *** Can't find first valid mp3 frame");
    EXPECT_FALSE(player.IsOpen());
  }
  EXPECT_EQ(player.OpenMp3FileByName(Music("missing.mp3")), 0);
  EXPECT_TRUE(
      reports.back().starts_with("CMp3Player::OpenMp3File\n\nCan't open file\n" + Music("missing.mp3")))
      << reports.back();
}

TEST(Mp3Frames, LevelsRoundingAndHeaders) {
  EXPECT_EQ(VuLevel(32767), 105);
  EXPECT_EQ(VuLevel(23169), 100);
  EXPECT_EQ(VuLevel(54.0), 0);
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);

  const uint8_t mpeg1[] = {0xFF, 0xFB, 0x90, 0x64};
  const auto header = ParseFrameHeader(mpeg1);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->Bitrate, 128);
  EXPECT_EQ(header->FrameLength, 417);
  EXPECT_FALSE(ParseFrameHeader(std::array<uint8_t, 4>{0xFF, 0xFB, 0xF0, 0x64})); // bit rate 15

  const uint8_t id3[] = {'I', 'D', '3', 4, 0, 0, 0, 0, 2, 1};
  EXPECT_EQ(Id3v2Size(id3), 10 + 257);
}

} // namespace
} // namespace quorbel
