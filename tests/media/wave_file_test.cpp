// WAVE files: the format block of PCM and other tags, a "data" chunk found wherever it stands,
// and files that lie about their sizes.
#include "media/wave_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace quorbel {
namespace {

void Put16(std::string &out, uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}
void Put32(std::string &out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<uint16_t>(v >> 16));
}
std::string Chunk(const std::string &id, const std::string &body, uint32_t claimed = UINT32_MAX) {
  std::string out = id;
  Put32(out, claimed == UINT32_MAX ? static_cast<uint32_t>(body.size()) : claimed);
  out += body;
  if (body.size() % 2 == 1)
    out += '\0'; // the pad byte of an odd chunk
  return out;
}
std::string Format(uint16_t tag, std::string extra = {}, bool withCbSize = false) {
  std::string f;
  Put16(f, tag);
  Put16(f, 1);
  Put32(f, 8000);
  Put32(f, 16000);
  Put16(f, 2);
  Put16(f, 16);
  if (withCbSize) {
    Put16(f, static_cast<uint16_t>(extra.size()));
    f += extra;
  }
  return f;
}
std::string Riff(const std::string &form, const std::string &chunks) { return Chunk("RIFF", form + chunks); }

class WaveFile : public ::testing::Test {
protected:
  std::string Write(const std::string &bytes) {
    const std::string path =
        (std::filesystem::temp_directory_path() /
         ("qwave_" + std::to_string(::getpid()) + "_" + std::to_string(next_++) + ".wav"))
            .string();
    std::ofstream(path, std::ios::binary) << bytes;
    paths_.push_back(path);
    return path;
  }
  void TearDown() override {
    for (const std::string &path : paths_)
      std::filesystem::remove(path);
  }
  std::unique_ptr<WaveFormatBlock> format;
  std::vector<uint8_t> samples;

private:
  std::vector<std::string> paths_;
  int next_ = 0;
};

TEST_F(WaveFile, PcmHasNoExtraSizeAndOtherTagsCarryTheirExtraBytes) {
  const std::string pcm = Write(Riff("WAVE", Chunk("fmt ", Format(1)) + Chunk("data", "abcd")));
  ASSERT_EQ(LoadWaveFile(pcm, format, samples), kWaveOk);
  EXPECT_EQ(format->Size(), 18u);
  EXPECT_EQ(format->CbSize, 0);
  EXPECT_EQ(format->SamplesPerSec, 8000u);
  EXPECT_EQ(std::string(samples.begin(), samples.end()), "abcd");

  const std::string adpcm = Write(Riff("WAVE", Chunk("fmt ", Format(2, "xy", true)) + Chunk("data", "12")));
  ASSERT_EQ(LoadWaveFile(adpcm, format, samples), kWaveOk);
  EXPECT_EQ(format->Size(), 20u);
  EXPECT_EQ(std::string(format->Extra.begin(), format->Extra.end()), "xy");
}

TEST_F(WaveFile, DataIsFoundBeforeTheFormatAndPastOddChunks) {
  const std::string path =
      Write(Riff("WAVE", Chunk("data", "s1s2") + Chunk("LIST", "odd") + Chunk("fmt ", Format(1))));
  ASSERT_EQ(LoadWaveFile(path, format, samples), kWaveOk);
  EXPECT_EQ(std::string(samples.begin(), samples.end()), "s1s2");
}

TEST_F(WaveFile, FilesThatLieAreRefusedWithTheirCodes) {
  EXPECT_EQ(LoadWaveFile("/nonexistent/quorbel.wav", format, samples), kWaveNoFile);
  EXPECT_EQ(LoadWaveFile(Write(Riff("AVI ", Chunk("fmt ", Format(1)))), format, samples), kWaveNotWave);
  EXPECT_EQ(LoadWaveFile(Write(Riff("WAVE", Chunk("data", "ab"))), format, samples), kWaveChunkMissing);
  EXPECT_EQ(LoadWaveFile(Write(Riff("WAVE", Chunk("fmt ", "short"))), format, samples), kWaveNotWave);
  // A chunk claiming 4 GB: refused before anything is allocated for it.
  const std::string huge = Write(Riff("WAVE", Chunk("fmt ", Format(1)) + Chunk("data", "abcd", 0xFFFFFFF0u)));
  EXPECT_EQ(LoadWaveFile(huge, format, samples), kWaveTruncated);
  EXPECT_TRUE(samples.empty());
  EXPECT_EQ(format, nullptr);
}

} // namespace
} // namespace quorbel
