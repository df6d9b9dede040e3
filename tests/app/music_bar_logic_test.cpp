// The music bar's plain parts: the meters' value and falling peak on a stepped clock, where they
// are drawn, and the walk through a folder of tunes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "app/level_meter.h"
#include "app/music_folder.h"

namespace quorbel {
namespace {

TEST(LevelMeter, ValuesAreCappedAndDrawnToTheirHeight) {
  LevelMeter meter;
  EXPECT_TRUE(meter.SetValue(120, 0));
  EXPECT_EQ(meter.Value(), 100);
  EXPECT_EQ(meter.UnlitBand(24), 0);
  EXPECT_EQ(meter.PeakRow(24), 0);
  EXPECT_FALSE(meter.SetValue(100, 10)); // nothing new to draw
  meter.Reset();
  meter.SetValue(0, 20);
  EXPECT_EQ(meter.UnlitBand(24), 23); // twelve LEDs, all dark
  EXPECT_EQ(MeterCurve(105), 98);
  EXPECT_EQ(MeterCurve(50), 25);
}

TEST(LevelMeter, ThePeakFallsByThreeOnSilenceAndByOneATenthOfASecondAboveIt) {
  LevelMeter silent;
  silent.SetValue(80, 0);
  silent.SetValue(0, 50);
  EXPECT_EQ(silent.Peak(), 77);
  silent.SetValue(0, 100);
  EXPECT_EQ(silent.Peak(), 74);

  LevelMeter falling;
  falling.SetValue(80, 0);
  std::vector<int> peaks;
  for (uint32_t now = 50; now <= 600; now += 50) {
    falling.SetValue(40, now);
    peaks.push_back(falling.Peak());
  }
  // One step down once more than 100 ms have passed since the last: every third tick.
  EXPECT_EQ(peaks, (std::vector<int>{80, 80, 79, 79, 79, 78, 78, 78, 77, 77, 77, 76}));
  falling.SetValue(90, 650);
  EXPECT_EQ(falling.Peak(), 90);
}

TEST(MusicFolder, TunesGoByNameIgnoringCase) {
  const auto dir = std::filesystem::temp_directory_path() / ("qmusic_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  for (const char *name : {"b.mp3", "A.MP3", "c.mp3", "notes.txt"})
    std::ofstream(dir / name) << "x";
  const std::string b = (dir / "b.mp3").string();
  const std::vector<std::string> files = MusicFilesLike(b);
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(std::filesystem::path(files.front()).filename(), "A.MP3");
  EXPECT_EQ(NextMusicFile(b, true), (dir / "c.mp3").string());
  EXPECT_EQ(NextMusicFile(b, false), (dir / "A.MP3").string());
  EXPECT_EQ(NextMusicFile((dir / "c.mp3").string(), true), "");
  EXPECT_EQ(NextMusicFile((dir / "gone.mp3").string(), true), "");
  std::filesystem::remove_all(dir);
}

} // namespace
} // namespace quorbel
