#include "media/wave_file.h"

#include <algorithm>
#include <array>
#include <new>

#include "platform/regular_file.h"

namespace quorbel {

namespace {

constexpr uint32_t FourCc(char a, char b, char c, char d) {
  return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
         static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}

constexpr uint32_t kRiff = FourCc('R', 'I', 'F', 'F');
constexpr uint32_t kWave = FourCc('W', 'A', 'V', 'E');
constexpr uint32_t kFmt = FourCc('f', 'm', 't', ' ');
constexpr uint32_t kData = FourCc('d', 'a', 't', 'a');
constexpr uint32_t kFormatRecord = 16;
constexpr uint16_t kPcm = 1;

bool ReadBytes(std::FILE *file, void *into, size_t count) {
  return std::fread(into, 1, count, file) == count;
}

bool ReadU32(std::FILE *file, uint32_t &value) {
  std::array<uint8_t, 4> b{};
  if (!ReadBytes(file, b.data(), b.size()))
    return false;
  value = b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
  return true;
}

uint16_t U16(const uint8_t *b) { return static_cast<uint16_t>(b[0] | b[1] << 8); }
uint32_t U32(const uint8_t *b) { return b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24; }

// The sub-chunk `id` between `from` and `end`, odd sizes padded to even.
bool FindChunk(WaveHandle &handle, int64_t from, int64_t end, uint32_t id, WaveChunk &chunk) {
  std::FILE *file = handle.File();
  for (int64_t at = from; at + 8 <= end;) {
    if (std::fseek(file, static_cast<long>(at), SEEK_SET) != 0)
      return false;
    uint32_t found = 0;
    uint32_t size = 0;
    if (!ReadU32(file, found) || !ReadU32(file, size))
      return false;
    if (found == id) {
      chunk = {found, size, 0, at + 8};
      return true;
    }
    at += 8 + static_cast<int64_t>(size) + (size & 1);
  }
  return false;
}

} // namespace

WaveHandle::~WaveHandle() {
  if (file_ != nullptr)
    std::fclose(file_);
}

int OpenWaveFile(const std::string &path, std::unique_ptr<WaveHandle> &handle, WaveChunk &riff,
                 std::unique_ptr<WaveFormatBlock> &format) {
  handle.reset();
  format.reset();
  std::FILE *file = OpenRegularFileStream(path);
  if (file == nullptr)
    return kWaveNoFile;
  const int64_t size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
  std::rewind(file);
  auto open = std::make_unique<WaveHandle>(file, size); // closes the file on every way out
  if (size < 0)
    return kWaveNoFile;

  uint32_t id = 0;
  uint32_t riffSize = 0;
  uint32_t form = 0;
  if (!ReadU32(file, id) || !ReadU32(file, riffSize))
    return kWaveChunkMissing;
  if (id != kRiff || !ReadU32(file, form) || form != kWave)
    return kWaveNotWave;
  riff = {id, riffSize, form, 8};
  const int64_t end = std::min<int64_t>(size, 8 + static_cast<int64_t>(riffSize));
  WaveChunk fmt;
  if (!FindChunk(*open, 12, end, kFmt, fmt))
    return kWaveChunkMissing;
  if (fmt.Size < kFormatRecord)
    return kWaveNotWave;
  std::array<uint8_t, kFormatRecord> record{};
  if (!ReadBytes(file, record.data(), record.size()))
    return kWaveShortFormat;
  auto block = std::make_unique<WaveFormatBlock>();
  block->FormatTag = U16(&record[0]);
  block->Channels = U16(&record[2]);
  block->SamplesPerSec = U32(&record[4]);
  block->AvgBytesPerSec = U32(&record[8]);
  block->BlockAlign = U16(&record[12]);
  block->BitsPerSample = U16(&record[14]);
  if (block->FormatTag != kPcm) {
    std::array<uint8_t, 2> extra{};
    if (!ReadBytes(file, extra.data(), extra.size()))
      return kWaveShortFormat;
    block->CbSize = U16(extra.data());
    // The extra bytes must lie in the file before any memory is taken for them.
    if (std::ftell(file) + block->CbSize > size)
      return kWaveNotWave;
    block->Extra.resize(block->CbSize);
    if (block->CbSize != 0 && !ReadBytes(file, block->Extra.data(), block->CbSize))
      return kWaveNotWave;
  }
  handle = std::move(open);
  format = std::move(block);
  return kWaveOk;
}

int SeekWaveData(const WaveChunk &riff, WaveHandle &handle, WaveChunk &data) {
  const int64_t first = riff.DataOffset + 4;
  if (std::fseek(handle.File(), static_cast<long>(first), SEEK_SET) != 0)
    return kWaveSeekFailed;
  const int64_t end = std::min<int64_t>(handle.FileSize(), riff.DataOffset + static_cast<int64_t>(riff.Size));
  if (!FindChunk(handle, first, end, kData, data))
    return kWaveChunkMissing;
  return std::fseek(handle.File(), static_cast<long>(data.DataOffset), SEEK_SET) == 0 ? kWaveOk
                                                                                      : kWaveSeekFailed;
}

int ReadWaveData(WaveChunk &data, uint32_t count, WaveHandle &handle, uint8_t *destination, uint32_t &read) {
  read = 0;
  const uint32_t wanted = std::min(count, data.Size);
  data.Size -= wanted;
  const size_t got = std::fread(destination, 1, wanted, handle.File());
  if (got < wanted)
    return kWaveTruncated;
  read = wanted;
  return kWaveOk;
}

int LoadWaveFile(const std::string &path, std::unique_ptr<WaveFormatBlock> &format,
                 std::vector<uint8_t> &samples) {
  samples.clear();
  std::unique_ptr<WaveHandle> handle;
  WaveChunk riff;
  int result = OpenWaveFile(path, handle, riff, format);
  WaveChunk data;
  if (result == kWaveOk)
    result = SeekWaveData(riff, *handle, data);
  // A claim beyond the bytes left is refused before anything is allocated for it.
  if (result == kWaveOk && data.DataOffset + static_cast<int64_t>(data.Size) > handle->FileSize())
    result = kWaveTruncated;
  if (result == kWaveOk) {
    try {
      samples.resize(data.Size);
    } catch (const std::bad_alloc &) {
      result = kWaveNoMemory;
    }
  }
  uint32_t read = 0;
  if (result == kWaveOk)
    result = ReadWaveData(data, static_cast<uint32_t>(samples.size()), *handle, samples.data(), read);
  if (result != kWaveOk) {
    samples.clear();
    format.reset();
  }
  handle.reset();
  return result;
}

int CloseWaveFile(std::unique_ptr<WaveFormatBlock> &format, std::unique_ptr<WaveHandle> &handle) {
  format.reset();
  handle.reset();
  return kWaveOk;
}

} // namespace quorbel
