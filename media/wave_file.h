// RIFF/WAVE files: the format block and the sample bytes of the "data" chunk, read with every
// size checked against what the file holds. Each operation returns a result code, 0 success.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace quorbel {

enum WaveResult : int {
  kWaveOk = 0,
  kWaveNoFile = 1,
  kWaveAscendFailed = 2,
  kWaveChunkMissing = 3,
  kWaveNotWave = 4,
  kWaveShortFormat = 5,
  kWaveNoMemory = 6,
  kWaveSeekFailed = 7,
  kWaveBufferFailed = 8,
  kWaveBufferWriteFailed = 9,
  kWaveTruncated = 10,
};

// The file's format record as WAVEFORMATEX lays it out: 18 bytes, then CbSize extra bytes.
struct WaveFormatBlock {
  uint16_t FormatTag = 0;
  uint16_t Channels = 0;
  uint32_t SamplesPerSec = 0;
  uint32_t AvgBytesPerSec = 0;
  uint16_t BlockAlign = 0;
  uint16_t BitsPerSample = 0;
  uint16_t CbSize = 0;
  std::vector<uint8_t> Extra;
  size_t Size() const { return 18 + static_cast<size_t>(CbSize); }
};

// A chunk: its identifier, its size (for "data", the bytes still to read), its form type (RIFF
// chunks) and where its data starts in the file.
struct WaveChunk {
  uint32_t Id = 0;
  uint32_t Size = 0;
  uint32_t FormType = 0;
  int64_t DataOffset = 0;
};

// An open file.
class WaveHandle {
public:
  explicit WaveHandle(std::FILE *file, int64_t size) : file_(file), size_(size) {}
  ~WaveHandle();
  WaveHandle(const WaveHandle &) = delete;
  WaveHandle &operator=(const WaveHandle &) = delete;
  std::FILE *File() const { return file_; }
  int64_t FileSize() const { return size_; }

private:
  std::FILE *file_;
  int64_t size_;
};

int OpenWaveFile(const std::string &path, std::unique_ptr<WaveHandle> &handle, WaveChunk &riff,
                 std::unique_ptr<WaveFormatBlock> &format);
// Finds the "data" chunk, searching again from the first sub-chunk.
int SeekWaveData(const WaveChunk &riff, WaveHandle &handle, WaveChunk &data);
// Reads up to `count` bytes of the chunk into `destination` (which holds that many); `read` gives
// how many, and the chunk's remaining size goes down by them.
int ReadWaveData(WaveChunk &data, uint32_t count, WaveHandle &handle, uint8_t *destination, uint32_t &read);
// The whole "data" chunk. A chunk that claims more bytes than the file holds gives 10 before any
// memory is taken for it. Nothing stays open or allocated after a failure.
int LoadWaveFile(const std::string &path, std::unique_ptr<WaveFormatBlock> &format,
                 std::vector<uint8_t> &samples);
int CloseWaveFile(std::unique_ptr<WaveFormatBlock> &format, std::unique_ptr<WaveHandle> &handle);

} // namespace quorbel
