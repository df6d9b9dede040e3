// The sound list and the mixer, heard on a capture output: which file each slot plays, the
// threshold of fifteen effects, the volume rules and restarts.
#include "media/sound_effects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "media/wave_writer.h"
#include "platform/capture_audio_output.h"
#include "tests/support/fifo_watch.h"

namespace quorbel {
namespace {

namespace fs = std::filesystem;

class SoundEffects : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("qsound_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    ReleaseSoundEffects(manager);
    fs::remove_all(dir_);
  }
  // A mono file at the output's rate whose every sample is `value`, or its ramp 0, 1, 2...
  std::string Wave(const std::string &name, int16_t value, size_t frames = 64, bool ramp = false) {
    std::vector<int16_t> samples(frames, value);
    for (size_t i = 0; ramp && i < frames; ++i)
      samples[i] = static_cast<int16_t>(i);
    return Write(name, EncodePcmWave(CSoundManager::kOutputFormat.SampleRate, 1, samples));
  }
  std::string Write(const std::string &name, const std::string &bytes) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  int Init(const std::string &list, bool device = true) {
    const std::string path = Write("MySound.dat", list);
    return InitSoundEffects(manager, std::make_unique<CaptureAudioOutput>(tape, device), path,
                            [this](const std::string &line) { log.push_back(line); });
  }
  // The left channel of the next frames played.
  std::vector<int16_t> Hear(size_t frames) {
    tape->Samples.clear();
    tape->Consume(frames);
    std::vector<int16_t> left;
    for (size_t i = 0; i < tape->Samples.size(); i += 2)
      left.push_back(tape->Samples[i]);
    return left;
  }
  // Lines "k O file" for files whose samples are 100 x (k + 1).
  std::string Sounds(int count) {
    std::string list = "; our sounds\n";
    for (int k = 0; k < count; ++k)
      list += std::to_string(k) + " O " +
              Wave(std::string("s").append(std::to_string(k)).append(".wav"),
                   static_cast<int16_t>(100 * (k + 1))) +
              "\n";
    return list;
  }

  SoundEffectManager manager;
  std::shared_ptr<CaptureTape> tape = std::make_shared<CaptureTape>();
  std::vector<std::string> log;

private:
  fs::path dir_;
};

TEST_F(SoundEffects, FourteenEffectsAreTooFewAndFifteenPlayInTheListsOrder) {
  EXPECT_EQ(Init(Sounds(14)), 0);
  EXPECT_EQ(manager.Ready, 0);
  PlaySoundEffect(manager, 0, false, 0);
  EXPECT_TRUE(Hear(4).empty());

  // An 'N' line takes no slot: the next 'O' line fills the slot it was parsed into.
  std::string list = Sounds(15);
  list.insert(list.find("1 O"), "7 N " + Wave("skipped.wav", 9999) + "\n");
  ASSERT_EQ(Init(list), 1);
  EXPECT_EQ(manager.Loaded, 15);
  EXPECT_TRUE(log.empty());
  for (int slot = 0; slot < 15; ++slot) {
    PlaySoundEffect(manager, slot, false, 0);
    EXPECT_EQ(Hear(1), std::vector<int16_t>{static_cast<int16_t>(100 * (slot + 1))}) << slot;
    PlaySoundEffect(manager, slot, false, kSoundVolumeOff);
  }
}

TEST_F(SoundEffects, FilesThatDoNotLoadKeepTheirSlotsAndNeverPlay) {
  std::string list;
  for (int k = 0; k < 20; ++k)
    list += "0 O missing" + std::to_string(k) + ".wav\n";
  // Float samples are not PCM we play.
  std::string floats = EncodePcmWave(44100, 1, std::vector<int16_t>(8, 1));
  floats[20] = 3;
  list += "0 O " + Write("float.wav", floats) + "\n";
  ASSERT_EQ(Init(list), 1);
  ASSERT_EQ(log.size(), 21u);
  EXPECT_EQ(log[0], "Erreur Chargement Son:0(0) - " + manager.Slots[0].File + " --> N - 0");
  EXPECT_TRUE(log[20].starts_with("Erreur Chargement Son:20(0) - "));
  EXPECT_EQ(manager.Slots[19].State, 'N');
  for (int slot : {0, 19, 20, -1, 50, 1000})
    PlaySoundEffect(manager, slot, false, 0);
  EXPECT_EQ(Hear(8), std::vector<int16_t>(8, 0));
}

TEST_F(SoundEffects, AWaveDeclaringAHopelessRateIsOneUnplayableSlot) {
  // A megabyte at 1 Hz would take 92 GB once converted to the output's rate.
  const std::string hostile = Write("slow.wav", EncodePcmWave(1, 2, std::vector<int16_t>(1 << 19, 1000)));
  ASSERT_EQ(Init("0 O " + hostile + "\n" + Sounds(15)), 1);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_TRUE(log[0].starts_with("Erreur Chargement Son:0(0) - " + hostile));
  EXPECT_EQ(manager.Slots[0].State, 'N');
  PlaySoundEffect(manager, 1, false, 0);
  EXPECT_EQ(Hear(1), std::vector<int16_t>{100});

  // Nor is one claiming the largest rate a file can hold: it would shrink to two samples.
  std::string fastest = EncodePcmWave(44100, 1, std::vector<int16_t>(1 << 10, 1000));
  fastest.replace(24, 4, "\xFF\xFF\xFF\xFF");
  log.clear();
  ASSERT_EQ(Init("0 O " + Write("fast.wav", fastest) + "\n" + Sounds(15)), 1);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(manager.Slots[0].State, 'N');

  WaveFormatBlock format;
  format.FormatTag = 1;
  format.Channels = 1;
  format.BitsPerSample = 8;
  const std::vector<uint8_t> second(8000, 200);
  format.SamplesPerSec = 3999;
  EXPECT_TRUE(ConvertPcm(format, second, {44100, 2}).empty());
  format.SamplesPerSec = 4000;
  EXPECT_LE(ConvertPcm(format, second, {44100, 2}).size() * 2, second.size() * 45);
}

// The English program says it in English; a FIFO in place of a sound or of the list is passed
// over at once and named.
TEST_F(SoundEffects, WhatCannotLoadIsToldInTheProgramsLanguageAndAFifoIsPassedOver) {
  const std::string fifo = (std::filesystem::path(Write("x", "")).parent_path() / "fifo.wav").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string list = Write("MySound.dat", "0 O " + fifo + "\n" + Sounds(15));
  const std::string fifoList = (std::filesystem::path(list).parent_path() / "List.dat").string();
  const quorbel::testing::FifoWatch watch({fifo, fifoList});
  const auto tell = [this](const std::string &line) { log.push_back(line); };
  ASSERT_EQ(
      InitSoundEffects(manager, std::make_unique<CaptureAudioOutput>(tape), list, tell, Language::English),
      1);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], "Error Loading Sound:0(0) - " + fifo + " --> N - 0");
  log.clear();
  ASSERT_EQ(::mkfifo(fifoList.c_str(), 0600), 0);
  EXPECT_EQ(InitSoundEffects(manager, std::make_unique<CaptureAudioOutput>(tape), fifoList, tell,
                             Language::English),
            0);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_NE(log[0].find(fifoList), std::string::npos) << log[0];
  EXPECT_FALSE(watch.FreedAReader());
}

TEST_F(SoundEffects, NoDeviceOrNoListPlaysNothing) {
  EXPECT_EQ(Init(Sounds(15), false), 0);
  EXPECT_EQ(manager.Ready, 0);
  EXPECT_EQ(manager.Device, nullptr);

  EXPECT_EQ(
      InitSoundEffects(manager, std::make_unique<CaptureAudioOutput>(tape), "/nonexistent/MySound.dat", {}),
      0);
  EXPECT_EQ(manager.Ready, 1); // the device stays, with every slot empty
  PlaySoundEffect(manager, 0, false, 0);
  EXPECT_EQ(Hear(2), std::vector<int16_t>(2, 0));
}

TEST_F(SoundEffects, TheVolumeRules) {
  std::string list = "0 O " + Wave("loud.wav", 10000, 4096) + "\n" + Sounds(14);
  ASSERT_EQ(Init(list), 1);
  const auto heard = [&](int volume) {
    PlaySoundEffect(manager, 0, false, volume);
    return Hear(1).at(0);
  };
  EXPECT_NEAR(heard(-100), 10000 * std::pow(10.0, -0.05), 1);
  EXPECT_NEAR(heard(-5000), 100, 1); // clamped to -4000
  EXPECT_EQ(heard(0), 10000);
  EXPECT_EQ(manager.Slots[0].Volume, 0);

  // At -8000 a playing sound stops, and a stopped one does not start.
  PlaySoundEffect(manager, 0, false, -8000);
  EXPECT_EQ(Hear(1).at(0), 0);
  PlaySoundEffect(manager, 0, false, -9000);
  EXPECT_EQ(Hear(1).at(0), 0);

  PlaySoundEffect(manager, 0, true, 0);
  EXPECT_EQ(Hear(1).at(0), 0);
}

TEST_F(SoundEffects, APlayRestartsItsVoiceWhichEndsWithTheSoundAndVoicesAdd) {
  std::string list;
  for (const std::string &wave :
       {Wave("ramp.wav", 0, 100, true), Wave("high.wav", 30000), Wave("also.wav", 30000)})
    list.append("0 O ").append(wave).append("\n");
  list += Sounds(12);
  ASSERT_EQ(Init(list), 1);
  PlaySoundEffect(manager, 0, false, 0);
  EXPECT_EQ(Hear(3), (std::vector<int16_t>{0, 1, 2}));
  PlaySoundEffect(manager, 0, false, 0);
  EXPECT_EQ(Hear(2), (std::vector<int16_t>{0, 1}));
  const std::vector<int16_t> rest = Hear(100);
  EXPECT_EQ(rest[97], 99);
  EXPECT_EQ(rest[98], 0); // the voice ended with its sound
  EXPECT_FALSE(manager.Device->Playing(manager.Slots[0].Id));

  PlaySoundEffect(manager, 1, false, 0);
  PlaySoundEffect(manager, 2, false, 0);
  EXPECT_EQ(Hear(1).at(0), 32767);
}

TEST(ConvertPcm, EightBitMonoAtHalfTheRateBecomesSixteenBitStereo) {
  WaveFormatBlock format;
  format.FormatTag = 1;
  format.Channels = 1;
  format.SamplesPerSec = 22050;
  format.BitsPerSample = 8;
  const std::vector<int16_t> out = ConvertPcm(format, {255, 255, 0, 0}, {44100, 2});
  ASSERT_EQ(out.size(), 16u);
  EXPECT_EQ(out[0], 32512);
  EXPECT_EQ(out[1], 32512);
  EXPECT_EQ(out.back(), -32768);
  format.FormatTag = 3;
  EXPECT_TRUE(ConvertPcm(format, {255, 255}, {44100, 2}).empty());
}

} // namespace
} // namespace quorbel
